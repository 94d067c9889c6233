#include "dialogs/gudControl.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudControl, wxDialog);

CgudControl::CgudControl(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudControl::~CgudControl() = default;

bool CgudControl::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Turn output on when:")), 0, wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}
