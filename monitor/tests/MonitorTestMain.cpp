// The monitor's window tests run with real widgets on the toolkit's
// offscreen platform: no desktop is needed.

#include <cstdlib>

#include <gtest/gtest.h>

#include "vcl/Application.h"

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    const int Result = RUN_ALL_TESTS();
    Application->Finalize();
    return Result;
}
