#pragma once
#include <wx/window.h>

class CguvScopeView;

// The oscilloscope panel's drawing window: it paints through its view.
class CguvScopeWin : public wxWindow
{
public:
    explicit CguvScopeWin(wxWindow* parent);
    ~CguvScopeWin() override;

    virtual void Draw(wxDC& dc);

    CguvScopeView* m_view = nullptr;
    bool m_painting = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
