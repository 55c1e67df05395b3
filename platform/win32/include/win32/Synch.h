#pragma once
// Events, waitable timers and waits.
//
// Objects are unnamed (a name gives ERROR_INVALID_PARAMETER). A wait sleeps
// until an object it waits for is signalled or the time-out passes; nothing
// polls. Only waits for any one object are offered.

#include "win32/Handles.h"
#include "win32/Types.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

struct LARGE_INTEGER {
    LONGLONG QuadPart;
};

using PTIMERAPCROUTINE = void (*)(LPVOID Argument, DWORD TimerLowValue, DWORD TimerHighValue);

// A manual-reset event stays signalled until ResetEvent; an auto-reset event
// releases one wait and resets itself.
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES Security, BOOL ManualReset, BOOL InitialState, LPCSTR Name);
BOOL SetEvent(HANDLE Event);
BOOL ResetEvent(HANDLE Event);

// A timer starts not signalled and unarmed. SetWaitableTimer arms it and
// makes it not signalled; at the due time it turns signalled (a manual-reset
// timer stays so until it is set again; an auto-reset one releases one wait).
// DueTime > 0: absolute, in 100 ns units since 1601-01-01 UTC (a FILETIME);
// DueTime < 0: relative to now, in 100 ns units. Period in ms, 0 for once.
// A completion routine is not supported (ERROR_INVALID_PARAMETER); Resume is
// ignored. CancelWaitableTimer disarms it and leaves its state as it is.
HANDLE CreateWaitableTimer(LPSECURITY_ATTRIBUTES Security, BOOL ManualReset, LPCSTR Name);
BOOL SetWaitableTimer(HANDLE Timer, const LARGE_INTEGER* DueTime, LONG Period, PTIMERAPCROUTINE Completion,
                      LPVOID CompletionArgument, BOOL Resume);
BOOL CancelWaitableTimer(HANDLE Timer);

// WAIT_OBJECT_0 + i for the first signalled object i, WAIT_TIMEOUT, or
// WAIT_FAILED (ERROR_INVALID_HANDLE for a handle that is not an event or a
// timer; ERROR_INVALID_PARAMETER for no handles, more than
// MAXIMUM_WAIT_OBJECTS, or WaitAll).
DWORD WaitForSingleObject(HANDLE Object, DWORD Milliseconds);
DWORD WaitForMultipleObjects(DWORD Count, const HANDLE* Handles, BOOL WaitAll, DWORD Milliseconds);

void Sleep(DWORD Milliseconds);
