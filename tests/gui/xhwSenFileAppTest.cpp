#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>

// The program starts with its own sensor database, which every part of it
// reaches as the one the application holds.
TEST(SensorDatabaseApp, ProgramStartsWithItsSensorDatabase)
{
    qvtest::CtestBoxes boxes;
    CgumApp& app = qvtest::CreateApp();
    ASSERT_TRUE(app.CallOnInit());
    // Start-up is over once the logger search has answered.
    ASSERT_TRUE(qvtest::WaitForLoggerSearch(app));
    EXPECT_TRUE(boxes.m_calls.empty());
    EXPECT_EQ(xhwGetSenFile(), &app.m_senFile);
    EXPECT_GT(app.m_senFile.GetSensorCount(), 30);

    CxhwSensor sensor;
    sensor.m_idCode = 1;
    sensor.m_idType = 7;
    ASSERT_TRUE(sensor.UseDefaultCalibration());
    EXPECT_EQ(sensor.m_calib.m_name, "Temperature");
    EXPECT_EQ(sensor.m_calib.m_units, wxString::FromUTF8("°C"));
    const float value = sensor.Convert(0x8000);
    EXPECT_GT(value, 0.0f);
    EXPECT_LT(value, 100.0f);

    EXPECT_TRUE(qvtest::CloseMainFrame(app));
    app.OnExit();
}
