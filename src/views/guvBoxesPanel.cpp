#include "views/guvBoxesPanel.h"

CguvBoxesPanel::CguvBoxesPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
}

CguvBoxesPanel::~CguvBoxesPanel() = default;
