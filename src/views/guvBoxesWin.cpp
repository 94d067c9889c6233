#include "views/guvBoxesWin.h"

#include "views/guvBoxesView.h"

#include <wx/dcbuffer.h>

wxBEGIN_EVENT_TABLE(CguvBoxesWin, wxWindow)
    EVT_PAINT(CguvBoxesWin::OnPaint)
wxEND_EVENT_TABLE()

CguvBoxesWin::CguvBoxesWin(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(wxColour(255, 255, 255, 255));
}

CguvBoxesWin::~CguvBoxesWin() = default;

void CguvBoxesWin::Draw(wxDC& dc)
{
    if (m_view)
        m_view->OnDraw(&dc);
}

void CguvBoxesWin::OnPaint(wxPaintEvent& event)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    m_painting = true;
    Draw(dc);
    m_painting = false;
}
