#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "rtl/Application.h"
#include "rtl/Exceptions.h"
#include "rtl/MessageBox.h"
#include "rtl/PlainLoop.h"

TEST(PlainLoop, PostedCallsRunInOrderOnTheMainThread)
{
    TPlainLoop Loop;
    std::vector<int> Order;
    std::thread Other([&] {
        for (int i = 0; i < 3; ++i)
            Loop.Post([&Order, &Loop, i] {
                EXPECT_TRUE(Loop.InMainThread());
                Order.push_back(i);
            });
    });
    Other.join();
    Loop.Post([&] { Loop.Post([&] { Order.push_back(99); }); });
    EXPECT_EQ(Loop.ProcessPosted(), 5) << "a call posted by a posted call runs in the same pass";
    EXPECT_EQ(Order, (std::vector<int>{0, 1, 2, 99}));
}

TEST(PlainLoop, VirtualClockFiresTimersInTimeOrder)
{
    TPlainLoop Loop(TLoopClock::Virtual);
    std::vector<std::pair<char, std::uint64_t>> Ticks;
    Loop.StartTimer(300, [&] { Ticks.emplace_back('a', Loop.NowMs()); });
    TMainLoop::TTimerId B = Loop.StartTimer(200, [&] { Ticks.emplace_back('b', Loop.NowMs()); });
    Loop.Advance(199);
    EXPECT_TRUE(Ticks.empty());
    Loop.Advance(501);
    EXPECT_EQ(Ticks, (std::vector<std::pair<char, std::uint64_t>>{{'b', 200}, {'a', 300}, {'b', 400}, {'a', 600}, {'b', 600}}));
    Loop.StopTimer(B);
    Ticks.clear();
    Loop.Advance(400);
    EXPECT_EQ(Ticks, (std::vector<std::pair<char, std::uint64_t>>{{'a', 900}}));
}

TEST(PlainLoop, TimerStoppedByItsOwnTickDoesNotFireAgain)
{
    TPlainLoop Loop(TLoopClock::Virtual);
    int Count = 0;
    TMainLoop::TTimerId Id = 0;
    Id = Loop.StartTimer(10, [&] {
        ++Count;
        Loop.StopTimer(Id);
    });
    Loop.Advance(100);
    EXPECT_EQ(Count, 1);
    EXPECT_EQ(Loop.TimerCount(), 0);
}

TEST(PlainLoop, RealClockTimerAndQuit)
{
    TPlainLoop Loop;
    int Ticks = 0;
    Loop.StartTimer(5, [&] {
        if (++Ticks == 3)
            Loop.Quit(7);
    });
    EXPECT_EQ(Loop.Run(), 7);
    EXPECT_EQ(Ticks, 3);
}

TEST(PlainLoop, QuitFromAnotherThreadEndsRun)
{
    TPlainLoop Loop;
    std::thread Other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Loop.Quit(3);
    });
    EXPECT_EQ(Loop.Run(), 3);
    Other.join();
}

TEST(PlainLoop, AQuitBeforeRunEndsThatRunOnly)
{
    TPlainLoop Loop;
    Loop.Quit(5);
    EXPECT_EQ(Loop.Run(), 5);
    bool Ran = false;
    Loop.Post([&] {
        Ran = true;
        Loop.Quit(6);
    });
    EXPECT_EQ(Loop.Run(), 6);
    EXPECT_TRUE(Ran);
}

TEST(PlainLoop, ExceptionEscapingAHandlerIsShownAndTheLoopGoesOn)
{
    TPlainLoop Loop(TLoopClock::Virtual);
    std::vector<TMessageBoxRequest> Shown;
    TScopedMessageBoxHook Hook([&](const TMessageBoxRequest& R) {
        Shown.push_back(R);
        return IDOK;
    });
    SetApplicationTitle("VTX");
    bool After = false;
    Loop.Post([] { throw Exception("Err: boom"); });
    Loop.Post([&] { After = true; });
    Loop.StartTimer(10, [] { throw std::runtime_error("tick failed"); });
    Loop.ProcessPosted();
    Loop.Advance(10);
    ASSERT_EQ(Shown.size(), 2u);
    EXPECT_EQ(Shown[0].Text, "Err: boom");
    EXPECT_EQ(Shown[0].Caption, "VTX");
    EXPECT_EQ(Shown[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Shown[1].Text, "tick failed");
    EXPECT_TRUE(After);
}

TEST(PlainLoop, RunUntilGivesUpAfterItsTimeout)
{
    TPlainLoop Loop;
    EXPECT_FALSE(Loop.RunUntil([] { return false; }, 20));
    std::atomic<bool> Flag{false};
    std::thread Other([&] { Flag = true; });
    EXPECT_TRUE(Loop.RunUntil([&] { return Flag.load(); }, 5000));
    Other.join();
}

TEST(MainLoopScope, InstallsAndRestores)
{
    TPlainLoop Outer, Inner;
    TMainLoopScope A(Outer);
    {
        TMainLoopScope B(Inner);
        EXPECT_EQ(MainLoop(), &Inner);
    }
    EXPECT_EQ(MainLoop(), &Outer);
}

TEST(MessageBoxHook, DefaultAnswersOkOrYes)
{
    EXPECT_EQ(DefaultMessageBoxAnswer(MB_OK | MB_ICONERROR | MB_TASKMODAL), IDOK);
    EXPECT_EQ(DefaultMessageBoxAnswer(MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(ShowMessageBox("text", "caption", MB_YESNO), IDYES);
}
