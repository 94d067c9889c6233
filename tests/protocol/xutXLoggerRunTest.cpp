// Test label: threads
// The command link over its real transports, with the emulated logger as a
// simulated USB HID device and as a simulated Bluetooth LE peripheral: a run
// at 100 ms fed by the logger's stream on its own clock, read as the box
// thread reads it, and the stream's counters.
#include "emulators/emuXLoggerFar.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutXLogger.h"
#include "protocol/xutXLoggerUSB.h"
#include "support/testWait.h"
#include "transport/zxStopWatch.h"
#include "transport/zxTime.h"
#include "transport/zxUSBDeviceV.h"
#include "transport/zxUSBSimHost.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// The emulated logger at the far end of one transport, and the link to it.
class Far : public CemuXLoggerFar
{
public:
    explicit Far(bool usb) : CemuXLoggerFar(usb)
    {
        if (usb) {
            CzxUSBDeviceV found;
            if (found.Scan(nullptr) == 1)
                m_link.AttachUSBDevice(std::move(found.GetItem(0).m_itemDevice));
        }
        m_link.SetLinkKind(usb ? XLOGGER_LINK_USB : XLOGGER_LINK_BTLE);
    }
    ~Far() { m_link.Close(); }

    bool WaitInput(uint32_t n)
    {
        return qvtest::WaitUntil([this, n] { return m_link.GetInputCount() >= n; });
    }

    CxutXLogger m_link;
};

class XLoggerOver : public testing::TestWithParam<bool>
{
};

std::string TransportName(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Usb" : "Btle";
}

INSTANTIATE_TEST_SUITE_P(Transports, XLoggerOver, testing::Bool(), TransportName);

TEST_P(XLoggerOver, IdentifiesTheLogger)
{
    Far far(GetParam());
    ASSERT_TRUE(far.m_link.Open());
    EXPECT_TRUE(far.m_link.IsReady());
    CxutBoxInfo info;
    ASSERT_TRUE(far.m_link.ReadBoxInfo(info, true, false));
    EXPECT_EQ(info.m_hardware, 10);
    EXPECT_FLOAT_EQ(info.m_firmware, 1.05f);
    EXPECT_FALSE(info.m_bootstrapFlag);
    EXPECT_EQ(far.m_link.GetInputCount(), 0u) << "every reply taken whole";
}

// The record numbers of the first readings of a run, read as the box thread
// reads them.
std::vector<int> StreamRun(Far& far, size_t readings)
{
    CxutXLogger& link = far.m_link;
    EXPECT_TRUE(link.Open());
    CzxStopWatch runClock;
    link.SetRunClock(&runClock);
    far.Peer().Pace();
    constexpr int64_t step = 100;
    EXPECT_TRUE(link.StartStream(0.1));
    int64_t t = zxWrapTime(zxWatchTime(runClock) + 1);
    std::vector<int> records;
    bool broke = false;
    const bool all = qvtest::WaitUntil([&] {
        int values[CxutXLogger::kMaxStreamReadings * 6];
        int count = 0;
        if (!link.ReadStream(values, count, t, step)) {
            broke = true;
            return true;
        }
        for (int i = 0; i < count; ++i)
            records.push_back(values[6 * i] | values[6 * i + 1] << 16);
        t = zxWrapTime(t + count * step);
        return records.size() >= readings;
    });
    EXPECT_FALSE(broke) << "the stream broke";
    EXPECT_TRUE(all) << records.size() << " readings";
    link.StopStream();
    far.Peer().StopPacing();
    return records;
}

TEST_P(XLoggerOver, RunAt100msHasOneReadingPerPeriod)
{
    Far far(GetParam());
    const std::vector<int> records = StreamRun(far, 30);
    // USB records come every 100 ms; Bluetooth LE records every 50 ms, so
    // each reading is two records on.
    const int perReading = GetParam() ? 1 : 2;
    ASSERT_GE(records.size(), 15u);
    // Readings due before the first record arrived hold it; from then on
    // every reading is the next one due, without gaps or repeats.
    size_t i = 1;
    while (i < records.size() && records[i] == records[0])
        ++i;
    ASSERT_LT(i, records.size());
    // The first step may land part way between records.
    EXPECT_LE(records[i] - records[i - 1], perReading);
    for (++i; i < records.size(); ++i)
        ASSERT_EQ(records[i] - records[i - 1], perReading) << "reading " << i;
}

std::vector<int> FirstValues(CxutXLogger& link, int64_t& t, int64_t s)
{
    std::vector<int> got;
    int values[CxutXLogger::kMaxStreamReadings * 6];
    int count = 0;
    EXPECT_TRUE(link.ReadStream(values, count, t, s));
    for (int j = 0; j < count; ++j)
        got.push_back(values[6 * j]);
    t += count * s;
    return got;
}

TEST_P(XLoggerOver, MissingStreamCounter)
{
    const bool usb = GetParam();
    Far far(usb);
    ASSERT_TRUE(far.m_link.Open());
    // USB: packets of seven records 10 ms apart; Bluetooth LE: records 50 ms
    // apart, which the queue's 10 ms step pulls 1 ms back.
    const int64_t step = usb ? 10 : 49;
    const uint32_t unit = usb ? 58 : 9;
    ASSERT_TRUE(far.m_link.StartStream(usb ? 0.01 : 0.1));
    ASSERT_TRUE(far.WaitStreaming());
    far.Peer().Emit(1);
    ASSERT_TRUE(far.WaitInput(unit));
    int64_t t = 0;
    const std::vector<int> first = usb ? std::vector<int>{0, 1, 2, 3, 4, 5, 6} : std::vector<int>{0};
    EXPECT_EQ(FirstValues(far.m_link, t, step), first);
    far.With([](CemuXLogger& logger) { logger.DropNext(); });
    far.Peer().Emit(1);
    ASSERT_TRUE(far.WaitInput(unit));
    if (!usb) {
        // A tick that skips one ends the stream.
        int values[6 * CxutXLogger::kMaxStreamReadings];
        int count = 0;
        EXPECT_FALSE(far.m_link.ReadStream(values, count, t, step));
        return;
    }
    // The next packet comes two counters on, so its first record (14) is
    // 80 ms after record 6 and the time base moves with it.
    EXPECT_EQ(FirstValues(far.m_link, t, step), (std::vector<int>{6, 6, 6, 6, 6, 6, 6, 14, 15, 16, 17, 18, 19, 20}));
}

TEST(XLoggerUsbPort, KeepsOnlyTheReplyOfEachReport)
{
    CzxUSBSimHost host;
    CzxUSBHostScope scope(host);
    host.Add(std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0010));
    host.Add(std::make_shared<CzxUSBSimDevice>(0x3A7C, 0x0011));
    CzxUSBDeviceV found;
    ASSERT_EQ(found.Scan(nullptr), 2);
    uint8_t report[64];
    for (int i = 0; i < 64; ++i)
        report[i] = uint8_t(i);
    const struct
    {
        int device;
        uint8_t code;
        uint32_t n;
        bool kept;
        uint32_t count;
    } cases[] = {
        {0, 'd', 64, true, 3}, {0, 'P', 64, true, 58}, {0, 0x20, 64, true, 0},
        // Too short for any reply: refused, nothing kept.
        {0, 'd', 10, false, 0},
        // The boot loader's reports are kept whole.
        {1, 0x20, 64, true, 64},
    };
    CxutXLoggerUSB ports[2];
    for (int d = 0; d < 2; ++d)
        ports[d].SetDevice(std::move(found.GetItem(d).m_itemDevice));
    for (const auto& c : cases) {
        CxutXLoggerUSB& port = ports[c.device];
        port.Flush();
        report[0] = c.code;
        EXPECT_EQ(port.PutRXReport(report, c.n), c.kept) << int(c.code) << " " << c.n;
        EXPECT_EQ(port.GetRXCount(), c.count) << int(c.code) << " " << c.n;
    }
    CxutXLoggerUSB none;
    EXPECT_FALSE(none.PutRXReport(report, 64)) << "no device to tell the framing";
}

TEST(XLoggerUsbPort, UnpluggedLoggerIsLetGo)
{
    Far far(true);
    ASSERT_TRUE(far.m_link.Open());
    EXPECT_EQ(far.m_link.GetUSBPort()->GetDevice()->GetProductId(), 0x0010);
    far.Device().Unplug();
    uint8_t b[12];
    EXPECT_FALSE(far.m_link.SendByte('1') && far.m_link.Read(12, b, 0.3));
    far.m_link.Disconnect();
    EXPECT_FALSE(far.m_link.IsOpen());
    EXPECT_EQ(far.m_link.GetUSBPort()->GetDevice(), nullptr);
    EXPECT_FALSE(far.m_link.Open());
}

} // namespace
