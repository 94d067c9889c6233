// Timing measurements: the event rules, the list and the data-file line.
#include "document/docTiming.h"

#include <gtest/gtest.h>

namespace {

class Timers : public testing::Test
{
protected:
    // A measurement started at an entering edge of an input.
    CdocTimer* StartOn(int input)
    {
        m_timing.m_input = input;
        m_timing.m_inputBit = 1 << input;
        CdocTimer* timer = m_timing.m_timers.AddTimer();
        timer->Start(m_timing);
        return timer;
    }
    // One gate event after some ticks; closing edges are the leaving ones
    // unless said otherwise.
    CdocTimer* Event(uint64_t ticks, int entering, int leaving, bool closingEntering = false)
    {
        m_timing.m_eventTicks = ticks;
        m_timing.m_entering = entering;
        m_timing.m_leaving = leaving;
        m_timing.m_closing = closingEntering ? entering : leaving;
        m_timing.m_unclaimed = 0x3F;
        return m_timing.m_timers.AdvanceAll(m_timing);
    }

    CdocTiming m_timing;
};

TEST_F(Timers, OneIntervalOnItsOwnInput)
{
    m_timing.m_eventsNeeded = 1;
    m_timing.m_sameInput = true;
    m_timing.m_elapsedTime = 2.5;
    CdocTimer* t = StartOn(2);
    EXPECT_EQ(t->m_otherInputs, 0x3F & ~4);
    EXPECT_EQ(t->m_startTime, 2.5);
    EXPECT_TRUE(t->IsOpen(m_timing));
    EXPECT_EQ(Event(120, 0, 1), nullptr); // another input's change
    EXPECT_EQ(Event(500, 0, 4), t);
    EXPECT_EQ(t->m_times[0], 620u);
    EXPECT_EQ(t->m_elapsedTicks, 620u);
    EXPECT_TRUE(t->IsComplete(m_timing));
    EXPECT_FALSE(t->IsOpen(m_timing));
    // Complete but not finished: it keeps answering; finished, it answers false.
    EXPECT_EQ(Event(10, 0, 4), t);
    EXPECT_EQ(t->m_elapsedTicks, 620u);
    t->m_finished = true;
    EXPECT_EQ(Event(10, 0, 4), nullptr);
    m_timing.m_timers.RemoveFinished();
    EXPECT_EQ(m_timing.m_timers.GetCount(), 0);
}

TEST_F(Timers, AnInputChangeAdvancesOneMeasurement)
{
    m_timing.m_eventsNeeded = 1;
    m_timing.m_sameInput = true;
    CdocTimer* a = StartOn(0);
    CdocTimer* b = StartOn(1);
    CdocTimer* c = StartOn(1);
    EXPECT_EQ(Event(300, 0, 3), b);
    EXPECT_EQ(a->m_count, 1);
    EXPECT_EQ(b->m_count, 1);
    EXPECT_EQ(c->m_count, 0); // the earlier one took input 1
    EXPECT_EQ(m_timing.m_unclaimed, 0x3C);
    EXPECT_EQ(m_timing.m_timers.CountOpenForKey(m_timing, 1), 1);
    EXPECT_EQ(m_timing.m_timers.FindOpen(m_timing), c);
    EXPECT_EQ(m_timing.m_timers.CountForKey(1), 2);
    EXPECT_EQ(m_timing.m_timers.FindLastUnfinishedForKey(1), c);
}

TEST_F(Timers, OneIntervalToAnotherInput)
{
    m_timing.m_eventsNeeded = 1;
    m_timing.m_sameInput = false;
    CdocTimer* t = StartOn(0);
    EXPECT_EQ(Event(40, 1, 0), nullptr); // its own input: not another
    EXPECT_EQ(Event(60, 0x0C, 0), t);
    EXPECT_EQ(t->m_secondInput, 2);
    EXPECT_EQ(t->m_secondBit, 4);
    EXPECT_EQ(t->m_times[0], 100u);
}

TEST_F(Timers, ThreeIntervalsWithTwoInputs)
{
    m_timing.m_eventsNeeded = 3;
    m_timing.m_sameInput = false;
    CdocTimer* t = StartOn(0);
    // The second input enters before the first closes: it is chosen at once.
    EXPECT_EQ(Event(10, 2, 0), nullptr);
    EXPECT_TRUE(t->m_secondChosen);
    EXPECT_EQ(t->m_secondBit, 2);
    EXPECT_EQ(Event(20, 0, 2), nullptr); // the second input closing is not awaited yet
    EXPECT_EQ(t->m_count, 1);
    EXPECT_EQ(Event(30, 0, 1), nullptr); // now the first closes
    EXPECT_EQ(t->m_count, 2);
    EXPECT_EQ(Event(40, 0, 2), t);
    EXPECT_EQ(t->m_times[0], 10u);
    EXPECT_EQ(t->m_times[1], 50u);
    EXPECT_EQ(t->m_times[2], 40u);
}

TEST_F(Timers, ThreeIntervalsFirstInputClosingFirst)
{
    m_timing.m_eventsNeeded = 3;
    m_timing.m_sameInput = false;
    CdocTimer* t = StartOn(1);
    EXPECT_EQ(Event(10, 0, 2), nullptr);
    EXPECT_FALSE(t->m_secondChosen);
    EXPECT_EQ(Event(20, 8, 0), nullptr);
    EXPECT_EQ(t->m_secondBit, 8);
    EXPECT_EQ(Event(30, 0, 8), t);
}

TEST_F(Timers, FiveAlternatingEdges)
{
    m_timing.m_eventsNeeded = 5;
    CdocTimer* t = StartOn(3);
    const int bit = 8;
    EXPECT_EQ(Event(1, 0, bit), nullptr);
    EXPECT_EQ(Event(2, 0, bit), nullptr); // leaving again: not the awaited edge
    EXPECT_EQ(Event(3, bit, 0), nullptr);
    EXPECT_EQ(Event(4, 0, bit), nullptr);
    EXPECT_EQ(Event(5, bit, 0), nullptr);
    EXPECT_EQ(m_timing.m_unclaimed, 0x3F); // the fourth event claims nothing
    EXPECT_EQ(Event(6, 0, bit), t);
    const uint64_t expected[] = {1, 5, 4, 5, 6};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(t->m_times[i], expected[i]) << i;
}

TEST_F(Timers, PendingTicksOfOpenMeasurements)
{
    m_timing.m_eventsNeeded = 1;
    m_timing.m_sameInput = true;
    CdocTimer* open = StartOn(0);
    CdocTimer* done = StartOn(1);
    Event(5, 0, 2);
    m_timing.m_pendingTicks = 77;
    m_timing.m_timers.SetPendingAll(m_timing);
    EXPECT_EQ(open->m_pendingTicks, 77u);
    EXPECT_EQ(done->m_pendingTicks, 0u);
    m_timing.m_timers.DeleteTimer(open);
    EXPECT_EQ(m_timing.m_timers.GetCount(), 1);
    m_timing.m_timers.DeleteAll();
    EXPECT_EQ(m_timing.m_timers.GetCount(), 0);
}

TEST(TakeLowestSensor, Rules)
{
    int unclaimed = 0x3F, bit = -1, number = -1;
    EXPECT_FALSE(docTakeLowestSensor(0x30, 0x0F, &unclaimed, &bit, &number));
    EXPECT_TRUE(docTakeLowestSensor(0x3C, 0x3F, &unclaimed, &bit, &number));
    EXPECT_EQ(bit, 4);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(unclaimed, 0x3B);
    // Only bits above the six inputs: taken, nothing given out.
    unclaimed = ~0;
    bit = number = -1;
    EXPECT_TRUE(docTakeLowestSensor(0x40, ~0, &unclaimed, &bit, &number));
    EXPECT_EQ(bit, -1);
    EXPECT_EQ(unclaimed, ~0);
}

// 64-bit tick counts go through the data-file line exactly.
TEST(TimerLine, RoundTrip)
{
    CdocTimer t;
    t.m_input = 5;
    t.m_inputBit = 32;
    t.m_reserved = -3;
    t.m_count = 4;
    const uint64_t big[] = {0, 1, 4294967296ull, 9007199254740993ull, 18446744073709551615ull};
    for (int i = 0; i < 5; ++i)
        t.m_times[i] = big[i];
    t.m_secondChosen = true;
    t.m_secondBit = 2;
    t.m_finished = true;
    t.m_elapsedTicks = 12345678901234567890ull;
    t.m_sinceLastTicks = 1ull << 63;
    t.m_pendingTicks = 5000000000ull;
    t.m_startTime = 12.5;
    const wxString line = t.FormatLine();
    EXPECT_EQ(line, "5,32,-3,4,0,1,4294967296,9007199254740993,18446744073709551615,1,2,1,"
                    "12345678901234567890,9223372036854775808,5000000000,12.5");
    CdocTimer back;
    ASSERT_TRUE(back.ParseLine(line));
    EXPECT_EQ(back.FormatLine(), line);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(back.m_times[i], big[i]);
    EXPECT_EQ(back.m_elapsedTicks, t.m_elapsedTicks);
    EXPECT_EQ(back.m_otherInputs, 31);
    EXPECT_EQ(back.m_secondInput, 1);
}

// Open measurements read back from a file take their next events as before:
// one waiting for another input to enter, and one of three intervals whose
// first input closed and which waits for a second input to enter.
TEST_F(Timers, OpenMeasurementsReadBackTakeTheirNextEvent)
{
    m_timing.m_sameInput = false;
    m_timing.m_eventsNeeded = 1;
    CdocTimer back;
    ASSERT_TRUE(back.ParseLine(StartOn(0)->FormatLine()));
    m_timing.m_timers.DeleteAll();
    CdocTimer* t = m_timing.m_timers.AddTimer();
    *t = back;
    EXPECT_EQ(Event(70, 8, 0), t);
    EXPECT_EQ(t->m_secondInput, 3);

    m_timing.m_eventsNeeded = 3;
    m_timing.m_timers.DeleteAll();
    CdocTimer* first = StartOn(1);
    Event(10, 0, 2); // the first input closes first
    ASSERT_EQ(first->m_count, 1);
    ASSERT_TRUE(back.ParseLine(first->FormatLine()));
    m_timing.m_timers.DeleteAll();
    t = m_timing.m_timers.AddTimer();
    *t = back;
    EXPECT_EQ(Event(20, 16, 0), nullptr); // the second input enters: chosen
    EXPECT_EQ(t->m_count, 2);
    EXPECT_EQ(t->m_secondInput, 4);
    EXPECT_EQ(Event(30, 0, 16), t);
    EXPECT_EQ(t->m_times[2], 30u);
}

TEST(TimerLine, MalformedLinesChangeNothing)
{
    const char* bad[] = {
        "",
        "1,2,0,1,0,0,0,0,0,0,0,0,0,0,0",                        // 15 fields
        "6,64,0,1,0,0,0,0,0,0,0,0,0,0,0,1.5",                   // input 6
        "1,2,0,6,0,0,0,0,0,0,0,0,0,0,0,1.5",                    // six events
        "1,2,0,-1,0,0,0,0,0,0,0,0,0,0,0,1.5",                   // negative count
        "1,2,0,1,-5,0,0,0,0,0,0,0,0,0,0,1.5",                   // negative ticks
        "1,2,0,1,18446744073709551616,0,0,0,0,0,0,0,0,0,0,1.5", // beyond 64 bits
        "1,2,0,1,0,0,x,0,0,0,0,0,0,0,0,1.5",
        "1,2,0,1,0,0,0,0,0,0,0,0,0,0,0,soon",
    };
    for (const char* line : bad) {
        CdocTimer t;
        t.m_count = 2;
        EXPECT_FALSE(t.ParseLine(line)) << line;
        EXPECT_EQ(t.m_count, 2) << line;
    }
}

} // namespace
