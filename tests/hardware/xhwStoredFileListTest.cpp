// The answer to the stored-file list request: the lettered list of the
// loggers that keep slots, the refusal of loggers without files, and a
// failed listing told apart from an empty one.
#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwStoredFileList.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class StoredFileList : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        m_box.SetState(BOX_STATE_CONNECT);
        // What an earlier listing left behind.
        CxutFetchFile old;
        old.SetNumber(5);
        m_box.m_fetch.AddFile(old);
        m_box.m_fetch.SetListResult(-2);
    }

    // Posts the list request and serves it as the box thread does; the
    // request slot afterwards.
    CxutBoxRequest List(int boxType)
    {
        m_box.m_info.m_hardware = boxType;
        CxutBoxRequest request;
        request.m_code = BOX_REQUEST_LIST_FILES;
        m_box.SetRequest(request);
        zxBoxFetchFileList(m_box);
        m_box.GetRequest(request);
        return request;
    }

    std::vector<wxString> Names()
    {
        std::vector<wxString> out;
        for (int i = 0; i < m_box.m_fetch.GetCount(); ++i) {
            CxutFetchFile file;
            EXPECT_TRUE(m_box.m_fetch.GetFile(i, file));
            EXPECT_EQ(file.m_kind, 0);
            EXPECT_EQ(file.m_date, 0);
            out.push_back(file.m_name);
        }
        return out;
    }

    CgumResCore m_res;
    CxhwBox m_box;
};

} // namespace

// The simulated logger keeps files in slots 0, 1 and 3 and lists them by letter.
TEST_F(StoredFileList, SimulatedLoggerListsItsSlotsByLetter)
{
    const CxutBoxRequest request = List(BOX_TYPE_SIMULATED);
    EXPECT_EQ(request.m_code, BOX_REQUEST_NONE);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_DONE);
    EXPECT_EQ(Names(), (std::vector<wxString>{"File A", "File B", "File D"}));
    EXPECT_EQ(m_box.m_fetch.GetListResult(), 3);
    CxutFetchFile third;
    ASSERT_TRUE(m_box.m_fetch.GetFile(2, third));
    EXPECT_EQ(third.m_number, 3);
}

// A logger without stored files says so, and the old list does not stay to
// be taken for its files.
TEST_F(StoredFileList, LoggerWithoutFilesRefuses)
{
    const CxutBoxRequest request = List(0);
    EXPECT_EQ(request.m_code, BOX_REQUEST_NONE);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
    EXPECT_EQ(m_box.m_fetch.GetCount(), 0);
    EXPECT_EQ(m_box.m_fetch.GetListResult(), 0);
}

// A slot mask the logger could not give is a failed listing, not an empty one.
TEST_F(StoredFileList, UnreadableSlotMaskFails)
{
    m_box.m_info.m_hardware = BOX_TYPE_2;
    ASSERT_LT(m_box.GetStoredFileMask(), 0); // without a link
    const CxutBoxRequest request = List(BOX_TYPE_2);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_DONE);
    EXPECT_EQ(m_box.m_fetch.GetCount(), 0);
    EXPECT_EQ(m_box.m_fetch.GetListResult(), -2);
}

// The listing goes on only while the box is connected and the request is
// still the list request.
TEST_F(StoredFileList, StopsWhenTheBoxLeavesOrTheRequestChanges)
{
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_LIST_FILES;
    m_box.SetRequest(request);
    EXPECT_FALSE(zxBoxIsFetchStopped(m_box));
    m_box.SetState(BOX_STATE_FETCH);
    EXPECT_TRUE(zxBoxIsFetchStopped(m_box));
    m_box.SetState(BOX_STATE_CONNECT);
    request.m_code = BOX_REQUEST_SET_CLOCK;
    m_box.SetRequest(request);
    EXPECT_TRUE(zxBoxIsFetchStopped(m_box));
}
