#include "app/base/gumResCore.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>

using qvtest::WriteFile;

namespace {

class StringTable : public testing::Test
{
protected:
    void SetUp() override { m_root = qvtest::MakeResourceTree("res"); }
    void TearDown() override { ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1); }

    bool Load(const std::string& bytes)
    {
        WriteFile(m_root + "/QuorvantiRes/Strings.txt", bytes);
        return m_res.LoadStrings();
    }

    std::string m_root;
    CgumResCore m_res;
    qvtest::CtestBoxes m_boxes;
};

} // namespace

TEST_F(StringTable, ReadsEachKindOfLine)
{
    ASSERT_TRUE(Load("' a comment\n"
                     "1:a:b:c\n"
                     "  2:blank before\n"
                     "3 :blank after\n"
                     "4x:letter after\n"
                     "55\n"
                     "#6\nP\nQ_\nR\n-\n\n"
                     "#7\nOne\n#8\nTwo\n"
                     "#9005\nsecond\n\n"
                     "9006:ignored\n"
                     "0:zero\n"
                     "-1:negative\n"
                     "99999999999999999999:overlong\n"
                     "2598:last\n"
                     "#x\nnot a number\n"));
    EXPECT_EQ(m_res.GetString(1), "a:b:c");
    EXPECT_EQ(m_res.GetString(2), "blank before");
    EXPECT_EQ(m_res.GetString(3), "");
    EXPECT_EQ(m_res.GetString(4), "");
    EXPECT_EQ(m_res.GetString(55), "55");
    EXPECT_EQ(m_res.GetString(6), "P\nQR\n");
    EXPECT_EQ(m_res.GetString(7), "One\n");
    EXPECT_EQ(m_res.GetString(8), "Two\n");
    EXPECT_EQ(m_res.GetString9000(9005), "second\n");
    EXPECT_EQ(m_res.GetString9000(9006), "");
    EXPECT_EQ(m_res.GetString(0), "??????????");
    EXPECT_EQ(m_res.GetString(2598), "last");
    EXPECT_EQ(m_res.GetString(2599), "??????????");
    EXPECT_EQ(m_res.GetString(-1), "??????????");
    EXPECT_EQ(m_res.GetString(100), "");
    EXPECT_EQ(m_res.m_strings.size(), 2599u);
    EXPECT_EQ(m_res.m_strings9000.size(), 130u);
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

TEST_F(StringTable, EndsTextWithOneLineBreakAndAcceptsAnyLineEnd)
{
    ASSERT_TRUE(Load("#10\r\nA\r\n-\r\n\r\n#11\rB\r-\r-\r\r12:c\r\n"));
    EXPECT_EQ(m_res.GetString(10), "A\n");
    EXPECT_EQ(m_res.GetString(11), "B\n\n");
    EXPECT_EQ(m_res.GetString(12), "c");
}

TEST_F(StringTable, ReadsBytesAsLatin1)
{
    ASSERT_TRUE(Load("1:\xb5s\n2:\xc2\xb5s\n"));
    EXPECT_EQ(m_res.GetString(1), wxString(L"\u00b5s"));
    EXPECT_EQ(m_res.GetString(2).length(), 3u); // UTF-8 arrives as two characters and s
}

TEST_F(StringTable, MissingOrEmptyFileShowsPathAndFails)
{
    const std::string path = m_root + "/QuorvantiRes/Strings.txt";
    EXPECT_FALSE(m_res.LoadStrings());
    EXPECT_FALSE(Load(""));
    ASSERT_EQ(m_boxes.m_calls.size(), 2u);
    for (const CzxBoxCall& call : m_boxes.m_calls) {
        EXPECT_EQ(call.kind, zxBOX_ERROR);
        EXPECT_EQ(call.text, wxString(path)); // the emptied table gives no text before it
        EXPECT_EQ(call.caption, "Quorvanti");
    }
}

TEST_F(StringTable, LanguageCopyWins)
{
    WriteFile(m_root + "/QuorvantiRes/fr/Strings.txt", "1:french\n");
    m_res.SetLanguage("fr");
    ASSERT_TRUE(Load("1:general\n"));
    EXPECT_EQ(m_res.GetString(1), "french");
    m_res.SetLanguage("de");
    ASSERT_TRUE(m_res.LoadStrings());
    EXPECT_EQ(m_res.GetString(1), "general");
}

TEST_F(StringTable, GlobalLookupFollowsTheLiveObject)
{
    ASSERT_TRUE(Load("5:five\n"));
    EXPECT_EQ(gumGetString(5), "five");
    EXPECT_EQ(gumGetResCore(), &m_res);
}

TEST_F(StringTable, ResourceFileFallsBackToGeneralPath)
{
    wxFileName file;
    m_res.SetLanguage("fr");
    m_res.GetResourceFile(file, "bitmaps", "scope", "png");
    EXPECT_EQ(file.GetFullPath(), wxString(m_root + "/QuorvantiRes/bitmaps/scope.png"));
    WriteFile(m_root + "/QuorvantiRes/fr/bitmaps/scope.png", "x");
    m_res.GetResourceFile(file, "bitmaps", "scope", "png");
    EXPECT_EQ(file.GetFullPath(), wxString(m_root + "/QuorvantiRes/fr/bitmaps/scope.png"));
    m_res.GetResourceFile(file, "", "QuorvantiAdmin", "");
    EXPECT_EQ(file.GetFullName(), "QuorvantiAdmin");
}

TEST_F(StringTable, SettingsLiveInTheXdgFolders)
{
    wxFileName file;
    m_res.GetUserOptionsFile(file);
    EXPECT_EQ(file.GetFullPath(), wxString(qvtest::TempHome() + "/.config/Quorvanti/Options.txt"));
    m_res.GetSettingsFile(file);
    EXPECT_EQ(file.GetFullPath(), wxString(qvtest::TempHome() + "/etc-xdg/Quorvanti/Settings.txt"));
}

TEST_F(StringTable, WorksheetsFolderBesideTheProgram)
{
    // resources dir = root/a/b/c; three levels up is root.
    const std::string resources = m_root + "/a/b/c";
    std::filesystem::create_directories(resources);
    std::filesystem::create_directories(m_root + "/Quorvanti Worksheets");
    ::setenv("QUORVANTI_RESOURCES_DIR", resources.c_str(), 1);
    wxFileName folder;
    m_res.GetWorksheetsFolder(folder);
    EXPECT_EQ(folder.GetPath(), wxString(m_root + "/Quorvanti Worksheets"));
    std::filesystem::create_directories(resources + "/Quorvanti Worksheets");
    m_res.GetWorksheetsFolder(folder);
    EXPECT_EQ(folder.GetPath(), wxString(resources + "/Quorvanti Worksheets"));
}

TEST_F(StringTable, WorksheetsAndTemplatesFallBackToTheAllUsersApplicationFolder)
{
    const std::string resources = m_root + "/a/b/c";
    std::filesystem::create_directories(resources);
    ::setenv("QUORVANTI_RESOURCES_DIR", resources.c_str(), 1);
    wxFileName folder;
    m_res.GetWorksheetsFolder(folder);
    EXPECT_EQ(folder.GetPath(), wxString(qvtest::TempHome() + "/etc-xdg/Quorvanti/Quorvanti Worksheets"));
    m_res.GetTemplatesFolder(folder);
    EXPECT_EQ(folder.GetPath(), wxString(qvtest::TempHome() + "/etc-xdg/Quorvanti/Quorvanti Templates"));
}
