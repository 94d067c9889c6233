#pragma once
#include "wizard/gudRadioGroup.h"

#include <cstdint>
#include <wx/wizard.h>

class wxStaticText;
class wxTextCtrl;

enum
{
    ID_SETUP_SENSORS_ANY = 10005,
    ID_SETUP_SENSORS_EACH = 10006,
    ID_SETUP_SENSORS_FROM_TO = 10007,
    ID_SETUP_SENSORS_COUNT = 10057,
    ID_SETUP_SENSORS_DISTANCE = 10049,
};

// How a timing run uses several gates, and the distance between two.
class CgudSetupTimingSensors : public wxWizardPage
{
public:
    CgudSetupTimingSensors() = default;
    explicit CgudSetupTimingSensors(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnRadio(wxCommandEvent& event);
    void OnUpdateCount(wxUpdateUIEvent& event);
    // Counts the logger's timing inputs and renews the count line on a change.
    void UpdateCount();
    void OnUpdateDistance(wxUpdateUIEvent& event);

    wxStaticText* m_countLine = nullptr;
    wxTextCtrl* m_distanceCtrl = nullptr;
    wxStaticText* m_eachText = nullptr;
    wxString m_distanceText;
    CgudRadioGroup m_group;
    int32_t m_timingInputs = 0;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupTimingSensors);
    wxDECLARE_EVENT_TABLE();
};
