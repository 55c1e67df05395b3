#pragma once
// The schedule editor's main window TForm1 and the module state of its unit.
//
// All editor state lives in the module-level variables declared below; the
// handlers of the window work on them and on the components of the form.
// The handlers are split by subject over the files of this folder:
//   V7430_p8_src.cpp       unit start and end, the form, start-up, port status, log
//   GridCommands.cpp       timetable grids, special-day boxes, clear, copy
//   ScheduleChecker.cpp    the timetable checker
//   ScheduleFile.cpp       New, Load and Save of *.vsh files
//   RomImage.cpp           the 8192-byte device image and its .CFB file
//   LanguageCaptions.cpp   the language file and the captions of both languages
//   NonActionCalendar.cpp  the non-action day panel and its month view
//   BlockFrames.cpp        the 68-byte frames sent to the device
//   DeviceLink.cpp         connect, offline, download, clock setting, watchdog

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

enum TLanguageNo : std::int32_t { lno_Chinese = 1, lno_English = 2 };
enum TLinkMode : std::int32_t { lm_Idle = 0, lm_TimeSync = 1, lm_Download = 2 };

// One row of the checker's work tables: the seven fields of a schedule entry
// (start hour, start minute, stop hour, stop minute, track, channel, volume)
// and a valid flag.
struct TCheckRecord {
    AnsiString Field[7];
    std::int32_t Valid = 0;
};
// The field positions within a TCheckRecord.
enum TEntryField { ef_StartHour, ef_StartMinute, ef_StopHour, ef_StopMinute, ef_VoiceNo, ef_Output, ef_Volume };

// A sort pair of the checker: start time in minutes and the input record it
// belongs to (-1: dropped). The start is 64 bits wide, since the hours and
// minutes typed are not limited.
struct TSortPair {
    std::int64_t StartMinutes = 0;
    std::int32_t Record = 0;
};

constexpr int DayTableCount = 12;      // Monday .. Sunday, special days 1 .. 5
constexpr int DayTableRows = 80;       // entries of one day table (grid rows 1 .. 80)
constexpr int NonActionRows = 366;     // rows of the non-action list (grid rows 1 .. 366)
constexpr int CheckTableSize = 81;     // record 0 is never used
constexpr int CaptionTableSize = 100;
constexpr int RomImageSize = 0x2000;
constexpr int BlockFrameSize = 68;

// The grid columns of the seven entry fields, in field order; columns 2, 5
// and 7 are separators.
constexpr int EntryColumns[7] = {0, 1, 3, 4, 6, 8, 9};

// ---------------------------------------------------------------------------
// Module state (created at unit start, lives until the program ends)

extern TLanguageNo UiLanguage;
extern std::int32_t LanguageFileFound;
extern AnsiString LanguageFileName;
extern AnsiString CurrentScheduleFile;
extern std::int32_t ScheduleUntitled;
extern std::int32_t NewRefused;
extern std::int32_t PortOnline;
extern std::int32_t CopySource;
extern TLinkMode LinkMode;
extern std::int32_t NakCount;
extern std::int32_t TimeoutCount;
extern std::int32_t BlockNumber;
extern const std::int32_t BlockTotal;
extern std::int32_t LastBlockNumber;
extern std::int32_t ScheduleBank;
// 1 once the clock command in progress has sent its time frame: only then
// does the device's ACK mean that the clock was set.
extern std::int32_t TimeBlockSent;
extern AnsiString MonthNames[13];

extern TCheckRecord CheckInputTable[CheckTableSize];
extern TCheckRecord CheckOutputTable[CheckTableSize];
extern TSortPair SortPairs[DayTableRows];
extern AnsiString CaptionTable[CaptionTableSize];
extern std::uint8_t RomImage[RomImageSize];
extern std::uint8_t BlockFrame[BlockFrameSize];
extern const std::array<std::uint8_t, 100> BcdTable;
extern const std::array<std::uint8_t, 256> Crc8Table;

// Unit start and end: build and free the module tables and strings, and give
// every variable its start value.
void InitializeUnitTables();
void FinalizeUnitTables();

// ---------------------------------------------------------------------------
// The main window

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);

    // Components of the form. Numbered sets are arrays indexed by the
    // number in the component's name (StringGrid[14] is StringGrid14);
    // entries without a component stay null.
    TStringGrid* StringGrid[15] = {};
    TSpeedButton* SpeedButton[19] = {};
    TCheckBox* CheckBox[21] = {};
    TComboBox* ComboBox[16] = {};
    TRadioButton* RadioButton[17] = {};
    TTabSheet* TabSheet[14] = {};
    TGroupBox* GroupBox[7] = {};
    TLabel* Label[18] = {};
    TPageControl* PageControl1 = nullptr;
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TRichEdit* RichEdit1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* New1 = nullptr;
    TMenuItem* Load1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* Chinese1 = nullptr;
    TMenuItem* English1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    OrbCtrl::TPcUart* PcUart1 = nullptr;
    TTimer* Timer1 = nullptr;
    TCCalendar* CCalendar1 = nullptr;

    // Window (V7430_p8_src.cpp)
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void ShowPortStatus();
    void AddLogLine(const AnsiString& Line);

    // Grids and editing commands (GridCommands.cpp). The handlers of the
    // numbered components take the number: CheckBoxNClick(2) is
    // CheckBox2Click, RadioButtonNClick(3) RadioButton3Click,
    // StringGridNMouseDown(5, ...) StringGrid5MouseDown.
    void CheckBoxNClick(int Number);
    void RadioButtonNClick(int Number);
    void StringGridNMouseDown(int Number, TMouseButton Button);
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void SpeedButton11Click(TObject* Sender);
    void SpeedButton12Click(TObject* Sender);

    // Checker (ScheduleChecker.cpp)
    void SpeedButton13Click(TObject* Sender);

    // Schedule file (ScheduleFile.cpp)
    void New1Click(TObject* Sender);
    void Load1Click(TObject* Sender);
    void Save1Click(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);
    void SpeedButton7Click(TObject* Sender);
    void SpeedButton8Click(TObject* Sender);

    // Languages (LanguageCaptions.cpp)
    void LookForLanguageFile();
    void ReadLanguageCaptions();
    void ApplyLanguage();
    void English1Click(TObject* Sender);
    void Chinese1Click(TObject* Sender);

    // Device link (DeviceLink.cpp)
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton10Click(TObject* Sender);
    void ComboBox11Change(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton9Click(TObject* Sender);
    void PcUart1RxdDatas(TObject* Sender, int Bytes, char* Datas);
    void Timer1Timer(TObject* Sender);
    void ShowLinkOnline(bool Online);

    // Non-action day calendar (NonActionCalendar.cpp)
    void RefreshCalendarView();
    void SpeedButton14Click(TObject* Sender);
    void SpeedButton15Click(TObject* Sender);
    void SpeedButton16Click(TObject* Sender);
    void SpeedButton17Click(TObject* Sender);
    void SpeedButton18Click(TObject* Sender);
    void StringGrid13DblClick(TObject* Sender);
    void StringGrid14MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    template <class T, std::size_t N>
    void BindNumbered(const char* Prefix, T* (&Fields)[N], std::initializer_list<int> Numbers);
};

// The one main window; set once CreateForm has built it.
extern TForm1* Form1;

// Checker (ScheduleChecker.cpp)
void CheckDayTable(TStringGrid* Grid);
void SortByStartTime(int Count);
void SwapSortPairs(int Index);

// Grids (GridCommands.cpp)
void CopyDayTable(TStringGrid* Source, TStringGrid* Target);

// Device image (RomImage.cpp)
std::uint8_t Crc8Step(std::uint8_t Byte, std::uint8_t Crc);
// Packed BCD of the low 8 bits of a number through BcdTable; values without
// an entry (100 and above) give 0xFF.
std::uint8_t Bcd(int Value);
int MonthNameToNumber(const AnsiString& Text);
void BuildRomImage(const AnsiString& FileName);

// Block frames (BlockFrames.cpp), built into BlockFrame and sent through
// Form1's port.
void BuildTimeBlock();
// The time frame for a given moment; BuildTimeBlock passes the PC clock.
void BuildTimeBlockAt(TDateTime Moment);
void BuildDataBlock();
void SendBlock();
void ResendBlock();

// Device link (DeviceLink.cpp)
AnsiString PortNumberText(unsigned Number);

// The form resource of TForm1 (Form1Resource.cpp).
extern const char* const Form1Resource;
