#pragma once
#include <wx/wizard.h>

class wxChoice;

enum
{
    ID_SETUP_RANGE_CHOICE = 10172,
};

// The scale of the trigger sensor of a fast run, when it offers several.
class CgudSetupRange : public wxWizardPage
{
public:
    CgudSetupRange() = default;
    explicit CgudSetupRange(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnScaleChoice(wxCommandEvent& event);

    wxChoice* m_scaleChoice = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupRange);
    wxDECLARE_EVENT_TABLE();
};
