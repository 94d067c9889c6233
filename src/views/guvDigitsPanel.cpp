#include "views/guvDigitsPanel.h"

#include "views/guvDigitsWin.h"

#include <wx/sizer.h>

CguvDigitsPanel::CguvDigitsPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvDigitsWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer, true);
    sizer->Fit(this);
    Layout();
}

CguvDigitsPanel::~CguvDigitsPanel() = default;
