#pragma once
#include <wx/panel.h>

class CguvScopeWin;

// The oscilloscope panel of the content panel; it holds the drawing window.
class CguvScopePanel : public wxPanel
{
public:
    CguvScopePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvScopePanel() override;

    CguvScopeWin* m_window = nullptr;
};
