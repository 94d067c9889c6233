// Test label: threads
#include "emulators/emuPtyLogger.h"
#include "support/testWait.h"
#include "transport/zxSerialPort.h"
#include "transport/zxSerialReadWriteThread.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <numeric>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// A read that is to get its bytes waits for them as long as any wait of the
// tests.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;

std::vector<uint8_t> Pattern(size_t n, uint8_t first)
{
    std::vector<uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

class SerialPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_emu.IsOpen());
        m_port.SetPort(0, m_emu.SlavePath());
        ASSERT_TRUE(m_port.Open());
    }
    void TearDown() override { m_port.Close(); }

    CemuPtyLogger m_emu;
    CzxSerialPort m_port;
};

TEST_F(SerialPortTest, OpenMakesTheTerminalRaw9600EightNoneOne)
{
    termios t;
    ASSERT_EQ(::tcgetattr(m_emu.SlaveFd(), &t), 0);
    EXPECT_EQ(t.c_iflag & (IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                           IXOFF | IXANY),
              0u);
    EXPECT_EQ(t.c_oflag, 0u);
    EXPECT_EQ(t.c_cflag & (CSIZE | CSTOPB | CREAD | PARENB | PARODD | HUPCL | CLOCAL), tcflag_t(CS8 | CREAD | CLOCAL));
    EXPECT_EQ(t.c_lflag & (ECHO | ECHOE | ECHOK | ECHONL | ISIG | ICANON | IEXTEN | TOSTOP | NOFLSH), 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 10);
    EXPECT_EQ(::cfgetispeed(&t), speed_t(B9600));
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600));
    EXPECT_FLOAT_EQ(m_port.GetTimeout(), 1.0f);
}

TEST_F(SerialPortTest, TimeoutSetsTheTerminalsTenthsUpToItsLimit)
{
    const struct
    {
        float seconds;
        int vtime;
    } cases[] = {{2.5f, 25}, {0.05f, 0}, {25.5f, 255}, {30.0f, 255}};
    for (const auto& c : cases) {
        m_port.SetTimeout(c.seconds);
        termios t;
        ASSERT_EQ(::tcgetattr(m_emu.SlaveFd(), &t), 0);
        EXPECT_EQ(t.c_cc[VTIME], c.vtime) << c.seconds;
        EXPECT_EQ(t.c_cc[VMIN], 0);
    }
}

TEST_F(SerialPortTest, WritesArriveInOrderAndReadsTakeThemInOrder)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    const std::vector<uint8_t> out = Pattern(600, 3);
    ASSERT_TRUE(m_port.Write(out.data(), 100));
    ASSERT_TRUE(m_port.Write(out.data() + 100, 500));
    ASSERT_TRUE(m_emu.WaitReceived(600));
    EXPECT_EQ(m_emu.Received(), out);

    const std::vector<uint8_t> in = Pattern(1000, 17);
    ASSERT_TRUE(m_emu.Send(in));
    m_port.SetTimeout(kWaitSeconds);
    std::vector<uint8_t> got(1000);
    ASSERT_TRUE(m_port.Read(got.data(), 400));
    ASSERT_TRUE(m_port.Read(got.data() + 400, 600));
    EXPECT_EQ(got, in);
    EXPECT_EQ(m_port.GetRXCount(), 0u);
}

TEST_F(SerialPortTest, ExactReadTimesOutKeepingWhatCameForTheNextRead)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    ASSERT_TRUE(m_emu.Send({1, 2, 3}));
    ASSERT_EQ(m_port.WaitRXCount(3, qvtest::kWaitBoundMs), 3u);
    m_port.SetTimeout(0.3f);
    uint8_t got[4] = {};
    CzxStopWatch watch;
    EXPECT_FALSE(m_port.Read(got, 4));
    EXPECT_GE(watch.Time(), 300);
    EXPECT_EQ(m_port.GetRXCount(), 3u);

    ASSERT_TRUE(m_emu.Send({4}));
    m_port.SetTimeout(kWaitSeconds);
    ASSERT_TRUE(m_port.Read(got, 4));
    EXPECT_EQ(std::vector<uint8_t>(got, got + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST_F(SerialPortTest, ZeroTimeoutReadAnswersAtOnce)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    m_port.SetTimeout(0.0f);
    uint8_t got[3] = {};
    EXPECT_FALSE(m_port.Read(got, 3));
    ASSERT_TRUE(m_emu.Send({7, 8, 9}));
    ASSERT_EQ(m_port.WaitRXCount(3, qvtest::kWaitBoundMs), 3u);
    EXPECT_TRUE(m_port.Read(got, 3));
    EXPECT_EQ(got[2], 9);
}

TEST_F(SerialPortTest, EmulatedLoggerAnswersItsIdentification)
{
    m_emu.Configure([](CemuLoggerConfig& c) {
        c.status = 36;
        c.framing = CemuLoggerConfig::kCrLf;
        c.id = 69;
        c.version = "1.50";
        c.sensorCode[2] = 12;
        c.sensorType[2] = 34;
    });
    m_port.SetTimeout(kWaitSeconds);
    const uint8_t commands[] = {13, 1, 2, 4, 2};
    ASSERT_TRUE(m_port.Write(commands, 1));
    uint8_t status[3] = {};
    ASSERT_TRUE(m_port.Read(status, 3));
    EXPECT_EQ(std::vector<uint8_t>(status, status + 3), (std::vector<uint8_t>{13, 10, 36}));
    ASSERT_TRUE(m_port.Write(commands + 1, 2));
    uint8_t idAndVersion[5] = {};
    ASSERT_TRUE(m_port.Read(idAndVersion, 5));
    EXPECT_EQ(idAndVersion[0], 69);
    EXPECT_EQ(std::string(idAndVersion + 1, idAndVersion + 5), "1.50");
    ASSERT_TRUE(m_port.Write(commands + 3, 2));
    uint8_t sensor[2] = {};
    ASSERT_TRUE(m_port.Read(sensor, 2));
    EXPECT_EQ(sensor[0], 12);
    EXPECT_EQ(sensor[1], 34);
}

TEST_F(SerialPortTest, CloseWithBytesHeldBackReturnsPromptly)
{
    // The terminal stops sending, as a device holding its flow would.
    ASSERT_EQ(::tcflow(m_emu.SlaveFd(), TCOOFF), 0);
    const std::vector<uint8_t> out = Pattern(500, 0);
    ASSERT_TRUE(m_port.Write(out.data(), 500));
    EXPECT_GT(m_port.GetTXCount(), 0u);
    // The device lets its flow go again only once the close came back, or
    // when the tests' bound is over: a close that waits for the device ends
    // only then.
    std::atomic<bool> closed{false};
    std::atomic<bool> letGo{false};
    std::thread device([&] {
        qvtest::WaitUntil([&] { return closed.load(); });
        letGo = true;
        ::tcflow(m_emu.SlaveFd(), TCOON);
    });
    m_port.Close();
    EXPECT_FALSE(letGo) << "the close waited for the device";
    closed = true;
    device.join();
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(m_port.GetTXCount(), 0u);
}

TEST_F(SerialPortTest, FlushEmptiesBothDirections)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    ASSERT_TRUE(m_emu.Send({1, 2, 3}));
    ASSERT_EQ(m_port.WaitRXCount(3, qvtest::kWaitBoundMs), 3u);
    m_port.Flush();
    EXPECT_EQ(m_port.GetRXCount(), 0u);
    EXPECT_EQ(m_port.GetTXCount(), 0u);
}

TEST_F(SerialPortTest, ReopenStartsWithEmptyBuffers)
{
    m_emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    ASSERT_TRUE(m_emu.Send({5, 6}));
    ASSERT_EQ(m_port.WaitRXCount(2, qvtest::kWaitBoundMs), 2u);
    ASSERT_TRUE(m_port.Open());
    EXPECT_EQ(m_port.GetRXCount(), 0u);
    ASSERT_TRUE(m_emu.Send({9}));
    m_port.SetTimeout(kWaitSeconds);
    uint8_t byte = 0;
    ASSERT_TRUE(m_port.Read(&byte, 1));
    EXPECT_EQ(byte, 9);
}

TEST(SerialReadWriteThread, BytesTheDeviceRefusesStayQueuedUntilItTakesThem)
{
    CemuPtyLogger emu;
    ASSERT_TRUE(emu.IsOpen());
    emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    const int fd = ::open(emu.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t;
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    ::cfmakeraw(&t);
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
    CzxByteFIFO tx;
    CzxByteFIFO rx;
    const std::vector<uint8_t> out = Pattern(600, 9);
    ASSERT_TRUE(tx.Put(out.data(), 600));
    {
        // Not run as a thread: its steps are called here.
        CzxSerialReadWriteThread thread(fd, tx, rx);
        ASSERT_EQ(::tcflow(fd, TCOOFF), 0);
        EXPECT_FALSE(thread.Transfer());
        EXPECT_EQ(tx.GetCount(), 600u);
        ASSERT_EQ(::tcflow(fd, TCOON), 0);
        EXPECT_TRUE(thread.Transfer());
        EXPECT_EQ(tx.GetCount(), 0u);
        ASSERT_TRUE(emu.WaitReceived(600));
        EXPECT_EQ(emu.Received(), out);

        // A step that sends does not read; the next one takes what came.
        ASSERT_TRUE(emu.Send({1, 2, 3, 4, 5}));
        ASSERT_TRUE(tx.Put(out.data(), 1));
        EXPECT_TRUE(thread.Transfer());
        EXPECT_EQ(rx.GetCount(), 0u);
        ASSERT_TRUE(qvtest::WaitUntil([&] {
            thread.Transfer();
            return rx.GetCount() >= 5;
        }));
        ASSERT_EQ(rx.GetCount(), 5u);
        uint8_t got[5];
        ASSERT_TRUE(rx.Get(got, 5));
        EXPECT_EQ(std::vector<uint8_t>(got, got + 5), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    }
    ::close(fd);
}

} // namespace
