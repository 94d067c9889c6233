#pragma once
#include "data/docFieldKey.h"
#include "views/grnDC.h"
#include "views/grnScale.h"
#include "views/grnScaleClock.h"

#include <array>
#include <wx/font.h>
#include <wx/gdicmn.h>

class CdocDoc;
class CdocField;
class CdocToolState;
class wxDC;
class wxOverlay;

// Where a point of the graph window lies.
enum
{
    HIT_NONE = 0,
    HIT_GAUGE = 1,
    HIT_TITLE = 2,
    HIT_AXIS_X = 3,
    HIT_AXIS_LEFT = 4,
    HIT_AXIS_RIGHT = 5,
    HIT_PLOT = 6,
};

// A mouse position classified by CgrnGraph::HitTest. The caller sets x and y
// (window pixels); the channel is set for a gauge only (index -1). The
// fractions are not clamped: fx along the x channel's Now range (the plot's
// width without an x channel), fy 0 at the plot's bottom and 1 at its top.
struct CgrnGraphHit
{
    int m_x = 0;
    int m_y = 0;
    int m_area = HIT_NONE;
    CdocFieldKey m_key;
    float m_fx = 0.0f;
    float m_fy = 0.0f;
};

// Draws the document's graph: axes, captions, grid, a column of gauges, then
// the traces, marks, best-fit lines, annotations and the tool's cursors. It
// draws on the wxDC each call hands it and keeps between calls only the
// layout of the last rectangle; the incremental operations answer false when
// that layout no longer holds, and the caller then repaints everything.
class CgrnGraph
{
public:
    CgrnGraph();
    virtual ~CgrnGraph();
    CgrnGraph(const CgrnGraph&) = delete;
    CgrnGraph& operator=(const CgrnGraph&) = delete;

    // The document's data (none detaches); the layout is made again.
    void SetDoc(CdocDoc* doc);
    void UpdateScales();

    // Lays out for the rectangle without drawing.
    void Layout(wxDC& dc, const wxRect& rect);
    // The whole graph; false without a document.
    bool Draw(wxDC& dc, const wxRect& rect, bool frame);
    // The whole graph on a printed page: sx and sy are the page's scale
    // factors; corrected says the context has already been scaled by them.
    bool DrawPrint(wxDC& dc, const wxRect& page, bool frame, bool corrected, float sx, float sy);

    // Incremental drawing on the layout of the last full drawing. Each
    // answers false, drawing nothing, when the rectangle differs or the
    // layout is not valid. last -1: only the gauges that changed.
    bool DrawSamples(wxDC& dc, const wxRect& rect, int first, int last);
    bool DrawMarks(wxDC& dc, const wxRect& rect, int first, int last);
    bool DrawToolReadouts(wxDC& dc, const wxRect& rect);
    // Draws nothing: replaces rect by the area that the annotation being
    // placed covered and covers now, for the caller to repaint.
    bool DrawAnnotationCursor(wxDC& dc, wxRect& rect);
    // The cursors of the tool's current state, on the overlay (they replace
    // the cursors drawn there last).
    void DrawToolCursors(wxDC& dc, const wxRect& rect, wxOverlay& overlay);

    void HitTest(CgrnGraphHit& hit);

    // Mappings between the plot's pixels and fractions of the x channel's Now
    // range and of the plot's height.
    float XToFraction(int x) const;
    int FractionToX(float f) const;
    float YToFraction(int y) const;
    int FractionToY(float f) const;

    // Pixel of a sample value: x on the x scale, y on the channel's own Now
    // range.
    int ValueToX(float x) const;
    int ValueToY(const CdocField& channel, float y) const;

    // The drawing steps, for a valid layout on an attached context.
    void DrawAll(bool frame);
    void DrawGauges(bool changedOnly);
    float GetGaugeValue(CdocField& channel);
    void SetChannelPen(const CdocField& channel);
    void DrawTraces(int first, int end);
    void DrawChannel(int position, int first, int end);
    void DrawLines(CdocField& channel, int first, int end);
    void DrawPoints(CdocField& channel, int first, int end);
    void DrawBars(CdocField& channel, int first, int end);
    void DrawMarksRange(int first, int last);
    void DrawBestFits();
    void DrawAnnotation(int index);
    void DrawPendingAnnotation();
    void DrawToolState(const CdocToolState& state, wxOverlay& overlay);
    // Cuts the segment to the plot (edges included); false when it lies
    // wholly on one outer side.
    bool ClipSegment(int& x1, int& y1, int& x2, int& y2) const;

    // The channels drawn as traces and gauges: shown, not the x channel, not
    // a reading number or elapsed time.
    bool IsTraceChannel(const CdocField* channel) const;
    CdocField* GetTraceChannel(int n) const;

    void PrepareFont(bool force);
    bool ComputeLayout();
    void SetRect(const wxRect& rect);
    void Attach(wxDC& dc);
    void AttachPrint(wxDC& dc, bool corrected, float sx, float sy);
    void Detach();

    wxRect m_rect;
    CdocDoc* m_doc = nullptr;
    bool m_layoutValid = false;
    bool m_printing = false;
    bool m_scaleCorrected = false;
    float m_printScaleX = 96.0f;
    float m_printScaleY = 96.0f;
    int m_ppiX = 96;
    int m_ppiY = 96;
    CgrnDC m_dc;
    bool m_fontReady = false;
    wxFont m_font;
    int m_textHeight = 0;
    int m_gap = 1;
    int m_w1 = 1;
    int m_w2 = 2;
    int m_w3 = 3;
    int m_w4 = 4;
    int m_traceWidth = 1;
    int m_traceHalf = 0;
    int m_gaugeCount = 0;
    int m_gaugeLeft = 0;
    int m_gaugeWidth = 0;
    int m_gaugeStep = 0;
    wxRect m_inner;
    int m_plotTop = 0;
    int m_plotBottom = 0;
    int m_plotLeft = 0;
    int m_plotRight = 0;
    CgrnScale m_scaleLeft;
    CgrnScale m_scaleRight;
    CgrnScale m_scaleX;
    CgrnScaleClock m_clock;
    bool m_clockActive = false;
    std::array<float, 20> m_lastGaugeValue;

private:
    bool BeginIncremental(wxDC& dc, const wxRect& rect);

    // Which gauges have been drawn whole since the last layout.
    std::array<bool, 20> m_gaugeDrawn{};
    // The wxDC's line smoothing before it was attached.
    int m_smoothing = 0;
    bool m_smoothingSaved = false;
};
