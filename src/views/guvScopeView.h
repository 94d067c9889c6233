#pragma once
#include "views/grnScope.h"
#include "views/guvView.h"

class CguvScopePanel;

// The oscilloscope panel's view: it owns the renderer, draws the newly
// captured samples when the document asks and refreshes the panel's
// controls when a run starts, stops or is reset.
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

    void DrawNew();

    CgrnScope m_renderer;

private:
    CguvScopePanel* GetPanel();
    // Controls refreshed, renderer re-attached, the window repainted.
    void Rebuild();

    wxDECLARE_DYNAMIC_CLASS(CguvScopeView);
};
