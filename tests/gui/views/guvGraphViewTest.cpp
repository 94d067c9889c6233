// The graph panel's view in the running program with the simulated logger:
// live drawing, the hints, mouse gestures, colour schemes and printing.
#include "app/base/gumIds.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumDocPrintout.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "app/gumWindowHelpers.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/simAppTest.h"
#include "support/testEnvironment.h"
#include "views/guvGraphPanel.h"
#include "views/guvGraphView.h"
#include "views/guvGraphWin.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/print.h>
#include <wx/settings.h>

namespace {

using PaintCounter = qvtest::CtestPaintCounter;
using HintTap = qvtest::CtestHintTap;

class GraphView : public qvtest::CsimAppTest
{
protected:
    void SetUp() override
    {
        CsimAppTest::SetUp();
        if (HasFatalFailure())
            return;
        m_window = m_app->m_frame->m_content->m_graphPanel->m_window;
        m_window->PushEventHandler(&m_counter);
        m_counter.Bind(wxEVT_PAINT, &PaintCounter::OnPaint, &m_counter);
    }

    void TearDown() override
    {
        gumSetPopupMenuHook(nullptr);
        if (m_window && m_app->m_frame)
            m_window->PopEventHandler();
        CsimAppTest::TearDown();
    }

    CguvGraphView* View() { return m_window->m_view; }

    // Settles the window: on the display, painted and laid out at its size.
    void Settle()
    {
        const int paints = m_counter.m_paints;
        m_window->Refresh();
        ASSERT_TRUE(qvtest::PumpUntil([&] {
            m_window->Update();
            const CgrnGraph& g = View()->m_renderer;
            return m_counter.m_paints > paints && g.m_layoutValid &&
                   g.m_rect == wxRect(wxPoint(0, 0), m_window->GetClientSize());
        }));
        if (!m_watching) {
            m_watching = true;
            WatchRebuilds();
        }
    }

    // Watches every hint from both sides of the views: a hint that the graph
    // view met with its layout made and left without it made the view drop
    // the layout to repaint the whole window. A repaint that the uncovering
    // of the window asks for keeps the layout, so it does not count.
    void WatchRebuilds()
    {
        // Once the document closes, the window has no view.
        auto* before = new HintTap([this](int) { m_laidOutBefore = View() && View()->m_renderer.m_layoutValid; });
        before->SetDocument(Doc());
        Doc()->GetViews().DeleteObject(before);
        Doc()->GetViews().Insert(before);
        auto* after = new HintTap([this](int code) {
            const bool rebuilt = m_laidOutBefore && View() && !View()->m_renderer.m_layoutValid;
            m_rebuilds += rebuilt;
            if (code == HINT_NEW_DATA && m_onNewData)
                m_onNewData(rebuilt);
        });
        after->SetDocument(Doc());
    }

    // Whether the action made the view repaint the whole window anew; the
    // window is repainted before the answer.
    bool Rebuilds(const std::function<void()>& act)
    {
        EXPECT_TRUE(qvtest::PumpUntil([this] { return View()->m_renderer.m_layoutValid; }));
        const int before = m_rebuilds;
        act();
        const bool rebuilt = m_rebuilds > before;
        EXPECT_TRUE(qvtest::PumpUntil([this] { return View()->m_renderer.m_layoutValid; }));
        return rebuilt;
    }

    void Hint(int code, int data = -1)
    {
        CdocHint hint(code, data >= 0 ? &data : nullptr);
        Doc()->UpdateAllViews(nullptr, &hint);
    }

    // A mouse event of the type at (x, y) through the window's own handlers.
    void Mouse(wxEventType type, int x, int y, bool leftDown = false)
    {
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.m_leftDown = leftDown;
        event.SetEventObject(m_window);
        m_window->GetEventHandler()->ProcessEvent(event);
    }
    void Click(int x, int y)
    {
        Mouse(wxEVT_LEFT_DOWN, x, y, true);
        Mouse(wxEVT_LEFT_UP, x, y);
    }
    void RightClick(int x, int y)
    {
        Mouse(wxEVT_RIGHT_DOWN, x, y);
        Mouse(wxEVT_RIGHT_UP, x, y);
    }

    // Points of the graph's areas.
    const CgrnGraph& Layout() { return View()->m_renderer; }
    wxPoint PlotAt(float fx, float fy)
    {
        const CgrnGraph& g = Layout();
        return wxPoint(g.m_plotLeft + int(fx * float(g.m_plotRight - g.m_plotLeft)),
                       g.m_plotBottom - int(fy * float(g.m_plotBottom - g.m_plotTop)));
    }
    wxPoint AreaPoint(int area)
    {
        const CgrnGraph& g = Layout();
        const int cx = (g.m_plotLeft + g.m_plotRight) / 2;
        const int cy = (g.m_plotTop + g.m_plotBottom) / 2;
        switch (area) {
        case HIT_TITLE: return wxPoint(cx, g.m_plotTop - 4);
        case HIT_AXIS_X: return wxPoint(cx, g.m_plotBottom + 6);
        case HIT_AXIS_LEFT: return wxPoint(g.m_plotLeft - 6, cy);
        case HIT_AXIS_RIGHT: return wxPoint(g.m_plotRight + 3, cy);
        case HIT_GAUGE: return wxPoint(g.m_gaugeLeft + 2, cy);
        default: return wxPoint(cx, cy);
        }
    }

    // The window's picture drawn through its view's own drawing into a
    // bitmap, saved under the screenshots; the window is then repainted.
    wxImage Snapshot(const std::string& name)
    {
        const wxSize size = m_window->GetClientSize();
        wxBitmap bitmap(size.x, size.y, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            View()->OnDraw(&dc);
        }
        std::filesystem::create_directories(QV_SCREENSHOT_DIR);
        const wxImage image = bitmap.ConvertToImage();
        EXPECT_TRUE(image.SaveFile(std::string(QV_SCREENSHOT_DIR) + "/" + name + ".png", wxBITMAP_TYPE_PNG));
        m_window->Refresh();
        m_window->Update();
        return image;
    }

    CguvGraphWin* m_window = nullptr;
    PaintCounter m_counter;
    bool m_watching = false;
    bool m_laidOutBefore = false;
    int m_rebuilds = 0;
    std::function<void(bool rebuilt)> m_onNewData;
};

// The colour of a channel as the renderer draws it.
wxColour ColourOf(const CdocField& field)
{
    return field.m_colour.IsOk() ? wxColour(field.m_colour.Red(), field.m_colour.Green(), field.m_colour.Blue())
                                 : *wxBLACK;
}

int Distance(const wxImage& image, int x, int y, const wxColour& colour)
{
    return std::abs(image.GetRed(x, y) - colour.Red()) + std::abs(image.GetGreen(x, y) - colour.Green()) +
           std::abs(image.GetBlue(x, y) - colour.Blue());
}

// Whether a pixel near (x, y) shows the colour: much nearer to it than white
// is (thin lines are smoothed into the white around them).
bool ColourNear(const wxImage& image, int x, int y, const wxColour& colour, int radius = 2)
{
    const int fromWhite = (255 - colour.Red()) + (255 - colour.Green()) + (255 - colour.Blue());
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            if (px >= 0 && py >= 0 && px < image.GetWidth() && py < image.GetHeight() &&
                Distance(image, px, py, colour) * 5 <= fromWhite * 3)
                return true;
        }
    return false;
}

// The pixels of about the colour inside the rectangle.
int CountColour(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    for (int y = std::max(0, rect.y); y < std::min(image.GetHeight(), rect.GetBottom() + 1); ++y)
        for (int x = std::max(0, rect.x); x < std::min(image.GetWidth(), rect.GetRight() + 1); ++x)
            count += Distance(image, x, y, colour) < 60;
    return count;
}

// Where each trace channel's sample i lies in the window, for those inside
// the plot.
std::vector<std::pair<wxPoint, wxColour>> SamplePixels(const CgrnGraph& graph, CdocDoc& doc, int i)
{
    std::vector<std::pair<wxPoint, wxColour>> out;
    CdocField* x = doc.m_graph.GetFieldX();
    for (int n = 0; x && n < doc.m_data.m_fields.GetCount(); ++n) {
        CdocField& field = *doc.m_data.m_fields.GetAt(n);
        if (!graph.IsTraceChannel(&field) || docIsNoValue(field.m_samples[i]))
            continue;
        const wxPoint at(graph.ValueToX(x->m_samples[i]), graph.ValueToY(field, field.m_samples[i]));
        if (at.x > graph.m_plotLeft && at.x < graph.m_plotRight && at.y > graph.m_plotTop && at.y < graph.m_plotBottom)
            out.emplace_back(at, ColourOf(field));
    }
    return out;
}

// The distance from the point to the segment from a to b.
double Distance(const wxPoint& p, const wxPoint& a, const wxPoint& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t = length > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// A record between first and last whose samples no other trace comes near
// (the trace drawn later would cover the sample), with at least two samples
// in the plot; -1 when there is none.
int RecordApart(const CgrnGraph& graph, CdocDoc& doc, int first, int last)
{
    CdocField* x = doc.m_graph.GetFieldX();
    std::vector<const CdocField*> traces;
    for (int n = 0; x && n < doc.m_data.m_fields.GetCount(); ++n)
        if (graph.IsTraceChannel(doc.m_data.m_fields.GetAt(n)))
            traces.push_back(doc.m_data.m_fields.GetAt(n));
    auto at = [&](const CdocField& field, int i) {
        return wxPoint(graph.ValueToX(x->m_samples[i]), graph.ValueToY(field, field.m_samples[i]));
    };
    for (int i = std::max(first, 1); x && i <= last && i + 1 < doc.m_data.m_records; ++i) {
        if (SamplePixels(graph, doc, i).size() < 2)
            continue;
        bool apart = true;
        for (const CdocField* a : traces) {
            if (docIsNoValue(a->m_samples[i]))
                continue;
            const wxPoint sample = at(*a, i);
            for (const CdocField* b : traces) {
                if (b == a || docIsNoValue(b->m_samples[i]))
                    continue;
                // Its lines to the samples either side, its mark, and the
                // few pixels about the sample that the check looks at.
                for (int j : {i - 1, i + 1})
                    apart = apart && (docIsNoValue(b->m_samples[j]) || Distance(sample, at(*b, i), at(*b, j)) > 7);
                apart = apart && Distance(sample, at(*b, i), at(*b, i)) > 7;
            }
        }
        if (apart)
            return i;
    }
    return -1;
}

} // namespace

TEST_F(GraphView, LiveRunDrawsNewSamplesAloneUntilTheScalesChange)
{
    StartRun(5);
    Settle();
    CdocField* x = Run().m_graph.GetFieldX();
    ASSERT_NE(x, nullptr);
    ASSERT_EQ(x->m_content, CONTENT_ELAPSED_TIME);
    // Each new-data hint: drawn on its own, or anew because the time axis grew.
    float xMax = x->m_now.m_max;
    int drawnAlone = 0;
    int rescaled = 0;
    int rebuiltWithoutCause = 0;
    int rescaledNotRebuilt = 0;
    m_onNewData = [&](bool rebuilt) {
        const bool scaled = x->m_now.m_max != xMax;
        xMax = x->m_now.m_max;
        rescaled += scaled;
        rescaledNotRebuilt += scaled && !rebuilt;
        rebuiltWithoutCause += rebuilt && !scaled;
        drawnAlone += !rebuilt && !scaled;
    };

    // While the readings stay on the time axis, each is drawn on its own.
    const float start = xMax;
    // A loaded machine ticks less often, each tick bringing more readings:
    // wait for the hints, not for a count of readings.
    ASSERT_TRUE(qvtest::PumpUntil([&] { return drawnAlone >= 10 || x->m_now.m_max != start; }));
    ASSERT_EQ(x->m_now.m_max, start) << "the time axis must still hold the run";
    EXPECT_GE(drawnAlone, 10);
    EXPECT_EQ(rebuiltWithoutCause, 0);
    EXPECT_EQ(m_rebuilds, 0);

    // A mark (the M key) is drawn on its own too.
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Key('M'); }));
    EXPECT_TRUE(qvtest::PumpUntil([&] {
        const auto& marks = Run().m_data.m_marks;
        return std::find(marks.begin(), marks.begin() + Run().m_data.m_records, 1) !=
               marks.begin() + Run().m_data.m_records;
    }));
    EXPECT_EQ(m_rebuilds, 0);

    // Once they pass it, the axis grows and the graph is drawn anew.
    ASSERT_TRUE(qvtest::PumpUntil([&] { return rescaled > 0; }));
    EXPECT_EQ(rescaledNotRebuilt, 0);
    EXPECT_GT(x->m_now.m_max, start);
    const int drawn = drawnAlone;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return drawnAlone >= drawn + 5; }));
    EXPECT_EQ(rebuiltWithoutCause, 0);
    m_onNewData = nullptr;

    // The run as the screen shows it, new readings drawn on their own.
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "graph-live-run").empty());
}

TEST_F(GraphView, PendingSamplesAreDrawnOnceAndHintsRepaintOnlyWhenTheyMust)
{
    RecordAndStop(30);
    Settle();

    // Stored samples widen the pending range and draw nothing yet; new data
    // draws them on the window as it is and empties the range.
    EXPECT_FALSE(Rebuilds([&] {
        for (int i : {7, 3, 5})
            Hint(HINT_SAMPLE_UPDATED, i);
        EXPECT_EQ(View()->m_pendingFirst, 3);
        EXPECT_EQ(View()->m_pendingLast, 7);
        Hint(HINT_NEW_DATA);
    }));
    EXPECT_EQ(View()->m_pendingFirst, -1);
    EXPECT_EQ(View()->m_pendingLast, -1);

    // A sample beyond the time axis changes the scales: the whole graph.
    CdocField* x = Run().m_graph.GetFieldX();
    ASSERT_NE(x, nullptr);
    x->m_now.m_max = x->m_samples[20];
    EXPECT_TRUE(Rebuilds([&] {
        Hint(HINT_SAMPLE_UPDATED, 29);
        Hint(HINT_NEW_DATA);
    }));
    EXPECT_EQ(View()->m_pendingLast, -1);
    EXPECT_GT(x->m_now.m_max, x->m_samples[29]);

    struct Case
    {
        int code;
        int data;
        bool rebuild;
    };
    const Case cases[] = {
        {HINT_AXES, -1, true}, // one of the re-attaching codes
        {HINT_GRAPH_REDRAW, -1, true},
        {HINT_STORE_COMPACTED, -1, true},
        {HINT_RUN_STOPPED, -1, true},   // the end of a run: always whole
        {HINT_MARKED, 10, false},       // one mark, drawn alone
        {HINT_NEW_DATA, -1, false},     // nothing pending: the gauges
        {HINT_BOX_VALUES, -1, false},   // codes the graph does not list
        {HINT_VIEW_TABLE, -1, false},
        {HINT_VIEW_DIGITS, -1, false},
        {HINT_CHANNELS_RESET, -1, false},
        {HINT_SCROLL_TO, 5, false},
        {HINT_PREDICT_POINT, -1, false},
        {HINT_SCOPE_SETTINGS, -1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rebuilds([&] { Hint(c.code, c.data); }), c.rebuild) << "hint " << c.code;

    // A hint of the list drops samples still pending.
    EXPECT_TRUE(Rebuilds([&] {
        Hint(HINT_SAMPLE_UPDATED, 4);
        Hint(HINT_SCALES);
    }));
    EXPECT_EQ(View()->m_pendingFirst, -1);

    // An update without hint repaints the window as it is laid out.
    const int paints = m_counter.m_paints;
    EXPECT_FALSE(Rebuilds([&] { Doc()->UpdateAllViews(nullptr, nullptr); }));
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_counter.m_paints > paints; }));
}

TEST_F(GraphView, ClickPlacesAndRemovesTheCursorDragZoomsDoubleClickToggles)
{
    RecordAndStop(40);
    Settle();
    CdocTool& tool = Run().m_tool;
    tool.SetTool(TOOL_POSITION);

    // A click places the cursor; moving it is drawn without a repaint; a
    // second click takes it away.
    const wxPoint centre = PlotAt(0.5f, 0.5f);
    EXPECT_TRUE(Rebuilds([&] { Click(centre.x, centre.y); }));
    EXPECT_TRUE(tool.m_now.m_active);
    EXPECT_NEAR(tool.m_now.m_fracX, 0.5f, 0.02f);
    EXPECT_NEAR(tool.m_now.m_fracY, 0.5f, 0.02f);
    const wxPoint moved = PlotAt(0.25f, 0.75f);
    EXPECT_FALSE(Rebuilds([&] { Mouse(wxEVT_MOTION, moved.x, moved.y); }));
    EXPECT_EQ(tool.m_now.m_msg, TOOL_MSG_MOVED);
    EXPECT_NEAR(tool.m_now.m_fracX, 0.25f, 0.02f);
    EXPECT_TRUE(Rebuilds([&] { Click(centre.x, centre.y); }));
    EXPECT_FALSE(tool.m_now.m_active);

    // A press and a move within the drag distance is no drag.
    const int dragX = std::max(1, wxSystemSettings::GetMetric(wxSYS_DRAG_X, m_window));
    Mouse(wxEVT_LEFT_DOWN, centre.x, centre.y, true);
    Mouse(wxEVT_MOTION, centre.x + dragX, centre.y, true);
    EXPECT_FALSE(tool.m_now.m_dragBox);
    // Beyond it, the zoom rectangle; the release zooms to it.
    CdocField* x = Run().m_graph.GetFieldX();
    const float span = x->m_now.m_max - x->m_now.m_min;
    const wxPoint corner = PlotAt(0.75f, 0.25f);
    EXPECT_FALSE(Rebuilds([&] { Mouse(wxEVT_MOTION, corner.x, corner.y, true); }));
    EXPECT_TRUE(tool.m_now.m_active);
    EXPECT_TRUE(tool.m_now.m_dragBox);
    EXPECT_EQ(tool.m_now.m_msg, TOOL_MSG_DRAGGED);
    EXPECT_TRUE(Rebuilds([&] { Mouse(wxEVT_LEFT_UP, corner.x, corner.y); }));
    EXPECT_FALSE(tool.m_now.m_active);
    EXPECT_EQ(Run().m_graph.m_scaleZoomed, SCALE_ZOOMED);
    EXPECT_LT(x->m_now.m_max - x->m_now.m_min, span * 0.4f);

    // A double click in the plot goes to the automatic zoom and back to the
    // default; elsewhere it only hides the cursor.
    Mouse(wxEVT_LEFT_DCLICK, centre.x, centre.y);
    EXPECT_EQ(Run().m_graph.m_scaleZoomed, SCALE_DEFAULT_RESTORED);
    Mouse(wxEVT_LEFT_DCLICK, centre.x, centre.y);
    EXPECT_EQ(Run().m_graph.m_scaleZoomed, SCALE_AUTO);
    Mouse(wxEVT_LEFT_DCLICK, centre.x, centre.y);
    EXPECT_EQ(Run().m_graph.m_scaleZoomed, SCALE_DEFAULT);
    Mouse(wxEVT_LEFT_DCLICK, centre.x, centre.y);
    EXPECT_EQ(Run().m_graph.m_scaleZoomed, SCALE_AUTO);
    Click(centre.x, centre.y);
    ASSERT_TRUE(tool.m_now.m_active);
    const wxPoint below = AreaPoint(HIT_AXIS_X);
    Mouse(wxEVT_LEFT_DCLICK, below.x, below.y);
    EXPECT_FALSE(tool.m_now.m_active);
    EXPECT_EQ(Run().m_graph.m_scaleZoomed, SCALE_AUTO);

    // Other buttons, and a right press, take the cursor away too.
    for (wxEventType type : {wxEVT_MIDDLE_DOWN, wxEVT_RIGHT_DOWN, wxEVT_AUX1_UP}) {
        Click(centre.x, centre.y);
        ASSERT_TRUE(tool.m_now.m_active);
        Mouse(type, centre.x, centre.y);
        EXPECT_FALSE(tool.m_now.m_active);
    }
}

TEST_F(GraphView, CaptionsPostTheirScaleCommandsWhenTheLevelAllows)
{
    RecordAndStop(10);
    Settle();
    std::map<int, int> posted;
    // Counted where the document would open the dialogs.
    for (int id : {ID_SCALE_X_EDIT, ID_SCALE_LEFT_EDIT, ID_SCALE_RIGHT_EDIT, ID_EDIT_TITLE_INPLACE})
        Doc()->Bind(wxEVT_MENU, [&posted, id](wxCommandEvent&) { ++posted[id]; }, id);
    struct Case
    {
        int level;
        int area;
        int command; // 0: none
    };
    const Case cases[] = {
        {4, HIT_AXIS_X, ID_SCALE_X_EDIT},     {4, HIT_AXIS_LEFT, ID_SCALE_LEFT_EDIT},
        {4, HIT_AXIS_RIGHT, ID_SCALE_RIGHT_EDIT}, {4, HIT_TITLE, ID_EDIT_TITLE_INPLACE},
        {2, HIT_AXIS_X, 0},                   {2, HIT_AXIS_LEFT, ID_SCALE_LEFT_EDIT},
        {2, HIT_AXIS_RIGHT, 0},               {2, HIT_TITLE, ID_EDIT_TITLE_INPLACE},
        {4, HIT_GAUGE, 0},
    };
    for (const Case& c : cases) {
        m_app->m_options.SetUserLevel(c.level);
        std::map<int, int> before = posted;
        const wxPoint at = AreaPoint(c.area);
        Click(at.x, at.y);
        if (c.command) {
            EXPECT_TRUE(qvtest::PumpUntil([&] { return posted[c.command] == before[c.command] + 1; }))
                << "level " << c.level << ", area " << c.area;
        }
        // Any other command the click posted is queued by now.
        qvtest::HandlePending();
        int total = 0;
        for (const auto& [id, n] : posted)
            total += n - before[id];
        EXPECT_EQ(total, c.command ? 1 : 0) << "level " << c.level << ", area " << c.area;
    }
    // A release without a press in the window posts nothing.
    const std::map<int, int> before = posted;
    const wxPoint title = AreaPoint(HIT_TITLE);
    Mouse(wxEVT_LEFT_UP, title.x, title.y);
    qvtest::HandlePending();
    EXPECT_EQ(posted, before);
    m_app->m_options.SetUserLevel(4);
}

TEST_F(GraphView, RightClickOnAnAxisOffersItsChannels)
{
    RecordAndStop(10);
    Settle();
    CdocGraph& graph = Run().m_graph;
    std::string shown;
    int choose = wxID_NONE;
    gumSetPopupMenuHook([&](wxWindow* window, wxMenu& menu) {
        EXPECT_EQ(window, m_window);
        shown.clear();
        for (const wxMenuItem* item : menu.GetMenuItems()) {
            if (!shown.empty())
                shown += "|";
            shown += item->IsSeparator() ? std::string("-") : item->GetItemLabelText().ToStdString();
            if (item->IsCheckable() && item->IsChecked())
                shown += "*";
        }
        return choose;
    });
    auto title = [&](CdocField* field) {
        return field->GetTitle(Run().m_data.m_fields.GetLetterNumber(field)).ToStdString();
    };
    CdocFieldKey elapsed;
    ASSERT_TRUE(Run().m_data.m_fields.FindContent(elapsed, 0, CONTENT_ELAPSED_TIME));
    CdocFieldKey reading;
    const bool hasReading = Run().m_data.m_fields.FindContent(reading, 0, CONTENT_READING);
    std::vector<CdocField*> sensors;
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n)
        if (Run().m_data.m_fields.GetAt(n)->m_content == CONTENT_SENSOR)
            sensors.push_back(Run().m_data.m_fields.GetAt(n));
    ASSERT_EQ(sensors.size(), 4u);
    ASSERT_EQ(graph.GetFieldL(), sensors[0]);

    // The left axis: the sensor channels, "None"; the left channel ticked.
    std::string expected;
    for (CdocField* sensor : sensors)
        expected += title(sensor) + (sensor == sensors[0] ? "*|" : "|");
    choose = ID_PICK_CHANNEL_FIRST + 2;
    wxPoint at = AreaPoint(HIT_AXIS_LEFT);
    RightClick(at.x, at.y);
    EXPECT_EQ(shown, expected + "-|None");
    EXPECT_EQ(graph.GetFieldL(), sensors[2]);
    // "None" takes the right axis's channel away.
    graph.SetFieldR(sensors[1]);
    choose = ID_PICK_NONE;
    at = AreaPoint(HIT_AXIS_RIGHT);
    RightClick(at.x, at.y);
    EXPECT_EQ(graph.GetFieldR(), nullptr);

    // The x axis: the index channels too, and "Time and Date" but no "None".
    expected.clear();
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n) {
        CdocField* field = Run().m_data.m_fields.GetAt(n);
        expected += title(field) + (field == elapsed.m_field ? "*|" : "|");
    }
    (void)hasReading;
    choose = ID_PICK_NONE;
    at = AreaPoint(HIT_AXIS_X);
    RightClick(at.x, at.y);
    EXPECT_EQ(shown, expected + "-|Time and Date");
    EXPECT_TRUE(Run().m_graphTimeAndDate);
    EXPECT_EQ(graph.GetFieldX(), elapsed.m_field);
    // Shown as time and date, no channel is ticked but "Time and Date".
    Settle();
    at = AreaPoint(HIT_AXIS_X);
    choose = wxID_NONE;
    RightClick(at.x, at.y);
    EXPECT_NE(shown.find("-|Time and Date*"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("*|"), std::string::npos) << shown;
    EXPECT_TRUE(Run().m_graphTimeAndDate);

    // In the plot, the graph menu; on a gauge, nothing.
    shown.clear();
    at = AreaPoint(HIT_PLOT);
    RightClick(at.x, at.y);
    EXPECT_NE(shown.find("Auto Zoom"), std::string::npos) << shown;
    shown.clear();
    at = AreaPoint(HIT_GAUGE);
    RightClick(at.x, at.y);
    EXPECT_EQ(shown, "");
    // Where the level does not allow the x axis's scale, no list.
    m_app->m_options.SetUserLevel(2);
    at = AreaPoint(HIT_AXIS_X);
    RightClick(at.x, at.y);
    EXPECT_EQ(shown, "");
    m_app->m_options.SetUserLevel(4);
}

TEST_F(GraphView, LinesPointsBarsColourSchemesAndZoom)
{
    RecordAndStop(60);
    Settle();
    CdocGraph& graph = Run().m_graph;
    // The readings are the simulated logger's: two traces may meet anywhere.
    const int record = RecordApart(Layout(), Run(), 10, 50);
    ASSERT_GE(record, 0) << "no record where the traces keep apart";
    // Each trace channel's reading shows in the channel's colour at its place.
    auto expectSamples = [&](const wxImage& image, const char* what) {
        const auto pixels = SamplePixels(Layout(), Run(), record);
        EXPECT_GE(pixels.size(), 2u) << what;
        for (const auto& [at, colour] : pixels)
            EXPECT_TRUE(ColourNear(image, at.x, at.y, colour)) << what << " at " << at.x << "," << at.y;
    };
    auto restyle = [&](bool lines, bool points, bool bars) {
        graph.m_lines = lines;
        graph.m_points = points;
        graph.m_bars = bars;
        EXPECT_TRUE(Rebuilds([&] { Hint(HINT_GRAPH_STYLE); }));
    };

    expectSamples(Snapshot("graph-lines"), "lines");
    restyle(false, true, false);
    expectSamples(Snapshot("graph-points"), "points");

    // Bars rise from the bottom of the plot, in each channel's colour.
    restyle(false, false, true);
    const wxImage bars = Snapshot("graph-bars");
    const CgrnGraph& g = Layout();
    const wxRect plot(g.m_plotLeft, g.m_plotTop, g.m_plotRight - g.m_plotLeft, g.m_plotBottom - g.m_plotTop);
    int barPixels = 0;
    for (int x = g.m_plotLeft + 1; x < g.m_plotRight; ++x)
        barPixels += Distance(bars, x, g.m_plotBottom - 1, *wxWHITE) > 60;
    EXPECT_GT(barPixels, (g.m_plotRight - g.m_plotLeft) / 2);
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n) {
        const CdocField& field = *Run().m_data.m_fields.GetAt(n);
        if (g.IsTraceChannel(&field)) {
            EXPECT_GT(CountColour(bars, plot, ColourOf(field)), 400) << field.m_name;
        }
    }

    // The high-contrast scheme gives the channels other colours; they follow.
    restyle(true, false, false);
    std::vector<CdocColour> standard;
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n)
        standard.push_back(Run().m_data.m_fields.GetAt(n)->m_colour);
    EXPECT_TRUE(Rebuilds([&] { Run().m_data.SetColourScheme(1); }));
    int changed = 0;
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n)
        changed += Run().m_data.m_fields.GetAt(n)->m_colour != standard[size_t(n)];
    EXPECT_GT(changed, 0);
    expectSamples(Snapshot("graph-high-contrast"), "high contrast");
    EXPECT_TRUE(Rebuilds([&] { Run().m_data.SetColourScheme(0); }));
    expectSamples(Snapshot("graph-standard-colours"), "standard");

    // A zoom rectangle, then the zoomed graph.
    CdocField* x = Run().m_graph.GetFieldX();
    const float span = x->m_now.m_max - x->m_now.m_min;
    const wxPoint from = PlotAt(0.2f, 0.8f);
    const wxPoint to = PlotAt(0.6f, 0.3f);
    Mouse(wxEVT_LEFT_DOWN, from.x, from.y, true);
    Mouse(wxEVT_MOTION, to.x, to.y, true);
    ASSERT_TRUE(Run().m_tool.m_now.m_dragBox);
    const wxImage box = Snapshot("graph-zoom-rectangle");
    // Its corners lie where the gesture went.
    EXPECT_TRUE(ColourNear(box, to.x, to.y, *wxBLACK, 1));
    EXPECT_TRUE(ColourNear(box, from.x, to.y, *wxBLACK, 1));
    Mouse(wxEVT_LEFT_UP, to.x, to.y);
    EXPECT_EQ(graph.m_scaleZoomed, SCALE_ZOOMED);
    EXPECT_NEAR(x->m_now.m_max - x->m_now.m_min, 0.4f * span, 0.05f * span);
    Settle();
    const wxImage zoomed = Snapshot("graph-zoomed");
    const auto pixels = SamplePixels(Layout(), Run(), record);
    for (const auto& [at, colour] : pixels)
        EXPECT_TRUE(ColourNear(zoomed, at.x, at.y, colour)) << "zoomed at " << at.x << "," << at.y;
}

TEST_F(GraphView, EachToolShowsItsCursorsAndItsReadingInTheGauges)
{
    RecordAndStop(60);
    Settle();
    CdocTool& tool = Run().m_tool;
    const struct
    {
        int type;
        const char* name;
    } tools[] = {{TOOL_POSITION, "position"}, {TOOL_READING, "reading"}, {TOOL_CHANGE, "change"},
                 {TOOL_DIFFERENCE, "difference"}, {TOOL_GRADIENT, "gradient"}, {TOOL_AREA, "area"}};
    for (const auto& t : tools) {
        SCOPED_TRACE(t.name);
        tool.SetTool(t.type);
        ASSERT_EQ(tool.m_now.m_tool, t.type);
        const wxPoint placed = PlotAt(0.3f, 0.35f);
        const wxPoint now = PlotAt(0.65f, 0.7f);
        Click(placed.x, placed.y);
        ASSERT_TRUE(tool.m_now.m_active);
        Settle();
        EXPECT_FALSE(Rebuilds([&] { Mouse(wxEVT_MOTION, now.x, now.y); }));
        const wxImage image = Snapshot(std::string("graph-tool-") + t.name);

        // The first cursor: a line down the plot at its place.
        const CgrnGraph& g = Layout();
        const int cursorX = g.FractionToX(tool.m_now.m_fracX);
        EXPECT_TRUE(ColourNear(image, cursorX, g.m_plotTop + 3, *wxBLACK, 0));
        EXPECT_TRUE(ColourNear(image, cursorX, g.m_plotBottom - 3, *wxBLACK, 0));

        // Each gauge shows the tool's reading of its channel.
        int gauge = 0;
        for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n) {
            CdocField& field = *Run().m_data.m_fields.GetAt(n);
            if (!g.IsTraceChannel(&field))
                continue;
            wxString text;
            const float value = tool.GetCursorText(text, &field);
            const int left = g.m_gaugeLeft + gauge * g.m_gaugeStep;
            ++gauge;
            if (docIsNoValue(value))
                continue;
            const float fraction = field.m_now.ToFraction(value);
            if (fraction < 0.1f || fraction > 0.9f)
                continue;
            const int height = g.m_plotBottom - g.m_plotTop + 1;
            const int level = g.m_plotTop + height - int(fraction * float(height));
            const int middle = left + g.m_gaugeWidth / 2;
            EXPECT_TRUE(ColourNear(image, middle, level + 4, ColourOf(field), 0)) << field.m_name;
            EXPECT_TRUE(ColourNear(image, middle, level - 4, *wxWHITE, 0)) << field.m_name;
        }
        EXPECT_GE(gauge, 2);
        Click(now.x, now.y);
        EXPECT_FALSE(tool.m_now.m_active);
    }
}

TEST_F(GraphView, PrintsThePageThroughARendererOfItsOwn)
{
    RecordAndStop(60);
    Settle();
    const wxRect screenRect = Layout().m_rect;
    const int plotRight = Layout().m_plotRight;
    Hint(HINT_SAMPLE_UPDATED, 12);

    std::unique_ptr<wxPrintout> printout(View()->OnCreatePrintout());
    ASSERT_NE(dynamic_cast<CgumDocPrintout*>(printout.get()), nullptr);
    const std::string dir = qvtest::MakeTempDir("graphprint");
    const std::string pdf = dir + "/graph.pdf";
    ASSERT_TRUE(qvtest::PrintToPdf(*printout, pdf));

    // The screen's graph is as it was.
    EXPECT_TRUE(Layout().m_layoutValid);
    EXPECT_EQ(Layout().m_rect, screenRect);
    EXPECT_EQ(Layout().m_plotRight, plotRight);
    EXPECT_EQ(View()->m_pendingFirst, 12);

    // The page, as an image: the traces in the channels' colours.
    const std::string png = std::string(QV_SCREENSHOT_DIR) + "/graph-print";
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    ASSERT_EQ(std::system(("pdftoppm -png -r 96 -singlefile '" + pdf + "' '" + png + "'").c_str()), 0);
    wxImage page(png + ".png", wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(page.IsOk());
    EXPECT_GT(page.GetHeight(), page.GetWidth());
    int traces = 0;
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n) {
        CdocField& field = *Run().m_data.m_fields.GetAt(n);
        if (!Layout().IsTraceChannel(&field))
            continue;
        EXPECT_GT(CountColour(page, wxRect(page.GetSize()), ColourOf(field)), 100) << field.m_name;
        ++traces;
    }
    EXPECT_GE(traces, 2);
}

TEST_F(GraphView, PrintPreviewShowsTheGraphOnItsPage)
{
    RecordAndStop(60);
    Settle();
    ASSERT_NE(m_app->m_docManager->GetPrintData(), nullptr);
    wxPrintDialogData data(*m_app->m_docManager->GetPrintData());
    // As the Print Preview command makes it.
    auto* preview = new wxPrintPreview(View()->OnCreatePrintout(), View()->OnCreatePrintout(), &data);
    ASSERT_TRUE(preview->IsOk());
    auto* frame = new wxPreviewFrame(preview, m_app->m_frame, "Print Preview", wxDefaultPosition, wxSize(700, 950));
    frame->Initialize();
    frame->SetSize(wxSize(700, 950));
    ASSERT_NE(preview->GetCanvas(), nullptr);
    ASSERT_TRUE(preview->RenderPage(1));

    // The page as the preview's canvas paints it.
    const wxSize size = preview->GetCanvas()->GetClientSize();
    wxBitmap bitmap(std::max(size.x, 100), std::max(size.y, 100), 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxLIGHT_GREY_BRUSH);
        dc.Clear();
        preview->PaintPage(preview->GetCanvas(), dc);
    }
    const wxImage page = bitmap.ConvertToImage();
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    EXPECT_TRUE(page.SaveFile(std::string(QV_SCREENSHOT_DIR) + "/graph-print-preview.png", wxBITMAP_TYPE_PNG));
    int traces = 0;
    for (int n = 0; n < Run().m_data.m_fields.GetCount(); ++n) {
        CdocField& field = *Run().m_data.m_fields.GetAt(n);
        if (!Layout().IsTraceChannel(&field))
            continue;
        EXPECT_GT(CountColour(page, wxRect(page.GetSize()), ColourOf(field)), 50) << field.m_name;
        ++traces;
    }
    EXPECT_GE(traces, 2);
    EXPECT_TRUE(qvtest::CloseWindow(frame));
}

TEST_F(GraphView, AnAnnotationFollowsThePointerUntilAPressPlacesIt)
{
    RecordAndStop(40);
    Settle();
    CdocTool& tool = Run().m_tool;
    CdocField* y = Run().m_graph.GetFieldL();
    ASSERT_NE(y, nullptr);
    EXPECT_TRUE(Rebuilds([&] { Run().m_annotations.BeginPlace("Here", Run().m_graph.GetFieldX(), y); }));
    ASSERT_TRUE(tool.m_now.m_active);
    ASSERT_TRUE(tool.m_now.m_annotate);

    // Following the pointer repaints only where the text was and is.
    const wxPoint at = PlotAt(0.4f, 0.6f);
    EXPECT_FALSE(Rebuilds([&] { Mouse(wxEVT_MOTION, at.x, at.y); }));
    EXPECT_NEAR(tool.m_now.m_fracX, 0.4f, 0.02f);
    Snapshot("graph-annotation-placing");

    // The press places it there; its release places no cursor.
    EXPECT_TRUE(Rebuilds([&] { Click(at.x, at.y); }));
    EXPECT_FALSE(tool.m_now.m_active);
    ASSERT_EQ(Run().m_annotations.m_count, 1);
    const CdocAnnotation& placed = Run().m_annotations.m_slots[0];
    EXPECT_NEAR(placed.m_y, y->m_now.m_min + 0.6f * (y->m_now.m_max - y->m_now.m_min),
                0.02f * (y->m_now.m_max - y->m_now.m_min));
    Settle();
    const wxImage image = Snapshot("graph-annotation");
    // The text starts at the place, in the channel's colour.
    const CgrnGraph& g = Layout();
    wxRect text(g.ValueToX(placed.m_x), g.ValueToY(*y, placed.m_y) - g.m_textHeight / 2, 4 * g.m_textHeight,
                g.m_textHeight);
    EXPECT_GT(CountColour(image, text, ColourOf(*y)), 5);
}

TEST_F(GraphView, UnderAShownCursorNewSamplesAreStillDrawnOnTheirOwn)
{
    StartRun(5);
    Settle();
    CdocTool& tool = Run().m_tool;
    tool.SetTool(TOOL_DIFFERENCE);
    const wxPoint placed = PlotAt(0.7f, 0.6f);
    EXPECT_TRUE(Rebuilds([&] { Click(placed.x, placed.y); }));
    ASSERT_TRUE(tool.m_now.m_active);
    Settle();
    const wxPoint moved = PlotAt(0.8f, 0.3f);
    EXPECT_FALSE(Rebuilds([&] { Mouse(wxEVT_MOTION, moved.x, moved.y); }));

    // The readings go onto the picture under the cursors, and the window
    // shows it again, cursors on top, without the graph drawn anew.
    CdocField* x = Run().m_graph.GetFieldX();
    const float xMax = x->m_now.m_max;
    const int from = Run().m_data.m_records;
    const int rebuilds = m_rebuilds;
    const int paints = m_counter.m_paints;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return Run().m_data.m_records >= from + 20; }));
    ASSERT_EQ(x->m_now.m_max, xMax);
    EXPECT_EQ(m_rebuilds, rebuilds);
    EXPECT_TRUE(tool.m_now.m_active);
    EXPECT_GT(m_counter.m_paints, paints);
    ASSERT_TRUE(View()->m_pictureValid);
    const wxImage picture = View()->m_picture.ConvertToImage();
    const auto pixels = SamplePixels(Layout(), Run(), Run().m_data.m_records - 1);
    ASSERT_GE(pixels.size(), 2u);
    for (const auto& [at, colour] : pixels)
        EXPECT_TRUE(ColourNear(picture, at.x, at.y, colour)) << at.x << "," << at.y;
    // The picture has no cursor in it: the cursor's column is white where no
    // trace crosses it.
    const CgrnGraph& g = Layout();
    const int cursorX = g.FractionToX(tool.m_now.m_fracX);
    int white = 0;
    for (int y = g.m_plotTop + 1; y < g.m_plotBottom; ++y)
        white += Distance(picture, cursorX, y, *wxWHITE) == 0;
    EXPECT_GT(white, (g.m_plotBottom - g.m_plotTop) / 3);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "graph-live-run-with-cursors").empty());
}
