// The help book: every page the program asks for is in it, its links hold,
// Help Contents opens it, and each dialog's Help opens the dialog's own page.
#include "app/appOptions.h"
#include "app/gudOptions.h"
#include "app/barHelp.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "app/base/gumIds.h"
#include "dialogs/gudBLEScan.h"
#include "document/gumDoc.h"
#include "support/dialogDriver.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "views/guvBoxesPanel.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/filename.h>
#include <wx/fs_arc.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpdata.h>
#include <wx/html/helpdlg.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

using qvtest::DialogDriver;

namespace {

// The pages the program asks for by name.
const char* const kPages[] = {
    "Introduction.htm",  "Options.htm",     "AdministratorSettings.htm", "Clock.htm",
    "Stamp.htm",         "Fetch.htm",       "Function.htm",              "Annotate.htm",
    "Channel.htm",       "ChannelDetails.htm", "ChannelSmooth.htm",      "ChannelInvert.htm",
    "ChannelDuplicate.htm", "ChannelDelete.htm", "GraphAxis.htm",        "Tare.htm",
    "Control.htm",       "Calculate.htm",   "CustomScale.htm",           "UnitConversions.htm",
    "Smooth.htm",        "Match.htm",       "Setup.htm",                 "SetupMeasurement.htm",
    "SetupSensors.htm",  "SetupObject.htm", "SetupMass.htm",             "SetupReadings.htm",
    "SetupDuration.htm", "SetupReady.htm",
};

std::string BookPath()
{
    return std::string(QV_TEST_RESOURCES_DIR) + "/QuorvantiRes/Quorvanti Help.htb";
}

// The entries of the book and their texts.
std::map<std::string, std::string> ReadBook()
{
    std::map<std::string, std::string> entries;
    wxFFileInputStream file(BookPath());
    if (!file.IsOk())
        return entries;
    wxZipInputStream zip(file);
    while (wxZipEntry* entry = zip.GetNextEntry()) {
        std::ostringstream text;
        char buffer[4096];
        while (zip.Read(buffer, sizeof buffer).LastRead() > 0)
            text.write(buffer, std::streamsize(zip.LastRead()));
        entries[entry->GetName().ToStdString()] = text.str();
        delete entry;
    }
    return entries;
}

// Every "Name.htm" literal in the program's sources: the help pages it asks for.
std::set<std::string> PagesNamedInTheSources()
{
    std::set<std::string> pages;
    const std::regex literal("\"([A-Za-z]+\\.htm)\"");
    for (const auto& file : std::filesystem::recursive_directory_iterator(QV_SOURCE_DIR)) {
        const std::string extension = file.path().extension().string();
        if (extension != ".cpp" && extension != ".h")
            continue;
        std::ifstream in(file.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string body = text.str();
        for (auto it = std::sregex_iterator(body.begin(), body.end(), literal); it != std::sregex_iterator(); ++it)
            pages.insert((*it)[1]);
    }
    return pages;
}

std::string PageOf(wxHtmlWindow* window)
{
    const wxString opened = window ? window->GetOpenedPage() : wxString();
    return wxFileName(opened.AfterLast(':').AfterLast('/')).GetFullName().ToStdString();
}

} // namespace

TEST(HelpBook, HoldsEveryPageTheProgramAsksForAndItsLinksHold)
{
    const std::map<std::string, std::string> book = ReadBook();
    ASSERT_FALSE(book.empty()) << BookPath();
    EXPECT_EQ(book.count("Quorvanti Help.hhp"), 1u);
    EXPECT_EQ(book.count("contents.hhc"), 1u);
    EXPECT_EQ(book.count("index.hhk"), 1u);
    std::set<std::string> wanted(std::begin(kPages), std::end(kPages));
    const std::set<std::string> named = PagesNamedInTheSources();
    EXPECT_GT(named.count("Options.htm"), 0u); // the scan sees the sources
    wanted.insert(named.begin(), named.end());
    for (const std::string& page : wanted) {
        auto found = book.find(page);
        ASSERT_NE(found, book.end()) << page;
        // A page says what its window does: a title, a heading and some text.
        EXPECT_NE(found->second.find("<title>"), std::string::npos) << page;
        EXPECT_NE(found->second.find("<h1>"), std::string::npos) << page;
        EXPECT_GT(found->second.size(), 400u) << page;
    }
    // Every link of the book, of the contents and of the index leads to a page of it.
    const std::regex link("(?:href|value)=\"([A-Za-z]+\\.htm)(#[a-z]+)?\"");
    for (const auto& [name, text] : book) {
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it)
            EXPECT_EQ(book.count((*it)[1]), 1u) << name << " links to " << (*it)[1];
    }

    // The toolkit reads it as a book whose contents list every page.
    qvtest::CreateApp();
    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    wxHtmlHelpData data;
    ASSERT_TRUE(data.AddBook(BookPath()));
    std::set<std::string> contents;
    const wxHtmlHelpDataItems& items = data.GetContentsArray();
    for (size_t i = 0; i < items.size(); ++i)
        contents.insert(items[i].page.ToStdString());
    for (const char* page : kPages)
        EXPECT_EQ(contents.count(page), 1u) << page;
}

namespace {

class Help : public qvtest::CappTest
{
protected:
    // Presses Help in the dialog and returns the page its help window opened.
    template <class Dialog>
    static std::string HelpPageOf(Dialog& dialog)
    {
        std::string page;
        DialogDriver<wxHtmlHelpDialog> help([&](wxHtmlHelpDialog& window) {
            EXPECT_EQ(window.GetParent(), &dialog);
            page = PageOf(window.GetHelpWindow()->GetHtmlWindow());
            window.EndModal(wxID_OK);
        });
        Press(dialog, wxID_HELP);
        EXPECT_TRUE(help.m_done);
        return page;
    }

};

} // namespace

TEST_F(Help, ContentsOpensTheBookAndBelowItsLevelTheIntroduction)
{
    // The help bar's Help tool sends Help Contents.
    CbarHelp* bar = m_frame->m_content->m_boxesPanel->m_helpBar;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return bar->FindById(wxID_HELP) != nullptr; }));
    wxCommandEvent tool(wxEVT_TOOL, wxID_HELP);
    tool.SetEventObject(bar);
    bar->GetEventHandler()->ProcessEvent(tool);
    ASSERT_NE(m_app->m_help, nullptr);
    wxHtmlHelpFrame* frame = m_app->m_help->GetFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return frame->IsShown(); }));
    wxHtmlHelpWindow* window = m_app->m_help->GetHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_GE(window->GetData()->GetContentsArray().size(), sizeof kPages / sizeof kPages[0]);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return PageOf(window->GetHtmlWindow()) == "Introduction.htm"; }));
    // Shown as a page, not as its source.
    const wxString shown = window->GetHtmlWindow()->ToText();
    EXPECT_NE(shown.Find("Getting started"), wxNOT_FOUND);
    EXPECT_EQ(shown.Find("<h1>"), wxNOT_FOUND);

    // Level 1: the introduction over the main frame instead.
    m_app->m_options.SetUserLevel(1);
    std::string page;
    DialogDriver<wxHtmlHelpDialog> modal([&](wxHtmlHelpDialog& dialog) {
        EXPECT_EQ(dialog.GetParent(), m_frame);
        page = PageOf(dialog.GetHelpWindow()->GetHtmlWindow());
        dialog.EndModal(wxID_OK);
    });
    Command(wxID_HELP);
    EXPECT_TRUE(modal.m_done);
    EXPECT_EQ(page, "Introduction.htm");
    frame->Close(true);
}

// The help window opens over the middle of the main frame, not over its menu
// bar, large enough for its tool bar, and its bookmarks box shows whole.
TEST_F(Help, TheWindowOpensOverTheMainFrameWithItsBookmarksWhole)
{
    Command(wxID_HELP);
    wxHtmlHelpFrame* frame = m_app->m_help->GetFrame();
    ASSERT_NE(frame, nullptr);
    auto* bookmarks = wxDynamicCast(frame->FindWindow(wxID_HTML_BOOKMARKSLIST), wxComboBox);
    ASSERT_NE(bookmarks, nullptr);
    const int textWidth = bookmarks->GetTextExtent(bookmarks->GetString(0)).x;
    const wxRect main = m_frame->GetScreenRect();
    auto placed = [&] {
        const wxRect help = frame->GetScreenRect();
        const wxPoint offset = help.GetPosition() + help.GetSize() / 2 - main.GetPosition() - main.GetSize() / 2;
        return frame->IsShownOnScreen() && std::abs(offset.x) < 40 && std::abs(offset.y) < 40
               && help.width >= main.width / 2 && help.height >= main.height / 2;
    };
    EXPECT_TRUE(qvtest::PumpUntil(placed));
    EXPECT_TRUE(qvtest::PumpUntil(
        [&] { return bookmarks->GetSize().x >= bookmarks->GetSizeFromTextSize(textWidth).x; }));
    qvtest::SaveScreenshot(frame, "help-window");
    frame->Close(true);
}

TEST_F(Help, EachDialogsHelpOpensItsOwnPage)
{
    std::vector<std::string> pages;
    DialogDriver<CgudOptions> options([&](CgudOptions& dialog) {
        pages.push_back(HelpPageOf(dialog));
        Press(dialog, wxID_CANCEL);
    });
    Command(ID_TOOL_OPTIONS);
    ASSERT_TRUE(options.m_done);

    DialogDriver<CgudOptions> admin([&](CgudOptions& dialog) {
        pages.push_back(HelpPageOf(dialog));
        dialog.EndModal(wxID_CANCEL);
    });
    Command(ID_ADMIN_SETTINGS);
    ASSERT_TRUE(admin.m_done);

    for (bool adminMode : {false, true}) {
        DialogDriver<CgudBLEScan> scan([&](CgudBLEScan& dialog) {
            pages.push_back(HelpPageOf(dialog));
            dialog.EndModal(wxID_CANCEL);
        });
        wxString identifier, name;
        gudShowBLEScan(nullptr, identifier, name, adminMode);
        ASSERT_TRUE(scan.m_done);
    }

    DialogDriver<wxHtmlHelpDialog> intro([&](wxHtmlHelpDialog& dialog) {
        pages.push_back(PageOf(dialog.GetHelpWindow()->GetHtmlWindow()));
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "help-introduction").empty());
        dialog.EndModal(wxID_OK);
    });
    Command(ID_HELP_INTRO);
    ASSERT_TRUE(intro.m_done);
    EXPECT_EQ(pages, (std::vector<std::string>{"Options.htm", "AdministratorSettings.htm", "Options.htm",
                                               "AdministratorSettings.htm", "Introduction.htm"}));
}

TEST_F(Help, F1InADialogOpensItsOwnPage)
{
    // The key as it arrives at the dialog's window with the focus.
    auto typeF1 = [](wxWindow* focus) {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = WXK_F1;
        key.SetEventObject(focus);
        return focus->GetEventHandler()->ProcessEvent(key);
    };
    std::string page;
    DialogDriver<CgudOptions> options([&](CgudOptions& dialog) {
        DialogDriver<wxHtmlHelpDialog> help([&](wxHtmlHelpDialog& window) {
            EXPECT_EQ(window.GetParent(), &dialog);
            page = PageOf(window.GetHelpWindow()->GetHtmlWindow());
            EXPECT_FALSE(qvtest::SaveScreenshot(&window, "help-f1-options").empty());
            window.EndModal(wxID_OK);
        });
        typeF1(dialog.m_okButton);
        EXPECT_TRUE(qvtest::PumpUntil([&] { return help.m_done; }));
        Press(dialog, wxID_CANCEL);
    });
    Command(ID_TOOL_OPTIONS);
    ASSERT_TRUE(options.m_done);
    EXPECT_EQ(page, "Options.htm");

    // In the main window F1 is the Help menu's.
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_F1;
    key.SetEventObject(m_frame->m_content);
    EXPECT_EQ(m_app->FilterEvent(key), -1);
}
