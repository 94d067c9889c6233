#include "views/guvTablePanel.h"

CguvTablePanel::CguvTablePanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
}

CguvTablePanel::~CguvTablePanel() = default;
