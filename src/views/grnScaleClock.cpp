#include "views/grnScaleClock.h"

#include "data/docFieldHdr.h"
#include "document/docDoc.h"
#include "views/grnDC.h"
#include "views/grnScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <wx/intl.h>

namespace {

const wxString SAMPLE_DATE = "Mar 30, 2009";

const int64_t STEP_LIST[] = {1,    2,     5,     10,    30,    60,     120,    300,    600,     1800,     3600,
                             7200, 14400, 21600, 43200, 86400, 172800, 345600, 604800, 2419200, 15724800, 31536000};

constexpr float SECONDS_YEAR = 31622400.0f;
constexpr float SECONDS_MONTH = 2678400.0f;
constexpr float SECONDS_WEEK = 604800.0f;
constexpr float SECONDS_DAY = 86400.0f;
constexpr int64_t MS_HOUR = 3600000;

// Beyond about three centuries from the start an axis of clock times means
// nothing, and moment arithmetic in milliseconds stays far from overflow.
constexpr double MAX_SECONDS = 1.0e10;

// Walks of ticks are bounded even should a step not advance.
constexpr int MAX_WALK = 200000;

// Subdivisions of the steps below one day, the first that leaves room wins.
struct CSubdivisions
{
    int64_t m_step;
    int m_candidates[3];
};
const CSubdivisions SUBDIVISIONS[] = {
    {1, {10, 0, 0}},       {2, {2, 0, 0}},        {5, {5, 0, 0}},        {10, {10, 5, 2}},   {30, {6, 3, 2}},
    {60, {6, 4, 2}},       {120, {8, 4, 2}},      {300, {5, 0, 0}},      {600, {10, 5, 2}},  {1800, {6, 3, 2}},
    {3600, {6, 4, 2}},     {7200, {8, 4, 2}},     {14400, {8, 4, 2}},    {21600, {6, 0, 0}}, {43200, {12, 6, 4}},
};



wxDateTime AddMilliseconds(const wxDateTime& moment, int64_t ms)
{
    return wxDateTime(wxLongLong(moment.GetValue().GetValue() + ms));
}

bool IsNear(float gain, double target)
{
    return std::fabs(double(gain) - target) <= 0.000001;
}

} // namespace

bool CgrnScaleClock::Set(const CdocFieldHdr* channel, bool useDefault, int side, int large)
{
    m_side = side;
    m_large = large;
    if (!channel || !channel->m_doc || channel->m_offset != 0.0f)
        return false;
    const wxDateTime& start = channel->m_doc->m_data.m_startMoment;
    // Data whose start date and time are unknown have no clock times.
    if (!start.IsValid())
        return false;
    m_range = useDefault ? channel->m_def : channel->m_now;
    m_start = start;
    m_start.SetMillisecond(0);
    ToSeconds(channel->m_gain);
    return UpdateRange();
}

void CgrnScaleClock::ToSeconds(float gain)
{
    // Dividing by 1000 rather than multiplying by 0.001, which is not exact
    // in float, keeps whole seconds whole: 120000 ms is 120 s, not a hair
    // more that the last moment would round up to 121 s.
    float factor = 1.0f;
    float divisor = 1.0f;
    if (IsNear(gain, 1000000.0))
        divisor = 1000000.0f;
    else if (IsNear(gain, 1000.0))
        divisor = 1000.0f;
    else if (IsNear(gain, 1.0))
        return;
    else if (IsNear(gain, 1.0 / 60.0))
        factor = 60.0f;
    else if (IsNear(gain, 1.0 / 3600.0))
        factor = 3600.0f;
    else if (IsNear(gain, 1.0 / 86400.0))
        factor = 86400.0f;
    else
        divisor = gain;
    m_range.m_max = m_range.m_max * factor / divisor;
    m_range.m_min = m_range.m_min * factor / divisor;
}

bool CgrnScaleClock::UpdateRange()
{
    if (!m_start.IsValid())
        return false;
    const double lo = std::floor(double(m_range.m_min));
    const double hi = std::ceil(double(m_range.m_max));
    if (!(std::fabs(lo) <= MAX_SECONDS) || !(std::fabs(hi) <= MAX_SECONDS))
        return false;
    m_first = AddMilliseconds(m_start, int64_t(lo) * 1000);
    m_last = AddMilliseconds(m_start, int64_t(hi) * 1000);
    const wxString format = wxGetTranslation("%b %d, %Y, %H:%M:%S");
    m_firstText = m_first.Format(format);
    m_lastText = m_last.Format(format);
    return m_first < m_last;
}

double CgrnScaleClock::GetOffset(const wxDateTime& moment) const
{
    return double((moment.GetValue() - m_start.GetValue()).GetValue()) / 1000.0;
}

bool CgrnScaleClock::ChooseStep(CgrnDC& dc, int length)
{
    m_sampleWidth = dc.GetTextExtent(SAMPLE_DATE).x;
    if (m_range.m_min >= m_range.m_max || !m_first.IsValid() || !m_last.IsValid())
        return false;
    int n = int(float(length) / (float(std::max(m_sampleWidth, 1)) * 1.3f));
    if (n <= 0)
        return false;
    n = std::min(n, MAX_MAJORS);
    const float u = (m_range.m_max - m_range.m_min) / float(n);
    int64_t c = STEP_LIST[std::size(STEP_LIST) - 1];
    for (int64_t step : STEP_LIST) {
        if (float(step) >= u) {
            c = step;
            break;
        }
    }

    m_minorCount = 0;
    m_step = 0;
    m_minorStep = 0;
    m_majorSpan = wxDateSpan();
    m_minorSpan = wxDateSpan();
    m_majorIsSpan = false;
    m_minorIsSpan = false;
    const float cf = float(c);
    auto count = [&](float unit) { return std::max(int(std::ceil(u / unit)), 1); };
    if (u >= SECONDS_YEAR || cf >= SECONDS_YEAR) {
        const int k = count(SECONDS_YEAR);
        m_unit = SECONDS_YEAR;
        m_majorSpan = wxDateSpan::Years(k);
        m_majorIsSpan = true;
        m_minorSpan = k == 1 ? wxDateSpan::Months(3) : wxDateSpan::Years(1);
        m_minorIsSpan = true;
        m_minorCount = k == 1 ? 4 : k;
        m_unitName = _("years");
    } else if (u >= SECONDS_MONTH || cf >= SECONDS_MONTH) {
        const int k = count(SECONDS_MONTH);
        m_unit = SECONDS_MONTH;
        m_majorSpan = wxDateSpan::Months(k);
        m_majorIsSpan = true;
        m_minorSpan = wxDateSpan::Months(1);
        m_minorIsSpan = true;
        m_minorCount = k == 1 ? 0 : k;
        m_unitName = _("months");
    } else if (u >= SECONDS_WEEK || cf >= SECONDS_WEEK) {
        const int k = count(SECONDS_WEEK);
        m_unit = SECONDS_WEEK;
        m_majorSpan = wxDateSpan::Weeks(k);
        m_majorIsSpan = true;
        m_minorSpan = k == 1 ? wxDateSpan::Days(1) : wxDateSpan::Weeks(1);
        m_minorIsSpan = true;
        m_minorCount = k == 1 ? 7 : k;
        m_unitName = _("weeks");
    } else if (u >= SECONDS_DAY || cf >= SECONDS_DAY) {
        const int k = count(SECONDS_DAY);
        m_unit = SECONDS_DAY;
        m_majorSpan = wxDateSpan::Days(k);
        m_majorIsSpan = true;
        if (k == 1) {
            m_minorStep = 6 * MS_HOUR;
            m_minorCount = 4;
        } else {
            m_minorSpan = wxDateSpan::Days(1);
            m_minorIsSpan = true;
            m_minorCount = k;
        }
        m_unitName = _("days");
    } else {
        m_step = c * 1000;
        if (c % 3600 == 0) {
            m_unit = 3600.0f;
            m_unitName = _("hours");
        } else if (c % 60 == 0) {
            m_unit = 60.0f;
            m_unitName = _("minutes");
        } else {
            m_unit = 1.0f;
            m_unitName = _("seconds");
        }
        const float f = 4.0f * (float(dc.GetPPI().x) / 90.0f);
        const int steps = int((m_range.m_max - m_range.m_min) / cf);
        if (steps > 0) {
            const int perStep = length / steps;
            for (const CSubdivisions& row : SUBDIVISIONS) {
                if (row.m_step != c)
                    continue;
                for (int s : row.m_candidates) {
                    if (s > 0 && float(perStep) > float(s) * f) {
                        m_minorCount = s;
                        break;
                    }
                }
                break;
            }
        }
        if (m_minorCount > 0)
            m_minorStep = c == 1 ? int64_t(1000 / m_minorCount) : (c / m_minorCount) * 1000;
    }
    GetFirstTick();
    return true;
}

wxDateTime CgrnScaleClock::Advance(const wxDateTime& moment, bool isSpan, const wxDateSpan& span, int64_t step,
                                   bool hourRule, bool wrapToMidnight) const
{
    wxDateTime next = moment;
    if (isSpan) {
        next.Add(span);
        return next;
    }
    if (!hourRule)
        return AddMilliseconds(moment, step);
    // Setting the local hour keeps the ticks on whole hours when the clocks
    // change.
    const int hour = moment.GetHour() + int(step / MS_HOUR);
    if (hour <= 23) {
        next.SetHour(wxDateTime::wxDateTime_t(hour));
    } else {
        next.SetHour(wxDateTime::wxDateTime_t(wrapToMidnight ? 0 : hour - 24));
        next.Add(wxDateSpan::Day());
    }
    return next;
}

wxDateTime CgrnScaleClock::NextTick(const wxDateTime& moment) const
{
    return Advance(moment, m_majorIsSpan, m_majorSpan, m_step, m_unit == 3600.0f, false);
}

wxDateTime CgrnScaleClock::NextMinor(const wxDateTime& moment) const
{
    return Advance(moment, m_minorIsSpan, m_minorSpan, m_minorStep, m_unit == SECONDS_DAY, true);
}

void CgrnScaleClock::GetFirstTick()
{
    const double minimum = m_range.m_min;
    wxDateTime cur = m_first;
    cur.ResetTime();
    wxDateTime a = cur;
    wxDateTime b = NextTick(a);
    for (int i = 0; i < MAX_WALK && b >= m_first && GetOffset(b) >= minimum; ++i) {
        cur = a;
        a.Subtract(wxDateSpan::Day());
        b = NextTick(a);
    }
    wxDateTime t = cur;
    for (int i = 0; i < MAX_WALK && t <= m_last; ++i) {
        b = NextTick(t);
        if (GetOffset(b) >= minimum || !(b > t))
            break;
        cur = b;
        t = b;
    }
    m_firstTick = cur;
}

bool CgrnScaleClock::Layout(CgrnDC& dc, int x, int length)
{
    m_majorCount = 0;
    m_minorTickCount = 0;
    if (!ChooseStep(dc, length))
        return false;
    wxDateTime t = m_firstTick;
    for (int i = 0; i < MAX_WALK && t <= m_last; ++i) {
        const int p = GetPosition(t, x, length);
        if (x <= p && p <= x + length && m_majorCount < MAX_MAJORS) {
            m_majorMoments[m_majorCount] = t;
            m_majorPositions[m_majorCount] = p;
            ++m_majorCount;
        }
        const wxDateTime next = NextTick(t);
        if (m_minorCount != 0) {
            wxDateTime m = NextMinor(t);
            for (int j = 0; j < MAX_WALK && m <= m_last && m <= next; ++j) {
                const int q = GetPosition(m, x, length);
                if (x <= q && q <= x + length && m_minorTickCount < MAX_MINORS)
                    m_minorPositions[m_minorTickCount++] = q;
                const wxDateTime after = NextMinor(m);
                if (!(after > m))
                    break;
                m = after;
            }
        }
        if (!(next > t))
            break;
        t = next;
    }
    return true;
}

int CgrnScaleClock::GetAxisHeight(CgrnDC& dc) const
{
    const int offset = dc.GetPixelsX(std::abs(grnGetTickGeometry(false, m_large, m_side).m_labelOffset));
    return offset + dc.GetTextExtent(SAMPLE_DATE).y;
}

int CgrnScaleClock::GetAxisWidth(CgrnDC& dc) const
{
    int widest = dc.GetTextExtent("88").x;
    for (int i = 0; i < m_majorCount; ++i)
        widest = std::max(widest, dc.GetTextExtent(FormatLabel(m_majorMoments[i])).x);
    return widest + dc.GetPixelsY(std::abs(grnGetTickGeometry(true, m_large, m_side).m_labelOffset));
}

bool CgrnScaleClock::DrawAxis(CgrnDC& dc, int x, int y, int length) const
{
    wxDC* out = dc.GetDC();
    if (!out)
        return true;
    out->DrawLine(x, y, x + length + 1, y);
    const CgrnTickGeometry& geometry = grnGetTickGeometry(false, m_large, m_side);
    const int major = dc.GetPixelsX(geometry.m_major);
    const int minor = dc.GetPixelsX(geometry.m_minor);
    const int offset = dc.GetPixelsX(geometry.m_labelOffset);
    const int h = dc.GetTextExtent(SAMPLE_DATE).y;
    for (int i = 0; i < m_majorCount; ++i) {
        const int p = m_majorPositions[i];
        const wxString label = FormatLabel(m_majorMoments[i]);
        const int w = dc.GetTextExtent(label).x;
        out->DrawText(label, p - w / 2, y + offset - (m_side ? h : 0));
        out->DrawLine(p, y, p, y + major);
    }
    for (int i = 0; i < m_minorTickCount; ++i)
        out->DrawLine(m_minorPositions[i], y, m_minorPositions[i], y + minor);
    return true;
}

void CgrnScaleClock::DrawGrid(CgrnDC& dc, int y1, int y2) const
{
    wxDC* out = dc.GetDC();
    if (!out)
        return;
    for (int i = 0; i < m_majorCount; ++i)
        out->DrawLine(m_majorPositions[i], y1, m_majorPositions[i], y2);
}

wxString CgrnScaleClock::FormatLabel(const wxDateTime& moment) const
{
    if (!moment.IsValid())
        return wxString();
    const wxDateTime::Tm tm = moment.GetTm();
    if (tm.hour == 0 && tm.min == 0 && tm.sec == 0 && tm.msec == 0)
        return moment.Format(wxGetTranslation("%b %d, %Y"));
    return moment.Format(wxGetTranslation(m_unit == 1.0f ? "%H:%M:%S" : "%H:%M"));
}

int CgrnScaleClock::GetPosition(const wxDateTime& moment, int x, int length) const
{
    const float span = m_range.m_max - m_range.m_min;
    if (span == 0.0f || !moment.IsValid() || !m_start.IsValid())
        return x;
    const float seconds = float(GetOffset(moment));
    return grnToPixel((seconds - m_range.m_min) * float(length) / span + float(x) + 0.5f);
}
