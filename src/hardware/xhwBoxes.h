#pragma once
#include "hardware/xhwBox.h"
#include "protocol/xutBoxPublicInfo.h"
#include "protocol/xutBoxRequest.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <cstdint>

// Manager states of the logger manager (0 to 2 are the thread base's own).
enum
{
    BOXES_STATE_RESET = 3,
    BOXES_STATE_IDLE = 4,
    BOXES_STATE_CONNECT = 5,
    BOXES_STATE_SAMPLING = 6,
    BOXES_STATE_SETUP_LOGGING = 7,
    BOXES_STATE_TIMING = 8,
    BOXES_STATE_SCOPE = 9,
    BOXES_STATE_FETCH = 10,
    BOXES_STATE_SEARCH = 11,
};

// The application's single logger manager: every request of the user
// interface to the connected logger goes through it. It owns the logger
// record and the two worker threads; its own operations run on the main
// thread. Lock order: manager mutex, box mutex, then a queue's or the sample
// mutex.
class CxhwBoxes : public CzxThreadMgr
{
public:
    CxhwBoxes();
    ~CxhwBoxes() override;

    bool Start(CzxThread* thread, int priority) override;
    bool StartThreads();
    bool StopThreads();
    bool StopAll(int resetFlag);
    bool ThreadsStarted() const { return m_threadsStarted; }
    void PumpBluetooth();

    // State requests: they return at once, except Connect (up to 0.1 s).
    bool Connect();
    bool RequestIdle();
    bool RequestIdleOnClose();
    bool RequestIdleAfterFetch();
    bool StartSampling(double period);
    bool StartSamplingFlagged(double period);
    bool StartSetupLogging(double period);
    bool StartScope(int rateIndex);
    bool StartTiming();
    bool StartFetch();
    bool StartSearch();
    void ClearQueues();

    // The published logger description; the marks in info tell what changed
    // since the caller's previous copy.
    void GetPublicInfo(CxutBoxPublicInfo& info);
    void SetSensorCalibration(int input, int calibIndex, int calType);
    void SetSensorEnable(int input, bool enable);
    void SetOutputs(int mask);
    int GetRequestedOutputs();
    // The document's Activity, for the drivers that present sensors by it.
    void SetActivity(int activity);

    int GetSampleCount();
    bool GetSamples(int* destination, int n);
    int GetSamplesUpTo(int* destination, int n);
    bool GetStoredData(float* destination, int n);
    int GetTimingEvents(CxutTimerStatus& status, CxutTimerEvent* events, int max);
    void TriggerScope(int rateIndex);
    bool IsScopePending();
    void OnPacketReceived() {}

    // Hands the request to the box thread and waits up to 2 s for its answer;
    // see the definition for what happens to a request that is not answered.
    void PostRequest(CxutBoxRequest& request);

    // Read by the box thread and the drivers.
    double GetSamplePeriod() const { return m_samplePeriod; }
    bool IsSlowPolling() const { return m_slowPolling; }
    int GetScopeSetting() const { return m_scopeSetting; }
    // Milliseconds since the manager was built: the time stamps of streams.
    const CzxStopWatch& GetClock() const { return m_clock; }
    // The connect loop opens the simulated logger (link 101) instead of
    // searching the ports of the options.
    void SetSimulated(bool simulated) { m_simulated = simulated; }
    bool IsSimulated() const { return m_simulated; }

    CxhwBox m_box;

private:
    void StartQueued(int state);

    std::atomic<double> m_samplePeriod{0.1};
    std::atomic<bool> m_slowPolling{false};
    std::atomic<int> m_scopeSetting{0};
    std::atomic<bool> m_simulated{false};
    bool m_pumpGuard = false;
    CzxStopWatch m_clock;
    bool m_threadsStarted = false;
};

class CxhwBoxesThread : public CzxThread
{
public:
    ExitCode Entry() override;
};

// The application's logger manager: the one constructed last and still alive,
// or null (code without an application, such as the document's, asks it).
CxhwBoxes* xhwGetBoxes();
