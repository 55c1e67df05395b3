// The non-action day panel: the month view, its navigation, picking days
// into the list, and emptying rows of it.

#include "EditorFixture.h"

#include "rtl/DateTime.h"

namespace {

class CalendarTest : public TEditorTest {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
        ShowSystemPage();
        Press(F().SpeedButton[16]);
    }

    TStringGrid* View() { return F().StringGrid[13]; }
    TStringGrid* List() { return F().StringGrid[14]; }

    void ShowMonth(int Year, int Month)
    {
        F().CCalendar1->SetYear(Year);
        F().CCalendar1->SetMonth(Month);
        F().RefreshCalendarView();
    }

    // Double-clicks the day in the month view.
    void Pick(const std::string& Day)
    {
        for (int Row = 1; Row <= 6; ++Row)
            for (int Column = 0; Column < 7; ++Column)
                if (View()->Cells(Column, Row) == Day) {
                    ASSERT_TRUE(TUser::DoubleClickCell(View(), Column, Row));
                    return;
                }
        FAIL() << "day " << Day << " not shown";
    }

    std::pair<std::string, std::string> ListRow(int Row) { return {List()->Cells(0, Row), List()->Cells(1, Row)}; }
};

struct TMonthCase {
    int Year;
    int Month;
    int FirstWeekday;   // Sunday 0 .. Saturday 6
    int Days;
};

TEST_F(CalendarTest, DaysLieInTheirWeekdayColumns)
{
    const TMonthCase Cases[] = {{2026, 8, 6, 31}, {2026, 2, 0, 28}, {2024, 2, 4, 29}, {2025, 11, 6, 30}};
    for (const TMonthCase& Case : Cases) {
        ShowMonth(Case.Year, Case.Month);
        for (int Row = 1; Row <= 6; ++Row) {
            for (int Column = 0; Column < 7; ++Column) {
                const int Day = (Row - 1) * 7 + Column - Case.FirstWeekday + 1;
                const std::string Expected = Day >= 1 && Day <= Case.Days ? std::to_string(Day) : "";
                ASSERT_EQ(View()->Cells(Column, Row), Expected)
                    << Case.Year << "-" << Case.Month << " column " << Column << " row " << Row;
            }
        }
        EXPECT_EQ(F().Label[15]->Caption(), MonthNames[Case.Month]);
        EXPECT_EQ(F().Label[16]->Caption(), std::to_string(Case.Year));
    }
    EXPECT_EQ(View()->Cells(0, 0), "星期日");
    EXPECT_EQ(View()->Cells(6, 0), "星期六");
}

TEST_F(CalendarTest, StartsAtTheMonthOfToday)
{
    unsigned short Year = 0;
    unsigned short Month = 0;
    unsigned short Day = 0;
    DecodeDate(Date(), Year, Month, Day);
    EXPECT_EQ(F().Label[15]->Caption(), MonthNames[Month]);
    EXPECT_EQ(F().Label[16]->Caption(), std::to_string(Year));
}

TEST_F(CalendarTest, NavigationStaysInsideTheYear)
{
    ShowMonth(2026, 1);
    Press(F().SpeedButton[14]);
    EXPECT_EQ(F().CCalendar1->Month(), 1);
    EXPECT_EQ(F().CCalendar1->Year(), 2026);
    Press(F().SpeedButton[15]);
    EXPECT_EQ(F().CCalendar1->Month(), 2);
    EXPECT_EQ(F().Label[15]->Caption(), "FEB");
    EXPECT_EQ(View()->Cells(0, 1), "1");

    ShowMonth(2026, 12);
    Press(F().SpeedButton[15]);
    EXPECT_EQ(F().CCalendar1->Month(), 12);
    EXPECT_EQ(F().CCalendar1->Year(), 2026);
    EXPECT_EQ(F().Label[15]->Caption(), "DEC");
    Press(F().SpeedButton[14]);
    EXPECT_EQ(F().CCalendar1->Month(), 11);
    EXPECT_EQ(F().Label[15]->Caption(), "NOV");
}

TEST_F(CalendarTest, PickedDaysKeepTheFormOfTheirLanguage)
{
    ShowMonth(2026, 3);
    Pick("3");
    EXPECT_EQ(ListRow(1), std::make_pair(std::string("3"), std::string("3")));
    EXPECT_EQ(List()->Row(), 2);
    UiLanguage = lno_English;
    Pick("3");
    EXPECT_EQ(ListRow(2), std::make_pair(std::string("MAR"), std::string("3")));
    Press(F().Chinese1);
    EXPECT_EQ(ListRow(1), std::make_pair(std::string("3"), std::string("3")));
    EXPECT_EQ(ListRow(2), std::make_pair(std::string("MAR"), std::string("3")));
    EXPECT_EQ(List()->Row(), 3);
}

TEST_F(CalendarTest, EmptyCellAddsNothing)
{
    ShowMonth(2026, 8);   // starts on a Saturday: row 1, columns 0 to 5 are empty
    ASSERT_TRUE(TUser::DoubleClickCell(View(), 2, 1));
    EXPECT_EQ(ListRow(1), std::make_pair(std::string(), std::string()));
    EXPECT_EQ(List()->Row(), 1);
}

TEST_F(CalendarTest, LastRowIsFilledAndStaysCurrent)
{
    ShowMonth(2026, 5);
    ASSERT_TRUE(TUser::ClickCell(List(), 0, NonActionRows));
    Pick("20");
    EXPECT_EQ(ListRow(NonActionRows), std::make_pair(std::string("5"), std::string("20")));
    EXPECT_EQ(List()->Row(), NonActionRows);
    Pick("21");
    EXPECT_EQ(ListRow(NonActionRows), std::make_pair(std::string("5"), std::string("21")));
    EXPECT_EQ(ListRow(NonActionRows - 1), std::make_pair(std::string(), std::string()));
}

TEST_F(CalendarTest, RightPressEmptiesTheCurrentRowOnly)
{
    ShowMonth(2026, 6);
    Pick("1");
    Pick("2");
    Pick("3");
    ASSERT_TRUE(TUser::ClickCell(List(), 1, 2));
    ASSERT_TRUE(TUser::ClickCell(List(), 0, 1, mbRight));
    EXPECT_EQ(ListRow(1), std::make_pair(std::string("6"), std::string("1")));
    EXPECT_EQ(ListRow(2), std::make_pair(std::string(), std::string()));
    EXPECT_EQ(ListRow(3), std::make_pair(std::string("6"), std::string("3")));
    EXPECT_EQ(List()->Row(), 2);
}

TEST_F(CalendarTest, ClearEmptiesTheListAndSelectsRowOne)
{
    ShowMonth(2026, 6);
    Pick("1");
    List()->SetCells(0, NonActionRows, "JUN");
    List()->SetCells(1, NonActionRows, "9");
    Pick("2");
    Press(F().SpeedButton[18]);
    for (int Row = 1; Row <= NonActionRows; ++Row)
        ASSERT_EQ(ListRow(Row), std::make_pair(std::string(), std::string())) << Row;
    EXPECT_EQ(List()->Row(), 1);
    EXPECT_TRUE(Responder.MessageBoxes().empty());
}

TEST_F(CalendarTest, PanelOpensInPlaceAndCloses)
{
    EXPECT_TRUE(F().Panel2->Visible());
    EXPECT_EQ(F().Panel2->Top(), 160);
    EXPECT_EQ(F().Panel2->Left(), 88);
    EXPECT_FALSE(F().CCalendar1->Visible());
    EXPECT_EQ(F().CCalendar1->StartOfWeek(), 7);
    Press(F().SpeedButton[17]);
    EXPECT_FALSE(F().Panel2->Visible());
}

} // namespace
