#pragma once
#include <wx/string.h>

// One entry of the Bluetooth LE logger list: known by identifier, and by a
// device of the platform when it has one; which of the logger service's
// characteristics the open has found, and whether notifications are on.
struct CzxBtleLogger
{
    wxString identifier;
    wxString name;
    bool hasPeripheral = false;
    bool charactTX = false;
    bool charactRX = false;
    bool charactCTS = false;
    bool charactRTS = false;
    bool notify = false;
};
