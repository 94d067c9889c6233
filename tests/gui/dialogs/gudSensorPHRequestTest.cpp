// Test label: threads
// The pH calibration written into the logger: what the logger is sent, its
// refusals, and the simulated logger, which cannot take one.
#include "dialogs/gudSensorPH.h"
#include "gui/document/docCommandFixture.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/appTest.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

// Serves the first request posted to the logger manager as a logger that
// gives the driver result `result` would, on a thread of its own as the box
// thread does.
class CphLogger
{
public:
    explicit CphLogger(int result) : m_thread([this, result] { Serve(result); }) {}
    ~CphLogger()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    // The request as the logger got it (code 0 when none came).
    CxutBoxRequest Join()
    {
        m_thread.join();
        return m_got;
    }

private:
    void Serve(int result)
    {
        CxhwBox& box = xhwGetBoxes()->m_box;
        for (int i = 0; i < 6000 && !m_stop; ++i) {
            CxutBoxRequest request;
            if (box.BeginRequest(request)) {
                m_got = request;
                request.m_result = result;
                request.m_answer = result == 0   ? BOX_ANSWER_DONE
                                   : result == 2 ? BOX_ANSWER_UNSUPPORTED
                                                 : BOX_ANSWER_FAILED;
                box.EndRequest(request);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    std::atomic<bool> m_stop{false};
    CxutBoxRequest m_got;
    std::thread m_thread;
};

void Choose(wxDialog& dialog, int id)
{
    auto* radio = static_cast<wxRadioButton*>(dialog.FindWindow(id));
    radio->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, id);
    click.SetEventObject(radio);
    click.SetInt(1);
    dialog.GetEventHandler()->ProcessEvent(click);
}

class SensorPHRequest : public qvtest::DocCommandTest
{
protected:
    CdocField& Sensor()
    {
        Make("TS");
        CdocField& field = *At(1);
        field.m_fieldSensor.m_calib.m_gain = 1.2f;
        field.m_fieldSensor.m_calib.m_offset = 0.3f;
        field.m_socket = 2;
        field.m_places = 2;
        field.m_current = 6.8f;
        Doc().m_boxInfo.m_info.m_hardware = BOX_TYPE_MIVA;
        return field;
    }
};

TEST_F(SensorPHRequest, ATwoPointCalibrationWithATypedBufferIsWrittenAndItsBufferRemembered)
{
    CdocField& field = Sensor();
    CphLogger logger(0);
    DialogDriver<CgudSensorPH> driver([&](CgudSensorPH& dialog) {
        Choose(dialog, ID_SENSOR_PH_TWO);
        Choose(dialog, ID_SENSOR_PH_CUSTOM);
        static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_BUFFER))->SetValue("6.50");
        Press(dialog, ID_SENSOR_PH_FIRST);
        field.m_current = 6.55f;
        Press(dialog, ID_SENSOR_PH_SECOND);
        Press(dialog, wxID_OK);
        if (dialog.IsModal())
            dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_TRUE(gudCalibratePH(&Doc(), KeyOf(&field)));
    ASSERT_TRUE(driver.m_done);
    const CxutBoxRequest sent = logger.Join();
    EXPECT_EQ(sent.m_code, BOX_REQUEST_PH_CALIBRATE);
    EXPECT_EQ(sent.m_input, 2);
    // Gain (7.0 - 6.5) x 1.2 / (6.8 - 6.55) = 2.4; offset 7.0 - (6.8 - 0.3) x 2.4 / 1.2 = -6.
    EXPECT_NEAR(sent.m_gain, 2.4f, 1e-5f);
    EXPECT_NEAR(sent.m_offset, -6.0f, 1e-4f);
    EXPECT_TRUE(m_boxes.m_calls.empty());

    // The next opening offers the typed buffer again.
    wxString shown;
    bool custom = false;
    DialogDriver<CgudSensorPH> again([&](CgudSensorPH& dialog) {
        shown = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_BUFFER))->GetValue();
        custom = static_cast<wxRadioButton*>(dialog.FindWindow(ID_SENSOR_PH_CUSTOM))->GetValue();
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_FALSE(gudCalibratePH(&Doc(), KeyOf(&field)));
    ASSERT_TRUE(again.m_done);
    EXPECT_EQ(shown, "6.50");
    EXPECT_TRUE(custom);
}

TEST_F(SensorPHRequest, ARefusedCalibrationKeepsTheDialogOpen)
{
    struct Case
    {
        int result;
        const char* message;
    };
    const Case cases[] = {
        {14, "Calibration out of range."},
        {15, "Calibration out of range."},
        // A logger type without pH calibration.
        {2, "Unable to set sensor calibration.\n\nThis logger cannot store a calibration in the sensor."},
        {1, "Unable to set sensor calibration.\n\nThe logger did not accept the calibration (error 1)."},
        // Nobody answers within the 2 s.
        {-1, "Unable to set sensor calibration.\n\nThe logger did not answer. Check that it is still connected, "
             "then try again."},
    };
    CdocField& field = Sensor();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        m_boxes.m_calls.clear();
        field.m_current = 6.8f;
        std::unique_ptr<CphLogger> logger;
        if (c.result >= 0)
            logger = std::make_unique<CphLogger>(c.result);
        bool stayed = false;
        DialogDriver<CgudSensorPH> driver([&](CgudSensorPH& dialog) {
            Press(dialog, ID_SENSOR_PH_FIRST);
            Press(dialog, wxID_OK);
            stayed = dialog.IsModal();
            dialog.EndModal(wxID_CANCEL);
        });
        EXPECT_FALSE(gudCalibratePH(&Doc(), KeyOf(&field)));
        ASSERT_TRUE(driver.m_done);
        EXPECT_TRUE(stayed);
        if (logger) {
            const CxutBoxRequest sent = logger->Join();
            EXPECT_EQ(sent.m_gain, 1.2f);
            EXPECT_NEAR(sent.m_offset, 0.5f, 1e-6f);
        }
        ASSERT_EQ(m_boxes.m_calls.size(), 1u);
        EXPECT_EQ(m_boxes.m_calls[0].text, c.message);
    }
}

// The simulated logger serves no pH calibration: the request goes unanswered
// and the user is told after the 2 s wait.
class SimulatedPH : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        CappTest::SetUp();
    }

    void TearDown() override
    {
        CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }
};

TEST_F(SimulatedPH, TheSimulatedLoggerDoesNotTakeACalibration)
{
    CgumDoc* doc = nullptr;
    CdocField* field = nullptr;
    ASSERT_TRUE(qvtest::PumpUntil([&] {
        doc = m_app->GetCurrentDocument();
        CdocFieldKey sensor;
        field = nullptr;
        if (doc && doc->m_doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED &&
            doc->m_doc.m_data.m_fields.GetSensor(sensor, 0))
            field = doc->m_doc.m_data.m_fields.Find(sensor);
        return field && !docIsNoValue(field->m_current);
    }));
    // The simulated logger has no pH electrode: its first sensor stands in for one.
    EXPECT_FALSE(gudCanCalibratePH(&doc->m_doc, CdocFieldKey(field->m_key, -1, nullptr)));
    field->m_fieldSensor.m_calib.m_fDlgPH = true;
    ASSERT_TRUE(gudCanCalibratePH(&doc->m_doc, CdocFieldKey(field->m_key, -1, nullptr)));
    bool stayed = false;
    wxString monitor;
    DialogDriver<CgudSensorPH> driver([&](CgudSensorPH& dialog) {
        qvtest::PumpUntil([&] {
            monitor = static_cast<wxTextCtrl*>(dialog.FindWindow(ID_SENSOR_PH_MONITOR))->GetValue();
            return !monitor.empty();
        });
        Press(dialog, ID_SENSOR_PH_FIRST);
        qvtest::SaveScreenshot(&dialog, "SensorPHSimulated");
        Press(dialog, wxID_OK);
        stayed = dialog.IsModal();
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_FALSE(gudCalibratePH(&doc->m_doc, CdocFieldKey(field->m_key, -1, nullptr)));
    ASSERT_TRUE(driver.m_done);
    EXPECT_FALSE(monitor.empty());
    EXPECT_TRUE(stayed);
    ASSERT_EQ(m_boxes->m_calls.size(), 1u);
    EXPECT_EQ(m_boxes->m_calls[0].text,
              "Unable to set sensor calibration.\n\nThis logger cannot store a calibration in the sensor.");
}

} // namespace
