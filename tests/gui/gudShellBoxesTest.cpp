// The information, about and technical-support boxes in the running program.
#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "dialogs/gudAbout.h"
#include "dialogs/gudInformation.h"
#include "dialogs/gudTechnicalSupport.h"
#include "document/gumDoc.h"
#include "support/dialogDriver.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using qvtest::DialogDriver;

namespace {

class ShellBoxes : public qvtest::CappTest
{
protected:
    void TearDown() override
    {
        gumSetBrowserLauncher(nullptr);
        qvtest::CappTest::TearDown();
    }

    static wxString Clipboard()
    {
        wxClipboardLocker locker;
        if (!locker)
            return "(closed)";
        wxTextDataObject data;
        if (!wxTheClipboard->GetData(data))
            return "(empty)";
        return data.GetText();
    }

};

} // namespace

TEST_F(ShellBoxes, InformationIsRefusedBelowItsLevel)
{
    m_app->m_options.SetUserLevel(2);
    DialogDriver<CgudInformation> driver([](CgudInformation& dialog) { dialog.EndModal(wxID_OK); });
    EXPECT_EQ(gudShowInformation(m_app->GetCurrentDocDoc()), wxID_CANCEL);
    qvtest::Pump(150);
    EXPECT_FALSE(driver.m_done);
}

TEST_F(ShellBoxes, InformationCopiesAddsToNotesAndRefreshes)
{
    CdocDoc* doc = m_app->GetCurrentDocDoc();
    ASSERT_NE(doc, nullptr);
    doc->m_title = "Cooling water";
    doc->m_notes = "Notes so far.";
    CgumDoc* document = m_app->GetCurrentDocument();
    document->Modify(false);

    wxString shown;
    DialogDriver<CgudInformation> driver([&](CgudInformation& dialog) {
        shown = dialog.m_textCtrl->GetValue();
        const wxString text = dialog.m_text;

        // A part selected: only that part; nothing selected: the whole text.
        dialog.m_textCtrl->SetSelection(1, 6);
        Press(dialog, wxID_COPY);
        EXPECT_EQ(Clipboard(), text.Mid(1, 5));
        dialog.m_textCtrl->SetSelection(0, 0);
        dialog.m_text = "one\r\ntwo\rthree\n";
        Press(dialog, wxID_COPY);
        EXPECT_EQ(Clipboard(), "one\ntwo\nthree\n");
        dialog.m_text = text;

        // Twice: the text twice, right after the notes; the document is modified.
        Press(dialog, ID_INFORMATION_ADD_TO_NOTES);
        Press(dialog, ID_INFORMATION_ADD_TO_NOTES);
        EXPECT_EQ(doc->m_notes, "Notes so far." + text + text);
        EXPECT_TRUE(document->IsModified());

        // Refresh shows the document as it is now.
        doc->m_title = "Cooling water, second try";
        Press(dialog, ID_INFORMATION_REFRESH);
        EXPECT_NE(dialog.m_textCtrl->GetValue().Find("second try"), wxNOT_FOUND);

        // Resizing widens the text but does not make it taller.
        const wxSize before = dialog.m_textCtrl->GetSize();
        dialog.SetSize(dialog.GetSize() + wxSize(120, 120));
        dialog.Layout();
        EXPECT_GT(dialog.m_textCtrl->GetSize().x, before.x);
        EXPECT_EQ(dialog.m_textCtrl->GetSize().y, before.y);
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "information").empty());
        Press(dialog, wxID_OK);
    });
    EXPECT_EQ(gudShowInformation(doc), wxID_OK);
    ASSERT_TRUE(driver.m_done);
    EXPECT_NE(shown.Find(" Title: Cooling water"), wxNOT_FOUND) << shown;
}

TEST_F(ShellBoxes, AboutShowsWithoutBlocking)
{
    Command(wxID_ABOUT);
    CgudAbout* about = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* found = dynamic_cast<CgudAbout*>(window))
            about = found;
    }
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->IsShown());
    EXPECT_FALSE(about->IsModal());
    EXPECT_EQ(about->GetTitle(), "About Quorvanti...");
    EXPECT_EQ(about->m_name->GetLabel(), "Quorvanti");
    EXPECT_EQ(about->m_version->GetLabel(), "Version 1.0.0 (1V001)");
    EXPECT_EQ(about->m_notice->GetLabel(), CgudAbout::GetNotice());
    EXPECT_EQ(about->m_bitmap->GetBitmap().GetSize(), wxSize(32, 32));
    EXPECT_TRUE(m_frame->GetIcon().IsOk());
    EXPECT_FALSE(qvtest::SaveScreenshot(about, "about").empty());
    // OK hides it; the frame is still usable.
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    ok.SetEventObject(about->m_ok);
    about->GetEventHandler()->ProcessEvent(ok);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return !about->IsShown(); }));
}

TEST_F(ShellBoxes, TechnicalSupportOpensTheMakersSite)
{
    std::vector<wxString> launched;
    gumSetBrowserLauncher([&](const wxString& address, int) {
        launched.push_back(address);
        return true;
    });
    DialogDriver<CgudTechnicalSupport> driver([&](CgudTechnicalSupport& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Technical Support");
        EXPECT_TRUE(dialog.m_makerButton->IsShown());
        EXPECT_EQ(dialog.m_makerButton->GetLabel(), gumGetMakerAddress());
        // No catalog names a supplier: no supplier button.
        EXPECT_FALSE(dialog.m_supplierButton->IsShown());
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "technical-support").empty());
        Press(dialog, ID_TECHNICAL_SUPPORT_MAKER);
    });
    Command(ID_TECHNICAL_SUPPORT);
    ASSERT_TRUE(driver.m_done);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0], gumGetMakerAddress());
}
