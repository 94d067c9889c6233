#include "wizard/gudSetupRange.h"

#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupRange, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupRange, wxWizardPage)
    EVT_CHOICE(ID_SETUP_RANGE_CHOICE, CgudSetupRange::OnScaleChoice)
wxEND_EVENT_TABLE()

CgudSetupRange::CgudSetupRange(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupRange::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupRange::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Scales"), texts);
    auto* grid = new wxFlexGridSizer(1, 1, 0, 0);
    group->Add(grid, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_scaleChoice = new wxChoice(this, ID_SETUP_RANGE_CHOICE, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                 wxDefaultValidator, "choice");
    grid->Add(m_scaleChoice, 0, wxALIGN_CENTER | wxALL, 5);
    group->Add(5, 5, 1, wxEXPAND, 0);

    gudAddText(this, texts, _("Some sensors have a choice of scales."), 0);
    gudAddText(this, texts, _("Select the required scale from the list."));
    gudAddStartRow(this, texts);
}

wxWizardPage* CgudSetupRange::GetPrev() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    return wizard.IsDocReady() ? wizard.m_pageType : nullptr;
}

wxWizardPage* CgudSetupRange::GetNext() const
{
    return gudWizardOf(this).m_pageDuration;
}

bool CgudSetupRange::TransferDataToWindow()
{
    CxhwSetup& setup = gudSetupOf(this);
    const CdocDoc& doc = gudDocOf(this);
    setup.UpdateTriggeredCalib(doc, xhwHasMivaOption(doc));
    m_scaleChoice->Clear();
    const int count = setup.GetTriggerChoiceCount();
    for (int i = 0; i < count; ++i)
        m_scaleChoice->Append(setup.GetTriggerChoiceLabel(i));
    const int index = setup.GetTriggeredCalibIdx();
    if (index >= 0 && index < count)
        m_scaleChoice->SetSelection(index);
    return gudFinishTransferToWindow(this);
}

bool CgudSetupRange::TransferDataFromWindow()
{
    return wxWizardPage::TransferDataFromWindow();
}

void CgudSetupRange::OnScaleChoice(wxCommandEvent&)
{
    TransferDataFromWindow();
    CxhwSetup& setup = gudSetupOf(this);
    const CdocDoc& doc = gudDocOf(this);
    const int selected = m_scaleChoice->GetSelection();
    setup.SelectTriggeredCalib(doc, xhwHasMivaOption(doc), selected);
    const int index = setup.GetTriggeredCalibIdx();
    if (index != selected && index >= 0 && index < int(m_scaleChoice->GetCount()))
        m_scaleChoice->SetSelection(index);
}
