#include "app/base/gumHelpers.h"
#include "app/base/gumPlatformString.h"
#include "support/testEnvironment.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using qvtest::ScopedLocale;

struct ReadCase
{
    const char* text;
    bool result;
    double value; // what the variable holds afterwards (starts at -1)
};

void CheckReads(const std::vector<ReadCase>& cases)
{
    for (const ReadCase& c : cases) {
        double value = -1;
        EXPECT_EQ(gumStringToDouble(c.text, &value), c.result) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
}

} // namespace

TEST(NumberText, ReadsWithPointInPointLocale)
{
    ScopedLocale locale("C");
    CheckReads({
        {"2.5", true, 2.5},
        {"  -1e3", true, -1000},
        {"2,5", false, 2},
        {"", false, -1},
        {"abc", false, -1},
        {"7 ", false, 7},
        {"1e999", false, -1},
    });
}

TEST(NumberText, ReadsWithPointInCommaLocale)
{
    ScopedLocale locale("de_DE.UTF-8");
    ASSERT_TRUE(locale.Ok()) << "the test command installs de_DE.UTF-8";
    CheckReads({
        {"2.5", true, 2.5},
        {"2,5", true, 2.5},
        {"x", false, -1},
    });
    wxString out;
    gumFormatFixed(out, 2, 2.5);
    EXPECT_EQ(out, "2.50");
    gumFormatDouble(out, 0.125);
    EXPECT_EQ(out, "0.125");
    gumFormatDoubleG(out, 3, 3.14159);
    EXPECT_EQ(out, "3.14");
}

TEST(NumberText, FormatsAsPrintfDoes)
{
    ScopedLocale locale("C");
    wxString out;
    gumFormatFixed(out, -1, 1.5);
    EXPECT_EQ(out, "1.500000");
    gumFormatFixed(out, 0, 2.5);
    EXPECT_EQ(out, "2");
    gumFormatDouble(out, 1e20);
    EXPECT_EQ(out, "1e+20");
    gumFormatDoubleG(out, -1, 0.5);
    EXPECT_EQ(out, "0.5");
}

TEST(Fields, SplitsAtSeparator)
{
    struct Case
    {
        const char* line;
        int n;
        const char* separator;
        bool merge;
        bool result;
        const char* field;
    } cases[] = {
        {"a;b;;c", 2, ";", false, true, ""},
        {"a;b;;c", 3, ";", false, true, "c"},
        {"a;b;;c", 2, ";", true, true, "c"},
        {"a;b;;c", 3, ";", true, false, ""},
        {"whole", 0, ";", false, true, "whole"},
        {";x", 0, ";", true, true, ""},
        {"", 0, ";", false, false, ""},
        {"a::b", 1, "::", false, true, "b"},
        {"a;b", -2, ";", false, true, "a"},
    };
    for (const Case& c : cases) {
        wxString out = "old";
        EXPECT_EQ(gumGetField(out, c.line, c.n, c.separator, c.merge), c.result) << c.line << " " << c.n;
        EXPECT_EQ(out, c.field) << c.line << " " << c.n;
    }
}

TEST(CharBuffer, CutsToSizeAndEnds)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    gumCopyToCharBuffer("abc", buffer, 1);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'x');
    gumCopyToCharBuffer("abcdefghij", buffer, 8);
    EXPECT_STREQ(buffer, "abcdefg");
    gumCopyToCharBuffer(wxString::FromUTF8("\xc2\xb5s"), buffer, 8);
    EXPECT_STREQ(buffer, "\xc2\xb5s");
}

TEST(CharBuffer, CutEndsOnAWholeCharacter)
{
    struct Case
    {
        const char* utf8;
        int size;
        const char* expected;
    } cases[] = {
        {"abcd\xc3\xa9", 6, "abcd"},             // two-byte character cut after its first byte
        {"abcd\xc3\xa9", 7, "abcd\xc3\xa9"},     // exactly fits
        {"\xc2\xb5", 2, ""},
        {"a\xe2\x82\xac", 3, "a"},              // three-byte character, one byte kept
        {"a\xe2\x82\xac", 4, "a"},              // two bytes kept
        {"a\xf0\x9f\x94\x8b", 5, "a"},          // four-byte character, three bytes kept
        {"a\xf0\x9f\x94\x8b", 6, "a\xf0\x9f\x94\x8b"},
    };
    for (const Case& c : cases) {
        char buffer[8];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_TRUE(gumCopyToCharBuffer(wxString::FromUTF8(c.utf8), buffer, c.size));
        EXPECT_STREQ(buffer, c.expected) << c.utf8 << " into " << c.size;
    }
}

TEST(PlatformString, RoundTripsUtf32)
{
    const wxString text = wxString::FromUTF8("Gate \xc2\xb5 \xf0\x9f\x94\x8b");
    const zxPlatformString platform = gumToNSString(text);
    EXPECT_EQ(platform.size(), 8u);
    EXPECT_EQ(platform[7], U'\U0001F50B');
    wxString back = "junk";
    gumFromNSString(back, platform);
    EXPECT_EQ(back, text);
    gumFromNSString(back, zxPlatformString());
    EXPECT_TRUE(back.empty());
}
