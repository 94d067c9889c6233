// Test label: threads
// Firmware through the USB HID boot loader, against an emulated boot loader
// found on the simulated USB bus behind the command link's own USB port.
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "emulators/emuBootLoader.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwLink.h"
#include "protocol/xhwBootLoader.h"
#include "protocol/xhwSystemTestFiles.h"
#include "protocol/xutXLFlash.h"
#include "transport/zxByteFIFO.h"
#include "transport/zxStopWatch.h"
#include "transport/zxUSBSimHost.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <wx/utils.h>

namespace {

constexpr uint32_t kSignature = 0x0006;

std::atomic<int> g_endEvents{0};

// Bytes 0x00 to 0xFF of program memory, and a few configuration bytes.
std::vector<std::string> Firmware()
{
    std::vector<std::string> lines = {HexRecord(4, 0, {0x00, 0x00})};
    for (int address = 0; address < 0x100; address += 16) {
        std::vector<uint8_t> data;
        for (int i = 0; i < 16; ++i)
            data.push_back(uint8_t((address + i) * 3 + 1));
        lines.push_back(HexRecord(0, address, data));
    }
    lines.push_back(HexRecord(4, 0, {0x00, 0x30}));
    lines.push_back(HexRecord(0, 0, {0xAA, 0xBB}));
    lines.push_back(HexEnd());
    return lines;
}

uint8_t FirmwareByte(uint32_t address)
{
    return uint8_t(address * 3 + 1);
}

class BootLoader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        g_endEvents = 0;
        gumSetCommandPoster([](int id, int) {
            if (id == ID_EVT_BOX_SYSTEM)
                ++g_endEvents;
        });
        Plug(0x0011);
    }

    void TearDown() override
    {
        gumSetCommandPoster(nullptr);
        xhwCloseLink(Box());
    }

    void Plug(int32_t product)
    {
        if (m_loader)
            m_host.Remove(m_loader);
        m_loader = std::make_shared<CemuBootLoader>(0x3A7C, product);
        m_host.Add(m_loader);
    }

    void Configure(const std::function<void(CemuBootLoaderConfig&)>& change)
    {
        CemuBootLoaderConfig config = m_loader->Config();
        change(config);
        m_loader->SetConfig(config);
    }

    CxhwBox& Box() { return m_boxes.m_box; }

    bool OpenAndIdentify()
    {
        return xhwBootLoaderOpen(Box(), BOX_LINK_USB, wxString(), nullptr)
               && xhwBootLoaderIdentify(Box(), false, false);
    }

    // Asks for the installation and lets the monitor step serve it.
    void Install()
    {
        ASSERT_TRUE(OpenAndIdentify());
        Box().SetState(BOX_STATE_CONNECT);
        CxutBoxRequest request;
        request.m_code = 3;
        Box().SetRequest(request);
        wxString stamp;
        int power = 0;
        int values[6] = {};
        EXPECT_FALSE(xhwBootLoaderMonitor(Box(), false, stamp, power, values));
    }

    const CxhwSystemImage& Published()
    {
        Box().GetPublicInfo(m_public);
        return m_public.m_install;
    }

    CgumResCore m_res;
    CtestSystemFolder m_system;
    CzxUSBSimHost m_host;
    CzxUSBHostScope m_scope{m_host};
    std::shared_ptr<CemuBootLoader> m_loader;
    CxhwBoxes m_boxes;
    CxutBoxPublicInfo m_public;
};

TEST_F(BootLoader, IdentifiesByItsDevice)
{
    ASSERT_TRUE(OpenAndIdentify());
    EXPECT_EQ(Box().m_info.m_hardware, BOX_TYPE_KESTILON_BOOT);
    EXPECT_TRUE(Box().m_info.m_bootstrapFlag);
    EXPECT_EQ(Box().m_info.m_bootstrapFamily, BOX_TYPE_KESTILON_BOOT);

    Plug(0x0021);
    ASSERT_TRUE(OpenAndIdentify());
    EXPECT_EQ(Box().m_info.m_hardware, BOX_TYPE_TUNDRANE2_BOOT);

    Configure([](CemuBootLoaderConfig& c) { c.family = 3; });
    EXPECT_FALSE(OpenAndIdentify());
}

TEST_F(BootLoader, InstallsProgramsVerifiesSignsAndResets)
{
    m_system.WriteText("Kestilon.hex", Firmware());
    Install();
    const CxhwSystemImage& done = Published();
    EXPECT_EQ(done.m_result, SYSTEM_RESULT_DONE);
    EXPECT_EQ(done.m_stage, 0);
    EXPECT_FLOAT_EQ(done.m_progress, 1.0f);
    EXPECT_EQ(done.m_boxType, BOX_TYPE_KESTILON_BOOT);
    EXPECT_EQ(done.m_fileName.GetFullName(), "Kestilon.hex");
    EXPECT_EQ(g_endEvents.load(), 1);
    for (uint32_t a : {0x00u, 0x10u, 0x5Fu, 0xFFu})
        EXPECT_EQ(m_loader->ByteAt(a), FirmwareByte(a)) << a;
    EXPECT_EQ(m_loader->ByteAt(0x100), 0xFF);
    EXPECT_EQ(m_loader->ByteAt(kSignature), 0x0D);
    EXPECT_EQ(m_loader->ByteAt(kSignature + 1), 0x60);
    // Only program memory is written.
    EXPECT_EQ(m_loader->ByteAt(0x300000), 0x00);
    EXPECT_EQ(m_loader->Count(BOOT_CMD_ERASE), 1);
    EXPECT_EQ(m_loader->Count(BOOT_CMD_RESET), 1);
    EXPECT_EQ(Box().m_info.m_hardware, BOX_TYPE_NONE); // the link was reset
}

TEST_F(BootLoader, Tundrane2TakesItsOwnFile)
{
    Plug(0x0021);
    m_system.WriteText("Tundrane2.hex", Firmware());
    Install();
    EXPECT_EQ(Published().m_result, SYSTEM_RESULT_DONE);
    EXPECT_EQ(Published().m_fileName.GetFullName(), "Tundrane2.hex");
}

struct FlashFailure
{
    const char* name;
    std::function<void(CtestSystemFolder&, CemuBootLoaderConfig&)> setUp;
    int result;
    int erases;
};

void PrintTo(const FlashFailure& c, std::ostream* out)
{
    *out << c.name;
}

const FlashFailure kFailures[] = {
    {"MissingFile", [](CtestSystemFolder&, CemuBootLoaderConfig&) {}, SYSTEM_RESULT_FILE_MISSING, 0},
    {"EmptyFile", [](CtestSystemFolder& f, CemuBootLoaderConfig&) { f.WriteText("Kestilon.hex", {}); },
     SYSTEM_RESULT_FILE_CORRUPT, 0},
    {"WrongChecksum",
     [](CtestSystemFolder& f, CemuBootLoaderConfig&) {
         std::vector<std::string> lines = Firmware();
         lines[5][12] = lines[5][12] == '0' ? '1' : '0';
         f.WriteText("Kestilon.hex", lines);
     },
     SYSTEM_RESULT_FILE_CORRUPT, 0},
    {"NoDataForTheDevice",
     [](CtestSystemFolder& f, CemuBootLoaderConfig&) {
         f.WriteText("Kestilon.hex", {HexRecord(0, 0x8000, {1, 2, 3, 4}), HexEnd()});
     },
     SYSTEM_RESULT_FILE_CORRUPT, 0},
    {"ReadBackDiffers",
     [](CtestSystemFolder& f, CemuBootLoaderConfig& c) {
         f.WriteText("Kestilon.hex", Firmware());
         c.weakByte = 0x20;
     },
     SYSTEM_RESULT_NO_ANSWER, 1},
    {"WrongSignature",
     [](CtestSystemFolder& f, CemuBootLoaderConfig& c) {
         f.WriteText("Kestilon.hex", Firmware());
         c.wrongSignature = 0x1234;
     },
     SYSTEM_RESULT_NO_ANSWER, 2},
    {"Interrupted",
     [](CtestSystemFolder& f, CemuBootLoaderConfig& c) {
         f.WriteText("Kestilon.hex", Firmware());
         c.silentAfterPrograms = 2;
     },
     SYSTEM_RESULT_NO_ANSWER, 1},
};

class BootLoaderFailure : public BootLoader, public ::testing::WithParamInterface<FlashFailure>
{
};

TEST_P(BootLoaderFailure, GivesItsResultAndNeverResets)
{
    const FlashFailure& c = GetParam();
    CemuBootLoaderConfig config = m_loader->Config();
    c.setUp(m_system, config);
    m_loader->SetConfig(config);
    Install();
    EXPECT_EQ(Published().m_result, c.result);
    EXPECT_EQ(Published().m_stage, 0);
    EXPECT_EQ(g_endEvents.load(), 1);
    EXPECT_EQ(m_loader->Count(BOOT_CMD_ERASE), c.erases);
    EXPECT_EQ(m_loader->Count(BOOT_CMD_RESET), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, BootLoaderFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FlashFailure>& info) { return std::string(info.param.name); });

TEST_F(BootLoader, DeviceDescriptionsThatAreRefused)
{
    struct Case
    {
        const char* what;
        std::function<void(CemuBootLoaderConfig&)> change;
    } cases[] = {
        {"family 3", [](CemuBootLoaderConfig& c) { c.family = 3; }},
        {"no extended mark", [](CemuBootLoaderConfig& c) { c.extendedMark = 0; }},
        {"region too large", [](CemuBootLoaderConfig& c) { c.regions[0].size = 0x0FFFFFFF; }},
        {"packets a report cannot carry", [](CemuBootLoaderConfig& c) { c.bytesPerPacket = 60; }},
    };
    ASSERT_TRUE(OpenAndIdentify());
    for (const Case& c : cases) {
        m_loader->SetConfig(CemuBootLoaderConfig());
        Configure(c.change);
        CxutXLFlash flash(Box());
        EXPECT_FALSE(flash.Query(1.0f)) << c.what;
    }
}

TEST_F(BootLoader, RegionsAndPacketSizesFromTheQuery)
{
    ASSERT_TRUE(OpenAndIdentify());
    Configure([](CemuBootLoaderConfig& c) {
        c.regions = {{1, 0, 0x100}, {0xFF, 0, 0}, {3, 0x300000, 0x10}};
        c.bytesPerPacket = 58;
    });
    CxutXLFlash flash(Box());
    ASSERT_TRUE(flash.Query(1.0f));
    EXPECT_EQ(flash.GetQuery().m_regionCount, 1);
    CxutXLFlashBlocks blocks;
    blocks.SetRegions(flash.GetQuery());
    EXPECT_EQ(blocks.m_blocks[0].m_packetDataSize, 58);
    EXPECT_EQ(blocks.m_blocks[1].m_type, 0xFF);

    Configure([](CemuBootLoaderConfig& c) { c.family = 2; });
    ASSERT_TRUE(flash.Query(1.0f));
    blocks.SetRegions(flash.GetQuery());
    EXPECT_EQ(blocks.m_blocks[0].m_bytesPerWord, 4);
    EXPECT_EQ(blocks.m_blocks[0].m_packetDataSize, 56);
    EXPECT_EQ(blocks.m_blocks[0].m_length, 0x200u);
}

TEST_F(BootLoader, ExtendedAddressesPlaceTheData)
{
    ASSERT_TRUE(OpenAndIdentify());
    Box().SetState(BOX_STATE_CONNECT);
    Configure([](CemuBootLoaderConfig& c) {
        c.regions = {{1, 0x10000, 0x100}};
        c.signatureAddress = 0x10006;
    });
    wxArrayString lines;
    lines.Add(HexRecord(4, 0, {0x00, 0x01}));
    lines.Add(HexRecord(0, 0x0010, {0x5A, 0xA5}));
    lines.Add(HexEnd());
    CxutXLFlash flash(Box());
    EXPECT_TRUE(flash.Flash(lines));
    EXPECT_EQ(flash.GetResult(), SYSTEM_RESULT_DONE);
    EXPECT_EQ(m_loader->ByteAt(0x10010), 0x5A);
    EXPECT_EQ(m_loader->ByteAt(0x10011), 0xA5);
}

TEST_F(BootLoader, BlankImageSendsNoProgramCommand)
{
    ASSERT_TRUE(OpenAndIdentify());
    Box().SetState(BOX_STATE_CONNECT);
    wxArrayString lines;
    lines.Add(HexRecord(0, 0x0040, std::vector<uint8_t>(16, 0xFF)));
    CxutXLFlash flash(Box());
    EXPECT_TRUE(flash.Flash(lines));
    EXPECT_EQ(m_loader->Count(BOOT_CMD_PROGRAM), 0);
    EXPECT_EQ(m_loader->Count(BOOT_CMD_PROGRAM_COMPLETE), 0);
}

TEST_F(BootLoader, SignatureBytesAreLeftOutOfTheComparison)
{
    ASSERT_TRUE(OpenAndIdentify());
    Box().SetState(BOX_STATE_CONNECT);
    Configure([](CemuBootLoaderConfig& c) { c.weakByte = kSignature + 1; });
    CxutXLFlash flash(Box());
    wxArrayString lines;
    for (const std::string& line : Firmware())
        lines.Add(line);
    EXPECT_TRUE(flash.Flash(lines));
    EXPECT_EQ(flash.GetResult(), SYSTEM_RESULT_DONE);
}

TEST_F(BootLoader, CancelledBeforeAnythingIsSent)
{
    ASSERT_TRUE(OpenAndIdentify());
    Box().SetState(BOX_STATE_CONNECT);
    Box().m_install.m_cancel = true;
    const int queries = m_loader->Count(BOOT_CMD_QUERY);
    CxutXLFlash flash(Box());
    wxArrayString lines;
    lines.Add(HexRecord(0, 0, {1, 2}));
    EXPECT_FALSE(flash.Flash(lines));
    EXPECT_EQ(flash.GetResult(), SYSTEM_RESULT_CANCELLED);
    EXPECT_EQ(m_loader->Count(BOOT_CMD_QUERY), queries);
}

} // namespace
