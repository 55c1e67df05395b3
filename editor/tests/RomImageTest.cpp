// The device image: its bytes at their offsets, its codings and its file.

#include "EditorFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using TImage = std::vector<std::uint8_t>;

class RomImageTest : public TEditorTest {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
    }

    // Builds the image into a file and reads the file back.
    TImage Build()
    {
        const std::string Path = PathOf("schedule.CFB");
        BuildRomImage(Path);
        const std::string Bytes = ReadText(Path);
        EXPECT_EQ(Bytes.size(), 8192u);
        EXPECT_EQ(std::memcmp(Bytes.data(), RomImage, std::min<size_t>(Bytes.size(), RomImageSize)), 0);
        return TImage(Bytes.begin(), Bytes.end());
    }

    static TImage Slice(const TImage& Image, int Offset, int Count)
    {
        return TImage(Image.begin() + Offset, Image.begin() + Offset + Count);
    }

    static bool AllFF(const TImage& Image, int From, int To)
    {
        return std::all_of(Image.begin() + From, Image.begin() + To + 1, [](std::uint8_t B) { return B == 0xFF; });
    }

    void LoadNonActionDays(const std::string& Unact)
    {
        const std::string Path = PathOf("days.vsh");
        WriteText(Path, "[UNACT]\r\n" + Unact);
        Responder.AnswerMessageBox(IDYES);
        Responder.AnswerFileDialog(Path);
        Press(F().Load1);
    }

    static std::uint8_t Crc(const TImage& Bytes)
    {
        std::uint8_t Value = 0;
        for (std::uint8_t Byte : Bytes)
            Value = Crc8Step(Byte, Value);
        return Value;
    }

    static int NonActionFlag(int Month, int Day) { return 0x1E10 + 31 * (Month - 1) + (Day - 1); }
};

TEST_F(RomImageTest, EmptyScheduleHoldsOnlySettingsSignatureAndCrc)
{
    const TImage Image = Build();
    EXPECT_TRUE(AllFF(Image, 0x0000, 0x1E09));
    EXPECT_EQ(Slice(Image, 0x1E0A, 6), (TImage{0x00, 0x16, 0x00, 0x14, 0x00, 0x00}));
    EXPECT_TRUE(AllFF(Image, 0x1E10, 0x1FF2));
    EXPECT_EQ(std::string(Image.begin() + 0x1FF3, Image.begin() + 0x1FFF), "ORB VTX-7430");
    EXPECT_EQ(Crc(Image), 0);
    EXPECT_EQ(Image[0x1FFF], Crc(Slice(Image, 0, 0x1FFF)));
}

TEST_F(RomImageTest, EntriesLandInTheirTableAndRow)
{
    const TRowTexts Entry = {"07", "30", "08", "15", "12", "8", "9"};
    TypeRow(1, 1, Entry);
    TypeRow(12, 1, Entry);
    TypeRow(2, 3, {" 23", "59", "23", "59", "99", "0", "14 "});
    const TImage Image = Build();
    const TImage Record = {0x07, 0x30, 0x08, 0x15, 0x12, 0x08, 0x89, 0x00};
    EXPECT_EQ(Slice(Image, 0, 8), Record);
    EXPECT_EQ(Slice(Image, 0x1B80, 8), Record);
    EXPECT_EQ(Slice(Image, 640 + 16, 8), (TImage{0x23, 0x59, 0x23, 0x59, 0x99, 0x00, 0x94, 0x00}));
    // Rows are not compacted: rows 1 and 2 of Tuesday stay empty.
    EXPECT_TRUE(AllFF(Image, 640, 640 + 15));
    EXPECT_TRUE(AllFF(Image, 8, 639));
    EXPECT_EQ(Crc(Image), 0);
}

// Values with no packed BCD entry become 0xFF; the low 8 bits decide.
TEST_F(RomImageTest, ValuesOutsideTheBcdTableBecomeFF)
{
    struct TCase {
        const char* Text;
        std::uint8_t Byte;
    };
    const TCase Cases[] = {{"0", 0x00}, {"25", 0x25}, {"99", 0x99}, {"100", 0xFF}, {"-1", 0xFF},
                           {"356", 0xFF}, {"300", 0x44}, {"2147483647", 0xFF}, {"$10", 0x16}};
    int Row = 1;
    for (const TCase& Case : Cases) {
        for (int Field = 0; Field < 7; ++Field)
            F().StringGrid[1]->SetCells(EntryColumns[Field], Row, Case.Text);
        ++Row;
    }
    const TImage Image = Build();
    Row = 0;
    for (const TCase& Case : Cases) {
        const TImage Record = Slice(Image, 8 * Row++, 8);
        for (int Field = 0; Field < 6; ++Field)
            EXPECT_EQ(Record[Field], Case.Byte) << Case.Text << " field " << Field;
        EXPECT_EQ(Record[6], Case.Byte | 0x80) << Case.Text;
        EXPECT_EQ(Record[7], 0x00);
    }
}

TEST_F(RomImageTest, TextThatIsNoNumberStopsTheBuild)
{
    F().StringGrid[1]->SetCells(0, 1, "8a");
    EXPECT_THROW(BuildRomImage(PathOf("bad.CFB")), EConvertError);
    EXPECT_FALSE(FileExists(PathOf("bad.CFB")));
}

TEST_F(RomImageTest, SpecialDaysAndSettings)
{
    ShowSystemPage();
    Press(F().CheckBox[3]);
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[5], "12"));
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[6], "25"));
    Press(F().RadioButton[2]);
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[13], "18"));
    ScheduleBank = 1;
    const TImage Image = Build();
    EXPECT_EQ(Slice(Image, 0x1E00, 10),
              (TImage{0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x25, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Image[0x1E0A], 0x01);
    EXPECT_EQ(Image[0x1E0E], 18);
    EXPECT_EQ(Image[0x1E0F], 1);
}

TEST_F(RomImageTest, GpsHourIsStoredInUtc)
{
    struct TCase {
        const char* Zone;
        int Hour;
        int Minute;
        TImage Bytes;   // 0x1E0B .. 0x1E0D
    };
    const TCase Cases[] = {{"+8", 3, 0, {0x19, 0x00, 0x14}},
                           {"-12", 15, 0, {0x03, 0x00, 0x00}},
                           {"+12", 20, 59, {0x08, 0x59, 0x18}},
                           {"0", 23, 30, {0x23, 0x30, 0x0C}},
                           {"-1", 23, 5, {0x00, 0x05, 0x0B}}};
    ShowSystemPage();
    for (const TCase& Case : Cases) {
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[12], Case.Zone));
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[14], Case.Hour));
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[15], Case.Minute));
        EXPECT_EQ(Slice(Build(), 0x1E0B, 3), Case.Bytes) << Case.Zone << " " << Case.Hour;
    }
}

TEST_F(RomImageTest, BoxesWithNothingChosen)
{
    const std::string Path = PathOf("none.vsh");
    WriteText(Path, "[GLOBAL]\r\nGPS_UPDATE_M=60\r\nNODEID=19\r\nSPDATE1=1\r\nSPDATE1_M=-1\r\nSPDATE1_D=5\r\n");
    Responder.AnswerMessageBox(IDYES);
    Responder.AnswerFileDialog(Path);
    Press(F().Load1);
    const TImage Image = Build();
    EXPECT_EQ(Slice(Image, 0x1E00, 2), (TImage{0x00, 0x06}));
    EXPECT_EQ(Image[0x1E0C], 0xFF);
    EXPECT_EQ(Image[0x1E0E], 0xFF);
}

TEST_F(RomImageTest, NonActionDaysSetTheirFlags)
{
    LoadNonActionDays("MONTH_1=2\r\nDAY_1=29\r\nMONTH_2=12\r\nDAY_2=31\r\nMONTH_3=2\r\nDAY_3=29\r\n"
                      "MONTH_4=1\r\n");
    const TImage Image = Build();
    EXPECT_EQ(NonActionFlag(2, 29), 0x1E4B);
    EXPECT_EQ(NonActionFlag(12, 31), 0x1F83);
    EXPECT_EQ(Image[0x1E4B], 0x01);
    EXPECT_EQ(Image[0x1F83], 0x01);
    EXPECT_EQ(std::count(Image.begin() + 0x1E10, Image.begin() + 0x1F84, 0x01), 2);
    EXPECT_EQ(Crc(Image), 0);
}

// A day that has no flag byte is skipped: nothing outside the flag table
// changes.
TEST_F(RomImageTest, DaysWithoutAFlagAreSkipped)
{
    LoadNonActionDays("MONTH_1=13\r\nDAY_1=1\r\nMONTH_2=0\r\nDAY_2=5\r\nMONTH_3=1\r\nDAY_3=32\r\n"
                      "MONTH_4=1\r\nDAY_4=0\r\nMONTH_5=-3\r\nDAY_5=1\r\nMONTH_6=12\r\nDAY_6=2147483647\r\n"
                      "MONTH_7=2147483647\r\nDAY_7=1\r\n");
    const TImage Image = Build();
    EXPECT_TRUE(AllFF(Image, 0x1E10, 0x1FF2));
    EXPECT_EQ(std::string(Image.begin() + 0x1FF3, Image.begin() + 0x1FFF), "ORB VTX-7430");
}

TEST_F(RomImageTest, MonthsAreReadByTheInterfaceLanguage)
{
    LoadNonActionDays("MONTH_1=FEB\r\nDAY_1=29\r\nMONTH_2=3\r\nDAY_2=1\r\nMONTH_3=mar\r\nDAY_3=2\r\n");
    UiLanguage = lno_English;
    const TImage English = Build();
    EXPECT_EQ(English[0x1E4B], 0x01);
    EXPECT_EQ(std::count(English.begin() + 0x1E10, English.begin() + 0x1F84, 0x01), 1);

    UiLanguage = lno_Chinese;
    std::remove(PathOf("schedule.CFB").c_str());
    EXPECT_THROW(BuildRomImage(PathOf("schedule.CFB")), EConvertError);
    EXPECT_FALSE(FileExists(PathOf("schedule.CFB")));
}

// The month name is looked up as the cell holds it: a name with a blank or
// a TAB around it is no month, and its day gets no flag.
TEST_F(RomImageTest, MonthNamesAreLookedUpUntrimmed)
{
    LoadNonActionDays("MONTH_1=JAN\t\r\nDAY_1=1\r\nMONTH_2=MAR\r\nDAY_2=3\r\n");
    ASSERT_EQ(F().StringGrid[14]->Cells(0, 1), "JAN\t");
    F().StringGrid[14]->SetCells(0, 3, " APR");
    F().StringGrid[14]->SetCells(1, 3, "4");
    UiLanguage = lno_English;
    const TImage Image = Build();
    EXPECT_EQ(Image[NonActionFlag(3, 3)], 0x01);
    EXPECT_EQ(std::count(Image.begin() + 0x1E10, Image.begin() + 0x1F84, 0x01), 1);
}

TEST_F(RomImageTest, UnwritableFileIsSkippedAndTheImageStaysBuilt)
{
    TypeRow(1, 1, {"07", "30", "08", "15", "12", "8", "9"});
    std::filesystem::create_directory(Folder / "folder.CFB");
    BuildRomImage(PathOf("folder.CFB"));
    BuildRomImage(PathOf("no/such/folder/x.CFB"));
    EXPECT_EQ(RomImage[0], 0x07);
    EXPECT_EQ(RomImage[6], 0x89);
}

TEST(Crc8Test, IsTheMaximOneWireCrc)
{
    const std::string Check = "123456789";
    std::uint8_t Crc = Crc8Step(static_cast<std::uint8_t>(Check[0]), 0);
    for (size_t I = 1; I < Check.size(); ++I)
        Crc = Crc8Step(static_cast<std::uint8_t>(Check[I]), Crc);
    EXPECT_EQ(Crc, 0xA1);
    EXPECT_EQ(Crc8Table[0], 0x00);
    EXPECT_EQ(Crc8Table[1], 0x5E);
    EXPECT_EQ(Crc8Table[128], 0x8C);
    EXPECT_EQ(Crc8Table[255], 0x35);
}

// A packed BCD byte written in hexadecimal reads as its number in decimal.
TEST(BcdTableTest, ReadsInHexAsTheNumberInDecimal)
{
    for (int N = 0; N < 100; ++N) {
        char Hex[3], Decimal[3];
        std::snprintf(Hex, sizeof Hex, "%02X", BcdTable[N]);
        std::snprintf(Decimal, sizeof Decimal, "%02d", N);
        EXPECT_STREQ(Hex, Decimal);
    }
}

TEST(MonthNameToNumberTest, MatchesExactly)
{
    InitializeUnitTables();
    const std::pair<const char*, int> Cases[] = {{"JAN", 1}, {"JUN", 6}, {"DEC", 12}, {"dec", 0}, {"Dec", 0},
                                                 {" DEC", 0}, {"DEC ", 0}, {"", 0}, {"12", 0}, {"DECEMBER", 0}};
    for (const auto& [Text, Month] : Cases)
        EXPECT_EQ(MonthNameToNumber(Text), Month) << '"' << Text << '"';
}

} // namespace
