#include "views/guvDigitsWin.h"

#include "views/guvDigitsView.h"

#include <wx/dcbuffer.h>

wxBEGIN_EVENT_TABLE(CguvDigitsWin, wxWindow)
    EVT_PAINT(CguvDigitsWin::OnPaint)
wxEND_EVENT_TABLE()

CguvDigitsWin::CguvDigitsWin(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(wxColour(255, 255, 255, 255));
}

CguvDigitsWin::~CguvDigitsWin() = default;

void CguvDigitsWin::Draw(wxDC& dc)
{
    if (m_view)
        m_view->OnDraw(&dc);
}

void CguvDigitsWin::OnPaint(wxPaintEvent& event)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    m_painting = true;
    Draw(dc);
    m_painting = false;
}
