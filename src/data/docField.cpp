#include "data/docField.h"

#include "data/docData.h"
#include "document/docDoc.h"

#include <algorithm>
#include <climits>

namespace {

int g_nextFieldKey = 1;

} // namespace

int docTakeFieldKey()
{
    if (g_nextFieldKey == 0)
        g_nextFieldKey = 1;
    const int key = g_nextFieldKey;
    // Wraps from the largest int to the smallest without signed overflow, and
    // passes from -1 to 1: 0 is never given.
    if (key == INT_MAX)
        g_nextFieldKey = INT_MIN;
    else if (key == -1)
        g_nextFieldKey = 1;
    else
        g_nextFieldKey = key + 1;
    return key;
}

int docPeekFieldKey()
{
    return g_nextFieldKey == 0 ? 1 : g_nextFieldKey;
}

void docSetFieldKeyCounter(int next)
{
    g_nextFieldKey = next == 0 ? 1 : next;
}

CdocField::CdocField()
{
    CdocFieldHdr::Clear();
    ClearSampleData();
}

int CdocField::GetRecordCount() const
{
    if (!m_doc)
        return 0;
    return std::clamp(m_doc->m_data.m_records, 0, DOC_MAX_SAMPLES);
}

void CdocField::ClearSampleData()
{
    m_counter = 0x20000;
    m_current = 0.0f;
    std::fill(std::begin(m_samples), std::end(m_samples), DOC_NO_VALUE);
    std::fill(std::begin(m_unsmoothed), std::end(m_unsmoothed), DOC_NO_VALUE);
    m_dataRange.Unset();
}

void CdocField::Clear()
{
    CdocFieldHdr::Clear();
    ClearSampleData();
}

void CdocField::InitEmpty()
{
    Clear();
    m_show = true;
    m_content = CONTENT_NONE;
    m_colour = CdocColour();
    ClearSampleData();
}

void CdocField::InitReading(float calMax, float defMax, float nowMax)
{
    CdocFieldHdr::InitReading(calMax, defMax, nowMax);
    m_counter = 0x20000;
    m_current = 0.0f;
    for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
        m_samples[i] = m_unsmoothed[i] = float(i + 1);
    m_dataRange.Unset();
}

void CdocField::InitElapsedTime()
{
    CdocFieldHdr::InitElapsedTime();
    m_counter = 0x20000;
    m_current = 0.0f;
    for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
        m_samples[i] = m_unsmoothed[i] = float(i * 0.1);
    m_dataRange.Unset();
}

void CdocField::InitSensorNone()
{
    Clear();
    m_show = true;
    m_content = CONTENT_SENSOR;
    m_colour = CdocColour();
    ClearSampleData();
}

void CdocField::InitSensor(int input, const CxhwSensor& sensor)
{
    CdocFieldHdr::InitSensor(input, sensor);
    ClearSampleData();
}

void CdocField::InitSensorSpecial(int input, const CxhwSensor& sensor, int kind)
{
    CdocFieldHdr::InitSensorSpecial(input, sensor, kind);
    ClearSampleData();
}

void CdocField::InitManual()
{
    CdocFieldHdr::InitManual();
    ClearSampleData();
}

void CdocField::InitFormula()
{
    CdocFieldHdr::InitFormula();
    ClearSampleData();
}

void CdocField::ClearProcessing()
{
    CdocFieldHdr::ClearProcessing();
    ClearSampleData();
}

void CdocField::InitTiming(int result)
{
    CdocFieldHdr::InitTiming(result);
    ClearSampleData();
}

void CdocField::RefreshSensor(int input, const CxhwSensor& sensor, bool special, bool keep)
{
    CdocFieldHdr::RefreshSensor(input, sensor, special, keep);
    ClearSampleData();
}

double CdocField::SetTimeAxis(double interval, double duration)
{
    const double step = CdocFieldHdr::SetTimeAxis(interval, duration);
    for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
        m_samples[i] = m_unsmoothed[i] = docFiniteOrNoValue(i * step);
    UpdateDataRange();
    return step;
}

int CdocField::UpdateDataRange()
{
    const int records = GetRecordCount();
    int count = 0;
    float lo = 0.0f;
    float hi = 0.0f;
    for (int i = 0; i < records; ++i) {
        const float x = m_samples[i];
        if (docIsNoValue(x))
            continue;
        if (count == 0 || x < lo)
            lo = x;
        if (count == 0 || x > hi)
            hi = x;
        ++count;
    }
    if (count == 0) {
        const bool reading = m_content == CONTENT_READING;
        hi = reading ? 2.0f : 1.0f;
        lo = reading ? 1.0f : 0.0f;
        count = reading ? 1 : 0;
    }
    m_dataRange.Set(hi, lo);
    m_now.SetIfUnset(lo, hi);
    m_def.SetIfUnset(lo, hi);
    m_cal.SetIfUnset(lo, hi);
    return count;
}

void CdocField::FillAllSamples(float x)
{
    const float value = docFiniteOrNoValue(x);
    std::fill(std::begin(m_samples), std::end(m_samples), value);
    std::fill(std::begin(m_unsmoothed), std::end(m_unsmoothed), value);
}

bool CdocField::HasData() const
{
    const int records = GetRecordCount();
    for (int i = 0; i < records; ++i)
        if (!docIsNoValue(m_samples[i]) || !docIsNoValue(m_unsmoothed[i]))
            return true;
    return false;
}

void CdocField::CopySamplesTo(CdocField& dest) const
{
    dest.m_current = m_current;
    dest.m_counter = m_counter;
    dest.m_dataRange = m_dataRange;
    std::copy(std::begin(m_samples), std::end(m_samples), std::begin(dest.m_samples));
    std::copy(std::begin(m_unsmoothed), std::end(m_unsmoothed), std::begin(dest.m_unsmoothed));
}

void CdocField::CopyTo(CdocField& dest) const
{
    if (&dest == this)
        return;
    dest.m_content = m_content;
    dest.m_name = m_name;
    dest.m_unit = m_unit;
    dest.m_descript = m_descript;
    dest.m_places = m_places;
    dest.m_socket = m_socket;
    dest.m_hardware = m_hardware;
    dest.m_firmware = m_firmware;
    dest.m_fieldSensor = m_fieldSensor;
    dest.m_ident = m_ident;
    dest.m_type = m_type;
    dest.m_cal = m_cal;
    dest.m_def = m_def;
    dest.m_now = m_now;
    dest.m_gain = m_gain;
    dest.m_offset = m_offset;
    dest.m_colour = m_colour;
    dest.m_manualS = m_manualS;
    dest.m_manual = m_manual;
    dest.m_fitM = m_fitM;
    dest.m_fitC = m_fitC;
    dest.m_fitLabel = m_fitLabel;
    dest.m_smoothTimes = m_smoothTimes;
    dest.m_smoothEpsilon = m_smoothEpsilon;
    dest.m_smoothEpsilonWas = m_smoothEpsilonWas;
    dest.m_measurement = m_measurement;
    dest.m_manualLogOverNull = m_manualLogOverNull;
    CopySamplesTo(dest);
    dest.m_fieldEnable = true;
    dest.m_show = true;
}

void CdocField::CopyForDuplicate(CdocField& dest) const
{
    if (&dest == this)
        return;
    dest.m_name = "'" + m_name;
    dest.m_unit = m_unit;
    dest.m_descript = m_descript;
    dest.m_places = m_places;
    dest.m_cal = m_cal;
    dest.m_def = m_def;
    dest.m_now = m_now;
    dest.m_gain = m_gain;
    dest.m_offset = m_offset;
    dest.m_manualS = m_manualS;
    dest.m_manual = m_manual;
    dest.m_smoothTimes = m_smoothTimes;
    dest.m_smoothEpsilon = m_smoothEpsilon;
    dest.m_fitM = m_fitM;
    dest.m_fitC = m_fitC;
    dest.m_fitLabel = m_fitLabel;
    dest.m_socket = 0;
    dest.m_hardware = 0;
    dest.m_firmware = 0.0f;
    dest.m_ident = 0;
    dest.m_type = 0;
    dest.m_measurement = 0;
    dest.m_fieldEnable = true;
    dest.m_show = true;
    CopySamplesTo(dest);
    dest.m_manualLogOverNull = !dest.HasData();
}
