#include "views/guvScopeView.h"

#include "document/docDoc.h"
#include "views/gumView.h"

wxIMPLEMENT_DYNAMIC_CLASS(CguvScopeView, CguvView);

CguvScopeView::CguvScopeView() = default;

CguvScopeView::~CguvScopeView() = default;

bool CguvScopeView::OnCreate(wxDocument* doc, long flags)
{
    return CguvView::OnCreate(doc, flags);
}

bool CguvScopeView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

void CguvScopeView::OnDraw(wxDC* dc) {}

wxWindow* CguvScopeView::GetWindow()
{
    return m_master ? m_master->GetScopeWin() : nullptr;
}

void CguvScopeView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    // Hints concern the oscilloscope only during its own activity.
    CdocDoc* doc = GetDocDoc();
    if (!doc || doc->m_activity != ACTIVITY_SCOPE)
        return;
    switch (guvHintCode(hint)) {
    case HINT_RUN_RESET:
    case HINT_RUN_STARTED:
    case HINT_RUN_STOPPED:
    case HINT_SCOPE_DRAW:
        RefreshWindow();
        break;
    default:
        break;
    }
}
