#pragma once
#include "views/guvView.h"

// The digits panel's view.
// Still thin: no renderer yet, so a hint that re-attaches only repaints and
// one that redraws the changed values does nothing.
class CguvDigitsView : public CguvView
{
public:
    CguvDigitsView();
    ~CguvDigitsView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

private:
    wxDECLARE_DYNAMIC_CLASS(CguvDigitsView);
};
