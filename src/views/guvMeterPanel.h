#pragma once
#include <wx/panel.h>

// The meter (gauge) panel of the content panel.
class CguvMeterPanel : public wxPanel
{
public:
    CguvMeterPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvMeterPanel() override;
};
