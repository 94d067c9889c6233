#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "document/gumDoc.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/filename.h>

namespace {

class DocManager : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<qvtest::CtestBoxes>();
        ASSERT_TRUE(qvtest::WaitForLoggerSearch(*m_app));
        m_manager = m_app->m_docManager;
        m_dir = qvtest::MakeTempDir("files");
        gumSetFileChooser([this](const wxString& title) {
            m_titles.push_back(title);
            return m_choice;
        });
        gumSetBrowserLauncher([this](const wxString& address, int) {
            m_launched.push_back(address);
            return true;
        });
    }

    void TearDown() override
    {
        gumSetFileChooser(nullptr);
        gumSetBrowserLauncher(nullptr);
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

    std::string File(const std::string& name)
    {
        const std::string path = m_dir + "/" + name;
        // The least file the reader takes: an identifier and an empty store.
        qvtest::WriteFile(path, "%%Identifier,QVD\r\n%%DataSize,0,0\r\n");
        return path;
    }

    void ExpectOwnTemplatesOnly()
    {
        for (size_t i = 0; i < m_app->m_templates.size(); ++i)
            EXPECT_EQ(m_app->m_templates[i]->IsVisible(), i == 0) << i;
    }

    std::unique_ptr<qvtest::CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
    CgumDocManager* m_manager = nullptr;
    std::string m_dir;
    wxString m_choice;
    std::vector<wxString> m_titles;
    std::vector<wxString> m_launched;
};

} // namespace

TEST_F(DocManager, ImportBecomesANeverSavedOwnDataFile)
{
    const std::string path = File("pendulum.obd");
    ASSERT_TRUE(m_manager->OpenAsImport(path, wxDOC_SILENT));
    wxDocument* doc = m_manager->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetFilename(), m_dir + "/pendulum.qvd");
    EXPECT_EQ(doc->GetTitle(), "pendulum.qvd");
    EXPECT_FALSE(doc->GetDocumentSaved());
    EXPECT_EQ(doc->GetDocumentTemplate(), m_app->m_templates[0]);
    EXPECT_EQ(m_manager->GetHistoryFilesCount(), 0u);
    ExpectOwnTemplatesOnly();
    EXPECT_EQ(m_app->m_frame->GetTitle(), "pendulum.qvd - Quorvanti");
}

TEST_F(DocManager, WorksheetsOpenByExtension)
{
    // The own data extension in capitals opens as data under the bare name.
    m_choice = File("LESSON.QVD");
    Command(ID_OPEN_WORKSHEET);
    ASSERT_EQ(m_titles.size(), 1u);
    EXPECT_EQ(m_titles[0], "Select a worksheet");
    wxDocument* doc = m_manager->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetFilename(), "LESSON.QVD");
    EXPECT_FALSE(doc->GetDocumentSaved());
    EXPECT_EQ(m_manager->GetHistoryFilesCount(), 0u);
    EXPECT_EQ(m_manager->m_worksheetDir, m_dir);

    // Another kind opens in the system's viewer, and its template beside it.
    m_choice = File("forces.pdf");
    File("forces.qvt");
    Command(ID_OPEN_WORKSHEET);
    ASSERT_EQ(m_launched.size(), 1u);
    EXPECT_EQ(m_launched[0], m_choice);
    doc = m_manager->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetFilename(), m_dir + "/forces.qvd");
    ExpectOwnTemplatesOnly();

    // A template worksheet does nothing where templates are not allowed.
    m_app->m_options.SetUserLevel(2);
    m_choice = File("level.qvt");
    Command(ID_OPEN_WORKSHEET);
    EXPECT_EQ(m_manager->GetCurrentDocument()->GetFilename(), m_dir + "/forces.qvd");
    Command(ID_OPEN_TEMPLATE);
    EXPECT_EQ(m_titles.size(), 3u); // the template chooser was not shown

    // A chosen file that does not exist is reported.
    m_app->m_options.SetUserLevel(4);
    m_choice = m_dir + "/missing.qvt";
    Command(ID_OPEN_TEMPLATE);
    EXPECT_EQ(m_titles.back(), "Select a template");
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_EQ(m_boxes->m_calls[0].text, "Sorry, could not open this file.");
}

TEST_F(DocManager, DataFolderAndSaveRules)
{
    const wxString home = m_manager->m_dataDir;
    m_manager->SetDataDirectory(m_dir + "/gone");
    EXPECT_EQ(m_manager->m_dataDir, home); // an existing folder stays
    m_manager->SetDataDirectory(m_dir);
    EXPECT_EQ(m_manager->m_dataDir, m_dir);

    auto enabled = [this](int id) {
        wxUpdateUIEvent event(id);
        m_app->m_frame->GetEventHandler()->ProcessEvent(event);
        return event.GetEnabled();
    };
    CgumDoc* doc = m_app->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    doc->Modify(true);
    EXPECT_FALSE(enabled(wxID_SAVE)); // ready: nothing to save
    EXPECT_FALSE(enabled(wxID_SAVEAS));
    doc->m_doc.SetState(DOC_STATE_STOPPED);
    EXPECT_TRUE(enabled(wxID_SAVE));
    EXPECT_TRUE(enabled(wxID_SAVEAS));
    doc->Modify(false);
    EXPECT_FALSE(enabled(wxID_SAVE));
    EXPECT_TRUE(enabled(wxID_SAVEAS));
}
