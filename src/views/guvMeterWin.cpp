#include "views/guvMeterWin.h"

#include "views/guvMeterView.h"

wxBEGIN_EVENT_TABLE(CguvMeterWin, CguvPanelWin)
    EVT_MOUSE_CAPTURE_LOST(CguvMeterWin::OnCaptureLost)
wxEND_EVENT_TABLE()

CguvMeterWin::CguvMeterWin(wxWindow* parent) : CguvPanelWin(parent) {}

CguvMeterWin::~CguvMeterWin() = default;

void CguvMeterWin::OnCaptureLost(wxMouseCaptureLostEvent& event)
{
    if (auto* view = dynamic_cast<CguvMeterView*>(m_view))
        view->OnCaptureLost();
}
