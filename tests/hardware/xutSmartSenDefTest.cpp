#include "hardware/xhwSensor.h"
#include "hardware/xhwSenTestSupport.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"

#include <gtest/gtest.h>
#include <vector>

using qvtest::SensorFileTest;

namespace {

void Put16(std::vector<unsigned char>& b, size_t at, int v)
{
    b[at] = static_cast<unsigned char>(v & 0xFF);
    b[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

void PutString(std::vector<unsigned char>& b, size_t at, const char* text)
{
    const size_t n = std::char_traits<char>::length(text);
    b[at] = static_cast<unsigned char>(n);
    for (size_t i = 0; i < n; ++i)
        Put16(b, at + 2 + 2 * i, text[i]);
}

// One sub-channel offering range 1 (first bank) and 2 (both banks); range 1
// converts through a three-point table with one decimal, range 2 counts.
std::vector<unsigned char> MakeBlock()
{
    std::vector<unsigned char> b(138, 0);
    Put16(b, 0, 138);
    b[4] = 1;  // sub-channels
    b[5] = 10; // record size
    Put16(b, 6, 32);
    b[8] = 2;  // ranges
    b[9] = 30; // record size
    Put16(b, 10, 42);
    b[12] = 1; // point tables
    Put16(b, 14, 102);
    b[16] = 2; // strings
    Put16(b, 18, 116);
    b[20] = 1;    // sensor name: string 1
    b[22] = 3;    // product
    b[23] = 0x11; // brand
    b[31] = 1;    // timing flag
    // Sub-channel 0: LED on, ranges 1 and 2 in the first bank, 2 in the second.
    b[32 + 2] = 0x21;
    b[32 + 3] = 0x02;
    // Range 1.
    b[42 + 1] = 2;    // name: string 2
    b[42 + 3] = 0x11; // table 1, decimal code 1
    Put16(b, 42 + 4, 1000);
    Put16(b, 42 + 6, 0);
    Put16(b, 42 + 8, 500);
    b[42 + 18] = 1;
    b[42 + 26] = 0x0F;
    b[42 + 29] = 1; // "Temp"
    // Range 2.
    b[72 + 1] = 2;
    b[72 + 20] = 1; // counts
    b[72 + 26] = 0x02;
    // Table 1: three points, decimal code 1.
    b[102] = 3;
    b[103] = 1;
    Put16(b, 104, 0x1000);
    Put16(b, 106, 100);
    Put16(b, 108, 0x2000);
    Put16(b, 110, 200);
    Put16(b, 112, 0x3000);
    Put16(b, 114, 400);
    PutString(b, 116, "Probe");
    PutString(b, 128, "Temp");
    return b;
}

void Fill(CxutSmartSenDef& def, const std::vector<unsigned char>& block)
{
    def.Clear();
    for (size_t at = 0; at < block.size(); at += 62)
        def.Append(block.data() + at, int(std::min<size_t>(62, block.size() - at)));
}

} // namespace

TEST(SmartDefinition, CompletesOnlyWithItsWholeLength)
{
    std::vector<unsigned char> block(70, 0);
    Put16(block, 0, 50);
    CxutSmartSenDef def;
    EXPECT_TRUE(def.Append(block.data(), 31));
    EXPECT_FALSE(def.IsComplete()); // shorter than a header
    def.Clear();
    EXPECT_TRUE(def.Append(block.data(), 40));
    EXPECT_FALSE(def.IsComplete());
    EXPECT_TRUE(def.Append(block.data(), 62)); // cut to the 10 missing bytes
    EXPECT_EQ(def.GetLength(), 50);
    EXPECT_TRUE(def.IsComplete());
    EXPECT_FALSE(def.Append(block.data(), 4)); // complete: nothing more
    EXPECT_EQ(def.GetLength(), 50);

    std::vector<unsigned char> huge(CxutSmartSenDef::kMaxLength + 1, 0xFF);
    def.Clear();
    EXPECT_FALSE(def.Append(huge.data(), int(huge.size())));
    EXPECT_EQ(def.GetLength(), 0);
}

TEST_F(SensorFileTest, SmartRangesConvertAndNameTheSensor)
{
    ASSERT_TRUE(LoadText("%%SENSOR 255,Unknown,%,100,0,1\n"));
    CxutSmartSenDef& def = *m_db.GetSmartDefs().GetDef(2);
    Fill(def, MakeBlock());
    ASSERT_TRUE(def.IsComplete());

    const int ident = xutMakeSmartIdent(2, 0, 0x11, 3);
    const int range1 = xutMakeSmartIdentBank(2, 0, 0, 1);
    const int range2 = xutMakeSmartIdentBank(2, 0, 0, 2);
    EXPECT_EQ(m_db.FindNext(ident, -1, true, false, false, false), range1);
    EXPECT_EQ(m_db.FindNext(ident, range1, true, false, false, false), range2);
    EXPECT_EQ(m_db.FindNext(ident, range2, true, false, false, false), -1);
    EXPECT_EQ(m_db.FindNext(ident, range2, false, true, false, false), xutMakeSmartIdentBank(2, 0, 1, 2));
    EXPECT_EQ(m_db.FindNext(ident, -1, false, false, false, true), range1);

    CxhwSenCalib calib;
    m_db.GetCalib(calib, range1);
    EXPECT_EQ(calib.m_index, range1);
    EXPECT_EQ(calib.m_ident, ident);
    EXPECT_EQ(calib.m_name, "Temp");
    EXPECT_EQ(calib.m_icon, "Temp");
    EXPECT_EQ(calib.m_calMax, 100.0f);
    EXPECT_EQ(calib.m_defMax, 50.0f);
    EXPECT_FALSE(calib.m_fCanTriggered); // range 1 is not in the second bank
    EXPECT_TRUE(calib.m_fCanTiming);
    const struct
    {
        int raw;
        float value;
    } points[] = {{0, 10.0f}, {0x1000, 10.0f}, {0x1800, 15.0f}, {0x3000, 40.0f}, {0xFFFF, 40.0f}};
    for (const auto& p : points)
        EXPECT_FLOAT_EQ(calib.Convert(p.raw), p.value) << p.raw;
    EXPECT_EQ(calib.Convert(XHW_NO_READING), XHW_NO_VALUE);

    def.SetRangeGain(1, 1.5f);
    def.SetRangeOffset(1, -1.0f);
    m_db.GetCalib(calib, range1);
    EXPECT_FLOAT_EQ(calib.Convert(0x1800), 21.5f);

    CxhwSenCalib counts;
    m_db.GetCalib(counts, range2);
    EXPECT_TRUE(counts.m_fIsCounter);
    EXPECT_EQ(counts.Convert(1000), 1000.0f); // no table

    CxhwSensor sensor;
    sensor.m_idCode = ident;
    sensor.m_idType = 7;
    ASSERT_TRUE(sensor.UseDefaultCalibration());
    EXPECT_EQ(sensor.m_calib.m_index, range1);
    EXPECT_EQ(sensor.m_calType, 7);
    EXPECT_EQ(sensor.m_sensorName, "Probe");
    EXPECT_EQ(sensor.m_product, 3);
    EXPECT_EQ(sensor.m_brand, 0x11);
    EXPECT_TRUE(sensor.m_sensorTiming);
    EXPECT_EQ(sensor.m_led, 1);
    EXPECT_EQ(sensor.m_tpName, "Temp");

    // A cleared block: its calibrations give no value, and a fresh look at
    // the sensor falls back to the database's entry for unknown sensors.
    def.Clear();
    EXPECT_EQ(calib.Convert(0x1800), XHW_NO_VALUE);
    m_db.GetCalib(calib, range1);
    EXPECT_EQ(calib.m_name, "Unknown");
    EXPECT_EQ(calib.m_index, range1);
    EXPECT_EQ(calib.m_ident, xutMakeSmartIdent(2, 0, 0, 0));
}
