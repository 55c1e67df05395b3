// The string grid: cells, the selection, in-place editing, and the mouse
// as a user works it.

#include "TestForm.h"

namespace {

const char* const DayGrid = R"(
    TStringGrid StringGrid1 {
        Left = 0; Top = 0; Width = 380; Height = 260
        ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16
        ColWidths = [36, 36, 3, 36, 36, 3, 36, 3, 36, 36]
        Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
        OnMouseDown = MouseDown1; OnDblClick = DblClick1
    })";

const char* const MonthView = R"(
    TStringGrid StringGrid13 {
        Left = 0; Top = 0; Width = 300; Height = 140
        ColCount = 7; RowCount = 7; FixedCols = 0; DefaultColWidth = 40; DefaultRowHeight = 16
        OnDblClick = DblClick1
    })";

class GridTest : public ::testing::Test {
protected:
    void Show(const char* Body, const char* Name)
    {
        Form = ShowTestForm(Body);
        Grid = Form->Get<TStringGrid>(Name);
    }
    TFormPtr<TTestForm> Form;
    TStringGrid* Grid = nullptr;
};

TEST_F(GridTest, CellsAndSizesFromTheResource)
{
    Show(DayGrid, "StringGrid1");
    EXPECT_EQ(Grid->ColCount(), 10);
    EXPECT_EQ(Grid->RowCount(), 81);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->FixedCols(), 0);
    EXPECT_EQ(Grid->ColWidths(2), 3);
    EXPECT_EQ(Grid->RowHeights(80), 16);
    Grid->SetCells(9, 80, "14");
    Grid->SetCells(0, 0, "起始:時");
    EXPECT_EQ(Grid->Cells(9, 80), "14");
    EXPECT_EQ(Grid->Cells(0, 0), "起始:時");
    EXPECT_EQ(Grid->Cells(5, 40), "");
    // The first cell that is not fixed is selected at start.
    EXPECT_EQ(Grid->Col(), 0);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridTest, OutOfRangeAndFixedCellsAreRefused)
{
    Show(DayGrid, "StringGrid1");
    EXPECT_THROW(Grid->Cells(10, 0), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetCells(0, 81, "x"), EInvalidGridOperation);
    EXPECT_THROW(Grid->Cells(-1, 3), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetRow(0), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetCol(10), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetRowCount(1), EInvalidGridOperation);
    EXPECT_THROW(Grid->ColWidths(10), EInvalidGridOperation);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridTest, ResizingKeepsTheCellsThatStay)
{
    Show(DayGrid, "StringGrid1");
    Grid->SetCells(1, 1, "30");
    Grid->SetCells(9, 80, "14");
    Grid->SetRow(80);
    Grid->SetRowCount(11);
    EXPECT_EQ(Grid->Cells(1, 1), "30");
    EXPECT_EQ(Grid->Row(), 10);
    Grid->SetRowCount(81);
    EXPECT_EQ(Grid->Cells(9, 80), "");
}

TEST_F(GridTest, TypingEditsTheCellInPlaceAndCellsFollowEachKey)
{
    Show(DayGrid, "StringGrid1");
    ASSERT_TRUE(TUser::TypeIntoCell(Grid, 3, 5, "23", false));
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(3, 5), "23");
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 5);
    TUser::PressEnter(Form.get());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(3, 5), "23");
    // Typing into a filled cell replaces its text.
    ASSERT_TRUE(TUser::TypeIntoCell(Grid, 3, 5, "7"));
    EXPECT_EQ(Grid->Cells(3, 5), "7");
}

TEST_F(GridTest, EscapePutsTheTextBack)
{
    Show(DayGrid, "StringGrid1");
    Grid->SetCells(0, 2, "8");
    ASSERT_TRUE(TUser::TypeIntoCell(Grid, 0, 2, "99", false));
    EXPECT_EQ(Grid->Cells(0, 2), "99");
    TUser::PressEscape(Form.get());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(0, 2), "8");
}

TEST_F(GridTest, AGridWithoutEditingTakesNoTyping)
{
    Show(MonthView, "StringGrid13");
    Grid->SetCells(3, 2, "10");
    EXPECT_TRUE(TUser::TypeIntoCell(Grid, 3, 2, "5"));
    EXPECT_EQ(Grid->Cells(3, 2), "10");
    EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(GridTest, ALeftPressSelectsThenRunsOnMouseDown)
{
    Show(DayGrid, "StringGrid1");
    int RowSeen = -1;
    Form->OnCall = [&](const AnsiString&) { RowSeen = Grid->Row(); };
    ASSERT_TRUE(TUser::ClickCell(Grid, 4, 7));
    EXPECT_EQ(Grid->Col(), 4);
    EXPECT_EQ(Grid->Row(), 7);
    EXPECT_EQ(RowSeen, 7);
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"MouseDown1(left)"}));
}

TEST_F(GridTest, ARightPressLeavesTheSelectionWhereItWas)
{
    Show(DayGrid, "StringGrid1");
    Grid->SetRow(5);
    int RowSeen = -1;
    Form->OnCall = [&](const AnsiString&) { RowSeen = Grid->Row(); };
    ASSERT_TRUE(TUser::PressCell(Grid, 6, 9, mbRight));
    TUser::ReleaseMouse();
    EXPECT_EQ(Grid->Row(), 5);
    EXPECT_EQ(Grid->Col(), 0);
    EXPECT_EQ(RowSeen, 5);
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"MouseDown1(right)"}));
}

TEST_F(GridTest, ADoubleClickSelectsItsCellFirst)
{
    Show(MonthView, "StringGrid13");
    Grid->SetCells(6, 1, "1");
    AnsiString Seen;
    Form->OnCall = [&](const AnsiString&) { Seen = Grid->Cells(Grid->Col(), Grid->Row()); };
    ASSERT_TRUE(TUser::DoubleClickCell(Grid, 6, 1));
    EXPECT_EQ(Seen, "1");
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"DblClick1(StringGrid13)"}));
}

TEST_F(GridTest, TheFixedRowCannotBeSelected)
{
    Show(DayGrid, "StringGrid1");
    Grid->SetRow(3);
    TUser::ClickCell(Grid, 2, 0);
    EXPECT_EQ(Grid->Row(), 3);
}

TEST_F(GridTest, ARangeIsSelectedWithTheShiftKey)
{
    Show(DayGrid, "StringGrid1");
    ASSERT_TRUE(TUser::SelectCells(Grid, 0, 2, 4, 6));
    EXPECT_EQ(Grid->Selection(), (TGridRect{0, 2, 4, 6}));
    Grid->SetSelection({1, 10, 3, 12});
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 10, 3, 12}));
    EXPECT_EQ(Grid->Row(), 10);
    EXPECT_THROW(Grid->SetSelection({0, 0, 1, 1}), EInvalidGridOperation);
}

TEST_F(GridTest, ACellFarDownIsScrolledToAndMouseToCellFindsIt)
{
    Show(DayGrid, "StringGrid1");
    ASSERT_TRUE(TUser::ClickCell(Grid, 8, 78));
    EXPECT_EQ(Grid->Row(), 78);
    TRect Cell = Grid->CellRect(8, 78);
    ASSERT_GT(Cell.Width(), 0);
    int C = -1, R = -1;
    Grid->MouseToCell(Cell.Left + 2, Cell.Top + 2, C, R);
    EXPECT_EQ(C, 8);
    EXPECT_EQ(R, 78);
    TRect Heading = Grid->CellRect(1, 0);
    Grid->MouseToCell(Heading.Left + 2, Heading.Top + 2, C, R);
    EXPECT_EQ(C, 1);
    EXPECT_EQ(R, 0);
}

TEST_F(GridTest, ADisabledGridTakesNoMouse)
{
    Show(DayGrid, "StringGrid1");
    Grid->SetEnabled(false);
    EXPECT_FALSE(TUser::ClickCell(Grid, 4, 7, mbRight));
    EXPECT_TRUE(Form->Calls.empty());
}

// Tab and Shift+Tab on a grid between two edits, while a cell is being
// edited and while the grid has the focus with no editor open.
struct TTabCase {
    const char* Name;
    bool Shifted;       // Shift+Tab
    bool Tabs;          // goTabs
    bool Editing;       // the typed text is still in the editor
    int Col, Row;       // the cell typed into
    const char* Focus;  // "Before", "After" or "Grid"
    int ToCol, ToRow;   // the selected cell after the key
};

void PrintTo(const TTabCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class GridTab : public ::testing::TestWithParam<TTabCase> {};

TEST_P(GridTab, MovesToTheNextCellWithGoTabsAndToTheNextControlWithout)
{
    const TTabCase& C = GetParam();
    const AnsiString Options = C.Tabs ? "goEditing, goTabs" : "goEditing";
    auto Form = ShowTestForm(R"(
        TEdit Before { Left = 8; Top = 8; Width = 80 }
        TStringGrid Grid { Left = 8; Top = 36; Width = 300; Height = 120; ColCount = 4; RowCount = 4
            Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, )" + Options + R"(] }
        TEdit After { Left = 8; Top = 164; Width = 80 })");
    auto* Grid = Form->Get<TStringGrid>("Grid");
    ASSERT_TRUE(TUser::TypeIntoCell(Grid, C.Col, C.Row, "17", !C.Editing));
    TUser::PressTab(Form.get(), C.Shifted);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(C.Col, C.Row), "17") << "what was typed stays in its cell";
    EXPECT_EQ(Grid->Col(), C.ToCol);
    EXPECT_EQ(Grid->Row(), C.ToRow);
    // The next key goes where the focus went.
    TUser::TypeKeys(Form.get(), "5");
    const AnsiString Focus = C.Focus;
    EXPECT_EQ(Form->Get<TEdit>("Before")->Text(), Focus == "Before" ? "5" : "");
    EXPECT_EQ(Form->Get<TEdit>("After")->Text(), Focus == "After" ? "5" : "");
    EXPECT_EQ(Grid->Cells(C.ToCol, C.ToRow), Focus == "Grid" ? "5" : "17");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridTab,
    ::testing::Values(
        TTabCase{"TabWhileEditingLeavesForTheNextControl", false, false, true, 2, 2, "After", 2, 2},
        TTabCase{"ShiftTabWhileEditingLeavesForThePreviousControl", true, false, true, 2, 2, "Before", 2, 2},
        TTabCase{"TabLeavesForTheNextControl", false, false, false, 2, 2, "After", 2, 2},
        TTabCase{"ShiftTabLeavesForThePreviousControl", true, false, false, 2, 2, "Before", 2, 2},
        TTabCase{"GoTabsTabWhileEditingWrapsToTheNextRow", false, true, true, 3, 1, "Grid", 1, 2},
        TTabCase{"GoTabsShiftTabWhileEditingWrapsBack", true, true, true, 1, 2, "Grid", 3, 1},
        TTabCase{"GoTabsTabGoesToTheNextCell", false, true, false, 1, 2, "Grid", 2, 2},
        TTabCase{"GoTabsShiftTabGoesToThePreviousCell", true, true, false, 2, 2, "Grid", 1, 2},
        TTabCase{"GoTabsTabFromTheLastCellGoesToTheFirst", false, true, false, 3, 3, "Grid", 1, 1},
        TTabCase{"GoTabsShiftTabFromTheFirstCellGoesToTheLast", true, true, false, 1, 1, "Grid", 3, 3}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
