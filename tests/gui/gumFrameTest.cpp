#include "app/barSide.h"
#include "app/barTool.h"
#include "app/gudOptions.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumIdle.h"
#include "app/base/gumIds.h"
#include "app/gumPageMargins.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "support/dialogDriver.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"
#include "views/guvBoxesPanel.h"
#include "views/guvDigitsPanel.h"
#include "views/guvGraphPanel.h"
#include "views/guvMeterPanel.h"
#include "views/guvScopePanel.h"
#include "views/guvTablePanel.h"
#include "views/guvView.h"

#include <functional>
#include <memory>
#include <wx/filename.h>
#include <wx/print.h>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

namespace {

// Starts the whole application in this process, as the program does.
class Frame : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        qvtest::CappTest::SetUp();
        if (HasFatalFailure())
            return;
        m_content = m_frame->m_content;
    }

    // The update-UI answer for an id, through the same routing.
    bool Enabled(int id)
    {
        wxUpdateUIEvent event(id);
        event.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(event);
        return !event.GetSetEnabled() || event.GetEnabled();
    }

    CdocDoc* Doc() { return m_app->GetCurrentDocDoc(); }

    CgumWin* m_content = nullptr;
};

using qvtest::DialogDriver;

wxKeyEvent KeyDown(int code, bool control = false, bool shift = false, bool alt = false)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = code;
    event.SetControlDown(control);
    event.SetShiftDown(shift);
    event.SetAltDown(alt);
    return event;
}

// The menu bar as text: each menu's title, then its items (separators "-",
// submenus "> title: items").
std::string Describe(wxMenu* menu)
{
    std::string text;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (!text.empty())
            text += "|";
        if (item->IsSeparator())
            text += "-";
        else if (item->IsSubMenu())
            text += ">" + item->GetItemLabelText().ToStdString() + "(" + Describe(item->GetSubMenu()) + ")";
        else
            text += item->GetItemLabelText().ToStdString();
    }
    return text;
}

std::string Screenshot(wxWindow* window, const std::string& name)
{
    window->Refresh();
    window->Update();
    qvtest::Pump(100);
    return qvtest::SaveScreenshot(window, name);
}

std::vector<std::string> DescribeBar(wxMenuBar* bar)
{
    std::vector<std::string> menus;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        menus.push_back(wxMenuItem::GetLabelText(bar->GetMenuLabel(i)).ToStdString() + ": " +
                        Describe(bar->GetMenu(i)));
    return menus;
}

} // namespace

// After a screen capture the display stops showing later repaints of this
// process, so each test below takes one screenshot, at its end.
TEST_F(Frame, StartPageWithNoDocument)
{
    std::vector<wxString> launched;
    gumSetBrowserLauncher([&](const wxString& address, int) {
        launched.push_back(address);
        return true;
    });
    m_app->m_docManager->CloseDocuments(false);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_idle->IsShown(); }));
    ASSERT_EQ(m_app->GetCurrentDocDoc(), nullptr);
    EXPECT_TRUE(m_content->m_sideBar->IsShown());
    EXPECT_FALSE(m_content->m_meterPanel->IsShown());
    EXPECT_FALSE(m_content->m_boxesPanel->IsShown());
    EXPECT_FALSE(m_content->m_graphPanel->IsShown());
    EXPECT_EQ(m_frame->GetTitle(), "Quorvanti");
    EXPECT_GT(m_content->m_idle->ToText().Find("Start an experiment"), wxNOT_FOUND);
    // The side bar offers a new experiment or quitting.
    EXPECT_EQ(m_content->m_sideBar->GetToolsCount(), 2u);
    EXPECT_NE(m_content->m_sideBar->FindById(wxID_NEW), nullptr);
    EXPECT_NE(m_content->m_sideBar->FindById(wxID_EXIT), nullptr);
    // The start page fills the working area beside the side bar.
    EXPECT_GT(m_content->m_idle->GetSize().x, m_content->GetSize().x / 2);

    // A link opens the browser with its target as written; the page stays.
    wxHtmlLinkInfo link("docs/../intro.html");
    wxHtmlLinkEvent click(m_content->m_idle->GetId(), link);
    click.SetEventObject(m_content->m_idle);
    m_content->m_idle->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0], "docs/../intro.html");
    EXPECT_GT(m_content->m_idle->ToText().Find("Start an experiment"), wxNOT_FOUND);
    gumSetBrowserLauncher(nullptr);
    EXPECT_FALSE(Screenshot(m_frame, "frame-start-page").empty());
}

TEST_F(Frame, MeterAndBoxesAfterNew)
{
    m_app->m_docManager->CloseDocuments(false);
    qvtest::Pump(100);
    Command(wxID_NEW);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_meterPanel->IsShown(); }));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_FALSE(m_content->m_idle->IsShown());
    EXPECT_TRUE(m_content->m_boxesPanel->IsShown());
    EXPECT_FALSE(m_content->m_graphPanel->IsShown());
    EXPECT_TRUE(m_frame->GetTitle().EndsWith(" - Quorvanti"));
    EXPECT_NE(m_content->m_sideBar->FindById(ID_START), nullptr);
    EXPECT_NE(m_content->m_sideBar->FindById(wxID_CLOSE), nullptr);
    EXPECT_FALSE(Screenshot(m_frame, "frame-after-new").empty());
}

TEST_F(Frame, PanelsFollowStateAndViewSwitches)
{
    // Stored data: the graph, with table or digits as the switches say.
    Doc()->m_viewTable = false;
    Doc()->m_viewDigits = false;
    Doc()->SetState(DOC_STATE_STOPPED);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_graphPanel->IsShown(); }));
    EXPECT_FALSE(m_content->m_meterPanel->IsShown());
    EXPECT_FALSE(m_content->m_tablePanel->IsShown());
    const int column = m_content->m_graphPanel->GetSize().y;
    Doc()->m_viewTable = true;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_tablePanel->IsShown(); }));
    EXPECT_FALSE(m_content->m_digitsPanel->IsShown());
    EXPECT_LT(m_content->m_graphPanel->GetSize().y, column); // two thirds now
    EXPECT_EQ(m_content->m_tablePanel->GetSize().x, m_content->m_graphPanel->GetSize().x);

    // Activity alone changes nothing; an oscilloscope run shows the scope.
    Doc()->m_activity = ACTIVITY_SCOPE;
    qvtest::Pump(100);
    EXPECT_FALSE(m_content->m_scopePanel->IsShown());
    Doc()->SetState(DOC_STATE_RUNNING);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_content->m_scopePanel->IsShown(); }));
    EXPECT_NEAR(m_content->m_scopePanel->GetSize().x, m_content->m_graphPanel->GetSize().x, 1);
    EXPECT_NE(m_content->m_sideBar->FindById(ID_STORE), nullptr);
    EXPECT_FALSE(Screenshot(m_frame, "frame-scope-run").empty());
    Doc()->SetState(DOC_STATE_STOPPED);
}

TEST_F(Frame, MenusHoldExactlyTheItemsOfEachLevel)
{
    const std::string file12 = "File: New|Open...|Save|Save As...|-|Fetch From Logger...|-|Page Setup...|"
                               "Page Margins...|Print Preview|Print...|-|>Administrator(" ;
    const std::string admin = "Set Logger's Clock|Set Logger's Security Stamp|Reload Logger's System Software|"
                              "-|Administrator's Settings...)|-|Exit Quorvanti";
    const std::string file34 = "File: New|Open...|Save|Save As...|-|Worksheet...|Template...|"
                               "Fetch From Logger...|Import...|>Export(Data Analysis (SID Format)...|"
                               "InspireData (TEXT Format)...|Microsoft Excel (CSV Format)...|"
                               "OpenOffice.org Calc (CSV Format)...|-|Software Independent Data (SID)...|"
                               "Comma Separated Values (CSV)...|Tab Separated Values (TSV)...|Text (TXT)...|-|"
                               "Template...)|-|Page Setup...|Page Margins...|Print Preview|Print...|-|"
                               ">Administrator(";
    const std::string colour = ">Colour(Standard|High Contrast)";
    const std::string help2 = "Help: Introduction|Contents|-|Ombex Portal|-|Technical Support|About Quorvanti";
    const std::vector<std::string> expected[5] = {
        {},
        {file12 + admin, "View: Gauge|-|Digits|-|" + colour, "Logging: Start|Stop|Store",
         "Help: Introduction|-|About Quorvanti"},
        {file12 + admin, "Edit: Copy Graph|Copy Table|-|Title...",
         "View: Title|Gauge|-|Table|Digits|-|Notes|-|" + colour,
         "Graph: Font...|Annotate...|-|Auto Zoom|Default Zoom|-|Y Axis Scale (Left)...|-|Grid|Lines|Points|"
         "Bars|Heavy",
         "Data: Edit Details...", "Logging: Start|Stop|Store|-|Set up...", "Tools: Position|Reading", help2},
        {file34 + admin, "Edit: Copy Graph|Copy Table|-|Delete Last|Delete All|-|Title...",
         "View: Title|Gauge|-|Table|Digits|-|Time And Date|Toolbar|-|Notes|Information|-|" + colour,
         "Graph: Font...|Annotate...|-|Auto Zoom|Default Zoom|-|X Axis Scale...|Y Axis Scale (Left)...|"
         "Y Axis Scale (Right)...|-|Grid|Lines|Points|Bars|Heavy|-|Best Line Fit",
         "Data: Edit Details...|Smooth...|Tare to...|Unit Conversions...|Invert Values...|-|Add Channel...|"
         "Duplicate Channel...|Function Plot...|-|Delete Channel...",
         "Logging: Start|Stop|Mark|Store|-|Overlay|Control...|Set up...",
         "Tools: Position|Reading|Change|Difference|-|Options...", help2},
        {file34 + admin, "Edit: Copy Graph|Copy Table|-|Delete Last|Delete All|-|Title...",
         "View: Title|Gauge|-|Table|Digits|-|Time And Date|Toolbar|-|Notes|Information|-|" + colour,
         "Graph: Font...|Annotate...|-|Auto Zoom|Default Zoom|-|X Axis Scale...|Y Axis Scale (Left)...|"
         "Y Axis Scale (Right)...|-|Grid|Lines|Points|Bars|Heavy|-|Best Line Fit",
         "Data: Edit Details...|Smooth...|Tare to...|Unit Conversions...|Custom Scale...|Invert Values...|-|"
         "Add Channel...|Duplicate Channel...|Function Plot...|Calculate...|-|Delete Channel...",
         "Logging: Start|Stop|Mark|Store|-|Overlay|Control...|Set up...",
         "Tools: Position|Reading|Change|Difference|Gradient|Area|-|Options...", help2},
    };
    // The level command cycles 4, 1, 2, 3, 4 and rebuilds the bar each time.
    ASSERT_EQ(m_app->m_options.GetUserLevel(), 4);
    const int order[] = {4, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            Command(ID_USER_LEVEL);
        const int level = order[i];
        ASSERT_EQ(m_app->m_options.GetUserLevel(), level);
        const std::vector<std::string> menus = DescribeBar(m_frame->GetMenuBar());
        ASSERT_EQ(menus.size(), expected[level].size()) << "level " << level;
        for (size_t m = 0; m < menus.size(); ++m)
            EXPECT_EQ(menus[m], expected[level][m]) << "level " << level;
    }
    // Level 1 hides the tool bar at the next idle moment; level 4 brings it back.
    Command(ID_USER_LEVEL);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return !m_frame->m_toolBar->IsShown(); }));
    EXPECT_FALSE(Doc()->m_viewGauge);
    for (int i = 0; i < 3; ++i)
        Command(ID_USER_LEVEL);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_frame->m_toolBar->IsShown(); }));
    EXPECT_TRUE(Doc()->m_viewTable);

    // Without manager mode the Administrator submenu keeps only the clock.
    m_app->m_options.m_settings.ManagerMode = false;
    m_frame->CreateMenuBar();
    const std::string fileMenu = DescribeBar(m_frame->GetMenuBar())[0];
    EXPECT_NE(fileMenu.find(">Administrator(Set Logger's Clock)"), std::string::npos) << fileMenu;
}

TEST_F(Frame, KeyMapPostsOnlyWhatUpdateUIAllows)
{
    // The document answers each key's command; its own handlers come first.
    int stores = 0;
    int grids = 0;
    CgumDoc* doc = m_app->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->m_doc.m_state, DOC_STATE_READY);
    doc->Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++stores; }, ID_NOTES);
    doc->Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++grids; }, ID_GRAPH_GRID);

    // Notes is always enabled: the command is posted.
    int asked = 0;
    doc->Bind(wxEVT_UPDATE_UI, [&](wxUpdateUIEvent& e) { ++asked; e.Skip(); }, ID_NOTES);
    wxKeyEvent s = KeyDown('N');
    EXPECT_EQ(m_app->FilterEvent(s), 1);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return stores == 1; }));
    EXPECT_GT(asked, 0);

    // The grid needs data, which a ready document does not hold: nothing posted.
    wxKeyEvent g = KeyDown('G');
    EXPECT_EQ(m_app->FilterEvent(g), -1);

    // A text control with the focus keeps its keys.
    auto* text = new wxTextCtrl(m_content, wxID_ANY, "typing");
    // Other test programs on the same display may hold the focus for a moment.
    ASSERT_TRUE(qvtest::PumpUntil([&] {
        if (wxWindow::FindFocus() == text)
            return true;
        m_frame->Raise();
        text->SetFocus();
        return false;
    }));
    const int askedBefore = asked;
    EXPECT_EQ(m_app->FilterEvent(s), -1);
    EXPECT_EQ(asked, askedBefore);
    text->Destroy();
    m_frame->SetFocus();
    qvtest::Pump(100);

    // Gated keys are refused without asking anyone; Ctrl with a letter is not a key of the map.
    m_app->m_options.SetUserLevel(1);
    EXPECT_EQ(m_app->FilterEvent(g), -1);
    m_app->m_options.SetUserLevel(4);
    wxKeyEvent ctrlG = KeyDown('G', true);
    EXPECT_EQ(m_app->FilterEvent(ctrlG), -1);
    wxKeyEvent digit = KeyDown('5');
    EXPECT_EQ(m_app->FilterEvent(digit), -1);
    wxKeyEvent up(wxEVT_KEY_UP);
    up.m_keyCode = 'N';
    EXPECT_EQ(m_app->FilterEvent(up), -1);
    qvtest::Pump(50);
    EXPECT_EQ(stores, 1);
    EXPECT_EQ(grids, 0);

    // No document to answer: the frame disables the command and the key goes on.
    Command(wxID_CLOSE);
    ASSERT_EQ(m_app->GetCurrentDocument(), nullptr);
    EXPECT_EQ(m_app->FilterEvent(s), -1);
}

TEST_F(Frame, ControlShiftAltTOpensAdministratorsSettingsAtAnyLevel)
{
    m_app->m_options.SetUserLevel(1);
    m_app->m_options.m_settings.ManagerMode = false;
    m_frame->CreateMenuBar();
    std::vector<wxString> titles;
    for (int round = 0; round < 2; ++round) {
        DialogDriver<CgudOptions> driver([&](CgudOptions& dialog) {
            titles.push_back(dialog.GetTitle());
            EXPECT_TRUE(dialog.m_adminMode);
            EXPECT_EQ(dialog.m_okButton->GetLabel(), "Save");
            EXPECT_FALSE(dialog.m_saveButton->IsShown());
            EXPECT_TRUE(dialog.m_managerBox->IsShown());
            qvtest::SaveScreenshot(&dialog, "admin-settings");
            dialog.EndModal(wxID_CANCEL);
        });
        wxKeyEvent key = KeyDown('T', true, true, true);
        EXPECT_EQ(m_app->FilterEvent(key), 1);
        EXPECT_TRUE(qvtest::PumpUntil([&] { return driver.m_done; }));
        m_app->m_docManager->CloseDocuments(false); // and again without a document
        qvtest::Pump(100);
    }
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], "Administrator's Settings");
    wxKeyEvent other = KeyDown('X', true, true, true);
    EXPECT_EQ(m_app->FilterEvent(other), -1);
}

TEST_F(Frame, AdministratorsSettingsSavedForAllUsersAndApplied)
{
    DialogDriver<CgudOptions> driver([&](CgudOptions& dialog) {
        wxCommandEvent level(wxEVT_BUTTON, ID_OPTIONS_LEVEL); // 4 -> 1 -> 2
        dialog.GetEventHandler()->ProcessEvent(level);
        dialog.GetEventHandler()->ProcessEvent(level);
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        ok.SetEventObject(dialog.m_okButton);
        dialog.GetEventHandler()->ProcessEvent(ok);
    });
    Command(ID_ADMIN_SETTINGS);
    EXPECT_TRUE(driver.m_done);
    EXPECT_EQ(m_app->m_options.m_settings.UserLevel, 2);
    EXPECT_EQ(m_app->m_options.GetUserLevel(), 2);
    wxFileName settings;
    m_app->m_res.GetSettingsFile(settings);
    EXPECT_NE(qvtest::ReadFile(settings.GetFullPath().ToStdString()).find("UserLevel=2\n"), std::string::npos);
    ASSERT_EQ(m_boxes->m_calls.size(), 1u); // where it was saved
    // Applied: level 2 has no Export and no Options.
    EXPECT_EQ(m_frame->GetMenuBar()->FindItem(ID_EXPORT_CSV), nullptr);
    EXPECT_EQ(m_frame->GetMenuBar()->FindItem(ID_TOOL_OPTIONS), nullptr);
    EXPECT_FALSE(Enabled(ID_TOOL_OPTIONS));
}

TEST_F(Frame, OptionsDialogHidesAdministratorsChoices)
{
    m_app->m_options.m_settings.UserSave = false;
    CgudOptions dialog(m_frame, ID_OPTIONS_DIALOG, "Options");
    CappOptionsFile record = m_app->m_options.GetCurrentCopy();
    record.UserLevel = 2;
    record.ManagerMode = false; // what a user's file may say; never taken
    dialog.SetValues(record);
    dialog.TransferDataToWindow();
    std::vector<int> levels;
    wxCommandEvent level(wxEVT_BUTTON, ID_OPTIONS_LEVEL);
    for (int i = 0; i < 4; ++i) {
        dialog.GetEventHandler()->ProcessEvent(level);
        levels.push_back(dialog.m_userLevel);
    }
    EXPECT_EQ(levels, (std::vector<int>{3, 4, 1, 2}));
    wxCommandEvent port(wxEVT_CHOICE, ID_OPTIONS_PORT);
    dialog.GetEventHandler()->ProcessEvent(port);
    EXPECT_TRUE(dialog.m_serial);
    EXPECT_FALSE(dialog.m_automatic);
    CappOptionsFile back;
    dialog.GetValues(back);
    EXPECT_TRUE(back.ManagerMode);
    EXPECT_EQ(back.PortType, 2);

    // Options mode through its command: no manager boxes, no Save when not allowed.
    DialogDriver<CgudOptions> driver([&](CgudOptions& shown) {
        EXPECT_FALSE(shown.m_managerBox->IsShown());
        EXPECT_FALSE(shown.m_userSaveBox->IsShown());
        EXPECT_FALSE(shown.m_saveButton->IsShown());
        EXPECT_EQ(shown.GetTitle(), "Options");
        shown.EndModal(wxID_CANCEL);
    });
    Command(ID_TOOL_OPTIONS);
    EXPECT_TRUE(driver.m_done);
}

TEST_F(Frame, PrintPreviewAndPrintToPdf)
{
    // Ready: nothing to print.
    EXPECT_FALSE(Enabled(wxID_PRINT));
    EXPECT_FALSE(Enabled(wxID_PREVIEW));
    EXPECT_TRUE(Enabled(wxID_PAGE_SETUP));
    EXPECT_TRUE(Enabled(ID_PAGE_MARGINS));
    Doc()->SetState(DOC_STATE_STOPPED);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return Enabled(wxID_PRINT); }));
    EXPECT_TRUE(Enabled(wxID_PREVIEW));

    Command(wxID_PREVIEW);
    wxPreviewFrame* preview = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* found = dynamic_cast<wxPreviewFrame*>(window))
            preview = found;
    }
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetTitle(), "Print Preview");
    qvtest::Pump(300);
    EXPECT_FALSE(Screenshot(preview, "print-preview").empty());
    preview->Close(true);
    qvtest::Pump(100);

    CguvView* view = m_app->m_docManager->GetPrintableView();
    ASSERT_NE(view, nullptr);
    const std::string pdf = qvtest::MakeTempDir("print") + "/graph.pdf";
    std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
    ASSERT_TRUE(qvtest::PrintToPdf(*printout, pdf));
    const std::string bytes = qvtest::ReadFile(pdf);
    ASSERT_EQ(bytes.substr(0, 5), "%PDF-");
    int pages = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pages += bytes.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
    EXPECT_EQ(pages, 1);
}

TEST_F(Frame, PageMarginsDialogEditsMillimetres)
{
    DialogDriver<CgumPageMargins> driver([](CgumPageMargins& dialog) {
        EXPECT_EQ(dialog.m_left->GetValue(), 10);
        dialog.m_left->SetValue(15);
        dialog.m_bottom->SetValue(25);
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        dialog.GetEventHandler()->ProcessEvent(ok);
    });
    Command(ID_PAGE_MARGINS);
    ASSERT_TRUE(driver.m_done);
    const wxPageSetupDialogData& data = *m_app->m_docManager->m_pageSetupData;
    EXPECT_EQ(data.GetMarginTopLeft(), wxPoint(15, 10));
    EXPECT_EQ(data.GetMarginBottomRight(), wxPoint(10, 25));

    DialogDriver<CgumPageMargins> cancel([](CgumPageMargins& dialog) {
        dialog.m_left->SetValue(40);
        dialog.EndModal(wxID_CANCEL);
    });
    Command(ID_PAGE_MARGINS);
    EXPECT_EQ(m_app->m_docManager->m_pageSetupData->GetMarginTopLeft(), wxPoint(15, 10));
}

TEST_F(Frame, PushButtonAndToolBarSwitchWithoutDocument)
{
    m_app->m_docManager->CloseDocuments(false);
    qvtest::Pump(100);
    EXPECT_FALSE(Enabled(ID_START)); // document commands are inert
    EXPECT_TRUE(Enabled(ID_ADMIN_SETTINGS));
    Command(ID_EVT_BUTTON_PRESS);
    EXPECT_EQ(Doc(), nullptr);
    Command(ID_EVT_BUTTON_CLICK);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return Doc() != nullptr; }));

    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return !m_frame->m_toolBar->IsShown(); }));
    EXPECT_FALSE(m_app->m_options.m_showToolBar);
    // The content panel keeps exactly the client area.
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_content->GetSize() == m_frame->GetClientSize(); }));
    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_frame->m_toolBar->IsShown(); }));
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_content->GetSize() == m_frame->GetClientSize(); }));

    m_app->m_options.SetUserLevel(2); // no tool-bar switch at level 2
    Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(m_app->m_options.m_showToolBar);
    m_app->m_options.SetUserLevel(4);

    m_app->m_docManager->CloseDocuments(false);
    qvtest::Pump(100);
    Command(ID_EVT_BUTTON_LONG); // held with no document: quit
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_app->m_frame == nullptr; }));
}
