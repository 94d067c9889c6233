#include "views/grnPalette.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

bool Same(const CgrnRGB& a, const CgrnRGB& b)
{
    return a.m_red == b.m_red && a.m_green == b.m_green && a.m_blue == b.m_blue;
}

TEST(Palette, EntryNumbersWrapAroundTheSixtyColours)
{
    struct Case
    {
        int n;
        CgrnRGB expected;
    };
    const Case cases[] = {
        {0, {0, 0, 0}},          {7, {192, 0, 0}},   {13, {22, 3, 190}}, {59, {0, 160, 160}},
        {60, {0, 0, 0}},         {67, {192, 0, 0}},  {-1, {0, 160, 160}}, {-60, {0, 0, 0}},
        {-53, {192, 0, 0}},      {600 + 31, {240, 240, 240}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(Same(grnGetPaletteEntry(c.n), c.expected)) << c.n;
}

TEST(Palette, SevenFamiliesOfFourShadesBrightestFirst)
{
    // Red, green, blue, yellow, orange, magenta, cyan: which components a
    // family lights.
    const CgrnRGB hues[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
    for (int family = 0; family < 7; ++family) {
        int previous = 256;
        for (int shade = 0; shade < 4; ++shade) {
            const CgrnRGB c = grnGetPaletteEntry(32 + family * 4 + shade);
            const int bright = std::max({c.m_red, c.m_green, c.m_blue});
            EXPECT_LT(bright, previous) << family << " " << shade;
            previous = bright;
            const CgrnRGB& hue = hues[family];
            EXPECT_EQ(c.m_red > 0, hue.m_red > 0) << family << " " << shade;
            EXPECT_EQ(c.m_green > 0, hue.m_green > 0) << family << " " << shade;
            EXPECT_EQ(c.m_blue > 0, hue.m_blue > 0) << family << " " << shade;
        }
    }
}

TEST(Palette, ThemeSequencesRepeatOnlyTwentyAndTwentyThree)
{
    for (const int* sequence : {grnStandardColours, grnHighContrastColours}) {
        std::map<int, int> uses;
        for (int i = 0; i < GRN_THEME_SIZE; ++i) {
            EXPECT_GE(sequence[i], 0);
            EXPECT_LT(sequence[i], GRN_PALETTE_SIZE);
            ++uses[sequence[i]];
        }
        for (const auto& [entry, count] : uses)
            EXPECT_EQ(count, entry == 20 || entry == 23 ? 2 : 1) << entry;
    }
    // The first choices: orange for Standard, bright red for High Contrast.
    EXPECT_TRUE(Same(grnGetPaletteEntry(grnStandardColours[0]), {255, 128, 0}));
    EXPECT_TRUE(Same(grnGetPaletteEntry(grnHighContrastColours[0]), {255, 0, 0}));
}

} // namespace
