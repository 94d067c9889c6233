#pragma once
#include "data/xhwMinMax.h"

#include <functional>
#include <wx/string.h>

class CdocFieldHdr;
class CgrnDC;
class wxDC;

// A numeric axis: the value range of one channel, drawn horizontally or
// vertically with a baseline, three sizes of tick marks at 1-2-5 steps and
// number labels, or as grid lines at the labelled ticks. Tick marks are sized
// in 1/90 inch and follow the drawing context's resolution. The drawing
// operations use the pen, text colour and font the caller selected.
class CgrnScale
{
public:
    CgrnScale() = default;
    virtual ~CgrnScale() {}

    // From the channel's Def range (useDefault) or Now range and its
    // whole-number test; no channel: an empty channel's (100 to 0).
    // Side 0 puts ticks and labels below (horizontal) or left (vertical) of
    // the line, 1 above or right; large selects the larger marks.
    void Set(const CdocFieldHdr* channel, bool useDefault, int side, int large);
    // Widens the range so that bars centred on whole values fit.
    void WidenForBars();

    // The step between labelled ticks, numerator / denominator, and the
    // decimal places of the labels. False when the range is empty or
    // inverted, or when no label fits.
    bool GetTickStep(int length, int labelSize, float& step, int& numerator, int& denominator, int& places) const;
    // The same for labels as wide as "12345" in the context's current font.
    bool GetTicks(CgrnDC& dc, int length, float& step, int& numerator, int& denominator, int& places) const;
    // The first multiple of the step at or above the minimum.
    float GetFirstTick(float step) const;
    static wxString FormatLabel(int places, float value);

    // Room beside the axis line for the labels.
    int GetAxisHeight(CgrnDC& dc) const;
    int GetAxisWidth(CgrnDC& dc, int length) const;

    // Pixel of a value on a horizontal axis starting at x, or on a vertical
    // axis starting at y (the minimum at the bottom).
    int GetPositionX(float value, int x, int length) const;
    int GetPositionY(float value, int y, int length) const;

    // Each answers false when no ticks could be placed; the axis line is
    // drawn all the same.
    bool DrawAxisX(CgrnDC& dc, int x, int y, int length) const;
    bool DrawAxisY(CgrnDC& dc, int x, int y, int length) const;
    bool DrawGridX(CgrnDC& dc, int x, int y1, int length, int y2) const;
    bool DrawGridY(CgrnDC& dc, int x1, int y, int length, int x2) const;

    int m_side = 0;
    int m_large = 0;
    bool m_whole = false;
    CxhwMinMax m_range{10.0f, 0.0f};

private:
    bool DrawAxis(CgrnDC& dc, int x, int y, int length, bool vertical) const;
    // Calls use for every value from the first multiple of the step up to
    // the maximum.
    void WalkTicks(float step, const std::function<void(float)>& use) const;
    bool DrawGrid(CgrnDC& dc, int length, const std::function<void(wxDC&, float)>& line) const;
};

// x rounded to 6 decimal places, halves away from zero.
float grnRound6(float x);

// Tick marks in 1/90 inch, by direction, large flag and side: the major,
// medium and minor tick lengths and the label offset. Negative values point
// up (horizontal axis) or left (vertical axis).
struct CgrnTickGeometry
{
    int m_major;
    int m_medium;
    int m_minor;
    int m_labelOffset;
};
const CgrnTickGeometry& grnGetTickGeometry(bool vertical, int large, int side);
