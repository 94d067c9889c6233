#include "protocol/xhwBootLoader.h"

// The boot-loader protocol is not built yet: no boot loader is ever opened.

bool xhwBootLoaderOpen(CxhwBox&, int, const wxString&, CxhwUSBDeviceV*)
{
    return false;
}

bool xhwBootLoaderMonitor(CxhwBox&, bool, wxString&, int&, int[6])
{
    return false;
}
