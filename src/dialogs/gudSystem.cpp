#include "dialogs/gudSystem.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudSystem, wxDialog);

wxBEGIN_EVENT_TABLE(CgudSystem, wxDialog)
wxEND_EVENT_TABLE()

CgudSystem::CgudSystem(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudSystem::~CgudSystem() = default;

bool CgudSystem::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                        const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudSystem::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto label = [this, main](int id, const wxString& text) {
        main->Add(new wxStaticText(this, id, text, wxDefaultPosition, wxDefaultSize, 0, "staticText"), 0,
                  wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    };
    label(ID_SYSTEM_STATUS1, _("Static text"));
    label(ID_SYSTEM_STATUS2, _("Static text"));
    label(ID_SYSTEM_PROMPT, _("Click Download to continue"));
    auto* gauge = new wxGauge(this, ID_SYSTEM_GAUGE, 100, wxDefaultPosition, wxDefaultSize, wxGA_HORIZONTAL,
                              wxDefaultValidator, "gauge");
    gauge->SetValue(1);
    main->Add(gauge, 0, wxEXPAND | wxALL, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&Download"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
}
