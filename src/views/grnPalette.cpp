#include "views/grnPalette.h"

CgrnRGB grnGetPaletteEntry(int n)
{
    const CdocColour colour = docPaletteColour(n);
    return {colour.Red(), colour.Green(), colour.Blue()};
}
