#pragma once
#include <cstdint>
#include <wx/string.h>

class CdocTiming;

// Intervals a measurement can record: one, three or five events.
constexpr int DOC_TIMER_EVENTS = 5;
// Bits of the six logger inputs.
constexpr int DOC_TIMER_INPUT_BITS = 0x3F;

// One timing measurement in progress: the events it took since its trigger
// and the ticks between them. The timing part feeds it every gate event; the
// measurement decides by its rules whether the event is its own.
class CdocTimer
{
public:
    CdocTimer() = default;
    virtual ~CdocTimer() = default;

    void Start(const CdocTiming& timing);
    bool IsOpen(const CdocTiming& timing) const;
    bool IsComplete(const CdocTiming& timing) const;
    bool Advance(CdocTiming& timing);
    void SetPending(const CdocTiming& timing);

    // The value of the measurement's "Timer" line in the data file, and
    // reading it back. A malformed line, or one whose input or event count
    // lies outside 0..5, changes nothing and answers false.
    wxString FormatLine() const;
    bool ParseLine(const wxString& text);

    int m_input = 0;
    int m_inputBit = 1;
    int m_otherInputs = 0;
    int m_secondInput = 0;
    int m_secondBit = 0;
    int m_reserved = 0;
    int m_count = 0;
    uint64_t m_times[DOC_TIMER_EVENTS] = {};
    bool m_secondChosen = false;
    bool m_finished = false;
    uint64_t m_elapsedTicks = 0;
    uint64_t m_sinceLastTicks = 0;
    uint64_t m_pendingTicks = 0;
    double m_startTime = 0.0;

private:
    bool Take(int mask, CdocTiming& timing);
    bool Choose(int mask, CdocTiming& timing);
    bool Record(const CdocTiming& timing);
    bool ApplyRule(CdocTiming& timing);
};

// Takes the lowest input of mask & allowed that is still unclaimed: clears its
// bit in unclaimed and gives out its bit and number. False when none of the
// masked bits is unclaimed; true, giving out nothing, when only bits above the
// six inputs are.
bool docTakeLowestSensor(int mask, int allowed, int* unclaimed, int* bit, int* number);
