#include "views/guvGraphPanel.h"

#include "views/guvGraphWin.h"

#include <wx/sizer.h>

CguvGraphPanel::CguvGraphPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvGraphWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer);
    sizer->Fit(this);
    Layout();
}

CguvGraphPanel::~CguvGraphPanel() = default;
