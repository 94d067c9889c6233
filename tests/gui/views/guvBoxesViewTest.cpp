// The boxes panel's view: clicks on a box, its hints and its window, on a
// window of its own; and the boxes panel of the running program before,
// during and after an AutoLog run.
#include "app/appOptions.h"
#include "app/barActivity.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "views/guvBoxesPanel.h"
#include "views/guvBoxesView.h"
#include "views/guvBoxesWin.h"
#include "gui/views/testViewOnWindow.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include <wx/frame.h>
#include <wx/image.h>

namespace {

// The boxes view on a window of the fixture, with the document's answers to
// clicks recorded instead of carried out.
class TestBoxesView : public qvtest::CtestViewOnWindow<CguvBoxesView>
{
public:
    void ShowChannelDetails(const CdocFieldKey& key) override { m_details.push_back(key.m_key); }
    void ShowChannelOpsMenu(const CdocFieldKey& key) override { m_menus.push_back(key.m_key); }

    std::vector<int> m_details;
    std::vector<int> m_menus;
};

class BoxesView : public qvtest::CtestViewFrame<TestBoxesView, CguvBoxesWin>
{
protected:
    void SetUp() override
    {
        OpenFrame("Boxes", wxSize(300, 400));
        if (HasFatalFailure())
            return;
        qvtest::CreateApp().m_options.SetUserLevel(4);
        CdocDoc& doc = Doc();
        doc.m_state = DOC_STATE_STOPPED;
        doc.m_boxInfo.m_info.m_hardware = BOX_TYPE_SIMULATED;
        CdocFieldV& fields = doc.m_data.m_fields;
        m_time = fields.GetAt(fields.Add(1));
        m_time->InitElapsedTime();
        CxhwSensor sensor;
        sensor.m_idCode = 20;
        sensor.m_calib.m_ident = 20;
        sensor.m_calib.m_name = "Voltage";
        sensor.m_calib.m_units = "V";
        m_sensor = fields.GetAt(fields.Add(1));
        m_sensor->InitSensor(0, sensor);
        m_sensor->m_show = true;
        m_sensor->m_colour = CdocColour(0, 0, 200);
        doc.m_viewTimeAndDate = true;
        doc.m_data.m_startDate = 20240305;
        doc.m_data.m_startTime = 93005;
        ShowView();
        if (HasFatalFailure())
            return;
        // Elapsed time, time and date, the sensor.
        ASSERT_EQ(m_view->m_renderer.m_count, 3);
    }

    const CgrnBoxes& R() { return m_view->m_renderer; }

    void Click(wxEventType down, wxEventType up, const wxPoint& p)
    {
        Mouse(down, p);
        Mouse(up, p);
    }
    wxPoint Square(int i) { return wxPoint(R().m_symbolLeft + 2, R().GetBoxTop(i) + R().m_boxHeight / 2); }
    wxPoint Text(int i) { return wxPoint(R().m_textLeft + 5, R().m_upperTop + i * R().m_pitch + 1); }

    CdocField* m_time = nullptr;
    CdocField* m_sensor = nullptr;
};

TEST_F(BoxesView, TheSquareShowsAndHidesTheChannel)
{
    ASSERT_FALSE(m_doc->IsModified());
    Click(wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, Square(2));
    EXPECT_FALSE(m_sensor->m_show);
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_FALSE(m_view->m_renderer.m_layoutValid) << "laid out again for the grey texts";
    ASSERT_TRUE(m_view->EnsureLayout());
    Click(wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, Square(2));
    EXPECT_TRUE(m_sensor->m_show);
    EXPECT_TRUE(m_view->m_details.empty());
    m_doc->Modify(false);
}

TEST_F(BoxesView, TheTextsOpenTheChannelDetails)
{
    // The elapsed-time box has no square: its left edge counts as text.
    Click(wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, Square(0));
    Click(wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, Text(2));
    EXPECT_EQ(m_view->m_details, (std::vector<int>{m_time->m_key, m_sensor->m_key}));
    // Not the time and date, nor a level without the feature.
    Click(wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, Text(1));
    wxGetApp().m_options.SetUserLevel(1);
    ASSERT_FALSE(appIsAllowed(FEATURE_CHANNEL_DETAILS));
    Click(wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, Text(2));
    EXPECT_EQ(m_view->m_details.size(), 2u);
    EXPECT_TRUE(m_view->m_menus.empty());
}

TEST_F(BoxesView, TheRightButtonOpensTheOperationsMenu)
{
    Click(wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, Text(1));
    EXPECT_TRUE(m_view->m_menus.empty()) << "time and date";
    Click(wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, Square(2));
    Click(wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, Text(0));
    EXPECT_EQ(m_view->m_menus, (std::vector<int>{m_sensor->m_key, m_time->m_key}));
    EXPECT_TRUE(m_sensor->m_show);
}

TEST_F(BoxesView, HintsThatLayTheBoxesOutAgain)
{
    CdocTableMessage rows{TABLE_ROWS_APPENDED, 0, 0};
    CdocTableMessage columns{TABLE_COLS_APPENDED, 0, 0};
    struct Case
    {
        const char* name;
        int code;
        void* data;
        bool again;
    } cases[] = {
        {"new data", HINT_NEW_DATA, nullptr, false},
        {"values edited", HINT_VALUE_EDITED, nullptr, false},
        {"rows appended", HINT_TABLE_MESSAGE, &rows, false},
        {"columns appended", HINT_TABLE_MESSAGE, &columns, true},
        {"channel added", HINT_CHANNEL_ADDED, nullptr, true},
        {"run started", HINT_RUN_STARTED, nullptr, true},
        {"time and date", HINT_VIEW_TIME_AND_DATE, nullptr, true},
        {"graph title", HINT_TITLE, nullptr, false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_view->EnsureLayout());
        CdocHint hint(c.code, c.data);
        m_view->OnUpdate(nullptr, &hint);
        EXPECT_EQ(!m_view->m_renderer.m_layoutValid, c.again) << c.name;
    }

    // The tool: placing the cursor lays out, moving it only redraws.
    ASSERT_TRUE(m_view->EnsureLayout());
    CdocHint tool(HINT_TOOL, nullptr);
    Doc().m_tool.m_now.m_msg = TOOL_MSG_MOVED;
    m_view->OnUpdate(nullptr, &tool);
    EXPECT_TRUE(m_view->m_renderer.m_layoutValid);
    Doc().m_tool.m_now.m_msg = TOOL_MSG_PLACED;
    m_view->OnUpdate(nullptr, &tool);
    EXPECT_FALSE(m_view->m_renderer.m_layoutValid);
}

TEST_F(BoxesView, TheWindowAsksForRoomForItsTexts)
{
    const wxSize min = m_window->GetMinSize();
    EXPECT_EQ(min, wxSize(21 * m_window->GetCharWidth(), 4 * m_window->GetCharHeight()));
}

// The boxes panel of the running program, with the simulated logger.
class BoxesInProgram : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        CappTest::SetUp();
    }
    void TearDown() override
    {
        CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    CdocDoc& Run() { return m_app->GetCurrentDocument()->m_doc; }

    bool Key(int code)
    {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = code;
        const bool taken = m_app->FilterEvent(key) == 1;
        qvtest::Pump(20);
        return taken;
    }
};

TEST_F(BoxesInProgram, ShowTheReadingsOfAnAutoLogRun)
{
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    CguvBoxesPanel* panel = m_frame->m_content->m_boxesPanel;
    CguvBoxesWin* window = panel->m_window;
    auto* view = dynamic_cast<CguvBoxesView*>(window->m_view);
    ASSERT_TRUE(view);

    // Ready: the activity bar in place of the boxes.
    ASSERT_TRUE(qvtest::PumpUntil([panel] { return panel->IsShownOnScreen(); }));
    EXPECT_TRUE(panel->m_activityBar->IsShown());
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "meter-ready-simulated").empty());

    ASSERT_EQ(Run().m_activity, ACTIVITY_AUTOLOG);
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Key('L'); }));
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_RUNNING; }));
    ASSERT_TRUE(qvtest::PumpUntil([window] { return window->IsShownOnScreen(); }));
    EXPECT_FALSE(panel->m_activityBar->IsShown());
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_data.m_records >= 20; }));
    ASSERT_TRUE(qvtest::PumpUntil([view] { return view->EnsureLayout(); }));
    EXPECT_GE(view->m_renderer.m_count, 2);
    // The elapsed time leads, with its current value.
    CdocFieldKey first = view->m_renderer.m_boxes[0];
    const CdocField* time = Run().m_data.m_fields.Find(first);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->m_content, CONTENT_ELAPSED_TIME);
    wxString current;
    const_cast<CdocField*>(time)->GetCurrentText(current);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return view->m_renderer.m_upperTexts[0] == current || Run().m_data.m_records > 40; }));
    EXPECT_FALSE(view->m_renderer.m_upperTexts[0].empty());
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "boxes-autolog-running").empty());

    ASSERT_TRUE(qvtest::PumpUntil([this] { return Key('P'); }));
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_STOPPED; }));
    ASSERT_TRUE(qvtest::PumpUntil([view] { return view->EnsureLayout(); }));
    // Stopped: the names and units.
    ASSERT_TRUE(qvtest::PumpUntil([&] {
        qvtest::Pump(20);
        return view->m_renderer.m_upperTexts[0] == time->m_name;
    }));
    EXPECT_TRUE(window->IsShown());
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "boxes-autolog-stopped").empty());
}

} // namespace
