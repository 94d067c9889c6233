#pragma once

class CxhwBox;
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

int xhwType3GetPower(CxhwBox& box);

int xhwPardovineGetPower(CxhwBox& box);
int xhwPardovineSetClock(CxhwBox& box, const wxDateTime& time);
int xhwPardovineCheckClock(CxhwBox& box);

int xhwTundraneGetPower(CxhwBox& box);
int xhwTundraneSetClock(CxhwBox& box, const wxDateTime& time);
int xhwTundraneCheckClock(CxhwBox& box);

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

int xhwZembrowGetPower(CxhwBox& box);
int xhwZembrowSetClock(CxhwBox& box, const wxDateTime& time);
int xhwZembrowCheckClock(CxhwBox& box);

int xhwCindrallyGetPower(CxhwBox& box);

// Slot stored files of box types 4, 5 and 8.
int xutComCountStoredFiles(CxhwBox& box);
int xutComGetStoredFileMask(CxhwBox& box);
int xutComReadFileInfo(CxhwBox& box, CxutFetchFile& file, int slot);
int xutComFetchFile(CxhwBox& box, int slot);
