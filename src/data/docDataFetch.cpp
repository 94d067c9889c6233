// The data store's part of a fetch: the store prepared for a logger's stored
// file, set up from the file's header, and the file's readings stored.
#include "data/docCalcs.h"
#include "data/docData.h"
#include "document/docDoc.h"
#include "document/docHint.h"
#include "hardware/xhwBoxTypes.h"
#include "protocol/xutFetchHeader.h"

#include <algorithm>

namespace {

// The interval of a store without a header yet: 0.1 as a single-precision value.
constexpr double kFetchInterval = double(0.1f);

float Scaled(const CdocField& field, float value)
{
    if (docIsNoValue(value))
        return DOC_NO_VALUE;
    return docFiniteOrNoValue(value * field.m_gain + field.m_offset);
}

// A stored sample, or no value outside what the store holds.
float StoredAt(const CdocField& field, int n, int records)
{
    return n < records ? field.m_samples[n] : DOC_NO_VALUE;
}

} // namespace

int CdocData::FetchDataSource() const
{
    const bool simulated = m_doc && m_doc->m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED;
    return simulated ? DATA_SOURCE_SIMULATOR : DATA_SOURCE_FETCHED;
}

bool CdocData::ResetForFetch()
{
    m_logNext = 0;
    m_logType = 0;
    SetStartNow();
    m_dataSource = FetchDataSource();
    m_marks.fill(0);
    SetRecords(0);
    m_maxRecords = 1001;
    m_interval = kFetchInterval;
    UpdateLogSkip();
    m_logCount = 0;
    RemoveTimeField();
    AddReadingField(true, true);
    MatchSensorFields(false, true, nullptr, 0, -1, -1);
    AssignColours();
    UpdateViews(HINT_CHANNELS_RESET, nullptr);
    return true;
}

bool CdocData::SetupFromFetchHeader(const CxutFetchHeader& header)
{
    m_logNext = 0;
    m_logType = header.m_kind;
    SetStartDateTime(header.m_date, header.m_time);
    m_dataSource = FetchDataSource();
    SetRecords(0);
    // A file never holds more readings than a channel, nor none at all.
    const int records = std::clamp(int(header.m_readings), 1, DOC_MAX_SAMPLES);
    const CxhwSenCalib& index = header.m_indexSensor.m_calib;
    CdocFieldKey key;
    switch (m_logType) {
    case ACTIVITY_AUTOLOG:
    case ACTIVITY_PERIODIC:
        m_interval = header.m_interval;
        m_maxRecords = records;
        UpdateLogSkip();
        RemoveReadingField();
        AddTimeField(true, false);
        if (header.m_indexFlag && m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
            key.m_field->m_name = index.m_name;
        break;
    case ACTIVITY_SNAPSHOT:
    case ACTIVITY_TIMING:
        m_interval = 0.0;
        m_maxRecords = records;
        UpdateLogSkip();
        RemoveTimeField();
        AddReadingField(true, m_logType == ACTIVITY_SNAPSHOT);
        if (header.m_indexFlag && m_fields.FindContent(key, 0, CONTENT_READING)) {
            key.m_field->m_name = index.m_name;
            key.m_field->m_unit = index.m_units;
            key.m_field->m_places = index.m_places;
        }
        break;
    default:
        break;
    }
    const int inputs = m_doc ? m_doc->m_boxInfo.m_info.m_maxSensors : CxhwSensorV::kCount;
    MatchSensorFields(true, true, &header.m_sensors[0], inputs, -1, -1);
    AssignColours();
    UpdateViews(HINT_CHANNELS_RESET, nullptr);
    return true;
}

bool CdocData::AddFetchedReading(const float values[DOC_RAW_VALUES])
{
    const int n = m_logNext;
    if (n < 0 || n >= DOC_MAX_SAMPLES)
        return false;
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    for (int i = 0; i < m_fields.m_count; ++i) {
        CdocField& field = *m_fields.GetAt(i);
        switch (field.m_content) {
        case CONTENT_READING:
            field.m_current = Scaled(field, float(n + 1));
            break;
        case CONTENT_ELAPSED_TIME:
            field.m_current = Scaled(field, float(m_interval * n));
            break;
        case CONTENT_SENSOR: {
            const int input = field.m_socket;
            const bool valid = input >= 0 && input < DOC_RAW_VALUES;
            field.m_current = valid ? Scaled(field, values[input]) : DOC_NO_VALUE;
            break;
        }
        case CONTENT_MANUAL:
            field.m_current = n < records ? field.m_samples[n] : field.m_manual;
            break;
        case CONTENT_TIMING:
        case CONTENT_NONE:
            break;
        default:
            if (field.m_content >= CONTENT_FORMULA)
                break; // set by the formulas below
            field.m_current = StoredAt(field, n, records);
            break;
        }
    }
    if (m_doc)
        m_doc->m_calcs.CalculateLatest();
    return StoreCurrentValues();
}
