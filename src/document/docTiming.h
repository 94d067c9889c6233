#pragma once
#include "data/docRoot.h"
#include "data/docTimerV.h"

#include <cstdint>
#include <wx/string.h>

// The timing part of a document: what the gate event being processed tells
// the measurements in progress, and their list. Still thin: the timing run
// itself (set-up, gate events, result rows) comes with the timing run logic.
class CdocTiming : public CdocRoot
{
public:
    CdocTiming() = default;
    ~CdocTiming() override = default;
    CdocTiming(const CdocTiming&) = delete;
    CdocTiming& operator=(const CdocTiming&) = delete;

    int m_input = 0;             // the input (0..5) whose event starts a measurement
    int m_inputBit = 1;          // its bit
    int m_entering = 0;          // inputs that changed now to differ from the run start
    int m_leaving = 0;           // inputs that changed back to their run-start state
    int m_closing = 0;           // m_entering or m_leaving, as the set-up says
    int m_unclaimed = 0;         // input changes of this event no measurement took yet
    uint64_t m_eventTicks = 0;   // ticks from the previous gate event to this one
    uint64_t m_pendingTicks = 0; // ticks since the latest gate event, as of the latest tick
    double m_elapsedTime = 0.0;  // seconds since the run start at this event
    int m_eventsNeeded = 1;      // events per measurement: 1, 3 or 5
    bool m_sameInput = true;     // later events come from the trigger input
    CdocTimerV m_timers;

    // Kept in the data file's "Timing" section beside the members above.
    wxString m_stateText;
    bool m_waitingForStart = false;
    bool m_detectLeading = true;
    double m_distance = 0.0;
    int m_stateStart = 0;
    int m_stateLast = 0;
    uint64_t m_elapsedTimeToLastEvent = 0;
    int m_eventState = 0;
    int m_eventEdge = 0;
    int m_eventDifferent = 0;
    int m_eventLeading = 0;
    int m_eventTrailing = 0;
    int m_event2ndEdge = 0;
    int m_nextDelta = 0;
    int m_betweenTriggerSocket = 0;
    int m_betweenTriggerBit = 0;
    int m_singleSocket = 0;
    int m_singleBit = 0;
    double m_delta[3] = {};
    double m_measurement[6] = {};
    bool m_measurementReady[6] = {};
    int m_cardCount[6] = {};
};
