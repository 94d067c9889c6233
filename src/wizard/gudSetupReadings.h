#pragma once
#include "wizard/gudRadioGroup.h"

#include <wx/wizard.h>

enum
{
    ID_SETUP_READINGS_100 = 10019,
    ID_SETUP_READINGS_200 = 10020,
    ID_SETUP_READINGS_500 = 10021,
    ID_SETUP_READINGS_1000 = 10022,
    ID_SETUP_READINGS_2000 = 10015,
    ID_SETUP_READINGS_5000 = 10016,
    ID_SETUP_READINGS_10000 = 10017,
    ID_SETUP_READINGS_20000 = 10018,
};

// The most readings an advanced periodic run stores of each sensor.
class CgudSetupReadings : public wxWizardPage
{
public:
    CgudSetupReadings() = default;
    explicit CgudSetupReadings(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnReadingsRadio(wxCommandEvent& event);

    CgudRadioGroup m_readingsGroup;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupReadings);
    wxDECLARE_EVENT_TABLE();
};
