// Test label: threads
// The serial-family drivers against an emulated logger on a pseudo-terminal:
// the box's operations are called as the box thread calls them.
#include "app/base/gumResCore.h"
#include "emulators/emuSerialPty.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwComDriver.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSerialModels.h"
#include "protocol/xutFetchHeader.h"
#include "support/testWait.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <wx/datetime.h>

namespace {

constexpr int kPort = 2;
constexpr int kClock = 0xA1;

struct Model
{
    int type;
    uint8_t id;
    const char* version;
};

constexpr Model kModels[] = {{2, 0, "1.20"},  {3, 8, "1.20"},  {4, 8, "2.40"}, {5, 24, "1.20"},
                             {6, 32, "1.02"}, {8, 40, "1.02"}, {9, 48, "1.20"}};

class SerialDriver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        ASSERT_TRUE(m_emu.IsOpen());
        char folder[] = "/tmp/qvserialXXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        m_folder = folder;
        ASSERT_EQ(::symlink(m_emu.SlavePath().c_str(), Link().c_str()), 0);
        ::setenv("QUORVANTI_SERIAL_PREFIX", (m_folder + "/tty").c_str(), 1);
    }

    void TearDown() override
    {
        xhwCloseLink(Box());
        ::unsetenv("QUORVANTI_SERIAL_PREFIX");
        ::unlink(Link().c_str());
        ::rmdir(m_folder.c_str());
    }

    std::string Link() const { return m_folder + "/tty" + std::to_string(kPort); }
    CxhwBox& Box() { return m_boxes.m_box; }

    // The logger of a box type, with a set clock and sensor ids on inputs.
    void Become(int type)
    {
        for (const Model& m : kModels) {
            if (m.type != type)
                continue;
            m_emu.With([&](CemuSerialLogger& logger) {
                logger.Config().boxType = type;
                logger.Identity().id = m.id;
                logger.Identity().version = m.version;
                logger.Identity().switchReply = 1; // no output accessory
                logger.Memory()[kClock + 5] = 26;  // a year the checks accept
            });
        }
    }

    void SetSensor(int input, int code, int type)
    {
        m_emu.With([&](CemuSerialLogger& logger) {
            logger.Identity().sensorCode[input] = uint8_t(code);
            logger.Identity().sensorType[input] = uint8_t(type);
        });
    }

    bool Connect()
    {
        if (!xhwOpenLink(Box(), kPort, wxString(), nullptr))
            return false;
        if (!xhwConnect(Box()))
            return false;
        Box().Publish();
        return true;
    }

    template <class T>
    T From(const std::function<T(CemuSerialLogger&)>& get)
    {
        T value{};
        m_emu.With([&](CemuSerialLogger& logger) { value = get(logger); });
        return value;
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CemuSerialPty m_emu;
    std::string m_folder;
    CxhwBoxes m_boxes;
};

// Every sent byte sequence that starts with these bytes.
bool Sent(const std::vector<uint8_t>& received, const std::vector<uint8_t>& bytes)
{
    return std::search(received.begin(), received.end(), bytes.begin(), bytes.end()) != received.end();
}

} // namespace

TEST_F(SerialDriver, IdentifiesEachBoxTypeAndItsSensors)
{
    for (const Model& m : kModels) {
        Become(m.type);
        SetSensor(0, 2, 1);
        ASSERT_TRUE(Connect()) << m.type;
        EXPECT_EQ(Box().m_info.m_hardware, m.type);
        EXPECT_EQ(Box().m_sensors[0].m_idCode, 2) << m.type;
        xhwCloseLink(Box());
    }
}

TEST_F(SerialDriver, BatteryOfEachType)
{
    const struct
    {
        int type;
        int high, low, byte;
        int power;
    } cases[] = {{2, 0x80, 0x00, 0, 57}, {3, 0x83, 0x03, 0, 100}, {4, 0x8D, 0x01, 0, 101},
                 {5, 0, 0, 8, 96},       {8, 0, 0, 9, 100},       {6, 0, 0, 200, 102},
                 {9, 0, 0, 0, 103}};
    for (const auto& c : cases) {
        Become(c.type);
        m_emu.With([&](CemuSerialLogger& logger) {
            logger.Config().batteryHigh = c.high;
            logger.Config().batteryLow = c.low;
            logger.Config().batteryByte = c.byte;
        });
        ASSERT_TRUE(Connect()) << c.type;
        EXPECT_EQ(Box().GetPower(), c.power) << c.type;
        xhwCloseLink(Box());
    }
}

TEST_F(SerialDriver, ShortPeriodStreamsFiveByteFrames)
{
    Become(8);
    ASSERT_TRUE(Connect());
    m_boxes.StartSampling(0.02);
    int values[6] = {};
    ASSERT_TRUE(Box().StartPolling(values));
    EXPECT_TRUE(Sent(m_emu.Received(), {0x06, 0x86, 0x00, 0x27}));
    EXPECT_TRUE(Box().m_run.m_fastPolling);
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(Box().Poll(values)) << i;
        EXPECT_EQ(values[0], 0x80C0);
        EXPECT_EQ(values[1], 0x4080);
        EXPECT_EQ(values[2], 0xFF40);
    }
    // 60 frames of 10 ms: the keep-alive went out meanwhile.
    EXPECT_TRUE(m_emu.WaitFor([](CemuSerialLogger& l) { return l.IsStreaming(); }));
    EXPECT_TRUE(Box().StopPolling());
    EXPECT_TRUE(m_emu.WaitFor([](CemuSerialLogger& l) { return !l.IsStreaming(); }));
    // The logger answers again after the stream.
    EXPECT_TRUE(xhwIsLinkOpen(Box(), true, false));
}

TEST_F(SerialDriver, FlaggedOrSlowSamplingPollsEachInput)
{
    Become(8);
    SetSensor(0, 2, 1);
    SetSensor(2, 2, 1);
    ASSERT_TRUE(Connect());
    for (bool flagged : {true, false}) {
        if (flagged)
            m_boxes.StartSamplingFlagged(0.02);
        else
            m_boxes.StartSampling(1.0);
        m_emu.ClearReceived();
        int values[6] = {};
        ASSERT_TRUE(Box().StartPolling(values));
        EXPECT_FALSE(Sent(m_emu.Received(), {0x06, 0x86})) << flagged;
        EXPECT_FALSE(Box().m_run.m_fastPolling);
        // Type 8 reads its three inputs in one request.
        EXPECT_EQ(values[0], 0x1000);
        EXPECT_EQ(values[2], 0x3000);
        EXPECT_TRUE(Box().StopPolling());
    }
}

TEST_F(SerialDriver, OutputsGoOnlyToOutputInputsAndOnlyWhenChanged)
{
    Become(4);
    SetSensor(1, 136, 0); // an output device on input 1
    ASSERT_TRUE(Connect());
    m_emu.ClearReceived();
    EXPECT_TRUE(Box().SetOutputs(3, true));
    EXPECT_TRUE(m_emu.WaitFor([](CemuSerialLogger& l) { return l.LastOutputs() == 2; }));
    EXPECT_TRUE(Sent(m_emu.Received(), {0x17, 0x40}));
    m_emu.ClearReceived();
    EXPECT_TRUE(Box().SetOutputs(3, false));
    // The battery read that follows is the first thing the logger hears.
    Box().GetPower();
    const auto received = m_emu.Received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0], 0x10);
}

TEST_F(SerialDriver, TimingRecordsBecomeEvents)
{
    Become(5);
    SetSensor(0, 2, 1);
    m_emu.With([](CemuSerialLogger& l) {
        l.Config().timingMask = 3;
        l.Config().timingRecords = {0x35, 0x00, 0x05, 0x00, 0x12, 0x01};
    });
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(Box().StartTiming());
    EXPECT_EQ(Box().m_timingMask, 3);
    CxutTimerStatus status;
    CxutTimerEvent events[8];
    uint32_t n = 0;
    bool read = true;
    qvtest::WaitUntil([&] {
        read = Box().ReadTiming();
        n += Box().GetTimingEvents(status, events + n, 8 - n);
        return !read || n >= 2;
    });
    ASSERT_TRUE(read);
    ASSERT_EQ(n, 2u);
    // Input 2 is outside the mask and reads as set.
    EXPECT_EQ(events[0].Ticks, 6u);
    EXPECT_EQ(events[0].States, 5);
    EXPECT_EQ(events[1].Ticks, 8192u + 34u);
    EXPECT_EQ(events[1].States, 6);
    EXPECT_TRUE(Box().StopTiming());
}

TEST_F(SerialDriver, TypeTwoLoadsItsTimingProgram)
{
    Become(2);
    m_emu.With([](CemuSerialLogger& l) { l.Config().timingRecords = {0x21, 0x00}; });
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(Box().StartTiming());
    const auto texts = From<std::vector<std::string>>([](CemuSerialLogger& l) { return l.Texts(); });
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "G7C00");
    EXPECT_EQ(From<int>([](CemuSerialLogger& l) { return int(l.Memory()[0x7C00]); }), 0x11);
    EXPECT_EQ(From<int>([](CemuSerialLogger& l) { return int(l.Memory()[0x7C00 + 74]); }), 0xC9);
}

TEST_F(SerialDriver, FastCaptureNeedsATriggerInput)
{
    Become(9);
    ASSERT_TRUE(Connect());
    m_boxes.StartSetupLogging(0.001);
    m_emu.ClearReceived();
    // No sensor can trigger: nothing starts.
    EXPECT_FALSE(Box().StartSetupLogging());
    EXPECT_FALSE(Sent(m_emu.Received(), {0x06, 0x8A}));

    SetSensor(1, 2, 1);
    m_emu.With([](CemuSerialLogger& l) { l.Config().capture = {0x10, 0x20, 0x30}; });
    ASSERT_TRUE(xhwRecheckLink(Box()));
    Box().Publish();
    ASSERT_TRUE(Box().StartSetupLogging());
    EXPECT_TRUE(m_emu.WaitFor([](CemuSerialLogger& l) { return Sent(l.Received(), {0x06, 0x8A, 0x01, 0x00}); }));
    int values[6] = {};
    bool got = false;
    std::vector<int> readings;
    bool read = true;
    qvtest::WaitUntil([&] {
        read = Box().ReadSetupLogging(values, got);
        if (read && got)
            readings.push_back(values[1]);
        return !read || readings.size() >= 3;
    });
    ASSERT_TRUE(read);
    EXPECT_EQ(readings, (std::vector<int>{0x1000, 0x2000, 0x3000}));
    EXPECT_TRUE(Box().StopSetupLogging());
}

TEST_F(SerialDriver, ScopeTraceAndStop)
{
    Become(9);
    SetSensor(0, 2, 1);
    m_emu.With([](CemuSerialLogger& l) { l.Config().scopeTrace = std::vector<uint8_t>(101, 0x42); });
    ASSERT_TRUE(Connect());
    m_boxes.StartScope(2); // 200 µs
    ASSERT_TRUE(Box().StartScope());
    EXPECT_TRUE(m_emu.WaitFor([](CemuSerialLogger& l) { return Sent(l.Received(), {0x06, 0x89, 0x00, 0x00, 4}); }));
    // Read as the box thread reads it until the logger has sent the whole trace.
    int values[CxhwBox::kScopeValues] = {};
    int total = 0;
    bool read = true;
    qvtest::WaitUntil([&] {
        int count = 0;
        read = Box().ReadScope(values, count);
        if (read && count > 0) {
            EXPECT_EQ(values[0], 0x4200);
            total += count;
        }
        return !read || total >= 101;
    });
    ASSERT_TRUE(read);
    EXPECT_EQ(total, 101);
    EXPECT_TRUE(Box().StopScope());
}

TEST_F(SerialDriver, ClocksAreSetWhenTheirYearIsImplausible)
{
    const struct
    {
        int type;
        int year;
        bool set;
    } cases[] = {{5, 4, true}, {5, 99, false}, {4, 86, true}, {4, 85, false}, {8, 4, true}, {8, 30, false}};
    for (const auto& c : cases) {
        Become(c.type);
        m_emu.With([&](CemuSerialLogger& l) {
            l.Memory()[kClock + 5] = uint8_t(c.year);
            l.Memory()[kClock + 1] = 0xEE; // minutes, overwritten when set
        });
        ASSERT_TRUE(Connect()) << c.type;
        const int minutes = From<int>([](CemuSerialLogger& l) { return int(l.Memory()[kClock + 1]); });
        EXPECT_EQ(minutes != 0xEE, c.set) << c.type << " " << c.year;
        xhwCloseLink(Box());
    }
}

TEST_F(SerialDriver, ClockSettingWritesLocalTime)
{
    const wxDateTime when(3, wxDateTime::Feb, 2031, 10, 15, 58);
    for (int type : {4, 5, 8}) {
        Become(type);
        ASSERT_TRUE(Connect());
        EXPECT_EQ(Box().SetClock(when), 0);
        const auto memory = From<std::vector<uint8_t>>([](CemuSerialLogger& l) { return l.Memory(); });
        EXPECT_EQ(std::vector<int>(memory.begin() + kClock, memory.begin() + kClock + 6),
                  (std::vector<int>{55, 15, 10, 3, 2, 31}))
            << type;
        xhwCloseLink(Box());
    }
}

TEST_F(SerialDriver, TypeTwoClockIsCheckedAndSet)
{
    Become(2);
    m_emu.With([](CemuSerialLogger& l) { l.Memory()[kClock + 5] = 19; });
    ASSERT_TRUE(Connect());
    const wxDateTime now = wxDateTime::Now();
    EXPECT_EQ(From<int>([](CemuSerialLogger& l) { return int(l.Memory()[kClock + 5]); }), now.GetYear() % 100);
}

TEST_F(SerialDriver, StampReadAndWritten)
{
    Become(8);
    m_emu.With([](CemuSerialLogger& l) { l.Config().stamp = "Lab 4"; });
    ASSERT_TRUE(Connect());
    wxString text;
    int kind = 0;
    Box().ReadName(text, kind);
    EXPECT_EQ(kind, 5);
    EXPECT_EQ(text, wxString("Lab 4") + wxString(' ', 27));
    EXPECT_EQ(Box().WriteName("ab_c", 10, kind), 0);
    EXPECT_EQ(From<std::string>([](CemuSerialLogger& l) { return l.StampWritten(); }),
              "ab c" + std::string(28, ' '));
    // A code at the limit passes the text on without writing it.
    EXPECT_EQ(Box().WriteName("x", 5, kind), 6);
}

// ---- Stored files ----------------------------------------------------------

namespace {

std::vector<uint8_t> SlotFile(uint8_t mode, int readings)
{
    std::vector<uint8_t> data = {1, 0, 5, 4, 3, 9, 10, 25, mode, 32, uint8_t(readings & 0xFF),
                                 uint8_t(readings >> 8), 0, 2, 0, 2};
    for (int i = 0; i < readings; ++i) {
        const int raw = 0x1000 * (i + 1);
        data.insert(data.end(), {0, uint8_t(i == 1 ? 0x80 : 0), uint8_t(raw & 0xFF), uint8_t(raw >> 8), 0, 0,
                                 uint8_t(raw & 0xFF), uint8_t(raw >> 8)});
    }
    return data;
}

void Put16(std::vector<uint8_t>& h, int at, int value)
{
    h[size_t(at)] = uint8_t(value & 0xFF);
    h[size_t(at) + 1] = uint8_t((value >> 8) & 0xFF);
}

// A memory image of box type 6: readings of inputs 0 and 2 at p, events at
// e, notes at n.
std::vector<uint8_t> Image(int readings, int p, int e, int n)
{
    std::vector<uint8_t> h(1400, 0);
    h[0] = 0x10;
    h[1] = 60;
    Put16(h, 2, readings);
    h[4] = 0x02;
    h[6] = 1;
    h[9] = 14;
    h[10] = 9;
    h[11] = 9; // October
    Put16(h, 12, 2025);
    h[15] = 4;
    Put16(h, 16, 2);
    Put16(h, 18, 2);
    const char name[] = "Run";
    std::copy(name, name + 3, h.begin() + 20);
    h[33] = 2;
    h[35] = 2;
    h[40] = 1;
    h[42] = 1;
    h[160 + 6] = 2; // channel 1's units: a degree sign and C
    h[161 + 6] = 'C';
    h[209] = 1;
    Put16(h, 210, p);
    Put16(h, 212, e);
    Put16(h, 214, n);
    h[319 + 1] = 1; // input 0 in tenths
    const int words[4][2] = {{100, 7}, {0x7FFF, 8}, {-5, 9}, {0x8000, 10}};
    for (int i = 0; i < readings && p != 0; ++i) {
        Put16(h, p + 4 * i, words[i % 4][0]);
        Put16(h, p + 4 * i + 2, words[i % 4][1]);
    }
    if (e != 0) {
        Put16(h, e + 2, 2);     // reading 1
        Put16(h, e + 4 + 2, 6); // reading 3
    }
    if (n != 0) {
        h[size_t(n)] = 'o';
        h[size_t(n) + 1] = 'k';
    }
    return h;
}

} // namespace

TEST_F(SerialDriver, SlotFilesAreListedAndDownloaded)
{
    Become(5);
    m_emu.With([](CemuSerialLogger& l) {
        l.Config().slotState[0] = 7;
        l.Config().slotState[1] = 7;
        l.Config().slotData[1] = SlotFile(61, 3);
    });
    ASSERT_TRUE(Connect());
    EXPECT_EQ(Box().GetStoredFileMask(), 3);
    EXPECT_EQ(Box().GetStoredFileCount(), 2);
    CxutFetchFile file;
    ASSERT_EQ(Box().ReadStoredFileHeader(1, file), 0);
    EXPECT_EQ(file.m_date, 20251009);
    EXPECT_EQ(file.m_time, 30405);
    EXPECT_EQ(file.m_kind, 1);

    Box().SetState(BOX_STATE_FETCH);
    ASSERT_EQ(Box().FetchFile(1), 0);
    CxutFetchHeader header;
    ASSERT_TRUE(Box().m_fetch.TakeHeader(header));
    EXPECT_EQ(header.m_readings, 3);
    EXPECT_DOUBLE_EQ(header.m_interval, 0.5);
    EXPECT_DOUBLE_EQ(header.m_duration, 1.0);
    EXPECT_EQ(header.m_sensors[0].m_idCode, 2);
    EXPECT_EQ(header.m_sensors[1].m_idCode, 0);
    for (int i = 0; i < 3; ++i) {
        float row[6];
        ASSERT_TRUE(Box().GetStoredData(row, 6)) << i;
        EXPECT_FLOAT_EQ(row[0], header.m_sensors[0].Convert(0x1000 * (i + 1)));
        EXPECT_FLOAT_EQ(row[2], header.m_sensors[2].Convert(0x1000 * (i + 1)));
        EXPECT_FLOAT_EQ(row[3], XHW_NO_VALUE);
    }
    int mark = -1;
    ASSERT_TRUE(Box().GetSamples(&mark, 1));
    EXPECT_EQ(mark, 1);
    EXPECT_EQ(Box().GetSampleCount(), 0);
}

TEST_F(SerialDriver, UnreadableSlotHeaderIsRefused)
{
    Become(8);
    m_emu.With([](CemuSerialLogger& l) {
        l.Config().slotState[0] = 7;
        l.Config().slotData[0] = SlotFile(0x80 | 61, 3);
    });
    ASSERT_TRUE(Connect());
    Box().SetState(BOX_STATE_FETCH);
    EXPECT_EQ(Box().FetchFile(0), 13);
    EXPECT_EQ(Box().m_fetch.GetHeaderState(), 0);
}

TEST_F(SerialDriver, TypeTwoFileIsDownloadedThroughMsave)
{
    Become(2);
    m_emu.With([](CemuSerialLogger& l) {
        l.Config().type2Mask = 0x02;
        l.Config().type2Start[1] = 0x1000;
        l.Config().type2End = 0x1400;
        std::vector<uint8_t>& m = l.Memory();
        const uint8_t mark[] = {0x4C, 0x4F, 0x47, 0x01};
        std::copy(mark, mark + 4, m.begin() + 0x1000);
        m[0x1000 + 16] = 64;
        m[0x1000 + 18] = 0xFF;
        m[0x1000 + 19] = 0xFF;
        m[0x1000 + 20] = 64; // one second
        m[0x1000 + 22] = 1;
        m[0x1000 + 22 + 2] = 2;
        m[0x1000 + 30 + 2] = 2;
        m[0x1000 + 34] = 0xFF;
        m[0x1000 + 58] = 1;  // day
        m[0x1000 + 59] = 1;  // month
        m[0x1000 + 60] = 90; // year: the logger's unset clock
        m[0x1000 + 61] = 19;
        for (int i = 0; i < 137; ++i) {
            const int at = 0x1040 + 7 * i;
            m[size_t(at) + 1] = uint8_t(i);      // entry 0
            m[size_t(at) + 5] = uint8_t(i + 1);  // entry 2
            m[size_t(at) + 6] = i == 2 ? 0x40 : 0;
        }
    });
    ASSERT_TRUE(Connect());
    EXPECT_EQ(Box().GetStoredFileMask(), 2);
    Box().SetState(BOX_STATE_FETCH);
    ASSERT_EQ(Box().FetchFile(1), 0);
    const auto texts = From<std::vector<std::string>>([](CemuSerialLogger& l) { return l.Texts(); });
    EXPECT_NE(std::find(texts.begin(), texts.end(), "MSAVE 1000 40"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "MSAVE 1040 3BF"), texts.end());
    CxutFetchHeader header;
    ASSERT_TRUE(Box().m_fetch.TakeHeader(header));
    EXPECT_EQ(header.m_readings, 137);
    EXPECT_EQ(header.m_date, 0);
    EXPECT_DOUBLE_EQ(header.m_interval, 1.0);
    float row[6];
    for (int i = 0; i < 137; ++i) {
        ASSERT_TRUE(Box().GetStoredData(row, 6)) << i;
        EXPECT_FLOAT_EQ(row[0], header.m_sensors[0].Convert(i * 256));
        EXPECT_FLOAT_EQ(row[1], header.m_sensors[1].Convert((i + 1) * 256));
        EXPECT_FLOAT_EQ(row[2], XHW_NO_VALUE);
    }
    int mark = -1;
    ASSERT_TRUE(Box().GetSamples(&mark, 1));
    EXPECT_EQ(mark, 2);
}

TEST_F(SerialDriver, TypeTwoRefusesAForeignHeader)
{
    Become(2);
    m_emu.With([](CemuSerialLogger& l) {
        l.Config().type2Mask = 0x01;
        l.Config().type2Start[0] = 0x2000;
        l.Config().type2End = 0x2400;
    });
    ASSERT_TRUE(Connect());
    Box().SetState(BOX_STATE_FETCH);
    EXPECT_EQ(Box().FetchFile(0), 13);
    EXPECT_EQ(Box().m_fetch.GetProgress(), 1);
    EXPECT_EQ(Box().FetchFile(2), 12); // empty slot
}

TEST_F(SerialDriver, LumivastaImageIsDownloadedInOneForwardPass)
{
    Become(6);
    m_emu.With([](CemuSerialLogger& l) {
        l.Config().slotState[0] = 7;
        l.Config().slotData[0] = Image(4, 600, 700, 800);
    });
    ASSERT_TRUE(Connect());
    CxutFetchFile file;
    ASSERT_EQ(Box().ReadStoredFileHeader(0, file), 0);
    EXPECT_EQ(file.m_name, "Run");
    EXPECT_EQ(file.m_date, 20251009);
    EXPECT_EQ(file.m_time, 140000);

    Box().SetState(BOX_STATE_FETCH);
    ASSERT_EQ(Box().FetchFile(0), 0);
    CxutFetchHeader header;
    ASSERT_TRUE(Box().m_fetch.TakeHeader(header));
    EXPECT_EQ(header.m_readings, 4);
    EXPECT_DOUBLE_EQ(header.m_interval, 2.0);
    EXPECT_DOUBLE_EQ(header.m_duration, 6.0);
    EXPECT_EQ(header.m_docName, "Run");
    EXPECT_EQ(header.m_sensors[0].m_calib.m_units, wxString(wxUniChar(0xB0)) + "C");
    const float expected[4][2] = {{10.0f, 7.0f}, {XHW_NO_VALUE, 8.0f}, {-0.5f, 9.0f}, {-3276.8f, 10.0f}};
    for (int i = 0; i < 4; ++i) {
        float row[6];
        ASSERT_TRUE(Box().GetStoredData(row, 6)) << i;
        EXPECT_FLOAT_EQ(row[0], expected[i][0]) << i;
        EXPECT_FLOAT_EQ(row[1], XHW_NO_VALUE);
        EXPECT_FLOAT_EQ(row[2], expected[i][1]) << i;
    }
    int marks[2] = {};
    ASSERT_TRUE(Box().GetSamples(marks, 2));
    EXPECT_EQ(marks[0], 1);
    EXPECT_EQ(marks[1], 3);
}

// Notes that never end stop where the next section begins, so the readings
// after them still come.
TEST_F(SerialDriver, EndlessNotesStopAtTheNextSection)
{
    Become(6);
    m_emu.With([](CemuSerialLogger& l) {
        auto image = Image(4, 1001, 0, 600);
        std::fill(image.begin() + 600, image.begin() + 1001, 'x');
        l.Config().slotState[0] = 7;
        l.Config().slotData[0] = image;
    });
    ASSERT_TRUE(Connect());
    Box().SetState(BOX_STATE_FETCH);
    ASSERT_EQ(Box().FetchFile(0), 0);
    float row[6];
    ASSERT_TRUE(Box().GetStoredData(row, 6));
    EXPECT_FLOAT_EQ(row[0], 10.0f);
}

// A file that declares more readings than fit before its next section keeps
// those that fit.
TEST_F(SerialDriver, ReadingsRunningIntoTheNextSectionAreCut)
{
    Become(6);
    m_emu.With([](CemuSerialLogger& l) {
        auto image = Image(4, 600, 612, 0);
        Put16(image, 2, 100);
        l.Config().slotState[0] = 7;
        l.Config().slotData[0] = image;
    });
    ASSERT_TRUE(Connect());
    Box().SetState(BOX_STATE_FETCH);
    ASSERT_EQ(Box().FetchFile(0), 0);
    CxutFetchHeader header;
    ASSERT_TRUE(Box().m_fetch.TakeHeader(header));
    EXPECT_EQ(header.m_readings, 3);
    EXPECT_EQ(Box().m_stored.GetCount(), 18u);
}
