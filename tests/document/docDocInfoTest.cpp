// The document's information text and its time-and-date texts.
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>

namespace {

class NamedOwner : public qvtest::CtestDocOwner
{
public:
    wxString GetDocFileName() const override { return "/home/pupil/cooling.qvd"; }
};

class DocInfo : public testing::Test
{
protected:
    DocInfo()
    {
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
    }

    // An AutoLog store started on 5 March 2024 at 09:30:00: the elapsed time
    // in seconds and a temperature rising by 2 a second.
    void Record(const std::vector<float>& times)
    {
        CdocData& data = m_doc.m_data;
        ASSERT_TRUE(data.AddTimeField(false, false));
        CdocFieldKey key;
        ASSERT_TRUE(data.AddManualField(&key));
        m_time = data.m_fields.GetAt(0);
        m_temp = data.m_fields.Find(key);
        m_time->m_gain = 1.0f; // seconds
        m_temp->m_name = "Temp";
        m_temp->m_unit = "C";
        for (size_t i = 0; i < times.size(); ++i) {
            m_time->SetSample(int(i), times[i]);
            m_temp->SetSample(int(i), 20.0f + 2.0f * times[i]);
        }
        data.SetRecords(int(times.size()));
        data.m_logType = ACTIVITY_AUTOLOG;
        data.m_interval = 0.5;
        data.m_startDate = 20240305;
        data.m_startTime = 93000;
        data.UpdateStartDateTime();
        m_doc.m_graph.SetAxes(m_time, m_temp, nullptr);
        m_doc.m_state = DOC_STATE_STOPPED;
        m_doc.m_viewTimeAndDate = true;
    }

    // The lines given appear in this order.
    static ::testing::AssertionResult InOrder(const wxString& text, const std::vector<wxString>& lines)
    {
        size_t at = 0;
        for (const wxString& line : lines) {
            const size_t found = text.find(line, at);
            if (found == wxString::npos)
                return ::testing::AssertionFailure() << "no \"" << line << "\" after " << at << " in:\n" << text;
            at = found + line.length();
        }
        return ::testing::AssertionSuccess();
    }

    CgumResCore m_res;
    CappOptions m_options;
    CdocDoc m_doc;
    NamedOwner m_owner;
    CdocField* m_time = nullptr;
    CdocField* m_temp = nullptr;
};

} // namespace

TEST_F(DocInfo, NewDocument)
{
    wxString text = "before\n";
    m_doc.GetInformationText(text);
    EXPECT_EQ(text, "before\n"
                    " File: /home/pupil/cooling.qvd\n\n"
                    " Title: " +
                        m_doc.m_title +
                        "\n\n"
                        " Sample interval: " +
                        docFormatDuration(float(m_doc.m_data.m_interval)) +
                        "\n\n"
                        " Number of readings: 0\n\n");
}

TEST_F(DocInfo, RecordedDocument)
{
    Record({0, 0.5f, 1, 1.5f, 2});
    wxString text;
    m_doc.GetInformationText(text);
    EXPECT_TRUE(InOrder(text, {" File: /home/pupil/cooling.qvd\n\n", " Title: ", "\n\n Logging type: AutoLog\n\n",
                               " Start time: 09:30:00\n Start date: Mar  5, 2024\n\n",
                               " Sample interval: " + docFormatDuration(0.5f) + "\n",
                               " Duration: " + docFormatDuration(2.0f) + "\n\n", " Number of readings: 5\n\n",
                               " Name: Elapsed Time\n", " Name: Temp\n",
                               " Best straight line: " + m_temp->m_fitLabel + "\n\n"}));
    EXPECT_FALSE(m_temp->m_fitLabel.empty());
    EXPECT_EQ(text.find("Best fit 'x' channel"), wxString::npos);

    // The channel on x says so in place of a fit; a snapshot store has no
    // interval.
    m_doc.m_graph.SetAxes(m_temp, m_time, nullptr);
    m_doc.m_data.m_logType = ACTIVITY_SNAPSHOT;
    m_doc.m_data.m_interval = 0.0;
    text.clear();
    m_doc.GetInformationText(text);
    EXPECT_TRUE(InOrder(text, {" Logging type: Snapshot\n\n", " Start date: Mar  5, 2024\n\n",
                               " Number of readings: 5\n\n", " Name: Temp\n", " Best fit 'x' channel\n\n"}));
    EXPECT_EQ(text.find("Sample interval"), wxString::npos);
    EXPECT_EQ(text.find("Duration"), wxString::npos);
    EXPECT_EQ(text.find("Best straight line"), wxString::npos);
}

TEST_F(DocInfo, WhenTimeAndDateCanBeShown)
{
    const struct
    {
        const char* what;
        bool view;
        int level;
        int date;
        int time;
        bool elapsed;
        bool start; // HasStartDateTime
        bool shown; // graph and table alike
    } cases[] = {
        {"all known", true, 4, 20240305, 93000, true, true, true},
        {"display switched off", false, 4, 20240305, 93000, true, true, false},
        {"level without the feature", true, 2, 20240305, 93000, true, true, false},
        {"no start date", true, 4, 0, 93000, true, false, false},
        {"no start time", true, 4, 20240305, 0, true, false, false},
        {"no elapsed-time channel", true, 4, 20240305, 93000, false, false, false},
    };
    for (const auto& c : cases) {
        CdocDoc doc;
        if (c.elapsed) {
            ASSERT_TRUE(doc.m_data.AddTimeField(false, false));
        }
        doc.m_viewTimeAndDate = c.view;
        doc.m_data.m_startDate = c.date;
        doc.m_data.m_startTime = c.time;
        m_options.SetUserLevel(c.level);
        EXPECT_EQ(doc.HasStartDateTime(), c.start) << c.what;
        EXPECT_EQ(doc.CanShowTimeAndDate(), c.shown) << c.what;
        EXPECT_EQ(doc.CanShowTableTimeAndDate(), c.shown) << c.what;
    }
}

// With the graph tool shown, the graph's time and date are those of its
// cursor, when it has one.
TEST_F(DocInfo, ToolCursorTimeAndDate)
{
    Record({0, 30, 60});
    m_time->m_now.Set(60.0f, 0.0f);
    CdocTool& tool = m_doc.m_tool;
    tool.m_now.m_active = true;
    tool.m_now.m_tool = TOOL_POSITION;
    tool.m_now.m_fracX = 0.25f; // 15 s on the 0..60 s axis
    wxString time, date;
    EXPECT_TRUE(m_doc.CanShowTimeAndDate());
    EXPECT_TRUE(m_doc.GetTimeAndDateText(time, date));
    EXPECT_EQ(time, "09:30:15");
    EXPECT_EQ(date, "Mar  5, 2024, Tue");

    tool.m_now.m_tool = TOOL_READING;
    tool.m_now.m_fracX = 0.4f; // 24 s: the nearest record is at 30 s
    EXPECT_TRUE(m_doc.GetTimeAndDateText(time, date));
    EXPECT_EQ(time, "09:30:30");
    m_doc.m_graph.SetAxes(m_temp, m_time, nullptr); // no index axis: no record
    tool.m_now.m_active = true;
    EXPECT_FALSE(m_doc.CanShowTimeAndDate());
}

TEST_F(DocInfo, TimeAndDateOfTheLatestReading)
{
    Record({0, 1, 2});
    wxString time, date;
    EXPECT_FALSE(m_doc.GetTimeAndDateText(time, date)); // stopped: a heading only
    EXPECT_EQ(time, "Time and Date");
    EXPECT_EQ(date, "");

    m_doc.m_state = DOC_STATE_RUNNING;
    m_time->m_current = 61.5f;
    EXPECT_TRUE(m_doc.GetTimeAndDateText(time, date));
    EXPECT_EQ(time, "09:31:01");
    EXPECT_EQ(date, "Mar  5, 2024, Tue");

    m_doc.m_viewTimeAndDate = false;
    EXPECT_FALSE(m_doc.GetTimeAndDateText(time, date));
    EXPECT_EQ(time + date, "");
}

// Each stored record's moment comes from its elapsed-time sample; a record
// not stored has none, even where an older run left a sample behind.
TEST_F(DocInfo, SampleTimeAndDate)
{
    Record({0, 1.5f, 3600});
    m_time->SetSample(3, 7200.0f);
    m_time->SetSample(1, DOC_NO_VALUE);
    const struct
    {
        int record;
        const char* text;
    } cases[] = {
        {0, "Mar  5, 2024, Tue 09:30:00"},
        {2, "Mar  5, 2024, Tue 10:30:00"},
        {1, ""},
        {3, ""},
        {-1, ""},
        {DOC_MAX_SAMPLES, ""},
    };
    for (const auto& c : cases) {
        wxString text = "old";
        EXPECT_TRUE(m_doc.GetSampleTimeAndDate(text, c.record)) << c.record;
        EXPECT_EQ(text, c.text) << c.record;
    }
    m_doc.m_viewTimeAndDate = false;
    wxString text = "old";
    EXPECT_FALSE(m_doc.GetSampleTimeAndDate(text, 0));
    EXPECT_EQ(text, "");
}
