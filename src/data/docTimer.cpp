#include "data/docTimer.h"

#include "app/base/gumHelpers.h"
#include "document/docTiming.h"

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <wx/tokenzr.h>

bool docTakeLowestSensor(int mask, int allowed, int* unclaimed, int* bit, int* number)
{
    const int m = mask & allowed & *unclaimed;
    if (m == 0)
        return false;
    for (int i = 0; i < 6; ++i) {
        const int b = 1 << i;
        if (m & b) {
            *unclaimed &= ~b;
            *bit = b;
            *number = i;
            break;
        }
    }
    return true;
}

void CdocTimer::Start(const CdocTiming& timing)
{
    m_finished = false;
    m_startTime = timing.m_elapsedTime;
    m_input = timing.m_input;
    m_inputBit = timing.m_inputBit;
    m_otherInputs = DOC_TIMER_INPUT_BITS & ~m_inputBit;
    m_secondInput = 0;
    m_secondBit = 0;
    m_secondChosen = false;
    m_reserved = 0;
    m_count = 0;
    for (uint64_t& t : m_times)
        t = 0;
    m_elapsedTicks = 0;
    m_sinceLastTicks = 0;
    m_pendingTicks = 0;
}

bool CdocTimer::IsOpen(const CdocTiming& timing) const
{
    return !m_finished && m_count < timing.m_eventsNeeded;
}

bool CdocTimer::IsComplete(const CdocTiming& timing) const
{
    return m_count == timing.m_eventsNeeded;
}

void CdocTimer::SetPending(const CdocTiming& timing)
{
    if (IsOpen(timing))
        m_pendingTicks = timing.m_pendingTicks;
}

bool CdocTimer::Record(const CdocTiming& timing)
{
    // A count from a file may lie anywhere: nothing is written past the five intervals.
    if (m_count < 0 || m_count >= DOC_TIMER_EVENTS)
        return false;
    m_times[m_count] = m_sinceLastTicks;
    ++m_count;
    m_sinceLastTicks = 0;
    return m_count == timing.m_eventsNeeded;
}

bool CdocTimer::Take(int mask, CdocTiming& timing)
{
    int bit = 0, number = 0;
    if (!docTakeLowestSensor(mask, ~0, &timing.m_unclaimed, &bit, &number))
        return false;
    return Record(timing);
}

bool CdocTimer::Choose(int mask, CdocTiming& timing)
{
    int bit = 1, number = 0;
    if (!docTakeLowestSensor(mask, ~0, &timing.m_unclaimed, &bit, &number))
        return false;
    m_secondInput = number;
    m_secondBit = bit;
    return Record(timing);
}

bool CdocTimer::ApplyRule(CdocTiming& timing)
{
    const int entering = timing.m_entering;
    const int leaving = timing.m_leaving;
    const int closing = timing.m_closing;
    switch (timing.m_eventsNeeded) {
    case 1:
        if (m_count != 0)
            return false;
        return timing.m_sameInput ? Take(closing & m_inputBit, timing) : Choose(entering & m_otherInputs, timing);
    case 3:
        if (timing.m_sameInput) {
            switch (m_count) {
            case 0: return Take(closing & m_inputBit, timing);
            case 1: return Take(entering & m_inputBit, timing);
            case 2: return Take(closing & m_inputBit, timing);
            default: return false;
            }
        }
        switch (m_count) {
        case 0:
            if (closing & m_inputBit & timing.m_unclaimed) {
                m_secondChosen = false;
                return Take(closing & m_inputBit, timing);
            }
            if ((entering & m_otherInputs & timing.m_unclaimed) == 0)
                return false;
            m_secondChosen = true;
            return Choose(entering & m_otherInputs, timing);
        case 1: return m_secondChosen ? Take(closing & m_inputBit, timing) : Choose(entering & m_otherInputs, timing);
        case 2: return Take(closing & m_secondBit, timing);
        default: return false;
        }
    case 5:
        switch (m_count) {
        case 0: return Take(leaving & m_inputBit, timing);
        case 1: return Take(entering & m_inputBit, timing);
        case 2: return Take(leaving & m_inputBit, timing);
        case 3: return (entering & m_inputBit & timing.m_unclaimed) != 0 && Record(timing);
        case 4: return (leaving & m_inputBit & timing.m_unclaimed) != 0 && Record(timing);
        default: return false;
        }
    default: return false;
    }
}

bool CdocTimer::Advance(CdocTiming& timing)
{
    if (m_finished)
        return false;
    if (m_count == timing.m_eventsNeeded)
        return true;
    m_elapsedTicks += timing.m_eventTicks;
    m_sinceLastTicks += timing.m_eventTicks;
    m_pendingTicks = 0;
    return ApplyRule(timing);
}

wxString CdocTimer::FormatLine() const
{
    // Fixed-width formats: the tick counts are 64 bits on every platform.
    char ticks[6 * 24 + 8];
    std::snprintf(ticks, sizeof ticks, "%" PRIu64 ",%" PRIu64 ",%" PRIu64 ",%" PRIu64 ",%" PRIu64, m_times[0],
                  m_times[1], m_times[2], m_times[3], m_times[4]);
    char after[3 * 24 + 4];
    std::snprintf(after, sizeof after, "%" PRIu64 ",%" PRIu64 ",%" PRIu64, m_elapsedTicks, m_sinceLastTicks,
                  m_pendingTicks);
    wxString start;
    gumFormatDouble(start, m_startTime);
    return wxString::Format("%d,%d,%d,%d,", m_input, m_inputBit, m_reserved, m_count) + ticks +
           wxString::Format(",%d,%d,%d,", int(m_secondChosen), m_secondBit, int(m_finished)) + after + "," + start;
}

namespace {

bool ParseInt(const wxString& text, int* out)
{
    long value = 0;
    if (!text.ToCLong(&value) || value < INT32_MIN || value > INT32_MAX)
        return false;
    *out = int(value);
    return true;
}

bool ParseTicks(const wxString& text, uint64_t* out)
{
    const wxScopedCharBuffer chars = text.utf8_str();
    const char* s = chars.data();
    // Only digits: strtoull would take a sign or blanks too.
    if (!s || *s < '0' || *s > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(s, &end, 10);
    if (errno == ERANGE || *end != '\0')
        return false;
    *out = uint64_t(value);
    return true;
}

} // namespace

bool CdocTimer::ParseLine(const wxString& text)
{
    const wxArrayString f = wxStringTokenize(text, ",", wxTOKEN_RET_EMPTY_ALL);
    if (f.size() != 16)
        return false;
    CdocTimer t;
    int secondChosen = 0, finished = 0;
    bool ok = ParseInt(f[0], &t.m_input) && ParseInt(f[1], &t.m_inputBit) && ParseInt(f[2], &t.m_reserved) &&
              ParseInt(f[3], &t.m_count);
    for (int i = 0; ok && i < DOC_TIMER_EVENTS; ++i)
        ok = ParseTicks(f[4 + i], &t.m_times[i]);
    ok = ok && ParseInt(f[9], &secondChosen) && ParseInt(f[10], &t.m_secondBit) && ParseInt(f[11], &finished) &&
         ParseTicks(f[12], &t.m_elapsedTicks) && ParseTicks(f[13], &t.m_sinceLastTicks) &&
         ParseTicks(f[14], &t.m_pendingTicks);
    double start = 0.0;
    ok = ok && gumStringToDouble(f[15], &start) && std::isfinite(start);
    // The input and the event count index the inputs and the intervals.
    if (!ok || t.m_input < 0 || t.m_input > 5 || t.m_count < 0 || t.m_count > DOC_TIMER_EVENTS)
        return false;
    m_input = t.m_input;
    m_inputBit = t.m_inputBit;
    m_reserved = t.m_reserved;
    m_count = t.m_count;
    for (int i = 0; i < DOC_TIMER_EVENTS; ++i)
        m_times[i] = t.m_times[i];
    m_secondChosen = secondChosen != 0;
    m_secondBit = t.m_secondBit;
    m_finished = finished != 0;
    m_elapsedTicks = t.m_elapsedTicks;
    m_sinceLastTicks = t.m_sinceLastTicks;
    m_pendingTicks = t.m_pendingTicks;
    m_startTime = start;
    // Not on the line, but an open measurement still takes events by them:
    // rebuilt from the input bits, as a start and a choice set them.
    m_otherInputs = DOC_TIMER_INPUT_BITS & ~m_inputBit;
    m_secondInput = 0;
    for (int i = 0; i < 6; ++i) {
        if (m_secondBit & (1 << i)) {
            m_secondInput = i;
            break;
        }
    }
    return true;
}
