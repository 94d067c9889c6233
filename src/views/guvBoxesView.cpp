#include "views/guvBoxesView.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "document/gumDoc.h"
#include "views/gumView.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvBoxesView, CguvView);

CguvBoxesView::CguvBoxesView() = default;

CguvBoxesView::~CguvBoxesView() = default;

void CguvBoxesView::AttachRenderer()
{
    m_renderer.SetDoc(GetDocDoc());
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

bool CguvBoxesView::EnsureLayout()
{
    if (!m_renderer.m_layoutValid) {
        DrawOnShownWindow([this](wxDC& dc, const wxRect& rect) {
            m_renderer.Prepare(dc, rect);
            return true;
        });
    }
    return m_renderer.m_layoutValid;
}

void CguvBoxesView::DrawChanges()
{
    if (!GetShownWindow())
        return;
    if (!DrawOnShownWindow([this](wxDC& dc, const wxRect& rect) { return m_renderer.DrawChanges(dc, rect); }))
        RefreshWindow();
}

void CguvBoxesView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    switch (guvReadingsUpdate(hint, GetDocDoc())) {
    case READINGS_UPDATE_VALUES:
        DrawChanges();
        break;
    case READINGS_UPDATE_LAYOUT:
        Reattach();
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
