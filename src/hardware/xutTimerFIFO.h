#pragma once
#include "hardware/xhwRing.h"

#include <cstdint>
#include <wx/thread.h>

// One change of the gate inputs: the timer ticks since the previous event and
// the input state bits after the change (bit i is input i).
struct CxutTimerEvent
{
    uint64_t Ticks = 0;
    int32_t States = 0;
};

// What the producer last saw: ticks since the last event and the present
// states. INT32_MIN stands for states not yet known, so that the first state
// a driver reads always makes an event.
struct CxutTimerStatus
{
    static constexpr int32_t kUnknownStates = INT32_MIN;

    uint64_t Ticks = 0;
    int32_t States = kUnknownStates;
};

// Timing events from the box thread to the document, with the last status.
class CxutTimerFIFO
{
public:
    CxutTimerFIFO();
    virtual ~CxutTimerFIFO();
    CxutTimerFIFO(const CxutTimerFIFO&) = delete;
    CxutTimerFIFO& operator=(const CxutTimerFIFO&) = delete;

    void Clear();
    // Replaces the status (also with n 0), then appends n events.
    bool Put(const CxutTimerStatus& status, const CxutTimerEvent* events, uint32_t n);
    // Copies the status out and takes up to max events, oldest first.
    uint32_t Take(CxutTimerStatus& status, CxutTimerEvent* events, uint32_t max);
    uint32_t GetCount();
    uint32_t GetCapacity();
    CxutTimerStatus GetStatus();
    void SetStatus(const CxutTimerStatus& status);
    bool Peek(uint32_t i, CxutTimerEvent& event);

private:
    wxMutex m_mutex;
    CxutTimerStatus m_status;
    CxhwRing<CxutTimerEvent, 1000> m_ring;
};
