#include "views/guvDigitsView.h"

#include "document/docDoc.h"
#include "views/gumView.h"

wxIMPLEMENT_DYNAMIC_CLASS(CguvDigitsView, CguvView);

CguvDigitsView::CguvDigitsView() = default;

CguvDigitsView::~CguvDigitsView() = default;

bool CguvDigitsView::OnCreate(wxDocument* doc, long flags)
{
    return CguvView::OnCreate(doc, flags);
}

bool CguvDigitsView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

void CguvDigitsView::OnDraw(wxDC* dc) {}

wxWindow* CguvDigitsView::GetWindow()
{
    return m_master ? m_master->GetDigitsWin() : nullptr;
}

void CguvDigitsView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    const int code = guvHintCode(hint);
    switch (code) {
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_AXES:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_ADDED:
    case HINT_CHANNEL_REMOVED:
    case HINT_CHANNEL_LAYOUT:
    case HINT_RUN_RESET:
    case HINT_RUN_STARTED:
    case HINT_RUN_STOPPED:
    case HINT_DELETED_ALL:
    case HINT_DELETED_LAST:
    case HINT_VIEW_TIME_AND_DATE:
    case HINT_SCOPE_STORED:
        RefreshWindow();
        break;
    case HINT_TABLE_MESSAGE:
        if (guvIsColumnMessage(hint))
            RefreshWindow();
        break;
    case HINT_TOOL:
        if (CdocDoc* doc = GetDocDoc(); doc && doc->m_tool.m_now.m_msg >= TOOL_MSG_TYPE &&
                                        doc->m_tool.m_now.m_msg <= TOOL_MSG_REMOVED)
            RefreshWindow();
        break;
    default:
        break;
    }
}
