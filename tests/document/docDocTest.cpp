#include "data/dataTestSupport.h"
#include "hardware/xhwBoxes.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

// Records the hints and answers the unsaved-readings prompt as told; a Yes
// that "saves" clears UnsavedData unless the save is to fail.
class DiscardOwner : public qvtest::CtestDocOwner
{
public:
    bool ConfirmDiscard(const wxString& message, bool force) override
    {
        ++m_asked;
        if (m_answer == 'n')
            m_doc->m_unsavedData = false;
        if (m_answer == 'y' && m_saveWorks)
            m_doc->m_unsavedData = false;
        return m_answer != 'c';
    }

    CdocDoc* m_doc = nullptr;
    char m_answer = 'n';
    bool m_saveWorks = true;
    int m_asked = 0;
};

class Document : public testing::Test
{
protected:
    Document()
    {
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
        m_owner.m_doc = &m_doc;
    }

    // A store of n records in two channels, the second a connected sensor.
    void Fill(int n)
    {
        CdocData& data = m_doc.m_data;
        ASSERT_TRUE(data.AddFields(2));
        data.m_fields.GetAt(0)->InitManual();
        data.m_fields.GetAt(1)->InitEmpty();
        data.m_fields.GetAt(1)->m_content = CONTENT_SENSOR;
        for (int f = 0; f < 2; ++f)
            for (int i = 0; i < n; ++i)
                data.m_fields.GetAt(f)->SetSample(i, float(i + 1));
        data.SetRecords(n);
        data.m_logNext = n;
        m_owner.m_hints.clear();
        m_owner.m_modified = 0;
    }

    void Set(int state, int activity)
    {
        m_doc.SetState(state);
        m_doc.m_activity = activity;
    }

    float Sample(int field, int i) { return m_doc.m_data.m_fields.GetAt(field)->m_samples[i]; }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const auto& h : m_owner.m_hints)
            codes.push_back(h.code);
        return codes;
    }

    CgumResCore m_res;
    CappOptions m_options; // user level 4: every feature allowed
    CdocDoc m_doc;
    DiscardOwner m_owner;
};

} // namespace

TEST_F(Document, NewDocument)
{
    m_options.m_colourTheme = 1;
    m_options.m_viewTable = false;
    m_options.m_setup.m_readings = 5001;
    CdocDoc doc;
    EXPECT_EQ(doc.m_state, DOC_STATE_READY);
    EXPECT_EQ(doc.m_activity, ACTIVITY_AUTOLOG);
    EXPECT_TRUE(doc.m_overlay);
    EXPECT_FALSE(doc.m_unsavedData);
    EXPECT_FALSE(doc.m_timerRecursionLock);
    EXPECT_EQ(doc.m_matchCode, 0);
    EXPECT_TRUE(doc.m_waitingForFind);
    EXPECT_EQ(doc.m_colours, 1);
    EXPECT_FALSE(doc.m_viewTable);
    EXPECT_EQ(doc.m_viewGauge, m_options.m_viewGauge);
    EXPECT_FALSE(doc.m_viewTimeAndDate);
    EXPECT_FALSE(doc.m_graphTimeAndDate);
    EXPECT_EQ(doc.m_setup.m_readings, 5001); // a whole copy of the default set-up
    EXPECT_EQ(doc.m_defaultTitle, "Data from Quorvanti on Linux"); // the system it runs on
    EXPECT_EQ(doc.m_title, doc.m_defaultTitle);
    EXPECT_TRUE(doc.m_notes.empty());
    EXPECT_EQ(std::make_tuple(doc.m_autoScroll, doc.m_autoScrollPending, doc.m_autoScrollCount),
              std::make_tuple(-1, -1, 0));
    EXPECT_EQ(doc.m_fileBoxInfo.m_info.m_hardware, 0);
    EXPECT_EQ(std::make_tuple(doc.m_filePlatform, doc.m_fileVersion, doc.m_version), std::make_tuple(2, 0, 12));
    EXPECT_EQ(doc.m_rememberedMark, -1);
    EXPECT_TRUE(doc.m_pacingEnabled && doc.m_pacingRestart);
    EXPECT_EQ(doc.m_workingSlots, 10);
    EXPECT_FALSE(doc.m_hintLinked || doc.m_hintSensors || doc.m_hintValues || doc.m_hintStatus);
    EXPECT_FALSE(doc.m_systemPrompt);
    EXPECT_FALSE(doc.m_graph.m_heavy); // thin traces are allowed at level 4
    // Every part points back at its data object.
    const CdocRoot* parts[] = {&doc.m_graph, &doc.m_table,   &doc.m_annotations, &doc.m_control,
                               &doc.m_scope, &doc.m_calcs,   &doc.m_predict,     &doc.m_data,
                               &doc.m_tool};
    for (const CdocRoot* part : parts)
        EXPECT_EQ(part->m_doc, &doc);
    EXPECT_EQ(doc.m_data.m_fields.m_doc, &doc);
}

TEST_F(Document, ViewOptionsAndHeavyTracesFollowTheUserLevel)
{
    m_options.SetUserLevel(1);
    m_doc.LoadViewOptions();
    EXPECT_TRUE(m_doc.m_graph.m_heavy);
    EXPECT_EQ(m_doc.m_viewTable, m_options.m_viewTable);
    m_options.SetUserLevel(4);
    m_doc.LoadViewOptions();
    EXPECT_FALSE(m_doc.m_graph.m_heavy);
}

TEST_F(Document, ActivityIsHandedToTheLoggerManager)
{
    CxhwBoxes boxes;
    ASSERT_EQ(xhwGetBoxes(), &boxes);
    m_doc.SetActivity(ACTIVITY_TIMING);
    EXPECT_EQ(m_doc.m_activity, ACTIVITY_TIMING);
    EXPECT_EQ(boxes.m_box.GetActivity(), ACTIVITY_TIMING);
}

// Ticks (t), follow requests (r<row>) and scroll-to (s<row>), and the hints that follow.
TEST_F(Document, AutoScrollFollowsAtMostEveryFifthTick)
{
    struct Step
    {
        char what;
        int row;
        int hint; // 0 none
        int hintRow;
    };
    const Step steps[] = {
        {'r', 3, 0, 0},                   // too soon after construction: remembered
        {'t', 0, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0},
        {'r', 4, 0, 0},                   // a later request replaces the earlier one
        {'t', 0, HINT_SCROLL_FOLLOW, 4},  // the fifth tick posts the last row
        {'t', 0, 0, 0},                   // nothing pending
        {'r', 5, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0},
        {'t', 0, HINT_SCROLL_FOLLOW, 5},
        {'t', 0, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0}, {'t', 0, 0, 0},
        {'r', 6, HINT_SCROLL_FOLLOW, 6},  // five ticks passed: at once
        {'s', 0, HINT_SCROLL_TO, 0},      // a scroll-to restarts the count
        {'r', 7, 0, 0},
    };
    int n = 0;
    for (const Step& step : steps) {
        m_owner.m_hints.clear();
        if (step.what == 't')
            m_doc.OnAutoScrollTick();
        else if (step.what == 'r')
            m_doc.RequestAutoScroll(step.row);
        else
            m_doc.SetAutoScroll(step.row);
        if (step.hint == 0) {
            EXPECT_TRUE(m_owner.m_hints.empty()) << "step " << n;
        } else {
            ASSERT_EQ(m_owner.m_hints.size(), 1u) << "step " << n;
            EXPECT_EQ(m_owner.m_hints[0].code, step.hint) << "step " << n;
            EXPECT_EQ(m_owner.m_hints[0].row, step.hintRow) << "step " << n;
            EXPECT_EQ(m_doc.m_autoScroll, step.hintRow);
            EXPECT_EQ(m_doc.m_autoScrollCount, 0);
        }
        ++n;
    }
    EXPECT_EQ(m_doc.m_autoScrollPending, 7);
}

TEST_F(Document, ScrollToReadsBackTheRowAViewLeft)
{
    class Moving : public DiscardOwner
    {
    public:
        void UpdateDocViews(CdocHint& hint) override
        {
            if (hint.m_code == HINT_SCROLL_TO)
                *static_cast<int*>(hint.m_data) = 2;
        }
    } owner;
    m_doc.m_owner = &owner;
    m_doc.SetAutoScroll(9);
    EXPECT_EQ(m_doc.m_autoScroll, 2);
}

TEST_F(Document, DeleteLastWhileStopped)
{
    Fill(3);
    Set(DOC_STATE_STOPPED, ACTIVITY_PERIODIC);
    m_doc.m_unsavedData = true;
    m_doc.m_data.m_marks[2] = 1;
    ASSERT_TRUE(m_doc.CanDeleteLast());
    m_doc.DeleteLast();
    EXPECT_EQ(m_doc.m_data.m_records, 2);
    EXPECT_EQ(m_doc.m_data.m_logNext, 2);
    EXPECT_EQ(Sample(0, 2), DOC_NO_VALUE);
    EXPECT_EQ(Sample(0, 1), 2.0f);
    EXPECT_EQ(m_doc.m_data.m_marks[2], 0); // a mark never outlives its record
    EXPECT_TRUE(m_doc.m_unsavedData);
    EXPECT_EQ(Codes(), (std::vector<int>{HINT_TABLE_MESSAGE, HINT_DELETED_LAST, HINT_SCROLL_TO}));
    EXPECT_EQ(m_owner.m_hints.back().row, 2);
    EXPECT_EQ(m_owner.m_modified, 1);

    m_doc.DeleteLast();
    m_doc.DeleteLast();
    EXPECT_EQ(m_doc.m_data.m_records, 0);
    EXPECT_FALSE(m_doc.m_unsavedData); // nothing left unsaved
    EXPECT_FALSE(m_doc.CanDeleteLast());
    m_owner.m_hints.clear();
    m_doc.DeleteLast();
    EXPECT_TRUE(m_owner.m_hints.empty());
}

TEST_F(Document, DeleteLastWhileRunning)
{
    // Snapshot: LogNext and Records step back, unsaved readings stay unsaved.
    Fill(3);
    Set(DOC_STATE_RUNNING, ACTIVITY_SNAPSHOT);
    m_doc.m_unsavedData = true;
    ASSERT_TRUE(m_doc.CanDeleteLast());
    m_doc.DeleteLast();
    EXPECT_EQ(m_doc.m_data.m_logNext, 2);
    EXPECT_EQ(m_doc.m_data.m_records, 2);
    EXPECT_TRUE(m_doc.m_unsavedData);
    EXPECT_EQ(Codes(), (std::vector<int>{HINT_TABLE_MESSAGE, HINT_DELETED_LAST, HINT_SCROLL_TO}));
    EXPECT_EQ(m_owner.m_hints.back().row, 2);

    // Overlaid: the older rows stay, the sensor channel loses the new reading.
    m_doc.m_data.m_fLogOverlay = true;
    m_owner.m_hints.clear();
    m_doc.DeleteLast();
    EXPECT_EQ(m_doc.m_data.m_logNext, 1);
    EXPECT_EQ(m_doc.m_data.m_records, 2);
    EXPECT_EQ(Sample(1, 1), DOC_NO_VALUE);
    EXPECT_EQ(Sample(0, 1), 2.0f);
    EXPECT_EQ(Codes(), (std::vector<int>{HINT_DELETED_LAST, HINT_SCROLL_TO}));

    // Back to the start: the start is stamped anew.
    m_doc.m_data.m_startDate = 0;
    m_doc.DeleteLast();
    EXPECT_EQ(m_doc.m_data.m_logNext, 0);
    EXPECT_GT(m_doc.m_data.m_startDate, 20200000);
    EXPECT_FALSE(m_doc.CanDeleteLast());

    // AutoLog, periodic, fast and oscilloscope runs, and a ready document: nothing.
    for (auto [state, activity] : {std::pair{DOC_STATE_RUNNING, ACTIVITY_AUTOLOG},
                                   std::pair{DOC_STATE_RUNNING, ACTIVITY_FAST},
                                   std::pair{DOC_STATE_RUNNING, ACTIVITY_SCOPE},
                                   std::pair{DOC_STATE_READY, ACTIVITY_SNAPSHOT}}) {
        m_doc.m_data.m_logNext = 2;
        Set(state, activity);
        EXPECT_FALSE(m_doc.CanDeleteLast());
        m_owner.m_hints.clear();
        m_doc.DeleteLast();
        EXPECT_EQ(m_doc.m_data.m_logNext, 2);
        EXPECT_TRUE(m_owner.m_hints.empty());
    }
}

TEST_F(Document, DeleteAllWhileStopped)
{
    Fill(4);
    Set(DOC_STATE_STOPPED, ACTIVITY_PERIODIC);
    m_doc.m_data.m_marks[1] = 1;
    m_doc.m_unsavedData = true;
    m_owner.m_answer = 'n';
    ASSERT_TRUE(m_doc.CanDeleteAll());
    EXPECT_EQ(m_doc.DeleteAll(), DOC_RESULT_DONE);
    EXPECT_EQ(m_owner.m_asked, 1);
    EXPECT_EQ(m_doc.m_data.m_records, 0);
    EXPECT_EQ(m_doc.m_data.m_logNext, 0);
    EXPECT_FALSE(m_doc.m_data.HasMarks());
    EXPECT_EQ(m_doc.m_data.m_marks[1], 0);
    EXPECT_EQ(Sample(0, 0), DOC_NO_VALUE);
    EXPECT_FALSE(m_doc.m_unsavedData);
    EXPECT_EQ(Codes(), (std::vector<int>{HINT_TABLE_MESSAGE, HINT_DELETED_ALL, HINT_SCROLL_TO}));
    EXPECT_EQ(m_owner.m_hints.back().row, 0);
    EXPECT_EQ(m_owner.m_modified, 1);
    EXPECT_FALSE(m_doc.CanDeleteAll());
}

// Every activity that fills the store clears it while running, a Fast run too.
TEST_F(Document, DeleteAllWhileRunningClearsTheStore)
{
    for (int activity = ACTIVITY_AUTOLOG; activity <= ACTIVITY_FAST; ++activity) {
        CdocDoc doc;
        doc.m_owner = &m_owner;
        m_owner.m_doc = &doc;
        CdocData& data = doc.m_data;
        ASSERT_TRUE(data.AddFields(1));
        data.m_fields.GetAt(0)->InitManual();
        data.m_fields.GetAt(0)->SetSample(0, 1.0f);
        data.SetRecords(3);
        data.m_logNext = 3;
        data.m_logCount = 1;
        data.m_startDate = 0;
        doc.SetState(DOC_STATE_RUNNING);
        doc.m_activity = activity;
        doc.m_unsavedData = true;
        ASSERT_TRUE(doc.CanDeleteAll()) << activity;
        EXPECT_EQ(doc.DeleteAll(), DOC_RESULT_DONE) << activity;
        EXPECT_EQ(data.m_records, 0) << activity;
        EXPECT_EQ(data.m_logNext, 0);
        EXPECT_EQ(data.m_logCount, 0);
        EXPECT_GT(data.m_startDate, 20200000);
        EXPECT_EQ(data.m_fields.GetAt(0)->m_samples[0], DOC_NO_VALUE);
        EXPECT_FALSE(doc.m_unsavedData);
        doc.SetState(DOC_STATE_READY);
    }
}

TEST_F(Document, DeleteAllNeverDropsTheUnsavedMarkOfReadingsItKeeps)
{
    // An oscilloscope run is not offered Delete All; called anyway, it asks
    // nothing and keeps everything.
    Fill(3);
    Set(DOC_STATE_RUNNING, ACTIVITY_SCOPE);
    m_doc.m_unsavedData = true;
    EXPECT_FALSE(m_doc.CanDeleteAll());
    EXPECT_EQ(m_doc.DeleteAll(), DOC_RESULT_REFUSED);
    EXPECT_EQ(m_owner.m_asked, 0);
    EXPECT_EQ(m_doc.m_data.m_records, 3);
    EXPECT_TRUE(m_doc.m_unsavedData);

    // Cancel keeps all; a Yes whose save failed keeps all.
    Set(DOC_STATE_STOPPED, ACTIVITY_AUTOLOG);
    m_owner.m_answer = 'c';
    EXPECT_EQ(m_doc.DeleteAll(), DOC_RESULT_REFUSED);
    m_owner.m_answer = 'y';
    m_owner.m_saveWorks = false;
    EXPECT_EQ(m_doc.DeleteAll(), DOC_RESULT_REFUSED);
    EXPECT_EQ(m_doc.m_data.m_records, 3);
    EXPECT_TRUE(m_doc.m_unsavedData);
    EXPECT_TRUE(m_owner.m_hints.empty());

    // A Yes that saved goes on.
    m_owner.m_saveWorks = true;
    EXPECT_EQ(m_doc.DeleteAll(), DOC_RESULT_DONE);
    EXPECT_EQ(m_doc.m_data.m_records, 0);
}

TEST_F(Document, DeleteAllWithoutRecordsOnlyTakesTheToolAway)
{
    Set(DOC_STATE_STOPPED, ACTIVITY_AUTOLOG);
    m_doc.m_tool.m_now.m_active = true;
    EXPECT_EQ(m_doc.DeleteAll(), DOC_RESULT_DONE);
    EXPECT_FALSE(m_doc.m_tool.m_now.m_active);
    EXPECT_EQ(Codes(), (std::vector<int>{HINT_TOOL}));
}

TEST_F(Document, ResetAfterCloseKeepsStateActivityAndViews)
{
    Fill(2);
    Set(DOC_STATE_STOPPED, ACTIVITY_TIMING);
    m_doc.m_title = "Pendulum";
    m_doc.m_annotations.Add();
    m_doc.m_viewDigits = true;
    m_doc.ResetAfterClose();
    EXPECT_EQ(m_doc.m_annotations.m_count, 0);
    EXPECT_EQ(m_doc.m_data.m_records, 0);
    EXPECT_EQ(m_doc.m_data.m_fields.GetCount(), 0);
    EXPECT_EQ(m_doc.m_title, m_doc.m_defaultTitle);
    EXPECT_EQ(m_owner.m_hints.back().code, HINT_CHANNELS_RESET);
    EXPECT_EQ(m_owner.m_modified, 0);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_activity, ACTIVITY_TIMING);
    EXPECT_TRUE(m_doc.m_viewDigits);
}

TEST_F(Document, OnNewMakesTheDocumentReadyAndConnects)
{
    CxhwBoxes boxes; // no threads: the connect request is only recorded
    Set(DOC_STATE_STOPPED, ACTIVITY_SNAPSHOT);
    m_doc.m_waitingForFind = false;
    m_doc.OnNew();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_READY);
    EXPECT_TRUE(m_doc.m_waitingForFind);
    EXPECT_EQ(boxes.GetState(), BOXES_STATE_CONNECT);
    EXPECT_EQ(boxes.m_box.GetActivity(), ACTIVITY_SNAPSHOT);
}
