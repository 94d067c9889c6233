#include "hardware/xhwComFrames.h"

#include <algorithm>

void xhwComDecodeStreamFrame(const uint8_t frame[5], int values[3])
{
    const int low = frame[4];
    values[0] = frame[1] * 256 + ((low * 64) & 0xFF);
    values[1] = frame[2] * 256 + ((low & 0x0C) * 16);
    values[2] = frame[3] * 256 + ((low & 0x30) * 4);
}

int xhwComDecodeTimingRecords(const uint8_t* bytes, int n, int timingMask, CxutTimerStatus& carried,
                              CxutTimerEvent* events, int max)
{
    int count = 0;
    const int unused = ~timingMask & 7;
    for (int i = 0; i + 1 < n; i += 2) {
        const int b0 = bytes[i];
        const int b1 = bytes[i + 1];
        uint64_t delta = uint64_t(b1) * 32 + uint64_t(b0 / 16) * 2;
        if (delta == 0)
            delta = 8192; // the counter went round once without a change
        carried.Ticks += delta;
        const int32_t state = (b0 & 7) | unused;
        if (state != carried.States && count < max) {
            events[count].Ticks = carried.Ticks;
            events[count].States = state;
            ++count;
            carried.States = state;
            carried.Ticks = 0;
        }
    }
    return count;
}

int xhwComWordToPower(int high, int low)
{
    if (high < 0 || low < 0)
        return 101;
    const int word = high * 256 + low;
    if (word < 31744)
        return 0;
    if (word <= 33539)
        return (word * 100 - 3174400) / 1795;
    if (word <= 36096)
        return 100;
    return 101;
}

int xhwComByteToPower(int byte)
{
    if (byte < 0)
        return -12;
    return std::min(byte * 12, 100);
}

wxUniChar xhwComStampChar(wxUniChar c)
{
    static const wxString allowed =
        "01234567890 #$-+*/ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return allowed.Find(c) == wxNOT_FOUND ? wxUniChar(' ') : c;
}
