#include "dialogs/gudUnitConversions.h"

#include "app/base/gumHelpers.h"
#include "data/docField.h"
#include "dialogs/gucConversion.h"
#include "hardware/xhwSenCalib.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
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
    EVT_BUTTON(wxID_OK, CgudUnitConversions::OnOk)
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
    auto* grid = new wxFlexGridSizer(2, 0, 0);
    grid->AddGrowableCol(1);
    main->Add(grid, 1, wxEXPAND | wxALL, 5);
    auto row = [this, grid](const wxString& label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_STATIC, label), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        grid->Add(control, 1, wxEXPAND | wxALL, 5);
    };
    m_channelCtrl = new CgucChannel(this, ID_UNIT_CONVERSIONS_CHANNEL, wxString(), wxDefaultPosition,
                                    wxDefaultSize, wxArrayString(), wxCB_READONLY);
    row(_("Channel"), m_channelCtrl);
    m_conversionCtrl = new CgucConversion(this, ID_UNIT_CONVERSIONS_CONVERSION, wxString(), wxDefaultPosition,
                                          wxDefaultSize, wxArrayString(), wxCB_READONLY);
    row(_("Conversion"), m_conversionCtrl);
    row(_("Gain"), new wxTextCtrl(this, ID_UNIT_CONVERSIONS_GAIN, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                  NumberValidator(&m_gain), "text"));
    row(_("Offset"), new wxTextCtrl(this, ID_UNIT_CONVERSIONS_OFFSET, wxString(), wxDefaultPosition, wxDefaultSize,
                                    0, NumberValidator(&m_offset), "text"));
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
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
    double factor = 1.0;
    double offset = 0.0;
    if (conversion) {
        factor = conversion->m_factor;
        offset = conversion->m_offset;
    }
    m_gain = FormatG(factor);
    m_offset = FormatG(offset);
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
