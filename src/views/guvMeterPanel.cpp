#include "views/guvMeterPanel.h"

CguvMeterPanel::CguvMeterPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
}

CguvMeterPanel::~CguvMeterPanel() = default;
