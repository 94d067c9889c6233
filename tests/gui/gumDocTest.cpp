#include "app/base/appReplaceFile.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/base/gumResCore.h"
#include "document/gumDoc.h"
#include "files/gumFileDialogs.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {

// Keeps what the framework logs, instead of a log window that waits for a click.
class RecordingLog : public wxLog
{
public:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override { m_texts.push_back(text); }
    std::vector<wxString> m_texts;
};

class AppDocument : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<qvtest::CtestBoxes>();
        // Before any event is handled the new document still waits for the
        // logger search; afterwards its answer has built the channels.
        CgumDoc* doc = Doc();
        m_waitingAtStart = doc && doc->m_doc.m_waitingForFind;
        ASSERT_TRUE(qvtest::WaitForLoggerSearch(*m_app));
        m_manager = m_app->m_docManager;
        m_dir = qvtest::MakeTempDir("saved");
        gumSetSaveFileHook([this](const wxString& message, const wxString& folder, const wxString& name) {
            m_asked.push_back(message + "|" + folder + "|" + name);
            return m_choice;
        });
    }

    void TearDown() override
    {
        gumSetSaveFileHook(nullptr);
        if (CgumDoc* doc = Doc())
            doc->Modify(false);
        EXPECT_TRUE(qvtest::CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
    }

    CgumDoc* Doc() { return m_app->GetCurrentDocument(); }

    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        m_app->m_frame->GetEventHandler()->ProcessEvent(event);
        qvtest::Pump(50);
    }

    // What a finished run leaves: n records in two channels, not yet saved.
    void FinishRun(CgumDoc* doc, int n)
    {
        CdocData& data = doc->m_doc.m_data;
        if (data.m_fields.GetCount() < 2 || data.m_fields.GetAt(0)->m_name != "Height") {
            data.RemoveAllFields(); // the logger search's channels
            ASSERT_TRUE(data.AddFields(2));
            data.m_fields.GetAt(0)->InitManual();
            data.m_fields.GetAt(0)->m_name = "Height";
            data.m_fields.GetAt(1)->InitManual();
            data.m_fields.GetAt(1)->m_name = "Speed";
        }
        for (int f = 0; f < 2; ++f)
            for (int i = 0; i < n; ++i)
                data.m_fields.GetAt(f)->SetSample(i, float(i * (f + 1)));
        data.SetRecords(n);
        data.m_logNext = n;
        doc->m_doc.SetState(DOC_STATE_STOPPED);
        doc->m_doc.m_unsavedData = true;
    }

    std::unique_ptr<qvtest::CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
    CgumDocManager* m_manager = nullptr;
    std::string m_dir;
    wxString m_choice;
    std::vector<wxString> m_asked;
    bool m_waitingAtStart = false;
};

} // namespace

TEST_F(AppDocument, NewSaveAsAndOpen)
{
    // New: ready, waiting for a logger, connecting, ticking.
    CgumDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_doc.m_state, DOC_STATE_READY);
    EXPECT_TRUE(m_waitingAtStart);
    EXPECT_TRUE(doc->IsTimerRunning());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->m_doc.m_owner, doc);

    // Save As through its command: the chooser starts in the data folder.
    m_manager->m_dataDir = m_dir;
    FinishRun(doc, 5);
    doc->m_doc.m_title = "Falling ball";
    EXPECT_TRUE(doc->IsModified());
    m_choice = m_dir + "/drop";
    Command(wxID_SAVEAS);
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_TRUE(m_asked[0].StartsWith("Save as|" + m_dir + "|")) << m_asked[0];
    const wxString path = m_dir + "/drop.qvd";
    ASSERT_TRUE(wxFileName::FileExists(path));
    EXPECT_EQ(doc->GetFilename(), path);
    EXPECT_EQ(doc->GetTitle(), "drop.qvd");
    EXPECT_TRUE(doc->GetDocumentSaved());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->m_doc.m_unsavedData);
    EXPECT_EQ(m_manager->GetLastDirectory(), m_dir);
    EXPECT_EQ(m_manager->m_dataDir, m_dir);
    EXPECT_EQ(m_manager->GetHistoryFilesCount(), 1u);

    // New again: nothing unsaved, so nothing is asked.
    Command(wxID_NEW);
    doc = Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_doc.m_data.m_records, 0);
    EXPECT_TRUE(doc->IsTimerRunning());

    // Open: the logger manager idles, the document is stopped and ticking.
    ASSERT_NE(m_manager->CreateDocument(path, wxDOC_SILENT), nullptr);
    doc = Doc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_TRUE(doc->IsTimerRunning());
    EXPECT_EQ(doc->m_doc.m_data.m_records, 5);
    EXPECT_EQ(doc->m_doc.m_data.m_fields.GetAt(1)->m_name, "Speed");
    EXPECT_EQ(doc->m_doc.m_data.m_fields.GetAt(1)->m_samples[4], 8.0f);
    EXPECT_EQ(doc->m_doc.m_title, "Falling ball");
    EXPECT_EQ(doc->m_doc.m_data.m_dataSource, DATA_SOURCE_FILE);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(m_app->m_boxes.GetState(), BOXES_STATE_IDLE);
    EXPECT_EQ(m_app->m_frame->GetTitle(), "drop.qvd - Quorvanti");
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "document-opened").empty());
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

// A logger found renews the frame's title from the document.
TEST_F(AppDocument, LoggerFoundRenewsTheFrameTitle)
{
    CgumDoc* doc = Doc();
    ASSERT_NE(doc, nullptr);
    m_app->m_frame->SetTitle("stale");
    doc->m_doc.m_waitingForFind = true;
    doc->m_doc.OnBoxUpdate(false);
    EXPECT_EQ(m_app->m_frame->GetTitle(), m_manager->MakeFrameTitle(doc));
}

TEST_F(AppDocument, ModifiedRule)
{
    CgumDoc* doc = Doc();
    doc->m_doc.m_unsavedData = true;
    EXPECT_TRUE(doc->IsModified()); // a stored reading alone modifies
    doc->Modify(true);
    doc->m_doc.m_unsavedData = false;
    EXPECT_TRUE(doc->IsModified());
    doc->m_doc.m_unsavedData = true;
    doc->Modify(false);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->m_doc.m_unsavedData);
    doc->m_doc.ModifyAndUpdateViews(HINT_TITLE, nullptr);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(AppDocument, DiscardPromptYesNoCancel)
{
    CgumDoc* doc = Doc();
    // Nothing stored: nothing to ask, also when forced.
    EXPECT_TRUE(doc->ConfirmDiscard(wxString(), true));
    FinishRun(doc, 3);
    doc->m_doc.m_unsavedData = false;
    EXPECT_TRUE(doc->ConfirmDiscard(wxString(), false)); // saved readings: not asked
    EXPECT_TRUE(m_boxes->m_calls.empty());

    doc->m_doc.m_unsavedData = true;
    m_boxes->AnswerCancel();
    EXPECT_FALSE(doc->ConfirmDiscard(wxString(), false));
    EXPECT_TRUE(doc->m_doc.m_unsavedData);
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_EQ(m_boxes->m_calls[0].kind, zxBOX_QUESTION_CANCEL);
    EXPECT_EQ(m_boxes->m_calls[0].caption, "Quorvanti");
    EXPECT_EQ(m_boxes->m_calls[0].text, gumGetString(900) + "\n" + gumGetString(901));

    m_boxes->AnswerNo();
    EXPECT_TRUE(doc->ConfirmDiscard("Start again?", false));
    EXPECT_EQ(m_boxes->m_calls.back().text, "Start again?\n" + gumGetString(901));
    EXPECT_FALSE(doc->m_doc.m_unsavedData);
    EXPECT_TRUE(doc->ConfirmDiscard(wxString(), false)); // the same readings: not asked again
    EXPECT_EQ(m_boxes->m_calls.size(), 2u);

    // Forced, answered Yes: saved through Save As.
    m_boxes->AnswerYes();
    m_choice = m_dir + "/kept.qvd";
    EXPECT_TRUE(doc->ConfirmDiscard(wxString(), true));
    EXPECT_TRUE(wxFileName::FileExists(m_choice));
    EXPECT_FALSE(doc->IsModified());

    // Delete All asks and, on Yes with a chooser cancelled, keeps everything.
    doc->m_doc.m_unsavedData = true;
    m_boxes->AnswerYes();
    m_choice.clear();
    EXPECT_EQ(doc->m_doc.DeleteAll(), DOC_RESULT_REFUSED);
    EXPECT_EQ(doc->m_doc.m_data.m_records, 3);
    EXPECT_TRUE(doc->m_doc.m_unsavedData);
}

// A save that fails keeps the old file whole, says so and stays modified.
// A save whose data could not be flushed to the disk is a failed save: the
// document stays modified and the old file whole.
TEST_F(AppDocument, AnUnflushedSaveLeavesTheDocumentModified)
{
    CgumDoc* doc = Doc();
    FinishRun(doc, 3);
    m_choice = m_dir + "/flush.qvd";
    ASSERT_TRUE(doc->SaveAs());
    const std::string before = qvtest::ReadFile(m_choice.ToStdString());

    FinishRun(doc, 5);
    appSetFlushHook([](int, bool folder) { return folder ? 0 : -1; });
    const bool ok = doc->Save();
    appSetFlushHook({});
    EXPECT_FALSE(ok);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(qvtest::ReadFile(m_choice.ToStdString()), before);
}

TEST_F(AppDocument, FailedSaveKeepsTheOldFileAndTheChanges)
{
    CgumDoc* doc = Doc();
    FinishRun(doc, 3);
    m_choice = m_dir + "/cooling.qvd";
    ASSERT_TRUE(doc->SaveAs());
    const std::string before = qvtest::ReadFile(m_choice.ToStdString());
    ASSERT_FALSE(before.empty());

    FinishRun(doc, 2000); // more than the size limit below allows
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = doc->Save();
    m_boxes->AnswerYes(); // Delete All's prompt
    m_boxes->AnswerYes(); // replace the file
    const int deleted = doc->m_doc.DeleteAll();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(ok);
    EXPECT_EQ(qvtest::ReadFile(m_choice.ToStdString()), before);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->m_doc.m_unsavedData);
    ASSERT_FALSE(m_boxes->m_calls.empty());
    EXPECT_EQ(m_boxes->m_calls[0].kind, zxBOX_ERROR);
    EXPECT_NE(m_boxes->m_calls[0].text.Find("could not save"), wxNOT_FOUND);
    // Delete All's Yes led to a save that failed too: the readings stay.
    EXPECT_EQ(deleted, DOC_RESULT_REFUSED);
    EXPECT_EQ(doc->m_doc.m_data.m_records, 2000);
    EXPECT_EQ(m_boxes->m_calls.back().kind, zxBOX_ERROR);
    wxArrayString files;
    wxDir::GetAllFiles(m_dir, &files);
    EXPECT_EQ(files.size(), 1u); // no temporary file left behind
}

// A title with a character that has no UTF-8 form cannot be saved: the save
// fails as any other, rather than leaving the title line out of the file.
TEST_F(AppDocument, ASaveThatCannotWriteALineFails)
{
    CgumDoc* doc = Doc();
    FinishRun(doc, 3);
    m_choice = m_dir + "/cooling.qvd";
    ASSERT_TRUE(doc->SaveAs());
    const std::string before = qvtest::ReadFile(m_choice.ToStdString());
    ASSERT_FALSE(before.empty());

    const wchar_t title[] = {L'T', wchar_t(0xDC00), 0};
    doc->m_doc.m_title = title;
    doc->m_doc.m_unsavedData = true;
    EXPECT_FALSE(doc->Save());
    EXPECT_EQ(qvtest::ReadFile(m_choice.ToStdString()), before);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_EQ(m_boxes->m_calls[0].kind, zxBOX_ERROR);
    EXPECT_NE(m_boxes->m_calls[0].text.Find("could not save"), wxNOT_FOUND);
}

TEST_F(AppDocument, ClosingWithUnsavedReadingsAsksFirst)
{
    CgumDoc* doc = Doc();
    FinishRun(doc, 4);
    m_boxes->AnswerCancel();
    Command(wxID_NEW);
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_EQ(m_boxes->m_calls[0].kind, zxBOX_QUESTION_CANCEL);
    EXPECT_EQ(Doc(), doc); // kept, with its readings
    EXPECT_EQ(doc->m_doc.m_data.m_records, 4);
    EXPECT_TRUE(doc->IsTimerRunning());

    m_boxes->AnswerCancel();
    m_app->m_frame->Close(false); // the window asks the same, and stays
    qvtest::Pump(50);
    ASSERT_NE(m_app->m_frame, nullptr);
    EXPECT_EQ(m_boxes->m_calls.size(), 2u);

    m_boxes->AnswerNo();
    Command(wxID_NEW);
    EXPECT_EQ(m_boxes->m_calls.size(), 3u);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->m_doc.m_data.m_records, 0);
    EXPECT_EQ(Doc()->m_doc.m_state, DOC_STATE_READY);
}

TEST_F(AppDocument, FailedReadLeavesNoDocument)
{
    const std::string path = m_dir + "/broken.qvd";
    qvtest::WriteFile(path, "not a data file\n");
    auto* log = new RecordingLog;
    wxLog* old = wxLog::SetActiveTarget(log);
    wxDocument* opened = m_manager->CreateDocument(path, wxDOC_SILENT);
    wxLog::SetActiveTarget(old);
    EXPECT_EQ(opened, nullptr);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(m_app->m_boxes.GetState(), BOXES_STATE_IDLE);
    EXPECT_FALSE(log->m_texts.empty()); // the framework reports it
    delete log;
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

// The remembered folder follows Save As into another folder only; a
// document saved before starts the chooser in its own folder.
TEST_F(AppDocument, SaveAsRemembersTheFolder)
{
    CgumDoc* doc = Doc();
    FinishRun(doc, 2);
    const std::string other = qvtest::MakeTempDir("other");
    m_choice = m_dir + "/a.qvd";
    ASSERT_TRUE(doc->SaveAs());
    EXPECT_EQ(m_manager->GetLastDirectory(), m_dir);

    m_manager->SetLastDirectory(other);
    m_choice = m_dir + "/b.qvd";
    ASSERT_TRUE(doc->SaveAs());
    EXPECT_TRUE(m_asked.back().StartsWith("Save as|" + m_dir + "|a.qvd")) << m_asked.back();
    EXPECT_EQ(m_manager->GetLastDirectory(), other); // same folder: unchanged

    m_choice = other + "/c.qvd";
    ASSERT_TRUE(doc->SaveAs());
    EXPECT_EQ(m_manager->GetLastDirectory(), other);
    EXPECT_EQ(doc->GetTitle(), "c.qvd");

    // After a fetch the document is named, in its folder, with the own extension.
    doc->SetDocumentFilename("Fetched 3");
    EXPECT_EQ(doc->GetFilename(), other + "/Fetched 3.qvd");
    EXPECT_EQ(doc->GetTitle(), "Fetched 3");
}
