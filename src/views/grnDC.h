#pragma once
#include <memory>
#include <wx/dc.h>

class wxDCOverlay;
class wxFont;
class wxOverlay;

// The drawing context every renderer draws through: the toolkit's wxDC, set
// for one drawing pass and cleared at its end (never owned), and the few
// drawing operations the renderers share.
//
// Sizes given for a 72-ppi screen follow the wxDC's own resolution, so that a
// printed page keeps the proportions of the screen.
//
// Tool cursors: the toolkit cannot draw in exclusive-or mode here, so cursors
// go on an overlay (a wxOverlay the window keeps). BeginXor restores the
// picture saved under the overlay, which removes the cursors drawn last time;
// what is drawn until EndXor is the new set of cursors. ResetXor removes the
// cursors and forgets the saved picture. After the window has been painted
// anew the window resets its overlay (wxOverlay::Reset), so that the next
// BeginXor saves the new picture.
class CgrnDC
{
public:
    CgrnDC();
    virtual ~CgrnDC();
    CgrnDC(const CgrnDC&) = delete;
    CgrnDC& operator=(const CgrnDC&) = delete;

    // Attaches a wxDC (none: detaches); either way the current font is
    // forgotten.
    void SetDC(wxDC* dc);
    wxDC* GetDC() const { return m_dc; }

    // Selects the font only when it is not the one selected last. None makes
    // the wrapper forget the selected font, so that the next call selects.
    void SetFont(const wxFont* font);

    // Resolution of the wxDC in pixels per inch (96 without a wxDC).
    wxSize GetPPI() const;
    // A length in 1/90 inch in pixels: value × (resolution / 90), truncated.
    int GetPixelsX(int ninetieths) const;
    int GetPixelsY(int ninetieths) const;
    // A pen k pixels wide on a 96-ppi screen: k × resolution / 96, at least k.
    int GetPenWidth(int k) const;

    // A sunken frame around (x1, y1) top left and (x2, y2) bottom right,
    // optionally filled white. Its pen (and brush) stay selected.
    void DrawBevel(int x1, int y1, int x2, int y2, bool fillInside);
    // A level box: the bottom fraction of the rectangle in the colour, the
    // rest white; framed in grey when at least 4 by 4 pixels.
    void FillLevel(int x, int y, int width, int height, const wxColour& colour, float fraction);
    // Brings a level box that FillLevel drew at fraction from up to fraction
    // to, drawing only the rows that change.
    void ChangeLevel(int x, int y, int width, int height, const wxColour& colour, float from, float to);
    // Sets the font's point size to the largest at which the text fits in
    // width × height; with keepIfFits, a text that fits keeps its size. The
    // font is selected for measuring only: follow with SetFont(nullptr) and
    // SetFont(&font). An empty text leaves the font as it is.
    void FitFont(wxFont& font, int width, int height, const wxString& text, bool keepIfFits);

    // Tool cursors on an overlay (see above). BeginXor answers false without a
    // wxDC.
    bool BeginXor(wxOverlay& overlay);
    void EndXor();
    void ResetXor(wxOverlay& overlay);

private:
    wxDC* m_dc = nullptr;
    const wxFont* m_font = nullptr;
    std::unique_ptr<wxDCOverlay> m_overlay;
};

// Makes the font a copy of the application's GUI font, unless it is that
// font object already.
void grnUseDefaultFont(wxFont& font);
