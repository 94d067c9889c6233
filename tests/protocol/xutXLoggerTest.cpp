// The command link of the newer loggers: USB report framing,
// identification on both transports, stream commands and keep-alive, and
// stream records turned into stamped queue entries.
#include "protocol/xutBoxInfo.h"
#include "protocol/xutXLogger.h"
#include "protocol/xutXLoggerTestPort.h"
#include "support/testWait.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Link
{
    explicit Link(bool usb, int32_t product = kXLoggerProductKestilon)
    {
        auto owned = std::make_unique<CtestXLoggerPort>(product);
        port = owned.get();
        port->Logger().Config().usb = usb;
        if (usb)
            link.SetUSBPort(std::move(owned));
        else
            link.SetBtlePort(std::move(owned));
        link.SetLinkKind(usb ? XLOGGER_LINK_USB : XLOGGER_LINK_BTLE);
        link.Open();
    }

    CemuXLoggerConfig& Config() { return port->Logger().Config(); }
    std::vector<uint8_t> Sent()
    {
        std::vector<uint8_t> sent = port->Logger().Received();
        port->Logger().ClearReceived();
        return sent;
    }

    CxutXLogger link;
    CtestXLoggerPort* port = nullptr;
};

TEST(XLoggerFraming, ReplyCodeDecidesWhatIsKept)
{
    struct Case
    {
        uint8_t code;
        int32_t product;
        std::vector<uint8_t> kept;
    };
    auto range = [](int from, int to) {
        std::vector<uint8_t> v;
        for (int i = from; i <= to; ++i)
            v.push_back(uint8_t(i));
        return v;
    };
    auto withCode = [&range](uint8_t code, int from, int to) {
        std::vector<uint8_t> v = range(from, to);
        v.front() = code;
        return v;
    };
    const Case cases[] = {
        {'P', 0x0010, range(1, 58)},
        {'d', 0x0010, withCode('d', 0, 2)},
        {'x', 0x0020, withCode('x', 0, 2)},
        {'<', 0x0010, range(2, 17)},
        {'1', 0x0010, range(1, 12)},
        {6, 0x0010, range(1, 16)},
        {'A', 0x0010, range(1, 61)},
        {'e', 0x0010, range(1, 63)},
        {0x20, 0x0010, {}},
        {0x20, 0x0011, withCode(0x20, 0, 63)},
    };
    for (const Case& c : cases) {
        uint8_t report[64];
        for (int i = 0; i < 64; ++i)
            report[i] = uint8_t(i);
        report[0] = c.code;
        CzxByteFIFO received;
        xutFrameXLoggerReport(kXLoggerVendor, c.product, report, received);
        std::vector<uint8_t> kept(received.GetCount());
        received.Get(kept.data(), uint32_t(kept.size()));
        EXPECT_EQ(kept, c.kept) << "code " << int(c.code);
    }
}

TEST(XLoggerIdentity, BoxTypeFromId)
{
    EXPECT_EQ(xutXLoggerBoxTypeFromId(69, 1.0), 12);
    for (int id : {64, 65, 66, 67, 68, 70, 71})
        EXPECT_EQ(xutXLoggerBoxTypeFromId(id, 1.0), 10) << id;
    EXPECT_EQ(xutXLoggerBoxTypeFromId(72, 0.0), 11);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(79, 0.0), 11);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(88, 0.0), 13);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(95, 0.0), 13);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(80, 1.0), 12);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(9, 1.99), 3);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(9, 2.0), 4);
    EXPECT_EQ(xutXLoggerBoxTypeFromId(16, 1.0), 1);
}

TEST(XLoggerIdentity, UsbByDeviceIds)
{
    struct Case
    {
        int32_t product;
        bool ok;
        int type;
    };
    for (const Case c : {Case{0x0010, true, 10}, Case{0x0020, true, 12}, Case{0x0030, false, 0}}) {
        Link l(true, c.product);
        l.Config().version = "1.05";
        CxutBoxInfo info;
        ASSERT_EQ(l.link.ReadBoxInfo(info, false, false), c.ok) << c.product;
        if (!c.ok)
            continue;
        EXPECT_EQ(info.m_hardware, c.type);
        EXPECT_EQ(info.m_bootstrapFamily * 8 + info.m_bootstrapRevision, c.type == 10 ? 64 : 80);
        EXPECT_FLOAT_EQ(info.m_firmware, 1.05f);
        EXPECT_FALSE(info.m_compatible);
        EXPECT_FALSE(info.m_bootstrapFlag);
        EXPECT_EQ(info.m_maxSensors, 4);
        EXPECT_EQ(l.Sent(), std::vector<uint8_t>{'1'});
    }
}

TEST(XLoggerIdentity, VersionLimits)
{
    struct Case
    {
        const char* version;
        bool ok;
        bool compatible;
    };
    for (const Case c : {Case{"1.99", true, true}, Case{"1.30", true, true}, Case{"1.29", true, false},
                         Case{"2.00", false, false}}) {
        for (bool usb : {true, false}) {
            Link l(usb);
            l.Config().version = c.version;
            CxutBoxInfo info;
            EXPECT_EQ(l.link.ReadBoxInfo(info, false, false), c.ok) << c.version;
            if (c.ok) {
                EXPECT_EQ(info.m_compatible, c.compatible) << c.version;
            }
        }
    }
}

TEST(XLoggerIdentity, BtleBootLoader)
{
    for (const auto& [bootId, type] : {std::pair<int, int>{73, 11}, {90, 13}}) {
        Link l(false);
        l.Config().status = 38;
        l.Config().bootId = uint8_t(bootId);
        CxutBoxInfo info;
        ASSERT_TRUE(l.link.ReadBoxInfo(info, false, false));
        EXPECT_TRUE(info.m_bootstrapFlag);
        EXPECT_FLOAT_EQ(info.m_firmware, 0.0f);
        EXPECT_EQ(info.m_hardware, type);
        EXPECT_EQ(l.Sent(), (std::vector<uint8_t>{13, 3}));
    }
}

TEST(XLoggerIdentity, BtleLoggerAndWrongForms)
{
    Link l(false);
    l.Config().id = 69;
    CxutBoxInfo info;
    ASSERT_TRUE(l.link.ReadBoxInfo(info, false, false));
    EXPECT_EQ(info.m_hardware, 12);
    EXPECT_EQ(l.Sent(), (std::vector<uint8_t>{13, 1, 2}));
    l.Config().version = "1x05";
    EXPECT_FALSE(l.link.ReadBoxInfo(info, false, false));
    l.Config().version = "1.05";
    l.Config().id = 130;
    EXPECT_FALSE(l.link.ReadBoxInfo(info, false, false)) << "an unknown family";
    l.Config().answering = false;
    EXPECT_FALSE(l.link.ReadBoxInfo(info, false, false));
}

TEST(XLoggerLink, OtherKindsAndClosedLinksDoNothing)
{
    CxutXLogger none;
    uint8_t b = 0;
    EXPECT_FALSE(none.IsOpen());
    EXPECT_FALSE(none.StartStream(0.1));
    EXPECT_FALSE(none.Open());
    EXPECT_FALSE(none.SendByte(1));
    int count = 5;
    int values[6];
    EXPECT_FALSE(none.ReadStream(values, count, 0, 100));
    EXPECT_EQ(count, 0);
    Link l(true);
    l.link.Close();
    EXPECT_FALSE(l.link.Read(1, &b, 0.01));
    EXPECT_TRUE(l.link.StopStream());
    EXPECT_TRUE(l.Sent().empty());
    EXPECT_FALSE(l.link.ReadStream(values, count, 0, 100));
}

TEST(XLoggerStream, UsbStepFromPeriod)
{
    struct Case
    {
        double period;
        uint8_t step;
    };
    for (const Case c : {Case{0.1, 100}, Case{0.05, 10}, Case{0.002, 1}, Case{0.25, 10},
                         Case{1.0, 100}, Case{2.5, 100}}) {
        Link l(true);
        ASSERT_TRUE(l.link.StartStream(c.period));
        EXPECT_EQ(l.Sent(), (std::vector<uint8_t>{'P', c.step})) << c.period;
        EXPECT_EQ(l.link.GetQueue().GetStep(), c.step);
    }
    Link b(false);
    ASSERT_TRUE(b.link.StartStream(0.1));
    EXPECT_EQ(b.Sent(), (std::vector<uint8_t>{0x06, 0x20, 0}));
    EXPECT_EQ(b.link.GetQueue().GetStep(), 10u);
    EXPECT_TRUE(b.link.StopStream());
    EXPECT_EQ(b.Sent(), std::vector<uint8_t>{27});
}

TEST(XLoggerStream, KeepAliveAtMostOncePerSecond)
{
    Link l(false);
    CzxStopWatch watch;
    l.link.ResetKeepAlive();
    EXPECT_EQ(l.Sent(), std::vector<uint8_t>{0});
    l.link.KeepAlive();
    EXPECT_TRUE(l.Sent().empty());
    std::vector<uint8_t> sent;
    ASSERT_TRUE(qvtest::WaitUntil([&] {
        l.link.KeepAlive();
        sent = l.Sent();
        return !sent.empty();
    }));
    EXPECT_EQ(sent, std::vector<uint8_t>{0});
    EXPECT_GE(watch.Time(), 1000);
}

std::vector<int> FirstValues(CxutXLogger& link, int64_t& t, int64_t s, int calls)
{
    std::vector<int> got;
    for (int i = 0; i < calls; ++i) {
        int values[CxutXLogger::kMaxStreamReadings * 6];
        int count = 0;
        EXPECT_TRUE(link.ReadStream(values, count, t, s));
        for (int j = 0; j < count; ++j)
            got.push_back(values[6 * j]);
        t += count * s;
    }
    return got;
}

TEST(XLoggerStream, UsbPacketCounterJumpMovesTheTimeBase)
{
    Link l(true);
    ASSERT_TRUE(l.link.StartStream(0.01));
    l.port->Emit(1);
    l.port->Logger().DropNext();
    l.port->Emit(1);
    int64_t t = 0;
    const std::vector<int> got = FirstValues(l.link, t, 10, 2);
    // Records 0 to 6 at 0 to 60 ms; the next packet comes two counters on,
    // so its first record (14) is 80 ms after record 6.
    std::vector<int> want = {0, 1, 2, 3, 4, 5, 6, 6, 6, 6, 6, 6, 6, 6, 14, 15, 16, 17, 18, 19, 20};
    EXPECT_EQ(got, want);
}

TEST(XLoggerStream, UsbNextPacketFollowsOnStep)
{
    Link l(true);
    ASSERT_TRUE(l.link.StartStream(0.01));
    l.port->Emit(2);
    int values[6 * CxutXLogger::kMaxStreamReadings];
    int count = 0;
    ASSERT_TRUE(l.link.ReadStream(values, count, 0, 10));
    ASSERT_EQ(count, 14);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(values[6 * i], i);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2], 0x1234);
    EXPECT_EQ(values[3], 0xABCD);
    EXPECT_EQ(values[4], 0x20000) << "values 4 and 5 carry no reading";
}

TEST(XLoggerStream, BtleTickGapEndsTheStream)
{
    Link l(false);
    ASSERT_TRUE(l.link.StartStream(0.1));
    l.port->Emit(2);
    int64_t t = 0;
    // The records are 50 ms apart; the queue's 10 ms step pulls each one
    // 1 ms back.
    EXPECT_EQ(FirstValues(l.link, t, 49, 1), (std::vector<int>{0, 1}));
    l.port->Logger().DropNext();
    l.port->Emit(1);
    int values[6 * CxutXLogger::kMaxStreamReadings];
    int count = 0;
    EXPECT_FALSE(l.link.ReadStream(values, count, t, 49));
}

TEST(XLoggerStream, RecordsAreQueuedOnlyWhileStreaming)
{
    Link l(true);
    ASSERT_TRUE(l.link.StartStream(0.01));
    l.port->Emit(1);
    l.link.StopStream();
    l.port->Logger().Receive(reinterpret_cast<const uint8_t*>("P\x0a"), 2);
    l.port->Emit(1);
    int values[6 * CxutXLogger::kMaxStreamReadings];
    int count = 0;
    ASSERT_TRUE(l.link.ReadStream(values, count, 0, 10));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(l.link.GetInputCount(), 0u) << "the packet was read and dropped";
}

TEST(XLoggerVersion, WaitSkipsStaleBytes)
{
    for (bool usb : {false, true}) {
        Link l(usb);
        l.Config().version = "1.07";
        const uint8_t stale[2] = {0x12, '1'};
        l.port->Inject(stale, 2);
        EXPECT_TRUE(l.link.WaitForVersion(1.07)) << usb;
        l.port->Inject(stale, 2);
        EXPECT_TRUE(l.link.WaitForVersion(-1.0)) << usb;
        EXPECT_FALSE(l.link.WaitForVersion(1.08)) << usb;
    }
}

} // namespace
