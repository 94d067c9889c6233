#include "views/guvScopeWin.h"

#include "views/grnScope.h"
#include "views/guvScopeView.h"

#include <wx/dcbuffer.h>

wxBEGIN_EVENT_TABLE(CguvScopeWin, wxWindow)
    EVT_PAINT(CguvScopeWin::OnPaint)
wxEND_EVENT_TABLE()

CguvScopeWin::CguvScopeWin(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(grnScopeBackground());
}

CguvScopeWin::~CguvScopeWin() = default;

void CguvScopeWin::Draw(wxDC& dc)
{
    if (m_view)
        m_view->OnDraw(&dc);
}

void CguvScopeWin::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    m_painting = true;
    Draw(dc);
    m_painting = false;
}
