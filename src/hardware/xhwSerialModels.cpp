#include "hardware/xhwSerialModels.h"

#include "hardware/xhwBox.h"
#include "hardware/xhwComFrames.h"
#include "protocol/xutCom.h"

#include <algorithm>
#include <array>
#include <wx/datetime.h>
#include <wx/utils.h>

namespace {

// The 76 bytes of the small program that box type 2 runs for timing.
constexpr uint8_t kType2TimingProgram[] = {
    0x11, 0x08, 0x00, 0xcf, 0x04, 0x3e, 0x07, 0x11, 0x04, 0x00, 0xcf, 0x03, 0xf3, 0x0e, 0x55, 0x21,
    0x00, 0x02, 0x06, 0x04, 0x10, 0xfe, 0xed, 0x5f, 0xdb, 0xc0, 0xe6, 0xb0, 0xb9, 0xc2, 0x26, 0x7c,
    0x11, 0x08, 0x00, 0x19, 0x30, 0xec, 0x4f, 0xcb, 0x67, 0x20, 0x02, 0xcb, 0xc7, 0xcb, 0x6f, 0x20,
    0x02, 0xcb, 0xcf, 0xcb, 0x7f, 0x20, 0x02, 0xcb, 0xd7, 0xe6, 0x07, 0xb5, 0xcd, 0x45, 0x7c, 0x7c,
    0xcd, 0x45, 0x7c, 0x18, 0xca, 0xc5, 0xcd, 0x9e, 0x7f, 0xc1, 0xc9, 0x00};
static_assert(sizeof kType2TimingProgram == 76, "the timing program has 76 bytes");

constexpr uint16_t kClockAddress = 0x00A1;
constexpr uint16_t kYearAddress = 0x00A6;

// The clock takes at most 55 seconds: a later second would roll the minute
// while the other registers are written.
wxDateTime::Tm LocalParts(const wxDateTime& time)
{
    return time.GetTm(wxDateTime::Local);
}

int ClockSeconds(const wxDateTime::Tm& tm)
{
    return std::min<int>(tm.sec, 55);
}

// Second, minute, hour, day, month 1 to 12, year within the century.
std::array<int, 6> ClockParts(const wxDateTime::Tm& tm)
{
    return {ClockSeconds(tm), int(tm.min), int(tm.hour), int(tm.mday), int(tm.mon) + 1, tm.year % 100};
}

void Send(CxhwBox& box, std::initializer_list<uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), box.m_command);
    box.m_com.Write(int(bytes.size()), box.m_command);
}

// Pointer and register commands are followed by the time the logger needs.
void SendAndSettle(CxhwBox& box, std::initializer_list<uint8_t> bytes)
{
    Send(box, bytes);
    box.m_com.WaitTXEmpty();
    wxMilliSleep(50);
}

void ReadSingles(CxhwBox& box, int n, float seconds)
{
    for (int i = 0; i < n; ++i)
        box.m_com.ReadByte(seconds);
}

int PowerWord(CxhwBox& box)
{
    Send(box, {0x10, 0x03, 0x07});
    const int high = box.m_com.ReadByte(0.5f);
    const int low = box.m_com.ReadByte(0.5f);
    return xhwComWordToPower(high, low);
}

int ReadYearRegister(CxhwBox& box)
{
    xutComSetPointer(box, kYearAddress);
    return xutComReadAtPointer(box);
}

} // namespace

// ---- Memory pointer of types 4, 5 and 8 -----------------------------------

void xutComSetPointer(CxhwBox& box, int address)
{
    SendAndSettle(box, {21, uint8_t(address >> 8), uint8_t(address & 0xFF)});
}

void xutComWriteAtPointer(CxhwBox& box, int value)
{
    SendAndSettle(box, {25, uint8_t(value)});
}

int xutComReadAtPointer(CxhwBox& box)
{
    box.m_com.WriteByte(24);
    return box.m_com.ReadByte(0.5f);
}

void xutComDrain(CxhwBox& box)
{
    for (int i = 0; i < 1000 && box.m_com.ReadByte(0.05f) >= 0; ++i) {
    }
}

// ---- Box type 2 -----------------------------------------------------------

int xhwType2GetPower(CxhwBox& box)
{
    return PowerWord(box);
}

int xhwType2CheckClock(CxhwBox& box)
{
    Send(box, {0x1A, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x00});
    uint8_t reply[6];
    if (!box.m_com.Read(6, reply, 0.5f))
        return 3;
    if (reply[4] >= 20)
        return 0;
    return xhwType2SetClock(box, wxDateTime::Now());
}

int xhwType2SetClock(CxhwBox& box, const wxDateTime& time)
{
    const wxDateTime::Tm tm = LocalParts(time);
    Send(box, {0x1A, 0x1F, 0x00, uint8_t(tm.mon + 1), uint8_t(tm.mday), uint8_t(tm.year / 100),
               uint8_t(tm.year % 100)});
    ReadSingles(box, 6, 0.5f);
    Send(box, {0x1A, 0x1E, 0x00, uint8_t(tm.sec), 0x00, uint8_t(tm.hour), uint8_t(tm.min)});
    ReadSingles(box, 6, 0.5f);
    return 0;
}

bool xhwType2StartTiming(CxhwBox& box)
{
    Send(box, {0x15, 0x7C, 0x00});
    box.m_com.ReadByte(0.1f);
    for (uint8_t byte : kType2TimingProgram) {
        Send(box, {0x19, byte, 0x01});
        box.m_com.ReadByte(0.1f);
    }
    for (char c : wxString("G7C00")) {
        box.m_com.WriteByte(uint8_t(c));
        box.m_com.ReadByte(0.5f);
    }
    box.m_com.WriteByte(0x0D);
    for (int i = 0; i < 100; ++i) {
        const int c = box.m_com.ReadByte(0.5f);
        if (c < 0 || c == 0x0A)
            break;
    }
    return true;
}

// ---- Box type 3 -----------------------------------------------------------

int xhwType3GetPower(CxhwBox& box)
{
    return PowerWord(box);
}

// ---- Box type 4 -----------------------------------------------------------

int xhwPardovineGetPower(CxhwBox& box)
{
    const int p = PowerWord(box);
    if (box.m_info.m_compatible)
        return p;
    xutComSetPointer(box, 0x0005);
    const int supply = xutComReadAtPointer(box);
    if (supply >= 0 && (supply & 0x20))
        return 102; // on an external supply
    return std::min(p, 100);
}

int xhwPardovineGetPowerState(CxhwBox& box, int kind)
{
    if (kind == 1)
        return xhwPardovineGetPower(box);
    if (kind == 2 && !box.m_info.m_compatible) {
        xutComSetPointer(box, 0x002C);
        const int status = xutComReadAtPointer(box);
        return status >= 0 && (status & 0x04) ? 1 : 0;
    }
    return 0;
}

int xhwPardovineSetClock(CxhwBox& box, const wxDateTime& time)
{
    const wxDateTime::Tm tm = LocalParts(time);
    const std::array<int, 6> parts = ClockParts(tm);
    for (int i = 0; i < 6; ++i) {
        xutComSetPointer(box, kClockAddress + i);
        xutComWriteAtPointer(box, parts[i]);
    }
    return 0;
}

int xhwPardovineCheckClock(CxhwBox& box)
{
    const int year = ReadYearRegister(box);
    if (year < 5 || year > 85)
        xhwPardovineSetClock(box, wxDateTime::Now());
    return 0;
}

// ---- Box type 5 -----------------------------------------------------------

int xhwTundraneGetPower(CxhwBox& box)
{
    box.m_com.WriteByte(29);
    return xhwComByteToPower(box.m_com.ReadByte(0.5f));
}

int xhwTundraneGetPowerState(CxhwBox& box, int kind)
{
    return kind == 1 ? xhwTundraneGetPower(box) : 0;
}

int xhwTundraneSetClock(CxhwBox& box, const wxDateTime& time)
{
    const wxDateTime::Tm tm = LocalParts(time);
    xutComSetPointer(box, kClockAddress);
    for (int part : ClockParts(tm))
        xutComWriteAtPointer(box, part);
    return 0;
}

int xhwTundraneCheckClock(CxhwBox& box)
{
    const int year = ReadYearRegister(box);
    if (year < 5 || year > 99)
        xhwTundraneSetClock(box, wxDateTime::Now());
    return 0;
}

// ---- Box type 8 -----------------------------------------------------------

int xhwZembrowGetPower(CxhwBox& box)
{
    box.m_com.WriteByte(0x1D);
    return xhwComByteToPower(box.m_com.ReadByte(0.5f));
}

int xhwZembrowSetClock(CxhwBox& box, const wxDateTime& time)
{
    const wxDateTime::Tm tm = LocalParts(time);
    SendAndSettle(box, {0x15, 0x00, 0xA1});
    for (int part : ClockParts(tm))
        SendAndSettle(box, {0x19, uint8_t(part)});
    return 0;
}

int xhwZembrowCheckClock(CxhwBox& box)
{
    SendAndSettle(box, {0x15, 0x00, 0xA6});
    box.m_com.WriteByte(0x18);
    const int year = box.m_com.ReadByte(0.5f);
    if (year < 5 || year > 99)
        xhwZembrowSetClock(box, wxDateTime::Now());
    return 0;
}

// ---- Box type 9 -----------------------------------------------------------

int xhwCindrallyGetPower(CxhwBox&)
{
    return 103;
}
