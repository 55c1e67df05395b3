// Whole commands over a pseudo-terminal against the simulated VTX-7430:
// a download in every shape the line can take, and the clock setting.

#include "LinkFixture.h"

#include "editorlink/Vtx7430Device.h"

namespace {

using namespace std::chrono_literals;

class DownloadOverLineTest : public TLinkTest {
protected:
    // A schedule with entries on several days and a special day, so that
    // the image is more than its empty bytes.
    void FillSchedule()
    {
        TypeRow(1, 1, {"07", "30", "08", "15", "12", "8", "9"});
        TypeRow(1, 2, {"12", "00", "", "30", "3", "1", "14"});
        TypeRow(7, 1, {"6", "0", "6", "45", "99", "0", "0"});
        TypeRow(12, 1, {"23", "0", "23", "59", "1", "2", "3"});
        ShowSystemPage();
        Press(F().CheckBox[3]);
    }

    // Connects, starts the download and lets the device ask.
    void Download()
    {
        FillSchedule();
        Connect();
        StartDownload();
        ASSERT_EQ(LinkMode, lm_Download);
        Device.Ask();
    }

    bool RunUntilIdle() { return RunUntil([] { return LinkMode == lm_Idle; }); }

    std::vector<std::uint8_t> Built() const { return std::vector<std::uint8_t>(RomImage, RomImage + RomImageSize); }

    int ResendLines()
    {
        int Count = 0;
        for (const std::string& Line : Log())
            Count += Line.rfind("===> Resend data block: ", 0) == 0;
        return Count;
    }

    editorlink::TVtx7430Device Device{LinkCom};
};

TEST_F(DownloadOverLineTest, WholeDownloadLeavesTheDeviceHoldingTheImage)
{
    Download();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(LastLine(), FinishLine);
    ASSERT_TRUE(Device.WaitDownloads(1, 10000ms));
    EXPECT_EQ(Device.Image(), Built());
    EXPECT_EQ(Device.ImageBank(), 0);
    const std::string Rom = ReadText(PathOf("week.CFB"));
    EXPECT_EQ(Rom, std::string(reinterpret_cast<const char*>(RomImage), RomImageSize));
    EXPECT_EQ(Device.Frames().size(), 128u);
    EXPECT_EQ(ResendLines(), 0);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_TRUE(F().PcUart1->Opened());
}

TEST_F(DownloadOverLineTest, TableBInEnglish)
{
    UiLanguage = lno_English;
    FillSchedule();
    Connect();
    Press(F().RadioButton[16]);
    StartDownload();
    Device.Ask();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(LastLine(), "===> VTX-7430 schedule table update finish <===");
    ASSERT_TRUE(Device.WaitDownloads(1, 10000ms));
    EXPECT_EQ(Device.ImageBank(), 1);
    EXPECT_EQ(Device.Image(), Built());
}

TEST_F(DownloadOverLineTest, SecondDownloadReplacesTheImage)
{
    Download();
    ASSERT_TRUE(RunUntilIdle());
    ASSERT_EQ(LastLine(), FinishLine);
    TypeRow(2, 1, {"10", "0", "11", "0", "4", "4", "4"});
    StartDownload();
    Device.Ask();
    ASSERT_TRUE(RunUntilIdle());
    ASSERT_TRUE(Device.WaitDownloads(2, 10000ms));
    EXPECT_EQ(Device.Image(), Built());
    EXPECT_EQ(Device.Image()[640], 0x10);
}

// The shapes of a line that a download gets through, or not.
struct TShapeCase {
    const char* Name;
    void (*Shape)(editorlink::TVtx7430Device& Device);
    bool Finishes;
    int Resends;   // resend lines in the log
};

void PrintTo(const TShapeCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

const TShapeCase Shapes[] = {
    {"LostAck", [](editorlink::TVtx7430Device& D) { D.SetRepeatWait(200ms); D.LoseAck(40); }, true, 1},
    {"LostLastAck", [](editorlink::TVtx7430Device& D) { D.SetRepeatWait(200ms); D.LoseAck(128); }, true, 1},
    {"NoiseBeforeAnswers",
     [](editorlink::TVtx7430Device& D) {
         D.NoiseBefore(1, std::string("\x00\xFF\x7F", 3));
         D.NoiseBefore(64, "noise");
         D.NoiseBefore(128, "~~");
     },
     true, 0},
    {"NakRunOfThree", [](editorlink::TVtx7430Device& D) { D.NakRun(7, 3); }, true, 3},
    {"NakRunOfNine", [](editorlink::TVtx7430Device& D) { D.NakRun(100, 9); }, true, 9},
    {"NakRunOfTen", [](editorlink::TVtx7430Device& D) { D.NakRun(7, 10); }, false, 9},
    {"NakRunsOnSeveralBlocks",
     [](editorlink::TVtx7430Device& D) {
         D.NakRun(1, 9);
         D.NakRun(2, 9);
         D.NakRun(128, 9);
     },
     true, 27},
};

class ShapeTest : public DownloadOverLineTest, public ::testing::WithParamInterface<TShapeCase> {};

TEST_P(ShapeTest, Download)
{
    GetParam().Shape(Device);
    Download();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(ResendLines(), GetParam().Resends);
    EXPECT_TRUE(CommandsEnabled());
    if (GetParam().Finishes) {
        EXPECT_EQ(LastLine(), FinishLine);
        ASSERT_TRUE(Device.WaitDownloads(1, 10000ms));
        EXPECT_EQ(Device.Image(), Built());
    } else {
        EXPECT_EQ(LastLine(), FailureLine);
        EXPECT_EQ(Device.Downloads(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeTest, ::testing::ValuesIn(Shapes),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DownloadOverLineTest, NoiseBeforeTheDevicesCIsPassedOver)
{
    FillSchedule();
    Connect();
    StartDownload();
    Device.Ask(std::string("\x01\x02\x03", 3));
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(LastLine(), FinishLine);
}

// A device that falls silent: the watchdog's ticks (called here as the
// loop would, ten seconds apart) end the command.
TEST_F(DownloadOverLineTest, SilenceEndsWithTheAbortLine)
{
    Device.SilentFrom(20);
    Download();
    ASSERT_TRUE(RunUntil([&] { return Device.Frames().size() >= 20; }));
    TUser::Wait(50);
    EXPECT_EQ(BlockNumber, 20);
    EXPECT_EQ(LinkMode, lm_Download);
    for (int I = 0; I < 10; ++I)
        Tick();
    EXPECT_EQ(LastLine(), AbortLine);
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_EQ(Device.Downloads(), 0);
    // The port stays open and the user may try again.
    Device.SilentFrom(0);
    StartDownload();
    Device.Ask();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(LastLine(), FinishLine);
    ASSERT_TRUE(Device.WaitDownloads(1, 10000ms));
    EXPECT_EQ(Device.Image(), Built());
}

TEST_F(DownloadOverLineTest, ClockSettingSetsTheDeviceClock)
{
    Connect();
    StartClock();
    const TDateTime Before = Now();
    Device.Ask();
    ASSERT_TRUE(RunUntilIdle());
    const TDateTime After = Now();
    EXPECT_EQ(LastLine(), "===> 日期與時間 同步更新完成 <===");
    ASSERT_TRUE(Device.WaitClock(10000ms));
    const editorlink::TDeviceClock Clock = *Device.Clock();
    unsigned short Year, Month, Day;
    DecodeDate(Before, Year, Month, Day);
    const TDateTime Read =
        EncodeDate(static_cast<unsigned short>(Year / 100 * 100 + Clock.Year), static_cast<unsigned short>(Clock.Month),
                   static_cast<unsigned short>(Clock.Day)) +
        EncodeTime(static_cast<unsigned short>(Clock.Hour), static_cast<unsigned short>(Clock.Minute),
                   static_cast<unsigned short>(Clock.Second), 0);
    EXPECT_GE(Read, Before - 1.0 / 86400);
    EXPECT_LE(Read, After);
    EXPECT_EQ(Clock.WeekDay, DayOfWeek(Read) - 1);
}

TEST_F(DownloadOverLineTest, ClockSettingThroughANakRun)
{
    Device.NakRun(1, 4);
    Connect();
    StartClock();
    Device.Ask();
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(LastLine(), "===> 日期與時間 同步更新完成 <===");
    EXPECT_EQ(ResendLines(), 4);
    EXPECT_TRUE(Device.WaitClock(10000ms));
}

} // namespace
