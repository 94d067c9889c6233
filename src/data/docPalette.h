#pragma once
#include "data/docColour.h"

// The program's 60-colour palette, from which channels, logger inputs and the
// views take their colours, and the two lists of palette entries that the
// document's colour schemes give channels from. Held here, without windows,
// so that the document and the renderers read the same values.
constexpr int DOC_PALETTE_SIZE = 60;
constexpr int DOC_COLOUR_LIST_SIZE = 30;

// Red, green and blue of each entry.
extern const int docPalette[DOC_PALETTE_SIZE][3];
// Entries tried in order by the standard and the high-contrast schemes;
// neither holds entry 0 (black, the colour of the time channels).
extern const int docStandardColours[DOC_COLOUR_LIST_SIZE];
extern const int docHighContrastColours[DOC_COLOUR_LIST_SIZE];

// Palette entry n modulo 60 (a negative n counts from the end).
CdocColour docPaletteColour(int n);
