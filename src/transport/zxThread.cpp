#include "transport/zxThread.h"

#include "transport/zxStopWatch.h"

#include <algorithm>
#include <vector>
#include <wx/utils.h>

namespace {

constexpr long kStopFirstMicro = 499999;
constexpr long kStopLaterMicro = 4999999;
// How long a stop waits after asking for a forced end, and again after the
// cancel, before it lets go of the thread.
constexpr long kForcedEndMicro = 500000;

// The threads let go of and still to be joined. Never destroyed: the
// toolkit's thread records are gone by the time statics are, and a thread
// that never ended must not be freed.
class CzxThreadsLetGo
{
public:
    void Add(CzxThread* thread)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_threads.push_back(thread);
    }

    int Reap()
    {
        std::vector<CzxThread*> ended;
        int running = 0;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            auto first = std::stable_partition(m_threads.begin(), m_threads.end(),
                                               [](CzxThread* thread) { return thread->IsAlive(); });
            ended.assign(first, m_threads.end());
            m_threads.erase(first, m_threads.end());
            running = int(m_threads.size());
        }
        // Outside the lock: joining gives up the toolkit's main-thread lock
        // for a moment.
        for (CzxThread* thread : ended) {
            thread->Wait(wxTHREAD_WAIT_BLOCK); // it has left its body: returns at once
            delete thread;
        }
        return running;
    }

private:
    std::mutex m_lock;
    std::vector<CzxThread*> m_threads;
};

CzxThreadsLetGo& ThreadsLetGo()
{
    static CzxThreadsLetGo* threads = new CzxThreadsLetGo;
    return *threads;
}

} // namespace

int zxReapThreadsLetGo()
{
    return ThreadsLetGo().Reap();
}

CzxThreadMgr::CzxThreadMgr() : m_mutex(wxMUTEX_RECURSIVE) {}

CzxThreadMgr::~CzxThreadMgr()
{
    // Owners stop their thread first; one that ended is still to be joined.
    ReapEnded();
}

void CzxThreadMgr::ReapEnded()
{
    CzxThread* ended = nullptr;
    {
        wxMutexLocker lock(m_mutex);
        ended = m_ended;
        m_ended = nullptr;
    }
    if (ended) {
        ended->Wait(wxTHREAD_WAIT_BLOCK); // it has left its body: returns at once
        delete ended;
    }
}

void CzxThreadMgr::SetState(int state)
{
    wxMutexLocker lock(m_mutex);
    m_requested = state;
}

void CzxThreadMgr::AckState(int state)
{
    wxMutexLocker lock(m_mutex);
    m_acknowledged = state;
}

int CzxThreadMgr::GetState()
{
    wxMutexLocker lock(m_mutex);
    return m_requested;
}

int CzxThreadMgr::GetAckState()
{
    wxMutexLocker lock(m_mutex);
    return m_acknowledged;
}

bool CzxThreadMgr::GetHold()
{
    wxMutexLocker lock(m_mutex);
    return m_hold;
}

bool CzxThreadMgr::HasThread()
{
    wxMutexLocker lock(m_mutex);
    return m_thread != nullptr;
}

CzxThread* CzxThreadMgr::GetThread()
{
    wxMutexLocker lock(m_mutex);
    return m_thread;
}

bool CzxThreadMgr::WaitForEnd(long micro)
{
    CzxStopWatch watch;
    while (HasThread() && watch.TimeInMicro() <= micro)
        wxMilliSleep(10);
    return !HasThread();
}

bool CzxThreadMgr::Start(CzxThread* thread, int priority)
{
    if (!thread)
        return false;
    ReapEnded();
    {
        wxMutexLocker lock(m_mutex);
        m_hold = false;
        m_thread = thread;
        m_requested = zxTHREAD_IDLE;
        m_acknowledged = zxTHREAD_IDLE;
    }
    thread->SetManager(this);
    if (thread->Create() != wxTHREAD_NO_ERROR) {
        delete thread; // never ran
        wxMutexLocker lock(m_mutex);
        m_thread = nullptr;
        return false;
    }
    thread->SetPriority(priority);
    if (thread->Run() != wxTHREAD_NO_ERROR) {
        thread->Delete(nullptr, wxTHREAD_WAIT_BLOCK);
        {
            wxMutexLocker lock(m_mutex);
            m_thread = nullptr;
            if (m_ended == thread)
                m_ended = nullptr;
        }
        delete thread;
        return false;
    }
    return true;
}

void CzxThreadMgr::Stop()
{
    SetState(zxTHREAD_STOP);
    WaitForEnd(kStopFirstMicro);
    WaitForEnd(kStopLaterMicro);
    if (CzxThread* thread = GetThread()) {
        // The toolkit's delete would wait for as long as the thread takes,
        // and one stuck in a driver call may take for ever: it is asked the
        // same way, but for a bounded while.
        thread->m_forcedEnd = true;
        if (!WaitForEnd(kForcedEndMicro))
            EndByForce(thread, kForcedEndMicro);
    }
    ReapEnded();
    zxReapThreadsLetGo();
}

bool CzxThreadMgr::StopWait(long ms)
{
    SetState(zxTHREAD_STOP);
    CzxStopWatch watch;
    while (HasThread() && watch.TimeInMicro() / 1000 < ms)
        wxMilliSleep(10);
    if (HasThread())
        return false;
    ReapEnded();
    return true;
}

void CzxThreadMgr::OnThreadExit(CzxThread* thread)
{
    wxMutexLocker lock(m_mutex);
    if (m_thread == thread) {
        m_thread = nullptr;
        m_ended = thread;
    }
}

void CzxThreadMgr::Kill()
{
    if (CzxThread* thread = GetThread())
        EndByForce(thread, 0);
    ReapEnded();
}

void CzxThreadMgr::EndByForce(CzxThread* thread, long waitMicro)
{
    // Cancelled at its next cancellation point, if it reaches one; a
    // cancelled thread does not announce its end.
    thread->Kill();
    // Cut before the thread is forgotten, so that it cannot announce its end
    // in between and be freed twice.
    thread->CutManager();
    {
        wxMutexLocker lock(m_mutex);
        if (m_thread == thread)
            m_thread = nullptr;
        if (m_ended == thread)
            m_ended = nullptr;
    }
    CzxStopWatch watch;
    while (thread->IsAlive() && watch.TimeInMicro() <= waitMicro)
        wxMilliSleep(10);
    if (thread->IsAlive()) {
        ThreadsLetGo().Add(thread);
        return;
    }
    thread->Wait(wxTHREAD_WAIT_BLOCK);
    delete thread;
}

bool CzxThreadMgr::WaitAckState(int state, float seconds)
{
    CzxStopWatch watch;
    if (GetAckState() == state)
        return true;
    for (;;) {
        const long elapsed = long(watch.TimeInMicro().GetValue() / 1000);
        if (float(elapsed) > seconds * 1000.0f)
            return false;
        wxMilliSleep(1);
        if (GetAckState() == state)
            return true;
    }
}

CzxThread::CzxThread() : wxThread(wxTHREAD_JOINABLE) {}

CzxThreadMgr* CzxThread::GetManager() const
{
    std::lock_guard<std::mutex> lock(m_managerLock);
    return m_manager;
}

void CzxThread::SetManager(CzxThreadMgr* manager)
{
    std::lock_guard<std::mutex> lock(m_managerLock);
    m_manager = manager;
}

void CzxThread::CutManager()
{
    SetManager(nullptr);
}

template <class Call>
bool CzxThread::WithManager(Call call)
{
    std::lock_guard<std::mutex> lock(m_managerLock);
    if (!m_manager)
        return false;
    call(*m_manager);
    return true;
}

bool CzxThread::TestDestroy()
{
    return m_forcedEnd || wxThread::TestDestroy();
}

wxThread::ExitCode CzxThread::Entry()
{
    bool skip = true;
    if (CheckState(&skip)) {
        for (;;) {
            if (!skip && !Step())
                break;
            if (!CheckState(&skip))
                break;
        }
    }
    WithManager([](CzxThreadMgr& manager) { manager.AckState(zxTHREAD_STOP); });
    return nullptr;
}

void CzxThread::OnExit()
{
    WithManager([this](CzxThreadMgr& manager) { manager.OnThreadExit(this); });
}

bool CzxThread::CheckState(bool* skip)
{
    bool localSkip = false;
    bool& s = skip ? *skip : localSkip;
    s = false;
    if (TestDestroy()) {
        WithManager([](CzxThreadMgr& manager) { manager.AckState(zxTHREAD_STOP); });
        return false;
    }
    int requested = zxTHREAD_STOP;
    bool hold = false;
    // Let go of: the thread leaves.
    if (!WithManager([&](CzxThreadMgr& manager) {
            requested = manager.GetState();
            hold = manager.GetHold();
        }))
        return false;
    switch (requested) {
    case zxTHREAD_IDLE:
    case zxTHREAD_PAUSE:
        // Acknowledges the state it read; a request arriving now is seen on
        // the next pass.
        s = true;
        WithManager([&](CzxThreadMgr& manager) { manager.AckState(requested); });
        wxMilliSleep(5);
        return true;
    case zxTHREAD_STOP:
        WithManager([](CzxThreadMgr& manager) { manager.AckState(zxTHREAD_STOP); });
        return false;
    default:
        s = hold;
        return true;
    }
}

bool CzxThread::IsState(int state, bool* skip)
{
    bool localSkip = false;
    bool& s = skip ? *skip : localSkip;
    s = false;
    if (TestDestroy()) {
        WithManager([](CzxThreadMgr& manager) { manager.AckState(zxTHREAD_STOP); });
        return false;
    }
    int requested = zxTHREAD_STOP;
    bool hold = false;
    if (!WithManager([&](CzxThreadMgr& manager) {
            requested = manager.GetState();
            hold = manager.GetHold();
        }))
        return false;
    if (requested != state)
        return false;
    s = hold;
    return true;
}

bool CzxThread::Step()
{
    return true;
}

void CzxThread::SleepWhileState(int state)
{
    while (IsState(state, nullptr))
        wxMilliSleep(1);
}
