#include "win32/SysTime.h"

#include <chrono>

#include "win32/LastError.h"

namespace {

bool IsLeapYear(long long Y)
{
    return (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0;
}

int DaysInMonth(long long Y, int M)
{
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return M == 2 && IsLeapYear(Y) ? 29 : Days[M - 1];
}

// Days from 1601-01-01 to the given date of the proleptic Gregorian calendar.
long long DaysSince1601(long long Y, int M, int D)
{
    const long long Years = Y - 1601;
    long long Days = Years * 365 + Years / 4 - Years / 100 + Years / 400;
    for (int i = 1; i < M; ++i)
        Days += DaysInMonth(Y, i);
    return Days + D - 1;
}

} // namespace

void GetSystemTime(SYSTEMTIME* SystemTime)
{
    using namespace std::chrono;
    if (!SystemTime)
        return;
    const auto Now = time_point_cast<milliseconds>(system_clock::now());
    const auto Day = floor<days>(Now);
    const year_month_day Date{Day};
    const hh_mm_ss<milliseconds> Time{Now - Day};
    SystemTime->wYear = static_cast<WORD>(static_cast<int>(Date.year()));
    SystemTime->wMonth = static_cast<WORD>(static_cast<unsigned>(Date.month()));
    SystemTime->wDay = static_cast<WORD>(static_cast<unsigned>(Date.day()));
    SystemTime->wDayOfWeek = static_cast<WORD>(weekday{Day}.c_encoding());
    SystemTime->wHour = static_cast<WORD>(Time.hours().count());
    SystemTime->wMinute = static_cast<WORD>(Time.minutes().count());
    SystemTime->wSecond = static_cast<WORD>(Time.seconds().count());
    SystemTime->wMilliseconds = static_cast<WORD>(Time.subseconds().count());
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* SystemTime, FILETIME* FileTime)
{
    if (!SystemTime || !FileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& S = *SystemTime;
    if (S.wYear < 1601 || S.wYear > 30827 || S.wMonth < 1 || S.wMonth > 12 || S.wDay < 1 ||
        S.wDay > DaysInMonth(S.wYear, S.wMonth) || S.wHour > 23 || S.wMinute > 59 || S.wSecond > 59 ||
        S.wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const long long Seconds = DaysSince1601(S.wYear, S.wMonth, S.wDay) * 86400LL + S.wHour * 3600LL +
                              S.wMinute * 60LL + S.wSecond;
    const unsigned long long Units = static_cast<unsigned long long>(Seconds) * 10'000'000ULL +
                                     static_cast<unsigned long long>(S.wMilliseconds) * 10'000ULL;
    FileTime->dwLowDateTime = static_cast<DWORD>(Units & 0xFFFFFFFFULL);
    FileTime->dwHighDateTime = static_cast<DWORD>(Units >> 32);
    return TRUE;
}
