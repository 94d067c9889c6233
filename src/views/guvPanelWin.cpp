#include "views/guvPanelWin.h"

#include "views/guvView.h"

#include <wx/dcbuffer.h>

wxBEGIN_EVENT_TABLE(CguvPanelWin, wxWindow)
    EVT_PAINT(CguvPanelWin::OnPaint)
    EVT_MOUSE_EVENTS(CguvPanelWin::OnMouse)
wxEND_EVENT_TABLE()

CguvPanelWin::CguvPanelWin(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(wxColour(255, 255, 255, 255));
}

CguvPanelWin::~CguvPanelWin() = default;

void CguvPanelWin::Draw(wxDC& dc)
{
    if (m_view)
        m_view->OnDraw(&dc);
}

void CguvPanelWin::OnPaint(wxPaintEvent& event)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    m_painting = true;
    Draw(dc);
    m_painting = false;
}

void CguvPanelWin::OnMouse(wxMouseEvent& event)
{
    if (m_view)
        m_view->OnWindowMouse(event);
    else
        event.Skip();
}
