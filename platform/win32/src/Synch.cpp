#include "win32/Synch.h"

#include <algorithm>
#include <thread>

#include "KernelObject.h"
#include "win32/LastError.h"

namespace win32_detail {

namespace {

class TEvent : public TWaitableObject {
public:
    TEvent(bool ManualReset, bool Initial) : FManualReset(ManualReset), FSignalled(Initial) {}
    bool Signalled(TTimePoint) override { return FSignalled; }
    void Satisfy() override
    {
        if (!FManualReset)
            FSignalled = false;
    }
    void Set(bool Value)
    {
        FSignalled = Value;
        if (Value)
            NotifyWaiters();
    }

private:
    bool FManualReset;
    bool FSignalled;
};

class TWaitableTimer : public TWaitableObject {
public:
    explicit TWaitableTimer(bool ManualReset) : FManualReset(ManualReset) {}

    bool Signalled(TTimePoint Now) override
    {
        if (FArmed && Now >= FDue) {
            FSignalled = true;
            if (FPeriod.count() > 0) {
                while (FDue <= Now)
                    FDue += FPeriod;
            } else {
                FArmed = false;
            }
        }
        return FSignalled;
    }
    void Satisfy() override
    {
        if (!FManualReset)
            FSignalled = false;
    }
    std::optional<TTimePoint> DueTime() const override
    {
        if (!FArmed)
            return std::nullopt;
        return FDue;
    }
    void Arm(TTimePoint Due, std::chrono::milliseconds Period)
    {
        FSignalled = false;
        FArmed = true;
        FDue = Due;
        FPeriod = Period;
        // Waiters compute their wake-up from the due time: let them look again.
        NotifyWaiters();
    }
    void Disarm() { FArmed = false; }

private:
    bool FManualReset;
    bool FSignalled = false;
    bool FArmed = false;
    TTimePoint FDue{};
    std::chrono::milliseconds FPeriod{0};
};

using T100ns = std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>;

// 100 ns units between 1601-01-01 and 1970-01-01.
constexpr LONGLONG FileTimeOfUnixEpoch = 116444736000000000LL;
// Due times further away than this are treated as this far: a century is
// "never" for a process, and the steady clock cannot hold much more.
constexpr LONGLONG FarthestDue = 100LL * 366 * 24 * 3600 * 10'000'000;

TTimePoint SteadyDueTime(LONGLONG DueTime)
{
    using namespace std::chrono;
    LONGLONG Ahead;
    if (DueTime < 0) {
        Ahead = DueTime < -FarthestDue ? FarthestDue : -DueTime;
    } else {
        // Absolute: how far the due time lies ahead of the system clock now.
        const LONGLONG Now = duration_cast<T100ns>(system_clock::now().time_since_epoch()).count() + FileTimeOfUnixEpoch;
        Ahead = std::min(DueTime - Now, FarthestDue);
        if (Ahead < 0)
            Ahead = 0;
    }
    return TClock::now() + duration_cast<TClock::duration>(T100ns(Ahead));
}

bool CheckUnnamed(LPCSTR Name)
{
    if (Name != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

} // namespace

} // namespace win32_detail

using namespace win32_detail;

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL ManualReset, BOOL InitialState, LPCSTR Name)
{
    if (!CheckUnnamed(Name))
        return nullptr;
    return RegisterHandle(std::make_shared<TEvent>(ManualReset != FALSE, InitialState != FALSE));
}

BOOL SetEvent(HANDLE Event)
{
    auto Object = LookupAs<TEvent>(Event);
    if (!Object)
        return FALSE;
    std::lock_guard<std::mutex> Guard(DispatcherLock());
    Object->Set(true);
    return TRUE;
}

BOOL ResetEvent(HANDLE Event)
{
    auto Object = LookupAs<TEvent>(Event);
    if (!Object)
        return FALSE;
    std::lock_guard<std::mutex> Guard(DispatcherLock());
    Object->Set(false);
    return TRUE;
}

HANDLE CreateWaitableTimer(LPSECURITY_ATTRIBUTES, BOOL ManualReset, LPCSTR Name)
{
    if (!CheckUnnamed(Name))
        return nullptr;
    return RegisterHandle(std::make_shared<TWaitableTimer>(ManualReset != FALSE));
}

BOOL SetWaitableTimer(HANDLE Timer, const LARGE_INTEGER* DueTime, LONG Period, PTIMERAPCROUTINE Completion,
                      LPVOID, BOOL)
{
    auto Object = LookupAs<TWaitableTimer>(Timer);
    if (!Object)
        return FALSE;
    if (!DueTime || Period < 0 || Completion != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const TTimePoint Due = SteadyDueTime(DueTime->QuadPart);
    std::lock_guard<std::mutex> Guard(DispatcherLock());
    Object->Arm(Due, std::chrono::milliseconds(Period));
    return TRUE;
}

BOOL CancelWaitableTimer(HANDLE Timer)
{
    auto Object = LookupAs<TWaitableTimer>(Timer);
    if (!Object)
        return FALSE;
    std::lock_guard<std::mutex> Guard(DispatcherLock());
    Object->Disarm();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE Object, DWORD Milliseconds)
{
    return WaitForMultipleObjects(1, &Object, FALSE, Milliseconds);
}

DWORD WaitForMultipleObjects(DWORD Count, const HANDLE* Handles, BOOL WaitAll, DWORD Milliseconds)
{
    if (!Handles || Count == 0 || Count > MAXIMUM_WAIT_OBJECTS || WaitAll) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<TWaitableObject>> Objects;
    Objects.reserve(Count);
    for (DWORD i = 0; i < Count; ++i) {
        auto Object = LookupAs<TWaitableObject>(Handles[i]);
        if (!Object)
            return WAIT_FAILED;
        Objects.push_back(std::move(Object));
    }

    std::optional<TTimePoint> Deadline;
    if (Milliseconds != INFINITE)
        Deadline = TClock::now() + std::chrono::milliseconds(Milliseconds);

    TWaiter Me;
    bool Registered = false;
    std::unique_lock<std::mutex> Guard(DispatcherLock());
    auto Unregister = [&] {
        if (Registered)
            for (auto& Object : Objects)
                Object->RemoveWaiter(&Me);
    };
    for (;;) {
        const TTimePoint Now = TClock::now();
        for (DWORD i = 0; i < Count; ++i) {
            if (Objects[i]->Signalled(Now)) {
                Objects[i]->Satisfy();
                Unregister();
                return WAIT_OBJECT_0 + i;
            }
        }
        if (Deadline && Now >= *Deadline) {
            Unregister();
            return WAIT_TIMEOUT;
        }
        if (!Registered) {
            for (auto& Object : Objects)
                Object->AddWaiter(&Me);
            Registered = true;
        }
        std::optional<TTimePoint> WakeAt = Deadline;
        for (auto& Object : Objects)
            if (auto Due = Object->DueTime())
                WakeAt = WakeAt ? std::min(*WakeAt, *Due) : *Due;
        if (WakeAt)
            Me.Wake.wait_until(Guard, *WakeAt);
        else
            Me.Wake.wait(Guard);
    }
}

void Sleep(DWORD Milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}
