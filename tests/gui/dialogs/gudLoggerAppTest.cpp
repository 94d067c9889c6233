// The logger dialogs in the running program with the simulated logger.
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "dialogs/gudClock.h"
#include "dialogs/gudControl.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/appTest.h"
#include "support/dialogDriver.h"
#include "views/gucChannel.h"

#include <algorithm>
#include <cstdlib>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class SimulatedLoggerDialogs : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        CappTest::SetUp();
        ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    }

    void TearDown() override
    {
        CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    CdocDoc& Run() { return m_app->GetCurrentDocument()->m_doc; }
};

TEST_F(SimulatedLoggerDialogs, ClockSaysTheSimulatedLoggerCannotTakeIt)
{
    wxString name;
    xhwGetBoxName(name, 1, Run().m_boxInfo.m_info);
    DialogDriver<CgudClock> driver([&](CgudClock& dialog) {
        EXPECT_EQ(dialog.m_statusLabel->GetLabel(), gumGetString(426));
        EXPECT_EQ(dialog.m_loggerLabel->GetLabel(), name);
        EXPECT_TRUE(name.Contains("Simulated logger")) << name;
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        EXPECT_FALSE(dialog.FindWindow(wxID_OK)->IsEnabled());
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "clock-simulated-logger").empty());
        Press(dialog, wxID_CANCEL);
    });
    Command(ID_SET_CLOCK);
    EXPECT_TRUE(driver.m_done);
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

// A rule set in the dialog switches output 1 on and off as the channel
// passes its threshold during a run.
TEST_F(SimulatedLoggerDialogs, OutputRuleFollowsAChannelDuringARun)
{
    Command(ID_START);
    ASSERT_EQ(Run().m_state, DOC_STATE_RUNNING);
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Run().m_data.m_records >= 60; }));

    // The sensor channel that moves most over its range, and its middle.
    CdocField* chosen = nullptr;
    float middle = 0.0f;
    double widest = 0.0;
    const CdocData& data = Run().m_data;
    for (int f = 0; f < data.m_fields.GetCount(); ++f) {
        CdocField* field = data.m_fields.GetAt(f);
        if (field->m_content != CONTENT_SENSOR)
            continue;
        const float* first = field->m_samples;
        const auto [low, high] = std::minmax_element(first, first + data.m_records);
        const CxhwSenCalib& calib = field->m_fieldSensor.m_calib;
        const double span = (*high - *low) / std::max(1e-6, std::abs(double(calib.m_calMax - calib.m_calMin)));
        if (span > widest) {
            widest = span;
            chosen = field;
            middle = (*low + *high) / 2.0f;
        }
    }
    ASSERT_NE(chosen, nullptr);
    ASSERT_GT(widest, 0.1);

    CxhwBoxes* boxes = xhwGetBoxes();
    ASSERT_NE(boxes, nullptr);
    DialogDriver<CgudControl> driver([&](CgudControl& dialog) {
        EXPECT_EQ(dialog.m_output, 0);
        const int item = dialog.m_channelCtrl->SelectChannel(chosen);
        ASSERT_GE(item, 0);
        wxCommandEvent pick(wxEVT_COMBOBOX, ID_CONTROL_CHANNEL);
        pick.SetInt(item);
        dialog.GetEventHandler()->ProcessEvent(pick);
        static_cast<wxTextCtrl*>(dialog.FindWindow(ID_CONTROL_THRESHOLD))->SetValue(wxString::FromCDouble(middle, 4));
        EXPECT_TRUE(dialog.m_enableCtrl->GetValue());
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "control-simulated-logger").empty());
        Press(dialog, wxID_OK);
    });
    Command(ID_CONTROL);
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(Run().m_control.m_rules[0].m_enabled);

    bool on = false;
    bool offAfterOn = false;
    bool onAfterOff = false;
    EXPECT_TRUE(qvtest::PumpUntil([&] {
        const bool now = boxes->GetRequestedOutputs() & 1;
        offAfterOn = offAfterOn || (on && !now);
        onAfterOff = onAfterOff || (offAfterOn && now);
        on = on || now;
        return onAfterOff;
    }));
    EXPECT_EQ(boxes->GetRequestedOutputs() & ~1, 0);
    Command(ID_STOP);
}

} // namespace
