#pragma once
#include <cstdint>
#include <wx/string.h>

class CxhwBox;
class CxhwLumivastaWindow;
class CxutFetchFile;
class wxDateTime;

// The model routines of the serial family: battery, clock, timing of their
// own and the stored files kept in numbered slots.

int xhwType2GetPower(CxhwBox& box);
int xhwType2CheckClock(CxhwBox& box);
int xhwType2SetClock(CxhwBox& box, const wxDateTime& time);
bool xhwType2StartTiming(CxhwBox& box);
int xhwType2GetStoredFileMask(CxhwBox& box);
int xhwType2FetchFile(CxhwBox& box, int slot);
// Sends each character and waits for its echo, then CR and the CR LF echo.
bool xhwType2SendCommandText(CxhwBox& box, const wxString& text);
// The 16-bit sum that follows a transfer, and its closing '$'.
bool xhwType2ReadChecksum(CxhwBox& box, int& sum);

int xhwType3GetPower(CxhwBox& box);

int xhwPardovineGetPower(CxhwBox& box);
int xhwPardovineSetClock(CxhwBox& box, const wxDateTime& time);
int xhwPardovineCheckClock(CxhwBox& box);
int xhwPardovineGetPowerState(CxhwBox& box, int kind);

int xhwTundraneGetPower(CxhwBox& box);
int xhwTundraneSetClock(CxhwBox& box, const wxDateTime& time);
int xhwTundraneCheckClock(CxhwBox& box);
int xhwTundraneGetPowerState(CxhwBox& box, int kind);

int xhwLumivastaGetPower(CxhwBox& box);
int xhwLumivastaSetClock(CxhwBox& box, const wxDateTime& time);
int xhwLumivastaCheckClock(CxhwBox& box);
bool xhwLumivastaStartTiming(CxhwBox& box);
bool xhwLumivastaReadTiming(CxhwBox& box);
bool xhwLumivastaStopTiming(CxhwBox& box);
int xhwLumivastaCountStoredFiles(CxhwBox& box);
int xhwLumivastaGetStoredFileMask(CxhwBox& box);
int xhwLumivastaReadFileInfo(CxhwBox& box, CxutFetchFile& file, int slot);
int xhwLumivastaFetchFile(CxhwBox& box, int slot);
int xhwLumivastaGetPowerState(CxhwBox& box, int kind);
int xhwLumivastaGetFileSlots();
int xhwLumivastaReadFileHeader(CxhwBox& box, CxutFetchFile& file, CxhwLumivastaWindow& window, int slot,
                               bool anyState);

int xhwZembrowGetPower(CxhwBox& box);
int xhwZembrowSetClock(CxhwBox& box, const wxDateTime& time);
int xhwZembrowCheckClock(CxhwBox& box);

int xhwCindrallyGetPower(CxhwBox& box);

// Slot stored files of box types 4, 5 and 8.
int xutComCountStoredFiles(CxhwBox& box);
int xutComGetStoredFileMask(CxhwBox& box);
int xutComReadFileInfo(CxhwBox& box, CxutFetchFile& file, int slot);
int xutComFetchFile(CxhwBox& box, int slot);
// Slots 0 to count - 1 (box type 6 has six).
int xutComGetFileMask(CxhwBox& box, int count);
// Sends 30, slot; false when no state came.
bool xutComQueryStoredFile(CxhwBox& box, int slot, int& state);
int xutComReadFileHeader(CxhwBox& box, CxutFetchFile& file, uint8_t block[16], int slot, bool anyState);
// length bytes as blocks of blockSize (command 22 each); the buffer holds
// whole blocks.
bool xutComReadBlocks(CxhwBox& box, uint8_t* data, int length, int blockSize);

// The status request: true when the logger answered.
bool xutComRequestStatus(CxhwBox& box);

// The memory pointer and the byte at it (types 4, 5 and 8).
void xutComSetPointer(CxhwBox& box, int address);
void xutComWriteAtPointer(CxhwBox& box, int value);
int xutComReadAtPointer(CxhwBox& box);
void xutComDrain(CxhwBox& box);
