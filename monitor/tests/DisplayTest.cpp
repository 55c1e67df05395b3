// The display refresh: date and time lines, the song, the channel boxes and
// the device's presence, from the status the device last reported.

#include "MonitorFixture.h"

namespace {

using monitorlink::StatusPacket;
using monitorlink::TDeviceReport;

class DisplayTest : public THeldMonitorTest {
protected:

    void Show(const TDeviceReport& Report)
    {
        Feed(StatusPacket(Report));
        Tick2();
    }
};

TEST_F(DisplayTest, DateAndTimeLinesShowTheBytesAsTwoDigits)
{
    struct TCase {
        std::uint8_t Year, Month, Day, WeekDay, Hour, Minute, Second;
        const char* Date;
        const char* Time;
    };
    const TCase Cases[] = {
        {0x12, 0x01, 0x01, 0, 0x09, 0x05, 0x07, "2012 / 01 / 01  SUN    ", "09 : 05 : 07"},
        {0x99, 0x12, 0x31, 6, 0x23, 0x59, 0x59, "2099 / 12 / 31  SAT    ", "23 : 59 : 59"},
        {0x00, 0x02, 0x29, 1, 0x00, 0x00, 0x00, "2000 / 02 / 29  MON    ", "00 : 00 : 00"},
        // Bytes that are no packed BCD show as they came.
        {0x1A, 0x0F, 0x3C, 3, 0x7E, 0xFF, 0x60, "201A / 0F / 3C  WED    ", "7E : FF : 60"},
        // A weekday beyond Saturday names no day.
        {0x12, 0x08, 0x21, 7, 0x12, 0x00, 0x00, "2012 / 08 / 21  ---    ", "12 : 00 : 00"},
        {0x12, 0x08, 0x21, 0xFF, 0x12, 0x00, 0x00, "2012 / 08 / 21  ---    ", "12 : 00 : 00"},
    };
    for (const TCase& C : Cases) {
        TDeviceReport R;
        R.Year = C.Year;
        R.Month = C.Month;
        R.Day = C.Day;
        R.WeekDay = C.WeekDay;
        R.Hour = C.Hour;
        R.Minute = C.Minute;
        R.Second = C.Second;
        Show(R);
        EXPECT_EQ(DateLine, C.Date);
        EXPECT_EQ(TimeLine, C.Time);
    }
}

TEST_F(DisplayTest, SongShowsInDecimalWithoutLeadingZeros)
{
    const std::pair<std::uint8_t, const char*> Cases[] = {{0x00, "0"}, {0x07, "7"}, {0x10, "10"}, {0x42, "42"}, {0x99, "99"}};
    for (const auto& [Song, Text] : Cases) {
        TDeviceReport R;
        R.SongNo = Song;
        Show(R);
        EXPECT_EQ(F().Edit1->Text(), Text);
    }
}

TEST_F(DisplayTest, ChannelBoxesShowOneChannelAllOrNone)
{
    for (int State : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x42, 0xFF}) {
        TDeviceReport R;
        R.ChannelState = static_cast<std::uint8_t>(State);
        Show(R);
        for (int Channel = 1; Channel <= 7; ++Channel) {
            const bool On = State == Channel || State == 8;
            EXPECT_EQ(F().CheckBox[Channel]->Checked(), On) << "state " << State << ", channel " << Channel;
        }
    }
}

TEST_F(DisplayTest, StatusBarFollowsTheDevicePresence)
{
    Tick2();
    EXPECT_EQ(PanelText(3), "VTX-7430 Offline");
    Show(TDeviceReport());
    EXPECT_EQ(PanelText(3), "VTX-7430 Online");
    Tick1(11);
    EXPECT_EQ(PanelText(3), "VTX-7430 Online") << "shown at the next refresh";
    Tick2();
    EXPECT_EQ(PanelText(3), "VTX-7430 Offline");
}

TEST_F(DisplayTest, RefreshWithoutNewsShowsTheSameAndLogsNothing)
{
    Show(ReportIn(0));
    const AnsiString Date = DateLine;
    Tick2(20);
    EXPECT_EQ(DateLine, Date);
    EXPECT_EQ(F().Edit1->Text(), "42");
    EXPECT_TRUE(LogLines().empty());
}

} // namespace
