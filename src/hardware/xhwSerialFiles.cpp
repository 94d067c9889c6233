#include "hardware/xhwSerialFiles.h"

#include <algorithm>

namespace {
constexpr int kMaxReadings = 20001;
} // namespace

double xutComPeriodSeconds(int mode, int number)
{
    switch (mode) {
    case 29: return number / 100.0;
    case 30: return number * 60.0;
    case 61: return number / 64.0;
    case 62: return number * 256.0;
    default: return number;
    }
}

int xutComFileKind(int mode)
{
    switch ((mode >> 5) & 3) {
    case 1: return 1;
    case 2: return 3;
    default: return 2;
    }
}

int xutComFileReadings(const uint8_t header[16])
{
    return std::min(header[10] | (header[11] << 8), kMaxReadings);
}

int xhwType2CheckHeader(const uint8_t h[kType2HeaderSize])
{
    if (h[0] != 0x4C || h[1] != 0x4F || h[2] != 0x47 || h[3] != 0x01)
        return 1;
    if (h[46] != 0x00 && h[46] != 0xFF)
        return 2;
    if (h[22] == 0xFF)
        return 4;
    if (h[22] == 0 && h[26] == 0 && h[30] == 0)
        return 5;
    if ((h[16] | (h[17] << 8)) < kType2HeaderSize)
        return 6;
    if (h[63] & 0x08)
        return 7;
    return 0;
}

int xhwType2CountEntries(const uint8_t h[kType2HeaderSize])
{
    int e = 0;
    while (e < kType2Entries && h[22 + 4 * e] != 0xFF)
        ++e;
    return e;
}

int xhwType2UsedEntries(const uint8_t h[kType2HeaderSize], int used[6])
{
    const int e = xhwType2CountEntries(h);
    int k = 0;
    for (int j = 0; j < e && k < 6; ++j)
        if (h[22 + 4 * j + 2] != 0)
            used[k++] = j;
    return k;
}

int xhwType2CountReadings(int limit, int start, int end, int first, int recordSize)
{
    if (recordSize <= 0)
        return 0;
    const int held = std::min(limit, end - start) - first;
    if (held <= 0)
        return 0;
    return std::min(held / recordSize, kMaxReadings);
}

int xhwLumivastaSigned(int low, int high)
{
    return int16_t(uint16_t((low & 0xFF) | ((high & 0xFF) << 8)));
}

int xhwLumivastaReadingCount(const uint8_t* h)
{
    const int high = std::min<int>(h[3], 125);
    return std::min(h[2] + high * 256, kMaxReadings);
}

int xhwLumivastaDeclaredChannels(const uint8_t* h)
{
    return (h[4] & 0x0F) + (h[4] >> 7);
}

int xhwLumivastaInputsPresent(const uint8_t* h)
{
    int n = 0;
    for (int i = 0; i < 6; ++i)
        n += h[33 + i] != 0;
    return n;
}

int xhwLumivastaRecordSize(const uint8_t* h)
{
    return 2 * xhwLumivastaDeclaredChannels(h);
}

int xhwLumivastaFileKind(int mode)
{
    switch (mode) {
    case 2: return 3;
    case 3: return 2;
    case 4: return 3;
    case 5: return 4;
    default: return 1;
    }
}

double xhwLumivastaPeriodUnit(int code)
{
    switch (code) {
    case 2: return 1e-6;
    case 3: return 1e-3;
    case 5: return 60.0;
    case 6: return 3600.0;
    case 7: return 86400.0;
    default: return 1.0;
    }
}

float xhwLumivastaScale(int code)
{
    switch (code) {
    case 0: return 1.0f;
    case 1: return 0.1f;
    case 2: return 0.01f;
    case 3: return 0.001f;
    case 4: return 0.0001f;
    default: return 10.0f;
    }
}

wxString xhwLumivastaSectionOrder(int p, int e, int n)
{
    if (p > e) {
        if (e > n)
            return "NEP";
        if (p > n)
            return "ENP";
        return "EPN";
    }
    if (p > n)
        return "NPE";
    if (e > n)
        return "PNE";
    return "PEN";
}

int64_t xhwLumivastaEventIndex(int64_t word, float period)
{
    if (!(period > 0.0f))
        period = 1.0f;
    return int64_t(double(word) / double(period));
}

bool xhwLumivastaAppendText(wxString& text, const uint8_t* bytes, int n)
{
    for (int i = 0; i < n; ++i) {
        unsigned char c = bytes[i];
        if (c == 0)
            return false;
        switch (c) {
        case 1: c = 0xB5; break;
        case 2: c = 0xB0; break;
        case 3: c = 'R'; break;
        case 18: c = 0xB2; break;
        default: break;
        }
        text += wxUniChar(unsigned(c)); // ISO 8859-1 is the first block of Unicode
    }
    return true;
}

wxString xhwLumivastaText(const uint8_t* h, int offset, int max)
{
    wxString text;
    if (offset < 0 || offset >= kLumivastaHeaderSize)
        return text;
    xhwLumivastaAppendText(text, h + offset, std::min(max, kLumivastaHeaderSize - offset));
    return text;
}

wxString xhwLumivastaChannelName(const uint8_t* h, int channel)
{
    return xhwLumivastaText(h, 48 + 16 * channel, 16);
}

wxString xhwLumivastaChannelUnits(const uint8_t* h, int channel)
{
    return xhwLumivastaText(h, 160 + 6 * channel, 6);
}
