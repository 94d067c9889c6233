#include "dialogs/gudAnnotate.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "views/gucChannel.h"

#include <wx/button.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudAnnotate, wxDialog);

wxBEGIN_EVENT_TABLE(CgudAnnotate, wxDialog)
    EVT_BUTTON(ID_ANNOTATE_DELETE_ALL, CgudAnnotate::OnDeleteAll)
    EVT_BUTTON(ID_ANNOTATE_DELETE_LAST, CgudAnnotate::OnDeleteLast)
    EVT_UPDATE_UI(ID_ANNOTATE_DELETE_ALL, CgudAnnotate::OnDeleteUpdate)
    EVT_UPDATE_UI(ID_ANNOTATE_DELETE_LAST, CgudAnnotate::OnDeleteUpdate)
    EVT_UPDATE_UI(wxID_OK, CgudAnnotate::OnPlaceUpdate)
    EVT_BUTTON(wxID_HELP, CgudAnnotate::OnHelp)
wxEND_EVENT_TABLE()

CgudAnnotate::CgudAnnotate(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                           const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudAnnotate::~CgudAnnotate() = default;

bool CgudAnnotate::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                          const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudAnnotate::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto label = [this](const wxString& text) {
        return new wxStaticText(this, wxID_STATIC, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
    };
    auto button = [this](int id, const wxString& text) {
        return new wxButton(this, id, text, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button");
    };
    main->Add(label(_("Annotation")), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    m_textCtrl = new wxTextCtrl(this, ID_ANNOTATE_TEXT, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                wxTextValidator(wxFILTER_NONE, &m_text), "text");
    main->Add(m_textCtrl, 0, wxEXPAND | wxALL, 5);
    main->Add(label(_("Attach annotation to")), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    m_channelCtrl = new CgucChannel(this, ID_ANNOTATE_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    main->Add(m_channelCtrl, 0, wxEXPAND | wxALL, 5);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    main->Add(row, 0, wxEXPAND | wxALL, 5);
    auto* deletes = new wxGridSizer(1, 2, 0, 0);
    deletes->Add(button(ID_ANNOTATE_DELETE_ALL, _("Delete All")), 0, wxALIGN_BOTTOM | wxALL, 5);
    deletes->Add(button(ID_ANNOTATE_DELETE_LAST, _("Delete Last")), 0, wxALIGN_BOTTOM | wxALL, 5);
    row->Add(deletes, 0, wxALIGN_BOTTOM);
    row->AddStretchSpacer();
    auto* actions = new wxGridBagSizer;
    actions->Add(button(wxID_OK, _("Place on Graph")), wxGBPosition(0, 0), wxGBSpan(1, 2), wxEXPAND | wxALL, 5);
    actions->Add(button(wxID_HELP, _("&Help")), wxGBPosition(1, 0), wxDefaultSpan, wxALL, 5);
    actions->Add(button(wxID_CANCEL, _("Cancel")), wxGBPosition(1, 1), wxDefaultSpan, wxALL, 5);
    row->Add(actions, 0);
}

void CgudAnnotate::OnDeleteAll(wxCommandEvent& event)
{
    EndModal(ID_ANNOTATE_DELETE_ALL);
}

void CgudAnnotate::OnDeleteLast(wxCommandEvent& event)
{
    EndModal(ID_ANNOTATE_DELETE_LAST);
}

void CgudAnnotate::OnDeleteUpdate(wxUpdateUIEvent& event)
{
    event.Enable(m_doc && m_doc->m_annotations.m_count > 0);
}

void CgudAnnotate::OnPlaceUpdate(wxUpdateUIEvent& event)
{
    TransferDataFromWindow();
    event.Enable(!m_text.empty());
}

void CgudAnnotate::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("Annotate.htm"), this);
}
