#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwUSBDeviceV.h"

#include <gtest/gtest.h>

TEST(UsbDevices, KindsByVendorAndProduct)
{
    const struct
    {
        int vendor;
        int product;
        int kind;
    } cases[] = {
        {0x04D8, 0x003C, USB_KIND_BOOT},    {0x04D8, 0x003D, USB_KIND_NONE},
        {0x3A7C, 0x0010, USB_KIND_COMMAND}, {0x3A7C, 0x0020, USB_KIND_COMMAND},
        {0x3A7C, 0x0011, USB_KIND_BOOT},    {0x3A7C, 0x0021, USB_KIND_BOOT},
        {0x3A7C, 0x0101, USB_KIND_PACKET},  {0x3A7C, 0x010F, USB_KIND_PACKET},
        {0x3A7C, 0x0110, USB_KIND_NONE},    {0x3A7C, 0x0100, USB_KIND_NONE},
        {0x2F1A, 0x0100, USB_KIND_SERIAL},  {0x2F1A, 0x0118, USB_KIND_SERIAL},
        {0x2F1A, 0x0120, USB_KIND_SERIAL},  {0x2F1A, 0x0128, USB_KIND_SERIAL},
        {0x2F1A, 0x0130, USB_KIND_SERIAL},  {0x2F1A, 0x0119, USB_KIND_NONE},
        {0x2F1A, 0x0301, USB_KIND_PACKET},  {0x2F1A, 0x0302, USB_KIND_NONE},
        {0x2F1A, 0x0400, USB_KIND_PACKET},  {0x2F1A, 0x040F, USB_KIND_PACKET},
        {0x2F1A, 0x0410, USB_KIND_NONE},    {0x1234, 0x0010, USB_KIND_NONE},
    };
    for (const auto& c : cases) {
        CxhwUSBDeviceV list;
        ASSERT_TRUE(list.Add(c.vendor, c.product, "/usb/1"));
        int kind = -1;
        EXPECT_EQ(list.Classify(list.GetItem(0), kind), c.kind != USB_KIND_NONE)
            << std::hex << c.vendor << ":" << c.product;
        EXPECT_EQ(kind, c.kind) << std::hex << c.vendor << ":" << c.product;
    }
}

// Counts and getters take only the devices of the wanted kind: after a scan
// for packet devices a command-protocol logger is not counted.
TEST(UsbDevices, CountsFollowTheWantedKind)
{
    CxhwUSBDeviceV list;
    list.Add(0x3A7C, 0x0010, "/usb/command");
    list.Add(0x2F1A, 0x0301, "/usb/packet1");
    list.Add(0x3A7C, 0x0105, "/usb/packet2");
    list.Add(0x2F1A, 0x0302, "/usb/other");
    EXPECT_EQ(list.CountCommandDevices(), 1);
    EXPECT_EQ(list.CountPacketDevices(), 2);
    EXPECT_EQ(list.CountSerialDevices(), 0);
    ASSERT_NE(list.GetPacketDevice(1), nullptr);
    EXPECT_EQ(list.GetPacketDevice(1)->m_path, "/usb/packet2");
    EXPECT_EQ(list.GetPacketDevice(2), nullptr);
    EXPECT_EQ(list.FindPath("/usb/other"), 3);

    list.ScanPacketDevices(nullptr); // no platform devices: the list empties
    EXPECT_EQ(list.GetWantedKind(), USB_KIND_PACKET);
    list.Add(0x3A7C, 0x0010, "/usb/command");
    EXPECT_EQ(list.CountCommandDevices(), 0);
    EXPECT_EQ(list.GetCommandDevice(0), nullptr);

    for (int i = 1; i < CzxUSBDeviceV::kItems; ++i)
        EXPECT_TRUE(list.Add(0x3A7C, 0x0010, "/usb/more"));
    EXPECT_FALSE(list.Add(0x3A7C, 0x0010, "/usb/full"));
}

// Port 101 needs no device and never fails; port 100 without any USB device
// forgets the logger.
TEST(LinkOpening, SimulatedAndEmptyUsb)
{
    CxhwBox box;
    ASSERT_TRUE(xhwOpenLink(box, BOX_LINK_SIMULATED, wxString(), nullptr));
    EXPECT_EQ(box.m_linkKind, BOX_LINK_SIMULATED);
    EXPECT_EQ(box.m_info.m_hardware, BOX_TYPE_SIMULATED);
    EXPECT_EQ(box.m_info.m_maxSensors, 4);
    EXPECT_TRUE(box.m_info.m_varnok);
    EXPECT_TRUE(box.m_info.m_changed);
    EXPECT_TRUE(xhwIsLinkOpen(box, true, true));

    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_CLOCK;
    box.SetRequest(request);
    EXPECT_FALSE(xhwOpenLink(box, BOX_LINK_USB, wxString(), nullptr));
    EXPECT_EQ(box.m_linkKind, BOX_LINK_USB);
    EXPECT_EQ(box.m_info.m_hardware, BOX_TYPE_NONE);
    CxutBoxRequest slot;
    box.GetRequest(slot);
    EXPECT_EQ(slot.m_code, BOX_REQUEST_NONE); // the reset dropped the request
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    EXPECT_EQ(info.m_info.m_hardware, BOX_TYPE_NONE);

    // A serial port may open where the machine has one, but no logger
    // answers there, and a failed check resets.
    xhwOpenLink(box, 1, "/dev/ttyS0", nullptr);
    EXPECT_FALSE(xhwIsLinkOpen(box, true, false));
    EXPECT_FALSE(xhwConnect(box));
}
