// The timetable grids' commands: special-day boxes, clear page, copy, and
// the right-button row clear.

#include "EditorFixture.h"

namespace {

class GridCommandsTest : public TEditorTest {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
    }

    // Fills the field columns and the separators of a few rows of a table.
    void FillTable(int Day, const std::string& Tag)
    {
        for (int Row : {1, 2, 80}) {
            TStringGrid* Grid = F().StringGrid[Day];
            for (int Column = 0; Column < 10; ++Column)
                Grid->SetCells(Column, Row, Tag + std::to_string(Row) + "." + std::to_string(Column));
        }
    }
};

TEST_F(GridCommandsTest, SpecialDayBoxesFollowTheirCheckBox)
{
    ShowSystemPage();
    Press(F().CheckBox[2]);
    EXPECT_TRUE(F().ComboBox[3]->Enabled());
    EXPECT_TRUE(F().ComboBox[4]->Enabled());
    EXPECT_FALSE(F().ComboBox[1]->Enabled());
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[3], 4));
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[4], 20));
    Press(F().CheckBox[2]);
    EXPECT_FALSE(F().ComboBox[3]->Enabled());
    EXPECT_FALSE(F().ComboBox[4]->Enabled());
    EXPECT_EQ(F().ComboBox[3]->ItemIndex(), 4);
    EXPECT_EQ(F().ComboBox[4]->ItemIndex(), 20);
}

TEST_F(GridCommandsTest, ClearOnSystemPageChangesNothing)
{
    FillTable(1, "a");
    FillTable(3, "c");
    ShowSystemPage();
    Press(F().SpeedButton[4]);
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "a1.0");
    EXPECT_EQ(F().StringGrid[3]->Cells(9, 80), "c80.9");
}

TEST_F(GridCommandsTest, ClearEmptiesTheFieldColumnsOfTheActivePageOnly)
{
    FillTable(3, "c");
    FillTable(4, "d");
    ShowDay(3);
    Press(F().SpeedButton[4]);
    for (int Row : {1, 2, 80}) {
        EXPECT_EQ(RowOf(3, Row), EmptyRow());
        for (int Separator : {2, 5, 7})
            EXPECT_EQ(F().StringGrid[3]->Cells(Separator, Row),
                      "c" + std::to_string(Row) + "." + std::to_string(Separator));
    }
    EXPECT_EQ(F().StringGrid[3]->Cells(0, 0), "起始:時");
    EXPECT_EQ(F().StringGrid[4]->Cells(0, 1), "d1.0");
    EXPECT_TRUE(Responder.MessageBoxes().empty());
}

TEST_F(GridCommandsTest, RightPressClearsTheSelectedRowNotTheOneUnderThePointer)
{
    FillTable(1, "a");
    for (int Column = 0; Column < 10; ++Column)
        F().StringGrid[1]->SetCells(Column, 5, "five");
    ASSERT_TRUE(TUser::ClickCell(F().StringGrid[1], 3, 5));
    ASSERT_TRUE(TUser::ClickCell(F().StringGrid[1], 0, 2, mbRight));
    for (int Column = 0; Column < 10; ++Column)
        EXPECT_EQ(F().StringGrid[1]->Cells(Column, 5), "") << Column;
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 2), "a2.0");
    EXPECT_EQ(F().StringGrid[1]->Row(), 5);
}

TEST_F(GridCommandsTest, LeftPressClearsNothing)
{
    FillTable(1, "a");
    ASSERT_TRUE(TUser::ClickCell(F().StringGrid[1], 0, 1));
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "a1.0");
}

TEST_F(GridCommandsTest, CopyPanelOpensInPlaceAndKeepsItsChoices)
{
    Press(F().SpeedButton[5]);
    EXPECT_TRUE(F().Panel1->Visible());
    EXPECT_EQ(F().Panel1->Top(), 144);
    EXPECT_EQ(F().Panel1->Left(), 168);
    Press(F().RadioButton[5]);
    EXPECT_EQ(CopySource, 3);
    EXPECT_FALSE(F().CheckBox[11]->Checked());
    EXPECT_FALSE(F().CheckBox[11]->Enabled());
    EXPECT_TRUE(F().CheckBox[9]->Enabled());
}

TEST_F(GridCommandsTest, CopyMakesTargetsExactCopiesOfTheSource)
{
    FillTable(1, "a");
    FillTable(3, "c");
    FillTable(8, "s");
    F().StringGrid[1]->SetCells(0, 40, "only in target");
    Press(F().SpeedButton[5]);
    Press(F().RadioButton[5]);
    Press(F().CheckBox[9]);
    Press(F().CheckBox[16]);
    Press(F().SpeedButton[11]);
    EXPECT_FALSE(F().Panel1->Visible());
    for (int Target : {1, 8}) {
        for (int Row = 1; Row <= DayTableRows; ++Row)
            EXPECT_EQ(RowOf(Target, Row), RowOf(3, Row)) << Target << " row " << Row;
        // Separators are not copied.
        EXPECT_EQ(F().StringGrid[Target]->Cells(2, 1), std::string(Target == 1 ? "a" : "s") + "1.2");
    }
    EXPECT_EQ(F().StringGrid[2]->Cells(0, 1), "");
    EXPECT_TRUE(F().CheckBox[9]->Checked());
    EXPECT_TRUE(F().CheckBox[16]->Checked());
    EXPECT_EQ(CopySource, 3);
}

TEST_F(GridCommandsTest, CopyWithoutTargetsOnlyClosesThePanel)
{
    FillTable(1, "a");
    Press(F().SpeedButton[5]);
    Press(F().SpeedButton[11]);
    EXPECT_FALSE(F().Panel1->Visible());
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "a1.0");
    EXPECT_EQ(F().StringGrid[2]->Cells(0, 1), "");
}

TEST_F(GridCommandsTest, CancelResetsThePanel)
{
    Press(F().SpeedButton[5]);
    Press(F().RadioButton[7]);
    Press(F().CheckBox[9]);
    Press(F().CheckBox[20]);
    Press(F().SpeedButton[12]);
    EXPECT_FALSE(F().Panel1->Visible());
    EXPECT_EQ(CopySource, 1);
    for (int Number = 9; Number <= 20; ++Number)
        EXPECT_FALSE(F().CheckBox[Number]->Checked()) << Number;
    EXPECT_FALSE(F().CheckBox[9]->Enabled());
    EXPECT_TRUE(F().CheckBox[13]->Enabled());
}

} // namespace
