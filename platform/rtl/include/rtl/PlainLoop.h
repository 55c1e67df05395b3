#pragma once
// The loop of programs and tests without a window.
//
// With the real clock, timers follow the steady system clock. With the
// virtual clock, time stands still until a test moves it with Advance, so a
// 100-second watchdog is tested in milliseconds; posted calls run as usual.

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

#include "rtl/MainLoop.h"

enum class TLoopClock { Real, Virtual };

class TPlainLoop : public TMainLoop {
public:
    explicit TPlainLoop(TLoopClock Clock = TLoopClock::Real);
    ~TPlainLoop() override;

    void Post(TCall Call) override;
    TTimerId StartTimer(unsigned IntervalMs, TCall Tick) override;
    void StopTimer(TTimerId Id) override;
    int Run() override;
    void Quit(int ExitCode = 0) override;

    // Runs the calls posted so far, and those they post in turn, without
    // waiting for more. Returns how many ran.
    int ProcessPosted();

    // Runs posted calls and due timers until Done() holds or RealTimeoutMs of
    // real time have passed; true when Done() held. Done is tested after each
    // call and before each wait.
    bool RunUntil(const std::function<bool()>& Done, unsigned RealTimeoutMs);

    // Virtual clock only: moves time forward by Ms, firing each timer as it
    // falls due, in time order, with the posted calls run after each tick.
    void Advance(unsigned Ms);

    // The loop's clock in milliseconds (virtual: from 0 at construction).
    std::uint64_t NowMs() const;

    // Number of running timers.
    int TimerCount() const;

private:
    struct TTimer {
        unsigned IntervalMs;
        std::uint64_t DueMs;
        TCall Tick;
    };

    bool RunOnePosted();
    bool FireOneDueTimer(std::uint64_t NowMs);
    std::uint64_t RealNowMs() const;
    // Milliseconds until the next timer is due on the real clock, or -1.
    long long MsUntilNextTimer() const;

    TLoopClock FClock;
    std::uint64_t FVirtualNowMs = 0;
    std::uint64_t FRealStartMs = 0;

    mutable std::mutex FLock;
    std::condition_variable FWake;
    std::deque<TCall> FPosted;
    std::map<TTimerId, TTimer> FTimers;
    TTimerId FNextTimerId = 1;
    bool FQuit = false;
    int FExitCode = 0;
};
