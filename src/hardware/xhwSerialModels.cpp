#include "hardware/xhwSerialModels.h"

// The byte link is not built yet: each routine gives the answer of a logger
// that does not reply (battery "no reply" codes, clock 3, timing false, file
// queries failed, downloads 1).

int xhwType2GetPower(CxhwBox&) { return 101; }
int xhwType2CheckClock(CxhwBox&) { return 3; }
int xhwType2SetClock(CxhwBox&, const wxDateTime&) { return 3; }
bool xhwType2StartTiming(CxhwBox&) { return false; }
int xhwType2GetStoredFileMask(CxhwBox&) { return -1; }
int xhwType2FetchFile(CxhwBox&, int) { return 1; }

int xhwType3GetPower(CxhwBox&) { return 101; }

int xhwPardovineGetPower(CxhwBox&) { return 101; }
int xhwPardovineSetClock(CxhwBox&, const wxDateTime&) { return 3; }
int xhwPardovineCheckClock(CxhwBox&) { return 3; }

int xhwTundraneGetPower(CxhwBox&) { return -12; }
int xhwTundraneSetClock(CxhwBox&, const wxDateTime&) { return 3; }
int xhwTundraneCheckClock(CxhwBox&) { return 3; }

int xhwLumivastaGetPower(CxhwBox&) { return 0; }
int xhwLumivastaSetClock(CxhwBox&, const wxDateTime&) { return 3; }
int xhwLumivastaCheckClock(CxhwBox&) { return 3; }
bool xhwLumivastaStartTiming(CxhwBox&) { return false; }
bool xhwLumivastaReadTiming(CxhwBox&) { return false; }
bool xhwLumivastaStopTiming(CxhwBox&) { return true; }
int xhwLumivastaCountStoredFiles(CxhwBox&) { return -2; }
int xhwLumivastaGetStoredFileMask(CxhwBox&) { return -1; }
int xhwLumivastaReadFileInfo(CxhwBox&, CxutFetchFile&, int) { return 1; }
int xhwLumivastaFetchFile(CxhwBox&, int) { return 1; }

int xhwZembrowGetPower(CxhwBox&) { return -12; }
int xhwZembrowSetClock(CxhwBox&, const wxDateTime&) { return 3; }
int xhwZembrowCheckClock(CxhwBox&) { return 3; }

int xhwCindrallyGetPower(CxhwBox&) { return 103; }

int xutComCountStoredFiles(CxhwBox&) { return -2; }
int xutComGetStoredFileMask(CxhwBox&) { return -1; }
int xutComReadFileInfo(CxhwBox&, CxutFetchFile&, int) { return 1; }
int xutComFetchFile(CxhwBox&, int) { return 1; }
