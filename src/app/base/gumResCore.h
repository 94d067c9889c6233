#pragma once
#include <vector>
#include <wx/filename.h>
#include <wx/string.h>

// Where the files that ship beside the program lie, where the settings live,
// and the numbered string table. Needs no window, so model code reaches the
// texts through gumGetString without knowing the application class.
class CgumResCore
{
public:
    static constexpr int kStringCount = 2599;
    static constexpr int kStrings9000Count = 130;

    CgumResCore();
    virtual ~CgumResCore();
    CgumResCore(const CgumResCore&) = delete;
    CgumResCore& operator=(const CgumResCore&) = delete;

    void GetResourceFile(wxFileName& out, const wxString& subfolder, const wxString& name,
                         const wxString& extension) const;
    void GetResourceFolder(wxFileName& out) const;
    void GetHelpBookFile(wxFileName& out) const;
    void GetSettingsFile(wxFileName& out) const;
    void GetUserSettingsFile(wxFileName& out) const;
    void GetUserOptionsFile(wxFileName& out) const;
    void GetUserConfigFile(wxFileName& out) const;
    void GetWorksheetsFolder(wxFileName& out) const;
    void GetTemplatesFolder(wxFileName& out) const;

    bool LoadStrings();
    const wxString& GetString(int n) const;
    const wxString& GetString9000(int n) const;

    // The locale's short name, naming the language folder; empty for none.
    void SetLanguage(const wxString& language) { m_language = language; }
    const wxString& GetLanguage() const { return m_language; }

    static wxString GetResourcesDir();
    static wxString GetUserAppSupportDir();
    static wxString GetAllUsersAppSupportDir();

    std::vector<wxString> m_strings;
    std::vector<wxString> m_strings9000;

private:
    wxString FindFolder(const wxString& translatedName) const;

    wxString m_language;
};

// Entry n of the current resource object's string table ("??????????" when
// there is none or n is out of range).
const wxString& gumGetString(int n);
CgumResCore* gumGetResCore();
