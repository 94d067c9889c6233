#include "views/gumView.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "views/guvBoxesPanel.h"
#include "views/guvBoxesView.h"
#include "views/guvBoxesWin.h"
#include "views/guvDigitsPanel.h"
#include "views/guvDigitsView.h"
#include "views/guvDigitsWin.h"
#include "views/guvGraphPanel.h"
#include "views/guvGraphView.h"
#include "views/guvGraphWin.h"
#include "views/guvMeterPanel.h"
#include "views/guvMeterView.h"
#include "views/guvMeterWin.h"
#include "views/guvScopePanel.h"
#include "views/guvScopeView.h"
#include "views/guvScopeWin.h"
#include "views/guvTablePanel.h"
#include "views/guvTableView.h"
#include "views/guvTableWin.h"

namespace {

// Sets a drawing window's view pointer, typed as that window keeps it; none
// detaches.
template <class Win, class View>
void SetWindowView(wxWindow* window, CguvView* view)
{
    if (auto* typed = dynamic_cast<Win*>(window))
        typed->m_view = dynamic_cast<View*>(view);
}

struct PanelViewKind
{
    const wxChar* m_className;
    wxWindow* (CgumView::*m_window)();
    void (*m_attach)(wxWindow* window, CguvView* view);
};

// The panels in the order their views are made.
const PanelViewKind kPanelViews[] = {
    {wxT("CguvMeterView"), &CgumView::GetMeterWin, &SetWindowView<CguvMeterWin, CguvMeterView>},
    {wxT("CguvGraphView"), &CgumView::GetGraphWin, &SetWindowView<CguvGraphWin, CguvGraphView>},
    {wxT("CguvTableView"), &CgumView::GetTableWin, &SetWindowView<CguvTableWin, CguvTableView>},
    {wxT("CguvDigitsView"), &CgumView::GetDigitsWin, &SetWindowView<CguvDigitsWin, CguvDigitsView>},
    {wxT("CguvScopeView"), &CgumView::GetScopeWin, &SetWindowView<CguvScopeWin, CguvScopeView>},
    {wxT("CguvBoxesView"), &CgumView::GetBoxesWin, &SetWindowView<CguvBoxesWin, CguvBoxesView>},
};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgumView, wxView);

CgumView::CgumView() = default;

CgumView::~CgumView() = default;

bool CgumView::OnCreate(wxDocument* doc, long flags)
{
    m_frame = wxTheApp ? wxGetApp().m_frame : nullptr;
    m_content = m_frame ? m_frame->m_content : nullptr;
    SetFrame(m_frame);
    if (m_content)
        m_content->m_view = this;

    for (const PanelViewKind& kind : kPanelViews) {
        wxClassInfo* info = wxClassInfo::FindClass(kind.m_className);
        wxObject* object = info && info->IsDynamic() ? info->CreateObject() : nullptr;
        auto* view = dynamic_cast<CguvView*>(object);
        if (!view) {
            delete object;
            return false;
        }
        wxWindow* window = (this->*kind.m_window)();
        kind.m_attach(window, view);
        view->m_master = this;
        view->SetDocument(doc);
        if (!view->OnCreate(doc, flags)) {
            delete view;
            kind.m_attach(window, nullptr);
            return false;
        }
    }
    return true;
}

bool CgumView::OnClose(bool deleteWindow)
{
    if (m_content) {
        m_content->ClearBackground();
        for (wxWindow* window : {GetGraphWin(), GetTableWin(), GetBoxesWin()}) {
            if (window)
                window->ClearBackground();
        }
    }
    Activate(false);
    if (m_frame)
        m_frame->UpdateTitle(nullptr);
    for (const PanelViewKind& kind : kPanelViews)
        kind.m_attach((this->*kind.m_window)(), nullptr);
    if (m_content && m_content->m_view == this)
        m_content->m_view = nullptr;
    return true;
}

void CgumView::OnDraw(wxDC* dc) {}

void CgumView::OnUpdate(wxView* sender, wxObject* hint) {}

void CgumView::OnChangeFilename()
{
    if (m_frame && GetDocument())
        m_frame->UpdateTitle(GetDocument());
}

wxWindow* CgumView::GetMeterWin()
{
    return m_content && m_content->m_meterPanel ? m_content->m_meterPanel->m_window : nullptr;
}

wxWindow* CgumView::GetGraphWin()
{
    return m_content && m_content->m_graphPanel ? m_content->m_graphPanel->m_window : nullptr;
}

wxWindow* CgumView::GetTableWin()
{
    return m_content && m_content->m_tablePanel ? m_content->m_tablePanel->m_window : nullptr;
}

wxWindow* CgumView::GetDigitsWin()
{
    return m_content && m_content->m_digitsPanel ? m_content->m_digitsPanel->m_window : nullptr;
}

wxWindow* CgumView::GetScopeWin()
{
    return m_content && m_content->m_scopePanel ? m_content->m_scopePanel->m_window : nullptr;
}

wxWindow* CgumView::GetBoxesWin()
{
    return m_content && m_content->m_boxesPanel ? m_content->m_boxesPanel->m_window : nullptr;
}
