#include "data/dataTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

using qvtest::DataTest;

namespace {

class Field : public DataTest
{
protected:
    // A channel taken into use in the document's store.
    CdocField& AddField()
    {
        const int position = Fields().Add(1);
        EXPECT_GE(position, 0);
        return At(position);
    }

    void Fill(CdocField& f, std::initializer_list<float> values)
    {
        int i = 0;
        for (float x : values)
            f.m_samples[i] = f.m_unsmoothed[i] = x, ++i;
        Data().m_records = i;
    }
};

} // namespace

TEST_F(Field, NewChannel)
{
    CdocField f;
    EXPECT_EQ(f.m_key, 0);
    EXPECT_EQ(f.m_counter, 0x20000);
    EXPECT_EQ(f.m_current, 0.0f);
    EXPECT_EQ(f.m_samples[0], DOC_NO_VALUE);
    EXPECT_EQ(f.m_unsmoothed[20000], DOC_NO_VALUE);
    EXPECT_FALSE(f.m_dataRange.IsMaxSet());
    EXPECT_FALSE(f.m_dataRange.IsMinSet());
    EXPECT_FALSE(f.HasData()); // no document: no records
}

TEST_F(Field, InitFillsTheSamples)
{
    CdocField& f = AddField();
    f.InitReading(10.0f, 10.0f, 10.0f);
    EXPECT_EQ(f.m_samples[0], 1.0f);
    EXPECT_EQ(f.m_unsmoothed[20000], 20001.0f);
    f.InitElapsedTime();
    EXPECT_EQ(f.m_samples[3], float(0.3));
    EXPECT_EQ(f.m_samples[3], float(3 * 0.1));
    f.InitManual();
    EXPECT_EQ(f.m_samples[3], DOC_NO_VALUE);
}

TEST_F(Field, UpdateDataRangeWithoutRecords)
{
    CdocField& reading = AddField();
    reading.InitReading(10.0f, 10.0f, 10.0f);
    EXPECT_EQ(reading.UpdateDataRange(), 1);
    EXPECT_EQ(reading.m_dataRange, CxhwMinMax(2.0f, 1.0f));

    CdocField& manual = AddField();
    manual.InitManual();
    manual.m_def.Set(DOC_NO_VALUE, -3.0f);
    EXPECT_EQ(manual.UpdateDataRange(), 0);
    EXPECT_EQ(manual.m_dataRange, CxhwMinMax(1.0f, 0.0f));
    EXPECT_EQ(manual.m_def, CxhwMinMax(1.0f, -3.0f));
    EXPECT_EQ(manual.m_cal, CxhwMinMax(1.0f, 0.0f));
    EXPECT_EQ(manual.m_now, CxhwMinMax(100.0f, 0.0f));
}

TEST_F(Field, UpdateDataRangeSkipsGaps)
{
    CdocField& f = AddField();
    f.InitManual();
    Fill(f, {3.0f, DOC_NO_VALUE, -2.0f, 7.5f});
    EXPECT_EQ(f.UpdateDataRange(), 3);
    EXPECT_EQ(f.m_dataRange, CxhwMinMax(7.5f, -2.0f));
    // A record count from a file beyond the arrays is read as the arrays.
    Data().m_records = 50000;
    EXPECT_EQ(f.UpdateDataRange(), 3);
    Data().m_records = -4;
    EXPECT_EQ(f.UpdateDataRange(), 0);
    EXPECT_FALSE(f.HasData());
}

TEST_F(Field, HasDataLooksOnlyAtRecords)
{
    CdocField& f = AddField();
    f.InitManual();
    f.m_samples[5] = 1.0f;
    EXPECT_FALSE(f.HasData());
    Data().m_records = 6;
    EXPECT_TRUE(f.HasData());
    f.m_samples[5] = DOC_NO_VALUE;
    f.m_unsmoothed[5] = 2.0f;
    EXPECT_TRUE(f.HasData());
}

TEST_F(Field, ClearProcessingWipesSamplesAndFit)
{
    CdocField& f = AddField();
    f.InitManual();
    Fill(f, {1.0f, 2.0f});
    f.m_fitM = 3.0f;
    f.m_fitLabel = "fit";
    f.m_smoothTimes = 2;
    f.m_manualLogOverNull = false;
    f.ClearProcessing();
    EXPECT_FALSE(f.HasData());
    EXPECT_EQ(f.m_fitM, 1.0f);
    EXPECT_TRUE(f.m_fitLabel.empty());
    EXPECT_EQ(f.m_smoothTimes, 0);
    EXPECT_TRUE(f.m_manualLogOverNull);
}

TEST_F(Field, Copies)
{
    CdocField& source = AddField();
    source.InitSensor(2, qvtest::MakeSensor(7, 2));
    source.m_name = "Temperature";
    source.m_show = false;
    source.m_colour = CdocColour(9, 8, 7);
    Fill(source, {1.0f, 2.0f});
    source.UpdateDataRange();
    source.m_current = 4.0f;

    CdocField& dup = AddField();
    dup.InitManual();
    source.CopyForDuplicate(dup);
    EXPECT_EQ(dup.m_name, "'Temperature");
    EXPECT_TRUE(dup.m_show);
    EXPECT_EQ(dup.m_content, CONTENT_MANUAL);
    EXPECT_EQ(dup.m_socket, 0);
    EXPECT_EQ(dup.m_ident, 0);
    EXPECT_FALSE(dup.m_colour.IsOk());
    EXPECT_EQ(dup.m_samples[1], 2.0f);
    EXPECT_EQ(dup.m_current, 4.0f);
    EXPECT_FALSE(dup.m_manualLogOverNull);
    EXPECT_NE(dup.m_key, source.m_key);

    CdocField& copy = AddField();
    const int key = copy.m_key;
    source.CopyTo(copy);
    EXPECT_EQ(copy.m_content, CONTENT_SENSOR);
    EXPECT_EQ(copy.m_socket, 2);
    EXPECT_EQ(copy.m_colour, source.m_colour);
    EXPECT_TRUE(copy.m_show);
    EXPECT_EQ(copy.m_key, key);
    EXPECT_EQ(copy.m_dataRange, CxhwMinMax(2.0f, 1.0f));
    EXPECT_EQ(copy.m_fieldSensor.m_idCode, 7);
}

TEST_F(Field, ZoomToData)
{
    CdocField& f = AddField();
    f.InitManual();
    EXPECT_FALSE(f.ZoomToData()); // no records
    Fill(f, {DOC_NO_VALUE});
    f.m_now.Set(5.0f, 4.0f);
    EXPECT_TRUE(f.ZoomToData()); // no values: the default range
    EXPECT_EQ(f.m_now, f.m_def);
    Fill(f, {2.0f, 6.0f});
    f.UpdateDataRange();
    EXPECT_TRUE(f.ZoomToData());
    EXPECT_EQ(f.m_now, CxhwMinMax(6.0f, 2.0f));
    EXPECT_FALSE(f.ZoomToData());

    f.ResetZoom();
    int steps = 0;
    while (f.StepZoomToData() && steps < 1000)
        ++steps;
    EXPECT_EQ(f.m_now, CxhwMinMax(6.0f, 2.0f));
    EXPECT_EQ(steps, 94); // 1 per step on each limit, at most
}

TEST_F(Field, GrowRangeToSample)
{
    const float inf = std::numeric_limits<float>::infinity();
    struct Case
    {
        float top, sample;
        bool grows;
        float want;
    };
    const Case cases[] = {
        {10.0f, 16.0f, true, 22.5f},       {10.0f, 10.0000001f, false, 10.0f}, {10.0f, 9.0f, false, 10.0f},
        {0.0f, 3.0f, true, 3.0f},          {-5.0f, -2.0f, true, -2.0f},        {DOC_NO_VALUE, 4.0f, true, 4.0f},
        {10.0f, DOC_NO_VALUE, false, 10.0f}, {10.0f, inf, false, 10.0f},
        {10.0f, std::numeric_limits<float>::quiet_NaN(), false, 10.0f},
        {1.0f, 3.4e38f, true, 3.4e38f},
    };
    CdocField& f = AddField();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.top << " to " << c.sample);
        f.InitElapsedTime();
        f.m_now.m_max = c.top;
        f.m_samples[3] = c.sample;
        EXPECT_EQ(f.GrowRangeToSample(3), c.grows);
        EXPECT_EQ(f.m_now.m_max, c.want);
        EXPECT_TRUE(std::isfinite(f.m_now.m_max));
        if (c.grows) {
            EXPECT_EQ(f.m_cal.m_max, c.want);
            EXPECT_EQ(f.m_def.m_max, c.want);
        }
    }
    EXPECT_FALSE(f.GrowRangeToSample(-1));
    EXPECT_FALSE(f.GrowRangeToSample(20001));
}

TEST_F(Field, ClearingSamples)
{
    CdocField& sensor = AddField();
    sensor.InitSensor(0, qvtest::MakeSensor(7, 2));
    Fill(sensor, {1.0f, 5.0f, 9.0f, 3.0f});
    sensor.m_samples[10] = 42.0f;
    Data().m_logNext = 2;
    sensor.ClearRunSamples();
    EXPECT_EQ(sensor.m_samples[1], 5.0f);
    EXPECT_EQ(sensor.m_samples[2], DOC_NO_VALUE);
    EXPECT_EQ(sensor.m_unsmoothed[3], DOC_NO_VALUE);
    EXPECT_EQ(sensor.m_samples[10], 42.0f); // beyond the records
    EXPECT_EQ(sensor.m_dataRange, CxhwMinMax(5.0f, 1.0f));

    sensor.ClearUnusedSamples();
    EXPECT_EQ(sensor.m_samples[10], DOC_NO_VALUE);
    EXPECT_EQ(sensor.m_samples[1], 5.0f);

    // With a full store there is nothing beyond: only the rescan.
    sensor.FillAllSamples(DOC_NO_VALUE);
    Data().m_records = 20001;
    sensor.m_samples[20000] = 8.0f;
    sensor.ClearUnusedSamples();
    EXPECT_EQ(sensor.m_samples[20000], 8.0f);
    EXPECT_EQ(sensor.m_dataRange, CxhwMinMax(8.0f, 8.0f));
    sensor.m_samples[20000] = DOC_NO_VALUE;
    sensor.ClearUnusedSamples();
    EXPECT_EQ(sensor.m_dataRange, CxhwMinMax(1.0f, 0.0f));

    sensor.ClearSamples();
    EXPECT_FALSE(sensor.m_dataRange.IsMaxSet());
}

TEST_F(Field, SetSample)
{
    CdocField& reading = AddField();
    reading.InitReading(10.0f, 10.0f, 10.0f);
    reading.SetSample(0, 1.0f);
    EXPECT_EQ(reading.m_dataRange, CxhwMinMax(2.0f, 1.0f)); // no records yet
    EXPECT_EQ(reading.m_now, CxhwMinMax(2.0f, 1.0f));
    EXPECT_EQ(reading.m_cal, CxhwMinMax(2.0f, 1.0f));
    Data().m_records = 1;
    reading.SetSample(0, 1.0f);
    EXPECT_EQ(reading.m_def, CxhwMinMax(1.0f, 1.0f));

    reading.SetSample(0, std::numeric_limits<float>::infinity());
    EXPECT_EQ(reading.m_samples[0], DOC_NO_VALUE);
    reading.SetSample(20001, 5.0f); // outside the arrays: nothing stored
    reading.SetSample(-1, 5.0f);
    EXPECT_EQ(reading.m_dataRange, CxhwMinMax(2.0f, 1.0f));
}

TEST_F(Field, Places)
{
    CdocField& time = AddField();
    time.InitElapsedTime();
    time.m_places = 2;
    Fill(time, {0.0f, 0.5f});
    time.FitPlacesToInterval();
    EXPECT_EQ(time.m_places, 1);
    time.m_places = 0;
    time.FitPlacesToInterval();
    EXPECT_EQ(time.m_places, 0);

    CdocField& f = AddField();
    f.InitManual();
    struct Case
    {
        int places;
        std::initializer_list<float> samples;
        int want;
    };
    const Case cases[] = {{6, {1.25f, 3.5f}, 2}, {6, {1.25125f, 3.5f}, 4}, {-1, {7.0f, 8.0f}, 0},
                          {3, {1.25125f}, 3},    {5, {}, 0}};
    for (const Case& c : cases) {
        f.m_places = c.places;
        Fill(f, c.samples);
        f.FitPlacesToData();
        EXPECT_EQ(f.m_places, c.want) << c.places;
    }
}

TEST_F(Field, CurrentText)
{
    CdocField& f = AddField();
    f.InitElapsedTime();
    f.m_current = 2.25f;
    wxString text;
    EXPECT_EQ(f.GetCurrentText(text), 2.25f);
    EXPECT_EQ(text, "2.2");
    f.m_current = DOC_NO_VALUE;
    f.GetCurrentText(text);
    EXPECT_TRUE(text.empty());
}
