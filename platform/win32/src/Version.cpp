#include "win32/Version.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <sys/utsname.h>

#include "win32/LastError.h"

namespace {

std::atomic<DWORD> ReportedPlatformId{0};

} // namespace

BOOL GetVersionEx(OSVERSIONINFO* Info)
{
    if (!Info || Info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memset(reinterpret_cast<char*>(Info) + sizeof(DWORD), 0, sizeof(OSVERSIONINFO) - sizeof(DWORD));
    utsname Name{};
    unsigned Major = 0, Minor = 0, Build = 0;
    if (uname(&Name) == 0)
        std::sscanf(Name.release, "%u.%u.%u", &Major, &Minor, &Build);
    Info->dwMajorVersion = Major;
    Info->dwMinorVersion = Minor;
    Info->dwBuildNumber = Build;
    const DWORD Forced = ReportedPlatformId.load();
    Info->dwPlatformId = Forced ? Forced : VER_PLATFORM_WIN32_NT;
    return TRUE;
}

DWORD SetReportedPlatformId(DWORD PlatformId)
{
    return ReportedPlatformId.exchange(PlatformId);
}
