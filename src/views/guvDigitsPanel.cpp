#include "views/guvDigitsPanel.h"

CguvDigitsPanel::CguvDigitsPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
}

CguvDigitsPanel::~CguvDigitsPanel() = default;
