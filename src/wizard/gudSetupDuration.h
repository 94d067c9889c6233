#pragma once
#include <cstdint>
#include <wx/wizard.h>

class wxComboBox;
class wxSlider;
class wxStaticText;

enum
{
    ID_SETUP_DURATION_COMBO = 10056,
    ID_SETUP_DURATION_PERIOD = 10058,
    ID_SETUP_DURATION_SLIDER = 10050,
};

// The length of the run, that is its sample period: a list of the run
// lengths the logger offers and a slider over the same list, shortest left.
class CgudSetupDuration : public wxWizardPage
{
public:
    static constexpr int kMaxPeriods = 50;

    CgudSetupDuration() = default;
    explicit CgudSetupDuration(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnDurationCombo(wxCommandEvent& event);
    void OnDurationSlider(wxCommandEvent& event);

    wxComboBox* m_durationCombo = nullptr;
    wxStaticText* m_periodLabel = nullptr;
    wxSlider* m_durationSlider = nullptr;
    int32_t m_selection = 0;
    int32_t m_sliderPosition = 0;
    double m_periods[kMaxPeriods] = {};
    int32_t m_periodCount = 0;
    int32_t m_listLogType = 0;
    int32_t m_listReadings = 0;

private:
    // Period becomes the listed period at the selection (kept on an empty list).
    void TakeSelectedPeriod();

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupDuration);
    wxDECLARE_EVENT_TABLE();
};
