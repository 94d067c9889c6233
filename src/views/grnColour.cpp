#include "views/grnColour.h"

#include <algorithm>

namespace {

uint8_t ClampByte(int value)
{
    return uint8_t(std::clamp(value, 0, 255));
}

float ByteToFloat(uint8_t value)
{
    return float(value / 255.0);
}

// A NaN gives 0.
float ClampFloat(float value)
{
    return value >= 1.0f ? 1.0f : value > 0.0f ? value : 0.0f;
}

uint8_t FloatToByte(float value)
{
    return uint8_t(value * 255.0f);
}

} // namespace

void CgrnColour::SetBytes(int red, int green, int blue, int alpha)
{
    m_redByte = ClampByte(red);
    m_greenByte = ClampByte(green);
    m_blueByte = ClampByte(blue);
    m_alphaByte = ClampByte(alpha);
    m_red = ByteToFloat(m_redByte);
    m_green = ByteToFloat(m_greenByte);
    m_blue = ByteToFloat(m_blueByte);
    m_alpha = ByteToFloat(m_alphaByte);
}

void CgrnColour::SetFloats(float red, float green, float blue, float alpha)
{
    m_red = ClampFloat(red);
    m_green = ClampFloat(green);
    m_blue = ClampFloat(blue);
    m_alpha = ClampFloat(alpha);
    m_redByte = FloatToByte(m_red);
    m_greenByte = FloatToByte(m_green);
    m_blueByte = FloatToByte(m_blue);
    m_alphaByte = FloatToByte(m_alpha);
}

void CgrnColour::SetRGB(const CgrnRGB& rgb)
{
    SetBytes(rgb.m_red, rgb.m_green, rgb.m_blue, 255);
}

void CgrnColour::SetPalette(int n)
{
    SetRGB(grnGetPaletteEntry(n));
}

void CgrnColour::SetColour(const wxColour& colour)
{
    if (!colour.IsOk()) {
        SetBlack();
        return;
    }
    SetBytes(colour.Red(), colour.Green(), colour.Blue(), colour.Alpha());
}

void CgrnColour::Clear()
{
    SetBytes(0, 0, 0, 0);
}

void CgrnColour::SetBlack()
{
    SetBytes(0, 0, 0, 255);
}

void CgrnColour::SetWhite()
{
    SetBytes(255, 255, 255, 255);
}

void CgrnColour::SetAlpha(float alpha)
{
    m_alpha = ClampFloat(alpha);
    m_alphaByte = FloatToByte(m_alpha);
}

void CgrnColour::SetAlphaByte(int alpha)
{
    m_alphaByte = ClampByte(alpha);
    m_alpha = ByteToFloat(m_alphaByte);
}

bool CgrnColour::IsEqual(const CgrnColour& other) const
{
    return m_redByte == other.m_redByte && m_greenByte == other.m_greenByte && m_blueByte == other.m_blueByte &&
           m_alphaByte == other.m_alphaByte && m_red == other.m_red && m_green == other.m_green &&
           m_blue == other.m_blue && m_alpha == other.m_alpha;
}

bool CgrnColour::IsClear() const
{
    return m_redByte == 0 && m_greenByte == 0 && m_blueByte == 0 && m_alphaByte == 0 && m_red == 0.0f &&
           m_green == 0.0f && m_blue == 0.0f && m_alpha == 0.0f;
}

bool CgrnColour::IsBlack() const
{
    return m_redByte == 0 && m_greenByte == 0 && m_blueByte == 0 && m_red == 0.0f && m_green == 0.0f &&
           m_blue == 0.0f && m_alphaByte != 0 && m_alpha != 0.0f;
}
