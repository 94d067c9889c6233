#pragma once
#include <wx/window.h>

class CguvScopeView;

// The oscilloscope panel's drawing window; it paints through its view while one is
// attached and only clears itself otherwise.
// Still thin: mouse events are not passed to the view yet.
class CguvScopeWin : public wxWindow
{
public:
    explicit CguvScopeWin(wxWindow* parent);
    ~CguvScopeWin() override;

    // Hands the paint handler's drawing context to the view.
    virtual void Draw(wxDC& dc);

    CguvScopeView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
