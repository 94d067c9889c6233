#include "dialogs/AboutDlg.h"

#include <wx/button.h>
#include <wx/font.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>

AboutDlg::AboutDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                   const wxSize& size, long style)
    : wxDialog(parent, id, title, position, size, style, "dialog")
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* main = new wxBoxSizer(wxVERTICAL);
    auto* box = new wxStaticBoxSizer(
        new wxStaticBox(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0, "groupBox"), wxVERTICAL);
    wxWindow* boxWindow = box->GetStaticBox();

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_bitmap = new wxStaticBitmap(boxWindow, 1000, wxNullBitmap, wxDefaultPosition, wxDefaultSize, 0,
                                  "staticBitmap");
    row->Add(m_bitmap, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_name = new wxStaticText(boxWindow, 1001, "Quorvanti", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE,
                              "staticText");
    m_name->Wrap(-1);
    m_name->SetFont(wxFont(10, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Arial"));
    column->Add(m_name, 0, wxLEFT | wxRIGHT | wxTOP, 5);
    m_version = new wxStaticText(boxWindow, 1002, "Version");
    m_version->Wrap(-1);
    column->Add(m_version, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
    row->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    box->Add(row, 1, 0, 0);

    m_line = new wxStaticLine(boxWindow, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    box->Add(m_line, 0, wxEXPAND | wxALL, 5);
    m_notice = new wxStaticText(boxWindow, 1003, "Notice", wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE);
    m_notice->Wrap(-1);
    box->Add(m_notice, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5); // centred by its own style
    main->Add(box, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);

    m_buttons = new wxStdDialogButtonSizer;
    m_ok = new wxButton(this, wxID_OK);
    m_buttons->AddButton(m_ok);
    m_buttons->Realize();
    main->Add(m_buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    SetSizer(main);
    Layout();
    main->Fit(this);
}

AboutDlg::~AboutDlg() = default;
