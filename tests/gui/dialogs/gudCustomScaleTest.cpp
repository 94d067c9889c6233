// The custom scale dialog: the scale from two points, its checks, the
// channel it loads and the unit labels.
#include "dialogs/gudCustomScale.h"
#include "gui/document/docCommandFixture.h"
#include "views/gucChannel.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class CustomScale : public qvtest::DocCommandTest
{
protected:
    static wxString Label(wxStaticText* label) { return label->GetLabel(); }
};

TEST_F(CustomScale, TwoPointsGiveGainAndOffset)
{
    struct Case
    {
        const char* p1;
        const char* n1;
        const char* p2;
        const char* n2;
        float gain;
        float offset;
    };
    const Case cases[] = {
        {"100", "100", "0", "0", 1.0f, 0.0f},        // unchanged
        {"0", "32", "100", "212", 1.8f, 32.0f},      // Celsius to Fahrenheit
        {"10", "20", "40", "30", 1.0f / 3.0f, 50.0f / 3.0f},
        {"-2.5", "0", "2.5", "-10", -2.0f, -5.0f},
    };
    CgudCustomScale dialog(nullptr, ID_CUSTOM_SCALE_DIALOG, "Custom Scale");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n2);
        dialog.m_present1 = c.p1;
        dialog.m_new1 = c.n1;
        dialog.m_present2 = c.p2;
        dialog.m_new2 = c.n2;
        float gain = 0.0f;
        float offset = 0.0f;
        ASSERT_TRUE(dialog.GetGainOffset(gain, offset));
        EXPECT_FLOAT_EQ(gain, c.gain);
        EXPECT_FLOAT_EQ(offset, c.offset);
    }
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

TEST_F(CustomScale, OnlyTheFirstFailingCheckIsReported)
{
    struct Case
    {
        const char* p1;
        const char* n1;
        const char* p2;
        const char* n2;
        const char* message;
    };
    const Case cases[] = {
        {"", "1", "2", "", "Point 1 current value is not valid"},
        {"0", "1", "1-2", "3", "Point 2 current value is not valid"},
        {"0", "+", "2", "3", "Point 1 new value is not valid"},
        {"0", "1", "2", ".", "Point 2 new value is not valid"},
        {"2", "1", "2.0", "1", "Point 1 and Point 2 current values must be different"},
        {"0", "1", "2", "1", "Point 1 and Point 2 new values must be different"},
    };
    CgudCustomScale dialog(nullptr, ID_CUSTOM_SCALE_DIALOG, "Custom Scale");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        m_boxes.m_calls.clear();
        dialog.m_present1 = c.p1;
        dialog.m_new1 = c.n1;
        dialog.m_present2 = c.p2;
        dialog.m_new2 = c.n2;
        float gain = 7.0f;
        float offset = 7.0f;
        EXPECT_FALSE(dialog.GetGainOffset(gain, offset));
        ASSERT_EQ(m_boxes.m_calls.size(), 1u);
        EXPECT_EQ(m_boxes.m_calls[0].text, c.message);
        EXPECT_EQ(m_boxes.m_calls[0].kind, zxBOX_ERROR);
    }
}

TEST_F(CustomScale, PickingAChannelLoadsItsRangeAndUnitsFollowTyping)
{
    Make("TMM");
    At(1)->m_cal = CxhwMinMax{-5.0f, 20.0f}; // runs from high to low
    At(1)->m_places = 2;
    At(2)->m_unit = "g";
    At(2)->m_cal = CxhwMinMax{DOC_NO_VALUE, DOC_NO_VALUE};
    At(2)->m_def = CxhwMinMax{DOC_NO_VALUE, DOC_NO_VALUE};
    CgudCustomScale dialog(nullptr, ID_CUSTOM_SCALE_DIALOG, "Custom Scale");
    dialog.m_channelCtrl->AddChannels(&Doc());
    dialog.SetChannel(At(1));
    dialog.TransferDataToWindow();
    EXPECT_EQ(dialog.m_present1, "20.00");
    EXPECT_EQ(dialog.m_new1, "20.00");
    EXPECT_EQ(dialog.m_present2, "-5.00");
    EXPECT_EQ(Label(dialog.m_present1Label), "cm");
    EXPECT_EQ(Label(dialog.m_new2Label), "cm");

    // Typing new units relabels the new values only.
    dialog.m_unitsCtrl->SetValue("mm");
    EXPECT_EQ(Label(dialog.m_new1Label), "mm");
    EXPECT_EQ(Label(dialog.m_new2Label), "mm");
    EXPECT_EQ(Label(dialog.m_present1Label), "cm");
    EXPECT_EQ(Label(dialog.m_present2Label), "cm");

    // The other channel replaces everything; unset ranges give 100 and 0.
    dialog.m_present1Ctrl->SetValue("55");
    dialog.m_channelCtrl->SelectChannel(At(2));
    wxCommandEvent picked(wxEVT_COMBOBOX, ID_CUSTOM_SCALE_CHANNEL);
    picked.SetEventObject(dialog.m_channelCtrl);
    dialog.GetEventHandler()->ProcessEvent(picked);
    EXPECT_EQ(dialog.m_newName, At(2)->m_name);
    EXPECT_EQ(dialog.m_present1Ctrl->GetValue(), At(2)->GetValueText(-1, 100.0f));
    EXPECT_EQ(dialog.m_present2Ctrl->GetValue(), At(2)->GetValueText(-1, 0.0f));
    EXPECT_EQ(Label(dialog.m_new1Label), "g");
    EXPECT_EQ(Label(dialog.m_present2Label), "g");
}

TEST_F(CustomScale, OkWaitsForAChannel)
{
    Make("TM");
    CgudCustomScale dialog(nullptr, ID_CUSTOM_SCALE_DIALOG, "Custom Scale");
    dialog.m_channelCtrl->AddChannels(&Doc());
    dialog.SetChannel(nullptr);
    dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(dialog.FindWindow(wxID_OK)->IsEnabled());
    dialog.SetChannel(At(1));
    dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(dialog.FindWindow(wxID_OK)->IsEnabled());
}

// Through the command on a recorded channel: OK rescales its samples,
// Cancel leaves them.
TEST_F(CustomScale, TheCommandRescalesOnOkOnly)
{
    Make("TM");
    const float before = At(1)->m_samples[3];
    for (int answer : {wxID_CANCEL, wxID_OK}) {
        SCOPED_TRACE(answer);
        DialogDriver<CgudCustomScale> driver([&](CgudCustomScale& dialog) {
            dialog.m_present1Ctrl->SetValue("0");
            dialog.m_new1Ctrl->SetValue("1");
            dialog.m_present2Ctrl->SetValue("10");
            dialog.m_new2Ctrl->SetValue("-19");
            dialog.m_unitsCtrl->SetValue("mm");
            qvtest::SaveScreenshot(&dialog, "CustomScale");
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        m_gumDoc->CustomScaleChannel();
        ASSERT_TRUE(driver.m_done);
        // Gain -2, offset 1.
        EXPECT_FLOAT_EQ(At(1)->m_samples[3], answer == wxID_OK ? before * -2.0f + 1.0f : before);
        EXPECT_EQ(At(1)->m_unit, answer == wxID_OK ? "mm" : "cm");
    }
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

} // namespace
