#pragma once
#include "data/docFieldKey.h"
#include "views/grnDC.h"

#include <array>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class CdocDoc;
class CdocField;
class wxColour;
class wxDC;

// What lies under a point of the digits: nothing, a cell's value or its heading.
enum
{
    DIGITS_HIT_NONE = 0,
    DIGITS_HIT_VALUE = 1,
    DIGITS_HIT_HEADING = 2,
};

// A point of the digits window classified by CgrnDigits::HitTest, with the
// channel of the cell under it (the meter's hit record has the same form).
struct CgrnDigitsHit
{
    int m_x = 0;
    int m_y = 0;
    int m_area = DIGITS_HIT_NONE;
    CdocFieldKey m_key;
};

// The document's table font: its stored description when the toolkit takes
// it, else the application's default drawing font.
void grnMakeTableFont(const CdocDoc* doc, wxFont& font);

// Cells of the digits: every channel and one to spare.
constexpr int DIGITS_MAX_CELLS = 21;

// The digits renderer: the current value of every shown channel in large
// figures, one cell per channel with its name and units under the value, or
// the graph tool's readings while its cursors are shown. It chooses the grid
// of cells that gives the largest figures, redraws only the values whose text
// changed, and tells which cell part lies under a point.
class CgrnDigits
{
public:
    CgrnDigits();
    virtual ~CgrnDigits();
    CgrnDigits(const CgrnDigits&) = delete;
    CgrnDigits& operator=(const CgrnDigits&) = delete;

    // Attaches the document's data (or none); the layout is made anew.
    void SetDoc(CdocDoc* doc);
    // Both fonts become the document's table font in bold, unless they are
    // made already and force is false.
    void InitFonts(bool force);
    // Lays out for the rectangle when needed (for a hit test); nothing drawn.
    void Layout(wxDC& dc, const wxRect& rect);
    // Everything: headings, then values. False, nothing drawn, without a
    // document.
    bool Draw(wxDC& dc, const wxRect& rect);
    // Only the values whose text changed since they were drawn. False when
    // the window must be painted whole: the rectangle changed, there is no
    // layout, or a value no longer fits its place.
    bool UpdateValues(wxDC& dc, const wxRect& rect);
    // Fills the area and the channel of the point; uses the current layout.
    void HitTest(CgrnDigitsHit& hit);

    // The value and heading parts of list entry i in the current layout.
    wxRect GetValueRect(int i) const;
    wxRect GetHeadingRect(int i) const;
    // The texts of a listed channel as a cell shows them now.
    void GetValueText(const CdocField& field, wxString& text) const;
    void GetHeading(const CdocField& field, wxString& text) const;

    wxRect m_rect;
    CdocDoc* m_doc = nullptr;
    bool m_layoutValid = false;
    CgrnDC m_dc;
    bool m_fontsReady = false;
    wxFont m_headingFont;
    wxFont m_valueFont;
    int m_headingHeight = 0;
    int m_gap = 0;
    int m_margin = 0;
    wxRect m_inner;
    int m_columns = 1;
    int m_rows = 1;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    std::array<CdocFieldKey, DIGITS_MAX_CELLS> m_keys;
    int m_count = 0;
    // The value text last drawn in each cell.
    std::array<wxString, DIGITS_MAX_CELLS> m_texts;
    // A text did not fit its place during the last drawing.
    bool m_overflow = false;

private:
    // Attaches the wxDC with the heading font selected and stores the
    // rectangle; whether a layout is valid afterwards.
    bool Begin(wxDC& dc, const wxRect& rect);
    bool ComputeLayout();
    void ListChannels();
    void DrawHeadings();
    void DrawValues(bool changedOnly);
    void DrawValue(int i, CdocField& field, const wxColour& colour, bool changedOnly);
    // Values in the channels' colours (running or fetching, or a tool read
    // out), else light grey.
    bool ValuesColoured() const;
};
