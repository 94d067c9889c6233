#include "hardware/xhwComFrames.h"

#include <gtest/gtest.h>

TEST(ComFrames, StreamedFrameGivesThreeLeftAlignedReadings)
{
    const uint8_t frame[5] = {0x00, 0x80, 0x40, 0xFF, 0x1B};
    int values[3] = {};
    xhwComDecodeStreamFrame(frame, values);
    EXPECT_EQ(values[0], 0x80C0);
    EXPECT_EQ(values[1], 0x4080);
    EXPECT_EQ(values[2], 0xFF40);

    const uint8_t full[5] = {0xAA, 0xFF, 0xFF, 0xFF, 0xFF};
    xhwComDecodeStreamFrame(full, values);
    EXPECT_EQ(values[0], 0xFFC0);
    EXPECT_EQ(values[1], 0xFFC0);
    EXPECT_EQ(values[2], 0xFFC0);
}

TEST(ComFrames, TimingRecordsAddTicksAndMakeEventsOnChange)
{
    CxutTimerStatus carried;
    CxutTimerEvent events[8];
    // 6 ticks to state 5; 8192 ticks (a zero delta) with the same state
    // makes no event; then 2 + 32 ticks to state 0.
    const uint8_t records[] = {0x35, 0x00, 0x05, 0x00, 0x10, 0x01};
    const int n = xhwComDecodeTimingRecords(records, sizeof records, 7, carried, events, 8);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(events[0].Ticks, 6u);
    EXPECT_EQ(events[0].States, 5);
    EXPECT_EQ(events[1].Ticks, 8192u + 34u);
    EXPECT_EQ(events[1].States, 0);
    EXPECT_EQ(carried.Ticks, 0u);
    EXPECT_EQ(carried.States, 0);

    // Inputs outside the mask read as set; an odd last byte is left alone.
    const uint8_t more[] = {0x20, 0x00, 0x21};
    EXPECT_EQ(xhwComDecodeTimingRecords(more, sizeof more, 1, carried, events, 8), 1);
    EXPECT_EQ(events[0].States, 6);
    EXPECT_EQ(events[0].Ticks, 4u);
}

TEST(ComFrames, BatteryWordsAndBytes)
{
    const struct
    {
        int high, low, power;
    } words[] = {{0x80, 0x00, 57},  {0x83, 0x03, 100}, {0x8D, 0x01, 101}, {0x7B, 0xFF, 0},
                 {0x7C, 0x00, 0},   {0x83, 0x04, 100}, {0x8D, 0x00, 100}, {-1, 0x00, 101},
                 {0x80, -1, 101}};
    for (const auto& w : words)
        EXPECT_EQ(xhwComWordToPower(w.high, w.low), w.power) << w.high << " " << w.low;
    EXPECT_EQ(xhwComByteToPower(8), 96);
    EXPECT_EQ(xhwComByteToPower(9), 100);
    EXPECT_EQ(xhwComByteToPower(-1), -12);
}

TEST(ComFrames, StampKeepsOnlyDisplayableCharacters)
{
    EXPECT_EQ(xhwComStampChar('a'), wxUniChar('a'));
    EXPECT_EQ(xhwComStampChar('#'), wxUniChar('#'));
    EXPECT_EQ(xhwComStampChar('_'), wxUniChar(' '));
    EXPECT_EQ(xhwComStampChar(wxUniChar(0xE9)), wxUniChar(' '));
}
