#pragma once
#include "views/guvView.h"

// The meter panel's view.
// Still thin: no renderer yet, so a hint that re-attaches only repaints.
class CguvMeterView : public CguvView
{
public:
    CguvMeterView();
    ~CguvMeterView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

private:
    wxDECLARE_DYNAMIC_CLASS(CguvMeterView);
};
