#include "hardware/xhwLumivastaWindow.h"
#include "hardware/xhwSerialFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<uint8_t> Type2Header()
{
    std::vector<uint8_t> h(kType2HeaderSize, 0);
    h[0] = 0x4C;
    h[1] = 0x4F;
    h[2] = 0x47;
    h[3] = 0x01;
    h[16] = 64;
    h[22] = 1;        // entry 0 is in use
    h[22 + 2] = 0x22; // entry 0
    h[26 + 2] = 0;    // entry 1 carries nothing
    h[30 + 2] = 0x31; // entry 2
    h[34] = 0xFF;     // entries end
    return h;
}

} // namespace

TEST(SlotFiles, PeriodKindAndReadings)
{
    EXPECT_DOUBLE_EQ(xutComPeriodSeconds(61, 32), 0.5);
    EXPECT_EQ(xutComFileKind(61), 1);
    EXPECT_DOUBLE_EQ(xutComPeriodSeconds(29, 5), 0.05);
    EXPECT_DOUBLE_EQ(xutComPeriodSeconds(30, 2), 120.0);
    EXPECT_DOUBLE_EQ(xutComPeriodSeconds(62, 1), 256.0);
    EXPECT_DOUBLE_EQ(xutComPeriodSeconds(1, 7), 7.0);
    EXPECT_EQ(xutComFileKind(0x40), 3);
    EXPECT_EQ(xutComFileKind(0x60), 2);
    EXPECT_EQ(xutComFileKind(0x00), 2);
    uint8_t header[16] = {};
    header[10] = 0x00;
    header[11] = 0x50;
    EXPECT_EQ(xutComFileReadings(header), 20001);
}

TEST(Type2Files, ChannelTableAndReadings)
{
    const auto h = Type2Header();
    EXPECT_EQ(xhwType2CheckHeader(h.data()), 0);
    EXPECT_EQ(xhwType2CountEntries(h.data()), 3);
    int used[6] = {};
    ASSERT_EQ(xhwType2UsedEntries(h.data(), used), 2);
    EXPECT_EQ(used[0], 0);
    EXPECT_EQ(used[1], 2);
    // Start 0x1000, end 0x1400, first record 64, record 7 bytes.
    EXPECT_EQ(xhwType2CountReadings(0xFFFF, 0x1000, 0x1400, 64, 7), 137);
    // An end address before the start holds nothing.
    EXPECT_EQ(xhwType2CountReadings(0xFFFF, 0x1400, 0x1000, 64, 7), 0);
}

TEST(Type2Files, SevenUsedEntriesAreCutToTheSixValuesOfARow)
{
    auto h = Type2Header();
    for (int j = 0; j < kType2Entries; ++j)
        h[22 + 4 * j] = 0, h[22 + 4 * j + 2] = uint8_t(j + 1);
    int used[6] = {};
    EXPECT_EQ(xhwType2CountEntries(h.data()), 7);
    EXPECT_EQ(xhwType2UsedEntries(h.data(), used), 6);
    EXPECT_EQ(used[5], 5);
}

TEST(Type2Files, RefusalsInOrder)
{
    const struct
    {
        int at;
        uint8_t value;
        int detail;
    } cases[] = {{3, 0x02, 1}, {46, 0x12, 2}, {22, 0xFF, 4}, {22, 0x00, 5}, {16, 63, 6}, {63, 0x08, 7}};
    for (const auto& c : cases) {
        auto h = Type2Header();
        h[c.at] = c.value;
        EXPECT_EQ(xhwType2CheckHeader(h.data()), c.detail) << c.at;
    }
}

TEST(LumivastaFiles, HeaderCounts)
{
    std::vector<uint8_t> h(kLumivastaHeaderSize, 0);
    h[2] = 0;
    h[3] = 200;
    EXPECT_EQ(xhwLumivastaReadingCount(h.data()), 20001);
    h[3] = 1;
    h[2] = 5;
    EXPECT_EQ(xhwLumivastaReadingCount(h.data()), 261);
    h[4] = 0x03;
    h[33] = 0x11;
    h[35] = 0x12;
    h[38] = 0x13;
    EXPECT_EQ(xhwLumivastaRecordSize(h.data()), 6);
    EXPECT_EQ(xhwLumivastaInputsPresent(h.data()), xhwLumivastaDeclaredChannels(h.data()));
    h[34] = 0x14;
    EXPECT_NE(xhwLumivastaInputsPresent(h.data()), xhwLumivastaDeclaredChannels(h.data()));
}

TEST(LumivastaFiles, SectionOrder)
{
    const struct
    {
        int p, e, n;
        const char* order;
    } cases[] = {{600, 900, 1200, "PEN"}, {1200, 900, 600, "NEP"}, {1200, 600, 900, "ENP"},
                 {900, 600, 1200, "EPN"}, {900, 1200, 600, "NPE"}, {600, 1200, 900, "PNE"}};
    for (const auto& c : cases)
        EXPECT_EQ(xhwLumivastaSectionOrder(c.p, c.e, c.n), c.order);
}

TEST(LumivastaFiles, EventIndexInSinglePrecision)
{
    EXPECT_EQ(xhwLumivastaEventIndex(10 + 65535, 0.5f), 131090);
    EXPECT_EQ(xhwLumivastaEventIndex(10, 0.1f), 99);
    EXPECT_EQ(xhwLumivastaEventIndex(10, 0.0f), 10);
}

TEST(LumivastaFiles, ValuesAndTexts)
{
    EXPECT_EQ(xhwLumivastaSigned(0x00, 0x80), -32768);
    EXPECT_EQ(xhwLumivastaSigned(0xFF, 0x7F), 32767);
    EXPECT_FLOAT_EQ(xhwLumivastaScale(2), 0.01f);
    EXPECT_FLOAT_EQ(xhwLumivastaScale(9), 10.0f);
    EXPECT_DOUBLE_EQ(xhwLumivastaPeriodUnit(5), 60.0);
    EXPECT_EQ(xhwLumivastaFileKind(3), 2);
    EXPECT_EQ(xhwLumivastaFileKind(5), 4);
    EXPECT_EQ(xhwLumivastaFileKind(9), 1);

    std::vector<uint8_t> h(kLumivastaHeaderSize, 0);
    const uint8_t units[] = {2, 'C', 0};
    std::copy(units, units + 3, h.begin() + 160 + 6 * 1);
    EXPECT_EQ(xhwLumivastaChannelUnits(h.data(), 1), wxString(wxUniChar(0xB0)) + "C");
    const uint8_t name[] = {3, 'a', 't', 'e', 1};
    std::copy(name, name + 5, h.begin() + 48);
    EXPECT_EQ(xhwLumivastaChannelName(h.data(), 0), wxString("Rate") + wxUniChar(0xB5));
    // A name of 16 characters without its ending stops at the field's end.
    std::fill(h.begin() + 48 + 16 * 2, h.begin() + 48 + 16 * 3 + 4, 'x');
    EXPECT_EQ(xhwLumivastaChannelName(h.data(), 2).length(), 16u);
    wxString text;
    const uint8_t ended[] = {'a', 0, 'b'};
    EXPECT_FALSE(xhwLumivastaAppendText(text, ended, 3));
    EXPECT_EQ(text, "a");
}

TEST(LumivastaWindow, ReadsForwardOnly)
{
    int blocks = 0;
    CxhwLumivastaWindow window([&blocks](uint8_t b[kLumivastaBlock]) {
        for (int i = 0; i < kLumivastaBlock; ++i)
            b[i] = uint8_t(blocks * kLumivastaBlock + i);
        ++blocks;
        return true;
    });
    ASSERT_TRUE(window.Request(0, 35, 0));
    EXPECT_EQ(blocks, 5);
    ASSERT_TRUE(window.Request(35, kLumivastaHeaderSize, 0));
    EXPECT_EQ(blocks, 74);
    EXPECT_EQ(*window.At(517), uint8_t(517));
    // A gap beyond the window is read and dropped.
    ASSERT_TRUE(window.Request(600, 606, 0));
    EXPECT_EQ(*window.At(600), uint8_t(600 & 0xFF));
    EXPECT_EQ(window.Start(), 595);
    // Going back is refused.
    EXPECT_FALSE(window.Request(10, 12, 0));
    // Reading ahead that finds the stream's end still serves the request.
    blocks = 0;
    int limit = 3;
    CxhwLumivastaWindow shortStream([&](uint8_t b[kLumivastaBlock]) {
        if (blocks >= limit)
            return false;
        std::fill(b, b + kLumivastaBlock, uint8_t(blocks++));
        return true;
    });
    EXPECT_TRUE(shortStream.Request(0, 14, 70));
    EXPECT_EQ(shortStream.End(), 21);
    EXPECT_FALSE(shortStream.Request(21, 22, 0));
}

// A read that fails while the window skips forward leaves it holding only
// what its buffer has: a later request behind the failure is refused, and
// one after it reads on from where the stream stands.
TEST(LumivastaWindow, FailedSkipLeavesTheWindowWhole)
{
    int blocks = 0;
    bool failOnce = true;
    CxhwLumivastaWindow window([&](uint8_t b[kLumivastaBlock]) {
        if (blocks == 129 && failOnce) { // stream byte 903
            failOnce = false;
            return false;
        }
        std::fill(b, b + kLumivastaBlock, uint8_t(blocks++));
        return true;
    });
    ASSERT_TRUE(window.Request(0, kLumivastaHeaderSize, 0));
    EXPECT_FALSE(window.Request(1000, 1010, 0));
    EXPECT_LE(window.Start(), window.End());
    EXPECT_LE(window.End() - window.Start(), CxhwLumivastaWindow::kSize);
    EXPECT_FALSE(window.Request(274, 563, 0));
    ASSERT_TRUE(window.Request(903, 910, 0));
    EXPECT_EQ(*window.At(903), 129);
}
