#include "wizard/gudSetupReadings.h"

#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

namespace {

const int kIds[] = {ID_SETUP_READINGS_100,  ID_SETUP_READINGS_200,  ID_SETUP_READINGS_500,   ID_SETUP_READINGS_1000,
                    ID_SETUP_READINGS_2000, ID_SETUP_READINGS_5000, ID_SETUP_READINGS_10000, ID_SETUP_READINGS_20000};
// One more than the label: the reading at time zero counts too.
const int kValues[] = {101, 201, 501, 1001, 2001, 5001, 10001, 20001};
const char* const kLabels[] = {"100", "200", "500", "1000", "2000", "5000", "10000", "20000"};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupReadings, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupReadings, wxWizardPage)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_100, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_200, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_500, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_1000, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_2000, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_5000, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_10000, CgudSetupReadings::OnReadingsRadio)
    EVT_RADIOBUTTON(ID_SETUP_READINGS_20000, CgudSetupReadings::OnReadingsRadio)
wxEND_EVENT_TABLE()

CgudSetupReadings::CgudSetupReadings(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupReadings::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupReadings::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Readings (maximum)"), texts);
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    group->Add(columns, 1, wxEXPAND, 0);
    for (int side = 0; side < 2; ++side) {
        auto* column = new wxBoxSizer(wxVERTICAL);
        columns->Add(column, 1, wxEXPAND, 0);
        for (int i = 4 * side; i < 4 * side + 4; ++i)
            gudAddRadio(this, column, kIds[i], kLabels[i], i == 0);
        column->Add(5, 5, 1, wxEXPAND, 0);
    }

    gudAddText(this, texts, _("Select the maximum number of readings \nyou wish to store from each sensor."), 0);
    gudAddText(this, texts, _("Collecting more than you need can be \ncounter productive!"));
    gudAddStartRow(this, texts);
    m_readingsGroup = CgudRadioGroup(this, kIds, kValues, 8);
}

wxWizardPage* CgudSetupReadings::GetPrev() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    return wizard.IsDocReady() ? wizard.m_pageType : nullptr;
}

wxWizardPage* CgudSetupReadings::GetNext() const
{
    return gudWizardOf(this).m_pageDuration;
}

bool CgudSetupReadings::TransferDataToWindow()
{
    m_readingsGroup.Select(gudSetupOf(this).GetReadingsLimit(gudDocOf(this)));
    return gudFinishTransferToWindow(this);
}

bool CgudSetupReadings::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    gudSetupOf(this).SetReadings(gudDocOf(this), m_readingsGroup.GetValue());
    return result;
}

void CgudSetupReadings::OnReadingsRadio(wxCommandEvent& event)
{
    TransferDataFromWindow();
    event.Skip();
}
