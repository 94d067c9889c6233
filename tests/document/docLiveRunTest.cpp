// Test label: threads
// Runs with the simulated logger end to end, without a display: the two
// logger threads, the document and a main loop of our own that delivers the
// threads' events and calls the 100 ms tick.
#include "document/testLiveDoc.h"

namespace {

class LiveRun : public qvtest::CtestLiveDoc<>
{
protected:
    CdocField* Sensor(int n)
    {
        CdocFieldKey key;
        return m_doc.m_data.m_fields.GetSensor(key, n) ? key.m_field : nullptr;
    }

    // Every stored value of every sensor channel lies in its sensor's range.
    void ExpectValuesInRange()
    {
        const CdocData& data = m_doc.m_data;
        for (int n = 0; n < 4; ++n) {
            const CdocField* field = Sensor(n);
            ASSERT_NE(field, nullptr) << n;
            const CxhwSenCalib& calib = field->m_fieldSensor.m_calib;
            const float low = std::min(calib.m_calMin, calib.m_calMax);
            const float high = std::max(calib.m_calMin, calib.m_calMax);
            for (int i = 0; i < data.m_records; ++i) {
                const float x = field->m_samples[i];
                ASSERT_NE(x, DOC_NO_VALUE) << field->m_name << " " << i;
                ASSERT_GE(x, low) << field->m_name << " " << i;
                ASSERT_LE(x, high) << field->m_name << " " << i;
            }
        }
    }
};

} // namespace

// The simulated logger's sensors take their inputs' colours, or the
// high-contrast list's first colours; the time channels are black.
TEST_F(LiveRun, ChannelsTakeTheLoggersColours)
{
    CdocFieldKey key;
    ASSERT_TRUE(m_doc.m_data.m_fields.FindContent(key, 0, CONTENT_READING));
    EXPECT_EQ(key.m_field->m_colour, CdocColour(0, 0, 0));
    ASSERT_TRUE(m_doc.m_data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME));
    EXPECT_EQ(key.m_field->m_colour, CdocColour(0, 0, 0));
    const CdocColour standard[] = {{255, 0, 0}, {0, 224, 0}, {0, 0, 255}, {224, 224, 0}};
    const CdocColour contrast[] = {{255, 0, 0}, {0, 192, 0}, {0, 0, 255}, {255, 128, 0}};
    for (int n = 0; n < 4; ++n) {
        ASSERT_NE(Sensor(n), nullptr) << n;
        EXPECT_EQ(Sensor(n)->m_colour, standard[n]) << n;
    }
    m_doc.m_data.SetColourScheme(1);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(Sensor(n)->m_colour, contrast[n]) << n;
    ASSERT_TRUE(m_doc.m_data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME));
    EXPECT_EQ(key.m_field->m_colour, CdocColour(0, 0, 0));
}

TEST_F(LiveRun, AutoLogRecordsAtTheLoggersInterval)
{
    ASSERT_EQ(m_doc.m_data.m_fields.GetCount(), 6); // reading, time, four sensors
    // The readings keep coming, and never faster than the interval: the
    // logger's clock starts after the watch.
    CzxStopWatch watch;
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    ASSERT_TRUE(RunUntil([this] { return m_doc.m_data.m_records >= 41; }));
    m_doc.Stop();
    const long ms = watch.Time();
    const CdocData& data = m_doc.m_data;
    EXPECT_DOUBLE_EQ(data.m_interval, 0.05);
    EXPECT_GE(ms, (data.m_records - 1) * 50L);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);
    ExpectValuesInRange();
    CdocFieldKey key;
    ASSERT_TRUE(data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME));
    const CdocField& time = *key.m_field;
    for (int i = 0; i < data.m_records; ++i)
        ASSERT_NEAR((time.m_samples[i] - time.m_offset) / time.m_gain, i * 0.05, 1e-4) << i;
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
}

TEST_F(LiveRun, PeriodicStopsAtItsReadingsCount)
{
    m_doc.SetActivity(ACTIVITY_PERIODIC);
    m_doc.m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_doc.m_setup.m_readings = 21;
    m_doc.m_setup.m_period = 0.05;
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    RunUntil([this] { return m_doc.m_state != DOC_STATE_RUNNING; });
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_records, 21);
    ExpectValuesInRange();
}

TEST_F(LiveRun, SnapshotStoresOneRecordPerStore)
{
    m_doc.SetActivity(ACTIVITY_SNAPSHOT);
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    for (int store = 1; store <= 3; ++store) {
        ASSERT_TRUE(RunTicks(3));
        EXPECT_EQ(m_doc.Store(), DOC_RESULT_DONE);
        EXPECT_EQ(m_doc.m_data.m_records, store);
    }
    ASSERT_TRUE(RunTicks(3)); // ticks without a store add nothing
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_data.m_records, 3);
    ExpectValuesInRange();
}

TEST_F(LiveRun, LinkLossKeepsTheReadings)
{
    CzxStopWatch watch;
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    ASSERT_TRUE(RunUntil([this] { return m_doc.m_data.m_records > 5; }));
    const int before = m_doc.m_data.m_records;
    xhwSimulatedSetLinkBroken(true);
    ASSERT_TRUE(RunUntil([this] { return m_doc.m_state != DOC_STATE_RUNNING; }));
    const long ms = watch.Time();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_GE(m_doc.m_data.m_records, before);
    // No readings made up after the loss: none beyond the interval's grid
    // up to the stop.
    EXPECT_LE((m_doc.m_data.m_records - 1) * 50L, ms);
    ExpectValuesInRange();
    ASSERT_EQ(m_boxesShown.m_calls.size(), 1u);
    EXPECT_EQ(m_boxesShown.m_calls[0].text, "Link to logger broken");
}
