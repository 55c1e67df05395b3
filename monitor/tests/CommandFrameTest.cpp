// The command frames as the device receives them: channel and song choice
// by the user, and the clock frames of the automatic clock setting.

#include "MonitorFixture.h"

namespace {

const std::string Header = "$PCCTL";

class CommandFrameTest : public TMonitorTest {
protected:
    void SetUp() override
    {
        TMonitorTest::SetUp();
        ConnectDevice();
    }

    // The bytes the device has received once Count frames have come.
    std::string ReceivedFrames(std::size_t Count)
    {
        EXPECT_TRUE(Device->WaitFrames(Count, PatienceMs));
        return Device->Line().Received();
    }
};

struct TChoiceCase {
    const char* Name;
    int Box;              // 3 channel, 1 song
    const char* Item;
    const char* Frame;    // bytes 6 onward
};

class ChoiceFrameTest : public CommandFrameTest, public ::testing::WithParamInterface<TChoiceCase> {};

TEST_P(ChoiceFrameTest, PickingAnEntrySendsItsFrame)
{
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[GetParam().Box], GetParam().Item));
    EXPECT_EQ(ReceivedFrames(1), Header + GetParam().Frame);
}

const TChoiceCase ChoiceCases[] = {
    {"ChannelAllOff", 3, "All off", "@00*"}, {"ChannelThree", 3, "3", "@03*"},
    {"ChannelSeven", 3, "7", "@07*"},        {"ChannelAllOn", 3, "All on", "@08*"},
    {"SongNone", 1, "None", "A00*"},         {"SongSeven", 1, "7", "A07*"},
    {"SongTen", 1, "10", "A10*"},            {"SongNinetyNine", 1, "99", "A99*"},
};

INSTANTIATE_TEST_SUITE_P(Entries, ChoiceFrameTest, ::testing::ValuesIn(ChoiceCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CommandFrameTest, FramesHaveNoLengthChecksumOrLineEnd)
{
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[3], "All on"));
    const std::string Bytes = ReceivedFrames(1);
    EXPECT_EQ(Bytes, std::string("\x24\x50\x43\x43\x54\x4C\x40\x30\x38\x2A", 10));
}

// A typed text that names no entry has no number: nothing goes out. One
// that names an entry sends it.
TEST_F(CommandFrameTest, TypedTextSendsOnlyWhenItNamesAnEntry)
{
    ASSERT_TRUE(TUser::TypeText(F().ComboBox[1], "x9"));
    ASSERT_TRUE(TUser::TypeText(F().ComboBox[3], "All"));
    ASSERT_TRUE(TUser::TypeText(F().ComboBox[3], "5"));
    EXPECT_EQ(ReceivedFrames(1), Header + "@05*");
}

TEST_F(CommandFrameTest, PickingWhileOffSendsNothingAndShowsNothing)
{
    ChooseCom("Off");
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[1], "12"));
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[3], "2"));
    EXPECT_TRUE(Responder.MessageBoxes().empty());
    EXPECT_TRUE(LogLines().empty());
    ChooseCom("COM 3");
    HoldTimers();
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[1], "13"));
    EXPECT_EQ(ReceivedFrames(1), Header + "A13*") << "only the frame sent while the port was open";
}

struct TClockCase {
    const char* Name;
    unsigned short Year, Month, Day, Hour, Minute, Second, MSec;
    const char* TimeFrame;   // bytes 6 onward
    const char* DateFrame;
};

class ClockFrameTest : public CommandFrameTest, public ::testing::WithParamInterface<TClockCase> {};

TEST_P(ClockFrameTest, TimeFrameThenDateFrame)
{
    const TClockCase& C = GetParam();
    const TDateTime When = EncodeDate(C.Year, C.Month, C.Day) + EncodeTime(C.Hour, C.Minute, C.Second, C.MSec);
    EXPECT_TRUE(F().SendClockFrames(When));
    const std::string Bytes = ReceivedFrames(2);
    EXPECT_EQ(Bytes, Header + C.TimeFrame + Header + C.DateFrame);
    EXPECT_EQ(Bytes.size(), 14u + 15u);
}

const TClockCase ClockCases[] = {
    {"SundayMorning", 2012, 1, 1, 9, 5, 7, 0, "D090507*", "C1201010*"},
    {"TuesdayNight", 2012, 8, 21, 23, 59, 58, 0, "D235958*", "C1208212*"},
    {"LeapDaySaturday", 2020, 2, 29, 0, 0, 0, 0, "D000000*", "C2002296*"},
    {"CenturyYear", 2100, 12, 31, 12, 30, 45, 0, "D123045*", "C0012315*"},
    // The last moment of a day: both frames tell the same day, so the device
    // is not put a day ahead.
    {"JustBeforeMidnight", 2012, 8, 21, 23, 59, 59, 999, "D235959*", "C1208212*"},
};

INSTANTIATE_TEST_SUITE_P(Moments, ClockFrameTest, ::testing::ValuesIn(ClockCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CommandFrameTest, ClockFramesOnAClosedPortReportFailure)
{
    ChooseCom("Off");
    EXPECT_FALSE(F().SendClockFrames(EncodeDate(2012, 1, 1)));
    EXPECT_EQ(F().SendPcCtl('A', 10), 2) << "port not open";
}

TEST(BcdTableTest, EntriesArePackedBcd)
{
    EXPECT_EQ(BcdTable[0], 0x00);
    EXPECT_EQ(BcdTable[7], 0x07);
    EXPECT_EQ(BcdTable[10], 0x10);
    EXPECT_EQ(BcdTable[59], 0x59);
    EXPECT_EQ(BcdTable[99], 0x99);
    for (int N = 0; N < 100; ++N)
        EXPECT_EQ((BcdTable[N] >> 4) * 10 + (BcdTable[N] & 0x0F), N);
}

} // namespace
