#include "dialogs/gudCustomScale.h"

#include "app/base/gumHelpers.h"
#include "data/docField.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <utility>
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

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudCustomScale, wxDialog);

wxBEGIN_EVENT_TABLE(CgudCustomScale, wxDialog)
    EVT_BUTTON(wxID_OK, CgudCustomScale::OnOk)
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
    main->Add(new wxStaticText(this, wxID_STATIC, _("Create a custom scale by providing two calibration points")),
              0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* grid = new wxFlexGridSizer(2, 0, 0);
    grid->AddGrowableCol(1);
    main->Add(grid, 1, wxEXPAND | wxALL, 5);
    auto row = [this, grid](const wxString& label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_STATIC, label), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        grid->Add(control, 1, wxEXPAND | wxALL, 5);
    };
    auto text = [this](int id, const wxValidator& validator) {
        return new wxTextCtrl(this, id, wxString(), wxDefaultPosition, wxDefaultSize, 0, validator, "text");
    };
    m_channelCtrl = new CgucChannel(this, ID_CUSTOM_SCALE_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    row(_("Channel"), m_channelCtrl);
    row(_("New name"), text(ID_CUSTOM_SCALE_NAME, wxTextValidator(wxFILTER_NONE, &m_newName)));
    row(_("New units"), text(ID_CUSTOM_SCALE_UNITS, wxTextValidator(wxFILTER_NONE, &m_newUnits)));
    row(_("Point 1"), text(ID_CUSTOM_SCALE_PRESENT_1, NumberValidator(&m_present1)));
    row(_("becomes"), text(ID_CUSTOM_SCALE_NEW_1, NumberValidator(&m_new1)));
    row(_("Point 2"), text(ID_CUSTOM_SCALE_PRESENT_2, NumberValidator(&m_present2)));
    row(_("becomes"), text(ID_CUSTOM_SCALE_NEW_2, NumberValidator(&m_new2)));
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
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
