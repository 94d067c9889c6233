#include "views/grnDigits.h"

#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"

#include <algorithm>
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/dcmemory.h>

void grnMakeTableFont(const CdocDoc* doc, wxFont& font)
{
    if (doc && !doc->m_table.m_font.empty()) {
        wxFont stored;
        if (stored.SetNativeFontInfo(doc->m_table.m_font) && stored.IsOk()) {
            font = stored;
            return;
        }
    }
    grnUseDefaultFont(font);
}

CgrnDigits::CgrnDigits() = default;

CgrnDigits::~CgrnDigits() = default;

void CgrnDigits::SetDoc(CdocDoc* doc)
{
    m_doc = doc;
    m_layoutValid = false;
}

void CgrnDigits::InitFonts(bool force)
{
    if (!force && m_fontsReady)
        return;
    wxFont font;
    grnMakeTableFont(m_doc, font);
    const int size = font.GetPointSize();
    m_headingFont = font;
    m_headingFont.SetWeight(wxFONTWEIGHT_BOLD);
    m_headingFont.SetPointSize(size);
    m_valueFont = m_headingFont;
    m_fontsReady = true;
}

bool CgrnDigits::Begin(wxDC& dc, const wxRect& rect)
{
    m_dc.SetDC(&dc);
    InitFonts(false);
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_headingFont);
    if (rect != m_rect) {
        m_rect = rect;
        m_layoutValid = false;
    }
    return ComputeLayout();
}

void CgrnDigits::Layout(wxDC& dc, const wxRect& rect)
{
    Begin(dc, rect);
    m_dc.SetDC(nullptr);
}

bool CgrnDigits::Draw(wxDC& dc, const wxRect& rect)
{
    const bool valid = Begin(dc, rect);
    m_overflow = false;
    if (valid) {
        DrawHeadings();
        DrawValues(false);
    }
    m_dc.SetDC(nullptr);
    return valid;
}

bool CgrnDigits::UpdateValues(wxDC& dc, const wxRect& rect)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    if (rect != m_rect) {
        m_rect = rect;
        m_layoutValid = false;
        return false;
    }
    if (!m_layoutValid || !m_doc)
        return false;
    m_dc.SetDC(&dc);
    InitFonts(false);
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_headingFont);
    m_overflow = false;
    DrawValues(true);
    m_dc.SetDC(nullptr);
    return !m_overflow;
}

void CgrnDigits::ListChannels()
{
    m_count = 0;
    for (CdocFieldKey& key : m_keys)
        key.Clear();
    if (!m_doc)
        return;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    for (int n = 0; n < fields.GetCount() && m_count < DIGITS_MAX_CELLS; ++n) {
        CdocField* field = fields.GetAt(n);
        if (field->m_content == CONTENT_READING || field->m_content == CONTENT_ELAPSED_TIME)
            continue;
        if (!field->m_show && field != x)
            continue;
        m_keys[size_t(m_count++)] = CdocFieldKey(field->m_key, n, field);
    }
}

void CgrnDigits::GetValueText(const CdocField& field, wxString& text) const
{
    text.clear();
    if (m_doc && m_doc->m_tool.m_now.m_active)
        m_doc->m_tool.GetValueText(text, &field);
    else
        field.GetCurrentText(text);
}

void CgrnDigits::GetHeading(const CdocField& field, wxString& text) const
{
    text.clear();
    if (m_doc && m_doc->m_tool.m_now.m_active)
        m_doc->m_tool.GetHeading(text, &field);
    else
        text = field.GetNameWithUnits();
}

bool CgrnDigits::ComputeLayout()
{
    if (!m_doc) {
        m_layoutValid = false;
        return false;
    }
    if (m_layoutValid)
        return true;
    ListChannels();
    for (wxString& text : m_texts)
        text.clear();
    InitFonts(true);
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_headingFont);

    const float s = float(m_dc.GetPPI().x) / 90.0f;
    m_headingHeight = m_dc.GetDC()->GetCharHeight();
    m_gap = m_headingHeight < 2 ? 1 : m_headingHeight / 2;
    m_margin = std::max(int(5.0f * s), 5);
    m_inner = m_rect;
    m_inner.Inflate(-m_margin, -m_margin);

    if (m_count == 0) {
        m_columns = 1;
        m_rows = 1;
        m_contentWidth = m_inner.width;
        m_contentHeight = m_inner.height;
        m_layoutValid = true;
        return true;
    }

    // The widest texts decide the sizes; an empty list of values keeps "888".
    wxString widestValue = "888";
    wxString widestHeading = "888";
    int valueWidth = 0;
    int headingWidth = 0;
    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_valueFont);
    wxString text;
    for (int i = 0; i < m_count; ++i) {
        CdocField* field = m_doc->m_data.m_fields.Find(m_keys[size_t(i)]);
        if (!field)
            continue;
        GetValueText(*field, text);
        int w = m_dc.GetTextExtent(text).x;
        if (w > valueWidth) {
            valueWidth = w;
            widestValue = text;
        }
        GetHeading(*field, text);
        w = m_dc.GetTextExtent(text).x;
        if (w > headingWidth) {
            headingWidth = w;
            widestHeading = text;
        }
    }
    widestValue.Prepend(" ");
    widestHeading.Prepend(" ");

    // The grid of cells whose figures come out largest.
    const int n = m_count;
    const int iw = m_inner.width;
    const int ih = m_inner.height;
    int bestSize = -1;
    m_columns = n;
    m_rows = 1;
    for (int k = 1; k <= n; ++k) {
        const int r = (n + k - 1) / k;
        m_dc.FitFont(m_valueFont, iw / k - m_margin, ih / r - m_margin - m_headingHeight - m_gap, widestValue, false);
        const int size = m_valueFont.GetPointSize();
        if (size > bestSize) {
            bestSize = size;
            m_columns = k;
            m_rows = r;
        }
    }

    const int cw = iw / m_columns - m_margin;
    const int ch = ih / m_rows - m_margin;
    m_dc.FitFont(m_valueFont, cw, ch - m_headingHeight - m_gap, widestValue, false);
    m_dc.FitFont(m_headingFont, cw, m_headingHeight, widestHeading, true);

    m_dc.SetFont(nullptr);
    m_dc.SetFont(&m_valueFont);
    const wxSize value = m_dc.GetTextExtent(widestValue);
    m_dc.SetFont(&m_headingFont);
    const int w2 = m_dc.GetTextExtent(widestHeading).x;
    m_contentWidth = std::max(value.x, w2);
    m_contentHeight = value.y + m_headingHeight + m_gap;
    m_layoutValid = true;
    return true;
}

wxRect CgrnDigits::GetValueRect(int i) const
{
    const int columns = std::max(m_columns, 1);
    const int rows = std::max(m_rows, 1);
    const int c = i % columns;
    const int r = i / columns;
    const int w = m_inner.width / columns;
    const int h = m_inner.height / rows;
    const int x0 = int((c + 0.5) * w + m_inner.x - m_contentWidth / 2 + m_margin);
    const int y0 = int((r + 0.5) * h + m_inner.y - m_contentHeight / 2 + m_margin);
    return wxRect(x0, y0, m_contentWidth, m_contentHeight - m_headingHeight);
}

wxRect CgrnDigits::GetHeadingRect(int i) const
{
    const wxRect value = GetValueRect(i);
    return wxRect(value.x, value.y + m_contentHeight - m_headingHeight, m_contentWidth, m_headingHeight);
}

namespace {

wxColour ChannelColour(const CdocField& field)
{
    return field.m_colour.IsOk() ? wxColour(field.m_colour.Red(), field.m_colour.Green(), field.m_colour.Blue())
                                 : *wxBLACK;
}

} // namespace

void CgrnDigits::DrawHeadings()
{
    wxDC& dc = *m_dc.GetDC();
    dc.SetPen(wxPen(*wxWHITE, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(*wxWHITE, wxBRUSHSTYLE_SOLID));
    m_dc.SetFont(&m_headingFont);
    wxString heading;
    for (int i = 0; i < m_count; ++i) {
        CdocField* field = m_doc->m_data.m_fields.Find(m_keys[size_t(i)]);
        if (!field)
            continue;
        dc.SetTextForeground(ChannelColour(*field));
        GetHeading(*field, heading);
        const wxSize size = m_dc.GetTextExtent(heading);
        if (size.x > m_contentWidth || size.y > m_headingHeight) {
            m_overflow = true;
            continue;
        }
        const wxRect part = GetHeadingRect(i);
        dc.DrawRectangle(part);
        dc.DrawText(heading, part.x + m_contentWidth - 1 - size.x, part.y);
    }
}

bool CgrnDigits::ValuesColoured() const
{
    if (m_doc->m_state == DOC_STATE_FETCHING || m_doc->m_state == DOC_STATE_RUNNING)
        return true;
    return m_doc->m_tool.m_now.m_active && m_doc->m_tool.m_now.m_tool != TOOL_NONE;
}

void CgrnDigits::DrawValues(bool changedOnly)
{
    wxDC& dc = *m_dc.GetDC();
    dc.SetPen(wxPen(*wxWHITE, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(*wxWHITE, wxBRUSHSTYLE_SOLID));
    const bool coloured = ValuesColoured();
    const wxColour grey(192, 192, 192);
    m_dc.SetFont(&m_valueFont);
    for (int i = 0; i < m_count; ++i) {
        CdocField* field = m_doc->m_data.m_fields.Find(m_keys[size_t(i)]);
        if (field)
            DrawValue(i, *field, coloured ? ChannelColour(*field) : grey, changedOnly);
    }
}

void CgrnDigits::DrawValue(int i, CdocField& field, const wxColour& colour, bool changedOnly)
{
    wxString text;
    GetValueText(field, text);
    wxString& drawn = m_texts[size_t(i)];
    if (changedOnly && text == drawn)
        return;
    drawn = text;
    const wxSize size = m_dc.GetTextExtent(text);
    const wxRect part = GetValueRect(i);
    if (size.x > m_contentWidth || size.y > part.height) {
        m_overflow = true;
        return;
    }
    wxDC& dc = *m_dc.GetDC();
    const int x = m_contentWidth - 1 - size.x;
    if (!changedOnly) {
        dc.SetTextForeground(colour);
        dc.DrawRectangle(part);
        dc.DrawText(text, part.x + x, part.y);
        return;
    }
    if (part.width <= 0 || part.height <= 0)
        return;
    // Drawn aside and copied whole, so that the old figures never show
    // half erased.
    wxBitmap bitmap(part.width, part.height, 24);
    {
        wxMemoryDC aside(bitmap);
        aside.SetBackground(*wxWHITE_BRUSH);
        aside.Clear();
        aside.SetFont(m_valueFont);
        aside.SetTextForeground(colour);
        aside.DrawText(text, x, 0);
        dc.Blit(part.x, part.y, part.width, part.height, &aside, 0, 0, wxCOPY, false);
    }
}

void CgrnDigits::HitTest(CgrnDigitsHit& hit)
{
    hit.m_area = DIGITS_HIT_NONE;
    if (!m_layoutValid || m_columns <= 0 || m_rows <= 0)
        return;
    const int w = m_inner.width / m_columns;
    const int h = m_inner.height / m_rows;
    // A window too small for its cells has none to hit.
    if (w <= 0 || h <= 0)
        return;
    const int c = (hit.m_x - m_inner.x) / w;
    const int r = (hit.m_y - m_inner.y) / h;
    const int i = r * m_columns + c;
    if (c < 0 || c >= m_columns || r < 0 || r >= m_rows || i >= m_count)
        return;
    hit.m_key = m_keys[size_t(i)];
    if (!m_doc || !m_doc->m_data.m_fields.Find(hit.m_key))
        return;
    const wxPoint p(hit.m_x, hit.m_y);
    if (GetValueRect(i).Contains(p))
        hit.m_area = DIGITS_HIT_VALUE;
    else if (GetHeadingRect(i).Contains(p))
        hit.m_area = DIGITS_HIT_HEADING;
}
