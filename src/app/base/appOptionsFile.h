#pragma once
#include <wx/string.h>

// One complete set of option values, as kept in Settings.txt or Options.txt.
class CappOptionsFile
{
public:
    static constexpr int kValueCount = 14;

    virtual ~CappOptionsFile() = default;

    bool ReadValue(const wxString& key, const wxString& value);
    bool WriteValue(int i, wxString& key, wxString& value) const;
    bool Read(const wxString& path);
    bool Write(const wxString& path) const;
    void GetNextPort(int& port, wxString& name, bool bluetoothLEAllowed) const;

    bool ManagerMode = true;
    int PortType = 0; // 0 automatic, 1 Bluetooth, 2 serial port
    int PortBtooth = 6;
    int PortSerial = 4;
    int UserLevel = 4;
    wxString FileFolder;
    bool UserSave = false;
    int MaxSensingPlaces = 2;
    int MaxTimingPlaces = 3;
    wxString BluetoothName;
    wxString BluetoothAddress;
    bool BluetoothSmart = true;
    wxString BluetoothSmartUUID;
    wxString BluetoothSmartName;
};

// Writes text as a whole new file: a temporary file beside it is renamed over
// the old one only when everything was written, so a failure never loses the
// previous file. Creates the missing folders first.
bool appWriteFileReplacing(const wxString& path, const wxString& text);
