// The table panel's view in the running program with the simulated logger:
// rows that follow a run, labels and columns, editing, the tool's row,
// scrolling, clicks and a large table.
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/base/gumResCore.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/simAppTest.h"
#include "views/gumView.h"
#include "views/guvGraphPanel.h"
#include "views/guvTablePanel.h"
#include "views/guvTableView.h"
#include "views/guvTableWin.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include <wx/dcclient.h>
#include <wx/textctrl.h>

namespace {

using HintTap = qvtest::CtestHintTap;

// A table view of the document that records the channel commands it would
// run instead of running them.
class RecordingTableView : public qvtest::CtestSideView<CguvTableView>
{
public:
    explicit RecordingTableView(CguvTableView& real) : CtestSideView(real) {}

    std::vector<std::pair<char, int>> m_calls;

protected:
    void ShowChannelOpsMenu(CdocFieldKey key) override { m_calls.emplace_back('M', key.m_key); }
    void ShowChannelDetails(CdocFieldKey key) override { m_calls.emplace_back('D', key.m_key); }
};

class TableView : public qvtest::CsimAppTest
{
protected:
    void SetUp() override
    {
        CsimAppTest::SetUp();
        if (HasFatalFailure())
            return;
        m_app->m_options.SetUserLevel(4);
        m_grid = m_app->m_frame->m_content->m_tablePanel->m_window;
        Run().m_viewTable = true;
        Run().m_viewDigits = false;
    }

    void TearDown() override
    {
        if (m_grid && m_app->m_frame && m_grid->m_view != View())
            m_grid->m_view = View();
        CsimAppTest::TearDown();
    }

    CguvTableView* View() { return FindView<CguvTableView>(); }
    CguvTableGridTable& Table() { return View()->m_table; }

    void RecordAndStop(int records)
    {
        CsimAppTest::RecordAndStop(records);
        ASSERT_TRUE(qvtest::PumpUntil([this] { return m_grid->IsShownOnScreen(); }));
        qvtest::Pump(50);
    }

    void Hint(int code, int data = -1)
    {
        CdocHint hint(code, data >= 0 ? &data : nullptr);
        Doc()->UpdateAllViews(nullptr, &hint);
    }

    // A view placed after the panel views that sees every hint once they have.
    void Tap(std::function<void(int code)> tap)
    {
        auto* after = new HintTap(std::move(tap));
        after->SetDocument(Doc());
    }

    // The column of a channel in the grid, -1 when it is not listed.
    int ColumnOf(const CdocField& field)
    {
        Table().RefreshColumns();
        for (int col = 0; col < Table().m_count; ++col)
            if (Table().m_columns[size_t(col)].m_key == field.m_key)
                return col;
        return -1;
    }

    // The first channel of the kind.
    CdocField* FirstOf(int content)
    {
        CdocFieldKey key;
        return Run().m_data.m_fields.FindContent(key, 0, content) ? key.m_field : nullptr;
    }

    // Rows that show at least partly in the grid's window.
    std::pair<int, int> VisibleRows()
    {
        int first = -1;
        int last = -1;
        for (int row = 0; row < m_grid->GetNumberRows(); ++row)
            if (m_grid->IsVisible(row, 0, false)) {
                if (first < 0)
                    first = row;
                last = row;
            }
        return {first, last};
    }

    // Whether the view took the event, so that the grid's own handling
    // does not run.
    bool GridEvent(wxEventType type, int row, int col)
    {
        wxGridEvent event(m_grid->GetId(), type, m_grid, row, col);
        return m_grid->GetEventHandler()->ProcessEvent(event);
    }

    CguvTableWin* m_grid = nullptr;
};

} // namespace

TEST_F(TableView, RowsFollowTheNewestRecordWithoutSettingTheColumnsUpAtEachTick)
{
    StartRun(3);
    ASSERT_TRUE(qvtest::PumpUntil([this] { return m_grid->IsShownOnScreen(); }));
    ASSERT_EQ(m_grid->GetTable(), &Table());

    // Each tick's rows are shown by repainting them: the columns keep the
    // attributes set at the start unless a value outgrows its column.
    int ticks = 0;
    int setUp = 0;
    wxGridCellAttr* attr = m_grid->GetTable()->GetAttr(0, 0, wxGridCellAttr::Col);
    ASSERT_NE(attr, nullptr);
    attr->DecRef();
    Tap([&](int code) {
        if (code != HINT_NEW_DATA)
            return;
        ++ticks;
        wxGridCellAttr* now = m_grid->GetTable()->GetAttr(0, 0, wxGridCellAttr::Col);
        setUp += now != attr;
        attr = now;
        if (now)
            now->DecRef();
        EXPECT_EQ(View()->m_pendingLast, -1);
        EXPECT_EQ(m_grid->GetNumberRows(), Run().m_data.m_records);
        EXPECT_EQ(Table().m_knownRows, Run().m_data.m_records);
    });

    // Beyond the rows the window shows, the row followed last stays in view.
    const int visible = m_grid->GetGridWindow()->GetClientSize().y / m_grid->GetDefaultRowSize();
    const int target = Run().m_data.m_records + visible + 15;
    // (The table follows every few ticks, however many rows they bring.)
    ASSERT_TRUE(qvtest::PumpUntil([&] {
        return ticks >= 15 && Run().m_autoScroll >= target && m_grid->IsVisible(Run().m_autoScroll, 0, false);
    }));
    EXPECT_LE(setUp * 4, ticks) << "columns set up anew " << setUp << " times in " << ticks << " ticks";
    const auto [first, last] = VisibleRows();
    EXPECT_GT(first, 0) << "the grid scrolled";
    EXPECT_GE(Run().m_autoScroll, visible);
    EXPECT_TRUE(m_grid->IsVisible(Run().m_autoScroll, 0, false)) << "rows " << first << " to " << last;

    // The cells read the channels: the time column shows the elapsed time.
    CdocField* time = FirstOf(CONTENT_ELAPSED_TIME);
    ASSERT_NE(time, nullptr);
    const int col = ColumnOf(*time);
    ASSERT_EQ(col, 0);
    EXPECT_EQ(m_grid->GetCellValue(2, col), time->GetDisplayText(time->m_places, time->m_samples[2]));
    EXPECT_TRUE(m_grid->IsReadOnly(2, col));
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "table-live-run").empty());

    ASSERT_TRUE(qvtest::PumpUntil([this] { return Key('P'); }));
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_STOPPED; }));
    qvtest::Pump(100);
    EXPECT_EQ(m_grid->GetNumberRows(), Run().m_data.m_records);
    // However many rows it holds, the table keeps to its share of the window.
    CgumWin* content = m_app->m_frame->m_content;
    EXPECT_LT(content->m_tablePanel->GetSize().y, content->m_graphPanel->GetSize().y);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "table-after-run").empty());
}

TEST_F(TableView, LabelsMarkRecordsAndNameTheChannels)
{
    RecordAndStop(5);
    Run().m_data.m_marks[2] = 1;
    EXPECT_EQ(Table().GetRowLabelValue(1), "2");
    EXPECT_EQ(Table().GetRowLabelValue(2), "> 3");
    EXPECT_EQ(Table().GetRowLabelValue(20000), "20001") << "no record there";

    // With the elapsed time hidden, the first ordinary channel is column 0.
    CdocField* time = FirstOf(CONTENT_ELAPSED_TIME);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(m_grid->GetColLabelValue(0), time->GetNameUnitsTwoLines());
    time->m_show = false;
    Run().m_viewTimeAndDate = false;
    Table().RefreshColumns();
    ASSERT_GT(Table().m_count, 0);
    const CdocField* first = Table().GetColumnField(0);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->m_content, CONTENT_ELAPSED_TIME);
    EXPECT_NE(first->m_content, CONTENT_READING);
    CdocFieldKey expected;
    ASSERT_TRUE(Run().m_data.m_fields.GetNonTime(expected, 0));
    EXPECT_EQ(first->m_key, expected.m_key);
    // Outside the channels: the toolkit's own label, an empty cell.
    wxGridStringTable plain(0, 0);
    EXPECT_EQ(Table().GetColLabelValue(Table().m_count), plain.GetColLabelValue(Table().m_count));
    EXPECT_EQ(Table().GetValue(0, Table().m_count), "");
    EXPECT_EQ(Table().GetValue(Run().m_data.m_records, 0), "");
}

TEST_F(TableView, ManualColumnsTakeTypedValuesAndOthersAreReadOnly)
{
    RecordAndStop(6);
    CdocFieldKey key;
    ASSERT_TRUE(Run().m_data.AddManualField(&key));
    Run().UpdateViews(HINT_CHANNEL_ADDED, nullptr);
    CdocField* manual = Run().m_data.m_fields.Find(key);
    ASSERT_NE(manual, nullptr);
    manual->m_places = 2;
    Run().UpdateViews(HINT_CHANNEL_CHANGED, nullptr);
    const int col = ColumnOf(*manual);
    ASSERT_GE(col, 0);
    ASSERT_EQ(m_grid->GetNumberCols(), Table().m_count);
    EXPECT_FALSE(m_grid->IsReadOnly(3, col));
    for (int c = 0; c < Table().m_count; ++c) {
        if (c != col) {
            EXPECT_TRUE(m_grid->IsReadOnly(3, c)) << "column " << c;
        }
    }

    int edited = 0;
    Tap([&](int code) { edited += code == HINT_VALUE_EDITED; });
    Doc()->Modify(false);

    // Typed into the cell's editor as the user does.
    m_grid->SetFocus();
    m_grid->SetGridCursor(3, col);
    ASSERT_TRUE(m_grid->CanEnableCellControl());
    m_grid->EnableCellEditControl();
    ASSERT_TRUE(m_grid->IsCellEditControlShown());
    const wxGridCellEditorPtr editor(m_grid->GetCellEditor(3, col));
    auto* text = dynamic_cast<wxTextCtrl*>(editor->GetControl());
    ASSERT_NE(text, nullptr);
    text->SetValue("4.25");
    m_grid->DisableCellEditControl();
    EXPECT_FLOAT_EQ(manual->m_samples[3], 4.25f);
    EXPECT_EQ(m_grid->GetCellValue(3, col).Trim(false), "4.25");
    EXPECT_EQ(edited, 1);
    EXPECT_TRUE(Doc()->IsModified());

    // A text that is not a number, and an emptied cell, store no value.
    m_grid->SetCellValue(4, col, "12.5");
    EXPECT_FLOAT_EQ(manual->m_samples[4], 12.5f);
    m_grid->SetCellValue(4, col, "abc");
    EXPECT_TRUE(docIsNoValue(manual->m_samples[4]));
    EXPECT_EQ(m_grid->GetCellValue(4, col), "");
    m_grid->SetCellValue(3, col, "");
    EXPECT_TRUE(docIsNoValue(manual->m_samples[3]));
    EXPECT_EQ(edited, 4);

    // Read-only channels and places outside the table take nothing.
    CdocField* time = FirstOf(CONTENT_ELAPSED_TIME);
    const float before = time->m_samples[1];
    Table().SetValue(1, ColumnOf(*time) + 100, "7");
    Table().SetValue(Run().m_data.m_records + 3, col, "7");
    EXPECT_EQ(time->m_samples[1], before);
    EXPECT_EQ(edited, 4);
}

TEST_F(TableView, ClicksOnCellsAndLabelsFollowTheUserLevel)
{
    RecordAndStop(6);
    CdocField* time = FirstOf(CONTENT_ELAPSED_TIME);
    CdocFieldKey key;
    ASSERT_TRUE(Run().m_data.AddManualField(&key));
    Run().UpdateViews(HINT_CHANNEL_ADDED, nullptr);
    const int manualCol = ColumnOf(*key.m_field);
    const int timeCol = ColumnOf(*time);

    // A click on a logger's column explains why it cannot be typed into.
    const size_t boxes = m_boxes->m_calls.size();
    EXPECT_TRUE(GridEvent(wxEVT_GRID_CELL_LEFT_CLICK, 2, timeCol)) << "the click goes no further";
    ASSERT_EQ(m_boxes->m_calls.size(), boxes + 1);
    EXPECT_TRUE(m_boxes->m_calls.back().text.Contains(gumGetString(2480)));
    EXPECT_TRUE(m_boxes->m_calls.back().text.Contains(gumGetString(2481)));
    // On a manual column the grid selects and edits as usual.
    EXPECT_FALSE(GridEvent(wxEVT_GRID_CELL_LEFT_CLICK, 2, manualCol));
    EXPECT_EQ(m_boxes->m_calls.size(), boxes + 1);
    // Below the level that edits tables, no click goes on.
    m_app->m_options.SetUserLevel(2);
    EXPECT_TRUE(GridEvent(wxEVT_GRID_CELL_LEFT_CLICK, 2, manualCol));
    EXPECT_TRUE(GridEvent(wxEVT_GRID_CELL_LEFT_CLICK, 2, timeCol));
    EXPECT_EQ(m_boxes->m_calls.size(), boxes + 1);
    m_app->m_options.SetUserLevel(4);

    // Labels: the channel's operations menu and its details, as allowed.
    RecordingTableView recording(*View());
    m_grid->m_view = &recording;
    struct Case
    {
        int level;
        wxEventType type;
        int col;
        const char* calls;
    };
    const Case cases[] = {
        {2, wxEVT_GRID_LABEL_RIGHT_CLICK, manualCol, "M"}, {1, wxEVT_GRID_LABEL_RIGHT_CLICK, manualCol, ""},
        {2, wxEVT_GRID_LABEL_LEFT_CLICK, timeCol, "D"},    {1, wxEVT_GRID_LABEL_LEFT_CLICK, timeCol, ""},
        {4, wxEVT_GRID_LABEL_LEFT_CLICK, -1, ""},          {4, wxEVT_GRID_LABEL_RIGHT_CLICK, 99, ""},
    };
    for (const Case& c : cases) {
        m_app->m_options.SetUserLevel(c.level);
        recording.m_calls.clear();
        GridEvent(c.type, -1, c.col);
        std::string calls;
        for (const auto& call : recording.m_calls) {
            calls += call.first;
            EXPECT_EQ(call.second, c.col == manualCol ? key.m_key : time->m_key);
        }
        EXPECT_EQ(calls, c.calls) << "level " << c.level << ", column " << c.col;
    }
    m_grid->m_view = View();
    m_app->m_options.SetUserLevel(4);
}

// Arrow keys move the grid's cursor over recorded and typed columns alike:
// no editor opens and nothing explains that recorded values cannot be edited
// (that answers a click on them).
TEST_F(TableView, ArrowKeysOnlyMoveTheCursor)
{
    RecordAndStop(6);
    CdocFieldKey key;
    ASSERT_TRUE(Run().m_data.AddManualField(&key));
    Run().UpdateViews(HINT_CHANNEL_ADDED, nullptr);
    const int manual = ColumnOf(*key.m_field);
    ASSERT_GE(manual, 2);
    m_grid->SetGridCursor(2, manual);
    const size_t boxes = m_boxes->m_calls.size();
    const struct
    {
        int key;
        int row;
        int col;
    } steps[] = {{WXK_LEFT, 2, manual - 1}, {WXK_DOWN, 3, manual - 1}, {WXK_LEFT, 3, manual - 2},
                 {WXK_UP, 2, manual - 2},   {WXK_RIGHT, 2, manual - 1}, {WXK_RIGHT, 2, manual}};
    for (const auto& step : steps) {
        // Sent to the grid's window as the toolkit sends a key press, through
        // the program's key filter; no other window's focus can take it.
        wxKeyEvent press(wxEVT_KEY_DOWN);
        press.m_keyCode = step.key;
        press.SetEventObject(m_grid->GetGridWindow());
        m_grid->GetGridWindow()->GetEventHandler()->ProcessEvent(press);
        EXPECT_EQ(m_grid->GetGridCursorRow(), step.row) << "key " << step.key;
        EXPECT_EQ(m_grid->GetGridCursorCol(), step.col) << "key " << step.key;
        EXPECT_FALSE(m_grid->IsCellEditControlShown());
    }
    EXPECT_EQ(m_boxes->m_calls.size(), boxes);
}

TEST_F(TableView, TheToolsCursorIsTheSelectedRow)
{
    RecordAndStop(30);
    CdocTool& tool = Run().m_tool;
    tool.SetTool(TOOL_READING);
    CdocField* x = Run().m_graph.GetFieldX();
    ASSERT_NE(x, nullptr);
    ASSERT_EQ(x->m_content, CONTENT_ELAPSED_TIME);

    tool.ClickAt(0.5f, 0.5f);
    ASSERT_TRUE(tool.m_now.m_active);
    int row = tool.FindNearestSample(tool.m_now.m_fracX);
    ASSERT_GE(row, 0);
    wxArrayInt rows = m_grid->GetSelectedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], row);

    tool.MoveCursor(0.2f, 0.5f);
    EXPECT_EQ(tool.m_now.m_msg, TOOL_MSG_MOVED);
    row = tool.FindNearestSample(tool.m_now.m_fracX);
    rows = m_grid->GetSelectedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], row);
    EXPECT_TRUE(m_grid->IsVisible(row, 0, false));

    // A zoom rectangle being dragged clears it; so does taking the cursor away.
    tool.DragZoom(0.2f, 0.2f, 0.6f, 0.6f);
    EXPECT_EQ(tool.m_now.m_msg, TOOL_MSG_DRAGGED);
    EXPECT_TRUE(m_grid->GetSelectedRows().empty());
    tool.Deactivate();
    tool.ClickAt(0.5f, 0.5f);
    EXPECT_EQ(m_grid->GetSelectedRows().size(), 1u);
    tool.Deactivate();
    EXPECT_TRUE(m_grid->GetSelectedRows().empty());

    // Against a channel on the x axis the rows have no order: no selection.
    CdocFieldKey otherKey;
    ASSERT_TRUE(Run().m_data.m_fields.GetNonTime(otherKey, 0));
    CdocField* other = otherKey.m_field;
    m_grid->SelectRow(3);
    Run().m_graph.SetAxes(other, Run().m_graph.GetFieldL(), nullptr);
    tool.m_now.m_active = true;
    tool.m_now.m_msg = TOOL_MSG_MOVED;
    Hint(HINT_TOOL);
    EXPECT_TRUE(m_grid->GetSelectedRows().empty());
    tool.m_now.m_active = false;
}

TEST_F(TableView, ScrollHintsFollowOnlyWhileTheFollowedRowIsInView)
{
    RecordAndStop(3);
    // A long store of records without a run.
    const int records = 400;
    CdocData& data = Run().m_data;
    for (int n = 0; n < data.m_fields.GetCount(); ++n)
        for (int i = 0; i < records; ++i)
            data.m_fields.GetAt(n)->m_samples[i] = float(i) * 0.5f;
    data.SetRecords(records);
    Hint(HINT_DATA_RESET);
    ASSERT_EQ(m_grid->GetNumberRows(), records);
    m_grid->Scroll(0, 0);
    qvtest::Pump(20);
    ASSERT_EQ(VisibleRows().first, 0);

    // The followed row is out of view: the user has scrolled away.
    Run().m_autoScroll = 350;
    Hint(HINT_SCROLL_FOLLOW, 360);
    EXPECT_EQ(VisibleRows().first, 0);
    // A forced scroll goes there whatever is in view; the row ends about two
    // thirds down the window.
    Hint(HINT_SCROLL_TO, 360);
    ASSERT_TRUE(m_grid->IsVisible(360, 0, true));
    const int height = m_grid->GetGridWindow()->GetClientSize().y;
    int x = 0;
    int bottom = 0;
    m_grid->CalcScrolledPosition(0, m_grid->CellToRect(360, 0).GetBottom(), &x, &bottom);
    EXPECT_GT(bottom, height / 2);
    EXPECT_LT(bottom, height * 3 / 4 + m_grid->GetDefaultRowSize());
    // Following from a row in view.
    Run().m_autoScroll = 360;
    Hint(HINT_SCROLL_FOLLOW, 390);
    EXPECT_TRUE(m_grid->IsVisible(390, 0, true));
    // Past the last record: the last record.
    Run().m_autoScroll = 390;
    Hint(HINT_SCROLL_TO, 5000);
    EXPECT_TRUE(m_grid->IsVisible(records - 1, 0, true));
    // Upward: the row comes to the top (to the scroll unit).
    Hint(HINT_SCROLL_TO, 10);
    EXPECT_TRUE(m_grid->IsVisible(10, 0, true));
    EXPECT_GE(VisibleRows().first, 9);
}

TEST_F(TableView, ColumnChangesRebuildAtTheNextChannelReset)
{
    RecordAndStop(4);
    const int cols = m_grid->GetNumberCols();
    // A channel added without telling the views: a channel reset alone
    // does not look.
    CdocData& data = Run().m_data;
    CdocField& added = *data.m_fields.GetAt(data.m_fields.Add(1));
    added.InitManual();
    added.m_name = "Added";
    Hint(HINT_CHANNELS_RESET);
    EXPECT_EQ(m_grid->GetNumberCols(), cols);
    // After a layout hint it rebuilds, once.
    Hint(HINT_CHANNEL_LAYOUT);
    EXPECT_TRUE(View()->m_stale);
    EXPECT_EQ(m_grid->GetNumberCols(), cols);
    Hint(HINT_CHANNELS_RESET);
    EXPECT_FALSE(View()->m_stale);
    EXPECT_EQ(m_grid->GetNumberCols(), cols + 1);
    EXPECT_EQ(Table().m_knownCols, cols + 1);
    // Column messages mark it stale the same way; row messages pass to the grid.
    CdocTableMessage columns{TABLE_COLS_DELETED, 0, 1};
    Run().UpdateViews(HINT_TABLE_MESSAGE, &columns);
    EXPECT_TRUE(View()->m_stale);
    const int rows = m_grid->GetNumberRows();
    data.SetRecords(rows - 2);
    EXPECT_EQ(m_grid->GetNumberRows(), rows - 2);
    // A message about more rows than the grid knows takes only those it has.
    CdocTableMessage gone{TABLE_ROWS_DELETED, 0, 50000};
    Run().UpdateViews(HINT_TABLE_MESSAGE, &gone);
    EXPECT_EQ(m_grid->GetNumberRows(), 0);
    EXPECT_EQ(Table().m_knownRows, 0);
    Hint(HINT_DATA_RESET);
    EXPECT_EQ(m_grid->GetNumberRows(), rows - 2);
}

TEST_F(TableView, ALargeTableRebuildsAndGrowsQuickly)
{
    RecordAndStop(3);
    CdocData& data = Run().m_data;
    data.RemoveAllFields();
    ASSERT_TRUE(data.AddReadingField(true, false));
    while (data.m_fields.GetCount() < DOC_MAX_FIELDS)
        ASSERT_TRUE(data.AddManualField(nullptr));
    const int records = DOC_MAX_SAMPLES - 1;
    for (int n = 0; n < data.m_fields.GetCount(); ++n) {
        CdocField& field = *data.m_fields.GetAt(n);
        field.m_places = 2;
        for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
            field.m_samples[i] = float(i % 997) * 1.25f - 300.0f + float(n);
        field.UpdateDataRange();
    }
    data.SetRecords(records);
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    Hint(HINT_DATA_RESET);
    m_grid->Update();
    const auto rebuild = Clock::now() - start;
    EXPECT_EQ(m_grid->GetNumberRows(), records);
    EXPECT_EQ(m_grid->GetNumberCols(), DOC_MAX_FIELDS);
    // The sanitizers slow every call several times over.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    const int slower = 5;
#else
    const int slower = 1;
#endif
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(rebuild).count(), 1000 * slower);

    // The last record comes as a run's tick brings it.
    start = Clock::now();
    data.SetRecords(records + 1);
    Hint(HINT_SAMPLE_UPDATED, records);
    Hint(HINT_NEW_DATA);
    Hint(HINT_SCROLL_TO, records);
    m_grid->Update();
    const auto tick = Clock::now() - start;
    EXPECT_EQ(m_grid->GetNumberRows(), records + 1);
    EXPECT_TRUE(m_grid->IsVisible(records, 0, true));
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(tick).count(), 200 * slower);
    EXPECT_EQ(m_grid->GetCellValue(records, 3).Trim(false),
              data.m_fields.GetAt(3)->GetDisplayText(2, data.m_fields.GetAt(3)->m_samples[records]));

    // The widest row label, a marked five-digit record, has its room.
    data.m_marks[size_t(records - 1)] = 1;
    m_grid->ForceRefresh();
    wxClientDC dc(m_grid);
    dc.SetFont(m_grid->GetLabelFont());
    EXPECT_GE(m_grid->GetRowLabelSize(), dc.GetTextExtent(Table().GetRowLabelValue(records - 1)).x + 4);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "table-large").empty());
}
