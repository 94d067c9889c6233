#include "views/guvTablePanel.h"

#include "views/guvTableWin.h"

#include <wx/sizer.h>

CguvTablePanel::CguvTablePanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvTableWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer, true);
    sizer->Fit(this);
    Layout();
}

CguvTablePanel::~CguvTablePanel() = default;
