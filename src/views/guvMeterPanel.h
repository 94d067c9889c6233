#pragma once
#include <wx/panel.h>

class CguvMeterWin;

// The meter (gauge) panel of the content panel; it holds the drawing window.
class CguvMeterPanel : public wxPanel
{
public:
    CguvMeterPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvMeterPanel() override;

    CguvMeterWin* m_window = nullptr;
};
