#pragma once
#include "views/guvView.h"

// The oscilloscope panel's view.
// Still thin: no renderer and no controls yet, so a hint that re-attaches
// only repaints and new settings draw nothing.
class CguvScopeView : public CguvView
{
public:
    CguvScopeView();
    ~CguvScopeView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

private:
    wxDECLARE_DYNAMIC_CLASS(CguvScopeView);
};
