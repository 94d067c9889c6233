#pragma once
#include <wx/window.h>

class CguvMeterView;

// The meter panel's drawing window; it paints through its view while one is
// attached and only clears itself otherwise.
// Still thin: mouse events are not passed to the view yet.
class CguvMeterWin : public wxWindow
{
public:
    explicit CguvMeterWin(wxWindow* parent);
    ~CguvMeterWin() override;

    // Hands the paint handler's drawing context to the view.
    virtual void Draw(wxDC& dc);

    CguvMeterView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
