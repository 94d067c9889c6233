#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwKestilonDriver.h"
#include "protocol/xutRateTable.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Triggered fast capture, oscilloscope and timing of box types 10 and 12.

namespace {

constexpr int kRatePeriods[] = {25, 50, 100, 200, 500, 1000, 2000, 5000, 10000};
constexpr int kScopePeriods[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000};
constexpr int kMaxStep = 200;

int Word(const uint8_t* b) { return b[0] << 8 | b[1]; }

bool ReadByte(CxutXLogger& link, uint8_t& byte) { return link.Read(1, &byte, 1.0); }

// The capture's opening bytes on new firmware: 0xFF and input 0's IdCode
// for one value a frame, 0xFE, both IdCodes and 0 for two. -1 a wrong
// header or a failed read, 0 more bytes needed, 1 done.
int ReadFrameHeader(CxhwBox& box, int& n)
{
    CxutXLogger& link = box.m_xlogger;
    while (box.m_run.m_received < 2) {
        if (n < 2)
            return 0;
        uint8_t kind = 0;
        if (!ReadByte(link, kind))
            return -1;
        box.m_run.m_received += 1;
        if (kind == 0xFE) {
            uint8_t ids[3];
            if (!link.Read(3, ids, 1.0))
                return -1;
            box.m_run.m_received += 3;
            if (ids[0] != box.m_sensors[0].m_idCode || ids[1] != box.m_sensors[1].m_idCode
                || ids[2] != 0)
                return -1;
            box.m_run.m_samplesPerFrame = 2;
            n -= 4;
        } else if (kind == 0xFF) {
            uint8_t id = 0;
            if (!ReadByte(link, id))
                return -1;
            box.m_run.m_received += 1;
            if (id != box.m_sensors[0].m_idCode)
                return -1;
            box.m_run.m_samplesPerFrame = 1;
            n -= 2;
        } else {
            return -1;
        }
    }
    return 1;
}

// Old firmware opens every capture with 0xFF 0x00.
int ReadOldHeader(CxhwBox& box, int& n)
{
    while (box.m_run.m_received < 2) {
        if (n < 2)
            return 0;
        uint8_t b[2];
        if (!box.m_xlogger.Read(2, b, 1.0) || b[0] != 0xFF || b[1] != 0x00)
            return -1;
        box.m_run.m_received += 2;
        n -= 2;
    }
    return 1;
}

int FrameValues(const CxhwBox& box)
{
    return box.m_run.m_samplesPerFrame == 2 ? 2 : 1;
}

bool Fail(CxhwBox& box, int& count)
{
    count = 0;
    xhwKestilonStopAndIdentify(box);
    return false;
}

bool StartScopeCapture(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    info.m_info = box.m_info;
    CxutRateTable table;
    xhwKestilonGetScopeRates(info, table);
    const int row = std::clamp(box.m_scopeRateIndex, 0, std::max(table.m_count - 1, 0));
    const int period = table.m_rows[row].m_period;
    int step = 0;
    box.m_run.m_deviceInterval = 0.00002;
    box.m_run.m_deviceIntervalUs = 20;
    if (period != 20) {
        step = std::clamp(period / 50, 1, kMaxStep);
        box.m_run.m_deviceInterval = step * 0.00005;
        box.m_run.m_deviceIntervalUs = step * 50;
    }
    box.m_run.m_readingsToTake = table.m_rows[row].m_readings;
    box.m_run.m_received = 0;
    link.Flush();
    const uint8_t input = uint8_t(box.m_run.m_scopeInput);
    if (link.IsUSBLink()) {
        const uint8_t command[3] = {0x64, input, uint8_t(step)};
        uint8_t echo[3];
        return link.Write(3, command) && link.Read(3, echo, 1.0)
               && std::equal(echo, echo + 3, command);
    }
    if (!link.IsBtleLink())
        return false;
    uint8_t b = 0;
    if (xhwKestilonNewFirmware(box)) {
        const uint8_t command[5] = {0x06, 0x89, 0x00, 0x00, uint8_t(step)};
        link.Write(5, command);
        link.ResetKeepAlive();
        if (!ReadByte(link, b) || b != 0x53 || !ReadByte(link, b))
            return false;
        if (b == 0x63)
            return true;
        link.ResetKeepAlive();
        return false;
    }
    const uint8_t command[5] = {0x06, 0x89, input, 0x00, uint8_t(step)};
    if (!link.Write(5, command) || !ReadByte(link, b) || b != 0x53 || !ReadByte(link, b))
        return false;
    if (b == 0x63)
        return true;
    if (b == 0xFF && ReadByte(link, b) && b == 0x00) {
        box.m_run.m_received += 2;
        return true;
    }
    return false;
}

bool StartScopeCaptureTwice(CxhwBox& box)
{
    if (StartScopeCapture(box))
        return true;
    xhwKestilonStopAndIdentify(box);
    if (StartScopeCapture(box))
        return true;
    xhwKestilonStopAndIdentify(box);
    return false;
}

} // namespace

void xhwKestilonUnpack12(const uint8_t* bytes, int samples, int k, int* out)
{
    // Three bytes carry two 12-bit samples of one input; with two inputs the
    // groups alternate A, B.
    const int groups = samples / 2;
    for (int g = 0; g < groups; ++g) {
        const uint8_t* b = bytes + 3 * g;
        const int first = ((b[0] << 8) | b[2]) & 0xFFF0;
        const int second = (b[1] << 8) | ((b[2] & 0x0F) << 4);
        if (k == 2) {
            const int pair = g / 2;
            const int input = g % 2;
            out[4 * pair + input] = first;
            out[4 * pair + 2 + input] = second;
        } else {
            out[2 * g] = first;
            out[2 * g + 1] = second;
        }
    }
}

int64_t xhwKestilonTimingDelta(int tick, int lastTick)
{
    if (lastTick < 0)
        return 0;
    // The counter wraps at 65536; a record straddling the wrap still moves
    // the time on.
    const int64_t d = (tick - lastTick) & 0xFFFF;
    return d == 0 && tick == 0 ? 65536 : d;
}

int xhwKestilonTimingState(int boxType, int mask, uint8_t s)
{
    int state = s & 0x0F;
    if (boxType == BOX_TYPE_TUNDRANE2)
        state ^= 0x0F;
    return state | (~mask & 0x0F);
}

void xhwKestilonGetFastRates(const CxutBoxPublicInfo&, CxutRateTable& table)
{
    const int count = xutGetDefaultRateCode(BOX_TYPE_KESTILON);
    for (int i = 0; i < CxutRateTable::kRows; ++i) {
        table.m_rows[i].m_period = i < 9 ? kRatePeriods[i] : 0;
        table.m_rows[i].m_readings = count;
        table.m_rows[i].m_points = count;
    }
    table.m_count = 9;
    table.m_default = 2;
}

void xhwKestilonGetScopeRates(const CxutBoxPublicInfo& info, CxutRateTable& table)
{
    const bool usb = info.m_info.m_comIsPortUsb;
    const bool newFirmware = xhwFirmwareHundredths(info.m_info.m_firmware) > 102;
    const int readings = usb ? 251 : newFirmware ? 101 : 98;
    for (int i = 0; i < CxutRateTable::kRows; ++i) {
        table.m_rows[i].m_period = i < 9 ? kScopePeriods[i] : 0;
        table.m_rows[i].m_readings = readings;
        table.m_rows[i].m_points = usb ? 251 : 101;
    }
    table.m_count = 9;
    table.m_default = 2;
}

// ---- Triggered fast capture ----------------------------------------------

bool xhwKestilonStartSetupLogging(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    box.m_run.m_setupLogging = true;
    box.m_run.m_multiInput = false;
    const CxhwBoxes* manager = box.GetManager();
    const double requested = manager ? manager->GetSamplePeriod() : 0.0;
    int step = 0;
    if (requested >= 0.00004) {
        const double steps = std::floor(requested / 0.00005);
        step = steps <= 0.0 ? 1 : int(std::min(steps, double(kMaxStep)));
    }
    box.m_run.m_deviceInterval = step == 0 ? 0.000025 : step * 0.00005;
    box.m_run.m_deviceIntervalUs = step == 0 ? 25 : step * 50;
    box.m_run.m_readingsToTake = xutGetDefaultRateCode(box.m_info.m_hardware);
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    box.m_run.m_scopeInput = info.FindTriggerInput(false, 0);
    box.m_run.m_received = 0;
    link.Flush();
    const bool newFirmware = xhwKestilonNewFirmware(box);
    const uint8_t trigger = uint8_t(box.m_run.m_scopeInput);
    bool ok = false;
    if (link.IsUSBLink()) {
        const uint8_t command[3] = {0x78, trigger, uint8_t(step)};
        uint8_t echo[3];
        ok = link.Write(3, command) && link.Read(3, echo, 1.0) && std::equal(echo, echo + 3, command);
    } else if (link.IsBtleLink()) {
        const uint8_t command[5] = {0x06, 0x8A, uint8_t(newFirmware ? 0 : trigger), 0x00,
                                    uint8_t(step)};
        uint8_t b = 0;
        ok = link.Write(5, command) && ReadByte(link, b) && b == 0x54 && ReadByte(link, b);
        if (ok && b != 0x72) {
            ok = b == 0xFF && ReadByte(link, b) && b == 0x00;
            if (ok)
                box.m_run.m_received += 2;
        }
    }
    if (!ok)
        xhwKestilonStopAndIdentify(box);
    return ok;
}

bool xhwKestilonReadSetupLogging(CxhwBox& box, int values[6], int& count)
{
    count = 0;
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsReady())
        return false;
    int n = int(link.GetInputCount());
    if (xhwKestilonNewFirmware(box)) {
        const int header = ReadFrameHeader(box, n);
        if (header < 0)
            return Fail(box, count);
        if (header == 0)
            return true;
        const int k = FrameValues(box);
        const double total = box.m_run.m_readingsToTake * 2 * k + (k == 1 ? 2 : 4);
        const int remaining = int((total - box.m_run.m_received) / (2 * k));
        const int waiting = n / (2 * k);
        if (std::min(remaining, waiting) <= 0)
            return true;
        uint8_t frame[4];
        if (!link.Read(2 * k, frame, 1.0))
            return Fail(box, count);
        for (int i = 0; i < k; ++i)
            values[i] = Word(frame + 2 * i);
        count = k;
        box.m_run.m_received += 2 * k;
        return true;
    }
    const int header = ReadOldHeader(box, n);
    if (header < 0)
        return Fail(box, count);
    if (header == 0 || n < 2)
        return true;
    const int input = box.m_run.m_scopeInput;
    uint8_t b[2];
    // Without a trigger input there is no slot for the reading.
    if (input < 0 || input >= CxhwBox::kInputs || !link.Read(2, b, 0.1))
        return Fail(box, count);
    box.m_run.m_received += 2;
    values[input] = Word(b);
    count = 1;
    return true;
}

bool xhwKestilonStopSetupLogging(CxhwBox& box)
{
    xhwKestilonStopAndIdentify(box);
    return true;
}

// ---- Oscilloscope ---------------------------------------------------------

bool xhwKestilonStartScope(CxhwBox& box)
{
    box.m_run.m_scopeMode = true;
    box.m_run.m_multiInput = false;
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    box.m_run.m_scopeInput = info.FindScopeInput(false, 0);
    if (box.GetManager())
        box.m_scopeRateIndex = box.GetManager()->GetScopeSetting();
    return StartScopeCaptureTwice(box);
}

bool xhwKestilonCaptureScope(CxhwBox& box)
{
    if (!xhwKestilonStopMode(box) && !xhwKestilonIdentify(box, true, true))
        return false;
    if (box.GetManager())
        box.m_scopeRateIndex = box.GetManager()->GetScopeSetting();
    return StartScopeCaptureTwice(box);
}

bool xhwKestilonStopScope(CxhwBox& box)
{
    xhwKestilonStopMode(box);
    return xhwKestilonIdentify(box, true, false);
}

bool xhwKestilonReadScope(CxhwBox& box, int* values, int& count)
{
    count = 0;
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsReady())
        return false;
    const bool newFirmware = xhwKestilonNewFirmware(box);
    const int readings = int(box.m_run.m_readingsToTake);
    double& counted = box.m_run.m_received;
    if (link.IsBtleLink() && newFirmware) {
        link.KeepAlive();
        int n = int(link.GetInputCount());
        const int header = ReadFrameHeader(box, n);
        if (header < 0)
            return Fail(box, count);
        if (header == 0)
            return true;
        const int k = FrameValues(box);
        const int multiple = k == 1 ? 2 : 4;
        const int rounded = (readings + multiple - 1) / multiple * multiple;
        const int length = (k == 1 ? 2 : 4) + rounded * 3 * k / 2;
        if (counted < length) {
            const int remaining = int(2 * (length - counted) / (3 * k));
            const int waiting = n / (3 * k) * 2 / (2 * k) * (2 * k);
            const int m = std::min({remaining, waiting, CxhwBox::kScopeValues / k});
            if (m <= 0)
                return true;
            const int bytes = 3 * k * m / 2;
            std::vector<uint8_t> buffer(static_cast<size_t>(bytes));
            if (!link.Read(bytes, buffer.data(), 1.0))
                return Fail(box, count);
            counted += bytes;
            count = m * k;
            xhwKestilonUnpack12(buffer.data(), count, k, values);
            // The capture is sent in whole groups; the surplus samples of the
            // last group are not readings.
            if (counted >= length && rounded > readings)
                count -= k * (rounded - readings);
            return true;
        }
        const int padded = (length + 19) / 20 * 20;
        const int drop = std::min(n, int(padded - counted));
        if (drop > 0) {
            std::vector<uint8_t> buffer(static_cast<size_t>(drop));
            if (!link.Read(drop, buffer.data(), 1.0))
                return Fail(box, count);
            counted += drop;
        }
        if (counted >= padded)
            counted -= padded;
        return true;
    }
    int n = int(link.GetInputCount());
    if (link.IsBtleLink()) {
        const int header = ReadOldHeader(box, n);
        if (header < 0)
            return Fail(box, count);
        if (header == 0)
            return true;
        const int c = std::min({n, int(readings + 2 - counted), CxhwBox::kScopeValues});
        if (c <= 0)
            return true;
        std::vector<uint8_t> buffer(static_cast<size_t>(c));
        if (!link.Read(c, buffer.data(), 1.0))
            return Fail(box, count);
        for (int i = 0; i < c; ++i)
            values[i] = buffer[size_t(i)] * 256;
        count = c;
        counted += c;
        if (counted >= readings + 2)
            counted -= readings + 2;
        return true;
    }
    if (!link.IsUSBLink())
        return false;
    if (newFirmware) {
        const int header = ReadFrameHeader(box, n);
        if (header < 0)
            return Fail(box, count);
        if (header == 0)
            return true;
        const int k = FrameValues(box);
        const int total = readings * 2 * k + (k == 1 ? 2 : 4);
        const int m = std::min({n / (2 * k), int((total - counted) / (2 * k)), CxhwBox::kScopeValues / k});
        if (m <= 0)
            return true;
        std::vector<uint8_t> buffer(static_cast<size_t>(2 * k * m));
        if (!link.Read(2 * k * m, buffer.data(), 1.0))
            return Fail(box, count);
        for (int i = 0; i < m * k; ++i)
            values[i] = Word(&buffer[size_t(2 * i)]);
        count = m * k;
        counted += 2 * k * m;
        if (counted >= total)
            counted -= total;
        return true;
    }
    const int header = ReadOldHeader(box, n);
    if (header < 0)
        return Fail(box, count);
    if (header == 0)
        return true;
    const int c = std::min({readings + 1 - int(counted) / 2, n / 2, CxhwBox::kScopeValues});
    if (c <= 0)
        return true;
    std::vector<uint8_t> buffer(static_cast<size_t>(2 * c));
    if (!link.Read(2 * c, buffer.data(), 1.0))
        return Fail(box, count);
    for (int i = 0; i < c; ++i)
        values[i] = Word(&buffer[size_t(2 * i)]);
    count = c;
    counted += 2 * c;
    if (counted >= 2 * readings + 2)
        counted -= 2 * readings + 2;
    return true;
}

// ---- Timing ---------------------------------------------------------------

bool xhwKestilonStartTiming(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    if (link.IsBtleLink()) {
        std::vector<uint8_t> request;
        int asked = 0;
        for (int i = 0; i < box.m_info.m_maxSensors && i < CxhwBox::kInputs; ++i) {
            if (box.m_timingIdentify & (1 << i)) {
                request.push_back(0x04);
                request.push_back(uint8_t(i));
                ++asked;
            }
        }
        if (!request.empty())
            link.Write(int(request.size()), request.data());
        for (int i = 0; i < asked; ++i) {
            uint8_t reply[2];
            if (!link.Read(2, reply, 1.0))
                break;
        }
        box.m_lastTimingTick = -1;
        const uint8_t start[2] = {0x06, 0x85};
        link.Write(2, start);
    } else if (link.IsUSBLink()) {
        uint8_t reply[16];
        link.SendByte(0x06);
        link.Read(16, reply, 1.0);
        box.m_lastTimingTick = -1;
        const uint8_t start[2] = {0x32, 0x01};
        link.Write(2, start);
    } else {
        return false;
    }
    link.ResetKeepAlive();
    link.BeginBlock();
    return true;
}

bool xhwKestilonReadTiming(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsReady())
        return false;
    link.KeepAlive();
    int a = int(link.WaitForInput(3, 5)) / 3 * 3;
    if (a < 1)
        return link.EndBlock();
    link.BeginBlock();
    CxutTimerStatus status = box.m_timing.GetStatus();
    while (a > 0) {
        const int c = a < 256 ? a : 255;
        uint8_t buffer[255];
        if (!link.Read(c, buffer, 1.0))
            return false;
        std::vector<CxutTimerEvent> events;
        for (int r = 0; r + 3 <= c; r += 3) {
            const int tick = buffer[r] << 8 | buffer[r + 1];
            status.Ticks += uint64_t(xhwKestilonTimingDelta(tick, box.m_lastTimingTick));
            box.m_lastTimingTick = tick;
            const int state = xhwKestilonTimingState(box.m_info.m_hardware, box.m_timingMask,
                                                     buffer[r + 2]);
            if (state != status.States) {
                events.push_back(CxutTimerEvent{status.Ticks, state});
                status.States = state;
                status.Ticks = 0;
            }
        }
        if (!box.m_timing.Put(status, events.data(), uint32_t(events.size())))
            return false;
        a -= c;
    }
    return true;
}

bool xhwKestilonStopTiming(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    if (link.IsBtleLink()) {
        link.SendByte(0x1B);
    } else if (link.IsUSBLink()) {
        const uint8_t stop[2] = {0x32, 0x00};
        link.Write(2, stop);
    }
    link.WaitForVersion(box.m_info.m_firmware);
    return xhwKestilonIdentify(box, true, false);
}
