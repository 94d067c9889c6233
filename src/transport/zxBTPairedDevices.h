#pragma once
#include <vector>
#include <wx/string.h>

// A Bluetooth device paired with this computer: its name and its address as
// the RFCOMM link takes it ("00-1a-7d-da-71-13").
struct CzxBTPairedDevice
{
    wxString m_name;
    wxString m_address;
};

// The paired devices that BlueZ knows, asked over the system bus within a
// bounded wait; false when the bus or BlueZ cannot be reached.
bool zxBTListPairedDevices(std::vector<CzxBTPairedDevice>& out);

// BlueZ writes "00:1A:7D:DA:71:13"; the link's text is lower case with "-".
wxString zxBTAddressFromBluez(const wxString& text);
