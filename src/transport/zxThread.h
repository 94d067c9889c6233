#pragma once
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

    virtual bool CheckState(bool* skip);
    virtual bool IsState(int state, bool* skip);
    virtual bool Step();
    void SleepWhileState(int state);

    CzxThreadMgr* GetManager() const { return m_manager; }
    void SetManager(CzxThreadMgr* manager) { m_manager = manager; }

private:
    CzxThreadMgr* m_manager = nullptr;
};
