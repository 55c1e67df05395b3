#include "win32/LastError.h"

namespace {
thread_local DWORD LastError = ERROR_SUCCESS;
}

DWORD GetLastError()
{
    return LastError;
}

void SetLastError(DWORD Code)
{
    LastError = Code;
}
