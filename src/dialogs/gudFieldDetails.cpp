#include "dialogs/gudFieldDetails.h"

#include "app/appOptions.h"
#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <algorithm>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/gbsizer.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

constexpr int kMinSwatch = 4;
constexpr int kMaxSwatch = 100;

wxStaticText* MakeLabel(wxWindow* parent, int id, const wxString& text)
{
    return new wxStaticText(parent, id, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
}

wxTextValidator NumberValidator(wxString* text)
{
    wxTextValidator validator(wxFILTER_INCLUDE_CHAR_LIST, text);
    validator.SetCharIncludes(_("0123456789-+."));
    return validator;
}

// The graph is zoomed while its zoom state is odd.
bool IsZoomed(const CdocDoc& doc)
{
    return doc.m_graph.m_scaleZoomed % 2 != 0;
}

} // namespace

int gudFindSwatchSide(int buttonHeight, const std::function<int(int)>& measure)
{
    int n = std::max(buttonHeight - 8, kMinSwatch);
    int lastStep = 0;
    for (;;) {
        const int b = measure(n);
        if (b == buttonHeight)
            return n;
        const int step = b < buttonHeight ? 1 : -1;
        // A measure that jumps over the height would make the steps swing
        // between two sides for ever.
        if (lastStep != 0 && step != lastStep)
            return n;
        if (n + step < kMinSwatch || n + step > kMaxSwatch)
            return n;
        n += step;
        lastStep = step;
    }
}

wxIMPLEMENT_DYNAMIC_CLASS(CgudFieldDetails, wxDialog);

wxBEGIN_EVENT_TABLE(CgudFieldDetails, wxDialog)
    EVT_COMBOBOX(ID_FIELD_DETAILS_CHANNEL, CgudFieldDetails::OnChannel)
    EVT_BUTTON(ID_FIELD_DETAILS_COLOUR, CgudFieldDetails::OnColour)
    EVT_BUTTON(wxID_HELP, CgudFieldDetails::OnHelp)
wxEND_EVENT_TABLE()

CgudFieldDetails::CgudFieldDetails(wxWindow* parent, wxWindowID id, const wxString& title,
                                   const wxPoint& position, const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudFieldDetails::~CgudFieldDetails() = default;

wxColourData& CgudFieldDetails::GetColourData()
{
    static wxColourData data;
    return data;
}

void CgudFieldDetails::ResetColourData()
{
    wxColourData& data = GetColourData();
    data.SetChooseFull(true);
    for (int i = 0; i < 16; ++i)
        data.SetCustomColour(i, wxColour(16 * i, 16 * i, 16 * i));
}

bool CgudFieldDetails::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                              const wxSize& size, long style)
{
    ResetColourData();
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudFieldDetails::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* grid = new wxGridBagSizer(0, 0);
    main->Add(grid, 0, wxEXPAND | wxALL, 5);
    const int cell = wxALIGN_CENTER_VERTICAL | wxALL;

    grid->Add(MakeLabel(this, wxID_STATIC, _("Channel")), wxGBPosition(0, 0), wxDefaultSpan, cell, 5);
    m_channelCtrl = new CgucChannel(this, ID_FIELD_DETAILS_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    grid->Add(m_channelCtrl, wxGBPosition(0, 1), wxGBSpan(1, 3), wxEXPAND | cell, 5);
    grid->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL, "staticLine"),
              wxGBPosition(1, 0), wxGBSpan(1, 4), wxEXPAND | wxALL, 5);

    grid->Add(MakeLabel(this, wxID_STATIC, _("Name")), wxGBPosition(2, 0), wxDefaultSpan, cell, 5);
    m_nameCtrl = new wxTextCtrl(this, ID_FIELD_DETAILS_NAME, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                wxTextValidator(wxFILTER_NONE, &m_name), "text");
    m_nameCtrl->SetMaxLength(50);
    m_nameCtrl->SetToolTip(gumGetString(1849));
    grid->Add(m_nameCtrl, wxGBPosition(2, 1), wxDefaultSpan, wxEXPAND | cell, 5);
    m_valueLabel = MakeLabel(this, ID_FIELD_DETAILS_VALUE_LABEL, _("Initial value"));
    grid->Add(m_valueLabel, wxGBPosition(2, 2), wxDefaultSpan, cell, 5);
    m_valueCtrl = new wxTextCtrl(this, ID_FIELD_DETAILS_VALUE, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                 NumberValidator(&m_value), "text");
    m_valueCtrl->SetToolTip(gumGetString(1858));
    grid->Add(m_valueCtrl, wxGBPosition(2, 3), wxDefaultSpan, wxEXPAND | cell, 5);

    grid->Add(MakeLabel(this, wxID_STATIC, _("Units")), wxGBPosition(3, 0), wxDefaultSpan, cell, 5);
    m_unitsCtrl = new wxTextCtrl(this, ID_FIELD_DETAILS_UNITS, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                 wxTextValidator(wxFILTER_NONE, &m_units), "text");
    m_unitsCtrl->SetMaxLength(50);
    m_unitsCtrl->SetToolTip(gumGetString(1850));
    grid->Add(m_unitsCtrl, wxGBPosition(3, 1), wxDefaultSpan, wxEXPAND | cell, 5);
    grid->Add(MakeLabel(this, ID_FIELD_DETAILS_COLOUR_LABEL, _("Colour")), wxGBPosition(3, 2), wxDefaultSpan, cell,
              5);
    m_colourButton = new wxBitmapButton(this, ID_FIELD_DETAILS_COLOUR, wxNullBitmap, wxDefaultPosition,
                                        wxDefaultSize, wxBU_AUTODRAW, wxDefaultValidator, "button");
    grid->Add(m_colourButton, wxGBPosition(3, 3), wxDefaultSpan, cell, 5);

    grid->Add(MakeLabel(this, wxID_STATIC, _("Description")), wxGBPosition(4, 0), wxDefaultSpan, cell, 5);
    auto* description = new wxTextCtrl(this, ID_FIELD_DETAILS_DESCRIPTION, wxString(), wxDefaultPosition,
                                       wxDefaultSize, 0, wxTextValidator(wxFILTER_NONE, &m_description), "text");
    description->SetMaxLength(200);
    grid->Add(description, wxGBPosition(4, 1), wxGBSpan(1, 3), wxEXPAND | cell, 5);
    grid->AddGrowableCol(1);

    auto* lower = new wxBoxSizer(wxHORIZONTAL);
    main->Add(lower, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    const wxString places[] = {_("&0"), _("&1"), _("&2"), _("&3"), _("&4"), _("&5")};
    m_placesBox = new wxRadioBox(this, ID_FIELD_DETAILS_PLACES, _("Decimal places"), wxDefaultPosition,
                                 wxDefaultSize, 6, places, 1, wxRA_SPECIFY_ROWS, wxGenericValidator(&m_places),
                                 "radioBox");
    m_placesBox->SetSelection(0);
    m_placesBox->SetToolTip(_("Number of decimal places to show"));
    lower->Add(m_placesBox, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* range = new wxFlexGridSizer(2, 2, 0, 0);
    lower->Add(range, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    range->Add(MakeLabel(this, wxID_STATIC, _("Maximum")), 0, cell, 5);
    m_maxCtrl = new wxTextCtrl(this, ID_FIELD_DETAILS_MAX, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                               NumberValidator(&m_max), "text");
    m_maxCtrl->SetToolTip(gumGetString(1859));
    range->Add(m_maxCtrl, 0, cell, 5);
    range->Add(MakeLabel(this, wxID_STATIC, _("Minimum")), 0, cell, 5);
    m_minCtrl = new wxTextCtrl(this, ID_FIELD_DETAILS_MIN, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                               NumberValidator(&m_min), "text");
    m_minCtrl->SetToolTip(gumGetString(1860));
    range->Add(m_minCtrl, 0, cell, 5);

    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

void CgudFieldDetails::SetChannel(CdocField* field)
{
    m_field = field;
    m_channelCtrl->SelectChannel(field);
    LoadDetails(field);
}

void CgudFieldDetails::LoadDetails(const CdocField* field)
{
    if (field) {
        m_name = field->m_name;
        m_units = field->m_unit;
        m_description = field->m_descript;
        gumFormatDouble(m_max, field->m_def.m_max);
        gumFormatDouble(m_min, field->m_def.m_min);
        m_places = std::clamp(field->m_places, 0, 5);
        m_colourUnset = !field->m_colour.IsOk();
        m_colour = m_colourUnset ? wxColour(0, 0, 0)
                                 : wxColour(field->m_colour.Red(), field->m_colour.Green(), field->m_colour.Blue());
        m_value = field->m_manualS;
        const bool hasValue = field->m_content == CONTENT_MANUAL || field->m_content == CONTENT_FORMULA;
        m_valueLabel->Enable(hasValue);
        m_valueCtrl->Enable(hasValue);
        m_valueLabel->SetLabel(field->m_content == CONTENT_FORMULA ? _("Initial value") : _("Value"));
    } else {
        m_name.clear();
        m_units.clear();
        m_description.clear();
        m_max.clear();
        m_min.clear();
        m_value.clear();
        m_places = 0;
        m_colour = wxColour(0, 0, 0);
        m_colourUnset = false;
    }

    if (field && field->m_content == CONTENT_SENSOR) {
        SetTitle(gumGetString(330) + " - " + gumGetString(32) + " " + wxString::Format("%d", field->m_socket + 1));
    } else if (m_mode == DETAILS_MODE_NEW) {
        SetTitle(gumGetString(339));
    } else if (m_mode == DETAILS_MODE_CALC || m_mode == DETAILS_MODE_CALC_RESULT) {
        SetTitle(_("Calculate Data - Channel Details"));
    } else {
        SetTitle(gumGetString(330));
    }
    if (m_mode == DETAILS_MODE_CALC) {
        if (wxWindow* ok = FindWindow(wxID_OK))
            ok->SetLabel(_("Next"));
    }
}

void CgudFieldDetails::StoreDetails(CdocFieldHdr& field) const
{
    field.m_name = m_name;
    field.m_unit = m_units;
    field.m_descript = m_description;

    CxhwMinMax range = field.m_def;
    double number = 0.0;
    if (gumStringToDouble(m_min, &number))
        range.m_min = float(number);
    if (gumStringToDouble(m_max, &number))
        range.m_max = float(number);
    range.Normalise();
    field.SetDefaultRange(!(m_doc && IsZoomed(*m_doc)), range.m_min, range.m_max);

    if (gumStringToDouble(m_value, &number)) {
        field.m_manualS = m_value;
        field.m_manual = float(number);
    } else {
        field.m_manualS.clear();
        field.m_manual = DOC_NO_VALUE;
    }
    field.m_places = m_places;
    // A channel without a colour of its own stays so unless one was chosen.
    if (!(m_colourUnset && m_colour == wxColour(0, 0, 0)))
        field.m_colour = CdocColour(m_colour.Red(), m_colour.Green(), m_colour.Blue());
}

void CgudFieldDetails::ApplyDetails(CdocField& field)
{
    CdocFieldHdr edited(field);
    StoreDetails(edited);
    const bool valueChanged = edited.m_manualS != field.m_manualS;
    StoreDetails(field);
    if (!m_doc)
        return;
    CdocGraph& graph = m_doc->m_graph;
    if (valueChanged && field.m_content == CONTENT_FORMULA && m_doc->m_calcs.RecalculateChannel(&field))
        m_doc->m_data.UpdateFits();
    else
        field.FitStraightLine(m_doc->m_data.m_records, graph.GetFieldX());
    if (m_doc->m_state <= DOC_STATE_READY && !IsZoomed(*m_doc))
        graph.DefaultZoom();
    else
        graph.ShareScales();
    m_doc->ModifyAndUpdateViews(HINT_CHANNEL_CHANGED, nullptr);
}

void CgudFieldDetails::OnChannel(wxCommandEvent& event)
{
    TransferDataFromWindow();
    CdocField* chosen = m_channelCtrl->GetSelectedChannel();
    if (m_field && m_field != chosen) {
        CdocFieldHdr edited(*m_field);
        StoreDetails(edited);
        if (!edited.IsSameDefinition(*m_field)) {
            m_channelCtrl->SelectChannel(m_field);
            const int letter = m_doc ? m_doc->m_data.m_fields.GetLetterNumber(m_field) : 0;
            wxString question = _("Do you want to save the details to channel %s");
            question.Replace("%s", m_field->GetTitle(letter));
            if (zxQuestionBox(question))
                ApplyDetails(*m_field);
        }
    }
    SetChannel(chosen);
    TransferDataToWindow();
}

void CgudFieldDetails::OnColour(wxCommandEvent& event)
{
    TransferDataFromWindow();
    wxColourData& data = GetColourData();
    data.SetColour(m_colour);
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK) {
        data = dialog.GetColourData();
        m_colour = data.GetColour();
        m_colourUnset = false;
    }
    TransferDataToWindow();
}

void CgudFieldDetails::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(_("ChannelDetails.htm"), this);
}

void CgudFieldDetails::UpdateSwatch()
{
    const wxSize before = m_colourButton->GetBestSize();
    if (!m_swatch.IsOk()) {
        // GTK's themed buttons are taller than the toolkit's default size
        // says; a plain button of this dialog tells the height in use.
        wxWindow* ok = FindWindow(wxID_OK);
        const int h = std::max(wxButton::GetDefaultSize().y, ok ? ok->GetBestSize().y : 0);
        const int side = gudFindSwatchSide(h, [this](int n) {
            m_colourButton->SetBitmapLabel(wxBitmap(n, n));
            m_colourButton->InvalidateBestSize();
            const int b = m_colourButton->GetBestSize().y;
            m_colourButton->SetBitmapLabel(wxNullBitmap);
            m_colourButton->InvalidateBestSize();
            return b;
        });
        m_swatch = wxBitmap(side, side);
    }
    {
        wxMemoryDC dc(m_swatch);
        dc.SetBackground(wxBrush(m_colour, wxBRUSHSTYLE_SOLID));
        dc.Clear();
    }
    m_colourButton->SetBitmapLabel(m_swatch);
    m_colourButton->InvalidateBestSize();
    if (m_colourButton->GetBestSize() != before) {
        m_colourButton->SetMinSize(m_colourButton->GetBestSize());
        Fit();
        Layout();
    }
}

bool CgudFieldDetails::TransferDataToWindow()
{
    UpdateSwatch();
    const bool done = wxDialog::TransferDataToWindow();
    if (m_selectValue) {
        m_selectValue = false;
        if (m_valueCtrl->IsEnabled()) {
            m_valueCtrl->SetFocus();
            m_valueCtrl->SelectAll();
        }
    }
    return done;
}

bool gudEditChannelDetails(CdocDoc* doc, CdocFieldKey& key, bool choose, int mode)
{
    if (!doc || !appIsAllowed(FEATURE_CHANNEL_DETAILS))
        return false;
    CgudFieldDetails dialog(wxGetApp().m_frame, ID_FIELD_DETAILS_DIALOG, _("Channel Details"));
    dialog.m_mode = mode;
    dialog.m_channelCtrl->Clear();
    dialog.m_channelCtrl->m_includeIndex = true;
    dialog.m_channelCtrl->m_includeAllSensors = false;
    dialog.m_channelCtrl->AddChannels(doc);
    dialog.m_channelCtrl->Enable(choose);
    dialog.m_doc = doc;
    CdocField* field = doc->m_data.m_fields.Find(key);
    if (!field)
        return false;
    dialog.SetChannel(field);
    dialog.Fit();
    dialog.m_selectValue = true;
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return false;
    CdocField* edited = dialog.m_field;
    if (choose)
        key = edited ? CdocFieldKey(edited->m_key, -1, edited) : CdocFieldKey();
    if (edited)
        dialog.ApplyDetails(*edited);
    return true;
}
