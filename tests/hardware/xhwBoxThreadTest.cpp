// Test label: threads
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSimulatedDriver.h"

#include <ctime>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>
#include <wx/utils.h>

namespace {

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
        ASSERT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_MONITOR, 2.0f));
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

    bool WaitForEvent(int id, int ms)
    {
        CzxStopWatch watch;
        while (CountEvents(id) == 0 && watch.Time() < ms)
            wxMilliSleep(2);
        return CountEvents(id) > 0;
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
    EXPECT_TRUE(WaitForEvent(ID_EVT_BOX_CHANGED, 1000));
    CxutBoxPublicInfo info;
    m_boxes.GetPublicInfo(info);
    EXPECT_EQ(info.m_info.m_hardware, BOX_TYPE_SIMULATED);
    EXPECT_EQ(info.m_sensors[0].m_idCode, 9);
    EXPECT_NE(info.m_sensors[1].m_raw, 0); // the monitor reads the current values

    // The document's activity reaches the sensors presented.
    m_boxes.SetActivity(4);
    CzxStopWatch watch;
    do {
        wxMilliSleep(20);
        m_boxes.GetPublicInfo(info);
    } while (info.m_sensors[0].m_idCode != 17 && watch.Time() < 2000);
    EXPECT_EQ(info.m_sensors[0].m_idCode, 17);
}

// The host clock pushes one reading at once and one per period on the grid,
// each the current reading of the generator.
TEST_F(LoggerThreads, SamplingOnTheHostClock)
{
    m_boxes.StartSampling(0.05);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SAMPLING, 2.0f));
    CzxStopWatch watch;
    wxMilliSleep(1000);
    const double seconds = watch.Time() / 1000.0;
    const int count = m_boxes.GetSampleCount();
    EXPECT_EQ(count % 6, 0);
    EXPECT_GE(count / 6, int(seconds / 0.05) - 2);
    EXPECT_LE(count / 6, int(seconds / 0.05) + 4);
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

// Neither thread spins while sampling or timing the simulated logger, whose
// driver answers at once.
TEST_F(LoggerThreads, ThreadsSleepBetweenPasses)
{
    const struct
    {
        const char* name;
        int state;
    } runs[] = {{"monitor", BOXES_STATE_CONNECT},
                {"sampling", BOXES_STATE_SAMPLING},
                {"timing", BOXES_STATE_TIMING}};
    for (const auto& run : runs) {
        if (run.state == BOXES_STATE_SAMPLING)
            m_boxes.StartSampling(0.05);
        else if (run.state == BOXES_STATE_TIMING)
            m_boxes.StartTiming();
        ASSERT_TRUE(m_boxes.WaitAckState(run.state, 2.0f)) << run.name;
        const std::clock_t cpu = std::clock();
        CzxStopWatch watch;
        wxMilliSleep(500);
        const double used = double(std::clock() - cpu) / CLOCKS_PER_SEC;
        const double wall = watch.Time() / 1000.0;
        EXPECT_LT(used, 0.2 * wall) << run.name;
    }
}

// A broken link stops the run: ready (4) and 6095, and the readings already
// queued stay for the document.
TEST_F(LoggerThreads, BrokenLinkDuringSamplingKeepsTheReadings)
{
    m_boxes.StartSampling(0.05);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SAMPLING, 2.0f));
    wxMilliSleep(300);
    xhwSimulatedSetLinkBroken(true);
    EXPECT_TRUE(WaitForEvent(ID_EVT_LINK_BROKEN, 1000));
    EXPECT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_READY, 1.0f));
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
    wxMilliSleep(150);
    ClearEvents();
    xhwSimulatedSetLinkBroken(true);
    EXPECT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_READY, 1.0f));
    EXPECT_TRUE(WaitForEvent(ID_EVT_BOX_CHANGED, 1000));
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
    xhwSimulatedSetLinkBroken(false);
    // The connect loop opens the link again.
    EXPECT_TRUE(m_boxes.m_box.WaitAckState(BOX_STATE_MONITOR, 2.0f));
}

// Set-up logging on the simulated logger ends at once with its one reading,
// without an event, and the box stays in its state.
TEST_F(LoggerThreads, SetupLoggingEndsWithoutAnEvent)
{
    m_boxes.StartSetupLogging(0.1);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SETUP_LOGGING, 2.0f));
    wxMilliSleep(100);
    EXPECT_EQ(m_boxes.m_box.GetState(), BOX_STATE_SETUP_LOGGING);
    EXPECT_EQ(m_boxes.m_box.GetAckState(), BOX_STATE_SETUP_LOGGING);
    EXPECT_EQ(m_boxes.GetSampleCount(), 0);
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
}

TEST_F(LoggerThreads, ScopeServesEveryCapture)
{
    m_boxes.StartScope(1);
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_SCOPE, 2.0f));
    m_boxes.TriggerScope(2);
    m_boxes.TriggerScope(2);
    CzxStopWatch watch;
    while (m_boxes.IsScopePending() && watch.Time() < 1000)
        wxMilliSleep(2);
    EXPECT_FALSE(m_boxes.IsScopePending());
    EXPECT_EQ(CountEvents(ID_EVT_LINK_BROKEN), 0);
}

TEST_F(LoggerThreads, TimingEventsReachTheQueue)
{
    m_boxes.SetActivity(4);
    wxMilliSleep(250); // the monitor presents the light gates
    m_boxes.StartTiming();
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_TIMING, 2.0f));
    CxutTimerStatus status;
    CxutTimerEvent events[8];
    CzxStopWatch watch;
    int taken = 0;
    while (taken == 0 && watch.Time() < 1000) {
        taken = m_boxes.GetTimingEvents(status, events, 8);
        wxMilliSleep(5);
    }
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
    CzxStopWatch watch;
    while (box.m_fetch.GetListResult() != 3 && watch.Time() < 1000)
        wxMilliSleep(2);
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
    ASSERT_TRUE(m_boxes.WaitAckState(BOXES_STATE_FETCH, 2.0f));
    watch.Start(0);
    while (!box.m_fetch.IsResultReady() && watch.Time() < 1000)
        wxMilliSleep(2);
    EXPECT_EQ(box.m_fetch.GetResult(), 0);
    float rows[9 * 6];
    EXPECT_TRUE(m_boxes.GetStoredData(rows, 9 * 6));
    m_boxes.RequestIdleAfterFetch();
    EXPECT_TRUE(m_boxes.WaitAckState(BOXES_STATE_IDLE, 2.0f));
}
