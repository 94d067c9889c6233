#include "wizard/gudSetupReady.h"

#include "app/base/gumHelpers.h"
#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <vector>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

wxString Number(double value, const wxString& unit)
{
    wxString text;
    gumFormatDouble(text, value);
    return text + " " + unit;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupReady, wxWizardPage);

CgudSetupReady::CgudSetupReady(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupReady::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupReady::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Ready"), texts);
    auto* grid = new wxFlexGridSizer(kRows, 2, 0, 0);
    grid->SetFlexibleDirection(wxBOTH);
    group->Add(grid, 0, wxALL, 5);
    for (int i = 0; i < kRows; ++i) {
        m_summaryLabels[i] =
            new wxStaticText(this, wxID_STATIC, "Static text", wxDefaultPosition, wxDefaultSize, 0, "staticText");
        grid->Add(m_summaryLabels[i], 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        m_summaryValues[i] =
            new wxStaticText(this, wxID_STATIC, "Static text", wxDefaultPosition, wxDefaultSize, 0, "staticText");
        grid->Add(m_summaryValues[i], 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    }
    group->Add(5, 5, 1, wxEXPAND, 0);

    gudAddText(this, texts, _("You are now ready to begin logging."), 0);
    gudAddStartRow(this, texts);
}

wxWizardPage* CgudSetupReady::GetPrev() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    const CxhwSetup& setup = wizard.m_setup;
    switch (setup.m_setup) {
    case SETUP_LOG_PERIODIC:
    case SETUP_LOG_FAST_TRIGGER:
    case SETUP_LOG_PERIODIC_ADVANCED: return wizard.m_pageDuration;
    case SETUP_LOG_TIMING:
        if (setup.m_measurement == MEASUREMENT_KINETIC_ENERGY || setup.m_measurement == MEASUREMENT_MOMENTUM)
            return wizard.m_pageTimingMass;
        if (setup.m_measurement == MEASUREMENT_SHM_PERIOD)
            return wizard.m_pageTimingMeasurement;
        return wizard.m_pageTimingObject;
    default: return wizard.m_pageType;
    }
}

wxWizardPage* CgudSetupReady::GetNext() const
{
    return nullptr;
}

bool CgudSetupReady::TransferDataToWindow()
{
    const CxhwSetup& setup = gudSetupOf(this);
    const CdocDoc& doc = gudDocOf(this);
    std::vector<std::pair<wxString, wxString>> rows;
    const bool timing = setup.m_setup == SETUP_LOG_TIMING;
    const bool fast = setup.m_setup == SETUP_LOG_FAST_TRIGGER;
    rows.emplace_back(_("Logging Type:"), fast ? _("Triggered") : timing ? _("Timing") : _("Periodic"));
    if (setup.m_setup == SETUP_LOG_PERIODIC_ADVANCED)
        rows.emplace_back(_("Readings:"),
                          wxString::Format("%li", long(setup.GetReadingsLimit(doc))) + " " + _("(maximum)"));
    if (!timing) {
        wxString duration;
        CxhwSetup::FormatPeriodAndDuration(duration, setup.GetReadingsLimit(doc), fast ? 3 : 2, setup.m_period);
        rows.emplace_back(_("Duration:"), duration + " " + _("(maximum)"));
    } else {
        const char* measurements[] = {"Time difference", "Speed",    "Velocity",
                                      "Acceleration",    "Kinetic Energy", "Momentum",
                                      "Simple Harmonic Motion Period"};
        const int m = setup.m_measurement;
        rows.emplace_back(_("Measurement:"),
                          m >= 1 && m <= 7 ? wxGetTranslation(measurements[m - 1]) : wxString());
        if (setup.m_manualCalculation)
            rows.emplace_back(wxString(), _("Manual calculation selected"));
        const bool fromTo = setup.m_timingSensor == TIMING_SENSOR_FROM_TO;
        rows.emplace_back(_("Sensors:"), setup.m_timingSensor == TIMING_SENSOR_EACH ? _("At each sensor")
                                         : fromTo                                    ? _("From one sensor to another")
                                                                                     : _("At any sensor"));
        if (gudIsDistanceMeasurement(m) && fromTo)
            rows.emplace_back(_("Distance between sensors:"), Number(setup.m_sensorGap, _("cm")));
        const wxString object = setup.m_bars == 1   ? _("One bar")
                                : setup.m_bars == 2 ? _("Two bars")
                                : setup.m_bars == 4 ? _("Four bars")
                                                    : wxString::Format("%d", setup.m_bars) + " " + _("bars");
        rows.emplace_back(_("Object:"), object);
        if (m == MEASUREMENT_ACCELERATION || (gudIsDistanceMeasurement(m) && !fromTo))
            rows.emplace_back(_("Width of a bar:"), Number(setup.m_barWidth, _("cm")));
        if (m == MEASUREMENT_KINETIC_ENERGY || m == MEASUREMENT_MOMENTUM) {
            rows.emplace_back(_("Mass at sensor 1:"), Number(setup.m_mass1, _("kg")));
            rows.emplace_back(_("Mass at sensor 2:"), Number(setup.m_mass2, _("kg")));
            rows.emplace_back(_("Mass at sensor 3+:"), Number(setup.m_mass3, _("kg")));
        }
    }
    for (int i = 0; i < kRows; ++i) {
        const bool used = i < int(rows.size());
        m_summaryLabels[i]->SetLabel(used ? rows[size_t(i)].first : wxString());
        m_summaryValues[i]->SetLabel(used ? rows[size_t(i)].second : wxString());
    }
    return gudFinishTransferToWindow(this);
}
