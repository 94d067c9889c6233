#pragma once
#include "hardware/xhwBox.h"

// Manager states of the logger manager (0 to 2 are the thread base's own).
enum
{
    BOXES_STATE_RESET = 3,
    BOXES_STATE_IDLE = 4,
    BOXES_STATE_CONNECT = 5,
    BOXES_STATE_SAMPLING = 6,
    BOXES_STATE_SETUP_LOGGING = 7,
    BOXES_STATE_TIMING = 8,
    BOXES_STATE_SCOPE = 9,
    BOXES_STATE_FETCH = 10,
    BOXES_STATE_SEARCH = 11,
};

// The application's single logger manager, with the connected logger and the
// two worker threads.
class CxhwBoxes : public CzxThreadMgr
{
public:
    CxhwBoxes();
    ~CxhwBoxes() override;

    bool Start(CzxThread* thread, int priority) override;
    bool StartThreads();
    bool StopThreads();
    bool StopAll(int resetFlag);
    bool ThreadsStarted() const { return m_threadsStarted; }

    CxhwBox m_box;

private:
    double m_samplePeriod = 0.1;
    bool m_threadsStarted = false;
};

class CxhwBoxesThread : public CzxThread
{
public:
    ExitCode Entry() override;
};

// The loop shape of both logger threads: perform the requested state,
// acknowledge it, and wait until something else is requested.
void xhwRunStateLoop(CzxThread& thread);
