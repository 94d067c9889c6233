#include "dialogs/gudCustomScale.h"

#include "app/base/gumHelpers.h"
#include "app/gumApp.h"
#include "data/docField.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <utility>
#include <wx/button.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

wxTextValidator NumberValidator(wxString* text)
{
    wxTextValidator validator(wxFILTER_INCLUDE_CHAR_LIST, text);
    validator.SetCharIncludes("0123456789-+.");
    return validator;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudCustomScale, wxDialog);

wxBEGIN_EVENT_TABLE(CgudCustomScale, wxDialog)
    EVT_COMBOBOX(ID_CUSTOM_SCALE_CHANNEL, CgudCustomScale::OnChannel)
    EVT_TEXT(ID_CUSTOM_SCALE_UNITS, CgudCustomScale::OnUnits)
    EVT_BUTTON(wxID_OK, CgudCustomScale::OnOk)
    EVT_BUTTON(wxID_HELP, CgudCustomScale::OnHelp)
    EVT_UPDATE_UI(wxID_OK, CgudCustomScale::OnOkUpdate)
wxEND_EVENT_TABLE()

CgudCustomScale::CgudCustomScale(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                                 const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudCustomScale::~CgudCustomScale() = default;

bool CgudCustomScale::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                             const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudCustomScale::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto label = [this](const wxString& text) {
        return new wxStaticText(this, wxID_STATIC, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
    };
    auto text = [this](int id, const wxValidator& validator) {
        return new wxTextCtrl(this, id, wxString(), wxDefaultPosition, wxDefaultSize, 0, validator, "text");
    };
    // The unit labels get their texts from their strings at the first transfer.
    auto unitLabel = [this](wxString* bound) {
        auto* label = new wxStaticText(this, wxID_STATIC, _("Static text"), wxDefaultPosition, wxDefaultSize, 0,
                                       "staticText");
        label->SetValidator(wxGenericValidator(bound));
        return label;
    };
    main->Add(label(_("Create a custom scale by providing two calibration points")), 0,
              wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    auto* grid = new wxGridBagSizer(0, 0);
    main->Add(grid, 0, wxEXPAND | wxALL, 5);
    grid->Add(label(_("Channel")), wxGBPosition(0, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_channelCtrl = new CgucChannel(this, ID_CUSTOM_SCALE_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    grid->Add(m_channelCtrl, wxGBPosition(0, 1), wxGBSpan(1, 3), wxEXPAND | wxALL, 5);
    grid->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL, "staticLine"),
              wxGBPosition(1, 0), wxGBSpan(1, 4), wxEXPAND | wxALL, 5);
    grid->Add(label(_("New name")), wxGBPosition(2, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    grid->Add(text(ID_CUSTOM_SCALE_NAME, wxTextValidator(wxFILTER_NONE, &m_newName)), wxGBPosition(2, 1),
              wxGBSpan(1, 3), wxEXPAND | wxALL, 5);
    grid->Add(label(_("New units")), wxGBPosition(3, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_unitsCtrl = text(ID_CUSTOM_SCALE_UNITS, wxTextValidator(wxFILTER_NONE, &m_newUnits));
    grid->Add(m_unitsCtrl, wxGBPosition(3, 1), wxGBSpan(1, 3), wxEXPAND | wxALL, 5);
    grid->AddGrowableCol(1);

    auto point = [&](const wxString& title, wxTextCtrl* present, wxStaticText* presentUnits, wxTextCtrl* becomes,
                     wxStaticText* newUnits) {
        auto* box = new wxStaticBoxSizer(
            new wxStaticBox(this, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, 0, "groupBox"), wxVERTICAL);
        main->Add(box, 0, wxEXPAND | wxALL, 5);
        auto* rows = new wxFlexGridSizer(2, 3, 0, 0);
        box->Add(rows, 1, wxEXPAND);
        rows->Add(label(" "), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        rows->Add(present, 1, wxEXPAND | wxALL, 5);
        rows->Add(presentUnits, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        rows->Add(label(_("becomes")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        rows->Add(becomes, 1, wxEXPAND | wxALL, 5);
        rows->Add(newUnits, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        rows->AddGrowableRow(0);
        rows->AddGrowableRow(1);
        rows->AddGrowableCol(1);
        rows->AddGrowableCol(2);
    };
    m_present1Ctrl = text(ID_CUSTOM_SCALE_PRESENT_1, NumberValidator(&m_present1));
    m_present1Label = unitLabel(&m_presentUnits);
    m_new1Ctrl = text(ID_CUSTOM_SCALE_NEW_1, NumberValidator(&m_new1));
    m_new1Label = unitLabel(&m_newUnitsLabel);
    point(_("Point 1"), m_present1Ctrl, m_present1Label, m_new1Ctrl, m_new1Label);
    m_present2Ctrl = text(ID_CUSTOM_SCALE_PRESENT_2, NumberValidator(&m_present2));
    m_present2Label = unitLabel(&m_presentUnits);
    m_new2Ctrl = text(ID_CUSTOM_SCALE_NEW_2, NumberValidator(&m_new2));
    m_new2Label = unitLabel(&m_newUnitsLabel);
    point(_("Point 2"), m_present2Ctrl, m_present2Label, m_new2Ctrl, m_new2Label);

    auto* buttons = new wxStdDialogButtonSizer;
    for (const auto& [id, caption] : {std::pair<int, wxString>(wxID_OK, _("&OK")), {wxID_CANCEL, _("&Cancel")},
                                      {wxID_HELP, _("&Help")}})
        buttons->AddButton(
            new wxButton(this, id, caption, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

void CgudCustomScale::SetChannel(CdocField* field)
{
    m_channelCtrl->SelectChannel(field);
    LoadChannel(field);
}

void CgudCustomScale::LoadChannel(CdocField* field)
{
    if (!field) {
        for (wxString* text : {&m_present1, &m_present2, &m_presentUnits, &m_newName, &m_new1, &m_new2,
                               &m_newUnitsLabel, &m_newUnits})
            text->clear();
        return;
    }
    m_newName = field->m_name;
    m_newUnits = m_newUnitsLabel = m_presentUnits = field->m_unit;
    CxhwMinMax range = field->m_cal;
    if (!range.IsMaxSet())
        range.m_max = field->m_def.m_max;
    if (!range.IsMinSet())
        range.m_min = field->m_def.m_min;
    if (!range.IsMaxSet())
        range.m_max = 100.0f;
    if (!range.IsMinSet())
        range.m_min = 0.0f;
    if (range.m_max < range.m_min)
        std::swap(range.m_max, range.m_min);
    m_present1 = m_new1 = field->GetValueText(-1, range.m_max);
    m_present2 = m_new2 = field->GetValueText(-1, range.m_min);
}

bool CgudCustomScale::GetGainOffset(float& gain, float& offset)
{
    double p1 = 0.0;
    double p2 = 0.0;
    double n1 = 0.0;
    double n2 = 0.0;
    const struct
    {
        const wxString& text;
        double* value;
        const char* message;
    } checks[] = {
        {m_present1, &p1, "Point 1 current value is not valid"},
        {m_present2, &p2, "Point 2 current value is not valid"},
        {m_new1, &n1, "Point 1 new value is not valid"},
        {m_new2, &n2, "Point 2 new value is not valid"},
    };
    for (const auto& check : checks) {
        if (!gumStringToDouble(check.text, check.value)) {
            zxMessageBox(wxGetTranslation(check.message));
            return false;
        }
    }
    if (p2 - p1 == 0.0) {
        zxMessageBox(_("Point 1 and Point 2 current values must be different"));
        return false;
    }
    if (n2 - n1 == 0.0) {
        zxMessageBox(_("Point 1 and Point 2 new values must be different"));
        return false;
    }
    gain = float((n2 - n1) / (p2 - p1));
    offset = float(n1 - p1 * double(gain));
    return true;
}

void CgudCustomScale::OnOk(wxCommandEvent& event)
{
    float gain = 1.0f;
    float offset = 0.0f;
    if (Validate() && TransferDataFromWindow() && GetGainOffset(gain, offset))
        EndModal(wxID_OK);
}

void CgudCustomScale::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(m_channelCtrl->GetSelectedChannel() != nullptr);
}

void CgudCustomScale::OnChannel(wxCommandEvent& event)
{
    TransferDataFromWindow();
    CdocField* field = m_channelCtrl->GetSelectedChannel();
    m_channelCtrl->SelectChannel(field);
    LoadChannel(field);
    TransferDataToWindow();
    Layout();
    Fit();
}

void CgudCustomScale::OnUnits(wxCommandEvent& event)
{
    m_newUnits = m_newUnitsLabel = m_unitsCtrl->GetValue();
    m_new1Label->SetLabel(m_newUnitsLabel);
    m_new2Label->SetLabel(m_newUnitsLabel);
    m_present1Label->SetLabel(m_presentUnits);
    m_present2Label->SetLabel(m_presentUnits);
    Layout();
    Fit();
}

void CgudCustomScale::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("CustomScale.htm"), this);
}
