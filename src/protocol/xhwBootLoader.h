#pragma once
#include <wx/string.h>

class CxhwBox;
class CxhwUSBDeviceV;

// A logger that runs only its USB boot loader (box types 11 and 13).

// Opens the first listed boot loader (a scan when the list holds none); false,
// with the link reset, when none can be opened.
bool xhwBootLoaderOpen(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices);
// Queries the boot loader and takes its identity; false with the link closed.
bool xhwBootLoaderIdentify(CxhwBox& box, bool drain, bool slowDrain);
// The link check of an open boot loader: it serves the install request and
// no other; after an installation it returns false so that the box thread
// connects afresh.
bool xhwBootLoaderMonitor(CxhwBox& box, bool first, wxString& stamp, int& power, int values[6]);
// Installs the firmware file of the logger's type through its boot loader.
bool xhwBootLoaderInstallFirmware(CxhwBox& box);
