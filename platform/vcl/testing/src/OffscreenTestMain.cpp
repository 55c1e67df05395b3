// The main of every window test program: the tests run with real widgets
// on the toolkit's offscreen platform, so no desktop is needed.

#include <QByteArray>
#include <gtest/gtest.h>

#include "vcl/Application.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    int Result = RUN_ALL_TESTS();
    Application->Finalize();
    return Result;
}
