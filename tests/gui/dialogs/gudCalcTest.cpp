// The formula dialog driven through its keys, list and chooser: what reaches
// the document's formulas and formula channels, and what does not.
#include "dialogs/gucListChannel.h"
#include "dialogs/gudCalc.h"
#include "dialogs/gudFieldDetails.h"
#include "gui/document/docCommandFixture.h"
#include "views/gucChannel.h"

#include <vector>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class CalcDialog : public qvtest::DocCommandTest
{
protected:
    static bool Enabled(CgudCalc& dialog, int id)
    {
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return dialog.FindWindow(id)->IsEnabled();
    }

    static void Keys(CgudCalc& dialog, const std::vector<int>& ids)
    {
        for (int id : ids)
            Press(dialog, id);
    }

    // Picks the channel's row in the list as a click does.
    static void Pick(CgudCalc& dialog, CdocField* field)
    {
        ASSERT_GE(dialog.m_list->SelectChannel(field), 0);
        wxListEvent selected(wxEVT_LIST_ITEM_SELECTED, ID_CALC_LIST);
        selected.SetEventObject(dialog.m_list);
        dialog.m_list->GetEventHandler()->ProcessEvent(selected);
        dialog.TransferDataToWindow();
    }

    static wxString Shown(CgudCalc& dialog)
    {
        return static_cast<wxTextCtrl*>(dialog.FindWindow(ID_CALC_FORMULA))->GetValue();
    }

    // A formula channel of the document whose formula is still empty.
    CdocField* AddFormulaChannel(const wxString& name)
    {
        CdocFieldKey key;
        EXPECT_TRUE(Doc().m_data.AddFormulaField(&key));
        CdocField* field = Fields().Find(key);
        field->m_name = name;
        return field;
    }
};

TEST_F(CalcDialog, AFormulaTypedOnTheKeysFillsANewFormulaChannel)
{
    Make("TMM");
    CdocField* b = At(2);
    bool nextShown = false;
    DialogDriver<CgudFieldDetails> details([&](CgudFieldDetails& dialog) {
        nextShown = dialog.FindWindow(wxID_OK)->GetLabel() == "Next";
        static_cast<wxTextCtrl*>(dialog.FindWindow(ID_FIELD_DETAILS_NAME))->SetValue("Twice");
        Press(dialog, wxID_OK);
    });
    wxString shown;
    DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) {
        Pick(dialog, b);
        Keys(dialog, {ID_CALC_KEY_MULTIPLY, ID_CALC_KEY_2, ID_CALC_KEY_ADD, ID_CALC_KEY_1, ID_CALC_KEY_POINT,
                      ID_CALC_KEY_5});
        shown = Shown(dialog);
        qvtest::SaveScreenshot(&dialog, "calc-formula");
        Press(dialog, wxID_OK);
    });
    m_gumDoc->CalculateChannel();
    ASSERT_TRUE(details.m_done);
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(nextShown);
    ASSERT_EQ(Fields().GetCount(), 4);
    CdocField* result = At(3);
    EXPECT_EQ(result->m_content, CONTENT_FORMULA);
    EXPECT_EQ(result->m_name, "Twice");
    const wxString letter = b->GetLetter(Fields().GetLetterNumber(b));
    EXPECT_EQ(shown, letter + "*2+1.5");
    for (int i = 0; i < Doc().m_data.m_records; ++i)
        EXPECT_FLOAT_EQ(result->m_samples[i], b->m_samples[i] * 2.0f + 1.5f) << i;
    ASSERT_NE(Doc().m_calcs.FindByChannel(result), nullptr);
    EXPECT_TRUE(m_gumDoc->IsModified());
}

TEST_F(CalcDialog, TheKeysFollowTheFormulaSoFar)
{
    Make("TM");
    CdocField* c = AddFormulaChannel("Sum");
    CdocField* a = At(1);
    DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) {
        // Empty: operands only.
        struct Case
        {
            int id;
            bool enabled;
        };
        for (const Case& k : {Case{ID_CALC_KEY_7, true}, Case{ID_CALC_KEY_POINT, true},
                              Case{ID_CALC_KEY_SUBTRACT, true}, Case{ID_CALC_KEY_OPEN, true},
                              Case{ID_CALC_KEY_SQRT, true}, Case{ID_CALC_KEY_ADD, false},
                              Case{ID_CALC_KEY_MULTIPLY, false}, Case{ID_CALC_KEY_DIVIDE, false},
                              Case{ID_CALC_KEY_POWER, false}, Case{ID_CALC_KEY_CLOSE, false},
                              Case{ID_CALC_KEY_DELETE, false}})
            EXPECT_EQ(Enabled(dialog, k.id), k.enabled) << k.id;
        EXPECT_GT(dialog.m_list->GetItemCount(), 0);
        qvtest::SaveScreenshot(&dialog, "calc-empty");

        // A point starts "0.", a digit extends it, a second point may not.
        Keys(dialog, {ID_CALC_KEY_POINT, ID_CALC_KEY_5});
        EXPECT_EQ(Shown(dialog), "0.5");
        EXPECT_FALSE(Enabled(dialog, ID_CALC_KEY_POINT));
        EXPECT_EQ(dialog.m_list->GetItemCount(), 0);

        // Delete takes the whole number.
        Keys(dialog, {ID_CALC_KEY_DELETE, ID_CALC_KEY_1, ID_CALC_KEY_2, ID_CALC_KEY_3, ID_CALC_KEY_DELETE});
        EXPECT_EQ(Shown(dialog), "");

        // sqrt( channel ) with no spaces; the list empties after a channel.
        Press(dialog, ID_CALC_KEY_SQRT);
        EXPECT_GT(dialog.m_list->GetItemCount(), 0);
        Pick(dialog, a);
        EXPECT_EQ(dialog.m_list->GetItemCount(), 0);
        EXPECT_TRUE(Enabled(dialog, ID_CALC_KEY_CLOSE));
        Press(dialog, ID_CALC_KEY_CLOSE);
        EXPECT_FALSE(Enabled(dialog, ID_CALC_KEY_CLOSE));
        EXPECT_EQ(Shown(dialog), "sqrt(" + a->GetLetter(Fields().GetLetterNumber(a)) + ")");
        dialog.EndModal(wxID_CANCEL);
    });
    CdocFieldKey key = KeyOf(c);
    EXPECT_FALSE(gudCalculate(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
}

TEST_F(CalcDialog, AnIncompleteFormulaKeepsTheDialogOpenAndCancelKeepsTheStoredOne)
{
    Make("TM");
    CdocField* c = AddFormulaChannel("Sum");
    CdocCalc* stored = Doc().m_calcs.FindByChannel(c);
    ASSERT_NE(stored, nullptr);
    stored->AppendDigit(4);
    stored->m_modified = false;
    bool stillOpen = false;
    wxString shown;
    DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) {
        shown = Shown(dialog);
        Press(dialog, ID_CALC_KEY_ADD);
        Press(dialog, wxID_OK);
        stillOpen = dialog.IsModal();
        dialog.EndModal(wxID_CANCEL);
    });
    CdocFieldKey key = KeyOf(c);
    EXPECT_FALSE(gudCalculate(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(shown, "4");
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "Invalid formula");
    wxString text;
    Doc().m_calcs.FindByChannel(c)->GetFormulaText(text);
    EXPECT_EQ(text, "4");
    EXPECT_FALSE(m_gumDoc->IsModified());
}

TEST_F(CalcDialog, TheTwentyFirstFormulaFindsNoSpace)
{
    Make("TM");
    CdocField* c = AddFormulaChannel("Extra");
    CdocCalcs& calcs = Doc().m_calcs;
    calcs.RemoveAt(calcs.IndexOf(calcs.FindByChannel(c)));
    ASSERT_GE(calcs.Add(DOC_MAX_CALCS - calcs.m_count), 0);
    ASSERT_EQ(calcs.m_count, DOC_MAX_CALCS);
    bool stillOpen = false;
    DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) {
        Press(dialog, ID_CALC_KEY_1);
        Press(dialog, wxID_OK);
        stillOpen = dialog.IsModal();
        dialog.EndModal(wxID_CANCEL);
    });
    CdocFieldKey key = KeyOf(c);
    EXPECT_FALSE(gudCalculate(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "No free space for more formulae");
    EXPECT_EQ(calcs.FindByChannel(c), nullptr);
}

TEST_F(CalcDialog, ChoosingAnotherFormulaAsksToSaveTheEdits)
{
    Make("TM");
    CdocField* first = AddFormulaChannel("First");
    CdocField* second = AddFormulaChannel("Second");
    const wxString question =
        "Do you want to save the formula to channel " + first->GetTitle(Fields().GetLetterNumber(first));
    struct Case
    {
        const char* name;
        bool yes;
        std::vector<int> keys;
        CdocField* loaded; // the channel current after the choice
        wxString stored;   // the first channel's formula afterwards
        const char* box;   // the message after the question, if any
    };
    const Case cases[] = {
        {"no drops the edits", false, {ID_CALC_KEY_7}, second, "", nullptr},
        {"yes stores them", true, {ID_CALC_KEY_7}, second, "7", nullptr},
        {"yes with an incomplete formula stays", true, {ID_CALC_KEY_7, ID_CALC_KEY_ADD}, first, "",
         "Invalid formula"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Doc().m_calcs.FindByChannel(first)->Clear();
        m_boxes.m_calls.clear();
        if (c.yes)
            m_boxes.AnswerYes();
        else
            m_boxes.AnswerNo();
        CdocField* current = nullptr;
        DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) {
            Keys(dialog, c.keys);
            dialog.m_channelCtrl->SelectChannel(second);
            wxCommandEvent chosen(wxEVT_COMBOBOX, ID_CALC_CHANNEL);
            chosen.SetEventObject(dialog.m_channelCtrl);
            dialog.GetEventHandler()->ProcessEvent(chosen);
            current = dialog.m_field;
            EXPECT_EQ(dialog.m_channelCtrl->GetSelectedChannel(), current);
            dialog.EndModal(wxID_CANCEL);
        });
        CdocFieldKey key = KeyOf(first);
        gudCalculate(&Doc(), key);
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(current, c.loaded);
        ASSERT_GE(m_boxes.m_calls.size(), 1u);
        EXPECT_EQ(m_boxes.m_calls[0].text, question);
        ASSERT_EQ(m_boxes.m_calls.size(), c.box ? 2u : 1u);
        if (c.box) {
            EXPECT_EQ(m_boxes.m_calls[1].text, c.box);
        }
        wxString text;
        Doc().m_calcs.FindByChannel(first)->GetFormulaText(text);
        EXPECT_EQ(text, c.stored);
    }
}

TEST_F(CalcDialog, OkWithoutEditsRecalculatesEveryFormula)
{
    Make("TM");
    CdocField* c = AddFormulaChannel("Copy");
    CdocField* a = At(1);
    CdocCalc* calc = Doc().m_calcs.FindByChannel(c);
    calc->AppendChannel(a);
    ASSERT_TRUE(calc->Parse());
    c->FillAllSamples(0.0f);
    m_gumDoc->Modify(false);
    DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) { Press(dialog, wxID_OK); });
    CdocFieldKey key = KeyOf(c);
    EXPECT_TRUE(gudCalculate(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(m_boxes.m_calls.empty());
    for (int i = 0; i < Doc().m_data.m_records; ++i)
        EXPECT_FLOAT_EQ(c->m_samples[i], a->m_samples[i]) << i;
    EXPECT_TRUE(m_gumDoc->IsModified());
}

TEST_F(CalcDialog, CancellingTheFirstDetailsOpensNothing)
{
    Make("TS");
    DialogDriver<CgudFieldDetails> details([&](CgudFieldDetails& dialog) { dialog.EndModal(wxID_CANCEL); });
    DialogDriver<CgudCalc> driver([&](CgudCalc& dialog) { dialog.EndModal(wxID_CANCEL); });
    CdocFieldKey key = KeyOf(At(1));
    EXPECT_FALSE(gudCalculate(&Doc(), key));
    EXPECT_TRUE(details.m_done);
    driver.Stop();
    EXPECT_FALSE(driver.m_done);
    EXPECT_EQ(Fields().GetCount(), 2);
    EXPECT_EQ(Doc().m_calcs.m_count, 0);
}

} // namespace
