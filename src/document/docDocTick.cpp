// The document's 100 ms tick: its pacing, and the intake of the readings of
// AutoLog, periodic, snapshot and Fast runs.
#include "document/docDoc.h"

#include "hardware/xhwBoxes.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kNominalTickMs = 100;

// Whole readings of six raw values waiting in the sample queue.
int WaitingReadings()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    return boxes ? boxes->GetSampleCount() / DOC_RAW_VALUES : 0;
}

} // namespace

void CdocDoc::OnTimerTick()
{
    if (m_timerRecursionLock)
        return;
    m_timerRecursionLock = true;
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    if (PaceTick()) {
        if (m_state <= DOC_STATE_READY)
            FlushBoxHints();
        else if (m_state == DOC_STATE_RUNNING)
            TickRun();
        else if (m_state == DOC_STATE_FETCHING)
            TickFetch();
        OnAutoScrollTick();
    }
    m_timerRecursionLock = false;
}

int64_t CdocDoc::TickWatchMs()
{
    if (m_tickClock)
        return m_tickClock() - m_tickClockOrigin;
    return m_tickWatch.TimeInMicro().GetValue() / 1000;
}

void CdocDoc::RestartTickWatch(int64_t ms)
{
    if (m_tickClock)
        m_tickClockOrigin = m_tickClock() - ms;
    else
        m_tickWatch.Start(long(ms));
}

bool CdocDoc::PaceTick()
{
    if (!m_pacingEnabled)
        return true;
    if (m_pacingRestart) {
        // The first call works and takes slot 0, so the ratio is measured
        // on calls 6, 11, 16, ...
        m_pacingRestart = false;
        m_tickLength = kNominalTickMs;
        RestartTickWatch(0);
        m_nominalElapsed = 0;
        m_workingSlots = 10;
        m_lastRatio = 0;
        m_skipSlot.fill(false);
        m_slotPosition = 0;
    } else {
        m_nominalElapsed += kNominalTickMs;
        if (m_slotPosition == 0 || m_slotPosition == 5)
            MeasureTickRatio();
    }
    const bool works = !m_skipSlot[m_slotPosition];
    m_slotPosition = (m_slotPosition + 1) % 10;
    return works;
}

void CdocDoc::MeasureTickRatio()
{
    int64_t real = zxWrapTime(TickWatchMs());
    if (m_nominalElapsed > 2000 || real > 2000) {
        // Older time weighs less; the ratio keeps its value.
        m_nominalElapsed /= 10;
        real /= 10;
        RestartTickWatch(real);
    }
    const uint64_t ratio = m_nominalElapsed > 0 ? uint64_t(real * 100.0 / m_nominalElapsed) : 100;
    m_lastRatio = ratio;
    // A clock that hardly moved counts as on time: at least one slot always
    // works.
    int slots = ratio > 0 ? int(double(m_tickLength) * 12.1 / double(ratio) - 1.0) : 10;
    slots = std::clamp(slots, 1, 10);
    if (slots != m_workingSlots) {
        m_workingSlots = slots;
        m_skipSlot.fill(true);
        for (int i = 0; i < slots; ++i)
            m_skipSlot[std::clamp(int(i * 10.0 / slots + 0.5), 0, 9)] = false;
    }
}

void CdocDoc::TickRun()
{
    switch (m_activity) {
    case ACTIVITY_AUTOLOG: TickAutoLog(); break;
    case ACTIVITY_PERIODIC: TickPeriodic(); break;
    case ACTIVITY_SNAPSHOT: TickSnapshot(); break;
    case ACTIVITY_FAST: TickFast(); break;
    case ACTIVITY_TIMING: m_timing.Tick(); break;
    case ACTIVITY_SCOPE: m_scope.Tick(); break;
    default:
        break;
    }
}

int CdocDoc::StoreLimit() const
{
    return std::clamp(m_data.m_maxRecords, 1, DOC_MAX_SAMPLES);
}

bool CdocDoc::TakeReading(int raw[DOC_RAW_VALUES])
{
    CxhwBoxes* boxes = xhwGetBoxes();
    return boxes && boxes->GetSamples(raw, DOC_RAW_VALUES);
}

void CdocDoc::TickAutoLog()
{
    CdocData& data = m_data;
    bool compacted = false;
    const int readings = WaitingReadings();
    for (int k = 0; k < readings; ++k) {
        int raw[DOC_RAW_VALUES];
        if (!TakeReading(raw))
            break;
        const int c = data.m_logCount;
        data.SetCurrentValues(raw, c == 0, c == 1 || data.m_logSkip == 1);
        // A full store keeps every second record and goes on at half the
        // time resolution.
        if (data.m_logNext >= StoreLimit()) {
            data.CompactHalf();
            data.m_logSkip = std::min(data.m_logSkip, INT_MAX / 2) * 2;
            compacted = true;
        }
        if (c == 0)
            m_unsavedData = true;
        data.m_logCount = data.m_logCount + 1 >= data.m_logSkip ? 0 : data.m_logCount + 1;
    }
    m_control.UpdateOutputs();
    if (compacted)
        ModifyAndUpdateViews(HINT_STORE_COMPACTED, nullptr);
    ModifyAndUpdateViews(HINT_NEW_DATA, nullptr);
}

bool CdocDoc::TakeStoredReading(const int raw[DOC_RAW_VALUES])
{
    CdocData& data = m_data;
    const int c = data.m_logCount;
    data.SetCurrentValues(raw, c == 0, c == 1 || data.m_logSkip == 1);
    if (c == 0)
        m_unsavedData = true;
    data.m_logCount = data.m_logCount + 1 >= data.m_logSkip ? 0 : data.m_logCount + 1;
    if (data.m_logNext < StoreLimit())
        return false;
    // Not Stop, which would take the readings still waiting past the full store.
    StopRun();
    return true;
}

void CdocDoc::TickPeriodic()
{
    const int readings = WaitingReadings();
    for (int k = 0; k < readings; ++k) {
        int raw[DOC_RAW_VALUES];
        if (!TakeReading(raw))
            break;
        if (TakeStoredReading(raw))
            return; // the store is full: the rest stays in the queue
    }
    m_control.UpdateOutputs();
    UpdateViews(HINT_NEW_DATA, nullptr);
}

void CdocDoc::TickFast()
{
    const int readings = WaitingReadings();
    for (int k = 0; k < readings; ++k) {
        int raw[DOC_RAW_VALUES];
        if (!TakeReading(raw))
            break;
        if (TakeStoredReading(raw))
            return;
    }
    // A Fast run leaves the outputs alone.
    UpdateViews(HINT_NEW_DATA, nullptr);
}

void CdocDoc::TickSnapshot()
{
    const int readings = WaitingReadings();
    for (int k = 0; k < readings; ++k) {
        int raw[DOC_RAW_VALUES];
        if (!TakeReading(raw))
            break;
        m_data.SetCurrentValues(raw, false, false);
    }
    m_control.UpdateOutputs();
    UpdateViews(HINT_NEW_DATA, nullptr);
}
