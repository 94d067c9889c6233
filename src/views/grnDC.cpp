#include "views/grnDC.h"

#include "app/gumApp.h"

#include <algorithm>
#include <cmath>
#include <wx/brush.h>
#include <wx/font.h>
#include <wx/overlay.h>
#include <wx/pen.h>

namespace {

constexpr int MAX_FIT_POINTS = 7200;

} // namespace

CgrnDC::CgrnDC() = default;

CgrnDC::~CgrnDC()
{
    EndXor();
}

void CgrnDC::SetDC(wxDC* dc)
{
    if (dc != m_dc)
        EndXor();
    m_dc = dc;
    m_font = nullptr;
}

void CgrnDC::SetFont(const wxFont* font)
{
    if (font == m_font)
        return;
    m_font = font;
    if (font && m_dc)
        m_dc->SetFont(*font);
}

wxSize CgrnDC::GetPPI() const
{
    if (!m_dc)
        return wxSize(96, 96);
    const wxSize ppi = m_dc->GetPPI();
    // A context that knows no resolution is taken as a screen.
    return wxSize(ppi.x > 0 ? ppi.x : 96, ppi.y > 0 ? ppi.y : 96);
}

int CgrnDC::GetPixelsX(int ninetieths) const
{
    return int(float(ninetieths) * (float(GetPPI().x) / 90.0f));
}

int CgrnDC::GetPixelsY(int ninetieths) const
{
    return int(float(ninetieths) * (float(GetPPI().y) / 90.0f));
}

int CgrnDC::GetPenWidth(int k) const
{
    return std::max(k, k * GetPPI().x / 96);
}

void CgrnDC::DrawBevel(int x1, int y1, int x2, int y2, bool fillInside)
{
    if (!m_dc)
        return;
    wxDC& dc = *m_dc;
    dc.SetPen(wxPen(wxColour(128, 128, 128), 1, wxPENSTYLE_SOLID));
    dc.DrawLine(x1, y1, x2, y1);
    dc.DrawLine(x1, y1, x1, y2);
    dc.SetPen(wxPen(wxColour(255, 255, 255), 1, wxPENSTYLE_SOLID));
    dc.DrawLine(x1, y2, x2 + 1, y2);
    dc.DrawLine(x2, y1, x2, y2);
    dc.SetPen(wxPen(wxColour(64, 64, 64), 1, wxPENSTYLE_SOLID));
    dc.DrawLine(x1 + 1, y1 + 1, x2 - 1, y1 + 1);
    dc.DrawLine(x1 + 1, y1 + 1, x1 + 1, y2 - 1);
    dc.SetPen(wxPen(wxColour(192, 192, 192), 1, wxPENSTYLE_SOLID));
    dc.DrawLine(x1 + 1, y2 - 1, x2, y2 - 1);
    dc.DrawLine(x2 - 1, y1 + 1, x2 - 1, y2 - 1);
    if (fillInside) {
        dc.SetPen(wxPen(wxColour(255, 255, 255), 1, wxPENSTYLE_SOLID));
        dc.SetBrush(*wxWHITE_BRUSH);
        // A frame too small to have an inside fills nothing.
        if (x2 - x1 - 3 > 0 && y2 - y1 - 3 > 0)
            dc.DrawRectangle(x1 + 2, y1 + 2, x2 - x1 - 3, y2 - y1 - 3);
    }
}

namespace {

// The inside of a level box: within its frame when it has one.
wxRect LevelInside(int x, int y, int width, int height)
{
    wxRect inner(x, y, width, height);
    if (width >= 4 && height >= 4)
        inner.Deflate(1);
    return inner;
}

// The coloured rows of a level box inside h rows.
int LevelRows(int h, float fraction)
{
    if (fraction >= 1.0f)
        return h;
    // Also a fraction that is no number.
    if (!(fraction > 0.0f))
        return 0;
    return int(float(h) * fraction);
}

} // namespace

void CgrnDC::FillLevel(int x, int y, int width, int height, const wxColour& colour, float fraction)
{
    if (!m_dc)
        return;
    wxDC& dc = *m_dc;
    const bool framed = width >= 4 && height >= 4;
    const wxRect inner = LevelInside(x, y, width, height);
    dc.SetPen(*wxTRANSPARENT_PEN);
    const int h = inner.height;
    const int g = LevelRows(h, fraction);
    if (h - g > 0) {
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(inner.x, inner.y, inner.width, h - g);
    }
    if (g > 0) {
        dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
        dc.DrawRectangle(inner.x, inner.y + h - g, inner.width, g);
    }
    if (framed) {
        dc.SetPen(*wxMEDIUM_GREY_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(x, y, width, height);
    }
}

void CgrnDC::ChangeLevel(int x, int y, int width, int height, const wxColour& colour, float from, float to)
{
    if (!m_dc)
        return;
    wxDC& dc = *m_dc;
    const wxRect inner = LevelInside(x, y, width, height);
    const int h = inner.height;
    const int was = LevelRows(h, from);
    const int now = LevelRows(h, to);
    if (was == now)
        return;
    dc.SetPen(*wxTRANSPARENT_PEN);
    if (now > was) {
        dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
        dc.DrawRectangle(inner.x, inner.y + h - now, inner.width, now - was);
    } else {
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(inner.x, inner.y + h - was, inner.width, was - now);
    }
}

void CgrnDC::FitFont(wxFont& font, int width, int height, const wxString& text, bool keepIfFits)
{
    if (!m_dc || text.empty())
        return;
    wxDC& dc = *m_dc;
    float rx = 0.0f;
    float ry = 0.0f;
    // Selects the font at its size, measures, and answers whether the text fits.
    auto measure = [&]() {
        dc.SetFont(font);
        const wxSize extent = dc.GetTextExtent(text);
        rx = extent.x > 0 ? float(width) / float(extent.x) : 1.0f;
        ry = extent.y > 0 ? float(height) / float(extent.y) : 1.0f;
        return rx >= 1.0f && ry >= 1.0f;
    };
    const int s0 = font.GetPointSize();
    bool fits = measure();
    if (fits && keepIfFits)
        return;
    int lo = 0;
    int hi = 0;
    int s = s0;
    if (fits) {
        lo = s0;
        do {
            s = std::min(int(float(s) * std::max(rx, ry) + 1.0f), MAX_FIT_POINTS);
            font.SetPointSize(s);
        } while (measure() && s < MAX_FIT_POINTS);
        hi = s;
    } else {
        hi = s0;
        do {
            s = std::max(int(float(s) * std::min(rx, ry) - 1.0f), 1);
            font.SetPointSize(s);
        } while (!measure() && s > 1);
        lo = s;
    }
    while (lo < hi - 1) {
        const int mid = (lo + hi) / 2;
        font.SetPointSize(mid);
        if (measure())
            lo = mid;
        else
            hi = mid;
    }
    font.SetPointSize(lo);
}

bool CgrnDC::BeginXor(wxOverlay& overlay)
{
    EndXor();
    if (!m_dc)
        return false;
    m_overlay = std::make_unique<wxDCOverlay>(overlay, m_dc);
    m_overlay->Clear();
    return true;
}

void CgrnDC::EndXor()
{
    m_overlay.reset();
}

void CgrnDC::ResetXor(wxOverlay& overlay)
{
    if (BeginXor(overlay))
        EndXor();
    overlay.Reset();
}

void grnUseDefaultFont(wxFont& font)
{
    wxFont& gui = wxGetApp().GetGuiFont();
    if (&font != &gui)
        font = gui;
}
