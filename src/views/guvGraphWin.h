#pragma once
#include <wx/window.h>

class CguvGraphView;

// The graph's drawing window; paints through its view while one is attached.
class CguvGraphWin : public wxWindow
{
public:
    explicit CguvGraphWin(wxWindow* parent);
    ~CguvGraphWin() override;

    virtual void Draw(wxDC& dc);

    CguvGraphView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
