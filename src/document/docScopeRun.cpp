// The oscilloscope run: its start routines, the tick that takes the logger's
// traces, converts them at a pace the eye can follow and tells the view what
// to draw, and the storing of a trace as the document's data.
#include "document/docScope.h"

#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "data/docCalcs.h"
#include "data/docNoValue.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenCalibChoice.h"
#include "hardware/xhwSetup.h"
#include "transport/zxMessageBox.h"

#include <algorithm>
#include <wx/intl.h>

namespace {

void ShowNoScopeSensor()
{
    zxMessageBox(_("No suitable sensor connected"));
}

} // namespace

// ---- Capture state -------------------------------------------------------

void CdocScope::ResetCapture()
{
    m_triggerIndicator = false;
    m_triggered = false;
    m_reset = false;
    m_logNext = 0;
    m_dataNext = 0;
    m_timeOut = 0;
    m_drawStart = 0;
    m_drawNext = 0;
    m_drawClear = true;
    m_drawTrigger = true;
    m_storeRequested = false;
    m_enableStore = false;
    m_convertWatch.Start(0);
    m_traceWatch.Start(0);
}

void CdocScope::RestartTrace()
{
    m_logNext = 0;
    m_timeOut = 0;
    m_convertWatch.Start(0);
}

void CdocScope::RedrawAll()
{
    m_drawStart = 0;
    m_drawNext = m_dataNext;
    m_drawClear = true;
}

long long CdocScope::ConvertMicros() const
{
    return m_convertClock ? m_convertClock(*this) : m_convertWatch.TimeInMicro().GetValue();
}

int CdocScope::SelectedSamples()
{
    return std::clamp(GetTimebaseSamples(m_timebase), 1, kMaxSamples);
}

// ---- The scope input -----------------------------------------------------

int CdocScope::CheckScopeInput(bool ask)
{
    const CxutBoxPublicInfo& info = m_doc->m_boxInfo;
    if (info.FindScopeInput(false, 0) >= 0)
        return DOC_RESULT_DONE;
    int input = info.FindScopeInput(true, 0);
    if (input >= 0)
        return AdjustScopeSensor(input, false, ask);
    input = info.FindScopeInput(true, 1);
    if (input >= 0)
        return AdjustScopeSensor(input, true, ask);
    ShowNoScopeSensor();
    return DOC_RESULT_NO_SENSOR;
}

int CdocScope::AdjustScopeSensor(int input, bool units, bool ask)
{
    if (input < 0 || input >= CxhwSensorV::kCount)
        return DOC_RESULT_NO_SENSOR;
    if (!xhwHasMivaOption(*m_doc)) {
        if (!ask)
            return units ? DOC_RESULT_SCALE_UNITS : DOC_RESULT_SCALE_RANGE;
        const wxString text = units ? _("The sensor scale and units will be automatically adjusted.")
                                    : _("The sensor scale will be automatically adjusted.");
        if (!zxQuestionBox(text + zxNewLine() + _("Would you like to continue?")))
            return DOC_RESULT_NOT_ALLOWED;
    }
    CxutBoxPublicInfo& info = m_doc->m_boxInfo;
    CxhwSenCalibChoice choice;
    if (info.m_sensors[input].GetCalibChoice(&choice, info.m_info, units, true)) {
        if (CxhwBoxes* boxes = xhwGetBoxes()) {
            boxes->SetSensorCalibration(input, choice.m_index, choice.m_code);
            boxes->GetPublicInfo(info);
        }
    }
    if (info.FindScopeInput(false, 0) < 0) {
        ShowNoScopeSensor();
        return DOC_RESULT_NO_SENSOR;
    }
    return DOC_RESULT_DONE;
}

// ---- Start routines ------------------------------------------------------

int CdocScope::StartNew()
{
    const int r = CheckScopeInput(true);
    if (r != DOC_RESULT_DONE)
        return r;
    if (m_doc->m_data.m_records > 0)
        return m_doc->IsOverlayActive() ? StartOverlaid() : StartReplacing();
    if (!PrepareTraceStore())
        return DOC_RESULT_NOT_PREPARED;
    CdocData& data = m_doc->m_data;
    m_doc->SetLogType(ACTIVITY_SCOPE);
    data.SyncSensorFields(false, true, GetInput(), GetSecondInput());
    data.AssignColours();
    data.InitCurrentValues();
    ResetCapture();
    UseLineGraph();
    return StartChecked();
}

bool CdocScope::PrepareTraceStore()
{
    UpdateDefaultGain();
    KeepTimebase();
    return m_doc->PrepareStore(SelectedSamples(), false, true, GetTimebasePeriodSeconds(m_timebase));
}

void CdocScope::UseLineGraph()
{
    CdocGraph& graph = m_doc->m_graph;
    graph.m_best = false;
    graph.m_lines = true;
    graph.m_points = false;
    graph.m_bars = false;
    graph.ChooseRunAxes();
}

int CdocScope::StartOnStoredTraces()
{
    CdocData& data = m_doc->m_data;
    data.AssignColours();
    data.InitCurrentValues();
    ResetCapture();
    m_doc->m_graph.m_best = false;
    m_doc->m_graph.CompleteAxes();
    return StartChecked();
}

// Steps shared by every start once the store and channels are ready.
int CdocScope::StartChecked()
{
    m_doc->SetState(DOC_STATE_RUNNING);
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->StartScope(m_timebase);
    m_doc->UpdateViews(HINT_RUN_STARTED, nullptr);
    m_doc->SetAutoScroll(m_doc->m_data.m_logNext);
    if (m_doc->m_matchCode == START_CODE_PREPARE)
        m_doc->StopRun();
    return DOC_RESULT_DONE;
}

int CdocScope::ResetRun()
{
    const int r = CheckScopeInput(false);
    if (r != DOC_RESULT_DONE)
        return r;
    if (m_doc->m_data.m_records > 0)
        return DOC_RESULT_DONE;
    if (!PrepareTraceStore())
        return DOC_RESULT_NOT_PREPARED;
    m_doc->m_data.SyncSensorFields(false, true, GetInput(), GetSecondInput());
    m_doc->m_data.AssignColours();
    UseLineGraph();
    m_doc->UpdateViews(HINT_RUN_RESET, nullptr);
    return DOC_RESULT_DONE;
}

int CdocScope::StartOverlaid()
{
    const int r = CheckScopeInput(true);
    if (r != DOC_RESULT_DONE)
        return r;
    if (m_doc->m_data.m_records < 1)
        return StartNew();
    if (!PrepareTraceStore())
        return DOC_RESULT_NOT_PREPARED;
    m_doc->ResetOverlayStore();
    CdocData& data = m_doc->m_data;
    if (!data.KeepSensorData()) {
        m_doc->UpdateViews(HINT_CHANNELS_RESET, nullptr);
        zxMessageBox(gumGetString(872));
        return DOC_RESULT_CANNOT_KEEP;
    }
    data.SyncSensorFields(false, true, GetInput(), GetSecondInput());
    return StartOnStoredTraces();
}

int CdocScope::StartReplacing()
{
    const int r = CheckScopeInput(true);
    if (r != DOC_RESULT_DONE)
        return r;
    if (m_doc->m_data.m_records < 1)
        return StartNew();
    if (!PrepareTraceStore())
        return DOC_RESULT_NOT_PREPARED;
    if (!m_doc->ConfirmDiscard(wxString(), false))
        return DOC_RESULT_REFUSED;
    m_doc->ResetReplaceStore();
    CdocData& data = m_doc->m_data;
    data.SyncSensorFieldsAndClear(GetInput(), GetSecondInput());
    return StartOnStoredTraces();
}

int CdocScope::StartContinue()
{
    const int r = CheckScopeInput(true);
    if (r != DOC_RESULT_DONE)
        return r;
    if (m_doc->m_data.m_records < 1)
        return StartNew();
    return m_doc->IsOverlayActive() ? StartOverlaid() : StartReplacing();
}

// ---- The tick ------------------------------------------------------------

bool CdocScope::TickTriggerIndicator()
{
    if (!m_triggerIndicator)
        return false;
    if (m_triggerTimeOut++ < 3)
        return false;
    m_triggerIndicator = false;
    m_drawTrigger = true;
    m_redrawPending = true;
    return true;
}

bool CdocScope::CheckTraceTimeOut()
{
    if (m_logNext <= 0)
        return false;
    ++m_timeOut;
    const double limitMs = GetTimebaseSweepMs(m_timebase) + 1000.0;
    if (double(m_traceWatch.Time()) <= limitMs)
        return false;
    RestartTrace();
    // The part already converted goes too: the next trace is converted from
    // its own first sample, so no stored or drawn trace begins with the
    // abandoned one's. A whole earlier trace stays for Store.
    if (m_dataNext < SelectedSamples()) {
        m_dataNext = 0;
        RedrawAll();
    }
    m_redrawPending = true;
    return true;
}

void CdocScope::TakeSamples(int& waiting)
{
    const int k = GetInputCount();
    const int s = std::clamp(m_traceSamples, 1, kMaxSamples);
    const int m = std::min(waiting, s - m_logNext);
    if (m <= 0) {
        waiting = 0;
        return;
    }
    CxhwBoxes* boxes = xhwGetBoxes();
    if (!boxes || !boxes->GetSamples(&m_rawSamples[m_logNext * k], m * k)) {
        waiting = 0;
        return;
    }
    if (m_logNext == 0) {
        // The logger triggered: a new trace begins.
        m_triggerIndicator = true;
        m_triggered = true;
        m_triggerTimeOut = 0;
        m_drawTrigger = true;
        m_redrawPending = true;
        m_traceWatch.Start(0);
    }
    m_logNext += m;
    waiting -= m;
}

bool CdocScope::ConvertDue()
{
    const int s = m_traceSamples;
    if (m_logNext >= s || m_dataNext == 0)
        return true;
    const bool previousDone = m_dataNext == s;
    const long long t = ConvertMicros();
    if (t >= 500000 && previousDone)
        return true;
    const double period = GetTimebasePeriod(m_timebase);
    const double sweep = double(s - 1) * period / 1000000.0;
    const int fresh = previousDone ? m_logNext : m_logNext - m_dataNext;
    const bool spanEnough = double(fresh) * period / 1000000.0 >= 0.1;
    if (sweep > 0.45) {
        if (previousDone)
            return t >= 200000 || (t >= 100000 && spanEnough);
        return spanEnough;
    }
    if (sweep > 0.15)
        return spanEnough;
    return false;
}

void CdocScope::Tick()
{
    m_redrawPending = false;
    m_reset = false;
    TickTriggerIndicator();
    CheckTraceTimeOut();
    CxhwBoxes* boxes = xhwGetBoxes();
    const int k = GetInputCount();
    m_traceSamples = SelectedSamples();
    const int s = m_traceSamples;
    int n = boxes ? boxes->GetSampleCount() / k : 0;
    if (m_logNext == 0 && boxes) {
        // The queue ran ahead of the display: keep less than two traces.
        int drop[2 * kMaxSamples];
        while (n >= 2 * s && boxes->GetSamples(drop, s * k))
            n -= s;
    }
    while (n > 0) {
        TakeSamples(n);
        if (ConvertDue())
            ConvertNew();
        if (m_logNext >= s) {
            RestartTrace();
            break;
        }
        n = boxes ? boxes->GetSampleCount() / k : 0;
    }
    if (m_redrawPending && m_doc)
        m_doc->UpdateViews(HINT_SCOPE_SETTINGS, nullptr);
    if (m_storeRequested && m_dataNext == s)
        StoreTrace();
}

void CdocScope::ConvertNew()
{
    const int s = std::clamp(m_traceSamples, 1, kMaxSamples);
    if (m_dataNext == 0 || m_dataNext == s) {
        m_dataNext = 0;
        m_drawStart = 0;
        m_drawNext = 0;
        m_drawClear = true;
    }
    const int k = GetInputCount();
    const CxhwSensor& first = GetInputInfo();
    const CxhwSensor& second = GetSecondInfo();
    const int end = std::clamp(m_logNext, 0, s);
    for (int i = std::max(m_dataNext, 0); i < end; ++i) {
        m_inputValues[i] = first.Convert(m_rawSamples[i * k]);
        if (k == 2)
            m_secondValues[i] = second.Convert(m_rawSamples[i * k + 1]);
    }
    m_dataNext = end;
    m_drawNext = end;
    m_redrawPending = true;
    m_enableStore = true;
}

// ---- Storing a trace -----------------------------------------------------

int CdocScope::Store()
{
    if (!m_enableStore)
        return DOC_RESULT_DONE;
    if (m_dataNext == std::clamp(m_traceSamples, 1, kMaxSamples))
        StoreTrace();
    else
        m_storeRequested = true;
    return DOC_RESULT_DONE;
}

namespace {

// The connected-sensor channel n, or none.
CdocField* SensorChannel(CdocData& data, int n)
{
    CdocFieldKey key;
    return data.m_fields.GetSensor(key, n) ? key.m_field : nullptr;
}

void StoreSamples(CdocField& field, const float* values, int count)
{
    for (int i = 0; i < count; ++i) {
        const float v = values[i];
        const float x = docIsNoValue(v) ? DOC_NO_VALUE : v * field.m_gain + field.m_offset;
        field.m_samples[i] = x;
        field.m_unsmoothed[i] = x;
    }
    field.m_current = field.m_samples[count - 1];
    field.UpdateDataRange();
}

} // namespace

void CdocScope::StoreTrace()
{
    m_storeRequested = false;
    const int s = std::clamp(m_traceSamples, 1, kMaxSamples);
    const bool two = GetSecondInput() >= 0;
    std::copy(m_inputValues, m_inputValues + s, m_storeValues);
    if (two)
        std::copy(m_secondValues, m_secondValues + s, m_storeSecondValues);
    const double interval = GetTimebasePeriodSeconds(m_timebase);
    if (!m_doc->PrepareStore(s, false, false, interval))
        return;
    CdocData& data = m_doc->m_data;
    CdocField* c1 = SensorChannel(data, 0);
    CdocField* c2 = two ? SensorChannel(data, 1) : nullptr;
    if (!c1 || (two && !c2)) {
        data.SyncSensorFields(false, true, GetInput(), GetSecondInput());
    } else if (c1->HasData() || (c2 && c2->HasData())) {
        if (!data.KeepSensorData()) {
            m_doc->UpdateViews(HINT_CHANNELS_RESET, nullptr);
            zxMessageBox(gumGetString(872));
            return;
        }
        data.SyncSensorFields(false, true, GetInput(), GetSecondInput());
    }
    data.AssignColours();
    c1 = SensorChannel(data, 0);
    c2 = two ? SensorChannel(data, 1) : nullptr;
    if (!c1 || (two && !c2)) {
        m_doc->UpdateViews(HINT_CHANNELS_RESET, nullptr);
        return;
    }
    m_enableStore = false;
    data.m_logType = ACTIVITY_SCOPE;
    data.m_logNext = 0;
    data.SetStartNow();
    data.m_dataSource =
        m_doc->m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED ? DATA_SOURCE_SIMULATOR : DATA_SOURCE_LIVE;
    data.SetRecords(s);
    data.m_maxRecords = s;
    data.m_interval = interval;
    data.AddTimeField(true, false);
    CdocFieldKey timeKey;
    if (data.m_fields.FindContent(timeKey, 0, CONTENT_ELAPSED_TIME)) {
        CdocField& time = *timeKey.m_field;
        // In the channel's own unit, as the run's readings would be.
        for (int i = 0; i < s; ++i) {
            time.m_samples[i] = float(interval * i) * time.m_gain + time.m_offset;
            time.m_unsmoothed[i] = time.m_samples[i];
        }
        time.m_current = time.m_samples[s - 1];
        time.UpdateDataRange();
    }
    data.m_logNext = s;
    StoreSamples(*c1, m_storeValues, s);
    if (c2)
        StoreSamples(*c2, m_storeSecondValues, s);
    CdocGraph& graph = m_doc->m_graph;
    CdocField* x = graph.GetFieldX();
    const bool recalculated = m_doc->m_calcs.RecalculateIfUses(c1);
    if (recalculated || (c2 && m_doc->m_calcs.RecalculateIfUses(c2))) {
        data.UpdateFits();
    } else {
        c1->FitStraightLine(data.m_records, x);
        if (c2)
            c2->FitStraightLine(data.m_records, x);
    }
    graph.ShareScales();
    graph.CompleteAxes();
    m_doc->m_unsavedData = true;
    m_doc->ModifyAndUpdateViews(HINT_SCOPE_STORED, nullptr);
    if (!appIsAllowed(FEATURE_SCOPE_CONTINUE))
        m_doc->StopRun();
}
