#include "wizard/gudSetupType.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "wizard/gudSetupDuration.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupRange.h"
#include "wizard/gudSetupReadings.h"
#include "wizard/gudSetupTimingMeasurement.h"
#include "wizard/gudSetupWizard.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

const int kIds[] = {ID_SETUP_TYPE_PERIODIC, ID_SETUP_TYPE_FAST, ID_SETUP_TYPE_ADVANCED, ID_SETUP_TYPE_TIMING};
const int kValues[] = {SETUP_LOG_PERIODIC, SETUP_LOG_FAST_TRIGGER, SETUP_LOG_PERIODIC_ADVANCED, SETUP_LOG_TIMING};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupType, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupType, wxWizardPage)
    EVT_RADIOBUTTON(ID_SETUP_TYPE_PERIODIC, CgudSetupType::OnRadio)
    EVT_RADIOBUTTON(ID_SETUP_TYPE_FAST, CgudSetupType::OnRadio)
    EVT_RADIOBUTTON(ID_SETUP_TYPE_ADVANCED, CgudSetupType::OnRadio)
    EVT_RADIOBUTTON(ID_SETUP_TYPE_TIMING, CgudSetupType::OnRadio)
wxEND_EVENT_TABLE()

CgudSetupType::CgudSetupType(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupType::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupType::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Logging Type"), texts);
    auto* column = new wxBoxSizer(wxVERTICAL);
    group->Add(column, 1, wxEXPAND, 0);
    m_periodic = static_cast<wxRadioButton*>(
        gudAddRadio(this, column, ID_SETUP_TYPE_PERIODIC, _("Periodic logging"), true, 1));
    m_fast = static_cast<wxRadioButton*>(
        gudAddRadio(this, column, ID_SETUP_TYPE_FAST, _("Fast with trigger (one sensor only)"), false, 2));
    m_advanced = static_cast<wxRadioButton*>(
        gudAddRadio(this, column, ID_SETUP_TYPE_ADVANCED, _("Periodic logging (advanced)"), false, 2));
    m_timing = static_cast<wxRadioButton*>(gudAddRadio(this, column, ID_SETUP_TYPE_TIMING, _("Timing"), false, 2));
    column->Add(5, 5, 1, wxEXPAND, 0);
    group->Add(5, 5, 1, wxEXPAND, 0);

    gudAddText(this, texts, _("Quorvanti supports a variety of logging types."), 0);
    gudAddText(this, texts, _("Periodic is for logging data at regular time\nintervals."), 2);
    m_fastText = gudAddText(this, texts, _("Fast mode is for logging very brief events."));
    m_advancedText = gudAddText(this, texts, _("Periodic (advanced) has more options."));
    gudAddText(this, texts,
               _("Timing is used to accurately measure the time \ntaken for something to move, typically using "
                 "\nlight gates.\n"));
    gudAddStartRow(this, texts);

    gudRemoveChoice(this, FEATURE_SETUP_PERIODIC_ADVANCED, ID_SETUP_TYPE_ADVANCED, m_advancedText);
    if (!FindWindow(ID_SETUP_TYPE_ADVANCED))
        m_advanced = nullptr;
    gudRemoveChoice(this, FEATURE_SETUP_FAST_TRIGGER, ID_SETUP_TYPE_FAST, m_fastText);
    if (!FindWindow(ID_SETUP_TYPE_FAST))
        m_fast = nullptr;
    m_group = CgudRadioGroup(this, kIds, kValues, 4);
}

wxWizardPage* CgudSetupType::GetPrev() const
{
    return nullptr;
}

wxWizardPage* CgudSetupType::GetNext() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    CxhwSetup& setup = wizard.m_setup;
    switch (setup.m_setup) {
    case SETUP_LOG_FAST_TRIGGER:
        setup.UpdateTriggeredCalib(*wizard.m_doc, xhwHasMivaOption(*wizard.m_doc));
        if (setup.m_triggerHasChoices)
            return wizard.m_pageRange;
        return wizard.m_pageDuration;
    case SETUP_LOG_PERIODIC_ADVANCED: return wizard.m_pageReadings;
    case SETUP_LOG_TIMING: return wizard.m_pageTimingMeasurement;
    default: return wizard.m_pageDuration;
    }
}

bool CgudSetupType::TransferDataToWindow()
{
    const CxhwSetup& setup = gudSetupOf(this);
    const CdocDoc& doc = gudDocOf(this);
    const CxutBoxPublicInfo& info = doc.m_boxInfo;
    m_group.Select(setup.m_setup);
    const bool trigger = info.CanUseTrigger(true, xhwHasMivaOption(doc) ? 1 : 0);
    const bool timing = info.CanUseTimingInputs();
    const bool enable[] = {info.HasSensors(), trigger, info.HasSensors(), timing};
    m_group.EnableAll(enable);
    if (m_fast) {
        if (trigger)
            m_fast->SetLabel(info.IsTriggerType10() ? _("Fast with trigger (one or two sensors)")
                                                    : _("Fast with trigger (one sensor only)"));
        else
            m_fast->SetLabel(info.HasTriggerFeature() ? _("Fast (requires analogue sensor)")
                                                      : _("Fast (requires suitable interface)"));
    }
    m_timing->SetLabel(timing ? _("Timing") : _("Timing (requires suitable sensors)"));
    return gudFinishTransferToWindow(this);
}

bool CgudSetupType::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    gudSetupOf(this).SetLogType(gudDocOf(this), m_group.GetValue());
    return result;
}

void CgudSetupType::OnRadio(wxCommandEvent& event)
{
    TransferDataFromWindow();
    event.Skip();
}
