#pragma once
#include <wx/string.h>

class CxhwBox;
class CxhwUSBDeviceV;

// A logger that runs only its USB boot loader (box types 11 and 13).

// Opens the first listed boot loader; false, with the link reset, when none
// can be opened.
bool xhwBootLoaderOpen(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices);
// The link check of an open boot loader.
bool xhwBootLoaderMonitor(CxhwBox& box, bool first, wxString& stamp, int& power, int values[6]);
