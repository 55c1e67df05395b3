#pragma once
// GetVersionEx: which Windows family the program runs on.
//
// On Linux the stand-in reports the NT family (VER_PLATFORM_WIN32_NT) with
// the kernel's major and minor release numbers.

#include "win32/Types.h"

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;   // the older family (95, 98, Me)
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;   // set by the caller: sizeof(OSVERSIONINFO)
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFO) == 148);

// FALSE (ERROR_INVALID_PARAMETER) for a null record or one whose size field
// is not 148.
BOOL GetVersionEx(OSVERSIONINFO* VersionInformation);

// For tests: the platform id that GetVersionEx reports from now on (0: the
// real one, VER_PLATFORM_WIN32_NT). Returns the previous setting.
DWORD SetReportedPlatformId(DWORD PlatformId);
