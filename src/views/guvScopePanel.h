#pragma once
#include <wx/panel.h>

// The oscilloscope panel of the content panel.
class CguvScopePanel : public wxPanel
{
public:
    CguvScopePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvScopePanel() override;
};
