#pragma once
#include "data/docRoot.h"

#include <wx/string.h>

class CdocField;

// Graph tool types.
enum
{
    TOOL_NONE = 0,
    TOOL_POSITION = 1,
    TOOL_READING = 2,
    TOOL_CHANGE = 3,
    TOOL_DIFFERENCE = 4,
    TOOL_GRADIENT = 5,
    TOOL_AREA = 6,
};

// Whether the user level allows the graph tool of this type.
bool docIsToolAllowed(int type);

// What the last change of the graph tool was, for the views: 1 to 3 ask for
// a repaint, 4 and 5 for an incremental drawing.
enum
{
    TOOL_MSG_NONE = 0,
    TOOL_MSG_TYPE = 1,
    TOOL_MSG_PLACED = 2,
    TOOL_MSG_REMOVED = 3,
    TOOL_MSG_MOVED = 4,
    TOOL_MSG_DRAGGED = 5,
};

// One state of the graph tool; cursor positions are fractions 0..1 of the
// plot, 0 at the left and at the bottom. Saved as "ToolNow" and "ToolWas".
class CdocToolState
{
public:
    virtual ~CdocToolState() = default;

    int m_tool = TOOL_READING; // "Tool"
    bool m_dragBox = false;    // "DragBox": a zoom rectangle is dragged
    bool m_annotate = false;   // "Annotate": an annotation is being placed
    int m_msg = TOOL_MSG_NONE; // "Msg"
    bool m_active = false;     // "Active": the cursors are shown
    float m_fracX = 0.0f;      // the first, moving cursor
    float m_fracY = 0.0f;
    float m_fracX0 = 0.0f; // the second cursor, where the first was placed
    float m_fracY0 = 0.0f;
};

// The graph's measuring tool, its zoom rectangle and the placing of an
// annotation. It knows no window: the graph view hands it gestures in
// fractions of the plot, and every change goes to the views as HINT_TOOL,
// with the previous state kept in m_was.
class CdocTool : public CdocRoot
{
public:
    CdocTool() = default;
    ~CdocTool() override = default;

    // Whether the menu offers the type now: data is held, the user level
    // allows it and, for the sample tools, the x axis is an index channel.
    bool IsToolEnabled(int type) const;

    // Selects a type, falling back to the nearest usable one.
    void SetTool(int type);
    // After the graph's axes changed: falls back when the type no longer fits.
    void CheckTool();
    // True when the current type can be used now; otherwise takes the cursors
    // away and answers false.
    bool ValidateTool();

    // Gestures, in fractions of the plot.
    // Takes the cursors away (HINT_TOOL) when they are shown.
    void Deactivate();
    // A click in the plot: places the cursor, or takes a shown one away.
    void ClickAt(float x, float y);
    void MoveCursor(float x, float y);
    // The zoom rectangle from the press point to the pointer, and its release.
    void DragZoom(float pressX, float pressY, float x, float y);
    void EndDragZoom(float pressX, float pressY, float x, float y);
    // Shows the cursor for placing the pending annotation, and places it.
    void BeginPlacing(float x, float y);
    void PlaceAnnotation(float x, float y);

    // Read-outs for a channel: the text is filled, the value returned, the
    // no-value mark with an empty text when there is none.
    float GetValueText(wxString& text, const CdocField* field) const;
    void GetUnits(wxString& text, const CdocField* field) const;
    void GetHeading(wxString& text, const CdocField* field) const;
    // The value of the channel's gauge while the cursor is shown.
    float GetCursorText(wxString& text, const CdocField* field) const;
    // The channel's sample nearest the first cursor.
    float GetReadingAtCursor(wxString& text, const CdocField* field) const;
    // The date and time texts of the moment at the cursor; false when the
    // cursor has none.
    bool GetCursorDateTime(wxString& date, wxString& time) const;

    // The visible record whose x value lies nearest the fraction of the x
    // axis; -1 without records, an index x channel or a visible record.
    int FindNearestSample(float fraction) const;
    // The records inside the x axis's range, lowest index first; both -1
    // when there are none.
    void GetVisibleRange(int& first, int& last) const;
    // The boundary records of the values at or above, and at or below, a
    // value of the x channel; -1 when no record lies on that side.
    int FindFirstAtOrAbove(float value) const;
    int FindLastAtOrBelow(float value) const;

    CdocToolState m_now;
    CdocToolState m_was;

private:
    bool IsUsable(int type) const;
    // Fallback resolution, and its use before a gesture.
    int ResolveType(int type) const;
    bool Reresolve();
    // Copies the current state, hides the cursors, Msg 3 and the hint.
    void Hide();
    void Post();
    // The fraction of the sample nearest a fraction of the x axis.
    float Snap(float fraction) const;
    // The graph's x channel when it is a reading number or elapsed time.
    CdocField* GetIndexX() const;
    // The first guess of a record for a value of the index x channel.
    int GuessIndex(const CdocField& x, float value, int first, int last) const;
    // The channel's value at the first cursor: the position there, or the
    // nearest sample.
    float GetPositionAt(const CdocField& field, bool xLike, float fx, float fy) const;
    bool IsXLike(const CdocField& field) const;
    // A channel of record index kind read against an x axis that is not one.
    bool HasNoReadout(const CdocField& field) const;
};
