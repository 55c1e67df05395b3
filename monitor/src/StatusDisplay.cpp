// The display refresh every 500 ms: the device's clock, song and channels
// from DeviceStatus, the log's trimming, the schedule events, and the
// device's presence in the status bar.

#include "V7430mon_en_src.h"

AnsiString HexPair(std::uint8_t Byte)
{
    return Format("%02X", static_cast<unsigned>(Byte));
}

namespace {

// The weekday's name; a byte beyond Saturday names no day.
AnsiString WeekDayName(std::uint8_t WeekDay)
{
    return WeekDay < 7 ? WeekDayNames[WeekDay] : AnsiString("---");
}

} // namespace

AnsiString MakeDateLine(const TDeviceStatus& Status)
{
    // The four blanks at the end cover what a longer earlier text left.
    return "20" + HexPair(Status.Year) + " / " + HexPair(Status.Month) + " / " + HexPair(Status.Day) + "  " +
           WeekDayName(Status.WeekDay) + "    ";
}

AnsiString MakeTimeLine(const TDeviceStatus& Status)
{
    return HexPair(Status.Hour) + " : " + HexPair(Status.Minute) + " : " + HexPair(Status.Second);
}

void TForm1::Timer2Timer(TObject*)
{
    ShowStatus();
    if (LogLineCount >= LogTrimEvents) {
        LogLineCount = 0;
        RichEdit1->Clear();
    }
    HandleScheduleState();
    DrawClock();
    StatusBar1->Panels()->Items(3)->SetText(DeviceOnline == 1 ? "VTX-7430 Online" : "VTX-7430 Offline");
}

void TForm1::ShowStatus()
{
    DateLine = MakeDateLine(DeviceStatus);
    TimeLine = MakeTimeLine(DeviceStatus);
    const std::uint8_t Song = DeviceStatus.SongNo;
    Edit1->SetText(IntToStr((Song >> 4) * 10 + (Song & 0x0F)));
    // One channel on, or all seven (8); any other value shows none.
    const std::uint8_t Channels = DeviceStatus.ChannelState;
    for (int Channel = 1; Channel <= 7; ++Channel)
        CheckBox[Channel]->SetChecked(Channels == Channel || Channels == 8);
}

void TForm1::DrawClock()
{
    // The texts are drawn over the last ones with an opaque background; the
    // picture is not cleared first.
    TCanvas* Canvas = Image1->Canvas();
    Canvas->Font().SetName("Arial");
    Canvas->Font().SetHeight(54);
    Canvas->TextOut(5, 0, DateLine);
    Canvas->TextOut(95, 55, TimeLine);
}
