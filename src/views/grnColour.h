#pragma once
#include "views/grnPalette.h"

#include <cstdint>
#include <wx/colour.h>

// A colour held twice, as four floats (0 to 1) and as four bytes (0 to 255);
// every setter writes both forms. From bytes each float is byte / 255; from
// floats each byte is float × 255, truncated. Values outside those ranges are
// clamped so that the two forms always describe the same colour.
class CgrnColour
{
public:
    // Transparent black.
    CgrnColour() = default;
    CgrnColour(int red, int green, int blue, int alpha) { SetBytes(red, green, blue, alpha); }
    CgrnColour(float red, float green, float blue, float alpha) { SetFloats(red, green, blue, alpha); }
    explicit CgrnColour(const CgrnRGB& rgb) { SetRGB(rgb); }
    explicit CgrnColour(int paletteEntry) { SetPalette(paletteEntry); }
    explicit CgrnColour(const wxColour& colour) { SetColour(colour); }

    void SetBytes(int red, int green, int blue, int alpha);
    void SetFloats(float red, float green, float blue, float alpha);
    // Opaque.
    void SetRGB(const CgrnRGB& rgb);
    // Entry n modulo 60 of the palette, opaque.
    void SetPalette(int n);
    // The toolkit's null colour, which marks a colour never chosen, gives
    // opaque black, as the renderers draw such a colour.
    void SetColour(const wxColour& colour);
    void Clear();
    void SetBlack();
    void SetWhite();
    void SetAlpha(float alpha);
    void SetAlphaByte(int alpha);
    void CopyFrom(const CgrnColour& other) { *this = other; }

    bool IsEqual(const CgrnColour& other) const;
    bool IsClear() const;
    bool IsBlack() const;
    // The toolkit's colour of the byte form.
    wxColour GetColour() const { return wxColour(m_redByte, m_greenByte, m_blueByte, m_alphaByte); }

    float m_red = 0.0f;
    float m_green = 0.0f;
    float m_blue = 0.0f;
    float m_alpha = 0.0f;
    uint8_t m_redByte = 0;
    uint8_t m_greenByte = 0;
    uint8_t m_blueByte = 0;
    uint8_t m_alphaByte = 0;
};
