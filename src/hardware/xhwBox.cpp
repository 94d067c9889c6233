#include "hardware/xhwBox.h"

#include "hardware/xhwBoxes.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwSenFile.h"
#include "protocol/xutPktCombo.h"

#include <vector>
#include <wx/datetime.h>

namespace {

bool IsInput(int input)
{
    return input >= 0 && input < CxhwBox::kInputs;
}

void ClearChangeMarks(CxhwSensor& sensor)
{
    sensor.m_changedId = false;
    sensor.m_changedCal = false;
    sensor.m_changedEnable = false;
    sensor.m_changedRaw = false;
}

bool HasChangeMark(const CxhwSensor& sensor)
{
    return sensor.m_changedId || sensor.m_changedCal || sensor.m_changedEnable
           || sensor.m_changedRaw;
}

// The text a byte-link logger can take: 8-bit, a NUL ends it.
wxString ToLoggerText(const wxString& text)
{
    wxString out;
    for (wxUniChar c : text) {
        const wxUint32 code = c.GetValue();
        if (code == 0)
            break;
        out += code > 127 ? wxUniChar('_') : c;
    }
    return out;
}

} // namespace

CxhwBox::CxhwBox() : m_sampleMutex(wxMUTEX_RECURSIVE) {}

CxhwBox::~CxhwBox() = default;

bool CxhwBox::Start(CzxThread* thread, int priority)
{
    if (!thread)
        thread = new CxhwBoxThread; // joined and freed by the manager once it ends
    return CzxThreadMgr::Start(thread, priority);
}

// ---- Publication ---------------------------------------------------------

bool CxhwBox::Publish()
{
    wxMutexLocker boxLock(GetMutex());
    {
        // The user's choices on the published sensors reach the logger here.
        wxMutexLocker sampleLock(m_sampleMutex);
        m_sensors.ApplyUserCalibrations(m_public.m_sensors);
        m_sensors.ApplyUserEnables(m_public.m_sensors);
    }
    m_timingIdentify = GetTimingIdentify();

    m_public.m_info.m_changed = false;
    for (int i = 0; i < kInputs; ++i) {
        ClearChangeMarks(m_public.m_sensors[i]);
        m_public.m_sensors[i].m_userCal = false;
        m_public.m_sensors[i].m_userEnable = false;
    }
    m_public.m_info.Assign(m_info);
    {
        wxMutexLocker sampleLock(m_sampleMutex);
        m_public.m_sensors.CopyAll(m_sensors);
    }
    m_public.m_stampChanged = m_public.m_boxStamp != m_stamp;
    m_public.m_powerChanged = m_public.m_boxPower != m_power;
    m_public.m_boxStamp = m_stamp;
    m_public.m_boxPower = m_power;
    m_public.m_boxTimingMask = m_timingMask;
    m_public.m_boxTimingIdentify = m_timingIdentify;
    m_public.m_boxTimingTicksPerSecond = m_ticksPerSecond;
    m_public.m_install.CopyStateFrom(m_install);

    bool changed = m_public.m_info.m_changed || m_public.m_stampChanged
                   || m_public.m_powerChanged;
    for (int i = 0; i < kInputs; ++i)
        changed = changed || HasChangeMark(m_public.m_sensors[i]);
    return changed;
}

bool CxhwBox::GetPublicInfo(CxutBoxPublicInfo& out)
{
    wxMutexLocker lock(GetMutex());
    out.m_info.m_changed = false;
    for (int i = 0; i < kInputs; ++i)
        ClearChangeMarks(out.m_sensors[i]);
    out.m_info.Assign(m_public.m_info);
    out.m_sensors.CopyAll(m_public.m_sensors);
    out.m_stampChanged = out.m_boxStamp != m_public.m_boxStamp;
    out.m_powerChanged = out.m_boxPower != m_public.m_boxPower;
    out.m_boxStamp = m_public.m_boxStamp;
    out.m_boxPower = m_public.m_boxPower;
    out.m_boxTimingMask = m_public.m_boxTimingMask;
    out.m_boxTimingIdentify = m_public.m_boxTimingIdentify;
    out.m_boxTimingTicksPerSecond = m_public.m_boxTimingTicksPerSecond;
    out.m_install.CopyStateFrom(m_public.m_install);

    bool changed = out.m_info.m_changed || out.m_stampChanged || out.m_powerChanged;
    for (int i = 0; i < kInputs; ++i)
        changed = changed || HasChangeMark(out.m_sensors[i]);
    return changed;
}

void CxhwBox::SetSensorCalibration(int input, int calibIndex, int calType)
{
    if (!IsInput(input))
        return;
    wxMutexLocker lock(GetMutex());
    CxhwSensor& sensor = m_public.m_sensors[input];
    if (const CxhwSenFile* database = xhwGetSenFile())
        database->AssignCalib(sensor, calibIndex);
    if (calType < 0)
        calType = sensor.m_idType;
    if (calType != sensor.m_calType)
        sensor.m_changedCal = true;
    sensor.m_calType = calType;
    sensor.m_userCal = true;
}

void CxhwBox::SetSensorEnable(int input, bool enable)
{
    if (!IsInput(input))
        return;
    wxMutexLocker lock(GetMutex());
    CxhwSensor& sensor = m_public.m_sensors[input];
    if (sensor.m_enable != enable)
        sensor.m_changedEnable = true;
    sensor.m_enable = enable;
    sensor.m_userEnable = true;
    m_public.m_boxTimingIdentify =
        xhwGetTimingIdentify(m_public.m_info, m_public.m_sensors, m_public.m_boxTimingMask);
}

void CxhwBox::SetRequestedOutputs(int mask)
{
    wxMutexLocker lock(GetMutex());
    m_requestedOutputs = mask;
}

int CxhwBox::GetRequestedOutputs()
{
    wxMutexLocker lock(GetMutex());
    return m_requestedOutputs;
}

void CxhwBox::SetActivity(int activity)
{
    wxMutexLocker lock(GetMutex());
    m_activity = activity;
}

int CxhwBox::GetActivity()
{
    wxMutexLocker lock(GetMutex());
    return m_activity;
}

// ---- Raw readings --------------------------------------------------------

void CxhwBox::SetRawValues(const int values[kInputs])
{
    wxMutexLocker lock(m_sampleMutex);
    m_sensors.SetRawValues(values);
}

void CxhwBox::TakeRawValues(int values[kInputs], bool reset)
{
    wxMutexLocker lock(m_sampleMutex);
    m_sensors.GetRawValues(values);
    if (reset)
        m_sensors.ResetCounters(values);
}

bool CxhwBox::PushHostSample(int count, bool reset)
{
    int reading[kInputs];
    TakeRawValues(reading, reset); // the sample mutex is released again here
    if (count <= 0)
        return true;
    std::vector<int> values(size_t(count) * kInputs);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = reading[i % kInputs];
    return m_samples.Put(values.data(), uint32_t(values.size()));
}

// ---- Queues --------------------------------------------------------------

bool CxhwBox::PutSamples(const int* values, uint32_t n)
{
    return m_samples.Put(values, n);
}

bool CxhwBox::PutStoredData(const float* values, uint32_t n)
{
    return m_stored.Put(values, n);
}

bool CxhwBox::GetSamples(int* destination, uint32_t n)
{
    return m_samples.Get(destination, n);
}

bool CxhwBox::GetStoredData(float* destination, uint32_t n)
{
    return m_stored.Get(destination, n);
}

int CxhwBox::GetSampleCount()
{
    return int(m_samples.GetCount());
}

int CxhwBox::GetSamplesUpTo(int* destination, uint32_t n)
{
    return int(m_samples.GetUpTo(destination, n));
}

uint32_t CxhwBox::GetTimingEvents(CxutTimerStatus& status, CxutTimerEvent* events, uint32_t max)
{
    return m_timing.Take(status, events, max);
}

void CxhwBox::ClearQueues()
{
    m_samples.Clear();
    m_stored.Clear();
    m_timing.Clear();
}

// ---- Scope captures ------------------------------------------------------

void CxhwBox::AddScopeRequest()
{
    wxMutexLocker lock(GetMutex());
    ++m_scopePending;
}

void CxhwBox::TakeScopeRequest()
{
    wxMutexLocker lock(GetMutex());
    if (m_scopePending > 0)
        --m_scopePending;
}

bool CxhwBox::IsScopePending()
{
    wxMutexLocker lock(GetMutex());
    return m_scopePending > 0;
}

// ---- Requests ------------------------------------------------------------

uint64_t CxhwBox::SetRequest(const CxutBoxRequest& request)
{
    wxMutexLocker lock(GetMutex());
    if (request.m_code == BOX_REQUEST_NONE) {
        EndRequest(request);
        return m_requestSerial;
    }
    m_request = request;
    m_requestBegun = false;
    return ++m_requestSerial;
}

void CxhwBox::GetRequest(CxutBoxRequest& request)
{
    wxMutexLocker lock(GetMutex());
    request = m_request;
}

bool CxhwBox::BeginRequest(CxutBoxRequest& request)
{
    wxMutexLocker lock(GetMutex());
    if (m_request.m_code == BOX_REQUEST_NONE || m_requestBegun)
        return false;
    m_requestBegun = true;
    m_servingSerial = m_requestSerial;
    request = m_request;
    return true;
}

void CxhwBox::EndRequest(const CxutBoxRequest& request)
{
    wxMutexLocker lock(GetMutex());
    // A request posted while this one was served is not overwritten.
    if (!m_requestBegun || m_servingSerial != m_requestSerial)
        return;
    m_request = request;
    m_request.m_code = BOX_REQUEST_NONE;
    m_requestBegun = false;
}

void CxhwBox::AnswerRequest(const CxutBoxRequest& request)
{
    wxMutexLocker lock(GetMutex());
    if (!m_requestBegun || m_servingSerial != m_requestSerial)
        return;
    m_request = request;
}

void CxhwBox::ClearRequest()
{
    wxMutexLocker lock(GetMutex());
    m_request = CxutBoxRequest();
    m_requestBegun = false;
}

bool CxhwBox::WithdrawRequest(uint64_t serial)
{
    wxMutexLocker lock(GetMutex());
    if (serial != m_requestSerial || m_request.m_code == BOX_REQUEST_NONE || m_requestBegun)
        return false;
    m_request.m_code = BOX_REQUEST_NONE;
    m_request.m_answer = BOX_ANSWER_FAILED;
    return true;
}

bool xhwStreamsOwnReadings(const CxutBoxInfo& info, int linkKind)
{
    switch (info.m_hardware) {
    case BOX_TYPE_MIVA:
    case BOX_TYPE_TUNDRANE2:
        return true;
    case BOX_TYPE_KESTILON:
        return linkKind == BOX_LINK_BTLE || xhwFirmwareHundredths(info.m_firmware) > 102;
    default:
        return false;
    }
}

bool CxhwBox::PublishedStreamsOwnReadings()
{
    wxMutexLocker lock(GetMutex());
    return xhwStreamsOwnReadings(m_public.m_info, m_linkKind);
}

bool CxhwBox::AnyModeFlag() const
{
    return m_run.m_fastPolling || m_run.m_setupLogging || m_run.m_scopeMode;
}

int xhwNameRequestAnswer(int result)
{
    switch (result) {
    case 0: return BOX_ANSWER_DONE;
    case 2: return BOX_ANSWER_UNSUPPORTED;
    case 6: return BOX_ANSWER_NAME_PASSED;
    default: return BOX_ANSWER_FAILED;
    }
}

int xhwClockRequestAnswer(int result)
{
    switch (result) {
    case 0: return BOX_ANSWER_DONE;
    case 2: return BOX_ANSWER_UNSUPPORTED;
    default: return BOX_ANSWER_FAILED;
    }
}

void CxhwBox::ServeNameRequest()
{
    CxutBoxRequest request;
    if (!BeginRequest(request))
        return;
    int kind = 0;
    const int result = WriteName(ToLoggerText(request.m_text), request.m_value, kind);
    request.m_answer = xhwNameRequestAnswer(result);
    ReadName(request.m_text, kind);
    EndRequest(request);
}

void CxhwBox::ServeClockRequest()
{
    CxutBoxRequest request;
    if (!BeginRequest(request))
        return;
    const wxDateTime now = wxDateTime::Now();
    request.m_time = now.GetValue().GetValue();
    request.m_answer = xhwClockRequestAnswer(SetClock(now));
    EndRequest(request);
}

void CxhwBox::ServePhRequest()
{
    CxutBoxRequest request;
    if (!BeginRequest(request))
        return;
    request.m_time = wxDateTime::Now().GetValue().GetValue();
    request.m_result = CalibratePh(request.m_input, request.m_gain, request.m_offset);
    request.m_answer = xhwClockRequestAnswer(request.m_result);
    EndRequest(request);
}

// ---- Other operations ----------------------------------------------------

bool CxhwBox::IsRfcommLink() const
{
    // The byte link's port carries the link kind as its number.
    return m_linkKind == BOX_LINK_RFCOMM && !m_packetLink;
}

void CxhwBox::PumpBluetooth()
{
    if (!IsRfcommLink())
        return;
    // The RFCOMM device's main-thread work is served here once that link exists.
}

void CxhwBox::SwitchOutputsOff()
{
    m_run.m_lastSentOutputs = 0;
    SetOutputs(0, true);
}

void CxhwBox::ResetRunState(bool clearCaptures)
{
    m_run.m_multiInput = false;
    m_run.m_fastPolling = false;
    m_run.m_setupLogging = false;
    m_run.m_scopeMode = false;
    m_run.m_scopeInput = 0;
    m_run.m_deviceInterval = 0.01;
    m_run.m_deviceIntervalUs = 10000;
    m_run.m_readingsToTake = 0.0;
    m_run.m_lastSentOutputs = -1;
    if (clearCaptures) {
        wxMutexLocker lock(GetMutex());
        m_scopePending = 0;
    }
}

int xhwGetTimingIdentify(const CxutBoxInfo& info, const CxhwSensorV& sensors, int mask)
{
    if (info.m_hardware == BOX_TYPE_NONE || !xutHasFeature(6, info))
        return 0;
    const int inputs = info.m_maxSensors < CxhwBox::kInputs ? info.m_maxSensors : CxhwBox::kInputs;
    int bits = 0;
    for (int i = 0; i < inputs; ++i)
        bits |= 1 << i;
    for (int i = 0; i < inputs; ++i)
        if (!sensors[i].m_enable)
            bits &= ~(1 << i);
    for (int i = 0; i < inputs; ++i)
        if (sensors[i].m_idCode == 0)
            bits &= ~(1 << i);
    for (int i = 0; i < inputs; ++i)
        if ((bits & (1 << i)) && !sensors[i].CanTime(info, true))
            bits &= ~(1 << i);
    if (xutHasFeature(15, info))
        bits &= mask;
    return bits;
}
