// The master view: it makes the six panel views, attaches them to the
// panels' drawing windows, lets every hint reach them and detaches them when
// the document closes.
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "views/gumView.h"
#include "views/guvBoxesPanel.h"
#include "views/guvBoxesView.h"
#include "views/guvBoxesWin.h"
#include "views/guvDigitsPanel.h"
#include "views/guvDigitsView.h"
#include "views/guvDigitsWin.h"
#include "views/guvGraphPanel.h"
#include "views/guvGraphView.h"
#include "views/guvGraphWin.h"
#include "views/guvMeterPanel.h"
#include "views/guvMeterView.h"
#include "views/guvMeterWin.h"
#include "views/guvScopePanel.h"
#include "views/guvScopeTrigger.h"
#include "views/guvScopeView.h"
#include "views/guvScopeWin.h"
#include "views/guvTablePanel.h"
#include "views/guvTableView.h"
#include "views/guvTableWin.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// Counts a window's paint events; the window still paints.
class PaintCounter : public wxEvtHandler
{
public:
    PaintCounter() { Bind(wxEVT_PAINT, &PaintCounter::OnPaint, this); }
    void OnPaint(wxPaintEvent& event)
    {
        ++m_paints;
        event.Skip();
    }
    int m_paints = 0;
};

enum
{
    METER,
    GRAPH,
    TABLE,
    DIGITS,
    SCOPE,
    BOXES,
    PANELS
};

const char* const kViewClasses[PANELS] = {"CguvMeterView", "CguvGraphView", "CguvTableView",
                                          "CguvDigitsView", "CguvScopeView", "CguvBoxesView"};

class MasterView : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<qvtest::CtestBoxes>();
        ASSERT_TRUE(qvtest::WaitForLoggerSearch(*m_app));
        m_content = m_app->m_frame->m_content;
    }

    void TearDown() override
    {
        for (size_t i = 0; i < m_counted.size(); ++i)
            m_counted[i]->PopEventHandler();
        if (CgumDoc* doc = m_app->GetCurrentDocument())
            doc->Modify(false);
        EXPECT_TRUE(qvtest::CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
    }

    CgumDoc* Doc() { return m_app->GetCurrentDocument(); }

    std::array<wxWindow*, PANELS> Windows()
    {
        return {m_content->m_meterPanel->m_window, m_content->m_graphPanel->m_window,
                m_content->m_tablePanel->m_window,  m_content->m_digitsPanel->m_window,
                m_content->m_scopePanel->m_window,  m_content->m_boxesPanel->m_window};
    }

    std::array<wxView*, PANELS> AttachedViews()
    {
        return {m_content->m_meterPanel->m_window->m_view, m_content->m_graphPanel->m_window->m_view,
                m_content->m_tablePanel->m_window->m_view,  m_content->m_digitsPanel->m_window->m_view,
                m_content->m_scopePanel->m_window->m_view,  m_content->m_boxesPanel->m_window->m_view};
    }

    // Every panel shown, each window's paints counted (the grid paints in its
    // cell window).
    void ShowAndCountAll()
    {
        for (wxWindow* panel : std::initializer_list<wxWindow*>{m_content->m_meterPanel, m_content->m_graphPanel,
                                                                m_content->m_tablePanel, m_content->m_digitsPanel,
                                                                m_content->m_scopePanel, m_content->m_boxesPanel})
            panel->Show();
        m_content->Layout();
        const auto windows = Windows();
        for (int i = 0; i < PANELS; ++i) {
            wxWindow* painted = i == TABLE ? m_content->m_tablePanel->m_window->GetGridWindow() : windows[size_t(i)];
            painted->PushEventHandler(&m_counters[size_t(i)]);
            m_counted.push_back(painted);
            m_painted[size_t(i)] = painted;
        }
        ASSERT_TRUE(qvtest::PumpUntil([&] {
            for (wxWindow* window : m_painted)
                if (!window->IsShownOnScreen())
                    return false;
            return true;
        }));
        qvtest::Pump(100);
        // Panels just shown lay out their controls for a while: measure once
        // every window is left alone.
        bool settled = false;
        for (int round = 0; round < 100 && !settled; ++round)
            settled = PaintedBy([] {}).empty();
        ASSERT_TRUE(settled);
    }

    // The panels whose windows were painted after the action, as letters in
    // panel order (M G T D S B). Pending repaints are done first.
    std::string PaintedBy(const std::function<void()>& act, int pumpMs = 20)
    {
        for (wxWindow* window : m_painted)
            window->Update();
        std::array<int, PANELS> before{};
        for (int i = 0; i < PANELS; ++i)
            before[size_t(i)] = m_counters[size_t(i)].m_paints;
        act();
        for (wxWindow* window : m_painted)
            window->Update();
        qvtest::Pump(pumpMs);
        for (wxWindow* window : m_painted)
            window->Update();
        std::string out;
        for (int i = 0; i < PANELS; ++i)
            if (m_counters[size_t(i)].m_paints != before[size_t(i)])
                out += "MGTDSB"[i];
        return out;
    }

    // The same, asked again until the answer is the expected one: another
    // program's window that uncovers ours repaints it too, but not every
    // time, and a loaded machine may be slow to paint, so an attempt that
    // missed a panel waits longer the next time. What the action needs
    // beforehand is set up again for each attempt, outside the count.
    std::string Painted(const std::function<void()>& act, const std::string& expected,
                        const std::function<void()>& prepare = {})
    {
        std::string painted;
        int pumpMs = 20;
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (prepare) {
                prepare();
                PaintedBy([] {}, pumpMs);
            }
            painted = PaintedBy(act, pumpMs);
            if (painted == expected)
                break;
            const bool missed = std::any_of(expected.begin(), expected.end(), [&](char letter) {
                return painted.find(letter) == std::string::npos;
            });
            if (missed)
                pumpMs = std::min(pumpMs * 10, 2000);
        }
        return painted;
    }

    std::unique_ptr<qvtest::CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
    CgumWin* m_content = nullptr;
    std::array<PaintCounter, PANELS> m_counters;
    std::array<wxWindow*, PANELS> m_painted{};
    std::vector<wxWindow*> m_counted;
};

} // namespace

TEST_F(MasterView, MakesTheSixPanelViewsAndDetachesThemOnClose)
{
    CgumDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    // The framework's one view comes first, then the panel views in panel order.
    const wxList& views = doc->GetViews();
    ASSERT_EQ(views.GetCount(), 7u);
    auto* master = dynamic_cast<CgumView*>(static_cast<wxView*>(views.GetFirst()->GetData()));
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(m_content->m_view, master);
    EXPECT_EQ(master->m_frame, m_app->m_frame);
    const auto windows = Windows();
    const auto attached = AttachedViews();
    wxList::compatibility_iterator node = views.GetFirst()->GetNext();
    for (int i = 0; i < PANELS; ++i, node = node->GetNext()) {
        SCOPED_TRACE(kViewClasses[i]);
        auto* view = dynamic_cast<CguvView*>(static_cast<wxView*>(node->GetData()));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->GetClassInfo()->GetClassName(), wxString(kViewClasses[i]));
        EXPECT_EQ(attached[size_t(i)], view);
        EXPECT_EQ(view->m_master, master);
        EXPECT_EQ(view->GetWindow(), windows[size_t(i)]);
        EXPECT_EQ(view->GetDocument(), doc);
        EXPECT_EQ(view->GetDocDoc(), &doc->m_doc);
        wxRect rect;
        view->GetClientRect(nullptr, rect);
        EXPECT_EQ(rect, wxRect(wxPoint(0, 0), windows[size_t(i)]->GetClientSize()));
    }
    EXPECT_EQ(master->GetMeterWin(), windows[METER]);
    EXPECT_EQ(master->GetBoxesWin(), windows[BOXES]);
    // The graph view's renderer works on the document's data.
    EXPECT_EQ(m_content->m_graphPanel->m_window->m_view->m_renderer.m_doc, &doc->m_doc);

    // Closed: no window has a view, the title has no document.
    ASSERT_TRUE(m_app->m_docManager->CloseDocuments(false));
    for (wxView* view : AttachedViews())
        EXPECT_EQ(view, nullptr);
    EXPECT_EQ(m_content->m_view, nullptr);
    EXPECT_EQ(m_app->m_frame->GetTitle(), "Quorvanti");
    // Paint and mouse events now reach no view.
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    m_content->m_graphPanel->m_window->GetEventHandler()->ProcessEvent(click);
    m_content->m_graphPanel->m_window->Refresh();
    // The oscilloscope's trigger indicator paints by itself: it lets go too.
    EXPECT_EQ(m_content->m_scopePanel->m_trigger->m_view, nullptr);
    m_content->m_scopePanel->m_trigger->UpdateIndicator();
    qvtest::Pump(50);

    // A new document is attached afresh.
    wxCommandEvent create(wxEVT_MENU, wxID_NEW);
    m_app->m_frame->GetEventHandler()->ProcessEvent(create);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_view != nullptr; }));
    for (wxView* view : AttachedViews())
        EXPECT_NE(view, nullptr);
    EXPECT_EQ(Doc()->GetViews().GetCount(), 7u);
}

TEST_F(MasterView, EveryHintReachesEachPanelViewWhichRepaintsOnlyForItsOwnCodes)
{
    Doc()->m_doc.m_viewTable = true;
    Doc()->m_doc.m_viewDigits = true;
    Doc()->m_doc.SetState(DOC_STATE_STOPPED);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_digitsPanel->IsShown(); }));
    ShowAndCountAll();
    CdocDoc& run = Doc()->m_doc;

    auto hint = [&](int code, void* data) {
        return [&run, code, data] { run.UpdateViews(code, data); };
    };
    CdocTableMessage rows{TABLE_ROWS_APPENDED, 1, 0};
    CdocTableMessage columns{TABLE_COLS_APPENDED, 1, 0};
    // An update without hint repaints every panel.
    EXPECT_EQ(Painted([&] { Doc()->UpdateAllViews(nullptr, nullptr); }, "MGTDSB"), "MGTDSB");

    run.m_activity = ACTIVITY_AUTOLOG;
    struct Case
    {
        int code;
        void* data;
        const char* painted;
    };
    const Case cases[] = {
        {HINT_BOX_VALUES, nullptr, "M"},
        {HINT_STORE_COMPACTED, nullptr, "G"},
        {HINT_OPTIONS, nullptr, "MGTDB"},
        {HINT_AXES, nullptr, "GDB"},
        {HINT_CHANNEL_VALUES, nullptr, "MGT"},
        {HINT_CHANNEL_LAYOUT, nullptr, "MGDB"},
        {HINT_DATA_RESET, nullptr, "T"},
        {HINT_TABLE_MESSAGE, &rows, ""},
        {HINT_TABLE_MESSAGE, &columns, "DB"},
        {HINT_RUN_STARTED, nullptr, "GTDB"},
        {HINT_SCOPE_DRAW, nullptr, ""}, // the oscilloscope's, but not its activity
        {HINT_VIEW_TABLE, nullptr, ""},
        {HINT_VIEW_DIGITS, nullptr, ""},
        {HINT_PREDICT_ON, nullptr, ""},
        {HINT_PREDICT_CLEARED, nullptr, ""},
        {99, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Painted(hint(c.code, c.data), c.painted), c.painted) << "hint " << c.code;

    // The table rebuilds on a channel reset only after a column change.
    EXPECT_EQ(Painted(hint(HINT_CHANNELS_RESET, nullptr), ""), "");
    EXPECT_EQ(Painted(hint(HINT_CHANNELS_RESET, nullptr), "T", hint(HINT_TABLE_MESSAGE, &columns)), "T");

    // The tool: a placed cursor repaints the digits and boxes, a moved one not.
    run.m_tool.m_now.m_msg = TOOL_MSG_PLACED;
    EXPECT_EQ(Painted(hint(HINT_TOOL, nullptr), "GDB"), "GDB");
    run.m_tool.m_now.m_msg = TOOL_MSG_MOVED;
    EXPECT_EQ(Painted(hint(HINT_TOOL, nullptr), ""), "");
    run.m_tool.m_now.m_msg = TOOL_MSG_NONE;

    // In its own activity the oscilloscope takes its codes.
    run.m_activity = ACTIVITY_SCOPE;
    EXPECT_EQ(Painted(hint(HINT_SCOPE_DRAW, nullptr), "S"), "S");
    EXPECT_EQ(Painted(hint(HINT_RUN_RESET, nullptr), "GTDSB"), "GTDSB");
    EXPECT_EQ(Painted(hint(HINT_SCOPE_SETTINGS, nullptr), ""), "");
    run.m_activity = ACTIVITY_AUTOLOG;
}
