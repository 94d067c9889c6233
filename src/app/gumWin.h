#pragma once
#include <wx/panel.h>

class CbarSide;
class CgumIdle;
class CgumView;
class CguvBoxesPanel;
class CguvDigitsPanel;
class CguvGraphPanel;
class CguvMeterPanel;
class CguvScopePanel;
class CguvTablePanel;
class wxBoxSizer;

// The main frame's content panel: the start page, the six view panels and the
// side bar, shown or hidden by the open document's State and view switches.
class CgumWin : public wxPanel
{
public:
    explicit CgumWin(wxWindow* parent);
    ~CgumWin() override;

    void UpdateLayout(bool force);
    void UpdateWindowUI(long flags = wxUPDATE_UI_NONE) override;
    bool Layout() override;

    wxBoxSizer* m_sizerMain = nullptr;
    wxBoxSizer* m_sizerColumn = nullptr;
    wxBoxSizer* m_sizerLower = nullptr;
    wxBoxSizer* m_sizerUpper = nullptr;
    CbarSide* m_sideBar = nullptr;
    CgumIdle* m_idle = nullptr;
    CguvMeterPanel* m_meterPanel = nullptr;
    CguvGraphPanel* m_graphPanel = nullptr;
    CguvTablePanel* m_tablePanel = nullptr;
    CguvDigitsPanel* m_digitsPanel = nullptr;
    CguvScopePanel* m_scopePanel = nullptr;
    CguvBoxesPanel* m_boxesPanel = nullptr;
    CgumView* m_view = nullptr;
    int m_state = 1;
    int m_activity = 0;
    bool m_viewTable = false;
    bool m_viewDigits = false;

private:
    void Record();
    void KeepFocus();
};
