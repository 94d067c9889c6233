#pragma once
#include "views/grnDC.h"

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

class CdocDoc;
class wxDC;

// The oscilloscope's renderer: the oscilloscope picture scaled to the window
// with a ten-by-ten grid on its screen, and the captured sweeps drawn over it
// in green; a whole pass on a repaint, only the new samples while a capture
// comes in.
class CgrnScope
{
public:
    CgrnScope();
    virtual ~CgrnScope();
    CgrnScope(const CgrnScope&) = delete;
    CgrnScope& operator=(const CgrnScope&) = delete;

    void SetDoc(CdocDoc* doc);
    bool Draw(wxDC& dc, const wxRect& rect);
    bool DrawNew(wxDC& dc, const wxRect& rect, int from, int to, bool redrawBackground);

    bool Layout();
    // A line "name,x,y,width,height" of fractions of the bitmap; the whole
    // bitmap when it does not read.
    wxRect ParseArea(const wxString& text) const;
    void DrawGrid(wxDC& dc, const wxRect& area);
    void DrawTraces(int from, int to);
    void DrawSamples(int from, int to, const float* samples);

    // The picture drawn; the application's "scope" image unless a test
    // gives its own (none: the application's).
    const wxImage* m_picture = nullptr;

    wxRect m_rect;
    CdocDoc* m_doc = nullptr;
    bool m_layoutValid = false;
    CgrnDC m_dc;
    wxSize m_ppi{96, 96};
    int m_u2 = 2;
    int m_u3 = 3;
    int m_penWidth = 1;
    wxRect m_trace;
    int m_y0 = 0;
    int m_halfHeight = 0;
    int m_clamp = 0;
    int m_left = 0;
    float m_step = 0.0f;
    float m_voltsFactor = 1.0f;
    float m_gain = 1.0f;
    float m_mid = 0.0f;
    wxBitmap m_background;
    wxRect m_bitmapRect;

private:
    void BeginPass(wxDC& dc);
    void EndPass();
    // Stores a rectangle that differs; true when it did.
    bool CheckRect(const wxRect& rect);
    const wxImage& Picture() const;
    // The step between samples and the pen width for the selected timebase.
    void ComputeStep();
};

// The colour around the oscilloscope picture (its top-left pixel), which the
// oscilloscope's panel and windows take so that they blend with it.
wxColour grnScopeBackground();
