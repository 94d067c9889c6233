#include "hardware/xhwKestilonDriver.h"

#include "hardware/xhwBox.h"

// The command link is not built yet: every operation that would talk to the
// logger fails, so the box reports it as not answering.

int xhwKestilonGetStoredFileSlots() { return 8; }
void xhwKestilonGetScopeRates(const CxutBoxPublicInfo&, CxutRateTable&) {}
void xhwKestilonGetFastRates(const CxutBoxPublicInfo&, CxutRateTable&) {}
bool xhwKestilonReadValues(CxhwBox&, int[6]) { return false; }
bool xhwKestilonStartStream(CxhwBox&, double) { return false; }
bool xhwKestilonReadStream(CxhwBox&, int*, int& count, int, int, int)
{
    count = 0;
    return false;
}
bool xhwKestilonStopStream(CxhwBox&) { return false; }
bool xhwKestilonStartSetupLogging(CxhwBox&) { return false; }
bool xhwKestilonReadSetupLogging(CxhwBox&, int[6], int& count)
{
    count = 0;
    return false;
}
bool xhwKestilonStopSetupLogging(CxhwBox&) { return true; }
bool xhwKestilonStartScope(CxhwBox&) { return false; }
bool xhwKestilonReadScope(CxhwBox&, int*, int& count)
{
    count = 0;
    return false;
}
bool xhwKestilonCaptureScope(CxhwBox&) { return false; }
bool xhwKestilonStopScope(CxhwBox&) { return false; }
bool xhwKestilonStartTiming(CxhwBox&) { return false; }
bool xhwKestilonReadTiming(CxhwBox&) { return false; }
bool xhwKestilonStopTiming(CxhwBox&) { return false; }
bool xhwKestilonSetOutputs(CxhwBox&, int, bool) { return false; }
void xhwKestilonReadName(CxhwBox&, wxString&, int& kind) { kind = 0; }
int xhwKestilonWriteName(CxhwBox&, const wxString&, int& kind)
{
    kind = 0;
    return 3;
}
int xhwKestilonGetStoredFileCount(CxhwBox&) { return -1; }
int xhwKestilonGetStoredFileMask(CxhwBox&) { return -1; }
int xhwKestilonReadStoredFileHeader(CxhwBox&, CxutFetchFile&, int) { return 1; }
int xhwKestilonFetchFile(CxhwBox&, int) { return 1; }
void xhwKestilonListStoredFiles(CxhwBox& box)
{
    box.m_fetch.ClearFiles();
    box.m_fetch.SetListResult(-2);
}
bool xhwKestilonOpen(CxhwBox&, int, const wxString&, CxhwUSBDeviceV*) { return false; }
bool xhwKestilonIdentify(CxhwBox&, bool, bool) { return false; }
bool xhwKestilonMonitor(CxhwBox&, bool, wxString&, int&, int[6]) { return false; }
bool xhwKestilonClose(CxhwBox&) { return false; }
bool xhwKestilonCloseAndDetach(CxhwBox&) { return false; }
bool xhwKestilonAbort(CxhwBox&) { return false; }
