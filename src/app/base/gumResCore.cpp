#include "app/base/gumResCore.h"

#include "transport/zxMessageBox.h"
#include "app/base/gumHelpers.h"

#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {

CgumResCore* g_current = nullptr;

const wxString& Unknown()
{
    static const wxString text = "??????????";
    return text;
}

wxString EnvOr(const char* name, const wxString& fallback)
{
    wxString value;
    if (wxGetEnv(name, &value) && !value.empty())
        return value;
    return fallback;
}

// A whole decimal number: leading blanks and a sign allowed, nothing after.
long ParseEntryNumber(const wxString& text)
{
    long value = 0;
    if (text.empty() || !text.ToLong(&value))
        return 0;
    return value;
}

std::vector<wxString> ReadLatin1Lines(const wxString& path, bool& opened)
{
    std::vector<wxString> lines;
    wxFFile file;
    {
        wxLogNull quiet;
        opened = file.Open(path, "rb");
    }
    if (!opened)
        return lines;
    std::string bytes;
    char chunk[65536];
    size_t got;
    while ((got = file.Read(chunk, sizeof chunk)) > 0)
        bytes.append(chunk, got);
    wxString line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += wxUniChar(wxUint32(c));
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace

CgumResCore::CgumResCore() { g_current = this; }

CgumResCore::~CgumResCore()
{
    if (g_current == this)
        g_current = nullptr;
}

CgumResCore* gumGetResCore() { return g_current; }

const wxString& gumGetString(int n)
{
    return g_current ? g_current->GetString(n) : Unknown();
}

wxString CgumResCore::GetResourcesDir()
{
    wxString fallback = "/usr/share/quorvanti";
    if (wxAppConsole::GetInstance())
        fallback = wxStandardPaths::Get().GetInstallPrefix() + "/share/quorvanti";
    return EnvOr("QUORVANTI_RESOURCES_DIR", fallback);
}

wxString CgumResCore::GetUserAppSupportDir()
{
    const wxString base = EnvOr("XDG_CONFIG_HOME", wxGetHomeDir() + "/.config");
    return base + "/" + gumGetAppName();
}

wxString CgumResCore::GetAllUsersAppSupportDir()
{
    wxString dirs = EnvOr("XDG_CONFIG_DIRS", "/etc/xdg");
    wxString first = dirs.BeforeFirst(':');
    if (first.empty())
        first = "/etc/xdg";
    return first + "/" + gumGetAppName();
}

void CgumResCore::GetResourceFile(wxFileName& out, const wxString& subfolder, const wxString& name,
                                  const wxString& extension) const
{
    wxFileName general(GetResourcesDir(), "");
    general.AppendDir("QuorvantiRes");
    wxFileName language = general;
    if (!m_language.empty())
        language.AppendDir(m_language);
    if (!subfolder.empty()) {
        general.AppendDir(subfolder);
        language.AppendDir(subfolder);
    }
    general.SetName(name);
    language.SetName(name);
    if (!extension.empty()) {
        general.SetExt(extension);
        language.SetExt(extension);
    }
    out = (!m_language.empty() && language.FileExists()) ? language : general;
}

void CgumResCore::GetResourceFolder(wxFileName& out) const
{
    out = wxFileName(GetResourcesDir(), "Name", "Ext");
    out.AppendDir("QuorvantiRes");
}

void CgumResCore::GetHelpBookFile(wxFileName& out) const
{
    GetResourceFile(out, wxString(), "Quorvanti Help", "htb");
}

void CgumResCore::GetSettingsFile(wxFileName& out) const
{
    out = wxFileName(GetAllUsersAppSupportDir(), "Settings", "txt");
}

void CgumResCore::GetUserSettingsFile(wxFileName& out) const
{
    out = wxFileName(GetUserAppSupportDir(), "Settings", "txt");
}

void CgumResCore::GetUserOptionsFile(wxFileName& out) const
{
    out = wxFileName(GetUserAppSupportDir(), "Options", "txt");
}

void CgumResCore::GetUserConfigFile(wxFileName& out) const
{
    out = wxFileName(GetUserAppSupportDir(), "Config", "txt");
}

wxString CgumResCore::FindFolder(const wxString& translatedName) const
{
    wxFileName resources(GetResourcesDir(), "");
    wxFileName inResources = resources;
    inResources.AppendDir(translatedName);
    if (inResources.DirExists())
        return inResources.GetPath();
    wxFileName beside = resources;
    for (int i = 0; i < 3 && beside.GetDirCount() > 0; ++i)
        beside.RemoveLastDir();
    beside.AppendDir(translatedName);
    if (beside.DirExists())
        return beside.GetPath();
    return GetAllUsersAppSupportDir() + "/" + translatedName;
}

void CgumResCore::GetWorksheetsFolder(wxFileName& out) const
{
    out = wxFileName(FindFolder(_("Quorvanti Worksheets")), "Name", "Ext");
}

void CgumResCore::GetTemplatesFolder(wxFileName& out) const
{
    out = wxFileName(FindFolder(_("Quorvanti Templates")), "Name", "Ext");
}

const wxString& CgumResCore::GetString(int n) const
{
    if (unsigned(n) >= m_strings.size())
        return Unknown();
    return m_strings[size_t(n)];
}

const wxString& CgumResCore::GetString9000(int n) const
{
    const int index = n - 9000;
    if (index < 0 || size_t(index) >= m_strings9000.size())
        return Unknown();
    return m_strings9000[size_t(index)];
}

bool CgumResCore::LoadStrings()
{
    m_strings.assign(kStringCount, wxString());
    m_strings9000.assign(kStrings9000Count, wxString());

    wxFileName file;
    GetResourceFile(file, wxString(), "Strings", "txt");
    bool opened = false;
    const std::vector<wxString> lines = ReadLatin1Lines(file.GetFullPath(), opened);
    if (!opened || lines.empty()) {
        zxMessageBox(GetString(573) + file.GetFullPath());
        return false;
    }

    auto storeMain = [this](long number, const wxString& text) {
        if (number >= 0 && number < kStringCount)
            m_strings[size_t(number)] = text;
    };

    size_t i = 0;
    while (i < lines.size()) {
        const wxString& line = lines[i];
        if (line.StartsWith("'")) {
            ++i;
            continue;
        }
        if (line.StartsWith("#")) {
            const long number = ParseEntryNumber(line.Mid(1));
            wxString text;
            ++i;
            for (; i < lines.size(); ++i) {
                const wxString& body = lines[i];
                if (body.empty() || body.StartsWith("#") || body.StartsWith("'"))
                    break;
                if (body == "-")
                    text += "\n";
                else if (body.EndsWith("_"))
                    text += body.Left(body.length() - 1);
                else
                    text += body + "\n";
            }
            if (text.EndsWith("\n\n"))
                text.RemoveLast();
            if (number >= 9000 && number < 9000 + kStrings9000Count)
                m_strings9000[size_t(number - 9000)] = text;
            else
                storeMain(number, text);
            continue; // the line that ended the body is read by the rules above
        }
        const int colon = line.Find(':');
        const wxString numberText = colon == wxNOT_FOUND ? line : line.Left(size_t(colon));
        const wxString text = colon == wxNOT_FOUND ? line : line.Mid(size_t(colon) + 1);
        storeMain(ParseEntryNumber(numberText), text);
        ++i;
    }
    m_strings[0] = Unknown();
    return true;
}
