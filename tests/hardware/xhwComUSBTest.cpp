// Test label: threads
// A serial-family logger behind a serial-type USB interface: the driver
// finds the device on a simulated USB bus, hands it to the COM port and
// speaks the byte commands over counted reports.
#include "app/base/gumResCore.h"
#include "emulators/emuSerialUSB.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwComDriver.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwSenFile.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kClock = 0xA1;

class ComDriverUsb : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        m_logger->With([](CemuSerialLogger& logger) {
            logger.Config().boxType = 8;
            logger.Identity().id = 40;
            logger.Identity().version = "1.02";
            logger.Identity().switchReply = 1; // no output accessory
            logger.Memory()[kClock + 5] = 26;  // a year the checks accept
            logger.Identity().sensorCode[0] = 2;
            logger.Identity().sensorType[0] = 1;
        });
    }

    void TearDown() override { xhwResetLink(Box()); }

    CxhwBox& Box() { return m_boxes.m_box; }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CzxUSBSimHost m_host;
    CzxUSBHostScope m_scope{m_host};
    std::shared_ptr<CemuSerialUSB> m_logger = std::make_shared<CemuSerialUSB>();
    CxhwBoxes m_boxes;
};

} // namespace

TEST_F(ComDriverUsb, LoggerIsFoundOpenedAndIdentified)
{
    m_host.Add(m_logger);
    ASSERT_TRUE(xhwOpenLink(Box(), BOX_LINK_USB, wxString(), nullptr));
    EXPECT_TRUE(Box().m_com.IsUSB());
    ASSERT_TRUE(xhwConnect(Box()));
    EXPECT_EQ(Box().m_info.m_hardware, 8);
    EXPECT_TRUE(Box().m_info.m_comIsPortUsb);
    EXPECT_EQ(Box().m_sensors[0].m_idCode, 2);
    EXPECT_EQ(Box().m_sensors[0].m_idType, 1);

    // Resetting the link lets the device go.
    xhwResetLink(Box());
    EXPECT_EQ(Box().m_com.GetUSBPort().GetDevice(), nullptr);
    EXPECT_FALSE(Box().m_com.IsOpen());
}

TEST_F(ComDriverUsb, NoSerialDeviceOnTheBus)
{
    EXPECT_FALSE(xhwOpenLink(Box(), BOX_LINK_USB, wxString(), nullptr));
    // A device of another kind is not taken for one.
    m_host.Add(std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0011));
    EXPECT_FALSE(xhwComOpen(Box(), BOX_LINK_USB, wxString(), nullptr));
    EXPECT_EQ(Box().m_com.GetUSBPort().GetDevice(), nullptr);
}
