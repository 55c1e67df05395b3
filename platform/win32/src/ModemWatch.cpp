#include "ModemWatch.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <mutex>
#include <pthread.h>
#include <sys/ioctl.h>

namespace win32_detail {

namespace {

void IgnoreWake(int) {}

// A real-time signal that only interrupts the blocking ioctl. Installed once,
// without SA_RESTART, and only where nobody else has claimed the signal.
int WakeSignal()
{
    static const int Signal = SIGRTMIN + 4;
    static std::once_flag Once;
    std::call_once(Once, [] {
        struct sigaction Old {};
        if (sigaction(Signal, nullptr, &Old) == 0 && Old.sa_handler == SIG_DFL && !(Old.sa_flags & SA_SIGINFO)) {
            struct sigaction Action {};
            Action.sa_handler = IgnoreWake;
            sigemptyset(&Action.sa_mask);
            Action.sa_flags = 0;
            sigaction(Signal, &Action, nullptr);
        }
    });
    return Signal;
}

} // namespace

TModemWatch::TModemWatch(int Fd, TChanged OnChanged) : FFd(Fd), FOnChanged(std::move(OnChanged))
{
    WakeSignal();
    FThread = std::thread([this] { Run(); });
}

TModemWatch::~TModemWatch()
{
    FStop = true;
    // The signal may come just before the thread enters the ioctl; send it
    // again until the thread has seen the stop.
    while (!FExited) {
        pthread_kill(FThread.native_handle(), WakeSignal());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    FThread.join();
}

void TModemWatch::Run()
{
    while (!FStop) {
        const int Watched = TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG;
        if (ioctl(FFd, TIOCMIWAIT, Watched) != 0) {
            if (errno == EINTR)
                continue;
            break;   // not supported, or the device has gone
        }
        if (FStop)
            break;
        int Lines = 0;
        if (ioctl(FFd, TIOCMGET, &Lines) == 0)
            FOnChanged(Lines);
    }
    FExited = true;
}

} // namespace win32_detail
