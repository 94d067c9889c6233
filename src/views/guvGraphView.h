#pragma once
#include "views/guvView.h"

class CgumDocPrintout;

// The graph panel's view. Drawing the graph itself comes with the renderer;
// for now it draws the page frame and the document's title.
class CguvGraphView : public CguvView
{
public:
    CguvGraphView();
    ~CguvGraphView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

    bool PrintGraph(CgumDocPrintout* printout, int page);

private:
    void DrawFrame(wxDC& dc, const wxRect& rect);

    wxDECLARE_DYNAMIC_CLASS(CguvGraphView);
};
