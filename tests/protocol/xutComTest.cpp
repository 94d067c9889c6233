// Test label: threads
#include "emulators/emuBTPeer.h"
#include "emulators/emuBTRemote.h"
#include "emulators/emuPtyLogger.h"
#include "hardware/xhwBoxTypes.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutCom.h"
#include "support/testWait.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <string>
#include <vector>

namespace {

// The emulated logger on the far side of a pseudo-terminal, opened by name
// as serial port 2 (no opening pause).
class XutComTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_emu.IsOpen());
        m_com.SetPort(2, m_emu.SlavePath());
        ASSERT_TRUE(m_com.Open());
    }
    void TearDown() override { m_com.Close(false); }

    void Configure(const std::function<void(CemuLoggerConfig&)>& change)
    {
        m_emu.Configure(change);
        m_com.Flush();
        m_emu.ClearReceived();
    }

    // What the host sent since the last Configure, once it has all come.
    std::vector<uint8_t> Sent(size_t atLeast)
    {
        m_emu.WaitReceived(atLeast);
        return m_emu.Received();
    }

    CemuPtyLogger m_emu;
    CxutCom m_com;
};

TEST_F(XutComTest, StatusInEachFraming)
{
    const struct
    {
        int framing;
        uint8_t status;
        std::vector<uint8_t> trail;
        bool ok;
    } cases[] = {
        {CemuLoggerConfig::kPlain, 36, {}, true},
        {CemuLoggerConfig::kCrLf, 36, {}, true},
        {CemuLoggerConfig::kCrLfCrLf, 37, {}, true},
        {CemuLoggerConfig::kNulCrLf, 38, {}, true},
        {CemuLoggerConfig::kPlain, 36, {0x41}, false}, // something already behind it
        {CemuLoggerConfig::kCrLf, 37, {13}, false},
        {CemuLoggerConfig::kPlain, 39, {}, false},     // not a status
        {CemuLoggerConfig::kCrLf, 12, {}, false},
        {CemuLoggerConfig::kNulCrLf, 35, {}, false},
    };
    for (const auto& c : cases) {
        // Each case on a logger and link of its own: nothing of a broken
        // reply can reach the next case.
        CemuPtyLogger emu;
        ASSERT_TRUE(emu.IsOpen());
        emu.Configure([&c](CemuLoggerConfig& config) {
            config.framing = c.framing;
            config.status = c.status;
            config.statusTrail = c.trail;
        });
        CxutCom com;
        com.SetPort(2, emu.SlavePath());
        ASSERT_TRUE(com.Open());
        int status = -1;
        EXPECT_EQ(com.RequestStatus(&status), c.ok) << c.framing << " " << int(c.status);
        EXPECT_EQ(status, c.ok ? int(c.status) : -1) << "a failed reply gives no status";
        com.Close(false);
    }

    // Silence: the first byte is awaited 0.3 s.
    Configure([](CemuLoggerConfig& c) { c.answering = false; });
    CzxStopWatch watch;
    EXPECT_FALSE(m_com.RequestStatus(nullptr));
    EXPECT_GE(watch.Time(), 300);
}

// Each family from its ID byte and version text, with the failures.
TEST_F(XutComTest, IdentifiesEachFamilyByIdAndVersion)
{
    const struct
    {
        uint8_t id;
        const char* version;
        bool ok;
        int type;
        const char* model;
        bool compatible;
    } cases[] = {
        {3, "1.50", true, BOX_TYPE_2, "", true},
        {3, "2.49", true, BOX_TYPE_2, "", false},
        {3, "0.99", false, BOX_TYPE_2, "", false},
        {9, "1.99", true, BOX_TYPE_3, "", true},
        {9, "1.29", true, BOX_TYPE_3, "", false},
        {9, "2.30", true, BOX_TYPE_PARDOVINE, "1000", true},
        {15, "2.29", true, BOX_TYPE_PARDOVINE, "1000", false},
        {9, "3.00", false, BOX_TYPE_PARDOVINE, "", false},
        {26, "1.30", true, BOX_TYPE_TUNDRANE, "", true},
        {26, "2.00", false, BOX_TYPE_TUNDRANE, "", false},
        {32, "1.30", true, BOX_TYPE_LUMIVASTA, "CX", true},
        {33, "1.29", true, BOX_TYPE_LUMIVASTA, "BX", false},
        {37, "1.50", true, BOX_TYPE_LUMIVASTA, "xx", true},
        {32, "0.00", false, BOX_TYPE_LUMIVASTA, "CX", false},
        {40, "0.00", true, BOX_TYPE_ZEMBROW, "SX", false},
        {47, "1.30", true, BOX_TYPE_ZEMBROW, "SX", true},
        {48, "1.99", true, BOX_TYPE_CINDRALLY, "", true},
        {48, "2.00", false, BOX_TYPE_CINDRALLY, "", false},
        {64, "1.30", true, BOX_TYPE_KESTILON, "", true},
        {68, "1.00", true, BOX_TYPE_KESTILON, "", false},
        {69, "1.30", true, BOX_TYPE_TUNDRANE2, "", true},
        {72, "1.30", true, BOX_TYPE_TUNDRANE2, "", true},
        {16, "1.30", false, BOX_TYPE_UNKNOWN, "", false},
        {80, "1.30", false, BOX_TYPE_UNKNOWN, "", false},
        {255, "1.30", false, BOX_TYPE_UNKNOWN, "", false},
    };
    for (const auto& c : cases) {
        Configure([&c](CemuLoggerConfig& config) {
            config.id = c.id;
            config.version = c.version;
            config.switchReply = 1;
        });
        CxutBoxInfo info;
        info.m_changed = false;
        const bool ok = m_com.ReadBoxInfo(info, false, false, 0);
        const std::string label = std::to_string(c.id) + " " + c.version;
        EXPECT_EQ(ok, c.ok) << label;
        EXPECT_EQ(info.m_hardware, c.type) << label;
        EXPECT_EQ(info.m_model, c.model) << label;
        EXPECT_EQ(info.m_compatible, c.compatible) << label;
        EXPECT_EQ(info.m_maxSensors, xutGetMaxSensors(c.type)) << label;
        EXPECT_EQ(info.m_bootstrapFamily, c.id / 8) << label;
        EXPECT_EQ(info.m_bootstrapRevision, c.id % 8) << label;
        EXPECT_FALSE(info.m_bootstrapFlag) << label;
        EXPECT_FALSE(info.m_varnok) << label;
        EXPECT_FALSE(info.m_changed) << "identification leaves the change mark alone";
        if (c.ok) {
            const int hundredths = std::stoi(std::string(c.version).erase(1, 1));
            EXPECT_EQ(xhwFirmwareHundredths(info.m_firmware), hundredths) << label;
        }
    }
}

TEST_F(XutComTest, EmulatorPresetsIdentifyAsTheirTypes)
{
    for (int type : {2, 3, 4, 5, 6, 8, 9, 10, 12}) {
        Configure([type](CemuLoggerConfig& c) { c = CemuLoggerConfig::ForBoxType(type); });
        CxutBoxInfo info;
        EXPECT_TRUE(m_com.ReadBoxInfo(info, false, false, 0)) << type;
        EXPECT_EQ(info.m_hardware, type);
        EXPECT_TRUE(info.m_compatible) << type;
        EXPECT_FALSE(info.m_varnok) << type;
    }
}

TEST_F(XutComTest, MalformedVersionTextsFailIdentification)
{
    for (const char* version : {"1,30", "130.", "a.30", "1.3x", " .30"}) {
        Configure([version](CemuLoggerConfig& c) {
            c.id = 26;
            c.version = version;
        });
        CxutBoxInfo info;
        EXPECT_FALSE(m_com.ReadBoxInfo(info, false, false, 0)) << version;
        EXPECT_EQ(info.m_hardware, 0) << version;
    }
    // Three characters only: the version read times out after 1 s.
    Configure([](CemuLoggerConfig& c) { c.version = "1.3"; });
    CxutBoxInfo info;
    CzxStopWatch watch;
    EXPECT_FALSE(m_com.ReadBoxInfo(info, false, false, 0));
    EXPECT_GE(watch.Time(), 1000);
}

TEST_F(XutComTest, BootstrapLoaderGivesItsIdOnly)
{
    for (int extra : {0x99, -1}) {
        Configure([extra](CemuLoggerConfig& c) {
            c.status = 38;
            c.bootExtra = extra;
            c.bootId = 37;
            c.id = 9; // the ordinary ID must not be asked for
            c.switchReply = 0;
        });
        CxutBoxInfo info;
        info.m_model = "old";
        ASSERT_TRUE(m_com.ReadBoxInfo(info, false, false, 0)) << extra;
        EXPECT_TRUE(info.m_bootstrapFlag);
        EXPECT_EQ(info.m_hardware, BOX_TYPE_LUMIVASTA);
        EXPECT_EQ(info.m_maxSensors, 6);
        EXPECT_EQ(info.m_bootstrapFamily, 4);
        EXPECT_EQ(info.m_bootstrapRevision, 5);
        EXPECT_EQ(info.m_firmware, 0.0f);
        EXPECT_FALSE(info.m_compatible);
        EXPECT_TRUE(info.m_model.empty());
        EXPECT_FALSE(info.m_varnok);
        // No accessory probe and no flag request.
        EXPECT_EQ(Sent(2), (std::vector<uint8_t>{LOGGER_CMD_STATUS, LOGGER_CMD_GET_BOOT_ID}));
    }
    // A loader that gives no ID fails after its 1.9 s.
    Configure([](CemuLoggerConfig& c) {
        c.status = 38;
        c.bootExtra = 0x99;
        c.bootId = -1;
    });
    CxutBoxInfo info;
    CzxStopWatch watch;
    EXPECT_FALSE(m_com.ReadBoxInfo(info, false, false, 0));
    EXPECT_GE(watch.Time(), 1900);
}

TEST(XutComSwitch, MaskToSwitchByte)
{
    const struct
    {
        int mask;
        uint8_t byte;
    } cases[] = {{0, 0xFF}, {3, 0xFC}, {7, 0xF8}, {8, 0xE7}, {9, 0xE6}, {15, 0xE0}, {0x1F, 0xE0}, {-1, 0xFF}};
    for (const auto& c : cases)
        EXPECT_EQ(xutComSwitchByte(c.mask), c.byte) << c.mask;
}

TEST_F(XutComTest, AccessoryProbeOfTheFirstFamilies)
{
    const struct
    {
        uint8_t id;
        const char* version;
        int reply;
        bool ok;
        bool varnok;
        bool probed;
    } cases[] = {
        {3, "1.50", 0, true, true, true},       // type 2, accessory answers
        {3, "1.50", 5, true, false, true},      // something else answers
        {3, "1.50", -1, false, false, true},    // nothing answers
        {9, "1.30", 0, true, true, true},       // type 3
        {9, "2.30", 0, true, true, true},       // type 4
        {26, "1.30", 0, true, false, false},    // type 5 has none
    };
    for (const auto& c : cases) {
        Configure([&c](CemuLoggerConfig& config) {
            config.id = c.id;
            config.version = c.version;
            config.switchReply = c.reply;
        });
        CxutBoxInfo info;
        const std::string label = std::to_string(c.id) + " " + std::to_string(c.reply);
        EXPECT_EQ(m_com.ReadBoxInfo(info, false, false, 9), c.ok) << label;
        EXPECT_EQ(info.m_varnok, c.varnok) << label;
        std::vector<uint8_t> expected = {LOGGER_CMD_STATUS, LOGGER_CMD_GET_ID, LOGGER_CMD_GET_VERSION};
        if (c.probed)
            expected.insert(expected.end(), {0x17, 0x40, 0xE6});
        EXPECT_EQ(Sent(expected.size()), expected) << label;
    }

    Configure([](CemuLoggerConfig& c) { c.switchReply = 0; });
    EXPECT_EQ(m_com.SendSwitch(8), 0);
    EXPECT_EQ(Sent(3), (std::vector<uint8_t>{0x17, 0x40, 0xE7}));
    Configure([](CemuLoggerConfig& c) { c.switchReply = -1; });
    EXPECT_EQ(m_com.SendSwitch(3), -1);
}

TEST_F(XutComTest, BusyFlagOfZembrowAndLumivasta)
{
    const struct
    {
        uint8_t id;
        const char* version;
        int flags;
        std::vector<int> afterReset;
        bool ok;
        bool busy;
        std::vector<uint8_t> flagBytes; // what follows the version request
    } cases[] = {
        {40, "1.30", 0x08, {}, true, true, {9}},
        {40, "1.30", 0x03, {}, true, false, {9}},
        {40, "1.30", -1, {}, false, false, {9}},
        {32, "1.04", 0x08, {}, true, false, {}},   // no flag request in 1.00 to 1.04
        {32, "1.05", 0x08, {}, true, true, {9}},
        {32, "0.99", 0x01, {}, true, false, {9}},
        {32, "1.30", -1, {}, false, false, {9}},
        // Not ready: reset, then asked until both ready bits are set.
        {32, "1.30", 0x00, {0x00, 0x01, 0x03}, true, false, {9, 14, 1, 9, 9, 9}},
        // A flag reply that never comes after the reset ends the wait well.
        {32, "1.30", 0x02, {-1}, true, false, {9, 14, 1, 9}},
    };
    for (const auto& c : cases) {
        Configure([&c](CemuLoggerConfig& config) {
            config.id = c.id;
            config.version = c.version;
            config.flags = c.flags;
            config.flagsAfterReset = c.afterReset;
        });
        CxutBoxInfo info;
        const std::string label = std::to_string(c.id) + " " + c.version + " " + std::to_string(c.flags);
        EXPECT_EQ(m_com.ReadBoxInfo(info, false, false, 0), c.ok) << label;
        EXPECT_EQ(info.m_loggerBusy, c.busy) << label;
        std::vector<uint8_t> expected = {LOGGER_CMD_STATUS, LOGGER_CMD_GET_ID, LOGGER_CMD_GET_VERSION};
        expected.insert(expected.end(), c.flagBytes.begin(), c.flagBytes.end());
        EXPECT_EQ(Sent(expected.size()), expected) << label;
    }
}

TEST_F(XutComTest, LumivastaThatNeverGetsReadyIsWaitedForWithinABound)
{
    Configure([](CemuLoggerConfig& c) {
        c.id = 32;
        c.version = "1.30";
        c.flags = 0x00;
        c.flagsAfterReset = {0x01}; // answers at once, one ready bit only
    });
    CxutBoxInfo info;
    CzxStopWatch watch;
    EXPECT_TRUE(m_com.ReadBoxInfo(info, false, false, 0));
    EXPECT_GE(watch.Time(), 5000);
    EXPECT_FALSE(info.m_loggerBusy);
}

TEST_F(XutComTest, SensorIdentitiesOfUpToSixInputs)
{
    Configure([](CemuLoggerConfig& c) {
        for (int i = 0; i < 6; ++i) {
            c.sensorCode[i] = uint8_t(10 + i);
            c.sensorType[i] = uint8_t(20 + i);
        }
    });
    int32_t codes[6];
    int32_t types[6];
    ASSERT_TRUE(m_com.ReadSensorIds(8, codes, types));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(codes[i], 10 + i);
        EXPECT_EQ(types[i], 20 + i);
    }
    EXPECT_EQ(Sent(12), (std::vector<uint8_t>{4, 0, 4, 1, 4, 2, 4, 3, 4, 4, 4, 5}));

    Configure([](CemuLoggerConfig&) {});
    ASSERT_TRUE(m_com.ReadSensorIds(2, codes, types));
    EXPECT_EQ(codes[1], 11);
    EXPECT_EQ(codes[2], 0) << "inputs beyond the count are zero";
    ASSERT_TRUE(m_com.ReadSensorIds(0, codes, types));
    EXPECT_EQ(codes[0], 0);

    int32_t code = -1;
    int32_t type = -1;
    for (int input : {-1, 6, 3}) {
        EXPECT_TRUE(m_com.ReadSensorId(input, 3, code, type)) << input;
        EXPECT_EQ(code, 0) << input;
        EXPECT_EQ(type, 0) << input;
    }
    EXPECT_TRUE(m_com.ReadSensorId(2, 3, code, type));
    EXPECT_EQ(code, 12);
    EXPECT_EQ(type, 22);
    EXPECT_EQ(Sent(6), (std::vector<uint8_t>{4, 0, 4, 1, 4, 2}));
}

TEST_F(XutComTest, SensorRequestWithoutAnswerFailsAndZeroesThatInput)
{
    Configure([](CemuLoggerConfig& c) {
        for (int i = 0; i < 6; ++i)
            c.sensorCode[i] = c.sensorType[i] = uint8_t(30 + i);
        c.sensorInputs = 2;
    });
    int32_t codes[6] = {-1, -1, -1, -1, -1, -1};
    int32_t types[6] = {-1, -1, -1, -1, -1, -1};
    CzxStopWatch watch;
    EXPECT_FALSE(m_com.ReadSensorIds(6, codes, types));
    EXPECT_GE(watch.Time(), 1100);
    EXPECT_EQ(codes[0], 30);
    EXPECT_EQ(codes[1], 31);
    for (int i = 2; i < 6; ++i) {
        EXPECT_EQ(codes[i], 0) << i;
        EXPECT_EQ(types[i], 0) << i;
    }
    int32_t code = -1;
    int32_t type = -1;
    EXPECT_FALSE(m_com.ReadSensorId(4, 6, code, type));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(type, 0);
}

TEST_F(XutComTest, DrainDiscardsWhatIsLeft)
{
    Configure([](CemuLoggerConfig&) {});
    ASSERT_TRUE(m_emu.Send({1, 2, 3, 4, 5}));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_com.GetRXCount() >= 5; }));
    ASSERT_EQ(m_com.GetRXCount(), 5u);
    EXPECT_TRUE(m_com.DrainInput(false));
    EXPECT_EQ(m_com.GetRXCount(), 0u);
    CzxStopWatch watch;
    EXPECT_TRUE(m_com.DrainInput(true));
    EXPECT_GE(watch.Time(), 300);
}

TEST_F(XutComTest, LoggerThatNeverStopsSendingIsDrainedWithinItsBound)
{
    Configure([](CemuLoggerConfig&) {});
    m_emu.SetChattering(true);
    // A backlog first, so that a busy machine's pauses leave no gap.
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_com.GetRXCount() >= 8192; }));
    CzxStopWatch watch;
    EXPECT_FALSE(m_com.DrainInput(true));
    EXPECT_GE(watch.Time(), 3000);

    // Identification goes on after the drain gives up, and fails on the
    // bytes that still come in front of the status.
    m_emu.ClearReceived();
    CxutBoxInfo info;
    watch.Start(0);
    EXPECT_FALSE(m_com.ReadBoxInfo(info, true, true, 0));
    EXPECT_GE(watch.Time(), 3000);
    // The emulator may still be busy with the flood in front of the request:
    // quieten the logger, then look at what reached it.
    m_emu.SetChattering(false);
    EXPECT_EQ(Sent(1), (std::vector<uint8_t>{LOGGER_CMD_STATUS}));
}

TEST_F(XutComTest, DrainThenIdentifyALoggerThatStopped)
{
    Configure([](CemuLoggerConfig& c) {
        c.id = 40;
        c.version = "1.30";
        c.flags = 0;
    });
    ASSERT_TRUE(m_emu.Send(std::vector<uint8_t>(50, 0x55)));
    ASSERT_TRUE(qvtest::WaitUntil([&] { return m_com.GetRXCount() >= 50; }));
    CxutBoxInfo info;
    ASSERT_TRUE(m_com.ReadBoxInfo(info, true, false, 0));
    EXPECT_EQ(info.m_hardware, BOX_TYPE_ZEMBROW);
    EXPECT_EQ(info.m_model, "SX");
}

// The same identification over a simulated RFCOMM link: the box thread's
// work on a thread of its own while this one serves the link's main-thread part.
TEST(XutComBluetooth, IdentifiesOverRfcomm)
{
    auto remote = std::make_shared<CemuBTRemote>();
    CemuBTPeer::Install(remote);
    remote->Configure([](CemuBTRemote::Setup& s) { s.answering = true; });
    remote->ConfigureLogger([](CemuLoggerConfig& c) {
        c = CemuLoggerConfig::ForBoxType(BOX_TYPE_ZEMBROW);
        c.flags = 0x08;
    });
    CxutCom com;
    com.GetBTDevice().SetPoster(nullptr);
    com.SetPort(zxCOM_RFCOMM, "00-1a-7d-da-71-13");
    CxutBoxInfo info;
    std::atomic<bool> done{false};
    bool ok = false;
    std::thread box([&] {
        ok = com.Open() && com.ReadBoxInfo(info, true, true, 0);
        com.Close(false);
        done = true;
    });
    // This thread serves the link until the box thread's work is done.
    EXPECT_TRUE(qvtest::WaitUntil([&] {
        com.GetBTDevice().ServiceRequests();
        return done.load();
    }));
    box.join();
    CemuBTPeer::Uninstall();
    EXPECT_TRUE(ok);
    EXPECT_EQ(info.m_hardware, BOX_TYPE_ZEMBROW);
    EXPECT_EQ(info.m_model, "SX");
    EXPECT_TRUE(info.m_loggerBusy);
    EXPECT_FALSE(info.m_comIsPortSlow) << "the caller marks the link";
    EXPECT_EQ(remote->Written(), (std::vector<uint8_t>{13, 1, 2, 9}));
}

} // namespace
