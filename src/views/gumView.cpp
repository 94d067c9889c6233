#include "views/gumView.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"

wxIMPLEMENT_DYNAMIC_CLASS(CgumView, wxView);

CgumView::CgumView() = default;

CgumView::~CgumView() = default;

bool CgumView::OnCreate(wxDocument* doc, long flags)
{
    if (!wxView::OnCreate(doc, flags))
        return false;
    SetFrame(wxGetApp().m_frame);
    return true;
}

void CgumView::OnDraw(wxDC* dc) {}
