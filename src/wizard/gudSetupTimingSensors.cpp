#include "wizard/gudSetupTimingSensors.h"

#include "app/appOptions.h"
#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

const int kIds[] = {ID_SETUP_SENSORS_ANY, ID_SETUP_SENSORS_EACH, ID_SETUP_SENSORS_FROM_TO};
const int kValues[] = {TIMING_SENSOR_ANY, TIMING_SENSOR_EACH, TIMING_SENSOR_FROM_TO};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupTimingSensors, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupTimingSensors, wxWizardPage)
    EVT_UPDATE_UI(ID_SETUP_SENSORS_COUNT, CgudSetupTimingSensors::OnUpdateCount)
    EVT_RADIOBUTTON(ID_SETUP_SENSORS_ANY, CgudSetupTimingSensors::OnRadio)
    EVT_RADIOBUTTON(ID_SETUP_SENSORS_EACH, CgudSetupTimingSensors::OnRadio)
    EVT_RADIOBUTTON(ID_SETUP_SENSORS_FROM_TO, CgudSetupTimingSensors::OnRadio)
    EVT_UPDATE_UI(ID_SETUP_SENSORS_DISTANCE, CgudSetupTimingSensors::OnUpdateDistance)
wxEND_EVENT_TABLE()

CgudSetupTimingSensors::CgudSetupTimingSensors(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupTimingSensors::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupTimingSensors::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Sensors"), texts);
    m_countLine = new wxStaticText(this, ID_SETUP_SENSORS_COUNT, "<n> suitable sensor(s) have been detected",
                                   wxDefaultPosition, wxDefaultSize, 0, "staticText");
    group->Add(m_countLine, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* column = new wxBoxSizer(wxVERTICAL);
    group->Add(column, 1, wxEXPAND, 0);
    column->Add(5, 5, 1, wxEXPAND, 0);
    column->Add(new wxStaticText(this, wxID_STATIC, _("Make one measurement:"), wxDefaultPosition, wxDefaultSize, 0,
                                 "staticText"),
                0, wxALL, 5);
    gudAddRadio(this, column, ID_SETUP_SENSORS_ANY, _("At any sensor"), true, 0);
    column->Add(5, 5, 1, wxEXPAND, 0);
    gudAddRadio(this, column, ID_SETUP_SENSORS_EACH, _("At each sensor"), false, 0);
    column->Add(5, 5, 1, wxEXPAND, 0);
    gudAddRadio(this, column, ID_SETUP_SENSORS_FROM_TO, _("From one sensor to another"), false, 0);
    column->Add(5, 5, 1, wxEXPAND, 0);
    group->Add(5, 5, 1, wxEXPAND, 0);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    group->Add(row, 0, wxEXPAND, 0);
    row->Add(new wxStaticText(this, wxID_STATIC, _("Distance between sensors (cm)"), wxDefaultPosition,
                              wxDefaultSize, 0, "staticText"),
             0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_distanceCtrl = new wxTextCtrl(this, ID_SETUP_SENSORS_DISTANCE, "100", wxDefaultPosition, wxDefaultSize, 0,
                                    gudNumberValidator("0123456789.", &m_distanceText), "text");
    row->Add(m_distanceCtrl, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    gudAddText(this, texts, _("Sensors can be used in different ways."), 0);
    gudAddText(this, texts, _("At any sensor: \na single measurement is made at any available sensor."), 2);
    m_eachText = gudAddText(this, texts, _("At each sensor:\none measurement is made at each available sensor."));
    gudAddText(this, texts,
               _("From one sensor to another:\na single measurement is made with two sensors,\ntypically as an "
                 "object moves from one sensor to another."));
    gudAddStartRow(this, texts);

    gudRemoveChoice(this, FEATURE_SETUP_EACH_SENSOR, ID_SETUP_SENSORS_EACH, m_eachText);
    m_group = CgudRadioGroup(this, kIds, kValues, 3);
}

wxWizardPage* CgudSetupTimingSensors::GetPrev() const
{
    return gudWizardOf(this).m_pageTimingMeasurement;
}

wxWizardPage* CgudSetupTimingSensors::GetNext() const
{
    return gudWizardOf(this).m_pageTimingObject;
}

void CgudSetupTimingSensors::OnUpdateCount(wxUpdateUIEvent&)
{
    UpdateCount();
}

void CgudSetupTimingSensors::UpdateCount()
{
    const int count = gudDocOf(this).m_boxInfo.CountTimingInputs();
    if (count == m_timingInputs)
        return;
    m_timingInputs = count;
    m_countLine->SetLabel(count == 1 ? wxString("1 suitable sensor has been detected")
                                     : wxString::Format("%d suitable sensor(s) have been detected", count));
}

bool CgudSetupTimingSensors::TransferDataToWindow()
{
    // Counted before "From one sensor to another" asks, so that it is
    // offered when the page is first shown.
    UpdateCount();
    const CxhwSetup& setup = gudSetupOf(this);
    m_group.Select(setup.m_timingSensor);
    const bool each = !setup.m_manualCalculation || setup.m_measurement == MEASUREMENT_TIME_DIFFERENCE
                      || setup.m_measurement == MEASUREMENT_SHM_PERIOD;
    const bool enable[] = {true, each, m_timingInputs > 1};
    m_group.EnableAll(enable);
    m_distanceText = setup.m_sensorGapS;
    m_distanceCtrl->Enable(setup.m_timingSensor == TIMING_SENSOR_FROM_TO);
    return gudFinishTransferToWindow(this);
}

void CgudSetupTimingSensors::OnUpdateDistance(wxUpdateUIEvent& event)
{
    event.Enable(m_group.GetValue() == TIMING_SENSOR_FROM_TO
                 && gudIsDistanceMeasurement(gudSetupOf(this).m_measurement));
}

bool CgudSetupTimingSensors::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    CxhwSetup& setup = gudSetupOf(this);
    setup.SetTimingSensor(gudDocOf(this), m_group.GetValue());
    double gap = 0.0;
    if (gudReadPositive(m_distanceText, gap)) {
        setup.m_sensorGapS = m_distanceText;
        setup.m_sensorGap = float(gap);
    }
    return result;
}

void CgudSetupTimingSensors::OnRadio(wxCommandEvent& event)
{
    TransferDataFromWindow();
    event.Skip();
}
