// Test label: threads
// System installation over a byte link, against an emulated logger with its
// bootstrap loader on a pseudo-terminal: the box thread's monitor step is
// called as the box thread calls it.
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "emulators/emuBootstrapPty.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwSenFile.h"
#include "protocol/xhwSystemImageSend.h"
#include "protocol/xhwSystemInstall.h"
#include "protocol/xhwSystemTestFiles.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>
#include <string>

namespace {

constexpr int kPort = 3;
constexpr int kClock = 0xA1;

struct Model
{
    int type;
    uint8_t id;
    const char* version;
    const char* file;
};

constexpr Model kModels[] = {{4, 8, "2.40", "Sys010"},  {5, 24, "1.20", "Sys030"}, {6, 32, "1.02", "Sys040"},
                             {8, 40, "1.02", "Sys050"}, {9, 48, "1.20", "Sys060"}};

const Model& ModelOf(int type)
{
    for (const Model& m : kModels)
        if (m.type == type)
            return m;
    return kModels[0];
}

std::atomic<int> g_progressEvents{0};
std::atomic<int> g_endEvents{0};

class SystemInstall : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        ASSERT_TRUE(m_emu.IsOpen());
        char folder[] = "/tmp/qvinstallXXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        m_ttyFolder = folder;
        ASSERT_EQ(::symlink(m_emu.SlavePath().c_str(), Link().c_str()), 0);
        ::setenv("QUORVANTI_SERIAL_PREFIX", (m_ttyFolder + "/tty").c_str(), 1);
        xhwSetRestartWaitScale(0.01);
        g_progressEvents = 0;
        g_endEvents = 0;
        gumSetCommandPoster([](int id, int) {
            if (id == ID_EVT_BOX_REFRESH)
                ++g_progressEvents;
            if (id == ID_EVT_BOX_SYSTEM)
                ++g_endEvents;
        });
    }

    void TearDown() override
    {
        gumSetCommandPoster(nullptr);
        xhwSetRestartWaitScale(1.0);
        xhwCloseLink(Box());
        ::unsetenv("QUORVANTI_SERIAL_PREFIX");
        ::unlink(Link().c_str());
        ::rmdir(m_ttyFolder.c_str());
    }

    std::string Link() const { return m_ttyFolder + "/tty" + std::to_string(kPort); }
    CxhwBox& Box() { return m_boxes.m_box; }

    void Become(int type)
    {
        const Model& m = ModelOf(type);
        m_emu.With([&](CemuBootstrapLogger& logger) {
            logger.Application().Config().boxType = type;
            logger.Application().Identity().id = m.id;
            logger.Application().Identity().version = m.version;
            logger.Application().Identity().switchReply = 1;
            logger.Application().Memory()[kClock + 5] = 26;
            logger.Config().bootId = m.id;
        });
    }

    void Configure(const std::function<void(CemuBootstrapConfig&)>& change)
    {
        m_emu.With([&](CemuBootstrapLogger& logger) { change(logger.Config()); });
    }

    template <class T>
    T From(const std::function<T(CemuBootstrapLogger&)>& get)
    {
        T value{};
        m_emu.With([&](CemuBootstrapLogger& logger) { value = get(logger); });
        return value;
    }

    // Connects, asks for the installation and lets the monitor step serve it.
    void Install()
    {
        ASSERT_TRUE(xhwOpenLink(Box(), kPort, wxString(), nullptr));
        ASSERT_TRUE(xhwConnect(Box()));
        Box().SetState(BOX_STATE_CONNECT);
        CxutBoxRequest request;
        request.m_code = 3;
        Box().SetRequest(request);
        EXPECT_FALSE(xhwRecheckLink(Box())); // the box thread reconnects after it
    }

    const CxhwSystemImage& Published()
    {
        Box().GetPublicInfo(m_public);
        return m_public.m_install;
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CtestSystemFolder m_system;
    CemuBootstrapPty m_emu;
    std::string m_ttyFolder;
    CxhwBoxes m_boxes;
    CxutBoxPublicInfo m_public;
};

class SystemInstallByType : public SystemInstall, public ::testing::WithParamInterface<int>
{
};

TEST_P(SystemInstallByType, HexImageIsSentAndTheLoggerRestarts)
{
    const int type = GetParam();
    Become(type);
    const std::vector<uint16_t> image = Image14(40, uint16_t(type));
    m_system.WriteText(std::string(ModelOf(type).file) + ".hex", HexWords(4, image));
    Configure([](CemuBootstrapConfig& c) { c.expectedSteps = 40; });
    Install();
    const CxhwSystemImage& done = Published();
    EXPECT_EQ(done.m_result, SYSTEM_RESULT_DONE);
    EXPECT_EQ(done.m_stage, 0);
    EXPECT_FLOAT_EQ(done.m_progress, 1.0f);
    EXPECT_EQ(done.m_boxType, type);
    EXPECT_FALSE(done.m_noImage);
    EXPECT_EQ(From<std::vector<uint16_t>>([](CemuBootstrapLogger& l) { return l.Words(); }), image);
    EXPECT_TRUE(From<bool>([](CemuBootstrapLogger& l) { return l.Restarted(); }));
    EXPECT_GE(g_progressEvents.load(), 4);
    EXPECT_EQ(g_endEvents.load(), 1);
}

INSTANTIATE_TEST_SUITE_P(Types, SystemInstallByType, ::testing::Values(5, 8, 9));

struct FailureCase
{
    const char* name;
    // Sets up the files and the emulated logger.
    std::function<void(CtestSystemFolder&, CemuBootstrapConfig&)> setUp;
    int result;
    // Image steps the logger took, -1 when not looked at.
    int steps;
    bool released;
};

const FailureCase kFailures[] = {
    {"WrongChecksum",
     [](CtestSystemFolder& f, CemuBootstrapConfig&) { f.WriteBytes("Sys050.bin", RawWords(Image14(40, 1))); },
     SYSTEM_RESULT_FILE_CORRUPT, 0, true},
    {"DamagedHexRecord",
     [](CtestSystemFolder& f, CemuBootstrapConfig&) {
         std::vector<std::string> lines = HexWords(4, Image14(40, 1));
         lines[2][12] = lines[2][12] == '0' ? '1' : '0';
         f.WriteText("Sys050.hex", lines);
     },
     SYSTEM_RESULT_FILE_CORRUPT, 0, true},
    {"MissingFile", [](CtestSystemFolder&, CemuBootstrapConfig&) {}, SYSTEM_RESULT_FILE_MISSING, 0, true},
    {"WrongEcho",
     [](CtestSystemFolder& f, CemuBootstrapConfig& c) {
         f.WriteText("Sys050.hex", HexWords(4, Image14(40, 1)));
         c.wrongEchoAt = 5;
     },
     SYSTEM_RESULT_NO_ANSWER, 6, false},
    {"Interrupted",
     [](CtestSystemFolder& f, CemuBootstrapConfig& c) {
         f.WriteText("Sys050.hex", HexWords(4, Image14(40, 1)));
         c.silentAfter = 10;
     },
     SYSTEM_RESULT_NO_ANSWER, 10, false},
    {"NoRestart",
     [](CtestSystemFolder& f, CemuBootstrapConfig& c) {
         f.WriteText("Sys050.hex", HexWords(4, Image14(40, 1)));
         c.restarts = false;
     },
     SYSTEM_RESULT_NO_ANSWER, 40, false},
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.name;
}

class SystemInstallFailure : public SystemInstall, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(SystemInstallFailure, GivesItsResult)
{
    const FailureCase& c = GetParam();
    Become(8);
    m_emu.With([&](CemuBootstrapLogger& logger) {
        logger.Config().expectedSteps = 40;
        c.setUp(m_system, logger.Config());
    });
    Install();
    const CxhwSystemImage& done = Published();
    EXPECT_EQ(done.m_result, c.result);
    EXPECT_EQ(done.m_stage, 0);
    EXPECT_EQ(done.m_boxType, 8);
    EXPECT_EQ(done.m_noImage, c.released);
    EXPECT_EQ(From<int>([](CemuBootstrapLogger& l) { return l.Steps(); }), c.steps);
    EXPECT_EQ(From<int>([](CemuBootstrapLogger& l) { return l.Exits(); }) > 0, c.released);
    EXPECT_EQ(g_endEvents.load(), 1);
    if (c.result == SYSTEM_RESULT_FILE_MISSING) {
        EXPECT_EQ(done.m_fileName.GetFullName(), "Sys050.hex");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SystemInstallFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(SystemInstall, AnotherModelOnTheLinkGetsNothing)
{
    Become(8);
    m_system.WriteText("Sys050.hex", HexWords(4, Image14(40, 1)));
    ASSERT_TRUE(xhwOpenLink(Box(), kPort, wxString(), nullptr));
    ASSERT_TRUE(xhwConnect(Box()));
    Become(9); // swapped while connected
    Box().SetState(BOX_STATE_CONNECT);
    EXPECT_FALSE(xhwEnterBootstrap(Box(), 8, true, 5.0f));
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_WRONG_LOGGER);
    const std::vector<uint8_t> received = From<std::vector<uint8_t>>([](CemuBootstrapLogger& l) { return l.Received(); });
    const std::vector<uint8_t> start = {0x06, 0x88};
    EXPECT_EQ(std::search(received.begin(), received.end(), start.begin(), start.end()), received.end());
    EXPECT_FALSE(From<bool>([](CemuBootstrapLogger& l) { return l.InBootstrap(); }));
}

TEST_F(SystemInstall, Type6TakesItsImageInTriples)
{
    Become(6);
    std::vector<uint16_t> data(10);
    std::iota(data.begin(), data.end(), 0x2100);
    m_system.WriteText("Sys040.hex", HexWords(8192, data));
    Configure([](CemuBootstrapConfig& c) { c.triples = true; });
    Install();
    EXPECT_EQ(Published().m_result, SYSTEM_RESULT_DONE);
    const std::vector<uint16_t> words = From<std::vector<uint16_t>>([](CemuBootstrapLogger& l) { return l.Words(); });
    ASSERT_EQ(words.size(), 12u);
    EXPECT_EQ(words[0], 12);
    EXPECT_EQ(words[1], 0x2101);
    EXPECT_EQ(words[9], 0x2109);
    EXPECT_EQ(words[11], 0);
    EXPECT_EQ((std::accumulate(words.begin(), words.end(), 0u) + data[3]) % 0x10000, 0u);
    EXPECT_TRUE(From<bool>([](CemuBootstrapLogger& l) { return l.Restarted(); }));
}

TEST_F(SystemInstall, Type4FileGoesInSevenByteChunks)
{
    Become(4);
    ASSERT_TRUE(xhwOpenLink(Box(), kPort, wxString(), nullptr));
    ASSERT_TRUE(xhwConnect(Box()));
    Box().SetState(BOX_STATE_CONNECT);
    Configure([](CemuBootstrapConfig& c) { c.chunks = true; });
    std::vector<uint8_t> file(30);
    std::iota(file.begin(), file.end(), uint8_t(0x41));
    EXPECT_TRUE(xhwSendSystemBox4(Box(), file.data(), int(file.size())));
    std::vector<uint8_t> expected = file;
    expected.resize(35, 0x2E);
    ASSERT_TRUE(m_emu.WaitFor([&](CemuBootstrapLogger& l) { return l.Chunked().size() >= expected.size(); }));
    EXPECT_EQ(From<std::vector<uint8_t>>([](CemuBootstrapLogger& l) { return l.Chunked(); }), expected);
}

TEST_F(SystemInstall, Type4SendingStopsWhenCancelled)
{
    Become(4);
    ASSERT_TRUE(xhwOpenLink(Box(), kPort, wxString(), nullptr));
    ASSERT_TRUE(xhwConnect(Box()));
    Configure([](CemuBootstrapConfig& c) { c.chunks = true; });
    Box().SetState(BOX_STATE_READY);
    const std::vector<uint8_t> file(70, 0x42);
    EXPECT_FALSE(xhwSendSystemBox4(Box(), file.data(), int(file.size())));
    EXPECT_EQ(Box().m_install.m_result, SYSTEM_RESULT_CANCELLED);
    std::vector<uint8_t> expected(7, 0x42);
    expected.insert(expected.end(), {0x5D, 0x3C, 0x3C, 0x3C});
    ASSERT_TRUE(m_emu.WaitFor([&](CemuBootstrapLogger& l) { return l.Chunked().size() >= expected.size(); }));
    EXPECT_EQ(From<std::vector<uint8_t>>([](CemuBootstrapLogger& l) { return l.Chunked(); }), expected);
}

TEST_F(SystemInstall, RequestForALoggerWithoutSystemFilesIsUnsupported)
{
    Box().m_info.m_hardware = BOX_TYPE_SIMULATED;
    CxutBoxRequest request;
    request.m_code = 3;
    Box().SetRequest(request);
    xhwStartSystemInstall(Box());
    Box().GetRequest(request);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
    EXPECT_EQ(g_progressEvents.load(), 0);
    EXPECT_EQ(g_endEvents.load(), 0);
}

} // namespace
