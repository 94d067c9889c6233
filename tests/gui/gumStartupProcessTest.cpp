#include "support/guiSupport.h"
#include "support/testEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/init.h>
#include <wx/snglinst.h>
#include <wx/utils.h>

namespace {

// Runs the program in a child process that answers its boxes into a log.
struct ChildRun
{
    int code = -1;
    std::string boxes;
};

ChildRun RunChild(const std::string& resources)
{
    const std::string log = qvtest::MakeTempDir("child") + "/boxes.log";
    ChildRun run;
    run.code = qvtest::RunProgram({{"QUORVANTI_BOX_LOG", log}, {"QUORVANTI_RESOURCES_DIR", resources}}, 30);
    run.boxes = qvtest::ReadFile(log);
    return run;
}

std::string CopyResources(const std::string& name)
{
    const std::string root = qvtest::MakeTempDir(name);
    std::filesystem::copy(QV_TEST_RESOURCES_DIR, root, std::filesystem::copy_options::recursive);
    return root;
}

} // namespace

TEST(StartupProcess, SecondStartSaysAlreadyRunning)
{
    wxInitializer init;
    wxSingleInstanceChecker first;
    ASSERT_TRUE(first.Create(wxString::Format("Quorvanti-%s", wxGetUserId())));
    ASSERT_FALSE(first.IsAnotherRunning());
    const ChildRun run = RunChild(QV_TEST_RESOURCES_DIR);
    EXPECT_NE(run.code, 0);
    EXPECT_EQ(run.boxes, "info\tQuorvanti\tQuorvanti is already running\n");
}

TEST(StartupProcess, MissingStringTableEndsStart)
{
    const std::string root = CopyResources("nostrings");
    const std::string path = root + "/QuorvantiRes/Strings.txt";
    std::filesystem::remove(path);
    const ChildRun run = RunChild(root);
    EXPECT_NE(run.code, 0);
    EXPECT_EQ(run.boxes, "error\tQuorvanti\t" + path + "\n");
}

TEST(StartupProcess, EmptySensorDatabaseEndsStart)
{
    const std::string root = CopyResources("nosensors");
    const std::string path = root + "/QuorvantiRes/Sensors.txt";
    qvtest::WriteFile(path, "");
    const ChildRun run = RunChild(root);
    EXPECT_NE(run.code, 0);
    EXPECT_EQ(run.boxes, "error\tQuorvanti\tCannot open the file " + path + "\n");
}
