#pragma once
#include <functional>
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

    // Activates the view and attaches its renderer.
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

protected:
    // Attaches the view's renderer to the document's data object; nothing
    // for a view without one.
    virtual void AttachRenderer();
    // The renderer attached anew, so that it lays out again, and the whole
    // window repainted.
    void Reattach();
    // The window while it is shown on screen, else none.
    wxWindow* GetShownWindow();
    // Draws through a client context on the shown window; draw's answer, or
    // false without a shown window.
    bool DrawOnShownWindow(const std::function<bool(wxDC& dc, const wxRect& rect)>& draw);
    // Lays the renderer out on the shown window when it has no layout;
    // whether it has one.
    template <class Renderer>
    bool EnsureRendererLayout(Renderer& renderer)
    {
        if (!renderer.m_layoutValid) {
            DrawOnShownWindow([&renderer](wxDC& dc, const wxRect& rect) {
                renderer.Layout(dc, rect);
                return true;
            });
        }
        return renderer.m_layoutValid;
    }

private:
    wxDECLARE_DYNAMIC_CLASS(CguvView);
};

// The hint code of an update, or 0 for an update without hint.
int guvHintCode(wxObject* hint);
// The data of an update's hint, or none.
void* guvHintData(wxObject* hint);
// A table message hint that adds or removes columns (channels).
bool guvIsColumnMessage(wxObject* hint);

// What a hint asks of a panel that shows the channels' current readings.
enum {
    READINGS_UPDATE_NONE,
    // The changed values drawn on the layout there is.
    READINGS_UPDATE_VALUES,
    // Laid out and drawn anew.
    READINGS_UPDATE_LAYOUT,
};
int guvReadingsUpdate(wxObject* hint, const CdocDoc* doc);
