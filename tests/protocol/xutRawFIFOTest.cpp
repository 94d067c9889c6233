// The resampling queue: spreading and drift correction of the stamped
// times, sample and hold, summed counts, growth, the ten-day wrap, and a long
// random stream against a plain model of the same rules.
#include "protocol/xutRawFIFO.h"
#include "transport/zxTime.h"

#include <gtest/gtest.h>
#include <deque>
#include <random>
#include <vector>

namespace {

constexpr uint64_t P = uint64_t(kZxTimePeriodMs);

CxutRawEntry Entry(uint64_t time, int32_t v0 = 0)
{
    CxutRawEntry e;
    e.m_time = time;
    e.m_values[0] = v0;
    return e;
}

std::vector<uint64_t> Times(CxutRawFIFO& q, uint64_t from, int64_t step, uint32_t n)
{
    std::vector<CxutRawEntry> out(n);
    out.resize(q.ReadResampled(out.data(), n, from, step));
    std::vector<uint64_t> times;
    for (const auto& e : out)
        times.push_back(e.m_time);
    return times;
}

TEST(RawFIFO, RepeatedTimesAreSpreadEvenly)
{
    CxutRawFIFO q;
    for (uint64_t t : {1000, 1000, 1000, 1060})
        ASSERT_TRUE(q.Push(Entry(t)));
    EXPECT_EQ(Times(q, 1000, 20, 10), (std::vector<uint64_t>{1000, 1020, 1040, 1060}));
}

TEST(RawFIFO, DriftIsCorrectedOneMillisecondAtATime)
{
    struct Case
    {
        uint64_t second;
        uint64_t stored;
    };
    for (const Case c : {Case{1050, 1049}, Case{1011, 1011}, Case{1009, 1009},
                         Case{1005, 1006}, Case{1012, 1011}}) {
        CxutRawFIFO q;
        q.SetStep(10);
        q.Push(Entry(1000));
        q.Push(Entry(c.second));
        EXPECT_EQ(Times(q, 1000, int64_t(c.stored) - 1000, 5),
                  (std::vector<uint64_t>{1000, c.stored}))
            << c.second;
    }
}

TEST(RawFIFO, OlderTimeIsRaisedToTheNewest)
{
    CxutRawFIFO q;
    q.Push(Entry(1000, 1));
    q.Push(Entry(1100, 2));
    q.Push(Entry(900, 3));
    q.Push(Entry(1200, 4));
    // The raised entry shares 1100 and is then spread half way to 1200.
    std::vector<CxutRawEntry> out(5);
    ASSERT_EQ(q.ReadResampled(out.data(), 5, 1000, 50), 5u);
    const uint64_t times[] = {1000, 1000, 1100, 1150, 1200};
    const int32_t values[] = {1, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(out[i].m_time, times[i]) << i;
        EXPECT_EQ(out[i].m_values[0], values[i]) << i;
    }
}

TEST(RawFIFO, SampleAndHold)
{
    CxutRawFIFO q;
    q.SetStep(100);
    for (uint64_t t : {0, 100, 200})
        q.Push(Entry(t, int32_t(t)));
    EXPECT_EQ(q.CountDue(50, 50), 4u);
    EXPECT_EQ(q.CountDue(201, 50), 0u);
    EXPECT_EQ(q.CountDue(50, 0), 0u);
    EXPECT_EQ(Times(q, 50, 50, 20), (std::vector<uint64_t>{0, 100, 100, 200}));
    EXPECT_EQ(Times(q, 250, 50, 20), std::vector<uint64_t>{});
    // Held: the newest stays for a reading at its own time.
    EXPECT_EQ(Times(q, 200, 50, 20), (std::vector<uint64_t>{200}));
    EXPECT_EQ(q.GetCount(), 1u);
}

TEST(RawFIFO, CountsAreSummedAndZeroedOnceTaken)
{
    CxutRawFIFO q;
    q.SetAccumulate(0, true);
    q.Push(Entry(0, 1));
    q.Push(Entry(100, 2));
    q.Push(Entry(200, 3));
    q.Push(Entry(300, 4));
    std::vector<CxutRawEntry> out(2);
    ASSERT_EQ(q.ReadResampled(out.data(), 1, 250, 50), 1u);
    EXPECT_EQ(out[0].m_values[0], 6);
    EXPECT_EQ(out[0].m_values[1], kXutRawNoValue);
    ASSERT_EQ(q.ReadResampled(out.data(), 2, 250, 50), 2u);
    EXPECT_EQ(out[0].m_values[0], 0);
    EXPECT_EQ(out[1].m_values[0], 4);
}

TEST(RawFIFO, GrowsInThousandsKeepingOrder)
{
    CxutRawFIFO q;
    for (uint32_t i = 0; i < 1000; ++i)
        ASSERT_TRUE(q.Push(Entry(i * 10, int32_t(i))));
    EXPECT_EQ(q.GetCapacity(), 1000u);
    // Wrap the ring first so the copy has to unroll it.
    std::vector<CxutRawEntry> out(500);
    ASSERT_EQ(q.ReadResampled(out.data(), 500, 0, 10), 500u);
    for (uint32_t i = 1000; i < 1501; ++i)
        ASSERT_TRUE(q.Push(Entry(i * 10, int32_t(i))));
    EXPECT_EQ(q.GetCapacity(), 2000u);
    out.resize(1002);
    ASSERT_EQ(q.ReadResampled(out.data(), 1002, 4990, 10), 1002u);
    for (uint32_t i = 0; i < 1002; ++i) {
        ASSERT_EQ(out[i].m_time, (499 + i) * 10u);
        ASSERT_EQ(out[i].m_values[0], int32_t(499 + i));
    }
}

TEST(RawFIFO, TimesWrapAfterTenDays)
{
    CxutRawFIFO q;
    q.SetStep(10);
    q.Push(Entry(863999990, 1));
    q.Push(Entry(863999990, 2));
    q.Push(Entry(10, 3));
    EXPECT_EQ(q.CountDue(863999995, 5), 4u);
    EXPECT_EQ(Times(q, 863999990, 10, 5), (std::vector<uint64_t>{863999990, 0, 10}));
}

TEST(RawFIFO, ClearKeepsStepAndStorage)
{
    CxutRawFIFO q;
    q.SetStep(10);
    q.Push(Entry(5000));
    q.Clear();
    EXPECT_EQ(q.CountDue(0, 10), 0u);
    EXPECT_EQ(q.ReadResampled(nullptr, 5, 0, 10), 0u);
    q.Push(Entry(20));
    EXPECT_EQ(Times(q, 20, 10, 5), (std::vector<uint64_t>{20}));
    EXPECT_EQ(q.GetStep(), 10u);
    EXPECT_EQ(q.GetCapacity(), 1000u);
}

// The rules once more, on unbounded storage and unwrapped times.
class Model
{
public:
    struct Item
    {
        int64_t time;
        int32_t values[8];
    };

    int64_t step = 0;
    bool accumulate[8] = {};

    void Push(int64_t t, const int32_t* values)
    {
        Item item{t, {}};
        std::copy(values, values + 8, item.values);
        all.push_back(item);
        const size_t at = all.size() - 1;
        if (at == read) {
            anchor = at;
            newest = t;
            return;
        }
        if (t < newest) {
            all[at].time = newest;
        } else if (t > newest) {
            const int64_t f = int64_t(at - anchor);
            if (step > 0) {
                const int64_t predicted = newest + step * f;
                if (t - predicted >= 2)
                    t -= 1;
                else if (t - predicted <= -2)
                    t += 1;
                all[at].time = t;
            }
            for (int64_t k = 1; k < f; ++k)
                if (anchor + size_t(k) >= read)
                    all[anchor + size_t(k)].time = newest + k * (t - newest) / f;
            anchor = at;
            newest = t;
        }
    }

    uint32_t Due(int64_t t, int64_t s) const
    {
        if (read == all.size() || newest < t)
            return 0;
        return uint32_t((newest - t) / s + 1);
    }

    // Returns the reading at t.
    Item Take(int64_t t)
    {
        size_t e = read;
        while (all[read].time < t && e + 1 < all.size() && all[e + 1].time <= t) {
            ++e;
            if (all[e].time == t)
                break;
        }
        for (int v = 0; v < 8; ++v)
            if (accumulate[v])
                for (size_t i = read; i < e; ++i)
                    all[e].values[v] += all[i].values[v];
        read = e;
        Item out = all[read];
        for (int v = 0; v < 8; ++v)
            if (accumulate[v])
                all[read].values[v] = 0;
        return out;
    }

private:
    std::deque<Item> all;
    size_t read = 0;
    size_t anchor = 0;
    int64_t newest = 0;
};

TEST(RawFIFO, LongRandomStreamMatchesTheModel)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 rng(seed);
        auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        const int64_t step = seed == 4 ? 0 : 10;
        const int64_t s = std::vector<int64_t>{10, 100, 7, 25}[seed - 1];
        CxutRawFIFO q;
        Model m;
        q.SetStep(uint64_t(step));
        m.step = step;
        q.SetAccumulate(1, true);
        m.accumulate[1] = true;
        // Starts just before the ten-day wrap so the stream crosses it.
        int64_t clock = int64_t(P) - 30000;
        int64_t t = clock + 1;
        uint32_t maxCapacity = 0;
        for (int round = 0; round < 6000; ++round) {
            const bool stall = round % 2000 > 1400;
            for (int n = pick(0, 6); n > 0; --n) {
                const int kind = pick(0, 99);
                if (kind < 70)
                    clock += 10 + pick(-3, 3);
                else if (kind < 85)
                    ; // same stamp again
                else if (kind < 95)
                    clock -= pick(1, 30);
                else
                    clock += pick(50, 700);
                int32_t values[8];
                for (int32_t& v : values)
                    v = pick(0, 4095);
                CxutRawEntry e;
                e.m_time = uint64_t(clock) % P;
                std::copy(values, values + 8, e.m_values);
                ASSERT_TRUE(q.Push(e));
                m.Push(clock, values);
            }
            maxCapacity = std::max(maxCapacity, q.GetCapacity());
            if (stall)
                continue;
            const uint64_t wrapped = uint64_t(t) % P;
            const uint32_t due = m.Due(t, s);
            ASSERT_EQ(q.CountDue(wrapped, s), due) << "seed " << seed << " round " << round;
            const uint32_t n = uint32_t(pick(1, 20));
            std::vector<CxutRawEntry> out(n);
            const uint32_t got = q.ReadResampled(out.data(), n, wrapped, s);
            ASSERT_EQ(got, std::min(n, due));
            for (uint32_t i = 0; i < got; ++i) {
                const Model::Item want = m.Take(t + int64_t(i) * s);
                ASSERT_EQ(out[i].m_time, uint64_t(want.time) % P) << "seed " << seed << " round " << round;
                for (int v = 0; v < 8; ++v)
                    ASSERT_EQ(out[i].m_values[v], want.values[v]) << "seed " << seed << " round " << round;
            }
            t += int64_t(got) * s;
        }
        EXPECT_GE(maxCapacity, 2000u) << "the stalls must make the storage grow";
        EXPECT_GT(clock, int64_t(P)) << "the stream must cross the wrap";
    }
}

} // namespace
