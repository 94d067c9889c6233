// Test label: threads
// A fetch from the simulated logger end to end, without a display: the two
// logger threads list and download its stored file, and the document's ticks
// take it in.
#include "document/testLiveDoc.h"

namespace {

class CnamedDocOwner : public qvtest::CtestDocOwner
{
public:
    void SetDocFileName(const wxString& name) override { m_fileName = name; }
    wxString m_fileName;
};

class LiveFetch : public qvtest::CtestLiveDoc<CnamedDocOwner>
{
};

} // namespace

TEST_F(LiveFetch, ListsAndFetchesTheSimulatedFile)
{
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_LIST_FILES;
    m_boxes.PostRequest(request);
    ASSERT_EQ(request.m_answer, BOX_ANSWER_DONE);
    CxutFetch& mailbox = m_boxes.m_box.m_fetch;
    // The answer comes as the listing begins; the list follows.
    RunUntil([&] { return mailbox.GetCount() == 3; });
    ASSERT_EQ(mailbox.GetCount(), 3);
    EXPECT_EQ(mailbox.GetListResult(), 3);
    CxutFetchFile file;
    ASSERT_TRUE(mailbox.GetFile(1, file));
    EXPECT_EQ(file.m_name, "File B");

    const wxDateTime before = wxDateTime::Now();
    ASSERT_TRUE(m_doc.StartFetch(file));
    RunUntil([this] { return m_doc.m_state != DOC_STATE_FETCHING; });
    ASSERT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_TRUE(m_boxesShown.m_calls.empty());

    const CdocData& data = m_doc.m_data;
    EXPECT_EQ(data.m_records, 9);
    EXPECT_EQ(data.m_logType, ACTIVITY_SNAPSHOT);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);
    CdocFieldKey key;
    ASSERT_TRUE(data.m_fields.GetSensor(key, 0));
    for (int i = 0; i < 9; ++i) {
        EXPECT_GE(key.m_field->m_samples[i], 10.0f) << i;
        EXPECT_LE(key.m_field->m_samples[i], 90.0f) << i;
    }
    EXPECT_FALSE(data.m_fields.GetSensor(key, 1));
    EXPECT_TRUE(m_doc.m_graph.m_bars);
    // The file has no date: it starts when the fetch began.
    EXPECT_GE(data.m_startMoment, before - wxTimeSpan::Seconds(1));
    EXPECT_EQ(m_owner.m_fileName, "Simulated Data");
    EXPECT_TRUE(m_doc.m_title.StartsWith("Readings fetched from the simulated logger."));
    EXPECT_TRUE(m_doc.m_unsavedData);
}
