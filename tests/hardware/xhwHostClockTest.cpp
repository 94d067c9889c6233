// Test label: threads
#include "hardware/xhwHostClock.h"
#include "transport/zxTime.h"

#include <gtest/gtest.h>

// Readings are due by whole periods since the last one, and the last one's
// time advances by those periods, never to the time of the check.
TEST(HostClock, CountsWholePeriodsOnTheGrid)
{
    CxhwHostClock clock;
    clock.Start(0);
    int pushed = 0;
    for (int64_t t = 5; t <= 1000; t += 5)
        pushed += clock.Due(t, 0.1);
    EXPECT_EQ(pushed, 10); // besides the one pushed at the start
    EXPECT_EQ(clock.GetLast(), 1000);

    // A late check: two periods at once, and the grid is kept.
    clock.Start(0);
    EXPECT_EQ(clock.Due(230, 0.1), 2);
    EXPECT_EQ(clock.GetLast(), 200);
    EXPECT_EQ(clock.Due(299, 0.1), 0);
    EXPECT_EQ(clock.Due(300, 0.1), 1);
    EXPECT_EQ(clock.GetLast(), 300);
}

TEST(HostClock, GoesOnAcrossTheTenDayWrap)
{
    const struct
    {
        int64_t start;
        int64_t now;
        double period;
        int due;
        int64_t last;
    } cases[] = {
        {kZxTimePeriodMs - 50, 30, 0.05, 1, 0},
        {kZxTimePeriodMs - 50, 130, 0.05, 3, 100},
        {kZxTimePeriodMs - 1, 0, 0.001, 1, 0},
        {kZxTimePeriodMs - 250, kZxTimePeriodMs + 260, 0.1, 5, 250},
    };
    for (const auto& c : cases) {
        CxhwHostClock clock;
        clock.Start(c.start);
        EXPECT_EQ(clock.Due(c.now, c.period), c.due) << c.start << " " << c.now;
        EXPECT_EQ(clock.GetLast(), c.last) << c.start << " " << c.now;
    }
}

TEST(HostClock, PeriodsThatDoNotFitTheMillisecondGrid)
{
    // 1/30 s: each batch advances by its own rounded span.
    CxhwHostClock clock;
    clock.Start(0);
    int pushed = 0;
    for (int64_t t = 5; t <= 3000; t += 5)
        pushed += clock.Due(t, 1.0 / 30.0);
    EXPECT_NEAR(pushed, 90, 2);

    // A period that is not positive never pushes.
    clock.Start(0);
    EXPECT_EQ(clock.Due(5000, 0.0), 0);
    EXPECT_EQ(clock.Due(5000, -1.0), 0);
    EXPECT_EQ(clock.GetLast(), 0);
}
