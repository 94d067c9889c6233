#include "views/guvDigitsPanel.h"

#include "views/guvDigitsWin.h"

#include <wx/sizer.h>

CguvDigitsPanel::CguvDigitsPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_window = new CguvDigitsWin(this);
    sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(sizer, true);
    Layout();
    sizer->Fit(this);
    Fit();
}

CguvDigitsPanel::~CguvDigitsPanel() = default;

bool CguvDigitsPanel::Layout()
{
    if (m_window)
        m_window->Layout();
    if (wxSizer* sizer = GetSizer())
        sizer->Layout();
    return wxPanel::Layout();
}
