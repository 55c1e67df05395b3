#include "vcl/CCalendar.h"

#include <QWidget>

#include "rtl/DateTime.h"
#include "rtl/StoredProperties.h"

TCCalendar::TCCalendar(TComponent* AOwner) : TControl(AOwner, new QWidget)
{
    unsigned short Y, M, D;
    DecodeDate(Date(), Y, M, D);
    SetDate(Y, M, D);
    SetBounds(0, 0, 320, 120);
}

void TCCalendar::SetDate(int AYear, int AMonth, int ADay)
{
    if (AYear < 1 || AYear > 9999 || AMonth < 1 || AMonth > 12)
        throw EConvertError("Invalid date");
    int Last = DaysInAMonth(static_cast<unsigned short>(AYear), static_cast<unsigned short>(AMonth));
    if (ADay < 1 || ADay > 31)
        throw EConvertError("Invalid date");
    FYear = AYear;
    FMonth = AMonth;
    FDay = std::min(ADay, Last);
}

void TCCalendar::SetYear(int Value)
{
    SetDate(Value, FMonth, FDay);
}

void TCCalendar::SetMonth(int Value)
{
    SetDate(FYear, Value, FDay);
}

void TCCalendar::SetDay(int Value)
{
    SetDate(FYear, FMonth, Value);
}

void TCCalendar::SetStartOfWeek(int Value)
{
    if (Value < 1 || Value > 7)
        throw EConvertError("StartOfWeek must be 1 to 7");
    FStartOfWeek = Value;
}

void TCCalendar::PrevMonth()
{
    if (FMonth == 1)
        SetDate(FYear - 1, 12, FDay);
    else
        SetDate(FYear, FMonth - 1, FDay);
}

void TCCalendar::NextMonth()
{
    if (FMonth == 12)
        SetDate(FYear + 1, 1, FDay);
    else
        SetDate(FYear, FMonth + 1, FDay);
}

AnsiString TCCalendar::CellText(int ACol, int ARow) const
{
    if (ACol < 0 || ACol > 6 || ARow < 1 || ARow > 6)
        return AnsiString();
    // Weekday of the first day, counted from the first column (0 .. 6).
    int Sunday0 = DayOfWeek(EncodeDate(static_cast<unsigned short>(FYear), static_cast<unsigned short>(FMonth), 1)) - 1;
    int FirstColumnDay = FStartOfWeek % 7;    // 7 (Sunday) -> 0, 1 (Monday) -> 1
    int W = (Sunday0 - FirstColumnDay + 7) % 7;
    int Day = (ARow - 1) * 7 + ACol - W + 1;
    int Last = DaysInAMonth(static_cast<unsigned short>(FYear), static_cast<unsigned short>(FMonth));
    if (Day < 1 || Day > Last)
        return AnsiString();
    return std::to_string(Day);
}

void TCCalendar::DefineProperties(TPropertyList& List)
{
    TControl::DefineProperties(List);
    List.Add("StartOfWeek", [this](const TStoredValue& V) { SetStartOfWeek(V.AsInt()); });
}
