#pragma once
#include <wx/window.h>

class CguvBoxesView;

// The boxes panel's drawing window; it paints through its view while one is
// attached and only clears itself otherwise.
// Still thin: mouse events are not passed to the view yet.
class CguvBoxesWin : public wxWindow
{
public:
    explicit CguvBoxesWin(wxWindow* parent);
    ~CguvBoxesWin() override;

    // Hands the paint handler's drawing context to the view.
    virtual void Draw(wxDC& dc);

    CguvBoxesView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
