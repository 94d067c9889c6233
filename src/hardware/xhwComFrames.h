#pragma once
#include "hardware/xutTimerFIFO.h"

#include <cstdint>
#include <wx/string.h>

// What the serial-family loggers send, decoded without a port: the streamed
// 5-byte reading frames, the 2-byte timing records, battery words and bytes,
// and the characters a display stamp may hold.

// Three 10-bit readings, left-aligned in 16 bits; byte 0 is not used.
void xhwComDecodeStreamFrame(const uint8_t frame[5], int values[3]);

// Decodes n / 2 timing records onto the carried status (ticks since the last
// event, last state) and appends at most max events; returns their number.
// Inputs outside the timing mask read as set.
int xhwComDecodeTimingRecords(const uint8_t* bytes, int n, int timingMask, CxutTimerStatus& carried,
                              CxutTimerEvent* events, int max);

// Battery word (high byte × 256 + low byte, -1 parts when missing) to 0 to
// 101 (101: above the range or no reply).
int xhwComWordToPower(int high, int low);
// Battery byte × 12, at most 100; a missing byte (-1) gives -12.
int xhwComByteToPower(int byte);

// A character the logger's display can show, else a blank.
wxUniChar xhwComStampChar(wxUniChar c);
