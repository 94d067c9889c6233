// Test label: threads
#include "app/base/gumCommands.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartBlock.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"
#include "protocol/xutPktCombo.h"
#include "protocol/xutPktSimDevice.h"
#include "transport/zxStopWatch.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

namespace {

using qvtest::SimPktDevice;
using qvtest::BlockWithSlots;
using qvtest::WaitUntil;

// A mode change or an acknowledgement waited for until it comes.
constexpr float kWaitSeconds = qvtest::kWaitBoundMs / 1000.0f;

class PktComboTest : public ::testing::Test
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
        gumSetCommandPoster(nullptr);
    }

    std::vector<int> Posted()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_posted;
    }

    // Hands the devices to the ports and identifies them.
    void Connect(std::vector<SimPktDevice*> devices)
    {
        std::vector<std::unique_ptr<CxutPktDevice>> list;
        for (SimPktDevice* d : devices)
            list.emplace_back(d);
        m_combo.ResetPorts(std::move(list));
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

    std::unique_ptr<CxutSmartSenDefs> m_defs = std::make_unique<CxutSmartSenDefs>();
    qvtest::SimPktSource m_source;
    CxutPktCombo m_combo;
    CxhwSensorV m_records;
    std::mutex m_mutex;
    std::vector<int> m_posted;
};

TEST_F(PktComboTest, ChannelsFollowDevicesPluggedInAndOut)
{
    SimPktDevice* first = SimPktDevice::Packet("a", BlockWithSlots(2));
    SimPktDevice* second = SimPktDevice::Packet("b", BlockWithSlots(3, 4));
    first->SetRangeCode(0, 1);
    first->SetRangeCode(1, 1);
    for (int s = 0; s < 3; ++s)
        second->SetRangeCode(s, 1);
    Connect({first, second});
    using A = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Assignments(), (A{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {-1, -1}}));
    EXPECT_EQ(m_combo.GetChannelCount(), 5);
    EXPECT_EQ(m_records[0].m_idCode, xutMakeSmartIdent(0, 0, 0x11, 3));
    EXPECT_EQ(m_records[4].m_idCode, xutMakeSmartIdent(1, 2, 0x11, 4));
    EXPECT_TRUE(m_combo.HasPacketPort());
    EXPECT_FALSE(m_combo.HasOldShortReportPort());

    first->Unplug();
    m_combo.UpdateSensors(m_records);
    EXPECT_EQ(Assignments(), (A{{-1, -1}, {-1, -1}, {1, 0}, {1, 1}, {1, 2}, {-1, -1}}));
    EXPECT_EQ(m_records[0].m_idCode, 0);
    EXPECT_FALSE(m_records[0].m_enable);
    EXPECT_EQ(m_records[2].m_idCode, xutMakeSmartIdent(1, 0, 0x11, 4));

    // A later device takes the first free port and the freed channels; a
    // seventh slot finds no channel.
    m_source.Plug(SimPktDevice::Packet("c", BlockWithSlots(3, 5)));
    m_source.Plug(SimPktDevice::Short("d"));
    ASSERT_TRUE(m_combo.UpdateSensors(m_records));
    EXPECT_EQ(Assignments(), (A{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {0, 2}}));
    EXPECT_EQ(m_records[0].m_idCode, xutMakeSmartIdent(0, 0, 0x11, 5));
    EXPECT_EQ(m_records[5].m_idCode, xutMakeSmartIdent(0, 2, 0x11, 5));
    EXPECT_TRUE(m_combo.HasNewShortReportPort()); // on a port, without a channel
    EXPECT_EQ(m_combo.GetChannelCount(), 6);
}

TEST_F(PktComboTest, ColourFamiliesStayWithTheirChannels)
{
    SimPktDevice* first = SimPktDevice::Packet("a", BlockWithSlots(2));
    SimPktDevice* second = SimPktDevice::Short("b", 0x0105);
    Connect({first, second});
    // Kind 0 slots take the least used of 5, 6, 7, ...; the old short device
    // the least used of 1, 2, 3.
    EXPECT_EQ(m_combo.GetChannelFamily(0), 5);
    EXPECT_EQ(m_combo.GetChannelFamily(1), 6);
    EXPECT_EQ(m_combo.GetChannelFamily(2), 1);
    EXPECT_EQ(m_combo.GetChannelTableEntry(0, 1), 55);
    EXPECT_EQ(m_combo.GetChannelTableEntry(8, 0), 32); // channel 8 is channel 2
    ASSERT_TRUE(m_combo.UpdateSensors(m_records));
    EXPECT_EQ(m_combo.GetChannelFamily(0), 5);
    EXPECT_EQ(m_combo.GetChannelFamily(2), 1);
    EXPECT_EQ(m_combo.GetPort(0).GetSlotValue(1), 6);
}

TEST_F(PktComboTest, StreamingRunDeliversEveryChannel)
{
    SimPktDevice* first = SimPktDevice::Packet("a", BlockWithSlots(2));
    SimPktDevice* second = SimPktDevice::Short("b");
    first->SetRangeCode(0, 1);
    first->SetRangeCode(1, 1);
    first->SetValue(0, 1000);
    first->SetValue(1, 2000);
    second->SetValue(0, 0x0ABC);
    Connect({first, second});
    ASSERT_TRUE(m_combo.StartStream(m_records));
    EXPECT_EQ(m_combo.GetRunFlag(), 1);
    const int64_t start = m_combo.GetRunClockMs();
    int out[6 * 20];
    std::fill(std::begin(out), std::end(out), -1);
    int n = 0;
    ASSERT_TRUE(WaitUntil([&] { return m_combo.ReadSamples(out, n, start, 10) && n > 0; }));
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 2000);
    EXPECT_EQ(out[2], 0x0ABC);
    EXPECT_EQ(out[3], -1); // a free channel is left alone
    ASSERT_TRUE(m_combo.StopStream());
    EXPECT_EQ(m_combo.GetRunFlag(), 0);
    int live[6];
    ASSERT_TRUE(m_combo.ReadLiveValues(live));
    EXPECT_EQ(live[0], 1000);
    EXPECT_EQ(live[2], 0x0ABC);
    EXPECT_EQ(live[5], 0x20000);
}

TEST_F(PktComboTest, SamplesAreReadAsFarAsEveryDeviceHasThem)
{
    Connect({SimPktDevice::Packet("a", BlockWithSlots(1)),
             SimPktDevice::Packet("b", BlockWithSlots(1))});
    struct Case
    {
        int first, second, expected;
    } cases[] = {{30, 5, 5}, {30, 25, 20}, {0, 10, 0}};
    for (const Case& c : cases) {
        for (int p = 0; p < 2; ++p) {
            CxutRawFIFO& queue = m_combo.GetPort(p).GetQueue();
            queue.Clear();
            const int count = p == 0 ? c.first : c.second;
            for (int i = 0; i < count; ++i) {
                CxutRawEntry entry;
                entry.m_time = 1000 + 10 * i;
                entry.m_values[0] = i;
                queue.Push(entry);
            }
        }
        int out[6 * 20];
        int n = -1;
        m_combo.ReadSamples(out, n, 1000, 10);
        EXPECT_EQ(n, c.expected) << c.first << " " << c.second;
    }
}

TEST_F(PktComboTest, TimingRunReportsIntervalsAndStates)
{
    SimPktDevice* first = SimPktDevice::Packet("a", BlockWithSlots(1));
    SimPktDevice* second = SimPktDevice::Packet("b", BlockWithSlots(1));
    Connect({first, second});
    ASSERT_TRUE(m_combo.StartTimingEvents());
    int64_t time = 0;
    int mask = -1;
    bool got = false;
    ASSERT_TRUE(m_combo.ReadTimingEvent(time, mask, got));
    EXPECT_TRUE(got);
    EXPECT_EQ(time, 1);
    EXPECT_EQ(mask, 0);

    // Each event comes in two packets: it counts once.
    first->AddEvent(3000, 1, 1);
    first->AddEvent(4500, 0, 2);
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
    second->AddEvent(9000, 1, 1);
    ASSERT_TRUE(readUntil(3));
    // Both devices have repeated their last reports since.
    ASSERT_TRUE(first->WaitTwoPolls());
    ASSERT_TRUE(second->WaitTwoPolls());
    bool more = false;
    ASSERT_TRUE(m_combo.ReadTimingEvent(time, mask, more));
    EXPECT_FALSE(more);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].second & 1, 1);
    // The second event from the same device carries its own interval.
    EXPECT_EQ(events[1], (std::pair<int64_t, int>{1500, 0}));
    // From the other device the host times it, in whole ms.
    EXPECT_EQ(events[2].first % 1000, 0);
    EXPECT_EQ(events[2].second, 2);
    ASSERT_TRUE(m_combo.StopTimingEvents());
    EXPECT_EQ(m_combo.GetMode(), 1);
}

TEST_F(PktComboTest, PushButtonOfAPacketDeviceIsPostedOnceAndAcknowledged)
{
    SimPktDevice* device = SimPktDevice::Packet("a", BlockWithSlots(1));
    Connect({device});
    ASSERT_TRUE(m_combo.SetMode(1, false, kWaitSeconds));
    device->SetButtonBits(0x44); // pressed and clicked
    ASSERT_TRUE(WaitUntil([&] { return Posted().size() >= 2; }));
    ASSERT_TRUE(m_combo.ResendAndWait(kWaitSeconds));
    // The device has repeated its bits since: they are not posted again.
    ASSERT_TRUE(device->WaitTwoPolls());
    EXPECT_EQ(Posted(), (std::vector<int>{6154, 6153}));
    bool acknowledged = false;
    for (const auto& f : device->Written())
        acknowledged = acknowledged || (f[1] == 1 && (f[0] & 0x40));
    EXPECT_TRUE(acknowledged);
}

TEST_F(PktComboTest, ShortReportDeviceIdentifiesItsSensorAndConfirmsModes)
{
    SimPktDevice* device = SimPktDevice::Short("a", 0x0105);
    device->SetIdentity(0, 23, 2);
    Connect({device});
    EXPECT_EQ(m_records[0].m_idCode, 23);
    EXPECT_EQ(m_records[0].m_idType, 2);
    EXPECT_TRUE(m_combo.HasOldShortReportPort());
    ASSERT_TRUE(m_combo.SetMode(1, false, kWaitSeconds));
    // A device that reports the mode once and then falls silent is not
    // confirmed.
    device->SetAnswering(false);
    ASSERT_TRUE(device->WaitTwoPolls()); // nothing of it on the way any more
    CzxStopWatch watch;
    EXPECT_FALSE(m_combo.WaitForAcks(1, 0.2f));
    EXPECT_GE(watch.Time(), 200);
}

TEST_F(PktComboTest, SmartSensorCalibrationIsWrittenToTheDevice)
{
    SimPktDevice* device = SimPktDevice::Packet("a", BlockWithSlots(1));
    device->SetRangeCode(0, 1);
    Connect({device});
    ASSERT_TRUE(m_combo.SetMode(1, false, kWaitSeconds));
    CxhwSensor& record = m_records[0];
    ASSERT_EQ(record.m_calib.m_index, xutMakeSmartIdentBank(0, 0, 0, 1));
    record.m_changedCal = false;
    EXPECT_EQ(m_combo.SetSensorCalibration(0, record, 1.25f, 12.0f), 0);
    int gain = 0, offset = 0;
    device->GetCalibrationCodes(1, gain, offset);
    EXPECT_EQ(gain, xutGainToCode(1.25f));
    EXPECT_EQ(offset, xutOffsetToCode(0, 12.0f));
    EXPECT_FLOAT_EQ(record.m_calib.m_gain, 1.25f);
    EXPECT_TRUE(record.m_changedCal);
    EXPECT_EQ(m_combo.SetSensorCalibration(3, record, 1.0f, 0.0f), 2);
}

TEST_F(PktComboTest, FastCaptureCollectsTheRequestedSamples)
{
    SimPktDevice* device = SimPktDevice::Packet("a", BlockWithSlots(1));
    device->SetRangeCode(0, 1);
    Connect({device});
    ASSERT_TRUE(m_combo.StartFastSampling(0, 100, 50, 1));
    std::vector<int> samples;
    int values[6] = {};
    ASSERT_TRUE(WaitUntil([&] {
        bool got = false;
        while (m_combo.ReadFastSample(0, values, got) && got)
            samples.push_back(values[0]);
        return samples.size() >= 100;
    }));
    // Reports after the capture add nothing.
    ASSERT_TRUE(device->WaitTwoPolls());
    bool got = true;
    ASSERT_TRUE(m_combo.ReadFastSample(0, values, got));
    EXPECT_FALSE(got);
    ASSERT_EQ(samples.size(), 100u);
    EXPECT_EQ(samples[99], 99);
    EXPECT_FALSE(m_combo.StartScope(4, 100, 50, 0));
}

TEST_F(PktComboTest, FastSampleLandsInItsOwnChannel)
{
    // Channel 2 is fed by the second device: its samples must not take the
    // place of channel 1.
    SimPktDevice* first = SimPktDevice::Packet("a", BlockWithSlots(2));
    SimPktDevice* second = SimPktDevice::Packet("b", BlockWithSlots(1));
    Connect({first, second});
    ASSERT_EQ(m_combo.GetChannelPort(2), 1);
    ASSERT_TRUE(m_combo.StartFastSampling(2, 10, 50, 1));
    int values[6] = {-1, -1, -1, -1, -1, -1};
    bool got = false;
    ASSERT_TRUE(WaitUntil([&] { return m_combo.ReadFastSample(2, values, got) && got; }));
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(values[1], -1);
}

} // namespace
