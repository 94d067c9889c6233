#pragma once
#include <wx/docview.h>

class wxMouseEvent;

class CdocDoc;
class CgumView;

// Common base of the six panel views: the drawing window, its rectangle, the
// document's data object, a repaint, closing and the printout.
//
// Every panel view follows one pattern: OnCreate attaches its renderer to the
// document's data object, OnDraw draws with the renderer, OnUpdate reacts to
// the hint codes that concern it, and GetWindow asks the master view for its
// panel's drawing window. A view without a window ignores hints.
class CguvView : public wxView
{
public:
    CguvView();
    ~CguvView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    // Asks the document to close first; false, and nothing done, when it refuses.
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    wxPrintout* OnCreatePrintout() override;

    virtual wxWindow* GetWindow();
    // (0, 0) and the window's client size; the drawing context is not used.
    virtual void GetClientRect(wxDC* dc, wxRect& rect);

    // The panel window's mouse events; skipped unless a view reads them.
    virtual void OnWindowMouse(wxMouseEvent& event);

    CdocDoc* GetDocDoc();
    // The whole window repainted, background erased.
    void RefreshWindow();

    CgumView* m_master = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS(CguvView);
};

// The hint code of an update, or 0 for an update without hint.
int guvHintCode(wxObject* hint);
// The data of an update's hint, or none.
void* guvHintData(wxObject* hint);
// A table message hint that adds or removes columns (channels).
bool guvIsColumnMessage(wxObject* hint);
