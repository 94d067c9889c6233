// Test label: threads
#include "support/testWait.h"
#include "transport/zxBtle.h"
#include "transport/zxBtleManager.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

const wxString kLogger = "5A1E0001-7C3E-4A1D-9E85-3D6B20C4F9A1";

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// A read that is to get its bytes waits for them as long as any wait of the
// tests.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;

Bytes Counting(size_t n, uint8_t first = 0)
{
    Bytes bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(first + i);
    return bytes;
}

// The shared central on a fresh simulated adapter with one logger in range,
// selected, as the options hand it over at start-up.
class BtlePort : public testing::Test
{
protected:
    void SetUp() override
    {
        m_central.SetPlatform(std::make_unique<CzxBtleAdapter>());
        m_central.SetMainQueue([](std::function<void()>) {});
        m_central.ClearLoggers();
        m_adapter = &m_central.UseSimulated();
        m_adapter->SetState(BTLE_STATE_POWERED_ON);
        m_adapter->AddInRange({kLogger, "Kestilon SIM-1"});
        m_port = std::make_unique<CzxBtle>();
        m_port->SetSelectedLogger(kLogger, "Kestilon SIM-1");
        ASSERT_TRUE(m_port->HasLogger());
    }

    void TearDown() override
    {
        m_port->Close();
        m_port.reset();
    }

    std::vector<Bytes> WrittenRX() const { return m_adapter->GetWritten(kLogger, zxBtleRXUUID); }

    CzxBtleManager& m_central = CzxBtleManager::Shared();
    CzxBtleAdapter* m_adapter = nullptr;
    std::unique_ptr<CzxBtle> m_port;
};

} // namespace

TEST_F(BtlePort, OpenRunsTheChainInOrderAndCloseUndoesIt)
{
    ASSERT_TRUE(m_port->Reopen());
    EXPECT_TRUE(m_port->IsOpen());
    EXPECT_TRUE(m_port->IsConnected());
    // Reopen's close of a link not yet open asked nothing of the logger.
    EXPECT_EQ(m_adapter->TakeLog(), (std::vector<wxString>{"connect", "services",
                                                            "characteristics 2001 2000 2003 2002", "notify on",
                                                            "write 2003 response", "read 2002"}));
    EXPECT_EQ(m_adapter->GetWritten(kLogger, zxBtleCTSUUID), (std::vector<Bytes>{{0x01}}));

    m_port->Close();
    EXPECT_FALSE(m_port->IsOpen());
    EXPECT_EQ(m_adapter->GetPeripheralState(kLogger), BTLE_PERIPHERAL_DISCONNECTED);
    EXPECT_EQ(m_adapter->TakeLog(), (std::vector<wxString>{"notify off", "disconnect"}));
    // Not open: nothing goes out, nothing is counted.
    const Bytes some = Counting(3);
    EXPECT_FALSE(m_port->Write(some.data(), 3));
    EXPECT_EQ(m_port->GetRXCount(), 0u);
}

TEST_F(BtlePort, OpenFailsWithoutPowerSelectionOrAnswer)
{
    // Powered off: fails without connecting, and so without waiting for
    // the link.
    m_adapter->SetState(BTLE_STATE_POWERED_OFF);
    EXPECT_FALSE(m_port->Reopen());
    for (const wxString& line : m_adapter->TakeLog())
        EXPECT_NE(line, "connect");

    // A logger that never answers the service discovery: 2 s after the
    // connection, the last step forward.
    m_adapter->SetState(BTLE_STATE_POWERED_ON);
    m_adapter->SetAnswering(kLogger, false);
    const auto start = Clock::now();
    EXPECT_FALSE(m_port->Reopen());
    EXPECT_GE(Seconds(start), 1.9);
    EXPECT_EQ(m_adapter->GetPeripheralState(kLogger), BTLE_PERIPHERAL_CONNECTED); // until the next close

    // Nothing selected: neither opens nor closes.
    m_port->SelectLogger(-1);
    EXPECT_FALSE(m_port->HasLogger());
    EXPECT_FALSE(m_central.Open());
    EXPECT_FALSE(m_central.Close());
}

TEST_F(BtlePort, AnErrorKeepsTheLinkShutUntilTheNextOpen)
{
    ASSERT_TRUE(m_port->Reopen());
    m_adapter->SetNotifyError(kLogger, "Notifications refused");
    m_adapter->SetNotify(kLogger, zxBtleTXUUID, true); // the logger reports a failed subscription
    ASSERT_TRUE(qvtest::WaitUntil([&] { return !m_port->IsOpen(); }));
    EXPECT_EQ(m_adapter->GetPeripheralState(kLogger), BTLE_PERIPHERAL_CONNECTED);
    EXPECT_TRUE(m_adapter->IsNotifying(kLogger, zxBtleTXUUID));
    EXPECT_EQ(m_central.GetLastError(), "Notifications refused");

    // A subscription that fails from the start never opens.
    EXPECT_FALSE(m_port->Reopen());
    m_adapter->SetNotifyError(kLogger, "");
    EXPECT_TRUE(m_port->Reopen());
}

TEST_F(BtlePort, WritesGoOutInValuesOfTwentyBytes)
{
    ASSERT_TRUE(m_port->Reopen());
    const Bytes message = Counting(45);
    EXPECT_TRUE(m_port->Write(message.data(), 0));
    EXPECT_TRUE(m_port->Write(message.data(), 45));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return WrittenRX().size() >= 3; }));
    EXPECT_EQ(WrittenRX(), (std::vector<Bytes>{Counting(20), Counting(20, 20), Counting(5, 40)}));
    EXPECT_EQ(m_port->GetTXCount(), 0u);
    for (const wxString& line : m_adapter->TakeLog()) {
        if (line.StartsWith("write 2001")) {
            EXPECT_EQ(line, "write 2001"); // without response
        }
    }
}

TEST_F(BtlePort, ReadsWaitTheirTimeOutAndTakeAllOrNothing)
{
    ASSERT_TRUE(m_port->Reopen());
    m_adapter->Notify(kLogger, Counting(9));
    ASSERT_EQ(m_port->WaitRXCount(9, qvtest::kWaitBoundMs), 9u);
    Bytes got(10);

    // Strict: the time-out only.
    m_port->SetTimeout(1.0f);
    auto start = Clock::now();
    EXPECT_FALSE(m_port->ReadStrict(got.data(), 10));
    EXPECT_GE(Seconds(start), 0.95);
    EXPECT_EQ(m_port->GetRXCount(), 9u);

    // Otherwise on until 5 s after the start.
    start = Clock::now();
    EXPECT_FALSE(m_port->Read(got.data(), 10));
    EXPECT_GE(Seconds(start), 4.9);
    EXPECT_EQ(m_port->GetRXCount(), 9u);

    // The tenth byte arrives during a read, which waits for it.
    m_port->SetTimeout(kWaitSeconds);
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        m_adapter->Notify(kLogger, {9});
    });
    EXPECT_TRUE(m_port->ReadStrict(got.data(), 10));
    late.join();
    EXPECT_EQ(got, Counting(10));
    EXPECT_EQ(m_port->GetRXCount(), 0u);
}

TEST_F(BtlePort, OversizeValuesAreDroppedAndReopenForgetsOldBytes)
{
    ASSERT_TRUE(m_port->Reopen());
    m_adapter->Notify(kLogger, Counting(21, 100));
    m_adapter->Notify(kLogger, Counting(20));
    ASSERT_EQ(m_port->WaitRXCount(20, qvtest::kWaitBoundMs), 20u);
    // Whatever was to come has come: the adapter answers in order.
    m_adapter->Notify(kLogger, {0xAA});
    ASSERT_EQ(m_port->WaitRXCount(21, qvtest::kWaitBoundMs), 21u);
    Bytes got(21);
    ASSERT_TRUE(m_port->ReadStrict(got.data(), 21));
    Bytes expected = Counting(20);
    expected.push_back(0xAA);
    EXPECT_EQ(got, expected);

    m_adapter->Notify(kLogger, {1, 2, 3});
    ASSERT_EQ(m_port->WaitRXCount(3, qvtest::kWaitBoundMs), 3u);
    ASSERT_TRUE(m_port->Reopen());
    EXPECT_EQ(m_port->GetRXCount(), 0u);
}

TEST_F(BtlePort, ThePortSelectsAndCountsLikeTheList)
{
    m_adapter->AddInRange({"5A1E0002-7C3E-4A1D-9E85-3D6B20C4F9A1", "Tundrane 2 SIM-2"});
    m_port->InitSelection();
    EXPECT_EQ(m_port->GetLoggerCount(), 1); // only remembered or connected ones join
    EXPECT_EQ(m_port->GetSelectedIndex(), 0);
    const struct
    {
        int index;
        int selected;
    } cases[] = {{0, 0}, {1, -1}, {-3, -1}, {5, -1}};
    for (const auto& c : cases) {
        m_port->SelectLogger(0);
        m_port->SelectLogger(c.index);
        EXPECT_EQ(m_port->GetSelectedIndex(), c.selected) << c.index;
        EXPECT_EQ(m_central.GetSelectedIndex(), c.selected < 0 ? m_port->GetLoggerCount() : c.selected);
    }
}

namespace {

struct SlowReceiver
{
    std::atomic<int> calls{0};
    std::atomic<bool> inside{false};
};

void ReceiveSlowly(int32_t, const uint8_t*, void* handle)
{
    auto* receiver = static_cast<SlowReceiver*>(handle);
    receiver->inside = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ++receiver->calls;
    receiver->inside = false;
}

} // namespace

TEST_F(BtlePort, RemovingTheReceiverWaitsForAValueInFlight)
{
    ASSERT_TRUE(m_port->Reopen());
    auto receiver = std::make_unique<SlowReceiver>();
    m_central.SetReceiveHandler(&ReceiveSlowly, receiver.get());
    m_adapter->Notify(kLogger, {1});
    m_adapter->Notify(kLogger, {2});
    ASSERT_TRUE(qvtest::WaitUntil([&] { return receiver->inside.load(); }));
    m_central.RemoveReceiveHandler(receiver.get());
    // Returned only once the value in flight was handed over; later values
    // find another receiver.
    EXPECT_FALSE(receiver->inside);
    const int handed = receiver->calls;
    EXPECT_GE(handed, 1);
    CzxBtle probe;
    m_adapter->Notify(kLogger, {3});
    ASSERT_TRUE(qvtest::WaitUntil([&] { return probe.GetRXCount() > 0; }));
    EXPECT_EQ(receiver->calls, handed);
    receiver.reset();

    // A port destroyed while values stream in is never reached again.
    auto doomed = std::make_unique<CzxBtle>();
    for (int i = 0; i < 200; ++i)
        m_adapter->Notify(kLogger, Counting(20));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return doomed->GetRXCount() > 0; }));
    doomed.reset();
    CzxBtle last;
    m_adapter->Notify(kLogger, {0xFF});
    EXPECT_TRUE(qvtest::WaitUntil([&] { return last.GetRXCount() % 20 == 1; }));
}
