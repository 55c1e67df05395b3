#include <gtest/gtest.h>

#include <vector>

#include "rtl/PlainLoop.h"
#include "rtl/StoredProperties.h"
#include "rtl/Timer.h"

namespace {

struct TimerFixture : ::testing::Test {
    TPlainLoop Loop{TLoopClock::Virtual};
    TMainLoopScope Scope{Loop};
    std::vector<std::uint64_t> Ticks;
    TNotifyEvent Record = [this](TObject*) { Ticks.push_back(Loop.NowMs()); };
};

} // namespace

TEST_F(TimerFixture, TicksEveryIntervalWhileEnabled)
{
    TTimer Timer(nullptr);
    Timer.SetInterval(10000);
    Timer.SetOnTimer(Record);
    Loop.Advance(35000);
    EXPECT_EQ(Ticks, (std::vector<std::uint64_t>{10000, 20000, 30000}));
    Timer.SetEnabled(false);
    Loop.Advance(50000);
    EXPECT_EQ(Ticks.size(), 3u);
}

TEST_F(TimerFixture, DisablingAndEnablingAgainStartsAFullNewPeriod)
{
    TTimer Timer(nullptr);
    Timer.SetInterval(1000);
    Timer.SetOnTimer(Record);
    Loop.Advance(900);
    Timer.SetEnabled(false);
    Timer.SetEnabled(true);
    Loop.Advance(900);
    EXPECT_TRUE(Ticks.empty()) << "the 100 ms left of the old period must not count";
    Loop.Advance(100);
    EXPECT_EQ(Ticks, (std::vector<std::uint64_t>{1900}));
}

TEST_F(TimerFixture, NoTicksWithoutHandlerOrWithZeroInterval)
{
    TTimer Timer(nullptr);
    EXPECT_FALSE(Timer.Running()) << "enabled by default, but no OnTimer yet";
    Timer.SetOnTimer(Record);
    EXPECT_TRUE(Timer.Running());
    Timer.SetInterval(0);
    EXPECT_FALSE(Timer.Running());
}

TEST_F(TimerFixture, StoredTimerStartsOnceAtLoaded)
{
    TTimer Timer(nullptr);
    TMethodTable Methods;
    Methods.Add("Timer1Timer", Record);
    ReadStoredProperties(Timer, {{"Enabled", {"False"}}, {"Interval", {"500"}}, {"OnTimer", {"Timer1Timer"}}}, &Methods);
    EXPECT_FALSE(Timer.Running());
    Timer.Loaded();
    EXPECT_FALSE(Timer.Running()) << "stored disabled";
    Timer.SetEnabled(true);
    Loop.Advance(500);
    EXPECT_EQ(Ticks, (std::vector<std::uint64_t>{500}));
}

TEST_F(TimerFixture, DestroyedTimerStopsItsTicks)
{
    {
        TTimer Timer(nullptr);
        Timer.SetOnTimer(Record);
    }
    EXPECT_EQ(Loop.TimerCount(), 0);
    Loop.Advance(5000);
    EXPECT_TRUE(Ticks.empty());
}
