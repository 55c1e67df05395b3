#pragma once
// Small steps on overlapped records shared by the sender and the worker.

#include "win32/FileIo.h"
#include "win32/Synch.h"

namespace YVclCtrl {

// Zeroes the offset and status words of a record; its event stays.
inline void ClearStatus(OVERLAPPED& Ov)
{
    Ov.Internal = 0;
    Ov.InternalHigh = 0;
    Ov.Offset = 0;
    Ov.OffsetHigh = 0;
}

// Resets an event that was created (null when its creation failed).
inline void ResetIfCreated(HANDLE Event)
{
    if (Event)
        ResetEvent(Event);
}

} // namespace YVclCtrl
