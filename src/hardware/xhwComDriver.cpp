#include "hardware/xhwComDriver.h"

#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwComFrames.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwStoredFileList.h"
#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xhwSystemInstall.h"
#include "protocol/xutCom.h"
#include "protocol/xutRateTable.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <wx/utils.h>

namespace {

constexpr int kHeartbeatMs = 500;
constexpr int kScopeBase = 50; // µs of one step of the logger's sample clock
constexpr int kMaxSteps = 200;
constexpr int kStampLength = 32;

int InputCount(CxhwBox& box)
{
    return std::min(box.GetInputCount(), int(CxhwBox::kInputs));
}

bool IsPresent(const CxhwSensor& sensor)
{
    return sensor.m_idCode != 0 && sensor.m_enable;
}

int64_t NowMs()
{
    return zxWrapTime(wxGetUTCTimeMillis().GetValue());
}

// CalType modulo 32 with the sign of CalType, as one byte.
uint8_t CalCode(int calType)
{
    return uint8_t(calType % 32);
}

bool ReadWord(CxhwBox& box, float seconds, int& value)
{
    uint8_t reply[2];
    if (!box.m_com.Read(2, reply, seconds))
        return false;
    value = reply[0] * 256 + reply[1];
    return true;
}

bool ReadSix(CxhwBox& box, int* values)
{
    uint8_t reply[6];
    if (!box.m_com.Read(6, reply, 1.0f))
        return false;
    for (int i = 0; i < 3; ++i)
        values[i] = reply[2 * i] * 256 + reply[2 * i + 1];
    return true;
}

// Bytes the logger still sends after leaving a mode, for at most 0.5 s.
void DrainBriefly(CxhwBox& box)
{
    const wxLongLong end = wxGetUTCTimeMillis() + 500;
    while (wxGetUTCTimeMillis() < end && box.m_com.ReadByteStrict(0.1f) >= 0) {
    }
}

void LeaveStampMode(CxhwBox& box)
{
    box.m_com.WriteByte(0x00);
    DrainBriefly(box);
}

// Ends a streaming mode: the logger stops on a zero byte and may still send.
void StopStreaming(CxhwBox& box)
{
    box.m_com.WriteByte(0x00);
    box.m_com.ReadByte(0.5f);
    if (!box.m_com.DrainInput(true))
        box.m_com.DrainInput(true);
}

// Passes of 0x0D until the logger stops sending; returns the last byte read
// (-1 none).
int LeaveScopeMode(CxhwBox& box)
{
    int last = -1;
    for (int pass = 0; pass < 2; ++pass) {
        box.m_com.WriteByte(0x0D);
        // The flushes below empty both queues: the 0x0D must be out first.
        box.m_com.WaitTXEmpty();
        last = -1;
        for (int i = 0; i < 10; ++i) {
            box.m_com.Flush();
            last = box.m_com.ReadByte(0.1f);
            if (last < 0)
                break;
        }
        if (last < 0)
            break;
    }
    return last;
}

bool StartScopeFromRates(CxhwBox& box)
{
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    const int input = info.FindScopeInput(false, 0);
    if (input < 0 || input >= CxhwBox::kInputs)
        return false; // no input can feed the trace
    box.m_run.m_scopeMode = true;
    box.m_run.m_multiInput = false;
    box.m_run.m_scopeInput = input;
    if (box.GetManager())
        box.m_scopeRateIndex = box.GetManager()->GetScopeSetting();
    CxutRateTable table;
    info.GetScopeRates(table);
    if (table.m_count <= 0)
        return false;
    const CxutRate& row = table.m_rows[std::clamp(box.m_scopeRateIndex, 0, int(table.m_count) - 1)];
    const int steps = std::clamp(int(row.m_period / kScopeBase), 1, kMaxSteps);
    box.m_run.m_deviceInterval = steps * 0.00005;
    box.m_run.m_deviceIntervalUs = steps * kScopeBase;
    box.m_run.m_readingsToTake = row.m_readings;
    box.m_com.Flush();
    const uint8_t command[5] = {0x06, 0x89, uint8_t(input), 0x00, uint8_t(steps)};
    box.m_com.Write(5, command);
    return true;
}

bool UsesHeartbeat(CxhwBox& box)
{
    const int type = box.m_info.m_hardware;
    return type != BOX_TYPE_2 && type != BOX_TYPE_MIVA && type != BOX_TYPE_SIMULATED
           && !box.m_com.IsUSB();
}

} // namespace

// ---- Link ----------------------------------------------------------------

bool xhwComOpen(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices)
{
    box.m_linkKind = port;
    xhwCloseLink(box);
    box.m_com.SetPort(port, name);
    if (port == BOX_LINK_USB) {
        CxhwUSBDeviceV own;
        CxhwUSBDeviceV& list = devices ? *devices : own;
        if (list.CountSerialDevices() == 0)
            list.ScanSerialDevices();
        CzxUSBDeviceVItem* item = list.GetSerialDevice(0);
        if (!item || !item->m_itemDevice) {
            list.CloseAll();
            xhwResetLink(box);
            return false;
        }
        box.m_com.GetUSBPort().SetDevice(std::move(item->m_itemDevice));
        list.CloseAll();
    }
    if (box.m_com.Open())
        return true;
    xhwResetLink(box);
    return false;
}

bool xhwComIdentify(CxhwBox& box, bool drain, bool slowDrain)
{
    if (!box.m_com.IsOpen() && !box.m_com.Open()) {
        xhwCloseLink(box);
        return false;
    }
    CxutBoxInfo info;
    if (!box.m_com.ReadBoxInfo(info, drain, slowDrain, box.m_run.m_lastSentOutputs)) {
        xhwCloseLink(box);
        return false;
    }
    info.m_comIsPortSlow = box.m_com.IsBluetooth();
    info.m_comIsPortUsb = box.m_com.IsUSB();
    box.m_info.Assign(info);
    if (!info.m_bootstrapFlag) {
        const int clock = box.CheckClock();
        if ((clock != 0 && clock != 2) || !box.m_com.IsOpen()) {
            xhwCloseLink(box);
            return false;
        }
    }
    return true;
}

bool xhwComIsOpen(CxhwBox& box, bool drain, bool slowDrain)
{
    return xhwComIdentify(box, drain, slowDrain);
}

bool xhwComReadSensorIds(CxhwBox& box, CxhwSensorV& sensors)
{
    int32_t codes[6] = {};
    int32_t types[6] = {};
    const bool ok = box.m_com.ReadSensorIds(InputCount(box), codes, types);
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        CxhwSensor& s = sensors[i];
        if (s.m_idCode != codes[i] || s.m_idType != types[i])
            s.m_changedId = true;
        s.m_idCode = codes[i];
        s.m_idType = types[i];
    }
    return ok;
}

bool xhwComMonitor(CxhwBox& box, bool first, wxString& stamp, int& power, int values[6])
{
    bool ok = xhwComIdentify(box, first, first);
    const bool skip = box.m_info.m_bootstrapFlag || box.m_info.m_loggerBusy;
    CxhwSensorV ids;
    if (ok && !skip)
        ok = xhwComReadSensorIds(box, ids);
    {
        wxMutexLocker lock(box.m_sampleMutex);
        box.m_sensors.UpdateIds(ids);
    }
    if (ok && !skip) {
        box.m_ticksPerSecond = 1000000.0 / box.GetTimingTickMicroseconds();
        int mask = 0;
        ok = box.GetTimingMask(mask);
        if (ok)
            box.m_timingMask = mask;
        box.m_timingIdentify = box.GetTimingIdentify();
        power = box.GetPower();
        std::fill(values, values + CxhwBox::kInputs, 0);
        const int inputs = InputCount(box);
        for (int i = 0; ok && i < inputs; ++i) {
            const int calType = box.m_sensors[i].m_calType;
            const uint8_t command[3] = {0x10, uint8_t(calType < 128 ? i : i + 8), CalCode(calType)};
            box.m_com.Write(3, command);
            ok = ReadWord(box, 0.5f, values[i]);
        }
    }
    if (ok && !skip) {
        if (first)
            box.SwitchOutputsOff();
        else
            ok = xhwComSetOutputs(box, box.GetRequestedOutputs(), false);
    }
    CxutBoxRequest request;
    box.GetRequest(request);
    switch (request.m_code) {
    case 1:
        if (ok && !skip)
            box.ServeNameRequest();
        break;
    case 2:
        if (ok && !skip)
            box.ServeClockRequest();
        break;
    case 4:
        if (ok && !skip)
            zxBoxFetchFileList(box);
        break;
    case 3:
        if (ok) {
            xhwStartSystemInstall(box);
            return false;
        }
        break;
    default:
        if (first && ok && !skip) {
            int kind = 0;
            xhwComReadStamp(box, stamp, kind);
        }
        break;
    }
    return ok;
}

bool xhwComClose(CxhwBox& box)
{
    box.m_com.Close(false);
    return false;
}

bool xhwComCloseAndDetach(CxhwBox& box)
{
    box.m_com.Close(false);
    box.m_com.GetUSBPort().SetDevice(nullptr);
    return false;
}

bool xhwComAbort(CxhwBox& box)
{
    box.m_com.Abort();
    box.m_com.GetUSBPort().SetDevice(nullptr);
    return false;
}

// ---- Sampling ------------------------------------------------------------

bool xhwComSetupInputs(CxhwBox& box)
{
    const int inputs = InputCount(box);
    if (box.HasFeature(21)) {
        box.m_run.m_multiInput = true;
        for (int i = 0; i < inputs; ++i) {
            const CxhwSensor& s = box.m_sensors[i];
            if (!IsPresent(s))
                continue;
            box.m_run.m_lastInput = i;
            if ((s.m_calType & 31) != (s.m_idType & 31)) {
                const uint8_t command[3] = {0x10, uint8_t(i), uint8_t(s.m_calType & 0xFF)};
                box.m_com.Write(3, command);
                int ignored = 0;
                if (!ReadWord(box, 1.0f, ignored))
                    return false;
            }
        }
    } else if (box.HasFeature(12)) {
        box.m_run.m_multiInput = true;
        for (int i = 0; i < inputs; ++i) {
            const CxhwSensor& s = box.m_sensors[i];
            if (!IsPresent(s))
                continue;
            box.m_run.m_lastInput = i;
            if ((s.m_calType & 31) != (s.m_idType & 31))
                box.m_run.m_multiInput = false;
        }
    }
    wxMilliSleep(200);
    return true;
}

void xhwComStartHeartbeat(CxhwBox& box)
{
    if (!UsesHeartbeat(box))
        return;
    box.m_run.m_heartbeat = NowMs();
    box.m_com.WriteByte(0x00);
}

void xhwComHeartbeat(CxhwBox& box)
{
    if (!UsesHeartbeat(box))
        return;
    const int64_t now = NowMs();
    if (zxTimeDiff(now, box.m_run.m_heartbeat) > kHeartbeatMs) {
        box.m_run.m_heartbeat = now;
        box.m_com.WriteByte(0x00);
    }
}

bool xhwComStartPolling(CxhwBox& box, int values[6])
{
    if (!xhwComSetupInputs(box))
        return false;
    box.SwitchOutputsOff();
    CxhwBoxes* manager = box.GetManager();
    const double period = manager ? manager->GetSamplePeriod() : 1.0;
    const bool flagged = manager && manager->IsSlowPolling();
    if (!flagged && box.m_info.GetTimeResolution() > period && box.HasFeature(10)) {
        CxutBoxPublicInfo info;
        box.GetPublicInfo(info);
        bool onlyFirst = false;
        if (info.CheckCalibrations(onlyFirst, false, 0)) {
            box.m_run.m_deviceInterval = 0.01;
            box.m_run.m_deviceIntervalUs = 10000;
            box.m_run.m_readingsToTake = 0;
            box.m_run.m_multiInput = false;
            box.m_run.m_fastPolling = true;
            const uint8_t message[4] = {0x06, 0x86, 0x00, 0x27};
            box.m_com.WriteMessage(4, message);
            xhwComStartHeartbeat(box);
        }
    }
    return xhwComPoll(box, values);
}

bool xhwComPoll(CxhwBox& box, int values[6])
{
    if (box.m_run.m_fastPolling) {
        uint8_t frame[5];
        if (!box.m_com.Read(5, frame, 1.0f))
            return false;
        xhwComDecodeStreamFrame(frame, values);
        xhwComHeartbeat(box);
        return true;
    }
    if (box.m_run.m_multiInput) {
        box.m_com.WriteByte(0x1C);
        if (!ReadSix(box, values))
            return false;
        if (box.m_run.m_lastInput >= 3) {
            box.m_com.WriteByte(0x1F);
            if (!ReadSix(box, values + 3))
                return false;
        }
    } else {
        const int inputs = InputCount(box);
        for (int i = 0; i < inputs; ++i) {
            const CxhwSensor& s = box.m_sensors[i];
            if (!IsPresent(s))
                continue;
            const uint8_t command[3] = {0x10, uint8_t((s.m_calType > 127 ? 8 : 0) + i), CalCode(s.m_calType)};
            box.m_com.Write(3, command);
            if (!ReadWord(box, 0.5f, values[i]))
                return false;
        }
    }
    return xhwComSetOutputs(box, box.GetRequestedOutputs(), false);
}

bool xhwComStopPolling(CxhwBox& box)
{
    if (box.m_run.m_fastPolling) {
        box.GetPower();
        StopStreaming(box);
        box.m_run.m_fastPolling = false;
    }
    box.SwitchOutputsOff();
    return true;
}

bool xhwComSetOutputs(CxhwBox& box, int mask, bool force)
{
    if (!force && mask == box.m_run.m_lastSentOutputs)
        return true;
    box.m_run.m_lastSentOutputs = mask;
    const int outputs = box.GetOutputDeviceMask();
    if (outputs != 0) {
        const uint8_t command[2] = {0x14, uint8_t(mask & outputs)};
        box.m_com.Write(2, command);
        if (box.m_com.IsUSB() && box.m_com.GetTXCount() > 0)
            box.m_com.WaitTXEmpty();
        wxMilliSleep(2);
    }
    if (box.m_info.m_varnok || box.HasOutputFeature()) {
        if (box.m_com.SendSwitch(mask) < 0)
            return false;
    }
    return true;
}

// ---- Fast capture with trigger -------------------------------------------

bool xhwComStartSetupLogging(CxhwBox& box)
{
    if (!xhwComSetupInputs(box))
        return false;
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    const int trigger = info.FindTriggerInput(false, 0);
    // Without a trigger input the capture could not start, nor its readings
    // find their input.
    if (trigger < 0 || trigger >= CxhwBox::kInputs)
        return false;
    CxhwBoxes* manager = box.GetManager();
    const double period = manager ? manager->GetSamplePeriod() : 0.001;
    const int steps = std::clamp(int(period / 0.00005), 1, kMaxSteps);
    box.m_run.m_setupLogging = true;
    box.m_run.m_multiInput = false;
    box.m_run.m_deviceInterval = steps * 0.00005;
    box.m_run.m_deviceIntervalUs = steps * kScopeBase;
    box.m_run.m_readingsToTake = xutGetDefaultRateCode(box.m_info.m_hardware);
    box.m_run.m_scopeInput = trigger;
    box.m_com.Flush();
    const uint8_t command[5] = {0x06, 0x8A, uint8_t(trigger), 0x00, uint8_t(steps)};
    box.m_com.Write(5, command);
    return true;
}

bool xhwComReadSetupLogging(CxhwBox& box, int values[6], int& count)
{
    count = 0;
    if (!box.m_com.IsReady())
        return false;
    if (box.m_com.GetRXCount() == 0)
        return true;
    uint8_t byte = 0;
    if (!box.m_com.Read(1, &byte, 0.1f))
        return false;
    values[box.m_run.m_scopeInput] = byte * 256;
    count = 1;
    return true;
}

bool xhwComStopSetupLogging(CxhwBox& box)
{
    box.m_com.WriteByte(0x00);
    return true;
}

// ---- Oscilloscope --------------------------------------------------------

bool xhwComStartScope(CxhwBox& box)
{
    if (!xhwComSetupInputs(box))
        return false;
    return StartScopeFromRates(box);
}

bool xhwComReadScope(CxhwBox& box, int* values, int& count)
{
    count = 0;
    if (!box.m_com.IsReady())
        return false;
    count = std::min<int>(int(box.m_com.GetRXCount()), int(box.m_run.m_readingsToTake));
    count = std::clamp(count, 0, int(CxhwBox::kScopeValues));
    if (count <= 0)
        return true;
    uint8_t bytes[CxhwBox::kScopeValues];
    if (!box.m_com.Read(count, bytes, 1.0f)) {
        count = 0;
        return false;
    }
    for (int i = 0; i < count; ++i)
        values[i] = bytes[i] * 256;
    return true;
}

bool xhwComCaptureScope(CxhwBox& box)
{
    const int last = LeaveScopeMode(box);
    if (last > 0 && !xhwComIdentify(box, true, true))
        return false;
    return StartScopeFromRates(box);
}

bool xhwComStopScope(CxhwBox& box)
{
    LeaveScopeMode(box);
    box.m_run.m_scopeMode = false;
    return xhwComIdentify(box, true, false);
}

// ---- Timing --------------------------------------------------------------

bool xhwComGetTimingMask(CxhwBox& box, int& mask)
{
    const uint8_t command[2] = {0x06, 0x84};
    box.m_com.Write(2, command);
    const int reply = box.m_com.ReadByte(0.5f);
    if (reply < 0)
        return false;
    mask = reply;
    return true;
}

bool xhwComStartTiming(CxhwBox& box)
{
    const int inputs = std::min<int>(box.m_info.m_maxSensors, CxhwBox::kInputs);
    for (int i = 0; i < inputs; ++i) {
        if (!(box.m_timingIdentify & (1 << i)))
            continue;
        int32_t code = 0;
        int32_t type = 0;
        if (!box.m_com.ReadSensorId(i, inputs, code, type))
            return false;
    }
    const uint8_t message[2] = {0x06, 0x85};
    box.m_com.WriteMessage(2, message);
    xhwComStartHeartbeat(box);
    return true;
}

bool xhwComReadTiming(CxhwBox& box)
{
    if (!box.m_com.IsReady())
        return false;
    xhwComHeartbeat(box);
    int waiting = int(box.m_com.WaitRXCount(2, 5)) & ~1;
    if (waiting <= 0)
        return true;
    CxutTimerStatus carried = box.m_timing.GetStatus();
    while (waiting > 0) {
        const int n = std::min(waiting, 256);
        uint8_t bytes[256];
        if (!box.m_com.Read(n, bytes, 1.0f))
            return false;
        CxutTimerEvent events[128];
        const int made = xhwComDecodeTimingRecords(bytes, n, box.m_timingMask, carried, events, 128);
        if (!box.m_timing.Put(carried, events, uint32_t(made)))
            return false;
        waiting -= n;
    }
    return true;
}

bool xhwComStopTiming(CxhwBox& box)
{
    StopStreaming(box);
    return true;
}

// ---- Display stamp -------------------------------------------------------

void xhwComReadStamp(CxhwBox& box, wxString& text, int& kind)
{
    text.clear();
    kind = 0;
    if (!box.HasFeature(2) || !box.HasFeature(24))
        return;
    const uint8_t command[2] = {0x06, 0x90};
    box.m_com.Write(2, command);
    const int r = box.m_com.ReadByte(0.5f);
    if (r == 0) {
        box.m_com.WriteByte(0x00);
        return;
    }
    if (r < 0) {
        LeaveStampMode(box);
        return;
    }
    kind = r;
    wxString read;
    for (int i = 0; i < kStampLength - 1; ++i) {
        box.m_com.WriteByte(0xFF);
        const int c = box.m_com.ReadByte(0.5f);
        if (c < 32 || c > 127) {
            LeaveStampMode(box);
            return;
        }
        read += wxUniChar(unsigned(c));
    }
    LeaveStampMode(box);
    text = read + " ";
}

int xhwComWriteStamp(CxhwBox& box, const wxString& text, int limit, int& kind)
{
    kind = 0;
    if (!box.HasFeature(2))
        return 2;
    const uint8_t command[2] = {0x06, 0x90};
    box.m_com.Write(2, command);
    const int r = box.m_com.ReadByte(0.5f);
    if (r < 0) {
        LeaveStampMode(box);
        return 3;
    }
    kind = r;
    if (r >= limit) {
        LeaveStampMode(box);
        return 6;
    }
    for (int i = 0; i < kStampLength; ++i) {
        const wxUniChar c = i < int(text.length()) ? xhwComStampChar(text[i]) : wxUniChar(' ');
        const uint8_t byte = uint8_t(c.GetValue());
        box.m_com.WriteByte(byte);
        if (box.m_com.ReadByte(0.5f) != byte) {
            LeaveStampMode(box);
            return 3;
        }
    }
    return 0;
}
