#pragma once
#include <wx/panel.h>

class CguvBoxesWin;

// The boxes panel of the content panel; it holds the drawing window.
class CguvBoxesPanel : public wxPanel
{
public:
    CguvBoxesPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvBoxesPanel() override;

    CguvBoxesWin* m_window = nullptr;
};
