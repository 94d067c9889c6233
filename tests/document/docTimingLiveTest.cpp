// Test label: threads
// A timing run with the simulated logger end to end, without a display: the
// logger threads, the document and a main loop of our own that delivers the
// threads' events and calls the 100 ms tick.
#include "document/testLiveDoc.h"

namespace {

class TimingLiveRun : public qvtest::CtestLiveDoc<>
{
};

} // namespace

// The simulated logger blocks gate 1 and then gate 2 once a cycle; each
// blocking lasts one event of at most 8160 ticks of 32 microseconds.
TEST_F(TimingLiveRun, TimesOfGateBlockingsAreStored)
{
    CxhwSetup& setup = m_doc.m_setup;
    setup.SetLogType(m_doc, SETUP_LOG_TIMING);
    setup.SetMeasurement(m_doc, MEASUREMENT_TIME_DIFFERENCE);
    setup.SetBars(m_doc, 1);
    setup.SetTimingSensor(m_doc, TIMING_SENSOR_ANY);
    ASSERT_EQ(m_doc.ApplySetup(), DOC_RESULT_DONE);
    ASSERT_EQ(m_doc.m_activity, ACTIVITY_TIMING);
    ASSERT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    RunUntil([this] { return m_doc.m_data.m_records >= 2; });
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    const CdocData& data = m_doc.m_data;
    ASSERT_GE(data.m_records, 2);
    EXPECT_EQ(data.m_logType, ACTIVITY_TIMING);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);
    const double tickRate = m_doc.m_boxInfo.m_boxTimingTicksPerSecond;
    ASSERT_GT(tickRate, 0.0);
    const float longest = float(8160.0 / tickRate);
    CdocFieldKey keys[2];
    ASSERT_TRUE(data.m_fields.FindSensor(keys[0], 0));
    ASSERT_TRUE(data.m_fields.FindSensor(keys[1], 1));
    int results[2] = {0, 0};
    for (int row = 0; row < data.m_records; ++row) {
        int inRow = 0;
        for (int input = 0; input < 2; ++input) {
            const float t = keys[input].m_field->m_samples[row];
            if (t == DOC_NO_VALUE)
                continue;
            ++inRow;
            ++results[input];
            EXPECT_GE(t, 0.0f) << row;
            EXPECT_LE(t, longest) << row;
        }
        EXPECT_EQ(inRow, 1) << row; // the gates are blocked one after the other
    }
    EXPECT_GE(results[0], 1);
    EXPECT_GE(results[1], 1);
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
}
