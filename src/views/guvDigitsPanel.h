#pragma once
#include <wx/panel.h>

class CguvDigitsWin;

// The digits panel of the content panel; it holds the drawing window.
class CguvDigitsPanel : public wxPanel
{
public:
    CguvDigitsPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvDigitsPanel() override;

    // The drawing window first, then the panel's sizer.
    bool Layout() override;

    CguvDigitsWin* m_window = nullptr;
};
