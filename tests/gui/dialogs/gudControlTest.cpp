// The control-outputs dialog: one output's rule at a time on copies of the
// document's rules, taken back on OK only, with the outputs the logger offers.
#include "dialogs/gudControl.h"
#include "gui/document/docCommandFixture.h"
#include "hardware/xhwBoxes.h"
#include "views/gucChannel.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class ControlDialog : public qvtest::DocCommandTest
{
protected:
    template <class T>
    static T* Find(wxDialog& dialog, int id)
    {
        return static_cast<T*>(dialog.FindWindow(id));
    }

    static wxString Label(wxDialog& dialog, int id) { return Find<wxStaticText>(dialog, id)->GetLabel(); }

    // As the user changes a control: the value, then its event.
    static void ChooseOutput(CgudControl& dialog, int output)
    {
        dialog.m_outputCtrl->SetSelection(output);
        Send(dialog, wxEVT_RADIOBOX, ID_CONTROL_OUTPUT, output);
    }

    static void ChooseChannel(CgudControl& dialog, int item)
    {
        dialog.m_channelCtrl->SetSelection(item);
        Send(dialog, wxEVT_COMBOBOX, ID_CONTROL_CHANNEL, item);
    }

    static void ChooseDirection(CgudControl& dialog, int item)
    {
        Find<wxChoice>(dialog, ID_CONTROL_DIRECTION)->SetSelection(item);
        Send(dialog, wxEVT_CHOICE, ID_CONTROL_DIRECTION, item);
    }

    // SetValue sends the text event itself.
    static void TypeThreshold(CgudControl& dialog, const wxString& text)
    {
        Find<wxTextCtrl>(dialog, ID_CONTROL_THRESHOLD)->SetValue(text);
    }

    static void Send(wxDialog& dialog, wxEventType type, int id, int selection)
    {
        wxCommandEvent event(type, id);
        event.SetInt(selection);
        event.SetEventObject(dialog.FindWindow(id));
        dialog.GetEventHandler()->ProcessEvent(event);
    }

    static wxString Item(CgudControl& dialog, int item) { return dialog.m_channelCtrl->GetString(unsigned(item)); }
};

TEST_F(ControlDialog, RuleWithoutChannelOffersEveryChannelAndChoosingOneEnablesIt)
{
    Make("RTM");
    DialogDriver<CgudControl> driver([&](CgudControl& dialog) {
        EXPECT_EQ(Label(dialog, ID_CONTROL_HEADING), "Turn output 1 ON when:");
        // Every channel, the reading number and time too, after the prompt.
        ASSERT_EQ(dialog.m_channelCtrl->GetCount(), 4u);
        EXPECT_EQ(Item(dialog, 0), "Choose a channel");
        EXPECT_EQ(dialog.m_channelCtrl->GetSelection(), 0);
        EXPECT_EQ(Label(dialog, ID_CONTROL_UNITS), "");
        EXPECT_FALSE(dialog.m_enableCtrl->GetValue());

        ChooseChannel(dialog, 3);
        ASSERT_EQ(dialog.m_channelCtrl->GetCount(), 3u);
        EXPECT_EQ(dialog.m_channelCtrl->GetSelectedChannel(), At(2));
        EXPECT_EQ(Label(dialog, ID_CONTROL_UNITS), "cm");
        EXPECT_TRUE(dialog.m_enableCtrl->GetValue());
        ChooseDirection(dialog, 1);
        TypeThreshold(dialog, "2.5");
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "control-outputs").empty());
        Press(dialog, wxID_OK);
    });
    m_gumDoc->EditControlOutputs(0);
    ASSERT_TRUE(driver.m_done);
    const CdocControlItem& rule = Doc().m_control.m_rules[0];
    EXPECT_TRUE(rule.m_enabled);
    EXPECT_EQ(rule.m_field.m_key, At(2)->m_key);
    EXPECT_FALSE(rule.m_above);
    EXPECT_EQ(rule.m_threshold, 2.5f);
    EXPECT_EQ(rule.m_thresholdText, "2.5");
}

TEST_F(ControlDialog, EditsOfEveryOutputWaitForOkAndCancelDropsThemAll)
{
    Make("MM");
    for (CdocControlItem& rule : Doc().m_control.m_rules) {
        rule.m_field = KeyOf(At(0));
        rule.m_threshold = 3.0f;
        rule.m_thresholdText = "3";
    }
    for (int answer : {wxID_CANCEL, wxID_OK}) {
        SCOPED_TRACE(answer);
        DialogDriver<CgudControl> driver([&](CgudControl& dialog) {
            EXPECT_EQ(Label(dialog, ID_CONTROL_HEADING), "Turn output 2 ON when:");
            // Typing into a disabled rule enables it.
            TypeThreshold(dialog, "7.25");
            EXPECT_TRUE(dialog.m_enableCtrl->GetValue());
            ChooseOutput(dialog, 4);
            EXPECT_EQ(Label(dialog, ID_CONTROL_HEADING), "Turn output 5 ON when:");
            EXPECT_FALSE(dialog.m_enableCtrl->GetValue());
            // A lone sign is no number: the threshold stays.
            TypeThreshold(dialog, "-");
            // Nor is one beyond the range of a float.
            TypeThreshold(dialog, "1" + wxString('0', 40));
            ChooseOutput(dialog, 1);
            EXPECT_EQ(Find<wxTextCtrl>(dialog, ID_CONTROL_THRESHOLD)->GetValue(), "7.25");
            EXPECT_TRUE(dialog.m_enableCtrl->GetValue());
            // Cleared again by hand, it is stored disabled.
            dialog.m_enableCtrl->SetValue(false);
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                Press(dialog, wxID_CANCEL);
        });
        m_gumDoc->EditControlOutputs(1);
        ASSERT_TRUE(driver.m_done);
        if (answer == wxID_CANCEL)
            for (const CdocControlItem& rule : Doc().m_control.m_rules) {
                EXPECT_FALSE(rule.m_enabled);
                EXPECT_EQ(rule.m_thresholdText, "3");
            }
    }
    const auto& rules = Doc().m_control.m_rules;
    EXPECT_FALSE(rules[1].m_enabled);
    EXPECT_EQ(rules[1].m_threshold, 7.25f);
    EXPECT_EQ(rules[1].m_thresholdText, "7.25");
    // Output 5 was enabled by the typing; its threshold is as it was.
    EXPECT_TRUE(rules[4].m_enabled);
    EXPECT_EQ(rules[4].m_threshold, 3.0f);
    EXPECT_EQ(rules[4].m_thresholdText, "3");
    EXPECT_EQ(rules[4].m_field.m_key, At(0)->m_key);
}

TEST_F(ControlDialog, OffersTheOutputsTheLoggerCanSwitchAndFollowsItsSensors)
{
    Make("M");
    CxhwBoxes boxes;
    CxhwBox& box = boxes.m_box;
    box.m_info.m_hardware = 2;
    box.m_info.m_varnok = true;
    box.Publish();
    Doc().m_boxInfo.m_info.m_varnok = true;
    DialogDriver<CgudControl> driver([&](CgudControl& dialog) {
        for (int i = 0; i < DOC_MAX_OUTPUT_RULES; ++i)
            EXPECT_EQ(dialog.m_outputCtrl->IsItemEnabled(unsigned(i)), i < 4) << i;

        // An output device on input 5 is offered once the logger tells.
        CxhwSensor output = box.m_sensors[4];
        output.m_idCode = 136;
        output.m_enable = true;
        box.m_sensors[4] = output;
        Doc().m_boxInfo.m_sensors[4] = output;
        box.Publish();
        EXPECT_TRUE(qvtest::PumpUntil([&] { return dialog.m_outputCtrl->IsItemEnabled(4); }));
        EXPECT_FALSE(dialog.m_outputCtrl->IsItemEnabled(5));
        Press(dialog, wxID_CANCEL);
    });
    m_gumDoc->EditControlOutputs(-1);
    ASSERT_TRUE(driver.m_done);
}

} // namespace
