// The run logic of the document: the enable tests and the Start, Start
// Overlaid, Restart, Stop, Mark and Store commands, the start routines of the
// AutoLog, periodic, snapshot and Fast activities, the store they prepare,
// and the end of a run.
#include "document/docDoc.h"

#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"

#include <algorithm>
#include <wx/intl.h>

namespace {

// The activities whose runs are started here; timing and the oscilloscope
// have start routines of their own.
bool IsStoreActivity(int activity)
{
    return activity == ACTIVITY_AUTOLOG || activity == ACTIVITY_PERIODIC || activity == ACTIVITY_SNAPSHOT
           || activity == ACTIVITY_FAST;
}

int NotImplemented()
{
    zxNotImplementedBox(_("Message"));
    return DOC_RESULT_DONE;
}

void ShowNoTriggerSensor()
{
    zxMessageBox(_("No suitable sensor connected"));
}

} // namespace

// ---- Enable tests --------------------------------------------------------

bool CdocDoc::CanRunActivity(bool scopeCheck) const
{
    switch (m_activity) {
    case ACTIVITY_PERIODIC: return m_boxInfo.HasSensors();
    case ACTIVITY_TIMING: return m_boxInfo.CanUseTimingInputs();
    case ACTIVITY_FAST: return m_boxInfo.CanUseTrigger(true, 1);
    case ACTIVITY_SCOPE:
        return m_boxInfo.CanUseScope(true, 1) && (!scopeCheck || appIsAllowed(FEATURE_SCOPE_CONTINUE));
    default: return true;
    }
}

bool CdocDoc::CanStart() const
{
    if (m_state == DOC_STATE_READY)
        return true;
    if (m_state != DOC_STATE_STOPPED)
        return false;
    switch (m_data.m_dataSource) {
    case DATA_SOURCE_SIMULATOR:
    case DATA_SOURCE_LIVE: return CanRunActivity(false);
    case DATA_SOURCE_FILE: return appIsAllowed(FEATURE_CONTINUE_FILE_DATA) && CanRunActivity(false);
    default: return false;
    }
}

bool CdocDoc::CanRestart() const
{
    return CanStart();
}

bool CdocDoc::CanStartOverlay() const
{
    if (m_state == DOC_STATE_READY)
        return appIsAllowed(FEATURE_OVERLAY);
    if (m_state != DOC_STATE_STOPPED)
        return false;
    switch (m_data.m_dataSource) {
    case DATA_SOURCE_SIMULATOR:
    case DATA_SOURCE_LIVE: return appIsAllowed(FEATURE_OVERLAY) && CanRunActivity(true);
    case DATA_SOURCE_FILE:
        return appIsAllowed(FEATURE_CONTINUE_FILE_DATA) && appIsAllowed(FEATURE_OVERLAY) && CanRunActivity(false);
    default: return false;
    }
}

bool CdocDoc::IsOverlayAllowed() const
{
    const bool scopeRun = (m_state == DOC_STATE_RUNNING || m_state == DOC_STATE_STOPPED)
                          && m_activity == ACTIVITY_SCOPE;
    return appIsAllowed(FEATURE_OVERLAY) && (!scopeRun || appIsAllowed(FEATURE_SCOPE_CONTINUE));
}

bool CdocDoc::IsOverlayActive() const
{
    return m_overlay && IsOverlayAllowed();
}

bool CdocDoc::IsBusy() const
{
    return m_state == DOC_STATE_FETCHING || m_state == DOC_STATE_RUNNING;
}

bool CdocDoc::CanMark() const
{
    if (m_state != DOC_STATE_RUNNING || m_activity == ACTIVITY_SCOPE || m_data.m_logNext <= 0)
        return false;
    const int newest = m_data.m_logNext - 1;
    return newest >= DOC_MAX_SAMPLES || m_data.m_marks[size_t(newest)] == 0;
}

bool CdocDoc::CanStore() const
{
    if (m_state != DOC_STATE_RUNNING)
        return false;
    return m_activity == ACTIVITY_SNAPSHOT || (m_activity == ACTIVITY_SCOPE && m_scope.m_enableStore);
}

// ---- Commands ------------------------------------------------------------

// The three start commands differ only in their test and in how they go on
// from data already held: a file's channels are paired with the connected
// sensors first, a run's are continued, overlaid or replaced.
int CdocDoc::StartFrom(bool allowed, int code, int (CdocDoc::*fromStopped)())
{
    if (!allowed)
        return DOC_RESULT_NOT_ALLOWED;
    if (m_state == DOC_STATE_STOPPED)
        return m_data.m_dataSource == DATA_SOURCE_FILE ? MatchAndStart(code) : (this->*fromStopped)();
    if (m_state == DOC_STATE_READY)
        return StartNew();
    return DOC_RESULT_DONE;
}

int CdocDoc::Start()
{
    return StartFrom(CanStart(), START_CODE_START, &CdocDoc::StartContinue);
}

int CdocDoc::StartOverlay()
{
    return StartFrom(CanStartOverlay(), START_CODE_OVERLAID, &CdocDoc::StartOverlaid);
}

int CdocDoc::Restart()
{
    return StartFrom(CanRestart(), START_CODE_REPLACING, &CdocDoc::StartReplacing);
}

void CdocDoc::Stop()
{
    if (m_state == DOC_STATE_FETCHING) {
        StopFetch();
        return;
    }
    if (m_state != DOC_STATE_RUNNING)
        return;
    // The readings the logger gave before Stop are kept: the next start
    // empties the queue. A store that fills meanwhile ends the run itself.
    TickRun();
    if (m_state == DOC_STATE_RUNNING)
        StopRun();
}

int CdocDoc::ApplySetup()
{
    int activity = 0;
    switch (m_setup.m_setup) {
    case SETUP_LOG_PERIODIC:
    case SETUP_LOG_PERIODIC_ADVANCED: activity = ACTIVITY_PERIODIC; break;
    case SETUP_LOG_FAST_TRIGGER: activity = ACTIVITY_FAST; break;
    case SETUP_LOG_TIMING: activity = ACTIVITY_TIMING; break;
    default: break;
    }
    if (m_state == DOC_STATE_STOPPED)
        return StartContinue();
    if (m_state == DOC_STATE_READY) {
        SetActivity(activity);
        return StartNew();
    }
    return DOC_RESULT_DONE;
}

// ---- Start routines ------------------------------------------------------

int CdocDoc::StartNew()
{
    if (m_activity == ACTIVITY_TIMING)
        return m_timing.StartNew();
    if (m_activity == ACTIVITY_SCOPE)
        return m_scope.StartNew();
    return IsStoreActivity(m_activity) ? StartFreshRun() : NotImplemented();
}

int CdocDoc::StartContinue()
{
    if (m_activity == ACTIVITY_TIMING)
        return m_timing.StartContinue();
    if (m_activity == ACTIVITY_SCOPE)
        return m_scope.StartContinue();
    if (!IsStoreActivity(m_activity))
        return NotImplemented();
    if (m_data.m_records < 1)
        return StartFreshRun();
    return IsOverlayActive() ? StartOverlaidRun() : StartReplacingRun();
}

int CdocDoc::StartOverlaid()
{
    if (m_activity == ACTIVITY_TIMING)
        return m_timing.StartOverlaid();
    if (m_activity == ACTIVITY_SCOPE)
        return m_scope.StartOverlaid();
    if (!IsStoreActivity(m_activity))
        return NotImplemented();
    return m_data.m_records < 1 ? StartFreshRun() : StartOverlaidRun();
}

int CdocDoc::StartReplacing()
{
    if (m_activity == ACTIVITY_TIMING)
        return m_timing.StartReplacing();
    if (m_activity == ACTIVITY_SCOPE)
        return m_scope.StartReplacing();
    if (!IsStoreActivity(m_activity))
        return NotImplemented();
    return m_data.m_records < 1 ? StartFreshRun() : StartReplacingRun();
}

int CdocDoc::FindRunTrigger(int& trigger)
{
    trigger = -1;
    if (m_activity != ACTIVITY_FAST)
        return DOC_RESULT_DONE;
    const int result = CheckTriggerSensor();
    if (result == DOC_RESULT_DONE)
        trigger = m_boxInfo.FindTriggerInput(false, 0);
    return result;
}

int CdocDoc::SecondTrigger() const
{
    return m_activity == ACTIVITY_FAST ? m_boxInfo.GetTriggerInputFast() : -1;
}

bool CdocDoc::PreparePeriodStore(bool reinitialise)
{
    return PrepareStore(m_setup.GetReadingsLimit(*this), false, reinitialise,
                        m_setup.GetNearestPeriod(*this, m_setup.m_period));
}

void CdocDoc::SyncRunChannels(int trigger)
{
    m_data.SyncSensorFields(false, true, trigger, SecondTrigger());
    m_data.AssignColours();
    m_data.InitCurrentValues();
}

int CdocDoc::StartFreshRun()
{
    if (m_data.m_records > 0)
        return IsOverlayActive() ? StartOverlaidRun() : StartReplacingRun();
    int trigger = -1;
    if (const int result = FindRunTrigger(trigger); result != DOC_RESULT_DONE)
        return result;
    switch (m_activity) {
    case ACTIVITY_AUTOLOG: {
        const double step = m_boxInfo.GetMinTimeStep();
        double interval = step > 0.01 ? 0.05 : 0.01;
        for (double coarser : {0.1, 0.5, 1.0})
            if (interval < step)
                interval = coarser;
        if (!PrepareStore(1001, true, true, interval))
            return DOC_RESULT_NOT_PREPARED;
        break;
    }
    case ACTIVITY_PERIODIC:
    case ACTIVITY_FAST:
        if (!PreparePeriodStore(true))
            return DOC_RESULT_NOT_PREPARED;
        break;
    default:
        PrepareIndexStore(DOC_MAX_SAMPLES, true, true);
        break;
    }
    SetLogType(m_activity);
    SyncRunChannels(trigger);
    const bool snapshot = m_activity == ACTIVITY_SNAPSHOT;
    m_graph.m_lines = !snapshot;
    m_graph.m_points = false;
    m_graph.m_bars = snapshot;
    m_graph.m_best = false;
    if (snapshot)
        m_viewGauge = true;
    m_graph.ChooseRunAxes();
    return FinishStart();
}

int CdocDoc::StartOverlaidRun()
{
    int trigger = -1;
    if (const int result = FindRunTrigger(trigger); result != DOC_RESULT_DONE)
        return result;
    if (m_activity == ACTIVITY_PERIODIC || m_activity == ACTIVITY_FAST) {
        if (!PreparePeriodStore(false))
            return DOC_RESULT_NOT_PREPARED;
    } else if (m_activity == ACTIVITY_SNAPSHOT) {
        PrepareIndexStore(DOC_MAX_SAMPLES, false, true);
    }
    ResetOverlayStore();
    if (!m_data.KeepSensorData()) {
        UpdateViews(HINT_CHANNELS_RESET, nullptr);
        zxMessageBox(gumGetString(872));
        return DOC_RESULT_CANNOT_KEEP;
    }
    SyncRunChannels(trigger);
    m_graph.m_best = false;
    m_graph.CompleteAxes();
    return FinishStart();
}

int CdocDoc::StartReplacingRun()
{
    int trigger = -1;
    if (const int result = FindRunTrigger(trigger); result != DOC_RESULT_DONE)
        return result;
    if (m_activity == ACTIVITY_PERIODIC || m_activity == ACTIVITY_FAST) {
        if (!PreparePeriodStore(false))
            return DOC_RESULT_NOT_PREPARED;
    }
    if (!ConfirmDiscard(wxString(), false))
        return DOC_RESULT_REFUSED;
    if (m_activity == ACTIVITY_SNAPSHOT)
        PrepareIndexStore(DOC_MAX_SAMPLES, false, true);
    ResetReplaceStore();
    m_data.SyncSensorFieldsAndClear(trigger, SecondTrigger());
    SyncRunChannels(trigger);
    m_graph.m_best = false;
    m_graph.CompleteAxes();
    return FinishStart();
}

int CdocDoc::FinishStart()
{
    SetState(DOC_STATE_RUNNING);
    if (m_activity != ACTIVITY_FAST)
        m_control.SwitchAllOff();
    if (CxhwBoxes* boxes = xhwGetBoxes()) {
        switch (m_activity) {
        case ACTIVITY_AUTOLOG: boxes->StartSamplingFlagged(m_data.m_logPeriod); break;
        case ACTIVITY_FAST: boxes->StartSetupLogging(m_data.m_interval); break;
        default: boxes->StartSampling(m_data.m_logPeriod); break;
        }
    }
    UpdateViews(HINT_RUN_STARTED, nullptr);
    SetAutoScroll(m_data.m_logNext);
    if (m_matchCode == START_CODE_PREPARE)
        StopRun();
    return DOC_RESULT_DONE;
}

// ---- The store -----------------------------------------------------------

bool CdocDoc::PrepareStore(int records, bool shortRange, bool reinitialise, double interval)
{
    // Never more records than a channel holds, nor none at all.
    records = std::clamp(records, 1, DOC_MAX_SAMPLES);
    CdocData& data = m_data;
    const bool timeBaseChanged = interval != data.m_interval || records != data.m_maxRecords;
    if (timeBaseChanged) {
        if (data.m_fields.HasData()
            && !ConfirmDiscard(_("Because the time base has changed, existing data will be deleted."), true))
            return false;
        m_annotations.m_count = 0;
        data.RemoveDerivedFields();
        data.m_marks.fill(0);
        data.SetRecords(0);
    }
    data.m_maxRecords = records;
    data.m_interval = interval;
    data.RemoveReadingField();
    data.AddTimeField(timeBaseChanged || reinitialise, shortRange);
    data.AssignColours();
    CdocFieldKey key;
    if (data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        key.m_field->UpdateDataRange();
    data.UpdateLogSkip();
    return true;
}

bool CdocDoc::PrepareIndexStore(int records, bool reinitialise, bool smallRange)
{
    CdocData& data = m_data;
    data.m_maxRecords = std::clamp(records, 1, DOC_MAX_SAMPLES);
    data.m_interval = 0.0;
    data.RemoveTimeField();
    data.AddReadingField(reinitialise, smallRange);
    data.AssignColours();
    CdocFieldKey key;
    if (data.m_fields.FindContent(key, 0, CONTENT_READING))
        key.m_field->UpdateDataRange();
    data.UpdateLogSkip();
    return true;
}

namespace {

void RescanTimeChannels(CdocData& data)
{
    CdocFieldKey key;
    if (data.m_fields.FindContent(key, 0, CONTENT_READING))
        key.m_field->UpdateDataRange();
    if (data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        key.m_field->UpdateDataRange();
}

} // namespace

void CdocDoc::SetLogType(int logType)
{
    CdocData& data = m_data;
    data.m_logType = logType;
    data.m_dataSource =
        m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED ? DATA_SOURCE_SIMULATOR : DATA_SOURCE_LIVE;
    data.m_logNext = 0;
    data.m_logCount = 0;
    data.SetStartNow();
    data.SetRecords(0);
    RescanTimeChannels(data);
}

void CdocDoc::ResetOverlayStore()
{
    m_data.m_logNext = 0;
    m_data.m_logCount = 0;
    m_data.SetStartNow();
    RescanTimeChannels(m_data);
}

void CdocDoc::ResetReplaceStore()
{
    ResetOverlayStore();
}

// ---- The trigger sensor of a Fast run ------------------------------------

int CdocDoc::CheckTriggerSensor()
{
    if (m_boxInfo.FindTriggerInput(false, 0) >= 0)
        return DOC_RESULT_DONE;
    int input = m_boxInfo.FindTriggerInput(true, 0);
    if (input >= 0)
        return CheckSensorScales(input, false);
    input = m_boxInfo.FindTriggerInput(true, 1);
    if (input >= 0)
        return CheckSensorScales(input, true);
    // Nothing was tried: the start fails without a message.
    return DOC_RESULT_NO_TRIGGER;
}

int CdocDoc::CheckSensorScales(int input, bool units)
{
    const wxString text = units ? _("The sensor scale and units will be automatically adjusted.")
                                : _("The sensor scale will be automatically adjusted.");
    if (!zxQuestionBox(text + zxNewLine() + _("Would you like to continue?")))
        return DOC_RESULT_NOT_ALLOWED;
    // The calibration choices that would make the sensor usable come with
    // the choice lists; until then none is found and the copy stays as it is.
    (void)input;
    if (m_boxInfo.FindTriggerInput(false, 0) < 0) {
        ShowNoTriggerSensor();
        return DOC_RESULT_NO_TRIGGER;
    }
    return DOC_RESULT_DONE;
}

// ---- The end of a run ----------------------------------------------------

void CdocDoc::StopRun()
{
    SetState(DOC_STATE_STOPPED);
    if (m_graph.m_best)
        m_data.UpdateFits();
    m_control.SwitchOffAtStop();
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->StartSearch();
    CdocData& data = m_data;
    const int content = data.m_logType == ACTIVITY_SNAPSHOT ? CONTENT_READING
                        : data.m_logType == ACTIVITY_AUTOLOG ? CONTENT_ELAPSED_TIME
                                                             : CONTENT_NONE;
    CdocFieldKey key;
    if (content != CONTENT_NONE && data.m_records > 0 && data.m_fields.FindContent(key, 0, content)) {
        CdocField& field = *key.m_field;
        field.UpdateDataRange();
        if (field.m_dataRange.IsSet()) {
            field.m_cal = field.m_dataRange;
            field.m_def = field.m_dataRange;
            field.m_now = field.m_dataRange;
        }
        m_graph.ShareScales();
    }
    UpdateViews(HINT_RUN_STOPPED, nullptr);
}

// ---- Marks and snapshots -------------------------------------------------

void CdocDoc::Mark()
{
    if (!CanMark())
        return;
    int record = m_data.m_logNext - 1;
    if (record < 0 || record >= DOC_MAX_SAMPLES)
        return;
    m_data.m_marks[size_t(record)] = 1;
    ModifyAndUpdateViews(HINT_MARKED, &record);
}

void CdocDoc::RememberMark()
{
    if (CanMark())
        m_rememberedMark = m_data.m_logNext - 1;
}

void CdocDoc::MarkRemembered()
{
    if (!CanMark() || m_rememberedMark < 0 || m_rememberedMark >= m_data.m_logNext)
        return;
    int record = m_rememberedMark;
    m_rememberedMark = -1;
    if (record >= DOC_MAX_SAMPLES)
        return;
    m_data.m_marks[size_t(record)] = 1;
    ModifyAndUpdateViews(HINT_MARKED, &record);
}

void CdocDoc::ForgetMark()
{
    m_rememberedMark = -1;
}

int CdocDoc::Store()
{
    if (m_state != DOC_STATE_RUNNING)
        return DOC_RESULT_NOT_ALLOWED;
    if (m_activity == ACTIVITY_SNAPSHOT) {
        TakeSnapshot();
        return DOC_RESULT_DONE;
    }
    if (m_activity == ACTIVITY_SCOPE)
        return m_scope.Store();
    return DOC_RESULT_NOT_ALLOWED;
}

void CdocDoc::TakeSnapshot()
{
    int raw[DOC_RAW_VALUES];
    while (TakeReading(raw))
        m_data.SetCurrentValues(raw, false, false);
    // A full store takes no more: the user is told rather than the reading
    // silently dropped.
    if (m_data.m_logNext >= StoreLimit()) {
        zxMessageBox(_("The store is full: no more readings can be stored."));
        return;
    }
    m_data.StoreCurrentValues();
    m_control.UpdateOutputs();
    m_unsavedData = true;
    UpdateViews(HINT_NEW_DATA, nullptr);
}
