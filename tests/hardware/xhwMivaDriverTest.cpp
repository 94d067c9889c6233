// Test label: threads
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwMivaDriver.h"
#include "hardware/xhwUSBDeviceV.h"
#include "hardware/xutSmartBlock.h"
#include "protocol/xutPktCombo.h"
#include "protocol/xutPktSimDevice.h"
#include "emulators/emuPktUSBDevice.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using qvtest::SimPktDevice;

std::vector<unsigned char> OneSlotBlock()
{
    qvtest::SmartBlock block;
    qvtest::SmartSub sub;
    sub.list = {1};
    block.subs = {sub};
    qvtest::SmartRange range;
    range.use = 0x1E;
    block.ranges = {range};
    return block.Build();
}

class MivaDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_box.GetPktCombo().SetDefinitions(m_defs.get());
        xhwMivaSetDeviceSource(m_box, &m_source);
    }
    void TearDown() override { xhwMivaClose(m_box); }

    bool Connect(std::vector<SimPktDevice*> devices)
    {
        for (SimPktDevice* d : devices)
            m_source.Plug(d);
        CxhwUSBDeviceV list;
        return xhwMivaConnect(m_box, list);
    }

    std::unique_ptr<CxutSmartSenDefs> m_defs = std::make_unique<CxutSmartSenDefs>();
    qvtest::SimPktSource m_source;
    CxhwBoxes m_boxes;
    CxhwBox& m_box = m_boxes.m_box;
};

TEST_F(MivaDriverTest, IdentityIsComposedFromTheDevices)
{
    ASSERT_TRUE(Connect({SimPktDevice::Short("a", 0x0105), SimPktDevice::Short("b", 0x0112),
                         SimPktDevice::Packet("c", OneSlotBlock(), 0x0200)}));
    const CxutBoxInfo& info = m_box.m_info;
    EXPECT_EQ(info.m_hardware, BOX_TYPE_MIVA);
    EXPECT_FLOAT_EQ(info.m_firmware, 1.05f);
    EXPECT_EQ(info.m_maxSensors, 3);
    EXPECT_TRUE(info.m_comIsPortUsb);
    EXPECT_TRUE(info.m_mivaOldShort);
    EXPECT_TRUE(info.m_mivaNewShort);
    EXPECT_EQ(info.m_mivaOption, 1);
    EXPECT_EQ(info.m_commonVersion, -1);
    EXPECT_TRUE(m_box.m_packetLink);
    EXPECT_TRUE(m_box.HasFeature(22));
    EXPECT_TRUE(m_box.HasFeature(23));
    int mask = 0;
    ASSERT_TRUE(m_box.GetTimingMask(mask));
    EXPECT_EQ(mask, 7);
}

TEST_F(MivaDriverTest, ShortReportDevicesAloneHaveNoScope)
{
    ASSERT_TRUE(Connect({SimPktDevice::Short("a", 0x0112)}));
    EXPECT_FALSE(m_box.HasFeature(22));
    EXPECT_FALSE(m_box.HasFeature(23));
    EXPECT_TRUE(m_box.HasFeature(205));
    EXPECT_FALSE(m_box.HasFeature(207));
}

TEST_F(MivaDriverTest, NoDeviceNoLogger)
{
    CxhwUSBDeviceV list;
    EXPECT_FALSE(xhwMivaConnect(m_box, list));
}

TEST(MivaDriver, FindsItsDevicesOnTheUSBBus)
{
    CzxUSBSimHost host;
    CzxUSBHostScope scope(host);
    host.Add(std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0010)); // another logger kind
    auto device = CemuPktUSBDevice::Packet(OneSlotBlock(), 0x0200);
    host.Add(device);
    auto defs = std::make_unique<CxutSmartSenDefs>();
    CxhwBoxes boxes;
    CxhwBox& box = boxes.m_box;
    box.GetPktCombo().SetDefinitions(defs.get());
    ASSERT_TRUE(xhwOpenLink(box, BOX_LINK_USB, "", nullptr));
    EXPECT_EQ(box.m_info.m_hardware, BOX_TYPE_MIVA);
    EXPECT_FLOAT_EQ(box.m_info.m_firmware, 2.0f);
    EXPECT_EQ(box.m_info.m_maxSensors, 1);
    EXPECT_EQ(box.m_info.m_mivaOption, 1);
    EXPECT_EQ(device->GetOpenCount(), 1);
    xhwMivaClose(box);
}

TEST(MivaDriver, FastRunPeriodInWholeMicroseconds)
{
    const struct
    {
        double seconds;
        int us;
    } cases[] = {{0.02, 10000}, {0.0000004, 1}, {0.0001, 100}, {0.00000151, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(xhwMivaFastPeriodUs(c.seconds), c.us) << c.seconds;
}

TEST_F(MivaDriverTest, OutputsGoOnlyToInputsWithOutputAccessories)
{
    SimPktDevice* outputs = SimPktDevice::Short("a");
    SimPktDevice* sensor = SimPktDevice::Short("b");
    outputs->SetIdentity(0, 136, 1);
    sensor->SetIdentity(0, 23, 2);
    ASSERT_TRUE(Connect({outputs, sensor}));
    int values[6];
    ASSERT_TRUE(xhwMivaCheckLink(m_box, false, values));
    ASSERT_EQ(m_box.GetOutputDeviceMask(), 1);

    m_box.SetRequestedOutputs(3);
    ASSERT_TRUE(xhwMivaCheckLink(m_box, false, values));
    EXPECT_EQ(outputs->Written().back()[7], 1);
    EXPECT_EQ(sensor->Written().back()[7], 0);
    const size_t sent = outputs->Written().size();
    ASSERT_TRUE(xhwMivaSetOutputs(m_box, 3, false)); // unchanged: nothing sent
    EXPECT_EQ(outputs->Written().size(), sent);
    ASSERT_TRUE(xhwMivaSetOutputs(m_box, 0, false));
    EXPECT_EQ(outputs->Written().back()[7], 0);
}

TEST_F(MivaDriverTest, TimingRunGoesOnThroughQuietSpells)
{
    SimPktDevice* gate = SimPktDevice::Packet("a", OneSlotBlock());
    ASSERT_TRUE(Connect({gate}));
    m_box.m_timing.Clear();
    ASSERT_TRUE(xhwMivaStartTiming(m_box));
    ASSERT_TRUE(xhwMivaReadTiming(m_box)); // the inputs' state at the start
    CxutTimerStatus status;
    CxutTimerEvent events[4];
    ASSERT_EQ(m_box.m_timing.Take(status, events, 4), 1u);
    EXPECT_EQ(events[0].Ticks, 1u);
    EXPECT_EQ(events[0].States, 0);

    // Nothing happens at the gate: the run goes on.
    ASSERT_TRUE(xhwMivaReadTiming(m_box));
    ASSERT_TRUE(xhwMivaReadTiming(m_box));
    EXPECT_EQ(m_box.m_timing.Take(status, events, 4), 0u);

    gate->AddEvent(3 * 2500, 1, 1);
    gate->AddEvent(3 * 4000, 1, 2); // the same state: status only
    gate->AddEvent(3 * 700, 0, 3);
    std::vector<CxutTimerEvent> got;
    ASSERT_TRUE(qvtest::WaitUntil([&] {
        if (!xhwMivaReadTiming(m_box))
            return true;
        const uint32_t n = m_box.m_timing.Take(status, events, 4);
        got.insert(got.end(), events, events + n);
        return got.size() >= 2;
    }));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].States, 1);
    EXPECT_EQ(got[1].States, 0);
    EXPECT_EQ(got[1].Ticks, 700u);
    EXPECT_EQ(status.States, 0);
    EXPECT_TRUE(xhwMivaStopTiming(m_box));
}

} // namespace
