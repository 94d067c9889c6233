#include "wizard/gudSetupTimingMass.h"

#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// The text is taken only when it is wholly a number above 0.
void TakeMass(const wxString& text, wxString& massText, float& mass)
{
    double value = 0.0;
    if (!gudReadPositive(text, value))
        return;
    massText = text;
    mass = float(value);
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupTimingMass, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupTimingMass, wxWizardPage)
    EVT_UPDATE_UI(ID_SETUP_MASS_1, CgudSetupTimingMass::OnUpdateMass1)
    EVT_UPDATE_UI(ID_SETUP_MASS_2, CgudSetupTimingMass::OnUpdateMass2)
    EVT_UPDATE_UI(ID_SETUP_MASS_3, CgudSetupTimingMass::OnUpdateMass3)
wxEND_EVENT_TABLE()

CgudSetupTimingMass::CgudSetupTimingMass(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupTimingMass::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupTimingMass::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Mass"), texts);
    auto* grid = new wxFlexGridSizer(3, 2, 0, 0);
    group->Add(grid, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    const struct
    {
        const char* label;
        int id;
        wxString* data;
        wxTextCtrl** ctrl;
    } rows[] = {
        {"Mass at sensor 1 (kg)", ID_SETUP_MASS_1, &m_mass1Text, &m_mass1Ctrl},
        {"Mass at sensor 2 (kg)", ID_SETUP_MASS_2, &m_mass2Text, &m_mass2Ctrl},
        {"Mass at sensor 3+ (kg)", ID_SETUP_MASS_3, &m_mass3Text, &m_mass3Ctrl},
    };
    for (const auto& row : rows) {
        grid->Add(new wxStaticText(this, wxID_STATIC, wxGetTranslation(row.label), wxDefaultPosition, wxDefaultSize,
                                   0, "staticText"),
                  0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        *row.ctrl = new wxTextCtrl(this, row.id, "1", wxDefaultPosition, wxDefaultSize, 0,
                                   gudNumberValidator("0123456789.", row.data), "text");
        grid->Add(*row.ctrl, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    }
    group->Add(5, 5, 1, wxEXPAND, 0);

    gudAddText(this, texts, _("Enter the mass of the object passing each sensor."), 0);
    gudAddText(this, texts,
               _("If only one object is used the mass at all sensors \nwill be the same, but with more than one "
                 "object \nthe mass at each sensor might be different."));
    gudAddStartRow(this, texts);
}

wxWizardPage* CgudSetupTimingMass::GetPrev() const
{
    return gudWizardOf(this).m_pageTimingObject;
}

wxWizardPage* CgudSetupTimingMass::GetNext() const
{
    return gudWizardOf(this).m_pageReady;
}

bool CgudSetupTimingMass::TransferDataToWindow()
{
    const CxhwSetup& setup = gudSetupOf(this);
    m_mass1Text = setup.m_mass1S;
    m_mass2Text = setup.m_mass2S;
    m_mass3Text = setup.m_mass3S;
    return gudFinishTransferToWindow(this);
}

bool CgudSetupTimingMass::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    CxhwSetup& setup = gudSetupOf(this);
    TakeMass(m_mass1Text, setup.m_mass1S, setup.m_mass1);
    TakeMass(m_mass2Text, setup.m_mass2S, setup.m_mass2);
    TakeMass(m_mass3Text, setup.m_mass3S, setup.m_mass3);
    return result;
}

void CgudSetupTimingMass::OnUpdateMass1(wxUpdateUIEvent& event)
{
    event.Enable(gudDocOf(this).m_boxInfo.IsTimingInput(0, false));
}

void CgudSetupTimingMass::OnUpdateMass2(wxUpdateUIEvent& event)
{
    event.Enable(gudDocOf(this).m_boxInfo.IsTimingInput(1, false));
}

void CgudSetupTimingMass::OnUpdateMass3(wxUpdateUIEvent& event)
{
    event.Enable(gudDocOf(this).m_boxInfo.IsTimingInput(2, true));
}
