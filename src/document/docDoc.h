#pragma once

enum
{
    DOC_STATE_READY = 2,
    DOC_STATE_FETCHING = 3,
    DOC_STATE_RUNNING = 4,
    DOC_STATE_STOPPED = 5,
};

enum
{
    ACTIVITY_AUTOLOG = 1,
    ACTIVITY_PERIODIC = 2,
    ACTIVITY_SNAPSHOT = 3,
    ACTIVITY_TIMING = 4,
    ACTIVITY_FAST = 5,
    ACTIVITY_SCOPE = 6,
};

// All data of one experiment.
class CdocDoc
{
public:
    virtual ~CdocDoc() = default;

    // Keeps the system from idle sleep exactly while fetching or running.
    void SetState(int state);

    int m_state = DOC_STATE_READY;
    int m_activity = ACTIVITY_AUTOLOG;
};
