#pragma once
#include "views/grnGraph.h"
#include "views/guvView.h"

#include <functional>
#include <wx/bitmap.h>
#include <wx/overlay.h>

class CgumDocPrintout;
class wxMouseEvent;

// The graph panel's view: decides when and on what the renderer draws, draws
// a running experiment's new samples incrementally, turns mouse gestures into
// the document's graph settings and tool gestures, and prints the graph.
class CguvGraphView : public CguvView
{
public:
    CguvGraphView();
    ~CguvGraphView() override;

    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

    void OnMouse(wxMouseEvent& event);
    // The graph on the printout's page through a renderer of its own: the
    // screen graph, its layout and the pending samples are not touched.
    bool PrintGraph(CgumDocPrintout* printout);
    // The window's size changed: the pictures kept for the cursors are stale.
    void OnSize();
    // True when the renderer has a layout, laying out on the shown window
    // when needed.
    bool EnsureLayout();

    CgrnGraph m_renderer;
    CgrnGraphHit m_hit;
    CgrnGraphHit m_press;
    // Set at a left press: the release may place the cursor.
    bool m_clickToggles = false;
    bool m_pressed = false;
    // Samples stored since the last drawing; -1, -1 when none.
    int m_pendingFirst = -1;
    int m_pendingLast = -1;
    wxOverlay m_overlay;
    // While cursors are shown: the graph without them, which incremental
    // drawing then goes to, and which the window shows with the cursors.
    wxBitmap m_picture;
    bool m_pictureValid = false;

protected:
    void AttachRenderer() override;

private:
    // Drops the pending samples, attaches the renderer anew and repaints.
    void Rebuild();
    void DrawPendingSamples();
    bool DrawSampleRange(int first, int last);
    bool DrawSampleMarks(int first, int last);
    // A moved cursor, a dragged zoom rectangle or the annotation being placed.
    bool DrawToolChange();
    // The tool's cursors over the plot of the graph on the context, or none.
    void DrawOverlay(wxDC& dc);
    bool CursorsShown();
    // The picture of the graph for a window of the size, drawn when stale.
    bool DrawPicture(const wxSize& size);
    // Incremental drawing for the shown window: on it, or on the picture
    // while cursors are shown; false without a shown window.
    bool DrawOnWindow(const std::function<bool(wxDC& dc, const wxRect& rect)>& draw);
    void ClearGesture();
    void Deactivate();
    void OnRightUp();
    void ShowAxisChannels(int area);

    wxDECLARE_DYNAMIC_CLASS(CguvGraphView);
};
