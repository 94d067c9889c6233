#include "wizard/gudSetupWizard.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupWizard, wxWizard);

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
    const struct
    {
        wxWizardPageSimple** page;
        const char* title;
    } pages[] = {
        {&m_pageType, "Type of logging"},
        {&m_pageTimingMeasurement, "Timing measurement"},
        {&m_pageTimingSensors, "Timing sensors"},
        {&m_pageTimingObject, "Timed object"},
        {&m_pageTimingMass, "Mass"},
        {&m_pageRange, "Range"},
        {&m_pageReadings, "Readings"},
        {&m_pageDuration, "Duration"},
        {&m_pageReady, "Ready"},
    };
    for (const auto& entry : pages) {
        auto* page = new wxWizardPageSimple(this);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        page->SetSizer(sizer);
        sizer->Add(new wxStaticText(page, wxID_STATIC, wxGetTranslation(entry.title)), 0, wxALL, 5);
        *entry.page = page;
        GetPageAreaSizer()->Add(page);
    }
}

bool CgudSetupWizard::RunWizard(wxWizardPage* firstPage)
{
    return wxWizard::RunWizard(firstPage);
}
