#pragma once
#include <wx/wizard.h>

class wxTextCtrl;

enum
{
    ID_SETUP_MASS_1 = 10014,
    ID_SETUP_MASS_2 = 10010,
    ID_SETUP_MASS_3 = 10011,
};

// The masses passing each gate, for kinetic energy and momentum.
class CgudSetupTimingMass : public wxWizardPage
{
public:
    CgudSetupTimingMass() = default;
    explicit CgudSetupTimingMass(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnUpdateMass1(wxUpdateUIEvent& event);
    void OnUpdateMass2(wxUpdateUIEvent& event);
    void OnUpdateMass3(wxUpdateUIEvent& event);

    wxTextCtrl* m_mass1Ctrl = nullptr;
    wxTextCtrl* m_mass2Ctrl = nullptr;
    wxTextCtrl* m_mass3Ctrl = nullptr;
    wxString m_mass1Text;
    wxString m_mass2Text;
    wxString m_mass3Text;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupTimingMass);
    wxDECLARE_EVENT_TABLE();
};
