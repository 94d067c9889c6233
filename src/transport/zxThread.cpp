#include "transport/zxThread.h"

#include "transport/zxStopWatch.h"

#include <wx/utils.h>

CzxThreadMgr::CzxThreadMgr() : m_mutex(wxMUTEX_RECURSIVE) {}

CzxThreadMgr::~CzxThreadMgr() = default;

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

bool CzxThreadMgr::Start(CzxThread* thread, int priority)
{
    if (!thread)
        return false;
    {
        wxMutexLocker lock(m_mutex);
        m_hold = false;
        m_thread = thread;
        m_requested = zxTHREAD_IDLE;
        m_acknowledged = zxTHREAD_IDLE;
    }
    thread->SetManager(this);
    if (thread->Create() != wxTHREAD_NO_ERROR) {
        // A detached thread that never ran is freed by deleting the object.
        delete thread;
        wxMutexLocker lock(m_mutex);
        m_thread = nullptr;
        return false;
    }
    thread->SetPriority(priority);
    if (thread->Run() != wxTHREAD_NO_ERROR) {
        thread->Delete(nullptr, wxTHREAD_WAIT_BLOCK);
        wxMutexLocker lock(m_mutex);
        m_thread = nullptr;
        return false;
    }
    return true;
}

void CzxThreadMgr::Stop()
{
    SetState(zxTHREAD_STOP);
    CzxStopWatch watch;
    while (HasThread() && watch.TimeInMicro() <= 499999)
        wxMilliSleep(10);
    watch.Start(0);
    while (HasThread() && watch.TimeInMicro() <= 4999999)
        wxMilliSleep(10);
    CzxThread* thread = nullptr;
    {
        wxMutexLocker lock(m_mutex);
        thread = m_thread;
    }
    if (thread) {
        thread->Delete(nullptr, wxTHREAD_WAIT_BLOCK);
        wxMutexLocker lock(m_mutex);
        thread = m_thread;
    }
    if (thread)
        thread->Kill();
    wxMutexLocker lock(m_mutex);
    m_thread = nullptr;
}

bool CzxThreadMgr::StopWait(long ms)
{
    SetState(zxTHREAD_STOP);
    CzxStopWatch watch;
    while (HasThread() && watch.TimeInMicro() / 1000 < ms)
        wxMilliSleep(10);
    return !HasThread();
}

void CzxThreadMgr::OnThreadExit(CzxThread* thread)
{
    wxMutexLocker lock(m_mutex);
    if (m_thread == thread)
        m_thread = nullptr;
}

void CzxThreadMgr::Kill()
{
    CzxThread* thread = nullptr;
    {
        wxMutexLocker lock(m_mutex);
        thread = m_thread;
        m_thread = nullptr;
    }
    if (thread)
        thread->Kill();
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

CzxThread::CzxThread() : wxThread(wxTHREAD_DETACHED) {}

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
    m_manager->AckState(zxTHREAD_STOP);
    return nullptr;
}

void CzxThread::OnExit()
{
    if (m_manager)
        m_manager->OnThreadExit(this);
}

bool CzxThread::CheckState(bool* skip)
{
    bool localSkip = false;
    bool& s = skip ? *skip : localSkip;
    s = false;
    if (TestDestroy()) {
        m_manager->AckState(zxTHREAD_STOP);
        return false;
    }
    switch (m_manager->GetState()) {
    case zxTHREAD_IDLE:
    case zxTHREAD_PAUSE: {
        const int state = m_manager->GetState() == zxTHREAD_PAUSE ? zxTHREAD_PAUSE : zxTHREAD_IDLE;
        s = true;
        m_manager->AckState(state);
        wxMilliSleep(5);
        return true;
    }
    case zxTHREAD_STOP:
        m_manager->AckState(zxTHREAD_STOP);
        return false;
    default:
        s = m_manager->GetHold();
        return true;
    }
}

bool CzxThread::IsState(int state, bool* skip)
{
    bool localSkip = false;
    bool& s = skip ? *skip : localSkip;
    s = false;
    if (TestDestroy()) {
        m_manager->AckState(zxTHREAD_STOP);
        return false;
    }
    if (m_manager->GetState() != state)
        return false;
    s = m_manager->GetHold();
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
