#include "app/base/gumAdminHelper.h"
#include "app/base/gumResCore.h"
#include "support/testEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class AdminHelper : public testing::Test
{
protected:
    void SetUp() override { m_root = qvtest::MakeResourceTree("admin"); }
    void TearDown() override { ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1); }

    void InstallHelper(const std::string& script)
    {
        const std::string path = m_root + "/QuorvantiRes/OSX/QuorvantiAdmin";
        qvtest::WriteFile(path, "#!/bin/sh\n" + script);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }

    std::string m_root;
    CgumResCore m_res;
};

} // namespace

TEST_F(AdminHelper, CopiesThroughTheHelper)
{
    InstallHelper("cp \"$1\" \"$2\"\n");
    const std::string source = m_root + "/my settings.txt";
    const std::string dest = m_root + "/all users/Settings.txt";
    qvtest::WriteFile(source, "Level=2\n");
    std::filesystem::create_directories(m_root + "/all users");
    EXPECT_TRUE(gumRunAdminHelper(source, dest));
    EXPECT_EQ(qvtest::ReadFile(dest), "Level=2\n");
    // A second copy over the existing file counts as a change too.
    qvtest::WriteFile(source, "Level=3\n");
    EXPECT_TRUE(gumRunAdminHelper(source, dest));
}

TEST_F(AdminHelper, PathsWithQuotesAndSpacesReachTheHelperWhole)
{
    InstallHelper("[ $# -eq 2 ] || exit 2\ncp \"$1\" \"$2\"\n");
    const std::string folder = m_root + "/say \"hi\" there";
    std::filesystem::create_directories(folder);
    const std::string source = folder + "/my \"settings\".txt";
    const std::string dest = folder + "/Settings.txt";
    qvtest::WriteFile(source, "Level=1\n");
    EXPECT_TRUE(gumRunAdminHelper(wxString::FromUTF8(source), wxString::FromUTF8(dest)));
    EXPECT_EQ(qvtest::ReadFile(dest), "Level=1\n");
}

TEST_F(AdminHelper, FailsWhenHelperMissingOrNothingChanges)
{
    EXPECT_FALSE(gumRunAdminHelper(m_root + "/a", m_root + "/b"));
    InstallHelper("exit 0\n");
    EXPECT_FALSE(gumRunAdminHelper(m_root + "/a", m_root + "/b"));
}

TEST(AdminHelperScript, ShippedScriptCopiesAsRoot)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    CgumResCore res;
    const std::string dir = qvtest::MakeTempDir("shipped");
    qvtest::WriteFile(dir + "/in.txt", "x=1\n");
    EXPECT_TRUE(gumRunAdminHelper(dir + "/in.txt", dir + "/deep/out.txt"));
    EXPECT_EQ(qvtest::ReadFile(dir + "/deep/out.txt"), "x=1\n");
}
