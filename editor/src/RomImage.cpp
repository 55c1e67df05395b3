// The device image: the 8192 bytes in which the VTX-7430 keeps a schedule,
// built from the grids and the settings, with its packed BCD and CRC-8
// codings, and written unchanged to the .CFB file.

#include <array>
#include <cstring>

#include "V7430_p8_src.h"

#include "rtl/SysUtils.h"

namespace {

constexpr std::array<std::uint8_t, 100> MakeBcdTable()
{
    std::array<std::uint8_t, 100> Table{};
    for (int N = 0; N < 100; ++N)
        Table[N] = static_cast<std::uint8_t>((N / 10) << 4 | (N % 10));
    return Table;
}

// The reflected polynomial 0x8C (x^8 + x^5 + x^4 + 1), shifted through
// eight steps for every byte value.
constexpr std::array<std::uint8_t, 256> MakeCrc8Table()
{
    std::array<std::uint8_t, 256> Table{};
    for (int I = 0; I < 256; ++I) {
        unsigned Crc = static_cast<unsigned>(I);
        for (int Bit = 0; Bit < 8; ++Bit)
            Crc = (Crc & 1) ? (Crc >> 1) ^ 0x8C : Crc >> 1;
        Table[I] = static_cast<std::uint8_t>(Crc);
    }
    return Table;
}

constexpr int DayTableBytes = DayTableRows * 8;   // 640
constexpr int SpecialDayOffset = 0x1E00;
constexpr int LanguageOffset = 0x1E0A;
constexpr int GpsHourOffset = 0x1E0B;
constexpr int GpsMinuteOffset = 0x1E0C;
constexpr int TimeZoneOffset = 0x1E0D;
constexpr int NodeOffset = 0x1E0E;
constexpr int BankOffset = 0x1E0F;
constexpr int NonActionOffset = 0x1E10;           // 12 months x 31 days
constexpr int SignatureOffset = 0x1FF3;
constexpr int CrcOffset = 0x1FFF;
constexpr char RomSignature[] = "ORB VTX-7430";

std::uint8_t LowByte(int Value)
{
    return static_cast<std::uint8_t>(static_cast<unsigned>(Value) & 0xFF);
}

int CellNumber(TStringGrid* Grid, int Column, int Row)
{
    return StrToInt(Trim(Grid->Cells(Column, Row)));
}

void PutDayTables()
{
    for (int Day = 1; Day <= DayTableCount; ++Day) {
        TStringGrid* Grid = Form1->StringGrid[Day];
        for (int Row = 1; Row <= DayTableRows; ++Row) {
            if (Trim(Grid->Cells(EntryColumns[ef_StartHour], Row)).empty())
                continue;
            std::uint8_t* Record = RomImage + (Day - 1) * DayTableBytes + 8 * (Row - 1);
            for (int Field = ef_StartHour; Field <= ef_Output; ++Field)
                Record[Field] = Bcd(CellNumber(Grid, EntryColumns[Field], Row));
            Record[6] = 0x80 | Bcd(CellNumber(Grid, EntryColumns[ef_Volume], Row));
            Record[7] = 0x00;
        }
    }
}

void PutSettings()
{
    TForm1* Form = Form1;
    for (int Day = 1; Day <= 5; ++Day) {
        if (!Form->CheckBox[Day]->Checked())
            continue;
        RomImage[SpecialDayOffset + 2 * (Day - 1)] = Bcd(Form->ComboBox[2 * Day - 1]->ItemIndex() + 1);
        RomImage[SpecialDayOffset + 2 * (Day - 1) + 1] = Bcd(Form->ComboBox[2 * Day]->ItemIndex() + 1);
    }
    RomImage[LanguageOffset] = Form->RadioButton[1]->Checked() ? 0x00 : 0x01;

    // The device keeps its GPS update time in UTC.
    const int Zone = Form->ComboBox[12]->ItemIndex() - 12;
    int Hour = Form->ComboBox[14]->ItemIndex() - Zone;
    if (Hour < 0)
        Hour += 24;
    else if (Hour >= 24)
        Hour -= 24;
    RomImage[GpsHourOffset] = Bcd(Hour);
    RomImage[GpsMinuteOffset] = Bcd(Form->ComboBox[15]->ItemIndex());
    RomImage[TimeZoneOffset] = LowByte(Form->ComboBox[12]->ItemIndex());
    RomImage[NodeOffset] = LowByte(Form->ComboBox[13]->ItemIndex());
    RomImage[BankOffset] = LowByte(ScheduleBank);
}

// A day whose month does not resolve to 1 .. 12 or whose day lies outside
// 1 .. 31 has no flag byte; it is skipped.
void PutNonActionDays()
{
    TStringGrid* List = Form1->StringGrid[14];
    for (int Row = 1; Row < List->RowCount(); ++Row) {
        const AnsiString MonthText = Trim(List->Cells(0, Row));
        const AnsiString DayText = Trim(List->Cells(1, Row));
        if (MonthText.empty() || DayText.empty())
            continue;
        // A month name is looked up as the cell holds it, blanks and all.
        const int Month = UiLanguage == lno_Chinese ? StrToInt(MonthText) : MonthNameToNumber(List->Cells(0, Row));
        const int Day = StrToInt(DayText);
        if (Month < 1 || Month > 12 || Day < 1 || Day > 31)
            continue;
        RomImage[NonActionOffset + 31 * (Month - 1) + (Day - 1)] = 0x01;
    }
}

} // namespace

const std::array<std::uint8_t, 100> BcdTable = MakeBcdTable();
const std::array<std::uint8_t, 256> Crc8Table = MakeCrc8Table();

// The table has entries for 0 to 99 only; any other value (an hour typed out
// of range, a box with nothing chosen) is coded as 0xFF, the device's empty
// byte.
std::uint8_t Bcd(int Value)
{
    const unsigned Low = static_cast<unsigned>(Value) & 0xFF;
    return Low < 100 ? BcdTable[Low] : 0xFF;
}

std::uint8_t Crc8Step(std::uint8_t Byte, std::uint8_t Crc)
{
    return Crc8Table[Byte ^ Crc];
}

int MonthNameToNumber(const AnsiString& Text)
{
    for (int Month = 1; Month <= 12; ++Month)
        if (AnsiCompareStr(Text, MonthNames[Month]) == 0)
            return Month;
    return 0;
}

void BuildRomImage(const AnsiString& FileName)
{
    std::memset(RomImage, 0xFF, sizeof RomImage);
    PutDayTables();
    PutSettings();
    PutNonActionDays();
    std::memcpy(RomImage + SignatureOffset, RomSignature, sizeof RomSignature - 1);
    std::uint8_t Crc = Crc8Step(RomImage[0], 0);
    for (int I = 1; I < CrcOffset; ++I)
        Crc = Crc8Step(RomImage[I], Crc);
    RomImage[CrcOffset] = Crc;

    const int Handle = FileCreate(FileName);
    if (Handle < 0)
        return;
    FileWrite(Handle, RomImage, sizeof RomImage);
    FileClose(Handle);
}
