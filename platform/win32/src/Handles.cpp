#include "win32/Handles.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "KernelObject.h"
#include "win32/LastError.h"

namespace win32_detail {

namespace {

// Handle values are small multiples of 4 that are never reused, so a stale
// handle never reaches a newer object. The table lives until the process
// ends: threads may still close handles while static objects are destroyed.
struct THandleTable {
    std::mutex Lock;
    std::map<std::uintptr_t, std::shared_ptr<TKernelObject>> Objects;
    std::uintptr_t Next = 0x100;
};

THandleTable& Table()
{
    static THandleTable* Instance = new THandleTable;
    return *Instance;
}

} // namespace

std::mutex& DispatcherLock()
{
    static std::mutex* Lock = new std::mutex;
    return *Lock;
}

void TWaitableObject::RemoveWaiter(TWaiter* Waiter)
{
    std::erase(FWaiters, Waiter);
}

void TWaitableObject::NotifyWaiters()
{
    for (TWaiter* Waiter : FWaiters)
        Waiter->Wake.notify_one();
}

HANDLE RegisterHandle(std::shared_ptr<TKernelObject> Object)
{
    THandleTable& T = Table();
    try {
        std::lock_guard<std::mutex> Guard(T.Lock);
        std::uintptr_t Value = T.Next;
        T.Objects.emplace(Value, std::move(Object));
        T.Next += 4;
        return reinterpret_cast<HANDLE>(Value);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

std::shared_ptr<TKernelObject> LookupHandle(HANDLE Handle)
{
    THandleTable& T = Table();
    std::lock_guard<std::mutex> Guard(T.Lock);
    auto Found = T.Objects.find(reinterpret_cast<std::uintptr_t>(Handle));
    return Found == T.Objects.end() ? nullptr : Found->second;
}

std::vector<std::shared_ptr<TKernelObject>> AllObjects()
{
    THandleTable& T = Table();
    std::lock_guard<std::mutex> Guard(T.Lock);
    std::vector<std::shared_ptr<TKernelObject>> Result;
    Result.reserve(T.Objects.size());
    for (const auto& Entry : T.Objects)
        Result.push_back(Entry.second);
    return Result;
}

} // namespace win32_detail

BOOL CloseHandle(HANDLE Object)
{
    using namespace win32_detail;
    std::shared_ptr<TKernelObject> Closed;
    {
        THandleTable& T = Table();
        std::lock_guard<std::mutex> Guard(T.Lock);
        auto Found = T.Objects.find(reinterpret_cast<std::uintptr_t>(Object));
        if (Found == T.Objects.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        Closed = std::move(Found->second);
        T.Objects.erase(Found);
    }
    Closed->OnClose();
    return TRUE;
}
