#include "views/guvBoxesView.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "document/gumDoc.h"
#include "views/gumView.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvBoxesView, CguvView);

CguvBoxesView::CguvBoxesView() = default;

CguvBoxesView::~CguvBoxesView() = default;

bool CguvBoxesView::OnCreate(wxDocument* doc, long flags)
{
    if (!CguvView::OnCreate(doc, flags))
        return false;
    m_renderer.SetDoc(GetDocDoc());
    return true;
}

bool CguvBoxesView::OnClose(bool deleteWindow)
{
    return CguvView::OnClose(deleteWindow);
}

wxWindow* CguvBoxesView::GetWindow()
{
    return m_master ? m_master->GetBoxesWin() : nullptr;
}

void CguvBoxesView::OnDraw(wxDC* dc)
{
    if (dc)
        m_renderer.Draw(*dc, wxRect(wxPoint(0, 0), dc->GetSize()));
}

void CguvBoxesView::Attach()
{
    m_renderer.SetDoc(GetDocDoc());
    if (wxWindow* window = GetWindow())
        window->Refresh(true);
}

bool CguvBoxesView::EnsureLayout()
{
    if (m_renderer.m_layoutValid)
        return true;
    wxWindow* window = GetWindow();
    if (!window || !window->IsShownOnScreen())
        return false;
    wxClientDC dc(window);
    wxRect rect;
    GetClientRect(&dc, rect);
    m_renderer.Prepare(dc, rect);
    return m_renderer.m_layoutValid;
}

void CguvBoxesView::DrawChanges()
{
    wxWindow* window = GetWindow();
    if (!window || !window->IsShownOnScreen())
        return;
    wxClientDC dc(window);
    wxRect rect;
    GetClientRect(&dc, rect);
    if (!m_renderer.DrawChanges(dc, rect))
        RefreshWindow();
}

void CguvBoxesView::OnToolChanged()
{
    CdocDoc* doc = GetDocDoc();
    if (!doc)
        return;
    switch (doc->m_tool.m_now.m_msg) {
    case TOOL_MSG_TYPE:
    case TOOL_MSG_PLACED:
    case TOOL_MSG_REMOVED:
        // The boxes switch between the tool's read-outs and their own texts.
        Attach();
        break;
    case TOOL_MSG_MOVED:
    case TOOL_MSG_DRAGGED:
        DrawChanges();
        break;
    default:
        break;
    }
}

void CguvBoxesView::OnUpdate(wxView* sender, wxObject* hint)
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
        DrawChanges();
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
        Attach();
        break;
    case HINT_TABLE_MESSAGE:
        if (guvIsColumnMessage(hint))
            Attach();
        break;
    case HINT_TOOL:
        OnToolChanged();
        break;
    default:
        break;
    }
}

void CguvBoxesView::OnWindowMouse(wxMouseEvent& event)
{
    if (!GetWindow())
        return;
    m_hit.m_kind = BOXES_HIT_NONE;
    m_hit.m_x = event.GetX();
    m_hit.m_y = event.GetY();
    if (EnsureLayout())
        m_renderer.HitTest(m_hit);

    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_UP) {
        if (m_hit.m_kind == BOXES_HIT_UPPER || m_hit.m_kind == BOXES_HIT_LOWER) {
            if (appIsAllowed(FEATURE_CHANNEL_DETAILS))
                ShowChannelDetails(m_hit.m_key);
        } else if (m_hit.m_kind == BOXES_HIT_SYMBOL) {
            CdocDoc* doc = GetDocDoc();
            if (CdocField* channel = doc ? doc->m_data.m_fields.Find(m_hit.m_key) : nullptr) {
                channel->m_show = !channel->m_show;
                doc->m_graph.ShareScales();
                doc->ModifyAndUpdateViews(HINT_CHANNEL_CHANGED, nullptr);
            }
        }
    } else if (type == wxEVT_RIGHT_UP) {
        if (m_hit.m_kind != BOXES_HIT_NONE)
            ShowChannelOpsMenu(m_hit.m_key);
    }
}

void CguvBoxesView::ShowChannelDetails(const CdocFieldKey& key)
{
    CdocFieldKey copy = key;
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelDetails(copy, false);
}

void CguvBoxesView::ShowChannelOpsMenu(const CdocFieldKey& key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelOpsMenu(GetWindow(), key);
}
