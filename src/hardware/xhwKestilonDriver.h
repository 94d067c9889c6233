#pragma once
#include <cstdint>
#include <wx/string.h>

class CxhwBox;
class CxhwSensorV;
class CxutFetchHeader;
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

// A system installation's hand-over: the logger restarts in its USB boot
// loader and the link lets go of the device, which leaves the bus. False,
// with the install result SYSTEM_RESULT_NEEDS_USB and nothing sent, unless
// the link is a ready USB link.
bool xhwKestilonRestartInBootLoader(CxhwBox& box);
// The restart, then up to 5 s for the boot loader to open on USB; the
// install result SYSTEM_RESULT_NO_ANSWER when none does.
bool xhwKestilonInstallSystem(CxhwBox& box);

// Firmware above 1.02 speaks the newer forms of the capture commands.
bool xhwKestilonNewFirmware(const CxhwBox& box);
// Brings a logger left in a streaming mode back to the command state.
bool xhwKestilonStopMode(CxhwBox& box);
bool xhwKestilonStopAndIdentify(CxhwBox& box);
bool xhwKestilonReadSensorIds(CxhwBox& box, CxhwSensorV& sensors);
// The letters and digits of a name that the logger keeps.
wxString xhwKestilonNameToSend(const wxString& text);
// Capture decoding: 12-bit samples packed two in three bytes (k inputs
// alternating by group), the timing counter's step, and a timing record's
// input states (inputs outside the mask read as set).
void xhwKestilonUnpack12(const uint8_t* bytes, int samples, int k, int* out);
int64_t xhwKestilonTimingDelta(int tick, int lastTick);
int xhwKestilonTimingState(int boxType, int mask, uint8_t s);

// Stored files: the XOR checksum of a chunk, a header block's fields
// (status 0, or 13 out of range), and the reads of blocks, marks and chunks.
uint8_t xhwKestilonXor(const uint8_t* bytes, int n);
int xhwKestilonDecodeHeader(int slot, const uint8_t block[16], CxutFetchHeader& header,
                            CxutFetchFile& file);
bool xhwKestilonReadHeaderBlock(CxhwBox& box, int slot, uint8_t block[16]);
int xhwKestilonParseHeader(CxhwBox& box, int slot, CxutFetchHeader& header, CxutFetchFile& file);
bool xhwKestilonReadMarks(CxhwBox& box, int count, uint32_t* marks);
// A whole chunk (60 bytes on USB, 250 on Bluetooth LE) into a buffer of 251;
// its size, 0 when it failed.
int xhwKestilonReadChunk(CxhwBox& box, uint8_t* buffer);
