#pragma once
#include "views/grnMeter.h"
#include "views/guvView.h"

#include <wx/string.h>

class wxMouseEvent;

// The meter panel's view: paints through the meter renderer, repaints on the
// logger's and the channels' hints, and turns the mouse over the meter into
// cursors, tool tips, a pressed look of a channel's button, a switch of a
// sensor input and the channel menu. A click is a press and a release on the
// same channel's parts of the same kind: leaving them in between cancels it.
class CguvMeterView : public CguvView
{
public:
    CguvMeterView();
    ~CguvMeterView() override;

    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;
    void OnWindowMouse(wxMouseEvent& event) override;
    // The window lost the mouse to another: the button looks normal again.
    void OnCaptureLost();

    // True when the renderer has a layout, laying out on the shown window
    // when needed.
    bool EnsureLayout();
    // Repaints the header band, where the buttons are; the whole window when
    // no layout can be made.
    void RefreshHeader();
    void UpdateToolTip();
    // The power icon's tool tip for a power level.
    static wxString GetPowerText(int power);

    CgrnMeter m_renderer;
    CgrnMeterHit m_hit;
    wxString m_toolTip;
    CdocFieldKey m_hoverKey;
    // Over a channel's sensor icon or drop-down arrow.
    bool m_armed = false;
    // The left button went down over a channel and the window holds the mouse.
    bool m_pressed = false;

protected:
    void AttachRenderer() override;
    // What a click asks of the document.
    virtual void ToggleChannelInput(const CdocFieldKey& key);
    virtual void ShowChannelMenu(const CdocFieldKey& key);

private:
    bool HoldsCapture();

    wxDECLARE_DYNAMIC_CLASS(CguvMeterView);
};
