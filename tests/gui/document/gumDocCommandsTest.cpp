// The document's command table: which commands are enabled and ticked in each
// state of the document, what the switches do, and the user-level gates.
#include "app/base/gumIds.h"
#include "gui/document/docCommandsTest.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// The document states of the table, one column each.
enum
{
    S_SEARCHING,    // ready, no logger found yet, no channels
    S_READY,        // ready with the simulated logger: a working sensor, outputs, two stored records
    S_RUNNING,      // running AutoLog: three records, x axis on the elapsed time
    S_STOPPED,      // stopped after a periodic run of the logger, with start date and time
    S_FETCHING,     // fetching: time channels only, no records yet
    S_STOPPED_TIME, // stopped snapshot file: time channels only, no records
    STATES
};

class DocCommands : public qvtest::CdocCommandsTest
{
protected:
    void MakeState(int state)
    {
        CdocDoc& doc = Doc();
        switch (state) {
        case S_SEARCHING: break;
        case S_READY:
            SimulatedLogger();
            doc.m_boxInfo.m_info.m_varnok = true;
            Add('R'), Add('T'), Add('S');
            Records(2);
            break;
        case S_RUNNING:
            SimulatedLogger();
            Add('R'), Add('T'), Add('S');
            Records(3);
            XAxis('T');
            doc.SetState(DOC_STATE_RUNNING);
            doc.m_data.m_dataSource = DATA_SOURCE_LIVE;
            doc.m_viewTimeAndDate = true;
            doc.m_graph.m_best = true;
            break;
        case S_STOPPED:
            SimulatedLogger();
            Add('R'), Add('T'), Add('S');
            Records(3);
            XAxis('T');
            doc.SetState(DOC_STATE_STOPPED);
            doc.m_activity = ACTIVITY_PERIODIC;
            doc.m_data.m_dataSource = DATA_SOURCE_LIVE;
            doc.m_data.m_startDate = 20240305;
            doc.m_data.m_startTime = 93005;
            doc.m_viewTitle = true;
            doc.m_graph.m_best = true;
            doc.m_tool.m_now.m_tool = TOOL_AREA;
            break;
        case S_FETCHING:
            Add('R'), Add('T');
            doc.SetState(DOC_STATE_FETCHING);
            doc.m_overlay = false;
            break;
        case S_STOPPED_TIME:
            Add('R'), Add('T');
            doc.SetState(DOC_STATE_STOPPED);
            doc.m_activity = ACTIVITY_SNAPSHOT;
            doc.m_data.m_dataSource = DATA_SOURCE_FILE;
            doc.m_colours = 1;
            break;
        }
    }
};

struct Rule
{
    int id;
    const char* enabled; // per state, S_SEARCHING first
    const char* ticked;  // per state; nullptr: no check mark
};

// Copy Table needs records and channels only; Copy Graph a document that
// holds data. The template needs data, the other exports records too. Best
// Line Fit is enabled only while stopped but keeps its tick.
const Rule kRules[] = {
    {ID_SET_CLOCK, ".E....", nullptr},
    {ID_SET_STAMP, ".E....", nullptr},
    {ID_RELOAD_SYSTEM, ".E....", nullptr},
    {ID_FETCH, ".E....", nullptr},
    {ID_COPY_GRAPH, "..EEEE", nullptr},
    {ID_COPY_TABLE, ".EEE..", nullptr},
    {ID_EDIT_TITLE, "..EEEE", nullptr},
    {ID_VIEW_TITLE, "..EEEE", "...x.."},
    {ID_VIEW_TIME_AND_DATE, "...E..", "..x..."},
    {ID_ANNOTATE, "..EE..", nullptr},
    {ID_CHANNEL_DETAILS, ".EEEEE", nullptr},
    {ID_CHANNEL_SMOOTH, "..EE..", nullptr},
    {ID_CHANNEL_UNITS, ".EEEEE", nullptr},
    {ID_CHANNEL_CUSTOM_SCALE, ".EEEEE", nullptr},
    {ID_CHANNEL_INVERT, ".EEEEE", nullptr},
    {ID_CHANNEL_ADD, "EEEEEE", nullptr},
    {ID_CHANNEL_DUPLICATE, "..EEEE", nullptr},
    {ID_CHANNEL_FUNCTION, "..EEEE", nullptr},
    {ID_CHANNEL_CALCULATE, "EEEEEE", nullptr},
    {ID_CHANNEL_TARE, ".EEEEE", nullptr},
    {ID_CHANNEL_DELETE, ".EEE..", nullptr},
    {ID_SETUP, "EE.E..", nullptr},
    {ID_EXPORT_SID_ANALYSIS, "..EE..", nullptr},
    {ID_EXPORT_TEXT_ANALYSIS, "..EE..", nullptr},
    {ID_EXPORT_EXCEL_CSV, "..EE..", nullptr},
    {ID_EXPORT_CALC_CSV, "..EE..", nullptr},
    {ID_EXPORT_SID, "..EE..", nullptr},
    {ID_EXPORT_CSV, "..EE..", nullptr},
    {ID_EXPORT_TSV, "..EE..", nullptr},
    {ID_EXPORT_TXT, "..EE..", nullptr},
    {ID_EXPORT_TEMPLATE, "..EEEE", nullptr},
    {ID_DELETE_ALL, "..EE..", nullptr},
    {ID_DELETE_LAST, "...E..", nullptr},
    {ID_VIEW_GAUGE, "..EEEE", "xxxxxx"},
    {ID_VIEW_TABLE, "..EEEE", "......"},
    {ID_VIEW_DIGITS, "..EEEE", "......"},
    {ID_NOTES, "EEEEEE", nullptr},
    {ID_INFORMATION, "EEEEEE", nullptr},
    {ID_GRAPH_FONT, "..EEEE", nullptr},
    {ID_AUTO_ZOOM, "..EEEE", nullptr},
    {ID_DEFAULT_ZOOM, "..EEEE", nullptr},
    {ID_SCALE_X, "..EEEE", nullptr},
    {ID_SCALE_LEFT, "..EEEE", nullptr},
    {ID_SCALE_RIGHT, "..EEEE", nullptr},
    {ID_GRAPH_LINES, "..EEEE", "xxxxxx"},
    {ID_GRAPH_POINTS, "..EEEE", "......"},
    {ID_GRAPH_BARS, "..EEEE", "......"},
    {ID_GRAPH_HEAVY, "..EEEE", "xxxxxx"},
    {ID_GRAPH_TITLE, "..EEEE", "xxxxxx"},
    {ID_GRAPH_GRID, "..EEEE", "xxxxxx"},
    {ID_BEST_FIT, "...E.E", "..xx.."},
    {ID_TABLE_OPTIONS, "..EEEE", nullptr},
    {ID_TABLE_COLOUR, "..EEEE", "xxxxxx"},
    {ID_TABLE_FONT, "..EEEE", nullptr},
    {ID_TABLE_ELAPSED, "..EEEE", "xxxxxx"},
    {ID_TABLE_DATE, "..EEEE", "xxxxxx"},
    {ID_START, "EE.E.E", nullptr},
    {ID_START_OVERLAY, "EE.E.E", nullptr},
    {ID_RESTART, "EE.E.E", nullptr},
    {ID_STOP, "..E.E.", nullptr},
    {ID_MARK, "..E...", nullptr},
    {ID_STORE, "......", nullptr},
    {ID_OVERLAY, "EEEEEE", "xxxx.x"},
    {ID_CONTROL, ".E....", nullptr},
    {ID_TOOL_POSITION, "..EEEE", "......"},
    {ID_TOOL_READING, "..EE..", "xxx.xx"},
    {ID_TOOL_CHANGE, "..EE..", "......"},
    {ID_TOOL_DIFFERENCE, "..EEEE", "......"},
    {ID_TOOL_GRADIENT, "..EE..", "......"},
    {ID_TOOL_AREA, "..EE..", "...x.."},
    {ID_MODE_SNAPSHOT, "EEEEEE", nullptr},
    {ID_MODE_AUTOLOG, "EEEEEE", nullptr},
    {ID_MODE_SCOPE, ".EEE..", nullptr},
    {ID_MODE_SETUP, "EE.E..", "...x.."},
    {ID_THEME_STANDARD, "EEEEEE", "xxxxx."},
    {ID_THEME_HIGH_CONTRAST, "EEEEEE", ".....x"},
};

// Commands without an enable rule, and ids of the frame and the document
// manager inside the document's span: the document answers no update.
const int kUnanswered[] = {
    ID_EVT_BOX_CHANGED, ID_EVT_LINK_BROKEN, ID_EVT_BOX_REFRESH, ID_EVT_BOX_SYSTEM, ID_SCALE_X_EDIT,
    ID_SCALE_LEFT_EDIT, ID_SCALE_RIGHT_EDIT, ID_EDIT_TITLE_INPLACE, ID_CHANNEL_ENABLE, ID_CHANNEL_RANGE_FIRST,
    ID_CHANNEL_RANGE_FIRST + 19, ID_EVT_BUTTON_LONG, ID_EVT_BUTTON_CLICK, ID_EVT_BUTTON_PRESS, ID_ADMIN_SETTINGS,
    ID_OPEN_WORKSHEET, ID_OPEN_TEMPLATE, ID_IMPORT, ID_VIEW_TOOLBAR, ID_PAGE_MARGINS, ID_USER_LEVEL, ID_TOOL_OPTIONS,
    ID_WEB_SITE, ID_TECHNICAL_SUPPORT, ID_PICK_NONE, ID_BARS_FLAG_ON, ID_BARS_FLAG_OFF, ID_HELP_INTRO, ID_EVT_BT_DATA,
};

class DocCommandStates : public DocCommands, public testing::WithParamInterface<int>
{
};

} // namespace

TEST_P(DocCommandStates, EnabledAndTickedAsTheRulesSay)
{
    const int state = GetParam();
    MakeState(state);
    for (const Rule& rule : kRules) {
        const auto [enabled, ticked] = Update(rule.id);
        EXPECT_EQ(enabled, rule.enabled[state]) << "id " << rule.id;
        EXPECT_EQ(ticked, rule.ticked ? rule.ticked[state] : '-') << "id " << rule.id;
    }
    for (int id : kUnanswered)
        EXPECT_EQ(Update(id).first, '-') << "id " << id;
    // The pH calibration follows its own rule.
    EXPECT_EQ(Update(ID_CALIBRATE).first, m_doc->CanCalibrate() ? 'E' : '.');
}

INSTANTIATE_TEST_SUITE_P(EachState, DocCommandStates, testing::Range(0, int(STATES)));

// Frame and document-manager commands go on past the document.
TEST_F(DocCommands, CommandsOfOthersPassThrough)
{
    for (int id : {ID_ADMIN_SETTINGS, ID_IMPORT, ID_PAGE_MARGINS, ID_USER_LEVEL, ID_TOOL_OPTIONS, ID_PICK_NONE,
                   ID_BARS_FLAG_ON, ID_EVT_BT_DATA})
        EXPECT_FALSE(Command(id)) << "id " << id;
    EXPECT_TRUE(Command(ID_GRAPH_GRID));
}

// The channel commands act on the elapsed-time channel when only time
// channels exist, but Smooth and Delete Channel need another one; a sensor
// switched off is a target only of Delete Channel.
TEST_F(DocCommands, TargetChannelRules)
{
    MakeState(S_STOPPED_TIME);
    CdocFieldKey key;
    EXPECT_FALSE(m_doc->GetTargetChannel(key, true, false));
    ASSERT_NE(Fields().Find(key), nullptr);
    EXPECT_EQ(Fields().Find(key)->m_content, CONTENT_ELAPSED_TIME);

    CdocField& off = Add('O');
    for (int id : {ID_CHANNEL_DETAILS, ID_CHANNEL_UNITS, ID_CHANNEL_TARE})
        EXPECT_EQ(Update(id).first, 'E');
    EXPECT_EQ(Update(ID_CHANNEL_SMOOTH).first, '.');
    EXPECT_EQ(Update(ID_CHANNEL_DELETE).first, 'E');
    m_doc->GetTargetChannel(key, false, true);
    EXPECT_EQ(Fields().Find(key), &off);

    // A pop-up on the elapsed-time channel: no other channel is tried.
    Add('M');
    EXPECT_EQ(Update(ID_CHANNEL_SMOOTH).first, 'E');
    Fields().FindContent(m_doc->m_popupChannel, 0, CONTENT_ELAPSED_TIME);
    EXPECT_EQ(Update(ID_CHANNEL_SMOOTH).first, '.');
    EXPECT_EQ(Update(ID_CHANNEL_DELETE).first, '.');
    EXPECT_EQ(Update(ID_CHANNEL_DETAILS).first, 'E');
}

TEST_F(DocCommands, TableAndDigitsShareTheirPlace)
{
    MakeState(S_STOPPED);
    Doc().m_viewDigits = true;
    Command(ID_VIEW_TABLE);
    EXPECT_TRUE(Doc().m_viewTable);
    EXPECT_FALSE(Doc().m_viewDigits);
    EXPECT_TRUE(m_options.m_viewTable);
    EXPECT_FALSE(m_options.m_viewDigits);
    EXPECT_TRUE(m_doc->IsModified());
    Command(ID_VIEW_DIGITS);
    EXPECT_FALSE(Doc().m_viewTable);
    EXPECT_TRUE(Doc().m_viewDigits);
    Command(ID_VIEW_DIGITS);
    EXPECT_FALSE(Doc().m_viewTable);
    EXPECT_FALSE(Doc().m_viewDigits);
    EXPECT_FALSE(m_options.m_viewDigits);

    // The title and the gauge are copied to the options too.
    const bool title = Doc().m_viewTitle;
    Command(ID_VIEW_TITLE);
    EXPECT_EQ(Doc().m_viewTitle, !title);
    EXPECT_EQ(m_options.m_viewTitle, !title);
    const bool gauge = Doc().m_viewGauge;
    Command(ID_VIEW_GAUGE);
    EXPECT_EQ(m_options.m_viewGauge, !gauge);
}

TEST_F(DocCommands, LinesPointsAndBars)
{
    MakeState(S_STOPPED);
    CdocGraph& graph = Doc().m_graph;
    graph.m_lines = true;
    graph.m_points = true;
    Command(ID_GRAPH_BARS);
    EXPECT_TRUE(graph.m_bars);
    EXPECT_FALSE(graph.m_lines);
    EXPECT_FALSE(graph.m_points);
    Command(ID_GRAPH_BARS);
    EXPECT_FALSE(graph.m_bars);
    EXPECT_TRUE(graph.m_lines);
    EXPECT_FALSE(graph.m_points);
    Command(ID_GRAPH_BARS);
    Command(ID_GRAPH_POINTS);
    EXPECT_TRUE(graph.m_points);
    EXPECT_FALSE(graph.m_bars);
    EXPECT_FALSE(graph.m_lines);
    Command(ID_GRAPH_BARS);
    Command(ID_GRAPH_LINES);
    EXPECT_TRUE(graph.m_lines);
    EXPECT_FALSE(graph.m_bars);
    // Turning a style off leaves the others.
    Command(ID_GRAPH_LINES);
    EXPECT_FALSE(graph.m_lines);
    EXPECT_FALSE(graph.m_bars);
}

// The table's switches and the overlay change no hint and leave the
// document unmodified; the graph's mark it modified.
TEST_F(DocCommands, SwitchesThatDoNotModify)
{
    MakeState(S_STOPPED);
    const CdocTable& table = Doc().m_table;
    const bool colour = table.m_colour;
    const bool elapsed = table.m_elapsed;
    const bool date = table.m_date;
    Command(ID_TABLE_COLOUR);
    Command(ID_TABLE_ELAPSED);
    Command(ID_TABLE_DATE);
    const bool overlay = Doc().m_overlay;
    Command(ID_OVERLAY);
    EXPECT_EQ(table.m_colour, !colour);
    EXPECT_EQ(table.m_elapsed, !elapsed);
    EXPECT_EQ(table.m_date, !date);
    EXPECT_EQ(Doc().m_overlay, !overlay);
    EXPECT_FALSE(m_doc->IsModified());
    Command(ID_GRAPH_GRID);
    EXPECT_TRUE(m_doc->IsModified());
}

// A command whose feature the user level does not allow does nothing; the
// same command is available at a level that allows it.
TEST_F(DocCommands, GatesFollowTheUserLevel)
{
    MakeState(S_STOPPED);
    const struct
    {
        int id;
        int level; // the lowest level that allows it
        std::function<bool(const CdocDoc&)> flag;
    } cases[] = {
        {ID_VIEW_TITLE, 2, [](const CdocDoc& d) { return d.m_viewTitle; }},
        {ID_VIEW_TIME_AND_DATE, 3, [](const CdocDoc& d) { return d.m_viewTimeAndDate; }},
        {ID_GRAPH_GRID, 2, [](const CdocDoc& d) { return d.m_graph.m_grid; }},
        {ID_BEST_FIT, 3, [](const CdocDoc& d) { return d.m_graph.m_best; }},
        {ID_OVERLAY, 3, [](const CdocDoc& d) { return d.m_overlay; }},
        {ID_VIEW_TABLE, 2, [](const CdocDoc& d) { return d.m_viewTable; }},
    };
    for (const auto& c : cases) {
        m_options.SetUserLevel(c.level - 1);
        const bool before = c.flag(Doc());
        Command(c.id);
        EXPECT_EQ(c.flag(Doc()), before) << "id " << c.id;
        m_options.SetUserLevel(c.level);
        Command(c.id);
        EXPECT_NE(c.flag(Doc()), before) << "id " << c.id;
    }
    // Calculate is enabled by its feature alone.
    m_options.SetUserLevel(3);
    EXPECT_EQ(Update(ID_CHANNEL_CALCULATE).first, '.');
}

// The set-up rule while stopped: the run's source and activity decide.
TEST_F(DocCommands, SetUpAfterARun)
{
    MakeState(S_STOPPED);
    const struct
    {
        int source;
        int activity;
        char enabled;
    } cases[] = {
        {DATA_SOURCE_LIVE, ACTIVITY_PERIODIC, 'E'},   {DATA_SOURCE_SIMULATOR, ACTIVITY_TIMING, 'E'},
        {DATA_SOURCE_FILE, ACTIVITY_FAST, 'E'},       {DATA_SOURCE_FETCHED, ACTIVITY_PERIODIC, '.'},
        {DATA_SOURCE_IMPORTED, ACTIVITY_PERIODIC, '.'}, {DATA_SOURCE_LIVE, ACTIVITY_AUTOLOG, '.'},
        {DATA_SOURCE_LIVE, ACTIVITY_SNAPSHOT, '.'},   {DATA_SOURCE_LIVE, ACTIVITY_SCOPE, '.'},
    };
    for (const auto& c : cases) {
        Doc().m_data.m_dataSource = c.source;
        Doc().m_activity = c.activity;
        EXPECT_EQ(Update(ID_SETUP).first, c.enabled) << c.source << " " << c.activity;
        EXPECT_EQ(Update(ID_MODE_SETUP).first, c.enabled) << c.source << " " << c.activity;
    }
    m_options.SetUserLevel(1);
    Doc().SetState(DOC_STATE_READY);
    EXPECT_EQ(Update(ID_SETUP).first, '.');
}

// The device events act only in their states: a logger update while ready,
// a broken link while running.
TEST_F(DocCommands, DeviceEventsActInTheirStates)
{
    MakeState(S_RUNNING);
    Doc().m_waitingForFind = true;
    EXPECT_TRUE(Command(ID_EVT_BOX_CHANGED));
    EXPECT_TRUE(Doc().m_waitingForFind);
    EXPECT_TRUE(Command(ID_EVT_LINK_BROKEN));
    EXPECT_EQ(Doc().m_state, DOC_STATE_STOPPED);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "Link to logger broken");

    Doc().SetState(DOC_STATE_READY);
    Command(ID_EVT_LINK_BROKEN);
    EXPECT_EQ(Doc().m_state, DOC_STATE_READY);
    EXPECT_EQ(m_boxes.m_calls.size(), 1u);
    Command(ID_EVT_BOX_CHANGED);
    EXPECT_FALSE(Doc().m_waitingForFind);
}

// A side button that cannot start leaves AutoLog in place while ready, and
// keeps its activity while stopped; no button changes a running run's.
TEST_F(DocCommands, SideButtonsWhenNoRunStarts)
{
    MakeState(S_STOPPED);
    Doc().m_data.m_dataSource = DATA_SOURCE_FETCHED; // no start from fetched data
    Command(ID_MODE_SNAPSHOT);
    EXPECT_EQ(Doc().m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(Doc().m_activity, ACTIVITY_SNAPSHOT);

    Doc().SetState(DOC_STATE_READY);
    Doc().m_boxInfo = CxutBoxPublicInfo(); // no logger: nothing to sample
    Command(ID_MODE_SCOPE);
    EXPECT_EQ(Doc().m_state, DOC_STATE_READY);
    EXPECT_EQ(Doc().m_activity, ACTIVITY_AUTOLOG);

    Doc().SetState(DOC_STATE_RUNNING);
    Command(ID_MODE_SNAPSHOT);
    EXPECT_EQ(Doc().m_activity, ACTIVITY_AUTOLOG);
}
