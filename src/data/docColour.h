#pragma once
#include <cstdint>

// A channel's drawing colour without the window library: red, green and blue,
// or the null colour, which means that no colour has been chosen yet. The views
// turn it into a toolkit colour when they draw.
class CdocColour
{
public:
    CdocColour() = default;
    CdocColour(uint8_t red, uint8_t green, uint8_t blue) : m_red(red), m_green(green), m_blue(blue), m_ok(true) {}

    bool IsOk() const { return m_ok; }
    uint8_t Red() const { return m_red; }
    uint8_t Green() const { return m_green; }
    uint8_t Blue() const { return m_blue; }
    bool operator==(const CdocColour& other) const
    {
        return m_ok == other.m_ok && (!m_ok || (m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue));
    }
    bool operator!=(const CdocColour& other) const { return !(*this == other); }

private:
    uint8_t m_red = 0;
    uint8_t m_green = 0;
    uint8_t m_blue = 0;
    bool m_ok = false;
};
