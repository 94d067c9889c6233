#pragma once
#include <atomic>
#include <mutex>
#include <wx/thread.h>

// Requested and acknowledged states of a worker thread. The logger threads give
// 3 and the values above it meanings of their own.
enum CzxThreadState : int
{
    zxTHREAD_IDLE = 0,
    zxTHREAD_STOP = 1,
    zxTHREAD_PAUSE = 2,
    zxTHREAD_RUN = 3,
};

class CzxThread;

// Owns a worker thread's start and end and publishes the state it asks for;
// the thread publishes the state it reached. Both sides only poll.
class CzxThreadMgr
{
public:
    CzxThreadMgr();
    virtual ~CzxThreadMgr();
    CzxThreadMgr(const CzxThreadMgr&) = delete;
    CzxThreadMgr& operator=(const CzxThreadMgr&) = delete;

    virtual bool Start(CzxThread* thread, int priority);
    virtual bool StopWait(long ms);
    virtual void Stop();
    virtual void OnThreadExit(CzxThread* thread);
    virtual void Kill();

    void SetState(int state);
    void AckState(int state);
    int GetState();
    int GetAckState();
    bool GetHold();
    bool HasThread();
    bool WaitAckState(int state, float seconds);

    wxMutex& GetMutex() { return m_mutex; }

private:
    // Joins and frees a thread that has announced its end.
    void ReapEnded();
    CzxThread* GetThread();
    // Polls every 10 ms, for at most micro microseconds, until the thread is
    // gone; true when it is.
    bool WaitForEnd(long micro);
    // Cancels the thread and lets go of it: it no longer reaches this manager.
    // One that has ended within waitMicro is joined and freed here; one that
    // runs on is kept and freed once it ends (zxReapThreadsLetGo).
    void EndByForce(CzxThread* thread, long waitMicro);

    wxMutex m_mutex;
    CzxThread* m_thread = nullptr;
    // A thread that has left its body but may still be inside the toolkit's
    // own ending: joined before it is freed, so that nothing of it runs on
    // after its owner, or the program, is gone.
    CzxThread* m_ended = nullptr;
    bool m_hold = false;
    int m_requested = zxTHREAD_IDLE;
    int m_acknowledged = zxTHREAD_IDLE;
};

// A worker thread driven by a CzxThreadMgr, which joins and frees it once it
// has ended.
class CzxThread : public wxThread
{
public:
    CzxThread();

    ExitCode Entry() override;
    void OnExit() override;
    // Also true once the manager has asked for a forced end.
    bool TestDestroy() override;

    virtual bool CheckState(bool* skip);
    virtual bool IsState(int state, bool* skip);
    virtual bool Step();
    void SleepWhileState(int state);

    // None once the manager has let go of this thread.
    CzxThreadMgr* GetManager() const;
    void SetManager(CzxThreadMgr* manager);

private:
    friend class CzxThreadMgr;

    // Runs call on the manager while it still holds on to this thread; the
    // manager cannot let go in the middle of it. False when it has let go.
    template <class Call>
    bool WithManager(Call call);
    void CutManager();

    // The manager lets go of a thread that would not end, and may then be
    // destroyed while the thread runs on: every use of it by this class goes
    // through this lock.
    mutable std::mutex m_managerLock;
    CzxThreadMgr* m_manager = nullptr;
    std::atomic<bool> m_forcedEnd{false};
};

// Threads whose managers let go of them (a stop that timed out, a kill) are
// kept here until they end. Joins and frees those that have ended; returns
// how many still run.
int zxReapThreadsLetGo();
