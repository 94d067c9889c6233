#include "views/guvDigitsView.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "document/gumDoc.h"
#include "views/gumView.h"
#include "views/guvPanelWin.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvDigitsView, CguvView);

CguvDigitsView::CguvDigitsView() = default;

CguvDigitsView::~CguvDigitsView() = default;

bool CguvDigitsView::OnCreate(wxDocument* doc, long flags)
{
    if (!CguvView::OnCreate(doc, flags))
        return false;
    m_renderer.SetDoc(GetDocDoc());
    return true;
}

bool CguvDigitsView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

wxWindow* CguvDigitsView::GetWindow()
{
    return m_master ? m_master->GetDigitsWin() : nullptr;
}

void CguvDigitsView::OnDraw(wxDC* dc)
{
    if (!dc)
        return;
    // On the window its client size, on a printer page the page's.
    auto* window = dynamic_cast<CguvPanelWin*>(GetWindow());
    const bool onWindow = window && window->m_painting;
    const wxSize size = onWindow ? window->GetClientSize() : dc->GetSize();
    m_renderer.Draw(*dc, wxRect(wxPoint(0, 0), size));
}

void CguvDigitsView::Rebuild()
{
    m_renderer.SetDoc(GetDocDoc());
    if (wxWindow* window = GetWindow())
        window->Refresh(true);
}

void CguvDigitsView::UpdateValues()
{
    wxWindow* window = GetWindow();
    if (!window || !window->IsShownOnScreen())
        return;
    bool drawn = false;
    {
        wxClientDC dc(window);
        wxRect rect;
        GetClientRect(&dc, rect);
        drawn = m_renderer.UpdateValues(dc, rect);
    }
    if (!drawn)
        Rebuild();
}

bool CguvDigitsView::EnsureLayout()
{
    if (m_renderer.m_layoutValid)
        return true;
    wxWindow* window = GetWindow();
    if (!window || !window->IsShownOnScreen())
        return false;
    wxClientDC dc(window);
    wxRect rect;
    GetClientRect(&dc, rect);
    m_renderer.Layout(dc, rect);
    return m_renderer.m_layoutValid;
}

void CguvDigitsView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    switch (guvHintCode(hint)) {
    case HINT_STORE_COMPACTED:
    case HINT_VALUE_EDITED:
    case HINT_CHANNEL_VALUES:
    case HINT_NEW_DATA:
        UpdateValues();
        break;
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
        Rebuild();
        break;
    case HINT_TABLE_MESSAGE:
        if (guvIsColumnMessage(hint))
            Rebuild();
        break;
    case HINT_TOOL:
        if (CdocDoc* doc = GetDocDoc()) {
            switch (doc->m_tool.m_now.m_msg) {
            case TOOL_MSG_TYPE:
            case TOOL_MSG_PLACED:
            case TOOL_MSG_REMOVED:
                Rebuild();
                break;
            case TOOL_MSG_MOVED:
            case TOOL_MSG_DRAGGED:
                UpdateValues();
                break;
            default:
                break;
            }
        }
        break;
    default:
        break;
    }
}

void CguvDigitsView::OnWindowMouse(wxMouseEvent& event)
{
    // The window keeps its own handling (focus and the like).
    event.Skip();
    if (!GetWindow())
        return;
    m_hit = CgrnDigitsHit();
    m_hit.m_x = event.GetX();
    m_hit.m_y = event.GetY();
    if (EnsureLayout())
        m_renderer.HitTest(m_hit);
    if (m_hit.m_area != DIGITS_HIT_VALUE && m_hit.m_area != DIGITS_HIT_HEADING)
        return;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_UP) {
        if (appIsAllowed(FEATURE_CHANNEL_DETAILS))
            ShowChannelDetails(m_hit.m_key);
    } else if (type == wxEVT_RIGHT_UP) {
        ShowChannelOpsMenu(m_hit.m_key);
    }
}

void CguvDigitsView::ShowChannelDetails(CdocFieldKey key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelDetails(key, false);
}

void CguvDigitsView::ShowChannelOpsMenu(CdocFieldKey key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelOpsMenu(GetWindow(), key);
}
