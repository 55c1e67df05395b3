// Start-up, the window and its components, the COM choice and closing.

#include "MonitorFixture.h"

#include <atomic>
#include <cstdlib>

#include "vcl/testing/Screenshot.h"

namespace {

using WindowTest = TMonitorTest;

TEST_F(WindowTest, WindowHasItsCaptionSizeAndFont)
{
    EXPECT_EQ(F().Caption(), "VTX-7430GS PC monitor  (R120821.V2)");
    EXPECT_EQ(F().Position(), poDesigned);
    EXPECT_EQ(F().Width(), 464);
    EXPECT_EQ(F().Height(), 398);
    EXPECT_EQ(F().Font().Name(), "MS Sans Serif");
    EXPECT_EQ(F().Font().Height(), -11);
}

TEST_F(WindowTest, ComponentsHaveTheirPlacesAndCaptions)
{
    struct TPlace {
        TControl* Control;
        int Left, Top, Width, Height;
    };
    const TPlace Places[] = {
        {F().Bevel1, 8, 16, 441, 121},     {F().Image1, 16, 24, 425, 105},   {F().Panel1, 8, 144, 433, 57},
        {F().CheckBox[1], 8, 8, 97, 17},   {F().CheckBox[2], 112, 8, 97, 17}, {F().CheckBox[3], 216, 8, 97, 17},
        {F().CheckBox[4], 320, 8, 97, 17}, {F().CheckBox[5], 8, 32, 97, 17},  {F().CheckBox[6], 112, 32, 97, 17},
        {F().CheckBox[7], 216, 32, 97, 17}, {F().Edit1, 368, 32, 41, 23},    {F().CheckBox[9], 312, 320, 121, 17},
        {F().RichEdit1, 8, 208, 297, 129},
    };
    for (const TPlace& P : Places) {
        EXPECT_EQ(P.Control->Left(), P.Left) << P.Control->Name();
        EXPECT_EQ(P.Control->Top(), P.Top) << P.Control->Name();
        EXPECT_EQ(P.Control->Width(), P.Width) << P.Control->Name();
        EXPECT_EQ(P.Control->Height(), P.Height) << P.Control->Name();
    }
    for (int Channel = 1; Channel <= 7; ++Channel) {
        EXPECT_EQ(F().CheckBox[Channel]->Caption(), "CH " + IntToStr(Channel) + " ON");
        EXPECT_EQ(F().CheckBox[Channel]->Parent(), F().Panel1);
        EXPECT_EQ(F().CheckBox[Channel]->Font().Name(), "新細明體");
        EXPECT_EQ(F().CheckBox[Channel]->Font().Height(), -13);
    }
    EXPECT_FALSE(F().Panel1->Enabled()) << "the channels and the song are shown, not chosen";
    EXPECT_EQ(F().Label[3]->Parent(), F().Panel1);
    EXPECT_EQ(F().Edit1->Parent(), F().Panel1);
    EXPECT_EQ(F().Edit1->Font().Name(), "Arial");

    struct TLabelCase {
        int Number;
        const char* Caption;
        int Left, Top;
        TColor Color;
    };
    const TLabelCase Labels[] = {
        {1, "Song:", 320, 280, clNavy}, {2, "COM:", 320, 216, clOlive},
        {3, "Song:", 320, 32, clWindowText}, {4, "CH :", 320, 248, clGreen},
    };
    for (const TLabelCase& L : Labels) {
        TLabel* Label = F().Label[L.Number];
        EXPECT_EQ(Label->Caption(), L.Caption) << L.Number;
        EXPECT_EQ(Label->Left(), L.Left) << L.Number;
        EXPECT_EQ(Label->Top(), L.Top) << L.Number;
        EXPECT_EQ(Label->Font().Color(), L.Color) << L.Number;
        EXPECT_EQ(Label->Font().Name(), "新細明體") << L.Number;
        EXPECT_EQ(Label->Font().Height(), -16) << L.Number;
    }

    EXPECT_EQ(F().CheckBox[9]->Caption(), "Auto time sync.");
    EXPECT_EQ(F().CheckBox[9]->Font().Color(), clRed);
    EXPECT_FALSE(F().CheckBox[9]->Checked());
    EXPECT_TRUE(F().RichEdit1->ReadOnly());
    EXPECT_EQ(F().RichEdit1->ScrollBars(), ssVertical);
    EXPECT_EQ(F().RichEdit1->Font().Charset(), CHINESEBIG5_CHARSET);
}

TEST_F(WindowTest, ChoiceBoxesHoldTheirItems)
{
    struct TBoxCase {
        int Number;
        int Left, Top;
        int Count;
        const char* First;
        const char* Second;
        const char* Last;
        const char* Text;
    };
    const TBoxCase Boxes[] = {
        {2, 384, 216, 13, "Off", "COM 1", "COM 12", "Off"},
        {3, 384, 248, 9, "All off", "1", "All on", "All off"},
        {1, 384, 280, 100, "None", "1", "99", "None"},
    };
    for (const TBoxCase& B : Boxes) {
        TComboBox* Box = F().ComboBox[B.Number];
        ASSERT_EQ(Box->Items()->Count(), B.Count) << B.Number;
        EXPECT_EQ(Box->Items()->Strings(0), B.First) << B.Number;
        EXPECT_EQ(Box->Items()->Strings(1), B.Second) << B.Number;
        EXPECT_EQ(Box->Items()->Strings(B.Count - 1), B.Last) << B.Number;
        EXPECT_EQ(Box->Text(), B.Text) << B.Number;
        EXPECT_EQ(Box->Style(), csDropDown) << "the text can also be typed";
        EXPECT_EQ(Box->Left(), B.Left);
        EXPECT_EQ(Box->Top(), B.Top);
        EXPECT_EQ(Box->Width(), 65);
    }
    // Every item's index is the number it stands for.
    for (int N = 1; N <= 7; ++N)
        EXPECT_EQ(F().ComboBox[3]->Items()->Strings(N), IntToStr(N));
    for (int N = 1; N <= 99; ++N)
        EXPECT_EQ(F().ComboBox[1]->Items()->Strings(N), IntToStr(N));
    for (int N = 1; N <= 12; ++N)
        EXPECT_EQ(F().ComboBox[2]->Items()->Strings(N), "COM " + IntToStr(N));
}

TEST_F(WindowTest, StartsWithNoPortAnEmptyLogAndBothTimersRunning)
{
    EXPECT_EQ(F().RichEdit1->Lines()->Count(), 0) << "the design-time line goes";
    ASSERT_EQ(F().StatusBar1->Panels()->Count(), 5);
    const char* Texts[5] = {"COM", "None", "State", "", "ORB"};
    const int Widths[5] = {55, 50, 70, 170, 50};
    for (int I = 0; I < 5; ++I) {
        EXPECT_EQ(PanelText(I), Texts[I]) << I;
        EXPECT_EQ(F().StatusBar1->Panels()->Items(I)->Width(), Widths[I]) << I;
    }
    EXPECT_EQ(F().StatusBar1->Panels()->Items(4)->Alignment(), taCenter);
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_TRUE(F().Timer1->Enabled());
    EXPECT_TRUE(F().Timer1->Running());
    EXPECT_EQ(F().Timer1->Interval(), 1000u);
    EXPECT_TRUE(F().Timer2->Enabled());
    EXPECT_TRUE(F().Timer2->Running());
    EXPECT_EQ(F().Timer2->Interval(), 500u);
}

TEST_F(WindowTest, PortHasItsStoredSettings)
{
    OrbCtrl::TPcUart* Port = F().PcUart1;
    EXPECT_EQ(Port->UartPortNumber(), 1u);
    EXPECT_EQ(Port->UartBaud(), 4800u);
    EXPECT_EQ(Port->UartBitsPerByte(), 8u);
    EXPECT_EQ(Port->UartParityBit, YVclCtrl::upb_None);
    EXPECT_EQ(Port->UartStopBits, YVclCtrl::usb_1bit);
    EXPECT_EQ(Port->FlowCtrlStyle(), YVclCtrl::fcs_None);
    EXPECT_EQ(Port->SysUartWriteStyle, YVclCtrl::suws_WriteThrough);
    EXPECT_EQ(Port->SysUartTxdQueueSize(), 1024u);
    EXPECT_EQ(Port->SysUartRxdQueueSize(), 1024u);
    EXPECT_EQ(Port->SysUartRxdIntervalTimeout, 200u);
    EXPECT_EQ(Port->RxdFilter_Style, YVclCtrl::rfs_ByBytesOfPacket);
    EXPECT_EQ(Port->RxdFilter_BytesOfPacket(), 1u);
    EXPECT_TRUE(static_cast<bool>(Port->OnRxdDatas));
}

TEST_F(WindowTest, FirstRefreshShowsTheStartValues)
{
    HoldTimers();
    Tick2();
    ExpectShown("2008 / 08 / 08  THU    ", "12 : 00 : 00", "0", false, "VTX-7430 Offline");
}

TEST_F(WindowTest, ChoosingAComOpensItAndStartsBothTimers)
{
    StartDevice();
    HoldTimers();
    ChooseCom("COM 3");
    EXPECT_TRUE(F().PcUart1->Opened()) << F().PcUart1->LastErrMsg();
    EXPECT_EQ(F().PcUart1->UartPortNumber(), 3u);
    EXPECT_EQ(Device->Line().Line().Baud, 4800u);
    EXPECT_EQ(PanelText(1), "COM 3");
    EXPECT_TRUE(F().Timer1->Enabled());
    EXPECT_TRUE(F().Timer2->Enabled());
}

TEST_F(WindowTest, AnotherComClosesTheFirstAndOpensTheNew)
{
    StartDevice();
    monitorlink::TMonitorDevice Second(4);
    ChooseCom("COM 3");
    ChooseCom("COM 4");
    HoldTimers();
    EXPECT_TRUE(F().PcUart1->Opened());
    EXPECT_EQ(PanelText(1), "COM 4");
    // COM 3 is free again: a port of its own opens it.
    OrbCtrl::TPcUart Other(nullptr);
    Other.pw_UartPortNumber(3);
    EXPECT_TRUE(Other.Open()) << Other.LastErrMsg();
    Other.Close();
    Second.SendStatus(monitorlink::TDeviceReport());
    EXPECT_TRUE(WaitUntil([] { return DeviceOnline == 1; }));
    F().PcUart1->Close();
}

TEST_F(WindowTest, PortThatDoesNotOpenShowsNothingAndStaysOffline)
{
    ::setenv("VTX_COM5", "/nonexistent/vtx-monitor-test", 1);
    HoldTimers();
    ChooseCom("COM 5");
    ::unsetenv("VTX_COM5");
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_EQ(F().PcUart1->LastErrMsg(), "The comm device not exist");
    EXPECT_EQ(PanelText(1), "COM 5");
    EXPECT_TRUE(F().Timer1->Enabled());
    EXPECT_TRUE(Responder.MessageBoxes().empty());
    HoldTimers();
    Tick2();
    EXPECT_EQ(PanelText(3), "VTX-7430 Offline");
}

TEST_F(WindowTest, TypedTextThatNamesNoComChangesNothing)
{
    StartDevice();
    ChooseCom("COM 3");
    HoldTimers();
    ASSERT_TRUE(TUser::TypeText(F().ComboBox[2], "COM 0"));
    EXPECT_TRUE(F().PcUart1->Opened());
    EXPECT_EQ(F().PcUart1->UartPortNumber(), 3u);
    EXPECT_EQ(PanelText(1), "COM 3");
    EXPECT_TRUE(Responder.MessageBoxes().empty()) << "no port number is refused";
    ASSERT_TRUE(TUser::TypeText(F().ComboBox[2], "Off"));
    EXPECT_FALSE(F().PcUart1->Opened()) << "a typed text that names an entry chooses it";
    EXPECT_EQ(PanelText(1), "None");
}

TEST_F(WindowTest, OffClosesStopsTheTimersClearsTheLogAndKeepsTheStatus)
{
    ConnectDevice();
    Device->SendStatus(ReportIn(3));
    ASSERT_TRUE(WaitUntil([] { return DeviceOnline == 1; }));
    Tick2();
    ASSERT_FALSE(LogLines().empty());
    const AnsiString Date = DateLine, Time = TimeLine;
    F().Timer1->SetEnabled(true);
    F().Timer2->SetEnabled(true);

    ChooseCom("Off");
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_FALSE(F().Timer2->Enabled());
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(PanelText(1), "None");
    EXPECT_EQ(PanelText(3), "VTX-7430 Offline");
    EXPECT_EQ(DeviceOnline, 0);
    EXPECT_EQ(FinishTimeLogged, 0);
    EXPECT_EQ(AllFinishLogged, 0);
    EXPECT_EQ(TimeSyncDone, 0);
    EXPECT_EQ(LogLineCount, 0);
    // The last status stays on show.
    EXPECT_EQ(DeviceStatus.ScheduleState, 3);
    EXPECT_EQ(DateLine, Date);
    EXPECT_EQ(TimeLine, Time);
    EXPECT_EQ(F().Edit1->Text(), "42");
}

// The window's end closes the port while bytes keep coming: a delivery
// under way reaches a form that is still whole.
TEST_F(WindowTest, ClosingTheWindowWhileTheDeviceSendsClosesThePort)
{
    StartDevice();
    ChooseCom("COM 3");
    ASSERT_TRUE(F().PcUart1->Opened());
    std::atomic<bool> Sending{true};
    std::thread Writer([&] {
        while (Sending) {
            Device->SendStatus(monitorlink::TDeviceReport());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    ASSERT_TRUE(WaitUntil([] { return DeviceOnline == 1; }));
    TUser::CloseForm(Form.get());
    Form.reset();
    Sending = false;
    Writer.join();
    OrbCtrl::TPcUart Other(nullptr);
    Other.pw_UartPortNumber(DeviceCom);
    EXPECT_TRUE(Other.Open()) << "the window's port is closed: " << Other.LastErrMsg();
    Other.Close();
}

TEST_F(WindowTest, UnitEndFreesAndUnitStartRestoresTheMonitorsState)
{
    HoldTimers();
    Tick2();
    DeviceStatus.Year = 0x99;
    LogLineCount = 7;
    Form.reset();
    Form1 = nullptr;
    FinalizeUnitTables();
    EXPECT_TRUE(WeekDayNames[0].empty());
    EXPECT_TRUE(DateLine.empty());
    InitializeUnitTables();
    const char* Names[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int Day = 0; Day < 7; ++Day)
        EXPECT_EQ(WeekDayNames[Day], Names[Day]);
    EXPECT_TRUE(DateLine.empty());
    EXPECT_TRUE(TimeLine.empty());
    EXPECT_EQ(DeviceStatus.Year, 0x08);
    EXPECT_EQ(DeviceStatus.WeekDay, 4);
    EXPECT_EQ(DeviceStatus.Hour, 0x12);
    EXPECT_EQ(LogLineCount, 0);
}

// Pictures of the window, for looking at: at the first refresh before any
// packet (monitor-start.png), and after a few ticks with a device online
// whose clock runs (monitor.png).
TEST_F(WindowTest, Screenshot)
{
    HoldTimers();
    Tick2();
    EXPECT_TRUE(SaveScreenshot(Form.get(), std::string(MONITOR_SCREENSHOT_DIR) + "/monitor-start.png"));
    ConnectDevice();
    monitorlink::TDeviceReport R = ReportIn(3, 0x21, 0x45);
    R.ChannelState = 3;
    R.WeekDay = 4;
    R.Hour = 0x13;
    R.Minute = 0x11;
    for (std::uint8_t Second : {0x56, 0x57, 0x58}) {
        R.Second = Second;
        R.ScheduleState = Second == 0x58 ? 5 : 3;
        Device->SendStatus(R);
        ASSERT_TRUE(WaitUntil([&] { return DeviceStatus.Second == Second; }));
        Tick2();
    }
    EXPECT_TRUE(SaveScreenshot(Form.get(), std::string(MONITOR_SCREENSHOT_DIR) + "/monitor.png"));
}

} // namespace
