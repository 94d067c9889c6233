// Test label: threads
#include "transport/zxStopWatch.h"
#include "transport/zxThread.h"

#include <atomic>
#include <thread>
#include <gtest/gtest.h>
#include <wx/utils.h>

namespace {

class CountingThread : public CzxThread
{
public:
    explicit CountingThread(std::atomic<int>& steps, int stopAfter = -1)
        : m_steps(steps), m_stopAfter(stopAfter)
    {
    }
    bool Step() override
    {
        const int n = ++m_steps;
        wxMilliSleep(1);
        return m_stopAfter < 0 || n < m_stopAfter;
    }

private:
    std::atomic<int>& m_steps;
    int m_stopAfter;
};

// Never looks at its state: only the forced end can stop it.
class DeafThread : public CzxThread
{
public:
    explicit DeafThread(std::atomic<bool>& quit) : m_quit(quit) {}
    ExitCode Entry() override
    {
        while (!m_quit)
            wxMilliSleep(5);
        return nullptr;
    }

private:
    std::atomic<bool>& m_quit;
};

} // namespace

TEST(WorkerThread, StartWithoutThreadChangesNothing)
{
    CzxThreadMgr manager;
    manager.SetState(7);
    EXPECT_FALSE(manager.Start(nullptr, 50));
    EXPECT_EQ(manager.GetState(), 7);
    EXPECT_FALSE(manager.HasThread());
}

TEST(WorkerThread, RunStatesStepAndPauseAcknowledges)
{
    std::atomic<int> steps{0};
    CzxThreadMgr manager;
    ASSERT_TRUE(manager.Start(new CountingThread(steps), 50));
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_IDLE, 1.0f));
    EXPECT_EQ(steps, 0);
    manager.SetState(7);
    CzxStopWatch watch;
    while (steps < 3 && watch.Time() < 2000)
        wxMilliSleep(1);
    EXPECT_GE(steps, 3);
    manager.SetState(zxTHREAD_PAUSE);
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_PAUSE, 1.0f));
    const int paused = steps;
    wxMilliSleep(30);
    EXPECT_LE(steps - paused, 1);
    manager.Stop();
    EXPECT_FALSE(manager.HasThread());
    EXPECT_EQ(manager.GetAckState(), zxTHREAD_STOP);
}

TEST(WorkerThread, StepReturningFalseEndsThread)
{
    std::atomic<int> steps{0};
    CzxThreadMgr manager;
    ASSERT_TRUE(manager.Start(new CountingThread(steps, 2), 50));
    manager.SetState(zxTHREAD_RUN);
    CzxStopWatch watch;
    while (manager.HasThread() && watch.Time() < 2000)
        wxMilliSleep(1);
    EXPECT_FALSE(manager.HasThread());
    EXPECT_EQ(manager.GetAckState(), zxTHREAD_STOP);
    EXPECT_EQ(steps, 2);
}

TEST(WorkerThread, WaitAckStateTimings)
{
    CzxThreadMgr manager;
    CzxStopWatch watch;
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_IDLE, 0.0f));
    EXPECT_LT(watch.TimeInMicro().GetValue(), 1000);
    watch.Start(0);
    EXPECT_FALSE(manager.WaitAckState(zxTHREAD_RUN, 0.0f));
    EXPECT_GE(watch.TimeInMicro().GetValue(), 1000);
    EXPECT_TRUE(manager.StopWait(100)); // no thread: at once
    EXPECT_EQ(manager.GetState(), zxTHREAD_STOP);
}

TEST(WorkerThread, StopForcesAThreadThatDoesNotListen)
{
    std::atomic<bool> quit{false};
    CzxThreadMgr manager;
    ASSERT_TRUE(manager.Start(new DeafThread(quit), 50));
    EXPECT_FALSE(manager.StopWait(50));
    CzxStopWatch watch;
    // The toolkit's delete waits for the thread; let it end once the graceful
    // waits are over.
    std::thread releaser([&] {
        wxMilliSleep(5600);
        quit = true;
    });
    manager.Stop();
    releaser.join();
    EXPECT_GE(watch.Time(), 5400);
    EXPECT_FALSE(manager.HasThread());
}
