// Test label: threads
#include "emulators/emuBTPeer.h"
#include "emulators/emuPtyLogger.h"
#include "support/testWait.h"
#include "transport/zxCom.h"
#include "transport/zxStopWatch.h"
#include "transport/zxUSBDeviceV.h"
#include "transport/zxUSBSimDevice.h"
#include "transport/zxUSBSimHost.h"

#include <atomic>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// A read that is to get its bytes waits for them as long as any wait of the
// tests.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;
const char* const kAddress = "00-1a-7d-da-71-13";

TEST(Com, PortNumbersNameTheirLinks)
{
    const struct
    {
        int port;
        bool valid, serial, usb, bluetooth;
    } cases[] = {
        {0, false, false, false, false},  {1, true, true, false, false},    {99, true, true, false, false},
        {100, true, false, true, false},  {101, false, false, false, false}, {102, true, false, false, true},
        {103, true, false, false, false}, {104, false, false, false, false}, {-1, false, false, false, false},
    };
    for (const auto& c : cases) {
        CzxCom com;
        com.SetPort(c.port, wxString());
        EXPECT_EQ(com.IsValidPort(), c.valid) << c.port;
        EXPECT_EQ(com.IsSerial(), c.serial) << c.port;
        EXPECT_EQ(com.IsUSB(), c.usb) << c.port;
        EXPECT_EQ(com.IsBTPort(), c.bluetooth) << c.port;
        EXPECT_EQ(com.IsBluetooth(), c.bluetooth) << c.port;
        EXPECT_FALSE(com.IsOpen()) << c.port;
        EXPECT_EQ(com.GetOpenPort(), 0) << c.port;
        // USB and RFCOMM tell a closed link; the serial ports never do.
        EXPECT_EQ(com.GetStatus(), c.usb || c.bluetooth ? 8012 : -2) << c.port;
    }
}

TEST(Com, InvalidNumbersAndAUsbLinkWithoutDeviceNeverOpen)
{
    for (int port : {0, 101, 104, -1, 100}) {
        CzxCom com;
        com.SetPort(port, wxString());
        EXPECT_FALSE(com.Open()) << port;
        EXPECT_FALSE(com.IsOpen()) << port;
        uint8_t byte = 0;
        EXPECT_FALSE(com.Read(1, &byte, 0.0f)) << port;
        EXPECT_FALSE(com.Read(0, &byte, 0.0f)) << port; // closed: even nothing fails
        EXPECT_FALSE(com.Write(1, &byte)) << port;
        EXPECT_EQ(com.ReadByte(0.0f), -1) << port;
    }
}

// Serial port numbers reach the emulated logger's terminal through the
// device prefix: port n opens <folder>/tty<n>. How long each kind of open
// takes, with and without the pause, is measured by qv_link_bench.
class ComSerialTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_emu.IsOpen());
        char folder[] = "/tmp/qvcomXXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        m_folder = folder;
        for (int port : {2, 3, 5})
            ASSERT_EQ(::symlink(m_emu.SlavePath().c_str(), Link(port).c_str()), 0);
        ::setenv("QUORVANTI_SERIAL_PREFIX", (m_folder + "/tty").c_str(), 1);
    }
    void TearDown() override
    {
        m_com.Close(false);
        ::unsetenv("QUORVANTI_SERIAL_PREFIX");
        for (int port : {2, 3, 5})
            ::unlink(Link(port).c_str());
        ::rmdir(m_folder.c_str());
    }
    std::string Link(int port) const { return m_folder + "/tty" + std::to_string(port); }

    CemuPtyLogger m_emu;
    std::string m_folder;
    CzxCom m_com;
};

TEST_F(ComSerialTest, OpenPausesFromPortThreeOn)
{
    const struct
    {
        int port;
        bool pauses;
    } cases[] = {{2, false}, {3, true}, {5, true}};
    for (const auto& c : cases) {
        m_com.SetPort(c.port, wxString());
        CzxStopWatch watch;
        ASSERT_TRUE(m_com.Open()) << c.port;
        const long ms = watch.Time();
        EXPECT_EQ(m_com.GetOpenPort(), c.port);
        if (c.pauses) {
            EXPECT_GE(ms, 500) << c.port;
        }
        m_com.Close(false);
        EXPECT_FALSE(m_com.IsOpen());
    }
}

TEST_F(ComSerialTest, BluetoothLeNumberOpensTheNamedTerminal)
{
    m_com.SetPort(zxCOM_BLUETOOTH_LE, wxString());
    EXPECT_FALSE(m_com.Open()); // no device name: nothing to open
    m_com.SetPort(zxCOM_BLUETOOTH_LE, m_emu.SlavePath());
    CzxStopWatch watch;
    ASSERT_TRUE(m_com.Open());
    EXPECT_GE(watch.Time(), 500);
    EXPECT_TRUE(m_com.IsReady());
    EXPECT_FALSE(m_com.IsSerial());
}

TEST_F(ComSerialTest, IdentifiesTheEmulatedLogger)
{
    m_emu.Configure([](CemuLoggerConfig& c) {
        c.status = 37;
        c.id = 33;
        c.version = "1.30";
    });
    m_com.SetPort(2, wxString());
    ASSERT_TRUE(m_com.Open());
    uint8_t nothing = 0;
    EXPECT_TRUE(m_com.Read(0, &nothing, 0.0f));
    EXPECT_FALSE(m_com.Read(-1, &nothing, 0.0f));
    ASSERT_TRUE(m_com.WriteByte(13));
    EXPECT_EQ(m_com.ReadByte(kWaitSeconds), 37);
    ASSERT_TRUE(m_com.WriteByte(1));
    EXPECT_EQ(m_com.ReadByte(kWaitSeconds), 33);
    const uint8_t version = 2;
    ASSERT_TRUE(m_com.Write(1, &version));
    char text[4] = {};
    ASSERT_TRUE(m_com.Read(4, text, kWaitSeconds));
    EXPECT_EQ(std::string(text, 4), "1.30");
    EXPECT_EQ(m_emu.Received(), (std::vector<uint8_t>{13, 1, 2}));
}

TEST_F(ComSerialTest, ReadByteTimesOutWithinItsBound)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    m_com.SetPort(2, wxString());
    ASSERT_TRUE(m_com.Open());
    for (bool strict : {false, true}) {
        CzxStopWatch watch;
        EXPECT_EQ(strict ? m_com.ReadByteStrict(0.25f) : m_com.ReadByte(0.25f), -1);
        EXPECT_GE(watch.Time(), 250);
    }
}

TEST_F(ComSerialTest, CloseWithDrainWaitsForQueuedBytesWithinItsBound)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    m_com.SetPort(2, wxString());
    ASSERT_TRUE(m_com.Open());
    // Sent while the device takes them: the drain ends as soon as they went.
    // So many bytes that a drain waiting out its limit (1 s + 2 ms a byte)
    // would outlast the tests' bound twice.
    const size_t many = size_t(qvtest::kWaitBoundMs);
    std::vector<uint8_t> bytes(many, 0x55);
    ASSERT_TRUE(m_com.Write(uint32_t(many), bytes.data()));
    CzxStopWatch watch;
    m_com.Close(true);
    EXPECT_LT(watch.Time(), qvtest::kWaitBoundMs);
    EXPECT_TRUE(m_emu.WaitReceived(many));

    // Held back by the device: 1 s + 2 ms a byte, then closed with them unsent.
    ASSERT_TRUE(m_com.Open());
    ASSERT_EQ(::tcflow(m_emu.SlaveFd(), TCOOFF), 0);
    ASSERT_TRUE(m_com.Write(500, bytes.data()));
    watch.Start();
    m_com.Close(true);
    const long ms = watch.Time();
    ::tcflow(m_emu.SlaveFd(), TCOON);
    EXPECT_GE(ms, 1900);
    EXPECT_FALSE(m_com.IsOpen());
}

// The RFCOMM link on a simulated device; this thread serves the main
// thread's part while the box thread's work runs on a thread of its own.
class ComBluetoothTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_remote = std::make_shared<CemuBTRemote>();
        CemuBTPeer::Install(m_remote);
        m_com = std::make_unique<CzxCom>();
        m_com->GetBTDevice().SetPoster(nullptr);
        m_com->SetPort(zxCOM_RFCOMM, kAddress);
    }
    void TearDown() override
    {
        OnBox([this] { m_com->Close(false); });
        m_com.reset();
        CemuBTPeer::Uninstall();
    }
    long OnBox(const std::function<void()>& work)
    {
        std::atomic<bool> done{false};
        CzxStopWatch watch;
        std::thread box([&] {
            work();
            done = true;
        });
        EXPECT_TRUE(qvtest::WaitUntil([&] {
            m_com->GetBTDevice().ServiceRequests();
            return done.load();
        }));
        box.join();
        return watch.Time();
    }

    std::shared_ptr<CemuBTRemote> m_remote;
    std::unique_ptr<CzxCom> m_com;
};

TEST_F(ComBluetoothTest, OpenPausesAndReadsWaitThreeSecondsUnlessStrict)
{
    bool opened = false;
    long ms = OnBox([&] { opened = m_com->Open(); });
    ASSERT_TRUE(opened);
    EXPECT_GE(ms, 500);
    EXPECT_TRUE(m_com->IsReady());
    EXPECT_EQ(m_com->GetStatus(), -2);
    EXPECT_EQ(m_com->GetOpenPort(), zxCOM_RFCOMM);

    int byte = 0;
    ms = OnBox([&] { byte = m_com->ReadByte(0.5f); });
    EXPECT_EQ(byte, -1);
    EXPECT_GE(ms, 2999);
    ms = OnBox([&] { byte = m_com->ReadByteStrict(0.5f); });
    EXPECT_EQ(byte, -1);
    EXPECT_GE(ms, 500);

    m_remote->Configure([](CemuBTRemote::Setup& s) { s.answering = true; });
    m_remote->ConfigureLogger([](CemuLoggerConfig& c) { c.status = 36; });
    OnBox([&] {
        m_com->WriteByte(13);
        byte = m_com->ReadByte(kWaitSeconds);
    });
    EXPECT_EQ(byte, 36);
}

// Port 100 over a simulated USB logger: it opens without a pause, writes go
// out as counted reports (a message marks its first), and the logger's
// counted reports are read back as bytes.
TEST(ComUsb, CarriesBytesOverCountedReports)
{
    CzxUSBSimHost host;
    CzxUSBHostScope scope(host);
    auto logger = std::make_shared<CzxUSBSimDevice>(0x2F1A, 0x0100);
    host.Add(logger);
    CzxUSBDeviceV list;
    ASSERT_EQ(list.Scan(nullptr), 1);

    CzxCom com;
    com.SetPort(100, wxString());
    com.GetUSBPort().SetDevice(std::move(list.GetItem(0).m_itemDevice));
    ASSERT_TRUE(com.Open());
    EXPECT_TRUE(com.IsOpen());
    EXPECT_TRUE(com.IsReady());
    EXPECT_EQ(com.GetStatus(), -2);
    EXPECT_EQ(com.GetOpenPort(), 100);

    const uint8_t command[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_TRUE(com.WriteMessage(10, command));
    ASSERT_EQ(logger->GetWrittenCount(), 2u);
    EXPECT_EQ(logger->GetWritten(0)[1], 0x87);
    EXPECT_EQ(logger->GetWritten(1)[1], 0x03);
    EXPECT_TRUE(com.Write(3, command));
    ASSERT_EQ(logger->GetWrittenCount(), 3u);
    EXPECT_EQ(logger->GetWritten(2), std::vector<uint8_t>({0, 3, 1, 2, 3, 0, 0, 0, 0}));

    logger->SendStream(nullptr, 0);
    const uint8_t answer[9] = {0x55, 1, 2, 3, 4, 5, 6, 7, 8};
    logger->SendStream(answer, 9);
    EXPECT_EQ(com.ReadByte(kWaitSeconds), 0x55);
    uint8_t rest[8] = {};
    ASSERT_TRUE(com.Read(8, rest, kWaitSeconds));
    EXPECT_EQ(std::vector<uint8_t>(rest, rest + 8), std::vector<uint8_t>(answer + 1, answer + 9));
    CzxStopWatch watch;
    EXPECT_EQ(com.ReadByte(0.05f), -1);
    EXPECT_GE(watch.Time(), 50);

    com.Close(true);
    EXPECT_FALSE(com.IsOpen());
    EXPECT_EQ(com.GetStatus(), 8012);
    EXPECT_FALSE(com.Write(1, command));
    ASSERT_TRUE(com.Open());
    logger->Unplug();
    EXPECT_TRUE(qvtest::WaitUntil([&] { return !com.IsReady(); }));
    com.Abort();
    EXPECT_FALSE(com.IsOpen());
}

} // namespace
