#pragma once
#include "wizard/gudRadioGroup.h"

#include <wx/wizard.h>

class wxStaticText;

enum
{
    ID_SETUP_MEASURE_TIME_DIFFERENCE = 10001,
    ID_SETUP_MEASURE_SPEED = 10002,
    ID_SETUP_MEASURE_VELOCITY = 10003,
    ID_SETUP_MEASURE_ACCELERATION = 10064,
    ID_SETUP_MEASURE_KINETIC_ENERGY = 10065,
    ID_SETUP_MEASURE_MOMENTUM = 10066,
    ID_SETUP_MEASURE_SHM_PERIOD = 10067,
    ID_SETUP_MEASURE_MANUAL = 10048,
};

// What a timing run measures, and whether the user calculates it by hand.
class CgudSetupTimingMeasurement : public wxWizardPage
{
public:
    CgudSetupTimingMeasurement() = default;
    explicit CgudSetupTimingMeasurement(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnChoice(wxCommandEvent& event);
    void OnUpdateManual(wxUpdateUIEvent& event);

    wxStaticText* m_manualText = nullptr;
    CgudRadioGroup m_group;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupTimingMeasurement);
    wxDECLARE_EVENT_TABLE();
};
