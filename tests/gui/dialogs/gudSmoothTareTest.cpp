// The smoothing and tare dialogs on a recorded document: smoothing shows at
// once and Cancel undoes it; a tare shifts a channel from one value to
// another.
#include "dialogs/gudSmooth.h"
#include "dialogs/gudTare.h"
#include "gui/document/docCommandFixture.h"
#include "views/gucChannel.h"

#include <wx/slider.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class SmoothTare : public qvtest::DocCommandTest
{
protected:
    static void Slide(CgudSmooth& dialog, int position)
    {
        auto* slider = static_cast<wxSlider*>(dialog.FindWindow(ID_SMOOTH_SLIDER));
        slider->SetValue(position);
        wxCommandEvent moved(wxEVT_SLIDER, ID_SMOOTH_SLIDER);
        moved.SetInt(position);
        dialog.GetEventHandler()->ProcessEvent(moved);
    }

    static void Pick(wxDialog& dialog, CgucChannel* picker, CdocField* field)
    {
        picker->SelectChannel(field);
        wxCommandEvent picked(wxEVT_COMBOBOX, picker->GetId());
        picked.SetEventObject(picker);
        dialog.GetEventHandler()->ProcessEvent(picked);
    }

    static int SliderAt(CgudSmooth& dialog)
    {
        return static_cast<wxSlider*>(dialog.FindWindow(ID_SMOOTH_SLIDER))->GetValue();
    }
};

TEST_F(SmoothTare, SmoothingStaysOnOkAndReselectingMakesItTheOneToRestore)
{
    Make("TMM", 9);
    At(1)->SetSample(4, 40.0f);
    At(2)->SetSample(4, 40.0f);
    const float spike = At(1)->m_samples[4];
    struct Case
    {
        const char* name;
        int answer;
        bool reselect; // choose the other channel and then the first again
        bool keptSmoothed;
    };
    const Case cases[] = {
        {"OK keeps", wxID_OK, false, true},
        {"Cancel restores", wxID_CANCEL, false, false},
        {"Cancel after choosing it again keeps", wxID_CANCEL, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver<CgudSmooth> driver([&](CgudSmooth& dialog) {
            Slide(dialog, 4);
            EXPECT_LT(At(1)->m_samples[4], spike);
            if (c.reselect) {
                Pick(dialog, dialog.m_channelCtrl, At(2));
                EXPECT_EQ(SliderAt(dialog), 0);
                Pick(dialog, dialog.m_channelCtrl, At(1));
                EXPECT_EQ(SliderAt(dialog), 4);
            }
            qvtest::SaveScreenshot(&dialog, "Smooth");
            if (c.answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        m_gumDoc->SmoothChannel();
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(At(1)->m_smoothEpsilon, c.keptSmoothed ? 4 : 0);
        EXPECT_EQ(At(1)->m_samples[4] < spike, c.keptSmoothed);
        EXPECT_EQ(At(2)->m_samples[4], spike); // chosen, never moved
        // Back to the unsmoothed values for the next case: position 0.
        Doc().m_data.SetFieldSmoothing(KeyOf(At(1)), 0);
        EXPECT_EQ(At(1)->m_samples[4], spike);
    }
}

TEST_F(SmoothTare, ACountAboveTheSliderShowsAtTheEndUntouched)
{
    Make("TM", 9);
    At(1)->m_smoothEpsilon = 25;
    const float kept = At(1)->m_samples[3];
    int shown = -1;
    DialogDriver<CgudSmooth> driver([&](CgudSmooth& dialog) {
        shown = SliderAt(dialog);
        dialog.EndModal(wxID_OK);
    });
    m_gumDoc->SmoothChannel();
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(shown, 20);
    EXPECT_EQ(At(1)->m_smoothEpsilon, 25);
    EXPECT_EQ(At(1)->m_samples[3], kept);
}

TEST_F(SmoothTare, TareShiftsFromOneValueToAnother)
{
    Make("TM");
    At(1)->m_places = 2;
    const float before = At(1)->m_samples[3];
    struct Case
    {
        int answer;
        const char* from;
        const char* to;
        bool applied;
        float shift;
    };
    const Case cases[] = {
        {wxID_CANCEL, "2.5", "0", false, 0.0f},
        {wxID_OK, nullptr, nullptr, true, 0.0f}, // the prefilled values: no shift
        {wxID_OK, "2.5", "0", true, -2.5f},
        {wxID_OK, "1-2", "0", false, 0.0f},      // no number: nothing applied
    };
    float expected = before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        wxString from;
        wxString to;
        bool focused = false;
        DialogDriver<CgudTare> driver([&](CgudTare& dialog) {
            from = dialog.m_fromCtrl->GetValue();
            to = dialog.m_toCtrl->GetValue();
            // Another program's window on the display may hold the focus for
            // a moment: bring the dialog forward, never the field itself.
            qvtest::PumpUntil([&] {
                if (wxWindow::FindFocus() == dialog.m_toCtrl)
                    return true;
                dialog.Raise();
                return false;
            });
            long start = 0;
            long end = 0;
            dialog.m_toCtrl->GetSelection(&start, &end);
            focused = wxWindow::FindFocus() == dialog.m_toCtrl && start == 0 && end == long(to.length());
            if (c.from) {
                dialog.m_fromCtrl->SetValue(c.from);
                dialog.m_toCtrl->SetValue(c.to);
            }
            qvtest::SaveScreenshot(&dialog, "Tare");
            if (c.answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        CdocFieldKey key = KeyOf(At(1));
        EXPECT_EQ(gudTareChannel(&Doc(), key, true), c.applied);
        ASSERT_TRUE(driver.m_done);
        // No tool and a stopped run: both fields offer 0 in the channel's places.
        EXPECT_EQ(from, "0.00");
        EXPECT_EQ(to, "0.00");
        EXPECT_TRUE(focused);
        expected += c.shift;
        EXPECT_FLOAT_EQ(At(1)->m_samples[3], expected);
    }
}

TEST_F(SmoothTare, TareOffersTheReadingAtTheReadingToolsCursor)
{
    Make("TM");
    Doc().m_graph.m_axisX = KeyOf(At(0));
    At(0)->m_now = CxhwMinMax{5.0f, 1.0f}; // the graph shows every sample
    CdocToolState& tool = Doc().m_tool.m_now;
    tool.m_tool = TOOL_READING;
    tool.m_active = true;
    tool.m_fracX = 1.0f; // the last sample
    wxString from;
    DialogDriver<CgudTare> driver([&](CgudTare& dialog) {
        from = dialog.m_fromCtrl->GetValue();
        dialog.EndModal(wxID_CANCEL);
    });
    CdocFieldKey key = KeyOf(At(1));
    EXPECT_FALSE(gudTareChannel(&Doc(), key, false));
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(from, At(1)->GetValueText(-1, At(1)->m_samples[4]));
}

TEST_F(SmoothTare, TareOfAMissingChannelShowsNothing)
{
    Make("TM");
    DialogDriver<CgudTare> driver([](CgudTare& dialog) { dialog.EndModal(wxID_OK); });
    CdocFieldKey missing(9999, -1, nullptr);
    EXPECT_FALSE(gudTareChannel(&Doc(), missing, true));
    EXPECT_FALSE(driver.m_done);
}

} // namespace
