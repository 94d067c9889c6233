#pragma once
#include "app/base/gumResCore.h"
#include "hardware/xhwSenFile.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace qvtest {

// A few string-table entries that sensor files refer to.
inline const char* SensorStrings()
{
    return "490:to\n"
           "573:Cannot open the file \n"
           "1001:'C\n1002:'F\n1023:pH\n"
           "1070:Temperature\n"
           "1101:Celsius\n1102:Fahrenheit\n1123:pH\n"
           "2398:Standard\n2399:Alternative\n";
}

// A private resource tree with a small string table, and a sensor database
// loaded from the text each test gives.
class SensorFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root = MakeResourceTree("sensors");
        WriteFile(m_root + "/QuorvantiRes/Strings.txt", SensorStrings());
        ASSERT_TRUE(m_res.LoadStrings());
    }

    void TearDown() override { ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1); }

    bool LoadText(const std::string& text)
    {
        WriteFile(m_root + "/QuorvantiRes/Sensors.txt", text);
        return m_db.Load();
    }

    std::string m_root;
    CgumResCore m_res;
    CtestBoxes m_boxes;
    CxhwSenFile m_db;
};

} // namespace qvtest
