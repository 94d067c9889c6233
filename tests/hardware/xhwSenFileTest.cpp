#include "app/gumResCore.h"
#include "hardware/xhwSenFile.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <gtest/gtest.h>

TEST(SensorDatabase, MissingOrEmptyFileShowsEntry573AndPath)
{
    const std::string root = qvtest::MakeResourceTree("sensors");
    CgumResCore res;
    qvtest::WriteFile(root + "/QuorvantiRes/Strings.txt", "573:Cannot open the file \n");
    ASSERT_TRUE(res.LoadStrings());
    qvtest::CtestBoxes boxes;
    CxhwSenFile sensors;
    const std::string path = root + "/QuorvantiRes/Sensors.txt";
    EXPECT_FALSE(sensors.Load());
    qvtest::WriteFile(path, "");
    EXPECT_FALSE(sensors.Load());
    ASSERT_EQ(boxes.m_calls.size(), 2u);
    EXPECT_EQ(boxes.m_calls[1].text, wxString("Cannot open the file " + path));
    qvtest::WriteFile(path, "%%VERSION 1\n");
    EXPECT_TRUE(sensors.Load());
    EXPECT_EQ(boxes.m_calls.size(), 2u);
    ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1);
}

TEST(SensorDatabase, ShippedFileLoads)
{
    CgumResCore res;
    ASSERT_TRUE(res.LoadStrings());
    CxhwSenFile sensors;
    EXPECT_TRUE(sensors.Load());
}
