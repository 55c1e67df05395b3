// The main of every window test program: the tests run with real widgets
// on the toolkit's offscreen platform, so no desktop is needed.

#include <QByteArray>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "vcl/Application.h"

namespace {

// The toolkit wants a private runtime folder (mode 0700) and warns in every
// program started without one; where the session gives none, the tests
// share one in the build folder.
void UsePrivateRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    mkdir(VTX_TEST_RUNTIME_DIR, 0700);
    chmod(VTX_TEST_RUNTIME_DIR, 0700);
    qputenv("XDG_RUNTIME_DIR", VTX_TEST_RUNTIME_DIR);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    UsePrivateRuntimeFolder();
    ::testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    int Result = RUN_ALL_TESTS();
    Application->Finalize();
    return Result;
}
