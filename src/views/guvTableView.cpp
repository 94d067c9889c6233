#include "views/guvTableView.h"

#include "document/docDoc.h"
#include "views/gumView.h"
#include "views/guvTableWin.h"

wxIMPLEMENT_DYNAMIC_CLASS(CguvTableView, CguvView);

CguvTableView::CguvTableView() = default;

CguvTableView::~CguvTableView() = default;

bool CguvTableView::OnCreate(wxDocument* doc, long flags)
{
    return CguvView::OnCreate(doc, flags);
}

bool CguvTableView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

void CguvTableView::OnDraw(wxDC* dc) {}

wxWindow* CguvTableView::GetWindow()
{
    return m_master ? m_master->GetTableWin() : nullptr;
}

void CguvTableView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    switch (guvHintCode(hint)) {
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_ADDED:
    case HINT_CHANNEL_REMOVED:
    case HINT_CHANNEL_VALUES:
    case HINT_RUN_RESET:
    case HINT_RUN_STARTED:
    case HINT_RUN_STOPPED:
    case HINT_DELETED_ALL:
    case HINT_DELETED_LAST:
    case HINT_VIEW_TIME_AND_DATE:
    case HINT_SCOPE_STORED:
    case HINT_DATA_RESET:
        Rebuild();
        break;
    case HINT_CHANNELS_RESET:
        if (m_stale)
            Rebuild();
        break;
    case HINT_TABLE_MESSAGE:
        if (guvIsColumnMessage(hint))
            m_stale = true;
        break;
    case HINT_CHANNEL_LAYOUT:
        m_stale = true;
        break;
    default:
        break;
    }
}

void CguvTableView::Rebuild()
{
    m_stale = false;
    if (auto* grid = dynamic_cast<CguvTableWin*>(GetWindow()))
        grid->ForceRefresh();
}
