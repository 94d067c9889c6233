// Test label: threads
#include "app/appOptions.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;
using qvtest::ReadFile;
using qvtest::WriteFile;

namespace {

// Points the user's and the all-users' settings folders at fresh folders.
class OptionsFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = qvtest::MakeTempDir("options");
        m_savedHome = std::getenv("XDG_CONFIG_HOME");
        m_savedDirs = std::getenv("XDG_CONFIG_DIRS");
        ::setenv("XDG_CONFIG_HOME", (m_dir + "/user").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", (m_dir + "/all").c_str(), 1);
        m_allUsers = m_dir + "/all/Quorvanti/Settings.txt";
        m_userSettings = m_dir + "/user/Quorvanti/Settings.txt";
        m_userOptions = m_dir + "/user/Quorvanti/Options.txt";
    }

    void TearDown() override
    {
        ::setenv("XDG_CONFIG_HOME", m_savedHome.c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", m_savedDirs.c_str(), 1);
    }

    std::string m_dir;
    std::string m_savedHome;
    std::string m_savedDirs;
    std::string m_allUsers;
    std::string m_userSettings;
    std::string m_userOptions;
    qvtest::CtestBoxes m_boxes;
};

bool SameRecord(const CappOptionsFile& a, const CappOptionsFile& b)
{
    for (int i = 0; i < CappOptionsFile::kValueCount; ++i) {
        wxString ka, va, kb, vb;
        a.WriteValue(i, ka, va);
        b.WriteValue(i, kb, vb);
        if (ka != kb || va != vb)
            return false;
    }
    return true;
}

CappOptionsFile ReadText(const std::string& dir, const std::string& text)
{
    const std::string path = dir + "/read.txt";
    WriteFile(path, text);
    CappOptionsFile record;
    EXPECT_TRUE(record.Read(path));
    return record;
}

} // namespace

TEST_F(OptionsFiles, WritesExactlyFourteenLinesAndReadsThemBack)
{
    CappOptionsFile record;
    record.ManagerMode = false;
    record.PortType = 2;
    record.PortBtooth = 0;
    record.PortSerial = 99;
    record.UserLevel = 1;
    record.FileFolder = wxString::FromUTF8("/home/ana/Données");
    record.UserSave = true;
    record.MaxSensingPlaces = 0;
    record.MaxTimingPlaces = 5;
    record.BluetoothName = "Lab logger";
    record.BluetoothAddress = "00-11-22-33-44-55";
    record.BluetoothSmart = false;
    record.BluetoothSmartUUID = "7c3e1101-4a1d-4f2b-9e85-3d6b20c4f9a1";
    record.BluetoothSmartName = "Tundrane 2";
    const std::string path = m_dir + "/deep/er/Options.txt";
    ASSERT_TRUE(record.Write(path));
    EXPECT_EQ(ReadFile(path),
              "PortBtooth=0\nPortSerial=99\nPortType=2\nUserLevel=1\nUserSave=1\n"
              "FileFolder=/home/ana/Donn\xC3\xA9" "es\nMaxSensingPlaces=0\nMaxTimingPlaces=5\n"
              "ManagerMode=0\nBluetoothName=Lab logger\nBluetoothAddress=00-11-22-33-44-55\n"
              "BluetoothSmart=0\nBluetoothSmartUUID=7c3e1101-4a1d-4f2b-9e85-3d6b20c4f9a1\n"
              "BluetoothSmartName=Tundrane 2\n");
    CappOptionsFile back;
    ASSERT_TRUE(back.Read(path));
    EXPECT_TRUE(SameRecord(record, back));

    wxString key, value;
    EXPECT_FALSE(record.WriteValue(14, key, value));
    EXPECT_FALSE(record.WriteValue(-1, key, value));
    EXPECT_FALSE(back.Read(m_dir + "/missing.txt"));
}

TEST_F(OptionsFiles, EveryKeyTakesOnlyItsRange)
{
    struct Case
    {
        const char* line;
        bool accepted;
    };
    const Case cases[] = {
        {"PortBtooth=0", true},       {"PortBtooth=99", true},       {"PortBtooth=100", false},
        {"PortBtooth=-1", false},     {"PortSerial=0", true},        {"PortSerial=100", false},
        {"PortType=0", true},         {"PortType=2", true},          {"PortType=3", false},
        {"UserLevel=1", true},        {"UserLevel=4", true},         {"UserLevel=0", false},
        {"UserLevel=5", false},       {"UserLevel=+2", true},        {"UserLevel=2x", false},
        {"UserLevel=", false},        {"UserLevel=2.0", false},      {"UserLevel=99999999999", false},
        {"MaxSensingPlaces=5", true}, {"MaxSensingPlaces=6", false}, {"MaxTimingPlaces=0", true},
        {"MaxTimingPlaces=-1", false}, {"UserSave=1", true},         {"UserSave=2", false},
        {"ManagerMode=0", true},      {"ManagerMode=yes", false},    {"BluetoothSmart=0", true},
        {"BluetoothSmart=", false},   {"FileFolder=", true},         {"BluetoothName=a=b", true},
        {"Colour=3", false},
    };
    for (const Case& c : cases) {
        CappOptionsFile record;
        const wxString line = c.line;
        EXPECT_EQ(record.ReadValue(line.BeforeFirst('='), line.AfterFirst('=')), c.accepted) << c.line;
        CappOptionsFile defaults;
        if (!c.accepted) {
            EXPECT_TRUE(SameRecord(record, defaults)) << c.line;
        }
    }
}

TEST_F(OptionsFiles, ReadingTrimsIgnoresBadLinesAndMerges)
{
    const CappOptionsFile record = ReadText(m_dir,
                                            "\xEF\xBB\xBF"
                                            "  userlevel  =  2  \n"
                                            "# a comment without equals\n"
                                            "\n"
                                            "PORTSERIAL=0\r\n"
                                            "PortType=3\n"
                                            "MaxSensingPlaces=4\n"
                                            "MaxSensingPlaces=9\n"
                                            "FileFolder=\n"
                                            "BluetoothName= Lab = 2\n"
                                            "Unknown=1\n");
    EXPECT_EQ(record.UserLevel, 2);
    EXPECT_EQ(record.PortSerial, 0);
    EXPECT_EQ(record.PortType, 0);
    EXPECT_EQ(record.MaxSensingPlaces, 4); // the last valid value
    EXPECT_TRUE(record.FileFolder.empty());
    EXPECT_EQ(record.BluetoothName, "Lab = 2");
    EXPECT_TRUE(record.ManagerMode);
    EXPECT_EQ(record.PortBtooth, 6);

    // Reading on top of a record changes only the keys the file gives.
    CappOptionsFile merged;
    merged.FileFolder = "/data";
    merged.UserLevel = 3;
    const std::string path = m_dir + "/only-level.txt";
    WriteFile(path, "UserLevel=1\n");
    ASSERT_TRUE(merged.Read(path));
    EXPECT_EQ(merged.UserLevel, 1);
    EXPECT_EQ(merged.FileFolder, "/data");

    // An empty file reads and changes nothing.
    WriteFile(path, "");
    EXPECT_TRUE(merged.Read(path));
    EXPECT_EQ(merged.UserLevel, 1);
}

TEST_F(OptionsFiles, WritingReplacesTheOldFileWhole)
{
    const std::string path = m_dir + "/Options.txt";
    WriteFile(path, "old contents\n");
    std::ifstream old(path, std::ios::binary); // still open on the old file
    CappOptionsFile record;
    record.UserLevel = 2;
    ASSERT_TRUE(record.Write(path));
    std::string first;
    std::getline(old, first);
    EXPECT_EQ(first, "old contents"); // renamed over, never truncated in place
    EXPECT_EQ(ReadFile(path).substr(0, 13), "PortBtooth=6\n");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(m_dir))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1); // no temporary file left beside it

    // A file that cannot be written leaves nothing behind.
    WriteFile(m_dir + "/blocker", "x");
    EXPECT_FALSE(record.Write(m_dir + "/blocker/Options.txt"));
}

TEST_F(OptionsFiles, NoFilesMeansSilentDefaults)
{
    CappOptions options;
    EXPECT_TRUE(options.Load(false));
    EXPECT_EQ(options.GetUserLevel(), 4);
    EXPECT_TRUE(options.m_settings.ManagerMode);
    EXPECT_TRUE(m_boxes.m_calls.empty());
    for (int n = 0; n < FEATURE_COUNT; ++n)
        EXPECT_TRUE(options.IsAllowed(n)) << n;

    EXPECT_TRUE(options.Load(true));
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "Could not load Settings file.");
}

TEST_F(OptionsFiles, MergeRulesOfSettingsAndOptions)
{
    struct Case
    {
        const char* allUsers;     // null: no file
        const char* userSettings; // null: no file
        const char* options;      // null: no file
        int level;
        bool managerMode;
        bool userSave;
        const char* folder;
    };
    const Case cases[] = {
        // Only a level: every other field keeps its default.
        {"UserLevel=2\n", nullptr, nullptr, 2, true, false, ""},
        // The all-users file wins over the user's copy.
        {"UserLevel=2\n", "UserLevel=3\n", nullptr, 2, true, false, ""},
        {nullptr, "UserLevel=3\nManagerMode=0\n", nullptr, 3, false, false, ""},
        // Users may not keep options: Options.txt is ignored completely.
        {"UserLevel=2\nUserSave=0\n", nullptr, "UserLevel=4\nFileFolder=/x\n", 2, true, false, ""},
        // Users may keep options: read on top, but not these two values.
        {"UserLevel=2\nUserSave=1\nManagerMode=0\nFileFolder=/a\n", nullptr,
         "UserLevel=1\nUserSave=0\nManagerMode=1\n", 1, false, true, "/a"},
    };
    for (const Case& c : cases) {
        fs::remove_all(m_dir + "/all");
        fs::remove_all(m_dir + "/user");
        if (c.allUsers)
            WriteFile(m_allUsers, c.allUsers);
        if (c.userSettings)
            WriteFile(m_userSettings, c.userSettings);
        if (c.options)
            WriteFile(m_userOptions, c.options);
        CappOptions options;
        options.Load(false);
        const std::string what = c.allUsers ? c.allUsers : c.userSettings;
        EXPECT_EQ(options.GetUserLevel(), c.level) << what;
        EXPECT_EQ(options.GetCurrentCopy().ManagerMode, c.managerMode) << what;
        EXPECT_EQ(options.GetCurrentCopy().UserSave, c.userSave) << what;
        EXPECT_EQ(options.GetCurrentCopy().FileFolder, c.folder) << what;
        EXPECT_EQ(options.m_settings.ManagerMode, c.managerMode) << what;
    }
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

TEST(FeatureGate, CountsPerLevelAndOutOfRange)
{
    CappOptions options;
    const int expected[5] = {0, 32, 64, 122, 137};
    for (int level = 1; level <= 4; ++level) {
        options.SetUserLevel(level);
        int allowed = 0;
        for (int n = 0; n < FEATURE_COUNT; ++n)
            allowed += options.IsAllowed(n) ? 1 : 0;
        EXPECT_EQ(allowed, expected[level]) << level;
        EXPECT_TRUE(options.IsAllowed(FEATURE_ALWAYS));
        EXPECT_TRUE(options.IsAllowed(FEATURE_WHOLE_NUMBERS));
        EXPECT_FALSE(options.IsAllowed(-1));
        EXPECT_FALSE(options.IsAllowed(137));
        EXPECT_FALSE(options.IsAllowed(100000));
    }
    EXPECT_EQ(FEATURE_EXPORT, 20);
    EXPECT_EQ(FEATURE_OPTIONS, 35);
    EXPECT_EQ(CappOptions::GetFeatureLevel(FEATURE_EXPORT), 3);
    EXPECT_EQ(CappOptions::GetFeatureLevel(FEATURE_CALCULATE), 4);
    EXPECT_EQ(CappOptions::GetFeatureLevel(FEATURE_GRAPH_MENU), 2);
}

TEST(FeatureGate, SharedGateFollowsTheOptionsInForceAndRefusesWithoutThem)
{
    EXPECT_EQ(appGetOptions(), nullptr);
    EXPECT_FALSE(appIsAllowed(FEATURE_ALWAYS));
    {
        CappOptions options;
        options.SetUserLevel(1);
        EXPECT_TRUE(appIsAllowed(FEATURE_ALWAYS));
        EXPECT_FALSE(appIsAllowed(FEATURE_EXPORT));
        EXPECT_FALSE(appIsAllowed(FEATURE_COUNT));
        options.SetUserLevel(3);
        EXPECT_TRUE(appIsAllowed(FEATURE_EXPORT));
        EXPECT_FALSE(appIsAllowed(FEATURE_CALCULATE));
    }
    EXPECT_FALSE(appIsAllowed(FEATURE_ALWAYS));
}

TEST(FeatureGate, LevelFlagsFollowTheLevel)
{
    struct Row
    {
        bool toolBar, title, gauge, table, digits;
    };
    const Row rows[5] = {{},
                         {false, false, false, false, false},
                         {false, false, true, false, false},
                         {true, false, true, false, true},
                         {true, true, true, true, false}};
    CappOptions options;
    for (int level = 1; level <= 4; ++level) {
        options.SetUserLevel(level);
        options.UpdateLevelFlags();
        const Row& r = rows[level];
        EXPECT_EQ(options.m_showToolBar, r.toolBar) << level;
        EXPECT_EQ(options.m_viewTitle, r.title) << level;
        EXPECT_EQ(options.m_viewGauge, r.gauge) << level;
        EXPECT_EQ(options.m_viewTable, r.table) << level;
        EXPECT_EQ(options.m_viewDigits, r.digits) << level;
    }
}

TEST(NextPort, OrderForEveryPortType)
{
    struct Case
    {
        int portType;
        bool smart;     // the record's BluetoothSmart
        bool leAllowed; // the caller's permission
        std::vector<int> order;
    };
    const Case cases[] = {
        {0, true, true, {100, 103, 1, 2, 100}},
        {0, true, false, {100, 1, 2, 100}},
        {0, false, true, {100, 1, 2, 100}},
        {1, true, true, {100, 103, 102, 100}},
        {1, false, true, {100, 102, 100}},
        {2, true, true, {100, 103, 7, 100}},
        {2, true, false, {100, 7, 100}},
        {5, true, true, {100, 103, 1, 2, 100}}, // an unknown type searches automatically
    };
    for (const Case& c : cases) {
        CappOptionsFile record;
        record.PortType = c.portType;
        record.BluetoothSmart = c.smart;
        record.PortSerial = 7;
        record.BluetoothAddress = "00-11-22";
        int port = 0; // nothing tried yet
        for (int expected : c.order) {
            wxString name = "stale";
            record.GetNextPort(port, name, c.leAllowed);
            EXPECT_EQ(port, expected) << "type " << c.portType;
            if (port == 100 || port == 103)
                EXPECT_TRUE(name.empty());
            else if (port == 102)
                EXPECT_EQ(name, "00-11-22");
            else
                EXPECT_EQ(name, wxString::Format("/dev/ttyS%d", port - 1));
        }
    }
}

TEST(NextPort, ManagerThreadReadsAWholeRecord)
{
    CappOptions options;
    CappOptionsFile usb;
    usb.PortType = 0;
    CappOptionsFile serial;
    serial.PortType = 2;
    serial.PortSerial = 9;
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::thread manager([&] {
        while (!stop) {
            const CappOptionsFile copy = options.GetCurrentCopy();
            if (!(copy.PortType == 0 && copy.PortSerial == 4) &&
                !(copy.PortType == 2 && copy.PortSerial == 9))
                ++bad;
            int port = 100;
            wxString name;
            options.GetNextPort(port, name, false);
            if (port != 1 && port != 9)
                ++bad;
        }
    });
    for (int i = 0; i < 2000; ++i)
        options.SetCurrent(i % 2 ? usb : serial);
    stop = true;
    manager.join();
    EXPECT_EQ(bad, 0);
}

// The main thread replaces the record and reads its level through the lock
// while the manager thread copies it for the logger search.
TEST(NextPort, MainThreadReadsTheLevelWhileTheManagerThreadCopies)
{
    CappOptions options;
    std::atomic<bool> stop{false};
    std::thread manager([&] {
        while (!stop) {
            int port = 100;
            wxString name;
            options.GetNextPort(port, name, false);
        }
    });
    CappOptionsFile record = options.GetCurrentCopy();
    for (int i = 0; i < 2000; ++i) {
        record.UserLevel = 1 + i % 4;
        options.Set(record, false);
        EXPECT_EQ(options.GetUserLevel(), record.UserLevel);
        EXPECT_EQ(options.IsAllowed(FEATURE_OPTIONS), record.UserLevel >= 3);
    }
    stop = true;
    manager.join();
}

TEST_F(OptionsFiles, AdministratorSettingsInstalledForAllUsers)
{
    CappOptions options;
    options.Load(false);
    std::vector<std::pair<bool, bool>> applied;
    options.m_applyHandler = [&](bool level, bool manager) { applied.emplace_back(level, manager); };

    CappOptionsFile record = options.m_settings;
    record.UserLevel = 2;
    record.ManagerMode = false;
    record.UserSave = true;
    options.SaveAdminSettings(record, true);
    EXPECT_NE(ReadFile(m_allUsers).find("UserLevel=2\n"), std::string::npos);
    EXPECT_FALSE(options.m_settings.ManagerMode);
    EXPECT_EQ(options.GetUserLevel(), 2);
    EXPECT_TRUE(fs::exists(m_userOptions)); // users may save: their file follows
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], std::make_pair(true, true));
    EXPECT_FALSE(options.m_showToolBar); // level flags of level 2
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_NE(m_boxes.m_calls[0].text.find(wxString(m_allUsers)), wxNOT_FOUND);

    // The Options dialog's OK applies for this run; Save writes Options.txt.
    fs::remove(m_userOptions);
    CappOptionsFile mine = options.GetCurrentCopy();
    mine.UserLevel = 3;
    options.Set(mine, false);
    EXPECT_FALSE(fs::exists(m_userOptions));
    EXPECT_EQ(applied.back(), std::make_pair(true, false));
    EXPECT_TRUE(options.m_showToolBar);
    options.Set(mine, true);
    EXPECT_NE(ReadFile(m_userOptions).find("UserLevel=3\n"), std::string::npos);
    EXPECT_EQ(applied.back(), std::make_pair(false, false));
}

TEST_F(OptionsFiles, AdministratorSettingsCopyWhenAllUsersFolderRefuses)
{
    // A file where the all-users folder should be: nothing can be written there.
    WriteFile(m_dir + "/all", "not a folder");
    CappOptions options;
    options.Load(false);
    CappOptionsFile record = options.m_settings;
    record.UserLevel = 1;
    record.ManagerMode = false;
    record.UserSave = true;
    options.SaveAdminSettings(record, true);
    // Not installed for all users: the two administrator's values stay.
    EXPECT_TRUE(options.m_settings.ManagerMode);
    EXPECT_FALSE(options.m_settings.UserSave);
    EXPECT_EQ(options.GetUserLevel(), 1);
    EXPECT_NE(ReadFile(m_userSettings).find("UserLevel=1\nUserSave=0\n"), std::string::npos);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_NE(m_boxes.m_calls[0].text.find("run Quorvanti as an Administrator"), wxNOT_FOUND);
    EXPECT_NE(m_boxes.m_calls[0].text.find(wxString(m_userSettings)), wxNOT_FOUND);
}
