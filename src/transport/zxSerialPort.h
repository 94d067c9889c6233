#pragma once
#include <wx/string.h>

// The serial ports that the automatic logger search tries.
wxString zxSerialDefaultPortList();

// "ttyS" followed by the port number minus one; false outside 1 to 99.
bool zxSerialPortName(wxString& out, int port);

// As zxSerialPortName, but the device path "/dev/ttyS<n-1>".
bool zxSerialPortPath(wxString& out, int port);
