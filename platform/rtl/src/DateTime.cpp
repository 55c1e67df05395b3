#include "rtl/DateTime.h"

#include <cmath>
#include <ctime>

#include "rtl/SysUtils.h"

// Dates are counted as days from the civil calendar's day 0000-03-01 in the
// proleptic Gregorian calendar and moved to the class library's origin,
// 1899-12-30. A negative TDateTime is a date before that origin; its time of
// day is the magnitude of its fraction (-1.25 is 1899-12-29 06:00).

namespace {

constexpr double MSecsPerDay = 86400000.0;
// Days from 0000-03-01 to 1899-12-30.
constexpr long long OriginDays = 693899;
// Largest whole day the decoder accepts: 9999-12-31.
constexpr double MaxDay = 2958465.0;

long long DaysFromCivil(long long Y, unsigned M, unsigned D)
{
    Y -= M <= 2;
    const long long Era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned Yoe = static_cast<unsigned>(Y - Era * 400);
    const unsigned Doy = (153 * (M > 2 ? M - 3 : M + 9) + 2) / 5 + D - 1;
    const unsigned Doe = Yoe * 365 + Yoe / 4 - Yoe / 100 + Doy;
    return Era * 146097 + static_cast<long long>(Doe);
}

void CivilFromDays(long long Z, long long& Y, unsigned& M, unsigned& D)
{
    const long long Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned Doe = static_cast<unsigned>(Z - Era * 146097);
    const unsigned Yoe = (Doe - Doe / 1460 + Doe / 36524 - Doe / 146096) / 365;
    const unsigned Doy = Doe - (365 * Yoe + Yoe / 4 - Yoe / 100);
    const unsigned Mp = (5 * Doy + 2) / 153;
    D = Doy - (153 * Mp + 2) / 5 + 1;
    M = Mp < 10 ? Mp + 3 : Mp - 9;
    Y = static_cast<long long>(Yoe) + Era * 400 + (M <= 2);
}

bool ValidDate(unsigned Year, unsigned Month, unsigned Day)
{
    return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 &&
           static_cast<int>(Day) <= DaysInAMonth(static_cast<unsigned short>(Year), static_cast<unsigned short>(Month));
}

bool ValidTime(unsigned Hour, unsigned Min, unsigned Sec, unsigned MSec)
{
    return Hour < 24 && Min < 60 && Sec < 60 && MSec < 1000;
}

double DateValue(unsigned Year, unsigned Month, unsigned Day)
{
    return static_cast<double>(DaysFromCivil(Year, Month, Day) - OriginDays);
}

double TimeValue(unsigned Hour, unsigned Min, unsigned Sec, unsigned MSec)
{
    return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / MSecsPerDay;
}

// A date before the origin carries its time as a fraction towards -infinity.
TDateTime Combine(TDateTime DatePart, TDateTime TimePart)
{
    return DatePart < 0 ? DatePart - TimePart : DatePart + TimePart;
}

struct TParts {
    unsigned short Year = 0, Month = 0, Day = 0;
    unsigned short Hour = 0, Min = 0, Sec = 0, MSec = 0;
};

TParts Split(TDateTime DateTime)
{
    TParts P;
    DecodeDate(DateTime, P.Year, P.Month, P.Day);
    DecodeTime(DateTime, P.Hour, P.Min, P.Sec, P.MSec);
    return P;
}

} // namespace

bool IsLeapYear(unsigned short Year)
{
    return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

int DaysInAMonth(unsigned short Year, unsigned short Month)
{
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Days[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

TDateTime EncodeDate(unsigned short Year, unsigned short Month, unsigned short Day)
{
    if (!ValidDate(Year, Month, Day))
        throw EConvertError(Format("Invalid argument to date encode (%u-%u-%u)", Year, Month, Day));
    return DateValue(Year, Month, Day);
}

TDateTime EncodeTime(unsigned short Hour, unsigned short Min, unsigned short Sec, unsigned short MSec)
{
    if (!ValidTime(Hour, Min, Sec, MSec))
        throw EConvertError(Format("Invalid argument to time encode (%u:%u:%u.%u)", Hour, Min, Sec, MSec));
    return TimeValue(Hour, Min, Sec, MSec);
}

// A value that is not a number or lies outside the years 1 to 9999 decodes
// as all zeros.
void DecodeDate(TDateTime DateTime, unsigned short& Year, unsigned short& Month, unsigned short& Day)
{
    Year = Month = Day = 0;
    if (!std::isfinite(DateTime))
        return;
    const double Whole = std::trunc(DateTime);
    if (Whole < -OriginDays + 306 || Whole > MaxDay)
        return;
    long long Y;
    unsigned M, D;
    CivilFromDays(static_cast<long long>(Whole) + OriginDays, Y, M, D);
    if (Y < 1 || Y > 9999)
        return;
    Year = static_cast<unsigned short>(Y);
    Month = static_cast<unsigned short>(M);
    Day = static_cast<unsigned short>(D);
}

// The time of day, rounded to the millisecond and never beyond 23:59:59.999.
void DecodeTime(TDateTime DateTime, unsigned short& Hour, unsigned short& Min, unsigned short& Sec, unsigned short& MSec)
{
    Hour = Min = Sec = MSec = 0;
    if (!std::isfinite(DateTime))
        return;
    double Fraction = std::fabs(DateTime - std::trunc(DateTime));
    long long Ms = std::llround(Fraction * MSecsPerDay);
    if (Ms >= 86400000)
        Ms = 86399999;
    MSec = static_cast<unsigned short>(Ms % 1000);
    Ms /= 1000;
    Sec = static_cast<unsigned short>(Ms % 60);
    Ms /= 60;
    Min = static_cast<unsigned short>(Ms % 60);
    Hour = static_cast<unsigned short>(Ms / 60);
}

int DayOfWeek(TDateTime DateTime)
{
    if (!std::isfinite(DateTime) || std::fabs(DateTime) > 1e15)
        return 1;
    // Day 0, 1899-12-30, was a Saturday (7).
    long long Day = static_cast<long long>(std::trunc(DateTime));
    return static_cast<int>(((Day % 7) + 7 + 6) % 7) + 1;
}

TDateTime Now()
{
    timespec Ts{};
    clock_gettime(CLOCK_REALTIME, &Ts);
    std::tm Local{};
    localtime_r(&Ts.tv_sec, &Local);
    return Combine(DateValue(static_cast<unsigned>(Local.tm_year + 1900), static_cast<unsigned>(Local.tm_mon + 1),
                             static_cast<unsigned>(Local.tm_mday)),
                   TimeValue(static_cast<unsigned>(Local.tm_hour), static_cast<unsigned>(Local.tm_min),
                             static_cast<unsigned>(Local.tm_sec > 59 ? 59 : Local.tm_sec),
                             static_cast<unsigned>(Ts.tv_nsec / 1000000)));
}

TDateTime Date()
{
    return std::trunc(Now());
}

TDateTime Time()
{
    TDateTime N = Now();
    return N - std::trunc(N);
}

// Pattern letters, either case: a run of one letter is one field.
//   y, yy: two-digit year; yyy and longer: four-digit year
//   m / mm: month, d / dd: day, h / hh: hour, n / nn: minute,
//   s / ss: second (one letter: no leading zero; two: two digits;
//   a longer run repeats the two-digit field and then the one-digit one)
//   z: milliseconds without leading zeros; zzz (and longer): three digits
// Text between double or single quotes is copied without the quotes; an
// unclosed quote runs to the end. Any other character stands for itself.
AnsiString FormatDateTime(const AnsiString& Format, TDateTime DateTime)
{
    const TParts P = Split(DateTime);
    AnsiString Out;
    size_t I = 0;
    const size_t N = Format.size();
    auto Number = [&Out](unsigned Value, int Width) { Out += ::Format("%0*u", Width, Value); };
    while (I < N) {
        const char C = Format[I];
        if (C == '"' || C == '\'') {
            size_t Close = Format.find(C, I + 1);
            size_t End = Close == AnsiString::npos ? N : Close;
            Out.append(Format, I + 1, End - I - 1);
            I = Close == AnsiString::npos ? N : Close + 1;
            continue;
        }
        auto Lower = [](char Ch) { return static_cast<char>(Ch >= 'A' && Ch <= 'Z' ? Ch - 'A' + 'a' : Ch); };
        const char L = Lower(C);
        size_t Run = 1;
        while (I + Run < N && Lower(Format[I + Run]) == L)
            ++Run;
        unsigned Field;
        switch (L) {
        case 'y':
            if (Run >= 3)
                Number(P.Year, 4);
            else
                Number(P.Year % 100u, 2);
            I += Run;
            continue;
        case 'z':
            Number(P.MSec, Run >= 3 ? 3 : 1);
            I += Run;
            continue;
        case 'm': Field = P.Month; break;
        case 'd': Field = P.Day; break;
        case 'h': Field = P.Hour; break;
        case 'n': Field = P.Min; break;
        case 's': Field = P.Sec; break;
        default:
            Out += C;
            ++I;
            continue;
        }
        const size_t Take = Run >= 2 ? 2 : 1;
        Number(Field, static_cast<int>(Take));
        I += Take;
    }
    return Out;
}

AnsiString DateToStr(TDateTime Date)
{
    return FormatDateTime("yyyy-mm-dd", Date);
}

AnsiString TimeToStr(TDateTime Time)
{
    return FormatDateTime("hh:nn:ss", Time);
}

AnsiString DateTimeToStr(TDateTime DateTime)
{
    unsigned short H, M, S, Ms;
    DecodeTime(DateTime, H, M, S, Ms);
    if (H == 0 && M == 0 && S == 0 && Ms == 0)
        return DateToStr(DateTime);
    return FormatDateTime("yyyy-mm-dd hh:nn:ss", DateTime);
}

// ---------------------------------------------------------------------------
// Reading the fixed forms back.
//
// Accepted, with any number of spaces and tabs before and after:
//   date       Y-M-D       Y of 1 to 4 digits (1 to 9999), M and D of 1 or 2
//   time       H:N[:S[.Z]] H, N and S of 1 or 2 digits, Z of 1 to 3 digits
//                          (milliseconds: "5" is 5 ms)
//   date time  a date, then one or more spaces or tabs and a time; or a
//              date alone (midnight)
// Each field must be in range (month 1 to 12, a day of that month, hour 0
// to 23, minute and second 0 to 59). Anything else raises EConvertError.

namespace {

class TScanner {
public:
    explicit TScanner(const AnsiString& Text) : S(Text) {}

    void SkipBlanks()
    {
        while (I < S.size() && (S[I] == ' ' || S[I] == '\t'))
            ++I;
    }
    bool AtEnd() const { return I == S.size(); }
    bool Peek(char C) const { return I < S.size() && S[I] == C; }
    bool Take(char C)
    {
        if (!Peek(C))
            return false;
        ++I;
        return true;
    }
    // 1 to MaxDigits decimal digits.
    bool Number(unsigned MaxDigits, unsigned& Value)
    {
        unsigned Count = 0;
        Value = 0;
        while (I < S.size() && S[I] >= '0' && S[I] <= '9' && Count < MaxDigits) {
            Value = Value * 10 + static_cast<unsigned>(S[I] - '0');
            ++I;
            ++Count;
        }
        return Count > 0 && !(I < S.size() && S[I] >= '0' && S[I] <= '9');
    }

private:
    const AnsiString& S;
    size_t I = 0;
};

bool ScanDate(TScanner& In, TDateTime& Value)
{
    unsigned Y, M, D;
    if (!In.Number(4, Y) || !In.Take('-') || !In.Number(2, M) || !In.Take('-') || !In.Number(2, D))
        return false;
    if (!ValidDate(Y, M, D))
        return false;
    Value = DateValue(Y, M, D);
    return true;
}

bool ScanTime(TScanner& In, TDateTime& Value)
{
    unsigned H, N, S = 0, Z = 0;
    if (!In.Number(2, H) || !In.Take(':') || !In.Number(2, N))
        return false;
    if (In.Take(':')) {
        if (!In.Number(2, S))
            return false;
        if (In.Take('.') && !In.Number(3, Z))
            return false;
    }
    if (!ValidTime(H, N, S, Z))
        return false;
    Value = TimeValue(H, N, S, Z);
    return true;
}

[[noreturn]] void NotA(const char* What, const AnsiString& S)
{
    throw EConvertError(Format("'%s' is not a valid %s", S.c_str(), What));
}

} // namespace

TDateTime StrToDate(const AnsiString& S)
{
    TScanner In(S);
    TDateTime Value = 0;
    In.SkipBlanks();
    bool Ok = ScanDate(In, Value);
    In.SkipBlanks();
    if (!Ok || !In.AtEnd())
        NotA("date", S);
    return Value;
}

TDateTime StrToTime(const AnsiString& S)
{
    TScanner In(S);
    TDateTime Value = 0;
    In.SkipBlanks();
    bool Ok = ScanTime(In, Value);
    In.SkipBlanks();
    if (!Ok || !In.AtEnd())
        NotA("time", S);
    return Value;
}

TDateTime StrToDateTime(const AnsiString& S)
{
    TScanner In(S);
    TDateTime DatePart = 0, TimePart = 0;
    In.SkipBlanks();
    bool Ok = ScanDate(In, DatePart);
    if (Ok && !In.AtEnd()) {
        In.SkipBlanks();
        if (!In.AtEnd())
            Ok = ScanTime(In, TimePart);
        In.SkipBlanks();
    }
    if (!Ok || !In.AtEnd())
        NotA("date and time", S);
    return Combine(DatePart, TimePart);
}
