// Timetable grids and the commands on whole rows and tables: the special-day
// boxes, clear page, the copy panel and the right-button row clear.

#include "V7430_p8_src.h"

// CheckBox1Click .. CheckBox5Click: a special day's month and day boxes are
// usable exactly while its check box is checked; they keep their items.
void TForm1::CheckBoxNClick(int Number)
{
    const bool Enabled = CheckBox[Number]->Checked();
    ComboBox[2 * Number - 1]->SetEnabled(Enabled);
    ComboBox[2 * Number]->SetEnabled(Enabled);
}

// Clear page: the field columns of the active page's day table.
void TForm1::SpeedButton4Click(TObject*)
{
    const int Day = PageControl1->ActivePageIndex() + 1;
    if (Day < 1 || Day > DayTableCount)
        return;
    TStringGrid* Grid = StringGrid[Day];
    for (int Row = 1; Row <= DayTableRows; ++Row)
        for (int Column : EntryColumns)
            Grid->SetCells(Column, Row, AnsiString());
}

// Opens the copy panel; it keeps the choices of its last use.
void TForm1::SpeedButton5Click(TObject*)
{
    Panel1->SetTop(144);
    Panel1->SetLeft(168);
    Panel1->Show();
}

// RadioButton3Click .. RadioButton14Click: day table Number - 2 becomes the
// copy source, and cannot be its own target.
void TForm1::RadioButtonNClick(int Number)
{
    CopySource = Number - 2;
    for (int Day = 1; Day <= DayTableCount; ++Day) {
        TCheckBox* Target = CheckBox[Day + 8];
        if (Day == CopySource) {
            Target->SetChecked(false);
            Target->SetEnabled(false);
        } else {
            Target->SetEnabled(true);
        }
    }
}

// Copy OK: the source table onto every checked target, then close the panel;
// the choices stay for the next use.
void TForm1::SpeedButton11Click(TObject*)
{
    TStringGrid* Source = StringGrid[CopySource];
    for (int Day = 1; Day <= DayTableCount; ++Day)
        if (CheckBox[Day + 8]->Checked())
            CopyDayTable(Source, StringGrid[Day]);
    Panel1->Hide();
}

// Copy cancel: no targets, day table 1 as the source, panel closed.
void TForm1::SpeedButton12Click(TObject*)
{
    for (int Day = 1; Day <= DayTableCount; ++Day)
        CheckBox[Day + 8]->SetChecked(false);
    RadioButtonNClick(3);
    Panel1->Hide();
}

// StringGrid1MouseDown .. StringGrid12MouseDown: the right button empties
// every cell of the selected row (the press does not move the selection).
void TForm1::StringGridNMouseDown(int Number, TMouseButton Button)
{
    if (Button != mbRight)
        return;
    TStringGrid* Grid = StringGrid[Number];
    const int Row = Grid->Row();
    for (int Column = 0; Column < Grid->ColCount(); ++Column)
        Grid->SetCells(Column, Row, AnsiString());
}

void CopyDayTable(TStringGrid* Source, TStringGrid* Target)
{
    for (int Row = 1; Row <= DayTableRows; ++Row)
        for (int Column : EntryColumns)
            Target->SetCells(Column, Row, Source->Cells(Column, Row));
}
