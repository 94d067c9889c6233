// The meter panel's view: the mouse over the meter (cursor state, tool tips,
// the pressed button, input switches and channel menus), its hints and its
// screens, on a window of its own; and the meter of the running program.
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "gui/views/testMeterDoc.h"
#include "gui/views/testViewOnWindow.h"
#include "hardware/xhwBoxTypes.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "views/guvMeterPanel.h"
#include "views/guvMeterView.h"
#include "views/guvMeterWin.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include <wx/frame.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace {

const wxColour BLUE(0, 0, 200);
const wxColour GREEN(0, 150, 0);

// The meter view on a window of the fixture, with the document's answers to
// clicks recorded instead of carried out.
class TestMeterView : public qvtest::CtestViewOnWindow<CguvMeterView>
{
public:
    void ToggleChannelInput(const CdocFieldKey& key) override { m_toggled.push_back(key.m_key); }
    void ShowChannelMenu(const CdocFieldKey& key) override { m_menus.push_back(key.m_key); }

    std::vector<int> m_toggled;
    std::vector<int> m_menus;
};

class MeterView : public qvtest::CtestViewFrame<TestMeterView, CguvMeterWin>
{
protected:
    void SetUp() override
    {
        OpenFrame("Meter", wxSize(760, 520));
        if (HasFatalFailure())
            return;
        qvtest::SetUpMeterDoc(Doc());
        m_sensor = &qvtest::AddMeterSensor(Doc(), 0, BLUE, 62.5f);
        m_manual = &qvtest::AddMeterExtra(Doc(), false, GREEN, 30.0f);
        ShowView();
    }

    const CgrnMeter& R() { return m_view->m_renderer; }

    void Click(const wxPoint& p)
    {
        Mouse(wxEVT_MOTION, p);
        Mouse(wxEVT_LEFT_DOWN, p);
        Mouse(wxEVT_LEFT_UP, p);
    }

    // Points of box i: on the bar, the scale labels, the caption rows, the
    // strip above the scale, the sensor icon and the drop-down arrow.
    wxPoint Bar(int i) { return wxPoint(R().m_barLeft + i * R().m_boxWidth + 1, R().m_scaleTop + 20); }
    wxPoint Scale(int i) { return wxPoint(R().m_scaleRight + i * R().m_boxWidth - 3, R().m_scaleTop + 20); }
    wxPoint Caption(int i) { return wxPoint(R().m_ix + i * R().m_boxWidth + 2, R().m_nameLine + 1); }
    wxPoint Strip(int i)
    {
        return wxPoint(R().m_scaleRight + i * R().m_boxWidth - R().m_labelWidth, R().m_scaleTop - 1);
    }
    wxPoint ButtonLeft(int i, bool withSensor)
    {
        const int w = (withSensor ? 32 : 0) + (2 * 32) / 3 + 6;
        return wxPoint(R().m_barLeft + i * R().m_boxWidth + R().m_barWidth / 2 - w / 2, R().m_buttonBottom - 5);
    }
    wxPoint Sensor(int i) { return ButtonLeft(i, true) + wxPoint(5, 0); }
    wxPoint Arrow(int i) { return ButtonLeft(i, true) + wxPoint(3 + 32 + 5, 0); }
    wxPoint Power() { return wxPoint(R().m_powerRight - 5, R().m_powerY + 5); }
    wxPoint Logger() { return wxPoint(R().m_ix + 2, R().m_iy + 2); }
    // The extra box follows the three input boxes.
    int ExtraBox() { return R().m_inputBoxes; }

    CdocField* m_sensor = nullptr;
    CdocField* m_manual = nullptr;
};

TEST_F(MeterView, AClickOnTheBarSwitchesTheInput)
{
    Mouse(wxEVT_MOTION, Bar(0));
    EXPECT_EQ(m_view->m_hoverKey.m_key, m_sensor->m_key);
    EXPECT_FALSE(m_view->m_armed);
    Mouse(wxEVT_LEFT_DOWN, Bar(0));
    EXPECT_TRUE(m_view->m_pressed);
    EXPECT_TRUE(m_window->HasCapture());
    Mouse(wxEVT_LEFT_UP, Bar(0));
    EXPECT_EQ(m_view->m_toggled, std::vector<int>{m_sensor->m_key});
    EXPECT_TRUE(m_view->m_menus.empty());
    EXPECT_FALSE(m_view->m_pressed);
    EXPECT_FALSE(m_window->HasCapture());

    // The scale, the strip and the sensor icon switch it too.
    for (const wxPoint& p : {Scale(0), Strip(0), Sensor(0)})
        Click(p);
    EXPECT_EQ(m_view->m_toggled.size(), 4u);
}

TEST_F(MeterView, ThePressedButtonIsDrawnWhileTheMouseIsHeld)
{
    Mouse(wxEVT_MOTION, Sensor(0));
    Mouse(wxEVT_LEFT_DOWN, Sensor(0));
    ASSERT_TRUE(m_view->m_pressed);
    wxBitmap bitmap(m_window->GetClientSize());
    {
        wxMemoryDC dc(bitmap);
        m_window->m_painting = true;
        m_view->OnDraw(&dc);
        m_window->m_painting = false;
    }
    const wxImage image = bitmap.ConvertToImage();
    const wxPoint left = ButtonLeft(0, true);
    const int top = R().m_buttonBottom - 32 - 3;
    EXPECT_EQ(wxColour(image.GetRed(left.x + 4, top), image.GetGreen(left.x + 4, top), image.GetBlue(left.x + 4, top)),
              *wxBLACK);
    EXPECT_TRUE(m_view->m_renderer.m_pressedKey.IsEmpty()) << "only for that drawing";
    Mouse(wxEVT_LEFT_UP, Sensor(0));
}

TEST_F(MeterView, LeavingThePartsOfThePressCancelsTheClick)
{
    struct Case
    {
        const char* name;
        std::function<wxPoint()> from;
        std::function<wxPoint()> to;
    } cases[] = {
        {"bar to button", [this] { return Bar(0); }, [this] { return Sensor(0); }},
        {"button to bar", [this] { return Arrow(0); }, [this] { return Bar(0); }},
        {"to another channel", [this] { return Bar(0); }, [this] { return Bar(ExtraBox()); }},
        {"to nothing", [this] { return Bar(0); }, [this] { return wxPoint(1, 1); }},
    };
    for (const Case& c : cases) {
        Mouse(wxEVT_MOTION, c.from());
        Mouse(wxEVT_LEFT_DOWN, c.from());
        ASSERT_TRUE(m_view->m_pressed) << c.name;
        Mouse(wxEVT_MOTION, c.to());
        EXPECT_FALSE(m_view->m_pressed) << c.name;
        EXPECT_FALSE(m_window->HasCapture()) << c.name;
        Mouse(wxEVT_LEFT_UP, c.to());
        EXPECT_TRUE(m_view->m_toggled.empty()) << c.name;
        EXPECT_TRUE(m_view->m_menus.empty()) << c.name;
    }
}

TEST_F(MeterView, TheRightButtonOpensTheChannelMenu)
{
    struct Case
    {
        const char* name;
        wxPoint at;
        int key;
    } cases[] = {
        {"scale", Scale(0), m_sensor->m_key},
        {"bar", Bar(0), m_sensor->m_key},
        {"sensor icon", Sensor(0), m_sensor->m_key},
        {"arrow", Arrow(0), m_sensor->m_key},
        {"strip", Strip(0), m_sensor->m_key},
        {"extra box's bar", Bar(ExtraBox()), m_manual->m_key},
        {"caption rows", Caption(0), 0},
        {"power icon", Power(), 0},
        {"empty input box", Bar(1), 0},
    };
    for (const Case& c : cases) {
        m_view->m_menus.clear();
        Mouse(wxEVT_MOTION, c.at);
        Mouse(wxEVT_RIGHT_DOWN, c.at);
        Mouse(wxEVT_RIGHT_UP, c.at);
        EXPECT_EQ(m_view->m_menus, c.key ? std::vector<int>{c.key} : std::vector<int>{}) << c.name;
    }
    EXPECT_TRUE(m_view->m_toggled.empty());
}

TEST_F(MeterView, AClickOnTheArrowOpensTheMenu)
{
    Click(Arrow(0));
    EXPECT_EQ(m_view->m_menus, std::vector<int>{m_sensor->m_key});
    EXPECT_TRUE(m_view->m_toggled.empty());
    EXPECT_TRUE(m_view->m_armed);
}

TEST_F(MeterView, ToolTipsByArea)
{
    const CgumRes& res = wxGetApp().m_res;
    auto tipAt = [this](const wxPoint& p) {
        Mouse(wxEVT_MOTION, p);
        return m_view->m_toolTip;
    };
    Doc().m_boxInfo.m_boxPower = 45;
    EXPECT_EQ(tipAt(Power()), res.GetString(230) + " (" + res.GetString(232) + ")");
    Doc().m_boxInfo.m_boxPower = 103;
    EXPECT_EQ(tipAt(Power()), wxString());
    Doc().m_boxInfo.m_boxPower = 101;
    EXPECT_EQ(tipAt(Power()), res.GetString(230) + " (" + res.GetString(234) + ")");
    Doc().m_boxInfo.m_boxPower = 104;
    EXPECT_EQ(tipAt(Power()), res.GetString(230) + " ");

    wxString name;
    xhwGetBoxName(name, 0, Doc().m_boxInfo.m_info);
    EXPECT_EQ(tipAt(Logger()), name);
    EXPECT_EQ(tipAt(Sensor(0)), m_sensor->GetListTitle());
    EXPECT_EQ(tipAt(Bar(0)), wxString());
    EXPECT_EQ(m_window->GetToolTipText(), wxString());
}

TEST_F(MeterView, ABusyLoggerLeavesOnlyTheHeaderAlive)
{
    Doc().m_boxInfo.m_info.m_loggerBusy = true;
    CdocHint hint(HINT_BOX_STATUS, nullptr);
    m_view->OnUpdate(nullptr, &hint);
    ASSERT_TRUE(m_view->EnsureLayout());
    for (const wxPoint& p : {Bar(0), Sensor(0), Arrow(0), Scale(0)}) {
        Mouse(wxEVT_MOTION, p);
        EXPECT_EQ(m_view->m_hit.m_area, METER_HIT_NONE);
        EXPECT_TRUE(m_view->m_hoverKey.IsEmpty());
        EXPECT_EQ(m_view->m_toolTip, wxString());
        Mouse(wxEVT_LEFT_DOWN, p);
        Mouse(wxEVT_LEFT_UP, p);
        Mouse(wxEVT_RIGHT_UP, p);
    }
    EXPECT_TRUE(m_view->m_toggled.empty());
    EXPECT_TRUE(m_view->m_menus.empty());
    Mouse(wxEVT_MOTION, Power());
    EXPECT_NE(m_view->m_toolTip, wxString());
    Mouse(wxEVT_MOTION, Logger());
    EXPECT_NE(m_view->m_toolTip, wxString());
}

TEST_F(MeterView, LosingTheMouseReleasesTheButton)
{
    Mouse(wxEVT_MOTION, Sensor(0));
    Mouse(wxEVT_LEFT_DOWN, Sensor(0));
    ASSERT_TRUE(m_view->m_pressed);
    m_window->ReleaseMouse();
    wxMouseCaptureLostEvent lost(m_window->GetId());
    lost.SetEventObject(m_window);
    m_window->GetEventHandler()->ProcessEvent(lost);
    EXPECT_FALSE(m_view->m_pressed);
    EXPECT_FALSE(m_view->m_armed);
    Mouse(wxEVT_LEFT_UP, Sensor(0));
    EXPECT_TRUE(m_view->m_toggled.empty());
}

TEST_F(MeterView, HintsThatLayTheMeterOutAgain)
{
    const int again[] = {HINT_BOX_LINKED, HINT_BOX_SENSORS, HINT_BOX_VALUES, HINT_BOX_STATUS, HINT_OPTIONS,
                         HINT_RESCAN, HINT_CHANNEL_CHANGED, HINT_CHANNEL_VALUES, HINT_CHANNEL_LAYOUT};
    const int kept[] = {HINT_NEW_DATA, HINT_STORE_COMPACTED, HINT_TOOL, HINT_VALUE_EDITED, HINT_RUN_STARTED,
                        HINT_VIEW_GAUGE};
    for (int code : again) {
        ASSERT_TRUE(m_view->EnsureLayout());
        CdocHint hint(code, nullptr);
        m_view->OnUpdate(nullptr, &hint);
        EXPECT_FALSE(m_view->m_renderer.m_layoutValid) << code;
    }
    for (int code : kept) {
        ASSERT_TRUE(m_view->EnsureLayout());
        CdocHint hint(code, nullptr);
        m_view->OnUpdate(nullptr, &hint);
        EXPECT_TRUE(m_view->m_renderer.m_layoutValid) << code;
    }
}

TEST_F(MeterView, StatusScreens)
{
    const struct
    {
        const char* name;
        std::function<void(CdocDoc&)> set;
    } screens[] = {
        {"boxes", [](CdocDoc&) {}},
        {"waiting", [](CdocDoc& d) { d.m_waitingForFind = true; }},
        {"no-logger", [](CdocDoc& d) { d.m_boxInfo.m_info.m_hardware = BOX_TYPE_NONE; }},
        {"installing",
         [](CdocDoc& d) {
             d.m_boxInfo.m_install.m_stage = 3;
             d.m_boxInfo.m_install.m_progress = 0.6f;
         }},
        {"bootstrap", [](CdocDoc& d) { d.m_boxInfo.m_info.m_bootstrapFlag = true; }},
        {"busy", [](CdocDoc& d) { d.m_boxInfo.m_info.m_loggerBusy = true; }},
        {"no-sensors",
         [](CdocDoc& d) {
             for (int i = 0; i < 6; ++i)
                 d.m_boxInfo.m_sensors[i].m_idCode = 0;
         }},
    };
    for (const auto& screen : screens) {
        CdocDoc& doc = Doc();
        qvtest::SetUpMeterDoc(doc);
        doc.m_boxInfo.m_info.m_loggerBusy = false;
        doc.m_boxInfo.m_info.m_bootstrapFlag = false;
        doc.m_boxInfo.m_install.m_stage = 0;
        doc.m_boxInfo.m_sensors[0].m_idCode = 20;
        screen.set(doc);
        CdocHint hint(HINT_BOX_STATUS, nullptr);
        m_view->OnUpdate(nullptr, &hint);
        m_window->Update();
        const std::string path = qvtest::SaveScreenshot(m_window, std::string("meter-") + screen.name);
        EXPECT_FALSE(path.empty()) << screen.name;
    }
}

// The meter of the running program, with the simulated logger.
class MeterInProgram : public qvtest::CappTest
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
};

TEST_F(MeterInProgram, ShowsTheSimulatedLogger)
{
    CgumDoc* doc = m_app->GetCurrentDocument();
    ASSERT_TRUE(doc);
    ASSERT_TRUE(qvtest::PumpUntil([doc] { return doc->m_doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    CguvMeterWin* window = m_frame->m_content->m_meterPanel->m_window;
    ASSERT_TRUE(qvtest::PumpUntil([window] { return window->IsShownOnScreen(); }));
    auto* view = dynamic_cast<CguvMeterView*>(window->m_view);
    ASSERT_TRUE(view);
    ASSERT_TRUE(qvtest::PumpUntil([view] { return view->EnsureLayout(); }));
    EXPECT_EQ(view->m_renderer.m_inputBoxes, doc->m_doc.m_boxInfo.m_info.m_maxSensors);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "meter-simulated-logger").empty());
}

} // namespace
