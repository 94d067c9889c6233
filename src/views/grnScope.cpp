#include "views/grnScope.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "files/docFile.h"
#include "hardware/xhwBoxes.h"

#include <algorithm>
#include <cmath>
#include <wx/dcmemory.h>
#include <wx/intl.h>

namespace {

// The screen colour of a missing picture.
const wxColour kPlainScreen(24, 32, 24);

} // namespace

CgrnScope::CgrnScope() = default;

CgrnScope::~CgrnScope() = default;

void CgrnScope::SetDoc(CdocDoc* doc)
{
    m_doc = doc;
    m_layoutValid = false;
}

const wxImage& CgrnScope::Picture() const
{
    static const wxImage none;
    if (m_picture)
        return *m_picture;
    return wxTheApp ? wxGetApp().m_res.m_scopeImage : none;
}

void CgrnScope::BeginPass(wxDC& dc)
{
    m_dc.SetDC(&dc);
    m_ppi = dc.GetPPI();
}

void CgrnScope::EndPass()
{
    m_dc.SetDC(nullptr);
}

bool CgrnScope::CheckRect(const wxRect& rect)
{
    if (rect == m_rect)
        return false;
    m_rect = rect;
    m_layoutValid = false;
    return true;
}

void CgrnScope::ComputeStep()
{
    const int n = m_doc ? m_doc->m_scope.GetTimebaseSamples(m_doc->m_scope.m_timebase) : 0;
    // Fewer than two samples per sweep have no spacing: they stand at the left.
    m_step = n > 1 ? float(m_trace.width) / float(n - 1) : 0.0f;
    m_penWidth = std::max(1, std::min(int(m_step * 0.5f), m_u3));
}

bool CgrnScope::Layout()
{
    if (!m_doc) {
        m_layoutValid = false;
        return false;
    }
    if (m_layoutValid)
        return true;
    const float r = float(m_ppi.x) / 96.0f;
    m_u2 = std::max(2, int(2 * r));
    m_u3 = std::max(3, int(3 * r));
    const int width = std::max(1, m_rect.width);
    const int height = std::max(1, m_rect.height);
    const wxImage& picture = Picture();
    wxRect area;
    if (picture.IsOk() && picture.GetWidth() > 0 && picture.GetHeight() > 0) {
        const float s = std::min(float(width) / float(picture.GetWidth()), float(height) / float(picture.GetHeight()));
        const int bw = std::max(1, int(float(picture.GetWidth()) * s));
        const int bh = std::max(1, int(float(picture.GetHeight()) * s));
        m_background = wxBitmap(picture.Scale(bw, bh, s < 1.0f ? wxIMAGE_QUALITY_HIGH : wxIMAGE_QUALITY_NORMAL));
        m_bitmapRect = wxRect(m_rect.x + (width - bw) / 2, m_rect.y + (height - bh) / 2, bw, bh);
        area = ParseArea(wxGetTranslation("ScopeTrace,0.15,0.15,0.7,0.7"));
    } else {
        // No picture: a plain screen over the whole rectangle.
        wxImage plain(width, height);
        plain.SetRGB(wxRect(0, 0, width, height), kPlainScreen.Red(), kPlainScreen.Green(), kPlainScreen.Blue());
        m_background = wxBitmap(plain);
        m_bitmapRect = wxRect(m_rect.x, m_rect.y, width, height);
        area = wxRect(0, 0, width, height);
    }
    if (!m_background.IsOk())
        return false;
    {
        wxMemoryDC memory;
        memory.SelectObject(m_background);
        DrawGrid(memory, area);
        memory.SelectObject(wxNullBitmap);
    }
    m_trace = area;
    m_trace.Offset(m_bitmapRect.x, m_bitmapRect.y);
    m_y0 = m_trace.y + m_trace.height / 2;
    m_halfHeight = m_trace.height / 2;
    m_clamp = m_halfHeight + m_u2;
    m_left = m_trace.x;
    ComputeStep();
    m_layoutValid = true;
    return true;
}

wxRect CgrnScope::ParseArea(const wxString& text) const
{
    wxString line = text;
    wxString name;
    double f[4] = {0.0, 0.0, 1.0, 1.0};
    bool ok = docNextField(name, line);
    double read[4];
    for (int i = 0; ok && i < 4; ++i)
        ok = docReadNumberField(read[i], line);
    if (ok)
        std::copy(read, read + 4, f);
    const float bw = float(m_bitmapRect.width);
    const float bh = float(m_bitmapRect.height);
    const float w = float(f[2]) * bw;
    const float h = float(f[3]) * bh;
    wxRect area;
    area.width = int(std::max(1.0f, w));
    area.height = int(std::max(1.0f, h));
    area.x = w < 1.0f ? 0 : int(float(f[0]) * bw);
    area.y = h < 1.0f ? 0 : int(float(f[1]) * bh);
    return area;
}

void CgrnScope::DrawGrid(wxDC& dc, const wxRect& area)
{
    dc.SetPen(wxPen(wxColour(96, 96, 96), 1, wxPENSTYLE_SOLID));
    const int x0 = area.x;
    const int y0 = area.y;
    const int x1 = area.x + area.width - 1;
    const int y1 = area.y + area.height - 1;
    const int w = x1 - x0;
    const int h = y1 - y0;
    const float dx = float(w) / 10.0f;
    const float dy = float(h) / 10.0f;
    for (int i = 0; i <= 10; ++i) {
        const int xi = int(float(i) * dx + float(x0));
        const int yi = int(float(i) * dy + float(y0));
        dc.DrawLine(xi, y0, xi, y1);
        dc.DrawLine(x0, yi, x1, yi);
    }
    if (h < 100)
        return;
    const int t = h / 100;
    const int cx = int(5.0f * dx + float(x0));
    const int cy = int(5.0f * dy + float(y0));
    const float sx = float(w) / 50.0f;
    const float sy = float(h) / 50.0f;
    for (int j = 0; j <= 9; ++j) {
        const int x = int(float(j) * dx + float(x0));
        const int y = int(float(j) * dy + float(y0));
        for (int k = 1; k <= 4; ++k) {
            const int ty = int(float(y) + float(k) * sy);
            const int tx = int(float(x) + float(k) * sx);
            dc.DrawLine(cx - t, ty, cx + t + 1, ty);
            dc.DrawLine(tx, cy - t, tx, cy + t + 1);
        }
    }
}

bool CgrnScope::Draw(wxDC& dc, const wxRect& rect)
{
    BeginPass(dc);
    CheckRect(rect);
    if (!Layout()) {
        EndPass();
        return false;
    }
    dc.DrawBitmap(m_background, m_bitmapRect.x, m_bitmapRect.y, false);
    DrawTraces(0, std::clamp(m_doc->m_scope.m_dataNext, 0, CdocScope::kMaxSamples));
    EndPass();
    return true;
}

bool CgrnScope::DrawNew(wxDC& dc, const wxRect& rect, int from, int to, bool redrawBackground)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    if (CheckRect(rect) || !m_layoutValid)
        return false;
    BeginPass(dc);
    if (!Layout()) {
        EndPass();
        return false;
    }
    if (redrawBackground)
        dc.DrawBitmap(m_background, m_bitmapRect.x, m_bitmapRect.y, false);
    DrawTraces(std::clamp(from, 0, CdocScope::kMaxSamples), std::clamp(to, 0, CdocScope::kMaxSamples));
    EndPass();
    return true;
}

void CgrnScope::DrawTraces(int from, int to)
{
    if (from == to || !m_doc)
        return;
    CdocScope& scope = m_doc->m_scope;
    float defMin = 0.0f;
    if (scope.GetSecondInput() >= 0) {
        m_voltsFactor = scope.GetSecondVoltsFactor();
        m_gain = CdocScope::GetGainValue(scope.m_gainbase);
        scope.GetSecondInputMid(m_mid, defMin);
        DrawSamples(from, to, scope.m_secondValues);
    }
    m_voltsFactor = scope.GetVoltsFactor();
    m_gain = CdocScope::GetGainValue(scope.m_gainbase);
    scope.GetInputMid(m_mid, defMin);
    DrawSamples(from, to, scope.m_inputValues);
}

void CgrnScope::DrawSamples(int from, int to, const float* samples)
{
    wxDC* dc = m_dc.GetDC();
    if (from == to || !dc || !m_doc)
        return;
    const int start = from > 0 ? from - 1 : 0;
    ComputeStep();
    dc->SetBrush(*wxTRANSPARENT_BRUSH);
    wxPen pen(wxColour(0, 255, 0), m_penWidth, wxPENSTYLE_SOLID);
    if (m_penWidth > 1)
        pen.SetCap(wxCAP_BUTT);
    dc->SetPen(pen);
    const float multiplier = m_doc->m_scope.m_multiplier != 0.0f ? m_doc->m_scope.m_multiplier : 1.0f;
    auto point = [&](int i) {
        const int x = int(float(i) * m_step + float(m_left));
        const float v = ((samples[i] - m_mid) / multiplier * m_voltsFactor) / (5.0f * m_gain);
        // Off-screen samples, no value among them, sit just past an edge.
        const float c = float(m_clamp);
        const float dv = float(m_halfHeight) * v;
        const int d = std::isnan(dv) ? -m_clamp : int(std::clamp(dv, -c, c));
        return wxPoint(x, m_y0 - d);
    };
    bool drawn = false;
    for (int i = start + 1; i <= to - 1; ++i) {
        dc->DrawLine(point(i - 1), point(i));
        drawn = true;
    }
    if (drawn)
        dc->DrawLine(point(to - 1), point(to - 2));
    else
        dc->DrawLine(point(start), point(start));
}

wxColour grnScopeBackground()
{
    const wxImage* picture = wxTheApp ? &wxGetApp().m_res.m_scopeImage : nullptr;
    if (!picture || !picture->IsOk() || picture->GetWidth() < 1 || picture->GetHeight() < 1)
        return kPlainScreen;
    return wxColour(picture->GetRed(0, 0), picture->GetGreen(0, 0), picture->GetBlue(0, 0));
}
