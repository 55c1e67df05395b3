// The timetable checker: fills defaults, drops the entries that cannot be
// used, orders the rest by start time, drops repeated start times and
// overlaps, repairs track, channel and volume, and writes the table back
// from row 1 down. It reports nothing; the grid simply changes.

#include "V7430_p8_src.h"

#include "rtl/SysUtils.h"

namespace {

// Minutes since midnight, in 64 bits: hours and minutes are not limited, and
// a typed hour of several digits must not overflow.
std::int64_t StartOf(const TCheckRecord& Record)
{
    return std::int64_t{StrToInt(Record.Field[ef_StartHour])} * 60 + StrToInt(Record.Field[ef_StartMinute]);
}

std::int64_t StopOf(const TCheckRecord& Record)
{
    return std::int64_t{StrToInt(Record.Field[ef_StopHour])} * 60 + StrToInt(Record.Field[ef_StopMinute]);
}

// A field outside Low .. High becomes the text Repair.
void Limit(AnsiString& Field, int Low, int High, const char* Repair)
{
    const int Value = StrToInt(Field);
    if (Value < Low || Value > High)
        Field = AnsiString(Repair);
}

// Steps 1 to 3: the accepted rows of the grid, in grid order, with their
// defaults; returns how many.
int CollectRows(TStringGrid* Grid)
{
    for (int Record = 0; Record < CheckTableSize; ++Record) {
        CheckInputTable[Record] = TCheckRecord();
        CheckOutputTable[Record] = TCheckRecord();
    }
    int Count = 0;
    for (int Row = 1; Row <= DayTableRows; ++Row) {
        AnsiString Cell[7];
        for (int Field = 0; Field < 7; ++Field)
            Cell[Field] = Trim(Grid->Cells(EntryColumns[Field], Row));
        if (Cell[ef_StartHour].empty() || Cell[ef_StartMinute].empty() || Cell[ef_StopMinute].empty())
            continue;
        TCheckRecord& Record = CheckInputTable[++Count];
        for (int Field = 0; Field < 7; ++Field)
            Record.Field[Field] = Cell[Field];
        if (Record.Field[ef_StopHour].empty())
            Record.Field[ef_StopHour] = Record.Field[ef_StartHour];
        Record.Valid = 1;
    }
    for (int Record = 1; Record <= Count; ++Record) {
        AnsiString* Field = CheckInputTable[Record].Field;
        if (Field[ef_VoiceNo].empty())
            Field[ef_VoiceNo] = AnsiString("0");
        if (Field[ef_Output].empty())
            Field[ef_Output] = AnsiString("0");
        if (Field[ef_Volume].empty())
            Field[ef_Volume] = AnsiString("9");
    }
    return Count;
}

// Steps 4 and 5: a field that is no number, or a start not before the stop,
// makes the record invalid.
void ValidateRecords(int Count)
{
    for (int Record = 1; Record <= Count; ++Record) {
        TCheckRecord& Input = CheckInputTable[Record];
        try {
            for (const AnsiString& Field : Input.Field)
                StrToInt(Field);
        } catch (const EConvertError&) {
            Input.Valid = 0;
            continue;
        }
        if (StartOf(Input) >= StopOf(Input))
            Input.Valid = 0;
    }
}

// Steps 6 to 8: the valid records in start order, the first of each start
// time only, copied to the output table; returns how many.
int OrderRecords()
{
    int Pairs = 0;
    for (int Record = 1; Record < CheckTableSize; ++Record)
        if (CheckInputTable[Record].Valid)
            SortPairs[Pairs++] = {StartOf(CheckInputTable[Record]), Record};
    if (Pairs > 0)
        SortByStartTime(Pairs);
    for (int I = 0; I + 1 < Pairs; ++I)
        if (SortPairs[I].StartMinutes == SortPairs[I + 1].StartMinutes)
            SortPairs[I + 1].Record = -1;
    int Count = 0;
    for (int I = 0; I < Pairs; ++I) {
        if (SortPairs[I].Record < 0)
            continue;
        TCheckRecord& Output = CheckOutputTable[++Count];
        Output = CheckInputTable[SortPairs[I].Record];
        Output.Valid = 1;
    }
    return Count;
}

// Step 9: an entry that starts before the stop of the entry just before it
// in start order goes, even when that one has gone itself.
void DropOverlaps(int Count)
{
    for (int Record = 1; Record < Count; ++Record)
        if (StartOf(CheckOutputTable[Record + 1]) < StopOf(CheckOutputTable[Record]))
            CheckOutputTable[Record + 1].Valid = 0;
}

// Steps 10 and 11: the surviving entries, repaired, from row 1 down.
void WriteBack(TStringGrid* Grid)
{
    for (int Row = 1; Row <= DayTableRows; ++Row)
        for (int Column : EntryColumns)
            Grid->SetCells(Column, Row, AnsiString());
    int Row = 0;
    for (int Record = 1; Record < CheckTableSize; ++Record) {
        TCheckRecord& Output = CheckOutputTable[Record];
        if (!Output.Valid)
            continue;
        Limit(Output.Field[ef_VoiceNo], 0, 99, "1");
        Limit(Output.Field[ef_Output], 0, 8, "8");
        Limit(Output.Field[ef_Volume], 0, 14, "9");
        ++Row;
        for (int Field = 0; Field < 7; ++Field)
            Grid->SetCells(EntryColumns[Field], Row, Output.Field[Field]);
    }
}

} // namespace

void CheckDayTable(TStringGrid* Grid)
{
    const int Collected = CollectRows(Grid);
    ValidateRecords(Collected);
    DropOverlaps(OrderRecords());
    WriteBack(Grid);
}

void SwapSortPairs(int Index)
{
    const TSortPair Pair = SortPairs[Index];
    SortPairs[Index] = SortPairs[Index + 1];
    SortPairs[Index + 1] = Pair;
}

// Repeated exchange passes; equal starts keep their order.
void SortByStartTime(int Count)
{
    bool Swapped = true;
    while (Swapped) {
        Swapped = false;
        for (int I = 0; I + 1 < Count; ++I) {
            if (SortPairs[I].StartMinutes > SortPairs[I + 1].StartMinutes) {
                SwapSortPairs(I);
                Swapped = true;
            }
        }
    }
}

void TForm1::SpeedButton13Click(TObject*)
{
    for (int Day = 1; Day <= DayTableCount; ++Day)
        CheckDayTable(StringGrid[Day]);
}
