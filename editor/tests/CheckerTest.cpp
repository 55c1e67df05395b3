// The timetable checker, through the check button: rows typed into a grid,
// the grid as the check leaves it.

#include "EditorFixture.h"

#include <utility>

namespace {

struct TTypedRow {
    int Row;
    TRowTexts Texts;
};

struct TCheckCase {
    const char* Name;
    std::vector<TTypedRow> Typed;
    std::vector<TRowTexts> Expected;   // rows 1 .. m after the check
};

void PrintTo(const TCheckCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

const TCheckCase CheckCases[] = {
    {"EmptyGridStaysEmpty", {}, {}},
    {"MissingStopHourIsTheStartHour",
     {{3, {"8", "10", "", "40", "5", "2", "3"}}},
     {{"8", "10", "8", "40", "5", "2", "3"}}},
    {"MissingStopHourWithEarlierStopMinuteIsDropped", {{1, {"8", "40", "", "10", "5", "2", "3"}}}, {}},
    {"EmptyStartMinuteOrStopMinuteDropsTheRow",
     {{1, {"8", "", "9", "0", "1", "1", "1"}}, {2, {"10", "0", "11", ""}}},
     {}},
    {"EmptyStartHourDropsTheRow", {{1, {"", "0", "9", "0", "1", "1", "1"}}}, {}},
    {"DefaultsForTrackChannelVolume", {{1, {"8", "0", "9", "0", "", "", ""}}}, {{"8", "0", "9", "0", "0", "0", "9"}}},
    {"OutOfRangeValuesAreRepaired",
     {{1, {"8", "0", "9", "0", "150", "9", "-1"}}, {2, {"10", "0", "11", "0", "99", "0", "14"}}},
     {{"8", "0", "9", "0", "1", "8", "9"}, {"10", "0", "11", "0", "99", "0", "14"}}},
    {"HoursAreNotRepaired", {{1, {"25", "0", "26", "0", "1", "1", "1"}}}, {{"25", "0", "26", "0", "1", "1", "1"}}},
    {"NonNumberDropsTheEntry",
     {{1, {"8a", "0", "9", "0", "1", "1", "1"}}, {2, {"10", "0", "11", "0", "1", "x", "1"}}},
     {}},
    {"StartNotBeforeStopIsDropped",
     {{1, {"9", "0", "9", "0", "1", "1", "1"}}, {2, {"10", "0", "9", "0", "1", "1", "1"}}},
     {}},
    {"EqualStartsKeepTheTopmostRow",
     {{2, {"8", "0", "8", "30", "2", "2", "2"}}, {5, {"8", "0", "9", "0", "5", "5", "5"}}},
     {{"8", "0", "8", "30", "2", "2", "2"}}},
    {"OverlapIsComparedWithTheDirectNeighbour",
     {{1, {"8", "0", "10", "0", "1", "1", "1"}},
      {2, {"9", "0", "9", "30", "2", "2", "2"}},
      {3, {"9", "45", "11", "0", "3", "3", "3"}}},
     {{"8", "0", "10", "0", "1", "1", "1"}, {"9", "45", "11", "0", "3", "3", "3"}}},
    {"TouchingEntriesBothStay",
     {{7, {"9", "0", "10", "0", "2", "2", "2"}}, {4, {"8", "0", "9", "0", "1", "1", "1"}}},
     {{"8", "0", "9", "0", "1", "1", "1"}, {"9", "0", "10", "0", "2", "2", "2"}}},
    {"SortedAndCompactedWithTextsAsTyped",
     {{10, {"14", "05", "15", "00", "3", "1", "2"}}, {20, {"08", "00", "08", "30", "1", "8", "10"}},
      {30, {"0x0A", "0", "10", "30", "2", "2", "2"}}},
     {{"08", "00", "08", "30", "1", "8", "10"},
      {"0x0A", "0", "10", "30", "2", "2", "2"},
      {"14", "05", "15", "00", "3", "1", "2"}}},
    {"BlanksAroundValuesAreRemoved", {{1, {" 7", "0 ", "8", "0", " 1", "2", "3 "}}}, {{"7", "0", "8", "0", "1", "2", "3"}}},
};

class CheckerTest : public TEditorTest, public ::testing::WithParamInterface<TCheckCase> {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
    }
};

TEST_P(CheckerTest, CheckButtonNormalisesTheTable)
{
    const TCheckCase& Case = GetParam();
    for (const TTypedRow& Typed : Case.Typed) {
        TRowTexts Texts = Typed.Texts;
        Texts.resize(7);
        TypeRow(3, Typed.Row, Texts);
    }
    // Something to keep in another table and in the separators.
    F().StringGrid[3]->SetCells(2, 1, "sep");
    F().StringGrid[4]->SetCells(0, 1, "8a");
    Press(F().SpeedButton[13]);

    for (size_t I = 0; I < Case.Expected.size(); ++I)
        EXPECT_EQ(RowOf(3, static_cast<int>(I) + 1), Case.Expected[I]) << "row " << I + 1;
    for (int Row = static_cast<int>(Case.Expected.size()) + 1; Row <= DayTableRows; ++Row)
        ASSERT_EQ(RowOf(3, Row), EmptyRow()) << "row " << Row;
    EXPECT_EQ(F().StringGrid[3]->Cells(2, 1), "sep");
    EXPECT_EQ(F().StringGrid[3]->Cells(0, 0), "起始:時");
    // Every table is checked: the bad row of table 4 has gone too.
    EXPECT_EQ(F().StringGrid[4]->Cells(0, 1), "");
    EXPECT_TRUE(Responder.MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckerTest, ::testing::ValuesIn(CheckCases),
                         [](const ::testing::TestParamInfo<TCheckCase>& Info) { return Info.param.Name; });

// A full table of 80 entries in reverse order comes back sorted.
using CheckDayTableTest = TEditorTest;

TEST_F(CheckDayTableTest, SortsAFullTable)
{
    StartEditor();
    TStringGrid* Grid = F().StringGrid[1];
    for (int Row = 1; Row <= DayTableRows; ++Row) {
        const int Minute = (DayTableRows - Row) * 10;
        Grid->SetCells(0, Row, std::to_string(Minute / 60));
        Grid->SetCells(1, Row, std::to_string(Minute % 60));
        Grid->SetCells(3, Row, std::to_string(Minute / 60));
        Grid->SetCells(4, Row, std::to_string(Minute % 60 + 5));
        Grid->SetCells(6, Row, std::to_string(Row));
    }
    CheckDayTable(Grid);
    for (int Row = 1; Row <= DayTableRows; ++Row) {
        const int Minute = (Row - 1) * 10;
        ASSERT_EQ(Grid->Cells(0, Row), std::to_string(Minute / 60)) << Row;
        ASSERT_EQ(Grid->Cells(1, Row), std::to_string(Minute % 60)) << Row;
        ASSERT_EQ(Grid->Cells(6, Row), std::to_string(DayTableRows + 1 - Row)) << Row;
    }
}

TEST_F(CheckDayTableTest, HugeNumbersAreHandledWithoutOverflow)
{
    StartEditor();
    TStringGrid* Grid = F().StringGrid[1];
    const TRowTexts Rows[] = {{"2147483647", "2147483647", "2147483647", "2147483647", "1", "1", "1"},
                              {"-2147483648", "0", "1", "0", "2147483647", "-2147483648", "99999"}};
    for (int Row = 0; Row < 2; ++Row)
        for (int Field = 0; Field < 7; ++Field)
            Grid->SetCells(EntryColumns[Field], Row + 1, Rows[Row][Field]);
    CheckDayTable(Grid);
    // The first starts at its own stop and goes; the second is repaired.
    EXPECT_EQ(Grid->Cells(0, 1), "-2147483648");
    EXPECT_EQ(Grid->Cells(6, 1), "1");
    EXPECT_EQ(Grid->Cells(8, 1), "8");
    EXPECT_EQ(Grid->Cells(9, 1), "9");
    EXPECT_EQ(Grid->Cells(0, 2), "");
}

using TPairs = std::vector<std::pair<std::int64_t, std::int32_t>>;   // {start minutes, record}

struct TSortCase {
    const char* Name;
    TPairs Pairs;
    int Count;   // how many of them are sorted
    TPairs Expected;
};

void PrintTo(const TSortCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class SortByStartTimeTest : public ::testing::TestWithParam<TSortCase> {};

// Each record moves with its start time; equal starts keep their order, and
// pairs past the count stay where they are.
TEST_P(SortByStartTimeTest, Sorts)
{
    const TSortCase& Case = GetParam();
    for (size_t I = 0; I < Case.Pairs.size(); ++I)
        SortPairs[I] = {Case.Pairs[I].first, Case.Pairs[I].second};
    SortByStartTime(Case.Count);
    TPairs Sorted;
    for (size_t I = 0; I < Case.Pairs.size(); ++I)
        Sorted.emplace_back(SortPairs[I].StartMinutes, SortPairs[I].Record);
    EXPECT_EQ(Sorted, Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SortByStartTimeTest,
    ::testing::Values(TSortCase{"Reversed", {{300, 1}, {200, 2}, {100, 3}}, 3, {{100, 3}, {200, 2}, {300, 1}}},
                      TSortCase{"EqualStartsKeepTheirOrder",
                                {{60, 1}, {30, 2}, {60, 3}, {30, 4}, {0, 5}},
                                5,
                                {{0, 5}, {30, 2}, {30, 4}, {60, 1}, {60, 3}}},
                      TSortCase{"OnlyTheCountIsSorted", {{90, 1}, {80, 2}, {10, 3}}, 2, {{80, 2}, {90, 1}, {10, 3}}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
