#pragma once
#include "wizard/gudRadioGroup.h"

#include <wx/wizard.h>

class wxRadioButton;
class wxStaticText;

enum
{
    ID_SETUP_TYPE_PERIODIC = 10051,
    ID_SETUP_TYPE_FAST = 10052,
    ID_SETUP_TYPE_ADVANCED = 10053,
    ID_SETUP_TYPE_TIMING = 10054,
};

// The set-up wizard's first page: the kind of logging.
class CgudSetupType : public wxWizardPage
{
public:
    CgudSetupType() = default;
    explicit CgudSetupType(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnRadio(wxCommandEvent& event);

    wxRadioButton* m_periodic = nullptr;
    wxRadioButton* m_fast = nullptr;
    wxRadioButton* m_advanced = nullptr;
    wxRadioButton* m_timing = nullptr;
    wxStaticText* m_fastText = nullptr;
    wxStaticText* m_advancedText = nullptr;
    CgudRadioGroup m_group;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupType);
    wxDECLARE_EVENT_TABLE();
};
