#pragma once
#include <wx/string.h>

class CxhwBox;
class CxhwUSBDeviceV;

// The link operations between the box thread and the drivers: they open the
// link of a port kind with the protocol of what is attached, check and
// identify the logger again, and close, reset or abort every link family.

// Opens the link of a port (1 to 99 serial, 100 USB, 101 the simulated
// logger, 102 Bluetooth RFCOMM, 103 Bluetooth LE); on USB the given device
// list, or a scan of the box's own.
bool xhwOpenLink(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices);
// Whether the logger still answers on the open link (identifying it again,
// after draining waiting input: 0.3 s a byte when slow, else 0.02 s).
bool xhwIsLinkOpen(CxhwBox& box, bool drain, bool slowDrain);
// The first check identifies the logger and its sensors; later checks refresh
// them, serve a pending request and read the current readings. A failed check
// resets the link.
bool xhwCheckLink(CxhwBox& box, bool first);
bool xhwConnect(CxhwBox& box);
bool xhwRecheckLink(CxhwBox& box);
// Closes every link family; the identity stays.
void xhwCloseLink(CxhwBox& box);
// Closes every link family, releases their devices and forgets the logger.
void xhwResetLink(CxhwBox& box);
void xhwResetAndClose(CxhwBox& box);
// Drops every link of the box at once, from the main thread, without draining:
// the last resort when the box thread does not end.
void xhwAbortLink(CxhwBox& box);
