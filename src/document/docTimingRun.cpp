// Timing runs: their start routines, the channels that show the results,
// the copies an overlaid run keeps of the earlier results, and the running
// value texts of timing channels.
#include "document/docTiming.h"

#include "app/base/gumResCore.h"
#include "data/docNoValue.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"
#include "wizard/gudMatchTemplate.h"

#include <algorithm>
#include <vector>
#include <wx/intl.h>

namespace {

constexpr int STRING_IDLE = 2448;
constexpr int STRING_NO_ROOM_FOR_COPIES = 872;

bool ManualTimes(const CxhwSetup& setup)
{
    return setup.m_manualCalculation && setup.m_measurement != MEASUREMENT_TIME_DIFFERENCE &&
           setup.m_measurement != MEASUREMENT_SHM_PERIOD;
}

bool IsResultContent(int content)
{
    return content == CONTENT_SENSOR || content == CONTENT_TIMING;
}

} // namespace

// ---- Channels ------------------------------------------------------------

bool CdocTiming::PrepareChannels(bool force)
{
    if (!m_doc)
        return false;
    const CxhwSetup& setup = m_doc->m_setup;
    if (!ManualTimes(setup))
        return PrepareSensorChannels(force);
    m_doc->m_data.RemoveFieldsOfContent(CONTENT_SENSOR);
    switch (setup.m_measurement) {
    case MEASUREMENT_SPEED:
    case MEASUREMENT_VELOCITY:
    case MEASUREMENT_KINETIC_ENERGY:
    case MEASUREMENT_MOMENTUM: return PrepareTimingChannel(0, force);
    case MEASUREMENT_ACCELERATION:
        for (int n = 0; n < 3; ++n)
            if (!PrepareTimingChannel(n, force))
                return false;
        return true;
    default: return true;
    }
}

bool CdocTiming::PrepareTimingChannel(int result, bool force)
{
    if (!m_doc)
        return false;
    CdocData& data = m_doc->m_data;
    CdocFieldKey key;
    if (data.m_fields.FindTiming(key, result)) {
        if (force)
            key.m_field->InitTiming(result);
        return true;
    }
    const int position = data.m_fields.Add(1);
    if (position < 0)
        return false;
    data.m_fields.GetAt(position)->InitTiming(result);
    data.PostChange(TABLE_COLS_INSERTED, position, 1);
    return true;
}

bool CdocTiming::PrepareSensorChannels(bool force)
{
    if (!m_doc)
        return false;
    CdocDoc& doc = *m_doc;
    CdocData& data = doc.m_data;
    const CxutBoxPublicInfo& info = doc.m_boxInfo;
    // The input count comes from the logger.
    const int inputs = std::clamp(int(info.m_info.m_maxSensors), 0, 6);
    if (doc.m_matchCode != 0)
        gudRefreshSensorChannels(data, &info.m_sensors[0], inputs);
    const int measurement = doc.m_setup.m_measurement;
    int i = 0;
    for (; i < inputs; ++i) {
        const int bit = 1 << i;
        const CxhwSensor& sensor = info.m_sensors[i];
        CdocFieldKey key;
        const bool exists = data.m_fields.FindSensor(key, i);
        if ((info.m_boxTimingIdentify & bit) == 0) {
            if (exists)
                data.RemoveField(key);
            continue;
        }
        if (exists) {
            if (force || !key.m_field->IsSensorFor(i, sensor, measurement)) {
                key.m_field->InitSensorSpecial(i, sensor, measurement);
                doc.UpdateViews(HINT_CHANNEL_LAYOUT, nullptr);
            }
        } else {
            const int position = data.m_fields.Add(1);
            if (position < 0)
                return false;
            data.m_fields.GetAt(position)->InitSensorSpecial(i, sensor, measurement);
            data.PostChange(TABLE_COLS_INSERTED, position, 1);
        }
        m_singleSocket = i;
        m_singleBit = bit;
        if (doc.m_setup.m_timingSensor == TIMING_SENSOR_FROM_TO) {
            ++i;
            break;
        }
    }
    for (; i < 6; ++i) {
        CdocFieldKey key;
        while (data.m_fields.FindSensor(key, i))
            data.RemoveField(key);
    }
    if (doc.m_matchCode != 0)
        data.SortFields();
    return true;
}

bool CdocTiming::KeepResultData()
{
    if (!m_doc)
        return false;
    CdocData& data = m_doc->m_data;
    CdocFieldV& fields = data.m_fields;
    const int n = fields.GetCount();
    int k = 0;
    int p = -1;
    for (int i = 0; i < n; ++i) {
        const CdocField& field = *fields.GetAt(i);
        if (!IsResultContent(field.m_content))
            continue;
        if (p < 0)
            p = i;
        if (field.HasData())
            ++k;
    }
    if (n + k > DOC_MAX_FIELDS)
        return false;
    p = n == 0 ? 0 : std::clamp(p < 0 ? 1 : p, 0, n - 1);
    // The sources by key: copies move the positions.
    std::vector<int> sources;
    const int inputs = std::clamp(int(m_doc->m_boxInfo.m_info.m_maxSensors), 0, 6);
    for (int i = 0; i < inputs; ++i) {
        CdocFieldKey key;
        if (fields.FindSensor(key, i) && key.m_field->HasData())
            sources.push_back(key.m_field->m_key);
    }
    for (int r = 0; r < 3; ++r) {
        CdocFieldKey key;
        if (fields.FindTiming(key, r) && key.m_field->HasData())
            sources.push_back(key.m_field->m_key);
    }
    for (int sourceKey : sources) {
        CdocFieldKey key(sourceKey, -1, nullptr);
        CdocField* source = fields.Find(key);
        const int position = fields.Add(1);
        if (!source || position < 0)
            continue;
        CdocField* copy = fields.GetAt(position);
        source->CopyTo(*copy);
        copy->m_content = source->m_content == CONTENT_SENSOR ? CONTENT_STORED_SENSOR : CONTENT_STORED_TIMING;
        docSetDefaultColour(*source);
        data.PostChange(TABLE_COLS_INSERTED, position, 1);
        fields.Move(position, p);
        ++p;
        source->ClearProcessing();
    }
    m_doc->UpdateViews(HINT_DATA_RESET, nullptr);
    return true;
}

void CdocTiming::InitCurrentValues()
{
    if (!m_doc)
        return;
    CdocData& data = m_doc->m_data;
    const int n = data.m_logNext;
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    const bool stored = n >= 0 && n < records;
    for (int i = 0; i < data.m_fields.GetCount(); ++i) {
        CdocField& field = *data.m_fields.GetAt(i);
        switch (field.m_content) {
        case CONTENT_READING: field.m_current = field.m_gain * float(n + 1) + field.m_offset; break;
        case CONTENT_ELAPSED_TIME:
            field.m_current = field.m_gain * float(m_elapsedTime) + field.m_offset;
            break;
        case CONTENT_MANUAL: {
            const bool hasData = field.HasData();
            field.m_manualLogOverNull = !hasData;
            if (stored && (hasData || !docIsNoValue(field.m_samples[n])))
                field.m_current = field.m_samples[n];
            else
                field.m_current = field.m_manual;
            break;
        }
        case CONTENT_SENSOR:
        case CONTENT_TIMING: field.m_current = DOC_NO_VALUE; break;
        default: field.m_current = stored ? field.m_samples[n] : DOC_NO_VALUE; break;
        }
    }
    m_doc->m_calcs.StartRun();
}

bool CdocTiming::RefreshChannels()
{
    PrepareChannels(false);
    if (!m_doc)
        return true;
    CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = fields.GetCount() - 1; i >= 0; --i)
        if (IsResultContent(fields.GetAt(i)->m_content))
            fields.GetAt(i)->ClearProcessing();
    return true;
}

// ---- Start routines ------------------------------------------------------

void CdocTiming::PrepareStore()
{
    m_doc->PrepareIndexStore(kRecords, true, true);
}

int CdocTiming::ResetRun()
{
    if (!m_doc || m_doc->m_data.m_records > 0)
        return DOC_RESULT_DONE;
    CdocDoc& doc = *m_doc;
    Reset();
    PrepareStore();
    PrepareChannels(false);
    doc.m_data.AssignColours();
    doc.m_graph.m_lines = false;
    doc.m_graph.m_points = false;
    doc.m_graph.m_bars = true;
    doc.m_graph.m_best = false;
    doc.m_graph.ChooseRunAxes();
    doc.m_graph.DoDefaultZoom();
    doc.UpdateViews(HINT_RUN_RESET, nullptr);
    return DOC_RESULT_DONE;
}

int CdocTiming::StartNew()
{
    if (!m_doc)
        return DOC_RESULT_DONE;
    CdocDoc& doc = *m_doc;
    if (doc.m_data.m_records > 0)
        return doc.IsOverlayActive() ? StartOverlaid() : StartReplacing();
    Reset();
    PrepareStore();
    doc.SetLogType(ACTIVITY_TIMING);
    PrepareChannels(false);
    doc.m_data.AssignColours();
    InitCurrentValues();
    doc.m_graph.m_best = false;
    doc.m_graph.m_bars = true;
    doc.m_graph.m_lines = false;
    doc.m_graph.m_points = false;
    doc.m_graph.ChooseRunAxes();
    doc.m_graph.DoDefaultZoom();
    return FinishStart();
}

int CdocTiming::StartOverlaid()
{
    if (!m_doc)
        return DOC_RESULT_DONE;
    CdocDoc& doc = *m_doc;
    if (doc.m_data.m_records < 1)
        return StartNew();
    Reset();
    doc.PrepareIndexStore(kRecords, false, true);
    doc.ResetOverlayStore();
    if (!KeepResultData()) {
        zxMessageBox(gumGetString(STRING_NO_ROOM_FOR_COPIES));
        return DOC_RESULT_CANNOT_KEEP;
    }
    PrepareChannels(false);
    doc.m_data.AssignColours();
    InitCurrentValues();
    doc.m_graph.m_best = false;
    doc.m_graph.CompleteAxes();
    return FinishStart();
}

int CdocTiming::StartReplacing()
{
    if (!m_doc)
        return DOC_RESULT_DONE;
    CdocDoc& doc = *m_doc;
    if (doc.m_data.m_records < 1)
        return StartNew();
    if (!doc.ConfirmDiscard(wxString(), false))
        return DOC_RESULT_REFUSED;
    Reset();
    doc.PrepareIndexStore(kRecords, false, true);
    doc.ResetReplaceStore();
    RefreshChannels();
    PrepareChannels(false);
    doc.m_data.AssignColours();
    InitCurrentValues();
    doc.m_graph.m_best = false;
    doc.m_graph.CompleteAxes();
    doc.m_graph.DoDefaultZoom();
    return FinishStart();
}

int CdocTiming::StartContinue()
{
    if (!m_doc)
        return DOC_RESULT_DONE;
    if (m_doc->m_data.m_records < 1)
        return StartNew();
    return m_doc->IsOverlayActive() ? StartOverlaid() : StartReplacing();
}

int CdocTiming::FinishStart()
{
    CdocDoc& doc = *m_doc;
    doc.SetState(DOC_STATE_RUNNING);
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->StartTiming();
    doc.UpdateViews(HINT_RUN_STARTED, nullptr);
    doc.SetAutoScroll(doc.m_data.m_logNext);
    if (doc.m_matchCode == START_CODE_PREPARE)
        doc.StopRun();
    return DOC_RESULT_DONE;
}

// ---- Value texts ---------------------------------------------------------

bool CdocTiming::GetValueText(const CdocFieldHdr& channel, float& value, wxString& text, wxString& unit) const
{
    if (channel.m_content == CONTENT_TIMING) {
        const CdocTimer* timer = m_timers.FindLastUnfinished();
        if (!timer)
            return false;
        double times[3];
        GetTimes(timer, times[0], times[1], times[2]);
        const int n = channel.m_socket;
        const double t = n >= 0 && n < 3 ? times[n] : -1.0;
        if (t >= 0.0) {
            value = float(t);
            text = wxString::Format("%.2f", value);
        } else {
            value = DOC_NO_VALUE;
            text = gumGetString(STRING_IDLE);
        }
        unit = channel.m_unit;
        return true;
    }
    if (channel.m_content != CONTENT_SENSOR)
        return false;
    const bool fromTo = m_doc && m_doc->m_setup.m_timingSensor == TIMING_SENSOR_FROM_TO;
    const CdocTimer* timer =
        fromTo ? m_timers.FindLastUnfinished() : m_timers.FindLastUnfinishedForKey(channel.m_socket);
    if (!timer)
        return false;
    if (timer->IsComplete(*this)) {
        value = CalculateResult(timer);
        text = channel.GetValueText(-1, value);
        unit = channel.m_unit;
        return true;
    }
    value = float(TicksToSeconds(timer->m_elapsedTicks + timer->m_pendingTicks));
    text = wxString::Format("%.2f", value);
    unit = _("s");
    return true;
}
