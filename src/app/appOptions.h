#pragma once
#include <wx/string.h>

// The options in force. Only what start-up reads is here so far.
class CappOptions
{
public:
    virtual ~CappOptions() = default;

    bool Load(bool messages) { return true; }
    void UpdateLevelFlags() {}

    wxString m_fileFolder;
    wxString m_bluetoothSmartUUID;
    wxString m_bluetoothSmartName;
};
