// The running program with the simulated logger: runs started and stopped
// through the Logging menu, the side buttons and the keyboard, the real 100 ms
// tick, and a document saved after a run.
#include "app/barSide.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "app/base/gumIds.h"
#include "document/gumDoc.h"
#include "files/gumFileDialogs.h"
#include "hardware/xhwBoxTypes.h"
#include "support/simAppTest.h"
#include "support/testEnvironment.h"
#include "views/guvMeterPanel.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/stopwatch.h>
#include <wx/uiaction.h>

namespace {

class LiveApp : public qvtest::CsimAppTest
{
protected:
    void SetUp() override
    {
        CsimAppTest::SetUp();
        if (HasFatalFailure())
            return;
        m_dir = qvtest::MakeTempDir("live");
        gumSetSaveFileHook([this](const wxString&, const wxString&, const wxString&) { return m_choice; });
        EXPECT_TRUE(m_app->m_simulate);
    }

    void TearDown() override
    {
        gumSetSaveFileHook(nullptr);
        CsimAppTest::TearDown();
    }

    const CxutBoxPublicInfo& Box() { return Doc()->m_doc.m_boxInfo; }

    // A menu command as the menu sends it, when its update handler enables it.
    bool Menu(int id)
    {
        m_app->m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        wxMenuItem* item = m_app->m_frame->GetMenuBar()->FindItem(id);
        if (!item || !item->IsEnabled())
            return false;
        wxCommandEvent event(wxEVT_MENU, id);
        m_app->m_frame->GetEventHandler()->ProcessEvent(event);
        qvtest::Pump(20);
        return true;
    }

    // A side button or tool: the command goes to the frame.
    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        m_app->m_frame->GetEventHandler()->ProcessEvent(event);
        qvtest::Pump(20);
    }

    // Calls check(field, low, high) for each sensor channel with its sensor's
    // range, while check answers true; the number of sensor channels seen.
    int ForSensorChannels(const std::function<bool(const CdocField&, float, float)>& check)
    {
        const CdocData& data = Run().m_data;
        int sensors = 0;
        for (int f = 0; f < data.m_fields.GetCount(); ++f) {
            const CdocField& field = *data.m_fields.GetAt(f);
            if (field.m_content != CONTENT_SENSOR)
                continue;
            ++sensors;
            const CxhwSenCalib& calib = field.m_fieldSensor.m_calib;
            if (!check(field, std::min(calib.m_calMin, calib.m_calMax), std::max(calib.m_calMin, calib.m_calMax)))
                return -1;
        }
        return sensors;
    }

    // A snapshot stores the current values: each sensor channel's lies in its
    // sensor's range once the logger's readings arrive.
    bool CurrentValuesInRange()
    {
        return ForSensorChannels([](const CdocField& field, float low, float high) {
            return field.m_current >= low && field.m_current <= high;
        }) == 4;
    }

    // The stored values of each sensor channel lie in its sensor's range.
    void ExpectValuesInRange()
    {
        const int records = Run().m_data.m_records;
        const int sensors = ForSensorChannels([records](const CdocField& field, float low, float high) {
            for (int i = 0; i < records; ++i) {
                EXPECT_GE(field.m_samples[i], low) << field.m_name;
                EXPECT_LE(field.m_samples[i], high) << field.m_name;
                if (field.m_samples[i] < low || field.m_samples[i] > high)
                    return false;
            }
            return true;
        });
        EXPECT_EQ(sensors, 4);
    }

    std::string m_dir;
    wxString m_choice;
};

} // namespace

TEST_F(LiveApp, RunsOfEachActivityFromTheLoggingMenu)
{
    // AutoLog, the activity of a new document, through the real tick.
    EXPECT_EQ(Run().m_activity, ACTIVITY_AUTOLOG);
    EXPECT_FALSE(Menu(ID_STOP));
    ASSERT_TRUE(Menu(ID_START));
    EXPECT_EQ(Run().m_state, DOC_STATE_RUNNING);
    EXPECT_TRUE(qvtest::PumpUntil([this] { return Run().m_data.m_records >= 30; }));
    EXPECT_FALSE(Menu(ID_START));
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "live-autolog").empty());
    ASSERT_TRUE(Menu(ID_STOP));
    EXPECT_EQ(Run().m_state, DOC_STATE_STOPPED);
    const int records = Run().m_data.m_records;
    EXPECT_DOUBLE_EQ(Run().m_data.m_interval, 0.05);
    ExpectValuesInRange();
    qvtest::Pump(300);
    EXPECT_EQ(Run().m_data.m_records, records); // stopped means stopped

    // Saved after the run, the file holds the readings.
    m_choice = m_dir + "/autolog";
    Command(wxID_SAVEAS);
    const wxString path = m_dir + "/autolog.qvd";
    ASSERT_TRUE(wxFileName::FileExists(path));
    EXPECT_FALSE(Doc()->IsModified());
    ASSERT_NE(m_app->m_docManager->CreateDocument(path, wxDOC_SILENT), nullptr);
    EXPECT_EQ(Run().m_data.m_records, records);
    EXPECT_EQ(Run().m_state, DOC_STATE_STOPPED);

    // Snapshot from its side button, stored from the Logging menu.
    Command(wxID_NEW);
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Box().m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    Command(ID_MODE_SNAPSHOT);
    EXPECT_EQ(Run().m_activity, ACTIVITY_SNAPSHOT);
    ASSERT_EQ(Run().m_state, DOC_STATE_RUNNING);
    for (int store = 1; store <= 2; ++store) {
        ASSERT_TRUE(qvtest::PumpUntil([this] { return CurrentValuesInRange(); }));
        ASSERT_TRUE(Menu(ID_STORE));
        EXPECT_EQ(Run().m_data.m_records, store);
    }
    ASSERT_TRUE(Menu(ID_STOP));
    EXPECT_EQ(Run().m_data.m_records, 2);
    ExpectValuesInRange();
    Doc()->Modify(false);

    // Periodic, with the set-up the set-up wizard would give: it ends by itself.
    Command(wxID_NEW);
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Box().m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    Run().SetActivity(ACTIVITY_PERIODIC);
    Run().m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    Run().m_setup.m_readings = 21;
    Run().m_setup.m_period = 0.05;
    ASSERT_TRUE(Menu(ID_START));
    EXPECT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_STOPPED; }));
    EXPECT_EQ(Run().m_data.m_records, 21);
    ExpectValuesInRange();
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "live-periodic").empty());
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

// Keys typed on the keyboard reach the key map through the display, whichever
// view the frame shows and however the run was started: at start-up no window
// of the frame holds the focus, and starting a run hides the meter.
TEST_F(LiveApp, SingleKeysTypedInTheMainWindow)
{
    CgumFrame* frame = m_app->m_frame;
    wxUIActionSimulator keyboard;
    // Typed keys go to the active window, which the window manager may give the frame late.
    auto type = [&](char key) {
        ASSERT_TRUE(qvtest::PumpUntil([&] {
            if (frame->IsActive())
                return true;
            frame->Raise();
            return false;
        }));
        keyboard.Char(key);
    };

    ASSERT_TRUE(frame->m_content->m_meterPanel->IsShown());
    type('l');
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_RUNNING; }));
    type('p');
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_STOPPED; }));

    // Started from the side bar, stopped from the keyboard.
    Doc()->Modify(false);
    Command(wxID_NEW);
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Box().m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    CbarSide* side = frame->m_content->m_sideBar;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return side->FindById(ID_START) != nullptr; }));
    wxCommandEvent start(wxEVT_TOOL, ID_START);
    start.SetEventObject(side);
    side->GetEventHandler()->ProcessEvent(start);
    ASSERT_EQ(Run().m_state, DOC_STATE_RUNNING);
    type('p');
    EXPECT_TRUE(qvtest::PumpUntil([this] { return Run().m_state == DOC_STATE_STOPPED; }));
}
