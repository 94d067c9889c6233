// The driver of box types 10 and 12 against an emulated logger: sensor
// identities, names, stored-file headers and downloads on both links, and
// the decoding of oscilloscope and timing captures.
#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwSenFile.h"
#include "protocol/xutFetchHeader.h"
#include "protocol/xutXLoggerTestPort.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

constexpr float kNone = -987654.0f;

class Kestilon : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
    }

    void Connect(bool usb, const char* version = "1.05")
    {
        auto owned = std::make_unique<CtestXLoggerPort>();
        m_port = owned.get();
        Config().usb = usb;
        Config().version = version;
        if (usb) {
            m_box.m_xlogger.SetUSBPort(std::move(owned));
            m_box.m_linkKind = BOX_LINK_USB;
            m_box.m_commandLink = true;
            m_box.m_xlogger.SetLinkKind(BOX_LINK_USB);
            ASSERT_TRUE(m_box.m_xlogger.Open());
        } else {
            m_box.m_xlogger.SetBtlePort(std::move(owned));
            ASSERT_TRUE(xhwKestilonOpen(m_box, BOX_LINK_BTLE, wxString(), nullptr));
        }
        ASSERT_TRUE(xhwKestilonIdentify(m_box, false, false));
        Sent();
    }

    CemuXLoggerConfig& Config() { return m_port->Logger().Config(); }
    std::vector<uint8_t> Sent()
    {
        std::vector<uint8_t> sent = m_port->Logger().Received();
        m_port->Logger().ClearReceived();
        return sent;
    }

    std::vector<std::vector<float>> Rows()
    {
        std::vector<std::vector<float>> rows;
        while (m_box.m_stored.GetCount() >= 6) {
            std::vector<float> row(6);
            m_box.m_stored.Get(row.data(), 6);
            rows.push_back(row);
        }
        return rows;
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CxhwBox m_box;
    CtestXLoggerPort* m_port = nullptr;
};

std::vector<uint8_t> Header(std::vector<uint8_t> dateTime, std::vector<uint8_t> ids, int readings,
                            int interval, uint8_t unit, uint8_t marks)
{
    std::vector<uint8_t> h = dateTime;
    h.insert(h.end(), ids.begin(), ids.end());
    h.push_back(uint8_t(readings >> 8));
    h.push_back(uint8_t(readings));
    h.push_back(uint8_t(interval >> 8));
    h.push_back(uint8_t(interval));
    h.push_back(unit);
    h.push_back(marks);
    return h;
}

const std::vector<uint8_t> kWhen = {0x15, 0x07, 0x09, 0x13, 0x45, 0x30};

} // namespace

TEST_F(Kestilon, HeaderFields)
{
    struct Case
    {
        std::vector<uint8_t> when;
        int readings;
        int interval;
        uint8_t unit;
        int status;
        int kind;
        double seconds;
    };
    const Case cases[] = {
        {kWhen, 10, 500, 3, 0, 2, 0.5},
        {kWhen, 10, 2, 5, 0, 2, 120.0},
        {kWhen, 10, 0, 128, 0, 3, 0.0},
        {kWhen, 10, 500, 9, 13, 0, 0.0},
        {kWhen, 10, 500, 0, 13, 0, 0.0},
        {kWhen, 60002, 1, 4, 13, 0, 0.0},
        {kWhen, 60001, 1, 4, 0, 2, 1.0},
        {{0x32, 0x07, 0x09, 0x13, 0x45, 0x30}, 10, 1, 4, 13, 0, 0.0},
        {{0x15, 0x13, 0x09, 0x13, 0x45, 0x30}, 10, 1, 4, 13, 0, 0.0},
        {{0x15, 0x07, 0x09, 0x24, 0x45, 0x30}, 10, 1, 4, 13, 0, 0.0},
        {{0x15, 0x07, 0x09, 0x13, 0x60, 0x30}, 10, 1, 4, 13, 0, 0.0},
        {{0x15, 0x07, 0x09, 0x13, 0x45, 0x60}, 10, 1, 4, 13, 0, 0.0},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> block = Header(c.when, {2, 0, 5, 0}, c.readings, c.interval, c.unit, 3);
        CxutFetchHeader header;
        CxutFetchFile file;
        ASSERT_EQ(xhwKestilonDecodeHeader(4, block.data(), header, file), c.status)
            << int(c.unit) << " " << c.readings;
        if (c.status != 0)
            continue;
        EXPECT_EQ(file.m_date, 20090715);
        EXPECT_EQ(file.m_time, 134530);
        EXPECT_EQ(file.m_number, 4);
        EXPECT_EQ(file.m_kind, c.kind);
        EXPECT_EQ(header.m_kind, c.kind);
        EXPECT_DOUBLE_EQ(header.m_interval, c.seconds);
        EXPECT_DOUBLE_EQ(header.m_duration, (c.readings - 1) * c.seconds);
        EXPECT_EQ(header.m_count, 3);
        EXPECT_EQ(header.m_sensors[0].m_idCode, 2);
        EXPECT_EQ(header.m_sensors[0].m_idType, 3);
        EXPECT_EQ(header.m_sensors[2].m_idCode, 5);
        EXPECT_EQ(header.m_sensors[4].m_idType, 0);
    }
}

TEST_F(Kestilon, DownloadPlacesInputsAndMarksOnBothLinks)
{
    for (bool usb : {true, false}) {
        Connect(usb);
        // Inputs 0 and 2; seven readings 5 s apart; marks at 10 s and 25 s.
        Config().fileHeader = Header(kWhen, {2, 0, 5, 0}, 7, 5, 4, 2);
        Config().marks = {10, 25};
        for (int i = 0; i < 7; ++i)
            for (int v : {1000 * i, 30000 + i}) {
                Config().fileData.push_back(uint8_t(v >> 8));
                Config().fileData.push_back(uint8_t(v));
            }
        m_box.SetState(BOX_STATE_FETCH);
        ASSERT_EQ(xhwKestilonFetchFile(m_box, 0), 0) << usb;
        CxutFetchHeader header;
        ASSERT_TRUE(m_box.m_fetch.TakeHeader(header));
        EXPECT_EQ(header.m_readings, 7);
        const auto rows = Rows();
        ASSERT_EQ(rows.size(), 7u);
        for (int i = 0; i < 7; ++i) {
            EXPECT_FLOAT_EQ(rows[i][0], header.m_sensors[0].Convert(1000 * i));
            EXPECT_FLOAT_EQ(rows[i][2], header.m_sensors[2].Convert(30000 + i));
            for (int slot : {1, 3, 4, 5})
                EXPECT_EQ(rows[i][slot], kNone);
        }
        std::vector<int> marked(2);
        ASSERT_EQ(m_box.GetSampleCount(), 2);
        m_box.GetSamples(marked.data(), 2);
        EXPECT_EQ(marked, (std::vector<int>{2, 5}));
        m_box.m_xlogger.Close();
    }
}

TEST_F(Kestilon, DamagedBtleChunkIsAskedForTwiceMore)
{
    for (const auto& [bad, status] : {std::pair<int, int>{2, 0}, {3, 1}}) {
        Connect(false);
        Config().fileHeader = Header(kWhen, {2, 0, 0, 0}, 3, 1, 4, 0);
        Config().fileData = {0, 1, 0, 2, 0, 3};
        Config().badChunks = bad;
        m_box.SetState(BOX_STATE_FETCH);
        EXPECT_EQ(xhwKestilonFetchFile(m_box, 0), status) << bad;
        const std::vector<uint8_t> sent = Sent();
        const size_t asks = std::count(sent.begin(), sent.end(), 0x51);
        EXPECT_EQ(asks, 2u) << bad;
        Rows();
    }
}

TEST_F(Kestilon, LongFileIsCutAndEmptyFilesAreRefused)
{
    Connect(false);
    Config().fileHeader = Header(kWhen, {2, 0, 0, 0}, 30000, 1, 4, 0);
    Config().fileData.assign(60000, 0x11);
    m_box.SetState(BOX_STATE_FETCH);
    ASSERT_EQ(xhwKestilonFetchFile(m_box, 0), 0);
    EXPECT_EQ(Rows().size(), 20001u);
    Config().fileHeader = Header(kWhen, {0, 0, 0, 0}, 10, 1, 4, 0);
    EXPECT_EQ(xhwKestilonFetchFile(m_box, 0), 12);
    Config().fileHeader = Header(kWhen, {2, 0, 0, 0}, 0, 1, 4, 0);
    EXPECT_EQ(xhwKestilonFetchFile(m_box, 0), 12);
    m_box.SetState(BOX_STATE_CONNECT);
    Config().fileHeader = Header(kWhen, {2, 0, 0, 0}, 10, 1, 4, 0);
    EXPECT_EQ(xhwKestilonFetchFile(m_box, 0), 1) << "the box left the fetch state";
}

TEST_F(Kestilon, SensorIdsAndMissingReply)
{
    Connect(true);
    Config().sensorCode[0] = 7;
    Config().sensorCode[3] = 9;
    CxhwSensorV ids;
    ASSERT_TRUE(xhwKestilonReadSensorIds(m_box, ids));
    EXPECT_EQ(ids[0].m_idCode, 7);
    EXPECT_EQ(ids[0].m_idType, 3);
    EXPECT_EQ(ids[3].m_idCode, 9);
    EXPECT_EQ(ids[4].m_idType, 0);
    for (int i = 0; i < 6; ++i)
        ids[i].m_changedId = false;
    Config().answering = false;
    EXPECT_FALSE(xhwKestilonReadSensorIds(m_box, ids));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ids[i].m_idCode, 0);
        EXPECT_EQ(ids[i].m_idType, 0);
        EXPECT_EQ(ids[i].m_changedId, i == 0 || i == 1 || i == 2 || i == 3) << i;
    }
}

TEST_F(Kestilon, BtleReadingsAndIds)
{
    Connect(false);
    Config().sensorCode[1] = 44;
    Config().sensorType[1] = 6;
    Config().reading[2] = 0x1234;
    CxhwSensorV ids;
    ASSERT_TRUE(xhwKestilonReadSensorIds(m_box, ids));
    EXPECT_EQ(Sent(), (std::vector<uint8_t>{4, 0, 4, 1, 4, 2, 4, 3}));
    EXPECT_EQ(ids[1].m_idCode, 44);
    EXPECT_EQ(ids[1].m_idType, 6);
    int values[6];
    ASSERT_TRUE(xhwKestilonReadValues(m_box, values));
    EXPECT_EQ(values[2], 0x1234);
    EXPECT_EQ(values[4], 0);
}

TEST_F(Kestilon, NamesKeepLettersAndDigits)
{
    Connect(true);
    Config().name = "Lab12-B";
    wxString name;
    int kind = 0;
    xhwKestilonReadName(m_box, name, kind);
    EXPECT_EQ(name, "Lab12");
    EXPECT_EQ(kind, 1);
    Sent();
    EXPECT_EQ(xhwKestilonWriteName(m_box, "Lab 12", kind), 0);
    const std::vector<uint8_t> sent = Sent();
    ASSERT_GE(sent.size(), 7u);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + 7),
              (std::vector<uint8_t>{0x39, 'L', 'a', 'b', '1', '2', 0}));
    EXPECT_EQ(xhwKestilonNameToSend("abcdefghijklmnopqrstu"), "abcdefghijklmno");
    m_box.m_xlogger.SetLinkKind(BOX_LINK_BTLE);
    EXPECT_EQ(xhwKestilonWriteName(m_box, "Lab", kind), 2);
}

TEST_F(Kestilon, ListIsNewestFirstAndSkipsEmptySlots)
{
    Connect(true);
    Config().fileHeader = Header(kWhen, {2, 0, 0, 0}, 5, 1, 4, 0);
    m_box.SetState(BOX_STATE_CONNECT);
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_LIST_FILES;
    m_box.SetRequest(request);
    xhwKestilonListStoredFiles(m_box);
    ASSERT_EQ(m_box.m_fetch.GetListResult(), 1);
    CxutFetchFile file;
    ASSERT_TRUE(m_box.m_fetch.GetFile(0, file));
    EXPECT_EQ(file.m_date, 20090715);
    // Every slot's header block reads, the empty ones too.
    EXPECT_EQ(xhwKestilonGetStoredFileMask(m_box), 0xFF);
    EXPECT_EQ(xhwKestilonGetStoredFileCount(m_box), 8);
}

TEST(KestilonCapture, TwelveBitSamplesUnpack)
{
    const uint8_t one[3] = {0xAB, 0xCD, 0xEF};
    int out[4] = {};
    xhwKestilonUnpack12(one, 2, 1, out);
    EXPECT_EQ(out[0], 0xABE0);
    EXPECT_EQ(out[1], 0xCDF0);
    const uint8_t two[6] = {0x10, 0x20, 0x34, 0x50, 0x60, 0x78};
    xhwKestilonUnpack12(two, 4, 2, out);
    EXPECT_EQ(out[0], 0x1030);
    EXPECT_EQ(out[1], 0x5070);
    EXPECT_EQ(out[2], 0x2040);
    EXPECT_EQ(out[3], 0x6080);
}

TEST(KestilonCapture, TimingCounterWraps)
{
    EXPECT_EQ(xhwKestilonTimingDelta(100, -1), 0);
    EXPECT_EQ(xhwKestilonTimingDelta(0, 65000), 536);
    EXPECT_EQ(xhwKestilonTimingDelta(100, 65000), 636);
    EXPECT_EQ(xhwKestilonTimingDelta(300, 100), 200);
    EXPECT_EQ(xhwKestilonTimingDelta(0, 0), 65536);
    EXPECT_EQ(xhwKestilonTimingState(BOX_TYPE_KESTILON, 0x0F, 0x05), 0x05);
    EXPECT_EQ(xhwKestilonTimingState(BOX_TYPE_TUNDRANE2, 0x0F, 0x05), 0x0A);
    EXPECT_EQ(xhwKestilonTimingState(BOX_TYPE_KESTILON, 0x03, 0x01), 0x0D);
}

TEST_F(Kestilon, BtleScopeCaptureOfOneInput)
{
    Connect(false, "1.05");
    m_box.m_sensors[0].m_idCode = 21;
    m_box.m_run.m_readingsToTake = 101;
    m_box.m_run.m_received = 0;
    // 0xFF and input 0's IdCode, 51 groups of two samples, then padding to
    // 160 bytes.
    std::vector<uint8_t> capture = {0xFF, 21};
    for (int g = 0; g < 51; ++g) {
        capture.push_back(uint8_t(g));
        capture.push_back(uint8_t(g + 100));
        capture.push_back(0x00);
    }
    ASSERT_EQ(capture.size(), 155u);
    capture.resize(160, 0xEE);
    m_port->Inject(capture.data(), uint32_t(capture.size()));
    std::vector<int> samples;
    for (int call = 0; call < 10 && m_port->GetInputCount() > 0; ++call) {
        int values[CxhwBox::kScopeValues];
        int count = 0;
        ASSERT_TRUE(xhwKestilonReadScope(m_box, values, count));
        samples.insert(samples.end(), values, values + count);
    }
    ASSERT_EQ(samples.size(), 101u);
    EXPECT_EQ(samples[0], 0 << 8);
    EXPECT_EQ(samples[1], 100 << 8);
    EXPECT_EQ(samples[100], 50 << 8);
    EXPECT_EQ(m_box.m_run.m_received, 0.0) << "ready for the next capture";
}

TEST_F(Kestilon, WrongCaptureHeaderReidentifies)
{
    Connect(false, "1.05");
    m_box.m_sensors[0].m_idCode = 21;
    m_box.m_sensors[1].m_idCode = 22;
    m_box.m_run.m_readingsToTake = 101;
    m_box.m_run.m_received = 0;
    const uint8_t header[4] = {0xFE, 21, 22, 1};
    m_port->Inject(header, 4);
    int values[CxhwBox::kScopeValues];
    int count = 0;
    EXPECT_FALSE(xhwKestilonReadScope(m_box, values, count));
    EXPECT_EQ(count, 0);
    const std::vector<uint8_t> sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), 0x0D) << "new firmware leaves the mode with 0x0D";
    EXPECT_NE(std::find(sent.begin(), sent.end(), 2), sent.end()) << "waits for the version";
}

TEST_F(Kestilon, TimingRecordsBecomeEvents)
{
    Connect(true);
    m_box.m_info.m_hardware = BOX_TYPE_KESTILON;
    m_box.m_timingMask = 0x0F;
    m_box.m_timing.Clear();
    m_box.m_lastTimingTick = -1;
    const uint8_t records[] = {0xFD, 0xE8, 0x00, 0x00, 0x00, 0x01, 0x00, 0x64, 0x01, 0x01, 0x00, 0x00};
    m_port->Inject(records, sizeof records);
    ASSERT_TRUE(xhwKestilonReadTiming(m_box));
    CxutTimerStatus status;
    CxutTimerEvent events[8];
    const uint32_t n = m_box.m_timing.Take(status, events, 8);
    ASSERT_EQ(n, 3u);
    EXPECT_EQ(events[0].States, 0);
    EXPECT_EQ(events[1].Ticks, 536u);
    EXPECT_EQ(events[1].States, 1);
    EXPECT_EQ(events[2].Ticks, 256u) << "an unchanged state carries its ticks on";
    EXPECT_EQ(events[2].States, 0);
}

TEST_F(Kestilon, OldFirmwareCaptureNeedsATriggerSlot)
{
    for (int input : {1, -1, 6}) {
        Connect(true, "1.02");
        m_box.m_run.m_scopeInput = input;
        m_box.m_run.m_received = 0;
        const uint8_t frame[4] = {0xFF, 0x00, 0x12, 0x34};
        m_port->Inject(frame, 4);
        int values[6] = {0, 0, 0, 0, 0, 0};
        int count = 0;
        const bool ok = xhwKestilonReadSetupLogging(m_box, values, count);
        EXPECT_EQ(ok, input == 1) << input;
        EXPECT_EQ(count, ok ? 1 : 0);
        EXPECT_EQ(values[1], ok ? 0x1234 : 0);
        m_port->Flush();
    }
}
