#include "views/guvView.h"

#include "app/gumDocPrintout.h"
#include "document/docHint.h"
#include "document/gumDoc.h"
#include "transport/zxMessageBox.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvView, wxView);

CguvView::CguvView() = default;

CguvView::~CguvView() = default;

bool CguvView::OnCreate(wxDocument* doc, long flags)
{
    Activate(true);
    AttachRenderer();
    return true;
}

void CguvView::AttachRenderer() {}

void CguvView::Reattach()
{
    AttachRenderer();
    RefreshWindow();
}

wxWindow* CguvView::GetShownWindow()
{
    wxWindow* window = GetWindow();
    return window && window->IsShownOnScreen() ? window : nullptr;
}

bool CguvView::DrawOnShownWindow(const std::function<bool(wxDC& dc, const wxRect& rect)>& draw)
{
    wxWindow* window = GetShownWindow();
    if (!window)
        return false;
    wxClientDC dc(window);
    wxRect rect;
    GetClientRect(&dc, rect);
    return draw(dc, rect);
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

int guvReadingsUpdate(wxObject* hint, const CdocDoc* doc)
{
    switch (guvHintCode(hint)) {
    case HINT_STORE_COMPACTED:
    case HINT_VALUE_EDITED:
    case HINT_CHANNEL_VALUES:
    case HINT_NEW_DATA:
        return READINGS_UPDATE_VALUES;
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
        return READINGS_UPDATE_LAYOUT;
    case HINT_TABLE_MESSAGE:
        return guvIsColumnMessage(hint) ? READINGS_UPDATE_LAYOUT : READINGS_UPDATE_NONE;
    case HINT_TOOL:
        if (!doc)
            return READINGS_UPDATE_NONE;
        switch (doc->m_tool.m_now.m_msg) {
        // The panels switch between the tool's read-outs and their own texts.
        case TOOL_MSG_TYPE:
        case TOOL_MSG_PLACED:
        case TOOL_MSG_REMOVED:
            return READINGS_UPDATE_LAYOUT;
        case TOOL_MSG_MOVED:
        case TOOL_MSG_DRAGGED:
            return READINGS_UPDATE_VALUES;
        default:
            return READINGS_UPDATE_NONE;
        }
    default:
        return READINGS_UPDATE_NONE;
    }
}

void CguvView::OnWindowMouse(wxMouseEvent& event)
{
    event.Skip();
}
