#include "transport/zxUSBDeviceV.h"
#include "transport/zxUSBSimDevice.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class UsbScanTest : public ::testing::Test
{
protected:
    wxString Plug(int32_t vendor, int32_t product, int32_t release = 0x0100)
    {
        return m_host.Add(std::make_shared<CzxUSBSimDevice>(vendor, product, release));
    }

    CzxUSBSimHost m_host;
    CzxUSBHostScope m_scope{m_host};
};

// Only vendor 0x2F1A's own products in this list.
class CtestOwnDevices : public CzxUSBDeviceV
{
public:
    bool Accept(const CzxUSBDeviceVItem& item) override { return item.m_vendorId == 0x2F1A; }
};

TEST_F(UsbScanTest, AScanListsWhatIsPluggedInWithItsIdentity)
{
    const wxString first = Plug(0x2F1A, 0x0301, 0x0109);
    const wxString second = Plug(0x3A7C, 0x0010, 0x0200);
    CzxUSBDeviceV list;
    ASSERT_EQ(list.Scan(nullptr), 2);
    const CzxUSBDeviceVItem& item = list.GetItem(0);
    EXPECT_EQ(item.m_path, first);
    EXPECT_EQ(item.m_vendorId, 0x2F1A);
    EXPECT_EQ(item.m_productId, 0x0301);
    ASSERT_TRUE(item.m_itemDevice);
    EXPECT_FALSE(item.m_itemDevice->IsOpen());
    EXPECT_EQ(item.m_itemDevice->GetReleaseNumber(), 109);
    EXPECT_TRUE(item.m_itemDevice->IsProduct0301Old());
    EXPECT_EQ(item.m_itemDevice->GetReportLength(), 9);
    EXPECT_EQ(list.GetItem(1).m_path, second);
    EXPECT_EQ(list.GetItem(1).m_itemDevice->GetReportLength(), 65);
    EXPECT_EQ(list.FindPath(second), 1);
    EXPECT_EQ(list.FindPath("sim/usb/none"), -1);

    // A scan starts afresh.
    ASSERT_EQ(list.Scan(nullptr), 2);
    list.CloseAll();
    EXPECT_EQ(list.GetCount(), 0);
}

// Known paths and devices the list does not accept are left out; a full
// list takes no more; a system that cannot be asked lists nothing.
TEST_F(UsbScanTest, KnownRefusedAndTooManyAreLeftOut)
{
    Plug(0x2F1A, 0x0401);
    Plug(0x3A7C, 0x0105);
    const wxString third = Plug(0x2F1A, 0x0402);
    CtestOwnDevices known;
    ASSERT_EQ(known.Scan(nullptr), 2);
    known.CloseAll();
    ASSERT_TRUE(known.Add(0x2F1A, 0x0402, third));

    CtestOwnDevices fresh;
    ASSERT_EQ(fresh.Scan(&known), 1);
    EXPECT_EQ(fresh.GetItem(0).m_productId, 0x0401);

    for (int i = 0; i < 40; ++i)
        Plug(0x2F1A, 0x0100);
    CzxUSBDeviceV all;
    EXPECT_EQ(all.Scan(nullptr), CzxUSBDeviceV::kItems);

    m_host.SetBroken(true);
    EXPECT_EQ(all.Scan(nullptr), 0);
}

TEST(UsbIdentity, ReportLengthsAndModelTests)
{
    const struct
    {
        int32_t vendor, product;
        int length;
        bool range0400, product0011, product0011Or0021;
    } cases[] = {
        {0x3A7C, 0x0101, 65, true, false, false},  {0x3A7C, 0x010F, 65, true, false, false},
        {0x3A7C, 0x0110, 9, false, false, false},  {0x2F1A, 0x0400, 65, false, false, false},
        {0x2F1A, 0x0401, 65, true, false, false},  {0x2F1A, 0x040F, 65, true, false, false},
        {0x2F1A, 0x0410, 9, false, false, false},  {0x3A7C, 0x0010, 65, false, false, false},
        {0x3A7C, 0x0011, 65, false, true, true},   {0x3A7C, 0x0021, 65, false, false, true},
        {0x04D8, 0x003C, 65, false, true, true},   {0x2F1A, 0x0301, 9, false, false, false},
        {0x2F1A, 0x0100, 9, false, false, false},  {0x1234, 0x0010, 9, false, false, false},
    };
    for (const auto& c : cases) {
        CzxUSBDevice device;
        CzxUSBHostInfo info;
        info.m_path = "p";
        info.m_vendorId = c.vendor;
        info.m_productId = c.product;
        ASSERT_TRUE(device.ReadProperties(zxGetUSBHost(), info));
        EXPECT_EQ(device.GetReportLength(), c.length) << std::hex << c.vendor << ":" << c.product;
        EXPECT_EQ(device.IsProductRange0400(), c.range0400) << std::hex << c.vendor << ":" << c.product;
        EXPECT_EQ(device.IsProduct0011(), c.product0011) << std::hex << c.vendor << ":" << c.product;
        EXPECT_EQ(device.IsProduct0011Or0021(), c.product0011Or0021) << std::hex << c.vendor << ":" << c.product;
    }

    const struct
    {
        int32_t bcd;
        int number;
        bool oldOne;
    } releases[] = {{0x0109, 109, true}, {0x0110, 110, false}, {0x1234, 234, false}, {0x0099, 99, true}};
    for (const auto& r : releases) {
        CzxUSBDevice device;
        CzxUSBHostInfo info;
        info.m_path = "p";
        info.m_vendorId = 0x2F1A;
        info.m_productId = 0x0301;
        info.m_releaseBCD = r.bcd;
        ASSERT_TRUE(device.ReadProperties(zxGetUSBHost(), info));
        EXPECT_EQ(device.GetReleaseNumber(), r.number);
        EXPECT_EQ(device.IsProduct0301Old(), r.oldOne);
        EXPECT_EQ(device.IsProduct0301New(), !r.oldOne);
    }
}

// A listed device without a path cannot be opened, so it is not listed.
TEST_F(UsbScanTest, ADeviceWithoutAPathIsNotListed)
{
    CzxUSBDevice device;
    CzxUSBHostInfo info;
    info.m_vendorId = 0x2F1A;
    EXPECT_FALSE(device.ReadProperties(m_host, info));
    EXPECT_FALSE(device.Open());
}

} // namespace
