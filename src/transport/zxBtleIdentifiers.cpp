#include "transport/zxBtleIdentifiers.h"

#include "app/base/appOptionsFile.h"
#include "app/base/gumResCore.h"

#include <wx/ffile.h>
#include <wx/log.h>
#include <wx/tokenzr.h>

namespace {

// A line per logger: its identifier, a tab and its name.
constexpr char kSeparator = '\t';

} // namespace

wxString CzxBtleIdentifiers::Canonical(const wxString& text)
{
    const wxString upper = text.Upper();
    if (upper.length() != 36)
        return wxString();
    for (size_t i = 0; i < upper.length(); ++i) {
        const wxUniChar c = upper[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return wxString();
    }
    return upper;
}

void CzxBtleIdentifiers::Add(const wxString& identifier, const wxString& name)
{
    const wxString id = Canonical(identifier);
    if (id.empty())
        return;
    for (size_t i = 0; i < m_identifiers.size(); ++i) {
        if (m_identifiers[i] == id) {
            if (!name.empty())
                m_names[i] = name;
            return;
        }
    }
    m_identifiers.push_back(id);
    m_names.push_back(name.empty() ? wxString("Unknown") : name);
}

void CzxBtleIdentifiers::AddAndSave(const wxString& identifier, const wxString& name)
{
    Add(identifier, name);
    Save();
}

wxString CzxBtleIdentifiers::NameOf(const wxString& identifier) const
{
    const wxString id = Canonical(identifier);
    for (size_t i = 0; i < m_identifiers.size(); ++i) {
        if (m_identifiers[i] == id)
            return m_names[i];
    }
    return wxString();
}

void CzxBtleIdentifiers::Clear()
{
    m_identifiers.clear();
    m_names.clear();
}

void CzxBtleIdentifiers::ClearAndSave()
{
    Clear();
    Save();
}

wxString CzxBtleIdentifiers::GetPath() const
{
    if (!m_path.empty())
        return m_path;
    return CgumResCore::GetUserAppSupportDir() + "/Bluetooth.txt";
}

bool CzxBtleIdentifiers::Load()
{
    wxString text;
    {
        wxLogNull quiet; // no file yet is no loggers yet
        wxFFile file(GetPath(), "rb");
        if (!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8))
            return false;
    }
    wxStringTokenizer lines(text, "\n", wxTOKEN_STRTOK);
    while (lines.HasMoreTokens()) {
        wxString line = lines.GetNextToken();
        line.Trim();
        Add(line.BeforeFirst(kSeparator), line.AfterFirst(kSeparator));
    }
    return true;
}

bool CzxBtleIdentifiers::Save() const
{
    wxString text;
    for (size_t i = 0; i < m_identifiers.size(); ++i) {
        wxString name = m_names[i];
        name.Replace("\t", " ");
        name.Replace("\n", " ");
        name.Replace("\r", " ");
        text << m_identifiers[i] << kSeparator << name << "\n";
    }
    return appWriteFileReplacing(GetPath(), text);
}
