#include "views/grnBoxes.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "views/grnGraphPixels.h"
#include "views/grnPalette.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/settings.h>

namespace {

// The text shown while a fast run has no reading yet, and the timing
// status while no timer runs.
constexpr int STRING_WAITING = 2448;

constexpr int MAX_GATES = 6;

wxColour FaceColour()
{
    return wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
}

} // namespace

CgrnBoxes::CgrnBoxes()
{
    m_phases.fill(-1);
}

CgrnBoxes::~CgrnBoxes() = default;

void CgrnBoxes::SetDoc(CdocDoc* doc)
{
    m_doc = doc;
    m_layoutValid = false;
}

void CgrnBoxes::MakeFont()
{
    // The table font of the document: its stored description when the
    // toolkit accepts it, else the application's default drawing font.
    wxFont font;
    if (m_doc && !m_doc->m_table.m_font.empty() && font.SetNativeFontInfo(m_doc->m_table.m_font) && font.IsOk())
        m_font = font;
    else
        grnUseDefaultFont(m_font);
    m_font.SetWeight(wxFONTWEIGHT_BOLD);
    m_fontPrepared = true;
}

void CgrnBoxes::BeginDraw(wxDC& dc)
{
    m_dc.SetDC(&dc);
    if (!m_fontPrepared)
        MakeFont();
    // Selected into this context even if the wrapper selected it into another.
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_font);
}

void CgrnBoxes::EndDraw()
{
    m_dc.SetDC(nullptr);
}

void CgrnBoxes::Prepare(wxDC& dc, const wxRect& rect)
{
    BeginDraw(dc);
    if (rect != m_rect) {
        m_layoutValid = false;
        m_rect = rect;
    }
    Layout();
    EndDraw();
}

bool CgrnBoxes::Layout()
{
    if (!m_doc) {
        m_layoutValid = false;
        return false;
    }
    if (m_layoutValid)
        return true;
    CollectChannels();
    for (int i = 0; i < m_count; ++i) {
        m_upperTexts[size_t(i)].clear();
        m_lowerTexts[size_t(i)].clear();
    }
    m_timeText.clear();
    m_dateText.clear();

    // A changed table font takes effect here.
    MakeFont();
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_font);

    wxDC& dc = *m_dc.GetDC();
    const float r = float(m_dc.GetPPI().x) / 90.0f;
    auto scaled = [r](int k) { return std::max(k, int(float(k) * r)); };
    m_u2 = scaled(2);
    m_u3 = scaled(3);
    m_u4 = scaled(4);
    m_ch = dc.GetCharHeight();
    m_inner = m_rect;
    m_inner.Deflate(m_u2);

    m_boxLeft = m_inner.x;
    m_firstBoxTop = m_inner.y;
    m_boxWidth = m_inner.width;
    m_boxHeight = 2 * (m_ch + m_u3);
    m_pitch = m_boxHeight + m_u4;
    m_symbolSize = int(1.5 * double(m_ch));
    m_symbolLeft = m_inner.x + m_u3;
    m_textLeft = m_inner.x + m_u3 + m_symbolSize + m_u2;
    m_textWidth = m_inner.x + m_inner.width - m_u3 - m_textLeft;
    m_upperTop = m_inner.y + m_u3;
    m_lowerTop = m_inner.y + m_u3 + m_ch;
    m_layoutValid = true;
    return true;
}

void CgrnBoxes::CollectChannels()
{
    m_count = 0;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME) || fields.FindContent(key, 0, CONTENT_READING))
        m_boxes[size_t(m_count++)] = key;
    if (m_doc->CanShowTimeAndDate())
        m_boxes[size_t(m_count++)] = CdocFieldKey();
    for (int n = 0; m_count < MAX_BOXES && fields.GetNonTime(key, n); ++n)
        m_boxes[size_t(m_count++)] = key;
}

bool CgrnBoxes::HasSymbol(CdocField* channel) const
{
    return channel && channel->m_content != CONTENT_READING && channel->m_content != CONTENT_ELAPSED_TIME &&
           channel != m_doc->m_graph.GetFieldX();
}

bool CgrnBoxes::IsTimingRun() const
{
    return (m_doc->m_state == DOC_STATE_FETCHING || m_doc->m_state == DOC_STATE_RUNNING) &&
           m_doc->m_activity == ACTIVITY_TIMING;
}

bool CgrnBoxes::Draw(wxDC& dc, const wxRect& rect)
{
    BeginDraw(dc);
    if (rect != m_rect) {
        m_layoutValid = false;
        m_rect = rect;
    }
    if (!Layout()) {
        EndDraw();
        return false;
    }
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < m_count; ++i) {
        CdocField* channel = fields.Find(m_boxes[size_t(i)]);
        const int top = GetBoxTop(i);
        m_dc.DrawBevel(m_boxLeft, top, m_boxLeft + m_boxWidth, top + m_boxHeight, true);
        if (HasSymbol(channel))
            DrawSymbol(i, channel->m_content == CONTENT_SENSOR ? channel->m_socket + 1 : 0, channel->m_show);
    }
    DrawTexts(false);
    if (IsTimingRun()) {
        DrawTimingStatus(false);
        DrawGates(false);
    }
    EndDraw();
    return true;
}

bool CgrnBoxes::DrawChanges(wxDC& dc, const wxRect& rect)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    if (rect != m_rect) {
        m_layoutValid = false;
        m_rect = rect;
        return false;
    }
    if (!m_layoutValid)
        return false;
    BeginDraw(dc);
    if (!Layout()) {
        EndDraw();
        return false;
    }
    DrawTexts(true);
    if (IsTimingRun()) {
        DrawTimingStatus(true);
        DrawGates(true);
    }
    EndDraw();
    return true;
}

void CgrnBoxes::DrawSymbol(int i, int digit, bool shown)
{
    wxDC& dc = *m_dc.GetDC();
    const int s = m_symbolSize;
    const int sx = m_symbolLeft;
    const int sy = GetBoxTop(i) + m_u2 + (m_boxHeight - s) / 2;
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(sx, sy, s, s);
    if (digit >= 1 && digit <= 6)
        DrawDigit(digit, sx + s - 1 - m_u2 - m_u3, sy + s - 1 - m_u3 - m_u4);
    if (!shown)
        return;
    const int xl = sx + m_u2;
    const int xm = int(double(sx) + 0.4 * double(s));
    const int xr = sx + s - 1;
    const int yt = sy - m_u4;
    const int ym = int(double(sy) + 0.4 * double(s));
    const int yb = sy + s - 1 - m_u2;
    const int n = int(double(yb - ym) * 0.6);
    dc.SetPen(wxPen(wxColour(128, 255, 128), 1, wxPENSTYLE_SOLID));
    dc.DrawLine(xm, yb - n, xl, ym);
    dc.DrawLine(xm, yb - n, xr, yt);
    dc.SetPen(wxPen(wxColour(64, 160, 64), 1, wxPENSTYLE_SOLID));
    for (int y = yb - n + 1; y <= yb - 1; ++y) {
        dc.DrawLine(xm, y, xl, ym);
        dc.DrawLine(xm, y, xr, yt);
    }
    dc.SetPen(wxPen(wxColour(0, 128, 0), 1, wxPENSTYLE_SOLID));
    dc.DrawLine(xl, ym, xm, yb);
    dc.DrawLine(xm, yb, xr, yt);
}

void CgrnBoxes::DrawDigit(int digit, int a, int b)
{
    struct Stroke
    {
        int x1, y1, x2, y2;
    };
    static const Stroke STROKES[6][5] = {
        {{0, 1, 1, 0}, {1, 0, 1, 4}, {0, 4, 3, 4}},
        {{0, 0, 2, 0}, {2, 0, 2, 2}, {2, 2, 0, 2}, {0, 2, 0, 4}, {0, 4, 3, 4}},
        {{0, 0, 2, 0}, {2, 0, 2, 4}, {2, 4, -1, 4}, {0, 2, 2, 2}},
        {{0, 0, 0, 3}, {0, 3, 2, 3}, {2, 1, 2, 5}},
        {{2, 0, 0, 0}, {0, 0, 0, 2}, {0, 2, 2, 2}, {2, 2, 2, 4}, {2, 4, -1, 4}},
        {{2, 0, 0, 0}, {0, 0, 0, 4}, {0, 4, 2, 4}, {2, 4, 2, 2}, {2, 2, 0, 2}},
    };
    static const int COUNTS[6] = {3, 5, 4, 3, 5, 5};
    if (digit < 1 || digit > 6)
        return;
    wxDC& dc = *m_dc.GetDC();
    for (int k = 0; k < COUNTS[digit - 1]; ++k) {
        const Stroke& s = STROKES[digit - 1][k];
        dc.DrawLine(a + s.x1, b + s.y1, a + s.x2, b + s.y2);
    }
}

void CgrnBoxes::DrawTexts(bool onlyChanged)
{
    wxDC& dc = *m_dc.GetDC();
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < m_count; ++i) {
        CdocField* channel = fields.Find(m_boxes[size_t(i)]);
        if (!channel) {
            dc.SetTextForeground(*wxBLACK);
            DrawTimeAndDate(i, onlyChanged);
            continue;
        }
        wxString upper;
        wxString lower;
        GetTexts(*channel, upper, lower);
        dc.SetTextForeground(channel->m_show ? grnChannelColour(*channel) : *wxLIGHT_GREY);
        DrawUpperText(i, upper, onlyChanged);
        DrawLowerText(i, lower, onlyChanged);
    }
}

void CgrnBoxes::GetTexts(CdocField& channel, wxString& upper, wxString& lower)
{
    upper.clear();
    lower.clear();
    if (m_doc->m_tool.m_now.m_active) {
        m_doc->m_tool.GetUnits(lower, &channel);
        m_doc->m_tool.GetValueText(upper, &channel);
        return;
    }
    const bool running = m_doc->m_state == DOC_STATE_FETCHING || m_doc->m_state == DOC_STATE_RUNNING;
    if (running && m_doc->m_activity != ACTIVITY_SCOPE) {
        float value = 0.0f;
        if (m_doc->m_activity == ACTIVITY_TIMING && m_doc->m_timing.GetValueText(channel, value, upper, lower))
            return;
        if (m_doc->m_activity == ACTIVITY_FAST && channel.m_content == CONTENT_ELAPSED_TIME &&
            m_doc->m_data.m_records == 0) {
            upper = wxTheApp ? wxGetApp().m_res.GetString(STRING_WAITING) : wxString();
            lower = channel.m_unit;
            return;
        }
        channel.GetCurrentText(upper);
        lower = channel.m_unit;
        return;
    }
    upper = channel.m_name;
    if (!channel.m_unit.empty())
        lower = "(" + channel.m_unit + ")";
}

void CgrnBoxes::DrawLine(int top, const wxString& text, wxString& cache, bool onlyChanged, int inset)
{
    if (onlyChanged && text == cache)
        return;
    cache = text;
    wxDC& dc = *m_dc.GetDC();
    dc.DrawRectangle(m_textLeft, top, m_textWidth, m_ch);
    const int w = m_dc.GetTextExtent(text).x;
    dc.DrawText(text, m_textLeft + m_textWidth - w - inset, top);
}

void CgrnBoxes::DrawUpperText(int i, const wxString& text, bool onlyChanged)
{
    DrawLine(m_upperTop + i * m_pitch, text, m_upperTexts[size_t(i)], onlyChanged, 1);
}

void CgrnBoxes::DrawLowerText(int i, const wxString& text, bool onlyChanged)
{
    DrawLine(m_lowerTop + i * m_pitch, text, m_lowerTexts[size_t(i)], onlyChanged, 1);
}

void CgrnBoxes::DrawTimeAndDate(int i, bool onlyChanged)
{
    wxString time;
    wxString date;
    m_doc->GetTimeAndDateText(time, date);
    DrawLine(m_upperTop + i * m_pitch, time, m_timeText, onlyChanged, 1);
    DrawLine(m_lowerTop + i * m_pitch, date, m_dateText, onlyChanged, 0);
}

void CgrnBoxes::DrawTimingStatus(bool onlyChanged)
{
    const wxString text = m_doc->m_timing.m_stateText;
    if (onlyChanged && text == m_statusText)
        return;
    wxDC& dc = *m_dc.GetDC();
    const wxColour face = FaceColour();
    dc.SetPen(wxPen(face, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(face));
    dc.SetTextBackground(face);
    dc.SetTextForeground(*wxBLACK);
    const int x = m_inner.x;
    const int y = m_inner.y + m_inner.height - 1 - 3 * m_u2 - 2 * m_ch - m_u4;
    dc.DrawRectangle(x, y, m_inner.width, m_ch);
    const wxSize extent = m_dc.GetTextExtent(text);
    dc.DrawText(text, x + (m_inner.width - extent.x) / 2, y + (m_ch - extent.y) / 2);
    m_statusText = text;
}

void CgrnBoxes::DrawGates(bool onlyChanged)
{
    wxDC& dc = *m_dc.GetDC();
    const CdocTiming& timing = m_doc->m_timing;
    const int word = timing.m_stateLast;
    const int m = std::clamp(int(m_doc->m_boxInfo.m_info.m_maxSensors), 0, MAX_GATES);
    // A set-up edited in the program has at least one bar; a file might not.
    const int bars = std::max(m_doc->m_setup.m_bars, 1);
    const int side = m_ch + 2 * m_u2;
    const int gap = (m_inner.width - m * side) / (m + 1);
    const int k = (side - 1) / bars;
    const int gy = m_inner.y + m_inner.height - 1 - m_u2 - side;
    auto gx = [&](int i) { return m_inner.x + gap + i * (side + gap); };

    if (!onlyChanged || word != m_gateWord) {
        for (int set = 0; set < 2; ++set) {
            dc.SetPen(*wxGREY_PEN);
            dc.SetBrush(set ? *wxBLACK_BRUSH : *wxWHITE_BRUSH);
            dc.SetTextBackground(set ? *wxBLACK : *wxWHITE);
            dc.SetTextForeground(set ? *wxWHITE : *wxBLACK);
            for (int i = 0; i < m; ++i) {
                const int bit = 1 << i;
                if (((word & bit) != 0) != (set == 1))
                    continue;
                if (onlyChanged && ((word ^ m_gateWord) & bit) == 0)
                    continue;
                dc.DrawRectangle(gx(i), gy, side, side);
                const wxString number = wxString::Format("%d", i + 1);
                const wxSize extent = m_dc.GetTextExtent(number);
                dc.DrawText(number, gx(i) + (side - extent.x) / 2, gy + (side - extent.y) / 2);
            }
        }
    }
    m_gateWord = word;

    const wxPen facePen(FaceColour(), 1, wxPENSTYLE_SOLID);
    const CgrnRGB red = grnGetPaletteEntry(8);
    const wxPen redPen(wxColour(red.m_red, red.m_green, red.m_blue), 1, wxPENSTYLE_SOLID);
    const int changed = word ^ timing.m_stateStart;
    for (int i = 0; i < m; ++i) {
        const int bit = 1 << i;
        if (!timing.HasGateInput(bit))
            continue;
        const int r = ((timing.m_cardCount[i] % bars) + bars) % bars;
        const int p = ((changed & bit) == 0 && r == 0) ? -1 : (r + bars - 1) % bars;
        if (onlyChanged && p == m_phases[size_t(i)])
            continue;
        const int x = gx(i);
        for (int y = gy + side; y <= gy + side + 1; ++y) {
            if (p == -1) {
                dc.SetPen(facePen);
                dc.DrawLine(x, y, x + side, y);
                continue;
            }
            dc.SetPen(redPen);
            dc.DrawLine(x + p * k, y, x + (p + 1) * k + 1, y);
            dc.SetPen(facePen);
            dc.DrawLine(x, y, x + p * k, y);
            dc.DrawLine(x + (p + 1) * k, y, x + side, y);
        }
        m_phases[size_t(i)] = p;
    }
}

void CgrnBoxes::HitTest(CgrnBoxesHit& hit)
{
    hit.m_kind = BOXES_HIT_NONE;
    if (!m_doc || !m_layoutValid || m_pitch <= 0)
        return;
    // Truncated toward zero: a point a little above the first box is in it.
    const int row = (hit.m_y - m_firstBoxTop) / m_pitch;
    if (row < 0 || row >= m_count)
        return;
    hit.m_key = m_boxes[size_t(row)];
    CdocField* channel = m_doc->m_data.m_fields.Find(hit.m_key);
    if (!channel)
        return;
    if (hit.m_x >= m_symbolLeft + m_symbolSize || !HasSymbol(channel))
        hit.m_kind = hit.m_y < m_lowerTop + row * m_pitch ? BOXES_HIT_UPPER : BOXES_HIT_LOWER;
    else
        hit.m_kind = BOXES_HIT_SYMBOL;
}
