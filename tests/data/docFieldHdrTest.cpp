#include "data/dataTestSupport.h"
#include "files/docNormaliseUnit.h"

#include <gtest/gtest.h>
#include <limits>

using qvtest::DataTest;
using qvtest::MakeSensor;

namespace {

class FieldHdr : public DataTest
{
protected:
    FieldHdr() { m_field.m_doc = &m_doc; }
    CdocFieldHdr m_field;
};

} // namespace

TEST_F(FieldHdr, NewDefinitionIsEmpty)
{
    const CdocFieldHdr& f = m_field;
    EXPECT_EQ(f.m_content, CONTENT_NONE);
    EXPECT_TRUE(f.m_show);
    EXPECT_TRUE(f.m_fieldEnable);
    EXPECT_EQ(f.m_places, 1);
    EXPECT_EQ(f.m_def, CxhwMinMax(100.0f, 0.0f));
    EXPECT_EQ(f.m_now, CxhwMinMax(100.0f, 0.0f));
    EXPECT_FALSE(f.m_cal.IsMaxSet());
    EXPECT_FALSE(f.m_cal.IsMinSet());
    EXPECT_EQ(f.m_gain, 1.0f);
    EXPECT_EQ(f.m_offset, 0.0f);
    EXPECT_EQ(f.m_manual, DOC_NO_VALUE);
    EXPECT_EQ(f.m_fitM, 1.0f);
    EXPECT_FALSE(f.m_colour.IsOk());
}

TEST_F(FieldHdr, Letters)
{
    struct Case
    {
        int content, n;
        const char* letter;
    };
    const Case cases[] = {{CONTENT_READING, 5, "R"}, {CONTENT_ELAPSED_TIME, 5, "T"}, {CONTENT_SENSOR, 0, "A"},
                          {CONTENT_MANUAL, 16, "Q"}, {CONTENT_MANUAL, 17, "S"},      {CONTENT_MANUAL, 23, "Z"},
                          {CONTENT_MANUAL, 24, "A"}, {CONTENT_MANUAL, -1, "B"},      {CONTENT_MANUAL, INT_MIN, "I"}};
    for (const Case& c : cases) {
        m_field.m_content = c.content;
        EXPECT_EQ(m_field.GetLetter(c.n), c.letter) << c.n;
    }
}

TEST_F(FieldHdr, TitlesAndTexts)
{
    m_field.InitManual();
    m_field.m_name = "Voltage";
    m_field.m_unit = "V";
    EXPECT_EQ(m_field.GetTitle(0), "A: Voltage (V)");
    EXPECT_EQ(m_field.GetNameUnitsTwoLines(), "Voltage\n(V)");
    m_field.m_unit.clear();
    EXPECT_EQ(m_field.GetTitle(0), "A: Voltage");
    EXPECT_EQ(m_field.GetUnitsOrName(), "Voltage");
    m_field.m_name.clear();
    EXPECT_EQ(m_field.GetNameWithUnits(), "");

    m_field.m_cal.Set(100.0f, DOC_NO_VALUE);
    EXPECT_EQ(m_field.GetUnderText(1), "< ");
    EXPECT_EQ(m_field.GetPlainValueText(2, 1.5f), "1.50");
    EXPECT_EQ(m_field.GetValueText(-1, DOC_NO_VALUE), "");
    EXPECT_EQ(m_field.GetValueText(-1, 2.0f), "2"); // manual channels have 0 places
}

TEST_F(FieldHdr, DisplayTextShowsOverAndUnderRangeForSensorData)
{
    struct Case
    {
        int content;
        float x;
        const char* text;
    };
    const Case cases[] = {
        {CONTENT_SENSOR, 120.0f, "> 100.0"},        {CONTENT_SENSOR, -5.0f, "< 0.0"},
        {CONTENT_STORED_SENSOR, 120.0f, "> 100.0"}, {CONTENT_SENSOR, 50.0f, "50.0"},
        {CONTENT_MANUAL, 120.0f, "120.0"},          {CONTENT_MANUAL, -5.0f, "-5.0"},
        {CONTENT_SENSOR, DOC_NO_VALUE, ""},
    };
    m_field.m_cal.Set(100.0f, 0.0f);
    m_field.m_places = 1;
    for (const Case& c : cases) {
        m_field.m_content = c.content;
        EXPECT_EQ(m_field.GetDisplayText(-1, c.x), c.text) << c.x;
    }
}

TEST_F(FieldHdr, InitOperations)
{
    m_field.InitReading(5.0f, 6.0f, 7.0f);
    EXPECT_EQ(m_field.m_content, CONTENT_READING);
    EXPECT_EQ(m_field.m_cal, CxhwMinMax(5.0f, 1.0f));
    EXPECT_EQ(m_field.m_now, CxhwMinMax(7.0f, 1.0f));
    EXPECT_EQ(m_field.m_ident, 253);
    EXPECT_EQ(m_field.m_places, 0);

    m_field.InitManual();
    EXPECT_EQ(m_field.m_name, gumGetString(1158));
    EXPECT_EQ(m_field.m_unit, gumGetString(1263));
    EXPECT_TRUE(m_field.m_manualLogOverNull);
    EXPECT_FALSE(m_field.m_cal.IsMaxSet());

    m_field.InitFormula();
    EXPECT_EQ(m_field.m_content, CONTENT_FORMULA);
    EXPECT_EQ(m_field.m_manual, 0.0f);
    EXPECT_EQ(m_field.m_manualS, "0");

    const char* names[] = {"Time 1", "Time 2", "Time 3", "Time 1"};
    for (int result : {0, 1, 2, 5}) {
        m_field.InitTiming(result);
        EXPECT_EQ(m_field.m_name, names[std::min(result, 3)]);
        EXPECT_EQ(m_field.m_places, 5);
        EXPECT_EQ(m_field.m_socket, result);
    }
}

TEST_F(FieldHdr, SensorChannelFromRecord)
{
    m_doc.m_boxInfo.m_info.m_hardware = 5;
    m_doc.m_boxInfo.m_info.m_firmware = 1.08f;
    CxhwSensor sensor = MakeSensor(12, 2, 50.0f, -10.0f);
    sensor.m_calib.m_places = 2;
    m_field.InitSensor(3, sensor);
    EXPECT_EQ(m_field.m_content, CONTENT_SENSOR);
    EXPECT_EQ(m_field.m_socket, 3);
    EXPECT_EQ(m_field.m_hardware, 5);
    EXPECT_EQ(m_field.m_firmware, 1.08f);
    EXPECT_EQ(m_field.m_name, "Sensor 12");
    EXPECT_EQ(m_field.m_descript, gumGetString(32) + " 4");
    EXPECT_EQ(m_field.m_cal, CxhwMinMax(50.0f, -10.0f));
    EXPECT_TRUE(m_field.m_show);
    EXPECT_TRUE(m_field.IsSensorFor(3, sensor, 0));
    EXPECT_FALSE(m_field.IsSensorFor(2, sensor, 0));
    EXPECT_EQ(m_field.GetSensorTitle(), gumGetString(32) + " 4: Sensor 12, " + gumGetString(254) +
                                            " -10.0 to 50.0 V (" + gumGetString(278) + " 0.01 V)");

    // A sensor without a type on a classic input is blank: its channel is hidden.
    m_field.InitSensor(0, MakeSensor(12, 0));
    EXPECT_FALSE(m_field.m_show);

    m_field.InitSensorSpecial(1, sensor, 2);
    EXPECT_EQ(m_field.m_name, gumGetString(984));
    EXPECT_EQ(m_field.m_unit, gumGetString(991));
    EXPECT_EQ(m_field.m_def, CxhwMinMax(1.0f, 0.0f));
    EXPECT_EQ(m_field.m_measurement, 2);
    m_field.InitSensorSpecial(1, sensor, 9);
    EXPECT_TRUE(m_field.m_name.empty());

    // A calibration limit that is not a number is an unset limit.
    CxhwSensor odd = MakeSensor(12, 2, std::numeric_limits<float>::quiet_NaN(), 0.0f);
    odd.m_calib.m_nowMin = std::numeric_limits<float>::infinity();
    m_field.InitSensor(0, odd);
    EXPECT_FALSE(m_field.m_cal.IsMaxSet());
    EXPECT_EQ(m_field.m_cal.m_max, DOC_NO_VALUE);
    EXPECT_EQ(m_field.m_now.m_min, DOC_NO_VALUE);

    CxhwSensor empty;
    m_field.InitSensor(0, empty);
    EXPECT_EQ(m_field.GetSensorTitle(), gumGetString(32) + " 1: " + gumGetString(264));
}

TEST_F(FieldHdr, RefreshKeepsTheUsersSettings)
{
    const CxhwSensor sensor = MakeSensor(12, 2);
    m_field.InitSensor(2, sensor);
    m_field.m_name = "Mine";
    m_field.m_gain = 3.0f;
    m_field.m_def.Set(7.0f, 1.0f);
    m_field.m_descript = "Own words";
    CxhwSensor changed = MakeSensor(14, 2);
    m_field.RefreshSensor(2, changed, false, true);
    EXPECT_EQ(m_field.m_ident, 14);
    EXPECT_EQ(m_field.m_name, "Mine");
    EXPECT_EQ(m_field.m_gain, 3.0f);
    EXPECT_EQ(m_field.m_def, CxhwMinMax(7.0f, 1.0f));
    EXPECT_EQ(m_field.m_descript, "Own words");
    m_field.RefreshSensor(2, changed, false, false);
    EXPECT_EQ(m_field.m_name, "Sensor 14");
    EXPECT_EQ(m_field.m_gain, 1.0f);
}

TEST_F(FieldHdr, TimeAxisUnits)
{
    struct Case
    {
        double interval, duration;
        int unitEntry, places;
        float gain, top;
        double result;
    };
    const Case cases[] = {
        {0.1, 100.0, 1249, 2, 1.0f, 100.0f, 0.1},
        {0.1, 1000.0, 1357, 2, float(1.0 / 60.0), 17.0f, 0.001667},
        {0.001, 5.0, 1241, 0, 1000.0f, 5000.0f, 1.0},
        {0.0005, 2.0, 1241, 1, 1000.0f, 2000.0f, 0.5},
        {60.0, 40000.0, 1354, 2, float(1.0 / 3600.0), 12.0f, 0.016667},
        {600.0, 1000000.0, 1353, 2, float(1.0 / 86400.0), 12.0f, 0.006944},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.duration);
        m_field.InitElapsedTime();
        const double result = m_field.SetTimeAxis(c.interval, c.duration);
        EXPECT_EQ(m_field.m_unit, gumGetString(c.unitEntry));
        EXPECT_EQ(m_field.m_places, c.places);
        EXPECT_FLOAT_EQ(m_field.m_gain, c.gain);
        EXPECT_NEAR(result, c.result, 1e-9);
        EXPECT_EQ(m_field.m_cal, CxhwMinMax(c.top, 0.0f));
        EXPECT_EQ(m_field.m_def, CxhwMinMax(c.top, 0.0f));
        EXPECT_EQ(m_field.m_now, CxhwMinMax(c.top, 0.0f));
    }
    m_field.SetTimeAxis(0.00001, 0.0005);
    EXPECT_EQ(m_field.m_unit, wxString(L"\u00B5s"));
    EXPECT_EQ(m_field.m_places, 0);
    EXPECT_EQ(m_field.m_gain, 1000000.0f);
}

TEST_F(FieldHdr, CheckRanges)
{
    // Places 2 with Def 5..5 (fractional) widens by a step.
    m_field.InitManual();
    m_field.m_places = 2;
    m_field.m_gain = 1.5f;
    m_field.m_def.Set(5.0f, 5.0f);
    EXPECT_TRUE(m_field.CheckRanges());
    EXPECT_EQ(m_field.m_def, CxhwMinMax(5.0f + 0.01f, 5.0f));
    EXPECT_FALSE(m_field.CheckRanges());

    // A reading channel takes whole-number ranges.
    m_field.InitReading(10.0f, 10.0f, 10.0f);
    m_field.m_def.Set(5.5f, 5.2f);
    m_field.m_now.Set(3.2f, 3.5f);
    EXPECT_TRUE(m_field.CheckRanges());
    EXPECT_EQ(m_field.m_def, CxhwMinMax(6.0f, 4.0f));
    EXPECT_EQ(m_field.m_now, CxhwMinMax(4.0f, 3.0f));
    EXPECT_TRUE(m_field.IsWholeNumber());
    m_field.m_gain = 0.5f;
    EXPECT_FALSE(m_field.IsWholeNumber());
}

TEST_F(FieldHdr, CheckZoomSpanAndDefaultRange)
{
    m_field.InitManual();
    m_field.m_places = 1;
    m_field.m_now.Set(10.0f, 9.5f);
    m_field.m_def.Set(100.0f, 0.0f);
    EXPECT_TRUE(m_field.CheckZoomSpan());
    EXPECT_EQ(m_field.m_now, CxhwMinMax(10.75f, 8.75f));
    EXPECT_FALSE(m_field.CheckZoomSpan());
    // Clipped to the default range.
    m_field.m_now.Set(0.5f, 0.0f);
    EXPECT_TRUE(m_field.CheckZoomSpan());
    EXPECT_EQ(m_field.m_now, CxhwMinMax(1.25f, 0.0f));

    EXPECT_TRUE(m_field.SetDefaultRange(true, -2.0f, DOC_NO_VALUE));
    EXPECT_EQ(m_field.m_def, CxhwMinMax(100.0f, -2.0f));
    EXPECT_EQ(m_field.m_now, m_field.m_def);
    EXPECT_EQ(m_field.m_cal, CxhwMinMax(100.0f, -2.0f));
}

TEST_F(FieldHdr, SameDefinitionAndZoom)
{
    m_field.InitManual();
    CdocFieldHdr other(m_field);
    EXPECT_TRUE(m_field.IsSameDefinition(other));
    other.m_colour = CdocColour(1, 2, 3);
    EXPECT_FALSE(m_field.IsSameDefinition(other));

    EXPECT_FALSE(m_field.ZoomToFraction(0.0f, 1.0f));
    EXPECT_TRUE(m_field.ZoomToFraction(0.25f, 0.5f));
    EXPECT_EQ(m_field.m_now, CxhwMinMax(50.0f, 25.0f));
    EXPECT_TRUE(m_field.ResetZoom());
    EXPECT_FALSE(m_field.ResetZoom());
}

TEST(Durations, FormatInTheirLargestUnit)
{
    CgumResCore res;
    res.LoadStrings();
    struct Case
    {
        float seconds;
        const char* number;
        int unitEntry;
    };
    const Case cases[] = {{7200.0f, "2", 1354}, {0.5f, "500", 1364}, {1.0f, "1", 1349},
                          {259200.0f, "3", 1353}, {90.0f, "90", 1361}, {0.0000025f, "2.5", 1365}};
    for (const Case& c : cases)
        EXPECT_EQ(docFormatDuration(c.seconds), wxString(c.number) + " " + gumGetString(c.unitEntry)) << c.seconds;
    EXPECT_EQ(docGetTimeUnitName(7, true), "");
    EXPECT_EQ(docGetTimeUnitName(2, false), gumGetString(1358));
}

TEST(UnitNotation, PlainFormsBecomeDisplayForms)
{
    struct Case
    {
        const char* plain;
        const wchar_t* display;
    };
    const Case cases[] = {{"//C", L"\u00B0C"}, {"'C", L"\u00B0C"},      {"'F", L"\u00B0F"},     {"us", L"\u00B5s"},
                          {"uS", L"\u00B5S"},  {"m/s2", L"m/s\u00B2"},  {"mW/m2", L"mW/m\u00B2"},
                          {"x10uS", L"x10\u00B5S"}, {"'c", L"'c"},       {"US", L"US"},          {"", L""}};
    for (const Case& c : cases)
        EXPECT_EQ(docNormaliseUnit(c.plain), wxString(c.display)) << c.plain;
}
