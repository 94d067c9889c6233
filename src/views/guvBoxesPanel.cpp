#include "views/guvBoxesPanel.h"

#include "views/guvBoxesWin.h"

#include <wx/sizer.h>

CguvBoxesPanel::CguvBoxesPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvBoxesWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer, true);
    sizer->Fit(this);
    Layout();
}

CguvBoxesPanel::~CguvBoxesPanel() = default;
