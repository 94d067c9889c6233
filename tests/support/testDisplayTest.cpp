#include "support/testDisplay.h"
#include "support/testEnvironment.h"
#include "support/testWait.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Run only as a child of the test below: says which display it has, and
// holds it until told to let go.
TEST(TestDisplay, DISABLED_ReportsItsDisplay)
{
    const char* report = std::getenv("QV_DISPLAY_REPORT");
    const char* release = std::getenv("QV_DISPLAY_RELEASE");
    ASSERT_TRUE(report && release);
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    qvtest::WriteFile(std::string(report) + ".part", display + "\n" +
                      (qvtest::HasWindowManager(display) ? "managed" : "bare"));
    fs::rename(std::string(report) + ".part", report);
    ASSERT_TRUE(qvtest::WaitUntil([release] { return fs::exists(release); }));
}

pid_t StartChild(const std::string& report, const std::string& release)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QV_DISPLAY_REPORT", report.c_str(), 1);
        ::setenv("QV_DISPLAY_RELEASE", release.c_str(), 1);
        ::execl("/proc/self/exe", "qv_gui_tests", "--gtest_also_run_disabled_tests",
                "--gtest_filter=TestDisplay.DISABLED_ReportsItsDisplay", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

} // namespace

TEST(TestDisplay, TwoTestProgramsStartedTogetherEachHaveTheirOwn)
{
    const std::string dir = qvtest::MakeTempDir("displays");
    const std::string release = dir + "/release";
    const std::string reports[] = {dir + "/first", dir + "/second"};
    const pid_t children[] = {StartChild(reports[0], release), StartChild(reports[1], release)};

    // Both hold their displays at this moment.
    const bool reported = qvtest::WaitUntil([&] { return fs::exists(reports[0]) && fs::exists(reports[1]); });
    qvtest::WriteFile(release, "");
    int status[2] = {-1, -1};
    for (int i = 0; i < 2; ++i)
        ::waitpid(children[i], &status[i], 0);
    ASSERT_TRUE(reported);

    const std::string first = qvtest::ReadFile(reports[0]);
    const std::string second = qvtest::ReadFile(reports[1]);
    const std::string mine = std::string(std::getenv("DISPLAY")) + "\n";
    EXPECT_EQ(first.rfind(':', 0), 0u) << first;
    EXPECT_NE(first.substr(0, first.find('\n')), second.substr(0, second.find('\n')));
    EXPECT_NE(first.rfind(mine, 0), 0u);
    EXPECT_NE(second.rfind(mine, 0), 0u);
    EXPECT_NE(first.find("managed"), std::string::npos);
    EXPECT_NE(second.find("managed"), std::string::npos);
    for (int s : status)
        EXPECT_TRUE(WIFEXITED(s) && WEXITSTATUS(s) == 0) << s;
}
