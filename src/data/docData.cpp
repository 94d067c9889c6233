#include "data/docData.h"

#include "data/docCalcs.h"
#include "document/docDoc.h"
#include "document/docHint.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The interval of a new store: 0.1 as a single-precision value.
constexpr double kDefaultInterval = double(0.1f);

// A sample of a channel, or no value for an index outside the arrays.
float SampleAt(const CdocField& field, int i)
{
    return i >= 0 && i < DOC_MAX_SAMPLES ? field.m_samples[i] : DOC_NO_VALUE;
}

float Scaled(const CdocField& field, float value)
{
    if (docIsNoValue(value))
        return DOC_NO_VALUE;
    return docFiniteOrNoValue(value * field.m_gain + field.m_offset);
}

} // namespace

CdocData::CdocData()
    : m_interval(kDefaultInterval), m_startMoment(wxDateTime::Now()), m_logPeriod(kDefaultInterval)
{
}

CdocData::~CdocData() = default;

void CdocData::UpdateViews(int hint, void* data)
{
    if (m_doc)
        m_doc->UpdateViews(hint, data);
}

void CdocData::ModifyAndUpdateViews(int hint, void* data)
{
    if (m_doc)
        m_doc->ModifyAndUpdateViews(hint, data);
}

void CdocData::PostChange(int id, int a, int b)
{
    CdocTableMessage message{id, a, b};
    UpdateViews(HINT_TABLE_MESSAGE, &message);
}

void CdocData::Clear()
{
    m_maxRecords = 1001;
    m_interval = kDefaultInterval;
    m_marks.fill(0);
    if (m_records != 0) {
        const int old = m_records;
        m_records = 0;
        PostChange(TABLE_ROWS_DELETED, 0, old);
    }
    if (m_fields.m_count > 0) {
        const int old = m_fields.m_count;
        for (int i = 0; i < old; ++i)
            ReleaseFormula(*m_fields.GetAt(i));
        m_fields.Clear();
        PostChange(TABLE_COLS_DELETED, 0, old);
    }
}

void CdocData::UpdateLogSkip()
{
    // An interval that is not a positive number is read as none.
    if (!(m_interval > 0.0) || !std::isfinite(m_interval)) {
        m_logSkip = 1;
        m_logPeriod = 0.1;
    } else if (m_interval < 0.5) {
        m_logSkip = 1;
        m_logPeriod = m_interval;
    } else {
        const double skip = std::floor(double(float(m_interval) / 0.1f + 0.5f));
        m_logSkip = int(std::clamp(skip, 1.0, double(INT_MAX / 2)));
        m_logPeriod = 0.1;
    }
}

void CdocData::SetRecords(int n)
{
    n = std::clamp(n, 0, DOC_MAX_SAMPLES);
    const int old = m_records;
    if (n == old)
        return;
    m_records = n;
    if (n < old)
        PostChange(TABLE_ROWS_DELETED, n, old - n);
    else
        PostChange(TABLE_ROWS_APPENDED, n - old, 0);
}

bool CdocData::HasMarks() const
{
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    return std::any_of(m_marks.begin(), m_marks.begin() + records, [](uint8_t mark) { return mark != 0; });
}

bool CdocData::IsDocReady() const
{
    return m_doc && m_doc->m_state == DOC_STATE_READY;
}

float CdocData::TimeValue(const CdocField& field, int n) const
{
    if (field.m_content == CONTENT_READING) {
        const bool counting = m_doc && m_doc->m_state > DOC_STATE_READY;
        return counting ? float(double(n) + 1.0) : 0.0f;
    }
    if (n == 0)
        return 0.0f;
    if (m_logCount != 0)
        return float(m_interval * (n - 1) + m_logCount * m_logPeriod);
    return float(m_interval * n);
}

void CdocData::SetSensorCurrent(CdocField& field, const int raw[DOC_RAW_VALUES], bool restartCounters)
{
    const int input = field.m_socket;
    if (input < 0 || input >= DOC_RAW_VALUES) {
        field.m_current = DOC_NO_VALUE;
        return;
    }
    const int r = raw[input];
    const CxhwSensor& sensor = field.m_fieldSensor;
    if (!sensor.IsCounter()) {
        field.m_current = Scaled(field, sensor.Convert(r));
        return;
    }
    // A raw count outside 0..0xFFFF is no new count.
    if (r >= 0 && r < 0x10000) {
        if (IsDocReady()) {
            // While ready the count is shown modulo the calibration maximum;
            // a maximum that rounds below 1 gives no modulus.
            const double top = std::floor(double(sensor.m_calib.m_calMax) + 0.5);
            field.m_counter = top >= 1.0 && top <= double(INT_MAX) ? r % int(top) : r;
        } else if (restartCounters || field.m_counter < 0 || field.m_counter >= 0x10000) {
            field.m_counter = r;
        } else {
            field.m_counter += r;
        }
    }
    const int counter = field.m_counter;
    field.m_current = counter >= 0 && counter <= 0xFFFF ? Scaled(field, float(counter)) : DOC_NO_VALUE;
}

bool CdocData::SetCurrentValues(const int raw[DOC_RAW_VALUES], bool store, bool restartCounters)
{
    const int n = m_logNext;
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    for (int i = 0; i < m_fields.m_count; ++i) {
        CdocField& field = *m_fields.GetAt(i);
        switch (field.m_content) {
        case CONTENT_READING:
        case CONTENT_ELAPSED_TIME:
            field.m_current = Scaled(field, TimeValue(field, n));
            break;
        case CONTENT_SENSOR:
            SetSensorCurrent(field, raw, restartCounters);
            break;
        case CONTENT_MANUAL:
            if (n >= records) {
                field.m_current = field.m_manual;
            } else {
                const float x = SampleAt(field, n);
                if (!docIsNoValue(x))
                    field.m_current = x;
                else
                    field.m_current = field.m_manualLogOverNull ? field.m_manual : DOC_NO_VALUE;
            }
            break;
        case CONTENT_TIMING:
            break;
        default:
            if (field.m_content > CONTENT_STORED_TIMING)
                break; // formula channels: set by the formulas below
            field.m_current = n < records ? SampleAt(field, n) : DOC_NO_VALUE;
            break;
        }
    }
    if (m_doc)
        m_doc->m_calcs.CalculateLatest();
    return !store || StoreCurrentValues();
}

bool CdocData::StoreCurrentValues()
{
    const int n = m_logNext;
    // Past the 20001 samples of a channel nothing is written: the caller is told.
    if (n < 0 || n >= DOC_MAX_SAMPLES)
        return false;
    m_records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    if (m_doc)
        m_doc->m_calcs.KeepPrevious();
    for (int i = 0; i < m_fields.m_count; ++i) {
        CdocField& field = *m_fields.GetAt(i);
        const float x = docFiniteOrNoValue(field.m_current);
        field.m_samples[n] = x;
        field.m_unsmoothed[n] = x;
        field.m_dataRange.Extend(x);
    }
    while (n >= m_records) {
        ++m_records;
        PostChange(TABLE_ROWS_APPENDED, 1, 0);
    }
    m_logNext = n + 1;
    int row = n;
    ModifyAndUpdateViews(HINT_SAMPLE_UPDATED, &row);
    if (m_doc)
        m_doc->RequestAutoScroll(n);
    return true;
}

void CdocData::InitCurrentValues()
{
    const int n = m_logNext;
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    for (int i = 0; i < m_fields.m_count; ++i) {
        CdocField& field = *m_fields.GetAt(i);
        switch (field.m_content) {
        case CONTENT_READING:
        case CONTENT_ELAPSED_TIME:
            field.m_current = Scaled(field, TimeValue(field, n));
            break;
        case CONTENT_SENSOR:
            field.m_counter = 0x20000;
            field.m_current = DOC_NO_VALUE;
            break;
        case CONTENT_MANUAL: {
            const bool hasData = field.HasData();
            field.m_manualLogOverNull = !hasData;
            const float x = SampleAt(field, n);
            field.m_current = n < records && (!docIsNoValue(x) || hasData) ? x : field.m_manual;
            break;
        }
        case CONTENT_TIMING:
            break;
        default:
            if (field.m_content > CONTENT_STORED_TIMING)
                break;
            field.m_current = n < records ? SampleAt(field, n) : DOC_NO_VALUE;
            break;
        }
    }
    if (m_doc)
        m_doc->m_calcs.StartRun();
}
