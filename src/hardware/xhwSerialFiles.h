#pragma once
#include <cstdint>
#include <wx/string.h>

// The stored-file formats of the serial family, decoded without a port.

// ---- Slot files (box types 4, 5 and 8): 16-byte header, 8-byte readings.

// Period in seconds from the header's mode byte and period number.
double xutComPeriodSeconds(int mode, int number);
// Kind of run from bits 5-6 of the mode byte: 1, 3 or 2.
int xutComFileKind(int mode);
// Readings the header declares, at most 20001.
int xutComFileReadings(const uint8_t header[16]);

// ---- Box type 2: 64-byte header, records of 2e + 1 bytes.

constexpr int kType2HeaderSize = 64;
constexpr int kType2Entries = 7;

// 0 when the header can be read, else the refusal's detail code (1 to 7).
int xhwType2CheckHeader(const uint8_t header[kType2HeaderSize]);
// Entries of the channel table (up to the first 0xFF mark).
int xhwType2CountEntries(const uint8_t header[kType2HeaderSize]);
// The entries that carry a sensor, in order, at most six (the values a row
// can hold); returns their number.
int xhwType2UsedEntries(const uint8_t header[kType2HeaderSize], int used[6]);
// Readings held between the first record and the smaller of the header's
// length limit and the logger's end address, at most 20001.
int xhwType2CountReadings(int limit, int start, int end, int first, int recordSize);

// ---- Box type 6: memory images with a 518-byte header.

constexpr int kLumivastaHeaderSize = 518;
constexpr int kLumivastaBlock = 7;

inline int xhwLumivastaWord(const uint8_t* h, int at)
{
    return h[at] | (h[at + 1] << 8);
}
// A signed 16-bit value from its low and high byte.
int xhwLumivastaSigned(int low, int high);
// Readings the header declares (the high byte at most 125), at most 20001.
int xhwLumivastaReadingCount(const uint8_t* h);
// Channels each reading declares: H[4] bits 0-3 plus its leading-word bit.
int xhwLumivastaDeclaredChannels(const uint8_t* h);
// Inputs whose sensor id is non-zero.
int xhwLumivastaInputsPresent(const uint8_t* h);
int xhwLumivastaRecordSize(const uint8_t* h);
int xhwLumivastaFileKind(int mode);
// Seconds per period-number unit.
double xhwLumivastaPeriodUnit(int code);
// The factor of a channel's scale code.
float xhwLumivastaScale(int code);
// The order of the sections in the stream, of N (notes), E (events) and P
// (readings) from their offsets.
wxString xhwLumivastaSectionOrder(int readings, int events, int notes);
// Reading marked by an event: its word (with the wrap carry) over the period
// in single precision.
int64_t xhwLumivastaEventIndex(int64_t word, float period);

// Appends n bytes as text up to a 0 byte; true when no 0 byte ended them.
bool xhwLumivastaAppendText(wxString& text, const uint8_t* bytes, int n);
// Text from H at an offset, up to max characters (ends at a 0 byte or the
// header's end).
wxString xhwLumivastaText(const uint8_t* h, int offset, int max = 255);
wxString xhwLumivastaChannelName(const uint8_t* h, int channel);
wxString xhwLumivastaChannelUnits(const uint8_t* h, int channel);
