#pragma once
#include <wx/string.h>

class CxhwBox;
class CxhwUSBDeviceV;
class CxutBoxPublicInfo;
class CxutFetchFile;
class CxutRateTable;

// Box types 10 and 12: the command protocol over USB HID or Bluetooth LE.

int xhwKestilonGetStoredFileSlots();
void xhwKestilonGetScopeRates(const CxutBoxPublicInfo& info, CxutRateTable& table);
void xhwKestilonGetFastRates(const CxutBoxPublicInfo& info, CxutRateTable& table);
bool xhwKestilonReadValues(CxhwBox& box, int values[6]);
bool xhwKestilonStartStream(CxhwBox& box, double period);
bool xhwKestilonReadStream(CxhwBox& box, int* values, int& count, int max, int nextTime,
                           int step);
bool xhwKestilonStopStream(CxhwBox& box);
bool xhwKestilonStartSetupLogging(CxhwBox& box);
bool xhwKestilonReadSetupLogging(CxhwBox& box, int values[6], int& count);
bool xhwKestilonStopSetupLogging(CxhwBox& box);
bool xhwKestilonStartScope(CxhwBox& box);
bool xhwKestilonReadScope(CxhwBox& box, int* values, int& count);
bool xhwKestilonCaptureScope(CxhwBox& box);
bool xhwKestilonStopScope(CxhwBox& box);
bool xhwKestilonStartTiming(CxhwBox& box);
bool xhwKestilonReadTiming(CxhwBox& box);
bool xhwKestilonStopTiming(CxhwBox& box);
bool xhwKestilonSetOutputs(CxhwBox& box, int mask, bool force);
void xhwKestilonReadName(CxhwBox& box, wxString& text, int& kind);
int xhwKestilonWriteName(CxhwBox& box, const wxString& text, int& kind);
int xhwKestilonGetStoredFileCount(CxhwBox& box);
int xhwKestilonGetStoredFileMask(CxhwBox& box);
int xhwKestilonReadStoredFileHeader(CxhwBox& box, CxutFetchFile& file, int slot);
int xhwKestilonFetchFile(CxhwBox& box, int slot);
// Fills the box's stored-file mailbox from the logger's file headers.
void xhwKestilonListStoredFiles(CxhwBox& box);

// The link: open on port 100 or 103, identify again (draining first), the
// connect and monitor step, and closing, resetting and aborting.
bool xhwKestilonOpen(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices);
bool xhwKestilonIdentify(CxhwBox& box, bool drain, bool slowDrain);
bool xhwKestilonMonitor(CxhwBox& box, bool first, wxString& name, int& power, int values[6]);
bool xhwKestilonClose(CxhwBox& box);
bool xhwKestilonCloseAndDetach(CxhwBox& box);
bool xhwKestilonAbort(CxhwBox& box);
