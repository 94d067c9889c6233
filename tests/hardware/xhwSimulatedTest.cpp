// Test label: threads
#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSimulatedDriver.h"
#include "support/testWait.h"
#include "transport/zxTime.h"

#include <gtest/gtest.h>
#include <vector>
#include <wx/utils.h>

namespace {

// The real string table and sensor database, and a box whose link is the
// simulated logger, checked once as the box thread does on connecting.
class SimulatedLogger : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
    }

    void Connect(int activity)
    {
        m_box.SetActivity(activity);
        ASSERT_TRUE(xhwOpenLink(m_box, BOX_LINK_SIMULATED, wxString(), nullptr));
        ASSERT_TRUE(xhwConnect(m_box));
        m_box.Publish();
        m_box.GetPublicInfo(m_info);
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CxhwBox m_box;
    CxutBoxPublicInfo m_info;
};

struct Range
{
    int low;
    int high;
};

// What each input of the generator can give outside the timing activity.
const Range kRanges[6] = {{6768, 58768}, {7000, 57000}, {20000, 60000},
                          {2300, 24200}, {0, 0},       {0, 0}};

} // namespace

TEST_F(SimulatedLogger, OpensWithoutADeviceAndPublishesItsIdentity)
{
    Connect(1);
    EXPECT_EQ(m_info.m_info.m_hardware, BOX_TYPE_SIMULATED);
    EXPECT_FLOAT_EQ(m_info.m_info.m_firmware, 1.0f);
    EXPECT_EQ(m_info.m_info.m_maxSensors, 4);
    EXPECT_TRUE(m_info.m_info.m_varnok);
    EXPECT_EQ(m_info.m_boxTimingIdentify, 7);
    EXPECT_EQ(m_info.m_boxTimingMask, 15);
    EXPECT_EQ(m_info.m_boxPower, 103);
    EXPECT_DOUBLE_EQ(m_info.m_boxTimingTicksPerSecond, 31250.0);
    const int ids[6] = {9, 8, 1, 19, 0, 0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m_info.m_sensors[i].m_idCode, ids[i]) << i;
        EXPECT_EQ(m_info.m_sensors[i].m_idType, i < 4 ? 7 : 0) << i;
        if (i < 4) {
            EXPECT_EQ(m_info.m_sensors[i].m_calib.m_ident, ids[i]) << "database calibration " << i;
        }
    }
    EXPECT_TRUE(m_info.HasSensors());
    EXPECT_TRUE(m_info.CanUseScope(false, 0));
    EXPECT_FALSE(m_info.CanUseTrigger(true, 1)); // no triggered runs on this logger

    // In the timing activity it presents three light gates.
    m_box.SetActivity(4);
    ASSERT_TRUE(xhwRecheckLink(m_box));
    m_box.Publish();
    m_box.GetPublicInfo(m_info);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m_info.m_sensors[i].m_idCode, i < 3 ? 17 : 0) << i;
        EXPECT_EQ(m_info.m_sensors[i].m_idType, i < 3 ? 131 : 0) << i;
    }
    EXPECT_TRUE(m_info.CanUseTimingInputs());
}

// Days of simulated time in microseconds and random numbers up to 2^31 - 1
// stay in range: nothing is computed in 32-bit integers.
TEST(SimulatedGenerator, StaysInRangeAtAnyTime)
{
    std::vector<int64_t> times;
    for (int64_t k = 0; k < 3000; ++k)
        times.push_back(k * 7919731);
    for (int64_t k = 0; k < 500; ++k)
        times.push_back((kZxTimePeriodMs - 1) * 1000 - k * 1234567);
    for (int64_t t : times) {
        int values[6];
        xhwSimulatedGenerate(1, t, values);
        for (int i = 0; i < 6; ++i) {
            EXPECT_GE(values[i], kRanges[i].low) << "input " << i << " at " << t;
            EXPECT_LE(values[i], kRanges[i].high) << "input " << i << " at " << t;
        }
    }
    // The first second of every ten the tone rests at mid-scale.
    int values[6];
    xhwSimulatedGenerate(1, 20500000, values);
    EXPECT_EQ(values[0], 32768);
    for (int k = 0; k < 1000; ++k) {
        const int32_t r = xhwSimulatedRandom();
        EXPECT_GE(r, 0);
    }
}

// A cycle of 31 steps of 0.125 s: input 0 blocked in steps 5 to 9, all clear
// in 15 to 19, inputs 1 or 2 blocked from step 20.
TEST(SimulatedGenerator, TimingCycleOfGateStates)
{
    for (int64_t cycle : {int64_t(0), int64_t(1000), int64_t(2000000)}) {
        const int64_t base = cycle * 31 * 125000;
        for (int step = 0; step < 31; ++step) {
            int values[6];
            xhwSimulatedGenerate(4, base + step * 125000 + 1000, values);
            if (step < 5 || (step >= 15 && step < 20)) {
                for (int i = 0; i < 6; ++i)
                    EXPECT_EQ(values[i], 0) << step;
            } else if (step < 10) {
                EXPECT_EQ(values[0], 0xFFFF) << step;
            } else if (step >= 30) {
                EXPECT_EQ(values[2], 0xFFFF) << step;
            }
            if (step >= 20) {
                EXPECT_EQ(values[1] + values[2], 0xFFFF) << step;
            }
            EXPECT_EQ(values[3], 0);
        }
    }
}

// The stored file: nine readings of input 0 between 10 and 90, the same nine
// every time; a fetch that the manager called off stops with result 1.
TEST_F(SimulatedLogger, FetchGivesTheSameNineReadings)
{
    Connect(1);
    std::vector<float> first;
    for (int round = 0; round < 2; ++round) {
        m_box.SetState(BOX_STATE_FETCH);
        EXPECT_EQ(m_box.FetchFile(3), 0);
        EXPECT_TRUE(m_box.m_fetch.IsResultReady());
        EXPECT_EQ(m_box.m_fetch.GetResult(), 0);
        CxutFetchHeader header;
        ASSERT_TRUE(m_box.m_fetch.TakeHeader(header));
        EXPECT_FALSE(m_box.m_fetch.TakeHeader(header)); // taken once, copied again
        EXPECT_EQ(header.m_readings, 9);
        EXPECT_EQ(header.m_readings, 9);
        EXPECT_EQ(header.m_kind, 3);
        EXPECT_EQ(header.m_docName, "Simulated Data");
        EXPECT_EQ(header.m_sensors[0].m_idCode, 69);
        EXPECT_EQ(header.m_sensors[0].m_calib.m_ident, 69);
        EXPECT_EQ(header.m_sensors[1].m_idCode, 0);
        std::vector<float> column;
        float row[6];
        while (m_box.GetStoredData(row, 6)) {
            EXPECT_GE(row[0], 10.0f);
            EXPECT_LE(row[0], 90.0f);
            for (int i = 1; i < 6; ++i)
                EXPECT_EQ(row[i], -987654.0f);
            column.push_back(row[0]);
        }
        EXPECT_EQ(column.size(), 9u);
        if (round == 0)
            first = column;
        else
            EXPECT_EQ(column, first);
    }
    m_box.SetState(BOX_STATE_CONNECT);
    EXPECT_EQ(m_box.FetchFile(0), 1);
    float row[6];
    EXPECT_FALSE(m_box.GetStoredData(row, 6));
}

// The running ticks of the timing status count in the logger's own ticks,
// which the timing reader turns into seconds by the ticks per second.
TEST_F(SimulatedLogger, TimingStatusCountsInTicks)
{
    Connect(4);
    // The logger counts from the start, so the watch starts before it.
    CzxStopWatch watch;
    ASSERT_TRUE(m_box.StartTiming());
    ASSERT_TRUE(m_box.ReadTiming()); // the first read makes step 0 at once
    CxutTimerStatus status;
    CxutTimerEvent events[4];
    ASSERT_EQ(m_box.GetTimingEvents(status, events, 4), 1u);
    EXPECT_EQ(events[0].Ticks, 1u);
    EXPECT_EQ(events[0].States, 0);
    EXPECT_EQ(status.States, 0);

    // The first five steps of 125 ms change no state: a read within them
    // gives the status only. (Which step a read falls in depends on how
    // busy the machine is; the watch tells when it cannot be past them.)
    constexpr double kQuietSeconds = 0.625;
    ASSERT_TRUE(m_box.ReadTiming());
    uint32_t taken = m_box.GetTimingEvents(status, events, 4);
    if (watch.TimeInMicro().ToDouble() / 1e6 < kQuietSeconds) {
        EXPECT_EQ(taken, 0u);
    }
    wxMilliSleep(200); // the logger's clock goes on meanwhile
    ASSERT_TRUE(m_box.ReadTiming());
    const double elapsed = watch.TimeInMicro().ToDouble() / 1e6;
    taken = m_box.GetTimingEvents(status, events, 4);
    if (elapsed < kQuietSeconds) {
        EXPECT_EQ(taken, 0u);
    }
    const double seconds = double(status.Ticks) / m_info.m_boxTimingTicksPerSecond;
    EXPECT_GE(seconds, 0.19);
    EXPECT_LE(seconds, elapsed + 0.01);
}

// The trace starts only where the scope input rises through 32,000 and a read
// never gives more than a trace (at most 1001 values).
TEST_F(SimulatedLogger, ScopeTracesStartAtARisingCrossing)
{
    Connect(6);
    ASSERT_TRUE(m_box.StartScope());
    EXPECT_TRUE(m_box.m_run.m_scopeMode);
    EXPECT_EQ(m_box.m_run.m_scopeInput, 0);
    EXPECT_EQ(m_box.m_run.m_deviceIntervalUs, 50);
    const int toTake = int(m_box.m_run.m_readingsToTake);
    EXPECT_EQ(toTake, 101);
    std::vector<int> out;
    CzxStopWatch watch;
    bool read = true;
    int count = -1;
    qvtest::WaitUntil([&] {
        int values[CxhwBox::kScopeValues];
        count = -1;
        read = m_box.ReadScope(values, count);
        if (!read || count < 0 || count > toTake)
            return true;
        out.assign(values, values + count);
        return !out.empty();
    });
    ASSERT_TRUE(read);
    ASSERT_GE(count, 0);
    ASSERT_LE(count, toTake);
    ASSERT_FALSE(out.empty());
    EXPECT_GE(watch.Time(), 900); // the tone rests for the first second
    EXPECT_GE(out[0], 32000);
}

// A scope start on a logger whose published sensors offer no input fails
// instead of using input -1.
TEST_F(SimulatedLogger, ScopeWithoutAnInputDoesNotStart)
{
    Connect(1);
    for (int i = 0; i < 6; ++i)
        m_box.SetSensorEnable(i, false);
    EXPECT_FALSE(m_box.StartScope());
}
