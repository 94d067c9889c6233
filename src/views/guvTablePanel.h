#pragma once
#include <wx/panel.h>

class CguvTableWin;

// The table panel of the content panel; it holds the drawing window.
class CguvTablePanel : public wxPanel
{
public:
    CguvTablePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvTablePanel() override;

    CguvTableWin* m_window = nullptr;
};
