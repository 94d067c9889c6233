#include "dialogs/gudUnitConversions.h"

#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "data/docField.h"
#include "dialogs/gucConversion.h"
#include "hardware/xhwSenCalib.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <wx/button.h>
#include <wx/checkbox.h>
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

wxString FormatG(double value)
{
    wxString text;
    gumFormatDouble(text, value);
    return text;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudUnitConversions, wxDialog);

wxBEGIN_EVENT_TABLE(CgudUnitConversions, wxDialog)
    EVT_COMBOBOX(ID_UNIT_CONVERSIONS_CHANNEL, CgudUnitConversions::OnChoice)
    EVT_COMBOBOX(ID_UNIT_CONVERSIONS_CONVERSION, CgudUnitConversions::OnChoice)
    EVT_CHECKBOX(ID_UNIT_CONVERSIONS_SHOW_ALL, CgudUnitConversions::OnChoice)
    EVT_BUTTON(wxID_OK, CgudUnitConversions::OnOk)
    EVT_BUTTON(wxID_HELP, CgudUnitConversions::OnHelp)
    EVT_UPDATE_UI(wxID_OK, CgudUnitConversions::OnOkUpdate)
wxEND_EVENT_TABLE()

CgudUnitConversions::CgudUnitConversions(wxWindow* parent, wxWindowID id, const wxString& title,
                                         const wxPoint& position, const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudUnitConversions::~CgudUnitConversions() = default;

bool CgudUnitConversions::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                                 const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudUnitConversions::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto label = [this](const wxString& text) {
        return new wxStaticText(this, wxID_STATIC, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
    };
    auto* grid = new wxGridBagSizer(0, 0);
    main->Add(grid, 0, wxEXPAND | wxALL, 5);
    grid->Add(label(_("Channel")), wxGBPosition(0, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_channelCtrl = new CgucChannel(this, ID_UNIT_CONVERSIONS_CHANNEL, wxString(), wxDefaultPosition,
                                    wxDefaultSize, wxArrayString(), wxCB_READONLY);
    grid->Add(m_channelCtrl, wxGBPosition(0, 1), wxGBSpan(1, 3), wxEXPAND | wxALL, 5);
    grid->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL, "staticLine"),
              wxGBPosition(1, 0), wxGBSpan(1, 4), wxEXPAND | wxALL, 5);
    grid->Add(label(_("Conversion")), wxGBPosition(2, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_conversionCtrl = new CgucConversion(this, ID_UNIT_CONVERSIONS_CONVERSION, wxString(), wxDefaultPosition,
                                          wxDefaultSize, wxArrayString(), wxCB_READONLY);
    grid->Add(m_conversionCtrl, wxGBPosition(2, 1), wxGBSpan(1, 3), wxEXPAND | wxALL, 5);
    grid->Add(new wxCheckBox(this, ID_UNIT_CONVERSIONS_SHOW_ALL, _("Show all"), wxDefaultPosition, wxDefaultSize, 0,
                             wxGenericValidator(&m_showAll), "check"),
              wxGBPosition(3, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    grid->AddGrowableCol(1);

    auto* function = new wxStaticBoxSizer(
        new wxStaticBox(this, wxID_ANY, _("Function"), wxDefaultPosition, wxDefaultSize, 0, "groupBox"), wxVERTICAL);
    main->Add(function, 1, wxEXPAND | wxALL, 5);
    auto* formula =
        new wxStaticText(this, wxID_STATIC, _("Static text"), wxDefaultPosition, wxDefaultSize, 0, "staticText");
    formula->SetValidator(wxGenericValidator(&m_formula));
    function->Add(formula, 0, wxEXPAND | wxALL, 5);
    auto* values = new wxFlexGridSizer(1, 4, 0, 0);
    function->Add(values, 1, wxEXPAND);
    m_gainCtrl = new wxTextCtrl(this, ID_UNIT_CONVERSIONS_GAIN, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                NumberValidator(&m_gain), "text");
    m_offsetCtrl = new wxTextCtrl(this, ID_UNIT_CONVERSIONS_OFFSET, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                  NumberValidator(&m_offset), "text");
    values->Add(label(_("Gain")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    values->Add(m_gainCtrl, 1, wxEXPAND | wxALL, 5);
    values->Add(label(_("Offset")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    values->Add(m_offsetCtrl, 1, wxEXPAND | wxALL, 5);
    values->AddGrowableRow(0);
    values->AddGrowableCol(1);
    values->AddGrowableCol(3);

    auto* buttons = new wxStdDialogButtonSizer;
    for (const auto& [id, caption] : {std::pair<int, wxString>(wxID_OK, _("&OK")), {wxID_CANCEL, _("&Cancel")},
                                      {wxID_HELP, _("&Help")}})
        buttons->AddButton(
            new wxButton(this, id, caption, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

void CgudUnitConversions::SetChannel(CdocField* field)
{
    m_channelCtrl->SelectChannel(field);
    m_conversionCtrl->Fill(field, m_showAll);
}

void CgudUnitConversions::SelectConversion(const CxhwSenConvert* conversion)
{
    CdocField* field = m_channelCtrl->GetSelectedChannel();
    m_conversionCtrl->Fill(field, m_showAll);
    ShowConversion(field, conversion);
}

void CgudUnitConversions::ShowConversion(const CdocField* field, const CxhwSenConvert* conversion)
{
    wxString fromUnits = field ? field->m_unit : wxString();
    wxString toUnits = fromUnits;
    double factor = 1.0;
    double offset = 0.0;
    if (conversion) {
        factor = conversion->m_factor;
        offset = conversion->m_offset;
        toUnits = conversion->m_toUnits;
        fromUnits = conversion->m_fromUnits;
    }
    m_gain = FormatG(factor);
    m_offset = FormatG(offset);
    m_formula = toUnits + " = " + fromUnits + " x " + gumGetString(313) + " + " + gumGetString(314);
}

bool CgudUnitConversions::GetGainOffset(float& gain, float& offset)
{
    double g = 0.0;
    double o = 0.0;
    if (!gumStringToDouble(m_gain, &g)) {
        zxMessageBox(_("Gain in not valid"));
        return false;
    }
    if (!gumStringToDouble(m_offset, &o)) {
        zxMessageBox(_("Offset is not valid"));
        return false;
    }
    gain = float(g);
    offset = float(o);
    if (gain == 0.0f) {
        zxMessageBox(_("Gain cannot be zero"));
        return false;
    }
    return true;
}

void CgudUnitConversions::OnOk(wxCommandEvent& event)
{
    float gain = 1.0f;
    float offset = 0.0f;
    if (Validate() && TransferDataFromWindow() && GetGainOffset(gain, offset))
        EndModal(wxID_OK);
}

void CgudUnitConversions::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(m_channelCtrl->GetSelectedChannel() != nullptr);
}

void CgudUnitConversions::OnChoice(wxCommandEvent& event)
{
    TransferDataFromWindow();
    CdocField* field = m_channelCtrl->GetSelectedChannel();
    m_channelCtrl->SelectChannel(field);
    m_conversionCtrl->Fill(field, m_showAll);
    SelectConversion(m_conversionCtrl->GetSelectedConversion());
    TransferDataToWindow();
    Layout();
    Fit();
}

void CgudUnitConversions::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("UnitConversions.htm"), this);
}
