#pragma once
#include <wx/panel.h>

class CguvGraphWin;

// The graph panel of the content panel; it holds the graph's drawing window.
class CguvGraphPanel : public wxPanel
{
public:
    CguvGraphPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvGraphPanel() override;

    CguvGraphWin* m_window = nullptr;
};
