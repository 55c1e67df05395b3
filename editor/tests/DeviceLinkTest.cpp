// The device link, one handler at a time: connect and offline, the port
// status, the download and clock commands, the answers to the device's
// bytes (handed to the receive handler as the port delivers them), the NAK
// limit and the watchdog. The port is on a pseudo-terminal, which shows
// what the editor sent.

#include "LinkFixture.h"

#include <algorithm>
#include <cstdlib>

#include "editorlink/BlockFrame.h"
#include "simdevice/PtyDevice.h"

namespace {

class DeviceLinkTest : public TLinkTest {
protected:
    // What the port wrote so far, once Count bytes have come.
    std::string Sent(std::size_t Count)
    {
        EXPECT_TRUE(Line.WaitReceived(Count, 10000));
        return Line.Received();
    }

    // Connected, with a download waiting for the device's 'C'.
    void ConnectAndDownload()
    {
        Connect();
        StartDownload();
        ASSERT_EQ(LinkMode, lm_Download);
    }

    // The data frame of block n as the device must get it for table A: type
    // 2, bank 0, the block number, the block's 64 bytes of the ROM file that
    // the download wrote, and the CRC-8 over those 67 bytes.
    std::string ExpectedBlock(int Number)
    {
        const std::string Rom = ReadText(PathOf("week.CFB"));
        EXPECT_EQ(Rom.size(), 8192u);
        std::string Frame{'\x02', '\x00', static_cast<char>(Number)};
        Frame += Rom.substr(std::min<std::size_t>(64 * (Number - 1), Rom.size()), 64);
        Frame += static_cast<char>(editorlink::Crc8(reinterpret_cast<const std::uint8_t*>(Frame.data()), Frame.size()));
        return Frame;
    }

    simdevice::TPtyDevice Line{LinkCom};
};

// ---------------------------------------------------------------------------
// Connect, offline, port choice

struct TLanguageCase {
    const char* Name;
    TLanguageNo Language;
    const char* OpenLine;
    const char* CloseLine;
    const char* Online;
    const char* Offline;
    const char* NoPortText;
    const char* NoPortCaption;
};

void PrintTo(const TLanguageCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

const TLanguageCase Languages[] = {
    {"Chinese", lno_Chinese, ">>> 開啟通訊埠 COM 3 <<<", ">>> 關閉通訊埠 COM 3 <<<", "COM 3 (連線)", "COM 3 (離線)",
     "請指定通訊埠 !!\n", "指定通訊埠未指定"},
    {"English", lno_English, ">>> Open COM 3 <<<", ">>> Close COM 3 <<<", "COM 3 (online)", "COM 3 (offline)",
     "COM port not found !!\n", "COM port error"},
};

class PortTest : public DeviceLinkTest, public ::testing::WithParamInterface<TLanguageCase> {
protected:
    void SetUp() override
    {
        DeviceLinkTest::SetUp();
        UiLanguage = GetParam().Language;
    }
};

TEST_P(PortTest, ConnectOpensThePortAndEnablesTheCommands)
{
    F().AddLogLine("an old line");
    LinkMode = lm_TimeSync;
    Connect();
    EXPECT_TRUE(F().PcUart1->Opened());
    EXPECT_EQ(F().PcUart1->UartPortNumber(), 3u);
    EXPECT_EQ(Log(), std::vector<std::string>{GetParam().OpenLine});
    EXPECT_FALSE(F().SpeedButton[1]->Visible());
    EXPECT_TRUE(F().SpeedButton[10]->Visible());
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_TRUE(F().GroupBox[6]->Enabled());
    EXPECT_EQ(PortOnline, 1);
    EXPECT_FALSE(F().ComboBox[11]->Enabled());
    EXPECT_EQ(PanelText(1), GetParam().Online);
    EXPECT_EQ(LinkMode, lm_TimeSync);
    EXPECT_FALSE(F().Timer1->Enabled());
}

TEST_P(PortTest, OfflineClosesThePortAndDisablesTheCommands)
{
    Connect();
    LinkMode = lm_Download;
    NakCount = 4;
    TimeoutCount = 2;
    BlockNumber = 17;
    F().Timer1->SetEnabled(true);
    Press(F().SpeedButton[10]);
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_EQ(LastLine(), GetParam().CloseLine);
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(F().SpeedButton[1]->Visible());
    EXPECT_FALSE(F().SpeedButton[10]->Visible());
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_FALSE(F().GroupBox[6]->Enabled());
    EXPECT_EQ(PortOnline, 0);
    EXPECT_TRUE(F().ComboBox[11]->Enabled());
    EXPECT_EQ(PanelText(1), GetParam().Offline);
    EXPECT_EQ(LinkMode, lm_Download);
    EXPECT_EQ(NakCount, 4);
    EXPECT_EQ(TimeoutCount, 2);
    EXPECT_EQ(BlockNumber, 17);
    // The port can be opened again.
    Press(F().SpeedButton[1]);
    EXPECT_TRUE(F().PcUart1->Opened());
}

TEST_P(PortTest, ConnectWithoutAPortChosenOnlyAsks)
{
    F().AddLogLine("an old line");
    ShowSystemPage();
    Press(F().SpeedButton[1]);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    const TShownMessageBox& Box = Responder.MessageBoxes()[0];
    EXPECT_EQ(Box.Text, GetParam().NoPortText);
    EXPECT_EQ(Box.Caption, GetParam().NoPortCaption);
    EXPECT_EQ(Box.Buttons, std::vector<AnsiString>{"OK"});
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(F().SpeedButton[1]->Visible());
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_EQ(PortOnline, 0);
    EXPECT_TRUE(F().ComboBox[11]->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Languages, PortTest, ::testing::ValuesIn(Languages),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DeviceLinkTest, ChoosingAPortWhileOfflineLogsACloseLineOnly)
{
    ShowSystemPage();
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[11], "COM 3"));
    // Before the first connect the port number is the stored 1.
    EXPECT_EQ(Log(), std::vector<std::string>{">>> 關閉通訊埠 COM 1 <<<"});
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_EQ(PanelText(1), "COM 3 (離線)");
    Press(F().SpeedButton[1]);
    Press(F().SpeedButton[10]);
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[11], "COM 5"));
    EXPECT_EQ(LastLine(), ">>> 關閉通訊埠 COM 3 <<<");
    EXPECT_EQ(PanelText(1), "COM 5 (離線)");
    EXPECT_FALSE(F().PcUart1->Opened());
    EXPECT_TRUE(F().SpeedButton[1]->Visible());
}

TEST_F(DeviceLinkTest, StatusPanelFollowsConnectAndOffline)
{
    UiLanguage = lno_English;
    F().ShowPortStatus();
    EXPECT_EQ(PanelText(1), "None (offline)");
    Connect();
    EXPECT_EQ(PanelText(1), "COM 3 (online)");
    Press(F().SpeedButton[10]);
    EXPECT_EQ(PanelText(1), "COM 3 (offline)");
}

// A port that does not open leaves the link offline, with the reason.
TEST_F(DeviceLinkTest, ConnectToAMissingPortStaysOffline)
{
    ::setenv("VTX_COM7", PathOf("no-such-tty").c_str(), 1);
    Connect("COM 7");
    ::unsetenv("VTX_COM7");
    EXPECT_FALSE(F().PcUart1->Opened());
    const std::vector<std::string> Lines = Log();
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0], ">>> 開啟通訊埠 COM 7 <<<");
    EXPECT_EQ(Lines[1], std::string(F().PcUart1->LastErrMsg()));
    EXPECT_FALSE(Lines[1].empty());
    EXPECT_TRUE(F().SpeedButton[1]->Visible());
    EXPECT_FALSE(F().SpeedButton[10]->Visible());
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_EQ(PortOnline, 0);
    EXPECT_TRUE(F().ComboBox[11]->Enabled());
    EXPECT_EQ(PanelText(1), "COM 7 (離線)");
    // Another port then connects as usual.
    Connect();
    EXPECT_TRUE(F().PcUart1->Opened());
    EXPECT_EQ(PortOnline, 1);
}

// ---------------------------------------------------------------------------
// The download command

TEST_F(DeviceLinkTest, DownloadChecksSavesBuildsAndWaits)
{
    Connect();
    TypeRow(1, 1, {"9", "00", "10", "00", "5", "3", "7"});
    TypeRow(1, 2, {"8", "00", "", "30", "", "", ""});
    TypeRow(1, 3, {"7", "", "8", "00", "", "", ""});   // no start minute: dropped
    StartDownload("week.vsh");
    EXPECT_EQ(Log(), (std::vector<std::string>{">>> 開啟通訊埠 COM 3 <<<", "作息表規則檢查..........", "產生設定ROM檔..........",
                                                "*** 更新 VTX-7430 作息表 ***", "=== 等待 VTX-7430 回應.... ==="}));
    // The checker ran before the image: sorted, defaults, the bad row gone.
    EXPECT_EQ(RowOf(1, 1), (TRowTexts{"8", "00", "8", "30", "0", "0", "9"}));
    EXPECT_EQ(RowOf(1, 2), (TRowTexts{"9", "00", "10", "00", "5", "3", "7"}));
    EXPECT_EQ(RowOf(1, 3), EmptyRow());
    EXPECT_EQ(ScheduleUntitled, 0);
    EXPECT_TRUE(FileExists(PathOf("week.vsh")));
    const std::string Rom = ReadText(PathOf("week.CFB"));
    ASSERT_EQ(Rom.size(), 8192u);
    EXPECT_EQ(Rom, std::string(reinterpret_cast<const char*>(RomImage), RomImageSize));
    EXPECT_EQ(RomImage[0], 0x08);
    EXPECT_EQ(LinkMode, lm_Download);
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_TRUE(F().Timer1->Enabled());
    EXPECT_EQ(BlockNumber, 0);
    EXPECT_EQ(TimeoutCount, 0);
    EXPECT_EQ(NakCount, 0);
    EXPECT_EQ(ScheduleBank, 0);
    // Nothing goes out until the device asks.
    TUser::Wait(50);
    EXPECT_EQ(Line.Received(), "");
}

TEST_F(DeviceLinkTest, DownloadLinesInEnglish)
{
    Connect();
    UiLanguage = lno_English;
    StartDownload();
    const std::vector<std::string> Lines = Log();
    EXPECT_EQ(std::vector<std::string>(Lines.begin() + 1, Lines.end()),
              (std::vector<std::string>{"Check schedule table..........", "Create ROM file..........",
                                        "*** Update VTX-7430 schedule table ***",
                                        "=== Waiting VTX-7430 respond.... ==="}));
}

struct TRefusedSaveCase {
    const char* Name;
    TLanguageNo Language;
    bool FileThere;   // the chosen name exists; the overwrite question is answered No
    const char* AbortLine;
};

void PrintTo(const TRefusedSaveCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class RefusedSaveTest : public DeviceLinkTest, public ::testing::WithParamInterface<TRefusedSaveCase> {};

TEST_P(RefusedSaveTest, EndsWithUserAbort)
{
    const TRefusedSaveCase& Case = GetParam();
    UiLanguage = Case.Language;
    Connect();
    LinkMode = lm_Idle;
    BlockNumber = 5;
    if (Case.FileThere) {
        WriteText(PathOf("old.vsh"), "[X]\r\n");
        Responder.AnswerFileDialog(PathOf("old.vsh"));
        Responder.AnswerMessageBox(IDNO);
    } else {
        Responder.CancelFileDialog();
    }
    PressCommand(F().SpeedButton[3]);
    EXPECT_EQ(LastLine(), Case.AbortLine);
    EXPECT_EQ(Log().size(), 4u);
    EXPECT_EQ(ScheduleUntitled, 1);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_EQ(BlockNumber, 5);
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_TRUE(F().PcUart1->Opened());
    EXPECT_FALSE(FileExists(PathOf("V7430.CFB")));
    EXPECT_FALSE(FileExists(PathOf("old.CFB")));
    EXPECT_EQ(Responder.Pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSaveTest,
                         ::testing::Values(TRefusedSaveCase{"CancelChinese", lno_Chinese, false, "使用者終止.........."},
                                           TRefusedSaveCase{"CancelEnglish", lno_English, false, "User abort.........."},
                                           TRefusedSaveCase{"NoOverwrite", lno_English, true, "User abort.........."}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DeviceLinkTest, ALoadedScheduleIsNotSavedAgain)
{
    WriteText(PathOf("loaded.vsh"), "[MON]\r\nSCH_SH_1=7\r\nSCH_SM_1=0\r\nSCH_EH_1=7\r\nSCH_EM_1=30\r\n");
    Responder.AnswerMessageBox(IDYES);
    Responder.AnswerFileDialog(PathOf("loaded.vsh"));
    Press(F().Load1);
    const std::string Before = ReadText(PathOf("loaded.vsh"));
    Connect();
    Responder.Clear();
    PressCommand(F().SpeedButton[3]);
    EXPECT_TRUE(Responder.FileDialogs().empty());
    EXPECT_EQ(ReadText(PathOf("loaded.vsh")), Before);
    EXPECT_EQ(ReadText(PathOf("loaded.CFB")).size(), 8192u);
    EXPECT_EQ(LinkMode, lm_Download);
}

TEST_F(DeviceLinkTest, ScheduleWithoutAFileNameWritesV7430Cfb)
{
    Connect();
    ScheduleUntitled = 0;
    CurrentScheduleFile = "  ";
    PressCommand(F().SpeedButton[3]);
    EXPECT_EQ(ReadText(PathOf("V7430.CFB")).size(), 8192u);
    EXPECT_EQ(LinkMode, lm_Download);
}

TEST_F(DeviceLinkTest, TableBGoesIntoTheImageAndTheFrames)
{
    Connect();
    Press(F().RadioButton[16]);
    StartDownload();
    EXPECT_EQ(ScheduleBank, 1);
    EXPECT_EQ(RomImage[0x1E0F], 0x01);
    Deliver("C");
    EXPECT_EQ(Sent(68).substr(0, 3), std::string("\x02\x01\x01", 3));
    for (int Number = 2; Number <= 129; ++Number)
        Deliver(std::string(1, Ack));
    const std::string All = Sent(128 * 68);
    for (int Number = 1; Number <= 128; ++Number)
        EXPECT_EQ(All[68 * (Number - 1) + 1], '\x01') << Number;
    ASSERT_EQ(LastLine(), FinishLine);
    // Back to table A for the next download.
    Press(F().RadioButton[15]);
    StartDownload();
    EXPECT_EQ(ScheduleBank, 0);
    EXPECT_EQ(RomImage[0x1E0F], 0x00);
}

// A value that cannot be converted stops the download with the
// application's error box, before anything is sent.
TEST_F(DeviceLinkTest, ImageThatCannotBeBuiltEndsTheDownload)
{
    Connect();
    F().StringGrid[14]->SetCells(0, 1, "FEB");
    F().StringGrid[14]->SetCells(1, 1, "3");
    StartDownload();
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Icon, "Error");
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_EQ(LastLine(), "產生設定ROM檔..........");
    EXPECT_FALSE(FileExists(PathOf("week.CFB")));
}

// A download still in force from before an offline does not carry the
// half-built image of a failed build to the device.
TEST_F(DeviceLinkTest, FailedBuildEndsADownloadStillInForce)
{
    ConnectAndDownload();
    Deliver("C");
    Press(F().SpeedButton[10]);
    Press(F().SpeedButton[1]);
    ASSERT_EQ(LinkMode, lm_Download);
    Deliver("C");   // the device restarts the interrupted download
    ASSERT_TRUE(F().Timer1->Enabled());
    const std::size_t SentBefore = Sent(2 * 68).size();
    F().StringGrid[14]->SetCells(0, 1, "FEB");
    F().StringGrid[14]->SetCells(1, 1, "3");
    PressCommand(F().SpeedButton[3]);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_FALSE(F().Timer1->Enabled());
    Deliver(std::string(1, Ack));
    Deliver("C");
    TUser::Wait(50);
    EXPECT_EQ(Line.Received().size(), SentBefore);
}

// ---------------------------------------------------------------------------
// The device's answers during a download

TEST_F(DeviceLinkTest, CThenAcksSendAll128BlocksThenFinish)
{
    ConnectAndDownload();
    std::string Expected;
    for (int Number = 1; Number <= 128; ++Number)
        Expected += ExpectedBlock(Number);
    Deliver("C");
    EXPECT_EQ(BlockNumber, 1);
    for (int Ack1 = 1; Ack1 <= 127; ++Ack1)
        Deliver(std::string(1, Ack));
    EXPECT_EQ(BlockNumber, 128);
    EXPECT_EQ(LinkMode, lm_Download);
    EXPECT_TRUE(CommandsDisabled());
    // The ACK of block 128, with a byte after it that is not looked at.
    Deliver(std::string(1, Ack) + "C");
    EXPECT_EQ(LastLine(), FinishLine);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_EQ(NakCount, 0);
    EXPECT_EQ(Sent(128 * 68), Expected);
    const std::vector<std::string> Lines = Log();
    ASSERT_EQ(Lines.size(), 5u + 128u + 1u);
    for (int Number = 1; Number <= 128; ++Number)
        EXPECT_EQ(Lines[4 + Number], SendLine(Number, static_cast<std::uint8_t>(Expected[68 * Number - 1])));
    // Later bytes find the link idle.
    Deliver("C");
    TUser::Wait(50);
    EXPECT_EQ(Line.Received().size(), 128u * 68u);
}

struct TDeliveryCase {
    const char* Name;
    std::string Bytes;      // one delivery, the first after the command
    int BlockNumber;        // afterwards
    int FramesSent;
};

void PrintTo(const TDeliveryCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class FirstDeliveryTest : public DeviceLinkTest, public ::testing::WithParamInterface<TDeliveryCase> {};

// The first of 'C', ACK and NAK in a delivery decides; the rest is not
// looked at.
TEST_P(FirstDeliveryTest, Decides)
{
    ConnectAndDownload();
    Deliver(GetParam().Bytes);
    EXPECT_EQ(BlockNumber, GetParam().BlockNumber);
    TUser::Wait(50);
    EXPECT_EQ(Line.Received().size(), 68u * GetParam().FramesSent);
    EXPECT_EQ(TimeoutCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Deliveries, FirstDeliveryTest,
    ::testing::Values(TDeliveryCase{"CThenMore", std::string("C\x06\x06\x15" "C", 5), 1, 1},
                      TDeliveryCase{"GarbageThenAck", std::string("x\x00\xFF\x06", 4), 1, 1},
                      TDeliveryCase{"GarbageOnly", std::string("abc\x00\x7F", 5), 0, 0},
                      TDeliveryCase{"Empty", std::string(), 0, 0},
                      TDeliveryCase{"NakBeforeAnyBlock", std::string("\x15", 1), 1, 1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DeviceLinkTest, NineNaksResendTheTenthFails)
{
    ConnectAndDownload();
    Deliver("C");
    for (int I = 0; I < 4; ++I)
        Deliver(std::string(1, Ack));
    ASSERT_EQ(BlockNumber, 5);
    const std::string Block5 = ExpectedBlock(5);
    const std::uint8_t Crc5 = static_cast<std::uint8_t>(Block5.back());
    for (int I = 1; I <= 9; ++I) {
        Deliver(std::string(1, Nak));
        EXPECT_EQ(LastLine(), SendLine(5, Crc5, true)) << I;
        EXPECT_EQ(NakCount, I);
        EXPECT_EQ(LinkMode, lm_Download);
    }
    EXPECT_EQ(Sent(14 * 68).substr(4 * 68), [&] {
        std::string Ten;
        for (int I = 0; I < 10; ++I)
            Ten += Block5;
        return Ten;
    }());
    Deliver(std::string(1, Nak));
    EXPECT_EQ(LastLine(), FailureLine);
    EXPECT_EQ(CountLines(SendLine(5, Crc5, true)), 9);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_EQ(NakCount, 0);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(F().PcUart1->Opened());
    TUser::Wait(50);
    EXPECT_EQ(Line.Received().size(), 14u * 68u);
}

TEST_F(DeviceLinkTest, FailureLineInEnglish)
{
    ConnectAndDownload();
    UiLanguage = lno_English;
    Deliver("C");
    for (int I = 0; I < 10; ++I)
        Deliver(std::string(1, Nak));
    EXPECT_EQ(LastLine(), "===> VTX-7430 schedule table update failure <===");
    EXPECT_EQ(LinkMode, lm_Idle);
}

TEST_F(DeviceLinkTest, AnAckBreaksTheNakCount)
{
    ConnectAndDownload();
    Deliver("C");
    for (int I = 0; I < 9; ++I)
        Deliver(std::string(1, Nak));
    Deliver(std::string(1, Ack));
    EXPECT_EQ(NakCount, 0);
    for (int I = 0; I < 9; ++I)
        Deliver(std::string(1, Nak));
    EXPECT_EQ(LinkMode, lm_Download);
    EXPECT_EQ(BlockNumber, 2);
    Deliver(std::string(1, Nak));
    EXPECT_EQ(LastLine(), FailureLine);
}

TEST_F(DeviceLinkTest, ASecondCRestartsAtBlockOne)
{
    ConnectAndDownload();
    Deliver("C");
    for (int I = 0; I < 6; ++I)
        Deliver(std::string(1, Ack));
    Deliver(std::string(1, Nak));
    Deliver(std::string(1, Nak));
    ASSERT_EQ(NakCount, 2);
    Deliver("C");
    EXPECT_EQ(BlockNumber, 1);
    EXPECT_EQ(NakCount, 0);
    EXPECT_EQ(Sent(10 * 68).substr(9 * 68), ExpectedBlock(1));
}

TEST_F(DeviceLinkTest, NaksBeforeAnyBlockSendBlockOneAndCountToTen)
{
    ConnectAndDownload();
    const std::string Block1 = ExpectedBlock(1);
    for (int I = 1; I <= 9; ++I)
        Deliver(std::string(1, Nak));
    EXPECT_EQ(BlockNumber, 1);
    EXPECT_EQ(CountLines(SendLine(1, static_cast<std::uint8_t>(Block1.back()), true)), 9);
    EXPECT_EQ(Sent(9 * 68), [&] {
        std::string Nine;
        for (int I = 0; I < 9; ++I)
            Nine += Block1;
        return Nine;
    }());
    Deliver(std::string(1, Nak));
    EXPECT_EQ(LastLine(), FailureLine);
}

TEST_F(DeviceLinkTest, BytesInIdleAreIgnoredAndStopTheWatchdog)
{
    Connect();
    for (const std::string& Bytes : {std::string("C"), std::string(1, Ack), std::string(1, Nak), std::string("zz")}) {
        F().Timer1->SetEnabled(true);
        TimeoutCount = 3;
        const std::size_t LinesBefore = Log().size();
        Deliver(Bytes);
        EXPECT_FALSE(F().Timer1->Enabled());
        EXPECT_EQ(TimeoutCount, 0);
        EXPECT_EQ(Log().size(), LinesBefore);
        EXPECT_EQ(LinkMode, lm_Idle);
    }
    TUser::Wait(50);
    EXPECT_EQ(Line.Received(), "");
}

// Offline stops the watchdog but not the download: after a new connect the
// device's 'C' restarts it, without a watchdog until a frame is sent.
TEST_F(DeviceLinkTest, OfflineDuringADownloadLeavesItInForce)
{
    ConnectAndDownload();
    Deliver("C");
    Deliver(std::string(1, Ack));
    // The device has both blocks before the port closes, so none of block 2
    // can arrive after the line is cleared below.
    ASSERT_EQ(Sent(2 * 68).size(), 2u * 68);
    Press(F().SpeedButton[10]);
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_EQ(LinkMode, lm_Download);
    Press(F().SpeedButton[1]);
    EXPECT_EQ(LinkMode, lm_Download);
    EXPECT_FALSE(F().Timer1->Enabled());
    Line.ClearReceived();
    Deliver("C");
    EXPECT_EQ(BlockNumber, 1);
    EXPECT_TRUE(F().Timer1->Enabled());
    EXPECT_EQ(Sent(68), ExpectedBlock(1));
}

// ---------------------------------------------------------------------------
// The clock command

class ClockTest : public DeviceLinkTest {
protected:
    void ConnectAndStartClock()
    {
        Connect();
        StartClock();
        ASSERT_EQ(LinkMode, lm_TimeSync);
    }

    const std::string ClockSetLine = "===> 日期與時間 同步更新完成 <===";
    const std::string ClockFailedLine = "===> 日期與時間 同步更新失敗 <===";
};

TEST_F(ClockTest, CommandWaitsForTheDevice)
{
    TimeoutCount = 4;
    NakCount = 3;
    ConnectAndStartClock();
    EXPECT_EQ(Log(), (std::vector<std::string>{">>> 開啟通訊埠 COM 3 <<<", "*** 同步更新 VTX-7430 的日期與時間 ***",
                                                "=== 等待 VTX-7430 回應.... ==="}));
    EXPECT_EQ(TimeoutCount, 0);
    EXPECT_EQ(NakCount, 0);
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_TRUE(F().Timer1->Enabled());
    TUser::Wait(50);
    EXPECT_EQ(Line.Received(), "");
}

TEST_F(ClockTest, CSendsTheTimeAndAckEndsTheCommand)
{
    UiLanguage = lno_English;
    ConnectAndStartClock();
    const TDateTime Before = Now();
    Deliver("C");
    const std::string Sent1 = Sent(68);
    ASSERT_EQ(Sent1.size(), 68u);
    EXPECT_EQ(Sent1.substr(0, 3), std::string("\x01\x00\x01", 3));
    EXPECT_EQ(LastLine(), SendLine(1, static_cast<std::uint8_t>(Sent1.back())));
    EXPECT_TRUE(editorlink::ClockOf(editorlink::FrameOf(Sent1)).has_value());
    unsigned short Year, Month, Day;
    DecodeDate(Before, Year, Month, Day);
    EXPECT_EQ(static_cast<std::uint8_t>(Sent1[4]), BcdTable[Month]);
    Deliver(std::string(1, Ack));
    EXPECT_EQ(LastLine(), "===> Data & Time update finish <===");
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_FALSE(F().Timer1->Enabled());
}

TEST_F(ClockTest, EachNakResendsAFreshTimeAndTheTenthFails)
{
    ConnectAndStartClock();
    Deliver("C");
    for (int I = 1; I <= 9; ++I) {
        Deliver(std::string(1, Nak));
        EXPECT_EQ(LastLine().substr(0, 26), "===> Resend data block: 1,") << I;
    }
    const std::string All = Sent(10 * 68);
    for (int I = 0; I < 10; ++I)
        EXPECT_EQ(All[68 * I], '\x01') << I;
    Deliver(std::string(1, Nak));
    EXPECT_EQ(LastLine(), ClockFailedLine);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_EQ(NakCount, 0);
    EXPECT_TRUE(CommandsEnabled());
}

TEST_F(ClockTest, LinesInEnglish)
{
    UiLanguage = lno_English;
    ConnectAndStartClock();
    EXPECT_EQ(Log(), (std::vector<std::string>{">>> Open COM 3 <<<", "*** Update VTX-7430's Date & Time ***",
                                                "=== Waiting VTX-7430 respond.... ==="}));
    Deliver("C");
    for (int I = 0; I < 10; ++I)
        Deliver(std::string(1, Nak));
    EXPECT_EQ(LastLine(), "===> Data & Time update failure <===");
    EXPECT_EQ(LinkMode, lm_Idle);
}

// The clock is read anew for every resend.
TEST_F(ClockTest, ResendReadsTheClockAgain)
{
    ConnectAndStartClock();
    Deliver("C");
    const std::string First = Sent(68);
    // Wait until the PC clock has moved on by a second.
    const std::string FirstSecond = std::string(FormatDateTime("ss", Now()));
    ASSERT_TRUE(RunUntil([&] { return std::string(FormatDateTime("ss", Now())) != FirstSecond; },
                         std::chrono::seconds(10)));
    Deliver(std::string(1, Nak));
    const std::string Second = Sent(2 * 68).substr(68);
    EXPECT_NE(First.substr(3, 7), Second.substr(3, 7));
}

// An ACK that comes before the time frame has gone out answers nothing of
// this command: the clock was not set.
TEST_F(ClockTest, AckBeforeTheTimeFrameIsPassedOver)
{
    ConnectAndStartClock();
    Deliver(std::string(1, Ack));
    EXPECT_EQ(LinkMode, lm_TimeSync);
    EXPECT_EQ(CountLines(ClockSetLine), 0);
    EXPECT_TRUE(CommandsDisabled());
    EXPECT_TRUE(F().Timer1->Enabled());
    // Passed over like noise, so a 'C' behind it in the same delivery counts.
    Deliver(std::string("\x06x", 2) + "C");
    EXPECT_EQ(Sent(68).substr(0, 1), "\x01");
    Deliver(std::string(1, Ack));
    EXPECT_EQ(LastLine(), ClockSetLine);
}

// A NAK before the time frame asks for it.
TEST_F(ClockTest, NakBeforeTheTimeFrameSendsIt)
{
    ConnectAndStartClock();
    Deliver(std::string(1, Nak));
    EXPECT_EQ(Sent(68).substr(0, 1), "\x01");
    Deliver(std::string(1, Ack));
    EXPECT_EQ(LastLine(), ClockSetLine);
}

// ---------------------------------------------------------------------------
// The watchdog

TEST_F(DeviceLinkTest, TenSilentTicksAbortTheCommand)
{
    ConnectAndDownload();
    NakCount = 3;
    for (int I = 1; I <= 9; ++I) {
        Tick();
        EXPECT_EQ(LastLine(), "===> VTX-7430 連線回應逾時 #" + std::to_string(I) + "<===");
        EXPECT_EQ(LinkMode, lm_Download);
    }
    Tick();
    const std::vector<std::string> Lines = Log();
    EXPECT_EQ(Lines[Lines.size() - 2], "===> VTX-7430 連線回應逾時 #10<===");
    EXPECT_EQ(Lines.back(), AbortLine);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(F().PcUart1->Opened());
    EXPECT_EQ(NakCount, 3);
}

TEST_F(DeviceLinkTest, TickLinesInEnglish)
{
    Connect();
    UiLanguage = lno_English;
    StartClock();
    for (int I = 0; I < 10; ++I)
        Tick();
    const std::vector<std::string> Lines = Log();
    EXPECT_EQ(Lines[3], "===> VTX-7430 connect timeout #1<===");
    EXPECT_EQ(Lines[12], "===> VTX-7430 connect timeout #10<===");
    EXPECT_EQ(Lines.back(), "===> Connection abort!! <===");
    EXPECT_EQ(LinkMode, lm_Idle);
}

TEST_F(DeviceLinkTest, BytesBetweenTicksStartTheCountAgain)
{
    ConnectAndDownload();
    for (int I = 0; I < 9; ++I)
        Tick();
    Deliver("noise");
    EXPECT_EQ(TimeoutCount, 0);
    Tick();
    EXPECT_EQ(LastLine(), "===> VTX-7430 連線回應逾時 #1<===");
    for (int I = 0; I < 8; ++I)
        Tick();
    EXPECT_EQ(LinkMode, lm_Download);
    Tick();
    EXPECT_EQ(LastLine(), AbortLine);
}

// The watchdog through the loop, with a short period.
TEST_F(DeviceLinkTest, WatchdogRunsOnTheTimer)
{
    Connect();
    F().Timer1->SetInterval(20);
    StartDownload();
    ASSERT_TRUE(RunUntil([&] { return LinkMode == lm_Idle; }));
    EXPECT_EQ(LastLine(), AbortLine);
    EXPECT_EQ(CountLines("===> VTX-7430 連線回應逾時 #10<==="), 1);
    EXPECT_FALSE(F().Timer1->Enabled());
}

} // namespace
