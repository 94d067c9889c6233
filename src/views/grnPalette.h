#pragma once
#include "data/docPalette.h"

// A colour as three ints, red, green and blue, each 0 to 255.
struct CgrnRGB
{
    int m_red;
    int m_green;
    int m_blue;
};

// The renderers' view of the program's 60-colour palette, which the document
// holds (data/docPalette.h) so that channels and views read the same values.
// Entries 32 to 59 are seven families of four shades, brightest first: red,
// green, blue, yellow, orange, magenta, cyan.
constexpr int GRN_PALETTE_SIZE = DOC_PALETTE_SIZE;

// Entry n of the palette, n taken modulo the palette's size (negative n
// counts back from the end rather than reading outside the table).
CgrnRGB grnGetPaletteEntry(int n);

// The palette entries tried in order when a channel is given a colour, one
// sequence per colour theme (0 Standard, 1 High Contrast).
constexpr int GRN_THEME_SIZE = DOC_COLOUR_LIST_SIZE;
inline const int* const grnStandardColours = docStandardColours;
inline const int* const grnHighContrastColours = docHighContrastColours;
