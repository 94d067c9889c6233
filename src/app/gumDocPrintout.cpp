#include "app/gumDocPrintout.h"

#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "views/guvGraphPanel.h"
#include "views/guvGraphView.h"
#include "views/guvGraphWin.h"

#include <wx/cmndata.h>

CgumDocPrintout::CgumDocPrintout(wxView* view, const wxString& title) : wxDocPrintout(view, title) {}

CgumDocPrintout::~CgumDocPrintout() = default;

bool CgumDocPrintout::OnPrintPage(int page)
{
    if (!GetDC())
        return false;
    CguvGraphView* graphView = nullptr;
    CgumFrame* frame = wxGetApp().m_frame;
    if (frame && frame->m_content && frame->m_content->m_graphPanel &&
        frame->m_content->m_graphPanel->m_window)
        graphView = frame->m_content->m_graphPanel->m_window->m_view;
    if (graphView && graphView == GetView())
        return graphView->PrintGraph(this);
    return wxDocPrintout::OnPrintPage(page);
}

void CgumDocPrintout::GetPrintRect(wxRect& rect)
{
    CgumDocManager* manager = wxGetApp().m_docManager;
    rect = GetLogicalPageRect();
    if (manager && manager->m_pageSetupData)
        rect.Intersect(GetLogicalPageMarginsRect(*manager->m_pageSetupData));
}

bool CgumDocPrintout::GetPrintScale(float& x, float& y)
{
    int ppiX = 0;
    int ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    x = float(ppiX);
    y = float(ppiY);
    int pageWidth = 0;
    int pageHeight = 0;
    GetPageSizePixels(&pageWidth, &pageHeight);
    int dcWidth = 0;
    int dcHeight = 0;
    if (GetDC())
        GetDC()->GetSize(&dcWidth, &dcHeight);
    if ((dcWidth == pageWidth && dcHeight == pageHeight) || pageWidth <= 0 || pageHeight <= 0 ||
        ppiX <= 0 || ppiY <= 0)
        return false;
    x = float(dcWidth) / (float(pageWidth) / float(ppiX));
    y = float(dcHeight) / (float(pageHeight) / float(ppiY));
    return true;
}
