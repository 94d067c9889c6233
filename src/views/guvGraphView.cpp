#include "views/guvGraphView.h"

#include "app/gumDocPrintout.h"
#include "document/docDoc.h"
#include "views/gumView.h"
#include "views/guvGraphWin.h"

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
    if (!dc)
        return;
    auto* window = dynamic_cast<CguvGraphWin*>(GetWindow());
    const wxSize size = window && window->m_painting ? window->GetClientSize() : dc->GetSize();
    DrawFrame(*dc, wxRect(wxPoint(0, 0), size));
}

void CguvGraphView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    const void* data = guvHintData(hint);
    switch (guvHintCode(hint)) {
    case HINT_STORE_COMPACTED:
    case HINT_TITLE:
    case HINT_VIEW_TITLE:
    case HINT_VIEW_GAUGE:
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_AXES:
    case HINT_SCALES:
    case HINT_GRAPH_STYLE:
    case HINT_VALUE_EDITED:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_ADDED:
    case HINT_CHANNEL_REMOVED:
    case HINT_CHANNEL_VALUES:
    case HINT_CHANNEL_LAYOUT:
    case HINT_RUN_RESET:
    case HINT_RUN_STARTED:
    case HINT_DELETED_ALL:
    case HINT_DELETED_LAST:
    case HINT_VIEW_TIME_AND_DATE:
    case HINT_SCOPE_STORED:
    case HINT_GRAPH_REDRAW:
        Rebuild();
        break;
    case HINT_RUN_STOPPED:
        DrawPendingSamples();
        Rebuild();
        break;
    case HINT_NEW_DATA:
        DrawPendingSamples();
        break;
    case HINT_SAMPLE_UPDATED:
        if (data) {
            const int i = *static_cast<const int*>(data);
            if (m_pendingFirst == -1 || m_pendingFirst > i)
                m_pendingFirst = i;
            if (m_pendingLast == -1 || m_pendingLast < i)
                m_pendingLast = i;
        }
        break;
    default:
        break;
    }
}

void CguvGraphView::Rebuild()
{
    m_pendingFirst = -1;
    m_pendingLast = -1;
    RefreshWindow();
}

void CguvGraphView::DrawPendingSamples()
{
    CdocDoc* doc = GetDocDoc();
    if (doc && doc->m_graph.AdjustScalesForSample(m_pendingLast)) {
        Rebuild();
        return;
    }
    if (!DrawSampleRange(m_pendingFirst, m_pendingLast))
        Rebuild();
    m_pendingFirst = -1;
    m_pendingLast = -1;
}

bool CguvGraphView::DrawSampleRange(int first, int last)
{
    return false;
}

void CguvGraphView::OnMouse(wxMouseEvent& event) {}

void CguvGraphView::ResetOverlay()
{
    m_overlay.Reset();
}

bool CguvGraphView::PrintGraph(CgumDocPrintout* printout)
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
