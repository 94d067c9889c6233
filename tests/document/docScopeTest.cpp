#include "app/appOptions.h"
#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The simulated logger with one sensor that gives its raw reading, and a
// logger manager whose threads do not run: the test queues the traces.
class Scope : public testing::Test
{
protected:
    Scope()
    {
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
        CxutBoxInfo& info = m_doc.m_boxInfo.m_info;
        info.m_hardware = BOX_TYPE_SIMULATED;
        info.m_firmware = 1.0f;
        info.m_maxSensors = 4;
        m_doc.m_boxInfo.m_sensors[0] = qvtest::MakeSensor(9, 7, 70000.0f);
        m_doc.OnNew();
        m_doc.SetActivity(ACTIVITY_SCOPE);
    }

    // A trace whose samples count from first.
    void QueueTrace(int first, int samples = 101)
    {
        for (int i = 0; i < samples; ++i) {
            const int raw = first + i;
            m_boxes.m_box.PutSamples(&raw, 1);
        }
    }

    CdocScope& S() { return m_doc.m_scope; }

    CgumResCore m_res;
    CappOptions m_options;
    qvtest::CtestBoxes m_boxesShown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    qvtest::CtestDocOwner m_owner;
};

} // namespace

TEST_F(Scope, DefaultGainHoldsTheRangeInEightDivisions)
{
    const struct
    {
        const char* units;
        float max, min;
        int index;
        float multiplier;
    } cases[] = {
        {"V", 5.0f, 0.0f, 7, 1.0f},        {"V", 10.0f, -10.0f, 9, 1.0f},   {"mV", 500.0f, 0.0f, 4, 1.0f},
        {"V", 0.04f, 0.0f, 0, 1.0f},       {"V", 1.5f, 0.0f, 5, 1.0f},      {"V", 160.0f, 0.0f, 11, 1.0f},
        {"V", 1000.0f, 0.0f, 11, 10.0f},   {"V", 4000.0f, 0.0f, 9, 100.0f}, {"V", 100.0f, -100.0f, 9, 10.0f},
        {"V", 160000.0f, 0.0f, 11, 1000.0f}, {"V", 200000.0f, 0.0f, 11, 10000.0f},
    };
    for (const auto& c : cases) {
        CxhwSensor& sensor = m_doc.m_boxInfo.m_sensors[0];
        sensor.m_calib.m_units = c.units;
        sensor.m_calib.m_calMax = c.max;
        sensor.m_calib.m_calMin = c.min;
        int index = -1;
        float multiplier = 0.0f;
        S().GetDefaultGain(index, multiplier);
        EXPECT_EQ(index, c.index) << c.units << " " << c.max << " " << c.min;
        EXPECT_EQ(multiplier, c.multiplier) << c.units << " " << c.max << " " << c.min;
    }
}

TEST_F(Scope, MillivoltInputsAreShownInVolts)
{
    CxhwSensor& sensor = m_doc.m_boxInfo.m_sensors[0];
    sensor.m_calib.m_units = "mV";
    sensor.m_calib.m_calMax = 500.0f;
    EXPECT_EQ(S().GetUnitText(), "V");
    EXPECT_FLOAT_EQ(S().GetVoltsFactor(), 0.001f);
    S().UpdateDefaultGain();
    EXPECT_EQ(S().m_gainbase, 4);
    EXPECT_EQ(S().GetGainText(S().m_gainbase, true), "0.1 V/div");
    EXPECT_EQ(S().GetGainText(12, false), "20 V per Y division");

    // A user's gain holds while the range's default does not change.
    S().SetGainbase(8);
    S().UpdateDefaultGain();
    EXPECT_EQ(S().m_gainbase, 8);
}

TEST_F(Scope, TimebaseKeepsItsSweepAcrossANewList)
{
    // The simulated logger offers 50 to 10000 microseconds, 101 samples.
    S().KeepTimebase();
    ASSERT_EQ(S().GetTimebaseCount(), 8);
    EXPECT_EQ(S().GetTimebaseText(1, true), "1 ms/div");
    EXPECT_EQ(S().GetTimebaseText(0, false), "0.5 ms per X division");

    const struct
    {
        int period;  // of the entry selected in the old list
        int kept;    // the entry of the new list
    } cases[] = {{100, 1}, {10000, 7}, {300, 2}, {150, 1}, {700, 3}, {1000000, 7}};
    for (const auto& c : cases) {
        CxutRateTable old;
        old.m_count = 2;
        old.m_rows[0] = {50, 101, 101};
        old.m_rows[1] = {c.period, 101, 101};
        S().m_timebaseList = old;
        S().m_timebase = 1;
        S().KeepTimebase();
        EXPECT_EQ(S().m_timebase, c.kept) << c.period;
    }

    // A selection past the list reads as a 10 ms sweep.
    S().m_timebase = 40;
    S().KeepTimebase();
    EXPECT_EQ(S().m_timebase, 1);

    // An empty list reads as the one default entry.
    S().m_timebaseList = CxutRateTable();
    EXPECT_EQ(S().GetTimebaseCount(), 1);
    EXPECT_EQ(S().GetTimebaseSamples(3), 101);
    EXPECT_EQ(S().GetTimebasePeriod(3), 100.0);
}

TEST_F(Scope, FastestEntryBelowATenthOfAMillisecondGivesMicroseconds)
{
    CxutRateTable list;
    list.m_count = 2;
    list.m_rows[0] = {5, 101, 101};
    list.m_rows[1] = {100, 101, 101};
    S().m_timebaseList = list;
    EXPECT_EQ(S().GetTimebaseText(1, true), wxString::FromUTF8("1000 \u00b5s/div"));
    EXPECT_EQ(S().GetTimebaseText(0, false), wxString::FromUTF8("50 \u00b5s per X division"));
    // 20 microseconds over 100 points is 0.2 ms per division: milliseconds.
    list.m_rows[0] = {20, 101, 101};
    S().m_timebaseList = list;
    EXPECT_EQ(S().GetTimebaseText(0, true), "0.2 ms/div");
}

// Traces waiting at a tick with no trace in progress: all but the newest
// whole one are dropped; a part trace behind it stays in the queue.
TEST_F(Scope, TickTakesTheNewestOfTheWaitingTraces)
{
    const struct
    {
        int traces;
        int extra;   // samples of a further part trace
        int taken;   // the trace captured, by its first value
        int left;
    } cases[] = {{1, 0, 1000, 0}, {2, 0, 2000, 0}, {3, 0, 3000, 0}, {2, 50, 2000, 50}};
    for (const auto& c : cases) {
        ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
        ASSERT_EQ(S().m_timebase, 1); // 100 microseconds, 101 samples
        for (int t = 1; t <= c.traces; ++t)
            QueueTrace(1000 * t);
        QueueTrace(9000, c.extra);
        S().Tick();
        EXPECT_EQ(S().m_logNext, 0) << c.traces;
        EXPECT_EQ(S().m_dataNext, 101) << c.traces;
        EXPECT_FLOAT_EQ(S().m_inputValues[0], float(c.taken)) << c.traces;
        EXPECT_FLOAT_EQ(S().m_inputValues[100], float(c.taken + 100)) << c.traces;
        EXPECT_EQ(m_boxes.GetSampleCount(), c.left) << c.traces;
        EXPECT_TRUE(S().m_triggerIndicator);
        EXPECT_TRUE(S().m_enableStore);
        EXPECT_EQ(S().m_drawStart, 0);
        EXPECT_EQ(S().m_drawNext, 101);
        m_doc.StopRun();
        m_boxes.m_box.ClearQueues();
    }
}

TEST_F(Scope, FastSweepConvertsOnlyWholeTracesAfterTheFirstBatch)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    S().m_convertClock = [](const CdocScope&) { return 0LL; };
    // The first batch after a reset is converted at once.
    QueueTrace(0, 40);
    S().Tick();
    EXPECT_EQ(S().m_logNext, 40);
    EXPECT_EQ(S().m_dataNext, 40);
    QueueTrace(40, 61);
    S().Tick();
    EXPECT_EQ(S().m_dataNext, 101);
    // The next trace's part waits for the rest.
    QueueTrace(500, 30);
    S().Tick();
    EXPECT_EQ(S().m_logNext, 30);
    EXPECT_EQ(S().m_dataNext, 101);
    // Half a second after the last trace a part trace is shown.
    S().m_convertClock = [](const CdocScope&) { return 500000LL; };
    QueueTrace(530, 10);
    S().Tick();
    EXPECT_EQ(S().m_dataNext, 40);
    EXPECT_TRUE(S().m_drawClear);
}

TEST_F(Scope, SlowSweepConvertsEveryTenthOfASecond)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    S().SetTimebase(7); // 10000 microseconds: a one-second sweep
    S().m_convertClock = [](const CdocScope&) { return 0LL; };
    QueueTrace(0, 5);
    S().Tick();
    EXPECT_EQ(S().m_dataNext, 5);
    QueueTrace(5, 9);
    S().Tick();
    EXPECT_EQ(S().m_dataNext, 5); // nine new samples span 0.09 s
    QueueTrace(14, 1);
    S().Tick();
    EXPECT_EQ(S().m_dataNext, 15);
}

TEST_F(Scope, TriggerIndicatorShowsForThreeTicks)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    QueueTrace(0);
    S().Tick();
    ASSERT_TRUE(S().m_triggerIndicator);
    S().m_drawTrigger = false;
    int ticks = 0;
    while (S().m_triggerIndicator && ticks < 10) {
        S().Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 4);
    EXPECT_TRUE(S().m_drawTrigger);
    EXPECT_TRUE(S().m_triggered);
}

TEST_F(Scope, StoredTraceBecomesTheDocumentsData)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    // Store pressed in the middle of a trace waits for its end.
    QueueTrace(100, 60);
    S().Tick();
    ASSERT_TRUE(m_doc.CanStore());
    EXPECT_EQ(m_doc.Store(), DOC_RESULT_DONE);
    EXPECT_TRUE(S().m_storeRequested);
    EXPECT_EQ(m_doc.m_data.m_records, 0);
    QueueTrace(160, 41);
    S().Tick();
    EXPECT_FALSE(S().m_storeRequested);
    const CdocData& data = m_doc.m_data;
    ASSERT_EQ(data.m_records, 101);
    EXPECT_EQ(data.m_maxRecords, 101);
    EXPECT_DOUBLE_EQ(data.m_interval, 0.0001);
    EXPECT_EQ(data.m_logType, ACTIVITY_SCOPE);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);
    CdocFieldKey key;
    ASSERT_TRUE(data.m_fields.GetSensor(key, 0));
    for (int i : {0, 50, 100})
        EXPECT_FLOAT_EQ(key.m_field->m_samples[i], float(100 + i));
    ASSERT_TRUE(data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME));
    // A 10 ms sweep, in the time channel's finer unit.
    EXPECT_GT(key.m_field->m_gain, 1.0f);
    EXPECT_FLOAT_EQ(key.m_field->m_samples[100], 0.01f * key.m_field->m_gain + key.m_field->m_offset);
    EXPECT_FLOAT_EQ(key.m_field->m_samples[1], 0.0001f * key.m_field->m_gain + key.m_field->m_offset);
    EXPECT_TRUE(m_doc.m_unsavedData);
    EXPECT_GT(m_owner.Count(HINT_SCOPE_STORED), 0);
    // With the scope-overlay permission the run goes on.
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    EXPECT_FALSE(m_doc.CanStore());
}

// A trace the logger stops sending is dropped whole: none of its samples
// stand in for the start of the next trace, which is the one a Store pressed
// in the middle of it keeps.
TEST_F(Scope, AnAbandonedTraceLeavesNothingInTheNext)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    S().SetTimebase(5); // 2000 microseconds: a 200 ms sweep
    QueueTrace(100, 58);
    S().Tick();
    ASSERT_EQ(S().m_dataNext, 58);
    EXPECT_EQ(m_doc.Store(), DOC_RESULT_DONE);
    // Past the sweep time and a second more.
    S().m_traceWatch.Start(5000);
    S().Tick();
    EXPECT_EQ(S().m_logNext, 0);
    EXPECT_TRUE(S().m_storeRequested);
    QueueTrace(1000);
    S().Tick();
    const CdocData& data = m_doc.m_data;
    ASSERT_EQ(data.m_records, 101);
    CdocFieldKey key;
    ASSERT_TRUE(data.m_fields.GetSensor(key, 0));
    for (int i : {0, 57, 58, 100})
        EXPECT_FLOAT_EQ(key.m_field->m_samples[i], float(1000 + i)) << i;
}

TEST_F(Scope, NoSensorNoRun)
{
    m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
    EXPECT_EQ(m_doc.Start(), DOC_RESULT_NO_SENSOR);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_READY);
    ASSERT_EQ(m_boxesShown.m_calls.size(), 1u);
}
