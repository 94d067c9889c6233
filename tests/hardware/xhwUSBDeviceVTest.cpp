#include "hardware/xhwUSBDeviceV.h"
#include "support/testBoxes.h"
#include "transport/zxUSBSimDevice.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// This machine has none of the maker's USB devices: the system's scan finds
// nothing and says nothing.
TEST(UsbSystemScan, FindsNothingAndReportsNoError)
{
    qvtest::CtestBoxes boxes;
    CxhwUSBDeviceV list;
    EXPECT_EQ(list.ScanAll(), 0);
    EXPECT_EQ(list.ScanPacketDevices(nullptr), 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_TRUE(boxes.m_calls.empty());
}

// A scan for one kind keeps only the maker's devices of that kind.
TEST(UsbSystemScan, AKindScanKeepsItsKindOnly)
{
    CzxUSBSimHost host;
    CzxUSBHostScope scope(host);
    host.Add(std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0010));
    host.Add(std::make_shared<CzxUSBSimDevice>(0x2F1A, 0x0301));
    host.Add(std::make_shared<CzxUSBSimDevice>(0x1234, 0x5678));
    host.Add(std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0105));
    CxhwUSBDeviceV list;
    EXPECT_EQ(list.ScanAll(), 3);
    EXPECT_EQ(list.ScanPacketDevices(nullptr), 2);
    EXPECT_EQ(list.CountPacketDevices(), 2);
    ASSERT_NE(list.GetPacketDevice(1), nullptr);
    EXPECT_TRUE(list.GetPacketDevice(1)->m_itemDevice);
    EXPECT_EQ(list.ScanCommandDevices(), 1);
    EXPECT_EQ(list.ScanBootLoaders(), 0);
}

} // namespace
