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

// What the last change of the graph tool was, for the views.
enum
{
    TOOL_MSG_NONE = 0,
    TOOL_MSG_TYPE = 1,
    TOOL_MSG_PLACED = 2,
    TOOL_MSG_REMOVED = 3,
    TOOL_MSG_MOVED = 4,
    TOOL_MSG_DRAGGED = 5,
};

// One state of the graph tool; cursor positions are fractions of the graph.
class CdocToolState
{
public:
    virtual ~CdocToolState() = default;

    int m_tool = TOOL_READING;
    bool m_dragBox = false;
    bool m_annotate = false;
    int m_msg = TOOL_MSG_NONE;
    bool m_active = false;
    float m_fracX = 0.0f;
    float m_fracY = 0.0f;
    float m_fracX0 = 0.0f;
    float m_fracY0 = 0.0f;
};

// The graph's measuring tool. Still thin: the document's and the graph
// renderer's needs only (taking the cursor away, checking the tool is still
// usable, arming annotation placing, the time and date and the gauge value at
// the cursor); the other readouts, selection with its fallback to
// another type, the gestures and snapping to the visible samples are to come.
class CdocTool : public CdocRoot
{
public:
    CdocTool() = default;
    ~CdocTool() override = default;

    // Takes the cursors away (HINT_TOOL) when they are shown.
    void Deactivate();
    // True when the current type can be used now; otherwise takes the cursors
    // away and answers false.
    bool ValidateTool();
    // After the graph's axes changed: hides a tool that can no longer be used.
    void CheckTool();
    // Shows the cursor at the fractions given, in annotation placing mode.
    void BeginPlacing(float x, float y);
    // The date and time texts of the moment at the cursor; false when the
    // cursor has none.
    bool GetCursorDateTime(wxString& date, wxString& time);
    // The channel's value at the first cursor, as the graph's gauges show it;
    // no value (and an empty text) when the tool has none for the channel.
    float GetCursorText(wxString& text, const CdocField* channel);

    CdocToolState m_now;
    CdocToolState m_was;

private:
    bool IsUsable(int type) const;
    // The record whose x value lies nearest the fraction of the x axis; -1
    // without records or an index x channel.
    int FindNearestSample(float fraction) const;
};
