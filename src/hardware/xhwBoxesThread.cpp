// The manager thread: turns the manager state that the user interface asks
// for into box states, keeps trying the links until a logger answers, and is
// the host sample clock of the loggers that the host polls.
#include "hardware/xhwBoxes.h"

#include "app/appOptions.h"
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwHostClock.h"
#include "hardware/xhwLink.h"
#include "transport/zxTime.h"

#include <wx/utils.h>

namespace {

constexpr float kBoxWait = 0.1f;
constexpr int kHostClockSleepMs = 5;
constexpr int kConnectSleepMs = 100;

class ManagerStates
{
public:
    ManagerStates(CxhwBoxesThread& thread, CxhwBoxes& boxes)
        : m_thread(thread), m_boxes(boxes), m_box(boxes.m_box)
    {
    }

    void Run(int state);

private:
    bool Is(int state) { return m_thread.IsState(state, nullptr); }
    // Requests the box state, acknowledges the own state once the box has,
    // and holds until another state is requested.
    void Follow(int state, int boxState);
    void Connect();
    void Sampling();
    void NextPort(int& port, wxString& name);

    CxhwBoxesThread& m_thread;
    CxhwBoxes& m_boxes;
    CxhwBox& m_box;
};

void ManagerStates::Run(int state)
{
    switch (state) {
    case BOXES_STATE_RESET: Follow(state, BOX_STATE_RESET); break;
    case BOXES_STATE_IDLE: Follow(state, BOX_STATE_CLOSE); break;
    case BOXES_STATE_CONNECT: Connect(); break;
    case BOXES_STATE_SAMPLING: Sampling(); break;
    case BOXES_STATE_SETUP_LOGGING: Follow(state, BOX_STATE_SETUP_LOGGING); break;
    case BOXES_STATE_TIMING: Follow(state, BOX_STATE_TIMING); break;
    case BOXES_STATE_SCOPE: Follow(state, BOX_STATE_SCOPE); break;
    case BOXES_STATE_FETCH: Follow(state, BOX_STATE_FETCH); break;
    case BOXES_STATE_SEARCH: Follow(state, BOX_STATE_SEARCH); break;
    default:
        // No handler: wait for another request rather than asking again.
        m_thread.SleepWhileState(state);
        break;
    }
}

void ManagerStates::Follow(int state, int boxState)
{
    m_box.SetState(boxState);
    while (Is(state)) {
        if (m_box.WaitAckState(boxState, kBoxWait)) {
            m_boxes.AckState(state);
            m_thread.SleepWhileState(state);
            return;
        }
    }
}

void ManagerStates::NextPort(int& port, wxString& name)
{
    if (m_boxes.IsSimulated()) {
        port = BOX_LINK_SIMULATED;
        name.clear();
        return;
    }
    // The options may be replaced on the main thread meanwhile: they are read
    // through their lock. No Bluetooth LE logger can be selected yet.
    if (const CappOptions* options = appGetOptions())
        options->GetNextPort(port, name, false);
    else
        port = BOX_LINK_USB;
}

void ManagerStates::Connect()
{
    int port = m_boxes.IsSimulated() ? BOX_LINK_SIMULATED : BOX_LINK_USB;
    wxString name;
    m_box.SetState(BOX_STATE_RESET);
    while (Is(BOXES_STATE_CONNECT)) {
        if (m_box.WaitAckState(BOX_STATE_RESET, kBoxWait)) {
            if (xhwOpenLink(m_box, port, name, nullptr))
                m_box.SetState(BOX_STATE_CONNECT);
            break;
        }
    }
    m_boxes.AckState(BOXES_STATE_CONNECT);

    while (Is(BOXES_STATE_CONNECT)) {
        int requested = 0;
        int acknowledged = 0;
        {
            wxMutexLocker lock(m_box.GetMutex());
            requested = m_box.GetState();
            acknowledged = m_box.GetAckState();
        }
        if (requested == BOX_STATE_CONNECT && acknowledged != BOX_STATE_READY) {
            wxMilliSleep(kConnectSleepMs);
            continue;
        }
        m_box.SetState(zxTHREAD_PAUSE);
        if (!m_box.WaitAckState(zxTHREAD_PAUSE, kBoxWait))
            continue;
        NextPort(port, name);
        if (port == BOX_LINK_USB)
            gumPostCommand(ID_EVT_BOX_CHANGED, 0);
        if (xhwOpenLink(m_box, port, name, nullptr))
            m_box.SetState(BOX_STATE_CONNECT);
        else
            wxMilliSleep(kConnectSleepMs);
    }
}

void ManagerStates::Sampling()
{
    m_box.SetState(BOX_STATE_SAMPLING);
    while (Is(BOXES_STATE_SAMPLING)) {
        if (m_box.WaitAckState(BOX_STATE_SAMPLING, kBoxWait))
            break;
    }
    if (!Is(BOXES_STATE_SAMPLING))
        return;
    if (!m_box.AnyModeFlag()) {
        m_box.m_samples.Clear();
        m_box.m_stored.Clear();
    }
    m_boxes.AckState(BOXES_STATE_SAMPLING);
    if (m_box.PublishedStreamsOwnReadings() || m_box.AnyModeFlag()) {
        m_thread.SleepWhileState(BOXES_STATE_SAMPLING);
        return;
    }
    // The host clock: whole periods since the last reading are pushed as
    // copies of the current reading, so the readings stay on the period grid.
    CzxStopWatch watch;
    CxhwHostClock clock;
    clock.Start(0);
    m_box.PushHostSample(1, true);
    while (Is(BOXES_STATE_SAMPLING)) {
        wxMilliSleep(kHostClockSleepMs);
        // A logger that stopped answering gives no more readings: copies of
        // its last one would be stored as if they were new.
        if (m_box.GetAckState() != BOX_STATE_SAMPLING) {
            m_thread.SleepWhileState(BOXES_STATE_SAMPLING);
            return;
        }
        const int n = clock.Due(zxWatchTime(watch), m_boxes.GetSamplePeriod());
        if (n > 0)
            m_box.PushHostSample(n, false);
    }
}

} // namespace

wxThread::ExitCode CxhwBoxesThread::Entry()
{
    CxhwBoxes& boxes = static_cast<CxhwBoxes&>(*GetManager());
    ManagerStates states(*this, boxes);
    bool skip = true;
    if (CheckState(&skip)) {
        for (;;) {
            if (!skip)
                states.Run(boxes.GetState());
            if (!CheckState(&skip))
                break;
        }
    }
    boxes.AckState(zxTHREAD_STOP);
    return nullptr;
}
