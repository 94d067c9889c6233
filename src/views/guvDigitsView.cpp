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

void CguvDigitsView::AttachRenderer()
{
    m_renderer.SetDoc(GetDocDoc());
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

void CguvDigitsView::UpdateValues()
{
    if (!GetShownWindow())
        return;
    if (!DrawOnShownWindow([this](wxDC& dc, const wxRect& rect) { return m_renderer.UpdateValues(dc, rect); }))
        Reattach();
}

bool CguvDigitsView::EnsureLayout()
{
    return EnsureRendererLayout(m_renderer);
}

void CguvDigitsView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    switch (guvReadingsUpdate(hint, GetDocDoc())) {
    case READINGS_UPDATE_VALUES:
        UpdateValues();
        break;
    case READINGS_UPDATE_LAYOUT:
        Reattach();
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
