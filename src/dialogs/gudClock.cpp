#include "dialogs/gudClock.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudClock, wxDialog);

wxBEGIN_EVENT_TABLE(CgudClock, wxDialog)
    EVT_UPDATE_UI(wxID_OK, CgudClock::OnOkUpdate)
wxEND_EVENT_TABLE()

CgudClock::CgudClock(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudClock::~CgudClock() = default;

bool CgudClock::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Set the logger's clock to this computer's time.")), 0,
              wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudClock::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(false);
}
