// The day's schedule events in the log, the log's trimming, and the
// automatic clock setting they start.

#include "MonitorFixture.h"

#include <cstdlib>

namespace {

using monitorlink::StatusPacket;
using Lines = std::vector<std::string>;

const std::string FinishLine = ">> Schedule finish time: 17 : 30";
const std::string AllFinishLine = ">> All schedule finish.";
const std::string SyncLine = "<< Automatic time sync.";

class ScheduleEventsTest : public THeldMonitorTest {
protected:

    // The device reports a state (directly into the reader), then one
    // display refresh.
    void Report(std::uint8_t State, std::uint8_t FinishHour = 0x17, std::uint8_t FinishMinute = 0x30)
    {
        Feed(StatusPacket(ReportIn(State, FinishHour, FinishMinute)));
        Tick2();
    }

    void TickAutoSync() { ASSERT_TRUE(TUser::Click(F().CheckBox[9])); }

    // The frames the monitor has sent since the last call, once a channel
    // frame sent after them has come too: the line keeps the order, so none
    // of them can be on its way still.
    std::vector<monitorlink::TCommandFrame> FramesSoFar()
    {
        const std::string Marker = "$PCCTL@08*";
        EXPECT_TRUE(TUser::ChooseItem(F().ComboBox[3], "All on"));
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(PatienceMs);
        std::vector<monitorlink::TCommandFrame> Frames = Device->Frames();
        while ((Frames.empty() || Frames.back().Bytes != Marker) && std::chrono::steady_clock::now() < Deadline) {
            Device->Line().WaitReceived(Device->Line().Received().size() + 1, 100);
            Frames = Device->Frames();
        }
        EXPECT_FALSE(Frames.empty());
        if (Frames.empty())
            return Frames;
        EXPECT_EQ(Frames.back().Bytes, Marker);
        Frames.pop_back();
        Device->Line().ClearReceived();
        return Frames;
    }
};

TEST_F(ScheduleEventsTest, FinishTimeIsLoggedOnceWhileTheStateHolds)
{
    for (int I = 0; I < 5; ++I)
        Report(3);
    EXPECT_EQ(LogLines(), (Lines{FinishLine, ""}));
    EXPECT_EQ(LogLineCount, 1);
    EXPECT_EQ(FinishTimeLogged, 1);
}

TEST_F(ScheduleEventsTest, AnotherFinishMinuteIsLoggedAgainInTheSameState)
{
    Report(3);
    Report(3, 0x17, 0x31);
    Report(3, 0x17, 0x31);
    EXPECT_EQ(LogLines(), (Lines{FinishLine, "", ">> Schedule finish time: 17 : 31", ""}));
}

TEST_F(ScheduleEventsTest, PassThroughStateOneOrTwoAllowsTheSameFinishTimeAgain)
{
    Report(3);
    for (std::uint8_t Between : {1, 2}) {
        F().RichEdit1->Clear();
        Report(Between);
        Report(3);
        EXPECT_EQ(LogLines(), (Lines{FinishLine, ""})) << "state " << int(Between);
    }
}

TEST_F(ScheduleEventsTest, StatesWithoutEffectLogAndResetNothing)
{
    for (std::uint8_t State : {0, 4, 6, 0x42, 0xFF}) {
        Feed(StatusPacket(ReportIn(State)));
        FinishTimeLogged = 1;
        AllFinishLogged = 1;
        TimeSyncDone = 1;
        Tick2();
        EXPECT_TRUE(LogLines().empty()) << int(State);
        EXPECT_EQ(FinishTimeLogged, 1) << int(State);
        EXPECT_EQ(AllFinishLogged, 1) << int(State);
        EXPECT_EQ(TimeSyncDone, 1) << int(State);
    }
}

TEST_F(ScheduleEventsTest, AllFinishIsLoggedOnceAndTickingAutoSyncLaterSetsTheClockOnce)
{
    ConnectDevice();
    for (int I = 0; I < 4; ++I)
        Report(5);
    EXPECT_EQ(LogLines(), (Lines{AllFinishLine, ""}));
    EXPECT_TRUE(FramesSoFar().empty()) << "no clock setting without the box";

    TickAutoSync();
    EXPECT_TRUE(FramesSoFar().empty()) << "ticking the box sends nothing by itself";
    Report(5);
    Report(5);
    Report(5);
    const std::vector<monitorlink::TCommandFrame> Frames = FramesSoFar();
    ASSERT_EQ(Frames.size(), 2u) << "once";
    EXPECT_EQ(Frames[0].Letter, 'D');
    EXPECT_EQ(Frames[1].Letter, 'C');
    EXPECT_EQ(LogLines(), (Lines{AllFinishLine, "", SyncLine, ""}));
    EXPECT_EQ(LogLineCount, 2);
}

TEST_F(ScheduleEventsTest, StatesThreeThenFiveLogThreeEventsInTwoTicks)
{
    ConnectDevice();
    TickAutoSync();
    Report(3);
    Report(5);
    EXPECT_EQ(LogLines(), (Lines{FinishLine, "", AllFinishLine, "", SyncLine, ""}));
    EXPECT_EQ(LogLineCount, 3);
    EXPECT_EQ(FramesSoFar().size(), 2u);
}

TEST_F(ScheduleEventsTest, EachScheduleCycleSetsTheClockAgain)
{
    ConnectDevice();
    TickAutoSync();
    Report(5);
    Report(5);
    EXPECT_EQ(FramesSoFar().size(), 2u);
    for (std::uint8_t Between : {3, 1, 2}) {
        Report(Between);
        Report(5);
        Report(5);
        EXPECT_EQ(FramesSoFar().size(), 2u) << "after state " << int(Between);
    }
    // The all-finish line comes again only after state 3.
    EXPECT_EQ(LogLines(), (Lines{AllFinishLine, "", SyncLine, "", FinishLine, "", AllFinishLine, "", SyncLine, "",
                                 SyncLine, "", SyncLine, ""}));
}

TEST_F(ScheduleEventsTest, UntickedBoxSetsNoClock)
{
    ConnectDevice();
    TickAutoSync();
    TickAutoSync();
    ASSERT_FALSE(F().CheckBox[9]->Checked());
    Report(3);
    Report(5);
    EXPECT_TRUE(FramesSoFar().empty());
    EXPECT_EQ(LogLines(), (Lines{FinishLine, "", AllFinishLine, ""}));
}

// With no port open nothing can go out: the log does not claim a clock
// setting, and the setting comes once a port is open.
TEST_F(ScheduleEventsTest, AutomaticClockSettingWaitsForAnOpenPort)
{
    ::setenv("VTX_COM5", "/nonexistent/vtx-monitor-test", 1);
    ChooseCom("COM 5");
    ::unsetenv("VTX_COM5");
    HoldTimers();
    ASSERT_FALSE(F().PcUart1->Opened());
    TickAutoSync();
    Report(5);
    Report(5);
    EXPECT_EQ(LogLines(), (Lines{AllFinishLine, ""}));
    EXPECT_EQ(TimeSyncDone, 0);

    StartDevice();
    ChooseCom("COM 3");
    HoldTimers();
    Tick2();
    EXPECT_EQ(FramesSoFar().size(), 2u);
    EXPECT_EQ(LogLines(), (Lines{AllFinishLine, "", SyncLine, ""}));
}

TEST_F(ScheduleEventsTest, OffLetsTheEventsComeAgain)
{
    ConnectDevice();
    TickAutoSync();
    Report(3);
    Report(5);
    ASSERT_EQ(FramesSoFar().size(), 2u);
    ChooseCom("Off");
    ChooseCom("COM 3");
    HoldTimers();
    ASSERT_TRUE(F().PcUart1->Opened());
    Tick2();
    EXPECT_EQ(LogLines(), (Lines{AllFinishLine, "", SyncLine, ""}))
        << "the last status stays, and its events are new after Off";
    EXPECT_EQ(FramesSoFar().size(), 2u);
}

TEST_F(ScheduleEventsTest, LogIsClearedOnceFiftyEventsHaveBeenLogged)
{
    for (int I = 0; I < 50; ++I)
        Report(3, 0x17, static_cast<std::uint8_t>(I % 2 ? 0x31 : 0x30));
    EXPECT_EQ(LogLineCount, 50);
    EXPECT_EQ(LogLines().size(), 100u);
    Report(3, 0x17, 0x32);
    EXPECT_EQ(LogLines(), (Lines{">> Schedule finish time: 17 : 32", ""})) << "cleared before the tick's events";
    EXPECT_EQ(LogLineCount, 1);
}

TEST_F(ScheduleEventsTest, LogIsClearedAlsoWhenTwoEventsPassedFiftyInOneTick)
{
    ConnectDevice();
    TickAutoSync();
    for (int I = 0; I < 49; ++I)
        Report(3, 0x17, static_cast<std::uint8_t>(I % 2 ? 0x31 : 0x30));
    ASSERT_EQ(LogLineCount, 49);
    Report(5);
    EXPECT_EQ(LogLineCount, 51);
    EXPECT_EQ(LogLines().size(), 102u);
    Report(5);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(LogLineCount, 0);
}

} // namespace
