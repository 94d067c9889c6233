#include "views/guvGraphView.h"

#include "app/gumDocPrintout.h"
#include "views/gumView.h"

#include <wx/dc.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvGraphView, CguvView);

CguvGraphView::CguvGraphView() = default;

CguvGraphView::~CguvGraphView() = default;

bool CguvGraphView::OnCreate(wxDocument* doc, long flags)
{
    return CguvView::OnCreate(doc, flags);
}

bool CguvGraphView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

wxWindow* CguvGraphView::GetWindow()
{
    return m_master ? m_master->GetGraphWin() : nullptr;
}

void CguvGraphView::OnDraw(wxDC* dc)
{
    wxWindow* window = GetWindow();
    if (!dc || !window)
        return;
    DrawFrame(*dc, wxRect(wxPoint(0, 0), window->GetClientSize()));
}

void CguvGraphView::OnUpdate(wxView* sender, wxObject* hint)
{
    RefreshWindow();
}

bool CguvGraphView::PrintGraph(CgumDocPrintout* printout, int page)
{
    wxDC* dc = printout ? printout->GetDC() : nullptr;
    if (!dc)
        return false;
    wxRect rect;
    printout->GetPrintRect(rect);
    DrawFrame(*dc, rect);
    return true;
}

void CguvGraphView::DrawFrame(wxDC& dc, const wxRect& rect)
{
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetFont(*wxNORMAL_FONT);
    dc.SetTextForeground(*wxBLACK);
    dc.DrawRectangle(rect);
    const wxString title = GetDocument() ? GetDocument()->GetUserReadableName() : wxString();
    dc.DrawText(title, rect.x + rect.width / 20, rect.y + rect.height / 20);
}
