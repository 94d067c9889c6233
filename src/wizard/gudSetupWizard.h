#pragma once
#include "hardware/xhwSetup.h"
#include "protocol/xutBoxPublicInfo.h"
#include "wizard/gudSetupDuration.h"
#include "wizard/gudSetupRange.h"
#include "wizard/gudSetupReadings.h"
#include "wizard/gudSetupReady.h"
#include "wizard/gudSetupTimingMass.h"
#include "wizard/gudSetupTimingMeasurement.h"
#include "wizard/gudSetupTimingObject.h"
#include "wizard/gudSetupTimingSensors.h"
#include "wizard/gudSetupType.h"

#include <wx/timer.h>
#include <wx/wizard.h>

class CdocDoc;

enum
{
    ID_SETUP_WIZARD = 10044,
    ID_SETUP_WIZARD_TIMER = 1,
};

// The logging set-up wizard: edits its own copy of the document's set-up
// page by page, judged against the logger connected now; the caller takes the
// copy back when it finishes. Every page works out its own neighbours.
class CgudSetupWizard : public wxWizard
{
public:
    CgudSetupWizard() = default;
    CgudSetupWizard(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition);
    ~CgudSetupWizard() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition);
    void CreatePages();
    // Watches the logger while the wizard runs; true when it was finished.
    bool RunWizard(wxWizardPage* firstPage) override;
    void RefreshFromLogger();
    // The help book's page for the page shown.
    wxString GetHelpPage() const;
    // Whether the page is ready, in the sense of the page flow: the document
    // holds no data yet.
    bool IsDocReady() const;

    void OnPageChanged(wxWizardEvent& event);
    void OnPageChanging(wxWizardEvent& event);
    void OnWizardHelp(wxWizardEvent& event);
    void OnStart(wxCommandEvent& event);
    void OnUpdateStart(wxUpdateUIEvent& event);
    void OnTimer(wxTimerEvent& event);

    CgudSetupType* m_pageType = nullptr;
    CgudSetupTimingMeasurement* m_pageTimingMeasurement = nullptr;
    CgudSetupTimingSensors* m_pageTimingSensors = nullptr;
    CgudSetupTimingObject* m_pageTimingObject = nullptr;
    CgudSetupTimingMass* m_pageTimingMass = nullptr;
    CgudSetupRange* m_pageRange = nullptr;
    CgudSetupReadings* m_pageReadings = nullptr;
    CgudSetupDuration* m_pageDuration = nullptr;
    CgudSetupReady* m_pageReady = nullptr;
    CxhwSetup m_setup;
    CdocDoc* m_doc = nullptr;
    CxutBoxPublicInfo m_boxInfo;
    bool m_start = false;
    wxTimer m_timer;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSetupWizard);
    wxDECLARE_EVENT_TABLE();
};
