#include "views/grnScale.h"

#include "data/docFieldHdr.h"
#include "views/grnDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// [vertical][large][side]
const CgrnTickGeometry TICK_GEOMETRY[2][2][2] = {
    {{{6, 5, 3, 7}, {-6, -5, -3, -6}}, {{10, 8, 5, 10}, {-9, -7, -4, -9}}},
    {{{-6, -5, -3, -7}, {6, 5, 3, 8}}, {{-9, -7, -4, -10}, {10, 8, 5, 12}}},
};

const int TICK_SERIES[] = {1,     2,     5,      10,     20,     50,     100,     200,     500,     1000,
                           2000,  5000,  10000,  20000,  50000,  100000, 200000,  500000,  1000000, 2000000};

const wxString SAMPLE_LABEL = "12345";



bool IsFiveMultiple(int numerator)
{
    return numerator == 5 || numerator == 50 || numerator == 500 || numerator == 5000 || numerator == 50000 ||
           numerator == 500000;
}

} // namespace

float grnRound6(float x)
{
    const double a = std::fabs(double(x));
    const double r = std::floor(a * 1000000.0 + 0.5) / 1000000.0;
    if (r == 0.0)
        return 0.0f;
    return float(x < 0.0f ? -r : r);
}

const CgrnTickGeometry& grnGetTickGeometry(bool vertical, int large, int side)
{
    return TICK_GEOMETRY[vertical ? 1 : 0][large ? 1 : 0][side ? 1 : 0];
}

void CgrnScale::Set(const CdocFieldHdr* channel, bool useDefault, int side, int large)
{
    if (channel) {
        m_range = useDefault ? channel->m_def : channel->m_now;
        m_whole = channel->IsWholeNumber();
    } else {
        const CdocFieldHdr empty;
        m_range = useDefault ? empty.m_def : empty.m_now;
        m_whole = empty.IsWholeNumber();
    }
    m_side = side;
    m_large = large;
}

void CgrnScale::WidenForBars()
{
    // An unset limit is a mark, not a value to widen.
    if (!m_range.IsSet())
        return;
    const double lo = std::trunc(double(std::min(m_range.m_max, m_range.m_min))) - 0.55;
    const double hi = std::trunc(double(std::max(m_range.m_max, m_range.m_min))) + 0.96;
    m_range.SetOrdered(CxhwMinMax(float(hi), float(lo)));
}

bool CgrnScale::GetTickStep(int length, int labelSize, float& step, int& numerator, int& denominator,
                            int& places) const
{
    const float max = m_range.m_max;
    const float min = m_range.m_min;
    if (!(max > min))
        return false;
    const float span = max - min;
    if (!std::isfinite(span))
        return false;
    const int n = int(float(length) / (float(std::max(labelSize, 1)) * 1.3f));
    if (n <= 0)
        return false;
    float s = span / float(n);

    // At most about 20 steps over the span: span = m × p, p a power of ten.
    float p = 1.0f;
    float m = span;
    if (span > 10.0f) {
        while (p * 10.0f < span)
            p *= 10.0f;
        m = span / p;
    } else if (span < 1.0f) {
        float scale = 1.0f;
        while (span * scale < 1.0f)
            scale *= 10.0f;
        m = span * scale;
        p = 1.0f / scale;
    }
    if (m < 2.0f)
        p /= 10.0f;
    else if (m < 4.0f)
        p /= 5.0f;
    else if (m < 8.0f)
        p /= 2.0f;
    s = std::max(p, s);

    denominator = 1;
    places = 0;
    if (!m_whole) {
        while (places <= 3 && float(denominator) * s < 1.0f) {
            ++places;
            denominator *= 10;
        }
    }
    const float target = s * float(denominator);
    numerator = TICK_SERIES[19];
    for (int i = 0; i < 19; ++i) {
        if (float(TICK_SERIES[i]) >= target) {
            numerator = TICK_SERIES[i];
            break;
        }
    }
    while (places > 0 && numerator % 10 == 0 && denominator % 10 == 0) {
        numerator /= 10;
        denominator /= 10;
        --places;
    }
    step = float(numerator) / float(denominator);
    // The largest step is capped: a span that would need more ticks than the
    // axis has pixels gets none, rather than a walk of millions of ticks.
    if (span / step > float(length))
        return false;
    return true;
}

bool CgrnScale::GetTicks(CgrnDC& dc, int length, float& step, int& numerator, int& denominator, int& places) const
{
    return GetTickStep(length, dc.GetTextExtent(SAMPLE_LABEL).x, step, numerator, denominator, places);
}

float CgrnScale::GetFirstTick(float step) const
{
    const double m = m_range.m_min;
    const double t = step;
    if (!(t > 0.0))
        return m_range.m_min;
    double d = m - 0.00001;
    if (m > 0.0)
        d += t;
    return grnRound6(float(std::trunc(d / t) * t));
}

void CgrnScale::WalkTicks(float step, const std::function<void(float)>& use) const
{
    if (!(step > 0.0f))
        return;
    float v = GetFirstTick(step);
    while (v <= m_range.m_max) {
        use(v);
        const float next = grnRound6(v + step);
        // Far from zero a small step may not move a float at all.
        if (!(next > v))
            break;
        v = next;
    }
}

wxString CgrnScale::FormatLabel(int places, float value)
{
    if (places <= 0)
        return wxString::Format("%.0f", double(value));
    return wxString::Format("%g", double(grnRound6(value)));
}

int CgrnScale::GetAxisHeight(CgrnDC& dc) const
{
    const int offset = dc.GetPixelsX(std::abs(grnGetTickGeometry(false, m_large, m_side).m_labelOffset));
    return offset + dc.GetTextExtent(SAMPLE_LABEL).y;
}

int CgrnScale::GetAxisWidth(CgrnDC& dc, int length) const
{
    const int offset = dc.GetPixelsY(std::abs(grnGetTickGeometry(true, m_large, m_side).m_labelOffset));
    float step = 0.0f;
    int numerator = 0;
    int denominator = 1;
    int places = 0;
    if (!GetTicks(dc, length, step, numerator, denominator, places))
        return offset;
    int widest = dc.GetTextExtent("88").x;
    WalkTicks(step, [&](float v) { widest = std::max(widest, dc.GetTextExtent(FormatLabel(places, v)).x); });
    return offset + widest;
}

int CgrnScale::GetPositionX(float value, int x, int length) const
{
    const float span = m_range.m_max - m_range.m_min;
    if (span == 0.0f)
        return x;
    return grnToPixel((value - m_range.m_min) * float(length) / span + float(x) + 0.5f);
}

int CgrnScale::GetPositionY(float value, int y, int length) const
{
    const float span = m_range.m_max - m_range.m_min;
    if (span == 0.0f)
        return y + length;
    return grnToPixel(float(y) + 0.5f + float(length) - (value - m_range.m_min) * float(length) / span);
}

bool CgrnScale::DrawAxisX(CgrnDC& dc, int x, int y, int length) const
{
    return DrawAxis(dc, x, y, length, false);
}

bool CgrnScale::DrawAxisY(CgrnDC& dc, int x, int y, int length) const
{
    return DrawAxis(dc, x, y, length, true);
}

bool CgrnScale::DrawAxis(CgrnDC& dc, int x, int y, int length, bool vertical) const
{
    wxDC* out = dc.GetDC();
    if (!out)
        return false;
    if (vertical)
        out->DrawLine(x, y, x, y + length + 1);
    else
        out->DrawLine(x, y, x + length + 1, y);
    float step = 0.0f;
    int numerator = 0;
    int denominator = 1;
    int places = 0;
    if (!GetTicks(dc, length, step, numerator, denominator, places))
        return false;

    const wxSize ppi = dc.GetPPI();
    const float f = float(vertical ? ppi.y : ppi.x) / 90.0f;
    auto pixels = [&](int ninetieths) { return vertical ? dc.GetPixelsY(ninetieths) : dc.GetPixelsX(ninetieths); };
    const CgrnTickGeometry& geometry = grnGetTickGeometry(vertical, m_large, m_side);
    const int major = pixels(geometry.m_major);
    const int medium = pixels(geometry.m_medium);
    const int minor = pixels(geometry.m_minor);
    const int offset = pixels(geometry.m_labelOffset);

    auto tick = [&](float v, int size) {
        if (vertical) {
            const int p = GetPositionY(v, y, length);
            out->DrawLine(x, p, x + size, p);
        } else {
            const int p = GetPositionX(v, x, length);
            out->DrawLine(p, y, p, y + size);
        }
    };

    const int steps = int((m_range.m_max - m_range.m_min) / step);
    int perStep = 0;
    if (steps > 0)
        perStep = length / steps;
    else if (vertical)
        perStep = length;

    if (float(perStep) > 39.0f * f && (!m_whole || numerator % 10 == 0))
        WalkTicks(step / 10.0f, [&](float v) { tick(v, minor); });
    if (IsFiveMultiple(numerator)) {
        if (float(perStep) > 19.0f * f)
            WalkTicks(step / 5.0f, [&](float v) { tick(v, medium); });
    } else if (float(perStep) > 7.0f * f && !(numerator % 2 == 1 && m_whole)) {
        WalkTicks(step / 2.0f, [&](float v) { tick(v, medium); });
    }

    const int sampleHeight = dc.GetTextExtent(SAMPLE_LABEL).y;
    WalkTicks(step, [&](float v) {
        const wxString label = FormatLabel(places, v);
        const wxSize extent = dc.GetTextExtent(label);
        if (vertical) {
            const int p = GetPositionY(v, y, length);
            out->DrawText(label, x + offset - (m_side ? 0 : extent.x), p - sampleHeight / 2);
        } else {
            const int p = GetPositionX(v, x, length);
            out->DrawText(label, p - extent.x / 2, y + offset - (m_side ? sampleHeight : 0));
        }
        tick(v, major);
    });
    return true;
}

bool CgrnScale::DrawGridX(CgrnDC& dc, int x, int y1, int length, int y2) const
{
    return DrawGrid(dc, length, [&](wxDC& out, float v) {
        const int p = GetPositionX(v, x, length);
        out.DrawLine(p, y1, p, y2);
    });
}

bool CgrnScale::DrawGridY(CgrnDC& dc, int x1, int y, int length, int x2) const
{
    return DrawGrid(dc, length, [&](wxDC& out, float v) {
        const int p = GetPositionY(v, y, length);
        out.DrawLine(x1, p, x2, p);
    });
}

bool CgrnScale::DrawGrid(CgrnDC& dc, int length, const std::function<void(wxDC&, float)>& line) const
{
    wxDC* out = dc.GetDC();
    float step = 0.0f;
    int numerator = 0;
    int denominator = 1;
    int places = 0;
    if (!out || !GetTicks(dc, length, step, numerator, denominator, places))
        return false;
    WalkTicks(step, [&](float v) { line(*out, v); });
    return true;
}
