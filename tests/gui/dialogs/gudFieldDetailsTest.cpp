// The channel details dialog: what OK writes into the channel, what Cancel
// leaves, the question when another channel is picked, and the swatch.
#include "dialogs/gudFieldDetails.h"
#include "gui/document/docCommandFixture.h"
#include "views/gucChannel.h"

#include <wx/bmpbuttn.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class FieldDetails : public qvtest::DocCommandTest
{
protected:
    static void Type(CgudFieldDetails& dialog, int id, const wxString& text)
    {
        static_cast<wxTextCtrl*>(dialog.FindWindow(id))->SetValue(text);
    }

    static void Choose(CgudFieldDetails& dialog, CdocField* field)
    {
        ASSERT_GE(dialog.m_channelCtrl->SelectChannel(field), 0);
        wxCommandEvent chosen(wxEVT_COMBOBOX, ID_FIELD_DETAILS_CHANNEL);
        chosen.SetEventObject(dialog.m_channelCtrl);
        dialog.GetEventHandler()->ProcessEvent(chosen);
    }
};

TEST_F(FieldDetails, OkWritesEveryDetailAndCancelNone)
{
    Make("TM");
    CdocField* m = At(1);
    m->m_def = CxhwMinMax(100.0f, 0.0f);
    for (int answer : {wxID_CANCEL, wxID_OK}) {
        SCOPED_TRACE(answer);
        wxString shownName;
        wxString shownMax;
        bool valueEnabled = false;
        wxString title;
        DialogDriver<CgudFieldDetails> driver([&](CgudFieldDetails& dialog) {
            shownName = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_FIELD_DETAILS_NAME))->GetValue();
            shownMax = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_FIELD_DETAILS_MAX))->GetValue();
            valueEnabled = dialog.FindWindow(ID_FIELD_DETAILS_VALUE)->IsEnabled();
            title = dialog.GetTitle();
            Type(dialog, ID_FIELD_DETAILS_NAME, "Height");
            Type(dialog, ID_FIELD_DETAILS_UNITS, "m");
            Type(dialog, ID_FIELD_DETAILS_DESCRIPTION, "Height of the ball");
            Type(dialog, ID_FIELD_DETAILS_VALUE, "2.5");
            // A maximum below the minimum is swapped.
            Type(dialog, ID_FIELD_DETAILS_MIN, "5");
            Type(dialog, ID_FIELD_DETAILS_MAX, "1");
            static_cast<wxRadioBox*>(dialog.FindWindow(ID_FIELD_DETAILS_PLACES))->SetSelection(3);
            qvtest::SaveScreenshot(&dialog, "channel-details-manual");
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        CdocFieldKey key = KeyOf(m);
        EXPECT_EQ(gudEditChannelDetails(&Doc(), key, true, DETAILS_MODE_PLAIN), answer == wxID_OK);
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(shownName, "Manual2");
        EXPECT_EQ(shownMax, "100");
        EXPECT_TRUE(valueEnabled);
        EXPECT_EQ(title, gumGetString(330));
        if (answer == wxID_CANCEL) {
            EXPECT_EQ(m->m_name, "Manual2");
            EXPECT_EQ(m->m_unit, "cm");
            EXPECT_EQ(m->m_def.m_max, 100.0f);
            EXPECT_FALSE(m_gumDoc->IsModified());
        } else {
            EXPECT_EQ(m->m_name, "Height");
            EXPECT_EQ(m->m_unit, "m");
            EXPECT_EQ(m->m_descript, "Height of the ball");
            EXPECT_EQ(m->m_manualS, "2.5");
            EXPECT_FLOAT_EQ(m->m_manual, 2.5f);
            EXPECT_EQ(m->m_places, 3);
            EXPECT_FLOAT_EQ(m->m_def.m_min, 1.0f);
            EXPECT_FLOAT_EQ(m->m_def.m_max, 5.0f);
            EXPECT_TRUE(m_gumDoc->IsModified());
        }
    }
}

TEST_F(FieldDetails, ALimitThatIsNoNumberStaysAndAValueThatIsNoneEmpties)
{
    Make("TM");
    CdocField* m = At(1);
    m->m_def = CxhwMinMax(50.0f, -10.0f);
    m->m_manualS = "3";
    m->m_manual = 3.0f;
    DialogDriver<CgudFieldDetails> driver([&](CgudFieldDetails& dialog) {
        Type(dialog, ID_FIELD_DETAILS_MIN, "");
        Type(dialog, ID_FIELD_DETAILS_MAX, "80");
        Type(dialog, ID_FIELD_DETAILS_VALUE, "-");
        Press(dialog, wxID_OK);
    });
    CdocFieldKey key = KeyOf(m);
    EXPECT_TRUE(gudEditChannelDetails(&Doc(), key, false, DETAILS_MODE_PLAIN));
    ASSERT_TRUE(driver.m_done);
    EXPECT_FLOAT_EQ(m->m_def.m_min, -10.0f);
    EXPECT_FLOAT_EQ(m->m_def.m_max, 80.0f);
    EXPECT_EQ(m->m_manualS, "");
    EXPECT_EQ(m->m_manual, DOC_NO_VALUE);
}

TEST_F(FieldDetails, ASensorChannelNamesItsSocketAndTakesNoValue)
{
    Make("TS");
    At(1)->m_socket = 0;
    bool valueEnabled = true;
    wxString title;
    wxString valueLabel;
    DialogDriver<CgudFieldDetails> driver([&](CgudFieldDetails& dialog) {
        valueEnabled = dialog.m_valueCtrl->IsEnabled();
        valueLabel = dialog.m_valueLabel->GetLabel();
        title = dialog.GetTitle();
        dialog.EndModal(wxID_CANCEL);
    });
    CdocFieldKey key = KeyOf(At(1));
    EXPECT_FALSE(gudEditChannelDetails(&Doc(), key, true, DETAILS_MODE_PLAIN));
    ASSERT_TRUE(driver.m_done);
    EXPECT_FALSE(valueEnabled);
    EXPECT_EQ(valueLabel, "Value");
    EXPECT_EQ(title, gumGetString(330) + " - " + gumGetString(32) + " 1");
}

TEST_F(FieldDetails, PickingAnotherChannelAsksOnlyAfterAnEdit)
{
    Make("TMM");
    CdocField* first = At(1);
    CdocField* second = At(2);
    const wxString question =
        "Do you want to save the details to channel " + first->GetTitle(Fields().GetLetterNumber(first));
    struct Case
    {
        const char* name;
        bool edit;
        bool yes;
        const char* kept; // the first channel's name afterwards
    };
    for (const Case& c : {Case{"no edit", false, false, "Manual2"}, Case{"edit, no", true, false, "Manual2"},
                          Case{"edit, yes", true, true, "Renamed"}}) {
        SCOPED_TRACE(c.name);
        first->m_name = "Manual2";
        m_boxes.m_calls.clear();
        if (c.yes)
            m_boxes.AnswerYes();
        wxString shown;
        DialogDriver<CgudFieldDetails> driver([&](CgudFieldDetails& dialog) {
            if (c.edit)
                Type(dialog, ID_FIELD_DETAILS_NAME, "Renamed");
            Choose(dialog, second);
            shown = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_FIELD_DETAILS_NAME))->GetValue();
            EXPECT_EQ(dialog.m_field, second);
            dialog.EndModal(wxID_CANCEL);
        });
        CdocFieldKey key = KeyOf(first);
        // Cancel after a yes keeps what the yes saved; the runner says false.
        EXPECT_FALSE(gudEditChannelDetails(&Doc(), key, true, DETAILS_MODE_PLAIN));
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(shown, second->m_name);
        ASSERT_EQ(m_boxes.m_calls.size(), c.edit ? 1u : 0u);
        if (c.edit) {
            EXPECT_EQ(m_boxes.m_calls[0].text, question);
        }
        EXPECT_EQ(first->m_name, c.kept);
    }
}

TEST_F(FieldDetails, TheInitialValueOfAFormulaChannelRecalculatesIt)
{
    Make("TM");
    CdocFieldKey key;
    ASSERT_TRUE(Doc().m_data.AddFormulaField(&key));
    CdocField* c = Fields().Find(key);
    // c = c + 1: a count that starts from the initial value.
    CdocCalc* calc = Doc().m_calcs.FindByChannel(c);
    calc->AppendChannel(c);
    calc->AppendAdd();
    calc->AppendDigit(1);
    ASSERT_TRUE(calc->Parse());
    struct Case
    {
        const char* name;
        int id;
        const char* text;
        float first; // the first sample afterwards
    };
    for (const Case& k : {Case{"name only", ID_FIELD_DETAILS_NAME, "Count", -1.0f},
                          Case{"initial value", ID_FIELD_DETAILS_VALUE, "10", 11.0f}}) {
        SCOPED_TRACE(k.name);
        c->FillAllSamples(-1.0f);
        DialogDriver<CgudFieldDetails> driver([&](CgudFieldDetails& dialog) {
            EXPECT_EQ(dialog.m_valueLabel->GetLabel(), "Initial value");
            EXPECT_FALSE(dialog.m_channelCtrl->IsEnabled());
            Type(dialog, k.id, k.text);
            Press(dialog, wxID_OK);
        });
        CdocFieldKey edit = KeyOf(c);
        EXPECT_TRUE(gudEditChannelDetails(&Doc(), edit, false, DETAILS_MODE_PLAIN));
        ASSERT_TRUE(driver.m_done);
        EXPECT_FLOAT_EQ(c->m_samples[0], k.first);
    }
}

TEST_F(FieldDetails, TheSwatchShowsTheColourAtButtonHeight)
{
    Make("TM");
    At(1)->m_colour = CdocColour(200, 40, 10);
    CgudFieldDetails dialog(nullptr, ID_FIELD_DETAILS_DIALOG, "Channel Details");
    dialog.m_doc = &Doc();
    dialog.m_channelCtrl->AddChannels(&Doc());
    dialog.SetChannel(At(1));
    dialog.TransferDataToWindow();
    ASSERT_TRUE(dialog.m_swatch.IsOk());
    const wxImage image = dialog.m_swatch.ConvertToImage();
    EXPECT_EQ(image.GetRed(1, 1), 200);
    EXPECT_EQ(image.GetGreen(1, 1), 40);
    EXPECT_EQ(image.GetBlue(1, 1), 10);
    EXPECT_GE(dialog.m_swatch.GetWidth(), 4);
    EXPECT_LE(dialog.m_swatch.GetWidth(), 100);
}

TEST(SwatchSide, StepsTowardTheButtonHeightAndStops)
{
    struct Case
    {
        const char* name;
        int height;
        std::function<int(int)> measure;
        int side;
    };
    const Case cases[] = {
        {"shrinks", 30, [](int n) { return n + 10; }, 20},
        {"grows", 30, [](int n) { return n + 2; }, 28},
        {"never below 4", 6, [](int n) { return n + 10; }, 4},
        {"never above 100", 30, [](int n) { return n - 100; }, 100},
        // A height no side gives ends where the steps would turn back.
        {"jumps over", 30, [](int n) { return 2 * n + 1; }, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gudFindSwatchSide(c.height, c.measure), c.side);
    }
}

} // namespace
