// The monitor's form unit: module state, unit start and end, the main window
// with its start-up, the COM choice and the event log.

#include "V7430mon_en_src.h"

#include <cstring>

#include "YVclCtrl/PcUart.h"
#include "rtl/UnitLifetime.h"

// ---------------------------------------------------------------------------
// Module state

TDeviceStatus DeviceStatus;
std::int32_t DeviceOnline = 0;
std::int32_t NoResponseTicks = 0;
std::int32_t FinishTimeLogged = 0;
std::int32_t AllFinishLogged = 0;
std::int32_t TimeSyncDone = 0;
std::int32_t LogLineCount = 0;
std::int32_t InStatusPacket = 0;
std::uint8_t StatusBodyCount = 0;
std::uint8_t MonRxdBuff[MonRxdBuffSize];
AnsiString WeekDayNames[7];
AnsiString DateLine;
AnsiString TimeLine;
std::uint8_t PcCtlTxdBuff[PcCtlTxdBuffSize];

TForm1* Form1 = nullptr;

namespace {

// Runs the unit start before main and the unit end after it.
const TUnitLifetime UnitLifetime(InitializeUnitTables, FinalizeUnitTables);

} // namespace

void InitializeUnitTables()
{
    static const char* const Names[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int Day = 0; Day < 7; ++Day)
        WeekDayNames[Day] = Names[Day];
    DateLine.clear();
    TimeLine.clear();

    DeviceStatus = TDeviceStatus();
    DeviceOnline = 0;
    NoResponseTicks = 0;
    FinishTimeLogged = 0;
    AllFinishLogged = 0;
    TimeSyncDone = 0;
    LogLineCount = 0;
    InStatusPacket = 0;
    StatusBodyCount = 0;
    std::memset(MonRxdBuff, 0, sizeof MonRxdBuff);
    std::memset(PcCtlTxdBuff, 0, sizeof PcCtlTxdBuff);
}

void FinalizeUnitTables()
{
    for (AnsiString& Name : WeekDayNames)
        AnsiString().swap(Name);
    AnsiString().swap(DateLine);
    AnsiString().swap(TimeLine);
}

// ---------------------------------------------------------------------------
// The main window

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner, Form1Resource)
{
    // The serial port component the resource places.
    RegisterComponentClass<OrbCtrl::TPcUart>("TPcUart");

    for (int Number : {1, 2, 3, 4, 5, 6, 7, 9})
        BindField("CheckBox" + IntToStr(Number), CheckBox[Number]);
    for (int Number = 1; Number <= 4; ++Number)
        BindField("Label" + IntToStr(Number), Label[Number]);
    for (int Number = 1; Number <= 3; ++Number)
        BindField("ComboBox" + IntToStr(Number), ComboBox[Number]);
    BindField("Bevel1", Bevel1);
    BindField("Image1", Image1);
    BindField("Panel1", Panel1);
    BindField("Edit1", Edit1);
    BindField("RichEdit1", RichEdit1);
    BindField("StatusBar1", StatusBar1);
    BindField("PcUart1", PcUart1);
    BindField("Timer1", Timer1);
    BindField("Timer2", Timer2);

    BindMethod("FormCreate", &TForm1::FormCreate);
    BindMethod("ComboBox1Change", &TForm1::ComboBox1Change);
    BindMethod("ComboBox2Change", &TForm1::ComboBox2Change);
    BindMethod("ComboBox3Change", &TForm1::ComboBox3Change);
    BindMethod("PcUart1RxdDatas", &TForm1::PcUart1RxdDatas);
    BindMethod("Timer1Timer", &TForm1::Timer1Timer);
    BindMethod("Timer2Timer", &TForm1::Timer2Timer);
}

TForm1::~TForm1()
{
    if (PcUart1)
        PcUart1->Close();
}

void TForm1::FormCreate(TObject*)
{
    RichEdit1->Clear();
    StatusBar1->Panels()->Items(1)->SetText("None");
}

void TForm1::ComboBox2Change(TObject*)
{
    const int Choice = ComboBox[2]->ItemIndex();
    // A typed text that names no entry chooses no port: nothing changes
    // until the text names one.
    if (Choice < 0)
        return;
    if (PcUart1->Opened())
        PcUart1->Close();
    if (Choice == 0) {
        AllFinishLogged = 0;
        FinishTimeLogged = 0;
        TimeSyncDone = 0;
        DeviceOnline = 0;
        Timer1->SetEnabled(false);
        Timer2->SetEnabled(false);
        RichEdit1->Clear();
        LogLineCount = 0;
        StatusBar1->Panels()->Items(3)->SetText("VTX-7430 Offline");
        StatusBar1->Panels()->Items(1)->SetText("None");
        return;
    }
    PcUart1->pw_UartPortNumber(static_cast<unsigned>(Choice));
    // A port that does not open leaves its reason in LastErrMsg; the device
    // then simply stays offline.
    PcUart1->Open();
    StatusBar1->Panels()->Items(1)->SetText("COM " + IntToStr(Choice));
    Timer2->SetEnabled(true);
    Timer1->SetEnabled(true);
}

void TForm1::LogEvent(const AnsiString& Line)
{
    RichEdit1->Lines()->Add(Line);
    RichEdit1->Lines()->Add("");
    ++LogLineCount;
}
