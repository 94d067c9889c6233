#include "views/grnGraph.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "views/grnGraphPixels.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/intl.h>
#include <wx/pen.h>

namespace {

// The graph font of the document: its stored description when the toolkit
// accepts it, else the application's default drawing font.
void MakeGraphFont(const CdocDoc* doc, wxFont& font)
{
    if (doc && !doc->m_graph.m_font.empty()) {
        wxFont stored;
        if (stored.SetNativeFontInfo(doc->m_graph.m_font) && stored.IsOk()) {
            font = stored;
            return;
        }
    }
    // The copy shares the application's font until its size or weight is
    // changed, which then copies it.
    grnUseDefaultFont(font);
}

} // namespace

CgrnGraph::CgrnGraph()
{
    m_lastGaugeValue.fill(DOC_NO_VALUE);
}

CgrnGraph::~CgrnGraph() = default;

void CgrnGraph::SetDoc(CdocDoc* doc)
{
    m_doc = doc;
    m_layoutValid = false;
    UpdateScales();
}

void CgrnGraph::UpdateScales()
{
    CdocField* x = nullptr;
    CdocField* left = nullptr;
    CdocField* right = nullptr;
    int large = 0;
    if (m_doc) {
        x = m_doc->m_graph.GetFieldX();
        left = m_doc->m_graph.GetFieldL();
        right = m_doc->m_graph.GetFieldR();
        large = m_doc->m_graph.GetHeavy() ? 1 : 0;
    }
    m_scaleX.Set(x, false, 0, large);
    m_scaleLeft.Set(left, false, 0, large);
    m_scaleRight.Set(right, false, 1, large);
    if (m_doc && m_doc->m_graph.m_bars)
        m_scaleX.WidenForBars();
    m_clockActive = false;
    if (m_doc && m_doc->m_graphTimeAndDate) {
        CdocFieldKey elapsed;
        if (m_doc->m_data.m_fields.FindContent(elapsed, 0, CONTENT_ELAPSED_TIME) && x && elapsed.m_field == x)
            m_clockActive = m_clock.Set(x, false, 0, large);
    }
}

void CgrnGraph::Attach(wxDC& dc)
{
    AttachPrint(dc, false, 0.0f, 0.0f);
    m_printing = false;
    m_printScaleX = float(m_ppiX);
    m_printScaleY = float(m_ppiY);
}

void CgrnGraph::AttachPrint(wxDC& dc, bool corrected, float sx, float sy)
{
    m_dc.SetDC(&dc);
    const wxSize ppi = m_dc.GetPPI();
    m_ppiX = ppi.x;
    m_ppiY = ppi.y;
    m_printing = true;
    m_scaleCorrected = corrected;
    m_printScaleX = sx;
    m_printScaleY = sy;
    // Lines are not smoothed: a trace drawn again over itself, as the
    // incremental drawing does, then sets exactly the same pixels, and long
    // traces draw several times faster. Texts stay smoothed.
    m_smoothingSaved = false;
    if (wxGraphicsContext* context = dc.GetGraphicsContext()) {
        m_smoothing = int(context->GetAntialiasMode());
        m_smoothingSaved = true;
        context->SetAntialiasMode(wxANTIALIAS_NONE);
    }
    PrepareFont(false);
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_font);
}

void CgrnGraph::Detach()
{
    if (wxDC* dc = m_dc.GetDC()) {
        wxGraphicsContext* context = dc->GetGraphicsContext();
        if (m_smoothingSaved && context)
            context->SetAntialiasMode(wxAntialiasMode(m_smoothing));
    }
    m_smoothingSaved = false;
    m_dc.SetDC(nullptr);
}

void CgrnGraph::SetRect(const wxRect& rect)
{
    if (rect != m_rect) {
        m_rect = rect;
        m_layoutValid = false;
    }
}

void CgrnGraph::PrepareFont(bool force)
{
    if (!force && m_fontReady)
        return;
    m_fontReady = true;
    MakeGraphFont(m_doc, m_font);
    const bool heavy = m_doc && m_doc->m_graph.GetHeavy();
    int s = m_font.GetPointSize();
    if (heavy)
        s = int(float(s) * 1.5f);
    if (m_printing && m_scaleCorrected && m_ppiY > 0)
        s = int(float(s) * m_printScaleY / float(m_ppiY));
    else if (m_printing)
        s = int(float(m_ppiY) * float(s) / 72.0f + 0.5f);
    if (m_printing)
        s = std::max(s, 1);
    if (s > 0)
        m_font.SetPointSize(s);
    if (heavy)
        m_font.SetWeight(wxFONTWEIGHT_BOLD);
}

bool CgrnGraph::IsTraceChannel(const CdocField* channel) const
{
    if (!m_doc || !channel || !channel->m_show)
        return false;
    if (channel->m_content == CONTENT_READING || channel->m_content == CONTENT_ELAPSED_TIME)
        return false;
    return channel != m_doc->m_data.m_fields.Lookup(m_doc->m_graph.m_axisX);
}

CdocField* CgrnGraph::GetTraceChannel(int n) const
{
    if (!m_doc || n < 0)
        return nullptr;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* channel = fields.GetAt(i);
        if (IsTraceChannel(channel) && n-- == 0)
            return channel;
    }
    return nullptr;
}

bool CgrnGraph::ComputeLayout()
{
    if (!m_doc) {
        m_layoutValid = false;
        return false;
    }
    if (m_layoutValid)
        return true;
    wxDC* dc = m_dc.GetDC();
    if (!dc)
        return false;
    m_lastGaugeValue.fill(DOC_NO_VALUE);
    m_gaugeDrawn.fill(false);
    PrepareFont(true);
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_font);

    m_textHeight = dc->GetCharHeight();
    m_gap = std::max(1, m_textHeight / 2);
    m_w1 = std::max(1, 1 * m_ppiX / 96);
    m_w2 = std::max(2, 2 * m_ppiX / 96);
    m_w3 = std::max(3, 3 * m_ppiX / 96);
    m_w4 = std::max(4, 4 * m_ppiX / 96);
    const bool heavy = m_doc->m_graph.GetHeavy();
    m_traceWidth = heavy ? m_w3 : 1;
    m_traceHalf = m_traceWidth / 2;

    m_inner = m_rect;
    auto shrink = [this](int& start, int& size) {
        if (size < 2 * m_w3) {
            start += size / 2;
            size = 0;
        } else {
            start += m_w3;
            size -= 2 * m_w3;
        }
    };
    shrink(m_inner.x, m_inner.width);
    shrink(m_inner.y, m_inner.height);

    m_gaugeCount = 0;
    for (int i = 0; i < m_doc->m_data.m_fields.GetCount(); ++i)
        m_gaugeCount += IsTraceChannel(m_doc->m_data.m_fields.GetAt(i)) ? 1 : 0;
    m_gaugeLeft = m_rect.x + m_rect.width - 1;
    m_gaugeWidth = 0;
    m_gaugeStep = 0;
    if (m_gaugeCount > 0 && m_doc->m_viewGauge) {
        // Each gauge takes about 2.5% of the width: count × 0.5 / 20 × width.
        const int q = (m_gaugeCount * std::max(0, m_rect.width) / 40) / m_gaugeCount;
        m_gaugeWidth = q >= 2 ? 4 * q / 5 : 1;
        m_gaugeStep = 5 * m_gaugeWidth / 4;
        m_gaugeLeft = m_rect.x + m_rect.width - 1 - m_traceHalf - m_gaugeWidth - m_w4 -
                      (m_gaugeCount - 1) * m_gaugeStep;
        m_inner.width = m_gaugeLeft - (m_w4 + m_traceHalf + m_inner.x);
    }

    m_plotTop = m_inner.y + m_w2 + m_traceHalf + 2 * m_textHeight;
    const int xRoom = m_clockActive ? m_clock.GetAxisHeight(m_dc) : m_scaleX.GetAxisHeight(m_dc);
    m_plotBottom = m_inner.y + m_inner.height - 1 - m_traceHalf - m_w2 - xRoom - m_textHeight;

    const bool hasLeft = m_doc->m_graph.GetFieldL() != nullptr;
    const bool hasRight = m_doc->m_graph.GetFieldR() != nullptr;
    int leftRoom = hasLeft ? m_scaleLeft.GetAxisWidth(m_dc, m_plotBottom - m_plotTop) : m_w2;
    int rightRoom = hasRight ? m_scaleRight.GetAxisWidth(m_dc, m_plotBottom - m_plotTop) : m_w2;
    auto placeSides = [&] {
        m_plotLeft = m_inner.x + leftRoom + m_traceHalf + m_w2;
        m_plotRight = m_inner.x + m_inner.width - 1 - rightRoom - m_traceHalf - m_w2;
    };
    placeSides();

    // The x labels overhang the plot's ends by half a label.
    int labelRoom = 0;
    if (m_clockActive) {
        m_clockActive = m_clock.Layout(m_dc, m_plotLeft, m_plotRight - m_plotLeft);
        labelRoom = m_clockActive ? m_clock.GetAxisWidth(m_dc)
                                  : m_scaleX.GetAxisWidth(m_dc, m_plotRight - m_plotLeft);
    } else {
        labelRoom = m_scaleX.GetAxisWidth(m_dc, m_plotRight - m_plotLeft);
    }
    leftRoom = std::max(leftRoom, labelRoom / 2);
    rightRoom = std::max(rightRoom, labelRoom / 2);
    placeSides();
    if (m_clockActive)
        m_clockActive = m_clock.Layout(m_dc, m_plotLeft, m_plotRight - m_plotLeft);

    m_layoutValid = true;
    return true;
}

void CgrnGraph::Layout(wxDC& dc, const wxRect& rect)
{
    Attach(dc);
    SetRect(rect);
    ComputeLayout();
    Detach();
}

bool CgrnGraph::Draw(wxDC& dc, const wxRect& rect, bool frame)
{
    Attach(dc);
    SetRect(rect);
    const bool ok = ComputeLayout();
    if (ok)
        DrawAll(frame);
    Detach();
    return ok;
}

bool CgrnGraph::DrawPrint(wxDC& dc, const wxRect& page, bool frame, bool corrected, float sx, float sy)
{
    m_layoutValid = false;
    AttachPrint(dc, corrected, sx, sy);
    SetRect(page);
    const bool ok = ComputeLayout();
    if (ok)
        DrawAll(frame);
    Detach();
    return ok;
}

void CgrnGraph::DrawAll(bool frame)
{
    wxDC& dc = *m_dc.GetDC();
    if (frame)
        m_dc.DrawBevel(m_rect.x, m_rect.y, m_rect.width - 1, m_rect.height - 1, true);
    const int bottomLine = m_inner.y + m_inner.height - 1;

    if (m_doc->m_viewTitle) {
        const wxSize extent = dc.GetTextExtent(m_doc->m_title);
        dc.DrawText(m_doc->m_title, m_inner.x + (m_inner.width - extent.x) / 2, m_inner.y);
    }
    if (!m_clockActive && appIsAllowed(FEATURE_START_LINE)) {
        const wxString start = m_doc->m_data.GetStartText();
        if (!start.empty()) {
            const wxString text = _("Started") + " " + start;
            dc.DrawText(text, m_inner.x, bottomLine - dc.GetTextExtent(text).y);
        }
    }

    CdocGraph& graph = m_doc->m_graph;
    const int axisY = m_plotBottom + m_traceHalf + m_w2;
    if (CdocField* x = graph.GetFieldX()) {
        SetChannelPen(*x);
        dc.SetTextForeground(grnChannelColour(*x));
        if (m_clockActive) {
            m_clock.DrawAxis(m_dc, m_plotLeft, axisY, m_plotRight - m_plotLeft);
            const wxSize first = dc.GetTextExtent(m_clock.m_firstText);
            dc.DrawText(m_clock.m_firstText, m_inner.x, bottomLine - first.y);
            const wxSize last = dc.GetTextExtent(m_clock.m_lastText);
            dc.DrawText(m_clock.m_lastText, m_plotRight + 1 - last.x, bottomLine - first.y);
        } else {
            m_scaleX.DrawAxisX(m_dc, m_plotLeft, axisY, m_plotRight - m_plotLeft);
            const wxSize units = dc.GetTextExtent(x->m_unit);
            dc.DrawText(x->m_unit, m_plotRight + 1 - units.x, bottomLine - units.y);
        }
    }
    if (CdocField* left = graph.GetFieldL()) {
        SetChannelPen(*left);
        dc.SetTextForeground(grnChannelColour(*left));
        m_scaleLeft.DrawAxisY(m_dc, m_plotLeft - m_traceHalf - m_w2, m_plotTop, m_plotBottom - m_plotTop);
        dc.DrawText(left->m_unit, m_inner.x, m_inner.y);
    }
    if (CdocField* right = graph.GetFieldR()) {
        SetChannelPen(*right);
        dc.SetTextForeground(grnChannelColour(*right));
        m_scaleRight.DrawAxisY(m_dc, m_plotRight + m_traceHalf + m_w2, m_plotTop, m_plotBottom - m_plotTop);
        const wxSize units = dc.GetTextExtent(right->m_unit);
        dc.DrawText(right->m_unit, m_inner.x + m_inner.width - units.x, m_inner.y);
    }
    if (graph.GetGrid()) {
        dc.SetPen(wxPen(wxColour(128, 128, 128), 1, wxPENSTYLE_DOT));
        if (m_clockActive)
            m_clock.DrawGrid(m_dc, m_plotBottom, m_plotTop);
        else
            m_scaleX.DrawGridX(m_dc, m_plotLeft, m_plotBottom, m_plotRight - m_plotLeft, m_plotTop);
        m_scaleLeft.DrawGridY(m_dc, m_plotLeft, m_plotTop, m_plotBottom - m_plotTop, m_plotRight);
    }
    if (m_gaugeCount > 0 && m_doc->m_viewGauge)
        DrawGauges(false);

    const int n = std::clamp(m_doc->m_data.m_records, 0, DOC_MAX_SAMPLES);
    DrawTraces(0, n);
    DrawMarksRange(0, n);
    for (int i = 0; i < m_doc->m_annotations.m_count; ++i)
        DrawAnnotation(i);
    DrawBestFits();
    DrawPendingAnnotation();
}

float CgrnGraph::GetGaugeValue(CdocField& channel)
{
    wxString text;
    if (m_doc->m_tool.m_now.m_active)
        return m_doc->m_tool.GetCursorText(text, &channel);
    return channel.GetCurrentText(text);
}

void CgrnGraph::DrawGauges(bool changedOnly)
{
    int x = m_gaugeLeft;
    const int height = m_plotBottom - m_plotTop + 1;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    const int count = std::min(fields.GetCount(), int(m_lastGaugeValue.size()));
    for (int i = 0; i < count; ++i) {
        CdocField* channel = fields.GetAt(i);
        if (!IsTraceChannel(channel))
            continue;
        const float v = GetGaugeValue(*channel);
        const size_t k = size_t(i);
        if (!(changedOnly && v == m_lastGaugeValue[k])) {
            auto fraction = [channel](float value) {
                return docIsNoValue(value) ? 0.0f : channel->m_now.ToFraction(value);
            };
            // During a run only the rows between the old and new level are
            // drawn: a gauge is a tall box, and filling it whole for every
            // reading costs more than drawing the traces.
            if (changedOnly && m_gaugeDrawn[k])
                m_dc.ChangeLevel(x, m_plotTop, m_gaugeWidth, height, grnChannelColour(*channel),
                                 fraction(m_lastGaugeValue[k]), fraction(v));
            else
                m_dc.FillLevel(x, m_plotTop, m_gaugeWidth, height, grnChannelColour(*channel), fraction(v));
            m_lastGaugeValue[k] = v;
            m_gaugeDrawn[k] = true;
        }
        x += m_gaugeStep;
    }
}

float CgrnGraph::XToFraction(int x) const
{
    const CdocField* channel = m_doc ? m_doc->m_data.m_fields.Lookup(m_doc->m_graph.m_axisX) : nullptr;
    const float width = float(m_plotRight - m_plotLeft);
    const float along = width == 0.0f ? 0.0f : float(x - m_plotLeft) / width;
    if (!channel || m_scaleX.m_range == channel->m_now)
        return along;
    const CxhwMinMax& scale = m_scaleX.m_range;
    const CxhwMinMax& now = channel->m_now;
    const float v = scale.m_min + (scale.m_max - scale.m_min) * along;
    if (now.m_max == now.m_min)
        return 0.0f;
    return (v - now.m_min) / (now.m_max - now.m_min);
}

int CgrnGraph::FractionToX(float f) const
{
    const CdocField* channel = m_doc ? m_doc->m_data.m_fields.Lookup(m_doc->m_graph.m_axisX) : nullptr;
    const float width = float(m_plotRight - m_plotLeft);
    if (!channel || m_scaleX.m_range == channel->m_now)
        return grnToPixel(double(float(m_plotLeft) + 0.5f + f * width));
    const CxhwMinMax& scale = m_scaleX.m_range;
    const CxhwMinMax& now = channel->m_now;
    if (scale.m_max == scale.m_min)
        return m_plotLeft;
    return grnToPixel(double(((now.m_max - now.m_min) * f + now.m_min - scale.m_min) * width /
                                 (scale.m_max - scale.m_min) +
                             float(m_plotLeft) + 0.5f));
}

float CgrnGraph::YToFraction(int y) const
{
    if (m_plotTop == m_plotBottom)
        return 0.0f;
    return float(y - m_plotBottom) / float(m_plotTop - m_plotBottom);
}

int CgrnGraph::FractionToY(float f) const
{
    return grnToPixel(double(float(m_plotBottom) + 0.5f + f * float(m_plotTop - m_plotBottom)));
}

void CgrnGraph::HitTest(CgrnGraphHit& hit)
{
    hit.m_area = HIT_NONE;
    hit.m_key.Clear();
    hit.m_fx = XToFraction(hit.m_x);
    hit.m_fy = YToFraction(hit.m_y);
    if (m_doc && m_doc->m_viewGauge && hit.m_x > m_gaugeLeft) {
        if (m_gaugeStep > 0) {
            if (CdocField* channel = GetTraceChannel((hit.m_x - m_gaugeLeft) / m_gaugeStep)) {
                hit.m_area = HIT_GAUGE;
                hit.m_key = CdocFieldKey(channel->m_key, -1, channel);
            }
        }
        return;
    }
    if (hit.m_y > m_plotBottom)
        hit.m_area = HIT_AXIS_X;
    else if (hit.m_x < m_plotLeft)
        hit.m_area = HIT_AXIS_LEFT;
    else if (hit.m_x > m_plotRight)
        hit.m_area = HIT_AXIS_RIGHT;
    else if (hit.m_y < m_plotTop)
        hit.m_area = HIT_TITLE;
    else
        hit.m_area = HIT_PLOT;
}

bool CgrnGraph::BeginIncremental(wxDC& dc, const wxRect& rect)
{
    if (rect != m_rect) {
        m_rect = rect;
        m_layoutValid = false;
        return false;
    }
    if (!m_layoutValid)
        return false;
    Attach(dc);
    if (!ComputeLayout()) {
        Detach();
        return false;
    }
    return true;
}

bool CgrnGraph::DrawSamples(wxDC& dc, const wxRect& rect, int first, int last)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    if (!BeginIncremental(dc, rect))
        return false;
    if (last != -1) {
        // One record of overlap on each side, so that the new samples join
        // the trace on screen.
        DrawTraces(std::max(first, 0) - 1, std::min(last, DOC_MAX_SAMPLES) + 1);
        DrawPendingAnnotation();
    }
    if (m_gaugeCount > 0 && m_doc->m_viewGauge)
        DrawGauges(true);
    Detach();
    return true;
}

bool CgrnGraph::DrawMarks(wxDC& dc, const wxRect& rect, int first, int last)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    if (!BeginIncremental(dc, rect))
        return false;
    DrawMarksRange(first, last);
    Detach();
    return true;
}

bool CgrnGraph::DrawToolReadouts(wxDC& dc, const wxRect& rect)
{
    if (!BeginIncremental(dc, rect))
        return false;
    if (m_gaugeCount > 0 && m_doc->m_viewGauge)
        DrawGauges(true);
    Detach();
    return true;
}

bool CgrnGraph::DrawAnnotationCursor(wxDC& dc, wxRect& rect)
{
    if (!BeginIncremental(dc, rect))
        return false;
    const wxSize extent = dc.GetTextExtent(m_doc->m_annotations.m_pending.m_text);
    auto at = [&](const CdocToolState& state) {
        return wxRect(FractionToX(state.m_fracX), FractionToY(state.m_fracY) - m_textHeight / 2, extent.x,
                      extent.y);
    };
    const wxRect was = at(m_doc->m_tool.m_was);
    const wxRect now = at(m_doc->m_tool.m_now);
    rect = was.Union(now);
    Detach();
    return true;
}

void CgrnGraph::DrawToolCursors(wxDC& dc, const wxRect& rect, wxOverlay& overlay)
{
    Attach(dc);
    SetRect(rect);
    if (ComputeLayout())
        DrawToolState(m_doc->m_tool.m_now, overlay);
    Detach();
}
