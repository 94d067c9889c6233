#pragma once
#include "views/guvView.h"

// The boxes panel's view.
// Still thin: no renderer yet, so a hint that re-attaches only repaints and
// one that redraws the changed values does nothing.
class CguvBoxesView : public CguvView
{
public:
    CguvBoxesView();
    ~CguvBoxesView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

private:
    wxDECLARE_DYNAMIC_CLASS(CguvBoxesView);
};
