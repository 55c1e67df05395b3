#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "rtl/Exceptions.h"
#include "rtl/PlainLoop.h"
#include "rtl/Thread.h"

namespace {

// A thread whose Execute is given by the test.
class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> Body) : FBody(std::move(Body)) {}
    ~TLambdaThread() override { WaitFor(); }
    using TThread::Synchronize;
    using TThread::Terminated;
    void SetReturnValue(int V) { ReturnValue = V; }

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TLambdaThread&)> FBody;
};

} // namespace

TEST(Thread, CreatedSuspendedAndStartedByResume)
{
    std::atomic<bool> Ran{false};
    TLambdaThread T([&](TLambdaThread& Self) {
        Ran = true;
        Self.SetReturnValue(42);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(T.Suspended());
    EXPECT_FALSE(Ran);
    T.Resume();
    EXPECT_EQ(T.WaitFor(), 42);
    EXPECT_TRUE(Ran);
    EXPECT_TRUE(T.Finished());
}

TEST(Thread, WaitForOnANeverStartedThreadReturnsAtOnce)
{
    TLambdaThread T([](TLambdaThread&) {});
    EXPECT_EQ(T.WaitFor(), 0);
}

TEST(Thread, SynchronizeRunsOnTheMainThreadAndBlocksTheCaller)
{
    TPlainLoop Loop;
    TMainLoopScope Scope(Loop);
    std::atomic<int> Step{0};
    std::thread::id RanOn;
    TLambdaThread T([&](TLambdaThread& Self) {
        Self.Synchronize([&] {
            RanOn = std::this_thread::get_id();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Step = 1;
        });
        // The worker goes on only after the call has returned.
        EXPECT_EQ(Step.load(), 1);
        Step = 2;
    });
    T.Resume();
    EXPECT_TRUE(Loop.RunUntil([&] { return Step == 2; }, 5000));
    EXPECT_EQ(RanOn, std::this_thread::get_id());
}

TEST(Thread, ExceptionInASynchronizedCallIsRaisedAgainInTheWorker)
{
    TPlainLoop Loop;
    TMainLoopScope Scope(Loop);
    std::atomic<bool> Caught{false};
    TLambdaThread T([&](TLambdaThread& Self) {
        try {
            Self.Synchronize([] { throw EConvertError("bad"); });
        } catch (const EConvertError& E) {
            Caught = E.Message == "bad";
        }
    });
    T.Resume();
    EXPECT_TRUE(Loop.RunUntil([&] { return T.Finished(); }, 5000));
    EXPECT_TRUE(Caught);
}

TEST(Thread, WaitForOnTheMainThreadServesPendingSynchronizeCalls)
{
    // No loop runs: only WaitFor can serve the worker's call, which is how a
    // port is closed while a delivery is under way.
    TPlainLoop Loop;
    TMainLoopScope Scope(Loop);
    int Served = 0;
    TLambdaThread T([&](TLambdaThread& Self) {
        for (int i = 0; i < 3; ++i)
            Self.Synchronize([&] { ++Served; });
    });
    T.Resume();
    T.WaitFor();
    EXPECT_EQ(Served, 3);
}

TEST(Thread, UncaughtExceptionEndsTheThreadAsItsFatalException)
{
    TLambdaThread T([](TLambdaThread&) { throw Exception("Err: overflow"); });
    T.Resume();
    T.WaitFor();
    ASSERT_TRUE(T.FatalException());
    try {
        std::rethrow_exception(T.FatalException());
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Err: overflow");
    }
}

TEST(Thread, TerminateEndsAPollingLoop)
{
    std::atomic<int> Passes{0};
    TLambdaThread T([&](TLambdaThread& Self) {
        while (!Self.Terminated()) {
            ++Passes;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    T.Resume();
    while (Passes == 0)
        std::this_thread::yield();
    T.Terminate();
    T.WaitFor();
    EXPECT_TRUE(T.Finished());
}

TEST(Thread, SuspendParksARunningThreadAtTerminatedUntilResume)
{
    std::atomic<int> Passes{0};
    TLambdaThread T([&](TLambdaThread& Self) {
        while (!Self.Terminated())
            ++Passes;
    });
    T.Resume();
    while (Passes == 0)
        std::this_thread::yield();
    T.Suspend();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    int Parked = Passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LE(Passes - Parked, 1);
    T.Resume();
    while (Passes <= Parked + 1)
        std::this_thread::yield();
    T.Terminate();
    T.WaitFor();
}

TEST(Thread, PriorityIsKept)
{
    TLambdaThread T([](TLambdaThread&) {});
    EXPECT_EQ(T.Priority(), tpNormal);
    T.SetPriority(tpLower);
    T.Resume();
    T.WaitFor();
    EXPECT_EQ(T.Priority(), tpLower);
}

TEST(Thread, WaitingForItselfRaises)
{
    std::atomic<bool> Raised{false};
    TLambdaThread* Self = nullptr;
    TLambdaThread T([&](TLambdaThread& Me) {
        try {
            Me.WaitFor();
        } catch (const EThread&) {
            Raised = true;
        }
    });
    Self = &T;
    (void)Self;
    T.Resume();
    T.WaitFor();
    EXPECT_TRUE(Raised);
}
