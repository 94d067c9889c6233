#pragma once
#include <wx/window.h>

class CguvView;

// A panel's drawing window: it paints through its view while one is attached
// and only clears itself otherwise. The meter, digits, boxes and oscilloscope
// windows are this window under their own names.
// Mouse events go to the view, which reads them as its own.
class CguvPanelWin : public wxWindow
{
public:
    explicit CguvPanelWin(wxWindow* parent);
    ~CguvPanelWin() override;

    // Hands the paint handler's drawing context to the view.
    virtual void Draw(wxDC& dc);

    CguvView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    wxDECLARE_EVENT_TABLE();
};
