#include "rtl/PlainLoop.h"

#include <chrono>

TPlainLoop::TPlainLoop(TLoopClock Clock) : FClock(Clock), FRealStartMs(RealNowMs()) {}

TPlainLoop::~TPlainLoop() = default;

std::uint64_t TPlainLoop::RealNowMs() const
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint64_t TPlainLoop::NowMs() const
{
    if (FClock == TLoopClock::Virtual) {
        std::lock_guard<std::mutex> Guard(FLock);
        return FVirtualNowMs;
    }
    return RealNowMs() - FRealStartMs;
}

void TPlainLoop::Post(TCall Call)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FPosted.push_back(std::move(Call));
    }
    FWake.notify_all();
}

TMainLoop::TTimerId TPlainLoop::StartTimer(unsigned IntervalMs, TCall Tick)
{
    if (IntervalMs == 0)
        IntervalMs = 1;
    std::uint64_t Now = NowMs();
    TTimerId Id;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Id = FNextTimerId++;
        FTimers[Id] = TTimer{IntervalMs, Now + IntervalMs, std::move(Tick)};
    }
    FWake.notify_all();
    return Id;
}

void TPlainLoop::StopTimer(TTimerId Id)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FTimers.erase(Id);
}

int TPlainLoop::TimerCount() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return static_cast<int>(FTimers.size());
}

bool TPlainLoop::RunOnePosted()
{
    TCall Call;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        if (FPosted.empty())
            return false;
        Call = std::move(FPosted.front());
        FPosted.pop_front();
    }
    RunLoopCall(Call);
    return true;
}

int TPlainLoop::ProcessPosted()
{
    int Count = 0;
    while (RunOnePosted())
        ++Count;
    return Count;
}

bool TPlainLoop::FireOneDueTimer(std::uint64_t Now)
{
    TCall Tick;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        auto Earliest = FTimers.end();
        for (auto It = FTimers.begin(); It != FTimers.end(); ++It)
            if (It->second.DueMs <= Now && (Earliest == FTimers.end() || It->second.DueMs < Earliest->second.DueMs))
                Earliest = It;
        if (Earliest == FTimers.end())
            return false;
        TTimer& Timer = Earliest->second;
        // The next tick is one interval after this one was due; ticks missed
        // while the loop was busy are not made up for.
        Timer.DueMs += Timer.IntervalMs;
        if (Timer.DueMs <= Now)
            Timer.DueMs = Now + Timer.IntervalMs;
        Tick = Timer.Tick;
    }
    RunLoopCall(Tick);
    return true;
}

long long TPlainLoop::MsUntilNextTimer() const
{
    if (FClock == TLoopClock::Virtual)
        return -1;
    std::uint64_t Now = RealNowMs() - FRealStartMs;
    long long Best = -1;
    for (const auto& Entry : FTimers) {
        long long Left = Entry.second.DueMs > Now ? static_cast<long long>(Entry.second.DueMs - Now) : 0;
        if (Best < 0 || Left < Best)
            Best = Left;
    }
    return Best;
}

int TPlainLoop::Run()
{
    // A Quit that came before Run (from another thread that got there
    // first) ends this Run at once; Run takes the request on return, so the
    // next Run goes on until its own Quit.
    RunUntil(
        [this] {
            std::lock_guard<std::mutex> Guard(FLock);
            return FQuit;
        },
        0);
    std::lock_guard<std::mutex> Guard(FLock);
    FQuit = false;
    return FExitCode;
}

void TPlainLoop::Quit(int ExitCode)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FQuit = true;
        FExitCode = ExitCode;
    }
    FWake.notify_all();
}

bool TPlainLoop::RunUntil(const std::function<bool()>& Done, unsigned RealTimeoutMs)
{
    // A time-out of 0 means no time-out (used by Run).
    const std::uint64_t Deadline = RealTimeoutMs ? RealNowMs() + RealTimeoutMs : 0;
    for (;;) {
        if (Done())
            return true;
        if (RunOnePosted())
            continue;
        if (FClock == TLoopClock::Real && FireOneDueTimer(NowMs()))
            continue;

        std::unique_lock<std::mutex> Guard(FLock);
        if (!FPosted.empty())
            continue;
        long long Wait = MsUntilNextTimer();
        if (Deadline) {
            std::uint64_t Now = RealNowMs();
            if (Now >= Deadline) {
                Guard.unlock();
                return Done();
            }
            long long Left = static_cast<long long>(Deadline - Now);
            if (Wait < 0 || Left < Wait)
                Wait = Left;
        }
        if (!Deadline) {
            if (FQuit)
                continue;
            // Run: Quit and Post both wake the loop, so it sleeps until the
            // next timer without polling.
            if (Wait < 0)
                FWake.wait(Guard);
            else if (Wait > 0)
                FWake.wait_for(Guard, std::chrono::milliseconds(Wait));
            continue;
        }
        // A test's Done() may depend on another thread's progress that posts
        // nothing (a thread that ends, a flag), so its waits are capped and
        // Done() tested again.
        if (Wait > 5)
            Wait = 5;
        if (Wait > 0)
            FWake.wait_for(Guard, std::chrono::milliseconds(Wait));
    }
}

void TPlainLoop::Advance(unsigned Ms)
{
    if (FClock != TLoopClock::Virtual)
        return;
    std::uint64_t Target;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Target = FVirtualNowMs + Ms;
    }
    ProcessPosted();
    for (;;) {
        // Move to the earliest due time not beyond the target and fire it.
        std::uint64_t Next = Target;
        {
            std::lock_guard<std::mutex> Guard(FLock);
            for (const auto& Entry : FTimers)
                if (Entry.second.DueMs < Next)
                    Next = Entry.second.DueMs;
            if (Next > FVirtualNowMs)
                FVirtualNowMs = Next;
        }
        bool Fired = false;
        while (FireOneDueTimer(Next)) {
            Fired = true;
            ProcessPosted();
        }
        if (!Fired && Next >= Target)
            break;
    }
    ProcessPosted();
}
