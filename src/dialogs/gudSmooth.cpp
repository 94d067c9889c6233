#include "dialogs/gudSmooth.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "views/gucChannel.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/valgen.h>

namespace {

constexpr int kMaxSmoothing = 20;

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudSmooth, wxDialog);

wxBEGIN_EVENT_TABLE(CgudSmooth, wxDialog)
    EVT_COMBOBOX(ID_SMOOTH_CHANNEL, CgudSmooth::OnChannel)
    EVT_SLIDER(ID_SMOOTH_SLIDER, CgudSmooth::OnSlider)
    EVT_BUTTON(wxID_HELP, CgudSmooth::OnHelp)
wxEND_EVENT_TABLE()

CgudSmooth::CgudSmooth(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudSmooth::~CgudSmooth() = default;

bool CgudSmooth::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                        const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudSmooth::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto label = [this](const wxString& text) {
        return new wxStaticText(this, wxID_STATIC, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
    };
    main->Add(label(_("The selected channel is smoothed, typically to reduce noise on the graph.")), 0,
              wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    main->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL, "staticLine"),
              0, wxEXPAND | wxALL, 5);
    main->Add(label(_("Channel to be smoothed")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
    m_channelCtrl = new CgucChannel(this, ID_SMOOTH_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    main->Add(m_channelCtrl, 0, wxEXPAND | wxALL, 5);
    main->Add(label(_("Smoothing")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    main->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    row->Add(label(_("None")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    row->Add(new wxSlider(this, ID_SMOOTH_SLIDER, 0, 0, kMaxSmoothing, wxDefaultPosition, wxDefaultSize,
                          wxSL_HORIZONTAL, wxGenericValidator(&m_smoothing), "slider"),
             1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    row->Add(label(_("Maximum")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
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

void CgudSmooth::SetChannel(CdocField* field)
{
    m_channelCtrl->SelectChannel(field);
    if (!field) {
        m_smoothing = 0;
        return;
    }
    field->m_smoothEpsilonWas = field->m_smoothEpsilon;
    m_smoothing = std::clamp(field->m_smoothEpsilon, 0, kMaxSmoothing);
}

void CgudSmooth::OnChannel(wxCommandEvent& event)
{
    TransferDataFromWindow();
    SetChannel(m_channelCtrl->GetSelectedChannel());
    TransferDataToWindow();
    Fit();
}

void CgudSmooth::OnSlider(wxCommandEvent& event)
{
    TransferDataFromWindow();
    CdocField* field = m_channelCtrl->GetSelectedChannel();
    if (field && field->m_doc)
        field->m_doc->m_data.SetFieldSmoothing(CdocFieldKey(field->m_key, -1, field), m_smoothing);
    TransferDataToWindow();
    Fit();
}

void CgudSmooth::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("Smooth.htm"), this);
}
