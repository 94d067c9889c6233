// The annotation and notes dialogs: what their buttons allow and what the
// document keeps.
#include "dialogs/gudAnnotate.h"
#include "dialogs/gudNotes.h"
#include "gui/document/docCommandFixture.h"
#include "views/gucChannel.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class TextDialogs : public qvtest::DocCommandTest
{
protected:
    static bool Enabled(wxDialog& dialog, int id)
    {
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return dialog.FindWindow(id)->IsEnabled();
    }

    static wxString Clipboard()
    {
        wxTextDataObject data;
        if (!wxTheClipboard->Open())
            return "(closed)";
        wxTheClipboard->GetData(data);
        wxTheClipboard->Close();
        return data.GetText();
    }
};

TEST_F(TextDialogs, NotesClosedByTheCloseBoxOrEscapeKeepTheOldNotes)
{
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "escape" : "close box");
        Doc().m_notes = "old";
        m_gumDoc->Modify(false);
        DialogDriver<CgudNotes> driver([&](CgudNotes& dialog) {
            dialog.m_textCtrl->SetValue("new notes");
            if (escape) {
                wxKeyEvent key(wxEVT_CHAR_HOOK);
                key.m_keyCode = WXK_ESCAPE;
                key.SetEventObject(dialog.m_textCtrl);
                dialog.GetEventHandler()->ProcessEvent(key);
            } else {
                dialog.Close();
            }
        });
        m_gumDoc->EditNotes();
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(Doc().m_notes, "old");
        EXPECT_FALSE(m_gumDoc->IsModified());
    }
}

TEST_F(TextDialogs, NotesCopyTheSelectionOrTheWholeTextWithLineFeeds)
{
    Doc().m_notes = "first line\r\nsecond line";
    DialogDriver<CgudNotes> driver([&](CgudNotes& dialog) {
        Press(dialog, wxID_COPY);
        EXPECT_EQ(Clipboard(), "first line\nsecond line");
        dialog.m_textCtrl->SetSelection(0, 5);
        Press(dialog, wxID_COPY);
        EXPECT_EQ(Clipboard(), "first");
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "notes").empty());
        Press(dialog, wxID_OK);
    });
    m_gumDoc->EditNotes();
    ASSERT_TRUE(driver.m_done);
}

TEST_F(TextDialogs, AnnotationPlacesOnlyWithTextAndDeletesOnlyWhatExists)
{
    Make("TMM");
    Doc().m_graph.SetAxes(At(0), At(1), nullptr);
    CdocAnnotations& notes = Doc().m_annotations;
    // No annotation yet: nothing to delete, nothing to place without text.
    DialogDriver<CgudAnnotate> first([&](CgudAnnotate& dialog) {
        EXPECT_FALSE(Enabled(dialog, ID_ANNOTATE_DELETE_ALL));
        EXPECT_FALSE(Enabled(dialog, ID_ANNOTATE_DELETE_LAST));
        EXPECT_FALSE(Enabled(dialog, wxID_OK));
        dialog.m_textCtrl->SetValue("P");
        EXPECT_TRUE(Enabled(dialog, wxID_OK));
        dialog.m_textCtrl->SetValue("");
        EXPECT_FALSE(Enabled(dialog, wxID_OK));
        // The time channel is no place for an annotation.
        EXPECT_EQ(dialog.m_channelCtrl->GetCount(), 2u);
        EXPECT_EQ(dialog.m_channelCtrl->GetSelectedChannel(), At(1));
        dialog.m_channelCtrl->SetSelection(1);
        dialog.m_textCtrl->SetValue("Peak");
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "annotate").empty());
        Press(dialog, wxID_OK);
    });
    m_gumDoc->Annotate();
    ASSERT_TRUE(first.m_done);
    EXPECT_EQ(notes.m_pending.m_text, "Peak");
    EXPECT_EQ(notes.m_pending.m_fieldY.m_key, At(2)->m_key);
    EXPECT_EQ(notes.m_count, 0);
    // Placing is armed with the text and the chosen channel; one placed now.
    ASSERT_EQ(notes.Add(), 0);
    notes.m_slots[0].m_fieldX = KeyOf(At(0));
    notes.m_slots[0].m_fieldY = KeyOf(At(2));

    int result = 0;
    DialogDriver<CgudAnnotate> second([&](CgudAnnotate& dialog) {
        EXPECT_TRUE(Enabled(dialog, ID_ANNOTATE_DELETE_ALL));
        EXPECT_TRUE(Enabled(dialog, ID_ANNOTATE_DELETE_LAST));
        Press(dialog, ID_ANNOTATE_DELETE_LAST);
        result = dialog.GetReturnCode();
    });
    m_gumDoc->Annotate();
    ASSERT_TRUE(second.m_done);
    EXPECT_EQ(result, ID_ANNOTATE_DELETE_LAST);
    EXPECT_EQ(notes.m_count, 0);
}

} // namespace
