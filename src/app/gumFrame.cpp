#include "app/gumFrame.h"

#include "app/appOptions.h"
#include "app/barActivity.h"
#include "app/barHelp.h"
#include "app/barSide.h"
#include "app/barTool.h"
#include "app/gudOptions.h"
#include "app/gumApp.h"
#include "app/base/gumCommands.h"
#include "app/gumDocManager.h"
#include "app/base/gumIds.h"
#include "app/gumWin.h"
#include "app/gumWindowHelpers.h"
#include "dialogs/gudAbout.h"
#include "dialogs/gudTechnicalSupport.h"
#include "document/gumDoc.h"
#include "transport/zxMessageBox.h"
#include "views/guvBoxesPanel.h"

#include <algorithm>
#include <vector>
#include <wx/textctrl.h>

wxBEGIN_EVENT_TABLE(CgumFrame, wxDocParentFrame)
    EVT_MENU(ID_USER_LEVEL, CgumFrame::OnCycleUserLevel)
    EVT_MENU(wxID_EXIT, CgumFrame::OnExit)
    EVT_UPDATE_UI(wxID_EXIT, CgumFrame::OnUnchangedUI)
    EVT_MENU(wxID_HELP, CgumFrame::OnHelpContents)
    EVT_UPDATE_UI(wxID_HELP, CgumFrame::OnUnchangedUI)
    EVT_MENU(ID_HELP_INTRO, CgumFrame::OnHelpIntroduction)
    EVT_UPDATE_UI(ID_HELP_INTRO, CgumFrame::OnUnchangedUI)
    EVT_MENU(ID_WEB_SITE, CgumFrame::OnWebSite)
    EVT_UPDATE_UI(ID_WEB_SITE, CgumFrame::OnUnchangedUI)
    EVT_MENU(ID_TECHNICAL_SUPPORT, CgumFrame::OnTechnicalSupport)
    EVT_UPDATE_UI(ID_TECHNICAL_SUPPORT, CgumFrame::OnUnchangedUI)
    EVT_MENU(wxID_ABOUT, CgumFrame::OnAbout)
    EVT_UPDATE_UI(wxID_ABOUT, CgumFrame::OnUnchangedUI)
    EVT_MENU(ID_ADMIN_SETTINGS, CgumFrame::OnAdminSettings)
    EVT_UPDATE_UI(ID_ADMIN_SETTINGS, CgumFrame::OnUnchangedUI)
    EVT_MENU(ID_VIEW_TOOLBAR, CgumFrame::OnToggleToolBar)
    EVT_UPDATE_UI(ID_VIEW_TOOLBAR, CgumFrame::OnUpdateToolBar)
    EVT_UPDATE_UI(ID_TOOL_OPTIONS, CgumFrame::OnUpdateOptions)
    EVT_MENU(ID_TOOL_OPTIONS, CgumFrame::OnOptions)
    EVT_SIZE(CgumFrame::OnSize)
    EVT_MENU(ID_EVT_BT_DATA, CgumFrame::OnRunBluetoothRequest)
    EVT_MENU(ID_EVT_BUTTON_CLICK, CgumFrame::OnDeviceButtonClick)
    EVT_MENU(ID_EVT_BUTTON_LONG, CgumFrame::OnDeviceButtonHold)
    EVT_MENU(ID_EVT_BUTTON_PRESS, CgumFrame::OnDeviceButtonPress)
    EVT_MENU(ID_BARS_FLAG_ON, CgumFrame::OnLargeTools)
    EVT_MENU(ID_BARS_FLAG_OFF, CgumFrame::OnSmallTools)
    EVT_UPDATE_UI_RANGE(ID_BARS_FLAG_ON, ID_BARS_FLAG_OFF, CgumFrame::OnDisableUI)
    // The document's commands, inert while no document answers them.
    EVT_UPDATE_UI_RANGE(ID_SET_CLOCK, ID_RELOAD_SYSTEM, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI(ID_FETCH, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_COPY_GRAPH, ID_VIEW_TIME_AND_DATE, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_ANNOTATE, ID_EXPORT_TEMPLATE, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_DELETE_ALL, ID_INFORMATION, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_GRAPH_FONT, ID_BEST_FIT, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_TABLE_OPTIONS, ID_TOOL_AREA, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_MODE_SNAPSHOT, ID_MODE_SETUP, CgumFrame::OnDisableUI)
    EVT_UPDATE_UI_RANGE(ID_THEME_STANDARD, ID_THEME_HIGH_CONTRAST, CgumFrame::OnDisableUI)
wxEND_EVENT_TABLE()

namespace {

int CurrentState()
{
    CdocDoc* doc = wxGetApp().GetCurrentDocDoc();
    return doc ? doc->m_state : 1;
}

struct PlainKey
{
    int code;
    int command;
    int feature; // -1: not gated
};

const PlainKey kPlainKeys[] = {
    {'+', ID_AUTO_ZOOM, -1},          {'=', ID_AUTO_ZOOM, -1},         {'A', ID_AUTO_ZOOM, -1},
    {'-', ID_DEFAULT_ZOOM, -1},       {'D', ID_DEFAULT_ZOOM, -1},      {'G', ID_GRAPH_GRID, FEATURE_GRAPH_GRID},
    {'H', ID_GRAPH_HEAVY, FEATURE_GRAPH_HEAVY}, {'I', ID_INFORMATION, FEATURE_INFORMATION},
    {'L', ID_START, -1},              {'M', ID_MARK, FEATURE_MARK},    {'N', ID_NOTES, FEATURE_NOTES},
    {'O', ID_START_OVERLAY, -1},      {'P', ID_STOP, -1},              {'R', ID_RESTART, -1},
    {'S', ID_STORE, -1},              {'T', ID_VIEW_TABLE, FEATURE_VIEW_TABLE},
};

} // namespace

CgumFrame::CgumFrame(CgumDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                     const wxPoint& position, const wxSize& size, long style)
    : wxDocParentFrame(manager, parent, id, title, position, size, style, "frame")
{
    SetIcon(wxGetApp().m_res.m_icons[ICON_APP]);
    CreateMenuBar();
    CreateToolBar();
    if (m_toolBar)
        m_toolBar->Hide();
    m_content = new CgumWin(this);
    m_content->Show(true);

    wxRect area;
    gumGetDisplayArea(this, area);
    const int cw = GetCharWidth();
    const int ch = GetCharHeight();
    SetMinSize(wxSize(std::min(2 * area.width / 3, 100 * cw), std::min(2 * area.height / 3, 30 * ch)));

    m_state = CurrentState();
    m_toolBarShown = wxGetApp().m_options.m_showToolBar;

    // Worker threads reach the user interface through this queue only.
    gumSetCommandPoster([this](int commandId, int value) {
        wxCommandEvent event(wxEVT_MENU, commandId);
        event.SetInt(value);
        GetEventHandler()->QueueEvent(event.Clone());
    });
    wxGetApp().m_options.m_applyHandler = [this](bool level, bool manager) { ApplyOptions(level, manager); };
    UpdateLayout(true);
}

CgumFrame::~CgumFrame()
{
    gumSetCommandPoster(nullptr);
    if (wxTheApp) {
        wxGetApp().m_options.m_applyHandler = nullptr;
        if (wxGetApp().m_frame == this)
            wxGetApp().m_frame = nullptr;
    }
}

bool CgumFrame::Destroy()
{
    gumSetCommandPoster(nullptr);
    wxGetApp().m_options.m_applyHandler = nullptr;
    wxGetApp().m_frame = nullptr;
    return wxDocParentFrame::Destroy();
}

bool CgumFrame::StateChanged()
{
    const int state = CurrentState();
    const bool shown = wxGetApp().m_options.m_showToolBar;
    const bool changed = state != m_state || shown != m_toolBarShown;
    m_state = state;
    m_toolBarShown = shown;
    return changed;
}

void CgumFrame::UpdateLayout(bool force)
{
    if (!StateChanged() && !force)
        return;
    const wxRect rect = GetRect();
    if (m_toolBar && m_toolBar->IsShown() != m_toolBarShown)
        m_toolBar->Show(m_toolBarShown);
    SetSize(rect.x, rect.y, rect.width, rect.height, wxSIZE_AUTO_WIDTH | wxSIZE_AUTO_HEIGHT);
    wxSizeEvent event(GetSize(), GetId());
    event.SetEventObject(this);
    GetEventHandler()->ProcessEvent(event);
    Layout();
    UpdateTitle(wxGetApp().GetCurrentDocument());
}

void CgumFrame::UpdateWindowUI(long flags)
{
    UpdateLayout(false);
    wxDocParentFrame::UpdateWindowUI(flags);
}

void CgumFrame::UpdateTitle(wxDocument* doc)
{
    wxDocManager* manager = doc ? doc->GetDocumentManager() : wxGetApp().m_docManager;
    if (manager)
        SetTitle(manager->MakeFrameTitle(doc));
}

void CgumFrame::RefreshTitle()
{
    UpdateTitle(wxGetApp().GetCurrentDocument());
}

CbarTool* CgumFrame::CreateToolBar()
{
    wxDocParentFrame::CreateToolBar(wxTB_DEFAULT_STYLE, wxID_ANY, "toolbar");
    if (m_toolBar)
        m_toolBar->UpdateIfChanged(true);
    return m_toolBar;
}

wxToolBar* CgumFrame::OnCreateToolBar(long style, wxWindowID id, const wxString& name)
{
    m_toolBar = barNewToolBar(this);
    return m_toolBar;
}

void CgumFrame::FitContent()
{
    wxGetApp().m_boxes.PumpBluetooth();
    if (m_content && m_content->IsShown()) {
        const wxSize client = GetClientSize();
        m_content->SetSize(0, 0, client.x, client.y, wxSIZE_AUTO_WIDTH | wxSIZE_AUTO_HEIGHT);
    }
}

void CgumFrame::OnSize(wxSizeEvent& event)
{
    FitContent();
}

bool CgumFrame::Layout()
{
    FitContent();
    if (m_content)
        m_content->Layout();
    return wxDocParentFrame::Layout();
}

int CgumFrame::FilterKey(wxKeyEvent& event)
{
    if (wxWindow* focus = wxWindow::FindFocus()) {
        if (dynamic_cast<wxTextCtrl*>(focus) || wxGetTopLevelParent(focus) != this)
            return -1;
    }
    const int code = event.GetKeyCode();
    const bool command = event.ControlDown(); // the Command key of a Mac is Ctrl here
    const bool shift = event.ShiftDown();
    const bool alt = event.AltDown();
    int id = 0;
    if (command && shift && alt) {
        if (code != 'T')
            return -1;
        id = ID_ADMIN_SETTINGS;
    } else if (command || shift || alt) {
        if (command && shift && !alt && (code == '+' || code == '='))
            id = ID_BARS_FLAG_ON;
        else if (command && shift && !alt && code == '-')
            id = ID_BARS_FLAG_OFF;
        else
            return -1;
    } else {
        const PlainKey* found = nullptr;
        for (const PlainKey& key : kPlainKeys) {
            if (key.code == code)
                found = &key;
        }
        if (!found)
            return -1;
        if (found->feature >= 0 && !appIsAllowed(found->feature))
            return -1;
        id = found->command;
    }

    wxUpdateUIEvent update(id);
    update.SetEventObject(GetEventHandler());
    if (GetEventHandler()->ProcessEvent(update) && update.GetSetEnabled() && !update.GetEnabled())
        return -1;
    gumPostCommand(id, 0);
    return 1;
}

void CgumFrame::OnCycleUserLevel(wxCommandEvent& event)
{
    CappOptions& options = wxGetApp().m_options;
    const int level = options.GetUserLevel();
    options.SetUserLevel(level <= 3 ? level + 1 : 1);
    options.UpdateLevelFlags();
    if (CdocDoc* doc = wxGetApp().GetCurrentDocDoc()) {
        doc->LoadViewOptions();
        doc->UpdateViews(HINT_OPTIONS, nullptr);
    }
    CreateMenuBar();
    RefreshTitle();
    UpdateLayout(true);
}

// What applying options changes beyond the options themselves.
void CgumFrame::ApplyOptions(bool levelChanged, bool managerChanged)
{
    CappOptions& options = wxGetApp().m_options;
    if (levelChanged) {
        if (CdocDoc* doc = wxGetApp().GetCurrentDocDoc()) {
            doc->LoadViewOptions();
            doc->ModifyAndUpdateViews(HINT_OPTIONS, nullptr);
        }
    }
    if (levelChanged || managerChanged) {
        CreateMenuBar();
        UpdateLayout(true);
    }
    if (CgumDocManager* manager = wxGetApp().m_docManager)
        manager->m_dataDir = options.GetCurrentCopy().FileFolder;
}

void CgumFrame::OnExit(wxCommandEvent& event)
{
    Close(false);
}

void CgumFrame::OnHelpContents(wxCommandEvent& event)
{
    if (appIsAllowed(FEATURE_HELP_CONTENTS))
        wxGetApp().ShowHelp(wxString(), nullptr);
    else
        wxGetApp().ShowHelp(_("Introduction.htm"), this);
}

void CgumFrame::OnHelpIntroduction(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(_("Introduction.htm"), this);
}

void CgumFrame::OnWebSite(wxCommandEvent& event)
{
    gumLaunchBrowser(gumGetMakerAddress(), 0);
}

void CgumFrame::OnTechnicalSupport(wxCommandEvent& event)
{
    gudShowTechnicalSupport();
}

// Shown without blocking; a hidden box goes with the frame.
void CgumFrame::OnAbout(wxCommandEvent& event)
{
    (new CgudAbout(this))->Show();
}

void CgumFrame::OnAdminSettings(wxCommandEvent& event)
{
    gudShowAdminSettings();
}

void CgumFrame::OnToggleToolBar(wxCommandEvent& event)
{
    CappOptions& options = wxGetApp().m_options;
    if (appIsAllowed(FEATURE_TOOLBAR))
        options.m_showToolBar = !options.m_showToolBar;
}

void CgumFrame::OnUpdateToolBar(wxUpdateUIEvent& event)
{
    event.Enable(true);
    event.Check(wxGetApp().m_options.m_showToolBar);
}

void CgumFrame::OnUpdateOptions(wxUpdateUIEvent& event)
{
    event.Enable(appIsAllowed(FEATURE_OPTIONS));
}

void CgumFrame::OnOptions(wxCommandEvent& event)
{
    if (appIsAllowed(FEATURE_OPTIONS))
        gudShowOptions();
}

void CgumFrame::OnRunBluetoothRequest(wxCommandEvent& event)
{
    wxGetApp().m_boxes.PumpBluetooth();
}

void CgumFrame::OnDeviceButtonClick(wxCommandEvent& event)
{
    if (!wxGetApp().GetCurrentDocDoc())
        gumPostCommand(wxID_NEW, 0);
}

void CgumFrame::OnDeviceButtonHold(wxCommandEvent& event)
{
    if (!wxGetApp().GetCurrentDocDoc())
        gumPostCommand(wxID_EXIT, 0);
}

void CgumFrame::OnDeviceButtonPress(wxCommandEvent& event) {}

void CgumFrame::OnLargeTools(wxCommandEvent& event)
{
    SetToolSize(true);
}

void CgumFrame::OnSmallTools(wxCommandEvent& event)
{
    SetToolSize(false);
}

// Every bar takes the size for good; the frame's size no longer chooses it.
void CgumFrame::SetToolSize(bool large)
{
    std::vector<CbarBase*> bars;
    if (m_content) {
        bars.push_back(m_content->m_sideBar);
        if (CguvBoxesPanel* boxes = m_content->m_boxesPanel) {
            bars.push_back(boxes->m_activityBar);
            bars.push_back(boxes->m_helpBar);
        }
    }
    for (CbarBase* bar : bars) {
        if (bar && large)
            bar->SetLargeIcons();
        else if (bar)
            bar->SetSmallIcons();
    }
    if (m_toolBar && large)
        m_toolBar->SetLargeIcons();
    else if (m_toolBar)
        m_toolBar->SetSmallIcons();
    UpdateLayout(true);
}

void CgumFrame::OnUnchangedUI(wxUpdateUIEvent& event) {}

void CgumFrame::OnDisableUI(wxUpdateUIEvent& event)
{
    event.Enable(false);
}
