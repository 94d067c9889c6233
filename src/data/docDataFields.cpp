// Taking channels into use and out of use: the reading-number and elapsed-time
// channels, one channel per connected sensor, stored copies of sensor data,
// the standard order, manual and formula channels, and removals.
#include "app/base/gumResCore.h"
#include "data/docCalcs.h"
#include "data/docData.h"
#include "document/docDoc.h"
#include "document/docHint.h"
#include "transport/zxMessageBox.h"
#include "wizard/gudMatchTemplate.h"

#include <algorithm>
#include <vector>

namespace {

enum
{
    DIALOG_NEW_CHANNEL,
    DIALOG_CALC_CHANNEL,
    DIALOG_CALC_RESULT,
};

bool HasSensor(const CxhwSensor& sensor)
{
    return sensor.m_enable && sensor.m_idCode != 0;
}

} // namespace

void CdocData::ReleaseFormula(const CdocField& field)
{
    if (!m_doc)
        return;
    CdocCalcs& calcs = m_doc->m_calcs;
    while (CdocCalc* calc = calcs.FindByChannel(&field))
        calcs.RemoveAt(calcs.IndexOf(calc));
}

void CdocData::RemoveAtPosition(int position)
{
    if (position < 0 || position >= m_fields.m_count)
        return;
    ReleaseFormula(*m_fields.GetAt(position));
    m_fields.RemoveAt(position);
    PostChange(TABLE_COLS_DELETED, position, 1);
}

bool CdocData::AddFields(int n)
{
    if (m_fields.Add(n) < 0)
        return false;
    PostChange(TABLE_COLS_APPENDED, n, 0);
    return true;
}

bool CdocData::AddReadingField(bool reinitialise, bool shortRange)
{
    CdocFieldKey key;
    bool added = false;
    if (!m_fields.FindContent(key, 0, CONTENT_READING)) {
        const int position = m_fields.Add(1);
        if (position < 0)
            return false;
        key = CdocFieldKey(m_fields.GetAt(position)->m_key, position, m_fields.GetAt(position));
        added = true;
    }
    if (added || reinitialise) {
        const float top = shortRange ? 5.0f : 10.0f;
        key.m_field->InitReading(top, top, top);
    }
    if (added)
        PostChange(TABLE_COLS_INSERTED, key.m_index, 1);
    m_fields.Move(key.m_index, 0);
    UpdateViews(HINT_DATA_RESET, nullptr);
    return true;
}

bool CdocData::AddTimeField(bool reinitialise, bool shortAxis)
{
    CdocFieldKey key;
    bool added = false;
    if (!m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME)) {
        const int position = m_fields.Add(1);
        if (position < 0)
            return false;
        key = CdocFieldKey(m_fields.GetAt(position)->m_key, position, m_fields.GetAt(position));
        added = true;
    }
    if (added || reinitialise) {
        key.m_field->InitElapsedTime();
        const double duration = shortAxis ? 10.0 : (m_maxRecords - 1) * m_interval;
        key.m_field->SetTimeAxis(m_interval, duration);
    }
    if (added)
        PostChange(TABLE_COLS_INSERTED, key.m_index, 1);
    m_fields.Move(key.m_index, 0);
    UpdateViews(HINT_DATA_RESET, nullptr);
    return true;
}

bool CdocData::SyncSensorFields(bool force, bool presentOnly, int socketA, int socketB)
{
    if (!m_doc)
        return true;
    const CxutBoxPublicInfo& info = m_doc->m_boxInfo;
    return MatchSensorFields(force, presentOnly, &info.m_sensors[0], info.m_info.m_maxSensors, socketA, socketB);
}

bool CdocData::MatchSensorFields(bool force, bool presentOnly, const CxhwSensor* sensors, int count, int socketA,
                                 int socketB)
{
    // The input count comes from the logger: never more than the six inputs.
    count = sensors ? std::clamp(count, 0, DOC_RAW_VALUES) : 0;
    const bool matching = m_doc && m_doc->m_matchCode != 0;
    if (matching)
        gudRefreshSensorChannels(*this, sensors, count);
    for (int i = 0; i < count; ++i) {
        const CxhwSensor& sensor = sensors[i];
        CdocFieldKey key;
        const bool exists = m_fields.FindSensor(key, i);
        const bool wanted = HasSensor(sensor) && (socketA < 0 || i == socketA || i == socketB);
        if (presentOnly && !wanted) {
            if (exists)
                RemoveAtPosition(key.m_index);
            continue;
        }
        if (exists) {
            if (force || !key.m_field->IsSensorFor(i, sensor, 0)) {
                key.m_field->InitSensor(i, sensor);
                UpdateViews(HINT_CHANNEL_LAYOUT, nullptr);
            }
            continue;
        }
        const int position = m_fields.Add(1);
        if (position < 0)
            continue; // no free channel: the input is passed over
        m_fields.GetAt(position)->InitSensor(i, sensor);
        PostChange(TABLE_COLS_INSERTED, position, 1);
    }
    for (int i = count; i < DOC_RAW_VALUES; ++i) {
        CdocFieldKey key;
        while (m_fields.FindSensor(key, i))
            RemoveAtPosition(key.m_index);
    }
    if (matching)
        SortFields();
    return true;
}

void CdocData::SyncSensorFieldsAndClear(int socketA, int socketB)
{
    SyncSensorFields(false, true, socketA, socketB);
    for (int i = m_fields.m_count - 1; i >= 0; --i)
        if (m_fields.GetAt(i)->m_content == CONTENT_SENSOR)
            m_fields.GetAt(i)->ClearProcessing();
}

void CdocData::MatchSensorFieldsAndClear(const CxhwSensor* sensors, int count, int socketA, int socketB)
{
    MatchSensorFields(false, true, sensors, count, socketA, socketB);
    for (int i = m_fields.m_count - 1; i >= 0; --i)
        if (m_fields.GetAt(i)->m_content == CONTENT_SENSOR)
            m_fields.GetAt(i)->ClearProcessing();
}

bool CdocData::CanKeepSensorData() const
{
    int withData = 0;
    for (int i = 0; i < m_fields.m_count; ++i) {
        const CdocField& field = *m_fields.GetAt(i);
        if (field.m_content == CONTENT_SENSOR && field.HasData())
            ++withData;
    }
    return m_fields.m_count + withData <= DOC_MAX_FIELDS;
}

bool CdocData::KeepSensorData()
{
    const int count = m_fields.m_count;
    std::vector<int> keys;
    int first = -1;
    for (int i = 0; i < count; ++i) {
        const CdocField& field = *m_fields.GetAt(i);
        if (field.m_content != CONTENT_SENSOR)
            continue;
        if (first < 0)
            first = i;
        if (field.HasData())
            keys.push_back(field.m_key);
    }
    if (count + int(keys.size()) > DOC_MAX_FIELDS)
        return false;
    int insertAt = count == 0 ? 0 : std::clamp(first < 0 ? 1 : first, 0, count - 1);
    for (int key : keys) {
        CdocFieldKey sourceKey(key, -1, nullptr);
        CdocField* source = m_fields.Find(sourceKey);
        const int position = m_fields.Add(1);
        if (!source || position < 0)
            continue;
        CdocField* copy = m_fields.GetAt(position);
        source->CopyTo(*copy);
        copy->m_content = CONTENT_STORED_SENSOR;
        docSetDefaultColour(*source);
        PostChange(TABLE_COLS_INSERTED, position, 1);
        m_fields.Move(position, insertAt);
        ++insertAt;
        source->ClearProcessing();
    }
    UpdateViews(HINT_DATA_RESET, nullptr);
    return true;
}

bool CdocData::SortFields()
{
    int moved = 0;
    CdocFieldKey key;
    if (m_fields.FindContent(key, 0, CONTENT_READING))
        m_fields.Move(key.m_index, moved++);
    if (m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        m_fields.Move(key.m_index, moved++);
    const int count = m_fields.m_count;
    int at = m_fields.FindContent(key, 0, CONTENT_SENSOR) ? key.m_index : moved;
    at = count == 0 ? 0 : std::clamp(at, 0, count - 1);
    for (int input = 0; input < DOC_RAW_VALUES; ++input) {
        if (!m_fields.FindSensor(key, input))
            continue;
        m_fields.Move(key.m_index, at);
        at = std::min(at + 1, std::max(count - 1, 0));
    }
    UpdateViews(HINT_DATA_RESET, nullptr);
    return true;
}

bool CdocData::AddManualField(CdocFieldKey* out)
{
    const int position = m_fields.Add(1);
    if (position < 0)
        return false;
    CdocField* field = m_fields.GetAt(position);
    field->InitManual();
    PostChange(TABLE_COLS_INSERTED, position, 1);
    if (out)
        *out = CdocFieldKey(field->m_key, position, field);
    return true;
}

bool CdocData::AddFormulaField(CdocFieldKey* out)
{
    if (!m_doc)
        return false;
    const int position = m_fields.Add(1);
    if (position < 0)
        return false;
    CdocField* field = m_fields.GetAt(position);
    field->InitFormula();
    PostChange(TABLE_COLS_INSERTED, position, 1);
    CdocCalcs& calcs = m_doc->m_calcs;
    const int index = calcs.Add(1);
    if (index < 0) {
        RemoveAtPosition(position);
        return false;
    }
    // The formula taken into use is the channel's own, so that each formula
    // channel holds one formula of the set.
    calcs.GetAt(index)->m_field = CdocFieldKey(field->m_key, position, field);
    calcs.RenumberOrder();
    if (out)
        *out = CdocFieldKey(field->m_key, position, field);
    return true;
}

bool CdocData::ConfirmNewField(CdocFieldKey& key, CdocFieldKey* out, int dialog)
{
    bool ok = true;
    if (m_doc) {
        if (dialog == DIALOG_NEW_CHANNEL)
            ok = m_doc->ShowNewChannelDetails(key, 0);
        else if (dialog == DIALOG_CALC_CHANNEL)
            ok = m_doc->ShowCalcChannelDetails(key, 0);
        else
            ok = m_doc->ShowCalcResultDetails(key, 0);
    }
    CdocField* field = m_fields.Find(key);
    if (ok && field) {
        field->ResetZoom();
        if (out)
            *out = key;
        return true;
    }
    if (field) {
        // The formula of a cancelled formula channel goes back to the set.
        RemoveAtPosition(key.m_index);
        ModifyAndUpdateViews(HINT_CHANNEL_REMOVED, nullptr);
    }
    return false;
}

bool CdocData::NewManualField(CdocFieldKey* out)
{
    CdocFieldKey key;
    if (!AddManualField(&key)) {
        zxMessageBox(gumGetString(692));
        return false;
    }
    AssignColours();
    ModifyAndUpdateViews(HINT_CHANNEL_ADDED, nullptr);
    return ConfirmNewField(key, out, DIALOG_NEW_CHANNEL);
}

bool CdocData::NewFormulaField(CdocFieldKey* out, bool lastStep)
{
    CdocFieldKey key;
    if (!AddFormulaField(&key)) {
        zxMessageBox(gumGetString(692));
        return false;
    }
    AssignColours();
    ModifyAndUpdateViews(HINT_CHANNEL_ADDED, nullptr);
    return ConfirmNewField(key, out, lastStep ? DIALOG_CALC_RESULT : DIALOG_CALC_CHANNEL);
}

void CdocData::RemoveField(CdocFieldKey key)
{
    if (m_fields.Find(key))
        RemoveAtPosition(key.m_index);
}

bool CdocData::DeleteField(CdocFieldKey key)
{
    CdocField* field = m_fields.Find(key);
    if (!field)
        return false;
    const bool used = m_doc && m_doc->m_calcs.IsFieldUsed(field);
    ReleaseFormula(*field);
    m_fields.RemoveAt(key.m_index);
    if (m_doc)
        m_doc->m_annotations.RemoveOrphans();
    if (used)
        m_doc->m_calcs.RecalculateAll();
    if (m_doc)
        m_doc->m_graph.ShareScales();
    ModifyAndUpdateViews(HINT_CHANNEL_REMOVED, nullptr);
    return true;
}

void CdocData::RemoveReadingField()
{
    CdocFieldKey key;
    if (m_fields.FindContent(key, 0, CONTENT_READING))
        RemoveAtPosition(key.m_index);
}

void CdocData::RemoveTimeField()
{
    CdocFieldKey key;
    if (m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        RemoveAtPosition(key.m_index);
}

void CdocData::RemoveFieldsOfContent(int content)
{
    for (int i = m_fields.m_count - 1; i >= 0; --i)
        if (m_fields.GetAt(i)->m_content == content)
            RemoveAtPosition(i);
}

void CdocData::RemoveDerivedFields()
{
    for (int i = m_fields.m_count - 1; i >= 0; --i) {
        const int content = m_fields.GetAt(i)->m_content;
        if (content != CONTENT_READING && content != CONTENT_ELAPSED_TIME && content != CONTENT_SENSOR &&
            content != CONTENT_TIMING)
            RemoveAtPosition(i);
    }
}

void CdocData::RemoveAllFields()
{
    const int old = m_fields.m_count;
    if (old == 0)
        return;
    for (int i = 0; i < old; ++i)
        ReleaseFormula(*m_fields.GetAt(i));
    m_fields.Clear();
    PostChange(TABLE_COLS_DELETED, 0, old);
}
