// Test label: threads
#include "support/testEnvironment.h"
#include "support/testWait.h"
#include "transport/zxBtle.h"
#include "transport/zxBtleManager.h"

#include <chrono>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

const wxString kA = "11111111-2222-3333-4444-555555555555";
const wxString kB = "AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE";
const wxString kC = "0F0F0F0F-0000-1111-2222-333333333333";
const wxString kD = "DDDDDDDD-0000-1111-2222-333333333333";

// A central of its own with a main queue the test empties itself.
class Central : public testing::Test
{
protected:
    void SetUp() override
    {
        m_manager.SetMainQueue([this](std::function<void()> call) {
            std::lock_guard<std::mutex> lock(m_queueLock);
            m_queue.push_back(std::move(call));
        });
    }

    void TearDown() override { m_manager.ScanStop(); }

    size_t Queued()
    {
        std::lock_guard<std::mutex> lock(m_queueLock);
        return m_queue.size();
    }

    // Waits until n calls are queued.
    bool WaitQueued(size_t n)
    {
        return qvtest::WaitUntil([&] { return Queued() >= n; });
    }

    void RunQueued()
    {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard<std::mutex> lock(m_queueLock);
            calls.swap(m_queue);
        }
        for (auto& call : calls)
            call();
    }

    std::vector<wxString> Names()
    {
        std::vector<wxString> names;
        for (int i = 0; i < m_manager.GetLoggerCount(); ++i) {
            wxString name, identifier;
            m_manager.GetLogger(i, name, identifier);
            names.push_back(name);
        }
        return names;
    }

    static void Count(void* handle) { ++*static_cast<int*>(handle); }

    CzxBtleManager m_manager;
    std::mutex m_queueLock;
    std::deque<std::function<void()>> m_queue;
};

} // namespace

TEST_F(Central, RememberedLoggersStayPairedAndOnlyUuidsAreTaken)
{
    const std::string path = qvtest::MakeTempDir("btle") + "/Bluetooth.txt";
    qvtest::WriteFile(path, std::string(kA.utf8_str()) + "\tKestilon 1\n" + // named
                                std::string(kB.Lower().utf8_str()) + "\n" +  // no name, lower case
                                "not-a-uuid\tStray\n" +                      // never taken
                                std::string(kA.utf8_str()) + "\tKestilon One\n");
    CzxBtleIdentifiers identifiers;
    identifiers.SetPath(path);
    ASSERT_TRUE(identifiers.Load());
    EXPECT_EQ(identifiers.GetIdentifiers(), (std::vector<wxString>{kA, kB}));
    EXPECT_EQ(identifiers.GetNames(), (std::vector<wxString>{"Kestilon One", "Unknown"}));

    identifiers.Add(kC, "");
    identifiers.Add(kC, "");
    EXPECT_EQ(identifiers.NameOf(kC), "Unknown");
    ASSERT_TRUE(identifiers.Save());
    CzxBtleIdentifiers again;
    again.SetPath(path);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetIdentifiers(), identifiers.GetIdentifiers());
    EXPECT_EQ(again.GetNames(), identifiers.GetNames());

    // A missing file is no remembered loggers.
    CzxBtleIdentifiers none;
    none.SetPath(path + ".missing");
    EXPECT_FALSE(none.Load());
    EXPECT_EQ(none.GetCount(), 0u);
}

TEST_F(Central, ScanReportsLoggersInOrderOnTheMainQueue)
{
    CzxBtleAdapter& adapter = m_manager.UseSimulated();
    adapter.SetState(BTLE_STATE_POWERED_ON);
    adapter.AddInRange({kA, "Kestilon 1"});
    adapter.AddInRange({kB, ""});
    int calls = 0;
    m_manager.SetDiscoverHandler(&Count, &calls);
    ASSERT_TRUE(m_manager.ScanStart());
    EXPECT_TRUE(m_manager.IsScanning());
    ASSERT_TRUE(WaitQueued(2));
    EXPECT_EQ(calls, 0); // nothing runs on the adapter's thread
    RunQueued();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(Names(), (std::vector<wxString>{"Kestilon 1", ""}));
    // Every discovery is remembered at once.
    EXPECT_EQ(m_manager.GetIdentifiers().GetNames(), (std::vector<wxString>{"Kestilon 1", "Unknown"}));

    // A logger coming into range later; the handler removed before its call runs.
    adapter.AddInRange({kC, "Tundrane 2"});
    ASSERT_TRUE(WaitQueued(1));
    m_manager.SetDiscoverHandler(nullptr, nullptr);
    RunQueued();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(m_manager.GetLoggerCount(), 3);

    EXPECT_TRUE(m_manager.ScanStop());
    EXPECT_FALSE(m_manager.IsScanning());
    EXPECT_FALSE(adapter.IsScanning());
}

TEST_F(Central, DiscoveryReplacesItsEntryInPlace)
{
    CzxBtleAdapter& adapter = m_manager.UseSimulated();
    adapter.SetState(BTLE_STATE_POWERED_ON);
    adapter.AddInRange({kA, "First name"});
    adapter.AddInRange({kB, "Other"});
    ASSERT_TRUE(m_manager.ScanStart());
    ASSERT_TRUE(WaitQueued(2));
    m_manager.ScanStop();
    adapter.AddInRange({kA, "Second name"});
    ASSERT_TRUE(m_manager.ScanStart()); // a new scan reports every logger again
    ASSERT_TRUE(WaitQueued(4));
    m_manager.ScanStop();
    EXPECT_EQ(Names(), (std::vector<wxString>{"Second name", "Other"}));
}

TEST_F(Central, ScanNeedsThePowerAndTellsTheState)
{
    const struct
    {
        int state;
        const char* text;
    } cases[] = {
        {BTLE_STATE_UNKNOWN, "Bluetooth state unknown"},
        {BTLE_STATE_RESETTING, "Bluetooth is resetting"},
        {BTLE_STATE_UNSUPPORTED, "Bluetooth is unsupported"},
        {BTLE_STATE_UNAUTHORIZED, "Bluetooth is unauthorized"},
        {BTLE_STATE_POWERED_OFF, "Bluetooth is powered off"},
        {9, "Bluetooth state unknown"},
    };
    for (const auto& c : cases) {
        m_manager.UseSimulated().SetState(c.state);
        EXPECT_FALSE(m_manager.ScanStart()) << c.text;
        EXPECT_FALSE(m_manager.IsScanning());
        EXPECT_EQ(m_manager.GetStateText(), c.text);
    }

    // The port's state text keeps the part before the first " - ".
    CzxBtleManager::Shared().UseSimulated().SetState(BTLE_STATE_POWERED_OFF);
    wxString text = "Scan failed to start - Bluetooth state unknown";
    zxGetBtle().GetStateText(text);
    EXPECT_EQ(text, "Scan failed to start - Bluetooth is powered off");
    text = "Title";
    zxGetBtle().GetStateText(text);
    EXPECT_EQ(text, "Title - Bluetooth is powered off");
    EXPECT_FALSE(zxGetBtle().ScanStart());
}

TEST_F(Central, RememberedAndSelectedLoggersAcrossRuns)
{
    const std::string folder = qvtest::MakeTempDir("btle-defaults");
    CzxBtleAdapter& adapter = m_manager.UseSimulated();
    adapter.SetState(BTLE_STATE_POWERED_ON);
    for (const wxString& id : {kA, kB, kC, kD})
        adapter.AddInRange({id, ""}); // known to the adapter, advertising no name
    adapter.Connect(kD);
    ASSERT_TRUE(qvtest::WaitUntil([&] { return adapter.GetPeripheralState(kD) == BTLE_PERIPHERAL_CONNECTED; }));

    // The remembered ones (A and C) and the connected one (D), nothing selected.
    // The user's file lies in the program's folder of the user's settings.
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    const std::string expected = std::string(CzxBtleIdentifiers().GetPath().utf8_str());
    EXPECT_EQ(expected.rfind(folder, 0), 0u);
    qvtest::WriteFile(expected, std::string(kA.utf8_str()) + "\tAlpha\n" + std::string(kC.utf8_str()) + "\tGamma\n");
    m_manager.LoadUserDefaults();
    EXPECT_EQ(Names(), (std::vector<wxString>{"Alpha", "Gamma", ""}));
    EXPECT_EQ(m_manager.GetSelectedIndex(), 3);
    EXPECT_EQ(m_manager.GetSelectedOrNone(), -1);

    // The options' choice: selected and moved to the end.
    m_manager.LoadSelectedLogger(kA, "Alpha");
    EXPECT_EQ(Names(), (std::vector<wxString>{"Gamma", "", "Alpha"}));
    EXPECT_EQ(m_manager.GetSelectedIndex(), 2);
    // One the adapter no longer knows leaves the selection as it was.
    m_manager.LoadSelectedLogger("99999999-2222-3333-4444-555555555555", "Gone");
    EXPECT_EQ(m_manager.GetSelectedIndex(), 2);
    EXPECT_EQ(m_manager.GetLoggerCount(), 3);

    // The dialog opens: the selected logger stays last.
    m_manager.InitSelection();
    EXPECT_EQ(m_manager.GetLoggerCount(), 3);
    EXPECT_EQ(m_manager.GetSelectedIndex(), 2);
    wxString name, identifier;
    m_manager.GetLogger(2, name, identifier);
    EXPECT_EQ(identifier, kA);
    m_manager.GetLogger(3, name, identifier);
    EXPECT_TRUE(name.empty() && identifier.empty());

    // Forgetting empties the user's file; an empty identifier clears the selection.
    m_manager.ForgetLoggers();
    EXPECT_EQ(qvtest::ReadFile(expected), "");
    m_manager.LoadSelectedLogger("", "");
    EXPECT_EQ(m_manager.GetSelectedOrNone(), -1);
    m_manager.ClearLoggers();
    EXPECT_EQ(m_manager.GetLoggerCount(), 0);
    // Loaded once per run.
    qvtest::WriteFile(expected, std::string(kA.utf8_str()) + "\tAlpha\n");
    m_manager.LoadUserDefaults();
    EXPECT_EQ(m_manager.GetLoggerCount(), 0);
}
