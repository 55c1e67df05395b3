// The main of every desktop test program: the tests run with real widgets
// on a virtual X server with a window manager of their own (see Desktop.h).
// Listing the tests starts nothing.

#include <gtest/gtest.h>

#include <memory>

#include "vcl/Application.h"
#include "vcl/GraphicalSession.h"
#include "vcl/testing/Desktop.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    UsePrivateRuntimeFolder(VTX_TEST_RUNTIME_DIR);
    TDesktop Desktop;
    // Without a desktop every test says why it is skipped.
    if (!TDesktop::Running())
        return RUN_ALL_TESTS();
    Application->Initialize();
    int Result = RUN_ALL_TESTS();
    Application->Finalize();
    return Result;
}
