// A whole store: 20 channels of 20001 records through the logging step and the
// range upkeep. Run under the address sanitizer (QV_SANITIZE) it also shows
// that nothing is written outside the sample arrays and nothing leaks.
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>

using qvtest::DataTest;
using qvtest::MakeSensor;

TEST_F(DataTest, TwentyChannelsFillTheWholeStore)
{
    for (int i = 0; i < 6; ++i)
        m_doc.m_boxInfo.m_sensors[i] = MakeSensor(10 + i, 2, 70000.0f, 0.0f);
    m_doc.m_boxInfo.m_sensors[5] = MakeSensor(40, 1, 1000000.0f, 0.0f); // a counter
    m_doc.m_boxInfo.m_info.m_maxSensors = 6;
    CdocData& data = Data();
    data.m_maxRecords = DOC_MAX_SAMPLES;
    ASSERT_TRUE(data.AddTimeField(true, false));
    ASSERT_TRUE(data.SyncSensorFields(false, true, -1, -1));
    while (Fields().GetCount() < DOC_MAX_FIELDS) {
        CdocFieldKey key;
        ASSERT_TRUE(data.AddManualField(&key));
        Fields().Find(key)->m_manual = float(key.m_index);
    }
    ASSERT_EQ(Fields().GetCount(), 20);
    CdocField& time = At(0);
    ASSERT_EQ(time.m_content, CONTENT_ELAPSED_TIME);
    time.m_now.m_max = 1.0f;

    m_doc.m_state = DOC_STATE_RUNNING;
    data.InitCurrentValues();
    m_owner.m_hints.clear();
    int grown = 0;
    for (int n = 0; n < DOC_MAX_SAMPLES; ++n) {
        const int raw[DOC_RAW_VALUES] = {n, n / 2, 65535 - (n % 65536), n % 7, 30000, 1};
        ASSERT_TRUE(data.SetCurrentValues(raw, true, n == 0)) << n;
        grown += time.GrowRangeToSample(n);
        for (int i = 1; i < DOC_MAX_FIELDS; i += 5)
            At(i).StepZoomToData();
    }
    EXPECT_EQ(data.m_records, DOC_MAX_SAMPLES);
    EXPECT_EQ(data.m_logNext, DOC_MAX_SAMPLES);
    EXPECT_EQ(m_owner.Count(HINT_TABLE_MESSAGE), DOC_MAX_SAMPLES);
    EXPECT_EQ(m_owner.Count(HINT_SAMPLE_UPDATED), DOC_MAX_SAMPLES);
    EXPECT_GT(grown, 0);
    EXPECT_GE(time.m_now.m_max, time.m_samples[20000]);

    // The store is full: the next step refuses and changes nothing.
    const int raw[DOC_RAW_VALUES] = {1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(data.SetCurrentValues(raw, true, false));
    EXPECT_EQ(data.m_records, DOC_MAX_SAMPLES);

    CdocFieldKey key;
    ASSERT_TRUE(Fields().FindSensor(key, 0));
    EXPECT_EQ(key.m_field->m_dataRange, CxhwMinMax(20000.0f, 0.0f));
    EXPECT_EQ(key.m_field->UpdateDataRange(), DOC_MAX_SAMPLES);
    ASSERT_TRUE(Fields().FindSensor(key, 5));
    EXPECT_EQ(key.m_field->m_samples[20000], 20001.0f); // one count per reading
    EXPECT_EQ(At(19).m_samples[12345], 19.0f);
    EXPECT_NEAR(time.m_samples[20000], 2000.0f * time.m_gain, 0.001f); // in minutes

    for (int i = 0; i < DOC_MAX_FIELDS; ++i) {
        CdocField& f = At(i);
        f.ClearUnusedSamples();
        f.ZoomToData();
        f.CheckRanges();
        f.ClearRunSamples();
        EXPECT_TRUE(f.m_dataRange.IsSet()) << i;
    }
    data.Clear();
    EXPECT_EQ(Fields().GetCount(), 0);
}
