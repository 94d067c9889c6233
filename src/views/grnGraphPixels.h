#pragma once
#include "data/docFieldHdr.h"

#include <wx/colour.h>

// A pixel coordinate from a value worked out in floating point, truncated
// toward zero. Values far outside any drawing (and values that are no number)
// are held within a range that the drawing library still takes exactly.
inline int grnToPixel(double value)
{
    constexpr double LIMIT = 4000000.0;
    if (!(value > -LIMIT))
        return -int(LIMIT);
    if (value > LIMIT)
        return int(LIMIT);
    return int(value);
}

// The colour a channel is drawn in; a colour never chosen draws black.
inline wxColour grnChannelColour(const CdocFieldHdr& channel)
{
    const CdocColour& colour = channel.m_colour;
    return colour.IsOk() ? wxColour(colour.Red(), colour.Green(), colour.Blue()) : *wxBLACK;
}
