#include "dialogs/gudFetch.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudFetch, wxDialog);

wxBEGIN_EVENT_TABLE(CgudFetch, wxDialog)
    EVT_UPDATE_UI(wxID_OK, CgudFetch::OnOkUpdate)
wxEND_EVENT_TABLE()

CgudFetch::CgudFetch(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudFetch::~CgudFetch() = default;

bool CgudFetch::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Files available ( newest first):")), 0, wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudFetch::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(m_usable);
}
