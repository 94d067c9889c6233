#pragma once
#include "views/grnDigits.h"
#include "views/guvView.h"

class wxMouseEvent;

// The digits panel's view: paints through its renderer, redraws only the
// values that changed while readings arrive, lays out again when channels or
// settings change, and opens a channel's details or its operations menu when
// a cell is clicked.
class CguvDigitsView : public CguvView
{
public:
    CguvDigitsView();
    ~CguvDigitsView() override;

    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;
    void OnWindowMouse(wxMouseEvent& event) override;

    // True when the renderer has a layout, laying out on the shown window
    // when needed.
    bool EnsureLayout();

    CgrnDigits m_renderer;
    CgrnDigitsHit m_hit;

protected:
    void AttachRenderer() override;
    // The document's channel details and channel operations menu for the
    // channel of a clicked cell.
    virtual void ShowChannelDetails(CdocFieldKey key);
    virtual void ShowChannelOpsMenu(CdocFieldKey key);

private:
    void UpdateValues();

    wxDECLARE_DYNAMIC_CLASS(CguvDigitsView);
};
