// The box thread: performs the box state that the manager thread requests,
// through the link operations and the box's per-type operations, publishes
// what it learns and tells the main frame about changes.
#include "hardware/xhwBox.h"

#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwLink.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <cmath>
#include <wx/utils.h>

namespace {

constexpr int kNoReading = 0x20000;
// A pass of a driver that answered within this many microseconds is followed
// by a short sleep, so that the loop does not spin (the simulated logger
// answers at once).
constexpr long kQuickPassMicro = 1000;
constexpr int kQuickPassSleepMs = 5;
constexpr int kMonitorMs = 100;
constexpr int kSearchPeriodMs = 1000;
constexpr int kSearchLimitMs = 120000;

class BoxStates
{
public:
    BoxStates(CxhwBoxThread& thread, CxhwBox& box) : m_thread(thread), m_box(box) {}

    void Run(int state);

private:
    bool Is(int state) { return m_thread.IsState(state, nullptr); }
    void Hold(int state) { m_thread.SleepWhileState(state); }
    void Ack(int state) { m_box.AckState(state); }
    // Ends an operation that failed: ready (4), the event, and hold.
    void Fail(int state, int event)
    {
        Ack(BOX_STATE_READY);
        gumPostCommand(event, 0);
        Hold(state);
    }
    void PacePass(const CzxStopWatch& watch);
    double SamplePeriod() const;
    void StoreAll(int value);
    void ClearValueQueues();

    void Reset();
    void Close();
    void Fetch();
    void Search();
    void Monitor();
    void Sampling();
    void PolledSampling();
    void StreamedSampling();
    void SetupLogging();
    void Scope();
    void Timing();

    CxhwBoxThread& m_thread;
    CxhwBox& m_box;
};

void BoxStates::PacePass(const CzxStopWatch& watch)
{
    if (watch.TimeInMicro().GetValue() < kQuickPassMicro)
        wxMilliSleep(kQuickPassSleepMs);
}

double BoxStates::SamplePeriod() const
{
    const CxhwBoxes* manager = m_box.GetManager();
    return manager ? manager->GetSamplePeriod() : 0.1;
}

void BoxStates::StoreAll(int value)
{
    int values[CxhwBox::kInputs];
    std::fill(values, values + CxhwBox::kInputs, value);
    m_box.SetRawValues(values);
    m_box.Publish();
}

void BoxStates::ClearValueQueues()
{
    m_box.m_samples.Clear();
    m_box.m_stored.Clear();
}

void BoxStates::Run(int state)
{
    switch (state) {
    case BOX_STATE_RESET: Reset(); break;
    case BOX_STATE_SEARCH: Search(); break;
    case BOX_STATE_CONNECT: Monitor(); break;
    case BOX_STATE_SAMPLING: Sampling(); break;
    case BOX_STATE_SETUP_LOGGING: SetupLogging(); break;
    case BOX_STATE_TIMING: Timing(); break;
    case BOX_STATE_SCOPE: Scope(); break;
    case BOX_STATE_FETCH: Fetch(); break;
    case BOX_STATE_CLOSE: Close(); break;
    default:
        // No handler (4, 7 or an unknown state): wait for another request
        // rather than asking again at once.
        Hold(state);
        break;
    }
}

void BoxStates::Reset()
{
    xhwResetAndClose(m_box);
    Ack(BOX_STATE_RESET);
    Hold(BOX_STATE_RESET);
}

void BoxStates::Close()
{
    xhwCloseLink(m_box);
    Ack(BOX_STATE_CLOSE);
    Hold(BOX_STATE_CLOSE);
}

void BoxStates::Fetch()
{
    Ack(BOX_STATE_FETCH);
    m_box.FetchFile(m_box.m_fetch.GetFetchNumber());
    Hold(BOX_STATE_FETCH);
}

void BoxStates::Search()
{
    Ack(BOX_STATE_SEARCH);
    CzxStopWatch watch;
    int64_t lastCheck = 0;
    while (Is(BOX_STATE_SEARCH)) {
        const int64_t now = zxWatchTime(watch);
        if (zxTimeDiff(now, lastCheck) > kSearchPeriodMs) {
            lastCheck = now;
            xhwIsLinkOpen(m_box, true, true);
        }
        if (zxTimeDiff(zxWatchTime(watch), 0) > kSearchLimitMs) {
            xhwCloseLink(m_box);
            Hold(BOX_STATE_SEARCH);
            return;
        }
        wxMilliSleep(5);
    }
}

void BoxStates::Monitor()
{
    Ack(BOX_STATE_CONNECT);
    const bool identified = xhwConnect(m_box);
    m_box.Publish();
    if (!identified) {
        Ack(BOX_STATE_READY);
        gumPostCommand(ID_EVT_BOX_CHANGED, 0);
        Hold(BOX_STATE_CONNECT);
        return;
    }
    Ack(BOX_STATE_MONITOR);
    gumPostCommand(ID_EVT_BOX_CHANGED, 0);

    bool firstPass = true;
    while (Is(BOX_STATE_CONNECT)) {
        if (!firstPass) {
            // One sleep, not many short ones: the monitor runs all the time a
            // logger is attached and idle.
            wxMilliSleep(kMonitorMs);
            if (!Is(BOX_STATE_CONNECT))
                break;
        }
        firstPass = false;
        {
            wxMutexLocker lock(m_box.m_sampleMutex);
            m_box.m_info.m_changed = false;
            for (int i = 0; i < CxhwBox::kInputs; ++i) {
                CxhwSensor& sensor = m_box.m_sensors[i];
                sensor.m_changedId = false;
                sensor.m_changedCal = false;
                sensor.m_changedEnable = false;
                sensor.m_changedRaw = false;
            }
        }
        const bool ok = xhwRecheckLink(m_box);
        bool changed = m_box.Publish();
        if (!ok) {
            Ack(BOX_STATE_READY);
            gumPostCommand(ID_EVT_BOX_CHANGED, 0);
            Hold(BOX_STATE_CONNECT);
            return;
        }
        {
            wxMutexLocker lock(m_box.m_sampleMutex);
            changed = changed || m_box.m_info.m_changed;
            for (int i = 0; i < CxhwBox::kInputs; ++i) {
                const CxhwSensor& sensor = m_box.m_sensors[i];
                changed = changed || sensor.m_changedId || sensor.m_changedCal
                          || sensor.m_changedEnable || sensor.m_changedRaw;
            }
        }
        if (changed)
            gumPostCommand(ID_EVT_BOX_CHANGED, 0);
    }
    m_box.SwitchOutputsOff();
}

void BoxStates::Sampling()
{
    if (xhwStreamsOwnReadings(m_box.m_info, m_box.m_linkKind))
        StreamedSampling();
    else
        PolledSampling();
}

void BoxStates::PolledSampling()
{
    int values[CxhwBox::kInputs] = {0, 0, 0, 0, 0, 0};
    StoreAll(0);
    bool ok = xhwIsLinkOpen(m_box, true, false) && m_box.StartPolling(values);
    m_box.SetRawValues(values);
    m_box.Publish();
    ClearValueQueues();
    if (!ok) {
        m_box.StopPolling();
        Fail(BOX_STATE_SAMPLING, ID_EVT_LINK_BROKEN);
        return;
    }
    Ack(BOX_STATE_SAMPLING);

    // A logger that samples on its own is paced here by its polls; the host
    // clock of the manager thread paces the others.
    const bool paced = m_box.AnyModeFlag();
    int64_t polls = 0;
    int64_t pushed = 0;
    if (paced) {
        polls = pushed = 1;
        m_box.PushHostSample(1, true);
    }
    while (Is(BOX_STATE_SAMPLING)) {
        CzxStopWatch watch;
        ok = m_box.Poll(values);
        if (!ok) {
            // The cleared values of a failed poll are no reading: the host
            // clock must not queue them.
            m_box.StopPolling();
            Fail(BOX_STATE_SAMPLING, ID_EVT_LINK_BROKEN);
            return;
        }
        m_box.SetRawValues(values);
        m_box.Publish();
        if (paced) {
            const float ratio = float(SamplePeriod()) / float(m_box.m_run.m_deviceInterval);
            // A ratio that is not positive would never stop pushing.
            if (ratio > 0.0f && std::isfinite(ratio)) {
                while (float(polls) >= std::floor(float(pushed) * ratio + 0.5f)) {
                    m_box.PushHostSample(1, false);
                    ++pushed;
                }
            }
            ++polls;
        }
        PacePass(watch);
    }
    m_box.StopPolling();
}

void BoxStates::StreamedSampling()
{
    constexpr int kMaxReadings = 20;
    int buffer[kMaxReadings * CxhwBox::kInputs];
    std::fill(std::begin(buffer), std::end(buffer), kNoReading);
    m_box.Publish();
    const double period = SamplePeriod();
    bool ok = xhwIsLinkOpen(m_box, true, false) && m_box.StartStream(period);
    m_box.SetRawValues(buffer);
    m_box.Publish();
    ClearValueQueues();

    const int step = std::max(1, int(std::floor(period * 1000.0 + 0.5)));
    const CxhwBoxes* manager = m_box.GetManager();
    int64_t t = zxWrapTime((manager ? zxWatchTime(manager->GetClock()) : 0) + 1);
    if (!ok) {
        m_box.StopStream();
        Fail(BOX_STATE_SAMPLING, ID_EVT_LINK_BROKEN);
        return;
    }
    Ack(BOX_STATE_SAMPLING);
    bool first = true;
    while (Is(BOX_STATE_SAMPLING)) {
        int count = 0;
        if (!m_box.ReadStream(buffer, count, kMaxReadings, int(t), step)) {
            m_box.StopStream();
            Fail(BOX_STATE_SAMPLING, ID_EVT_LINK_BROKEN);
            return;
        }
        if (count <= 0) {
            wxMilliSleep(30);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            m_box.SetRawValues(buffer + i * CxhwBox::kInputs);
            m_box.PushHostSample(1, first);
            first = false;
            t = zxWrapTime(t + step);
        }
        m_box.Publish();
        wxMilliSleep(std::max(1, 20 / count));
    }
    m_box.StopStream();
}

void BoxStates::SetupLogging()
{
    int values[CxhwBox::kInputs];
    std::fill(values, values + CxhwBox::kInputs, kNoReading);
    StoreAll(kNoReading);
    bool ok = xhwIsLinkOpen(m_box, true, false) && m_box.StartSetupLogging();
    m_box.SetRawValues(values);
    m_box.Publish();
    ClearValueQueues();
    if (!ok) {
        m_box.StopSetupLogging();
        xhwCloseLink(m_box);
        Fail(BOX_STATE_SETUP_LOGGING, ID_EVT_LINK_BROKEN);
        return;
    }
    Ack(BOX_STATE_SETUP_LOGGING);
    int64_t received = 0;
    int64_t pushed = 0;
    bool first = true;
    while (Is(BOX_STATE_SETUP_LOGGING)) {
        CzxStopWatch watch;
        bool got = false;
        if (!m_box.ReadSetupLogging(values, got)) {
            m_box.StopSetupLogging();
            xhwCloseLink(m_box);
            Fail(BOX_STATE_SETUP_LOGGING, ID_EVT_LINK_BROKEN);
            return;
        }
        if (got) {
            m_box.SetRawValues(values);
            m_box.Publish();
            if (m_box.AnyModeFlag() && m_box.m_run.m_deviceIntervalUs > 0) {
                const double p = std::floor(SamplePeriod() * 1000000.0 + 0.5);
                const double interval = double(m_box.m_run.m_deviceIntervalUs);
                while (double(received) >= std::floor(double(pushed) * p / interval + 0.5)) {
                    m_box.PushHostSample(1, first);
                    first = false;
                    ++pushed;
                }
            }
            ++received;
            if (double(received) >= m_box.m_run.m_readingsToTake) {
                // The run is complete: no event, no ready state.
                m_box.StopSetupLogging();
                Hold(BOX_STATE_SETUP_LOGGING);
                return;
            }
        }
        PacePass(watch);
    }
    m_box.StopSetupLogging();
}

void BoxStates::Scope()
{
    StoreAll(kNoReading);
    bool ok = xhwIsLinkOpen(m_box, true, false) && m_box.StartScope();
    StoreAll(kNoReading);
    ClearValueQueues();
    if (!ok) {
        m_box.StopScope();
        Fail(BOX_STATE_SCOPE, ID_EVT_LINK_BROKEN);
        return;
    }
    Ack(BOX_STATE_SCOPE);
    int values[CxhwBox::kScopeValues];
    while (Is(BOX_STATE_SCOPE)) {
        if (m_box.IsScopePending()) {
            ClearValueQueues();
            ok = m_box.CaptureScope();
            m_box.TakeScopeRequest();
            if (ok)
                wxMilliSleep(3);
        } else {
            int count = 0;
            ok = m_box.ReadScope(values, count);
            if (ok) {
                m_box.PutSamples(values, uint32_t(count));
                if (count < 100)
                    wxMilliSleep(3);
            }
        }
        if (!ok) {
            m_box.StopScope();
            Fail(BOX_STATE_SCOPE, ID_EVT_LINK_BROKEN);
            return;
        }
    }
    m_box.StopScope();
}

void BoxStates::Timing()
{
    StoreAll(kNoReading);
    ClearValueQueues();
    if (xhwIsLinkOpen(m_box, true, true) && m_box.StartTiming()) {
        Ack(BOX_STATE_TIMING);
        while (Is(BOX_STATE_TIMING)) {
            CzxStopWatch watch;
            if (!m_box.ReadTiming()) {
                m_box.StopTiming();
                Fail(BOX_STATE_TIMING, ID_EVT_LINK_BROKEN);
                return;
            }
            PacePass(watch);
        }
        m_box.StopTiming();
        return;
    }
    m_box.StopTiming();
    Fail(BOX_STATE_TIMING, ID_EVT_LINK_BROKEN);
}

} // namespace

wxThread::ExitCode CxhwBoxThread::Entry()
{
    CxhwBox& box = static_cast<CxhwBox&>(*GetManager());
    BoxStates states(*this, box);
    bool skip = true;
    if (CheckState(&skip)) {
        for (;;) {
            if (!skip)
                states.Run(box.GetState());
            if (!CheckState(&skip))
                break;
        }
    }
    box.AckState(zxTHREAD_STOP);
    return nullptr;
}
