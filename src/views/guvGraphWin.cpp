#include "views/guvGraphWin.h"

#include "views/guvGraphView.h"

#include <wx/dcbuffer.h>

wxBEGIN_EVENT_TABLE(CguvGraphWin, wxWindow)
    EVT_PAINT(CguvGraphWin::OnPaint)
    EVT_MOUSE_EVENTS(CguvGraphWin::OnMouse)
    EVT_SIZE(CguvGraphWin::OnSize)
wxEND_EVENT_TABLE()

CguvGraphWin::CguvGraphWin(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(wxColour(255, 255, 255, 255));
}

CguvGraphWin::~CguvGraphWin() = default;

void CguvGraphWin::Draw(wxDC& dc)
{
    if (m_view)
        m_view->OnDraw(&dc);
}

void CguvGraphWin::OnPaint(wxPaintEvent& event)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    m_painting = true;
    Draw(dc);
    m_painting = false;
}

void CguvGraphWin::OnMouse(wxMouseEvent& event)
{
    if (m_view)
        m_view->OnMouse(event);
    event.Skip();
}

void CguvGraphWin::OnSize(wxSizeEvent& event)
{
    if (m_view)
        m_view->OnSize();
    event.Skip();
}
