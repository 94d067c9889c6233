#pragma once
#include <wx/window.h>

class CguvGraphView;

// The graph's drawing window: passes paint, mouse and size events to its view
// while one is attached.
class CguvGraphWin : public wxWindow
{
public:
    explicit CguvGraphWin(wxWindow* parent);
    ~CguvGraphWin() override;

    // Hands the paint handler's drawing context to the view.
    virtual void Draw(wxDC& dc);

    CguvGraphView* m_view = nullptr;
    // True only while the paint handler draws.
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);

    wxDECLARE_EVENT_TABLE();
};
