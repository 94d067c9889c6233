#pragma once
#include <wx/string.h>

// One entry of the Bluetooth LE logger list: known by identifier, and by a
// device of the adapter when it has one.
struct CzxBtleLogger
{
    wxString identifier;
    wxString name;
    bool hasPeripheral = false;
};
