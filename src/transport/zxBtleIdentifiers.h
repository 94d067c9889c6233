#pragma once
#include <vector>
#include <wx/string.h>

// The identifiers and names of every Bluetooth LE logger ever discovered,
// remembered across runs in the user's Bluetooth file. The two lists stay
// paired; a text that is no UUID is never taken.
class CzxBtleIdentifiers
{
public:
    // A UUID in canonical form (upper case), or empty when the text is none.
    static wxString Canonical(const wxString& text);

    void Add(const wxString& identifier, const wxString& name);
    void AddAndSave(const wxString& identifier, const wxString& name);
    // The remembered name, or empty.
    wxString NameOf(const wxString& identifier) const;
    void Clear();
    void ClearAndSave();
    bool Load();
    bool Save() const;

    size_t GetCount() const { return m_identifiers.size(); }
    const std::vector<wxString>& GetIdentifiers() const { return m_identifiers; }
    const std::vector<wxString>& GetNames() const { return m_names; }

    // The file; the user's own settings folder unless set.
    void SetPath(const wxString& path) { m_path = path; }
    wxString GetPath() const;

private:
    std::vector<wxString> m_identifiers;
    std::vector<wxString> m_names;
    wxString m_path;
};
