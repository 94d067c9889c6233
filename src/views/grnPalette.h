#pragma once

// A colour as three ints, red, green and blue, each 0 to 255.
struct CgrnRGB
{
    int m_red;
    int m_green;
    int m_blue;
};

// The program's 60-colour palette. Entries 32 to 59 are seven families of
// four shades, brightest first: red, green, blue, yellow, orange, magenta,
// cyan.
constexpr int GRN_PALETTE_SIZE = 60;
extern const CgrnRGB grnPalette[GRN_PALETTE_SIZE];

// Entry n of the palette, n taken modulo the palette's size (negative n
// counts back from the end rather than reading outside the table).
const CgrnRGB& grnGetPaletteEntry(int n);

// The palette entries tried in order when a channel is given a colour, one
// sequence per colour theme (0 Standard, 1 High Contrast).
constexpr int GRN_THEME_SIZE = 30;
extern const int grnStandardColours[GRN_THEME_SIZE];
extern const int grnHighContrastColours[GRN_THEME_SIZE];
