#include "files/gumFileDialogs.h"

#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "transport/zxMessageBox.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

namespace {

gumSaveFileHook g_saveHook;

wxString AskPath(const wxString& message, const wxString& folder, const wxString& name,
                 const wxString& defaultExtension, const wxString& wildcard, int flags, wxWindow* parent, int x,
                 int y)
{
    if (g_saveHook)
        return g_saveHook(message, folder, name);
    return wxFileSelector(message, folder, name, defaultExtension, wildcard, flags, parent, x, y);
}

} // namespace

bool gumSaveFileSelector(wxString& path, const wxString& extension, const wxString& message,
                         const wxString& folder, const wxString& name, const wxString& defaultExtension,
                         const wxString& wildcard, int flags, wxWindow* parent, int x, int y)
{
    wxString startFolder = folder;
    wxString startName = name;
    for (;;) {
        wxString chosen = AskPath(message, startFolder, startName, defaultExtension, wildcard, flags, parent, x, y);
        if (chosen.empty())
            return false;
        wxFileName file(chosen);
        if (!extension.empty() && !file.HasExt()) {
            chosen += "." + extension;
            file.Assign(chosen);
        }
        if (gumConfirmOverwrite(chosen)) {
            path = chosen;
            return true;
        }
        startFolder = file.GetPath();
        startName = file.GetFullName();
    }
}

bool gumConfirmOverwrite(const wxString& path)
{
    if (!wxFileName::FileExists(path))
        return true;
    const wxString text = wxString::Format(_("File '%s' already exists."), wxFileName(path).GetFullName()) +
                          zxNewLine() + _("Do you want to replace it?");
    return zxQuestionBox(text, _("Confirm Save"));
}

void gumRememberFolder(const wxString& folder)
{
    CgumDocManager* manager = wxTheApp ? wxGetApp().m_docManager : nullptr;
    if (!manager)
        return;
    const wxString remembered = manager->GetLastDirectory();
    if (wxFileName::DirExists(folder) || remembered.empty() || !wxFileName::DirExists(remembered))
        manager->SetLastDirectory(folder);
}

void gumSetSaveFileHook(gumSaveFileHook hook)
{
    g_saveHook = std::move(hook);
}
