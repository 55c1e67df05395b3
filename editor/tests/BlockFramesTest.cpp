// The 68-byte frames: their exact bytes, their CRC, and the send and resend
// lines of the log.

#include "LinkFixture.h"

#include <numeric>

#include "editorlink/BlockFrame.h"
#include "simdevice/PtyDevice.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

class BlockFramesTest : public TLinkTest {
protected:
    void SetUp() override
    {
        TLinkTest::SetUp();
        // An image whose every byte tells its offset apart.
        for (int I = 0; I < RomImageSize; ++I)
            RomImage[I] = static_cast<std::uint8_t>(I ^ (I >> 8));
    }

    static TBytes Bytes(int From, int Count) { return TBytes(BlockFrame + From, BlockFrame + From + Count); }
};

TEST_F(BlockFramesTest, TimeBlockCarriesTheMomentInPackedBcd)
{
    LastBlockNumber = 77;
    BuildTimeBlockAt(EncodeDate(2026, 12, 9) + EncodeTime(8, 5, 7, 0));
    EXPECT_EQ(Bytes(0, 10), (TBytes{0x01, 0x00, 0x01, 0x26, 0x12, 0x09, 0x03, 0x08, 0x05, 0x07}));
    EXPECT_EQ(Bytes(10, 57), TBytes(57, 0x00));
    EXPECT_EQ(LastBlockNumber, 1);
}

struct TMomentCase {
    const char* Name;
    unsigned short Year, Month, Day, Hour, Minute, Second;
    TBytes Expected;   // bytes 3 .. 9
};

void PrintTo(const TMomentCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class TimeBlockMomentTest : public BlockFramesTest, public ::testing::WithParamInterface<TMomentCase> {};

TEST_P(TimeBlockMomentTest, Bytes)
{
    const TMomentCase& Case = GetParam();
    BuildTimeBlockAt(EncodeDate(Case.Year, Case.Month, Case.Day) + EncodeTime(Case.Hour, Case.Minute, Case.Second, 0));
    EXPECT_EQ(Bytes(3, 7), Case.Expected);
    EXPECT_EQ(editorlink::Crc8(BlockFrame, BlockFrameSize), 0);
}

// The week day is a plain number from Sunday 0; the year is within its
// century.
INSTANTIATE_TEST_SUITE_P(
    Moments, TimeBlockMomentTest,
    ::testing::Values(TMomentCase{"Sunday2000", 2000, 1, 2, 0, 0, 0, {0x00, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00}},
                      TMomentCase{"Thursday2099", 2099, 12, 31, 23, 59, 59, {0x99, 0x12, 0x31, 0x04, 0x23, 0x59, 0x59}},
                      TMomentCase{"Saturday2033", 2033, 10, 1, 12, 30, 45, {0x33, 0x10, 0x01, 0x06, 0x12, 0x30, 0x45}},
                      TMomentCase{"LeapDay", 2028, 2, 29, 9, 9, 9, {0x28, 0x02, 0x29, 0x02, 0x09, 0x09, 0x09}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BlockFramesTest, TimeBlockReadsThePcClock)
{
    const TDateTime Before = Now();
    BuildTimeBlock();
    const TDateTime After = Now();
    editorlink::TFrame Frame;
    std::copy(BlockFrame, BlockFrame + BlockFrameSize, Frame.Bytes.begin());
    const auto Clock = editorlink::ClockOf(Frame);
    ASSERT_TRUE(Clock.has_value());
    unsigned short Year, Month, Day, Hour, Minute, Second, MSec;
    DecodeDate(Before, Year, Month, Day);
    DecodeTime(Before, Hour, Minute, Second, MSec);
    const TDateTime Read = EncodeDate(static_cast<unsigned short>(Year / 100 * 100 + Clock->Year),
                                      static_cast<unsigned short>(Clock->Month), static_cast<unsigned short>(Clock->Day)) +
                           EncodeTime(static_cast<unsigned short>(Clock->Hour), static_cast<unsigned short>(Clock->Minute),
                                      static_cast<unsigned short>(Clock->Second), 0);
    const double Second1 = 1.0 / 86400;
    EXPECT_GE(Read, Before - Second1);
    EXPECT_LE(Read, After);
    EXPECT_EQ(Clock->WeekDay, DayOfWeek(Read) - 1);
}

struct TDataCase {
    const char* Name;
    int Number;
    int Bank;
    TBytes Head;   // bytes 0 .. 2
};

void PrintTo(const TDataCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class DataBlockTest : public BlockFramesTest, public ::testing::WithParamInterface<TDataCase> {};

TEST_P(DataBlockTest, CarriesItsSliceOfTheImage)
{
    const TDataCase& Case = GetParam();
    BlockNumber = Case.Number;
    ScheduleBank = Case.Bank;
    BuildDataBlock();
    EXPECT_EQ(Bytes(0, 3), Case.Head);
    const int From = 64 * (Case.Number - 1);
    EXPECT_EQ(Bytes(3, 64), TBytes(RomImage + From, RomImage + From + 64));
    EXPECT_EQ(editorlink::Crc8(BlockFrame, BlockFrameSize), 0);
    EXPECT_EQ(LastBlockNumber, Case.Number);
}

INSTANTIATE_TEST_SUITE_P(Blocks, DataBlockTest,
                         ::testing::Values(TDataCase{"First", 1, 0, {0x02, 0x00, 0x01}},
                                           TDataCase{"FirstToBankB", 1, 1, {0x02, 0x01, 0x01}},
                                           TDataCase{"Middle", 77, 0, {0x02, 0x00, 0x4D}},
                                           TDataCase{"Last", 128, 1, {0x02, 0x01, 0x80}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BlockFramesTest, LastBlockEndsWithTheImagesOwnCrc)
{
    BuildRomImage(PathOf("x.CFB"));
    BlockNumber = 128;
    BuildDataBlock();
    EXPECT_EQ(BlockFrame[66], RomImage[8191]);
    EXPECT_EQ(Bytes(3, 64), TBytes(RomImage + 8128, RomImage + 8192));
    EXPECT_TRUE(editorlink::ImageCrcGood(RomImage));
}

TEST_F(BlockFramesTest, CrcIsTheEditorsCrc8)
{
    for (int Number : {1, 2, 64, 127, 128}) {
        BlockNumber = Number;
        BuildDataBlock();
        std::uint8_t Crc = 0;
        for (int I = 0; I < 67; ++I)
            Crc = Crc8Step(BlockFrame[I], Crc);
        EXPECT_EQ(BlockFrame[67], Crc) << Number;
        EXPECT_EQ(BlockFrame[67], editorlink::Crc8(BlockFrame, 67)) << Number;
    }
}

// The send lines, with the port closed (nothing is written).
TEST_F(BlockFramesTest, SendLinesShowTheNumberAndTwoHexDigits)
{
    // Choose the last payload byte of block 1 so that its CRC is 0x05.
    BlockNumber = 1;
    for (int Byte = 0; Byte < 256; ++Byte) {
        RomImage[63] = static_cast<std::uint8_t>(Byte);
        BuildDataBlock();
        if (BlockFrame[67] == 0x05)
            break;
    }
    ASSERT_EQ(BlockFrame[67], 0x05);
    SendBlock();
    ResendBlock();
    BuildTimeBlockAt(EncodeDate(2026, 12, 9) + EncodeTime(8, 5, 7, 0));
    const std::uint8_t TimeCrc = BlockFrame[67];
    SendBlock();
    UiLanguage = lno_English;
    BlockNumber = 100;
    BuildDataBlock();
    ResendBlock();
    EXPECT_EQ(Log(), (std::vector<std::string>{"===> Send data block: 1,CRC = 05 <===",
                                                "===> Resend data block: 1,CRC = 05 <===", SendLine(1, TimeCrc),
                                                SendLine(100, BlockFrame[67], true)}));
    EXPECT_NE(SendLine(1, 0xAB), "===> Send data block: 1,CRC = ab <===");
}

TEST_F(BlockFramesTest, SendWritesTheWholeFrameToThePort)
{
    simdevice::TPtyDevice Line(LinkCom);
    Connect();
    BlockNumber = 9;
    BuildDataBlock();
    SendBlock();
    ASSERT_TRUE(Line.WaitReceived(68, 10000));
    EXPECT_EQ(Line.Received(), Frame());
    EXPECT_EQ(LastLine(), SendLine(9, BlockFrame[67]));
    Press(F().SpeedButton[10]);
}

// A frame the port cannot write is logged as sent, followed by the port's
// reason.
TEST_F(BlockFramesTest, FailedSendIsFollowedByThePortsReason)
{
    simdevice::TPtyDevice Line(LinkCom);
    Connect();
    Line.HangUp();
    BlockNumber = 1;
    BuildDataBlock();
    SendBlock();
    const std::vector<std::string> Lines = Log();
    ASSERT_GE(Lines.size(), 2u);
    EXPECT_EQ(Lines[Lines.size() - 2], SendLine(1, BlockFrame[67]));
    EXPECT_EQ(Lines.back(), std::string(F().PcUart1->LastErrMsg()));
    EXPECT_FALSE(Lines.back().empty());
    Press(F().SpeedButton[10]);
}

} // namespace
