// Test label: threads
#include "support/testWait.h"
#include "transport/zxStopWatch.h"
#include "transport/zxUSBDeviceV.h"
#include "transport/zxUSBPort.h"
#include "transport/zxUSBSimDevice.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Reads that are to get their bytes wait for them as long as any wait of the
// tests.
constexpr long kBoundMs = qvtest::kWaitBoundMs;

Bytes Sequence(size_t n, uint8_t first = 1)
{
    Bytes bytes(n);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// A simulated bus set for the scans of each test, and a port opened on one
// of its devices the way the drivers do it: scan, take the device, attach.
class UsbPortTest : public ::testing::Test
{
protected:
    std::shared_ptr<CzxUSBSimDevice> Plug(int32_t vendor, int32_t product, int32_t release = 0x0100)
    {
        auto device = std::make_shared<CzxUSBSimDevice>(vendor, product, release);
        m_host.Add(device);
        return device;
    }

    // The device of the last scan at that path, taken out of the list.
    std::unique_ptr<CzxUSBDevice> Take(const std::shared_ptr<CzxUSBSimDevice>& device)
    {
        m_list.Scan(nullptr);
        for (int i = 0; i < m_list.GetCount(); ++i) {
            CzxUSBDeviceVItem& item = m_list.GetItem(i);
            if (item.m_vendorId == device->GetVendorId() && item.m_productId == device->GetProductId())
                return std::move(item.m_itemDevice);
        }
        return nullptr;
    }

    bool Attach(CzxUSBPort& port, const std::shared_ptr<CzxUSBSimDevice>& device)
    {
        std::unique_ptr<CzxUSBDevice> found = Take(device);
        if (!found)
            return false;
        port.SetDevice(std::move(found));
        return port.Open();
    }

    Bytes ReadAll(CzxUSBPort& port, uint32_t n)
    {
        Bytes bytes(n);
        if (!port.Read(bytes.data(), n, kBoundMs))
            bytes.clear();
        return bytes;
    }

    CzxUSBSimHost m_host;
    CzxUSBHostScope m_scope{m_host};
    CzxUSBDeviceV m_list;
};

// Every length, to both report sizes: the data comes out whole and in order,
// each report is the full size behind a zero report id, and what a report
// does not fill is zero.
TEST_F(UsbPortTest, WritesOfEveryLengthAreFramedIntoReports)
{
    auto small = Plug(0x2F1A, 0x0100); // 8-byte reports
    auto wide = Plug(0x3A7C, 0x0010);  // 64-byte reports
    CzxUSBPort smallPort;
    CzxUSBPort widePort;
    ASSERT_TRUE(Attach(smallPort, small));
    ASSERT_TRUE(Attach(widePort, wide));
    ASSERT_EQ(smallPort.GetReportLength(), 9);
    ASSERT_EQ(widePort.GetReportLength(), 65);

    for (uint32_t n = 0; n <= 140; ++n) {
        const Bytes data = Sequence(n);
        for (int message = 0; message < 2; ++message) {
            small->ClearWritten();
            ASSERT_TRUE(message ? smallPort.WriteMessage(data.data(), n) : smallPort.Write(data.data(), n));
            ASSERT_EQ(small->GetWrittenCount(), (n + 6) / 7) << n;
            Bytes joined;
            for (size_t r = 0; r < small->GetWrittenCount(); ++r) {
                const Bytes report = small->GetWritten(r);
                ASSERT_EQ(report.size(), 9u);
                EXPECT_EQ(report[0], 0);
                const uint8_t flag = message && r == 0 ? 0x80 : 0;
                const uint8_t count = uint8_t(report[1] & 0x7F);
                EXPECT_EQ(report[1] & 0x80, flag) << n << " report " << r;
                ASSERT_TRUE(count >= 1 && count <= 7);
                EXPECT_TRUE(count == 7 || r + 1 == small->GetWrittenCount());
                joined.insert(joined.end(), report.begin() + 2, report.begin() + 2 + count);
                for (size_t i = 2 + count; i < 9; ++i)
                    EXPECT_EQ(report[i], 0) << n;
            }
            EXPECT_EQ(joined, data) << n;
        }

        wide->ClearWritten();
        ASSERT_TRUE(widePort.Write(data.data(), n));
        ASSERT_EQ(wide->GetWrittenCount(), (n + 63) / 64) << n;
        Bytes joined;
        for (size_t r = 0; r < wide->GetWrittenCount(); ++r) {
            const Bytes report = wide->GetWritten(r);
            ASSERT_EQ(report.size(), 65u);
            EXPECT_EQ(report[0], 0);
            joined.insert(joined.end(), report.begin() + 1, report.end());
        }
        Bytes padded = data;
        padded.resize(wide->GetWrittenCount() * 64, 0);
        EXPECT_EQ(joined, padded) << n;
    }

    // The two cases the loggers know best.
    const Bytes fifteen = Sequence(15);
    small->ClearWritten();
    smallPort.WriteMessage(fifteen.data(), 15);
    ASSERT_EQ(small->GetWrittenCount(), 3u);
    EXPECT_EQ(small->GetWritten(0)[1], 0x87);
    EXPECT_EQ(small->GetWritten(1)[1], 7);
    EXPECT_EQ(small->GetWritten(2)[1], 1);

    uint8_t payload[64] = {0};
    payload[0] = 9;
    wide->ClearWritten();
    ASSERT_TRUE(widePort.WriteReportData(payload));
    Bytes expected(65, 0);
    expected[1] = 9;
    EXPECT_EQ(wide->GetWritten(0), expected);
}

// A port without a device, or whose device is not open, sends nothing.
TEST_F(UsbPortTest, NothingIsSentWithoutAReadyDevice)
{
    CzxUSBPort port;
    const uint8_t byte = 1;
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.Write(&byte, 1));
    EXPECT_FALSE(port.Write(&byte, 0));
    EXPECT_FALSE(port.WriteMessage(&byte, 1));
    EXPECT_EQ(port.GetReportLength(), 0);
    EXPECT_EQ(port.GetReleaseNumber(), 0);
    EXPECT_FALSE(port.IsProduct0301());

    auto device = Plug(0x2F1A, 0x0100);
    port.SetDevice(Take(device));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write(&byte, 1));
    EXPECT_EQ(device->GetWrittenCount(), 0u);
    ASSERT_TRUE(port.Open());
    EXPECT_TRUE(port.Write(&byte, 0));
    EXPECT_EQ(device->GetWrittenCount(), 0u);
}

// A refused report ends the write: the reports before it are out, none after.
TEST_F(UsbPortTest, ARefusedReportEndsTheWrite)
{
    auto device = Plug(0x2F1A, 0x0100);
    CzxUSBPort port;
    ASSERT_TRUE(Attach(port, device));
    const Bytes data = Sequence(30);
    device->FailWrites(1, 2);
    EXPECT_FALSE(port.Write(data.data(), 30));
    EXPECT_EQ(device->GetWrittenCount(), 2u);
    EXPECT_TRUE(port.Write(data.data(), 30));
    EXPECT_EQ(device->GetWrittenCount(), 2u + 5u);
}

struct CtestFramedCase
{
    const char* name;
    std::vector<int> counts;
    // For each report: how many of its data bytes arrive, and how many lost
    // bytes are marked before them.
    std::vector<std::pair<int, int>> arrived;
};

// Framed reports through the device's I/O thread: the first after an open
// only sets the count; a repeat adds nothing; a gap of more than seven bytes
// is filled with 0xFF so the stream keeps its length.
TEST_F(UsbPortTest, FramedReportsBecomeAStreamWithLostBytesMarked)
{
    const CtestFramedCase cases[] = {
        {"gaps", {10, 13, 13, 30}, {{0, 0}, {3, 0}, {0, 0}, {7, 10}}},
        {"wrap", {250, 3}, {{0, 0}, {7, 2}}},
        {"steps", {0, 1, 8, 15, 16}, {{0, 0}, {1, 0}, {7, 0}, {7, 0}, {1, 0}}},
        {"lap", {5, 5, 4}, {{0, 0}, {0, 0}, {7, 248}}},
    };
    for (const CtestFramedCase& c : cases) {
        auto device = Plug(0x2F1A, 0x0100);
        CzxUSBPort port(true, true);
        ASSERT_TRUE(Attach(port, device)) << c.name;
        Bytes expected;
        for (size_t r = 0; r < c.counts.size(); ++r) {
            uint8_t report[8];
            for (int i = 0; i < 7; ++i)
                report[i] = uint8_t(16 * (r + 1) + i);
            report[7] = uint8_t(c.counts[r]);
            device->SendReport(report, 8);
            expected.insert(expected.end(), size_t(c.arrived[r].second), 0xFF);
            expected.insert(expected.end(), report + 7 - c.arrived[r].first, report + 7);
        }
        ASSERT_TRUE(qvtest::WaitUntil([&] { return device->GetPendingCount() == 0; })) << c.name;
        EXPECT_EQ(port.WaitRXCount(uint32_t(expected.size()), kBoundMs), expected.size()) << c.name;
        EXPECT_EQ(ReadAll(port, uint32_t(expected.size())), expected) << c.name;
        m_host.Remove(device);
    }
}

// A logger's byte stream across lost reports: what the next report still
// carries comes back, the rest is marked; reopening starts a new count.
TEST_F(UsbPortTest, AStreamSurvivesLostReports)
{
    auto device = Plug(0x2F1A, 0x0100);
    CzxUSBPort port(true, true);
    ASSERT_TRUE(Attach(port, device));
    device->SendStream(nullptr, 0); // sets the count
    const Bytes a = {'A', 'B', 'C', 'D', 'E', 'F', 'G'};
    const Bytes lost = {'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U'};
    const Bytes b = {'V', 'W'};
    device->SendStream(a.data(), a.size());
    device->SendStream(lost.data(), 3, false);
    device->SendStream(b.data(), b.size()); // 5 new bytes: all still in the report
    device->SendStream(lost.data(), lost.size(), false);
    device->SendStream(b.data(), b.size()); // 16 new bytes: 9 lost
    device->SendStream(nullptr, 0);
    Bytes expected = a;
    expected.insert(expected.end(), {'H', 'I', 'J', 'V', 'W'});
    expected.insert(expected.end(), 9, 0xFF);
    expected.insert(expected.end(), {'Q', 'R', 'S', 'T', 'U', 'V', 'W'});
    ASSERT_TRUE(qvtest::WaitUntil([&] { return device->GetPendingCount() == 0; }));
    EXPECT_EQ(ReadAll(port, uint32_t(expected.size())), expected);
    EXPECT_EQ(port.GetRXCount(), 0u);
}

// 64-byte reports are taken raw, whole and in order.
TEST_F(UsbPortTest, RawReportsArriveWholeAndInOrder)
{
    auto device = Plug(0x3A7C, 0x0105);
    CzxUSBPort port;
    ASSERT_TRUE(Attach(port, device));
    Bytes expected;
    for (int r = 0; r < 20; ++r) {
        const Bytes report = Sequence(64, uint8_t(r * 3));
        device->SendReport(report.data(), report.size());
        expected.insert(expected.end(), report.begin(), report.end());
    }
    EXPECT_EQ(ReadAll(port, uint32_t(expected.size())), expected);
}

// A read waits for exactly its bytes: too few by the time-out and nothing is
// taken; they stay for the next read.
TEST_F(UsbPortTest, AShortReadTakesNothing)
{
    auto device = Plug(0x2F1A, 0x0100);
    CzxUSBPort port(true, true);
    ASSERT_TRUE(Attach(port, device));
    device->SendStream(nullptr, 0);
    const Bytes three = {1, 2, 3};
    device->SendStream(three.data(), 3);
    ASSERT_EQ(port.WaitRXCount(3, kBoundMs), 3u);
    uint8_t buffer[4] = {0, 0, 0, 0};
    CzxStopWatch watch;
    EXPECT_FALSE(port.Read(buffer, 4, 50));
    EXPECT_GE(watch.Time(), 50);
    EXPECT_EQ(port.GetRXCount(), 3u);
    EXPECT_EQ(ReadAll(port, 3), three);
}

// Reports that come while no port is attached are read and dropped, not kept
// for a port attached later.
TEST_F(UsbPortTest, ReportsWithoutAPortAreLost)
{
    auto device = Plug(0x3A7C, 0x0105);
    std::unique_ptr<CzxUSBDevice> found = Take(device);
    ASSERT_TRUE(found);
    ASSERT_TRUE(found->Open());
    const Bytes first = Sequence(64, 1);
    device->SendReport(first.data(), 64);
    device->SendReport(first.data(), 64);
    ASSERT_TRUE(qvtest::WaitUntil([&] { return device->GetPendingCount() == 0; }));
    CzxUSBPort port;
    port.SetDevice(std::move(found));
    const Bytes second = Sequence(64, 100);
    device->SendReport(second.data(), 64);
    EXPECT_EQ(ReadAll(port, 64), second);
    ASSERT_TRUE(qvtest::WaitUntil([&] { return device->GetPendingCount() == 0; }));
    EXPECT_EQ(port.GetRXCount(), 0u);
}

// Unplugged, the device stops being ready and writes fail; the owner resets
// the port, scans again and opens the device anew once it is back.
TEST_F(UsbPortTest, UnplugThenReopenAfterANewScan)
{
    auto device = Plug(0x2F1A, 0x0100);
    CzxUSBPort port(true, true);
    ASSERT_TRUE(Attach(port, device));
    ASSERT_TRUE(port.IsReady());

    device->Unplug();
    ASSERT_TRUE(qvtest::WaitUntil([&] { return !port.IsReady(); }));
    EXPECT_TRUE(port.IsOpen()); // open, but gone
    const uint8_t byte = 5;
    EXPECT_FALSE(port.Write(&byte, 1));
    EXPECT_FALSE(port.WriteMessage(&byte, 1));
    EXPECT_EQ(m_list.Scan(nullptr), 0);

    port.Reset();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Open()); // the reset device is nobody now

    device->Plug();
    ASSERT_TRUE(Attach(port, device));
    EXPECT_EQ(device->GetOpenCount(), 2);
    EXPECT_TRUE(port.Write(&byte, 1));
    ASSERT_EQ(device->GetWrittenCount(), 1u);
    device->SendStream(nullptr, 0);
    device->SendStream(&byte, 1);
    EXPECT_EQ(ReadAll(port, 1), Bytes({5}));

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write(&byte, 1));
    ASSERT_TRUE(port.Open()); // closed, not gone: opens again
    EXPECT_TRUE(port.IsReady());
}

// A device that will not open leaves the port closed.
TEST_F(UsbPortTest, ADeviceThatWillNotOpen)
{
    auto device = Plug(0x2F1A, 0x0100);
    device->SetOpenable(false);
    CzxUSBPort port;
    EXPECT_FALSE(Attach(port, device));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.IsReady());
}

// Product 0x0301 takes writes just after its poll: a write early in the poll
// period waits for the next one, and a refused write is tried up to three
// times. Other devices are written once, at once.
TEST(UsbPacing, DelayByPhaseOfThePollPeriod)
{
    const struct
    {
        int interval;
        int64_t since;
        int delay;
    } cases[] = {
        {8, 7, 0}, {8, 0, 9}, {8, 6, 3}, {8, 15, 0}, {8, 16, 9}, {8, 1000, 9},
        {12, 6, 7}, {12, 7, 0}, {4, 3, 2}, {0, 5, 0}, {8, -3, 4},
    };
    for (const auto& c : cases) {
        CzxUSBDevice device;
        device.SetInterval(uint8_t(c.interval));
        EXPECT_EQ(device.GetPaceDelay(c.since), c.delay) << c.interval << " " << c.since;
    }
}

TEST_F(UsbPortTest, WritesToTheMultiDeviceLoggerArePaced)
{
    auto device = Plug(0x2F1A, 0x0301, 0x0110);
    CzxUSBPort port;
    ASSERT_TRUE(Attach(port, device));
    EXPECT_TRUE(port.IsProduct0301New());
    EXPECT_FALSE(port.IsProduct0301Old());
    EXPECT_EQ(port.GetReleaseNumber(), 110);
    const uint8_t report[8] = {1};
    for (int round = 0; round < 5; ++round) {
        device->SendReport(report, 8);
        ASSERT_TRUE(qvtest::WaitUntil([&] { return port.GetRXCount() >= 8; }));
        uint8_t got[8];
        ASSERT_TRUE(port.Read(got, 8, 0));
        ASSERT_TRUE(port.WriteReportData(report));
        // Sent at once only at phase 7 (more than 6 ms on, as the device's
        // clock counts whole milliseconds), else just after the next poll.
        EXPECT_GT(device->GetWriteLagMs(device->GetWrittenCount() - 1), 6.0) << round;
    }

    device->ClearWritten();
    device->FailWrites(2);
    EXPECT_TRUE(port.WriteReportData(report));
    EXPECT_EQ(device->GetWrittenCount(), 1u);
    device->FailWrites(3);
    EXPECT_FALSE(port.WriteReportData(report));

    auto other = Plug(0x2F1A, 0x0100);
    CzxUSBPort otherPort;
    ASSERT_TRUE(Attach(otherPort, other));
    other->FailWrites(1);
    EXPECT_FALSE(otherPort.WriteReportData(report));
    EXPECT_TRUE(otherPort.WriteReportData(report));
}

} // namespace
