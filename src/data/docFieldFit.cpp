// A channel's statistics, its best straight line against another channel,
// and the gradient and area against another channel. All in single precision,
// as the values are; a no-value sample is skipped or passed on.
#include "data/docField.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

int ClampCount(int n)
{
    return std::clamp(n, 0, DOC_MAX_SAMPLES);
}

bool IsPair(const CdocField& x, const CdocField& y, int i)
{
    return !docIsNoValue(x.m_samples[i]) && !docIsNoValue(y.m_samples[i]);
}

} // namespace

void CdocField::GetStatistics(int n, float* min, float* max, float* sum, float* sumSquares, int32_t* count) const
{
    n = ClampCount(n);
    float lo = FLT_MAX;
    float hi = -FLT_MAX;
    float s = 0.0f;
    float ss = 0.0f;
    int32_t k = 0;
    for (int i = 0; i < n; ++i) {
        const float v = m_samples[i];
        if (docIsNoValue(v))
            continue;
        ++k;
        s += v;
        ss += v * v;
        if (v > hi)
            hi = v;
        if (v < lo)
            lo = v;
    }
    if (k == 0)
        lo = hi = DOC_NO_VALUE;
    if (min)
        *min = lo;
    if (max)
        *max = hi;
    if (sum)
        *sum = s;
    if (sumSquares)
        *sumSquares = ss;
    if (count)
        *count = k;
}

bool CdocField::FitStraightLine(int n, const CdocField* x)
{
    m_fitM = 1.0f;
    m_fitC = 0.0f;
    m_fitLabel.clear();
    n = ClampCount(n);
    if (x == this || !x || n <= 0)
        return false;
    int k = 0;
    float sx = 0.0f, sy = 0.0f, sxx = 0.0f, sxy = 0.0f;
    float xLow = 0.0f, xHigh = 0.0f;
    for (int i = 0; i < n; ++i) {
        if (!IsPair(*x, *this, i))
            continue;
        const float xi = x->m_samples[i];
        const float yi = m_samples[i];
        xLow = k == 0 ? xi : std::min(xLow, xi);
        xHigh = k == 0 ? xi : std::max(xHigh, xi);
        ++k;
        sx += xi;
        sy += yi;
        sxx += xi * xi;
        sxy += xi * yi;
    }
    // Fewer than two pairs, or one x for all, give no line: the sums would
    // divide by zero (or by rounding noise when every x is the same).
    if (k < 2 || xLow == xHigh)
        return false;
    const float kf = float(k);
    const float m = (sxy * kf - sx * sy) / (sxx * kf - sx * sx);
    const float c = (sy - sx * m) / kf;
    if (!std::isfinite(m) || !std::isfinite(c))
        return false;
    m_fitM = m;
    m_fitC = c;
    m_fitLabel = wxString::Format("y = %.4f x + %.4f", double(m), double(c));
    return true;
}

float CdocField::GetGradientAt(const CdocField* x, int i, int n) const
{
    n = ClampCount(n);
    if (!x || i < 0 || i >= n || !IsPair(*x, *this, i))
        return DOC_NO_VALUE;
    int left = i == 0 ? 0 : i - 1;
    if (!IsPair(*x, *this, left))
        left = i;
    int right = i + 1;
    if (i == DOC_MAX_SAMPLES - 1 || !IsPair(*x, *this, right))
        right = i;
    const float dx = x->m_samples[right] - x->m_samples[left];
    if (dx == 0.0f)
        return DOC_NO_VALUE;
    return docFiniteOrNoValue((m_samples[right] - m_samples[left]) / dx);
}

float CdocField::GetArea(const CdocField* x, int a, int b, int n, CdocField* out) const
{
    n = ClampCount(n);
    if (!x || a < 0 || b < 0 || a >= n || b >= n)
        return DOC_NO_VALUE;
    const int start = x->m_samples[b] < x->m_samples[a] ? b : a;
    const int end = start == a ? b : a;
    if (out)
        out->m_samples[start] = 0.0f;
    const int step = end >= start ? 1 : -1;
    float area = 0.0f;
    for (int i = start; i != end; i += step) {
        const int j = i + step;
        const float x0 = x->m_samples[i];
        const float x1 = x->m_samples[j];
        const float y0 = m_samples[i];
        const float y1 = m_samples[j];
        if (!docIsNoValue(x0) && !docIsNoValue(x1)) {
            if (!docIsNoValue(y0))
                area += y0 * (x1 - x0) * 0.5f;
            if (!docIsNoValue(y1))
                area += (x1 - x0) * y1 * 0.5f;
        }
        if (out)
            out->m_samples[j] = docFiniteOrNoValue(area);
    }
    return docFiniteOrNoValue(area);
}
