#include "wizard/gudSetupWizard.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"
#include "wizard/gudSetupDuration.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupRange.h"
#include "wizard/gudSetupReadings.h"
#include "wizard/gudSetupReady.h"
#include "wizard/gudSetupTimingMass.h"
#include "wizard/gudSetupTimingMeasurement.h"
#include "wizard/gudSetupTimingObject.h"
#include "wizard/gudSetupTimingSensors.h"
#include "wizard/gudSetupType.h"

#include <wx/button.h>
#include <wx/sizer.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupWizard, wxWizard);

wxBEGIN_EVENT_TABLE(CgudSetupWizard, wxWizard)
    EVT_WIZARD_PAGE_CHANGED(ID_SETUP_WIZARD, CgudSetupWizard::OnPageChanged)
    EVT_WIZARD_PAGE_CHANGING(ID_SETUP_WIZARD, CgudSetupWizard::OnPageChanging)
    EVT_WIZARD_HELP(ID_SETUP_WIZARD, CgudSetupWizard::OnWizardHelp)
    EVT_BUTTON(ID_SETUP_START, CgudSetupWizard::OnStart)
    EVT_UPDATE_UI(ID_SETUP_START, CgudSetupWizard::OnUpdateStart)
    EVT_TIMER(ID_SETUP_WIZARD_TIMER, CgudSetupWizard::OnTimer)
wxEND_EVENT_TABLE()

CgudSetupWizard::CgudSetupWizard(wxWindow* parent, wxWindowID id, const wxPoint& position)
{
    Create(parent, id, position);
}

CgudSetupWizard::~CgudSetupWizard() = default;

bool CgudSetupWizard::Create(wxWindow* parent, wxWindowID id, const wxPoint& position)
{
    SetExtraStyle(wxWIZARD_EX_HELPBUTTON | wxWS_EX_BLOCK_EVENTS);
    if (!wxWizard::Create(parent, id, _("Logging Setup Wizard"), wxNullBitmap, position,
                          wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER))
        return false;
    CreatePages();
    return true;
}

void CgudSetupWizard::CreatePages()
{
    m_pageType = new CgudSetupType(this);
    m_pageTimingMeasurement = new CgudSetupTimingMeasurement(this);
    m_pageTimingSensors = new CgudSetupTimingSensors(this);
    m_pageTimingObject = new CgudSetupTimingObject(this);
    m_pageTimingMass = new CgudSetupTimingMass(this);
    m_pageRange = new CgudSetupRange(this);
    m_pageReadings = new CgudSetupReadings(this);
    m_pageDuration = new CgudSetupDuration(this);
    m_pageReady = new CgudSetupReady(this);
    const wxWizardPage* pages[] = {m_pageType,     m_pageTimingMeasurement, m_pageTimingSensors,
                                   m_pageTimingObject, m_pageTimingMass, m_pageRange,
                                   m_pageReadings, m_pageDuration,          m_pageReady};
    for (const wxWizardPage* page : pages)
        GetPageAreaSizer()->Add(const_cast<wxWizardPage*>(page));
}

bool CgudSetupWizard::RunWizard(wxWizardPage* firstPage)
{
    m_timer.SetOwner(this, ID_SETUP_WIZARD_TIMER);
    m_timer.Start(200, wxTIMER_CONTINUOUS);
    RefreshFromLogger();
    const bool finished = wxWizard::RunWizard(firstPage);
    m_timer.Stop();
    return finished;
}

void CgudSetupWizard::RefreshFromLogger()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (!boxes)
        return;
    boxes->GetPublicInfo(m_boxInfo);
    bool changed = m_boxInfo.m_info.m_changed;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        const CxhwSensor& sensor = m_boxInfo.m_sensors[i];
        if (sensor.m_changedId || sensor.m_changedCal || sensor.m_changedEnable)
            changed = true;
    }
    if (changed)
        if (wxWizardPage* page = GetCurrentPage())
            page->TransferDataToWindow();
}

bool CgudSetupWizard::IsDocReady() const
{
    return m_doc && m_doc->m_state <= DOC_STATE_READY;
}

wxString CgudSetupWizard::GetHelpPage() const
{
    const wxWizardPage* page = GetCurrentPage();
    const char* name = "Setup.htm";
    if (page == m_pageTimingMeasurement)
        name = "SetupMeasurement.htm";
    else if (page == m_pageTimingSensors)
        name = "SetupSensors.htm";
    else if (page == m_pageTimingObject)
        name = "SetupObject.htm";
    else if (page == m_pageTimingMass)
        name = "SetupMass.htm";
    else if (page == m_pageReadings)
        name = "SetupReadings.htm";
    else if (page == m_pageDuration)
        name = "SetupDuration.htm";
    else if (page == m_pageReady)
        name = "SetupReady.htm";
    return wxGetTranslation(name);
}

void CgudSetupWizard::OnPageChanging(wxWizardEvent& event)
{
    if (event.GetDirection() && !m_setup.IsLogTypeSupported(*m_doc)) {
        zxMessageBox(_("The selected options will not work with the current sensor configuration"));
        event.Veto();
        return;
    }
    const wxWizardPage* current = GetCurrentPage();
    const bool finishing = m_start || (current && !current->GetNext());
    if (!finishing) {
        event.Skip();
        return;
    }
    const bool option = xhwHasMivaOption(*m_doc);
    if (!m_setup.CheckSensorScales(*m_doc, option, false)) {
        event.Skip();
        return;
    }
    if (xhwLacksMivaOption(*m_doc)
        && !zxQuestionBox(_("One or more sensor scales will be automatically adjusted.") + zxNewLine()
                          + _("Would you like to continue?"))) {
        event.Veto();
        return;
    }
    m_setup.CheckSensorScales(*m_doc, option, true);
    event.Skip();
}

void CgudSetupWizard::OnStart(wxCommandEvent&)
{
    wxWizardPage* page = GetCurrentPage();
    if (!page || !page->Validate() || !page->TransferDataFromWindow())
        return;
    m_start = true;
    if (!ShowPage(nullptr, true))
        m_start = false;
}

void CgudSetupWizard::OnUpdateStart(wxUpdateUIEvent& event)
{
    event.Enable(m_doc && m_setup.IsLogTypeSupported(*m_doc));
}

void CgudSetupWizard::OnPageChanged(wxWizardEvent& event)
{
    if (GetCurrentPage() == m_pageReady)
        if (wxWindow* forward = FindWindow(wxID_FORWARD))
            forward->SetLabel(_("&Start"));
    event.Skip();
}

void CgudSetupWizard::OnWizardHelp(wxWizardEvent&)
{
    wxGetApp().ShowHelp(GetHelpPage(), this);
}

void CgudSetupWizard::OnTimer(wxTimerEvent&)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    RefreshFromLogger();
}
