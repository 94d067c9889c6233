#include "views/guvMeterView.h"

#include "document/docDoc.h"
#include "views/gumView.h"

wxIMPLEMENT_DYNAMIC_CLASS(CguvMeterView, CguvView);

CguvMeterView::CguvMeterView() = default;

CguvMeterView::~CguvMeterView() = default;

bool CguvMeterView::OnCreate(wxDocument* doc, long flags)
{
    return CguvView::OnCreate(doc, flags);
}

bool CguvMeterView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

void CguvMeterView::OnDraw(wxDC* dc) {}

wxWindow* CguvMeterView::GetWindow()
{
    return m_master ? m_master->GetMeterWin() : nullptr;
}

void CguvMeterView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    switch (guvHintCode(hint)) {
    case HINT_BOX_LINKED:
    case HINT_BOX_SENSORS:
    case HINT_BOX_VALUES:
    case HINT_BOX_STATUS:
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_VALUES:
    case HINT_CHANNEL_LAYOUT:
        RefreshWindow();
        break;
    default:
        break;
    }
}
