#pragma once
#include <wx/window.h>

class CguvDigitsView;

// The digits panel's drawing window; it paints through its view while one is
// attached and only clears itself otherwise.
// Still thin: mouse events are not passed to the view yet.
class CguvDigitsWin : public wxWindow
{
public:
    explicit CguvDigitsWin(wxWindow* parent);
    ~CguvDigitsWin() override;

    // Hands the paint handler's drawing context to the view.
    virtual void Draw(wxDC& dc);

    CguvDigitsView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
