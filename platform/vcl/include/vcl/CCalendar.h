#pragma once
// The month calculator: one current date and the 6 x 7 day cells of its
// month, which a program reads to draw its own month view. It is never
// drawn itself.
//
// StartOfWeek names the weekday of the first column: 1 Monday .. 7 Sunday.
// Row 0 is the heading row; rows 1 to 6 hold the day numbers of the month.

#include "vcl/Controls.h"

class TCCalendar : public TControl {
public:
    // Starts at today's date.
    explicit TCCalendar(TComponent* AOwner);

    int Year() const { return FYear; }
    int Month() const { return FMonth; }
    int Day() const { return FDay; }
    // Each keeps the day inside the new month (the month's last day at most);
    // a value out of range raises EConvertError.
    void SetYear(int Value);
    void SetMonth(int Value);
    void SetDay(int Value);

    int StartOfWeek() const { return FStartOfWeek; }
    // 1 .. 7; other values raise EConvertError.
    void SetStartOfWeek(int Value);

    // One month back or forward; the year changes at its ends.
    void PrevMonth();
    void NextMonth();

    // Column 0..6, row 1..6: the day number shown in that cell, or "".
    AnsiString CellText(int ACol, int ARow) const;

    void DefineProperties(TPropertyList& List) override;

private:
    void SetDate(int AYear, int AMonth, int ADay);

    int FYear = 2000;
    int FMonth = 1;
    int FDay = 1;
    int FStartOfWeek = 1;
};
