#include "views/guvMeterPanel.h"

#include "views/guvMeterWin.h"

#include <wx/sizer.h>

CguvMeterPanel::CguvMeterPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvMeterWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer, true);
    sizer->Fit(this);
    Layout();
}

CguvMeterPanel::~CguvMeterPanel() = default;
