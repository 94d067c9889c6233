#include "wizard/gudSetupTimingObject.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "document/docDoc.h"
#include "wizard/gudSetupPages.h"
#include "wizard/gudSetupWizard.h"

#include <wx/gbsizer.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

const int kIds[] = {ID_SETUP_OBJECT_ONE_BAR, ID_SETUP_OBJECT_TWO_BARS, ID_SETUP_OBJECT_FOUR_BARS};
const int kValues[] = {1, 2, 4};

const wxBitmap& Picture(int n)
{
    if (wxTheApp)
        if (auto* app = dynamic_cast<CgumApp*>(wxTheApp))
            return app->m_res.m_pictures[size_t(n)];
    return wxNullBitmap;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSetupTimingObject, wxWizardPage);

wxBEGIN_EVENT_TABLE(CgudSetupTimingObject, wxWizardPage)
    EVT_UPDATE_UI(ID_SETUP_OBJECT_BAR_WIDTH, CgudSetupTimingObject::OnUpdateBarWidth)
    EVT_TEXT(ID_SETUP_OBJECT_BARS_TOTAL, CgudSetupTimingObject::OnBarsTotalText)
    EVT_UPDATE_UI(ID_SETUP_OBJECT_BARS_TOTAL, CgudSetupTimingObject::OnUpdateBarsTotal)
    EVT_UPDATE_UI(ID_SETUP_OBJECT_GAP_NOTE, CgudSetupTimingObject::OnUpdateGapNote)
    EVT_RADIOBUTTON(ID_SETUP_OBJECT_ONE_BAR, CgudSetupTimingObject::OnBarsChosen)
    EVT_RADIOBUTTON(ID_SETUP_OBJECT_TWO_BARS, CgudSetupTimingObject::OnBarsChosen)
    EVT_RADIOBUTTON(ID_SETUP_OBJECT_FOUR_BARS, CgudSetupTimingObject::OnBarsChosen)
    EVT_UPDATE_UI(ID_SETUP_OBJECT_SUMMARY, CgudSetupTimingObject::OnUpdateSummary)
wxEND_EVENT_TABLE()

CgudSetupTimingObject::CgudSetupTimingObject(wxWizard* parent)
{
    Create(parent);
}

bool CgudSetupTimingObject::Create(wxWizard* parent)
{
    wxWizardPage::Create(parent, wxNullBitmap);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void CgudSetupTimingObject::CreateControls()
{
    wxBoxSizer* texts = nullptr;
    wxStaticBoxSizer* group = gudBeginPage(this, _("Object"), texts);

    auto* fields = new wxGridBagSizer(0, 0);
    group->Add(fields, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    fields->Add(new wxStaticText(this, wxID_STATIC, _("Number of bars in the object"), wxDefaultPosition,
                                 wxDefaultSize, 0, "staticText"),
                wxGBPosition(0, 0), wxDefaultSpan, wxALIGN_CENTER | wxALL, 5);
    m_barsTotalCtrl = new wxTextCtrl(this, ID_SETUP_OBJECT_BARS_TOTAL, wxString(), wxDefaultPosition, wxDefaultSize,
                                     0, gudNumberValidator("0123456789", &m_barsTotalText), "text");
    fields->Add(m_barsTotalCtrl, wxGBPosition(0, 1), wxDefaultSpan, wxALIGN_CENTER | wxALL, 5);
    fields->Add(new wxStaticText(this, wxID_STATIC, _("Width of a bar (cm)"), wxDefaultPosition, wxDefaultSize, 0,
                                 "staticText"),
                wxGBPosition(1, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_barWidthCtrl = new wxTextCtrl(this, ID_SETUP_OBJECT_BAR_WIDTH, "5", wxDefaultPosition, wxDefaultSize, 0,
                                    gudNumberValidator("0123456789.", &m_barWidthText), "text");
    fields->Add(m_barWidthCtrl, wxGBPosition(1, 1), wxDefaultSpan, wxALIGN_CENTER | wxALL, 5);

    auto* note = new wxStaticText(this, ID_SETUP_OBJECT_GAP_NOTE, _("(the gap width must be the same as the bar width)"),
                                  wxDefaultPosition, wxDefaultSize, 0, "staticText");
    group->Add(note, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    group->Add(5, 5, 1, wxEXPAND, 0);
    group->Add(new wxStaticText(this, wxID_STATIC, _("Calculate each measurement using:"), wxDefaultPosition,
                                wxDefaultSize, 0, "staticText"),
               0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* bars = new wxGridBagSizer(0, 0);
    bars->SetEmptyCellSize(wxSize(10, 10));
    group->Add(bars, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    const char* labels[] = {"One bar", "Two bars", "Four bars"};
    const int pictures[] = {PICTURE_ONE_BAR, PICTURE_TWO_BARS, PICTURE_FOUR_BARS};
    for (int i = 0; i < 3; ++i) {
        auto* button = new wxRadioButton(this, kIds[i], wxGetTranslation(labels[i]), wxDefaultPosition,
                                         wxDefaultSize, i == 0 ? wxRB_GROUP : 0, wxDefaultValidator, "radioButton");
        button->SetValue(false);
        bars->Add(button, wxGBPosition(2 * i, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        m_pictures[i] = new wxStaticBitmap(this, wxID_STATIC, Picture(pictures[i]), wxDefaultPosition,
                                           wxSize(36, 20), 0, "staticBitmap");
        bars->Add(m_pictures[i], wxGBPosition(2 * i, 1), wxDefaultSpan, wxALIGN_CENTER | wxALL, 5);
    }
    m_oneBar = static_cast<wxRadioButton*>(FindWindow(ID_SETUP_OBJECT_ONE_BAR));
    group->Add(5, 5, 1, wxEXPAND, 0);

    gudAddText(this, texts, _("Select the shape of the object being timed."), 0);
    gudAddText(this, texts,
               _("A sequence of measurements can be made with a\n'picket fence' which has a multiple of the "
                 "selected\nnumber of bars. Extra bars will be ignored."),
               2);
    texts->Add(5, 5, 2, wxEXPAND, 0);
    auto* summary = new wxStaticText(
        this, ID_SETUP_OBJECT_SUMMARY,
        _("Current setup:\n\nTiming from the start of a bar to the start of the\nnext bar  (leading edge to leading "
          "edge).\n\nThe corresponding distance is the sum of the bar width\nand the gap between bars.\n\n8 "
          "measurements per pass. 8 extra bars ignored."),
        wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE, "staticText");
    texts->Add(summary, 0, wxALL | wxRESERVE_SPACE_EVEN_IF_HIDDEN, 5);
    gudAddStartRow(this, texts);

    const int features[] = {FEATURE_SETUP_FOUR_BARS, FEATURE_SETUP_TWO_BARS};
    const int removed[] = {2, 1};
    for (int k = 0; k < 2; ++k) {
        if (appIsAllowed(features[k]))
            continue;
        const int i = removed[k];
        gudRemoveChoice(this, features[k], kIds[i]);
        bars->Detach(m_pictures[i]);
        m_pictures[i]->Destroy();
        m_pictures[i] = nullptr;
    }
    m_group = CgudRadioGroup(this, kIds, kValues, 3);
    m_gapNote = note->GetLabel();
    m_barsTotalCtrl->Bind(wxEVT_KILL_FOCUS, &CgudSetupTimingObject::OnBarsTotalKillFocus, this);
}

wxWizardPage* CgudSetupTimingObject::GetPrev() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    if (wizard.m_doc->m_boxInfo.CountTimingInputs() < 2)
        return wizard.m_pageTimingMeasurement;
    return wizard.m_pageTimingSensors;
}

wxWizardPage* CgudSetupTimingObject::GetNext() const
{
    CgudSetupWizard& wizard = gudWizardOf(this);
    const int measurement = wizard.m_setup.m_measurement;
    if (measurement == MEASUREMENT_KINETIC_ENERGY || measurement == MEASUREMENT_MOMENTUM)
        return wizard.m_pageTimingMass;
    return wizard.m_pageReady;
}

bool CgudSetupTimingObject::TransferDataToWindow()
{
    CxhwSetup& setup = gudSetupOf(this);
    const bool acceleration = setup.m_measurement == MEASUREMENT_ACCELERATION
                              && setup.m_timingSensor != TIMING_SENSOR_FROM_TO;
    if (acceleration && setup.m_bars == 1)
        setup.SetBars(gudDocOf(this), 2);
    m_group.Select(setup.m_bars);
    m_barWidthText = setup.m_barWidthS;
    m_barsTotalText = setup.m_barsTotalS;
    m_oneBar->Enable(!acceleration);
    m_pictures[0]->Enable(!acceleration);
    m_filling = true;
    const bool result = gudFinishTransferToWindow(this);
    m_filling = false;
    return result;
}

bool CgudSetupTimingObject::TransferDataFromWindow()
{
    const bool result = wxWizardPage::TransferDataFromWindow();
    CxhwSetup& setup = gudSetupOf(this);
    double width = 0.0;
    if (gudReadPositive(m_barWidthText, width)) {
        setup.m_barWidthS = m_barWidthText;
        setup.m_barWidth = float(width);
    }
    setup.SetBarsTotalText(m_barsTotalText);
    return result;
}

void CgudSetupTimingObject::UpdateSummary()
{
    wxString text;
    gudSetupOf(this).GetMeasurementText(text);
    wxWindow* summary = FindWindow(ID_SETUP_OBJECT_SUMMARY);
    if (!summary || summary->GetLabel() == text)
        return;
    summary->SetLabel(text);
    Layout();
    gudWizardOf(this).Fit();
}

void CgudSetupTimingObject::OnUpdateBarWidth(wxUpdateUIEvent& event)
{
    const CxhwSetup& setup = gudSetupOf(this);
    event.Enable(setup.m_measurement == MEASUREMENT_ACCELERATION
                 || (gudIsDistanceMeasurement(setup.m_measurement) && setup.m_timingSensor != TIMING_SENSOR_FROM_TO));
}

void CgudSetupTimingObject::OnBarsTotalText(wxCommandEvent& event)
{
    // Filling the fields is not typing: reading them back now would take the
    // bar width the field showed before it was filled.
    if (m_filling) {
        event.Skip();
        return;
    }
    TransferDataFromWindow();
    UpdateSummary();
}

void CgudSetupTimingObject::OnBarsTotalKillFocus(wxFocusEvent& event)
{
    m_barsTotalText = gudSetupOf(this).m_barsTotalS;
    m_barsTotalCtrl->ChangeValue(m_barsTotalText);
    event.Skip();
}

void CgudSetupTimingObject::OnUpdateBarsTotal(wxUpdateUIEvent& event)
{
    event.Enable(true);
}

void CgudSetupTimingObject::OnUpdateGapNote(wxUpdateUIEvent&)
{
    const CxhwSetup& setup = gudSetupOf(this);
    const int bars = m_group.GetValue();
    bool wanted = false;
    if (gudIsDistanceMeasurement(setup.m_measurement))
        wanted = setup.m_timingSensor != TIMING_SENSOR_FROM_TO && (bars == 2 || bars == 4);
    else if (setup.m_measurement == MEASUREMENT_ACCELERATION)
        wanted = setup.m_timingSensor == TIMING_SENSOR_FROM_TO ? bars > 1 : bars == 4;
    wxWindow* note = FindWindow(ID_SETUP_OBJECT_GAP_NOTE);
    if (!note)
        return;
    if (wanted && note->GetLabel().empty()) {
        note->SetLabel(m_gapNote);
        Layout();
    } else if (!wanted && !note->GetLabel().empty()) {
        note->SetLabel(wxString());
    }
}

void CgudSetupTimingObject::OnBarsChosen(wxCommandEvent&)
{
    TransferDataFromWindow();
    gudSetupOf(this).SetBars(gudDocOf(this), m_group.GetValue());
    UpdateSummary();
    TransferDataToWindow();
}

void CgudSetupTimingObject::OnUpdateSummary(wxUpdateUIEvent&)
{
    UpdateSummary();
}
