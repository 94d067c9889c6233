#include "app/gumPageMargins.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace {

constexpr int kMaxMargin = 100; // millimetres; wider margins leave no page

wxSpinCtrl* AddRow(wxWindow* parent, wxFlexGridSizer* grid, const wxString& label)
{
    grid->Add(new wxStaticText(parent, wxID_STATIC, label), 0, wxALIGN_CENTRE_VERTICAL | wxALL, 5);
    auto* spin = new wxSpinCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxSP_ARROW_KEYS, 0, kMaxMargin, 10);
    grid->Add(spin, 0, wxEXPAND | wxALL, 5);
    return spin;
}

} // namespace

CgumPageMargins::CgumPageMargins(wxWindow* parent, const wxPageSetupDialogData& data) : m_data(data)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    Create(parent, wxID_ANY, _("Page Margins"), wxDefaultPosition, wxDefaultSize,
           wxDEFAULT_DIALOG_STYLE | wxTAB_TRAVERSAL, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, 5, 5);
    grid->AddGrowableCol(1);
    m_left = AddRow(this, grid, _("&Left (mm):"));
    m_top = AddRow(this, grid, _("&Top (mm):"));
    m_right = AddRow(this, grid, _("&Right (mm):"));
    m_bottom = AddRow(this, grid, _("&Bottom (mm):"));
    main->Add(grid, 1, wxEXPAND | wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    SetSizerAndFit(main);
    Centre(wxBOTH);
}

CgumPageMargins::~CgumPageMargins() = default;

bool CgumPageMargins::TransferDataToWindow()
{
    const wxPoint topLeft = m_data.GetMarginTopLeft();
    const wxPoint bottomRight = m_data.GetMarginBottomRight();
    m_left->SetValue(topLeft.x);
    m_top->SetValue(topLeft.y);
    m_right->SetValue(bottomRight.x);
    m_bottom->SetValue(bottomRight.y);
    return true;
}

bool CgumPageMargins::TransferDataFromWindow()
{
    m_data.SetMarginTopLeft(wxPoint(m_left->GetValue(), m_top->GetValue()));
    m_data.SetMarginBottomRight(wxPoint(m_right->GetValue(), m_bottom->GetValue()));
    return true;
}
