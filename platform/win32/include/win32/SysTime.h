#pragma once
// The system time (UTC) and its conversion to a file time.

#include "win32/Types.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;         // 1..12
    WORD wDayOfWeek;     // 0 = Sunday; ignored by SystemTimeToFileTime
    WORD wDay;           // 1..31
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// 100 ns units since 1601-01-01 00:00 UTC, in two halves.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// The current date and time in UTC, to the millisecond.
void GetSystemTime(SYSTEMTIME* SystemTime);

// FALSE (ERROR_INVALID_PARAMETER) for a date or time out of range: years
// 1601..30827, a day that the month does not have, hours 0..23 and so on.
BOOL SystemTimeToFileTime(const SYSTEMTIME* SystemTime, FILETIME* FileTime);
