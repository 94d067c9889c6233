#include "transport/zxBTPairedDevices.h"
#include "transport/zxBTDevice.h"

#include <gtest/gtest.h>

namespace {

TEST(BTPairedDevices, BluezAddressesBecomeTheLinksText)
{
    const wxString text = zxBTAddressFromBluez("00:1A:7D:DA:71:13");
    EXPECT_EQ(text, "00-1a-7d-da-71-13");
    CzxBTAddress address;
    EXPECT_TRUE(zxBdaFromText(text, address));
}

TEST(BTPairedDevices, ListingWithoutBluezAnswersWithinItsBound)
{
    // This machine may have no system bus or no BlueZ: the list is then
    // refused or empty, never stuck.
    std::vector<CzxBTPairedDevice> devices(1);
    const bool listed = zxBTListPairedDevices(devices);
    if (!listed) {
        EXPECT_TRUE(devices.empty());
    }
    for (const CzxBTPairedDevice& device : devices) {
        CzxBTAddress address;
        EXPECT_TRUE(zxBdaFromText(device.m_address, address)) << device.m_address;
    }
}

} // namespace
