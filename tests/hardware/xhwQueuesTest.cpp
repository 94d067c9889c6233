// Test label: threads
#include "hardware/xhwSampleFIFO.h"
#include "hardware/xhwStoredFIFO.h"
#include "hardware/xutTimerFIFO.h"

#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {
std::vector<int32_t> Values(size_t n, int32_t first = 0)
{
    std::vector<int32_t> values(n);
    std::iota(values.begin(), values.end(), first);
    return values;
}
} // namespace

TEST(SampleQueue, GrowsInWholeSteps)
{
    struct Case
    {
        uint32_t put;
        uint32_t capacity;
    } cases[] = {{1, 1024}, {1024, 1024}, {1025, 2048}, {3000, 3072}};
    for (const Case& c : cases) {
        CxhwSampleFIFO fifo;
        EXPECT_EQ(fifo.GetCapacity(), 0u);
        ASSERT_TRUE(fifo.Put(Values(c.put).data(), c.put));
        EXPECT_EQ(fifo.GetCapacity(), c.capacity) << c.put;
        EXPECT_EQ(fifo.GetCount(), c.put);
    }
}

TEST(SampleQueue, KeepsOrderAcrossWrapAndGrowth)
{
    CxhwSampleFIFO fifo;
    std::vector<int32_t> sink(1024);
    ASSERT_TRUE(fifo.Put(Values(900).data(), 900));
    ASSERT_TRUE(fifo.Get(sink.data(), 900)); // the oldest value now sits at 900
    const std::vector<int32_t> expected = Values(1100, 5000);
    ASSERT_TRUE(fifo.Put(expected.data(), 1000)); // wraps inside 1024
    EXPECT_EQ(fifo.GetCapacity(), 1024u);
    ASSERT_TRUE(fifo.Put(expected.data() + 1000, 100)); // grows while wrapped
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
    std::vector<int32_t> got(1100);
    ASSERT_TRUE(fifo.Get(got.data(), 1100));
    EXPECT_EQ(got, expected);
}

TEST(SampleQueue, TakesWholeReadingsOrNothing)
{
    CxhwSampleFIFO fifo;
    fifo.Put(Values(5, 1).data(), 5);
    int32_t reading[6] = {};
    EXPECT_FALSE(fifo.Get(reading, 6));
    EXPECT_EQ(fifo.GetCount(), 5u);
    EXPECT_EQ(fifo.GetUpTo(reading, 6), 5u);
    EXPECT_EQ(reading[4], 5);
}

TEST(SampleQueue, ClearKeepsCapacity)
{
    CxhwSampleFIFO fifo;
    fifo.Put(Values(1500).data(), 1500);
    fifo.Clear();
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
    int32_t value = 0;
    EXPECT_FALSE(fifo.Get(&value, 1));
    fifo.Put(Values(2048).data(), 2048);
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
}

TEST(StoredQueue, CarriesFloatRowsUnchanged)
{
    CxhwStoredFIFO fifo;
    const float row[6] = {12.5f, -987654.0f, -987654.0f, 0.1f, 3e30f, -0.0f};
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(fifo.Put(row, 6));
    EXPECT_EQ(fifo.GetCapacity(), 2048u);
    float out[6] = {};
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(fifo.Get(out, 6));
        EXPECT_EQ(0, std::memcmp(out, row, sizeof row));
    }
    EXPECT_FALSE(fifo.Get(out, 1));
}

TEST(TimingQueue, StatusTravelsWithTheEvents)
{
    CxutTimerFIFO fifo;
    CxutTimerStatus status{99, 7};
    CxutTimerEvent events[4];
    EXPECT_EQ(fifo.Take(status, events, 4), 0u); // empty: still copies the status
    EXPECT_EQ(status.Ticks, 0u);
    EXPECT_EQ(status.States, INT32_MIN);

    ASSERT_TRUE(fifo.Put({5, 1}, nullptr, 0)); // status only
    EXPECT_EQ(fifo.GetCount(), 0u);
    fifo.Take(status, events, 4);
    EXPECT_EQ(status.Ticks, 5u);
    EXPECT_EQ(status.States, 1);

    std::vector<CxutTimerEvent> many(1001);
    for (size_t i = 0; i < many.size(); ++i)
        many[i] = {i + 1, int32_t(i & 7)};
    ASSERT_TRUE(fifo.Put({0, 3}, many.data(), 1000));
    EXPECT_EQ(fifo.GetCapacity(), 1000u);
    ASSERT_TRUE(fifo.Put({0, 3}, many.data() + 1000, 1));
    EXPECT_EQ(fifo.GetCapacity(), 2000u);
    std::vector<CxutTimerEvent> got(1001);
    EXPECT_EQ(fifo.Take(status, got.data(), 2000), 1001u);
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].Ticks, i + 1);

    fifo.Put({8, 2}, many.data(), 3);
    fifo.Clear();
    EXPECT_EQ(fifo.GetStatus().States, INT32_MIN);
    EXPECT_EQ(fifo.GetCount(), 0u);
    EXPECT_EQ(fifo.GetCapacity(), 2000u);
}
