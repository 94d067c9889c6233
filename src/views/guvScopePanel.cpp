#include "views/guvScopePanel.h"

#include "views/guvScopeWin.h"

#include <wx/sizer.h>

CguvScopePanel::CguvScopePanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvScopeWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer, true);
    sizer->Fit(this);
    Layout();
}

CguvScopePanel::~CguvScopePanel() = default;
