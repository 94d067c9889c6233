#pragma once
#include <wx/docview.h>

class CbarTool;
class CgumDocManager;
class CgumWin;
class wxMenu;

// The single main window, where commands meet: it carries the menu bar, the
// main tool bar and the content panel, owns the key map and handles the
// application's own commands.
class CgumFrame : public wxDocParentFrame
{
public:
    CgumFrame(CgumDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
              const wxPoint& position = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxDEFAULT_FRAME_STYLE);
    ~CgumFrame() override;

    bool Destroy() override;
    void UpdateWindowUI(long flags = wxUPDATE_UI_NONE) override;
    bool Layout() override;
    wxToolBar* OnCreateToolBar(long style, wxWindowID id, const wxString& name) override;

    bool StateChanged();
    void UpdateLayout(bool force);
    void UpdateTitle(wxDocument* doc);
    void RefreshTitle();
    CbarTool* CreateToolBar();
    void CreateMenuBar();
    int FilterKey(wxKeyEvent& event);
    void FitContent();

    CgumWin* m_content = nullptr;
    CbarTool* m_toolBar = nullptr;
    int m_state = 1;
    bool m_toolBarShown = false;

private:
    void OnSize(wxSizeEvent& event);
    void OnCycleUserLevel(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnHelpContents(wxCommandEvent& event);
    void OnHelpIntroduction(wxCommandEvent& event);
    void OnWebSite(wxCommandEvent& event);
    void OnTechnicalSupport(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnAdminSettings(wxCommandEvent& event);
    void OnToggleToolBar(wxCommandEvent& event);
    void OnUpdateToolBar(wxUpdateUIEvent& event);
    void OnUpdateOptions(wxUpdateUIEvent& event);
    void OnOptions(wxCommandEvent& event);
    void OnRunBluetoothRequest(wxCommandEvent& event);
    void OnDeviceButtonClick(wxCommandEvent& event);
    void OnDeviceButtonHold(wxCommandEvent& event);
    void OnDeviceButtonPress(wxCommandEvent& event);
    void OnLargeTools(wxCommandEvent& event);
    void OnSmallTools(wxCommandEvent& event);
    void SetToolSize(bool large);
    void OnUnchangedUI(wxUpdateUIEvent& event);
    void OnDisableUI(wxUpdateUIEvent& event);
    void ApplyOptions(bool levelChanged, bool managerChanged);

    wxDECLARE_EVENT_TABLE();
};

// The maker's web site, opened by the Help menu and the support box.
wxString gumGetMakerAddress();

// The menus of the bar; the graph and data menus also fill pop-up menus.
void gumAppendFileMenu(wxMenu* menu, wxMenu* exportMenu, wxMenu* adminMenu);
void gumAppendExportMenu(wxMenu* menu);
void gumAppendAdminMenu(wxMenu* menu);
void gumAppendEditMenu(wxMenu* menu);
void gumAppendViewMenu(wxMenu* menu, wxMenu* colourMenu);
void gumAppendThemeMenu(wxMenu* menu);
void gumAppendGraphMenu(wxMenu* menu);
void gumAppendDataMenu(wxMenu* menu, bool restricted, bool shortLabels, bool withTare, bool withCustomScale,
                       bool withInvert, bool withCalibrate);
void gumAppendLoggingMenu(wxMenu* menu);
void gumAppendToolsMenu(wxMenu* menu);
void gumAppendHelpMenu(wxMenu* menu);
