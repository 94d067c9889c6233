#include "hardware/xhwMivaDriver.h"

#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutBoxPublicInfo.h"
#include "protocol/xutPktCombo.h"
#include "protocol/xutPktDeviceSource.h"
#include "protocol/xutPktUSBSource.h"
#include "protocol/xutRateTable.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <cmath>
#include <wx/utils.h>

namespace {

constexpr float kModeWait = 0.1f;

// The devices plugged into the computer, unless a test gives its own.
CxutPktUSBSource g_usbDevices;

CxutPktCombo& Combo(CxhwBox& box) { return box.GetPktCombo(); }

void ComposeIdentity(CxhwBox& box, CxutBoxInfo info)
{
    CxutPktCombo& combo = Combo(box);
    info.m_hardware = BOX_TYPE_MIVA;
    info.m_firmware = float(combo.GetLowestRelease() / 100.0);
    info.m_maxSensors = combo.GetChannelCount();
    info.m_comIsPortSlow = false;
    info.m_comIsPortUsb = true;
    info.m_mivaOldShort = combo.HasOldShortReportPort();
    info.m_mivaNewShort = combo.HasNewShortReportPort();
    info.m_mivaOption = combo.HasPacketPort() ? 1 : 0;
    info.m_commonVersion = combo.GetCommonVersion();
    box.m_info.Assign(info);
}

// Sends the outputs the document asks for when they changed, only to the
// inputs that carry an output accessory.
void SyncOutputs(CxhwBox& box)
{
    const int requested = box.GetRequestedOutputs();
    if (requested == box.m_run.m_lastSentOutputs)
        return;
    box.m_run.m_lastSentOutputs = requested;
    const int devices = box.GetOutputDeviceMask();
    if (devices)
        Combo(box).SetChannelMask(requested & devices, false);
}

CxutBoxPublicInfo OwnDescription(CxhwBox& box)
{
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    return info;
}

bool StartScopeCapture(CxhwBox& box)
{
    CxutPktCombo& combo = Combo(box);
    if (box.GetManager())
        box.m_scopeRateIndex = box.GetManager()->GetScopeSetting();
    CxutRateTable table;
    OwnDescription(box).GetScopeRates(table);
    if (table.m_count <= 0)
        return false;
    const CxutRate& rate = table.m_rows[std::clamp(box.m_scopeRateIndex, 0, table.m_count - 1)];
    const int periodUs = std::clamp(int(rate.m_period), 1, 10000);
    const int samples = std::clamp(int(rate.m_readings), 1, CxutPktPort::kMaxScope);
    box.m_run.m_deviceIntervalUs = periodUs;
    box.m_run.m_deviceInterval = periodUs * 0.000001;
    box.m_run.m_readingsToTake = samples;
    combo.ApplySensorSettings(box.m_sensors);
    box.m_run.m_fastPolling = true;
    return combo.StartScope(box.m_run.m_scopeInput, samples, periodUs, 0);
}

} // namespace

CxutPktCombo& CxhwBox::GetPktCombo()
{
    if (!m_pktCombo) {
        m_pktCombo = std::make_unique<CxutPktCombo>();
        m_pktCombo->SetDeviceSource(&g_usbDevices);
        if (m_manager)
            m_pktCombo->SetRunClock(&m_manager->GetClock());
    }
    return *m_pktCombo;
}

void xhwMivaSetDeviceSource(CxhwBox& box, CxutPktDeviceSource* source)
{
    box.GetPktCombo().SetDeviceSource(source ? source : &g_usbDevices);
}

bool xhwMivaHasFeature(int feature, const CxutBoxInfo& info)
{
    if (info.m_hardware != BOX_TYPE_MIVA)
        return false;
    switch (feature) {
    case 22:
    case 23:
        return info.m_mivaOption != 0;
    case 1: case 3: case 4: case 6: case 9: case 17: case 102: case 104: case 107:
    case 201: case 203: case 205: case 208: case 209: case 211: case 213: case 215:
        return true;
    default:
        return false;
    }
}

bool xhwMivaHasAnyFeature(int)
{
    return true;
}

int xhwMivaGetMaxSensors(CxhwBox& box) { return Combo(box).GetChannelCount(); }

// ---- Link ----------------------------------------------------------------

bool xhwMivaConnect(CxhwBox& box, CxhwUSBDeviceV& devices)
{
    box.m_packetLink = true;
    CxutPktCombo& combo = Combo(box);
    if (box.GetManager())
        combo.SetRunClock(&box.GetManager()->GetClock());
    combo.ResetPortsFromSource();
    devices.CloseAll();
    if (!combo.OpenPorts())
        return false;
    CxhwSensorV scratch;
    if (!combo.UpdateSensors(scratch))
        return false;
    ComposeIdentity(box, CxutBoxInfo());
    return true;
}

bool xhwMivaIsOpen(CxhwBox& box) { return Combo(box).EnsureOpen(); }

bool xhwMivaCheckLink(CxhwBox& box, bool outputsOff, int values[6])
{
    CxutPktCombo& combo = Combo(box);
    CxhwSensorV scratch;
    const bool ok = combo.UpdateSensors(scratch);
    {
        wxMutexLocker lock(box.m_sampleMutex);
        box.m_sensors.CopyIdentities(scratch);
    }
    combo.CheckSensorSettling(box.m_sensors, nullptr);
    combo.ApplySensorSettings(box.m_sensors);
    ComposeIdentity(box, box.m_info);
    if (!ok)
        return false;
    combo.SetRunFlag(0);
    combo.SetMode(1, false, kModeWait);
    combo.ReadLiveValues(values);
    combo.CheckSensorSettling(box.m_sensors, values);
    box.m_ticksPerSecond = 1000000.0 / box.GetTimingTickMicroseconds();
    int mask = 0;
    box.GetTimingMask(mask);
    box.m_timingMask = mask;
    box.m_timingIdentify = box.GetTimingIdentify();
    if (outputsOff)
        box.SwitchOutputsOff();
    else
        SyncOutputs(box);
    CxutBoxRequest pending;
    box.GetRequest(pending);
    if (pending.m_code == BOX_REQUEST_PH_CALIBRATE)
        box.ServePhRequest();
    return true;
}

int xhwMivaClose(CxhwBox& box)
{
    Combo(box).ClosePorts();
    return 0;
}

int xhwMivaReset(CxhwBox& box)
{
    Combo(box).ClosePorts();
    Combo(box).ResetPorts({});
    return 0;
}

int xhwMivaAbort(CxhwBox& box)
{
    Combo(box).ReleasePorts();
    Combo(box).ResetPorts({});
    return 0;
}

// ---- Outputs -------------------------------------------------------------

bool xhwMivaSetOutputs(CxhwBox& box, int mask, bool force)
{
    if (!force && mask == box.m_run.m_lastSentOutputs)
        return true;
    box.m_run.m_lastSentOutputs = mask;
    const int devices = box.GetOutputDeviceMask();
    if (!devices && !force)
        return true;
    return Combo(box).SetChannelMask(mask & devices, force);
}

int xhwMivaSetSensorRange(CxhwBox& box, int input, float gain, float offset)
{
    if (input < 0 || input >= CxhwBox::kInputs)
        return 2;
    return Combo(box).SetSensorCalibration(input, box.m_sensors[input], gain, offset);
}

bool xhwMivaGetInputColour(CxhwBox& box, int& colour, int input, int range)
{
    colour = Combo(box).GetChannelTableEntry(input, range);
    return true;
}

// ---- Host-polled sampling ------------------------------------------------

bool xhwMivaReadCurrentValues(CxhwBox& box, int values[6])
{
    return Combo(box).ReadLiveValues(values);
}

bool xhwMivaStartPolling(CxhwBox& box, int values[6])
{
    CxutPktCombo& combo = Combo(box);
    box.m_run.m_fastPolling = true;
    combo.ApplySensorSettings(box.m_sensors);
    combo.SetRunFlag(1);
    if (!combo.SetMode(1, false, kModeWait))
        return false;
    combo.ApplySensorSettings(box.m_sensors);
    if (!combo.SendSettings(false))
        return false;
    combo.SyncDataCounters();
    wxMilliSleep(100);
    box.SwitchOutputsOff();
    if (!combo.ResendAndWait(0.05f))
        return false;
    SyncOutputs(box);
    return combo.ReadLiveValues(values);
}

bool xhwMivaPoll(CxhwBox& box, int values[6])
{
    if (!Combo(box).ResendAndWait(0.05f))
        return false;
    SyncOutputs(box);
    return Combo(box).ReadLiveValues(values);
}

bool xhwMivaStopPolling(CxhwBox& box)
{
    CxutPktCombo& combo = Combo(box);
    box.SwitchOutputsOff();
    box.m_run.m_fastPolling = false;
    combo.SetRunFlag(0);
    combo.SendSettings(false);
    combo.SyncDataCounters();
    wxMilliSleep(100);
    return true;
}

// ---- Streamed sampling ---------------------------------------------------

bool xhwMivaStartStream(CxhwBox& box, double)
{
    if (!Combo(box).StartStream(box.m_sensors))
        return false;
    box.SwitchOutputsOff();
    return true;
}

bool xhwMivaReadStream(CxhwBox& box, int* values, int& count, int max, int nextTime, int step)
{
    count = 0;
    const bool ok = Combo(box).ReadSamples(values, count, nextTime, step, max);
    SyncOutputs(box);
    return ok;
}

bool xhwMivaStopStream(CxhwBox& box)
{
    box.SwitchOutputsOff();
    return Combo(box).StopStream();
}

// ---- Fast triggered sampling ---------------------------------------------

int xhwMivaFastPeriodUs(double seconds)
{
    const float us = std::floor(float(seconds / 0.000001) + 0.5f);
    return int(std::clamp(us, 1.0f, 10000.0f));
}

bool xhwMivaStartSetupLogging(CxhwBox& box)
{
    CxutPktCombo& combo = Combo(box);
    if (!combo.EnsureOpen())
        return false;
    box.m_run.m_setupLogging = true;
    box.m_run.m_scopeMode = false;
    box.m_run.m_multiInput = false;
    const double period = box.GetManager() ? box.GetManager()->GetSamplePeriod() : 0.0001;
    const int periodUs = xhwMivaFastPeriodUs(period);
    box.m_run.m_deviceIntervalUs = periodUs;
    box.m_run.m_deviceInterval = periodUs * 0.000001;
    const CxutBoxPublicInfo info = OwnDescription(box);
    const int readings = xutGetDefaultRateCode(box.m_info.m_hardware);
    box.m_run.m_readingsToTake = readings;
    const int input = info.FindTriggerInput(false, 0);
    if (input < 0 || input >= CxhwBox::kInputs)
        return false;
    box.m_run.m_scopeInput = input;
    combo.ApplySensorSettings(box.m_sensors);
    box.m_run.m_fastPolling = true;
    return combo.StartFastSampling(input, readings, periodUs, 1);
}

bool xhwMivaReadSetupLogging(CxhwBox& box, int values[6], int& count)
{
    bool got = false;
    const bool ok = Combo(box).ReadFastSample(box.m_run.m_scopeInput, values, got);
    count = got ? 1 : 0;
    return ok;
}

bool xhwMivaStopSetupLogging(CxhwBox& box)
{
    box.m_run.m_fastPolling = false;
    Combo(box).SetRunFlag(0);
    Combo(box).SetMode(1, false, kModeWait);
    return true;
}

// ---- Oscilloscope --------------------------------------------------------

bool xhwMivaStartScope(CxhwBox& box)
{
    if (!Combo(box).EnsureOpen())
        return false;
    box.m_run.m_scopeMode = true;
    box.m_run.m_multiInput = false;
    const int input = OwnDescription(box).FindScopeInput(false, 0);
    if (input < 0 || input >= CxhwBox::kInputs)
        return false;
    box.m_run.m_scopeInput = input;
    return StartScopeCapture(box);
}

bool xhwMivaCaptureScope(CxhwBox& box)
{
    box.m_run.m_fastPolling = false;
    if (!Combo(box).SetMode(1, false, kModeWait) && !Combo(box).EnsureOpen())
        return false;
    return StartScopeCapture(box);
}

bool xhwMivaReadScope(CxhwBox& box, int* values, int& count)
{
    count = 0;
    return Combo(box).ReadScope(box.m_run.m_scopeInput, values, count, CxhwBox::kScopeValues);
}

bool xhwMivaStopScope(CxhwBox& box)
{
    box.m_run.m_fastPolling = false;
    Combo(box).SetMode(1, false, kModeWait);
    return Combo(box).EnsureOpen();
}

// ---- Timing --------------------------------------------------------------

bool xhwMivaGetTimingMask(CxhwBox& box, int& mask)
{
    mask = (1 << Combo(box).GetChannelCount()) - 1;
    return true;
}

bool xhwMivaStartTiming(CxhwBox& box)
{
    if (!Combo(box).StartTimingEvents())
        return false;
    box.m_watch1.Start(0);
    return true;
}

bool xhwMivaReadTiming(CxhwBox& box)
{
    CxutPktCombo& combo = Combo(box);
    combo.WaitForData(0.05f);
    CxutTimerStatus status = box.m_timing.GetStatus();
    int64_t time = 0;
    int mask = 0;
    bool got = false;
    if (!combo.ReadTimingEvent(time, mask, got))
        return false;
    mask &= 0x3F;
    if (got && mask != status.States) {
        box.m_watch1.Start(0);
        status.Ticks = 0;
        status.States = mask;
        CxutTimerEvent event;
        event.Ticks = uint64_t(time);
        event.States = mask;
        return box.m_timing.Put(status, &event, 1);
    }
    // A quiet gate is no failure: only the running time moves on, in whole
    // seconds.
    status.Ticks = uint64_t(box.m_watch1.Time() / 1000) * 1000000u;
    return box.m_timing.Put(status, nullptr, 0);
}

bool xhwMivaStopTiming(CxhwBox& box)
{
    return Combo(box).StopTimingEvents();
}
