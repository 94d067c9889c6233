// The set-up wizard's pages on a document of their own: what each user level
// offers, the page flow, and what the pages write into the working set-up.
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
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

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// The wizard over a document on the simulated logger with three sensors that
// can all time; the user level is set before the wizard is made.
class SetupWizardPages : public testing::Test
{
protected:
    SetupWizardPages()
    {
        qvtest::CreateApp();
        m_res.LoadStrings();
        CxutBoxInfo& info = m_doc.m_boxInfo.m_info;
        info.m_hardware = BOX_TYPE_SIMULATED;
        info.m_firmware = 1.0f;
        info.m_maxSensors = xutGetMaxSensors(BOX_TYPE_SIMULATED);
        for (int i = 0; i < 3; ++i) {
            m_doc.m_boxInfo.m_sensors[i].m_idCode = 1;
            m_doc.m_boxInfo.m_sensors[i].m_idType = 7;
            m_doc.m_boxInfo.m_sensors[i].m_calType = 7;
        }
        TimingInputs(3);
    }

    ~SetupWizardPages() override
    {
        EXPECT_TRUE(qvtest::DestroyWindow(m_wizard));
    }

    void TimingInputs(int count) { m_doc.m_boxInfo.m_boxTimingIdentify = (1 << count) - 1; }

    CgudSetupWizard& Make(int level = 4)
    {
        appGetOptions()->SetUserLevel(level);
        m_wizard = new CgudSetupWizard;
        m_wizard->m_doc = &m_doc;
        m_wizard->m_setup = m_doc.m_setup;
        EXPECT_TRUE(m_wizard->Create(nullptr, ID_SETUP_WIZARD));
        return *m_wizard;
    }

    CxhwSetup& Work() { return m_wizard->m_setup; }

    // A click on a radio button or check box: it changes first, then tells.
    static void Click(wxWindow* page, int id)
    {
        wxWindow* window = page->FindWindow(id);
        ASSERT_NE(window, nullptr) << id;
        wxEventType type = wxEVT_RADIOBUTTON;
        if (auto* check = dynamic_cast<wxCheckBox*>(window)) {
            check->SetValue(!check->GetValue());
            type = wxEVT_CHECKBOX;
        } else {
            static_cast<wxRadioButton*>(window)->SetValue(true);
        }
        wxCommandEvent event(type, id);
        event.SetEventObject(window);
        event.SetInt(1);
        window->GetEventHandler()->ProcessEvent(event);
    }

    static bool Checked(wxWindow* page, int id)
    {
        auto* button = dynamic_cast<wxRadioButton*>(page->FindWindow(id));
        return button && button->GetValue();
    }

    static bool Enabled(wxWindow* page, int id)
    {
        wxWindow* window = page->FindWindow(id);
        return window && window->IsEnabled();
    }

    static wxString Label(wxWindow* page, int id) { return page->FindWindow(id)->GetLabel(); }

    static void UpdateUI(wxWindow* page) { page->UpdateWindowUI(wxUPDATE_UI_RECURSE); }

    CgumResCore m_res;
    qvtest::CtestBoxes m_boxes;
    CdocDoc m_doc;
    CgudSetupWizard* m_wizard = nullptr;
};

} // namespace

TEST_F(SetupWizardPages, EachUserLevelOffersItsChoices)
{
    enum Page
    {
        TYPE,
        MEASUREMENT,
        SENSORS,
        OBJECT
    };
    struct Choice
    {
        Page page;
        int id;
        int lowestLevel;
    };
    const Choice choices[] = {
        {TYPE, ID_SETUP_TYPE_PERIODIC, 0},
        {TYPE, ID_SETUP_TYPE_FAST, 3},
        {TYPE, ID_SETUP_TYPE_ADVANCED, 4},
        {TYPE, ID_SETUP_TYPE_TIMING, 0},
        {MEASUREMENT, ID_SETUP_MEASURE_TIME_DIFFERENCE, 0},
        {MEASUREMENT, ID_SETUP_MEASURE_SPEED, 0},
        {MEASUREMENT, ID_SETUP_MEASURE_VELOCITY, 3},
        {MEASUREMENT, ID_SETUP_MEASURE_ACCELERATION, 3},
        {MEASUREMENT, ID_SETUP_MEASURE_KINETIC_ENERGY, 4},
        {MEASUREMENT, ID_SETUP_MEASURE_MOMENTUM, 4},
        {MEASUREMENT, ID_SETUP_MEASURE_SHM_PERIOD, 4},
        {MEASUREMENT, ID_SETUP_MEASURE_MANUAL, 4},
        {SENSORS, ID_SETUP_SENSORS_ANY, 0},
        {SENSORS, ID_SETUP_SENSORS_EACH, 3},
        {SENSORS, ID_SETUP_SENSORS_FROM_TO, 0},
        {OBJECT, ID_SETUP_OBJECT_ONE_BAR, 0},
        {OBJECT, ID_SETUP_OBJECT_TWO_BARS, 3},
        {OBJECT, ID_SETUP_OBJECT_FOUR_BARS, 4},
    };
    for (int level : {2, 3, 4}) {
        SCOPED_TRACE(level);
        CgudSetupWizard& wizard = Make(level);
        wxWindow* pages[] = {wizard.m_pageType, wizard.m_pageTimingMeasurement, wizard.m_pageTimingSensors,
                             wizard.m_pageTimingObject};
        Work().m_measurement = MEASUREMENT_SPEED; // one that takes manual calculation
        for (wxWindow* page : pages)
            page->TransferDataToWindow();
        for (const Choice& c : choices) {
            SCOPED_TRACE(c.id);
            const bool offered = level >= c.lowestLevel;
            EXPECT_EQ(pages[c.page]->FindWindow(c.id) != nullptr, offered);
            // What is offered is enabled on this logger, whose sensors time
            // but cannot trigger.
            if (offered && c.id != ID_SETUP_TYPE_FAST) {
                EXPECT_TRUE(Enabled(pages[c.page], c.id));
            }
        }
        // The explanations of removed choices go with them.
        EXPECT_EQ(wizard.m_pageType->m_fastText->IsShown(), level >= 3);
        EXPECT_EQ(wizard.m_pageType->m_advancedText->IsShown(), level >= 4);
        EXPECT_EQ(wizard.m_pageTimingMeasurement->m_manualText->IsShown(), level >= 4);
        EXPECT_EQ(wizard.m_pageTimingSensors->m_eachText->IsShown(), level >= 3);
        // The pictures of removed bar counts go too.
        EXPECT_EQ(wizard.m_pageTimingObject->m_pictures[1] != nullptr, level >= 3);
        EXPECT_EQ(wizard.m_pageTimingObject->m_pictures[2] != nullptr, level >= 4);
        m_wizard->Destroy();
        m_wizard = nullptr;
    }
}

TEST_F(SetupWizardPages, PagesWorkOutTheirNeighbours)
{
    struct Case
    {
        const char* name;
        int state;
        int logType;
        int measurement;
        int timingInputs;
        const char* from;
        const char* next;
        const char* prev;
    };
    const Case cases[] = {
        {"periodic", DOC_STATE_READY, SETUP_LOG_PERIODIC, 1, 3, "type", "duration", "none"},
        {"fast without scales", DOC_STATE_READY, SETUP_LOG_FAST_TRIGGER, 1, 3, "type", "duration", "none"},
        {"advanced", DOC_STATE_READY, SETUP_LOG_PERIODIC_ADVANCED, 1, 3, "type", "readings", "none"},
        {"timing", DOC_STATE_READY, SETUP_LOG_TIMING, 1, 3, "type", "measurement", "none"},
        {"ready measurement", DOC_STATE_READY, SETUP_LOG_TIMING, 2, 3, "measurement", "sensors", "type"},
        {"held data measurement", DOC_STATE_STOPPED, SETUP_LOG_TIMING, 2, 3, "measurement", "sensors", "none"},
        {"one timing input skips sensors", DOC_STATE_READY, SETUP_LOG_TIMING, 2, 1, "measurement", "object",
         "type"},
        {"pendulum", DOC_STATE_READY, SETUP_LOG_TIMING, 7, 3, "measurement", "ready", "type"},
        {"object, several inputs", DOC_STATE_READY, SETUP_LOG_TIMING, 2, 3, "object", "ready", "sensors"},
        {"object, one input", DOC_STATE_READY, SETUP_LOG_TIMING, 2, 1, "object", "ready", "measurement"},
        {"object, energy", DOC_STATE_READY, SETUP_LOG_TIMING, 5, 3, "object", "mass", "sensors"},
        {"object, momentum", DOC_STATE_READY, SETUP_LOG_TIMING, 6, 3, "object", "mass", "sensors"},
        {"mass", DOC_STATE_READY, SETUP_LOG_TIMING, 6, 3, "mass", "ready", "object"},
        {"duration periodic", DOC_STATE_READY, SETUP_LOG_PERIODIC, 1, 3, "duration", "ready", "type"},
        {"duration periodic, held data", DOC_STATE_STOPPED, SETUP_LOG_PERIODIC, 1, 3, "duration", "ready", "none"},
        {"duration advanced", DOC_STATE_STOPPED, SETUP_LOG_PERIODIC_ADVANCED, 1, 3, "duration", "ready",
         "readings"},
        {"duration fast", DOC_STATE_READY, SETUP_LOG_FAST_TRIGGER, 1, 3, "duration", "ready", "type"},
        {"readings, held data", DOC_STATE_STOPPED, SETUP_LOG_PERIODIC_ADVANCED, 1, 3, "readings", "duration",
         "none"},
        {"range", DOC_STATE_READY, SETUP_LOG_FAST_TRIGGER, 1, 3, "range", "duration", "type"},
        {"ready periodic", DOC_STATE_READY, SETUP_LOG_PERIODIC, 1, 3, "ready", "none", "duration"},
        {"ready timing speed", DOC_STATE_READY, SETUP_LOG_TIMING, 2, 3, "ready", "none", "object"},
        {"ready timing energy", DOC_STATE_READY, SETUP_LOG_TIMING, 5, 3, "ready", "none", "mass"},
        {"ready pendulum", DOC_STATE_READY, SETUP_LOG_TIMING, 7, 3, "ready", "none", "measurement"},
        {"ready other type", DOC_STATE_READY, 9, 1, 3, "ready", "none", "type"},
    };
    CgudSetupWizard& wizard = Make();
    auto name = [&](const wxWizardPage* page) -> std::string {
        const std::pair<const wxWizardPage*, const char*> names[] = {
            {wizard.m_pageType, "type"},           {wizard.m_pageTimingMeasurement, "measurement"},
            {wizard.m_pageTimingSensors, "sensors"}, {wizard.m_pageTimingObject, "object"},
            {wizard.m_pageTimingMass, "mass"},     {wizard.m_pageRange, "range"},
            {wizard.m_pageReadings, "readings"},   {wizard.m_pageDuration, "duration"},
            {wizard.m_pageReady, "ready"},         {nullptr, "none"}};
        for (const auto& n : names)
            if (n.first == page)
                return n.second;
        return "?";
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.m_state = c.state;
        TimingInputs(c.timingInputs);
        Work().m_setup = c.logType;
        Work().m_measurement = c.measurement;
        wxWizardPage* from = nullptr;
        for (wxWizardPage* page : {static_cast<wxWizardPage*>(wizard.m_pageType),
                                   static_cast<wxWizardPage*>(wizard.m_pageTimingMeasurement),
                                   static_cast<wxWizardPage*>(wizard.m_pageTimingSensors),
                                   static_cast<wxWizardPage*>(wizard.m_pageTimingObject),
                                   static_cast<wxWizardPage*>(wizard.m_pageTimingMass),
                                   static_cast<wxWizardPage*>(wizard.m_pageRange),
                                   static_cast<wxWizardPage*>(wizard.m_pageReadings),
                                   static_cast<wxWizardPage*>(wizard.m_pageDuration),
                                   static_cast<wxWizardPage*>(wizard.m_pageReady)})
            if (name(page) == c.from)
                from = page;
        ASSERT_NE(from, nullptr);
        EXPECT_EQ(name(from->GetNext()), c.next);
        EXPECT_EQ(name(from->GetPrev()), c.prev);
    }
}

TEST_F(SetupWizardPages, PendulumGoesStraightToReadyWithOneBarAtAnyGate)
{
    CgudSetupWizard& wizard = Make();
    Work().m_setup = SETUP_LOG_TIMING;
    Work().m_measurement = MEASUREMENT_SHM_PERIOD;
    Work().m_timingSensor = TIMING_SENSOR_FROM_TO;
    Work().SetBars(m_doc, 4);
    EXPECT_EQ(wizard.m_pageTimingMeasurement->GetNext(), wizard.m_pageReady);
    EXPECT_EQ(Work().m_timingSensor, TIMING_SENSOR_ANY);
    EXPECT_EQ(Work().m_bars, 1);
    EXPECT_EQ(Work().m_barsTotal, 1);

    // With one timing input the sensors page is skipped and any gate forced.
    TimingInputs(1);
    Work().m_measurement = MEASUREMENT_SPEED;
    Work().m_timingSensor = TIMING_SENSOR_FROM_TO;
    EXPECT_EQ(wizard.m_pageTimingMeasurement->GetNext(), wizard.m_pageTimingObject);
    EXPECT_EQ(Work().m_timingSensor, TIMING_SENSOR_ANY);
}

TEST_F(SetupWizardPages, TypePageLabelsWhatTheLoggerLacks)
{
    CgudSetupWizard& wizard = Make();
    CgudSetupType* page = wizard.m_pageType;
    const CxutBoxPublicInfo logger = m_doc.m_boxInfo;
    m_doc.m_boxInfo = CxutBoxPublicInfo(); // no logger
    page->TransferDataToWindow();
    for (int id : {ID_SETUP_TYPE_PERIODIC, ID_SETUP_TYPE_FAST, ID_SETUP_TYPE_ADVANCED, ID_SETUP_TYPE_TIMING})
        EXPECT_FALSE(Enabled(page, id)) << id;
    EXPECT_EQ(Label(page, ID_SETUP_TYPE_FAST), "Fast (requires suitable interface)");
    EXPECT_EQ(Label(page, ID_SETUP_TYPE_TIMING), "Timing (requires suitable sensors)");
    EXPECT_FALSE(Enabled(page, ID_SETUP_START));

    // Choosing a type sets it at once, with its readings.
    m_doc.m_boxInfo = logger;
    CgudSetupWizard& again = Make();
    again.m_pageType->TransferDataToWindow();
    EXPECT_EQ(Label(again.m_pageType, ID_SETUP_TYPE_TIMING), "Timing");
    EXPECT_TRUE(Enabled(again.m_pageType, ID_SETUP_START));
    Click(again.m_pageType, ID_SETUP_TYPE_ADVANCED);
    EXPECT_EQ(Work().m_setup, SETUP_LOG_PERIODIC_ADVANCED);
    Click(again.m_pageType, ID_SETUP_TYPE_TIMING);
    EXPECT_EQ(Work().m_setup, SETUP_LOG_TIMING);
    wizard.Destroy();
}

TEST_F(SetupWizardPages, ManualCalculationFollowsTheMeasurement)
{
    CgudSetupWizard& wizard = Make();
    CgudSetupTimingMeasurement* page = wizard.m_pageTimingMeasurement;
    Work().m_setup = SETUP_LOG_TIMING;
    Work().m_measurement = MEASUREMENT_SPEED;
    Work().m_timingSensor = TIMING_SENSOR_EACH;
    page->TransferDataToWindow();
    EXPECT_TRUE(Checked(page, ID_SETUP_MEASURE_SPEED));
    EXPECT_TRUE(Enabled(page, ID_SETUP_MEASURE_MANUAL));

    // Manual calculation with "At each sensor" moves timing to any gate.
    Click(page, ID_SETUP_MEASURE_MANUAL);
    EXPECT_TRUE(Work().m_manualCalculation);
    EXPECT_EQ(Work().m_timingSensor, TIMING_SENSOR_ANY);
    wizard.m_pageTimingSensors->TransferDataToWindow();
    EXPECT_FALSE(Enabled(wizard.m_pageTimingSensors, ID_SETUP_SENSORS_EACH));

    // The period and time difference are never calculated by hand.
    for (int id : {ID_SETUP_MEASURE_SHM_PERIOD, ID_SETUP_MEASURE_TIME_DIFFERENCE}) {
        Click(page, id);
        UpdateUI(page);
        auto* manual = static_cast<wxCheckBox*>(page->FindWindow(ID_SETUP_MEASURE_MANUAL));
        EXPECT_FALSE(manual->IsEnabled());
        EXPECT_FALSE(manual->GetValue());
        EXPECT_FALSE(Work().m_manualCalculation);
    }
}

TEST_F(SetupWizardPages, SensorsPageCountsTheGatesAndTakesTheDistance)
{
    CgudSetupWizard& wizard = Make();
    CgudSetupTimingSensors* page = wizard.m_pageTimingSensors;
    Work().m_setup = SETUP_LOG_TIMING;
    Work().m_measurement = MEASUREMENT_SPEED;
    // The first showing already offers "From one sensor to another".
    page->TransferDataToWindow();
    EXPECT_EQ(page->m_countLine->GetLabel(), "3 suitable sensor(s) have been detected");
    EXPECT_TRUE(Enabled(page, ID_SETUP_SENSORS_FROM_TO));
    TimingInputs(1);
    UpdateUI(page);
    EXPECT_EQ(page->m_countLine->GetLabel(), "1 suitable sensor has been detected");
    TimingInputs(3);

    // The distance counts between gates for speed, not for acceleration.
    Click(page, ID_SETUP_SENSORS_FROM_TO);
    EXPECT_EQ(Work().m_timingSensor, TIMING_SENSOR_FROM_TO);
    UpdateUI(page);
    EXPECT_TRUE(page->m_distanceCtrl->IsEnabled());
    Work().m_measurement = MEASUREMENT_ACCELERATION;
    UpdateUI(page);
    EXPECT_FALSE(page->m_distanceCtrl->IsEnabled());

    struct Case
    {
        const char* typed;
        const char* text;
        float value;
    };
    const Case cases[] = {{"50", "50", 50.0f}, {"0", "50", 50.0f}, {"", "50", 50.0f}, {"2.5", "2.5", 2.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        page->m_distanceCtrl->ChangeValue(c.typed);
        EXPECT_TRUE(page->TransferDataFromWindow());
        EXPECT_EQ(Work().m_sensorGapS, c.text);
        EXPECT_EQ(Work().m_sensorGap, c.value);
    }
}

TEST_F(SetupWizardPages, ObjectPageKeepsBarsConsistent)
{
    CgudSetupWizard& wizard = Make();
    CgudSetupTimingObject* page = wizard.m_pageTimingObject;
    Work().m_setup = SETUP_LOG_TIMING;
    Work().m_measurement = MEASUREMENT_ACCELERATION;
    Work().m_timingSensor = TIMING_SENSOR_ANY;
    Work().SetBars(m_doc, 1);
    // A typed bar width other than the field's first text survives filling.
    Work().m_barWidthS = "2.5";
    Work().m_barWidth = 2.5f;
    page->TransferDataToWindow();
    EXPECT_TRUE(Checked(page, ID_SETUP_OBJECT_TWO_BARS));
    EXPECT_EQ(Work().m_bars, 2);
    EXPECT_FALSE(Enabled(page, ID_SETUP_OBJECT_ONE_BAR));
    EXPECT_FALSE(page->m_pictures[0]->IsEnabled());
    EXPECT_EQ(page->m_barWidthCtrl->GetValue(), "2.5");
    EXPECT_EQ(Work().m_barWidthS, "2.5");

    // Three bars for a four-bar measurement become four.
    Click(page, ID_SETUP_OBJECT_FOUR_BARS);
    EXPECT_EQ(Work().m_bars, 4);
    page->m_barsTotalCtrl->SetValue("3");
    EXPECT_EQ(Work().m_barsTotal, 4);
    wxFocusEvent lost(wxEVT_KILL_FOCUS, ID_SETUP_OBJECT_BARS_TOTAL);
    lost.SetEventObject(page->m_barsTotalCtrl);
    page->m_barsTotalCtrl->GetEventHandler()->ProcessEvent(lost);
    EXPECT_EQ(page->m_barsTotalCtrl->GetValue(), "4");
    page->m_barsTotalCtrl->SetValue("12");
    EXPECT_EQ(Work().m_barsTotal, 12);

    // The summary follows the set-up; a bar width of 0 is not taken.
    UpdateUI(page);
    wxString expected;
    Work().GetMeasurementText(expected);
    EXPECT_EQ(page->FindWindow(ID_SETUP_OBJECT_SUMMARY)->GetLabel(), expected);
    page->m_barWidthCtrl->ChangeValue("0");
    page->TransferDataFromWindow();
    EXPECT_EQ(Work().m_barWidthS, "2.5");

    // Between gates one bar stays available for acceleration.
    Work().m_timingSensor = TIMING_SENSOR_FROM_TO;
    page->TransferDataToWindow();
    EXPECT_TRUE(Enabled(page, ID_SETUP_OBJECT_ONE_BAR));
}

TEST_F(SetupWizardPages, MassesAreTakenOnlyAsNumbersAboveZero)
{
    CgudSetupWizard& wizard = Make();
    CgudSetupTimingMass* page = wizard.m_pageTimingMass;
    Work().m_setup = SETUP_LOG_TIMING;
    struct Case
    {
        const char* typed;
        const char* text;
        float value;
    };
    const Case cases[] = {{"2.", "2.", 2.0f}, {"0.5", "0.5", 0.5f}, {"", "0.5", 0.5f},
                          {"0", "0.5", 0.5f}, {"1.2.3", "0.5", 0.5f}};
    page->TransferDataToWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        page->m_mass2Ctrl->ChangeValue(c.typed);
        EXPECT_TRUE(page->TransferDataFromWindow());
        EXPECT_EQ(Work().m_mass2S, c.text);
        EXPECT_EQ(Work().m_mass2, c.value);
    }

    // Only input 4 can time: the first two fields are off but still read.
    m_doc.m_boxInfo.m_boxTimingIdentify = 1 << 3;
    UpdateUI(page);
    EXPECT_FALSE(page->m_mass1Ctrl->IsEnabled());
    EXPECT_FALSE(page->m_mass2Ctrl->IsEnabled());
    EXPECT_TRUE(page->m_mass3Ctrl->IsEnabled());
    page->m_mass1Ctrl->ChangeValue("3");
    page->TransferDataFromWindow();
    EXPECT_EQ(Work().m_mass1, 3.0f);
}

TEST_F(SetupWizardPages, ReadingsAndDurationMoveThePeriodAtOnce)
{
    CgudSetupWizard& wizard = Make();
    Work().SetLogType(m_doc, SETUP_LOG_PERIODIC_ADVANCED);
    Work().m_readings = 123; // not offered: "100" shows
    wizard.m_pageReadings->TransferDataToWindow();
    EXPECT_TRUE(Checked(wizard.m_pageReadings, ID_SETUP_READINGS_100));
    Work().m_period = 0.001;
    Click(wizard.m_pageReadings, ID_SETUP_READINGS_20000);
    EXPECT_EQ(Work().m_readings, 20001);
    EXPECT_EQ(Work().m_period, Work().GetNearestPeriod(m_doc, 0.001));

    CgudSetupDuration* page = wizard.m_pageDuration;
    Work().SetLogType(m_doc, SETUP_LOG_PERIODIC);
    double list[CgudSetupDuration::kMaxPeriods];
    const int count = Work().GetPeriodChoices(m_doc, list);
    ASSERT_GT(count, 2);
    // Halfway between two periods goes to the longer.
    Work().m_period = (list[1] + list[2]) / 2;
    page->TransferDataToWindow();
    EXPECT_EQ(int(page->m_durationCombo->GetCount()), count);
    EXPECT_EQ(page->m_durationCombo->GetSelection(), 1);
    EXPECT_EQ(page->m_durationSlider->GetValue(), count - 2);
    EXPECT_EQ(Work().m_period, list[1]);
    wxString first;
    CxhwSetup::FormatPeriodAndDuration(first, 1001, 5, list[0]);
    EXPECT_EQ(page->m_durationCombo->GetString(0), first);

    // The slider's left end is the shortest run; the list follows it.
    page->m_durationSlider->SetValue(0);
    wxCommandEvent slid(wxEVT_SLIDER, ID_SETUP_DURATION_SLIDER);
    slid.SetEventObject(page->m_durationSlider);
    page->GetEventHandler()->ProcessEvent(slid);
    EXPECT_EQ(page->m_durationCombo->GetSelection(), count - 1);
    EXPECT_EQ(Work().m_period, list[count - 1]);
    wxString label;
    CxhwSetup::FormatPeriodAndDuration(label, 1001, 0, list[count - 1]);
    EXPECT_EQ(page->m_periodLabel->GetLabel(), label);

    page->m_durationCombo->SetSelection(0);
    wxCommandEvent chosen(wxEVT_COMBOBOX, ID_SETUP_DURATION_COMBO);
    chosen.SetEventObject(page->m_durationCombo);
    page->GetEventHandler()->ProcessEvent(chosen);
    EXPECT_EQ(page->m_durationSlider->GetValue(), count - 1);
    EXPECT_EQ(Work().m_period, list[0]);

    // A refresh with the same list keeps the user's list as it is.
    page->m_durationCombo->SetString(0, "kept");
    page->TransferDataToWindow();
    EXPECT_EQ(page->m_durationCombo->GetString(0), "kept");
}

TEST_F(SetupWizardPages, SummaryListsTheSetUpRowByRow)
{
    CgudSetupWizard& wizard = Make();
    CgudSetupReady* page = wizard.m_pageReady;
    auto rows = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < CgudSetupReady::kRows; ++i)
            out.push_back((page->m_summaryLabels[i]->GetLabel() + "|" + page->m_summaryValues[i]->GetLabel())
                              .ToStdString());
        return out;
    };
    Work().m_setup = SETUP_LOG_TIMING;
    Work().m_measurement = MEASUREMENT_KINETIC_ENERGY;
    Work().m_timingSensor = TIMING_SENSOR_FROM_TO;
    Work().m_sensorGap = 50.0f;
    Work().m_mass1 = 0.5f;
    page->TransferDataToWindow();
    const std::vector<std::string> timing = {"Logging Type:|Timing",
                                             "Measurement:|Kinetic Energy",
                                             "Sensors:|From one sensor to another",
                                             "Distance between sensors:|50 cm",
                                             "Object:|One bar",
                                             "Mass at sensor 1:|0.5 kg",
                                             "Mass at sensor 2:|1 kg",
                                             "Mass at sensor 3+:|1 kg",
                                             "|",
                                             "|"};
    EXPECT_EQ(rows(), timing);

    Work().SetLogType(m_doc, SETUP_LOG_PERIODIC_ADVANCED);
    Work().SetReadings(m_doc, 1001);
    Work().m_period = 1.0;
    page->TransferDataToWindow();
    wxString duration;
    CxhwSetup::FormatPeriodAndDuration(duration, 1001, 2, 1.0);
    const std::vector<std::string> advanced = {
        "Logging Type:|Periodic", "Readings:|1001 (maximum)", ("Duration:|" + duration + " (maximum)").ToStdString(),
        "|", "|", "|", "|", "|", "|", "|"};
    EXPECT_EQ(rows(), advanced);
}

TEST_F(SetupWizardPages, HelpFollowsThePageShown)
{
    CgudSetupWizard& wizard = Make();
    const std::pair<wxWizardPage*, const char*> cases[] = {
        {wizard.m_pageType, "Setup.htm"},
        {wizard.m_pageTimingMeasurement, "SetupMeasurement.htm"},
        {wizard.m_pageTimingSensors, "SetupSensors.htm"},
        {wizard.m_pageTimingObject, "SetupObject.htm"},
        {wizard.m_pageTimingMass, "SetupMass.htm"},
        {wizard.m_pageRange, "Setup.htm"},
        {wizard.m_pageReadings, "SetupReadings.htm"},
        {wizard.m_pageDuration, "SetupDuration.htm"},
        {wizard.m_pageReady, "SetupReady.htm"},
    };
    EXPECT_EQ(wizard.GetHelpPage(), "Setup.htm"); // none shown
    for (const auto& c : cases) {
        wizard.ShowPage(c.first, true);
        EXPECT_EQ(wizard.GetHelpPage(), c.second);
    }
}

TEST_F(SetupWizardPages, AnUnsupportedLogTypeKeepsThePageAndStartTriesAgainLater)
{
    CgudSetupWizard& wizard = Make();
    Work().m_setup = SETUP_LOG_FAST_TRIGGER; // no sensor here can trigger
    wizard.ShowPage(wizard.m_pageDuration, true);
    wxCommandEvent start(wxEVT_BUTTON, ID_SETUP_START);
    start.SetEventObject(wizard.m_pageDuration->FindWindow(ID_SETUP_START));
    wizard.m_pageDuration->FindWindow(ID_SETUP_START)->GetEventHandler()->ProcessEvent(start);
    EXPECT_EQ(wizard.GetCurrentPage(), wizard.m_pageDuration);
    EXPECT_FALSE(wizard.m_start);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "The selected options will not work with the current sensor configuration");

    // Going back is allowed; a supported type then moves on.
    wizard.ShowPage(wizard.m_pageType, false);
    EXPECT_EQ(wizard.GetCurrentPage(), wizard.m_pageType);
    Work().m_setup = SETUP_LOG_PERIODIC;
    EXPECT_TRUE(wizard.ShowPage(wizard.m_pageDuration, true));
    EXPECT_EQ(m_boxes.m_calls.size(), 1u);
}

// The wizard is sized once for its largest page and keeps that size on every
// page, whichever way the pages are visited.
TEST_F(SetupWizardPages, KeepsOneSizeOnEveryPage)
{
    CgudSetupWizard& wizard = Make();
    wxWizardPage* pages[] = {wizard.m_pageType,         wizard.m_pageReadings,     wizard.m_pageDuration,
                             wizard.m_pageReady,        wizard.m_pageDuration,     wizard.m_pageReadings,
                             wizard.m_pageTimingMeasurement, wizard.m_pageTimingObject, wizard.m_pageTimingMass,
                             wizard.m_pageReady,        wizard.m_pageReadings};
    wxSize size;
    for (wxWizardPage* page : pages) {
        wizard.ShowPage(page, true);
        if (page == pages[0])
            size = wizard.GetSize();
        SCOPED_TRACE(page->GetClassInfo()->GetClassName());
        EXPECT_EQ(wizard.GetSize(), size);
        EXPECT_GE(page->GetSize().x, page->GetMinSize().x);
        EXPECT_GE(page->GetSize().y, page->GetMinSize().y);
    }
}
