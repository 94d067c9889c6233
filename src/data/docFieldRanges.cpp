// The upkeep of a channel's axis ranges, its stored samples and its decimal
// places as its data changes.
#include "app/base/gumHelpers.h"
#include "data/docData.h"
#include "data/docField.h"
#include "document/docDoc.h"

#include <algorithm>
#include <cmath>

bool CdocField::ZoomToData()
{
    if (GetRecordCount() <= 0)
        return false;
    const CxhwMinMax target = m_dataRange.IsSet() ? m_dataRange : m_def;
    if (target == m_now)
        return false;
    m_now = target;
    return true;
}

bool CdocField::StepZoomToData()
{
    if (GetRecordCount() <= 0 || !m_dataRange.IsSet() || !m_def.IsSet())
        return false;
    return m_now.StepToward(m_dataRange, (m_def.m_max - m_def.m_min) / 100.0f);
}

bool CdocField::GrowRangeToSample(int i)
{
    if (i < 0 || i >= DOC_MAX_SAMPLES)
        return false;
    const float sample = m_samples[i];
    if (docIsNoValue(sample))
        return false;
    float top = m_now.m_max;
    if (!docIsNoValue(top) && double(top) + 0.000001 >= double(sample))
        return false;
    if (docIsNoValue(top) || top <= 0.0f) {
        // Growing by half again never passes a sample from a top of zero or
        // below: the top goes to the sample itself.
        top = sample;
    } else {
        while (double(top) + 0.000001 < double(sample)) {
            top *= 1.5f;
            if (!std::isfinite(top)) {
                top = sample;
                break;
            }
        }
    }
    m_now.m_max = top;
    m_cal.m_max = top;
    m_def.m_max = top;
    return true;
}

void CdocField::ClearSamples()
{
    std::fill(std::begin(m_samples), std::end(m_samples), DOC_NO_VALUE);
    std::fill(std::begin(m_unsmoothed), std::end(m_unsmoothed), DOC_NO_VALUE);
    m_dataRange.Unset();
}

void CdocField::EraseSamples()
{
    ClearSamples();
}

void CdocField::RescanDataRange(float emptyMax, float emptyMin)
{
    const int records = GetRecordCount();
    bool found = false;
    float lo = emptyMin;
    float hi = emptyMax;
    for (int i = 0; i < records; ++i) {
        const float x = m_samples[i];
        if (docIsNoValue(x))
            continue;
        if (!found || x < lo)
            lo = x;
        if (!found || x > hi)
            hi = x;
        found = true;
    }
    m_dataRange.Set(hi, lo);
}

void CdocField::ClearRunSamples()
{
    const int records = GetRecordCount();
    if (m_content == CONTENT_SENSOR && m_doc) {
        const int first = std::clamp(m_doc->m_data.m_logNext, 0, records);
        std::fill(m_samples + first, m_samples + records, DOC_NO_VALUE);
        std::fill(m_unsmoothed + first, m_unsmoothed + records, DOC_NO_VALUE);
    }
    RescanDataRange(1.0f, 0.0f);
}

void CdocField::ClearUnusedSamples()
{
    const int records = GetRecordCount();
    if (records <= 20000) {
        std::fill(m_samples + records, std::end(m_samples), DOC_NO_VALUE);
        std::fill(m_unsmoothed + records, std::end(m_unsmoothed), DOC_NO_VALUE);
    }
    RescanDataRange(1.0f, 0.0f);
}

void CdocField::SetSample(int i, float x)
{
    // An index from outside the arrays stores nothing.
    if (i < 0 || i >= DOC_MAX_SAMPLES)
        return;
    const float value = docFiniteOrNoValue(x);
    m_samples[i] = value;
    m_unsmoothed[i] = value;
    m_dataRange.Extend(value);
    if (m_content == CONTENT_READING)
        RescanDataRange(2.0f, 1.0f);
    else
        RescanDataRange(1.0f, 0.0f);
    m_now = m_dataRange;
    m_def = m_dataRange;
    m_cal = m_dataRange;
}

namespace {

// Digits after the decimal point of a number written with "%g"; -1 when the
// text has no point.
int DecimalsOf(double x)
{
    wxString text;
    gumFormatDouble(text, x);
    const int point = text.Find('.');
    if (point == wxNOT_FOUND)
        return -1;
    return int(text.length()) - point - 1;
}

} // namespace

void CdocField::FitPlacesToInterval()
{
    if (GetRecordCount() < 2 || docIsNoValue(m_samples[0]) || docIsNoValue(m_samples[1]))
        return;
    const int decimals = DecimalsOf(double(m_samples[1] - m_samples[0]));
    if (decimals >= 0 && decimals < m_places)
        m_places = decimals;
}

void CdocField::FitPlacesToData()
{
    if (m_places >= 0 && m_places < 5)
        return;
    const int records = GetRecordCount();
    int most = 0;
    for (int i = 0; i < records; ++i)
        most = std::max(most, DecimalsOf(double(m_samples[i])));
    m_places = most > 3 ? 4 : most;
}

float CdocField::GetCurrentText(wxString& text) const
{
    text = GetValueText(m_places, m_current);
    return m_current;
}

int CdocField::AssignNewKey()
{
    m_key = docTakeFieldKey();
    return m_key;
}
