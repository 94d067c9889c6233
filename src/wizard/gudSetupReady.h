#pragma once
#include <wx/wizard.h>

class wxStaticText;

// The last page of every flow: a summary of the set-up about to start.
class CgudSetupReady : public wxWizardPage
{
public:
    static constexpr int kRows = 10;

    CgudSetupReady() = default;
    explicit CgudSetupReady(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;

    wxStaticText* m_summaryLabels[kRows] = {};
    wxStaticText* m_summaryValues[kRows] = {};

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupReady);
};
