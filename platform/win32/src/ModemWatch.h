#pragma once
// Watches a tty's modem input lines for changes (private to win32).
//
// TIOCMIWAIT blocks until CTS, DSR, CD or RI changes, so it runs on a thread
// of its own. Stopping interrupts it with a signal whose handler does
// nothing. Only devices that have modem lines get one; pseudo-terminals and
// some USB drivers answer ENOTTY or EINVAL, and the thread then ends at once.

#include <atomic>
#include <functional>
#include <thread>

namespace win32_detail {

class TModemWatch {
public:
    // Lines: the TIOCM_ bits as TIOCMGET gives them after a change.
    using TChanged = std::function<void(int Lines)>;

    // Starts the thread; raises std::system_error when it cannot.
    TModemWatch(int Fd, TChanged OnChanged);
    // Stops the thread and waits for it. Must not be called while holding a
    // lock that OnChanged takes.
    ~TModemWatch();
    TModemWatch(const TModemWatch&) = delete;
    TModemWatch& operator=(const TModemWatch&) = delete;

private:
    void Run();

    int FFd;
    TChanged FOnChanged;
    std::atomic<bool> FStop{false};
    std::atomic<bool> FExited{false};
    std::thread FThread;
};

} // namespace win32_detail
