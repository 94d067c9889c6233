#pragma once
#include <wx/panel.h>

// The table panel of the content panel.
class CguvTablePanel : public wxPanel
{
public:
    CguvTablePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvTablePanel() override;
};
