#include "views/grnColour.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void ExpectBytes(const CgrnColour& c, int red, int green, int blue, int alpha)
{
    EXPECT_EQ(c.m_redByte, red);
    EXPECT_EQ(c.m_greenByte, green);
    EXPECT_EQ(c.m_blueByte, blue);
    EXPECT_EQ(c.m_alphaByte, alpha);
}

TEST(Colour, PaletteEntriesAreOpaqueAndWrapAtSixty)
{
    const CgrnColour wrapped(60);
    ExpectBytes(wrapped, 0, 0, 0, 255);
    EXPECT_TRUE(wrapped.IsEqual(CgrnColour(0)));
    EXPECT_TRUE(wrapped.IsBlack());

    const CgrnColour red(67);
    ExpectBytes(red, 192, 0, 0, 255);
    EXPECT_FLOAT_EQ(red.m_red, float(192 / 255.0));
    EXPECT_EQ(red.m_alpha, 1.0f);
    EXPECT_TRUE(red.IsEqual(CgrnColour(7)));
}

TEST(Colour, FloatsTruncateToBytesAndBytesDivideToFloats)
{
    const CgrnColour grey(0.5f, 0.5f, 0.5f, 1.0f);
    ExpectBytes(grey, 127, 127, 127, 255);
    EXPECT_EQ(grey.m_red, 0.5f);

    const CgrnColour bytes(51, 102, 255, 0);
    EXPECT_EQ(bytes.m_red, float(51 / 255.0));
    EXPECT_EQ(bytes.m_green, float(102 / 255.0));
    EXPECT_EQ(bytes.m_blue, 1.0f);
    EXPECT_EQ(bytes.m_alpha, 0.0f);

    // Equal bytes are not enough: 127 from bytes is not 0.5 from floats.
    EXPECT_FALSE(CgrnColour(127, 127, 127, 255).IsEqual(grey));
    CgrnColour copy;
    copy.CopyFrom(grey);
    EXPECT_TRUE(copy.IsEqual(grey));
}

TEST(Colour, ValuesOutsideTheirRangeAreClamped)
{
    const CgrnColour bytes(300, -5, 128, 999);
    ExpectBytes(bytes, 255, 0, 128, 255);
    EXPECT_EQ(bytes.m_red, 1.0f);
    EXPECT_EQ(bytes.m_green, 0.0f);

    const CgrnColour floats(1.5f, -0.25f, std::nanf(""), 2.0f);
    ExpectBytes(floats, 255, 0, 0, 255);
    EXPECT_EQ(floats.m_red, 1.0f);
    EXPECT_EQ(floats.m_green, 0.0f);
    EXPECT_EQ(floats.m_blue, 0.0f);
}

TEST(Colour, BlackClearAndWhiteTests)
{
    struct Case
    {
        const char* name;
        CgrnColour colour;
        bool black;
        bool clear;
    };
    CgrnColour white;
    white.SetWhite();
    CgrnColour opaqueBlack;
    opaqueBlack.SetBlack();
    CgrnColour cleared(10, 20, 30, 40);
    cleared.Clear();
    const Case cases[] = {
        {"transparent black", CgrnColour(0, 0, 0, 0), false, true},
        {"cleared", cleared, false, true},
        {"default", CgrnColour(), false, true},
        {"opaque black", opaqueBlack, true, false},
        {"faint black", CgrnColour(0, 0, 0, 1), true, false},
        {"dark grey", CgrnColour(1, 1, 1, 255), false, false},
        {"white", white, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.colour.IsBlack(), c.black) << c.name;
        EXPECT_EQ(c.colour.IsClear(), c.clear) << c.name;
    }
    ExpectBytes(white, 255, 255, 255, 255);
    EXPECT_EQ(white.m_blue, 1.0f);
}

TEST(Colour, AlphaSettersWriteBothForms)
{
    CgrnColour c(8);
    c.SetAlpha(0.5f);
    EXPECT_EQ(c.m_alphaByte, 127);
    EXPECT_EQ(c.m_alpha, 0.5f);
    c.SetAlphaByte(51);
    EXPECT_EQ(c.m_alphaByte, 51);
    EXPECT_EQ(c.m_alpha, float(51 / 255.0));
    ExpectBytes(c, 255, 0, 0, 51);
}

TEST(Colour, ToolkitColoursConvertBothWays)
{
    const CgrnColour c(wxColour(10, 20, 30, 40));
    ExpectBytes(c, 10, 20, 30, 40);
    EXPECT_EQ(c.GetColour(), wxColour(10, 20, 30, 40));

    // A channel colour never chosen draws black.
    const CgrnColour unset{wxColour()};
    EXPECT_TRUE(unset.IsBlack());
    EXPECT_EQ(unset.m_alphaByte, 255);

    CgrnColour rgb;
    rgb.SetRGB(CgrnRGB{1, 2, 3});
    ExpectBytes(rgb, 1, 2, 3, 255);
}

} // namespace
