// Test label: threads
#include "support/testWait.h"
#include "transport/zxStopWatch.h"
#include "transport/zxThread.h"

#include <atomic>
#include <memory>
#include <pthread.h>
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

// What a stuck thread and its test share; it outlives both.
struct StuckFlags
{
    std::atomic<bool> entered{false};
    std::atomic<bool> release{false};
};

// Stuck in its step as in a driver call that never returns, until the test
// releases it; with cancellable false, a call that cannot be cancelled either.
class StuckThread : public CzxThread
{
public:
    StuckThread(std::shared_ptr<StuckFlags> flags, bool cancellable)
        : m_flags(std::move(flags)), m_cancellable(cancellable)
    {
    }
    bool Step() override
    {
        if (!m_cancellable)
            pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, nullptr);
        m_flags->entered = true;
        while (!m_flags->release)
            wxMilliSleep(5);
        return false;
    }

private:
    std::shared_ptr<StuckFlags> m_flags;
    bool m_cancellable;
};

// Releases the stuck thread only when the tests' bound is over, so that a
// stop that waits for it comes back to find it released instead of hanging
// the test.
class Releaser
{
public:
    explicit Releaser(std::shared_ptr<StuckFlags> flags)
        : m_thread([flags] {
              qvtest::WaitUntil([&] { return flags->release.load(); });
              flags->release = true;
          })
    {
    }
    ~Releaser() { m_thread.join(); }

private:
    std::thread m_thread;
};

std::shared_ptr<StuckFlags> StartStuck(CzxThreadMgr& manager, bool cancellable)
{
    auto flags = std::make_shared<StuckFlags>();
    EXPECT_TRUE(manager.Start(new StuckThread(flags, cancellable), 50));
    manager.SetState(zxTHREAD_RUN);
    EXPECT_TRUE(qvtest::WaitUntil([&] { return flags->entered.load(); }));
    return flags;
}

// The stop's graceful waits (0.5 s and 5 s) come before its forced end.
constexpr long kStopAtLeastMs = 5400;

constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;

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
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_IDLE, kWaitSeconds));
    EXPECT_EQ(steps, 0);
    manager.SetState(7);
    EXPECT_TRUE(qvtest::WaitUntil([&] { return steps >= 3; }));
    manager.SetState(zxTHREAD_PAUSE);
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_PAUSE, kWaitSeconds));
    const int paused = steps;
    wxMilliSleep(30); // a while in which a thread that went on would step
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
    EXPECT_TRUE(qvtest::WaitUntil([&] { return !manager.HasThread(); }));
    EXPECT_EQ(manager.GetAckState(), zxTHREAD_STOP);
    EXPECT_EQ(steps, 2);
}

TEST(WorkerThread, WaitAckStateTimings)
{
    CzxThreadMgr manager;
    // A state already acknowledged is answered without waiting out the
    // time-out, however long.
    CzxStopWatch watch;
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_IDLE, 0.0f));
    EXPECT_TRUE(manager.WaitAckState(zxTHREAD_IDLE, 2 * kWaitSeconds));
    EXPECT_LT(watch.Time(), qvtest::kWaitBoundMs);
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

// A thread stuck in a call that can be cancelled: the stop cancels it and
// comes back within its bound, leaving nothing behind.
TEST(WorkerThread, StopEndsAStuckThreadWithinItsBound)
{
    CzxThreadMgr manager;
    auto flags = StartStuck(manager, true);
    Releaser releaser(flags);
    CzxStopWatch watch;
    manager.Stop();
    EXPECT_FALSE(flags->release) << "the stop waited for the stuck thread";
    EXPECT_GE(watch.Time(), kStopAtLeastMs);
    EXPECT_FALSE(manager.HasThread());
    EXPECT_EQ(zxReapThreadsLetGo(), 0);
    flags->release = true;
}

// A thread stuck in a call that cannot even be cancelled: the stop still
// comes back within its bound and lets go of it. Released later, after its
// manager is gone, it ends without reaching the manager and is freed.
TEST(WorkerThread, StopLetsGoOfAThreadThatCannotBeCancelled)
{
    auto manager = std::make_unique<CzxThreadMgr>();
    auto flags = StartStuck(*manager, false);
    Releaser releaser(flags);
    CzxStopWatch watch;
    manager->Stop();
    EXPECT_FALSE(flags->release) << "the stop waited for the stuck thread";
    EXPECT_GE(watch.Time(), kStopAtLeastMs);
    EXPECT_FALSE(manager->HasThread());
    EXPECT_EQ(zxReapThreadsLetGo(), 1);
    manager.reset();

    flags->release = true;
    EXPECT_TRUE(qvtest::WaitUntil([] { return zxReapThreadsLetGo() == 0; }));
}

// Kill does not wait at all; a killed thread that ends is freed later.
TEST(WorkerThread, KillReturnsAtOnce)
{
    CzxThreadMgr manager;
    auto flags = StartStuck(manager, false);
    Releaser releaser(flags);
    manager.Kill();
    EXPECT_FALSE(flags->release) << "the kill waited for the stuck thread";
    EXPECT_FALSE(manager.HasThread());
    flags->release = true;
    EXPECT_TRUE(qvtest::WaitUntil([] { return zxReapThreadsLetGo() == 0; }));
}
