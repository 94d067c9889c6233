// The pH calibration dialog: the new gain and offset from one or two
// buffers, when Calibrate is allowed, the remembered buffer and a sensor that
// goes away.
#include "dialogs/gudSensorPH.h"
#include "gui/document/docCommandFixture.h"
#include "hardware/xhwBoxes.h"

#include <wx/radiobut.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class SensorPH : public qvtest::DocCommandTest
{
protected:
    // A sensor channel whose calibration has the given gain and offset,
    // reading `current` now, shown with two places.
    CdocField& Sensor(float gain, float offset, float current)
    {
        Make("TS");
        CdocField& field = *At(1);
        field.m_fieldSensor.m_calib.m_gain = gain;
        field.m_fieldSensor.m_calib.m_offset = offset;
        field.m_current = current;
        field.m_places = 2;
        return field;
    }

    void Attach(CgudSensorPH& dialog, CdocField& field)
    {
        dialog.m_doc = &Doc();
        dialog.m_field = KeyOf(&field);
        dialog.TransferDataToWindow();
    }

    static void Choose(wxDialog& dialog, int id)
    {
        auto* radio = static_cast<wxRadioButton*>(dialog.FindWindow(id));
        radio->SetValue(true);
        wxCommandEvent click(wxEVT_RADIOBUTTON, id);
        click.SetEventObject(radio);
        click.SetInt(1);
        dialog.GetEventHandler()->ProcessEvent(click);
    }

    static bool Enabled(wxDialog& dialog, int id)
    {
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return dialog.FindWindow(id)->IsEnabled();
    }

    static wxString Monitor(wxDialog& dialog)
    {
        return static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_MONITOR))->GetValue();
    }

    bool RequestPosted()
    {
        CxutBoxRequest slot;
        xhwGetBoxes()->m_box.GetRequest(slot);
        return slot.m_code != BOX_REQUEST_NONE;
    }
};

TEST_F(SensorPH, OneBufferShiftsTheOffsetAndKeepsTheGain)
{
    CdocField& field = Sensor(1.2f, 0.3f, 6.8f);
    CgudSensorPH dialog(nullptr, ID_SENSOR_PH_DIALOG, "pH Calibration");
    Attach(dialog, field);
    EXPECT_FALSE(Enabled(dialog, wxID_OK));
    Press(dialog, ID_SENSOR_PH_FIRST);
    EXPECT_TRUE(dialog.m_firstTaken);
    EXPECT_EQ(dialog.m_g, 1.2f);
    // (7.0 + 0.3) - 6.8, in single precision.
    EXPECT_NEAR(dialog.m_o, 0.5f, 1e-6f);
    // The reading that gave the point now reads as the buffer.
    EXPECT_EQ(Monitor(dialog), "7.00");
    EXPECT_TRUE(Enabled(dialog, wxID_OK));
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

TEST_F(SensorPH, TwoBuffersSetGainAndOffset)
{
    CdocField& field = Sensor(1.0f, 0.0f, 6.9f);
    CgudSensorPH dialog(nullptr, ID_SENSOR_PH_DIALOG, "pH Calibration");
    Attach(dialog, field);
    Choose(dialog, ID_SENSOR_PH_TWO);
    EXPECT_TRUE(Enabled(dialog, ID_SENSOR_PH_SECOND));
    EXPECT_FALSE(Enabled(dialog, ID_SENSOR_PH_BUFFER)); // pH 4.01 chosen, not the typed buffer
    Press(dialog, ID_SENSOR_PH_FIRST);
    EXPECT_FALSE(Enabled(dialog, wxID_OK)); // the second point is still missing
    field.m_current = 4.2f;
    Press(dialog, ID_SENSOR_PH_SECOND);
    EXPECT_TRUE(Enabled(dialog, wxID_OK));
    // Gain (7.00 - 4.01) / (6.9 - 4.2) = 1.1074074; offset 7.0 - 6.9 x gain.
    EXPECT_NEAR(dialog.m_g, 1.1074074f, 2e-6f);
    EXPECT_NEAR(dialog.m_o, -0.6411111f, 4e-6f);
    EXPECT_EQ(Monitor(dialog), "4.01");
    EXPECT_TRUE(m_boxes.m_calls.empty());

    // Back to one point: the second is dropped, the first kept.
    Choose(dialog, ID_SENSOR_PH_SINGLE);
    dialog.RefreshMonitor();
    EXPECT_FALSE(dialog.m_secondTaken);
    EXPECT_TRUE(dialog.m_firstTaken);
    EXPECT_EQ(dialog.m_g, 1.0f);
}

TEST_F(SensorPH, TwoPointsWithoutADifferenceAreNoCalibration)
{
    struct Case
    {
        const char* name;
        float second;   // the reading at the second point
        int buffer;     // the second buffer's radio button
        const char* typed;
    };
    const Case cases[] = {
        {"equal readings", 6.9f, ID_SENSOR_PH_401, ""},
        {"a typed buffer of 7.00", 4.2f, ID_SENSOR_PH_CUSTOM, "7.00"},
        {"a typed buffer that is no number", 4.2f, ID_SENSOR_PH_CUSTOM, "1-2"},
    };
    CdocField& field = Sensor(1.0f, 0.0f, 6.9f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.m_calls.clear();
        field.m_current = 6.9f;
        CgudSensorPH dialog(nullptr, ID_SENSOR_PH_DIALOG, "pH Calibration");
        Attach(dialog, field);
        Choose(dialog, ID_SENSOR_PH_TWO);
        Choose(dialog, c.buffer);
        static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_BUFFER))->ChangeValue(c.typed);
        Press(dialog, ID_SENSOR_PH_FIRST);
        field.m_current = c.second;
        Press(dialog, ID_SENSOR_PH_SECOND);
        ASSERT_TRUE(m_boxes.m_calls.empty()); // the first point still counts
        // The monitor follows the one-point shift from the first point.
        EXPECT_EQ(dialog.m_g, 1.0f);
        EXPECT_NEAR(dialog.m_o, 7.0f - 6.9f, 1e-6f);
        Press(dialog, wxID_OK);
        ASSERT_EQ(m_boxes.m_calls.size(), 1u);
        EXPECT_EQ(m_boxes.m_calls[0].text, "Invalid calibration.");
        EXPECT_FALSE(RequestPosted());
    }
}

// A sensor record with gain 0 cannot be rescaled: the dialog must neither
// divide by it nor send a gain of 0 to the logger.
TEST_F(SensorPH, APresentGainOfZeroIsAnInvalidCalibration)
{
    CdocField& field = Sensor(0.0f, 0.3f, 6.8f);
    CgudSensorPH dialog(nullptr, ID_SENSOR_PH_DIALOG, "pH Calibration");
    Attach(dialog, field);
    dialog.RefreshMonitor();
    EXPECT_EQ(Monitor(dialog), "6.80");
    Press(dialog, ID_SENSOR_PH_FIRST);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "Invalid calibration.");
    EXPECT_EQ(Monitor(dialog), "6.80");
    Press(dialog, wxID_OK);
    ASSERT_EQ(m_boxes.m_calls.size(), 2u);
    EXPECT_EQ(m_boxes.m_calls[1].text, "Invalid calibration.");
    EXPECT_FALSE(RequestPosted());
}

TEST_F(SensorPH, APointWithoutAReadingIsReported)
{
    CdocField& field = Sensor(1.0f, 0.0f, DOC_NO_VALUE);
    CgudSensorPH dialog(nullptr, ID_SENSOR_PH_DIALOG, "pH Calibration");
    Attach(dialog, field);
    Press(dialog, ID_SENSOR_PH_FIRST);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "Invalid calibration.");
    EXPECT_EQ(Monitor(dialog), "");
}

TEST_F(SensorPH, TheFirstOpeningOffersFiveAndACancelRemembersNothing)
{
    CdocField& field = Sensor(1.0f, 0.0f, 6.9f);
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        wxString shown;
        bool custom = true;
        DialogDriver<CgudSensorPH> driver([&](CgudSensorPH& dialog) {
            shown = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_BUFFER))->GetValue();
            custom = static_cast<wxRadioButton*>(dialog.FindWindow(ID_SENSOR_PH_CUSTOM))->GetValue();
            qvtest::SaveScreenshot(&dialog, "SensorPH");
            Choose(dialog, ID_SENSOR_PH_TWO);
            Choose(dialog, ID_SENSOR_PH_CUSTOM);
            static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_BUFFER))->SetValue("6.5");
            dialog.EndModal(wxID_CANCEL);
        });
        EXPECT_FALSE(gudCalibratePH(&Doc(), KeyOf(&field)));
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(shown, "5.00");
        EXPECT_FALSE(custom);
    }
}

TEST_F(SensorPH, ASensorThatGoesAwayEndsTheDialog)
{
    CdocField& field = Sensor(1.0f, 0.0f, 6.9f);
    const CdocFieldKey key = KeyOf(&field);
    DialogDriver<CgudSensorPH> driver([&](CgudSensorPH& dialog) { Doc().m_data.DeleteField(key); });
    EXPECT_FALSE(gudCalibratePH(&Doc(), key));
    ASSERT_TRUE(driver.m_done);
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, "The sensor has been disconnected.");
}

TEST_F(SensorPH, TheRunnerRefusesWhatItCannotCalibrate)
{
    CdocField& field = Sensor(1.0f, 0.0f, 6.9f);
    DialogDriver<CgudSensorPH> driver([](CgudSensorPH& dialog) { dialog.EndModal(wxID_CANCEL); });
    Doc().SetState(DOC_STATE_STOPPED);
    EXPECT_FALSE(gudCalibratePH(&Doc(), KeyOf(&field)));
    Doc().SetState(DOC_STATE_READY);
    field.m_fieldSensor.m_calib.m_fDlgPH = false;
    EXPECT_FALSE(gudCalibratePH(&Doc(), KeyOf(&field)));
    EXPECT_FALSE(gudCalibratePH(&Doc(), KeyOf(At(0)))); // elapsed time
    EXPECT_FALSE(driver.m_done);
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

} // namespace
