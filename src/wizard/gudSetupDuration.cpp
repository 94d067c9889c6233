#include "wizard/gudSetupDuration.h"

#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <algorithm>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/valgen.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupDuration, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupDuration, wxWizardPage)
    EVT_COMBOBOX(ID_SETUP_DURATION_COMBO, CgudSetupDuration::OnDurationCombo)
    EVT_SLIDER(ID_SETUP_DURATION_SLIDER, CgudSetupDuration::OnDurationSlider)
wxEND_EVENT_TABLE()

CgudSetupDuration::CgudSetupDuration(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupDuration::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupDuration::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Duration (maximum)"), texts);
    m_durationCombo = new wxComboBox(this, ID_SETUP_DURATION_COMBO, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                     nullptr, wxCB_READONLY, wxGenericValidator(&m_selection), "comboBox");
    group->Add(m_durationCombo, 0, wxEXPAND | wxALL, 5);
    m_periodLabel = new wxStaticText(this, ID_SETUP_DURATION_PERIOD, "Static text", wxDefaultPosition, wxDefaultSize,
                                     0, "staticText");
    group->Add(m_periodLabel, 0, wxALL, 10);
    group->Add(5, 5, 1, wxEXPAND, 0);
    auto* ends = new wxBoxSizer(wxHORIZONTAL);
    group->Add(ends, 0, wxEXPAND, 0);
    ends->Add(new wxStaticText(this, wxID_STATIC, _("Short"), wxDefaultPosition, wxDefaultSize, 0, "staticText"), 0,
              wxLEFT | wxRIGHT, 5);
    ends->Add(5, 5, 1, wxEXPAND, 0);
    ends->Add(new wxStaticText(this, wxID_STATIC, _("Long"), wxDefaultPosition, wxDefaultSize, 0, "staticText"), 0,
              wxLEFT | wxRIGHT, 5);
    m_durationSlider = new wxSlider(this, ID_SETUP_DURATION_SLIDER, 0, 0, 10, wxDefaultPosition, wxDefaultSize,
                                    wxSL_HORIZONTAL | wxSL_AUTOTICKS, wxGenericValidator(&m_sliderPosition), "slider");
    group->Add(m_durationSlider, 0, wxEXPAND | wxALL, 5);
    group->Add(5, 5, 1, wxEXPAND, 0);

    gudAddText(this, texts, _("Select the required experiment duration \nfrom the options provided."), 0);
    gudAddText(this, texts, _("The list only shows valid rates for your \ncurrent set up."));
    gudAddText(this, texts,
               _("Some sensors can only produce data \nrelatively slowly and some loggers are \nfaster than others, "
                 "so the available \ndurations will not always be the same."));
    gudAddStartRow(this, texts);
}

wxWizardPage* CgudSetupDuration::GetPrev() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    CxhwSetup& setup = wizard.m_setup;
    if (setup.m_setup == SETUP_LOG_FAST_TRIGGER) {
        setup.UpdateTriggeredCalib(*wizard.m_doc, xhwHasMivaOption(*wizard.m_doc));
        if (setup.m_triggerHasChoices)
            return wizard.m_pageRange;
    } else if (setup.m_setup == SETUP_LOG_PERIODIC_ADVANCED) {
        return wizard.m_pageReadings;
    }
    return wizard.IsDocReady() ? wizard.m_pageType : nullptr;
}

wxWizardPage* CgudSetupDuration::GetNext() const
{
    return gudWizardOf(this).m_pageReady;
}

void CgudSetupDuration::TakeSelectedPeriod()
{
    if (m_periodCount < 1)
        return;
    CxhwSetup& setup = gudSetupOf(this);
    setup.m_period = setup.GetNearestPeriod(gudDocOf(this), m_periods[m_selection]);
}

bool CgudSetupDuration::TransferDataToWindow()
{
    CxhwSetup& setup = gudSetupOf(this);
    const CdocDoc& doc = gudDocOf(this);
    double periods[kMaxPeriods];
    const int count = std::clamp(setup.GetPeriodChoices(doc, periods), 0, kMaxPeriods - 1);
    const int readings = setup.GetReadingsLimit(doc);
    bool rebuild = int(m_durationCombo->GetCount()) != count || m_periodCount != count
                   || m_listLogType != setup.m_setup || m_listReadings != readings;
    for (int i = 0; i < count && !rebuild; ++i)
        rebuild = periods[i] != m_periods[i];
    if (rebuild) {
        m_periodCount = count;
        m_listLogType = setup.m_setup;
        m_listReadings = readings;
        std::copy(periods, periods + count, m_periods);
        m_durationCombo->Clear();
        const int layout = setup.m_setup == SETUP_LOG_FAST_TRIGGER ? 6 : 5;
        for (int i = 0; i < count; ++i) {
            wxString text;
            CxhwSetup::FormatPeriodAndDuration(text, readings, layout, m_periods[i]);
            m_durationCombo->Append(text);
        }
        m_durationSlider->SetRange(0, std::max(0, count - 1));
        m_durationSlider->SetTickFreq(1);
    }
    if (m_periodCount > 0) {
        const int position = CxhwSetup::FindNearest(m_periods, m_periodCount, setup.m_period);
        m_selection = position;
        m_sliderPosition = m_periodCount - 1 - position;
        setup.m_period = m_periods[position];
    } else {
        m_selection = wxNOT_FOUND;
        m_sliderPosition = 0;
    }
    wxString text;
    CxhwSetup::FormatPeriodAndDuration(text, readings, 0, setup.m_period);
    m_periodLabel->SetLabel(text);
    return gudFinishTransferToWindow(this);
}

bool CgudSetupDuration::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    const int last = std::max(0, m_periodCount - 1);
    m_selection = std::clamp<int32_t>(m_selection, 0, last);
    m_sliderPosition = std::clamp<int32_t>(m_sliderPosition, 0, last);
    TakeSelectedPeriod();
    return result;
}

void CgudSetupDuration::OnDurationCombo(wxCommandEvent&)
{
    TransferDataFromWindow();
    m_sliderPosition = m_periodCount - 1 - m_selection;
    TakeSelectedPeriod();
    TransferDataToWindow();
}

void CgudSetupDuration::OnDurationSlider(wxCommandEvent&)
{
    TransferDataFromWindow();
    m_selection = std::max(0, m_periodCount - 1 - m_sliderPosition);
    TakeSelectedPeriod();
    TransferDataToWindow();
}
