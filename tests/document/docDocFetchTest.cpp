// The fetch run without the logger threads: the test stands in for the box
// thread, handing the header, rows, marks and result over through the
// logger manager's mailbox and queues, and calls the document's fetch tick.
#include "app/base/gumCommands.h"
#include "app/base/gumResCore.h"
#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A document that also records its name and being marked saved.
class CfetchDocOwner : public qvtest::CtestDocOwner
{
public:
    void SetDocFileName(const wxString& name) override { m_fileName = name; }
    void MarkSaved() override { ++m_saved; }

    wxString m_fileName;
    int m_saved = 0;
};

class FetchRun : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        gumSetCommandPoster([this](int id, int) { m_posted.push_back(id); });
        m_doc.m_owner = &m_owner;
        m_doc.m_boxInfo.m_info.m_hardware = BOX_TYPE_SIMULATED;
        m_doc.m_boxInfo.m_info.m_maxSensors = 4;
        m_doc.m_waitingForFind = false;
        m_doc.m_data.AddReadingField(true, true);
        m_doc.m_data.AddTimeField(true, true);
        CxutFetchFile file;
        file.SetNumber(1);
        ASSERT_TRUE(m_doc.StartFetch(file));
    }

    void TearDown() override { gumSetCommandPoster(nullptr); }

    CxutFetch& Mailbox() { return m_boxes.m_box.m_fetch; }

    // A header of the kind given, with a sensor on inputs 0 and 2.
    static CxutFetchHeader Header(int kind, int readings, double interval)
    {
        CxutFetchHeader header;
        header.SetNumber(1);
        header.m_kind = kind;
        header.m_readings = readings;
        header.m_interval = interval;
        for (int input : {0, 2}) {
            header.m_sensors[input].m_idCode = 69;
            header.m_sensors[input].m_idType = 7;
        }
        header.m_sensors.AssignAll();
        return header;
    }

    void Row(float a, float b = -987654.0f, float c = -987654.0f)
    {
        const float row[6] = {a, b, c, -987654.0f, -987654.0f, -987654.0f};
        m_boxes.m_box.PutStoredData(row, 6);
    }

    void Mark(int n) { m_boxes.m_box.PutSamples(&n, 1); }

    CdocField* Channel(int content)
    {
        CdocFieldKey key;
        return m_doc.m_data.m_fields.FindContent(key, 0, content) ? key.m_field : nullptr;
    }

    CdocField* Sensor(int input)
    {
        CdocFieldKey key;
        return m_doc.m_data.m_fields.FindSensor(key, input) ? key.m_field : nullptr;
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CappOptions m_options;
    qvtest::CtestBoxes m_shown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    CfetchDocOwner m_owner;
    std::vector<int> m_posted;
};

} // namespace

TEST_F(FetchRun, StartPreparesTheStoreAndAsksForTheFile)
{
    EXPECT_EQ(m_doc.m_state, DOC_STATE_FETCHING);
    EXPECT_EQ(m_boxes.GetState(), BOXES_STATE_FETCH);
    EXPECT_EQ(Mailbox().GetFetchNumber(), 1);
    EXPECT_FALSE(Mailbox().IsResultReady());
    const CdocData& data = m_doc.m_data;
    EXPECT_EQ(data.m_logType, 0);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);
    EXPECT_EQ(data.m_maxRecords, 1001);
    EXPECT_EQ(Channel(CONTENT_ELAPSED_TIME), nullptr);
    ASSERT_NE(Channel(CONTENT_READING), nullptr);
    EXPECT_EQ(Channel(CONTENT_READING)->m_def.m_max, 5.0f);
    CxutFetchFile other;
    EXPECT_FALSE(m_doc.StartFetch(other)); // one fetch at a time
    m_doc.TickFetch(); // nothing has come yet
    EXPECT_EQ(m_doc.m_state, DOC_STATE_FETCHING);
}

// The kind of run that recorded the file sets the index channel and the
// graph's style.
TEST_F(FetchRun, HeaderSetsUpTheStoreByKindOfRun)
{
    struct Case
    {
        int kind;
        bool time;     // elapsed time, else reading number
        float top;     // the index channel's axis
        int style;     // 0 lines, 1 bars, 2 points
    } cases[] = {
        {1, true, 50.0f, 0}, {2, true, 50.0f, 0}, {3, false, 5.0f, 1},
        {4, false, 10.0f, 1}, {5, false, 5.0f, 0}, {9, false, 5.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CxutFetchFile file;
        m_doc.Stop();
        ASSERT_TRUE(m_doc.StartFetch(file));
        Mailbox().SetHeader(Header(c.kind, 100, 0.5));
        m_doc.TickFetch();
        EXPECT_EQ(Mailbox().GetHeaderState(), 2);
        const CdocData& data = m_doc.m_data;
        EXPECT_EQ(data.m_logType, c.kind);
        const CdocField* index = Channel(c.time ? CONTENT_ELAPSED_TIME : CONTENT_READING);
        ASSERT_NE(index, nullptr);
        EXPECT_EQ(Channel(c.time ? CONTENT_READING : CONTENT_ELAPSED_TIME), nullptr);
        EXPECT_EQ(index->m_def.m_max, c.top);
        if (c.time) {
            EXPECT_DOUBLE_EQ(data.m_interval, 0.5);
            EXPECT_EQ(data.m_maxRecords, 100);
            EXPECT_FLOAT_EQ(index->m_samples[99], 49.5f);
        } else if (c.kind <= 4) {
            EXPECT_EQ(data.m_interval, 0.0);
            EXPECT_EQ(data.m_maxRecords, 100);
        }
        EXPECT_EQ(m_doc.m_graph.m_lines, c.style == 0);
        EXPECT_EQ(m_doc.m_graph.m_bars, c.style == 1);
        EXPECT_EQ(m_doc.m_graph.m_points, c.style == 2);
        EXPECT_NE(Sensor(0), nullptr);
        EXPECT_EQ(Sensor(1), nullptr);
        EXPECT_NE(Sensor(2), nullptr);
    }
}

TEST_F(FetchRun, HeaderDescribesTheIndexChannel)
{
    CxutFetchHeader header = Header(3, 12, 0.0);
    header.m_indexFlag = true;
    header.m_indexSensor.m_calib.m_name = "Sample";
    header.m_indexSensor.m_calib.m_units = "No.";
    header.m_indexSensor.m_calib.m_places = 2;
    header.SetDateTime(20090715, 134530);
    Mailbox().SetHeader(header);
    m_doc.TickFetch();
    const CdocField* index = Channel(CONTENT_READING);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->m_name, "Sample");
    EXPECT_EQ(index->m_unit, "No.");
    EXPECT_EQ(index->m_places, 2);
    EXPECT_EQ(m_doc.m_data.m_startDate, 20090715);
    EXPECT_EQ(m_doc.m_data.m_startTime, 134530);
}

// Rows, marks and the result: a reading without a value stays without one,
// and a mark outside the store marks nothing and is not announced.
TEST_F(FetchRun, RowsAndMarksArriveUntilTheResult)
{
    Mailbox().SetHeader(Header(2, 4, 2.0));
    m_doc.TickFetch();
    Row(10.0f, 0.0f, 30.0f);
    Row(11.0f, 0.0f, -987654.0f);
    Mark(1);
    Mark(20001);
    Mark(-1);
    m_doc.TickFetch();
    const CdocData& data = m_doc.m_data;
    EXPECT_EQ(data.m_records, 2);
    EXPECT_TRUE(m_doc.m_unsavedData);
    EXPECT_EQ(Sensor(0)->m_samples[1], 11.0f);
    EXPECT_EQ(Sensor(2)->m_samples[0], 30.0f);
    EXPECT_EQ(Sensor(2)->m_samples[1], DOC_NO_VALUE);
    const CdocField* time = Channel(CONTENT_ELAPSED_TIME);
    EXPECT_FLOAT_EQ(time->m_samples[1] / time->m_gain, 2.0f); // in the channel's own units
    EXPECT_EQ(data.m_marks[1], 1);
    EXPECT_EQ(data.m_marks[0], 0);
    std::vector<int> marked;
    for (const auto& hint : m_owner.m_hints)
        if (hint.code == HINT_MARKED)
            marked.push_back(hint.row);
    EXPECT_EQ(marked, std::vector<int>{1});
    EXPECT_EQ(m_doc.m_state, DOC_STATE_FETCHING);

    // Rows queued before the result are taken in the tick that ends the fetch.
    Row(12.0f);
    Row(13.0f);
    Mailbox().SetResult(0);
    m_doc.TickFetch();
    EXPECT_EQ(data.m_records, 4);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_TRUE(m_shown.m_calls.empty());
}

// A file's header texts name the document; empty ones are made from the
// logger's name and the start.
TEST_F(FetchRun, SuccessNamesTheDocument)
{
    CxutFetchHeader header = Header(1, 2, 1.0);
    header.SetDateTime(90715, 134530);
    Mailbox().SetHeader(header);
    m_doc.TickFetch();
    Row(1.0f);
    Row(2.0f);
    Mailbox().SetResult(0);
    m_doc.TickFetch();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_owner.m_fileName, "Simulated logger");
    EXPECT_EQ(m_doc.m_title, "Simulated logger  -  Jul 15, 2009  13:45:30");
    EXPECT_EQ(m_doc.m_notes, "Data fetched from Simulated logger\n\n");
    EXPECT_TRUE(m_posted.empty());

    CxutFetchFile file;
    ASSERT_TRUE(m_doc.StartFetch(file));
    header.m_docName = "Pond/Day 2";
    header.m_title = "Pond";
    header.m_notes = "Cloudy";
    Mailbox().SetHeader(header);
    m_doc.TickFetch();
    Mailbox().SetResult(0);
    m_doc.TickFetch();
    EXPECT_EQ(m_owner.m_fileName, "Pond-Day 2"); // never a folder
    EXPECT_EQ(m_doc.m_title, "Pond");
    EXPECT_EQ(m_doc.m_notes, "Cloudy");
}

// A failed download is told once and its part is dropped with the document,
// whether it failed before or after its header.
TEST_F(FetchRun, FailureIsToldAndTheDocumentReplaced)
{
    struct Case
    {
        int result;
        bool header;
        wxString text;
    } cases[] = {
        {13, true, "The file on the logger could not be read. Error code: 57"},
        {12, false, "The file on the logger holds no readings."},
        {1, false, "Remote fetch failed"},
        {4, true, gumGetString(865)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        m_shown.m_calls.clear();
        m_posted.clear();
        CxutFetchFile file;
        m_doc.Stop();
        ASSERT_TRUE(m_doc.StartFetch(file));
        if (c.header) {
            Mailbox().SetHeader(Header(1, 10, 1.0));
            m_doc.TickFetch();
            Row(5.0f);
        }
        Mailbox().SetProgress(57);
        Mailbox().SetResult(c.result);
        m_doc.TickFetch();
        ASSERT_EQ(m_shown.m_calls.size(), 1u);
        EXPECT_EQ(m_shown.m_calls[0].text, c.text);
        EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
        EXPECT_FALSE(m_doc.m_unsavedData);
        EXPECT_GT(m_owner.m_saved, 0);
        EXPECT_EQ(m_posted, std::vector<int>{wxID_NEW});
    }
}

// Stop before the header gives the ready document back; after it, what came
// stays, the rows still waiting included.
TEST_F(FetchRun, StopBeforeAndAfterTheHeader)
{
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_READY);
    EXPECT_TRUE(m_doc.m_waitingForFind);

    CxutFetchFile file;
    ASSERT_TRUE(m_doc.StartFetch(file));
    Mailbox().SetHeader(Header(1, 10, 1.0));
    m_doc.TickFetch();
    Row(5.0f);
    m_doc.TickFetch();
    Row(6.0f);
    Row(7.0f);
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_boxes.GetState(), BOXES_STATE_IDLE);
    EXPECT_EQ(m_doc.m_data.m_records, 3);
    EXPECT_EQ(Sensor(0)->m_samples[2], 7.0f);
    EXPECT_TRUE(m_shown.m_calls.empty());
}

// A file longer than the store fills it and drops the rest.
TEST_F(FetchRun, StoreTakesAtMostItsRecords)
{
    Mailbox().SetHeader(Header(3, 30000, 0.0));
    m_doc.TickFetch();
    EXPECT_EQ(m_doc.m_data.m_maxRecords, DOC_MAX_SAMPLES);
    for (int i = 0; i < DOC_MAX_SAMPLES + 5; ++i)
        Row(float(i));
    m_doc.TickFetch();
    EXPECT_EQ(m_doc.m_data.m_records, DOC_MAX_SAMPLES);
    EXPECT_EQ(m_doc.m_data.m_logNext, DOC_MAX_SAMPLES);
    EXPECT_EQ(Sensor(0)->m_samples[DOC_MAX_SAMPLES - 1], float(DOC_MAX_SAMPLES - 1));
}
