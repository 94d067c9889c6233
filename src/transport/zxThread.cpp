#include "transport/zxThread.h"

#include "transport/zxStopWatch.h"

#include <wx/utils.h>

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
        // Makes TestDestroy true and waits for the thread to leave its body.
        thread->Delete(nullptr, wxTHREAD_WAIT_BLOCK);
        wxMutexLocker lock(m_mutex);
        thread = m_thread;
    }
    if (thread) {
        // A killed thread may stop anywhere: its object is left to it rather
        // than freed under its feet.
        thread->Kill();
        wxMutexLocker lock(m_mutex);
        m_thread = nullptr;
    }
    ReapEnded();
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
    CzxThread* thread = nullptr;
    {
        wxMutexLocker lock(m_mutex);
        thread = m_thread;
        m_thread = nullptr;
    }
    // A killed thread may stop anywhere: its object is left to it rather than
    // freed under its feet.
    if (thread)
        thread->Kill();
    ReapEnded();
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
    const int requested = m_manager->GetState();
    switch (requested) {
    case zxTHREAD_IDLE:
    case zxTHREAD_PAUSE:
        // Acknowledges the state it read; a request arriving now is seen on
        // the next pass.
        s = true;
        m_manager->AckState(requested);
        wxMilliSleep(5);
        return true;
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
