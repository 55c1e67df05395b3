#pragma once
// The stand-in's kernel objects and their handle table (private to win32).
//
// Waitable objects keep their signal state under one dispatcher lock, as the
// Windows kernel does. A thread that waits registers a waiter on each object
// it waits for; a change of state wakes exactly those waiters.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "win32/Types.h"

namespace win32_detail {

using TClock = std::chrono::steady_clock;
using TTimePoint = TClock::time_point;

class TKernelObject {
public:
    virtual ~TKernelObject() = default;
    // Called once by CloseHandle, outside every lock.
    virtual void OnClose() {}
};

// The lock under which every waitable object's state changes.
std::mutex& DispatcherLock();

struct TWaiter {
    std::condition_variable Wake;
};

class TWaitableObject : public TKernelObject {
public:
    // All of these run under the dispatcher lock.
    virtual bool Signalled(TTimePoint Now) = 0;
    // A wait was satisfied by this object (an auto-reset object resets).
    virtual void Satisfy() {}
    // When the object turns signalled by itself (a timer's due time).
    virtual std::optional<TTimePoint> DueTime() const { return std::nullopt; }

    void AddWaiter(TWaiter* Waiter) { FWaiters.push_back(Waiter); }
    void RemoveWaiter(TWaiter* Waiter);
    // Wakes the registered waiters to look at the object again.
    void NotifyWaiters();

private:
    std::vector<TWaiter*> FWaiters;
};

// Enters an object in the table; null (ERROR_NOT_ENOUGH_MEMORY) on failure.
HANDLE RegisterHandle(std::shared_ptr<TKernelObject> Object);
// The object of an open handle, or null.
std::shared_ptr<TKernelObject> LookupHandle(HANDLE Handle);
// Every object in the table now.
std::vector<std::shared_ptr<TKernelObject>> AllObjects();

// The object of an open handle of type T; null with ERROR_INVALID_HANDLE set
// when the handle is not open or is another kind of object.
template <class T>
std::shared_ptr<T> LookupAs(HANDLE Handle);

} // namespace win32_detail

#include "win32/LastError.h"

template <class T>
std::shared_ptr<T> win32_detail::LookupAs(HANDLE Handle)
{
    std::shared_ptr<T> Object = std::dynamic_pointer_cast<T>(LookupHandle(Handle));
    if (!Object)
        SetLastError(ERROR_INVALID_HANDLE);
    return Object;
}
