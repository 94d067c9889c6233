#include "app/base/gumResCore.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "hardware/xhwSenTestSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <set>

using qvtest::SensorFileTest;

TEST(SensorDatabase, MissingOrEmptyFileShowsEntry573AndPath)
{
    const std::string root = qvtest::MakeResourceTree("sensors");
    CgumResCore res;
    qvtest::WriteFile(root + "/QuorvantiRes/Strings.txt", "573:Cannot open the file \n");
    ASSERT_TRUE(res.LoadStrings());
    qvtest::CtestBoxes boxes;
    CxhwSenFile sensors;
    const std::string path = root + "/QuorvantiRes/Sensors.txt";
    EXPECT_FALSE(sensors.Load());
    qvtest::WriteFile(path, "");
    EXPECT_FALSE(sensors.Load());
    ASSERT_EQ(boxes.m_calls.size(), 2u);
    EXPECT_EQ(boxes.m_calls[1].text, wxString("Cannot open the file " + path));
    qvtest::WriteFile(path, "%%VERSION 1\n");
    EXPECT_TRUE(sensors.Load());
    EXPECT_EQ(boxes.m_calls.size(), 2u);
    ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1);
}

namespace {

std::string Repeat(const std::string& line, int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += line;
    return text;
}

std::string Tables(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "%%TABLE t" + std::to_string(i) + "\n0, 0x0;\n";
    return text;
}

std::string PointLines(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += std::to_string(i) + ", 0x" + std::to_string(i) + (i + 1 == n ? ";\n" : "\n");
    return text;
}

struct ReaderCase
{
    const char* name;
    std::string text;
    int errorLine; // -1: loads
    std::function<void(const CxhwSenFile&)> check;
};

} // namespace

TEST_F(SensorFileTest, ReadsSectionsAndStopsAtTheLineThatBreaksALimit)
{
    const std::vector<ReaderCase> cases = {
        {"tables and raws",
         "%%VERSION 2.5\n%%TABLE First\n1.5, 0x0010\n2.5, 0x1FFFF;  the rest is a note\n"
         "%%TABLE Second\n7, 100\n8, -1;\n",
         -1,
         [](const CxhwSenFile& db) {
             EXPECT_EQ(db.GetVersion(), "2.5");
             ASSERT_EQ(db.GetTableCount(), 2);
             EXPECT_EQ(db.GetTableStart(0), 350);
             EXPECT_EQ(db.GetTableStart(1), 353);
             EXPECT_EQ(db.GetPointCount(), 356);
             EXPECT_EQ(db.GetPointRaw(350), 0x10);
             EXPECT_EQ(db.GetPointRaw(351), 0xFFFF);
             EXPECT_EQ(db.GetPointRaw(352), 0x10000);
             EXPECT_FLOAT_EQ(db.GetPointValue(352), 2.5f);
             EXPECT_EQ(db.GetPointRaw(353), 2620);
             EXPECT_EQ(db.GetPointRaw(354), -26);
             EXPECT_FLOAT_EQ(db.GetPointValue(355), 8.0f);
             EXPECT_EQ(db.FindTable("Second"), 353);
             EXPECT_EQ(db.FindTable("second"), -1);
             EXPECT_EQ(db.FindTable("Secon"), -1);
         }},
        {"empty version word", "%%VERSION\n%%CONVERT anything\n", -1,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetVersion(), "?"); }},
        {"table ended by the file's end", "%%TABLE T\n1, 0x10\n2, 0x20", -1,
         [](const CxhwSenFile& db) {
             EXPECT_EQ(db.GetPointCount(), 353);
             EXPECT_EQ(db.GetPointRaw(352), 0x10000);
             EXPECT_FLOAT_EQ(db.GetPointValue(352), 2.0f);
         }},
        {"table without its ';' point", "# note\n%%TABLE T\n1, 0x10\n%%SENSOR 1,A\n", 3,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetSensorCount(), 0); }},
        {"80 tables", Tables(80), -1, [](const CxhwSenFile& db) { EXPECT_EQ(db.GetTableCount(), 80); }},
        {"81st table", Tables(80) + "%%TABLE extra\n0, 0;\n", 160,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetTableCount(), 80); }},
        {"point store filled exactly", "%%TABLE big\n" + PointLines(749), -1,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetPointCount(), CxhwSenFile::kMaxPoints); }},
        {"no room for the end point", "%%TABLE big\n" + PointLines(750), 750,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetPointCount(), CxhwSenFile::kMaxPoints); }},
        {"point past the store", "%%TABLE big\n" + PointLines(749) + "%%TABLE more\n0, 0;\n", 751,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetPointCount(), CxhwSenFile::kMaxPoints); }},
        {"150 sensors", Repeat("%%SENSOR 5,S\n", 150), -1,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetSensorCount(), 150); }},
        {"151st sensor", Repeat("%%SENSOR 5,S\n", 150) + "%%SENSOR 6,T\n", 150,
         [](const CxhwSenFile& db) { EXPECT_EQ(db.GetSensorCount(), 150); }},
        {"149 conversions", Repeat("%%CONVERSION 1,2,1.8,32\n", 149), -1,
         [](const CxhwSenFile& db) {
             EXPECT_EQ(db.m_conversionCount, 149);
             EXPECT_TRUE(db.m_conversions[149].m_fromUnits.empty());
         }},
        {"150th conversion", Repeat("%%CONVERSION 1,2,1.8,32\n", 149) + "%%CONVERSION 2,1,2,0\n", 149,
         [](const CxhwSenFile& db) {
             EXPECT_EQ(db.m_conversionCount, 149);
             EXPECT_TRUE(db.m_conversions[149].m_fromUnits.empty());
             EXPECT_FLOAT_EQ(db.m_conversions[148].m_factor, 1.8f);
         }},
    };
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.m_calls.clear();
        EXPECT_EQ(LoadText(c.text), c.errorLine < 0);
        if (c.errorLine < 0) {
            EXPECT_TRUE(m_boxes.m_calls.empty());
        } else {
            ASSERT_EQ(m_boxes.m_calls.size(), 1u);
            EXPECT_EQ(m_boxes.m_calls[0].kind, zxBOX_ERROR);
            EXPECT_EQ(m_boxes.m_calls[0].text,
                      wxString::Format("Error in calibration table at line %d", c.errorLine));
        }
        c.check(m_db);
    }
}

TEST_F(SensorFileTest, SensorLinesTakeTheirFieldsStringsTablesAndIcons)
{
    ASSERT_TRUE(LoadText("%%TABLE Curve\n0, 0x0000\n100, 0xFFFF;\n"
                         "%%EXTRAS 3,Temp\n"
                         "%%SENSOR 3,\"Probe\",'C,110.5,-20,2,Curve,0,1.5,x,0,0\n"
                         "%%SENSOR 4,Other,us,10 ,abc,1,Missing,2,,,70,1\n"
                         "%%EXTRAS 4,Late\n%%EXTRAS 300,Wrong\n%%EXTRAS -1,Wrong\n"
                         "%%SENSOR 4,Again\n%%SENSOR 44,Plain\n%%EXTRAS 44,Right\n"
                         "%%EXTRAS 3,Light\n%%SENSOR 3,Later\n"));
    ASSERT_EQ(m_db.GetSensorCount(), 5);
    const CxhwSenCalib& a = m_db.GetSensor(0);
    EXPECT_EQ(a.m_index, 0);
    EXPECT_EQ(a.m_ident, 3);
    EXPECT_EQ(a.m_name, "Probe");
    EXPECT_EQ(a.m_units, wxString::FromUTF8("°C"));
    EXPECT_FLOAT_EQ(a.m_calMax, 110.5f);
    EXPECT_FLOAT_EQ(a.m_defMax, 110.5f);
    EXPECT_FLOAT_EQ(a.m_nowMax, 110.5f);
    EXPECT_FLOAT_EQ(a.m_calMin, -20.0f);
    EXPECT_EQ(a.m_places, 2);
    EXPECT_EQ(a.m_table, "Curve");
    EXPECT_EQ(a.m_tableStart, 350);
    EXPECT_FLOAT_EQ(a.m_gain, 1.0f); // 0 means 1
    EXPECT_FLOAT_EQ(a.m_offset, 1.5f);
    EXPECT_EQ(a.m_icon, "Temp");

    const CxhwSenCalib& b = m_db.GetSensor(1);
    EXPECT_EQ(b.m_name, "Temperature"); // name string 70
    EXPECT_EQ(b.m_units, wxString::FromUTF8("°C"));
    EXPECT_FLOAT_EQ(b.m_calMax, 0.0f); // "10 " is not a number
    EXPECT_FLOAT_EQ(b.m_calMin, 0.0f);
    EXPECT_EQ(b.m_tableStart, -1);
    EXPECT_FLOAT_EQ(b.m_gain, 2.0f);
    EXPECT_TRUE(b.m_icon.empty()); // its icon line comes later
    EXPECT_EQ(b.Convert(100), 200.0f);

    EXPECT_EQ(m_db.GetSensor(2).m_icon, "Late");
    EXPECT_EQ(m_db.GetSensor(2).m_units, wxString());
    EXPECT_TRUE(m_db.GetSensor(3).m_icon.empty()); // 300 is no ident, not 44
    EXPECT_EQ(m_db.GetSensor(4).m_icon, "Light");    // the later icon line wins

    // A repeated load starts over.
    ASSERT_TRUE(LoadText("%%SENSOR 7,Only\n"));
    EXPECT_EQ(m_db.GetSensorCount(), 1);
    EXPECT_EQ(m_db.GetTableCount(), 0);
    EXPECT_TRUE(m_db.GetSensor(0).m_icon.empty());
    EXPECT_EQ(m_db.GetSensor(0).m_index, 0);
}

// Only a sensor with the pH electrode's icon offers the pH calibration; the
// others keep no such offer whatever their units.
TEST_F(SensorFileTest, OnlyThePhElectrodeOffersThePhCalibration)
{
    ASSERT_TRUE(LoadText("%%SENSOR 11,Early,pH,14,0,2\n%%EXTRAS 11,pH\n%%EXTRAS 1,Temp\n"
                         "%%SENSOR 11,pH,pH,14,0,2\n%%SENSOR 1,Temperature,'C,110,-20,1\n%%SENSOR 99,None\n"));
    ASSERT_EQ(m_db.GetSensorCount(), 4);
    EXPECT_FALSE(m_db.GetSensor(0).m_fDlgPH); // its icon line comes later
    EXPECT_TRUE(m_db.GetSensor(1).m_fDlgPH);
    EXPECT_FALSE(m_db.GetSensor(2).m_fDlgPH);
    EXPECT_FALSE(m_db.GetSensor(3).m_fDlgPH);
}

TEST_F(SensorFileTest, InterpolatesAtAndBetweenPointsAndAtBothEnds)
{
    ASSERT_TRUE(LoadText("%%TABLE Curve\n10, 0x1000\n20, 0x2000\n40, 0x3000;\n"
                         "%%TABLE Twice\n1, 0x10\n2, 0x10\n3, 0x20;\n"));
    const int start = m_db.FindTable("Curve");
    const struct
    {
        int raw;
        float value;
    } cases[] = {
        {0, 10.0f},       {0x0FFF, 10.0f},  {0x1000, 10.0f},  {0x1800, 15.0f}, {0x2000, 20.0f},
        {0x2400, 25.0f},  {0x3000, 40.0f},  {0x3001, 40.0f},  {0xFFFF, 40.0f}, {0x10000, 40.0f},
        {0x20000, 40.0f}, {-5, 10.0f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_db.Interpolate(start, c.raw), c.value) << "raw " << c.raw;
    EXPECT_EQ(m_db.Interpolate(-1, 1234), 1234.0f);
    EXPECT_EQ(m_db.Interpolate(m_db.GetPointCount(), 1234), 1234.0f);
    // Two points at one raw give the later value, never a division by zero.
    EXPECT_EQ(m_db.Interpolate(m_db.FindTable("Twice"), 0x10), 2.0f);
    EXPECT_EQ(m_db.Interpolate(m_db.FindTable("Twice"), 0x18), 2.5f);
}

TEST_F(SensorFileTest, AssignsTheIdentsCalibrationOrTheFallBack)
{
    ASSERT_TRUE(LoadText("%%SENSOR 1,One,,10,0,1\n%%SENSOR 1,One again,,20,0,1\n"
                         "%%SENSOR 255,Unknown,,100,0,0\n"));
    EXPECT_EQ(m_db.FindNext(1, -1, false, false, false, false), 0);
    EXPECT_EQ(m_db.FindNext(1, 0, false, false, false, false), 1);
    EXPECT_EQ(m_db.FindNext(1, 1, false, false, false, false), -1);
    EXPECT_EQ(m_db.FindNext(0x1000000, -1, true, true, true, false), -1); // empty smart block

    CxhwSensor sensor;
    sensor.m_idCode = 1;
    sensor.m_idType = 7;
    sensor.m_changedCal = false;
    EXPECT_TRUE(m_db.AssignSensor(sensor));
    EXPECT_EQ(sensor.m_calType, 7);
    EXPECT_EQ(sensor.m_calib.m_name, "One");
    EXPECT_TRUE(sensor.m_changedCal);
    sensor.m_changedCal = false;
    EXPECT_TRUE(m_db.AssignSensor(sensor));
    EXPECT_FALSE(sensor.m_changedCal); // nothing changed

    sensor.m_idCode = 77;
    EXPECT_TRUE(m_db.AssignSensor(sensor));
    EXPECT_EQ(sensor.m_calib.m_name, "Unknown");
    EXPECT_EQ(sensor.m_calib.m_index, 2);

    // Indexes beyond the sensors loaded change nothing.
    CxhwSenCalib calib;
    calib.m_name = "kept";
    m_db.GetCalib(calib, 3);
    m_db.GetCalib(calib, 200);
    m_db.GetCalib(calib, -1);
    EXPECT_EQ(calib.m_name, "kept");
    wxString name = "kept";
    m_db.GetSensorName(name, 149);
    EXPECT_EQ(name, "kept");
    m_db.AssignCalib(sensor, 150);
    EXPECT_EQ(sensor.m_calib.m_name, "Unknown");
    wxString label = "x";
    m_db.GetCalibLabel(label, 3, 0, false);
    EXPECT_TRUE(label.empty());

    ASSERT_TRUE(LoadText("%%SENSOR 1,One,,10,0,1\n"));
    sensor.m_idCode = 2;
    EXPECT_FALSE(m_db.AssignSensor(sensor));
    EXPECT_EQ(sensor.m_calib.m_name, "Unknown"); // kept
}

TEST_F(SensorFileTest, DescribesConversionsByTheirUnits)
{
    ASSERT_TRUE(LoadText("%%CONVERT\n%%CONVERSION 1,2,1.8,32\n%%CONVERSION 23,0,x,\n"));
    ASSERT_EQ(m_db.m_conversionCount, 2);
    const CxhwSenConvert& c = m_db.m_conversions[0];
    EXPECT_EQ(c.m_fromUnits, wxString::FromUTF8("°C"));
    EXPECT_EQ(c.m_toUnits, wxString::FromUTF8("°F"));
    EXPECT_FLOAT_EQ(c.m_factor, 1.8f);
    EXPECT_FLOAT_EQ(c.m_offset, 32.0f);
    EXPECT_EQ(c.m_description, wxString::FromUTF8("°C (Celsius) to °F (Fahrenheit)"));
    const CxhwSenConvert& d = m_db.m_conversions[1];
    EXPECT_EQ(d.m_fromUnits, "pH");
    EXPECT_TRUE(d.m_toUnits.empty());
    EXPECT_FLOAT_EQ(d.m_factor, 0.0f);
    EXPECT_TRUE(d.m_description.StartsWith("pH to "));
    EXPECT_TRUE(m_db.m_conversions[2].m_fromUnits.empty());
}

TEST_F(SensorFileTest, NumbersThatAreNotFiniteReadAsZero)
{
    ASSERT_TRUE(LoadText("%%SENSOR 1,A,,nan,inf,99999999999,,1e300,-inf\n"));
    const CxhwSenCalib& a = m_db.GetSensor(0);
    EXPECT_EQ(a.m_calMax, 0.0f);
    EXPECT_EQ(a.m_calMin, 0.0f);
    EXPECT_EQ(a.m_places, 0);
    EXPECT_EQ(a.m_gain, 1.0f);
    EXPECT_EQ(a.m_offset, 0.0f);
    EXPECT_TRUE(std::isfinite(a.Convert(0xFFFF)));
}

// The program's own database: it loads, holds every ident the program asks
// for, and every sensor converts its whole raw range inside its range.
TEST(SensorDatabase, ShippedFileLoads)
{
    CgumResCore res;
    ASSERT_TRUE(res.LoadStrings());
    qvtest::CtestBoxes boxes;
    CxhwSenFile db;
    ASSERT_TRUE(db.Load());
    EXPECT_TRUE(boxes.m_calls.empty());
    EXPECT_FALSE(db.GetVersion().empty());

    const int needed[] = {0, 1, 8, 9, 13, 16, 17, 19, 62, 69, 136, 177, 187, 255};
    for (int ident : needed)
        EXPECT_GE(db.FindNext(ident, -1, false, false, false, false), 0) << "ident " << ident;

    std::set<int> idents;
    for (int i = 0; i < db.GetSensorCount(); ++i) {
        const CxhwSenCalib& c = db.GetSensor(i);
        SCOPED_TRACE(std::string(c.m_name.utf8_str()) + " ident " + std::to_string(c.m_ident));
        idents.insert(c.m_ident);
        EXPECT_FALSE(c.m_name.empty());
        EXPECT_FALSE(c.m_name.Contains("??"));
        EXPECT_FALSE(c.m_units.Contains("??"));
        EXPECT_FALSE(c.m_icon.empty());
        EXPECT_LT(c.m_calMin, c.m_calMax);
        EXPECT_TRUE(c.m_table.empty() || c.m_tableStart >= CxhwSenFile::kFirstPoint) << c.m_table;
        int outside = 0;
        for (int raw = 0; raw <= 0xFFFF; ++raw) {
            const float v = c.Convert(raw);
            if (!(v >= c.m_calMin && v <= c.m_calMax) && outside++ == 0)
                ADD_FAILURE() << "raw " << raw << " gives " << v;
        }
        EXPECT_EQ(outside, 0);
        EXPECT_EQ(c.Convert(XHW_NO_READING), XHW_NO_VALUE);
    }
    EXPECT_GE(idents.size(), 30u);

    // Every table rises strictly up to its end point.
    for (int t = 0; t < db.GetTableCount(); ++t) {
        int i = db.GetTableStart(t);
        while (db.GetPointRaw(i + 1) != CxhwSenFile::kEndRaw) {
            EXPECT_LT(db.GetPointRaw(i), db.GetPointRaw(i + 1)) << db.GetTableName(t);
            ++i;
        }
    }

    ASSERT_GT(db.m_conversionCount, 20);
    for (int i = 0; i < db.m_conversionCount; ++i) {
        const CxhwSenConvert& c = db.m_conversions[size_t(i)];
        EXPECT_FALSE(c.m_fromUnits.empty());
        EXPECT_FALSE(c.m_toUnits.empty());
        EXPECT_FALSE(c.m_description.Contains("??")) << c.m_description;
        EXPECT_NE(c.m_factor, 0.0f);
    }
    EXPECT_TRUE(db.m_conversions[size_t(db.m_conversionCount)].m_fromUnits.empty());

    // What the simulated logger presents reads as its sensors.
    const struct
    {
        int ident;
        const char* name;
    } simulated[] = {{9, "Sound"}, {8, "Light"}, {1, "Temperature"}, {19, "Voltage"},
                     {17, "Light gate"}, {69, "Humidity"}};
    for (const auto& s : simulated) {
        CxhwSensor sensor;
        sensor.m_idCode = s.ident;
        sensor.m_idType = 7;
        ASSERT_TRUE(db.AssignSensor(sensor));
        EXPECT_EQ(sensor.m_calib.m_ident, s.ident);
        EXPECT_EQ(sensor.m_calib.m_name, s.name);
    }
}
