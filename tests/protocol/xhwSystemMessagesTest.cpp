// The messages that end a system installation.
#include "app/base/gumResCore.h"
#include "protocol/xhwSystemMessages.h"
#include "transport/zxMessageBox.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class SystemMessages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        m_previous = zxSetBoxPresenter([this](const CzxBoxCall& call) {
            m_calls.push_back(call);
            return wxID_OK;
        });
    }
    void TearDown() override { zxSetBoxPresenter(m_previous); }

    // A folder path of n characters.
    static wxString Folder(size_t n)
    {
        wxString path = "/q";
        while (path.length() < n)
            path += "x";
        return path;
    }

    CgumResCore m_res;
    zxBoxPresenter m_previous;
    std::vector<CzxBoxCall> m_calls;
};

TEST_F(SystemMessages, FileMessageShortensLongFolders)
{
    const wxString nl = zxNewLine();
    xhwShowSystemFileMissingMessage(wxFileName(Folder(39), "Sys050", "bin"));
    xhwShowCorruptSystemFileMessage(wxFileName(Folder(40), "Kestilon", "hex"));
    ASSERT_EQ(m_calls.size(), 2u);
    EXPECT_EQ(m_calls[0].kind, zxBOX_ERROR);
    EXPECT_EQ(m_calls[0].text, gumGetString(970) + " \"Sys050.bin\" " + gumGetString(971) + " " + Folder(39) + nl
                                   + nl + gumGetString(972));
    EXPECT_EQ(m_calls[1].text, "Corrupt logger system file \"Kestilon.hex\" " + gumGetString(971) + " "
                                   + Folder(40).Left(36) + "..." + nl + nl + gumGetString(972));
}

TEST_F(SystemMessages, WrongLoggerByType)
{
    const struct
    {
        int type;
        int entry;
    } cases[] = {{4, 964}, {5, 973}, {6, 2371}, {8, 2396}, {9, 2421}};
    for (const auto& c : cases) {
        m_calls.clear();
        xhwShowWrongLoggerMessage(c.type);
        ASSERT_EQ(m_calls.size(), 1u) << c.type;
        EXPECT_EQ(m_calls[0].text, gumGetString(c.entry)) << c.type;
    }
    m_calls.clear();
    xhwShowWrongLoggerMessage(10);
    EXPECT_TRUE(m_calls.empty());
}

TEST_F(SystemMessages, InstalledIsAnInformation)
{
    xhwShowSystemInstalledMessage();
    xhwShowUsbCableMessage();
    xhwShowSystemInstallFailedMessage();
    ASSERT_EQ(m_calls.size(), 3u);
    EXPECT_EQ(m_calls[0].kind, zxBOX_INFO);
    EXPECT_EQ(m_calls[0].text, gumGetString(965) + zxNewLine() + zxNewLine() + gumGetString(966));
    EXPECT_EQ(m_calls[1].text, "Please connect the logger with a USB cable");
    EXPECT_EQ(m_calls[2].text, gumGetString(974));
}

} // namespace
