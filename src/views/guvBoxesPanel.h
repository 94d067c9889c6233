#pragma once
#include <wx/panel.h>

// The boxes panel of the content panel.
class CguvBoxesPanel : public wxPanel
{
public:
    CguvBoxesPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvBoxesPanel() override;
};
