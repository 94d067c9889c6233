#include "dialogs/gudTitle.h"

#include "app/gumWindowHelpers.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudTitle, wxDialog);

CgudTitle::CgudTitle(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudTitle::~CgudTitle() = default;

bool CgudTitle::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudTitle::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    main->Add(row, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    row->Add(new wxStaticText(this, wxID_STATIC, _("Title"), wxDefaultPosition, wxDefaultSize, 0, "staticText"), 0,
             wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* text = new wxTextCtrl(this, ID_TITLE_TEXT, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                wxTextValidator(wxFILTER_NONE, &m_text), "text");
    gumSetWidthInChars(text, 40, 50);
    row->Add(text, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    main->Add(new wxCheckBox(this, ID_TITLE_SHOW, _("Show title"), wxDefaultPosition, wxDefaultSize, 0,
                             wxGenericValidator(&m_showTitle), "check"),
              0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    main->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* ok = new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                            "button");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "button"),
                 0, wxALL, 5);
}
