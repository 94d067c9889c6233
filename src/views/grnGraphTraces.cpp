#include "views/grnGraph.h"

#include "document/docDoc.h"
#include "views/grnGraphPixels.h"

#include <algorithm>
#include <utility>
#include <vector>
#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/pen.h>

namespace {

bool HasValue(float v)
{
    return !docIsNoValue(v);
}

// Moves (x1, y1) along the segment to the line x = edge (or y = edge when
// swapped is set: the roles of x and y exchanged).
void MoveTo(int& x1, int& y1, int x2, int y2, int edge)
{
    y1 = grnToPixel(double(y1) + double(y2 - y1) * double(edge - x1) / double(x2 - x1));
    x1 = edge;
}

// Cuts a segment to [low, high] along its first coordinate, the points
// ordered by that coordinate; swapped notes the order changed.
void ClipAlong(int& a1, int& b1, int& a2, int& b2, int low, int high, bool& swapped)
{
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        swapped = !swapped;
    }
    if (a1 < low && low <= a2) {
        MoveTo(a1, b1, a2, b2, low);
        if (a2 > high)
            MoveTo(a2, b2, a1, b1, high);
    } else if (a1 <= high && high < a2) {
        MoveTo(a2, b2, a1, b1, high);
    }
}

// The segments of a trace, drawn many at a time, in one stroke per batch: a
// range drawn again sets the same pixels (where two segments meet, a batch
// may set a pixel or two that the segments drawn one by one leave out).
// Where many samples fall in one pixel column, the touching vertical segments
// there become one segment over their extent; for a thin trace that segment
// is the column's pixels from the lowest to the highest, which are filled as
// a rectangle, many times faster than a line is drawn.
class CgrnSegments
{
public:
    CgrnSegments(wxDC& dc, const wxColour& colour, bool thin)
        : m_dc(dc), m_context(dc.GetGraphicsContext()), m_colour(colour), m_fillColumns(thin && m_context)
    {
        m_begins.reserve(CAPACITY);
        m_ends.reserve(CAPACITY);
        if (m_fillColumns)
            m_columns.reserve(CAPACITY);
    }
    ~CgrnSegments() { Flush(); }

    void Add(int x1, int y1, int x2, int y2)
    {
        if (x1 != x2) {
            Push(x1, y1, x2, y2);
            return;
        }
        const int low = std::min(y1, y2);
        const int high = std::max(y1, y2);
        if (m_columnOpen && x1 == m_columnX && low <= m_high && high >= m_low) {
            m_low = std::min(m_low, low);
            m_high = std::max(m_high, high);
            return;
        }
        CloseColumn();
        m_columnOpen = true;
        m_columnX = x1;
        m_low = low;
        m_high = high;
    }

    void Flush()
    {
        CloseColumn();
        DrawColumns();
        if (m_begins.empty())
            return;
        if (m_context) {
            m_context->StrokeLines(m_begins.size(), m_begins.data(), m_ends.data());
        } else {
            for (size_t i = 0; i < m_begins.size(); ++i)
                m_dc.DrawLine(int(m_begins[i].m_x), int(m_begins[i].m_y), int(m_ends[i].m_x), int(m_ends[i].m_y));
        }
        m_begins.clear();
        m_ends.clear();
    }

private:
    void CloseColumn()
    {
        if (!m_columnOpen)
            return;
        m_columnOpen = false;
        if (m_fillColumns) {
            m_columns.emplace_back(m_columnX, m_low, 1, m_high - m_low + 1);
            if (m_columns.size() >= CAPACITY)
                DrawColumns();
        } else {
            Push(m_columnX, m_low, m_columnX, m_high);
        }
    }
    void DrawColumns()
    {
        if (m_columns.empty())
            return;
        wxGraphicsPath path = m_context->CreatePath();
        for (const wxRect& column : m_columns)
            path.AddRectangle(column.x, column.y, column.width, column.height);
        const wxBrush brush = m_dc.GetBrush();
        m_dc.SetBrush(wxBrush(m_colour, wxBRUSHSTYLE_SOLID));
        m_context->FillPath(path);
        m_dc.SetBrush(brush);
        m_columns.clear();
    }
    void Push(int x1, int y1, int x2, int y2)
    {
        m_begins.emplace_back(x1, y1);
        m_ends.emplace_back(x2, y2);
        if (m_begins.size() >= CAPACITY) {
            const bool open = m_columnOpen;
            m_columnOpen = false;
            Flush();
            m_columnOpen = open;
        }
    }

    static constexpr size_t CAPACITY = 2048;
    wxDC& m_dc;
    wxGraphicsContext* m_context;
    wxColour m_colour;
    bool m_fillColumns;
    std::vector<wxPoint2DDouble> m_begins;
    std::vector<wxPoint2DDouble> m_ends;
    std::vector<wxRect> m_columns;
    bool m_columnOpen = false;
    int m_columnX = 0;
    int m_low = 0;
    int m_high = 0;
};

// Cuts the segment (x1, y1)-(x2, y2) to the box; false when none of it lies
// inside. Keeps lines that run far off the drawing within the range the
// drawing library takes, without changing the part that shows.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, const wxRect& box)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.x, box.x + box.width - 1 - x1, y1 - box.y, box.y + box.height - 1 - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const double ax = x1 + t0 * dx;
    const double ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}


} // namespace

int CgrnGraph::ValueToX(float x) const
{
    const CxhwMinMax& scale = m_scaleX.m_range;
    return grnToPixel(double((x - scale.m_min) * float(m_plotRight - m_plotLeft) / (scale.m_max - scale.m_min) +
                             float(m_plotLeft) + 0.5f));
}

int CgrnGraph::ValueToY(const CdocField& channel, float y) const
{
    const CxhwMinMax& now = channel.m_now;
    const float along = (y - now.m_min) * float(m_plotTop - m_plotBottom) / (now.m_max - now.m_min);
    return grnToPixel(double(along) + (double(m_plotBottom) + 0.5));
}

void CgrnGraph::SetChannelPen(const CdocField& channel)
{
    wxDC& dc = *m_dc.GetDC();
    if (m_doc && m_doc->m_graph.GetHeavy()) {
        wxPen pen(grnChannelColour(channel), m_traceWidth, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_BUTT);
        dc.SetPen(pen);
    } else {
        // Square ends: each segment sets both its end pixels, as a line of
        // its own would, without the cost of round ends.
        wxPen pen(grnChannelColour(channel), 1, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_PROJECTING);
        dc.SetPen(pen);
    }
}

bool CgrnGraph::ClipSegment(int& x1, int& y1, int& x2, int& y2) const
{
    auto inside = [this](int x, int y) {
        return x >= m_plotLeft && x <= m_plotRight && y >= m_plotTop && y <= m_plotBottom;
    };
    if (inside(x1, y1) && inside(x2, y2))
        return true;
    if ((x1 < m_plotLeft && x2 < m_plotLeft) || (x1 > m_plotRight && x2 > m_plotRight) ||
        (y1 < m_plotTop && y2 < m_plotTop) || (y1 > m_plotBottom && y2 > m_plotBottom))
        return false;
    bool swapped = false;
    ClipAlong(x1, y1, x2, y2, m_plotLeft, m_plotRight, swapped);
    ClipAlong(y1, x1, y2, x2, m_plotTop, m_plotBottom, swapped);
    if (swapped) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    return true;
}

void CgrnGraph::DrawTraces(int first, int end)
{

    const int n = std::clamp(m_doc->m_data.m_records, 0, DOC_MAX_SAMPLES);
    first = std::clamp(first, 0, n);
    end = std::clamp(end, 0, n);
    if (first >= end)
        return;
    m_dc.GetDC()->SetBrush(*wxTRANSPARENT_BRUSH);
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i)
        if (IsTraceChannel(fields.GetAt(i)))
            DrawChannel(i, first, end);
}

void CgrnGraph::DrawChannel(int position, int first, int end)
{
    const CdocField* x = m_doc->m_graph.GetFieldX();
    CdocField* channel = m_doc->m_data.m_fields.GetAt(position);
    if (!x || !channel)
        return;
    auto both = [&](int i) { return HasValue(x->m_samples[i]) && HasValue(channel->m_samples[i]); };
    while (first < end && !both(first))
        ++first;
    while (end > first && !both(end - 1))
        --end;
    if (first >= end)
        return;
    const CdocGraph& graph = m_doc->m_graph;
    if (graph.GetLines())
        DrawLines(*channel, first, end);
    if (graph.GetPoints())
        DrawPoints(*channel, first, end);
    if (graph.GetBars())
        DrawBars(*channel, first, end);
}

void CgrnGraph::DrawLines(CdocField& channel, int first, int end)
{
    const CdocField* xChannel = m_doc->m_graph.GetFieldX();
    if (!xChannel)
        return;
    wxDC& dc = *m_dc.GetDC();
    const float* xs = xChannel->m_samples;
    const float* ys = channel.m_samples;
    SetChannelPen(channel);

    // Join the new samples to the trace already drawn.
    int start = first - 1;
    while (start >= 0 && !(HasValue(xs[start]) && HasValue(ys[start])))
        --start;
    int begin = first;
    if (start < 0) {
        start = first;
        begin = first + 1;
    }
    int px = ValueToX(xs[start]);
    int py = ValueToY(channel, ys[start]);

    if (begin >= end) {
        if (!xChannel->m_now.Contains(xs[start]) || !channel.m_now.Contains(ys[start]))
            return;
        if (px < m_plotLeft || px > m_plotRight || py < m_plotTop || py > m_plotBottom)
            return;
        const wxColour colour = grnChannelColour(channel);
        dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
        if (m_traceWidth == 1) {
            // One pixel: a line one pixel long would also set its end pixel
            // here, where lines end in round caps.
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.DrawRectangle(px, py, 1, 1);
        } else {
            dc.SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
            dc.DrawRectangle(px - m_traceWidth / 2, py - m_traceWidth / 2, m_traceWidth, m_traceWidth);
        }
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        SetChannelPen(channel);
        return;
    }

    bool drawn = false;
    int last[4] = {0, 0, 0, 0};
    {
        CgrnSegments line(dc, grnChannelColour(channel), m_traceWidth == 1);
        for (int i = begin; i < end; ++i) {
            if (!HasValue(xs[i]) || !HasValue(ys[i]))
                continue;
            const int qx = ValueToX(xs[i]);
            const int qy = ValueToY(channel, ys[i]);
            int x1 = px;
            int y1 = py;
            int x2 = qx;
            int y2 = qy;
            if (ClipSegment(x1, y1, x2, y2)) {
                line.Add(x1, y1, x2, y2);
                last[0] = x1;
                last[1] = y1;
                last[2] = x2;
                last[3] = y2;
                drawn = true;
            }
            px = qx;
            py = qy;
        }
        // Sets the end pixel of the last segment too.
        if (drawn)
            line.Add(last[2], last[3], last[0], last[1]);
    }
}

void CgrnGraph::DrawPoints(CdocField& channel, int first, int end)
{
    const CdocField* xChannel = m_doc->m_graph.GetFieldX();
    if (!xChannel)
        return;
    wxDC& dc = *m_dc.GetDC();
    const wxColour colour = grnChannelColour(channel);
    int s = m_w1;
    if (m_doc->m_graph.GetHeavy()) {
        s = m_w3;
        wxPen pen(colour, m_w3, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_BUTT);
        dc.SetPen(pen);
    } else {
        dc.SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
    }
    const float* xs = xChannel->m_samples;
    const float* ys = channel.m_samples;
    for (int i = first; i < end; ++i) {
        if (!HasValue(xs[i]) || !HasValue(ys[i]))
            continue;
        if (!xChannel->m_now.Contains(xs[i]) || !channel.m_now.Contains(ys[i]))
            continue;
        const int px = ValueToX(xs[i]);
        const int py = ValueToY(channel, ys[i]);
        if (px < m_plotLeft || px > m_plotRight || py < m_plotTop || py > m_plotBottom)
            continue;
        if (s >= 2) {
            dc.DrawLine(px, py, px + s + 1, py + s + 1);
            dc.DrawLine(px, py, px + s + 1, py - s - 1);
            dc.DrawLine(px, py, px - s, py + s + 1);
            dc.DrawLine(px, py, px - s, py - s - 1);
        } else {
            dc.DrawLine(px - s, py - s, px + s + 1, py + s + 1);
            dc.DrawLine(px - s, py + s, px + s + 1, py - s - 1);
        }
    }
}

void CgrnGraph::DrawBars(CdocField& channel, int first, int end)
{
    const CdocField* xChannel = m_doc->m_graph.GetFieldX();
    if (!xChannel)
        return;
    wxDC& dc = *m_dc.GetDC();
    const int width = m_plotRight - m_plotLeft;
    int w = width / 50;
    if (xChannel->m_content == CONTENT_READING || xChannel->m_content == CONTENT_ELAPSED_TIME) {
        const CxhwMinMax& now = xChannel->m_now;
        w = grnToPixel(double(float(width) * 0.5f / (now.m_max - now.m_min)));
        w = std::max(w, 3);
        w = std::min(w, width / 3);
    }
    const int b = std::max(w, 1);
    int k = 0;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount() && fields.GetAt(i) != &channel; ++i)
        k += IsTraceChannel(fields.GetAt(i)) ? 1 : 0;
    const int offset = int((0.2f * float(k) - 0.5f) * float(b));

    const wxColour colour = grnChannelColour(channel);
    dc.SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
    const float* xs = xChannel->m_samples;
    const float* ys = channel.m_samples;
    for (int i = first; i < end; ++i) {
        if (!HasValue(xs[i]) || !HasValue(ys[i]) || !xChannel->m_now.Contains(xs[i]))
            continue;
        const int px = ValueToX(xs[i]);
        if (px < m_plotLeft || px + b > m_plotRight)
            continue;
        const int py = ValueToY(channel, ys[i]);
        if (py > m_plotBottom)
            continue;
        const int top = std::max(py, m_plotTop);
        dc.DrawRectangle(px + offset, top, b, m_plotBottom + 1 - top);
    }
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
}

void CgrnGraph::DrawMarksRange(int first, int last)
{
    const int n = std::clamp(m_doc->m_data.m_records, 0, DOC_MAX_SAMPLES);
    first = std::clamp(first, 0, n);
    last = std::clamp(last, 0, n);
    const CdocField* xChannel = m_doc->m_graph.GetFieldX();
    if (!xChannel)
        return;
    const float* xs = xChannel->m_samples;
    // Records from first to last, within those stored.
    last = std::min(last, n - 1);
    while (first <= last && !HasValue(xs[first]))
        ++first;
    while (last >= first && !HasValue(xs[last]))
        --last;
    if (first > last)
        return;
    wxDC& dc = *m_dc.GetDC();
    dc.SetPen(*wxBLACK_PEN);
    const int e = m_plotTop - m_traceHalf - m_w2;
    const auto& marks = m_doc->m_data.m_marks;
    for (int i = first; i <= last && i < int(marks.size()); ++i) {
        if (!marks[size_t(i)] || !xChannel->m_now.Contains(xs[i]))
            continue;
        const int px = ValueToX(xs[i]);
        if (px < m_plotLeft || px > m_plotRight)
            continue;
        dc.DrawLine(px, e, px, e - 3 * m_gap / 2);
        dc.DrawLine(px, e, px - m_w3, e - m_w3);
        dc.DrawLine(px, e, px + m_w3, e - m_w3);
    }
}

void CgrnGraph::DrawBestFits()
{
    const CdocField* xChannel = m_doc->m_graph.GetFieldX();
    if (!m_doc->m_graph.GetBest() || !xChannel)
        return;
    wxDC& dc = *m_dc.GetDC();
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    const float x1 = xChannel->m_now.m_min;
    const float x2 = xChannel->m_now.m_max;
    int c = 0;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* channel = fields.GetAt(i);
        if (!IsTraceChannel(channel))
            continue;
        SetChannelPen(*channel);
        dc.SetTextForeground(grnChannelColour(*channel));
        // The line runs from end to end of the x range, beyond the plot where
        // it leaves it; only what can show on the drawing is handed on.
        const CxhwMinMax& scale = m_scaleX.m_range;
        const CxhwMinMax& now = channel->m_now;
        auto toX = [&](float v) {
            return double((v - scale.m_min) * float(m_plotRight - m_plotLeft) / (scale.m_max - scale.m_min) +
                          float(m_plotLeft) + 0.5f);
        };
        auto toY = [&](float v) {
            return double((v - now.m_min) * float(m_plotTop - m_plotBottom) / (now.m_max - now.m_min)) +
                   (double(m_plotBottom) + 0.5);
        };
        double ax = toX(x1);
        double ay = toY(channel->m_fitM * x1 + channel->m_fitC);
        double bx = toX(x2);
        double by = toY(channel->m_fitM * x2 + channel->m_fitC);
        const wxRect box = wxRect(m_rect).Inflate(m_rect.width + 16, m_rect.height + 16);
        if (ClipToBox(ax, ay, bx, by, box))
            dc.DrawLine(grnToPixel(ax), grnToPixel(ay), grnToPixel(bx), grnToPixel(by));
        dc.DrawText(channel->m_fitLabel, m_plotLeft + m_textHeight,
                    int(float(c) * float(m_textHeight) * 1.2f + float(m_gap) + float(m_plotTop)));
        ++c;
    }
}

void CgrnGraph::DrawAnnotation(int index)
{
    CdocAnnotations& annotations = m_doc->m_annotations;
    if (index < 0 || index >= std::min(annotations.m_count, DOC_MAX_ANNOTATIONS))
        return;
    CdocAnnotation& annotation = annotations.m_slots[size_t(index)];
    const CdocField* xChannel = m_doc->m_graph.GetFieldX();
    if (!xChannel || annotation.GetFieldX() != xChannel)
        return;
    const CdocField* yChannel = annotation.GetFieldY();
    if (!yChannel || !yChannel->m_show)
        return;
    wxDC& dc = *m_dc.GetDC();
    dc.SetTextForeground(grnChannelColour(*yChannel));
    dc.DrawText(annotation.m_text, ValueToX(annotation.m_x), ValueToY(*yChannel, annotation.m_y) - m_textHeight / 2);
}

void CgrnGraph::DrawPendingAnnotation()
{
    const CdocToolState& state = m_doc->m_tool.m_now;
    if (!state.m_active || !state.m_annotate)
        return;
    CdocAnnotation& pending = m_doc->m_annotations.m_pending;
    const CdocField* yChannel = pending.GetFieldY();
    wxDC& dc = *m_dc.GetDC();
    dc.SetTextForeground(yChannel ? grnChannelColour(*yChannel) : *wxBLACK);
    dc.SetTextBackground(*wxWHITE);
    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    dc.DrawText(pending.m_text, FractionToX(state.m_fracX), FractionToY(state.m_fracY) - m_textHeight / 2);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
}

void CgrnGraph::DrawToolState(const CdocToolState& state, wxOverlay& overlay)
{
    if (!state.m_active || state.m_annotate)
        return;
    if (!m_dc.BeginXor(overlay))
        return;
    wxDC& dc = *m_dc.GetDC();
    const int x = FractionToX(state.m_fracX);
    const int x0 = FractionToX(state.m_fracX0);
    const int y = FractionToY(state.m_fracY);
    const int y0 = FractionToY(state.m_fracY0);
    const wxPen solid(*wxBLACK, 1, wxPENSTYLE_SOLID);
    const wxPen dashed(*wxBLACK, 1, wxPENSTYLE_LONG_DASH);
    auto vertical = [&](int at, const wxPen& pen) {
        dc.SetPen(pen);
        dc.DrawLine(at, m_plotBottom, at, m_plotTop);
    };
    auto horizontal = [&](int at, const wxPen& pen) {
        dc.SetPen(pen);
        dc.DrawLine(m_plotLeft, at, m_plotRight, at);
    };
    if (state.m_dragBox) {
        dc.SetPen(solid);
        const wxPoint corners[5] = {{x0, y0}, {x, y0}, {x, y}, {x0, y}, {x0, y0}};
        dc.DrawLines(5, corners);
    } else {
        switch (state.m_tool) {
        case TOOL_POSITION:
            horizontal(y, solid);
            vertical(x, solid);
            break;
        case TOOL_READING:
        case TOOL_GRADIENT:
            vertical(x, solid);
            break;
        case TOOL_CHANGE:
        case TOOL_AREA:
            vertical(x0, dashed);
            vertical(x, solid);
            break;
        case TOOL_DIFFERENCE:
            horizontal(y0, dashed);
            vertical(x0, dashed);
            horizontal(y, solid);
            vertical(x, solid);
            break;
        default:
            break;
        }
    }
    m_dc.EndXor();
}
