// The non-action day panel: a month view of the start-up year, drawn from
// the hidden month model CCalendar1, and the list of up to 366 picked days.

#include "V7430_p8_src.h"

#include "rtl/SysUtils.h"

void TForm1::RefreshCalendarView()
{
    TStringGrid* View = StringGrid[13];
    for (int Column = 0; Column < 7; ++Column)
        for (int Row = 1; Row <= 6; ++Row)
            View->SetCells(Column, Row, AnsiString());
    for (int Column = 0; Column < 7; ++Column)
        for (int Row = 1; Row <= 6; ++Row)
            View->SetCells(Column, Row, CCalendar1->CellText(Column, Row));
    Label[15]->SetCaption(MonthNames[CCalendar1->Month()]);
    Label[16]->SetCaption(IntToStr(CCalendar1->Year()));
}

// Previous month, not before January: the year never changes.
void TForm1::SpeedButton14Click(TObject*)
{
    if (CCalendar1->Month() == 1)
        return;
    CCalendar1->PrevMonth();
    RefreshCalendarView();
}

// Next month, not after December.
void TForm1::SpeedButton15Click(TObject*)
{
    if (CCalendar1->Month() == 12)
        return;
    CCalendar1->NextMonth();
    RefreshCalendarView();
}

void TForm1::SpeedButton16Click(TObject*)
{
    Panel2->SetTop(160);
    Panel2->SetLeft(88);
    Panel2->Show();
}

void TForm1::SpeedButton17Click(TObject*)
{
    Panel2->Hide();
}

// Empties the whole list and selects its first row.
void TForm1::SpeedButton18Click(TObject*)
{
    TStringGrid* List = StringGrid[14];
    for (int Row = 1; Row < List->RowCount(); ++Row) {
        List->SetCells(0, Row, AnsiString());
        List->SetCells(1, Row, AnsiString());
    }
    List->SetRow(1);
}

// A double click on a day of the month view puts it into the list's current
// row and moves on to the next row, up to the last one.
void TForm1::StringGrid13DblClick(TObject*)
{
    TStringGrid* View = StringGrid[13];
    const AnsiString DayText = View->Cells(View->Col(), View->Row());
    if (Trim(DayText).empty())
        return;
    TStringGrid* List = StringGrid[14];
    const int Row = List->Row();
    const int Month = CCalendar1->Month();
    List->SetCells(0, Row, UiLanguage == lno_Chinese ? IntToStr(Month) : MonthNames[Month]);
    List->SetCells(1, Row, DayText);
    if (Row < List->RowCount() - 1)
        List->SetRow(Row + 1);
}

// The right button empties the list's current row; the rows below stay.
void TForm1::StringGrid14MouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbRight)
        return;
    TStringGrid* List = StringGrid[14];
    List->SetCells(0, List->Row(), AnsiString());
    List->SetCells(1, List->Row(), AnsiString());
}
