#include "views/guvScopePanel.h"

CguvScopePanel::CguvScopePanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
}

CguvScopePanel::~CguvScopePanel() = default;
