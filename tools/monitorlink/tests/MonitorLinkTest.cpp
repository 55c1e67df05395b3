// The simulated device's own pieces: the packets it writes, the frames it
// reads back, and the player the command-line device plays.

#include <gtest/gtest.h>

#include "monitorlink/CommandFrame.h"
#include "monitorlink/SimulatedPlayer.h"
#include "monitorlink/StatusPacket.h"

namespace {

using namespace monitorlink;

TEST(StatusPacketTest, ShortAndLongBodiesPlaceTheSongAndStateByLayout)
{
    TDeviceReport R;
    R.Extra1 = 0x77;
    R.Extra2 = 0x66;
    EXPECT_EQ(StatusPacket(R, bl_Short), std::string("\xFA\x12\x08\x21\x02\x23\x59\x58\x08\x42\x05\x21\x45\xFB", 14));
    EXPECT_EQ(StatusBody(R, bl_Long), std::string("\x12\x08\x21\x02\x23\x59\x58\x08\x77\x42\x66\x05\x21\x45", 14));
}

TEST(CommandFrameTest, FramesAreCutOutOfNoiseAndAnUnfinishedOneWaits)
{
    const std::string Bytes = std::string("xx$PCCTL@08*$PCCTLA7x*") + "$PCCTLD235958*\x01$PCCTLC1208212*$PCCTLA0";
    const std::vector<TCommandFrame> Frames = ReadCommandFrames(Bytes);
    ASSERT_EQ(Frames.size(), 3u);
    EXPECT_EQ(Frames[0].Bytes, "$PCCTL@08*");
    EXPECT_EQ(Frames[1].Letter, 'D');
    EXPECT_EQ(Frames[1].Digits, "235958");
    EXPECT_EQ(Frames[2].Bytes, "$PCCTLC1208212*");
    EXPECT_EQ(ReadCommandFrames(Bytes + "7*").size(), 4u);
}

TEST(CommandFrameTest, DescriptionsNameWhatIsAsked)
{
    struct TCase {
        const char* Bytes;
        const char* Text;
    };
    const TCase Cases[] = {
        {"$PCCTL@00*", "channel: all off"},   {"$PCCTL@08*", "channel: all on"},
        {"$PCCTL@03*", "channel: 3"},         {"$PCCTLA00*", "song: none"},
        {"$PCCTLA99*", "song 99"},            {"$PCCTLD090507*", "time 09:05:07"},
        {"$PCCTLC1201010*", "date 2012-01-01, weekday 0"}, {"$PCCTLA7*", "unknown command 24 50 43 43 54 4C 41 37 2A"},
    };
    for (const TCase& Case : Cases) {
        const std::vector<TCommandFrame> Frames = ReadCommandFrames(Case.Bytes);
        ASSERT_EQ(Frames.size(), 1u) << Case.Bytes;
        EXPECT_EQ(DescribeCommand(Frames[0]), Case.Text) << Case.Bytes;
    }
}

class PlayerTest : public ::testing::Test {
protected:
    using TClock = TSimulatedPlayer::TClock;
    TClock::time_point T0 = TClock::now();
    TSimulatedPlayer Player{TCalendarTime{2012, 8, 21, 23, 59, 58}, T0};

    bool Apply(const char* Bytes, std::chrono::seconds After = std::chrono::seconds(0))
    {
        return Player.Apply(ReadCommandFrames(Bytes).at(0), T0 + After);
    }
};

TEST_F(PlayerTest, ClockRunsOverMidnightIntoTheNextWeekday)
{
    TDeviceReport R = Player.Report(T0);
    EXPECT_EQ(R.WeekDay, 2) << "21 August 2012 was a Tuesday";
    R = Player.Report(T0 + std::chrono::seconds(3));
    EXPECT_EQ(R.Day, 0x22);
    EXPECT_EQ(R.Hour, 0x00);
    EXPECT_EQ(R.Second, 0x01);
    EXPECT_EQ(R.WeekDay, 3);
}

TEST_F(PlayerTest, TimeAndDateFramesSetTheClock)
{
    ASSERT_TRUE(Apply("$PCCTLD090507*", std::chrono::seconds(10)));
    ASSERT_TRUE(Apply("$PCCTLC1201010*", std::chrono::seconds(10)));
    const TDeviceReport R = Player.Report(T0 + std::chrono::seconds(12));
    EXPECT_EQ(R.Year, 0x12);
    EXPECT_EQ(R.Month, 0x01);
    EXPECT_EQ(R.Day, 0x01);
    EXPECT_EQ(R.WeekDay, 0);
    EXPECT_EQ(R.Hour, 0x09);
    EXPECT_EQ(R.Minute, 0x05);
    EXPECT_EQ(R.Second, 0x09);
}

TEST_F(PlayerTest, ChannelAndSongFramesShowInTheReport)
{
    ASSERT_TRUE(Apply("$PCCTL@05*"));
    ASSERT_TRUE(Apply("$PCCTLA42*"));
    EXPECT_EQ(Player.Report(T0).ChannelState, 5);
    EXPECT_EQ(Player.Report(T0).SongNo, 0x42);
}

TEST_F(PlayerTest, FramesOutOfRangeAreRefused)
{
    for (const char* Bytes : {"$PCCTL@09*", "$PCCTLD240000*", "$PCCTLD126000*", "$PCCTLC1202300*",
                              "$PCCTLC1213010*", "$PCCTLC1201017*", "$PCCTLA123*", "$PCCTLZ00*"})
        EXPECT_FALSE(Apply(Bytes)) << Bytes;
    EXPECT_TRUE(Apply("$PCCTLC1202292*")) << "29 February 2012";
    const TDeviceReport R = Player.Report(T0);
    EXPECT_EQ(R.Hour, 0x23);
    EXPECT_EQ(R.ChannelState, 0);
}

TEST_F(PlayerTest, ScheduleRunsUntilItsFinishTime)
{
    Player.SetFinishTime(10, 17);
    ASSERT_TRUE(Apply("$PCCTLD101659*"));
    EXPECT_EQ(Player.Report(T0).ScheduleState, 3);
    EXPECT_EQ(Player.Report(T0).FinishHour, 0x10);
    EXPECT_EQ(Player.Report(T0).FinishMinute, 0x17);
    EXPECT_EQ(Player.Report(T0 + std::chrono::seconds(1)).ScheduleState, 5);
}

} // namespace
