#include "app/base/appOptionsFile.h"
#include "app/base/appReplaceFile.h"
#include "support/testEnvironment.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/dir.h>

namespace {

bool Replace(const wxString& path, const std::string& bytes)
{
    return appReplaceFile(path, bytes.data(), bytes.size());
}

size_t FilesIn(const std::string& dir)
{
    wxArrayString files;
    wxDir::GetAllFiles(dir, &files);
    return files.size();
}

class ReplaceFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = qvtest::MakeTempDir("replace");
        m_path = m_dir + "/run.qvd";
        ASSERT_TRUE(Replace(m_path, "old"));
    }
    void TearDown() override { appSetFlushHook({}); }

    std::string m_dir;
    std::string m_path;
};

} // namespace

// The new data reach the disk before the rename, which reaches the disk after:
// at the file's flush the old file is still in place, at the folder's flush
// the new one is.
TEST_F(ReplaceFile, FlushesTheFileBeforeTheRenameAndTheFolderAfterIt)
{
    std::vector<std::string> seen;
    appSetFlushHook([&](int, bool folder) {
        seen.push_back((folder ? "folder:" : "file:") + qvtest::ReadFile(m_path));
        return 0;
    });
    ASSERT_TRUE(Replace(m_path, "new"));
    EXPECT_EQ(seen, (std::vector<std::string>{"file:old", "folder:new"}));
    EXPECT_EQ(qvtest::ReadFile(m_path), "new");
    EXPECT_EQ(FilesIn(m_dir), 1u);
}

// A failed flush is a failed save. Before the rename the old file stays whole
// and the temporary file goes; after it the new file is whole in its place.
TEST_F(ReplaceFile, AFailedFlushIsAFailedSave)
{
    struct Case
    {
        bool failFolder;
        const char* left;
    } const cases[] = {{false, "old"}, {true, "new"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Replace(m_path, "old"));
        appSetFlushHook([&](int, bool folder) { return folder == c.failFolder ? -1 : 0; });
        EXPECT_FALSE(Replace(m_path, "new")) << c.failFolder;
        appSetFlushHook({});
        EXPECT_EQ(qvtest::ReadFile(m_path), c.left) << c.failFolder;
        EXPECT_EQ(FilesIn(m_dir), 1u) << c.failFolder;
    }
}

// The options and settings files go through the same flushed replacement.
TEST_F(ReplaceFile, OptionsFilesAreFlushedToo)
{
    int flushes = 0;
    appSetFlushHook([&](int, bool) { return ++flushes, 0; });
    ASSERT_TRUE(appWriteFileReplacing(m_dir + "/options.ini", "a=1\n"));
    EXPECT_EQ(flushes, 2);
    EXPECT_EQ(qvtest::ReadFile(m_dir + "/options.ini"), "a=1\n");
}
