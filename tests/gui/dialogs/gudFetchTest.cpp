// The fetch dialog in the running program: the simulated logger's stored
// files listed, one chosen and fetched into the document as the Fetch
// command does; without a logger nothing can be chosen; a failed listing is
// shown as one.
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "dialogs/gudFetch.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/appTest.h"
#include "support/dialogDriver.h"
#include "support/guiSupport.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>
#include <wx/listctrl.h>
#include <wx/stattext.h>

using qvtest::DialogDriver;

namespace {

std::vector<wxString> Rows(CgudFetch& dialog)
{
    std::vector<wxString> rows;
    for (int row = 0; row < dialog.m_list->GetItemCount(); ++row)
        rows.push_back(dialog.m_list->GetItemText(row));
    return rows;
}

long SelectedRow(CgudFetch& dialog)
{
    return dialog.m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

bool OkEnabled(CgudFetch& dialog)
{
    dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
    return dialog.FindWindow(wxID_OK)->IsEnabled();
}

void Pick(CgudFetch& dialog, long row)
{
    dialog.m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

class FetchDialog : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        qvtest::CappTest::SetUp();
        ASSERT_TRUE(qvtest::PumpUntil([this] {
            CdocDoc* doc = m_app->GetCurrentDocDoc();
            return doc && doc->m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED;
        }));
    }

    void TearDown() override
    {
        qvtest::CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }
};

class FetchDialogNoLogger : public qvtest::CappTest
{
};

} // namespace

TEST_F(FetchDialog, ListsTheLoggersFilesAndFetchesTheChosenOne)
{
    DialogDriver<CgudFetch> driver([&](CgudFetch& dialog) {
        ASSERT_TRUE(qvtest::PumpUntil([&] { return dialog.m_list->GetItemCount() == 3; }));
        EXPECT_EQ(dialog.GetTitle(), "Fetch from Ombex");
        EXPECT_EQ(dialog.m_stateLabel->GetLabel(), "Connected logger is");
        EXPECT_TRUE(dialog.m_nameLabel->GetLabel().StartsWith("Simulated logger"));
        EXPECT_EQ(Rows(dialog), (std::vector<wxString>{"File A", "File B", "File D"}));
        // No stored-file details on this logger: the names alone.
        EXPECT_EQ(dialog.m_list->GetColumnCount(), 1);
        EXPECT_EQ(SelectedRow(dialog), 0); // the first one, chosen for the user
        EXPECT_TRUE(OkEnabled(dialog));
        Pick(dialog, 2);
        EXPECT_EQ(SelectedRow(dialog), 2);
        qvtest::Pump(300); // the refresh keeps the user's pick
        EXPECT_EQ(SelectedRow(dialog), 2);
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "fetch-dialog").empty());
        Press(dialog, wxID_OK);
    });
    // The Fetch command shows the dialog and downloads the file chosen in it.
    CgumDoc* doc = m_app->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    Command(ID_FETCH);
    ASSERT_TRUE(driver.m_done);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return doc->m_doc.m_state == DOC_STATE_STOPPED; }));
    qvtest::Pump(300);
    const CdocData& data = doc->m_doc.m_data;
    EXPECT_EQ(data.m_records, 9);
    EXPECT_EQ(data.m_logType, 3);
    EXPECT_EQ(doc->GetTitle(), "Simulated Data");
    EXPECT_TRUE(doc->m_doc.m_title.StartsWith("Readings fetched from the simulated logger."));
    EXPECT_TRUE(doc->IsModified()); // fetched readings are not saved yet
    EXPECT_TRUE(m_boxes->m_calls.empty());
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "fetch-frame").empty());
}

// A double click chooses the row as OK does.
TEST_F(FetchDialog, DoubleClickChooses)
{
    DialogDriver<CgudFetch> driver([&](CgudFetch& dialog) {
        ASSERT_TRUE(qvtest::PumpUntil([&] { return dialog.m_list->GetItemCount() == 3; }));
        Pick(dialog, 1);
        wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, ID_FETCH_LIST);
        activated.m_itemIndex = 1;
        activated.SetEventObject(dialog.m_list);
        dialog.GetEventHandler()->ProcessEvent(activated);
    });
    CgudFetch dialog(m_frame, ID_FETCH_DIALOG, _("Fetch from Ombex"));
    ASSERT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(dialog.GetChosenFile().m_name, "File B");
}

// A listing that failed says so instead of showing a logger without files.
TEST_F(FetchDialog, FailedListingIsShownAsAFailure)
{
    DialogDriver<CgudFetch> driver([&](CgudFetch& dialog) {
        ASSERT_TRUE(qvtest::PumpUntil([&] { return dialog.m_list->GetItemCount() == 3; }));
        CxutFetch& mailbox = m_app->m_boxes.m_box.m_fetch;
        mailbox.ClearFiles();
        mailbox.SetListResult(-2);
        ASSERT_TRUE(qvtest::PumpUntil([&] { return dialog.m_list->GetItemCount() == 0; }));
        EXPECT_EQ(dialog.m_stateLabel->GetLabel(), "The list of stored files could not be read");
        EXPECT_FALSE(OkEnabled(dialog));
        Press(dialog, wxID_OK); // nothing to choose: stays open
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "fetch-dialog-failed").empty());
        dialog.EndModal(wxID_CANCEL);
    });
    CgudFetch dialog(m_frame, ID_FETCH_DIALOG, _("Fetch from Ombex"));
    EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    ASSERT_TRUE(driver.m_done);
}

// Without a logger the dialog says so and nothing can be chosen.
TEST_F(FetchDialogNoLogger, NothingCanBeChosen)
{
    DialogDriver<CgudFetch> driver([&](CgudFetch& dialog) {
        qvtest::Pump(300);
        EXPECT_EQ(dialog.m_stateLabel->GetLabel(), "No logger connected");
        EXPECT_TRUE(Rows(dialog).empty());
        EXPECT_FALSE(OkEnabled(dialog));
        dialog.EndModal(wxID_CANCEL);
    });
    CgudFetch dialog(m_frame, ID_FETCH_DIALOG, _("Fetch from Ombex"));
    EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    ASSERT_TRUE(driver.m_done);
}

// While a file comes in, the graph fills across an axis that spans the whole
// file, so the part drawn shows how far the download has come. The test
// stands in for the logger threads and hands the file over piece by piece.
TEST_F(FetchDialogNoLogger, GraphShowsTheDownloadsProgress)
{
    CxhwBoxes& boxes = m_app->m_boxes;
    boxes.StopThreads();
    CgumDoc* doc = m_app->GetCurrentDocument();
    ASSERT_NE(doc, nullptr);
    CxutFetchFile file;
    file.SetNumber(0);
    ASSERT_TRUE(doc->m_doc.StartFetch(file));
    CxutFetchHeader header;
    header.SetNumber(0);
    header.SetDateTime(20240521, 93000);
    header.m_kind = 2;
    header.m_readings = 100;
    header.m_interval = 1.0;
    header.m_sensors[0].m_idCode = 69;
    header.m_sensors[0].m_idType = 7;
    header.m_sensors.AssignAll();
    boxes.m_box.m_fetch.SetHeader(header);
    auto rows = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const float row[6] = {float(50.0 + 30.0 * std::sin(i / 8.0)), -987654.0f, -987654.0f,
                                  -987654.0f, -987654.0f, -987654.0f};
            boxes.m_box.PutStoredData(row, 6);
        }
    };
    rows(0, 40);
    const CdocData& data = doc->m_doc.m_data;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return data.m_records == 40; }));
    qvtest::Pump(300);
    EXPECT_EQ(doc->m_doc.m_state, DOC_STATE_FETCHING);
    EXPECT_EQ(data.m_maxRecords, 100);
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "fetch-in-progress").empty());

    rows(40, 100);
    boxes.m_box.m_fetch.SetResult(0);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return doc->m_doc.m_state == DOC_STATE_STOPPED; }));
    EXPECT_EQ(data.m_records, 100);
    EXPECT_EQ(doc->m_doc.m_title, "No logger  -  May 21, 2024  09:30:00");
}

TEST(FetchKinds, NamedByTheStringTable)
{
    EXPECT_EQ(gudFetchKindText(7), "Unknown");
    EXPECT_EQ(gudFetchKindText(0), "Unknown");
}
