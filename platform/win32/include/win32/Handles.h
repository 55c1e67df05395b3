#pragma once
// Handles of the stand-in's kernel objects: events, waitable timers and COM
// devices. A handle stays valid until CloseHandle; a thread still using the
// object at that moment finishes its call safely.

#include "win32/Types.h"

// Security attributes are not used by this system: always null.
using LPSECURITY_ATTRIBUTES = void*;

// FALSE (ERROR_INVALID_HANDLE) for a handle that is not open.
BOOL CloseHandle(HANDLE Object);
