// The display refresh: date and time lines, the song, the channel boxes and
// the device's presence, from the status the device last reported.

#include "MonitorFixture.h"

#include "vcl/testing/Screenshot.h"

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

// The clock drawing as Image1 shows it, read column by column: the date line
// at (5, 0) and the time line at (95, 55), each over its opaque cell.
class ClockDrawingTest : public DisplayTest {
protected:
    struct TInk {
        int First = -1;   // the leftmost column with ink, -1 for none
        int Last = -1;
    };

    TCanvas& Canvas() { return *F().Image1->Canvas(); }

    // The cell of a text drawn at (X, Y), as the canvas measures it.
    TRect CellOf(int X, int Y, const AnsiString& Text)
    {
        return {X, Y, X + Canvas().TextWidth(Text), Y + Canvas().TextHeight(Text)};
    }

    // The columns with ink in the rows of Rect, between its left and right.
    static TInk InkIn(const TShownPicture& Picture, const TRect& Rect)
    {
        TInk Ink;
        for (int X = Rect.Left; X < Rect.Right; ++X)
            for (int Y = Rect.Top; Y < Rect.Bottom; ++Y)
                if (Picture.Pixels(X, Y) != clWhite && Picture.Pixels(X, Y) != clNone) {
                    if (Ink.First < 0)
                        Ink.First = X;
                    Ink.Last = X;
                    break;
                }
        return Ink;
    }

    // Each glyph of Text drawn at (X, Y) has ink in its own columns, and the
    // ink of the line spans the text's measured width up to the side
    // bearings of its first and last glyph.
    void ExpectWholeLine(const TShownPicture& Picture, int X, int Y, const AnsiString& Text)
    {
        const TRect Cell = CellOf(X, Y, Text);
        const int Bearing = Canvas().TextWidth("0") / 4;
        const TInk Line = InkIn(Picture, {X, Cell.Top, Picture.Width(), Cell.Bottom});
        EXPECT_GE(Line.First, X) << Text;
        EXPECT_LE(Line.First, X + Bearing) << Text;
        EXPECT_LT(Line.Last, Cell.Right) << Text << ": ink beyond the text's cell";
        EXPECT_GE(Line.Last, Cell.Right - Bearing) << Text << ": the last glyph is cut";
        for (size_t I = 0; I < Text.size(); ++I) {
            if (Text[I] == ' ')
                continue;
            const TRect Glyph{X + Canvas().TextWidth(Text.substr(0, I)), Cell.Top,
                              X + Canvas().TextWidth(Text.substr(0, I + 1)), Cell.Bottom};
            EXPECT_GE(InkIn(Picture, Glyph).First, 0) << "no ink for '" << Text[I] << "' of " << Text;
        }
    }
};

TEST_F(ClockDrawingTest, EachTickOverwritesTheTextsOfTheLastEntirely)
{
    Tick2();
    ASSERT_EQ(TimeLine, "12 : 00 : 00");
    // Another time of the same length, with a pair of ones that kerning
    // would draw narrower.
    Show({.Year = 0x26, .Month = 0x12, .Day = 0x10, .WeekDay = 4, .Hour = 0x13, .Minute = 0x11, .Second = 0x58});
    ASSERT_EQ(TimeLine, "13 : 11 : 58");

    const TShownPicture Picture(F().Image1);
    ASSERT_EQ(Picture.Width(), 425);
    ASSERT_EQ(Picture.Height(), 105);
    const TRect Date = CellOf(5, 0, DateLine);
    const TRect Time = CellOf(95, 55, TimeLine);
    auto Inside = [](const TRect& Cell, int X, int Y) {
        return X >= Cell.Left && X < Cell.Right && Y >= Cell.Top && Y < Cell.Bottom;
    };
    int Survivors = 0;
    for (int Y = 0; Y < Picture.Height(); ++Y)
        for (int X = 0; X < Picture.Width(); ++X)
            if (!Inside(Date, X, Y) && !Inside(Time, X, Y) && Picture.Pixels(X, Y) != clWhite && Survivors++ == 0)
                ADD_FAILURE() << "ink of the tick before at (" << X << ", " << Y << ")";
    EXPECT_EQ(Survivors, 0);
    ExpectWholeLine(Picture, 95, 55, TimeLine);
}

TEST_F(ClockDrawingTest, TheDateLineOfAThursdayIsWholeInTheImage)
{
    Tick2();
    ASSERT_EQ(DateLine, "2008 / 08 / 08  THU    ");
    const AnsiString Shown = "2008 / 08 / 08  THU";
    EXPECT_LE(5 + Canvas().TextWidth(Shown), F().Image1->Width());
    const TShownPicture Picture(F().Image1);
    ExpectWholeLine(Picture, 5, 0, Shown);
    EXPECT_LT(InkIn(Picture, CellOf(5, 0, DateLine)).Last, Picture.Width() - 1) << "the last letter reaches the edge";
}

} // namespace
