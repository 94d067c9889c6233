// Test label: threads
// The hand-over of box types 10 and 12 to their USB boot loader for a
// system installation, against the emulated logger on a simulated USB bus.
#include "app/base/gumResCore.h"
#include "emulators/emuBootLoader.h"
#include "emulators/emuXLoggerFar.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xhwSystemTestFiles.h"
#include "protocol/xutXLFlash.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class KestilonBoot : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
    }

    void TearDown() override { xhwResetLink(Box()); }

    void Connect(bool usb)
    {
        m_far = std::make_unique<CemuXLoggerFar>(usb);
        if (usb) {
            // The boot loader comes on the bus once the logger restarts.
            m_bootLoader = std::make_shared<CemuBootLoader>(0x3A7C, 0x0011);
            m_bootLoader->Unplug();
            m_far->Host().Add(m_bootLoader);
            m_far->Device().SetBootLoader(m_bootLoader);
        }
        ASSERT_TRUE(xhwKestilonOpen(Box(), usb ? BOX_LINK_USB : BOX_LINK_BTLE, wxString(), nullptr));
        ASSERT_TRUE(xhwKestilonIdentify(Box(), false, false));
        m_far->With([](CemuXLogger& logger) { logger.ClearReceived(); });
    }

    std::vector<uint8_t> Sent()
    {
        std::vector<uint8_t> sent;
        m_far->With([&](CemuXLogger& logger) { sent = logger.Received(); });
        return sent;
    }

    CxhwBox& Box() { return m_boxes.m_box; }

    CtestSystemFolder m_system;
    CgumResCore m_res;
    CxhwSenFile m_db;
    std::unique_ptr<CemuXLoggerFar> m_far;
    std::shared_ptr<CemuBootLoader> m_bootLoader;
    CxhwBoxes m_boxes;
};

} // namespace

TEST_F(KestilonBoot, RestartsTheLoggerInItsBootLoaderAndLetsTheDeviceGo)
{
    Connect(true);
    ASSERT_TRUE(xhwKestilonRestartInBootLoader(Box()));
    // One output report: the command, padded.
    std::vector<uint8_t> report(64, 0);
    report[0] = 'F';
    EXPECT_EQ(Sent(), report);
    EXPECT_FALSE(Box().m_xlogger.IsOpen());
    EXPECT_EQ(Box().m_xlogger.GetUSBPort()->GetDevice(), nullptr);
    // Only the boot loader is left on the bus, free for its installer.
    CxhwUSBDeviceV list;
    list.ScanAll();
    EXPECT_EQ(list.CountCommandDevices(), 0);
    EXPECT_EQ(list.CountBootLoaders(), 1);
}

TEST_F(KestilonBoot, NeedsAReadyUsbLink)
{
    // Over Bluetooth LE nothing is sent and the cable is asked for.
    Connect(false);
    Box().m_install.m_result = SYSTEM_RESULT_DONE;
    EXPECT_FALSE(xhwKestilonRestartInBootLoader(Box()));
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_NEEDS_USB);
    Box().m_install.m_result = SYSTEM_RESULT_DONE;
    xhwKestilonInstallSystem(Box());
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_NEEDS_USB);
    EXPECT_TRUE(Box().m_xlogger.IsOpen()) << "the link stays";
    const std::vector<uint8_t> sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), uint8_t('F')), 0);

    // A USB logger whose link has closed.
    xhwResetLink(Box());
    m_far.reset();
    Connect(true);
    Box().m_xlogger.Close();
    Box().m_install.m_result = SYSTEM_RESULT_DONE;
    EXPECT_FALSE(xhwKestilonRestartInBootLoader(Box()));
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_NEEDS_USB);
    EXPECT_TRUE(m_far->Device().IsPlugged());
}

TEST_F(KestilonBoot, TheBootLoaderInstallsTheFirmwareOnceTheLoggerHasRestarted)
{
    std::vector<uint8_t> code;
    for (int i = 0; i < 16; ++i)
        code.push_back(uint8_t(0x40 + i));
    m_system.WriteText("Kestilon.hex", {HexRecord(4, 0, {0x00, 0x00}), HexRecord(0, 0x20, code), HexEnd()});
    Connect(true);
    Box().SetState(BOX_STATE_CONNECT);
    Box().m_install.m_result = SYSTEM_RESULT_NO_ANSWER;
    EXPECT_TRUE(xhwKestilonInstallSystem(Box()));
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_DONE);
    for (uint32_t a = 0; a < 16; ++a)
        EXPECT_EQ(m_bootLoader->ByteAt(0x20 + a), 0x40 + int(a)) << a;
    EXPECT_EQ(m_bootLoader->Count(BOOT_CMD_RESET), 1);
}

TEST_F(KestilonBoot, ALoggerWhoseBootLoaderNeverComesIsReportedLost)
{
    Connect(true);
    m_far->Device().SetBootLoader(nullptr);
    Box().SetState(BOX_STATE_CONNECT);
    EXPECT_FALSE(xhwKestilonInstallSystem(Box()));
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_NO_ANSWER);
}
