// Test label: threads
#include "transport/zxByteFIFO.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {
std::vector<uint8_t> Bytes(size_t n, uint8_t first = 0)
{
    std::vector<uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}
} // namespace

TEST(ByteFIFO, GrowsInWholeKilobytes)
{
    struct Case
    {
        uint32_t put;
        uint32_t capacity;
    } cases[] = {{1, 1024}, {1024, 1024}, {1025, 2048}};
    for (const Case& c : cases) {
        CzxByteFIFO fifo;
        ASSERT_TRUE(fifo.Put(Bytes(c.put).data(), c.put));
        EXPECT_EQ(fifo.GetCapacity(), c.capacity) << c.put;
        EXPECT_EQ(fifo.GetCount(), c.put);
    }
}

TEST(ByteFIFO, KeepsOrderAcrossWrapAndGrowth)
{
    CzxByteFIFO fifo;
    std::vector<uint8_t> sink(1024);
    ASSERT_TRUE(fifo.Put(Bytes(900).data(), 900));
    ASSERT_TRUE(fifo.Get(sink.data(), 900)); // read index now 900
    std::vector<uint8_t> expected;
    for (int i = 0; i < 1100; ++i)
        expected.push_back(uint8_t(i * 7));
    ASSERT_TRUE(fifo.Put(expected.data(), 1000));
    EXPECT_EQ(fifo.GetCapacity(), 1024u);
    ASSERT_TRUE(fifo.Put(expected.data() + 1000, 100));
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
    std::vector<uint8_t> got(1100);
    ASSERT_TRUE(fifo.Get(got.data(), 1100));
    EXPECT_EQ(got, expected);
    EXPECT_EQ(fifo.GetCount(), 0u);
}

TEST(ByteFIFO, GetRefusesMoreThanHeld)
{
    CzxByteFIFO fifo;
    fifo.Put(Bytes(4, 1).data(), 4);
    uint8_t out[5] = {};
    EXPECT_FALSE(fifo.Get(out, 5));
    EXPECT_EQ(fifo.GetCount(), 4u);
    EXPECT_TRUE(fifo.Get(out, 0));
    ASSERT_TRUE(fifo.Get(out, 4));
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[3], 4);
}

TEST(ByteFIFO, ClearKeepsCapacityAndReserveGrowsOnlyWhenNeeded)
{
    CzxByteFIFO fifo;
    fifo.Put(Bytes(800).data(), 800);
    EXPECT_TRUE(fifo.Reserve(224));
    EXPECT_EQ(fifo.GetCapacity(), 1024u);
    EXPECT_TRUE(fifo.Reserve(256));
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
    EXPECT_EQ(fifo.GetCount(), 800u);
    fifo.Clear();
    EXPECT_EQ(fifo.GetCount(), 0u);
    fifo.Put(Bytes(2048).data(), 2048);
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
}

TEST(ByteFIFO, PeekLeavesBytesAndDiscardTakesThemAcrossTheWrap)
{
    CzxByteFIFO fifo;
    std::vector<uint8_t> bytes(1000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7);
    ASSERT_TRUE(fifo.Put(bytes.data(), 1000));
    std::vector<uint8_t> sink(1000);
    ASSERT_TRUE(fifo.Get(sink.data(), 900));
    ASSERT_TRUE(fifo.Put(bytes.data(), 300)); // wraps: 400 held
    uint8_t peeked[256];
    ASSERT_EQ(fifo.Peek(peeked, 256), 256u);
    EXPECT_EQ(fifo.GetCount(), 400u);
    EXPECT_EQ(peeked[0], bytes[900]);
    EXPECT_EQ(peeked[100], bytes[0]);
    fifo.Discard(150);
    ASSERT_EQ(fifo.Peek(peeked, 256), 250u);
    EXPECT_EQ(peeked[0], bytes[50]);
    fifo.Discard(1000); // more than held: empties it
    EXPECT_EQ(fifo.GetCount(), 0u);
    EXPECT_EQ(fifo.Peek(peeked, 10), 0u);
}
