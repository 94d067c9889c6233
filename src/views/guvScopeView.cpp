#include "views/guvScopeView.h"

#include "app/gumWin.h"
#include "document/docDoc.h"
#include "views/gumView.h"
#include "views/guvScopePanel.h"
#include "views/guvScopeTrigger.h"
#include "views/guvScopeWin.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvScopeView, CguvView);

CguvScopeView::CguvScopeView() = default;

CguvScopeView::~CguvScopeView() = default;

bool CguvScopeView::OnCreate(wxDocument* doc, long flags)
{
    if (!CguvView::OnCreate(doc, flags))
        return false;
    if (CguvScopePanel* panel = GetPanel())
        panel->m_trigger->m_view = this;
    m_renderer.SetDoc(GetDocDoc());
    return true;
}

bool CguvScopeView::OnClose(bool deleteWindow)
{
    // The indicator outlives the view and paints by itself.
    if (CguvScopePanel* panel = GetPanel())
        if (panel->m_trigger->m_view == this)
            panel->m_trigger->m_view = nullptr;
    return CguvView::OnClose(deleteWindow);
}

wxWindow* CguvScopeView::GetWindow()
{
    return m_master ? m_master->GetScopeWin() : nullptr;
}

CguvScopePanel* CguvScopeView::GetPanel()
{
    return m_master && m_master->m_content ? m_master->m_content->m_scopePanel : nullptr;
}

void CguvScopeView::OnDraw(wxDC* dc)
{
    if (!dc)
        return;
    auto* window = dynamic_cast<CguvScopeWin*>(GetWindow());
    const bool onWindow = window && window->m_painting;
    const wxSize size = onWindow ? window->GetClientSize() : dc->GetSize();
    m_renderer.Draw(*dc, wxRect(wxPoint(0, 0), size));
}

void CguvScopeView::Rebuild()
{
    if (CguvScopePanel* panel = GetPanel())
        panel->UpdateControls();
    m_renderer.SetDoc(GetDocDoc());
    if (wxWindow* window = GetWindow())
        window->Refresh(true);
}

void CguvScopeView::OnUpdate(wxView*, wxObject* hint)
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
    case HINT_SCOPE_DRAW: Rebuild(); break;
    case HINT_SCOPE_SETTINGS: DrawNew(); break;
    default: break;
    }
}

void CguvScopeView::DrawNew()
{
    wxWindow* window = GetWindow();
    CdocDoc* doc = GetDocDoc();
    if (!window || !doc || !window->IsShownOnScreen())
        return;
    CdocScope& scope = doc->m_scope;
    if (scope.m_drawStart == scope.m_drawNext && !scope.m_drawClear && !scope.m_drawTrigger)
        return;
    if (scope.m_drawTrigger) {
        if (CguvScopePanel* panel = GetPanel())
            panel->m_trigger->UpdateIndicator();
    }
    bool refused = false;
    if (scope.m_drawStart != scope.m_drawNext || scope.m_drawClear) {
        wxClientDC dc(window);
        wxRect rect;
        GetClientRect(&dc, rect);
        refused = !m_renderer.DrawNew(dc, rect, scope.m_drawStart, scope.m_drawNext, scope.m_drawClear);
    }
    scope.m_drawClear = false;
    scope.m_drawTrigger = false;
    scope.m_drawStart = scope.m_drawNext;
    if (refused)
        Rebuild();
}
