// Test label: threads
#include "emulators/emuBTPeer.h"
#include "support/testWait.h"
#include "transport/zxBTDevice.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

const char* const kAddress = "00-1a-7d-da-71-13";

TEST(BTAddress, TextParsesIntoSixBytesOrNotAtAll)
{
    const struct
    {
        const char* text;
        bool parses;
        uint8_t last;
    } cases[] = {
        {"00-1a-7d-da-71-13", true, 0x13}, {"0-1-2-3-4-5", true, 5},      {"00-11-22-33-44-55-66", true, 0x55},
        {"100-11-22-33-44-1FF", true, 0xFF}, {"00-11-22-33-44", false, 0}, {"00--22-33-44-55", false, 0},
        {"00-11-22-33-44-zz", false, 0},   {"", false, 0},
    };
    for (const auto& c : cases) {
        CzxBTAddress address;
        address.m_bytes[5] = 0xEE;
        EXPECT_EQ(zxBdaFromText(c.text, address), c.parses) << c.text;
        EXPECT_EQ(address.m_bytes[5], c.parses ? c.last : 0xEE) << c.text;
    }
    CzxBTAddress address;
    ASSERT_TRUE(zxBdaFromText("00-1A-7D-DA-71-13", address));
    EXPECT_EQ(zxBdaToText(address), kAddress);
}

// The test's own thread plays the main thread and serves the device's
// requests; the box thread's work runs on a thread of its own.
class BTDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_remote = std::make_shared<CemuBTRemote>();
        CemuBTPeer::Install(m_remote);
        m_device = std::make_unique<CzxBTDevice>();
        m_device->SetPoster([this] { ++m_posts; });
        ASSERT_TRUE(m_device->SetAddress(kAddress));
    }
    void TearDown() override
    {
        OnBox([this] { m_device->Close(); });
        m_device.reset();
        CemuBTPeer::Uninstall();
    }

    // Runs work as the box thread would while this thread serves requests;
    // returns the milliseconds it took.
    long OnBox(const std::function<void()>& work)
    {
        std::atomic<bool> done{false};
        CzxStopWatch watch;
        std::thread box([&] {
            work();
            done = true;
        });
        EXPECT_TRUE(ServeUntil([&] { return done.load(); }));
        box.join();
        return watch.Time();
    }

    // Serves requests until the condition holds; false when it never did.
    bool ServeUntil(const std::function<bool()>& condition)
    {
        return qvtest::WaitUntil([&] {
            m_device->ServiceRequests();
            return condition();
        });
    }

    bool OpenOnBox()
    {
        bool opened = false;
        OnBox([&] { opened = m_device->Open(); });
        return opened;
    }

    std::shared_ptr<CemuBTRemote> m_remote;
    std::unique_ptr<CzxBTDevice> m_device;
    std::atomic<int> m_posts{0};
};

TEST_F(BTDeviceTest, OpenWritesAndReadsThroughTheMainThread)
{
    ASSERT_TRUE(OpenOnBox());
    EXPECT_TRUE(m_device->IsOpen());
    EXPECT_TRUE(m_device->IsConnected());
    EXPECT_GE(m_posts, 1);
    EXPECT_EQ(m_remote->CountOpens(), 1);

    std::vector<uint8_t> out(600);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = uint8_t(i * 3);
    bool written = false;
    OnBox([&] { written = m_device->Write(out.data(), 100) && m_device->Write(out.data() + 100, 500); });
    EXPECT_TRUE(written);
    // A write returns after a short wait even when the main thread is slow.
    ASSERT_TRUE(ServeUntil([&] { return m_remote->Written().size() >= out.size(); }));
    EXPECT_EQ(m_remote->Written(), out);

    m_remote->Send({9, 8, 7, 6});
    uint8_t got[4] = {};
    bool read = false;
    OnBox([&] { read = m_device->Read(got, 4); });
    ASSERT_TRUE(read);
    EXPECT_EQ(std::vector<uint8_t>(got, got + 4), (std::vector<uint8_t>{9, 8, 7, 6}));
}

TEST_F(BTDeviceTest, SetAddressRefusesABadTextAndKeepsTheLinkForTheSameAddress)
{
    ASSERT_TRUE(OpenOnBox());
    bool changed = true;
    OnBox([&] { changed = m_device->SetAddress("00-1a-7d-da-71"); });
    EXPECT_FALSE(changed);
    EXPECT_TRUE(m_device->IsOpen());
    OnBox([&] { changed = m_device->SetAddress("00-1A-7D-DA-71-13"); });
    EXPECT_FALSE(changed);
    EXPECT_TRUE(m_device->IsOpen());
    OnBox([&] { changed = m_device->SetAddress("00-1a-7d-da-71-14"); });
    EXPECT_TRUE(changed);
    EXPECT_FALSE(m_device->IsOpen());
}

TEST_F(BTDeviceTest, OpenFailsAtOnceWhenTheServiceCannotBeOpened)
{
    const struct
    {
        const char* what;
        std::function<void(CemuBTRemote::Setup&)> change;
    } cases[] = {
        {"no serial-port service", [](CemuBTRemote::Setup& s) { s.service = false; }},
        {"no such device", [](CemuBTRemote::Setup& s) { s.device = false; }},
        {"no controller", [](CemuBTRemote::Setup& s) { s.controller = false; }},
    };
    for (const auto& c : cases) {
        m_remote->Configure([](CemuBTRemote::Setup& s) { s = CemuBTRemote::Setup(); });
        m_remote->Configure(c.change);
        bool opened = true;
        OnBox([&] { opened = m_device->Open(); });
        EXPECT_FALSE(opened) << c.what;
        EXPECT_FALSE(m_device->IsOpen()) << c.what;
        EXPECT_EQ(m_remote->CountOpens(), 0) << "no channel to wait for: " << c.what;
    }
}

TEST_F(BTDeviceTest, ChannelOpenCompletingWithAnErrorTimesOut)
{
    m_remote->Configure([](CemuBTRemote::Setup& s) { s.openStatus = 4; });
    bool opened = true;
    const long ms = OnBox([&] { opened = m_device->Open(); });
    EXPECT_FALSE(opened);
    EXPECT_GE(ms, 3000);
    EXPECT_FALSE(m_device->IsOpen());
}

TEST_F(BTDeviceTest, ShortReadWaitsThreeSecondsUnlessStrictAndKeepsTheBytes)
{
    ASSERT_TRUE(OpenOnBox());
    m_remote->Send({1, 2, 3});
    m_device->SetTimeout(1.0f);
    uint8_t got[4] = {};
    bool read = true;
    long ms = OnBox([&] { read = m_device->Read(got, 4); });
    EXPECT_FALSE(read);
    EXPECT_GE(ms, 2999);
    EXPECT_EQ(m_device->GetRXCount(), 3u);

    ms = OnBox([&] { read = m_device->ReadStrict(got, 4); });
    EXPECT_FALSE(read);
    EXPECT_GE(ms, 1000);

    m_remote->Send({4});
    OnBox([&] { read = m_device->ReadStrict(got, 4); });
    ASSERT_TRUE(read);
    EXPECT_EQ(std::vector<uint8_t>(got, got + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST_F(BTDeviceTest, RefusedWriteBreaksTheLinkUntilItIsOpenedAgain)
{
    ASSERT_TRUE(OpenOnBox());
    m_remote->Configure([](CemuBTRemote::Setup& s) { s.refuseWrites = true; });
    const uint8_t bytes[3] = {1, 2, 3};
    bool written = false;
    OnBox([&] { written = m_device->Write(bytes, 3); });
    EXPECT_TRUE(written); // queued; the refusal comes on the main thread
    EXPECT_TRUE(ServeUntil([&] { return !m_device->IsConnected(); }));
    EXPECT_TRUE(m_device->IsOpen());
    m_remote->Configure([](CemuBTRemote::Setup& s) { s.refuseWrites = false; });
    m_remote->Send({5});
    uint8_t byte = 0;
    bool read = true;
    OnBox([&] {
        written = m_device->Write(bytes, 3);
        read = m_device->Read(&byte, 1);
    });
    EXPECT_FALSE(written);
    EXPECT_FALSE(read);
    EXPECT_TRUE(m_remote->Written().empty());

    OnBox([&] { m_device->Close(); });
    ASSERT_TRUE(OpenOnBox());
    OnBox([&] { written = m_device->Write(bytes, 3); });
    EXPECT_TRUE(written);
    ASSERT_TRUE(ServeUntil([&] { return m_remote->Written().size() >= 3; }));
    EXPECT_EQ(m_remote->Written(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(BTDeviceTest, EmulatedLoggerAnswersOverTheLink)
{
    m_remote->Configure([](CemuBTRemote::Setup& s) { s.answering = true; });
    m_remote->ConfigureLogger([](CemuLoggerConfig& c) {
        c.id = 40;
        c.version = "1.30";
    });
    ASSERT_TRUE(OpenOnBox());
    uint8_t reply[5] = {};
    bool read = false;
    OnBox([&] {
        const uint8_t commands[] = {1, 2};
        m_device->Write(commands, 2);
        read = m_device->Read(reply, 5);
    });
    ASSERT_TRUE(read);
    EXPECT_EQ(reply[0], 40);
    EXPECT_EQ(std::string(reply + 1, reply + 5), "1.30");
}

TEST(BTDeviceChooser, ChoosesThroughTheUserInterfacesChooser)
{
    wxString name;
    wxString address;
    CzxBTDevice::SetChooser(nullptr);
    EXPECT_FALSE(CzxBTDevice::ChooseDevice(name, address));
    CzxBTDevice::SetChooser([](wxString& n, wxString& a) {
        n = "Logger";
        a = kAddress;
        return true;
    });
    EXPECT_TRUE(CzxBTDevice::ChooseDevice(name, address));
    EXPECT_EQ(name, "Logger");
    EXPECT_EQ(address, kAddress);
    CzxBTDevice::SetChooser(nullptr);
}

} // namespace
