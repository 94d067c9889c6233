#pragma once
#include "wizard/gudRadioGroup.h"

#include <wx/wizard.h>

class wxFocusEvent;
class wxRadioButton;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

enum
{
    ID_SETUP_OBJECT_ONE_BAR = 10068,
    ID_SETUP_OBJECT_TWO_BARS = 10069,
    ID_SETUP_OBJECT_FOUR_BARS = 10070,
    ID_SETUP_OBJECT_BAR_WIDTH = 10012,
    ID_SETUP_OBJECT_BARS_TOTAL = 10186,
    ID_SETUP_OBJECT_GAP_NOTE = 10184,
    ID_SETUP_OBJECT_SUMMARY = 10025,
};

// The shape of the object a timing run times: bars per measurement, their
// width and how many bars the whole object has.
class CgudSetupTimingObject : public wxWizardPage
{
public:
    CgudSetupTimingObject() = default;
    explicit CgudSetupTimingObject(wxWizard* parent);

    bool Create(wxWizard* parent);
    void CreateControls();

    wxWizardPage* GetPrev() const override;
    wxWizardPage* GetNext() const override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    // Shows the set-up's explanation when it differs from the one shown.
    void UpdateSummary();

    void OnUpdateBarWidth(wxUpdateUIEvent& event);
    void OnBarsTotalText(wxCommandEvent& event);
    void OnBarsTotalKillFocus(wxFocusEvent& event);
    void OnUpdateBarsTotal(wxUpdateUIEvent& event);
    void OnUpdateGapNote(wxUpdateUIEvent& event);
    void OnBarsChosen(wxCommandEvent& event);
    void OnUpdateSummary(wxUpdateUIEvent& event);

    wxTextCtrl* m_barWidthCtrl = nullptr;
    wxTextCtrl* m_barsTotalCtrl = nullptr;
    wxRadioButton* m_oneBar = nullptr;
    wxStaticBitmap* m_pictures[3] = {nullptr, nullptr, nullptr};
    wxString m_barWidthText;
    wxString m_barsTotalText;
    CgudRadioGroup m_group;
    wxString m_gapNote;

private:
    // While the fields are filled their text events are not the user's.
    bool m_filling = false;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupTimingObject);
    wxDECLARE_EVENT_TABLE();
};
