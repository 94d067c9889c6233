#include "views/guvView.h"

#include "app/gumDocPrintout.h"
#include "document/docHint.h"
#include "document/gumDoc.h"
#include "transport/zxMessageBox.h"

wxIMPLEMENT_DYNAMIC_CLASS(CguvView, wxView);

CguvView::CguvView() = default;

CguvView::~CguvView() = default;

bool CguvView::OnCreate(wxDocument* doc, long flags)
{
    Activate(true);
    return true;
}

bool CguvView::OnClose(bool deleteWindow)
{
    if (GetDocument() && !GetDocument()->Close())
        return false;
    if (wxWindow* window = GetWindow())
        window->ClearBackground();
    Activate(false);
    return true;
}

void CguvView::OnDraw(wxDC* dc) {}

wxPrintout* CguvView::OnCreatePrintout()
{
    return new CgumDocPrintout(this, zxAppTitle());
}

wxWindow* CguvView::GetWindow()
{
    return nullptr;
}

void CguvView::GetClientRect(wxDC* dc, wxRect& rect)
{
    rect = wxRect();
    if (wxWindow* window = GetWindow())
        rect.SetSize(window->GetClientSize());
}

CdocDoc* CguvView::GetDocDoc()
{
    CgumDoc* doc = dynamic_cast<CgumDoc*>(GetDocument());
    return doc ? &doc->m_doc : nullptr;
}

void CguvView::RefreshWindow()
{
    if (wxWindow* window = GetWindow())
        window->Refresh(true);
}

int guvHintCode(wxObject* hint)
{
    const CdocHint* docHint = dynamic_cast<const CdocHint*>(hint);
    return docHint ? docHint->m_code : 0;
}

void* guvHintData(wxObject* hint)
{
    const CdocHint* docHint = dynamic_cast<const CdocHint*>(hint);
    return docHint ? docHint->m_data : nullptr;
}

bool guvIsColumnMessage(wxObject* hint)
{
    if (guvHintCode(hint) != HINT_TABLE_MESSAGE)
        return false;
    const auto* message = static_cast<const CdocTableMessage*>(guvHintData(hint));
    return message && message->m_id >= TABLE_COLS_INSERTED && message->m_id <= TABLE_COLS_DELETED;
}

void CguvView::OnWindowMouse(wxMouseEvent& event)
{
    event.Skip();
}
