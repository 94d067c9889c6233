#include "wizard/gudSetupTimingMeasurement.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

const int kIds[] = {ID_SETUP_MEASURE_TIME_DIFFERENCE, ID_SETUP_MEASURE_SPEED,          ID_SETUP_MEASURE_VELOCITY,
                    ID_SETUP_MEASURE_ACCELERATION,    ID_SETUP_MEASURE_KINETIC_ENERGY, ID_SETUP_MEASURE_MOMENTUM,
                    ID_SETUP_MEASURE_SHM_PERIOD};
const int kValues[] = {MEASUREMENT_TIME_DIFFERENCE, MEASUREMENT_SPEED,          MEASUREMENT_VELOCITY,
                       MEASUREMENT_ACCELERATION,    MEASUREMENT_KINETIC_ENERGY, MEASUREMENT_MOMENTUM,
                       MEASUREMENT_SHM_PERIOD};

// Time difference and the period are measured, never calculated.
bool TakesManual(int measurement)
{
    return measurement != MEASUREMENT_TIME_DIFFERENCE && measurement != MEASUREMENT_SHM_PERIOD;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupTimingMeasurement, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupTimingMeasurement, wxWizardPage)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_TIME_DIFFERENCE, CgudSetupTimingMeasurement::OnChoice)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_SPEED, CgudSetupTimingMeasurement::OnChoice)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_VELOCITY, CgudSetupTimingMeasurement::OnChoice)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_ACCELERATION, CgudSetupTimingMeasurement::OnChoice)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_KINETIC_ENERGY, CgudSetupTimingMeasurement::OnChoice)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_MOMENTUM, CgudSetupTimingMeasurement::OnChoice)
    EVT_RADIOBUTTON(ID_SETUP_MEASURE_SHM_PERIOD, CgudSetupTimingMeasurement::OnChoice)
    EVT_CHECKBOX(ID_SETUP_MEASURE_MANUAL, CgudSetupTimingMeasurement::OnChoice)
    EVT_UPDATE_UI(ID_SETUP_MEASURE_MANUAL, CgudSetupTimingMeasurement::OnUpdateManual)
wxEND_EVENT_TABLE()

CgudSetupTimingMeasurement::CgudSetupTimingMeasurement(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupTimingMeasurement::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupTimingMeasurement::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Measurement"), texts);
    auto* column = new wxBoxSizer(wxVERTICAL);
    group->Add(column, 1, wxEXPAND, 0);
    const char* labels[] = {"Time Difference", "Speed",    "Velocity",
                            "Acceleration",    "Kinetic Energy", "Momentum",
                            "Simple Harmonic Motion Period"};
    for (int i = 0; i < 7; ++i)
        gudAddRadio(this, column, kIds[i], wxGetTranslation(labels[i]), i == 0);
    column->Add(5, 5, 1, wxEXPAND, 0);
    group->Add(5, 5, 1, wxEXPAND, 0);
    auto* manual = new wxCheckBox(this, ID_SETUP_MEASURE_MANUAL, _("Manual Calculation"), wxDefaultPosition,
                                  wxDefaultSize, 0, wxDefaultValidator, "check");
    manual->SetValue(false);
    group->Add(manual, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    gudAddText(this, texts,
               _("Quorvanti enables very accurate\nmeasurement of time difference\nbetween events detected with "
                 "sensors."),
               0);
    gudAddText(this, texts, _("From these measurements various\ncalculations can be performed."));
    gudAddText(this, texts, _("Select the measurement type you require."));
    m_manualText = gudAddText(this, texts, _("Select 'Manual Calculation' if you want \nto calculate the result yourself."));
    gudAddStartRow(this, texts);

    gudRemoveChoice(this, FEATURE_SETUP_MANUAL_CALCULATION, ID_SETUP_MEASURE_MANUAL, m_manualText);
    gudRemoveChoice(this, FEATURE_SETUP_SHM_PERIOD, ID_SETUP_MEASURE_SHM_PERIOD);
    gudRemoveChoice(this, FEATURE_SETUP_MOMENTUM, ID_SETUP_MEASURE_MOMENTUM);
    gudRemoveChoice(this, FEATURE_SETUP_KINETIC_ENERGY, ID_SETUP_MEASURE_KINETIC_ENERGY);
    gudRemoveChoice(this, FEATURE_SETUP_ACCELERATION, ID_SETUP_MEASURE_ACCELERATION);
    gudRemoveChoice(this, FEATURE_SETUP_VELOCITY, ID_SETUP_MEASURE_VELOCITY);
    m_group = CgudRadioGroup(this, kIds, kValues, 7);
}

wxWizardPage* CgudSetupTimingMeasurement::GetPrev() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    return wizard.IsDocReady() ? wizard.m_pageType : nullptr;
}

wxWizardPage* CgudSetupTimingMeasurement::GetNext() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    CxhwSetup& setup = wizard.m_setup;
    if (setup.m_measurement == MEASUREMENT_SHM_PERIOD) {
        setup.m_timingSensor = TIMING_SENSOR_ANY;
        setup.SetBars(*wizard.m_doc, 1);
        return wizard.m_pageReady;
    }
    if (wizard.m_doc->m_boxInfo.CountTimingInputs() > 1)
        return wizard.m_pageTimingSensors;
    setup.m_timingSensor = TIMING_SENSOR_ANY;
    return wizard.m_pageTimingObject;
}

bool CgudSetupTimingMeasurement::TransferDataToWindow()
{
    const CxhwSetup& setup = gudSetupOf(this);
    m_group.Select(setup.m_measurement);
    if (auto* manual = wxDynamicCast(FindWindow(ID_SETUP_MEASURE_MANUAL), wxCheckBox)) {
        const bool takes = TakesManual(setup.m_measurement);
        manual->Enable(takes);
        manual->SetValue(takes && setup.m_manualCalculation);
    }
    return gudFinishTransferToWindow(this);
}

bool CgudSetupTimingMeasurement::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    CxhwSetup& setup = gudSetupOf(this);
    const CdocDoc& doc = gudDocOf(this);
    setup.SetMeasurement(doc, m_group.GetValue());
    auto* manual = wxDynamicCast(FindWindow(ID_SETUP_MEASURE_MANUAL), wxCheckBox);
    setup.SetManualCalculation(doc, manual && manual->GetValue());
    return result;
}

void CgudSetupTimingMeasurement::OnChoice(wxCommandEvent& event)
{
    TransferDataFromWindow();
    event.Skip();
}

void CgudSetupTimingMeasurement::OnUpdateManual(wxUpdateUIEvent& event)
{
    const CxhwSetup& setup = gudSetupOf(this);
    const bool takes = TakesManual(setup.m_measurement);
    event.Enable(takes);
    event.Check(takes && setup.m_manualCalculation);
}
