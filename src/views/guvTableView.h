#pragma once
#include "views/guvView.h"

// The table panel's view.
// Still thin: no grid table yet, so a rebuild only repaints the grid and
// pending rows, scrolling and the tool's row are not followed.
class CguvTableView : public CguvView
{
public:
    CguvTableView();
    ~CguvTableView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

    // Set by column changes and layout hints: the next channel reset rebuilds.
    bool m_stale = false;

private:
    void Rebuild();

    wxDECLARE_DYNAMIC_CLASS(CguvTableView);
};
