// The main loop on the window toolkit: posted calls, timers, the hand-over
// from worker threads and the end of the loop.

#include <atomic>
#include <thread>

#include "TestForm.h"
#include "rtl/Thread.h"
#include "rtl/Timer.h"
#include "vcl/QtLoop.h"

namespace {

// Runs the loop until Done holds, for at most about ten seconds.
bool RunUntil(const std::function<bool()>& Done)
{
    for (int i = 0; i < 2000 && !Done(); ++i)
        TUser::Wait(5);
    return Done();
}

TEST(QtLoop, TheApplicationInstallsIt)
{
    EXPECT_NE(dynamic_cast<TQtLoop*>(MainLoop()), nullptr);
    EXPECT_TRUE(MainLoop()->InMainThread());
}

TEST(QtLoop, PostedCallsRunInOrderFromAnyThread)
{
    std::vector<int> Order;
    std::atomic<int> Posted{0};
    for (int i = 0; i < 3; ++i)
        MainLoop()->Post([&Order, i] { Order.push_back(i); });
    std::thread Worker([&] {
        for (int i = 3; i < 6; ++i)
            MainLoop()->Post([&Order, i] { Order.push_back(i); });
        Posted = 1;
    });
    Worker.join();
    EXPECT_TRUE(RunUntil([&] { return Order.size() == 6; }));
    EXPECT_EQ(Order, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(QtLoop, AnExceptionFromAPostedCallIsShownAndTheLoopGoesOn)
{
    TTestResponder Responder;
    bool After = false;
    MainLoop()->Post([] { throw Exception("Err: posted !!!"); });
    MainLoop()->Post([&] { After = true; });
    EXPECT_TRUE(RunUntil([&] { return After; }));
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "Err: posted !!!");
}

TEST(QtLoop, ATimerTicksUntilItStopsItself)
{
    auto* Loop = static_cast<TQtLoop*>(MainLoop());
    int Before = Loop->TimerCount();
    int Ticks = 0;
    TMainLoop::TTimerId Id = 0;
    Id = Loop->StartTimer(2, [&] {
        if (++Ticks == 3)
            Loop->StopTimer(Id);
    });
    EXPECT_TRUE(RunUntil([&] { return Ticks >= 3; }));
    TUser::Wait(30);
    EXPECT_EQ(Ticks, 3);
    EXPECT_EQ(Loop->TimerCount(), Before);
    Loop->StopTimer(Id);    // a stopped id is ignored
}

TEST(QtLoop, ATimerStartedOnAnotherThreadTicksOnTheMainThread)
{
    std::atomic<int> Ticks{0};
    std::atomic<bool> OnMain{true};
    TMainLoop::TTimerId Id = 0;
    std::thread Worker([&] {
        Id = MainLoop()->StartTimer(2, [&] {
            OnMain = OnMain && MainLoop()->InMainThread();
            ++Ticks;
        });
    });
    Worker.join();
    EXPECT_TRUE(RunUntil([&] { return Ticks >= 2; }));
    MainLoop()->StopTimer(Id);
    EXPECT_TRUE(OnMain);
}

TEST(QtLoop, TheTimerComponentTicksThroughIt)
{
    TTimer Timer(nullptr);
    int Ticks = 0;
    Timer.SetInterval(3);
    Timer.SetOnTimer([&](TObject*) {
        if (++Ticks == 2)
            Timer.SetEnabled(false);
    });
    EXPECT_TRUE(Timer.Running());
    EXPECT_TRUE(RunUntil([&] { return !Timer.Running(); }));
    EXPECT_EQ(Ticks, 2);
}

TEST(QtLoop, AWorkerSynchronizesIntoAWindow)
{
    class TWorker : public TThread {
    public:
        TLabel* Label = nullptr;
        std::thread::id HandlerThread;

    protected:
        void Execute() override
        {
            for (int i = 1; i <= 3; ++i)
                Synchronize([this, i] {
                    HandlerThread = std::this_thread::get_id();
                    Label->SetCaption(">> " + std::to_string(i));
                });
        }
    };
    auto Form = ShowTestForm(R"(TLabel Label1 { Left = 8; Top = 8; Caption = "none" })");
    TWorker Worker;
    Worker.Label = Form->Get<TLabel>("Label1");
    Worker.Resume();
    EXPECT_TRUE(RunUntil([&] { return Worker.Finished(); }));
    Worker.WaitFor();
    EXPECT_EQ(Worker.Label->Caption(), ">> 3");
    EXPECT_EQ(Worker.HandlerThread, std::this_thread::get_id());
}

TEST(QtLoop, RunEndsWithTheCodeGivenToQuit)
{
    TMainLoop* Loop = MainLoop();
    // Quit before Run: Run returns at once.
    Loop->Quit(4);
    EXPECT_EQ(Loop->Run(), 4);
    std::thread Worker([Loop] { Loop->Post([Loop] { Loop->Quit(7); }); });
    EXPECT_EQ(Loop->Run(), 7);
    Worker.join();
}

} // namespace
