#pragma once
// Threads of the class library, with the synchronous hand-over to the main
// thread.
//
// A TThread is always created suspended: a C++ base cannot start the derived
// Execute before the derived object is built, so the creator calls Resume
// when the object is ready (which is how this system creates its workers).
// Delete a thread only after it has ended (Terminate, then WaitFor): the
// destructor of TThread waits for Execute to return, but by then the derived
// part of the object is already gone.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "rtl/System.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    TThread();
    ~TThread() override;

    // Each Suspend counts; Resume takes one back, and at zero the thread runs
    // (the first time, it starts). Resume of a running thread does nothing.
    // A running thread cannot be stopped from outside at an arbitrary point
    // on this platform: Suspend parks it the next time it asks Terminated()
    // or calls Synchronize.
    void Resume();
    void Suspend();
    bool Suspended() const;

    // Sets the flag that Execute polls through Terminated().
    void Terminate();

    // Waits until Execute has returned and gives ReturnValue. On the main
    // thread it runs the pending synchronous calls while it waits, so a
    // thread blocked in Synchronize can finish. A thread that never started
    // returns at once. Raises EThread when a thread waits for itself.
    int WaitFor();

    bool Finished() const;

    // The exception that ended Execute, or null.
    std::exception_ptr FatalException() const;

    // Priority: stored, and mapped to the thread's nice value where the
    // system allows it (raising it needs privileges; a refusal is ignored).
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority Value);

    std::thread::id ThreadID() const;

    // Runs Method on the main thread and blocks until it has returned; an
    // exception it raises is raised again here. On the main thread it runs
    // Method directly.
    static void Synchronize(TThread* Thread, const std::function<void()>& Method);

protected:
    virtual void Execute() = 0;

    bool Terminated();
    void Synchronize(const std::function<void()>& Method) { Synchronize(this, Method); }

    int ReturnValue = 0;

private:
    void ThreadProc();
    void ParkWhileSuspended();
    void ApplyPriority();

    mutable std::mutex FLock;
    std::condition_variable FResumed;
    std::thread FThread;
    std::thread::id FThreadId;
    int FSuspendCount = 1;
    bool FStarted = false;
    bool FTerminated = false;
    bool FFinished = false;
    int FNativeTid = 0;
    TThreadPriority FPriority = tpNormal;
    std::exception_ptr FFatalException;
};

// Runs the synchronous calls that other threads have queued; main thread
// only. True when at least one ran. The loops call it when woken for it.
bool CheckSynchronize();
