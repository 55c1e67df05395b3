#pragma once
// The main thread's loop, as one small interface.
//
// Every event handler of a program runs on the main thread, called by its
// loop: calls posted from any thread, and timers. A program without a window
// (and most tests) uses TPlainLoop; the window layer plugs the window
// toolkit's loop in behind the same interface. The installed loop is the one
// that TTimer, TThread::Synchronize and the window layer talk to.

#include <cstdint>
#include <functional>
#include <thread>

class TMainLoop {
public:
    using TCall = std::function<void()>;
    using TTimerId = std::uint64_t;

    // The thread that constructs the loop is its main thread.
    TMainLoop();
    virtual ~TMainLoop();
    TMainLoop(const TMainLoop&) = delete;
    TMainLoop& operator=(const TMainLoop&) = delete;

    // Queues a call to run on the main thread, after those posted before it.
    // Safe from any thread.
    virtual void Post(TCall Call) = 0;

    // Starts a periodic timer on the main thread; the first tick comes one
    // full interval from now. IntervalMs must be at least 1.
    virtual TTimerId StartTimer(unsigned IntervalMs, TCall Tick) = 0;
    // Stops a timer; an unknown or stopped id is ignored. A tick already
    // running finishes, and no further tick comes.
    virtual void StopTimer(TTimerId Id) = 0;

    // Runs until Quit; returns the code given to Quit.
    virtual int Run() = 0;
    // Ends Run once the call or tick now running has returned.
    virtual void Quit(int ExitCode = 0) = 0;

    std::thread::id MainThreadId() const { return FMainThreadId; }
    bool InMainThread() const { return std::this_thread::get_id() == FMainThreadId; }

private:
    std::thread::id FMainThreadId;
};

// The installed loop, or null.
TMainLoop* MainLoop();
// Installs a loop (null removes it) and returns the one installed before.
TMainLoop* SetMainLoop(TMainLoop* Loop);

// The main thread: the installed loop's, else the thread that started the
// program.
std::thread::id MainThreadID();

// Installs a loop for the life of the object and puts the previous one back.
class TMainLoopScope {
public:
    explicit TMainLoopScope(TMainLoop& Loop) : Previous(SetMainLoop(&Loop)) {}
    ~TMainLoopScope() { SetMainLoop(Previous); }
    TMainLoopScope(const TMainLoopScope&) = delete;
    TMainLoopScope& operator=(const TMainLoopScope&) = delete;

private:
    TMainLoop* Previous;
};

// Runs one posted call or timer tick for a loop: an exception that escapes it
// goes to the application's exception handler, and the loop goes on.
void RunLoopCall(const TMainLoop::TCall& Call);
