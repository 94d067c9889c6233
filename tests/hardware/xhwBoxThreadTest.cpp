// Test label: threads
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSimulatedDriver.h"
#include "support/testWait.h"

#include <gtest/gtest.h>
#include <mutex>
#include <vector>
#include <wx/utils.h>

namespace {

// A state the threads are to reach is waited for as long as any wait of the
// tests.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;

// The two logger threads with the simulated logger connected and monitored,
// and the commands they post to the main frame.
class LoggerThreads : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        gumSetCommandPoster([this](int id, int) {
            std::lock_guard<std::mutex> lock(m_eventsMutex);
            m_events.push_back(id);
        });
        m_boxes.SetSimulated(true);
        ASSERT_TRUE(m_boxes.StartThreads());
        m_boxes.Connect();
        ASSERT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_MONITOR, kWaitSeconds));
    }

    void TearDown() override
    {
        xhwSimulatedSetLinkBroken(false);
        m_boxes.StopThreads();
        gumSetCommandPoster(nullptr);
    }

    int CountEvents(int id)
    {
        std::lock_guard<std::mutex> lock(m_eventsMutex);
        int n = 0;
        for (int event : m_events)
            n += event == id;
        return n;
    }

    void ClearEvents()
    {
        std::lock_guard<std::mutex> lock(m_eventsMutex);
        m_events.clear();
    }

    bool WaitForEvent(int id)
    {
        return qvtest::WaitUntil([&] { return CountEvents(id) > 0; });
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CxhwBoxes m_boxes;
    std::mutex m_eventsMutex;
    std::vector<int> m_events;
};

} // namespace

TEST_F(LoggerThreads, ConnectLoopMonitorsTheSimulatedLogger)
{
    EXPECT_EQ(m_boxes.GetAckState(), BOXES_STATE_CONNECT);
    EXPECT_TRUE(WaitForEvent(ID_EVT_BOX_CHANGED));
    CxutBoxPublicInfo info;
    m_boxes.GetPublicInfo(info);
    EXPECT_EQ(info.m_info.m_hardware, BOX_TYPE_SIMULATED);
    EXPECT_EQ(info.m_sensors[0].m_idCode, 9);
    EXPECT_NE(info.m_sensors[1].m_raw, 0); // the monitor reads the current values

    // The document's activity reaches the sensors presented.
    m_boxes.SetActivity(4);
    EXPECT_TRUE(qvtest::WaitUntil([&] {
        m_boxes.GetPublicInfo(info);
        return info.m_sensors[0].m_idCode == 17;
    }));
}

// The host clock pushes one reading at once and one per period on the grid,
// each the current reading of the generator: the readings keep coming, and
// never faster than the grid (the clock starts after the watch).
TEST_F(LoggerThreads, SamplingOnTheHostClock)
{
    CzxStopWatch watch;
    m_boxes.StartSampling(0.05);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SAMPLING, kWaitSeconds));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_boxes.GetSampleCount() >= 6 * 21; }));
    const int count = m_boxes.GetSampleCount();
    const long ms = watch.Time();
    EXPECT_EQ(count % 6, 0);
    EXPECT_GE(ms, (count / 6 - 1) * 50L);
    int reading[6];
    while (m_boxes.GetSamples(reading, 6)) {
        EXPECT_GE(reading[1], 7000);
        EXPECT_LE(reading[1], 57000);
        EXPECT_GE(reading[2], 20000);
        EXPECT_LE(reading[2], 60000);
        EXPECT_EQ(reading[4], 0);
    }
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
}

// The box thread does not spin while monitoring, sampling or timing the
// simulated logger, whose driver answers at once: the monitor sleeps 100 ms
// between its checks, and a sampling or timing pass that took under 1 ms is
// followed by a sleep, so that its polls lie at least that far apart however
// busy the machine (a spinning thread polls many times a millisecond). The
// share of a processor the threads use is measured by qv_link_bench.
TEST_F(LoggerThreads, ThreadsSleepBetweenPasses)
{
    const struct
    {
        const char* name;
        int state;
        long gapMs; // the least time from one poll to the next
        int polls;  // polls looked at
    } runs[] = {{"monitor", BOXES_STATE_CONNECT, 100, 5},
                {"sampling", BOXES_STATE_SAMPLING, 1, 50},
                {"timing", BOXES_STATE_TIMING, 1, 50}};
    for (const auto& run : runs) {
        if (run.state == BOXES_STATE_SAMPLING)
            m_boxes.StartSampling(0.05);
        else if (run.state == BOXES_STATE_TIMING)
            m_boxes.StartTiming();
        ASSERT_TRUE(m_boxes.WaitAckState(run.state, kWaitSeconds)) << run.name;
        // The watch spans every poll counted.
        CzxStopWatch watch;
        const int64_t first = xhwSimulatedPollCount();
        ASSERT_TRUE(qvtest::WaitUntil([&] { return xhwSimulatedPollCount() - first >= run.polls; })) << run.name;
        const int64_t polls = xhwSimulatedPollCount() - first;
        const long ms = watch.Time();
        // n polls span at least n - 2 whole gaps (the first and the last
        // may each be cut by the watch).
        EXPECT_LE(polls, ms / run.gapMs + 2) << run.name << ": " << polls << " polls in " << ms << " ms";
    }
}

// A broken link stops the run: ready (4) and 6095, and the readings already
// queued stay for the document.
TEST_F(LoggerThreads, BrokenLinkDuringSamplingKeepsTheReadings)
{
    m_boxes.StartSampling(0.05);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SAMPLING, kWaitSeconds));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_boxes.GetSampleCount() >= 6 * 5; }));
    xhwSimulatedSetLinkBroken(true);
    EXPECT_TRUE(WaitForEvent(ID_EVT_LINK_BROKEN));
    EXPECT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_READY, kWaitSeconds));
    wxMilliSleep(20);
    const int kept = m_boxes.GetSampleCount();
    EXPECT_GE(kept, 6 * 4);
    int reading[6];
    while (m_boxes.GetSamples(reading, 6))
        EXPECT_GE(reading[1], 7000); // no reading of a failed poll
    wxMilliSleep(100);
    // Once the logger stopped answering the host clock queues nothing more.
    EXPECT_EQ(m_boxes.GetSampleCount(), 0);
}

TEST_F(LoggerThreads, LinkLostWhileMonitoring)
{
    // Two of the monitor's checks first: what the connection itself told is
    // out of the way.
    const int64_t first = xhwSimulatedPollCount();
    ASSERT_TRUE(qvtest::WaitUntil([&] { return xhwSimulatedPollCount() >= first + 2; }));
    ClearEvents();
    xhwSimulatedSetLinkBroken(true);
    EXPECT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_READY, kWaitSeconds));
    EXPECT_TRUE(WaitForEvent(ID_EVT_BOX_CHANGED));
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
    xhwSimulatedSetLinkBroken(false);
    // The connect loop opens the link again.
    EXPECT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_MONITOR, kWaitSeconds));
}

// Set-up logging on the simulated logger ends at once with its one reading,
// without an event, and the box stays in its state.
TEST_F(LoggerThreads, SetupLoggingEndsWithoutAnEvent)
{
    m_boxes.StartSetupLogging(0.1);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SETUP_LOGGING, kWaitSeconds));
    wxMilliSleep(100);
    EXPECT_EQ(m_boxes.m_box.GetState(), BOX_STATE_SETUP_LOGGING);
    EXPECT_EQ(m_boxes.m_box.GetAckState(), BOX_STATE_SETUP_LOGGING);
    EXPECT_EQ(m_boxes.GetSampleCount(), 0);
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
}

TEST_F(LoggerThreads, ScopeServesEveryCapture)
{
    m_boxes.StartScope(1);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SCOPE, kWaitSeconds));
    m_boxes.TriggerScope(2);
    m_boxes.TriggerScope(2);
    EXPECT_TRUE(qvtest::WaitUntil([&] { return !m_boxes.IsScopePending(); }));
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
}

TEST_F(LoggerThreads, TimingEventsReachTheQueue)
{
    m_boxes.SetActivity(4);
    CxutBoxPublicInfo info; // the monitor presents the light gates
    ASSERT_TRUE(qvtest::WaitUntil([&] {
        m_boxes.GetPublicInfo(info);
        return info.m_sensors[0].m_idCode == 17;
    }));
    m_boxes.StartTiming();
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_TIMING, kWaitSeconds));
    CxutTimerStatus status;
    CxutTimerEvent events[8];
    int taken = 0;
    ASSERT_TRUE(qvtest::WaitUntil([&] {
        taken = m_boxes.GetTimingEvents(status, events, 8);
        return taken > 0;
    }));
    ASSERT_GE(taken, 1);
    EXPECT_EQ(events[0].States, 0);
}

TEST_F(LoggerThreads, FetchAndFileList)
{
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_LIST_FILES;
    m_boxes.PostRequest(request);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_DONE);
    CxhwBox& box = m_boxes.m_box;
    ASSERT_TRUE(qvtest::WaitUntil([&] { return box.m_fetch.GetListResult() == 3; }));
    ASSERT_EQ(box.m_fetch.GetCount(), 3);
    const char* names[3] = {"File A", "File B", "File D"};
    const int numbers[3] = {0, 1, 3};
    for (int i = 0; i < 3; ++i) {
        CxutFetchFile file;
        ASSERT_TRUE(box.m_fetch.GetFile(i, file));
        EXPECT_EQ(file.m_name, names[i]);
        EXPECT_EQ(file.m_number, numbers[i]);
    }

    box.m_fetch.SetFetchNumber(1);
    m_boxes.StartFetch();
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_FETCH, kWaitSeconds));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return box.m_fetch.IsResultReady(); }));
    EXPECT_EQ(box.m_fetch.GetResult(), 0);
    float rows[9 * 6];
    EXPECT_TRUE(m_boxes.GetStoredData(rows, 9 * 6));
    m_boxes.RequestIdleAfterFetch();
    EXPECT_TRUE(m_boxes.WaitAckState(BOXES_STATE_IDLE, kWaitSeconds));
}
