// Smoothing, rescaling by a gain and an offset, and halving the time
// resolution of a channel's samples.
#include "data/docField.h"

#include <algorithm>
#include <cmath>

namespace {

int ClampCount(int n)
{
    return std::clamp(n, 0, DOC_MAX_SAMPLES);
}

// One three-point pass over the first n samples, from the values before the
// pass; it stops at the first no-value sample.
void ThreePointPass(float* samples, int n)
{
    int stop = 0;
    while (stop < n && !docIsNoValue(samples[stop]))
        ++stop;
    float before = stop > 0 ? samples[0] : 0.0f;
    for (int i = 1; i + 1 < stop; ++i) {
        const float old = samples[i];
        samples[i] = ((before + old) + samples[i + 1]) / 3.0f;
        before = old;
    }
}

} // namespace

int32_t docGetPlacesForStep(float step)
{
    const float a = std::fabs(step);
    if (!std::isfinite(a))
        return 0;
    if (a < 0.005f)
        return 3;
    if (a < 0.05f)
        return 2;
    if (a < 0.5f)
        return 1;
    if (a < 5.0f)
        return 0;
    if (a < 50.0f)
        return -1;
    if (a < 500.0f)
        return -2;
    return -3;
}

void CdocField::SmoothPass()
{
    const int n = GetRecordCount();
    if (n < 3)
        return;
    const int passes = m_smoothTimes == 0 ? 1 : 3;
    for (int p = 0; p < passes; ++p)
        ThreePointPass(m_samples, n);
    ++m_smoothTimes;
}

void CdocField::SmoothMovingAverage(int w)
{
    w = std::max(w, 0);
    m_smoothEpsilon = w;
    const int n = GetRecordCount();
    if (w == 0) {
        std::copy(m_unsmoothed, m_unsmoothed + n, m_samples);
        return;
    }
    float sum = 0.0f;
    int count = 0;
    auto enter = [&](int i) {
        if (!docIsNoValue(m_unsmoothed[i])) {
            sum += m_unsmoothed[i];
            ++count;
        }
    };
    auto leave = [&](int i) {
        if (!docIsNoValue(m_unsmoothed[i])) {
            sum -= m_unsmoothed[i];
            --count;
        }
    };
    for (int i = 0; i < n && i <= w; ++i)
        enter(i);
    for (int j = 0; j < n; ++j) {
        const bool none = docIsNoValue(m_unsmoothed[j]) || count == 0;
        m_samples[j] = none ? DOC_NO_VALUE : docFiniteOrNoValue(sum / float(count));
        // Indices are compared as 64-bit so that a huge width cannot overflow.
        const long long out = (long long)j - w;
        const long long in = (long long)j + w + 1;
        if (out >= 0)
            leave(int(out));
        if (in < n)
            enter(int(in));
    }
}

void CdocField::SaveUnprocessed()
{
    std::copy(std::begin(m_samples), std::end(m_samples), std::begin(m_unsmoothed));
}

void CdocField::RestoreUnprocessed()
{
    std::copy(std::begin(m_unsmoothed), std::end(m_unsmoothed), std::begin(m_samples));
}

void CdocField::ApplyGainOffset(const wxString* name, const wxString* units, float g, float o)
{
    // A gain or offset that is not a number would turn every sample into no value.
    if (!std::isfinite(g) || !std::isfinite(o))
        return;
    if (g != 1.0f || o != 0.0f) {
        for (float* samples : {m_samples, m_unsmoothed})
            for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
                if (!docIsNoValue(samples[i]))
                    samples[i] = docFiniteOrNoValue(samples[i] * g + o);
        for (CxhwMinMax* range : {&m_cal, &m_def, &m_now, &m_dataRange}) {
            range->Scale(g, o);
            range->Normalise();
        }
        m_gain = docFiniteOrNoValue(m_gain * g);
        m_offset = docFiniteOrNoValue(m_offset * g + o);
    }
    if (name)
        m_name = *name;
    if (units)
        m_unit = *units;
    m_places = std::clamp(m_places + docGetPlacesForStep(g), 0, 5);
}

void CdocField::HalveSamples(int n)
{
    n = ClampCount(n);
    if (n <= 0)
        return;
    const bool counting = IsCounterSensor();
    int next = 1; // the first sample not written
    if (n >= 3) {
        for (int j = 1; 2 * j < n; ++j) {
            for (float* samples : {m_samples, m_unsmoothed}) {
                const float a = samples[2 * j - 1];
                const float b = samples[2 * j];
                float value = b;
                if (counting)
                    value = docIsNoValue(a) ? b : docIsNoValue(b) ? a : docFiniteOrNoValue(a + b);
                samples[j] = value;
            }
            next = j + 1;
        }
    }
    for (int i = next; i < n; ++i)
        m_samples[i] = m_unsmoothed[i] = DOC_NO_VALUE;
    m_dataRange.Set(m_samples[0], m_samples[0]);
    for (int j = 1; j < next; ++j)
        m_dataRange.Extend(m_samples[j]);
    m_dataRange.Normalise();
}
