#include "hardware/xhwSenFile.h"

#include "app/gumResCore.h"
#include "transport/zxMessageBox.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/textfile.h>

CxhwSenFile::CxhwSenFile() = default;

CxhwSenFile::~CxhwSenFile() = default;

bool CxhwSenFile::Load()
{
    m_lines.clear();
    wxFileName file;
    if (CgumResCore* res = gumGetResCore())
        res->GetResourceFile(file, wxString(), "Sensors", "txt");
    wxTextFile text;
    bool opened = false;
    {
        wxLogNull quiet;
        opened = file.IsOk() && text.Open(file.GetFullPath());
    }
    if (!opened || text.GetLineCount() == 0) {
        zxMessageBox(gumGetString(573) + file.GetFullPath());
        return false;
    }
    for (size_t i = 0; i < text.GetLineCount(); ++i)
        m_lines.push_back(text.GetLine(i));
    return true;
}
