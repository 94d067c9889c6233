#include "hardware/xhwSensor.h"
#include "hardware/xhwSenTestSupport.h"
#include "protocol/xutBoxInfo.h"

#include <gtest/gtest.h>

using qvtest::SensorFileTest;

namespace {

const char* kTwoSensors = "%%TABLE Count\n0, 0x0000\n65535, 0xFFFF;\n"
                          "%%SENSOR 1,Temp,'C,110,-20,1\n"
                          "%%SENSOR 177,Count,counts,65535,0,0,Count\n"
                          "%%SENSOR 255,Unknown,%,100,0,1\n";

void ClearFlags(CxhwSensor& s)
{
    s.m_changedId = s.m_changedCal = s.m_changedEnable = s.m_changedRaw = false;
}

} // namespace

TEST(SensorRecord, NewRecordIsMarkedChanged)
{
    const CxhwSensor s;
    EXPECT_TRUE(s.m_changedId && s.m_changedCal && s.m_changedEnable && s.m_changedRaw);
    EXPECT_TRUE(s.m_enable);
    EXPECT_TRUE(s.m_triggerAndScope);
    EXPECT_EQ(s.m_product, -1);
    EXPECT_EQ(s.m_brand, -1);
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(SensorFileTest, UpdateIdsTakesChangedPairsOnly)
{
    ASSERT_TRUE(LoadText(kTwoSensors));
    CxhwSensorV sensors;
    CxhwSensorV ids;
    ids[0].m_idCode = 1;
    ids[0].m_idType = 7;
    sensors[0].m_enable = false;
    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        ClearFlags(sensors[i]);
    sensors.UpdateIds(ids);
    EXPECT_TRUE(sensors[0].m_changedId);
    EXPECT_TRUE(sensors[0].m_enable);
    EXPECT_TRUE(sensors[0].m_changedEnable);
    EXPECT_TRUE(sensors[0].m_changedCal);
    EXPECT_EQ(sensors[0].m_calType, 7);
    EXPECT_EQ(sensors[0].m_calib.m_name, "Temp");
    EXPECT_FALSE(sensors[1].m_changedId); // pair 0, 0 unchanged

    ClearFlags(sensors[0]);
    sensors[0].m_raw = 1234;
    sensors.UpdateIds(ids);
    EXPECT_FALSE(sensors[0].m_changedId);
    EXPECT_FALSE(sensors[0].m_changedCal);
    EXPECT_FALSE(sensors[0].m_changedEnable);
    EXPECT_EQ(sensors[0].m_raw, 1234);

    // A sensor the database does not list takes the fall-back entry.
    ids[2].m_idCode = 99;
    ids[2].m_idType = 7;
    sensors.UpdateIds(ids);
    EXPECT_EQ(sensors[2].m_calib.m_name, "Unknown");
}

TEST_F(SensorFileTest, CountingInputsAddUpTheirReadings)
{
    ASSERT_TRUE(LoadText(kTwoSensors));
    CxhwSensorV sensors;
    CxhwSensorV ids;
    ids[0].m_idCode = 177;
    ids[0].m_idType = 1; // counting
    ids[1].m_idCode = 1;
    ids[1].m_idType = 7;
    sensors.UpdateIds(ids);
    ASSERT_TRUE(sensors[0].IsCounter());
    ASSERT_FALSE(sensors[1].IsCounter());
    sensors[0].m_raw = XHW_NO_READING;

    int changes = 0;
    for (int reading : {3, 2, 0, XHW_NO_READING}) {
        ClearFlags(sensors[0]);
        const int raw[6] = {reading, reading, 0, 0, 0, 0};
        sensors.SetRawValues(raw);
        changes += sensors[0].m_changedRaw ? 1 : 0;
        EXPECT_EQ(sensors[1].m_raw, reading); // not counting: the latest reading
    }
    EXPECT_EQ(sensors[0].m_raw, 5);
    EXPECT_EQ(changes, 2);

    int out[6] = {7, 7, 7, 7, 7, 7};
    sensors.ResetCounters(out);
    EXPECT_EQ(sensors[0].m_raw, 0);
    EXPECT_EQ(out[0], XHW_NO_READING);
    EXPECT_EQ(out[1], 7);
    int raws[6];
    sensors.GetRawValues(raws);
    EXPECT_EQ(raws[0], 0);
    EXPECT_EQ(raws[1], XHW_NO_READING);
}

TEST(SensorRecord, PredicatesFollowTheTypes)
{
    const struct
    {
        int idCode;
        int idType;
        int calType;
        bool blank, counter, integer, control, native;
    } cases[] = {
        {5, 7, 7, false, false, false, false, true},
        {5, 7, -1, false, false, false, false, true},
        {5, 7, 2, false, false, false, false, false},
        {5, 0x83, 0x83, false, false, true, false, false}, // second bank is never native
        {5, 3, 3, false, false, true, false, true},
        {5, 1, 1, false, true, true, false, true},
        {5, 8, 8, false, true, true, false, true},
        {5, 19, 19, false, true, true, false, true},
        {5, 0x81, 0x81, false, true, true, false, false},
        {5, 0x88, 0x88, false, true, true, false, false},
        {5, 0x8F, 0x8F, false, false, true, true, false},
        {5, 7, 0, true, false, false, false, false},
        {136, 7, 7, true, false, false, false, true}, // an output device even with a type
    };
    for (const auto& c : cases) {
        CxhwSensor s;
        s.m_idCode = c.idCode;
        s.m_idType = c.idType;
        s.m_calType = c.calType;
        s.m_calib.m_ident = c.idCode;
        SCOPED_TRACE(testing::Message() << "type " << c.idType << " cal " << c.calType);
        EXPECT_EQ(s.IsBlank(), c.blank);
        EXPECT_EQ(s.IsCounter(), c.counter);
        EXPECT_EQ(s.IsInteger(), c.integer);
        EXPECT_EQ(s.IsControl(), c.control);
        EXPECT_EQ(s.IsCalTypeNative(), c.native);
        EXPECT_EQ(s.CanTrigger(), c.native);
        EXPECT_EQ(s.CanScope(), c.native);
        s.m_triggerAndScope = false;
        EXPECT_FALSE(s.CanTrigger());
    }

    // A smart sensor answers by its calibration's flags.
    CxhwSensor smart;
    smart.m_calib.m_index = 0x1000100;
    smart.m_calib.m_fIsCounter = true;
    smart.m_calType = 0;
    EXPECT_TRUE(smart.IsCounter());
    EXPECT_FALSE(smart.IsBlank());
    EXPECT_FALSE(smart.IsCalTypeNative());
}

TEST(SensorRecord, SecondBankTypesCanTimeOnAnyLogger)
{
    CxutBoxInfo none; // type 0: no features
    CxhwSensor s;
    s.m_idType = 3;
    for (int type : {0x81, 0x83, 0x8C, 0x8E})
        EXPECT_TRUE(s.CanTimeWith(none, CxhwSenCalib(), type)) << type;
    for (int type : {0x80, 0x8D, 0x8F, 3, 7, -1})
        EXPECT_FALSE(s.CanTimeWith(none, CxhwSenCalib(), type)) << type;
    s.m_calType = 0x83;
    EXPECT_TRUE(s.CanTimeNow(none));
    CxhwSenCalib smartCalib;
    smartCalib.m_index = 0x1000100;
    smartCalib.m_fCanTiming = true;
    EXPECT_TRUE(s.CanTimeWith(none, smartCalib, 0));
}

TEST(SensorRecord, CopiesCarryChangeMarks)
{
    CxhwSensorV from;
    from[0].m_idCode = 9;
    from[0].m_idType = 7;
    from[0].m_calType = 7;
    from[0].m_raw = 500;
    from[0].m_calib.m_name = "Sound";
    from[0].m_tpName = "range";
    from[0].m_userCal = true;
    CxhwSensorV to;
    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        ClearFlags(to[i]);

    to.CopyAll(from);
    EXPECT_TRUE(to[0].m_changedId && to[0].m_changedCal && to[0].m_changedRaw);
    EXPECT_FALSE(to[0].m_changedEnable);
    EXPECT_FALSE(to[0].m_userCal); // user flags are not copied
    EXPECT_EQ(to[0].m_tpName, "range");
    EXPECT_TRUE(to[0].IsSame(from[0]));
    EXPECT_FALSE(to[1].m_changedId);

    CxhwSensorV identities;
    ClearFlags(identities[0]);
    identities.CopyIdentities(from);
    EXPECT_TRUE(identities[0].m_changedId);
    EXPECT_EQ(identities[0].m_raw, XHW_NO_READING);
    EXPECT_EQ(identities[0].m_calib.m_name, "Sound");
    identities.CopyIdentities(from);
    EXPECT_FALSE(identities[0].m_changedId);

    CxhwSensorV user;
    user.ApplyUserCalibrations(from);
    EXPECT_EQ(user[0].m_calType, 7);
    EXPECT_EQ(user[0].m_raw, XHW_NO_READING);
    EXPECT_EQ(user[1].m_raw, 0); // no user calibration there
}
