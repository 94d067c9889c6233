#include "hardware/xhwBoxes.h"

#include "hardware/xhwLink.h"

#include <wx/utils.h>

namespace {

std::atomic<CxhwBoxes*> g_boxes{nullptr};

} // namespace

CxhwBoxes* xhwGetBoxes() { return g_boxes; }

CxhwBoxes::CxhwBoxes()
{
    m_box.SetManager(this);
    g_boxes = this;
}

CxhwBoxes::~CxhwBoxes()
{
    CxhwBoxes* self = this;
    g_boxes.compare_exchange_strong(self, nullptr);
}

bool CxhwBoxes::Start(CzxThread* thread, int priority)
{
    if (!thread)
        thread = new CxhwBoxesThread; // joined and freed by the manager once it ends
    return CzxThreadMgr::Start(thread, priority);
}

bool CxhwBoxes::StartThreads()
{
    if (m_threadsStarted)
        return true;
    if (!Start(nullptr, 50))
        return false;
    if (!m_box.Start(new CxhwBoxThread, 50)) {
        Stop();
        return false;
    }
    m_threadsStarted = true;
    return true;
}

bool CxhwBoxes::StopThreads()
{
    return StopAll(1);
}

bool CxhwBoxes::StopAll(int resetFlag)
{
    if (!m_threadsStarted)
        return true;
    if (m_box.IsRfcommLink()) {
        // The RFCOMM link needs the main thread to serve its close while the
        // threads end.
        SetState(zxTHREAD_STOP);
        m_box.SetState(zxTHREAD_STOP);
        CzxStopWatch watch;
        while (watch.TimeInMicro() <= 2999999) {
            if (!HasThread() && !m_box.HasThread())
                break;
            PumpBluetooth();
            wxMilliSleep(1);
        }
    }
    // Threads that have already ended cannot acknowledge the reset: they are
    // only joined, without waiting 5 s for an answer that cannot come.
    const bool ended = !HasThread() && !m_box.HasThread();
    SetState(BOXES_STATE_IDLE - resetFlag);
    if (ended || WaitAckState(BOXES_STATE_IDLE - resetFlag, 5.0f)) {
        Stop();
        m_box.Stop();
    } else {
        xhwAbortLink(m_box);
        m_box.Kill();
        Kill();
    }
    m_threadsStarted = false;
    return true;
}

void CxhwBoxes::PumpBluetooth()
{
    if (m_pumpGuard)
        return;
    m_pumpGuard = true;
    m_box.PumpBluetooth();
    m_pumpGuard = false;
}

// ---- State requests ------------------------------------------------------

bool CxhwBoxes::Connect()
{
    SetState(BOXES_STATE_CONNECT);
    WaitAckState(BOXES_STATE_CONNECT, 0.1f);
    return true;
}

bool CxhwBoxes::RequestIdle()
{
    SetState(BOXES_STATE_IDLE);
    return true;
}

bool CxhwBoxes::RequestIdleOnClose()
{
    SetState(BOXES_STATE_IDLE);
    return true;
}

bool CxhwBoxes::RequestIdleAfterFetch()
{
    SetState(BOXES_STATE_IDLE);
    return true;
}

void CxhwBoxes::StartQueued(int state)
{
    // Readings of an earlier run never reach the new one.
    m_box.ClearQueues();
    SetState(state);
}

bool CxhwBoxes::StartSampling(double period)
{
    m_box.ClearQueues();
    m_samplePeriod = period;
    m_slowPolling = false;
    SetState(BOXES_STATE_SAMPLING);
    return true;
}

bool CxhwBoxes::StartSamplingFlagged(double period)
{
    m_box.ClearQueues();
    m_samplePeriod = period;
    m_slowPolling = true;
    SetState(BOXES_STATE_SAMPLING);
    return true;
}

bool CxhwBoxes::StartSetupLogging(double period)
{
    m_box.ClearQueues();
    m_samplePeriod = period;
    m_slowPolling = false;
    SetState(BOXES_STATE_SETUP_LOGGING);
    return true;
}

bool CxhwBoxes::StartScope(int rateIndex)
{
    m_box.ClearQueues();
    m_scopeSetting = rateIndex;
    m_slowPolling = false;
    SetState(BOXES_STATE_SCOPE);
    return true;
}

bool CxhwBoxes::StartTiming()
{
    StartQueued(BOXES_STATE_TIMING);
    return true;
}

bool CxhwBoxes::StartFetch()
{
    StartQueued(BOXES_STATE_FETCH);
    return true;
}

bool CxhwBoxes::StartSearch()
{
    SetState(BOXES_STATE_SEARCH);
    return true;
}

void CxhwBoxes::ClearQueues()
{
    m_box.ClearQueues();
}

// ---- Published state and values ------------------------------------------

void CxhwBoxes::GetPublicInfo(CxutBoxPublicInfo& info)
{
    wxMutexLocker lock(GetMutex());
    m_box.GetPublicInfo(info);
}

void CxhwBoxes::SetSensorCalibration(int input, int calibIndex, int calType)
{
    wxMutexLocker lock(GetMutex());
    m_box.SetSensorCalibration(input, calibIndex, calType);
}

void CxhwBoxes::SetSensorEnable(int input, bool enable)
{
    wxMutexLocker lock(GetMutex());
    m_box.SetSensorEnable(input, enable);
}

void CxhwBoxes::SetOutputs(int mask)
{
    wxMutexLocker lock(GetMutex());
    m_box.SetRequestedOutputs(mask);
}

int CxhwBoxes::GetRequestedOutputs()
{
    wxMutexLocker lock(GetMutex());
    return m_box.GetRequestedOutputs();
}

void CxhwBoxes::SetActivity(int activity)
{
    wxMutexLocker lock(GetMutex());
    m_box.SetActivity(activity);
}

int CxhwBoxes::GetSampleCount()
{
    wxMutexLocker lock(GetMutex());
    return m_box.GetSampleCount();
}

bool CxhwBoxes::GetSamples(int* destination, int n)
{
    if (n < 0)
        return false;
    wxMutexLocker lock(GetMutex());
    return m_box.GetSamples(destination, uint32_t(n));
}

int CxhwBoxes::GetSamplesUpTo(int* destination, int n)
{
    if (n <= 0)
        return 0;
    wxMutexLocker lock(GetMutex());
    return m_box.GetSamplesUpTo(destination, uint32_t(n));
}

bool CxhwBoxes::GetStoredData(float* destination, int n)
{
    if (n < 0)
        return false;
    wxMutexLocker lock(GetMutex());
    return m_box.GetStoredData(destination, uint32_t(n));
}

int CxhwBoxes::GetTimingEvents(CxutTimerStatus& status, CxutTimerEvent* events, int max)
{
    return int(m_box.GetTimingEvents(status, events, max > 0 ? uint32_t(max) : 0));
}

void CxhwBoxes::TriggerScope(int rateIndex)
{
    m_scopeSetting = rateIndex;
    m_box.AddScopeRequest();
}

bool CxhwBoxes::IsScopePending()
{
    return m_box.IsScopePending();
}

// ---- Posted requests -----------------------------------------------------

void CxhwBoxes::PostRequest(CxutBoxRequest& request)
{
    request.m_answer = BOX_ANSWER_PENDING;
    const uint64_t serial = m_box.SetRequest(request);
    CzxStopWatch watch;
    for (;;) {
        if (watch.TimeInMicro() > 1999999) {
            // Whatever the user is now told failed must not happen later:
            // a request the box thread has not begun is taken back.
            m_box.WithdrawRequest(serial);
            request.m_answer = BOX_ANSWER_FAILED;
            return;
        }
        PumpBluetooth();
        CxutBoxRequest slot;
        m_box.GetRequest(slot);
        if (slot.m_answer >= BOX_ANSWER_DONE) {
            request = slot;
            return;
        }
        // Not a spin: the box thread needs the box mutex to answer.
        wxMilliSleep(1);
    }
}
