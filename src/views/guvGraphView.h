#pragma once
#include "views/guvView.h"

#include <wx/overlay.h>

class CgumDocPrintout;
class wxMouseEvent;

// The graph panel's view: decides when and on what the graph is drawn, draws
// a running experiment's new samples incrementally, interprets the mouse and
// prints the graph.
// Still thin: draws the page frame and the document's title in place of the
// graph, and takes no mouse gesture.
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

    void OnMouse(wxMouseEvent& event);
    // The graph on the printout's page; the screen graph is not touched.
    bool PrintGraph(CgumDocPrintout* printout);
    // After a size change: the cursors' saved picture is stale.
    void ResetOverlay();

    // Samples stored since the last drawing; -1, -1 when none.
    int m_pendingFirst = -1;
    int m_pendingLast = -1;
    wxOverlay m_overlay;

private:
    // Drops the pending samples, attaches the renderer anew and repaints.
    void Rebuild();
    void DrawPendingSamples();
    bool DrawSampleRange(int first, int last);
    void DrawFrame(wxDC& dc, const wxRect& rect);

    wxDECLARE_DYNAMIC_CLASS(CguvGraphView);
};
