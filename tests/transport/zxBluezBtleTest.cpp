// Test label: threads
#include "support/testWait.h"
#include "transport/zxBluezBtle.h"
#include "transport/zxBtle.h"
#include "transport/zxBtleManager.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const char kMock[] = QV_TEST_EMULATORS_DIR "/emuBluez.py";
const wxString kIdentifier = "00000000-0000-1000-8000-C0FFEE000001";

// One line from the descriptor, as far as it came within the tests' bound.
std::string ReadLine(int fd)
{
    std::string line;
    qvtest::WaitUntil([&] {
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0) {
            char c = 0;
            if (::read(fd, &c, 1) != 1)
                return true;
            if (c == '\n')
                return true;
            line += c;
        }
        return false;
    });
    return line;
}

// A private bus with the stand-in for BlueZ on it, and the shared central on
// the BlueZ platform pointed at that bus.
class Bluez : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!CzxBluezBtle::IsAvailable())
            GTEST_SKIP() << "built without GIO";
        FILE* daemon = ::popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        ASSERT_NE(daemon, nullptr);
        char line[512] = {};
        if (std::fgets(line, sizeof line, daemon))
            m_address = std::string(line).substr(0, std::string(line).find('\n'));
        if (std::fgets(line, sizeof line, daemon))
            m_daemon = std::atoi(line);
        ::pclose(daemon);
        ASSERT_FALSE(m_address.empty());
        ASSERT_GT(m_daemon, 0);

        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        m_mock = ::fork();
        ASSERT_GE(m_mock, 0);
        if (m_mock == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::setenv("DBUS_SESSION_BUS_ADDRESS", m_address.c_str(), 1);
            ::execl("/usr/bin/python3", "python3", kMock, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        m_mockOut = out[0];
        ASSERT_EQ(ReadLine(m_mockOut), "ready");

        ::setenv("QUORVANTI_BLUEZ_BUS", m_address.c_str(), 1);
        m_central.SetPlatform(std::make_unique<CzxBluezBtle>());
        m_central.SetMainQueue([](std::function<void()>) {});
        m_central.ClearLoggers();
        ASSERT_TRUE(qvtest::WaitUntil([&] { return m_central.IsPoweredOn(); }));
    }

    void TearDown() override
    {
        m_central.Close();
        m_central.SetPlatform(std::make_unique<CzxBtleAdapter>());
        ::unsetenv("QUORVANTI_BLUEZ_BUS");
        if (m_mock > 0) {
            ::kill(m_mock, SIGTERM);
            ::waitpid(m_mock, nullptr, 0);
        }
        if (m_mockOut >= 0)
            ::close(m_mockOut);
        if (m_daemon > 0)
            ::kill(m_daemon, SIGTERM);
    }

    CzxBtleManager& m_central = CzxBtleManager::Shared();
    std::string m_address;
    pid_t m_daemon = 0;
    pid_t m_mock = 0;
    int m_mockOut = -1;
};

} // namespace

TEST_F(Bluez, ScanFindsTheLoggerAndRemembersIt)
{
    EXPECT_EQ(m_central.GetStateText(), "Bluetooth is powered on");
    ASSERT_TRUE(m_central.ScanStart());
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_central.GetLoggerCount() >= 1; }));
    EXPECT_TRUE(m_central.ScanStop());
    wxString name, identifier;
    ASSERT_TRUE(m_central.GetLogger(0, name, identifier));
    EXPECT_EQ(name, "Kestilon BLE-1");
    EXPECT_EQ(identifier, kIdentifier);
    EXPECT_EQ(CzxBluezBtle::AddressOfIdentifier(identifier), "C0:FF:EE:00:00:01");
    EXPECT_EQ(m_central.GetIdentifiers().NameOf(kIdentifier), "Kestilon BLE-1");
}

TEST_F(Bluez, TheSelectedLoggerOpensAndExchangesBytes)
{
    ASSERT_TRUE(m_central.ScanStart());
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_central.GetLoggerCount() >= 1; }));
    m_central.ScanStop();
    CzxBtle port;
    port.SelectLogger(0);
    ASSERT_TRUE(port.HasLogger());
    ASSERT_TRUE(port.Reopen());
    EXPECT_TRUE(port.IsOpen());

    // The logger echoes each value: 25 bytes go out as 20 and 5 and come back.
    Bytes message(25);
    for (size_t i = 0; i < message.size(); ++i)
        message[i] = uint8_t(i * 7);
    ASSERT_TRUE(port.Write(message.data(), int32_t(message.size())));
    port.SetTimeout(qvtest::kWaitBoundMs / 1000.0f); // the echo is waited for
    Bytes got(25);
    ASSERT_TRUE(port.ReadStrict(got.data(), 25));
    EXPECT_EQ(got, message);

    // A value of 0xEE is answered with 21 bytes first, which never arrive.
    const Bytes oversize = {0xEE, 1, 2};
    ASSERT_TRUE(port.Write(oversize.data(), 3));
    Bytes echo(3);
    ASSERT_TRUE(port.ReadStrict(echo.data(), 3));
    EXPECT_EQ(echo, oversize);
    EXPECT_EQ(port.GetRXCount(), 0u);

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(m_central.GetPlatform().GetPeripheralState(kIdentifier), BTLE_PERIPHERAL_DISCONNECTED);
}

TEST(BluezIdentifiers, AddressesAndIdentifiersConvertBothWays)
{
    const struct
    {
        const char* address;
        const char* identifier;
    } cases[] = {
        {"C0:FF:EE:00:00:01", "00000000-0000-1000-8000-C0FFEE000001"},
        {"0a:1b:2c:3d:4e:5f", "00000000-0000-1000-8000-0A1B2C3D4E5F"},
        {"C0:FF:EE:00:00", ""},
        {"C0-FF-EE-00-00-01", ""},
        {"G0:FF:EE:00:00:01", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CzxBluezBtle::IdentifierOfAddress(c.address), c.identifier) << c.address;
        if (*c.identifier) {
            EXPECT_EQ(CzxBluezBtle::AddressOfIdentifier(c.identifier), wxString(c.address).Upper());
        }
    }
    EXPECT_EQ(CzxBluezBtle::AddressOfIdentifier("5A1E0001-7C3E-4A1D-9E85-3D6B20C4F9A1"), "");
}
