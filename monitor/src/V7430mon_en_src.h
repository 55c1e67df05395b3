#pragma once
// The PC monitor's main window TForm1 and the module state of its unit.
//
// All monitor state lives in the module-level variables declared below; the
// handlers of the window work on them and on the components of the form.
// The handlers are split by subject over the files of this folder:
//   V7430mon_en_src.cpp  unit start and end, the form, start-up, COM choice, log
//   StatusPacket.cpp     the status packet reader and the offline watchdog
//   StatusDisplay.cpp    the display refresh: clock, song, channels, status bar
//   ScheduleEvents.cpp   the day's schedule events in the log
//   CommandFrames.cpp    the command frames, channel and song choice
//   ClockSetting.cpp     the automatic clock setting

#include <array>
#include <cstdint>

#include "rtl/DateTime.h"
#include "rtl/SysUtils.h"
#include "vcl/Vcl.h"

namespace OrbCtrl {
class TPcUart;
}

// ---------------------------------------------------------------------------
// Types of the module state

// The device's last reported status, in the order of the short packet body.
// Bytes are kept as received: packed BCD for the date, time, song and finish
// time; plain numbers for the weekday, channel state and schedule state.
struct TDeviceStatus {
    std::uint8_t Year = 0x08;
    std::uint8_t Month = 0x08;
    std::uint8_t Day = 0x08;
    std::uint8_t WeekDay = 4;          // 0 Sunday .. 6 Saturday
    std::uint8_t Hour = 0x12;
    std::uint8_t Minute = 0x00;
    std::uint8_t Second = 0x00;
    std::uint8_t ChannelState = 0;     // 0 all off, 1 .. 7 that channel, 8 all on
    std::uint8_t SongNo = 0x00;
    std::uint8_t ScheduleState = 0;    // 1, 2, 3 and 5 have an effect
    std::uint8_t FinishHour = 0x00;
    std::uint8_t FinishMinute = 0x00;
};

constexpr std::uint8_t StatusPacketStart = 0xFA;
constexpr std::uint8_t StatusPacketEnd = 0xFB;
constexpr int ShortStatusBody = 12;
constexpr int LongStatusBody = 14;
constexpr int MonRxdBuffSize = 64;
constexpr int PcCtlTxdBuffSize = 64;
constexpr int OfflineAfterTicks = 10;  // silent watchdog ticks the device may miss
constexpr int LogTrimEvents = 50;      // logged events after which the log is cleared

// ---------------------------------------------------------------------------
// Module state (created at unit start, lives until the program ends)

extern TDeviceStatus DeviceStatus;
extern std::int32_t DeviceOnline;
extern std::int32_t NoResponseTicks;
extern std::int32_t FinishTimeLogged;
extern std::int32_t AllFinishLogged;
extern std::int32_t TimeSyncDone;
extern std::int32_t LogLineCount;
extern std::int32_t InStatusPacket;
extern std::uint8_t StatusBodyCount;
extern std::uint8_t MonRxdBuff[MonRxdBuffSize];
extern AnsiString WeekDayNames[7];
extern AnsiString DateLine;
extern AnsiString TimeLine;
extern std::uint8_t PcCtlTxdBuff[PcCtlTxdBuffSize];
extern const std::array<std::uint8_t, 100> BcdTable;

// Unit start and end: the weekday names and display lines, and every
// variable at its start value.
void InitializeUnitTables();
void FinalizeUnitTables();

// ---------------------------------------------------------------------------
// The main window

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);
    // Closes the port while the form is still whole, so that a delivery the
    // worker has under way reaches a live form.
    ~TForm1() override;

    // Components of the form. Numbered sets are arrays indexed by the
    // number in the component's name (CheckBox[9] is CheckBox9); entries
    // without a component stay null.
    TBevel* Bevel1 = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel1 = nullptr;
    TCheckBox* CheckBox[10] = {};
    TLabel* Label[5] = {};
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox[4] = {};
    TRichEdit* RichEdit1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    OrbCtrl::TPcUart* PcUart1 = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;

    // Window (V7430mon_en_src.cpp)
    void FormCreate(TObject* Sender);
    void ComboBox2Change(TObject* Sender);
    // One event in the log: its line, then an empty line.
    void LogEvent(const AnsiString& Line);

    // Status packets (StatusPacket.cpp)
    void PcUart1RxdDatas(TObject* Sender, int Bytes, char* Datas);
    void Timer1Timer(TObject* Sender);

    // Display refresh (StatusDisplay.cpp)
    void Timer2Timer(TObject* Sender);
    void ShowStatus();
    void DrawClock();

    // Schedule events (ScheduleEvents.cpp)
    void HandleScheduleState();

    // Command frames (CommandFrames.cpp)
    int SendPcCtl(char Letter, unsigned Length);
    void ComboBox1Change(TObject* Sender);
    void ComboBox3Change(TObject* Sender);

    // Automatic clock setting (ClockSetting.cpp): the time frame, then the
    // date frame, both from the one reading PcClock of the PC's clock.
    // True when both were sent.
    bool SendClockFrames(TDateTime PcClock);

private:
    void SendChoice(char Letter, TComboBox* Box);
};

// The one main window; set once CreateForm has built it.
extern TForm1* Form1;

// Status packets (StatusPacket.cpp): one byte from the device.
void FeedStatusPacketReader(std::uint8_t Byte);

// Command frames (CommandFrames.cpp): the two ASCII digits of 0 .. 99 at
// PcCtlTxdBuff[At], tens first.
void PutDecimalPair(int At, int Number);

// Display (StatusDisplay.cpp): a byte as exactly two upper-case hexadecimal
// digits, which for packed BCD are its two decimal digits (0x08 gives "08");
// the texts of the clock drawing.
AnsiString HexPair(std::uint8_t Byte);
AnsiString MakeDateLine(const TDeviceStatus& Status);
AnsiString MakeTimeLine(const TDeviceStatus& Status);

// The form resource of TForm1 (Form1Resource.cpp).
extern const char* const Form1Resource;
