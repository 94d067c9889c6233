#include "app/base/gumCommands.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartBlock.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"
#include "protocol/xutPktPort.h"

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A device that keeps what the port writes; the test plays its input reports.
class RecordingDevice : public CxutPktDevice
{
public:
    RecordingDevice(int vendor, int product) : m_vendor(vendor), m_product(product) {}
    int GetVendorId() const override { return m_vendor; }
    int GetProductId() const override { return m_product; }
    int GetReleaseBCD() const override { return 0x0112; }
    wxString GetPath() const override { return "rec"; }
    int GetReportLength() const override { return IsShortReport() ? 9 : 65; }
    bool Open(CxutPktPort*) override { return m_open = true; }
    void Close() override { m_open = false; }
    bool IsOpen() const override { return m_open; }
    bool IsReady() const override { return m_open; }
    bool WriteReport(const uint8_t* payload) override
    {
        m_frames.emplace_back(payload, payload + (IsShortReport() ? 8 : 64));
        return true;
    }
    void SetInterval(int) override {}

    std::vector<std::vector<uint8_t>> m_frames;
    bool m_open = false;
    int m_vendor, m_product;
};

qvtest::SmartBlock ThermoBlock()
{
    qvtest::SmartBlock block;
    qvtest::SmartSub sub;
    sub.list = {1, 2, 3};
    block.subs = {sub};
    qvtest::SmartRange plain;
    plain.decimal = 1;
    plain.use = 0x50; // can trigger, range flag
    qvtest::SmartRange counter;
    counter.postProc = 1;
    block.ranges = {plain, counter, plain};
    block.strings = {u"Temp"};
    return block;
}

class PktPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gumSetCommandPoster([this](int id, int) { m_posted.push_back(id); });
    }
    void TearDown() override { gumSetCommandPoster(nullptr); }

    RecordingDevice* Attach(bool packet)
    {
        auto device = packet ? std::make_unique<RecordingDevice>(0x3A7C, 0x0101)
                             : std::make_unique<RecordingDevice>(0x2F1A, 0x0301);
        RecordingDevice* raw = device.get();
        m_port.Attach(nullptr, 0, m_defs.get());
        m_port.SetDevice(std::move(device));
        return raw;
    }

    // The device's answer to the newest frame it was sent.
    std::vector<uint8_t> Reply(RecordingDevice* device, uint8_t extra = 0)
    {
        std::vector<uint8_t> p(64, 0);
        p[0] = uint8_t((device->m_frames.back()[0] & 0x30) | extra);
        return p;
    }

    // Opens a packet port and plays the device through the block download,
    // the calibration read and the first current values.
    RecordingDevice* OpenPacket(const std::vector<unsigned char>& block)
    {
        RecordingDevice* device = Attach(true);
        EXPECT_TRUE(m_port.Open());
        for (int guard = 0; guard < 20 && m_port.GetState() != 0; ++guard) {
            const std::vector<uint8_t>& frame = device->m_frames.back();
            std::vector<uint8_t> p = Reply(device);
            if (frame[1] == 8) {
                const size_t offset = size_t(frame[4] | frame[5] << 8);
                for (size_t i = 0; i < 62 && offset + i < block.size(); ++i)
                    p[2 + i] = block[offset + i];
            } else if (frame[1] == 1) {
                p[8] = 1;
            }
            m_port.PutRXReport(p.data(), 64);
        }
        return device;
    }

    std::unique_ptr<CxutSmartSenDefs> m_defs = std::make_unique<CxutSmartSenDefs>();
    CxutPktPort m_port;
    std::vector<int> m_posted;
};

TEST_F(PktPortTest, PacketWithAnotherSequenceChangesNothing)
{
    RecordingDevice* device = OpenPacket(ThermoBlock().Build());
    ASSERT_EQ(m_port.GetState(), 0);
    ASSERT_TRUE(m_port.SendSettings(false));
    const uint32_t counter = m_port.GetDataCounter();
    std::vector<uint8_t> p = Reply(device, 0xC4);
    p[0] ^= 0x30; // the echo of another frame
    EXPECT_FALSE(m_port.PutRXReport(p.data(), 64));
    EXPECT_EQ(m_port.GetDataCounter(), counter);
    EXPECT_TRUE(m_posted.empty());
    EXPECT_FALSE(m_port.IsInMode(1));
}

TEST_F(PktPortTest, ButtonEdgesPostOnceInOrderAndAreAcknowledged)
{
    RecordingDevice* device = OpenPacket(ThermoBlock().Build());
    ASSERT_TRUE(m_port.SendSettings(false));
    std::vector<uint8_t> p = Reply(device, 0xC4);
    ASSERT_TRUE(m_port.PutRXReport(p.data(), 64));
    ASSERT_TRUE(m_port.PutRXReport(p.data(), 64)); // still held: no new edge
    EXPECT_EQ(m_posted, (std::vector<int>{6154, 6153, 6152}));
    ASSERT_TRUE(m_port.SendPendingAcks());
    EXPECT_EQ(device->m_frames.back()[0] & 0xC0, 0xC0);
    ASSERT_TRUE(m_port.SendSettings(false));
    EXPECT_EQ(device->m_frames.back()[0] & 0xC0, 0); // once only
}

TEST_F(PktPortTest, DefinitionComesInChunksThenCalibrationThenValues)
{
    const std::vector<unsigned char> block = ThermoBlock().Build();
    ASSERT_GT(block.size(), 124u);
    ASSERT_LE(block.size(), 186u);
    RecordingDevice* device = Attach(true);
    ASSERT_TRUE(m_port.Open());
    EXPECT_EQ(device->m_frames.back()[1], 0);
    m_port.PutRXReport(Reply(device).data(), 64);
    EXPECT_EQ(m_port.GetState(), 1);
    std::vector<int> offsets;
    while (device->m_frames.back()[1] == 8) {
        const std::vector<uint8_t>& frame = device->m_frames.back();
        const size_t offset = size_t(frame[4] | frame[5] << 8);
        offsets.push_back(int(offset));
        std::vector<uint8_t> p = Reply(device);
        for (size_t i = 0; i < 62 && offset + i < block.size(); ++i)
            p[2 + i] = block[offset + i];
        m_port.PutRXReport(p.data(), 64);
    }
    EXPECT_EQ(offsets, (std::vector<int>{0, 62, 124}));
    const std::vector<uint8_t> ask = device->m_frames.back();
    ASSERT_EQ(ask[1], 10);
    EXPECT_EQ(ask[6], 4 * 3);
    EXPECT_EQ(ask[7], 0);

    // Range 1 a good gain and offset, range 2 a gain code out of range.
    std::vector<uint8_t> p = Reply(device);
    const int gain = xutGainToCode(1.25f);
    p[8] = uint8_t(gain);
    p[9] = uint8_t(gain >> 8);
    p[10] = 25; // 2.5 with one decimal
    p[12] = 0x00;
    p[13] = 0x40;
    m_port.PutRXReport(p.data(), 64);
    CxhwSenCalib calib;
    m_defs->GetDef(0)->GetRangeCalib(calib, xutMakeSmartIdentBank(0, 0, 0, 1));
    EXPECT_FLOAT_EQ(calib.m_gain, 1.25f);
    EXPECT_FLOAT_EQ(calib.m_offset, 2.5f);
    m_defs->GetDef(0)->GetRangeCalib(calib, xutMakeSmartIdentBank(0, 0, 0, 2));
    EXPECT_FLOAT_EQ(calib.m_gain, 1.0f);
    EXPECT_FLOAT_EQ(calib.m_offset, 0.0f);

    const std::vector<uint8_t> live = device->m_frames.back();
    ASSERT_EQ(live[1], 1);
    EXPECT_EQ(live[8], 1);  // slot 0 on its first range, sent in full
    EXPECT_EQ(live[9], 0x80);
    EXPECT_EQ(live[48], 1); // the range's flag
    EXPECT_EQ(m_port.GetState(), 1);
    m_port.PutRXReport(Reply(device).data(), 64);
    EXPECT_EQ(m_port.GetState(), 0);
}

TEST_F(PktPortTest, CalibrationReadAsksOnlyWhatOneReplyCarries)
{
    qvtest::SmartBlock many = ThermoBlock();
    many.ranges.resize(20);
    RecordingDevice* device = Attach(true);
    const std::vector<unsigned char> block = many.Build();
    ASSERT_TRUE(m_port.Open());
    m_port.PutRXReport(Reply(device).data(), 64);
    while (device->m_frames.back()[1] == 8) {
        const size_t offset = size_t(device->m_frames.back()[4] | device->m_frames.back()[5] << 8);
        std::vector<uint8_t> p = Reply(device);
        for (size_t i = 0; i < 62 && offset + i < block.size(); ++i)
            p[2 + i] = block[offset + i];
        m_port.PutRXReport(p.data(), 64);
    }
    ASSERT_EQ(device->m_frames.back()[1], 10);
    EXPECT_EQ(device->m_frames.back()[6], 56);
    std::vector<uint8_t> p = Reply(device);
    for (int at = 8; at < 64; at += 4)
        p[size_t(at)] = p[size_t(at) + 1] = 0x50;
    m_port.PutRXReport(p.data(), 64);
    CxhwSenCalib calib;
    m_defs->GetDef(0)->GetRangeCalib(calib, xutMakeSmartIdentBank(0, 0, 0, 14));
    EXPECT_FLOAT_EQ(calib.m_gain, float(0x5050) / 32768.0f);
    m_defs->GetDef(0)->GetRangeCalib(calib, xutMakeSmartIdentBank(0, 0, 0, 15));
    EXPECT_FLOAT_EQ(calib.m_gain, 1.0f);
    EXPECT_EQ(device->m_frames.back()[1], 1);
}

TEST_F(PktPortTest, CaptureTakesNoMoreThanDueOrThanThePacketHolds)
{
    struct Case
    {
        int count, claimed, expected;
    } cases[] = {{20, 40, 20}, {1001, 31, 31}, {1001, 200, 31}, {1001, 255, 31}};
    for (const Case& c : cases) {
        RecordingDevice* device = OpenPacket(ThermoBlock().Build());
        ASSERT_TRUE(m_port.StartFastSampling(0, c.count, 100, 1));
        std::vector<uint8_t> p = Reply(device);
        p[1] = uint8_t(c.claimed);
        for (int i = 2; i < 64; ++i)
            p[i] = uint8_t(i);
        m_port.PutRXReport(p.data(), 64);
        int values[CxutPktPort::kMaxScope];
        int n = 0;
        ASSERT_TRUE(m_port.ReadScope(values, n, CxutPktPort::kMaxScope));
        EXPECT_EQ(n, c.expected) << c.count << " " << c.claimed;
        EXPECT_EQ(values[0], 2 | 3 << 8);
    }
}

TEST_F(PktPortTest, CaptureFrameSilencesOtherSlots)
{
    RecordingDevice* device = OpenPacket(ThermoBlock().Build());
    ASSERT_TRUE(m_port.StartScope(2, 500, 20, 0));
    const std::vector<uint8_t>& f = device->m_frames.back();
    EXPECT_EQ(f[1], 3);
    EXPECT_EQ(f[8], 0);
    EXPECT_EQ(f[9], 0);
    EXPECT_EQ(f[10], 0x80); // the capture slot keeps its range
    EXPECT_EQ(f[56] | f[57] << 8, 500);
    EXPECT_EQ(f[58] | f[59] << 8, 20);
}

TEST_F(PktPortTest, ShortReportButtonByHowLongItIsHeld)
{
    struct Case
    {
        int reports;
        std::vector<int> posted;
    } cases[] = {
        {2, {}}, {3, {6154, 6153}}, {149, {6154, 6153}}, {150, {6154}}, {151, {6154, 6152}},
    };
    for (const Case& c : cases) {
        Attach(false);
        ASSERT_TRUE(m_port.Open());
        m_posted.clear();
        uint8_t r[8] = {0, 0, 0, 0, 0, 0, 1, 0x80};
        m_port.PutRXReport(r, 8); // the first report only starts the count
        r[7] = 0;
        for (int i = 0; i < c.reports; ++i)
            m_port.PutRXReport(r, 8);
        r[7] = 0x80;
        m_port.PutRXReport(r, 8);
        EXPECT_EQ(m_posted, c.posted) << c.reports;
    }
}

TEST_F(PktPortTest, ShortReportWithNewModeIsIgnoredOnce)
{
    Attach(false);
    ASSERT_TRUE(m_port.Open());
    uint8_t ids[8] = {17, 3, 0, 0, 0, 0, 0, 0x80};
    m_port.PutRXReport(ids, 8);
    m_port.PutRXReport(ids, 8);
    uint8_t live[8] = {0x12, 0x34, 0, 0, 0, 0, 1, 0x80};
    m_port.PutRXReport(live, 8);
    EXPECT_FALSE(m_port.IsInMode(1));
    m_port.PutRXReport(live, 8);
    EXPECT_TRUE(m_port.IsInMode(1));
    uint8_t values[16];
    ASSERT_TRUE(m_port.ReadValues(values));
    EXPECT_EQ(values[0], 0x12);
    EXPECT_EQ(values[1], 0x34);
    CxhwSensor record;
    ASSERT_TRUE(m_port.UpdateSensor(0, record));
    EXPECT_EQ(record.m_idCode, 17);
    EXPECT_EQ(record.m_idType, 3);
    EXPECT_FALSE(record.m_triggerAndScope);
}

TEST_F(PktPortTest, NewClassicSensorSettlesUntilItsReadingsHoldValid)
{
    RecordingDevice* device = Attach(false);
    ASSERT_TRUE(m_port.Open());
    CxhwSensor record;
    record.m_idCode = 23;
    record.m_idType = 2;
    record.m_changedId = true;
    const int bad = 0xFFF0, good = 0x0400;
    m_port.CheckSettling(0, record, &bad);
    record.m_changedId = false;
    ASSERT_TRUE(m_port.SendSettings(false));
    EXPECT_EQ(device->m_frames.back()[6] & 4, 4);
    m_port.CheckSettling(0, record, &good);
    wxMilliSleep(120);
    m_port.CheckSettling(0, record, &good);
    ASSERT_TRUE(m_port.SendSettings(false)); // takes the change marked by the first good reading
    ASSERT_TRUE(m_port.SendSettings(false));
    EXPECT_EQ(device->m_frames.back()[6] & 4, 0);
    m_port.CheckSettling(0, record, &bad); // settled: nothing more to do
    ASSERT_TRUE(m_port.SendSettings(false));
    EXPECT_EQ(device->m_frames.back()[6] & 4, 0);
}

TEST_F(PktPortTest, PacketSlotsBecomeSmartSensorsOrStayBlank)
{
    qvtest::SmartBlock twoSubs = ThermoBlock();
    twoSubs.subs.push_back(twoSubs.subs[0]);
    RecordingDevice* device = OpenPacket(twoSubs.Build());
    std::vector<uint8_t> p = Reply(device);
    ASSERT_TRUE(m_port.SendSettings(false));
    p = Reply(device);
    p[8] = 1; // slot 0 on range 1, slot 1 reports none
    m_port.PutRXReport(p.data(), 64);
    CxhwSensor records[8];
    ASSERT_EQ(m_port.UpdateSensors(records), 2);
    EXPECT_EQ(records[0].m_idCode, xutMakeSmartIdent(0, 0, 0x11, 3));
    EXPECT_EQ(records[0].m_calib.m_index, xutMakeSmartIdentBank(0, 0, 0, 1));
    EXPECT_EQ(records[1].m_idCode, 0);
    EXPECT_TRUE(records[1].m_enable);
    CxhwSensor beyond;
    ASSERT_TRUE(m_port.UpdateSensor(2, beyond));
    EXPECT_FALSE(beyond.m_enable);
}

TEST_F(PktPortTest, CounterSlotGivesTheCountSinceTheLastPacket)
{
    RecordingDevice* device = OpenPacket(ThermoBlock().Build());
    ASSERT_TRUE(m_port.StartClock());
    const int counts[] = {100, 130, 5}; // the device's counter wraps at 32768
    for (int a : counts) {
        ASSERT_TRUE(m_port.SendSettings(false));
        std::vector<uint8_t> p = Reply(device);
        p[8] = 2;
        p[16] = uint8_t(a);
        p[17] = uint8_t(a >> 8);
        m_port.PutRXReport(p.data(), 64);
    }
    // Without a run clock the three share one time; a later reading (on the
    // 2 ms step, so not drift-corrected) spreads them out, and a read at its
    // time sums everything since.
    CxutRawEntry later;
    later.m_time = 6;
    later.m_values[0] = 0;
    ASSERT_TRUE(m_port.GetQueue().Push(later));
    CxutRawEntry entries[1];
    ASSERT_EQ(m_port.GetQueue().ReadResampled(entries, 1, 6, 1), 1u);
    EXPECT_EQ(entries[0].m_values[0], 100 + 30 + (5 - 130 + 32768));
}

TEST_F(PktPortTest, CalibrationOutOfRangeSendsNothing)
{
    RecordingDevice* device = OpenPacket(ThermoBlock().Build());
    CxhwSensor record;
    ASSERT_TRUE(m_port.UpdateSensor(0, record));
    const size_t sent = device->m_frames.size();
    EXPECT_EQ(m_port.WriteCalibration(0, record, 1.6f, 0.0f), 14);
    EXPECT_EQ(m_port.WriteCalibration(0, record, 1.0f, 1700.0f), 15);
    EXPECT_EQ(device->m_frames.size(), sent);
    CxhwSensor classic;
    EXPECT_EQ(m_port.WriteCalibration(0, classic, 1.0f, 0.0f), 2);
    // Nobody answers the write: it gives up after its wait.
    EXPECT_EQ(m_port.WriteCalibration(0, record, 1.1f, 0.0f), 1);
    EXPECT_EQ(device->m_frames.back()[1], 10);
    EXPECT_EQ(device->m_frames.back()[7], 0xA9);
}

} // namespace
