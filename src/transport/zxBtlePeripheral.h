#pragma once
#include <wx/string.h>

// A Bluetooth LE device as the adapter reports it: its identifier (a UUID
// in canonical text form) and its advertised name, which may be empty.
struct CzxBtlePeripheral
{
    wxString identifier;
    wxString name;
};
