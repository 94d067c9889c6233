#include "hardware/xhwBoxTypes.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutBoxPublicInfo.h"
#include "protocol/xutRateTable.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(BoxIdentity, ChangedGathersDifferencesOfCompared)
{
    CxutBoxInfo info;
    EXPECT_EQ(info.m_maxSensors, 3);
    EXPECT_TRUE(info.m_changed);
    info.m_hardware = 5;
    info.Clear();
    EXPECT_EQ(info.m_hardware, 0);
    EXPECT_TRUE(info.m_changed); // Clear keeps it

    info.m_changed = false;
    CxutBoxInfo other = info;
    other.m_changed = true; // the other's mark is not what counts
    info.Assign(other);
    EXPECT_FALSE(info.m_changed);

    other.m_comIsPortUsb = true;
    info.Assign(other);
    EXPECT_TRUE(info.m_changed);

    info.m_changed = false;
    other.m_mivaOption = 1; // reserved for type 7: copied, not compared
    other.m_commonVersion = 105;
    info.Assign(other);
    EXPECT_FALSE(info.m_changed);
    EXPECT_EQ(info.m_commonVersion, 105);

    other.m_firmware = NAN; // not a number never equals
    info.Assign(other);
    info.m_changed = false;
    info.Assign(other);
    EXPECT_TRUE(info.m_changed);
}

TEST(BoxIdentity, InputsAndTimeResolution)
{
    const int types[] = {1, 6, 7, 8, 9, 10, 14, 15};
    const int inputs[] = {3, 6, 6, 3, 3, 4, 4, 3};
    for (size_t i = 0; i < std::size(types); ++i)
        EXPECT_EQ(xutGetMaxSensors(types[i]), inputs[i]) << types[i];

    CxutBoxInfo info;
    info.m_hardware = BOX_TYPE_KESTILON;
    info.m_comIsPortUsb = true;
    info.m_firmware = 1.02f;
    EXPECT_DOUBLE_EQ(info.GetTimeResolution(), 0.01);
    info.m_firmware = 1.03f;
    EXPECT_DOUBLE_EQ(info.GetTimeResolution(), 0.001);
    info.m_comIsPortUsb = false; // Bluetooth LE
    EXPECT_DOUBLE_EQ(info.GetTimeResolution(), 0.01);
    info.m_hardware = BOX_TYPE_TUNDRANE2;
    EXPECT_DOUBLE_EQ(info.GetTimeResolution(), 0.001);
    info.m_hardware = BOX_TYPE_MIVA;
    EXPECT_DOUBLE_EQ(info.GetTimeResolution(), 0.01);
    info.m_hardware = BOX_TYPE_2;
    EXPECT_DOUBLE_EQ(info.GetTimeResolution(), 0.05);
}

TEST(PublicInfo, OutputsAndTimingInputs)
{
    CxutBoxPublicInfo info;
    EXPECT_FALSE(info.m_stampChanged);
    EXPECT_TRUE(info.m_info.m_changed);
    info.m_info.m_hardware = BOX_TYPE_TUNDRANE;
    info.m_info.m_firmware = 1.0f;
    EXPECT_FALSE(info.IsOutputAvailable(3)); // no feature 13, no accessory
    info.m_info.m_hardware = BOX_TYPE_PARDOVINE;
    EXPECT_TRUE(info.IsOutputAvailable(3));
    EXPECT_FALSE(info.IsOutputAvailable(2));
    info.m_sensors[4].m_idCode = 136;
    EXPECT_TRUE(info.IsOutputAvailable(4));
    info.m_sensors[4].m_enable = false;
    EXPECT_FALSE(info.IsOutputAvailable(4));
    info.m_info.m_varnok = true;
    EXPECT_TRUE(info.IsOutputAvailable(0));
    EXPECT_FALSE(info.IsOutputAvailable(6));
    EXPECT_FALSE(info.IsOutputAvailable(-1));

    info.m_boxTimingIdentify = 0x3F;
    info.m_info.m_maxSensors = 4;
    EXPECT_EQ(info.CountTimingInputs(), 4);
    EXPECT_TRUE(info.CanUseTimingInputs());
    info.m_info.m_maxSensors = 0;
    EXPECT_EQ(info.CountTimingInputs(), 0);
    EXPECT_FALSE(info.HasSensors());
    info.m_sensors[2].m_idCode = 9;
    EXPECT_TRUE(info.HasSensors());
}

TEST(PublicInfo, ScopeAndTriggerInputsOfCommandLoggers)
{
    CxutBoxPublicInfo info;
    info.m_info.m_hardware = BOX_TYPE_KESTILON;
    info.m_info.m_firmware = 1.05f;
    EXPECT_EQ(info.FindScopeInput(false, 0), -1);
    EXPECT_FALSE(info.CanUseScope(true, 0));
    info.m_sensors[0].m_idCode = 9;
    info.m_sensors[1].m_idCode = 9;
    EXPECT_EQ(info.FindScopeInput(false, 0), 0);
    EXPECT_EQ(info.FindTriggerInput(false, 0), 0);
    EXPECT_TRUE(info.CanUseScope(false, 0));
    EXPECT_TRUE(info.IsTriggerType10());
    EXPECT_EQ(info.GetScopeInputFast(), 1);
    info.m_sensors[1].m_enable = false;
    EXPECT_EQ(info.GetTriggerInputFast(), -1);
}

TEST(RateTable, SeriesRowsAndDefault)
{
    CxutRateTable table;
    xutBuildRateTable(table, 20, 32767, 100, 1000, 100, 5000000);
    const CxutRate expected[] = {
        {20, 101, 101}, {20, 251, 251}, {20, 501, 501}, {20, 1001, 1001}, {50, 1001, 1001}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(table.m_rows[i].m_period, expected[i].m_period) << i;
        EXPECT_EQ(table.m_rows[i].m_readings, expected[i].m_readings) << i;
        EXPECT_EQ(table.m_rows[i].m_points, expected[i].m_points) << i;
    }
    EXPECT_EQ(table.m_default, 0);
    EXPECT_LE(table.m_count, CxutRateTable::kRows);

    CxutRateTable odd;
    xutBuildRateTable(odd, 30, 32767, 1000, 1000, 100, 5000000);
    EXPECT_EQ(odd.m_rows[0].m_period, 30);
    EXPECT_EQ(odd.m_rows[0].m_readings, 1001);
    EXPECT_EQ(odd.m_default, 0);

    // No period below 1 is offered, whatever the sensor's limit says.
    for (int32_t limit : {0, -5}) {
        CxutRateTable table0;
        xutBuildRateTable(table0, limit, 32767, 100, 1000, 100, 5000000);
        ASSERT_GT(table0.m_count, 0) << limit;
        for (int i = 0; i < table0.m_count; ++i)
            EXPECT_GE(table0.m_rows[i].m_period, 1) << limit << " row " << i;
        EXPECT_EQ(table0.m_rows[0].m_period, 1) << limit;
    }

    CxutBoxPublicInfo info;
    info.m_info.m_hardware = BOX_TYPE_SIMULATED;
    CxutRateTable scope;
    info.GetScopeRates(scope);
    EXPECT_EQ(scope.m_count, 8);
    EXPECT_EQ(scope.m_default, 1);
    EXPECT_EQ(scope.m_rows[7].m_period, 10000);
    EXPECT_EQ(scope.m_rows[19].m_readings, 101);
}

TEST(InstallDescriptor, ResetKeepsTheOfferTable)
{
    CxhwSystemImage image;
    EXPECT_TRUE(xhwSystemUpdateOffer[5]);
    image.m_result = 9;
    image.m_stage = 2;
    image.m_progress = 0.5f;
    xhwSystemUpdateOffer[5] = false;
    image.Reset();
    EXPECT_EQ(image.m_result, 0);
    EXPECT_EQ(image.m_stage, 0);
    EXPECT_EQ(image.m_highestWord, 0x1EFF);
    EXPECT_EQ(image.m_padValue, 0x3FFF);
    EXPECT_EQ(image.m_textBase, 0x13FF);
    EXPECT_EQ(image.m_shortTextCount, 8);
    EXPECT_FALSE(xhwSystemUpdateOffer[5]);
    xhwSystemUpdateOffer[5] = true;
    EXPECT_FLOAT_EQ(xhwGetSystemVersion(7), 0.0f);
    EXPECT_FLOAT_EQ(xhwGetSystemVersion(14), 0.0f);
    EXPECT_FLOAT_EQ(xhwGetSystemVersion(10), 1.08f);
}
