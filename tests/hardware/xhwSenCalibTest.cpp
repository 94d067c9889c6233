#include "hardware/xhwSenCalib.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSenTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

using qvtest::SensorFileTest;

TEST_F(SensorFileTest, ConvertGoesThroughTableThenGainThenOffset)
{
    ASSERT_TRUE(LoadText("%%TABLE Half\n0, 0x0000\n3.5, 0x1000\n7, 0x2000;\n"));
    CxhwSenCalib calib;
    EXPECT_EQ(calib.Convert(1234), 1234.0f); // the defaults pass the raw reading through
    EXPECT_EQ(calib.Convert(0), 0.0f);
    EXPECT_EQ(calib.Convert(XHW_NO_READING), XHW_NO_VALUE);

    calib.m_tableStart = m_db.FindTable("Half");
    calib.m_gain = 2.0f;
    calib.m_offset = -1.0f;
    EXPECT_EQ(calib.Convert(0x1000), 6.0f);
    EXPECT_EQ(calib.Convert(0x1800), 9.5f);
    EXPECT_EQ(calib.Convert(0xFFFF), 13.0f);
    EXPECT_EQ(calib.Convert(XHW_NO_READING), XHW_NO_VALUE); // no gain or offset on it

    // A smart calibration without its definition block has no value.
    calib.m_index = 0x1000100;
    calib.m_tableStart = 0;
    EXPECT_EQ(calib.Convert(1000), XHW_NO_VALUE);
}

TEST_F(SensorFileTest, LabelsNameTheRangeAndPrefixTheCode)
{
    CxhwSenCalib calib;
    wxString label = "x";
    calib.GetLabel(label, 0, false);
    EXPECT_TRUE(label.empty()); // no sensor

    calib.m_ident = 1;
    calib.m_name = "Temp";
    calib.m_units = "K";
    calib.m_calMin = -20.0f;
    calib.m_calMax = 110.0f;
    const struct
    {
        int places;
        wxString units;
        int code;
        bool prefix;
        const char* label;
    } cases[] = {
        {0, "K", 0, false, "Temp, -20 to 110 K"},
        {1, "K", 0, false, "Temp, -20 to 110 K"},
        {3, "K", 0, false, "Temp, -20.00 to 110.00 K"},
        {1, " ", 0, false, "Temp, -20 to 110"},
        {1, "", 7, true, "Standard: Temp, -20 to 110"},
        {1, "", 4, true, "Standard: Temp, -20 to 110"},
        {1, "", 23, true, "Standard: Temp, -20 to 110"},
        {1, "", 2, true, "Alternative: Temp, -20 to 110"},
        {1, "", 24, true, "Alternative: Temp, -20 to 110"},
        {1, "", 7, false, "Temp, -20 to 110"},
        {1, "", 25, true, "Temp, -20 to 110"},
        {1, "", 3, true, "Temp, -20 to 110"},
    };
    for (const auto& c : cases) {
        calib.m_places = c.places;
        calib.m_units = c.units;
        calib.GetLabel(label, c.code, c.prefix);
        EXPECT_EQ(label, c.label);
    }
    calib.m_description = "Fixed text";
    calib.GetLabel(label, 0, false);
    EXPECT_EQ(label, "Fixed text");
}

TEST(SensorCalibration, SameIgnoresDescriptionAndCapabilities)
{
    CxhwSenCalib a;
    CxhwSenCalib b;
    b.m_description = "other";
    b.m_resolution = 0.5f;
    b.m_fCanScope = false;
    b.m_fIsCounter = true;
    EXPECT_TRUE(a.IsSame(b));
    b.m_gain = 2.0f;
    EXPECT_FALSE(a.IsSame(b));
    b = a;
    b.m_tableStart = 400;
    EXPECT_FALSE(a.IsSame(b));
    b = a;
    b.m_offset = std::nanf("");
    EXPECT_FALSE(b.IsSame(b)); // NaN never equals
}
