// The editor's form unit: module state, unit start and end, the main window
// with its start-up and end, the port state in the status bar and the log.

#include "V7430_p8_src.h"

#include "YVclCtrl/PcUart.h"
#include "rtl/UnitLifetime.h"


// ---------------------------------------------------------------------------
// Module state

TLanguageNo UiLanguage = lno_Chinese;
std::int32_t LanguageFileFound = 1;
AnsiString LanguageFileName;
AnsiString CurrentScheduleFile;
std::int32_t ScheduleUntitled = 1;
std::int32_t NewRefused = 0;
std::int32_t PortOnline = 0;
std::int32_t CopySource = 1;
TLinkMode LinkMode = lm_Idle;
std::int32_t NakCount = 0;
std::int32_t TimeoutCount = 0;
std::int32_t BlockNumber = 0;
const std::int32_t BlockTotal = 128;
std::int32_t LastBlockNumber = 0;
std::int32_t ScheduleBank = 0;
std::int32_t TimeBlockSent = 0;
AnsiString MonthNames[13];

TCheckRecord CheckInputTable[CheckTableSize];
TCheckRecord CheckOutputTable[CheckTableSize];
TSortPair SortPairs[DayTableRows];
AnsiString CaptionTable[CaptionTableSize];
std::uint8_t RomImage[RomImageSize];
std::uint8_t BlockFrame[BlockFrameSize];

TForm1* Form1 = nullptr;

namespace {

void ClearCheckTable(TCheckRecord (&Table)[CheckTableSize])
{
    for (TCheckRecord& Record : Table)
        Record = TCheckRecord();
}

// Runs the unit start before main and the unit end after it.
const TUnitLifetime UnitLifetime(InitializeUnitTables, FinalizeUnitTables);

} // namespace

void InitializeUnitTables()
{
    ClearCheckTable(CheckInputTable);
    ClearCheckTable(CheckOutputTable);
    for (AnsiString& Caption : CaptionTable)
        Caption.clear();
    CurrentScheduleFile.clear();
    LanguageFileName.clear();
    static const char* const Names[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    MonthNames[0].clear();
    for (int Month = 1; Month <= 12; ++Month)
        MonthNames[Month] = Names[Month - 1];

    UiLanguage = lno_Chinese;
    LanguageFileFound = 1;
    ScheduleUntitled = 1;
    NewRefused = 0;
    PortOnline = 0;
    CopySource = 1;
    LinkMode = lm_Idle;
    NakCount = 0;
    TimeoutCount = 0;
    BlockNumber = 0;
    LastBlockNumber = 0;
    ScheduleBank = 0;
    TimeBlockSent = 0;
    for (TSortPair& Pair : SortPairs)
        Pair = TSortPair();
}

void FinalizeUnitTables()
{
    for (AnsiString& Name : MonthNames)
        AnsiString().swap(Name);
    AnsiString().swap(LanguageFileName);
    AnsiString().swap(CurrentScheduleFile);
    for (AnsiString& Caption : CaptionTable)
        AnsiString().swap(Caption);
    ClearCheckTable(CheckOutputTable);
    ClearCheckTable(CheckInputTable);
}

// ---------------------------------------------------------------------------
// The main window

template <class T, std::size_t N>
void TForm1::BindNumbered(const char* Prefix, T* (&Fields)[N], std::initializer_list<int> Numbers)
{
    for (int Number : Numbers)
        BindField(Prefix + IntToStr(Number), Fields[Number]);
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner, Form1Resource)
{
    // The serial port component the resource places.
    RegisterComponentClass<OrbCtrl::TPcUart>("TPcUart");

    BindNumbered("StringGrid", StringGrid, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    BindNumbered("SpeedButton", SpeedButton, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
    BindNumbered("CheckBox", CheckBox, {1, 2, 3, 4, 5, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    BindNumbered("ComboBox", ComboBox, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    BindNumbered("RadioButton", RadioButton, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    BindNumbered("TabSheet", TabSheet, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    BindNumbered("GroupBox", GroupBox, {1, 2, 3, 4, 5, 6});
    BindNumbered("Label", Label, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
    BindField("PageControl1", PageControl1);
    BindField("Panel1", Panel1);
    BindField("Panel2", Panel2);
    BindField("RichEdit1", RichEdit1);
    BindField("StatusBar1", StatusBar1);
    BindField("MainMenu1", MainMenu1);
    BindField("New1", New1);
    BindField("Load1", Load1);
    BindField("Save1", Save1);
    BindField("Chinese1", Chinese1);
    BindField("English1", English1);
    BindField("OpenDialog1", OpenDialog1);
    BindField("SaveDialog1", SaveDialog1);
    BindField("PcUart1", PcUart1);
    BindField("Timer1", Timer1);
    BindField("CCalendar1", CCalendar1);

    BindMethod("FormCreate", &TForm1::FormCreate);
    BindMethod("FormDestroy", &TForm1::FormDestroy);

    // The numbered handlers share one body each, told apart by the number.
    for (int Number = 1; Number <= 5; ++Number)
        Methods().Add<TNotifyEvent>("CheckBox" + IntToStr(Number) + "Click",
                                    [this, Number](TObject*) { CheckBoxNClick(Number); });
    for (int Number = 3; Number <= 14; ++Number)
        Methods().Add<TNotifyEvent>("RadioButton" + IntToStr(Number) + "Click",
                                    [this, Number](TObject*) { RadioButtonNClick(Number); });
    for (int Number = 1; Number <= DayTableCount; ++Number)
        Methods().Add<TMouseEvent>("StringGrid" + IntToStr(Number) + "MouseDown",
                                   [this, Number](TObject*, TMouseButton Button, TShiftState, int, int) {
                                       StringGridNMouseDown(Number, Button);
                                   });

    BindMethod("SpeedButton1Click", &TForm1::SpeedButton1Click);
    BindMethod("SpeedButton3Click", &TForm1::SpeedButton3Click);
    BindMethod("SpeedButton4Click", &TForm1::SpeedButton4Click);
    BindMethod("SpeedButton5Click", &TForm1::SpeedButton5Click);
    BindMethod("SpeedButton6Click", &TForm1::SpeedButton6Click);
    BindMethod("SpeedButton7Click", &TForm1::SpeedButton7Click);
    BindMethod("SpeedButton8Click", &TForm1::SpeedButton8Click);
    BindMethod("SpeedButton9Click", &TForm1::SpeedButton9Click);
    BindMethod("SpeedButton10Click", &TForm1::SpeedButton10Click);
    BindMethod("SpeedButton11Click", &TForm1::SpeedButton11Click);
    BindMethod("SpeedButton12Click", &TForm1::SpeedButton12Click);
    BindMethod("SpeedButton13Click", &TForm1::SpeedButton13Click);
    BindMethod("SpeedButton14Click", &TForm1::SpeedButton14Click);
    BindMethod("SpeedButton15Click", &TForm1::SpeedButton15Click);
    BindMethod("SpeedButton16Click", &TForm1::SpeedButton16Click);
    BindMethod("SpeedButton17Click", &TForm1::SpeedButton17Click);
    BindMethod("SpeedButton18Click", &TForm1::SpeedButton18Click);
    BindMethod("New1Click", &TForm1::New1Click);
    BindMethod("Load1Click", &TForm1::Load1Click);
    BindMethod("Save1Click", &TForm1::Save1Click);
    BindMethod("English1Click", &TForm1::English1Click);
    BindMethod("Chinese1Click", &TForm1::Chinese1Click);
    BindMethod("ComboBox11Change", &TForm1::ComboBox11Change);
    BindMethod("PcUart1RxdDatas", &TForm1::PcUart1RxdDatas);
    BindMethod("Timer1Timer", &TForm1::Timer1Timer);
    BindMethod("StringGrid13DblClick", &TForm1::StringGrid13DblClick);
    BindMethod("StringGrid14MouseDown", &TForm1::StringGrid14MouseDown);
}

void TForm1::FormCreate(TObject*)
{
    LookForLanguageFile();
    ApplyLanguage();
    for (int Day = 1; Day <= 5; ++Day)
        CheckBoxNClick(Day);
    // The link commands wait for the connect command.
    SpeedButton[3]->SetEnabled(false);
    SpeedButton[9]->SetEnabled(false);
    GroupBox[6]->SetEnabled(false);
    RadioButtonNClick(3);
    ScheduleUntitled = 1;
    CurrentScheduleFile.clear();
    RichEdit1->Clear();
    RefreshCalendarView();
}

void TForm1::FormDestroy(TObject*)
{
    if (PcUart1->Opened())
        PcUart1->Close();
}

void TForm1::ShowPortStatus()
{
    const bool Chinese = UiLanguage == lno_Chinese;
    const int Index = ComboBox[11]->ItemIndex();
    AnsiString Text;
    if (Index < 0)
        Text = Chinese ? "未指定(離線)" : "None (offline)";
    else if (PortOnline == 1)
        Text = "COM " + IntToStr(Index + 1) + (Chinese ? " (連線)" : " (online)");
    else
        Text = "COM " + IntToStr(Index + 1) + (Chinese ? " (離線)" : " (offline)");
    StatusBar1->Panels()->Items(1)->SetText(Text);
}

void TForm1::AddLogLine(const AnsiString& Line)
{
    RichEdit1->Lines()->Add(Line);
}
