#include "support/testEnvironment.h"

#include <gtest/gtest.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    qvtest::IsolateEnvironment();
    testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer;
    if (!initializer.IsOk())
        return 2;
    return RUN_ALL_TESTS();
}
