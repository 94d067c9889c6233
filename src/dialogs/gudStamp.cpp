#include "dialogs/gudStamp.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudStamp, wxDialog);

wxBEGIN_EVENT_TABLE(CgudStamp, wxDialog)
    EVT_UPDATE_UI(wxID_OK, CgudStamp::OnOkUpdate)
wxEND_EVENT_TABLE()

CgudStamp::CgudStamp(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudStamp::~CgudStamp() = default;

bool CgudStamp::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Set the text that the logger shows on its display.")), 0,
              wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudStamp::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(false);
}
