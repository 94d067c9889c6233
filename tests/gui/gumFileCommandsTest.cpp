#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "document/gumDoc.h"
#include "files/gumFileDialogs.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <wx/clipbrd.h>
#include <wx/filename.h>

namespace {

class FileCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<qvtest::CtestBoxes>();
        ASSERT_TRUE(qvtest::WaitForLoggerSearch(*m_app));
        m_dir = qvtest::MakeTempDir("exports");
        gumSetSaveFileHook([this](const wxString& message, const wxString& folder, const wxString& name) {
            m_asked.push_back(message + "|" + folder + "|" + name);
            if (m_choices.empty())
                return wxString();
            const wxString choice = m_choices.front();
            m_choices.pop_front();
            return choice;
        });
        CgumDoc* doc = m_app->GetCurrentDocument();
        ASSERT_NE(doc, nullptr);
        CdocData& data = doc->m_doc.m_data;
        data.RemoveAllFields(); // the logger search's channels
        ASSERT_TRUE(data.AddFields(2));
        const char* names[] = {"Height", "Speed"};
        for (int f = 0; f < 2; ++f) {
            data.m_fields.GetAt(f)->InitManual();
            data.m_fields.GetAt(f)->m_name = names[f];
            for (int i = 0; i < 3; ++i)
                data.m_fields.GetAt(f)->SetSample(i, float(i * (f + 1)));
        }
        data.SetRecords(3);
        doc->m_doc.SetState(DOC_STATE_STOPPED);
    }

    void TearDown() override
    {
        gumSetSaveFileHook(nullptr);
        if (CgumDoc* doc = m_app->GetCurrentDocument())
            doc->Modify(false);
        EXPECT_TRUE(qvtest::CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
    }

    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        m_app->m_frame->GetEventHandler()->ProcessEvent(event);
        qvtest::Pump(50);
    }

    std::unique_ptr<qvtest::CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
    std::string m_dir;
    std::deque<wxString> m_choices;
    std::vector<wxString> m_asked;
};

} // namespace

TEST_F(FileCommands, ExportsWriteTheirFormatWithTheExtension)
{
    struct Case
    {
        int command;
        const char* chosen;
        const char* written;
        const char* begins;
    };
    const Case cases[] = {
        {ID_EXPORT_EXCEL_CSV, "a", "a.csv", "\"Height\",\"Speed\"\n"},
        {ID_EXPORT_CSV, "b.CSV", "b.CSV", "\"Height\""},
        {ID_EXPORT_TSV, "c.b", "c.b.tsv", "\"Height\"\t\"Speed\"\n"},
        {ID_EXPORT_TXT, "d", "d.txt", "Height\tSpeed\n"},
        {ID_EXPORT_TEXT_ANALYSIS, "e", "e.txt", "Height (units)\tSpeed (units)\n"},
        {ID_EXPORT_SID, "f", "f.sid", "%%Identifier,SID\r\n"},
        {ID_EXPORT_TEMPLATE, "g", "g.qvt", "%%Identifier,QVT\r\n"},
    };
    for (const Case& c : cases) {
        m_choices.push_back(m_dir + "/" + c.chosen);
        Command(c.command);
        const std::string path = m_dir + "/" + c.written;
        ASSERT_TRUE(wxFileName::FileExists(path)) << path;
        EXPECT_EQ(qvtest::ReadFile(path).rfind(c.begins, 0), 0u) << path;
    }
    EXPECT_TRUE(m_asked[0].StartsWith("Export as Comma Separated Values|")) << m_asked[0];
    EXPECT_TRUE(m_asked[6].StartsWith("Export as Template|" + m_dir + "|")) << m_asked[6];
    EXPECT_EQ(m_app->m_docManager->GetLastDirectory(), m_dir);
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

// Declining to replace a file asks again in its folder with its name.
TEST_F(FileCommands, DecliningTheOverwriteAsksAgain)
{
    qvtest::WriteFile(m_dir + "/old.csv", "keep");
    m_choices = {m_dir + "/old.csv", m_dir + "/new.csv"};
    m_boxes->AnswerNo();
    Command(ID_EXPORT_CSV);
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_NE(m_boxes->m_calls[0].text.Find("'old.csv' already exists."), wxNOT_FOUND);
    ASSERT_EQ(m_asked.size(), 2u);
    EXPECT_EQ(m_asked[1], "Export as Comma Separated Values|" + m_dir + "|old.csv");
    EXPECT_EQ(qvtest::ReadFile(m_dir + "/old.csv"), "keep");
    EXPECT_TRUE(wxFileName::FileExists(m_dir + "/new.csv"));
}

TEST_F(FileCommands, AFailedExportIsReported)
{
    m_choices = {m_dir + "/missing/folder/x.csv"};
    Command(ID_EXPORT_CSV);
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_EQ(m_boxes->m_calls[0].text, "Sorry, could not save this file.");
}

TEST_F(FileCommands, CopyTablePutsTheTableOnTheClipboard)
{
    Command(ID_COPY_TABLE);
    wxString text;
    {
        wxClipboardLocker locker;
        ASSERT_FALSE(!locker);
        wxTextDataObject data;
        ASSERT_TRUE(wxTheClipboard->GetData(data));
        text = data.GetText();
    }
    EXPECT_TRUE(text.StartsWith("Height\tSpeed\nunits\tunits\n0.0\t0.0\n1.0\t2.0\n")) << text;
}
