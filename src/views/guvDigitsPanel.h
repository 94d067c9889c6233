#pragma once
#include <wx/panel.h>

// The digits panel of the content panel.
class CguvDigitsPanel : public wxPanel
{
public:
    CguvDigitsPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvDigitsPanel() override;
};
