// The main of every window test program: the tests run with real widgets
// on the toolkit's offscreen platform, so no desktop is needed.

#include <QByteArray>
#include <gtest/gtest.h>

#include "vcl/Application.h"
#include "vcl/GraphicalSession.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Where the session names no runtime folder, the tests share one in the
    // build folder.
    UsePrivateRuntimeFolder(VTX_TEST_RUNTIME_DIR);
    ::testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    int Result = RUN_ALL_TESTS();
    Application->Finalize();
    return Result;
}
