// The nine exports through the export chooser, and the graph and the table on
// the clipboard.
#include "app/base/gumIds.h"
#include "files/docFile.h"
#include "files/gumFileDialogs.h"
#include "gui/document/docCommandsTest.h"
#include "support/guiSupport.h"
#include "support/testEnvironment.h"

#include <deque>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/filename.h>
#include <wx/image.h>

namespace {

class DocExport : public qvtest::CdocCommandsTest
{
protected:
    DocExport()
    {
        // The toolkit offers clipboard pictures as PNG, as the program's start-up provides.
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        m_dir = qvtest::MakeTempDir("exports");
        gumSetSaveFileHook([this](const wxString& message, const wxString&, const wxString&) {
            m_asked.push_back(message);
            if (m_choices.empty())
                return wxString();
            const wxString choice = m_choices.front();
            m_choices.pop_front();
            return choice;
        });
        Add('T').m_name = "Time";
        Add('M').m_name = "Height";
        Records(3);
        Doc().SetState(DOC_STATE_STOPPED);
        m_doc->Modify(true);
    }

    ~DocExport() override { gumSetSaveFileHook(nullptr); }

    std::string m_dir;
    std::deque<wxString> m_choices;
    std::vector<wxString> m_asked;
};

} // namespace

TEST_F(DocExport, EachExportWritesItsFormat)
{
    const struct
    {
        int id;
        const char* written;
        const char* begins;
    } cases[] = {
        {ID_EXPORT_SID_ANALYSIS, "a.sid", "%%Identifier,SID\r\n"},
        {ID_EXPORT_TEXT_ANALYSIS, "b.txt", "Time (s)\tHeight (units)\n"},
        {ID_EXPORT_EXCEL_CSV, "c.csv", "\"Time\",\"Height\"\n"},
        {ID_EXPORT_CALC_CSV, "d.csv", "\"Time\",\"Height\"\n"},
        {ID_EXPORT_SID, "e.sid", "%%Identifier,SID\r\n"},
        {ID_EXPORT_CSV, "f.csv", "\"Time\",\"Height\"\n"},
        {ID_EXPORT_TSV, "g.tsv", "\"Time\"\t\"Height\"\n"},
        {ID_EXPORT_TXT, "h.txt", "Time\tHeight\n"},
        {ID_EXPORT_TEMPLATE, "i.qvt", "%%Identifier,QVT\r\n"},
    };
    for (const auto& c : cases) {
        const std::string path = m_dir + "/" + c.written;
        m_choices.push_back(wxFileName(path).GetPathWithSep() + wxFileName(path).GetName());
        Command(c.id);
        ASSERT_TRUE(wxFileName::FileExists(path)) << path;
        EXPECT_EQ(qvtest::ReadFile(path).rfind(c.begins, 0), 0u) << path << "\n" << qvtest::ReadFile(path);
    }
    EXPECT_EQ(m_asked.size(), 9u);
    EXPECT_TRUE(m_boxes.m_calls.empty());
    // An export is not a save.
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(m_doc->GetFilename().empty());
}

TEST_F(DocExport, CancellingTheChooserWritesNothing)
{
    EXPECT_FALSE(m_doc->ExportFile(DOC_FORMAT_CSV));
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

// Exports need feature 20: below it the chooser is not even shown.
TEST_F(DocExport, ExportsFollowTheUserLevel)
{
    m_options.SetUserLevel(2);
    m_choices.push_back(m_dir + "/x.csv");
    EXPECT_FALSE(m_doc->ExportFile(DOC_FORMAT_CSV));
    EXPECT_TRUE(m_asked.empty());
    EXPECT_FALSE(wxFileName::FileExists(m_dir + "/x.csv"));
}

// A folder where nothing may be written: a read-only folder, or for the
// superuser, whom permissions do not stop, the process file system.
TEST_F(DocExport, AnUnwritableTargetIsReported)
{
    std::string folder = m_dir + "/locked";
    ASSERT_EQ(::mkdir(folder.c_str(), 0555), 0);
    if (::geteuid() == 0)
        folder = "/proc";
    m_choices.push_back(folder + "/data.csv");
    EXPECT_FALSE(m_doc->ExportFile(DOC_FORMAT_CSV));
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "Sorry, could not save this file.");
    EXPECT_EQ(m_boxes.m_calls[0].caption, wxTheApp->GetAppName());
    EXPECT_EQ(m_boxes.m_calls[0].kind, zxBOX_ERROR);
    EXPECT_FALSE(wxFileName::FileExists(folder + "/data.csv"));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(m_doc->GetFilename().empty());
}

TEST_F(DocExport, CopyGraphPutsAThousandPixelSquareOnTheClipboard)
{
    // Also without records: the empty graph is copied.
    for (int records : {3, 0}) {
        Records(records);
        {
            wxClipboardLocker locker;
            ASSERT_FALSE(!locker);
            wxTheClipboard->SetData(new wxTextDataObject("before"));
        }
        Command(ID_COPY_GRAPH);
        wxClipboardLocker locker;
        ASSERT_FALSE(!locker);
        EXPECT_TRUE(wxTheClipboard->IsSupported(wxDF_BITMAP));
        EXPECT_FALSE(wxTheClipboard->IsSupported(wxDF_UNICODETEXT));
        wxBitmapDataObject data;
        ASSERT_TRUE(wxTheClipboard->GetData(data));
        EXPECT_EQ(data.GetBitmap().GetSize(), wxSize(1000, 1000));
        // The graph's frame and axes are drawn on the white picture.
        const wxImage image = data.GetBitmap().ConvertToImage();
        int drawn = 0;
        for (int y = 0; y < image.GetHeight(); y += 5)
            for (int x = 0; x < image.GetWidth(); ++x)
                drawn += image.GetRed(x, y) != 255 || image.GetGreen(x, y) != 255 || image.GetBlue(x, y) != 255;
        EXPECT_GT(drawn, 1000) << records;
    }
}

TEST_F(DocExport, CopyTablePutsTheTableOnTheClipboard)
{
    Command(ID_COPY_TABLE);
    wxClipboardLocker locker;
    ASSERT_FALSE(!locker);
    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    EXPECT_TRUE(data.GetText().StartsWith("Time\tHeight\n")) << data.GetText();
}

// Below their features the copies leave the clipboard alone.
TEST_F(DocExport, CopiesFollowTheUserLevel)
{
    m_options.SetUserLevel(1);
    {
        wxClipboardLocker locker;
        ASSERT_FALSE(!locker);
        wxTheClipboard->SetData(new wxTextDataObject("kept"));
    }
    Command(ID_COPY_GRAPH);
    Command(ID_COPY_TABLE);
    wxClipboardLocker locker;
    ASSERT_FALSE(!locker);
    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    EXPECT_EQ(data.GetText(), "kept");
}
