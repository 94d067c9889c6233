#pragma once
#include "data/docFieldKey.h"
#include "views/grnDC.h"

#include <array>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class CdocDoc;
class CdocField;
class wxDC;

// What lies under a point of the boxes.
enum
{
    BOXES_HIT_NONE = 0,
    BOXES_HIT_SYMBOL = 1,
    BOXES_HIT_UPPER = 2,
    BOXES_HIT_LOWER = 3,
};

// A mouse position classified by CgrnBoxes::HitTest: the caller sets the
// point (window pixels), the hit test the kind and the box's channel.
struct CgrnBoxesHit
{
    int m_x = 0;
    int m_y = 0;
    int m_kind = BOXES_HIT_NONE;
    CdocFieldKey m_key;
};

// Boxes in the document's channel order (time first, then the time and date
// when shown, then the other channels), one per channel, each with two
// right-aligned text lines and a square carrying the logger input's number
// and a tick while the channel is shown on the graph. A timing run adds its
// status band and a row of gate squares at the bottom. The text caches let
// new readings redraw only the lines whose text changed.
class CgrnBoxes
{
public:
    // The document's 20 channels and the time-and-date box.
    static constexpr int MAX_BOXES = 21;

    CgrnBoxes();
    virtual ~CgrnBoxes();
    CgrnBoxes(const CgrnBoxes&) = delete;
    CgrnBoxes& operator=(const CgrnBoxes&) = delete;

    // The document's data (none detaches); the layout is made again.
    void SetDoc(CdocDoc* doc);
    // Lays out for the rectangle without drawing.
    void Prepare(wxDC& dc, const wxRect& rect);
    // Everything; false, with nothing drawn, without a document.
    bool Draw(wxDC& dc, const wxRect& rect);
    // Only the lines, gates and phases that changed since they were drawn;
    // false, with nothing drawn, when the rectangle or the layout changed.
    bool DrawChanges(wxDC& dc, const wxRect& rect);
    // The kind and channel under the hit's point, on the current layout.
    void HitTest(CgrnBoxesHit& hit);

    // The steps of a pass, with the context attached.
    void BeginDraw(wxDC& dc);
    void EndDraw();
    bool Layout();
    void CollectChannels();
    void DrawSymbol(int i, int digit, bool shown);
    void DrawDigit(int digit, int a, int b);
    void DrawTexts(bool onlyChanged);
    void GetTexts(CdocField& channel, wxString& upper, wxString& lower);
    void DrawUpperText(int i, const wxString& text, bool onlyChanged);
    void DrawLowerText(int i, const wxString& text, bool onlyChanged);
    void DrawTimeAndDate(int i, bool onlyChanged);
    void DrawTimingStatus(bool onlyChanged);
    void DrawGates(bool onlyChanged);

    int GetBoxTop(int i) const { return m_firstBoxTop + i * m_pitch; }
    // The boxes with a square: neither reading number nor elapsed time nor
    // the graph's x channel.
    bool HasSymbol(CdocField* channel) const;
    bool IsTimingRun() const;

    wxRect m_rect;
    CdocDoc* m_doc = nullptr;
    bool m_layoutValid = false;
    CgrnDC m_dc;
    bool m_fontPrepared = false;
    wxFont m_font;
    int m_ch = 0;
    int m_u2 = 2;
    int m_u3 = 3;
    int m_u4 = 4;
    wxRect m_inner;
    int m_boxLeft = 0;
    int m_firstBoxTop = 0;
    int m_boxWidth = 0;
    int m_boxHeight = 0;
    int m_pitch = 0;
    int m_symbolSize = 0;
    int m_symbolLeft = 0;
    int m_textLeft = 0;
    int m_textWidth = 0;
    int m_upperTop = 0;
    int m_lowerTop = 0;

    int m_count = 0;
    // An empty key stands for the time-and-date box.
    std::array<CdocFieldKey, MAX_BOXES> m_boxes;
    std::array<wxString, MAX_BOXES> m_upperTexts;
    std::array<wxString, MAX_BOXES> m_lowerTexts;
    wxString m_timeText;
    wxString m_dateText;
    int m_gateWord = 0;
    wxString m_statusText;
    std::array<int, 6> m_phases;

private:
    void MakeFont();
    void DrawLine(int top, const wxString& text, wxString& cache, bool onlyChanged, int inset);
};
