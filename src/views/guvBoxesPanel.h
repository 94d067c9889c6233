#pragma once
#include <wx/panel.h>

class CbarActivity;
class CbarHelp;
class CguvBoxesWin;
class wxBoxSizer;

// The boxes panel of the content panel: the activity bar while the document
// is ready, the drawing window from a run on, the help bar along its bottom.
class CguvBoxesPanel : public wxPanel
{
public:
    CguvBoxesPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvBoxesPanel() override;

    void UpdateLayout(bool force);
    void UpdateWindowUI(long flags = wxUPDATE_UI_NONE) override;
    bool Layout() override;

    wxBoxSizer* m_sizer = nullptr;
    CbarActivity* m_activityBar = nullptr;
    CbarHelp* m_helpBar = nullptr;
    int m_state = 1;
    CguvBoxesWin* m_window = nullptr;
};
