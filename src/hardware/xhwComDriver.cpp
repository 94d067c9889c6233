#include "hardware/xhwComDriver.h"

// The byte link is not built yet: every operation that would talk to the
// logger fails, so the box reports it as not answering.

bool xhwComStartPolling(CxhwBox&, int[6]) { return false; }
bool xhwComPoll(CxhwBox&, int[6]) { return false; }
bool xhwComStopPolling(CxhwBox&) { return true; }
bool xhwComStartSetupLogging(CxhwBox&) { return false; }
bool xhwComReadSetupLogging(CxhwBox&, int[6], int& count)
{
    count = 0;
    return false;
}
bool xhwComStopSetupLogging(CxhwBox&) { return true; }
bool xhwComStartScope(CxhwBox&) { return false; }
bool xhwComReadScope(CxhwBox&, int*, int& count)
{
    count = 0;
    return false;
}
bool xhwComCaptureScope(CxhwBox&) { return false; }
bool xhwComStopScope(CxhwBox&) { return false; }
bool xhwComGetTimingMask(CxhwBox&, int& mask)
{
    mask = 0;
    return false;
}
bool xhwComStartTiming(CxhwBox&) { return false; }
bool xhwComReadTiming(CxhwBox&) { return false; }
bool xhwComStopTiming(CxhwBox&) { return true; }
bool xhwComSetOutputs(CxhwBox&, int, bool) { return false; }
void xhwComReadStamp(CxhwBox&, wxString&, int& kind) { kind = 0; }
int xhwComWriteStamp(CxhwBox&, const wxString&, int, int& kind)
{
    kind = 0;
    return 3;
}
bool xhwComOpen(CxhwBox&, int, const wxString&, CxhwUSBDeviceV*) { return false; }
bool xhwComIsOpen(CxhwBox&, bool, bool) { return false; }
bool xhwComMonitor(CxhwBox&, bool, wxString&, int&, int[6]) { return false; }
bool xhwComClose(CxhwBox&) { return false; }
bool xhwComCloseAndDetach(CxhwBox&) { return false; }
bool xhwComAbort(CxhwBox&) { return false; }
