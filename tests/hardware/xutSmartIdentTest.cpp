#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"

#include <gtest/gtest.h>

TEST(SmartIdent, BuildsAndTakesApartIdentsAndIndexes)
{
    const int index = xutMakeSmartIdentBank(2, 1, 1, 3);
    EXPECT_EQ(index, 0x1001311);
    EXPECT_EQ(xutGetSmartIdentRange(index), 3);
    EXPECT_EQ(xutGetSmartIdentBank(index), 1);
    EXPECT_EQ(xutGetSmartIdentInput(index), 2);
    EXPECT_EQ(xutGetSmartIdentSub(index), 1);

    const int ident = xutMakeSmartIdent(5, 7, 0x11, 3);
    EXPECT_EQ(ident, 0x103112F);
    EXPECT_EQ(xutGetSmartIdentByte1(ident), 0x11);
    EXPECT_EQ(xutGetSmartIdentByte2(ident), 3);
    EXPECT_EQ(xutGetSmartIdentInput(ident), 5);
    EXPECT_EQ(xutGetSmartIdentSub(ident), 7);

    for (int classic : {255, 0, 0xFFFFFF, -1}) {
        EXPECT_EQ(xutGetSmartIdentInput(classic), -1);
        EXPECT_EQ(xutGetSmartIdentSub(classic), -1);
        EXPECT_EQ(xutGetSmartIdentByte1(classic), -1);
        EXPECT_EQ(xutGetSmartIdentByte2(classic), -1);
        EXPECT_EQ(xutGetSmartIdentBank(classic), -1);
        EXPECT_EQ(xutGetSmartIdentRange(classic), -1);
    }

    const int calTypes[] = {7, 8, 3, 9, 11, 2, 2, 2, 2, 7};
    for (int kind = 0; kind <= 9; ++kind)
        EXPECT_EQ(xutGetKindCalType(kind), calTypes[kind]) << kind;
}

TEST(SmartIdent, ValueCodes)
{
    EXPECT_EQ(xutMakeSigned16(0x6A, 0xFF), -150);
    EXPECT_EQ(xutMakeSigned16(0x34, 0x12), 0x1234);
    EXPECT_FLOAT_EQ(xutApplyDecimalCode(1234, 3), 1.234f);
    EXPECT_EQ(xutApplyDecimalCode(1234, 9), 12340.0f);
    EXPECT_EQ(xutApplyDecimalCode(1234, 0), 1234.0f);
    EXPECT_EQ(xutApplyDecimalCode(0x0FA0, 2), 40.0f);
    EXPECT_EQ(xutApplyDecimalCode(0x0FA0, 7), 40000.0f);

    EXPECT_EQ(xutGainToCode(1.0f), 0x8000);
    EXPECT_EQ(xutGainToCode(2.0f), 0xC000);
    EXPECT_EQ(xutGainToCode(0.25f), 0x4000);
    EXPECT_EQ(xutCodeToGain(0x3FFF), 1.0f);
    EXPECT_EQ(xutCodeToGain(0x4000), 0.5f);
    EXPECT_EQ(xutCodeToGain(0xC000), 1.5f);
    EXPECT_EQ(xutCodeToGain(0xC001), 1.0f);
    EXPECT_EQ(xutBytesToGain(0x00, 0x80), 1.0f);

    EXPECT_EQ(xutOffsetToCode(2, 1.5f), 150);
    EXPECT_EQ(xutOffsetToCode(2, -1.5f), 0xFF6A);
    EXPECT_EQ(xutOffsetToCode(0, 20000.0f), 16384);
    EXPECT_EQ(xutOffsetToCode(0, -20000.0f), 0x10000 - 16384);
    EXPECT_EQ(xutOffsetToCode(7, 1234.0f), 123);
    EXPECT_EQ(xutCodeToOffset(0x4001, 2), 0.0f);
    EXPECT_EQ(xutCodeToOffset(0x4001, 0), 0.0f);
    EXPECT_FLOAT_EQ(xutCodeToOffset(0xFF6A, 2), -1.5f);
    EXPECT_FLOAT_EQ(xutBytesToOffset(0x6A, 0xFF, 2), -1.5f);

    EXPECT_EQ(xutValueToInt(0, 40000.0f), 32768);
    EXPECT_EQ(xutValueToInt(0, -40000.0f), -32767);
    EXPECT_EQ(xutValueToInt(2, 1.234f), 123);
    EXPECT_EQ(xutValueToInt(2, 1000.0f), 32767);
    EXPECT_EQ(xutValueToCode(2, -1.5f), 0xFF6A);
    EXPECT_EQ(xutCodeToValue(0xFF6A, 2), -1.5f);
    EXPECT_EQ(xutCodeToValue(0x1FFFF, 0), -1.0f); // limited to 0xFFFF first
    EXPECT_EQ(xutBytesToValue(0xA0, 0x0F, 1), 400.0f);
    EXPECT_EQ(xutCodeToInt16(0x8000), -32768);
    EXPECT_EQ(xutCodeToInt16(-5), 0);
    EXPECT_EQ(xutInt16ToCode(-1), 0xFFFF);
    EXPECT_EQ(xutInt16ToCode(-40000), 0x10000 - 32767);
    EXPECT_EQ(xutInt16ToCode(40000), 32768);
}

TEST(SmartIdent, UpgradesOldNumbers)
{
    const int old = 256 + 2 * 256 + 1 * 32 + 1 * 16 + 3;
    EXPECT_EQ(xutOldGetInput(old), 2);
    EXPECT_EQ(xutOldGetSub(old), 1);
    EXPECT_EQ(xutOldGetBank(old), 1);
    EXPECT_EQ(xutOldGetRange(old), 3);
    EXPECT_EQ(xutOldToNewIndex(old), 0x1001311);
    EXPECT_EQ(xutOldToNewIndex(17), 17);
    EXPECT_EQ(xutOldToNewIdent(17, 1, 2), 17);
    // An input beyond the field never reaches the range or brand bits.
    EXPECT_EQ(xutOldToNewIndex(256 + 9 * 256) & ~0x1000038, 0);

    CxhwSensor sensor;
    sensor.m_calib.m_name = "Temperature";
    sensor.m_idCode = 256 + 2 * 256 + 1 * 32;
    sensor.m_calib.m_ident = sensor.m_idCode;
    sensor.m_calib.m_index = old;
    xutUpgradeSensorIdents(sensor);
    EXPECT_EQ(sensor.m_idCode, 0x1031111);
    EXPECT_EQ(sensor.m_calib.m_ident, 0x1031111);
    EXPECT_EQ(sensor.m_calib.m_index, 0x1001311);

    CxhwSenCalib calib;
    calib.m_name = "Something else";
    calib.m_ident = 256 + 32;
    calib.m_index = 5;
    xutUpgradeCalibIdents(calib);
    EXPECT_EQ(calib.m_ident, 0x1000001);
    EXPECT_EQ(calib.m_index, 5);
}
