// Test label: threads
#include "app/base/gumCommands.h"
#include "emulators/emuPktUSBDevice.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"
#include "protocol/xutPktCombo.h"
#include "protocol/xutPktSimDevice.h"
#include "protocol/xutPktUSBSource.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

namespace {

using qvtest::BlockWithSlots;
using qvtest::WaitUntil;

// A mode change or an acknowledgement waited for until it comes.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;
using Device = std::shared_ptr<CemuPktUSBDevice>;

// The combo over the devices of a simulated USB bus, found the way the
// logger finds them on the computer's.
class PktUSBTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_combo.SetDefinitions(m_defs.get());
        m_combo.SetDeviceSource(&m_source);
        gumSetCommandPoster([this](int id, int) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_posted.push_back(id);
        });
    }
    void TearDown() override
    {
        m_combo.ClosePorts();
        m_combo.ResetPorts({});
        gumSetCommandPoster(nullptr);
    }

    Device Plug(Device device)
    {
        m_host.Add(device);
        return device;
    }

    void Connect()
    {
        m_combo.ResetPortsFromSource();
        ASSERT_TRUE(m_combo.OpenPorts());
        ASSERT_TRUE(m_combo.UpdateSensors(m_records));
    }

    std::vector<std::pair<int, int>> Assignments() const
    {
        std::vector<std::pair<int, int>> a;
        for (int c = 0; c < CxutPktCombo::kChannels; ++c)
            a.emplace_back(m_combo.GetChannelPort(c), m_combo.GetChannelSlot(c));
        return a;
    }

    std::vector<int> Posted()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_posted;
    }

    static std::vector<std::vector<uint8_t>> Written(const Device& device)
    {
        std::vector<std::vector<uint8_t>> written;
        device->With([&](CemuPktDevice& d) { written = d.Written(); });
        return written;
    }

    using A = std::vector<std::pair<int, int>>;

    // The bus outlives the combo, whose devices hold handles on it.
    CzxUSBSimHost m_host;
    CzxUSBHostScope m_scope{m_host};
    CxutPktUSBSource m_source;
    std::unique_ptr<CxutSmartSenDefs> m_defs = std::make_unique<CxutSmartSenDefs>();
    CxutPktCombo m_combo;
    CxhwSensorV m_records;
    std::mutex m_mutex;
    std::vector<int> m_posted;
};

TEST_F(PktUSBTest, DevicesOnTheBusAreIdentified)
{
    auto logger = std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0010);
    m_host.Add(logger);
    Device packet = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(2), 0x0200));
    Device shortReport = Plug(CemuPktUSBDevice::Short(0x0112));
    packet->With([](CemuPktDevice& d) {
        d.SetRangeCode(0, 1);
        d.SetRangeCode(1, 1);
    });
    shortReport->With([](CemuPktDevice& d) { d.SetIdentity(0, 23, 2); });
    Connect();

    EXPECT_EQ(Assignments(), (A{{0, 0}, {0, 1}, {1, 0}, {-1, -1}, {-1, -1}, {-1, -1}}));
    EXPECT_EQ(m_records[0].m_idCode, xutMakeSmartIdent(0, 0, 0x11, 3));
    EXPECT_EQ(m_records[1].m_idCode, xutMakeSmartIdent(0, 1, 0x11, 3));
    EXPECT_EQ(m_records[2].m_idCode, 23);
    EXPECT_EQ(m_records[2].m_idType, 2);
    EXPECT_TRUE(m_combo.HasPacketPort());
    EXPECT_TRUE(m_combo.HasNewShortReportPort());
    EXPECT_EQ(m_combo.GetLowestRelease(), 112);
    EXPECT_EQ(logger->GetOpenCount(), 0); // not one of the combo's devices

    // The packet device was greeted with an idle frame of sequence 0 and then
    // asked for its definition block, over 65-byte output reports.
    const auto frames = Written(packet);
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(packet->GetWritten(0).size(), 65u);
    EXPECT_EQ(frames[0][1], 0);
    EXPECT_EQ(frames[0][0] & 0x3C, 0x0C);
    EXPECT_EQ(frames[1][1], 8);
    EXPECT_EQ(shortReport->GetWritten(0).size(), 9u);
}

TEST_F(PktUSBTest, StreamingRunDeliversEveryChannel)
{
    Device packet = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(2)));
    Device shortReport = Plug(CemuPktUSBDevice::Short());
    packet->With([](CemuPktDevice& d) {
        d.SetRangeCode(0, 1);
        d.SetRangeCode(1, 1);
        d.SetValue(0, 1000);
        d.SetValue(1, 2000);
    });
    shortReport->With([](CemuPktDevice& d) { d.SetValue(0, 0x0ABC); });
    Connect();

    ASSERT_TRUE(m_combo.StartStream(m_records));
    const int64_t start = m_combo.GetRunClockMs();
    int out[6 * 20];
    std::fill(std::begin(out), std::end(out), -1);
    int n = 0;
    ASSERT_TRUE(WaitUntil([&] { return m_combo.ReadSamples(out, n, start, 10) && n > 0; }));
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 2000);
    EXPECT_EQ(out[2], 0x0ABC);
    EXPECT_EQ(out[3], -1);

    // Readings keep coming at the run's period, and follow the devices.
    packet->With([](CemuPktDevice& d) { d.SetValue(0, 1234); });
    int64_t t = start + n * 10;
    int latest = -1;
    ASSERT_TRUE(WaitUntil([&] {
        int k = 0;
        if (!m_combo.ReadSamples(out, k, t, 10))
            return false;
        t += k * 10;
        if (k > 0)
            latest = out[6 * (k - 1)];
        return latest == 1234;
    }));
    ASSERT_TRUE(m_combo.StopStream());
    int live[6];
    ASSERT_TRUE(m_combo.ReadLiveValues(live));
    EXPECT_EQ(live[0], 1234);
    EXPECT_EQ(live[2], 0x0ABC);
}

TEST_F(PktUSBTest, TimingRunReportsIntervalsAndStates)
{
    Device first = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(1)));
    Device second = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(1)));
    Connect();
    ASSERT_TRUE(m_combo.StartTimingEvents());
    int64_t time = 0;
    int mask = -1;
    bool got = false;
    ASSERT_TRUE(m_combo.ReadTimingEvent(time, mask, got));
    EXPECT_TRUE(got);
    EXPECT_EQ(time, 1);

    // Each event comes in two packets: it counts once.
    first->With([](CemuPktDevice& d) {
        d.AddEvent(3000, 1, 1);
        d.AddEvent(4500, 0, 2);
    });
    std::vector<std::pair<int64_t, int>> events;
    auto readUntil = [&](size_t count) {
        return WaitUntil([&] {
            bool one = false;
            if (m_combo.ReadTimingEvent(time, mask, one) && one)
                events.emplace_back(time, mask);
            return events.size() >= count;
        });
    };
    ASSERT_TRUE(readUntil(2));
    second->With([](CemuPktDevice& d) { d.AddEvent(9000, 1, 1); });
    ASSERT_TRUE(readUntil(3));
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].second, 1);
    // The second event from the same device carries its own interval, in µs.
    EXPECT_EQ(events[1], (std::pair<int64_t, int>{1500, 0}));
    // From the other device the host times it, in whole ms.
    EXPECT_EQ(events[2].first % 1000, 0);
    EXPECT_EQ(events[2].second, 2);
    ASSERT_TRUE(m_combo.StopTimingEvents());
    EXPECT_EQ(m_combo.GetMode(), 1);
}

TEST_F(PktUSBTest, PushButtonsArePostedOnceAndAcknowledged)
{
    Device packet = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(1)));
    Device shortReport = Plug(CemuPktUSBDevice::Short());
    Connect();
    ASSERT_TRUE(m_combo.SetMode(1, false, kWaitSeconds));

    packet->With([](CemuPktDevice& d) { d.SetButtonBits(0xC4); });
    ASSERT_TRUE(WaitUntil([&] { return Posted().size() >= 3; }));
    // The device repeats its bits until told; the acknowledges go with the
    // next frame, once.
    ASSERT_TRUE(m_combo.ResendAndWait(kWaitSeconds));
    const auto frames = Written(packet);
    int acknowledged = 0;
    for (const auto& f : frames)
        acknowledged += f[1] == 1 && (f[0] & 0xC0) == 0xC0;
    EXPECT_EQ(acknowledged, 1);
    ASSERT_TRUE(m_combo.ResendAndWait(kWaitSeconds));
    EXPECT_EQ(Posted(), (std::vector<int>{6154, 6153, 6152}));

    // The short-report device's button: pressed after a few polls, clicked
    // when let go.
    shortReport->With([](CemuPktDevice& d) { d.SetShortButtonDown(true); });
    ASSERT_TRUE(WaitUntil([&] { return Posted().size() >= 4; }));
    shortReport->With([](CemuPktDevice& d) { d.SetShortButtonDown(false); });
    ASSERT_TRUE(WaitUntil([&] { return Posted().size() >= 5; }));
    EXPECT_EQ(Posted(), (std::vector<int>{6154, 6153, 6152, 6154, 6153}));
}

TEST_F(PktUSBTest, ChannelsFollowDevicesPluggedInAndOut)
{
    Device first = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(2)));
    Device second = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(3, 4)));
    Connect();
    EXPECT_EQ(Assignments(), (A{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {-1, -1}}));

    first->Unplug();
    ASSERT_TRUE(WaitUntil([&] { return !m_combo.GetPort(0).IsReady(); }));
    ASSERT_TRUE(m_combo.UpdateSensors(m_records));
    EXPECT_EQ(Assignments(), (A{{-1, -1}, {-1, -1}, {1, 0}, {1, 1}, {1, 2}, {-1, -1}}));
    EXPECT_EQ(m_records[0].m_idCode, 0);
    EXPECT_EQ(m_records[2].m_idCode, xutMakeSmartIdent(1, 0, 0x11, 4));

    // A device plugged in later takes the free port and the freed channels;
    // its third slot takes the last channel.
    Device third = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(3, 5)));
    ASSERT_TRUE(m_combo.UpdateSensors(m_records));
    EXPECT_EQ(Assignments(), (A{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {0, 2}}));
    EXPECT_EQ(m_records[0].m_idCode, xutMakeSmartIdent(0, 0, 0x11, 5));
    EXPECT_EQ(m_records[5].m_idCode, xutMakeSmartIdent(0, 2, 0x11, 5));
    EXPECT_EQ(third->GetOpenCount(), 1);

    // The first device back again is a new device for a free port; with
    // none free it gets none.
    first->Plug();
    ASSERT_TRUE(m_combo.UpdateSensors(m_records));
    EXPECT_EQ(m_combo.GetChannelCount(), 6);
    EXPECT_TRUE(m_combo.GetPort(2).HasDevice());
}

TEST_F(PktUSBTest, SampleCountsClaimedByTheDeviceStayWithinItsReports)
{
    Device packet = Plug(CemuPktUSBDevice::Packet(BlockWithSlots(1)));
    Connect();
    // Every capture report claims 255 samples, which no 64-byte report holds.
    packet->With([](CemuPktDevice& d) { d.SetClaimedSamples(255); });
    ASSERT_TRUE(m_combo.StartFastSampling(0, 100, 50, 1));
    std::vector<int> samples;
    int values[6] = {};
    ASSERT_TRUE(WaitUntil([&] {
        bool got = false;
        while (m_combo.ReadFastSample(0, values, got) && got)
            samples.push_back(values[0]);
        return samples.size() >= 100;
    }));
    ASSERT_EQ(samples.size(), 100u);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(samples[size_t(i)], i);
    // The capture is complete: further reports add nothing.
    ASSERT_TRUE(m_combo.ResendAndWait(kWaitSeconds));
    bool got = true;
    ASSERT_TRUE(m_combo.ReadFastSample(0, values, got));
    EXPECT_FALSE(got);
}

} // namespace
