#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwMivaDriver.h"
#include "protocol/xutBoxInfo.h"

#include <gtest/gtest.h>
#include <wx/intl.h>

TEST(FeatureTable, FirmwareBoundaries)
{
    struct Case
    {
        int type;
        int feature;
        float below;
        float from;
    } cases[] = {
        {BOX_TYPE_ZEMBROW, 22, 1.01f, 1.02f},  {BOX_TYPE_ZEMBROW, 23, 1.01f, 1.02f},
        {BOX_TYPE_ZEMBROW, 24, 1.01f, 1.02f},  {BOX_TYPE_TUNDRANE, 14, 1.07f, 1.08f},
        {BOX_TYPE_TUNDRANE, 24, 1.08f, 1.09f},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(xhwIsFeatureSupported(c.feature, c.type, c.below)) << c.type << "/" << c.feature;
        EXPECT_TRUE(xhwIsFeatureSupported(c.feature, c.type, c.from)) << c.type << "/" << c.feature;
        // The version a logger reports as text may come back a hair below.
        EXPECT_TRUE(xhwIsFeatureSupported(c.feature, c.type, c.from - 1e-6f));
    }
}

TEST(FeatureTable, TypesAndFeaturesWithoutTable)
{
    for (int type : {int(BOX_TYPE_UNKNOWN), int(BOX_TYPE_KESTILON_BOOT), int(BOX_TYPE_TUNDRANE2_BOOT), 15, -1})
        for (int feature : {1, 6, 22, 107, 215})
            EXPECT_FLOAT_EQ(xhwGetFeatureVersion(type, feature), 9.0f) << type << "/" << feature;
    for (int feature : {0, 106, 108, 110, 202, 212, 214, 216})
        EXPECT_FLOAT_EQ(xhwGetFeatureVersion(BOX_TYPE_ZEMBROW, feature), 9.0f) << feature;
    EXPECT_FLOAT_EQ(xhwGetFeatureVersion(BOX_TYPE_SIMULATED, 11), 0.0f);
    EXPECT_FALSE(xhwIsFeatureSupported(6, BOX_TYPE_NONE, 9.0f));
    EXPECT_TRUE(xhwIsFeatureSupported(999, BOX_TYPE_MIVA, 0.0f)); // no identity to ask
    EXPECT_FALSE(xhwIsFeatureSupported(1, BOX_TYPE_TUNDRANE, 5.0f));
}

TEST(FeatureTable, MivaAsksItsOptionFlag)
{
    CxutBoxInfo miva;
    miva.m_hardware = BOX_TYPE_MIVA;
    EXPECT_TRUE(xutHasFeature(6, miva));
    EXPECT_FALSE(xutHasFeature(22, miva));
    EXPECT_FALSE(xutHasFeature(5, miva));
    miva.m_mivaOption = 1;
    EXPECT_TRUE(xutHasFeature(22, miva));
    EXPECT_TRUE(xutHasFeature(23, miva));
    CxutBoxInfo none;
    EXPECT_FALSE(xutHasFeature(6, none));
}

TEST(BoxConstants, PerType)
{
    struct Case
    {
        int type;
        int slots;
        bool nameStamp;
        double tickUs;
        int power;
        int inputs;
        int timingMask;
    } cases[] = {
        {0, 0, true, 32, 0, 3, 0},
        {BOX_TYPE_UNKNOWN, 0, false, 32, 0, 3, 0},
        {BOX_TYPE_3, 0, false, 32, -1, 3, 7},
        {BOX_TYPE_PARDOVINE, 4, false, 32.11838, -1, 3, 7},
        {BOX_TYPE_LUMIVASTA, 127, false, 1, -1, 6, 63},
        {BOX_TYPE_CINDRALLY, 0, false, 32, 103, 3, 0},
        {BOX_TYPE_KESTILON, 8, true, 1.0 / 3.0, 103, 4, 15},
        {BOX_TYPE_KESTILON_BOOT, 0, false, 1.0 / 3.0, 102, 4, 15},
        {BOX_TYPE_TUNDRANE2, 8, true, 1.0 / 3.0, 103, 4, 1},
        {BOX_TYPE_SIMULATED, 4, false, 32, 60, 4, 15},
        {15, 0, false, 32, 0, 3, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(xhwGetStoredFileSlots(c.type), c.slots) << c.type;
        EXPECT_EQ(xhwUsesNameStamp(c.type), c.nameStamp) << c.type;
        EXPECT_DOUBLE_EQ(xhwGetTimingTickMicroseconds(c.type), c.tickUs) << c.type;
        CxhwBox box;
        box.m_info.m_hardware = c.type;
        if (c.power >= 0) { // else read from the logger
            EXPECT_EQ(box.GetPower(), c.power) << c.type;
        }
        EXPECT_EQ(box.GetInputCount(), c.inputs) << c.type;
        int mask = -5;
        if (c.type != BOX_TYPE_CINDRALLY) { // its mask is read from the logger
            EXPECT_TRUE(box.GetTimingMask(mask)) << c.type;
            EXPECT_EQ(mask, c.timingMask) << c.type;
        }
    }
    CxhwBox boot;
    boot.m_info.m_hardware = BOX_TYPE_KESTILON_BOOT;
    EXPECT_EQ(boot.GetPowerOf(1), 0);
    boot.m_info.m_hardware = BOX_TYPE_SIMULATED;
    EXPECT_EQ(boot.GetPowerOf(1), 60);
    EXPECT_EQ(boot.GetPowerOf(2), 0);
}

TEST(BoxConstants, TimingInputsNeedFeature6AndSensorsThatTime)
{
    CxutBoxInfo info;
    CxhwSensorV sensors;
    for (int i = 0; i < 6; ++i) {
        sensors[i].m_idCode = 17;
        sensors[i].m_idType = sensors[i].m_calType = 0x83; // a second-bank gate
    }
    info.m_hardware = BOX_TYPE_KESTILON_BOOT; // feature 6 never
    EXPECT_EQ(xhwGetTimingIdentify(info, sensors, 15), 0);
    info.m_hardware = BOX_TYPE_PARDOVINE;
    info.m_maxSensors = 3;
    EXPECT_EQ(xhwGetTimingIdentify(info, sensors, 1), 7); // no feature 15: mask unused
    sensors[1].m_enable = false;
    sensors[2].m_idCode = 0;
    EXPECT_EQ(xhwGetTimingIdentify(info, sensors, 7), 1);
    info.m_hardware = BOX_TYPE_TUNDRANE; // feature 15: the mask limits
    sensors[1].m_enable = true;
    EXPECT_EQ(xhwGetTimingIdentify(info, sensors, 1), 1);
    EXPECT_EQ(xhwGetTimingIdentify(info, sensors, 3), 3);
}

TEST(BoxConstants, OutputDevicesAndSimulatedOutputs)
{
    CxhwBox box;
    box.m_info.m_hardware = BOX_TYPE_PARDOVINE; // feature 4, three inputs
    for (int i = 0; i < 6; ++i)
        box.m_sensors[i].m_idCode = 136;
    box.m_sensors[1].m_enable = false;
    EXPECT_EQ(box.GetOutputDeviceMask(), 5);
    box.m_info.m_hardware = BOX_TYPE_2; // no feature 4
    EXPECT_EQ(box.GetOutputDeviceMask(), 0);

    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    EXPECT_TRUE(box.SetOutputs(5, false));
    EXPECT_EQ(box.m_run.m_lastSentOutputs, 5);
    box.m_run.m_lastSentOutputs = 9; // pretend the mask went out differently
    EXPECT_TRUE(box.SetOutputs(9, false)); // the same mask: nothing stored
    EXPECT_EQ(box.m_run.m_lastSentOutputs, 9);
    box.SwitchOutputsOff();
    EXPECT_EQ(box.m_run.m_lastSentOutputs, 0);
    box.m_info.m_hardware = BOX_TYPE_NONE;
    EXPECT_FALSE(box.SetOutputs(1, true));
}

TEST(BoxConstants, InputColours)
{
    EXPECT_EQ(xhwGetInputColourIndex(BOX_TYPE_KESTILON, 5, 6), 37);
    EXPECT_EQ(xhwGetInputColourIndex(BOX_TYPE_LUMIVASTA, 5, 0), 56);
    EXPECT_EQ(xhwGetInputColourIndex(BOX_TYPE_MIVA, 6, 3), 46);
    EXPECT_EQ(xhwGetInputColourIndex(BOX_TYPE_CINDRALLY, 2, 1), 51);
    EXPECT_EQ(xhwGetInputColourIndex(BOX_TYPE_3, 4, 0), 36);
    EXPECT_EQ(xhwGetInputColourIndex(BOX_TYPE_3, -1, -1), 42); // never out of the table
    CxhwBox box;
    box.m_info.m_hardware = BOX_TYPE_KESTILON; // its own type: the four-input table
    EXPECT_EQ(box.GetInputColourIndex(BOX_TYPE_KESTILON, 3, 0), 48);
    EXPECT_EQ(box.GetInputColourIndex(BOX_TYPE_SIMULATED, 3, 0), 44);
}

TEST(BoxConstants, DisplayNames)
{
    CxutBoxInfo info;
    info.m_hardware = BOX_TYPE_PARDOVINE;
    info.m_model = "1000";
    info.m_firmware = 2.05f;
    wxString name;
    xhwGetBoxName(name, 0, info);
    EXPECT_EQ(name, gumGetString(13) + " 1000 " + _("version") + " 2.05");

    info.m_varnok = true;
    info.m_compatible = true;
    xhwGetBoxName(name, 1, info);
    EXPECT_EQ(name, gumGetString(13) + " 1000 " + _("(or compatible)") + " " + _("version")
                        + " 2.05" + _(", plus control interface"));
    xhwGetBoxName(name, 2, info);
    EXPECT_EQ(name, gumGetString(13) + " 1000 " + _("(or compatible)"));

    CxutBoxInfo miva;
    miva.m_hardware = BOX_TYPE_MIVA;
    miva.m_firmware = 1.05f;
    miva.m_mivaNewShort = true;
    xhwGetBoxName(name, 0, miva); // no common version: shown without one
    EXPECT_EQ(name, _("Miva"));
    miva.m_commonVersion = 112;
    xhwGetBoxName(name, 0, miva);
    EXPECT_EQ(name, _("Miva") + " " + _("version") + " 1.12");

    CxutBoxInfo kestilon;
    kestilon.m_hardware = BOX_TYPE_TUNDRANE2_BOOT;
    kestilon.m_firmware = 1.0f;
    xhwGetBoxName(name, 0, kestilon);
    EXPECT_EQ(name, _("Tundrane 2 Bootloader") + " " + _("version") + " 1.00");
}
