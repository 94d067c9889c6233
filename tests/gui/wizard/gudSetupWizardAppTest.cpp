// The set-up wizard in the whole program on the simulated logger: each kind
// of run walked from the first page to Start, and every page pictured.
#include "app/base/gumIds.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/appTest.h"
#include "support/dialogDriver.h"
#include "wizard/gudSetupDuration.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupRange.h"
#include "wizard/gudSetupReadings.h"
#include "wizard/gudSetupReady.h"
#include "wizard/gudSetupTimingMass.h"
#include "wizard/gudSetupTimingMeasurement.h"
#include "wizard/gudSetupTimingObject.h"
#include "wizard/gudSetupTimingSensors.h"
#include "wizard/gudSetupType.h"
#include "wizard/gudSetupWizard.h"

#include <cstdlib>
#include <string>
#include <vector>
#include <wx/combobox.h>
#include <wx/radiobut.h>

namespace {

using qvtest::DialogDriver;

class SetupWizardApp : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        qvtest::CappTest::SetUp();
        ASSERT_TRUE(qvtest::PumpUntil([this] {
            CdocDoc* doc = m_app->GetCurrentDocDoc();
            return doc && doc->m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED && doc->m_boxInfo.HasSensors()
                   && doc->m_boxInfo.CanUseTimingInputs();
        }));
        m_doc = m_app->GetCurrentDocDoc();
    }

    void TearDown() override
    {
        if (m_doc && m_doc->m_state == DOC_STATE_RUNNING)
            Command(ID_STOP);
        qvtest::CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    // The page's name, for the walk's record and the pictures.
    static std::string Name(CgudSetupWizard& wizard)
    {
        const wxWizardPage* page = wizard.GetCurrentPage();
        const std::pair<const wxWizardPage*, const char*> names[] = {
            {wizard.m_pageType, "type"},           {wizard.m_pageTimingMeasurement, "measurement"},
            {wizard.m_pageTimingSensors, "sensors"}, {wizard.m_pageTimingObject, "object"},
            {wizard.m_pageTimingMass, "mass"},     {wizard.m_pageRange, "range"},
            {wizard.m_pageReadings, "readings"},   {wizard.m_pageDuration, "duration"},
            {wizard.m_pageReady, "ready"}};
        for (const auto& n : names)
            if (n.first == page)
                return n.second;
        return "none";
    }

    // Records the page shown and pictures it.
    void Visit(CgudSetupWizard& wizard)
    {
        const std::string name = Name(wizard);
        m_walk.push_back(name);
        EXPECT_FALSE(qvtest::SaveScreenshot(&wizard, "setup-wizard-" + name).empty());
    }

    static void Click(CgudSetupWizard& wizard, int id)
    {
        wxWindow* page = wizard.GetCurrentPage();
        auto* button = dynamic_cast<wxRadioButton*>(page->FindWindow(id));
        ASSERT_NE(button, nullptr) << id;
        button->SetValue(true);
        wxCommandEvent event(wxEVT_RADIOBUTTON, id);
        event.SetEventObject(button);
        event.SetInt(1);
        button->GetEventHandler()->ProcessEvent(event);
    }

    // The toolkit's Next (or Finish) button, as the user presses it.
    static void Forward(CgudSetupWizard& wizard)
    {
        wxWindow* button = wizard.FindWindow(wxID_FORWARD);
        ASSERT_NE(button, nullptr);
        wxCommandEvent click(wxEVT_BUTTON, wxID_FORWARD);
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    }

    static void Start(CgudSetupWizard& wizard)
    {
        wxWindow* button = wizard.GetCurrentPage()->FindWindow(ID_SETUP_START);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->IsEnabled());
        wxCommandEvent click(wxEVT_BUTTON, ID_SETUP_START);
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    }

    // Runs the set-up command with the walk done inside its wizard.
    void RunWizard(const std::function<void(CgudSetupWizard&)>& walk)
    {
        bool walked = false;
        DialogDriver<CgudSetupWizard> driver([&](CgudSetupWizard& wizard) {
            walked = true;
            walk(wizard);
        });
        Command(ID_SETUP);
        ASSERT_TRUE(walked);
        EXPECT_FALSE(wxWindow::FindWindowById(ID_SETUP_WIZARD)) << "the wizard is gone";
    }

    CdocDoc* m_doc = nullptr;
    std::vector<std::string> m_walk;
};

} // namespace

TEST_F(SetupWizardApp, PeriodicLoggingWalksToStartAndRunsAtTheChosenPeriod)
{
    double chosen = 0.0;
    wxString startLabel;
    RunWizard([&](CgudSetupWizard& wizard) {
        Visit(wizard);
        Click(wizard, ID_SETUP_TYPE_PERIODIC);
        Forward(wizard);
        Visit(wizard);
        // One step shorter than the shortest run.
        CgudSetupDuration* page = wizard.m_pageDuration;
        ASSERT_GT(page->m_periodCount, 3);
        page->m_durationCombo->SetSelection(page->m_periodCount - 3);
        wxCommandEvent picked(wxEVT_COMBOBOX, ID_SETUP_DURATION_COMBO);
        picked.SetEventObject(page->m_durationCombo);
        page->GetEventHandler()->ProcessEvent(picked);
        chosen = page->m_periods[page->m_periodCount - 3];
        Forward(wizard);
        Visit(wizard);
        startLabel = wizard.FindWindow(wxID_FORWARD)->GetLabel();
        EXPECT_FALSE(wizard.m_pageReady->GetPrev() == nullptr);
        Forward(wizard);
    });
    EXPECT_EQ(m_walk, (std::vector<std::string>{"type", "duration", "ready"}));
    EXPECT_EQ(startLabel, "&Start");
    EXPECT_EQ(m_doc->m_setup.m_setup, SETUP_LOG_PERIODIC);
    EXPECT_EQ(m_doc->m_setup.m_period, chosen);
    EXPECT_TRUE(m_app->m_options.m_setup.IsSame(m_doc->m_setup));
    EXPECT_EQ(m_doc->m_activity, ACTIVITY_PERIODIC);
    EXPECT_EQ(m_doc->m_state, DOC_STATE_RUNNING);
    EXPECT_EQ(m_doc->m_data.m_interval, chosen);
}

TEST_F(SetupWizardApp, AdvancedPeriodicLoggingStartsFromTheDurationPage)
{
    RunWizard([&](CgudSetupWizard& wizard) {
        Visit(wizard);
        Click(wizard, ID_SETUP_TYPE_ADVANCED);
        Forward(wizard);
        Visit(wizard);
        Click(wizard, ID_SETUP_READINGS_200);
        EXPECT_EQ(wizard.m_setup.m_readings, 201);
        Forward(wizard);
        Visit(wizard);
        // Back keeps the choice; the Start button on the page finishes.
        EXPECT_EQ(wizard.m_pageDuration->GetPrev(), wizard.m_pageReadings);
        Start(wizard);
    });
    EXPECT_EQ(m_walk, (std::vector<std::string>{"type", "readings", "duration"}));
    EXPECT_EQ(m_doc->m_setup.m_setup, SETUP_LOG_PERIODIC_ADVANCED);
    EXPECT_EQ(m_doc->m_setup.m_readings, 201);
    EXPECT_EQ(m_doc->m_activity, ACTIVITY_PERIODIC);
    EXPECT_EQ(m_doc->m_state, DOC_STATE_RUNNING);
    EXPECT_EQ(m_doc->m_data.m_maxRecords, 201);
}

TEST_F(SetupWizardApp, TimingWalksEveryTimingPageAndStartsTheTimingRun)
{
    RunWizard([&](CgudSetupWizard& wizard) {
        Visit(wizard);
        Click(wizard, ID_SETUP_TYPE_TIMING);
        Forward(wizard);
        Visit(wizard);
        Click(wizard, ID_SETUP_MEASURE_KINETIC_ENERGY);
        Forward(wizard);
        Visit(wizard);
        Click(wizard, ID_SETUP_SENSORS_FROM_TO);
        Forward(wizard);
        Visit(wizard);
        Click(wizard, ID_SETUP_OBJECT_TWO_BARS);
        Forward(wizard);
        Visit(wizard);
        wizard.m_pageTimingMass->m_mass1Ctrl->ChangeValue("0.25");
        Forward(wizard);
        Visit(wizard);
        Forward(wizard);
    });
    EXPECT_EQ(m_walk, (std::vector<std::string>{"type", "measurement", "sensors", "object", "mass", "ready"}));
    const CxhwSetup& setup = m_doc->m_setup;
    EXPECT_EQ(setup.m_setup, SETUP_LOG_TIMING);
    EXPECT_EQ(setup.m_measurement, MEASUREMENT_KINETIC_ENERGY);
    EXPECT_EQ(setup.m_timingSensor, TIMING_SENSOR_FROM_TO);
    EXPECT_EQ(setup.m_bars, 2);
    EXPECT_EQ(setup.m_mass1, 0.25f);
    EXPECT_EQ(m_doc->m_activity, ACTIVITY_TIMING);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_doc->m_state == DOC_STATE_RUNNING; }));
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

TEST_F(SetupWizardApp, PendulumAndRangePagesAsShown)
{
    RunWizard([&](CgudSetupWizard& wizard) {
        Click(wizard, ID_SETUP_TYPE_TIMING);
        Forward(wizard);
        Click(wizard, ID_SETUP_MEASURE_SHM_PERIOD);
        Forward(wizard);
        EXPECT_EQ(Name(wizard), "ready");
        EXPECT_EQ(wizard.m_setup.m_bars, 1);
        wizard.ShowPage(wizard.m_pageRange, true);
        Visit(wizard);
        wizard.EndModal(wxID_CANCEL);
    });
    // Cancelled: nothing written, nothing started.
    EXPECT_EQ(m_doc->m_state, DOC_STATE_READY);
    EXPECT_NE(m_doc->m_setup.m_setup, SETUP_LOG_TIMING);
}

TEST_F(SetupWizardApp, ThePageShownFollowsTheLoggersSensors)
{
    RunWizard([&](CgudSetupWizard& wizard) {
        wxWindow* periodic = wizard.m_pageType->FindWindow(ID_SETUP_TYPE_PERIODIC);
        ASSERT_TRUE(periodic->IsEnabled());
        // Every input switched off: nothing left to log periodically.
        for (int i = 0; i < CxhwSensorV::kCount; ++i)
            m_app->m_boxes.SetSensorEnable(i, false);
        EXPECT_TRUE(qvtest::PumpUntil([&] { return !periodic->IsEnabled(); }));
        for (int i = 0; i < CxhwSensorV::kCount; ++i)
            m_app->m_boxes.SetSensorEnable(i, true);
        EXPECT_TRUE(qvtest::PumpUntil([&] { return periodic->IsEnabled(); }));
        wizard.EndModal(wxID_CANCEL);
    });
}
