// The link to the VTX-7430: connect and offline, the download of the
// schedule and the setting of the device clock, the receive handler that
// answers the device, and the watchdog.
//
// The device drives every transfer: after a command the editor waits for
// its 'C', then answers each ACK with the next frame and each NAK with the
// same frame again. Ten NAKs in a row, or ten watchdog ticks without a byte
// from the device, end the command.

#include "V7430_p8_src.h"

#include "YVclCtrl/PcUart.h"

namespace {

constexpr char DeviceAsks = 'C';
constexpr char DeviceAck = 0x06;
constexpr char DeviceNak = 0x15;
constexpr int NakLimit = 10;
constexpr int TimeoutLimit = 10;

// The text of the interface language: Chinese for lno_Chinese, else English.
AnsiString Say(const char* Chinese, const char* English)
{
    return UiLanguage == lno_Chinese ? Chinese : English;
}

// The first of the device's three answers among the bytes, or 0 when there
// is none; the bytes after it are not looked at. While the clock command
// has not sent its frame, an ACK answers nothing of this command (it is
// left over from an earlier transfer) and is passed over like any other
// stray byte.
char FirstAnswer(TLinkMode Mode, int Bytes, const char* Datas)
{
    for (int I = 0; I < Bytes; ++I) {
        const char Byte = Datas[I];
        if (Byte == DeviceAck && Mode == lm_TimeSync && TimeBlockSent == 0)
            continue;
        if (Byte == DeviceAsks || Byte == DeviceAck || Byte == DeviceNak)
            return Byte;
    }
    return 0;
}

} // namespace

AnsiString PortNumberText(unsigned Number)
{
    return IntToStr(static_cast<long long>(Number));
}

// ---------------------------------------------------------------------------
// The port

// Online: the offline button in place of connect, the commands and the
// target table enabled, the port choice locked. Offline the other way.
void TForm1::ShowLinkOnline(bool Online)
{
    SpeedButton[1]->SetVisible(!Online);
    SpeedButton[10]->SetVisible(Online);
    SpeedButton[3]->SetEnabled(Online);
    SpeedButton[9]->SetEnabled(Online);
    GroupBox[6]->SetEnabled(Online);
    PortOnline = Online ? 1 : 0;
    ComboBox[11]->SetEnabled(!Online);
    ShowPortStatus();
}

void TForm1::SpeedButton1Click(TObject*)
{
    RichEdit1->Clear();
    const int Index = ComboBox[11]->ItemIndex();
    if (Index < 0) {
        Application->MessageBox(Say("請指定通訊埠 !!\n", "COM port not found !!\n"),
                                Say("指定通訊埠未指定", "COM port error"), MB_OK);
        return;
    }
    if (PcUart1->Opened())
        PcUart1->Close();
    PcUart1->pw_UartPortNumber(static_cast<unsigned>(Index + 1));
    PcUart1->Open();
    AddLogLine(Say(">>> 開啟通訊埠 COM ", ">>> Open COM ") + PortNumberText(PcUart1->UartPortNumber()) + " <<<");
    // A port that did not open (missing, in use, not permitted) leaves the
    // link offline, with the port's reason in the log.
    if (!PcUart1->Opened()) {
        AddLogLine(PcUart1->LastErrMsg());
        ShowPortStatus();
        return;
    }
    ShowLinkOnline(true);
}

void TForm1::SpeedButton10Click(TObject*)
{
    if (PcUart1->Opened())
        PcUart1->Close();
    AddLogLine(Say(">>> 關閉通訊埠 COM ", ">>> Close COM ") + PortNumberText(PcUart1->UartPortNumber()) + " <<<");
    Timer1->SetEnabled(false);
    ShowLinkOnline(false);
}

void TForm1::ComboBox11Change(TObject*)
{
    SpeedButton10Click(Form1);
}

// ---------------------------------------------------------------------------
// The commands

void TForm1::SpeedButton3Click(TObject*)
{
    AddLogLine(Say("作息表規則檢查..........", "Check schedule table.........."));
    for (int Day = 1; Day <= DayTableCount; ++Day)
        CheckDayTable(StringGrid[Day]);
    AddLogLine(Say("產生設定ROM檔..........", "Create ROM file.........."));
    if (ScheduleUntitled != 0) {
        Save1Click(this);
        if (ScheduleUntitled != 0) {
            AddLogLine(Say("使用者終止..........", "User abort.........."));
            return;
        }
    }
    if (RadioButton[15]->Checked())
        ScheduleBank = 0;
    if (RadioButton[16]->Checked())
        ScheduleBank = 1;
    const AnsiString RomFile =
        Trim(CurrentScheduleFile).empty() ? AnsiString("V7430.CFB") : ChangeFileExt(CurrentScheduleFile, ".CFB");
    try {
        BuildRomImage(RomFile);
    } catch (...) {
        // The image is half-built now: no command may carry it to the
        // device. This ends a command still in force from before an
        // offline, which would otherwise send it at the device's next 'C'.
        LinkMode = lm_Idle;
        Timer1->SetEnabled(false);
        throw;
    }
    LinkMode = lm_Download;
    SpeedButton[3]->SetEnabled(false);
    SpeedButton[9]->SetEnabled(false);
    BlockNumber = 0;
    TimeoutCount = 0;
    NakCount = 0;
    AddLogLine(Say("*** 更新 VTX-7430 作息表 ***", "*** Update VTX-7430 schedule table ***"));
    AddLogLine(Say("=== 等待 VTX-7430 回應.... ===", "=== Waiting VTX-7430 respond.... ==="));
    Timer1->SetEnabled(true);
}

void TForm1::SpeedButton9Click(TObject*)
{
    LinkMode = lm_TimeSync;
    TimeoutCount = 0;
    NakCount = 0;
    TimeBlockSent = 0;
    SpeedButton[3]->SetEnabled(false);
    SpeedButton[9]->SetEnabled(false);
    AddLogLine(Say("*** 同步更新 VTX-7430 的日期與時間 ***", "*** Update VTX-7430's Date & Time ***"));
    AddLogLine(Say("=== 等待 VTX-7430 回應.... ===", "=== Waiting VTX-7430 respond.... ==="));
    Timer1->SetEnabled(true);
}

// ---------------------------------------------------------------------------
// The device's answers

namespace {

// Ends the command in progress with its result line; the commands can be
// given again.
void EndCommand(const AnsiString& ResultLine)
{
    TForm1* Form = Form1;
    Form->Timer1->SetEnabled(false);
    Form->AddLogLine(ResultLine);
    Form->SpeedButton[3]->SetEnabled(true);
    Form->SpeedButton[9]->SetEnabled(true);
    NakCount = 0;
    LinkMode = lm_Idle;
}

// Builds a frame, sends it and starts a full watchdog period.
void SendFrame(void (*Build)(), void (*Send)())
{
    Form1->Timer1->SetEnabled(false);
    Build();
    Send();
    Form1->Timer1->SetEnabled(true);
}

// A NAK: the same frame again, up to the tenth NAK, which ends the command
// with its failure line.
void AnswerNak(void (*Build)(), const AnsiString& FailureLine)
{
    ++NakCount;
    if (NakCount < NakLimit)
        SendFrame(Build, ResendBlock);
    else
        EndCommand(FailureLine);
}

void DownloadAnswer(char Answer)
{
    switch (Answer) {
    case DeviceAsks:
        NakCount = 0;
        BlockNumber = 1;
        SendFrame(BuildDataBlock, SendBlock);
        break;
    case DeviceAck:
        Form1->Timer1->SetEnabled(false);
        NakCount = 0;
        if (BlockNumber < BlockTotal) {
            ++BlockNumber;
            SendFrame(BuildDataBlock, SendBlock);
        } else {
            EndCommand(Say("===> VTX-7430 作息表更新完成 <===", "===> VTX-7430 schedule table update finish <==="));
        }
        break;
    case DeviceNak:
        // A NAK before any frame of this download asks for the first one.
        if (BlockNumber < 1)
            BlockNumber = 1;
        AnswerNak(BuildDataBlock, Say("===> VTX-7430 作息表更新失敗 <===", "===> VTX-7430 schedule table update failure <==="));
        break;
    }
}

// The time frame, from a fresh reading of the clock; from now on an ACK
// answers it.
void BuildTimeFrame()
{
    BuildTimeBlock();
    TimeBlockSent = 1;
}

void TimeSyncAnswer(char Answer)
{
    switch (Answer) {
    case DeviceAsks:
        NakCount = 0;
        SendFrame(BuildTimeFrame, SendBlock);
        break;
    case DeviceAck:
        EndCommand(Say("===> 日期與時間 同步更新完成 <===", "===> Data & Time update finish <==="));
        break;
    case DeviceNak:
        AnswerNak(BuildTimeFrame, Say("===> 日期與時間 同步更新失敗 <===", "===> Data & Time update failure <==="));
        break;
    }
}

} // namespace

void TForm1::PcUart1RxdDatas(TObject*, int Bytes, char* Datas)
{
    TimeoutCount = 0;
    const TLinkMode Mode = LinkMode;
    if (Mode != lm_Download && Mode != lm_TimeSync) {
        Timer1->SetEnabled(false);
        return;
    }
    const char Answer = FirstAnswer(Mode, Bytes, Datas);
    if (Mode == lm_Download)
        DownloadAnswer(Answer);
    else
        TimeSyncAnswer(Answer);
}

void TForm1::Timer1Timer(TObject*)
{
    AddLogLine(Say("===> VTX-7430 連線回應逾時 #", "===> VTX-7430 connect timeout #") + IntToStr(TimeoutCount + 1) +
               "<===");
    ++TimeoutCount;
    if (TimeoutCount >= TimeoutLimit) {
        AddLogLine(Say("===> 連線終止!! <===", "===> Connection abort!! <==="));
        SpeedButton[3]->SetEnabled(true);
        SpeedButton[9]->SetEnabled(true);
        Timer1->SetEnabled(false);
        LinkMode = lm_Idle;
    }
}
