#include "views/gumView.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "views/guvGraphPanel.h"
#include "views/guvGraphView.h"
#include "views/guvGraphWin.h"

wxIMPLEMENT_DYNAMIC_CLASS(CgumView, wxView);

CgumView::CgumView() = default;

CgumView::~CgumView() = default;

bool CgumView::OnCreate(wxDocument* doc, long flags)
{
    if (!wxView::OnCreate(doc, flags))
        return false;
    m_frame = wxGetApp().m_frame;
    m_content = m_frame ? m_frame->m_content : nullptr;
    SetFrame(m_frame);
    if (m_content)
        m_content->m_view = this;

    // Only the graph has a panel view so far.
    auto* window = dynamic_cast<CguvGraphWin*>(GetGraphWin());
    if (!window)
        return true;
    auto* view = new CguvGraphView;
    window->m_view = view;
    view->m_master = this;
    view->SetDocument(doc);
    if (!view->OnCreate(doc, flags)) {
        delete view;
        window->m_view = nullptr;
        return false;
    }
    return true;
}

bool CgumView::OnClose(bool deleteWindow)
{
    if (m_content)
        m_content->ClearBackground();
    Activate(false);
    if (m_frame)
        m_frame->UpdateTitle(nullptr);
    if (auto* window = dynamic_cast<CguvGraphWin*>(GetGraphWin()))
        window->m_view = nullptr;
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

wxWindow* CgumView::GetGraphWin()
{
    if (!m_content || !m_content->m_graphPanel)
        return nullptr;
    return m_content->m_graphPanel->m_window;
}
