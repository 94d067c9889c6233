#pragma once
#include <wx/string.h>
#include <wx/window.h>

class CguvScopeView;

// The trigger indicator above the oscilloscope: a small box, green while
// the capture's trigger indicator is on and red otherwise.
class CguvScopeTrigger : public wxWindow
{
public:
    explicit CguvScopeTrigger(wxWindow* parent);
    ~CguvScopeTrigger() override;

    void SetLabel(const wxString& label) override;
    wxString GetLabel() const override { return m_label; }
    void Draw(wxDC& dc);
    void UpdateIndicator();
    bool IsOn() const;

    CguvScopeView* m_view = nullptr;
    wxString m_label;
    bool m_drawnState = false;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};
