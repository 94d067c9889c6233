#pragma once
#include "views/guvPanelWin.h"

class wxMouseCaptureLostEvent;

// The meter panel's drawing window. The meter holds the mouse while a
// channel's button is pressed, so it also hears of losing it.
class CguvMeterWin : public CguvPanelWin
{
public:
    explicit CguvMeterWin(wxWindow* parent);
    ~CguvMeterWin() override;

private:
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    wxDECLARE_EVENT_TABLE();
};
