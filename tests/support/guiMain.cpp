#include "support/testEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qvtest::IsolateEnvironment();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
