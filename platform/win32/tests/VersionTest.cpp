#include <gtest/gtest.h>

#include "win32/LastError.h"
#include "win32/Version.h"

TEST(GetVersionEx, ReportsTheNtFamilyAndRefusesAWrongRecordSize)
{
    OSVERSIONINFO Info{};
    Info.dwOSVersionInfoSize = sizeof(Info);
    ASSERT_TRUE(GetVersionEx(&Info));
    EXPECT_EQ(Info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_GT(Info.dwMajorVersion, 0u) << "the kernel's release";

    Info.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionEx(&Info));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(GetVersionEx(nullptr));
}

TEST(GetVersionEx, TestsCanChooseThePlatformId)
{
    const DWORD Previous = SetReportedPlatformId(VER_PLATFORM_WIN32_WINDOWS);
    OSVERSIONINFO Info{};
    Info.dwOSVersionInfoSize = sizeof(Info);
    ASSERT_TRUE(GetVersionEx(&Info));
    EXPECT_EQ(Info.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);
    SetReportedPlatformId(Previous);
    ASSERT_TRUE(GetVersionEx(&Info));
    EXPECT_EQ(Info.dwPlatformId, VER_PLATFORM_WIN32_NT);
}
