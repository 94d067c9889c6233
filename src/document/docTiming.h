#pragma once
#include "data/docRoot.h"
#include "data/docTimerV.h"

#include <cstdint>
#include <wx/string.h>

class CdocFieldHdr;
struct CxutTimerEvent;

// The light-gate timing part of a document: takes the logger's gate events
// on each working tick, feeds them to the measurements in progress, starts
// new ones on leading edges and stores the results of complete ones as rows.
// Main thread only.
class CdocTiming : public CdocRoot
{
public:
    // Events taken from the logger per tick.
    static constexpr int kEventsPerTick = 256;
    // Records of a timing run's store.
    static constexpr int kRecords = 20001;

    CdocTiming();
    ~CdocTiming() override = default;
    CdocTiming(const CdocTiming&) = delete;
    CdocTiming& operator=(const CdocTiming&) = delete;

    // The run: a working tick, one gate event, and the preparation of a run.
    void Tick();
    void ProcessEvent(const CxutTimerEvent& event);
    void Reset();
    // Reset without emptying the list and without reading the set-up.
    void ClearState();

    // Results. Times are seconds, -1 where not given.
    void GetTimes(const CdocTimer* timer, double& x, double& y, double& z) const;
    float CalculateResult(const CdocTimer* timer) const;
    void StoreMeasurement(bool store, bool advance);
    void StoreResults();
    void StoreResultsAtAny();
    void StoreResultsAtEach();
    void StoreResultsBetween();
    void StoreCompleteTimes();

    bool HasGateInput(int mask) const;
    bool IsGateBit(int input) const;
    void SetPending(uint64_t ticks);
    double TicksToSeconds(uint64_t ticks) const;
    void ClearMeasurements();
    bool AllMeasurementsReady() const;
    bool HasEventsFor(int input) const;

    // Timing runs: start routines (the document's result codes) and the
    // channels that show the results.
    int ResetRun();
    int StartNew();
    int StartOverlaid();
    int StartReplacing();
    int StartContinue();
    bool PrepareChannels(bool force);
    bool PrepareSensorChannels(bool force);
    bool PrepareTimingChannel(int result, bool force);
    bool KeepResultData();
    void InitCurrentValues();
    bool RefreshChannels();
    // The running display of a timing channel before its row is stored;
    // false when the channel is no timing channel or has nothing to show.
    bool GetValueText(const CdocFieldHdr& channel, float& value, wxString& text, wxString& unit) const;

    // Working copies of the current event that the measurements read:
    // EventLeading, EventTrailing, Event2ndEdge and EventUnclaimed.
    int m_entering = 0;
    int m_leaving = 0;
    int m_closing = 0;
    int m_unclaimed = 0;
    // Field names follow the data file's "Timing" keys where they differ:
    // TriggerSocket, TriggerBit, EventDelta, ElapsedTimeSinceLastEvent,
    // ElapsedTimeInSeconds, DetectEvents and DetectSingleSensor.
    int m_input = 0;
    int m_inputBit = 0;
    uint64_t m_eventTicks = 0;
    uint64_t m_pendingTicks = 0;
    double m_elapsedTime = 0.0;
    int m_eventsNeeded = 0;
    bool m_sameInput = false;
    CdocTimerV m_timers;

    wxString m_stateText;
    bool m_waitingForStart = true;
    bool m_detectLeading = false;
    double m_distance = 1.0; // centimetres, a float value
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
    int m_singleBit = 1;
    double m_delta[3] = {-1.0, -1.0, -1.0};
    double m_measurement[6] = {};
    bool m_measurementReady[6] = {};
    int m_cardCount[6] = {};

private:
    // Takes the result of every complete, unfinished measurement whose
    // input has none in the row yet; false when none was taken.
    bool TakeRowResults();
    // The start steps the three forms share once the channels are made.
    int FinishStart();
    void PrepareStore();
};
