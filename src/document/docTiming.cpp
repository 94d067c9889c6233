// The timing part's run: gate events, measurements, results and the rows
// they fill.
#include "document/docTiming.h"

#include "app/base/gumResCore.h"
#include "data/docNoValue.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xutTimerFIFO.h"

#include <algorithm>
#include <cmath>
#include <wx/intl.h>

namespace {

// The idle status text and the text of a time not yet known.
constexpr int STRING_IDLE = 2448;

constexpr int kInputs = 6;

bool ValidInput(int input)
{
    return input >= 0 && input < kInputs;
}

float Scaled(const CdocFieldHdr& field, float x)
{
    return docIsNoValue(x) ? DOC_NO_VALUE : x * field.m_gain + field.m_offset;
}

} // namespace

CdocTiming::CdocTiming()
{
    ClearState();
}

void CdocTiming::ClearState()
{
    m_waitingForStart = true;
    m_eventsNeeded = 0;
    m_sameInput = false;
    m_detectLeading = false;
    m_distance = 1.0;
    m_stateStart = 0;
    m_stateLast = 0;
    m_elapsedTimeToLastEvent = 0;
    m_pendingTicks = 0;
    m_elapsedTime = 0.0;
    m_eventTicks = 0;
    m_eventState = 0;
    m_eventEdge = 0;
    m_eventDifferent = 0;
    m_eventLeading = m_entering = 0;
    m_eventTrailing = m_leaving = 0;
    m_event2ndEdge = m_closing = 0;
    m_unclaimed = 0;
    m_nextDelta = 0;
    m_input = 0;
    m_inputBit = 0;
    m_betweenTriggerSocket = 0;
    m_betweenTriggerBit = 0;
    std::fill(std::begin(m_delta), std::end(m_delta), -1.0);
    m_singleSocket = 0;
    m_singleBit = 1;
    ClearMeasurements();
    std::fill(std::begin(m_cardCount), std::end(m_cardCount), 0);
    m_stateText = gumGetString(STRING_IDLE);
}

void CdocTiming::Reset()
{
    ClearState();
    m_timers.DeleteAll();
    if (!m_doc)
        return;
    float distance = 1.0f;
    m_doc->m_setup.GetTimingGeometry(m_eventsNeeded, m_sameInput, m_detectLeading, distance);
    m_distance = distance;
}

// ---- Small operations ----------------------------------------------------

bool CdocTiming::HasGateInput(int mask) const
{
    return m_doc && (m_doc->m_boxInfo.m_boxTimingIdentify & mask) != 0;
}

bool CdocTiming::IsGateBit(int input) const
{
    return ValidInput(input) && HasGateInput(1 << input);
}

void CdocTiming::SetPending(uint64_t ticks)
{
    const uint32_t low = uint32_t(ticks);
    m_nextDelta = int32_t(low);
    m_pendingTicks = low;
    m_elapsedTime = TicksToSeconds(m_elapsedTimeToLastEvent + m_pendingTicks);
    m_timers.SetPendingAll(*this);
}

double CdocTiming::TicksToSeconds(uint64_t ticks) const
{
    // A description read from a file may carry no tick rate.
    const double perSecond = m_doc ? m_doc->m_boxInfo.m_boxTimingTicksPerSecond : 0.0;
    return perSecond > 0.0 ? double(ticks) / perSecond : 0.0;
}

void CdocTiming::ClearMeasurements()
{
    std::fill(std::begin(m_measurement), std::end(m_measurement), double(DOC_NO_VALUE));
    std::fill(std::begin(m_measurementReady), std::end(m_measurementReady), false);
}

bool CdocTiming::AllMeasurementsReady() const
{
    for (int i = 0; i < kInputs; ++i)
        if (IsGateBit(i) && !m_measurementReady[i])
            return false;
    return true;
}

bool CdocTiming::HasEventsFor(int input) const
{
    if (!m_doc || !ValidInput(input))
        return false;
    int needed = 0;
    return m_doc->m_setup.HasEventsFor(needed, m_cardCount[input], m_sameInput, m_detectLeading);
}

// ---- Tick and events -----------------------------------------------------

void CdocTiming::Tick()
{
    if (!m_doc)
        return;
    CdocDoc& doc = *m_doc;
    CxutTimerStatus status;
    CxutTimerEvent events[kEventsPerTick];
    int count = 0;
    if (CxhwBoxes* boxes = xhwGetBoxes())
        count = std::clamp(boxes->GetTimingEvents(status, events, kEventsPerTick), 0, kEventsPerTick);
    for (int i = 0; i < count; ++i)
        ProcessEvent(events[i]);
    if (!m_waitingForStart)
        SetPending(status.Ticks);
    m_stateText = m_timers.HasOpen(*this) ? wxString(_("Timing")) : gumGetString(STRING_IDLE);

    CdocData& data = doc.m_data;
    if (data.m_records > 0) {
        bool changed = false;
        for (int i = 0; i < data.m_fields.GetCount(); ++i) {
            CdocField& field = *data.m_fields.GetAt(i);
            if (!field.m_dataRange.IsSet())
                continue;
            changed = changed || field.m_now != field.m_dataRange;
            field.m_cal = field.m_dataRange;
            field.m_def = field.m_dataRange;
            field.m_now = field.m_dataRange;
        }
        if (doc.m_graph.ShareScales())
            changed = true;
        if (changed)
            doc.UpdateViews(HINT_SCALES, nullptr);
    }
    doc.UpdateViews(HINT_NEW_DATA, nullptr);
    // StopRun, not Stop: Stop ticks the run once more itself.
    if (doc.m_state == DOC_STATE_RUNNING && data.m_logNext >= data.m_maxRecords)
        doc.StopRun();
}

void CdocTiming::ProcessEvent(const CxutTimerEvent& event)
{
    const int state = event.States;
    if (m_waitingForStart) {
        m_waitingForStart = false;
        m_stateStart = state;
        m_stateLast = state;
        return;
    }
    m_eventTicks = event.Ticks;
    m_eventState = state;
    m_elapsedTimeToLastEvent += event.Ticks;
    m_pendingTicks = 0;
    m_elapsedTime = TicksToSeconds(m_elapsedTimeToLastEvent);

    m_eventDifferent = m_eventState ^ m_stateStart;
    m_eventEdge = m_eventState ^ m_stateLast;
    m_eventLeading = m_entering = m_eventEdge & m_eventDifferent;
    m_eventTrailing = m_leaving = m_eventEdge & ~m_eventDifferent;
    m_event2ndEdge = m_closing = m_detectLeading ? m_eventLeading : m_eventTrailing;
    m_unclaimed = ~0;

    const bool complete = m_timers.AdvanceAll(*this) != nullptr;
    m_stateLast = m_eventState;
    if (complete) {
        const int measurement = m_doc ? m_doc->m_setup.m_measurement : 0;
        const bool manual = m_doc && m_doc->m_setup.m_manualCalculation;
        if (manual && measurement != MEASUREMENT_TIME_DIFFERENCE && measurement != MEASUREMENT_SHM_PERIOD)
            StoreCompleteTimes();
        else
            StoreResults();
    }

    for (int i = 0; i < kInputs; ++i) {
        m_input = i;
        m_inputBit = 1 << i;
        if (!IsGateBit(i) || (m_eventLeading & m_inputBit) == 0)
            continue;
        const bool fits = HasEventsFor(i);
        const int modulus = m_doc ? std::max({m_doc->m_setup.m_barsTotal, m_doc->m_setup.m_bars, 1}) : 1;
        m_cardCount[i] = int((int64_t(m_cardCount[i]) + 1) % modulus);
        if (!fits || (m_unclaimed & m_inputBit) == 0)
            continue;
        if (CdocTimer* timer = m_timers.AddTimer())
            timer->Start(*this);
    }
    m_input = kInputs;
    m_inputBit = 1 << kInputs;
}

// ---- Results -------------------------------------------------------------

void CdocTiming::GetTimes(const CdocTimer* timer, double& x, double& y, double& z) const
{
    x = y = z = -1.0;
    if (!timer)
        return;
    const uint64_t* t = timer->m_times;
    const uint64_t p = timer->m_pendingTicks;
    const uint64_t s = timer->m_sinceLastTicks;
    const int n = timer->m_count;
    const int measurement = m_doc ? m_doc->m_setup.m_measurement : 0;
    if (measurement == MEASUREMENT_SHM_PERIOD) {
        // From the middle of the first passage to the middle of the third.
        uint64_t sum = 0;
        switch (n) {
        case 0: sum = (p + s) / 2; break;
        case 1: sum = t[0] / 2 + s + p; break;
        case 2: sum = t[0] / 2 + t[1] + s + p; break;
        case 3: sum = t[0] / 2 + t[1] + t[2] + s + p; break;
        case 4: sum = t[0] / 2 + t[1] + t[2] + t[3] + (p + s) / 2; break;
        default: sum = t[0] / 2 + t[1] + t[2] + t[3] + t[4] / 2; break;
        }
        x = TicksToSeconds(sum);
        return;
    }
    switch (n) {
    case 0: x = TicksToSeconds(p + s); break;
    case 1:
        x = TicksToSeconds(t[0]);
        y = TicksToSeconds(p + s);
        break;
    case 2:
        x = TicksToSeconds(t[0]);
        y = TicksToSeconds(t[1]);
        z = TicksToSeconds(p + s);
        break;
    default:
        x = TicksToSeconds(t[0]);
        y = TicksToSeconds(t[1]);
        z = TicksToSeconds(t[2]);
        break;
    }
}

float CdocTiming::CalculateResult(const CdocTimer* timer) const
{
    if (!timer)
        return DOC_NO_VALUE;
    double x = 0.0, y = 0.0, z = 0.0;
    GetTimes(timer, x, y, z);
    const double d = m_distance;
    const int measurement = m_doc ? m_doc->m_setup.m_measurement : 0;
    switch (measurement) {
    case MEASUREMENT_SPEED:
    case MEASUREMENT_VELOCITY: return x > 0.0 ? float(d / x / 100.0) : DOC_NO_VALUE;
    case MEASUREMENT_ACCELERATION: {
        if (!(x > 0.0 && z > 0.0))
            return DOC_NO_VALUE;
        const float c = float(0.5 * x + y + 0.5 * z);
        if (!(c > 0.0f))
            return DOC_NO_VALUE;
        const float u = float(d / x / 100.0);
        const float w = float(d / z / 100.0);
        return (w - u) / c;
    }
    case MEASUREMENT_KINETIC_ENERGY:
    case MEASUREMENT_MOMENTUM: {
        if (!(x > 0.0))
            return DOC_NO_VALUE;
        const float v = float(d / x / 100.0);
        const float m = m_doc->m_setup.GetMass(timer->m_input);
        if (measurement == MEASUREMENT_MOMENTUM)
            return m * v;
        return float(0.5 * v * v * m);
    }
    default: return x >= 0.0 ? float(x) : DOC_NO_VALUE;
    }
}

// ---- Rows ----------------------------------------------------------------

void CdocTiming::StoreMeasurement(bool store, bool advance)
{
    if (!m_doc)
        return;
    CdocDoc& doc = *m_doc;
    CdocData& data = doc.m_data;
    const int i = data.m_logNext;
    // Never past the store, nor past a channel's samples.
    if (i < 0 || i >= data.m_maxRecords || i >= DOC_MAX_SAMPLES)
        return;
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    for (int k = 0; k < data.m_fields.GetCount(); ++k) {
        CdocField& field = *data.m_fields.GetAt(k);
        switch (field.m_content) {
        case CONTENT_READING: field.m_current = field.m_gain * float(i + 1) + field.m_offset; break;
        case CONTENT_ELAPSED_TIME: field.m_current = Scaled(field, float(m_elapsedTime)); break;
        case CONTENT_SENSOR:
            field.m_current =
                ValidInput(field.m_socket) ? Scaled(field, float(m_measurement[field.m_socket])) : DOC_NO_VALUE;
            break;
        case CONTENT_TIMING: {
            const bool known = field.m_socket >= 0 && field.m_socket < 3 && m_delta[field.m_socket] >= 0.0;
            field.m_current = known ? Scaled(field, float(m_delta[field.m_socket])) : DOC_NO_VALUE;
            break;
        }
        case CONTENT_MANUAL:
            if (i < records) {
                const float x = field.m_samples[i];
                field.m_current = !docIsNoValue(x) ? x : field.m_manualLogOverNull ? field.m_manual : DOC_NO_VALUE;
            } else {
                field.m_current = field.m_manual;
            }
            break;
        default:
            if (field.m_content > CONTENT_STORED_TIMING)
                break; // formula channels: set by the formulas below
            field.m_current = i < records ? field.m_samples[i] : DOC_NO_VALUE;
            break;
        }
    }
    doc.m_calcs.CalculateLatest();
    if (!store)
        return;
    doc.m_calcs.KeepPrevious();
    for (int k = 0; k < data.m_fields.GetCount(); ++k) {
        CdocField& field = *data.m_fields.GetAt(k);
        const float x = docFiniteOrNoValue(field.m_current);
        field.m_samples[i] = x;
        field.m_unsmoothed[i] = x;
        field.m_dataRange.Extend(x);
    }
    if (i >= data.m_records)
        data.SetRecords(i + 1);
    int row = i;
    doc.ModifyAndUpdateViews(HINT_SAMPLE_UPDATED, &row);
    doc.RequestAutoScroll(i);
    if (advance)
        data.m_logNext = i + 1;
}

bool CdocTiming::TakeRowResults()
{
    bool taken = false;
    for (int k = 0; k < m_timers.GetCount(); ++k) {
        CdocTimer* timer = m_timers.GetAt(k);
        if (timer->m_finished || !timer->IsComplete(*this) || !ValidInput(timer->m_input) ||
            m_measurementReady[timer->m_input])
            continue;
        m_measurementReady[timer->m_input] = true;
        m_measurement[timer->m_input] = CalculateResult(timer);
        timer->m_finished = true;
        taken = true;
    }
    return taken;
}

void CdocTiming::StoreResults()
{
    const int sensor = m_doc ? m_doc->m_setup.m_timingSensor : TIMING_SENSOR_ANY;
    if (sensor == TIMING_SENSOR_FROM_TO)
        StoreResultsBetween();
    else if (sensor == TIMING_SENSOR_EACH)
        StoreResultsAtEach();
    else
        StoreResultsAtAny();
}

void CdocTiming::StoreResultsBetween()
{
    for (int k = 0; k < m_timers.GetCount(); ++k) {
        CdocTimer* timer = m_timers.GetAt(k);
        if (timer->m_finished || !timer->IsComplete(*this))
            continue;
        if (ValidInput(m_singleSocket))
            m_measurement[m_singleSocket] = CalculateResult(timer);
        timer->m_finished = true;
        StoreMeasurement(true, true);
    }
    m_timers.RemoveFinished();
}

void CdocTiming::StoreResultsAtEach()
{
    while (m_timers.GetCount() > 0) {
        if (!TakeRowResults())
            break;
        if (AllMeasurementsReady()) {
            StoreMeasurement(true, true);
            ClearMeasurements();
            m_timers.RemoveFinished();
            continue;
        }
        // A partial row: written, and written over until every input has a result.
        StoreMeasurement(true, false);
    }
}

void CdocTiming::StoreResultsAtAny()
{
    for (;;) {
        ClearMeasurements();
        if (m_timers.GetCount() == 0 || !TakeRowResults())
            break;
        StoreMeasurement(true, true);
        m_timers.RemoveFinished();
    }
}

void CdocTiming::StoreCompleteTimes()
{
    for (int k = 0; k < m_timers.GetCount(); ++k) {
        CdocTimer* timer = m_timers.GetAt(k);
        if (timer->m_finished || timer->m_count < m_eventsNeeded)
            continue;
        timer->m_finished = true;
        GetTimes(timer, m_delta[0], m_delta[1], m_delta[2]);
        StoreMeasurement(true, true);
    }
    m_timers.RemoveFinished();
}
