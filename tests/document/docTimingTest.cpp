// Timing runs replayed from gate-event sequences: measurements, results,
// the rows they fill, the channels and the running value texts.
#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xutTimerFIFO.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>

namespace {

// A logger with timing inputs 0 and 1 whose clock ticks once a millisecond;
// the logger manager's threads do not run.
class TimingRun : public testing::Test
{
protected:
    TimingRun()
    {
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
        CxutBoxInfo& info = m_doc.m_boxInfo.m_info;
        info.m_hardware = BOX_TYPE_SIMULATED;
        info.m_firmware = 1.0f;
        info.m_maxSensors = 4;
        for (int i = 0; i < 3; ++i)
            m_doc.m_boxInfo.m_sensors[i] = qvtest::MakeSensor(17, 7, 1.0f);
        m_doc.m_boxInfo.m_boxTimingIdentify = 3;
        m_doc.m_boxInfo.m_boxTimingTicksPerSecond = 1000.0;
        m_doc.OnNew();
        m_doc.SetActivity(ACTIVITY_TIMING);
        CxhwSetup& s = m_doc.m_setup;
        s.m_setup = SETUP_LOG_TIMING;
        s.m_measurement = MEASUREMENT_TIME_DIFFERENCE;
        s.m_manualCalculation = false;
        s.m_timingSensor = TIMING_SENSOR_ANY;
        s.m_bars = 1;
        s.m_barsTotal = 1;
        s.m_barWidth = 2.5f;
        s.m_sensorGap = 40.0f;
        s.m_mass1 = 2.0f;
        s.m_mass2 = 3.0f;
        s.m_mass3 = 5.0f;
    }

    void Start(int measurement, int bars, int sensor = TIMING_SENSOR_ANY)
    {
        m_doc.m_setup.m_measurement = measurement;
        m_doc.m_setup.m_bars = bars;
        m_doc.m_setup.m_barsTotal = bars;
        m_doc.m_setup.m_timingSensor = sensor;
        ASSERT_EQ(m_doc.StartNew(), DOC_RESULT_DONE);
        ASSERT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
        // The reference state: both gates open.
        Event(0, 0);
    }

    void Event(uint64_t ticks, int states) { m_doc.m_timing.ProcessEvent(CxutTimerEvent{ticks, states}); }

    // A gate of one input blocked for `blocked` ticks, `before` ticks after the last event.
    void Pass(int input, uint64_t before, uint64_t blocked)
    {
        Event(before, 1 << input);
        Event(blocked, 0);
    }

    CdocField* Sensor(int input)
    {
        CdocFieldKey key;
        return m_doc.m_data.m_fields.FindSensor(key, input) ? key.m_field : nullptr;
    }
    CdocField* Timing(int result)
    {
        CdocFieldKey key;
        return m_doc.m_data.m_fields.FindTiming(key, result) ? key.m_field : nullptr;
    }
    float Stored(CdocField* field, int row) { return field ? field->m_samples[row] : -1.0f; }

    CgumResCore m_res;
    CappOptions m_options;
    qvtest::CtestBoxes m_boxesShown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    qvtest::CtestDocOwner m_owner;
};

} // namespace

TEST_F(TimingRun, SpeedOnATwoBarCard)
{
    Start(MEASUREMENT_SPEED, 2);
    EXPECT_EQ(m_doc.m_timing.m_eventsNeeded, 1);
    EXPECT_TRUE(m_doc.m_timing.m_detectLeading);
    EXPECT_EQ(m_doc.m_timing.m_distance, 5.0); // two bar widths
    // Leading edge to leading edge: 100 ms, then a second card at 80 ms.
    Event(10, 1);
    Event(30, 0);
    Event(70, 1);
    Event(500, 0);
    Event(1000, 1);
    Event(30, 0);
    Event(50, 1);
    Event(500, 0);
    const CdocData& data = m_doc.m_data;
    ASSERT_EQ(data.m_records, 2);
    EXPECT_EQ(data.m_logNext, 2);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), float(5.0 / 0.1 / 100.0));
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 1), float(5.0 / 0.08 / 100.0));
    EXPECT_EQ(Stored(Sensor(1), 0), DOC_NO_VALUE);
    // The second bar of each card starts nothing.
    EXPECT_EQ(m_doc.m_timing.m_timers.GetCount(), 0);
    EXPECT_EQ(m_doc.m_timing.m_cardCount[0], 0);
}

TEST_F(TimingRun, AccelerationOnAFourBarCard)
{
    Start(MEASUREMENT_ACCELERATION, 4);
    EXPECT_EQ(m_doc.m_timing.m_eventsNeeded, 3);
    EXPECT_EQ(m_doc.m_timing.m_distance, 5.0);
    // Leading edges 100, 200 and 50 ms apart.
    Event(10, 1);
    Event(30, 0);
    Event(70, 1);
    Event(30, 0);
    Event(170, 1);
    Event(20, 0);
    Event(30, 1);
    EXPECT_EQ(m_doc.m_data.m_records, 1);
    Event(20, 0);
    const float u = float(5.0 / 0.1 / 100.0);
    const float w = float(5.0 / 0.05 / 100.0);
    const float c = float(0.5 * 0.1 + 0.2 + 0.5 * 0.05);
    EXPECT_FLOAT_EQ(u, 0.5f);
    EXPECT_FLOAT_EQ(w, 1.0f);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), (w - u) / c);
    EXPECT_NEAR(Stored(Sensor(0), 0), 1.818f, 0.001f);
    EXPECT_EQ(m_doc.m_data.m_records, 1);
    EXPECT_EQ(m_doc.m_timing.m_timers.GetCount(), 0);
}

TEST_F(TimingRun, PendulumPeriodFromMiddleToMiddle)
{
    Start(MEASUREMENT_SHM_PERIOD, 1);
    EXPECT_EQ(m_doc.m_timing.m_eventsNeeded, 5);
    // Passages of 10 ticks, 40 ticks apart: 5 + 40 + 10 + 40 + 5.
    Event(5, 1);
    Event(10, 0);
    Event(40, 1);
    Event(10, 0);
    Event(40, 1);
    // The fourth event, unclaimed, started the next period.
    EXPECT_EQ(m_doc.m_timing.m_timers.GetCount(), 2);
    Event(10, 0);
    ASSERT_EQ(m_doc.m_data.m_records, 1);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), float(100 / 1000.0));
    ASSERT_EQ(m_doc.m_timing.m_timers.GetCount(), 1);
    EXPECT_EQ(m_doc.m_timing.m_timers.GetAt(0)->m_count, 1);
}

TEST_F(TimingRun, TheFirstEventOnlySetsTheReference)
{
    ASSERT_EQ(m_doc.StartNew(), DOC_RESULT_DONE);
    Event(0, 1); // a leading edge of a gate blocked at the start
    EXPECT_EQ(m_doc.m_timing.m_stateStart, 1);
    EXPECT_EQ(m_doc.m_timing.m_timers.GetCount(), 0);
    EXPECT_FALSE(m_doc.m_timing.m_waitingForStart);
    // Unblocking it is a leading edge now.
    Event(10, 0);
    EXPECT_EQ(m_doc.m_timing.m_timers.GetCount(), 1);
}

TEST_F(TimingRun, AtEachSensorWaitsForEveryInput)
{
    Start(MEASUREMENT_TIME_DIFFERENCE, 1, TIMING_SENSOR_EACH);
    Pass(0, 10, 120);
    const CdocData& data = m_doc.m_data;
    EXPECT_EQ(data.m_records, 1);
    EXPECT_EQ(data.m_logNext, 0);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), 0.12f);
    EXPECT_EQ(Stored(Sensor(1), 0), DOC_NO_VALUE);
    // A second result of input 0 waits for the next row.
    Pass(0, 10, 300);
    EXPECT_EQ(data.m_logNext, 0);
    Pass(1, 10, 250);
    EXPECT_EQ(data.m_logNext, 1);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), 0.12f);
    EXPECT_FLOAT_EQ(Stored(Sensor(1), 0), 0.25f);
    Pass(1, 10, 70);
    EXPECT_EQ(data.m_logNext, 2);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 1), 0.3f);
    EXPECT_FLOAT_EQ(Stored(Sensor(1), 1), 0.07f);
}

TEST_F(TimingRun, AtAnySensorOneResultPerInputAndRow)
{
    Start(MEASUREMENT_TIME_DIFFERENCE, 1, TIMING_SENSOR_ANY);
    Pass(0, 10, 120);
    Pass(0, 10, 30);
    Pass(1, 10, 40);
    const CdocData& data = m_doc.m_data;
    ASSERT_EQ(data.m_records, 3);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), 0.12f);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 1), 0.03f);
    EXPECT_EQ(Stored(Sensor(1), 1), DOC_NO_VALUE);
    EXPECT_EQ(Stored(Sensor(0), 2), DOC_NO_VALUE);
    EXPECT_FLOAT_EQ(Stored(Sensor(1), 2), 0.04f);
    // The reading-number channel counts the rows.
    CdocFieldKey key;
    ASSERT_TRUE(data.m_fields.FindContent(key, 0, CONTENT_READING));
    EXPECT_EQ(key.m_field->m_samples[2], 3.0f);
}

TEST_F(TimingRun, BetweenSensorsOneChannelOnTheFirstInput)
{
    Start(MEASUREMENT_SPEED, 1, TIMING_SENSOR_FROM_TO);
    EXPECT_NE(Sensor(0), nullptr);
    EXPECT_EQ(Sensor(1), nullptr);
    EXPECT_EQ(m_doc.m_timing.m_singleSocket, 0);
    EXPECT_EQ(m_doc.m_timing.m_distance, double(40.0f));
    Event(10, 1);
    Event(20, 0);
    Event(380, 2); // input 1 leading 400 ms after input 0
    Event(20, 0);
    ASSERT_EQ(m_doc.m_data.m_records, 1);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), float(40.0 / 0.4 / 100.0));
    // Input 1's edge was taken: it started nothing.
    EXPECT_EQ(m_doc.m_timing.m_timers.GetCount(), 0);
}

TEST_F(TimingRun, KineticEnergyAndMomentumUseTheInputsMass)
{
    const struct
    {
        int measurement;
        int input;
        float expected;
    } cases[] = {
        {MEASUREMENT_KINETIC_ENERGY, 0, float(0.5 * 0.25 * 0.25 * 2.0)},
        {MEASUREMENT_KINETIC_ENERGY, 1, float(0.5 * 0.25 * 0.25 * 3.0)},
        {MEASUREMENT_MOMENTUM, 1, 3.0f * 0.25f},
    };
    for (const auto& c : cases) {
        m_doc.m_data.SetRecords(0);
        m_doc.m_state = DOC_STATE_READY;
        Start(c.measurement, 1, TIMING_SENSOR_ANY);
        Pass(c.input, 10, 100); // 2.5 cm in 100 ms
        ASSERT_EQ(m_doc.m_data.m_records, 1);
        EXPECT_FLOAT_EQ(Stored(Sensor(c.input), 0), c.expected) << c.measurement << " " << c.input;
    }
    // Input 2 and beyond take the third mass.
    CdocTimer timer;
    timer.m_input = 2;
    timer.m_count = 1;
    timer.m_times[0] = 100;
    EXPECT_FLOAT_EQ(m_doc.m_timing.CalculateResult(&timer), 5.0f * 0.25f);
}

TEST_F(TimingRun, ResultsWithoutATimeGiveNoValue)
{
    Start(MEASUREMENT_ACCELERATION, 2);
    CdocTimer timer;
    timer.m_count = 3;
    EXPECT_EQ(m_doc.m_timing.CalculateResult(&timer), DOC_NO_VALUE); // x = 0
    EXPECT_EQ(m_doc.m_timing.CalculateResult(nullptr), DOC_NO_VALUE);
    m_doc.m_setup.m_measurement = MEASUREMENT_SPEED;
    EXPECT_EQ(m_doc.m_timing.CalculateResult(&timer), DOC_NO_VALUE);
}

TEST_F(TimingRun, ManualCalculationStoresTheRawTimes)
{
    m_doc.m_setup.m_manualCalculation = true;
    Start(MEASUREMENT_ACCELERATION, 2);
    EXPECT_EQ(Sensor(0), nullptr);
    EXPECT_EQ(Sensor(1), nullptr);
    ASSERT_NE(Timing(0), nullptr);
    ASSERT_NE(Timing(1), nullptr);
    ASSERT_NE(Timing(2), nullptr);
    // Trailing, leading, trailing edges of a two-bar card.
    Event(10, 1);
    Event(20, 0);
    Event(100, 1);
    Event(30, 0);
    ASSERT_EQ(m_doc.m_data.m_records, 1);
    EXPECT_FLOAT_EQ(Stored(Timing(0), 0), 0.02f);
    EXPECT_FLOAT_EQ(Stored(Timing(1), 0), 0.1f);
    EXPECT_FLOAT_EQ(Stored(Timing(2), 0), 0.03f);

    m_doc.m_data.SetRecords(0);
    m_doc.m_state = DOC_STATE_READY;
    Start(MEASUREMENT_SPEED, 1);
    ASSERT_NE(Timing(0), nullptr);
    Pass(0, 10, 40);
    ASSERT_EQ(m_doc.m_data.m_records, 1);
    EXPECT_FLOAT_EQ(Stored(Timing(0), 0), 0.04f);
}

TEST_F(TimingRun, SensorChannelsFollowTheTimingInputs)
{
    m_doc.m_boxInfo.m_boxTimingIdentify = 0x7;
    Start(MEASUREMENT_TIME_DIFFERENCE, 1, TIMING_SENSOR_ANY);
    EXPECT_NE(Sensor(0), nullptr);
    EXPECT_NE(Sensor(1), nullptr);
    EXPECT_NE(Sensor(2), nullptr);
    EXPECT_EQ(Sensor(3), nullptr);
    EXPECT_EQ(m_doc.m_timing.m_singleSocket, 2);
    EXPECT_EQ(Sensor(0)->m_measurement, MEASUREMENT_TIME_DIFFERENCE);
}

TEST_F(TimingRun, ValueTextsWhileRunningAndComplete)
{
    Start(MEASUREMENT_SPEED, 1);
    Event(10, 1);
    CdocTiming& timing = m_doc.m_timing;
    timing.SetPending(250);
    float value = 0.0f;
    wxString text, unit;
    ASSERT_TRUE(timing.GetValueText(*Sensor(0), value, text, unit));
    EXPECT_FLOAT_EQ(value, 0.25f);
    EXPECT_EQ(text, "0.25");
    EXPECT_EQ(unit, "s");
    EXPECT_FALSE(timing.GetValueText(*Sensor(1), value, text, unit));
    // A complete measurement shows its result in the channel's own terms.
    CdocTimer* timer = timing.m_timers.GetAt(0);
    timer->m_count = 1;
    timer->m_times[0] = 100;
    ASSERT_TRUE(timing.GetValueText(*Sensor(0), value, text, unit));
    EXPECT_FLOAT_EQ(value, 0.25f);
    EXPECT_EQ(text, Sensor(0)->GetValueText(-1, 0.25f));
    EXPECT_EQ(unit, Sensor(0)->m_unit);
}

TEST_F(TimingRun, RawTimeTextsBeforeTheTimeIsKnown)
{
    m_doc.m_setup.m_manualCalculation = true;
    Start(MEASUREMENT_ACCELERATION, 2);
    CdocTiming& timing = m_doc.m_timing;
    float value = 0.0f;
    wxString text, unit;
    EXPECT_FALSE(timing.GetValueText(*Timing(0), value, text, unit));
    Event(10, 1);
    timing.SetPending(120);
    ASSERT_TRUE(timing.GetValueText(*Timing(0), value, text, unit));
    EXPECT_FLOAT_EQ(value, 0.12f);
    EXPECT_EQ(text, "0.12");
    ASSERT_TRUE(timing.GetValueText(*Timing(1), value, text, unit));
    EXPECT_EQ(value, DOC_NO_VALUE);
    EXPECT_EQ(text, gumGetString(2448));
    EXPECT_EQ(unit, Timing(1)->m_unit);
}

// Events through the logger manager's queue; a full store ends the run.
TEST_F(TimingRun, TheTickTakesQueuedEventsAndStopsWhenFull)
{
    Start(MEASUREMENT_TIME_DIFFERENCE, 1, TIMING_SENSOR_ANY);
    m_doc.m_timing.Reset();
    m_doc.m_data.m_maxRecords = 2;
    const CxutTimerEvent events[] = {{1, 0}, {10, 1}, {50, 0}, {10, 2}, {70, 0}, {10, 1}, {90, 0}};
    ASSERT_TRUE(m_boxes.m_box.m_timing.Put({25, 0}, events, 7));
    m_doc.m_timing.Tick();
    EXPECT_EQ(m_doc.m_data.m_records, 2);
    EXPECT_FLOAT_EQ(Stored(Sensor(0), 0), 0.05f);
    EXPECT_FLOAT_EQ(Stored(Sensor(1), 1), 0.07f);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_timing.m_nextDelta, 25);
    EXPECT_GE(m_owner.Count(HINT_NEW_DATA), 1);
}

// An overlaid run keeps the earlier results as stored copies in front of
// the result channels, which take fresh colours.
TEST_F(TimingRun, OverlayKeepsTheEarlierResults)
{
    Start(MEASUREMENT_TIME_DIFFERENCE, 1);
    Pass(0, 10, 120);
    Pass(1, 10, 40);
    m_doc.StopRun();
    ASSERT_EQ(m_doc.m_data.m_records, 2);
    m_doc.m_overlay = true;
    ASSERT_EQ(m_doc.StartOverlaid(), DOC_RESULT_DONE);
    const CdocFieldV& fields = m_doc.m_data.m_fields;
    ASSERT_EQ(fields.GetCount(), 5);
    const CdocField& copy0 = *fields.GetAt(1);
    const CdocField& copy1 = *fields.GetAt(2);
    EXPECT_EQ(copy0.m_content, CONTENT_STORED_SENSOR);
    EXPECT_EQ(copy1.m_content, CONTENT_STORED_SENSOR);
    EXPECT_FLOAT_EQ(copy0.m_samples[0], 0.12f);
    EXPECT_FLOAT_EQ(copy1.m_samples[1], 0.04f);
    EXPECT_EQ(fields.IndexOf(Sensor(0)), 3);
    EXPECT_EQ(fields.IndexOf(Sensor(1)), 4);
    EXPECT_NE(Sensor(0)->m_colour, copy0.m_colour);
    EXPECT_EQ(m_doc.m_data.m_logNext, 0);
    EXPECT_EQ(m_doc.m_data.m_records, 2);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    // The new run writes over the rows from the first.
    Event(0, 0);
    Pass(1, 10, 90);
    EXPECT_FLOAT_EQ(Stored(Sensor(1), 0), 0.09f);
    EXPECT_FLOAT_EQ(copy0.m_samples[0], 0.12f);
}

TEST_F(TimingRun, OverlayWithoutRoomForTheCopiesDoesNotStart)
{
    Start(MEASUREMENT_TIME_DIFFERENCE, 1);
    Pass(0, 10, 120);
    Pass(1, 10, 40);
    m_doc.StopRun();
    ASSERT_EQ(m_doc.m_data.m_fields.GetCount(), 3);
    ASSERT_TRUE(m_doc.m_data.AddFields(16)); // 19 channels; two would be copied
    m_doc.m_overlay = true;
    EXPECT_EQ(m_doc.StartOverlaid(), DOC_RESULT_CANNOT_KEEP);
    ASSERT_EQ(m_boxesShown.m_calls.size(), 1u);
    EXPECT_EQ(m_boxesShown.m_calls[0].text, gumGetString(872));
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_fields.GetCount(), 19);
}

TEST_F(TimingRun, ReplacingAfterTheDiscardQuestion)
{
    Start(MEASUREMENT_TIME_DIFFERENCE, 1);
    Pass(0, 10, 120);
    m_doc.StopRun();
    m_doc.m_overlay = false;
    ASSERT_EQ(m_doc.StartContinue(), DOC_RESULT_DONE);
    EXPECT_EQ(m_doc.m_data.m_fields.GetCount(), 3);
    EXPECT_EQ(m_doc.m_data.m_logNext, 0);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
}
