// The function dialog: the channels it offers for each function, its
// description line, and what its runner asks of the data store.
#include "dialogs/gudFunction.h"
#include "gui/document/docCommandFixture.h"
#include "views/gucChannel.h"

#include <wx/choice.h>
#include <wx/stattext.h>

namespace {

using qvtest::DialogDriver;

class FunctionDialog : public qvtest::DocCommandTest
{
protected:
    wxString Letter(const CdocField* field) { return field->GetLetter(Fields().GetLetterNumber(field)); }

    static void ChooseFunction(CgudFunction& dialog, const wxString& label)
    {
        const int item = dialog.m_functionCtrl->FindString(label);
        ASSERT_NE(item, wxNOT_FOUND) << label;
        dialog.m_functionCtrl->SetSelection(item);
        wxCommandEvent chosen(wxEVT_CHOICE, ID_FUNCTION_CHOICE);
        chosen.SetEventObject(dialog.m_functionCtrl);
        dialog.GetEventHandler()->ProcessEvent(chosen);
    }

    static void ChooseChannel(CgudFunction& dialog, CgucChannel* chooser, CdocField* field)
    {
        ASSERT_GE(chooser->SelectChannel(field), 0);
        wxCommandEvent chosen(wxEVT_COMBOBOX, chooser->GetId());
        chosen.SetEventObject(chooser);
        dialog.GetEventHandler()->ProcessEvent(chosen);
    }

    static bool OkEnabled(CgudFunction& dialog)
    {
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return dialog.FindWindow(wxID_OK)->IsEnabled();
    }
};

TEST_F(FunctionDialog, TheFitLeavesOutTheXChannelAndSaysWhatItMakes)
{
    Make("TMM");
    wxString description;
    CdocField* chosenA = nullptr;
    int functions = 0;
    bool channelBShown = true;
    DialogDriver<CgudFunction> driver([&](CgudFunction& dialog) {
        description = dialog.m_description;
        chosenA = dialog.m_channelACtrl->GetSelectedChannel();
        functions = int(dialog.m_functionCtrl->GetCount());
        channelBShown = dialog.m_channelBCtrl->IsShown();
        EXPECT_EQ(dialog.m_channelACtrl->GetCount(), 2u);
        qvtest::SaveScreenshot(&dialog, "function-fit");
        dialog.EndModal(wxID_CANCEL);
    });
    // Opened on the elapsed-time channel, which is the x channel.
    CdocFieldKey key = KeyOf(At(0));
    EXPECT_FALSE(gudFunctionPlot(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(chosenA, At(2));
    EXPECT_EQ(functions, 5);
    EXPECT_FALSE(channelBShown);
    EXPECT_EQ(description,
              "Best straight line fit to \"" + Letter(At(2)) + "\" with respect to \"" + Letter(At(0)) + "\"");
    EXPECT_EQ(Fields().GetCount(), 3);
}

TEST_F(FunctionDialog, ADifferenceTakesTheNeighbourAsChannelB)
{
    Make("TMM");
    struct Case
    {
        int a;
        int b;
    };
    for (const Case& c : {Case{1, 2}, Case{2, 1}}) {
        SCOPED_TRACE(c.a);
        const int before = Fields().GetCount();
        CdocField* b = nullptr;
        wxString description;
        bool channelBShown = false;
        wxString labelA;
        DialogDriver<CgudFunction> driver([&](CgudFunction& dialog) {
            ChooseFunction(dialog, "Difference (a - b)");
            b = dialog.m_channelBCtrl->GetSelectedChannel();
            channelBShown = dialog.m_channelBCtrl->IsShown();
            labelA = dialog.m_labelA->GetLabel();
            description = dialog.m_description;
            qvtest::SaveScreenshot(&dialog, "function-difference");
            EXPECT_TRUE(OkEnabled(dialog));
            Press(dialog, wxID_OK);
        });
        CdocFieldKey key = KeyOf(At(c.a));
        EXPECT_TRUE(gudFunctionPlot(&Doc(), key));
        ASSERT_TRUE(driver.m_done);
        EXPECT_TRUE(channelBShown);
        EXPECT_EQ(labelA, "Channel a");
        EXPECT_EQ(b, At(c.b));
        EXPECT_EQ(description, "Difference between \"" + Letter(At(c.a)) + "\" and \"" + Letter(At(c.b)) + "\"");
        ASSERT_EQ(Fields().GetCount(), before + 1);
        CdocField* made = At(before);
        for (int i = 0; i < Doc().m_data.m_records; ++i)
            EXPECT_FLOAT_EQ(made->m_samples[i], At(c.a)->m_samples[i] - At(c.b)->m_samples[i]) << i;
        Doc().m_data.DeleteField(KeyOf(made));
    }
}

TEST_F(FunctionDialog, AProductOfTheOnlyChannelWaitsForChannelB)
{
    Make("M");
    bool okBefore = true;
    bool okAfter = false;
    DialogDriver<CgudFunction> driver([&](CgudFunction& dialog) {
        ChooseFunction(dialog, "Product (a * b)");
        EXPECT_EQ(dialog.m_channelBCtrl->GetSelectedChannel(), nullptr);
        okBefore = OkEnabled(dialog);
        ChooseChannel(dialog, dialog.m_channelBCtrl, At(0));
        okAfter = OkEnabled(dialog);
        Press(dialog, wxID_OK);
    });
    CdocFieldKey key = KeyOf(At(0));
    EXPECT_TRUE(gudFunctionPlot(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    EXPECT_FALSE(okBefore);
    EXPECT_TRUE(okAfter);
    // Without a time channel the store makes nothing, and says so.
    EXPECT_EQ(Fields().GetCount(), 1);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, gumGetString(692));
}

TEST_F(FunctionDialog, GradientAndAreaUseTheStringTableAndNeedAnotherChannel)
{
    Make("T");
    DialogDriver<CgudFunction> driver([&](CgudFunction& dialog) {
        for (const char* name : {"Differentiate", "Integrate"}) {
            ChooseFunction(dialog, name);
            EXPECT_EQ(dialog.m_description, gumGetString(name[0] == 'D' ? 2483 : 2484));
            EXPECT_EQ(dialog.m_channelACtrl->GetCount(), 0u);
            EXPECT_FALSE(OkEnabled(dialog));
        }
        dialog.EndModal(wxID_CANCEL);
    });
    CdocFieldKey key = KeyOf(At(0));
    EXPECT_FALSE(gudFunctionPlot(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(Fields().GetCount(), 1);
}

TEST_F(FunctionDialog, WithoutTwoChannelFunctionsOnlyThreeAreListed)
{
    Make("TMM");
    CappOptions* options = appGetOptions();
    ASSERT_NE(options, nullptr);
    const int level = options->GetUserLevel();
    options->SetUserLevel(0);
    ASSERT_FALSE(appIsAllowed(FEATURE_TWO_CHANNEL_FUNCTIONS));
    CgudFunction dialog(nullptr, ID_FUNCTION_DIALOG, "Function");
    dialog.m_doc = &Doc();
    dialog.m_function = FUNCTION_FIT;
    dialog.m_fieldA = At(1);
    dialog.TransferDataToWindow();
    EXPECT_EQ(dialog.m_functionCtrl->GetCount(), 3u);
    EXPECT_EQ(dialog.m_functionCtrl->FindString("Difference (a - b)"), wxNOT_FOUND);
    EXPECT_FALSE(dialog.m_channelBCtrl->IsShown());
    options->SetUserLevel(level);
}

} // namespace
