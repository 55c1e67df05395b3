#pragma once
// The class library's date and time value and its routines.
//
// TDateTime counts days since 1899-12-30 00:00 in its whole part; its
// fraction is the time of day. The texts of DateToStr, TimeToStr and
// DateTimeToStr have one fixed form, independent of any locale:
//   date       "yyyy-mm-dd"            e.g. "2026-12-10"
//   time       "hh:nn:ss"              e.g. "08:05:09"
//   date time  "yyyy-mm-dd hh:nn:ss"   (the time is left out at midnight)
// The StrTo... routines read back exactly what these write (see their
// definitions for the small set of variants they also accept).

#include <cstdint>

#include "rtl/Exceptions.h"

using TDateTime = double;

TDateTime Now();            // local date and time
TDateTime Date();           // local date, time 00:00:00
TDateTime Time();           // local time of day, no date

// Raise EConvertError for values out of range.
TDateTime EncodeDate(unsigned short Year, unsigned short Month, unsigned short Day);
TDateTime EncodeTime(unsigned short Hour, unsigned short Min, unsigned short Sec, unsigned short MSec);
void DecodeDate(TDateTime DateTime, unsigned short& Year, unsigned short& Month, unsigned short& Day);
void DecodeTime(TDateTime DateTime, unsigned short& Hour, unsigned short& Min, unsigned short& Sec, unsigned short& MSec);
bool IsLeapYear(unsigned short Year);
int DaysInAMonth(unsigned short Year, unsigned short Month);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime DateTime);

// Formats by the class library's pattern letters: "yyyy" "yy" "mm" "m" "dd" "d"
// "hh" "h" "nn" "n" "ss" "s" "zzz"; text in double or single quotes is copied,
// and any other character stands for itself.
AnsiString FormatDateTime(const AnsiString& Format, TDateTime DateTime);

AnsiString DateToStr(TDateTime Date);
AnsiString TimeToStr(TDateTime Time);
AnsiString DateTimeToStr(TDateTime DateTime);
TDateTime StrToDate(const AnsiString& S);
TDateTime StrToTime(const AnsiString& S);
TDateTime StrToDateTime(const AnsiString& S);
