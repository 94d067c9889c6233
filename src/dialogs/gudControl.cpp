#include "dialogs/gudControl.h"

#include "app/base/gumHelpers.h"
#include "app/gumApp.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "views/gucChannel.h"

#include <cmath>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

constexpr int kTimerId = 1;

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudControl, wxDialog);

wxBEGIN_EVENT_TABLE(CgudControl, wxDialog)
    EVT_RADIOBOX(ID_CONTROL_OUTPUT, CgudControl::OnOutput)
    EVT_COMBOBOX(ID_CONTROL_CHANNEL, CgudControl::OnChannel)
    EVT_CHOICE(ID_CONTROL_DIRECTION, CgudControl::OnDirection)
    EVT_TEXT(ID_CONTROL_THRESHOLD, CgudControl::OnThreshold)
    EVT_BUTTON(wxID_HELP, CgudControl::OnHelp)
    EVT_TIMER(kTimerId, CgudControl::OnTimer)
wxEND_EVENT_TABLE()

CgudControl::CgudControl(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudControl::~CgudControl() = default;

bool CgudControl::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudControl::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    main->Add(row, 1, wxEXPAND);

    wxArrayString outputs;
    for (int i = 1; i <= DOC_MAX_OUTPUT_RULES; ++i)
        outputs.Add(wxString::Format("&%d", i));
    m_outputCtrl = new wxRadioBox(this, ID_CONTROL_OUTPUT, _("Output"), wxDefaultPosition, wxDefaultSize, outputs, 1,
                                  wxRA_SPECIFY_COLS, wxGenericValidator(&m_selected), "radioBox");
    row->Add(m_outputCtrl, 0, wxEXPAND | wxALL, 5);

    auto* column = new wxBoxSizer(wxVERTICAL);
    row->Add(column, 1, wxEXPAND);
    auto* heading = new wxStaticText(this, ID_CONTROL_HEADING, _("Turn output on when:"), wxDefaultPosition,
                                     wxDefaultSize, 0, "staticText");
    heading->SetValidator(wxGenericValidator(&m_headingText));
    column->Add(heading, 0, wxEXPAND | wxALL, 5);
    m_channelCtrl = new CgucChannel(this, ID_CONTROL_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    column->Add(m_channelCtrl, 1, wxEXPAND | wxALL, 5);
    const wxString directions[] = {_("is above"), _("is below")};
    auto* direction = new wxChoice(this, ID_CONTROL_DIRECTION, wxDefaultPosition, wxDefaultSize, 2, directions, 0,
                                   wxGenericValidator(&m_direction), "choice");
    column->Add(direction, 1, wxEXPAND | wxALL, 5);

    auto* thresholdRow = new wxBoxSizer(wxHORIZONTAL);
    column->Add(thresholdRow, 0, wxEXPAND);
    wxTextValidator number(wxFILTER_INCLUDE_CHAR_LIST, &m_thresholdText);
    number.SetCharIncludes("0123456789-+.");
    auto* threshold = new wxTextCtrl(this, ID_CONTROL_THRESHOLD, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                     number, "text");
    thresholdRow->Add(threshold, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);
    auto* units = new wxStaticText(this, ID_CONTROL_UNITS, "123456789012345", wxDefaultPosition, wxDefaultSize, 0,
                                   "staticText");
    units->SetValidator(wxGenericValidator(&m_unitsText));
    thresholdRow->Add(units, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    m_enableCtrl = new wxCheckBox(this, ID_CONTROL_ENABLE, _("Enable"), wxDefaultPosition, wxDefaultSize, 0,
                                  wxGenericValidator(&m_enabled), "check");
    column->Add(m_enableCtrl, 0, wxALL, 5);

    auto* buttons = new wxStdDialogButtonSizer;
    for (const auto& [id, text] : {std::pair<int, wxString>{wxID_OK, _("&OK")}, {wxID_CANCEL, _("&Cancel")},
                                   {wxID_HELP, _("&Help")}})
        buttons->AddButton(
            new wxButton(this, id, text, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
    // The validators show the members: start them from what was built.
    m_headingText = heading->GetLabel();
    m_unitsText = units->GetLabel();
}

void CgudControl::LoadOutput(int output)
{
    CdocControlItem& rule = m_rules[size_t(output)];
    CdocField* field = rule.GetField(m_doc);
    m_output = output;
    m_selected = output;
    m_enabled = rule.m_enabled;
    m_direction = rule.m_above ? 0 : 1;
    m_thresholdText = rule.m_thresholdText;
    m_unitsText = field ? field->m_unit : wxString();
    m_headingText = wxString::Format(_("Turn output %d ON when:"), output + 1);

    m_channelCtrl->Clear();
    m_channelCtrl->m_includeIndex = true;
    m_channelCtrl->m_includeAllSensors = true;
    if (!field)
        m_channelCtrl->Append(_("Choose a channel"));
    m_channelCtrl->AddChannels(m_doc);
    m_channelCtrl->SelectChannel(field);
}

bool CgudControl::TransferDataToWindow()
{
    m_loading = true;
    if (m_output < 0 || m_output >= DOC_MAX_OUTPUT_RULES)
        m_output = 0;
    LoadOutput(m_output);
    for (int i = 0; i < DOC_MAX_OUTPUT_RULES; ++i)
        m_outputCtrl->Enable(unsigned(i), m_doc && m_doc->m_boxInfo.IsOutputAvailable(i));
    const bool done = wxDialog::TransferDataToWindow();
    m_loading = false;
    return done;
}

bool CgudControl::TransferDataFromWindow()
{
    if (!wxDialog::TransferDataFromWindow())
        return false;
    CdocControlItem& rule = m_rules[size_t(m_output)];
    CdocField* field = m_channelCtrl->GetSelectedChannel();
    rule.m_field = field ? CdocFieldKey(field->m_key, -1, field) : CdocFieldKey();
    rule.m_enabled = m_enabled;
    rule.m_above = m_direction == 0;
    double value = 0.0;
    // A text that is not wholly a number (a lone sign, say) keeps the old
    // threshold; so does one beyond the range of the stored float.
    if (gumStringToDouble(m_thresholdText, &value) && std::isfinite(float(value))) {
        rule.m_thresholdText = m_thresholdText;
        rule.m_threshold = float(value);
    }
    return true;
}

int CgudControl::ShowModal()
{
    m_timer.SetOwner(this, kTimerId);
    m_timer.Start(200);
    CheckLogger();
    gumBeforeShowModal();
    const int result = wxDialog::ShowModal();
    m_timer.Stop();
    return result;
}

void CgudControl::CheckLogger()
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(m_boxInfo);
    bool changed = m_boxInfo.m_info.m_changed;
    // A new raw reading alone changes nothing that the form shows.
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        const CxhwSensor& sensor = m_boxInfo.m_sensors[i];
        changed = changed || sensor.m_changedId || sensor.m_changedCal || sensor.m_changedEnable;
    }
    if (changed)
        TransferDataToWindow();
}

void CgudControl::TickEnable()
{
    if (!m_enabled) {
        m_enabled = true;
        m_enableCtrl->SetValue(true);
    }
}

void CgudControl::OnOutput(wxCommandEvent& event)
{
    TransferDataFromWindow();
    m_output = m_selected;
    TransferDataToWindow();
}

void CgudControl::OnChannel(wxCommandEvent& event)
{
    if (m_loading)
        return;
    TransferDataFromWindow();
    // The units follow the channel, and "Choose a channel" goes.
    TransferDataToWindow();
    TickEnable();
}

void CgudControl::OnDirection(wxCommandEvent& event)
{
    if (m_loading)
        return;
    TransferDataFromWindow();
    TickEnable();
}

void CgudControl::OnThreshold(wxCommandEvent& event)
{
    if (m_loading)
        return;
    TransferDataFromWindow();
    TickEnable();
}

void CgudControl::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("Control.htm"), this);
}

void CgudControl::OnTimer(wxTimerEvent& event)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    CheckLogger();
}
