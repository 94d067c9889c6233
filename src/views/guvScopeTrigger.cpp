#include "views/guvScopeTrigger.h"

#include "document/docDoc.h"
#include "views/grnScope.h"
#include "views/guvScopeView.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/intl.h>

wxBEGIN_EVENT_TABLE(CguvScopeTrigger, wxWindow)
    EVT_PAINT(CguvScopeTrigger::OnPaint)
wxEND_EVENT_TABLE()

CguvScopeTrigger::CguvScopeTrigger(wxWindow* parent)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE, "panel");
    SetBackgroundColour(grnScopeBackground());
    SetLabel(_("Trigger"));
}

CguvScopeTrigger::~CguvScopeTrigger() = default;

void CguvScopeTrigger::SetLabel(const wxString& label)
{
    m_label = label;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    wxCoord w = 0;
    wxCoord h = 0;
    dc.GetTextExtent(label, &w, &h);
    const wxSize size(w + 4, h + 5);
    SetMinSize(size);
    SetMaxSize(size);
}

bool CguvScopeTrigger::IsOn() const
{
    CdocDoc* doc = m_view ? m_view->GetDocDoc() : nullptr;
    return doc && doc->m_scope.m_triggerIndicator;
}

void CguvScopeTrigger::Draw(wxDC& dc)
{
    const wxRect client = GetClientRect();
    const bool on = IsOn();
    m_drawnState = on;
    dc.SetBackground(wxBrush(grnScopeBackground()));
    dc.Clear();
    const wxColour fill = on ? wxColour(0, 255, 0) : wxColour(255, 0, 0);
    const wxColour outline = on ? wxColour(0, 128, 0) : wxColour(128, 0, 0);
    const wxColour text = on ? wxColour(0, 160, 0) : wxColour(160, 0, 0);
    dc.SetBackground(wxBrush(fill));
    dc.SetBrush(wxBrush(fill));
    dc.SetPen(wxPen(outline, 1, wxPENSTYLE_SOLID));
    dc.SetTextBackground(fill);
    dc.SetTextForeground(text);
    dc.SetFont(GetFont());
    dc.DrawRectangle(client);
    wxCoord tw = 0;
    wxCoord th = 0;
    dc.GetTextExtent(m_label, &tw, &th);
    dc.DrawText(m_label, client.x + (client.width - tw) / 2, client.y + (client.height - th) / 2);
}

void CguvScopeTrigger::UpdateIndicator()
{
    if (IsOn() == m_drawnState)
        return;
    wxClientDC dc(this);
    Draw(dc);
}

void CguvScopeTrigger::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}
