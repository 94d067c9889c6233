#include "data/dataTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

using qvtest::DataTest;
using qvtest::MakeSensor;

namespace {

using Messages = std::vector<std::vector<int>>;

class DataStore : public DataTest
{
protected:
    CdocField& Add(int content)
    {
        const int position = Fields().Add(1);
        EXPECT_GE(position, 0);
        CdocField& f = At(position);
        switch (content) {
        case CONTENT_READING: f.InitReading(10.0f, 10.0f, 10.0f); break;
        case CONTENT_ELAPSED_TIME: f.InitElapsedTime(); break;
        case CONTENT_MANUAL: f.InitManual(); break;
        case CONTENT_FORMULA: f.InitFormula(); break;
        default: f.InitEmpty(); f.m_content = content; break;
        }
        return f;
    }

    // A counting sensor on input 0 (classic type 1) with a calibration maximum.
    CdocField& AddCounter(float calMax)
    {
        const int position = Fields().Add(1);
        CdocField& f = At(position);
        f.InitSensor(0, MakeSensor(40, 1, calMax, 0.0f));
        EXPECT_TRUE(f.m_fieldSensor.IsCounter());
        return f;
    }

    bool Step(int raw0, bool store = false, bool restart = false)
    {
        int raw[DOC_RAW_VALUES] = {raw0, 0x20000, 0x20000, 0x20000, 0x20000, 0x20000};
        return Data().SetCurrentValues(raw, store, restart);
    }
};

} // namespace

TEST_F(DataStore, NewStore)
{
    const CdocData& d = Data();
    EXPECT_EQ(d.m_interval, double(0.1f));
    EXPECT_NEAR(d.m_interval, 0.100000001490116, 1e-15);
    EXPECT_EQ(d.m_maxRecords, 1001);
    EXPECT_EQ(d.m_logSkip, 1);
    EXPECT_EQ(d.m_logPeriod, d.m_interval);
    EXPECT_EQ(d.m_horizontalAccuracy, -1.0);
    EXPECT_EQ(d.m_verticalAccuracy, -1.0);
    EXPECT_EQ(d.m_records, 0);
    EXPECT_EQ(d.m_logNext, 0);
    EXPECT_EQ(d.m_logType, 0);
    EXPECT_EQ(d.m_dataSource, 0);
    EXPECT_EQ(d.m_startTime, 0);
    EXPECT_EQ(d.m_fields.GetCount(), 0);
    EXPECT_FALSE(d.HasMarks());
    EXPECT_EQ(d.m_doc, &m_doc);
}

TEST_F(DataStore, SetRecordsPostsRowChanges)
{
    struct Case
    {
        int from, to;
        Messages messages;
    };
    const Case cases[] = {
        {10, 10, {}},
        {10, 4, {{2004, 4, 6}}},
        {4, 10, {{2003, 6, 0}}},
        {5, 30000, {{2003, 20001 - 5, 0}}}, // a count from a file is clamped
        {5, -3, {{2004, 0, 5}}},
    };
    for (const Case& c : cases) {
        Data().m_records = c.from;
        m_owner.m_hints.clear();
        Data().SetRecords(c.to);
        EXPECT_EQ(m_owner.TableMessages(), c.messages) << c.from << " to " << c.to;
    }
}

TEST_F(DataStore, ClearKeepsLogNext)
{
    Data().m_logNext = 7;
    Data().Clear();
    EXPECT_TRUE(m_owner.m_hints.empty());
    EXPECT_EQ(Data().m_logNext, 7);

    Add(CONTENT_MANUAL);
    Add(CONTENT_MANUAL);
    Data().m_records = 3;
    Data().m_marks[1] = 1;
    Data().m_maxRecords = 20001;
    Data().m_interval = 2.0;
    EXPECT_TRUE(Data().HasMarks());
    Data().Clear();
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2004, 0, 3}, {2007, 0, 2}}));
    EXPECT_EQ(Data().m_records, 0);
    EXPECT_EQ(Fields().GetCount(), 0);
    EXPECT_EQ(Data().m_maxRecords, 1001);
    EXPECT_EQ(Data().m_interval, double(0.1f));
    EXPECT_EQ(Data().m_marks[1], 0);
}

TEST_F(DataStore, StoreWritesLogNextAndGrowsTheTable)
{
    CdocField& manual = Add(CONTENT_MANUAL);
    Data().m_records = 5;
    Data().m_logNext = 7;
    manual.m_current = 2.5f;
    ASSERT_TRUE(Data().StoreCurrentValues());
    EXPECT_EQ(manual.m_samples[7], 2.5f);
    EXPECT_EQ(manual.m_unsmoothed[7], 2.5f);
    EXPECT_EQ(manual.m_dataRange, CxhwMinMax(2.5f, 2.5f));
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2003, 1, 0}, {2003, 1, 0}, {2003, 1, 0}}));
    EXPECT_EQ(Data().m_records, 8);
    EXPECT_EQ(Data().m_logNext, 8);
    ASSERT_EQ(m_owner.Count(HINT_SAMPLE_UPDATED), 1);
    EXPECT_EQ(m_owner.m_hints.back().code, HINT_SAMPLE_UPDATED);
    EXPECT_EQ(m_owner.m_hints.back().row, 7);
    EXPECT_EQ(m_owner.m_modified, 1);
    EXPECT_EQ(m_doc.m_autoScrollPending, 7);

    // A non-finite current value is stored as no value.
    manual.m_current = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(Data().StoreCurrentValues());
    EXPECT_EQ(manual.m_samples[8], DOC_NO_VALUE);
    EXPECT_EQ(manual.m_dataRange, CxhwMinMax(2.5f, 2.5f));
}

TEST_F(DataStore, StoreRefusesBeyondTheSamples)
{
    CdocField& manual = Add(CONTENT_MANUAL);
    manual.m_current = 1.0f;
    for (int logNext : {20001, 20002, 1000000, -1}) {
        Data().m_logNext = logNext;
        Data().m_records = 20001;
        m_owner.m_hints.clear();
        EXPECT_FALSE(Data().StoreCurrentValues()) << logNext;
        EXPECT_FALSE(Step(0x20000, true)) << logNext;
        EXPECT_EQ(Data().m_logNext, logNext);
        EXPECT_EQ(Data().m_records, 20001);
        EXPECT_TRUE(m_owner.m_hints.empty());
    }
    manual.m_current = 1.0f;
    Data().m_logNext = 20000;
    EXPECT_TRUE(Data().StoreCurrentValues());
    EXPECT_EQ(manual.m_samples[20000], 1.0f);
    EXPECT_EQ(Data().m_logNext, 20001);
    EXPECT_FALSE(Data().StoreCurrentValues());

    // A record count read from a file beyond the capacity is clamped first.
    Data().m_records = 50000;
    Data().m_logNext = 3;
    EXPECT_TRUE(Data().StoreCurrentValues());
    EXPECT_EQ(Data().m_records, 20001);
}

TEST_F(DataStore, ReadingAndTimeChannels)
{
    CdocField& reading = Add(CONTENT_READING);
    CdocField& time = Add(CONTENT_ELAPSED_TIME);
    reading.m_gain = 2.0f;
    reading.m_offset = 0.5f;
    time.m_offset = 0.25f;

    // While ready: the reading channel shows the offset, and so does time at LogNext 0.
    Data().m_logNext = 0;
    Step(0x20000);
    EXPECT_EQ(reading.m_current, 0.5f);
    EXPECT_EQ(time.m_current, 0.25f);
    Data().m_logNext = 4;
    Step(0x20000);
    EXPECT_EQ(reading.m_current, 0.5f);

    m_doc.m_state = DOC_STATE_RUNNING;
    Step(0x20000);
    EXPECT_EQ(reading.m_current, 5.0f * 2.0f + 0.5f);

    time.m_offset = 0.0f;
    Data().m_interval = 2.0;
    Data().UpdateLogSkip();
    Data().m_logNext = 3;
    Data().m_logCount = 5;
    Step(0x20000);
    EXPECT_FLOAT_EQ(time.m_current, 4.5f);
    Data().m_logCount = 0;
    Step(0x20000);
    EXPECT_EQ(time.m_current, 6.0f);
}

TEST_F(DataStore, LogSkip)
{
    struct Case
    {
        double interval;
        int skip;
        double period;
    };
    const Case cases[] = {{2.0, 20, 0.1},  {0.25, 1, 0.25},  {0.0, 1, 0.1},      {0.5, 5, 0.1},
                          {60.0, 600, 0.1}, {-3.0, 1, 0.1}, {std::numeric_limits<double>::quiet_NaN(), 1, 0.1},
                          {1e30, 1073741823, 0.1}};
    for (const Case& c : cases) {
        Data().m_interval = c.interval;
        Data().UpdateLogSkip();
        EXPECT_EQ(Data().m_logSkip, c.skip) << c.interval;
        EXPECT_EQ(Data().m_logPeriod, c.period) << c.interval;
    }
}

TEST_F(DataStore, CountingSensor)
{
    CdocField& counter = AddCounter(100.0f);
    counter.m_gain = 2.0f;
    m_doc.m_state = DOC_STATE_RUNNING;
    Data().InitCurrentValues();
    EXPECT_EQ(counter.m_counter, 0x20000);
    EXPECT_EQ(counter.m_current, DOC_NO_VALUE);

    struct StepCase
    {
        int raw;
        bool restart;
        int counter;
        float current;
    };
    const StepCase steps[] = {
        {7, false, 7, 14.0f},       // the first count replaces "no count yet"
        {5, false, 12, 24.0f},      // counts add up
        {0x10000, false, 12, 24.0f}, // no reading: no change
        {0x20000, false, 12, 24.0f},
        {-4, false, 12, 24.0f},     // a raw count below 0 is no count
        {3, true, 3, 6.0f},         // a restart takes the count as it is
    };
    for (const StepCase& s : steps) {
        Step(s.raw, false, s.restart);
        EXPECT_EQ(counter.m_counter, s.counter) << s.raw;
        EXPECT_EQ(counter.m_current, s.current) << s.raw;
    }
    // A counter read back from a file out of range starts again from the count.
    counter.m_counter = INT_MIN;
    Step(9);
    EXPECT_EQ(counter.m_counter, 9);
}

TEST_F(DataStore, CountingSensorWhileReadyShowsTheModulus)
{
    struct Case
    {
        float calMax;
        int raw;
        int counter;
    };
    const Case cases[] = {
        {100.0f, 250, 50}, {99.6f, 250, 50}, {9.4f, 23, 5},
        // A maximum that rounds below 1 gives no modulus rather than a division by zero.
        {0.4f, 23, 23}, {0.0f, 23, 23}, {-5.0f, 23, 23}, {std::numeric_limits<float>::quiet_NaN(), 23, 23},
        {3.0e38f, 23, 23},
    };
    for (const Case& c : cases) {
        Fields().Clear();
        CdocField& counter = AddCounter(c.calMax);
        Step(c.raw);
        EXPECT_EQ(counter.m_counter, c.counter) << c.calMax;
        EXPECT_EQ(counter.m_current, float(c.counter)) << c.calMax;
    }
}

TEST_F(DataStore, SensorValuesAndInputs)
{
    const int position = Fields().Add(2);
    CdocField& volts = At(position - 1);
    volts.InitSensor(2, MakeSensor(12, 2));
    volts.m_gain = 0.5f;
    volts.m_offset = 1.0f;
    CdocField& stray = At(position);
    stray.InitSensor(1, MakeSensor(12, 2));
    stray.m_socket = 6;
    int raw[DOC_RAW_VALUES] = {0, 0, 100, 0, 0, 0};
    Data().SetCurrentValues(raw, false, false);
    EXPECT_EQ(volts.m_current, 51.0f);
    EXPECT_EQ(stray.m_current, DOC_NO_VALUE);
    raw[2] = 0x20000;
    Data().SetCurrentValues(raw, false, false);
    EXPECT_EQ(volts.m_current, DOC_NO_VALUE); // no gain or offset on no value
    volts.m_gain = 3.0e38f;
    raw[2] = 1000;
    Data().SetCurrentValues(raw, false, false);
    EXPECT_EQ(volts.m_current, DOC_NO_VALUE); // an overflow is no value
}

TEST_F(DataStore, ManualChannels)
{
    CdocField& empty = Add(CONTENT_MANUAL);
    empty.m_manual = 4.0f;
    CdocField& filled = Add(CONTENT_MANUAL);
    filled.m_manual = 9.0f;
    filled.m_samples[0] = filled.m_unsmoothed[0] = 1.0f;
    filled.m_samples[2] = filled.m_unsmoothed[2] = 3.0f;
    Data().m_records = 3;
    m_doc.m_state = DOC_STATE_RUNNING;
    Data().InitCurrentValues();
    EXPECT_TRUE(empty.m_manualLogOverNull);
    EXPECT_FALSE(filled.m_manualLogOverNull);
    EXPECT_EQ(empty.m_current, 4.0f);
    EXPECT_EQ(filled.m_current, 1.0f);

    for (int n = 0; n < 5; ++n)
        ASSERT_TRUE(Step(0x20000, true));
    EXPECT_EQ(empty.m_samples[0], 4.0f);
    EXPECT_EQ(empty.m_samples[4], 4.0f);
    EXPECT_EQ(filled.m_samples[0], 1.0f);
    EXPECT_EQ(filled.m_samples[1], DOC_NO_VALUE); // empty records stay empty
    EXPECT_EQ(filled.m_samples[2], 3.0f);
    EXPECT_EQ(filled.m_samples[3], 9.0f);           // new records take MANUAL
    EXPECT_EQ(Data().m_records, 5);
}

TEST_F(DataStore, StoredCopiesAndOtherContents)
{
    CdocField& stored = Add(CONTENT_STORED_SENSOR);
    CdocField& timing = Add(CONTENT_TIMING);
    CdocField& formula = Add(CONTENT_FORMULA);
    stored.m_samples[1] = 6.0f;
    timing.m_current = 1.5f;
    formula.m_current = 2.5f;
    Data().m_records = 2;
    Data().m_logNext = 1;
    Step(0x20000);
    EXPECT_EQ(stored.m_current, 6.0f);
    EXPECT_EQ(timing.m_current, 1.5f);
    EXPECT_EQ(formula.m_current, 2.5f);
    Data().m_logNext = 2;
    Step(0x20000);
    EXPECT_EQ(stored.m_current, DOC_NO_VALUE);
    // A LogNext from a file outside the arrays reads no sample.
    Data().m_logNext = -7;
    Step(0x20000);
    EXPECT_EQ(stored.m_current, DOC_NO_VALUE);
    Data().m_records = 20001;
    Data().m_logNext = 20001;
    Step(0x20000);
    EXPECT_EQ(stored.m_current, DOC_NO_VALUE);
}

TEST_F(DataStore, HintsReachNoOwnerWithoutOne)
{
    m_doc.m_owner = nullptr;
    Add(CONTENT_MANUAL);
    Data().m_logNext = 0;
    EXPECT_TRUE(Step(0x20000, true));
    EXPECT_EQ(Data().m_records, 1);
}
