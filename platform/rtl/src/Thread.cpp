#include "rtl/Thread.h"

#include <deque>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "rtl/Exceptions.h"
#include "rtl/MainLoop.h"

namespace {

// The class library's queue of synchronous calls and its one lock. The
// condition wakes a main thread that waits in WaitFor, both for a new call
// and for a thread that has finished.
struct TSyncRequest {
    const std::function<void()>* Method;
    std::exception_ptr Error;
    bool Done = false;
};

std::mutex SyncLock;
std::condition_variable SyncChanged;
std::deque<TSyncRequest*> SyncQueue;

int NiceOf(TThreadPriority Priority)
{
    switch (Priority) {
    case tpIdle: return 19;
    case tpLowest: return 10;
    case tpLower: return 5;
    case tpNormal: return 0;
    case tpHigher: return -5;
    case tpHighest: return -10;
    case tpTimeCritical: return -15;
    }
    return 0;
}

} // namespace

bool CheckSynchronize()
{
    bool Ran = false;
    for (;;) {
        TSyncRequest* Request;
        {
            std::lock_guard<std::mutex> Guard(SyncLock);
            if (SyncQueue.empty())
                break;
            Request = SyncQueue.front();
            SyncQueue.pop_front();
        }
        try {
            (*Request->Method)();
        } catch (...) {
            Request->Error = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> Guard(SyncLock);
            Request->Done = true;
        }
        SyncChanged.notify_all();
        Ran = true;
    }
    return Ran;
}

void TThread::Synchronize(TThread* Thread, const std::function<void()>& Method)
{
    if (Thread && std::this_thread::get_id() == Thread->ThreadID())
        Thread->ParkWhileSuspended();
    if (std::this_thread::get_id() == MainThreadID()) {
        Method();
        return;
    }
    TSyncRequest Request{&Method, nullptr, false};
    {
        std::lock_guard<std::mutex> Guard(SyncLock);
        SyncQueue.push_back(&Request);
    }
    SyncChanged.notify_all();
    if (TMainLoop* Loop = MainLoop())
        Loop->Post([] { CheckSynchronize(); });
    {
        std::unique_lock<std::mutex> Guard(SyncLock);
        SyncChanged.wait(Guard, [&] { return Request.Done; });
    }
    if (Request.Error)
        std::rethrow_exception(Request.Error);
}

TThread::TThread() = default;

TThread::~TThread()
{
    bool Started;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Started = FStarted;
        FTerminated = true;
        FSuspendCount = 0;
    }
    FResumed.notify_all();
    if (Started && !Finished())
        WaitFor();
    if (FThread.joinable())
        FThread.join();
}

void TThread::Resume()
{
    bool Start = false;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        if (FSuspendCount > 0)
            --FSuspendCount;
        if (FSuspendCount == 0 && !FStarted) {
            FStarted = true;
            Start = true;
        }
    }
    if (Start) {
        try {
            FThread = std::thread([this] { ThreadProc(); });
        } catch (const std::system_error& E) {
            std::lock_guard<std::mutex> Guard(FLock);
            FStarted = false;
            FSuspendCount = 1;
            throw EThread(AnsiString("Thread creation error: ") + E.what());
        }
    } else {
        FResumed.notify_all();
    }
}

void TThread::Suspend()
{
    std::lock_guard<std::mutex> Guard(FLock);
    ++FSuspendCount;
}

bool TThread::Suspended() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FSuspendCount > 0;
}

void TThread::Terminate()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FTerminated = true;
    }
    FResumed.notify_all();
}

bool TThread::Terminated()
{
    ParkWhileSuspended();
    std::lock_guard<std::mutex> Guard(FLock);
    return FTerminated;
}

void TThread::ParkWhileSuspended()
{
    std::unique_lock<std::mutex> Guard(FLock);
    FResumed.wait(Guard, [this] { return FSuspendCount == 0 || FTerminated; });
}

bool TThread::Finished() const
{
    std::lock_guard<std::mutex> Guard(SyncLock);
    return FFinished;
}

int TThread::WaitFor()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        if (!FStarted)
            return ReturnValue;
        if (std::this_thread::get_id() == FThreadId)
            throw EThread("Thread cannot wait for itself");
    }
    const bool OnMainThread = std::this_thread::get_id() == MainThreadID();
    for (;;) {
        {
            std::unique_lock<std::mutex> Guard(SyncLock);
            SyncChanged.wait(Guard, [&] { return FFinished || (OnMainThread && !SyncQueue.empty()); });
            if (FFinished)
                break;
        }
        CheckSynchronize();
    }
    if (FThread.joinable())
        FThread.join();
    return ReturnValue;
}

std::exception_ptr TThread::FatalException() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FFatalException;
}

TThreadPriority TThread::Priority() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FPriority;
}

void TThread::SetPriority(TThreadPriority Value)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FPriority = Value;
    }
    ApplyPriority();
}

void TThread::ApplyPriority()
{
    int Tid;
    TThreadPriority Value;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Tid = FNativeTid;
        Value = FPriority;
    }
    if (Tid != 0)
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(Tid), NiceOf(Value));
}

std::thread::id TThread::ThreadID() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FThreadId;
}

void TThread::ThreadProc()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FThreadId = std::this_thread::get_id();
        FNativeTid = static_cast<int>(syscall(SYS_gettid));
    }
    if (Priority() != tpNormal)
        ApplyPriority();
    std::exception_ptr Fatal;
    try {
        Execute();
    } catch (...) {
        Fatal = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FFatalException = Fatal;
    }
    {
        std::lock_guard<std::mutex> Guard(SyncLock);
        FFinished = true;
    }
    SyncChanged.notify_all();
}
