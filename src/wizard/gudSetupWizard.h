#pragma once
#include "hardware/xhwSetup.h"
#include "protocol/xutBoxPublicInfo.h"

#include <wx/timer.h>
#include <wx/wizard.h>

class CdocDoc;

enum
{
    ID_SETUP_WIZARD = 10044,
};

// The logging set-up wizard: edits its own copy of the document's set-up
// page by page; the caller takes the copy back when it finishes.
// Still thin: its nine pages are empty placeholders, each alone (no page
// flow, checks, Start button, help or refresh timer), so Finish on the first
// page shown keeps the set-up as it came in.
class CgudSetupWizard : public wxWizard
{
public:
    CgudSetupWizard() = default;
    CgudSetupWizard(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition);
    ~CgudSetupWizard() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition);
    void CreatePages();
    bool RunWizard(wxWizardPage* firstPage) override;

    wxWizardPageSimple* m_pageType = nullptr;
    wxWizardPageSimple* m_pageTimingMeasurement = nullptr;
    wxWizardPageSimple* m_pageTimingSensors = nullptr;
    wxWizardPageSimple* m_pageTimingObject = nullptr;
    wxWizardPageSimple* m_pageTimingMass = nullptr;
    wxWizardPageSimple* m_pageRange = nullptr;
    wxWizardPageSimple* m_pageReadings = nullptr;
    wxWizardPageSimple* m_pageDuration = nullptr;
    wxWizardPageSimple* m_pageReady = nullptr;
    CxhwSetup m_setup;
    CdocDoc* m_doc = nullptr;
    CxutBoxPublicInfo m_boxInfo;
    bool m_start = false;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupWizard);
};
