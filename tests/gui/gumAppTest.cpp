#include "app/gumApp.h"
#include "app/base/gumCommands.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/gumDoc.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <wx/display.h>
#include <wx/stdpaths.h>

namespace {

// Starts the whole application in this process, as the program does.
class RunningApp : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        qvtest::HandlePending();
    }

    void CloseAndExit()
    {
        EXPECT_TRUE(qvtest::CloseMainFrame(*m_app));
        m_app->OnExit();
    }

    qvtest::CtestBoxes m_boxes;
    CgumApp* m_app = nullptr;
};

} // namespace

TEST_F(RunningApp, StartsMaximisedWithEmptyDocumentAndExitsCleanly)
{
    CgumFrame* frame = m_app->m_frame;
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    // The window manager tells when it has maximised the window.
    EXPECT_TRUE(qvtest::PumpUntil([frame] { return frame->IsMaximized(); }));
    EXPECT_EQ(m_app->GetTopWindow(), frame);
    EXPECT_EQ(m_app->GetAppName(), "Quorvanti");
    EXPECT_EQ(m_app->GetVendorName(), "Corvath");

    // Six templates, only the first visible.
    ASSERT_EQ(m_app->m_docManager->GetTemplates().GetCount(), 6u);
    int visible = 0;
    for (wxDocTemplate* t : m_app->m_templates)
        visible += t->IsVisible() ? 1 : 0;
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(m_app->m_templates[0]->IsVisible());
    EXPECT_EQ(m_app->m_templates[3]->GetDefaultExtension(), "qvt");

    ASSERT_NE(m_app->GetCurrentDocument(), nullptr);
    ASSERT_NE(m_app->GetCurrentDocDoc(), nullptr);
    EXPECT_EQ(m_app->GetCurrentDocDoc()->m_state, DOC_STATE_READY);
    EXPECT_EQ(m_app->m_docManager->GetMaxDocsOpen(), 1);
    EXPECT_EQ(m_app->m_docManager->m_dataDir, wxStandardPaths::Get().GetDocumentsDir());
    EXPECT_NE(m_app->m_docManager->GetPrintData(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(qvtest::TempHome() + "/.config/Quorvanti"));

    EXPECT_TRUE(m_app->m_boxes.ThreadsStarted());
    EXPECT_TRUE(m_app->m_boxes.HasThread());
    EXPECT_TRUE(m_app->m_boxes.m_box.HasThread());
    EXPECT_FALSE(qvtest::SaveScreenshot(frame, "startup").empty());
    EXPECT_TRUE(m_boxes.m_calls.empty());

    CloseAndExit();
    EXPECT_EQ(m_app->m_frame, nullptr);
    EXPECT_FALSE(m_app->m_boxes.HasThread());
    EXPECT_FALSE(m_app->m_boxes.m_box.HasThread());
    EXPECT_EQ(m_app->m_docManager, nullptr);
    EXPECT_TRUE(std::filesystem::exists(qvtest::TempHome() + "/.config/Quorvanti/Config.txt"));
}

TEST_F(RunningApp, CommandFromWorkerThreadArrivesOnceOnMainThread)
{
    // A command that only the frame receives (the document handles 6094 to
    // 6097 itself).
    constexpr int kProbeId = 6098;
    int calls = 0;
    bool onMain = false;
    m_app->m_frame->Bind(wxEVT_MENU, [&](wxCommandEvent& event) {
        ++calls;
        onMain = wxThread::IsMain();
    }, kProbeId);
    std::thread worker([] { gumPostCommand(kProbeId, 42); });
    worker.join();
    EXPECT_EQ(calls, 0); // queued, not run on the worker
    EXPECT_TRUE(qvtest::PumpUntil([&] { return calls == 1; }));
    EXPECT_TRUE(onMain);
    qvtest::PostCommandAndWait(kProbeId, 42);
    EXPECT_EQ(calls, 2);
    CloseAndExit();
    gumPostCommand(kProbeId, 42); // no frame: dropped
    EXPECT_EQ(calls, 2);
}

TEST_F(RunningApp, KeyFilterAndAppState)
{
    wxKeyEvent up(wxEVT_KEY_UP);
    EXPECT_EQ(m_app->FilterEvent(up), -1);
    CgumAppState state;
    EXPECT_EQ(state.m_state, 0);
    state.Save();
    EXPECT_EQ(state.m_state, DOC_STATE_READY);
    EXPECT_EQ(state.m_activity, 1);
    EXPECT_FALSE(state.Changed());
    m_app->GetCurrentDocDoc()->SetState(DOC_STATE_STOPPED);
    EXPECT_TRUE(state.Changed());
    EXPECT_FALSE(state.Changed());
    CloseAndExit();
    wxKeyEvent down(wxEVT_KEY_DOWN);
    EXPECT_EQ(m_app->FilterEvent(down), -1);
    state.Save();
    EXPECT_EQ(state.m_state, 1);
    EXPECT_EQ(state.m_activity, 0);
}

TEST(AppStart, FailedStartStopsLoggerThreads)
{
    CgumApp& app = qvtest::CreateApp();
    ASSERT_TRUE(app.m_boxes.StartThreads());
    app.EndFailedStart();
    EXPECT_FALSE(app.m_boxes.HasThread());
    EXPECT_FALSE(app.m_boxes.m_box.HasThread());
}

TEST(WindowHelpers, KeepOnDisplay)
{
    qvtest::CreateApp();
    wxRect area;
    gumGetDisplayArea(nullptr, area);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "wide");
    frame->SetSize(area.width + 300, 200);
    const wxPoint at(area.x + 50, area.y + 40);
    gumKeepOnDisplay(frame, &at, false);
    EXPECT_EQ(frame->GetPosition().x, area.x);
    EXPECT_EQ(frame->GetPosition().y, area.y + 40);
    frame->SetSize(area.width + 300, area.height + 300);
    gumKeepOnDisplay(frame, &at, true);
    EXPECT_LE(frame->GetSize().x, area.width);
    EXPECT_LE(frame->GetSize().y, area.height);
    frame->Destroy();
}

TEST(WindowHelpers, MinimumSizeByLinesCharsOrShareOfDisplay)
{
    qvtest::CreateApp();
    wxRect area;
    gumGetDisplayArea(nullptr, area);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "sizes");
    auto* control = new wxWindow(frame, wxID_ANY);
    control->SetMinSize(wxSize(7, 9));
    gumSetHeightInLines(control, 3, 50);
    EXPECT_EQ(control->GetMinSize(), wxSize(7, 3 * control->GetCharHeight()));
    gumSetHeightInLines(control, 100000, 10);
    EXPECT_EQ(control->GetMinSize().y, int(10 * 0.01 * area.height));
    gumSetWidthInChars(control, 4, 50);
    EXPECT_EQ(control->GetMinSize().x, 4 * control->GetCharWidth());
    gumSetWidthInChars(control, 100000, 33);
    EXPECT_EQ(control->GetMinSize().x, int(33 * 0.01 * area.width));
    frame->Destroy();
}

TEST(AppStart, UnknownLanguageIsReportedWithoutABox)
{
    ::setenv("LC_ALL", "qq_QQ.UTF-8", 1);
    ::setenv("LANG", "qq_QQ.UTF-8", 1);
    CgumApp& app = qvtest::CreateApp();
    qvtest::CtestBoxes boxes;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(app.OnInitLocale());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("This language is not supported by the system."), std::string::npos);
    qvtest::HandlePending();
    EXPECT_TRUE(boxes.m_calls.empty());
}
