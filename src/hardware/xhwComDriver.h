#pragma once
#include <wx/string.h>

class CxhwBox;
class CxhwUSBDeviceV;

// The serial family (box types 2 to 6, 8 and 9): the byte command protocol
// over a serial port, Bluetooth RFCOMM or a serial-type USB device.

bool xhwComStartPolling(CxhwBox& box, int values[6]);
bool xhwComPoll(CxhwBox& box, int values[6]);
bool xhwComStopPolling(CxhwBox& box);
bool xhwComStartSetupLogging(CxhwBox& box);
bool xhwComReadSetupLogging(CxhwBox& box, int values[6], int& count);
bool xhwComStopSetupLogging(CxhwBox& box);
bool xhwComStartScope(CxhwBox& box);
bool xhwComReadScope(CxhwBox& box, int* values, int& count);
bool xhwComCaptureScope(CxhwBox& box);
bool xhwComStopScope(CxhwBox& box);
bool xhwComGetTimingMask(CxhwBox& box, int& mask);
bool xhwComStartTiming(CxhwBox& box);
bool xhwComReadTiming(CxhwBox& box);
bool xhwComStopTiming(CxhwBox& box);
bool xhwComSetOutputs(CxhwBox& box, int mask, bool force);
void xhwComReadStamp(CxhwBox& box, wxString& text, int& kind);
int xhwComWriteStamp(CxhwBox& box, const wxString& text, int limit, int& kind);

// The link: open on a port (1 to 99, 100 a serial-type USB device, 102), the
// check that the logger still answers, the connect and monitor step, and
// closing, resetting (devices released) and aborting (no draining).
bool xhwComOpen(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices);
bool xhwComIsOpen(CxhwBox& box, bool drain, bool slowDrain);
bool xhwComMonitor(CxhwBox& box, bool first, wxString& stamp, int& power, int values[6]);
bool xhwComClose(CxhwBox& box);
bool xhwComCloseAndDetach(CxhwBox& box);
bool xhwComAbort(CxhwBox& box);
