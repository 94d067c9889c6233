// The document commands that run a dialog: what they put into it, what they
// take back on OK and what they leave alone otherwise.
#include "dialogs/gucListChannel.h"
#include "dialogs/gudChannel.h"
#include "dialogs/gudControl.h"
#include "dialogs/gudNotes.h"
#include "dialogs/gudTitle.h"
#include "gui/document/docCommandFixture.h"
#include "wizard/gudSetupWizard.h"

#include <vector>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class DocDialogs : public qvtest::DocCommandTest
{
protected:
    // The texts of the chooser's rows.
    static std::vector<wxString> Rows(const CgucListChannel& list)
    {
        std::vector<wxString> rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.push_back(list.GetItemText(i));
        return rows;
    }

    static wxString Title(const CdocDoc& doc, const CdocField* field)
    {
        return field->GetTitle(doc.m_data.m_fields.GetLetterNumber(field));
    }
};

TEST_F(DocDialogs, NotesReplaceOnOkOnly)
{
    for (int answer : {wxID_OK, wxID_CANCEL}) {
        SCOPED_TRACE(answer);
        Doc().m_notes = "old";
        m_gumDoc->Modify(false);
        wxString shown;
        DialogDriver<CgudNotes> driver([&](CgudNotes& dialog) {
            auto* text = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_NOTES_TEXT));
            shown = text->GetValue();
            text->SetValue("new notes");
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        m_gumDoc->EditNotes();
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(shown, "old");
        EXPECT_EQ(Doc().m_notes, answer == wxID_OK ? "new notes" : "old");
        EXPECT_EQ(m_gumDoc->IsModified(), answer == wxID_OK);
    }
}

TEST_F(DocDialogs, TitleOpensShowingAndOkShowsIt)
{
    Doc().m_title = "Falling ball";
    Doc().m_viewTitle = false;
    const bool optionsCopy = m_options.m_viewTitle;
    bool showSwitch = false;
    wxString shown;
    DialogDriver<CgudTitle> driver([&](CgudTitle& dialog) {
        showSwitch = static_cast<wxCheckBox*>(dialog.FindWindow(ID_TITLE_SHOW))->GetValue();
        auto* text = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_TITLE_TEXT));
        shown = text->GetValue();
        text->SetValue("Rolling ball");
        Press(dialog, wxID_OK);
    });
    m_gumDoc->EditTitle(false);
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(showSwitch);
    EXPECT_EQ(shown, "Falling ball");
    EXPECT_EQ(Doc().m_title, "Rolling ball");
    EXPECT_TRUE(Doc().m_viewTitle);
    EXPECT_EQ(m_options.m_viewTitle, optionsCopy);
    EXPECT_TRUE(m_gumDoc->IsModified());
}

TEST_F(DocDialogs, XAxisOffersTimeAndDateOnlyWithElapsedTime)
{
    // Without an elapsed-time channel there is no such row.
    Make("RMM");
    std::vector<wxString> rows;
    {
        DialogDriver<CgudChannel> driver([&](CgudChannel& dialog) {
            rows = Rows(*dialog.m_list);
            dialog.EndModal(wxID_CANCEL);
        });
        m_gumDoc->ChooseAxisX(false);
        ASSERT_TRUE(driver.m_done);
    }
    EXPECT_EQ(rows, (std::vector<wxString>{Title(Doc(), At(0)), Title(Doc(), At(1)), Title(Doc(), At(2))}));

    // With one, it comes last; choosing it asks for the time-and-date axis.
    Make("T");
    Doc().m_graph.SetFieldX(At(0));
    CdocField* elapsed = At(3);
    {
        DialogDriver<CgudChannel> driver([&](CgudChannel& dialog) {
            rows = Rows(*dialog.m_list);
            EXPECT_EQ(dialog.GetTitle(), "Graph X Axis");
            EXPECT_EQ(dialog.m_list->GetSelectedChannel(), At(0));
            dialog.m_list->SelectRow(dialog.m_list->GetItemCount() - 1);
            Press(dialog, wxID_OK);
        });
        m_gumDoc->ChooseAxisX(false);
        ASSERT_TRUE(driver.m_done);
    }
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.back(), "Time and Date");
    EXPECT_TRUE(Doc().m_graphTimeAndDate);
    EXPECT_EQ(Doc().m_graph.GetFieldX(), elapsed);

    // Open again, the Time and Date row is the current choice.
    DialogDriver<CgudChannel> again([&](CgudChannel& dialog) {
        EXPECT_EQ(dialog.m_list->GetFirstSelectedRow(), dialog.m_list->GetItemCount() - 1);
        dialog.EndModal(wxID_CANCEL);
    });
    m_gumDoc->ChooseAxisX(false);
    EXPECT_TRUE(again.m_done);
    EXPECT_TRUE(Doc().m_graphTimeAndDate);
}

TEST_F(DocDialogs, LeftAndRightAxesOfferNoTimeChannelsAndNoneRemovesThem)
{
    Make("RTMM");
    for (bool left : {true, false}) {
        SCOPED_TRACE(left ? "left" : "right");
        Doc().m_graph.SetAxes(At(1), At(2), At(3));
        std::vector<wxString> rows;
        DialogDriver<CgudChannel> driver([&](CgudChannel& dialog) {
            rows = Rows(*dialog.m_list);
            EXPECT_EQ(dialog.m_list->GetSelectedChannel(), left ? At(2) : At(3));
            dialog.m_list->SelectRow(dialog.m_list->GetItemCount() - 1);
            Press(dialog, wxID_OK);
        });
        if (left)
            m_gumDoc->ChooseAxisLeft(false);
        else
            m_gumDoc->ChooseAxisRight(false);
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(rows, (std::vector<wxString>{Title(Doc(), At(2)), Title(Doc(), At(3)), "None"}));
        EXPECT_EQ(Doc().m_graph.GetFieldL(), left ? nullptr : At(2));
        EXPECT_EQ(Doc().m_graph.GetFieldR(), left ? At(3) : nullptr);
    }
}

TEST_F(DocDialogs, AnnotateWithoutXAxisOnlyDropsOrphans)
{
    Make("MM");
    CdocAnnotations& notes = Doc().m_annotations;
    ASSERT_EQ(notes.Add(), 0);
    notes.m_slots[0].m_fieldX = KeyOf(At(0));
    notes.m_slots[0].m_fieldY = KeyOf(At(1));
    Doc().m_data.DeleteField(KeyOf(At(1)));
    Doc().m_graph.SetAxes(nullptr, At(0), nullptr);
    ASSERT_EQ(Doc().m_graph.GetFieldX(), nullptr);
    DialogDriver<wxDialog> driver([](wxDialog& dialog) { dialog.EndModal(wxID_CANCEL); });
    m_gumDoc->Annotate();
    qvtest::Pump(120);
    EXPECT_FALSE(driver.m_done);
    EXPECT_EQ(notes.m_count, 0);
}

TEST_F(DocDialogs, ControlOutputsWithNoneAvailableShowNothing)
{
    for (int i = 0; i < DOC_MAX_OUTPUT_RULES; ++i)
        ASSERT_FALSE(Doc().m_boxInfo.IsOutputAvailable(i));
    {
        DialogDriver<CgudControl> driver([](CgudControl& dialog) { dialog.EndModal(wxID_CANCEL); });
        m_gumDoc->EditControlOutputs(6);
        qvtest::Pump(120);
        EXPECT_FALSE(driver.m_done);
    }

    // An output named outright is shown all the same; OK takes the rules back.
    DialogDriver<CgudControl> named([](CgudControl& dialog) {
        EXPECT_EQ(dialog.m_output, 2);
        static_cast<wxCheckBox*>(dialog.FindWindow(ID_CONTROL_ENABLE))->SetValue(true);
        Press(dialog, wxID_OK);
    });
    m_gumDoc->EditControlOutputs(2);
    ASSERT_TRUE(named.m_done);
    EXPECT_TRUE(Doc().m_control.m_rules[2].m_enabled);
}

TEST_F(DocDialogs, SetupWizardStartsPastTheTypePageOnHeldDataAndCancelKeepsTheSetup)
{
    struct Case
    {
        int state;
        int logType;
        const char* page;
    };
    const Case cases[] = {
        {DOC_STATE_READY, SETUP_LOG_TIMING, "type"},
        {DOC_STATE_STOPPED, SETUP_LOG_PERIODIC, "duration"},
        {DOC_STATE_STOPPED, SETUP_LOG_PERIODIC_ADVANCED, "readings"},
        {DOC_STATE_STOPPED, SETUP_LOG_TIMING, "timing measurement"},
    };
    Make("TM");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        Doc().SetState(c.state);
        Doc().m_data.m_dataSource = DATA_SOURCE_LIVE;
        Doc().m_activity = ACTIVITY_PERIODIC;
        Doc().m_setup.m_setup = c.logType;
        Doc().m_setup.m_readings = 123;
        m_options.m_setup.m_readings = 77;
        wxString page;
        DialogDriver<CgudSetupWizard> driver([&](CgudSetupWizard& wizard) {
            const wxWizardPage* shown = wizard.GetCurrentPage();
            page = shown == wizard.m_pageType                ? "type"
                   : shown == wizard.m_pageDuration          ? "duration"
                   : shown == wizard.m_pageReadings          ? "readings"
                   : shown == wizard.m_pageTimingMeasurement ? "timing measurement"
                                                             : "other";
            wizard.m_setup.m_readings = 500;
            wizard.EndModal(wxID_CANCEL);
        });
        m_gumDoc->RunSetupWizard();
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(page, c.page);
        EXPECT_EQ(Doc().m_setup.m_readings, 123);
        EXPECT_EQ(m_options.m_setup.m_readings, 77);
        EXPECT_EQ(Doc().m_state, c.state);
    }
}

} // namespace
