#include "views/guvMeterWin.h"

#include "views/guvMeterView.h"

#include <wx/dcbuffer.h>

wxBEGIN_EVENT_TABLE(CguvMeterWin, wxWindow)
    EVT_PAINT(CguvMeterWin::OnPaint)
wxEND_EVENT_TABLE()

CguvMeterWin::CguvMeterWin(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(wxColour(255, 255, 255, 255));
}

CguvMeterWin::~CguvMeterWin() = default;

void CguvMeterWin::Draw(wxDC& dc)
{
    if (m_view)
        m_view->OnDraw(&dc);
}

void CguvMeterWin::OnPaint(wxPaintEvent& event)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    m_painting = true;
    Draw(dc);
    m_painting = false;
}
