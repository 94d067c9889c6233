// Test label: threads
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/testWait.h"

#include <atomic>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <wx/utils.h>

namespace {

// A state the threads are to reach is waited for as long as any wait of the
// tests.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;

// Processor time of the calling thread, in milliseconds.
long ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return long(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

} // namespace

TEST(LoggerManager, StartsTwoIdleThreadsOnceAndStopsThem)
{
    CxhwBoxes boxes;
    EXPECT_TRUE(boxes.StopThreads()); // never started: nothing to do
    ASSERT_TRUE(boxes.StartThreads());
    EXPECT_TRUE(boxes.HasThread());
    EXPECT_TRUE(boxes.m_box.HasThread());
    EXPECT_TRUE(boxes.StartThreads()); // already running: starts nothing
    EXPECT_TRUE(boxes.WaitAckState(zxTHREAD_IDLE, kWaitSeconds));
    EXPECT_TRUE(boxes.StopThreads());
    EXPECT_FALSE(boxes.HasThread());
    EXPECT_FALSE(boxes.m_box.HasThread());
    EXPECT_FALSE(boxes.ThreadsStarted());
}

TEST(LoggerManager, ThreadsAcknowledgeLoggerStates)
{
    CxhwBoxes boxes;
    ASSERT_TRUE(boxes.StartThreads());
    boxes.SetState(BOXES_STATE_IDLE);
    EXPECT_TRUE(boxes.WaitAckState(BOXES_STATE_IDLE, kWaitSeconds));
    boxes.SetState(BOXES_STATE_RESET);
    EXPECT_TRUE(boxes.WaitAckState(BOXES_STATE_RESET, kWaitSeconds));
    EXPECT_TRUE(boxes.StopThreads());
}

TEST(LoggerManager, StartsAndStopsTwice)
{
    CxhwBoxes boxes;
    boxes.SetSimulated(true);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(boxes.StartThreads()) << round;
        boxes.Connect();
        EXPECT_TRUE(boxes.m_box.WaitAckState(BOX_STATE_MONITOR, kWaitSeconds)) << round;
        boxes.SetState(BOXES_STATE_SAMPLING);
        EXPECT_TRUE(boxes.WaitAckState(BOXES_STATE_SAMPLING, kWaitSeconds));
        EXPECT_TRUE(boxes.StopThreads());
        EXPECT_FALSE(boxes.HasThread());
        EXPECT_FALSE(boxes.m_box.HasThread());
        EXPECT_EQ(boxes.GetAckState(), zxTHREAD_STOP);
    }
    EXPECT_TRUE(boxes.StopThreads());
}

// On a Bluetooth RFCOMM link the threads are asked to end first, serving the
// link meanwhile; once both are gone nothing more is waited for (how soon
// the stop comes back is measured by qv_link_bench).
TEST(LoggerManager, StopOnRfcommEndsAsSoonAsTheThreadsAreGone)
{
    CxhwBoxes boxes;
    boxes.m_box.m_linkKind = BOX_LINK_RFCOMM;
    ASSERT_TRUE(boxes.StartThreads());
    EXPECT_TRUE(boxes.StopThreads());
    EXPECT_FALSE(boxes.HasThread());
    EXPECT_FALSE(boxes.m_box.HasThread());
    EXPECT_FALSE(boxes.ThreadsStarted());
}

TEST(LoggerManager, RunRequestsEmptyTheQueuesFirst)
{
    CxhwBoxes boxes;
    const int five[5] = {1, 2, 3, 4, 5};
    const float row[6] = {1, 2, 3, 4, 5, 6};
    const CxutTimerEvent event{10, 1};
    struct Start
    {
        const char* name;
        std::function<void()> call;
        int state;
    } starts[] = {
        {"sampling", [&] { boxes.StartSampling(0.05); }, BOXES_STATE_SAMPLING},
        {"flagged", [&] { boxes.StartSamplingFlagged(0.2); }, BOXES_STATE_SAMPLING},
        {"setup", [&] { boxes.StartSetupLogging(1.0); }, BOXES_STATE_SETUP_LOGGING},
        {"scope", [&] { boxes.StartScope(2); }, BOXES_STATE_SCOPE},
        {"timing", [&] { boxes.StartTiming(); }, BOXES_STATE_TIMING},
        {"fetch", [&] { boxes.StartFetch(); }, BOXES_STATE_FETCH},
    };
    for (const Start& s : starts) {
        boxes.m_box.PutSamples(five, 5);
        boxes.m_box.PutStoredData(row, 6);
        boxes.m_box.m_timing.Put({0, 1}, &event, 1);
        int taken[6] = {};
        EXPECT_FALSE(boxes.GetSamples(taken, 6)) << s.name; // five wait: no whole reading
        EXPECT_EQ(boxes.GetSampleCount(), 5) << s.name;
        s.call();
        EXPECT_EQ(boxes.GetState(), s.state) << s.name;
        EXPECT_EQ(boxes.GetSampleCount(), 0) << s.name;
        float rowOut[6];
        EXPECT_FALSE(boxes.GetStoredData(rowOut, 1)) << s.name;
        CxutTimerStatus status;
        CxutTimerEvent events[2];
        EXPECT_EQ(boxes.GetTimingEvents(status, events, 2), 0) << s.name;
    }
    EXPECT_DOUBLE_EQ(boxes.GetSamplePeriod(), 1.0);
    EXPECT_FALSE(boxes.IsSlowPolling());
    EXPECT_EQ(boxes.GetScopeSetting(), 2);
    boxes.StartSamplingFlagged(0.2);
    EXPECT_TRUE(boxes.IsSlowPolling());
    EXPECT_DOUBLE_EQ(boxes.GetSamplePeriod(), 0.2);
    boxes.StartSearch();
    EXPECT_EQ(boxes.GetState(), BOXES_STATE_SEARCH);
    boxes.RequestIdleOnClose();
    EXPECT_EQ(boxes.GetState(), BOXES_STATE_IDLE);
}

TEST(LoggerManager, ConnectWaitsBrieflyForTheManager)
{
    CxhwBoxes boxes;
    CzxStopWatch watch;
    EXPECT_TRUE(boxes.Connect()); // no thread: gives up after 0.1 s
    EXPECT_GE(watch.Time(), 100);
    ASSERT_TRUE(boxes.StartThreads());
    boxes.Connect();
    EXPECT_EQ(boxes.GetState(), BOXES_STATE_CONNECT);
    EXPECT_TRUE(boxes.WaitAckState(BOXES_STATE_CONNECT, kWaitSeconds));
    boxes.StopThreads();
}

// Nobody serves the request: after 2 s the caller reads failed, and the
// request is taken back so that it is not carried out later.
TEST(LoggerManager, UnansweredRequestIsWithdrawn)
{
    CxhwBoxes boxes;
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_NAME;
    request.m_text = "Group 2";
    CzxStopWatch watch;
    boxes.PostRequest(request);
    EXPECT_GE(watch.Time(), 2000);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_FAILED);
    CxutBoxRequest late;
    EXPECT_FALSE(boxes.m_box.BeginRequest(late));
}

// Waiting for an answer sleeps between polls: the 2 s go by without keeping a
// processor busy.
TEST(LoggerManager, WaitingForAnAnswerSleeps)
{
    CxhwBoxes boxes;
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_CLOCK;
    CzxStopWatch watch;
    const long cpuBefore = ThreadCpuMs();
    boxes.PostRequest(request);
    const long cpu = ThreadCpuMs() - cpuBefore;
    EXPECT_GE(watch.Time(), 2000);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_FAILED);
    EXPECT_LT(cpu, 1000);
}

// The box thread took the request but answers after the caller gave up: the
// caller reads failed, the answer stays in the slot, the next post replaces it.
TEST(LoggerManager, LateAnswerStaysInTheSlot)
{
    CxhwBoxes boxes;
    std::atomic<bool> posted{false};
    std::thread server([&] {
        CxutBoxRequest taken;
        qvtest::WaitUntil([&] { return boxes.m_box.BeginRequest(taken); });
        qvtest::WaitUntil([&] { return posted.load(); });
        taken.m_answer = BOX_ANSWER_DONE;
        boxes.m_box.EndRequest(taken);
    });
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_CLOCK;
    boxes.PostRequest(request);
    posted = true;
    server.join();
    EXPECT_EQ(request.m_answer, BOX_ANSWER_FAILED);
    CxutBoxRequest slot;
    boxes.m_box.GetRequest(slot);
    EXPECT_EQ(slot.m_code, BOX_REQUEST_NONE);
    EXPECT_EQ(slot.m_answer, BOX_ANSWER_DONE);

    CxutBoxRequest next;
    next.m_code = BOX_REQUEST_LIST_FILES;
    boxes.m_box.SetRequest(next);
    boxes.m_box.GetRequest(slot);
    EXPECT_EQ(slot.m_code, BOX_REQUEST_LIST_FILES);
    EXPECT_EQ(slot.m_answer, BOX_ANSWER_PENDING);
}

TEST(LoggerManager, PostedRequestsGetTheDriverAnswer)
{
    CxhwBoxes boxes;
    boxes.m_box.m_info.m_hardware = BOX_TYPE_SIMULATED; // written before the server starts
    std::atomic<bool> done{false};
    std::thread server([&] {
        while (!done) {
            CxutBoxRequest pending;
            boxes.m_box.GetRequest(pending);
            if (pending.m_code == BOX_REQUEST_SET_NAME)
                boxes.m_box.ServeNameRequest();
            else if (pending.m_code == BOX_REQUEST_SET_CLOCK)
                boxes.m_box.ServeClockRequest();
            wxMilliSleep(1);
        }
    });
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_CLOCK;
    request.m_answer = BOX_ANSWER_FAILED; // left over from an earlier use
    boxes.PostRequest(request);
    EXPECT_EQ(request.m_code, BOX_REQUEST_NONE);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED); // no clock on this logger
    EXPECT_NE(request.m_time, CxutBoxRequest::kNoTime);

    request = CxutBoxRequest();
    request.m_code = BOX_REQUEST_SET_NAME;
    request.m_text = wxString::FromUTF8("Gr\xc3\xbcn");
    boxes.PostRequest(request);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
    done = true;
    server.join();
}

// The document hands its Activity to the manager; the box thread reads the
// box's copy and never the document.
TEST(LoggerManager, ActivityIsHandedOverUnderTheLocks)
{
    CxhwBoxes boxes;
    ASSERT_TRUE(boxes.StartThreads());
    std::atomic<bool> done{false};
    std::atomic<int> seen{0};
    std::thread driver([&] {
        while (!done) {
            const int activity = boxes.m_box.GetActivity();
            if (activity == 4)
                seen = activity;
        }
    });
    for (int i = 0; i < 200; ++i)
        boxes.SetActivity(1 + i % 6);
    boxes.SetActivity(4);
    qvtest::WaitUntil([&] { return seen == 4; });
    done = true;
    driver.join();
    EXPECT_EQ(seen, 4);
    EXPECT_EQ(boxes.m_box.GetActivity(), 4);
    boxes.StopThreads();
}

// Everything that crosses threads at once: the thread sanitizer's work load.
TEST(LoggerManager, SharedStateUnderConcurrentUse)
{
    CxhwBoxes boxes;
    ASSERT_TRUE(boxes.StartThreads());
    CxhwBox& box = boxes.m_box;
    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    box.m_info.m_maxSensors = 4;
    std::atomic<bool> done{false};

    // Stands in for the box thread: learns, publishes, queues, serves.
    std::thread boxThread([&] {
        int step = 0;
        while (!done) {
            const int raw[6] = {step, step + 1, step + 2, 0x20000, 0x20000, 0x20000};
            box.SetRawValues(raw);
            box.m_power = step % 100;
            box.m_sensors[step % 4].m_idCode = step % 2 ? 9 : 0;
            box.Publish();
            const float row[6] = {1, 2, 3, 4, 5, 6};
            box.PutStoredData(row, 6);
            const CxutTimerEvent event{uint64_t(step), step & 1};
            box.m_timing.Put({0, step & 1}, &event, 1);
            CxutBoxRequest pending;
            box.GetRequest(pending);
            if (pending.m_code == BOX_REQUEST_SET_NAME)
                box.ServeNameRequest();
            if (box.IsScopePending())
                box.TakeScopeRequest();
            ++step;
            wxMilliSleep(1);
        }
    });
    // Stands in for the host sample clock on the manager thread.
    std::thread hostClock([&] {
        while (!done) {
            box.PushHostSample(2, false);
            wxMilliSleep(1);
        }
    });

    CxutBoxPublicInfo doc;
    int reading[6];
    float row[6];
    CxutTimerStatus status;
    CxutTimerEvent events[8];
    // A few hundred rounds, and on until the host clock's readings came.
    int rounds = 0;
    int readings = 0;
    qvtest::WaitUntil([&] {
        boxes.GetPublicInfo(doc);
        boxes.SetSensorEnable(1, rounds % 2 == 0);
        boxes.SetOutputs(3);
        boxes.SetActivity(2);
        boxes.TriggerScope(1);
        while (boxes.GetSamples(reading, 6))
            ++readings;
        while (boxes.GetStoredData(row, 6)) {
        }
        boxes.GetTimingEvents(status, events, 8);
        boxes.PumpBluetooth();
        return ++rounds >= 300 && readings > 0;
    });
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_NAME;
    boxes.PostRequest(request);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
    done = true;
    boxThread.join();
    hostClock.join();
    EXPECT_GT(readings, 0);
    EXPECT_EQ(doc.m_info.m_hardware, BOX_TYPE_SIMULATED);
    EXPECT_TRUE(boxes.StopThreads());
}
