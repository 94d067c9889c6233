#include "hardware/xhwBoxes.h"

#include <wx/utils.h>

void xhwRunStateLoop(CzxThread& thread)
{
    CzxThreadMgr& manager = *thread.GetManager();
    bool skip = true;
    while (thread.CheckState(&skip)) {
        if (skip)
            continue;
        const int state = manager.GetState();
        manager.AckState(state);
        thread.SleepWhileState(state);
    }
    manager.AckState(zxTHREAD_STOP);
}

CxhwBoxes::CxhwBoxes() = default;

CxhwBoxes::~CxhwBoxes() = default;

bool CxhwBoxes::Start(CzxThread* thread, int priority)
{
    if (!thread)
        thread = new CxhwBoxesThread; // detached: frees itself when it ends
    return CzxThreadMgr::Start(thread, priority);
}

bool CxhwBoxes::StartThreads()
{
    if (m_threadsStarted)
        return true;
    if (!Start(nullptr, 50))
        return false;
    if (!m_box.Start(new CxhwBoxThread, 50)) {
        Stop();
        return false;
    }
    m_threadsStarted = true;
    return true;
}

bool CxhwBoxes::StopThreads()
{
    return StopAll(1);
}

bool CxhwBoxes::StopAll(int resetFlag)
{
    if (!m_threadsStarted)
        return true;
    SetState(BOXES_STATE_IDLE - resetFlag);
    if (WaitAckState(BOXES_STATE_IDLE - resetFlag, 5.0f)) {
        Stop();
        m_box.Stop();
    } else {
        m_box.Kill();
        Kill();
    }
    m_threadsStarted = false;
    return true;
}

wxThread::ExitCode CxhwBoxesThread::Entry()
{
    xhwRunStateLoop(*this);
    return nullptr;
}
