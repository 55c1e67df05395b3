#include "monitorlink/SimulatedPlayer.h"

namespace monitorlink {

namespace {

constexpr long long SecondsPerDay = 86400;

// Days from 2000-01-01 to the given date of the proleptic Gregorian calendar.
long long DaysFromCivil(int Year, int Month, int Day)
{
    const int Y = Year - (Month <= 2 ? 1 : 0);
    const int Era = (Y >= 0 ? Y : Y - 399) / 400;
    const int YearOfEra = Y - Era * 400;
    const int DayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
    const int DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    return static_cast<long long>(Era) * 146097 + DayOfEra - 730425;   // 730425: 0000-03-01 to 2000-01-01
}

void CivilFromDays(long long Days, int& Year, int& Month, int& Day)
{
    const long long Z = Days + 730425;
    const long long Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const long long DayOfEra = Z - Era * 146097;
    const long long YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
    const long long DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
    const long long MonthIndex = (5 * DayOfYear + 2) / 153;
    Day = static_cast<int>(DayOfYear - (153 * MonthIndex + 2) / 5 + 1);
    Month = static_cast<int>(MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9);
    Year = static_cast<int>(YearOfEra + Era * 400 + (Month <= 2 ? 1 : 0));
}

int DaysInMonth(int Year, int Month)
{
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool Leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
    return Month == 2 && Leap ? 29 : Days[Month - 1];
}

int Number(const std::string& Digits, std::size_t At)
{
    return (Digits[At] - '0') * 10 + (Digits[At + 1] - '0');
}

} // namespace

TSimulatedPlayer::TSimulatedPlayer(const TCalendarTime& Start, TClock::time_point At)
{
    SetClock(DaysFromCivil(Start.Year, Start.Month, Start.Day) * SecondsPerDay + Start.Hour * 3600 +
                 Start.Minute * 60 + Start.Second,
             At);
}

void TSimulatedPlayer::SetClock(long long Seconds, TClock::time_point At)
{
    FSeconds = Seconds;
    FSetAt = At;
}

void TSimulatedPlayer::SetFinishTime(int Hour, int Minute)
{
    FFinishHour = Hour;
    FFinishMinute = Minute;
}

bool TSimulatedPlayer::Apply(const TCommandFrame& Frame, TClock::time_point At)
{
    const std::string& D = Frame.Digits;
    const long long Now = FSeconds + std::chrono::duration_cast<std::chrono::seconds>(At - FSetAt).count();
    const long long Today = Now / SecondsPerDay;
    switch (Frame.Letter) {
    case '@':
        if (D.size() != 2 || Number(D, 0) > 8)
            return false;
        FChannel = static_cast<std::uint8_t>(Number(D, 0));
        return true;
    case 'A':
        if (D.size() != 2)
            return false;
        FSong = Number(D, 0);
        return true;
    case 'D': {
        if (D.size() != 6 || Number(D, 0) > 23 || Number(D, 2) > 59 || Number(D, 4) > 59)
            return false;
        SetClock(Today * SecondsPerDay + Number(D, 0) * 3600 + Number(D, 2) * 60 + Number(D, 4), At);
        return true;
    }
    case 'C': {
        if (D.size() != 7 || D[6] > '6')
            return false;
        const int Year = 2000 + Number(D, 0);
        const int Month = Number(D, 2);
        const int Day = Number(D, 4);
        if (Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
            return false;
        SetClock(DaysFromCivil(Year, Month, Day) * SecondsPerDay + Now % SecondsPerDay, At);
        return true;
    }
    default:
        return false;
    }
}

TCalendarTime TSimulatedPlayer::Clock(TClock::time_point At) const
{
    const long long Now = FSeconds + std::chrono::duration_cast<std::chrono::seconds>(At - FSetAt).count();
    TCalendarTime T;
    CivilFromDays(Now / SecondsPerDay, T.Year, T.Month, T.Day);
    const long long Time = Now % SecondsPerDay;
    T.Hour = static_cast<int>(Time / 3600);
    T.Minute = static_cast<int>(Time / 60 % 60);
    T.Second = static_cast<int>(Time % 60);
    return T;
}

TDeviceReport TSimulatedPlayer::Report(TClock::time_point At) const
{
    const TCalendarTime T = Clock(At);
    const long long Days = DaysFromCivil(T.Year, T.Month, T.Day);
    TDeviceReport R;
    R.Year = ToBcd(T.Year % 100);
    R.Month = ToBcd(T.Month);
    R.Day = ToBcd(T.Day);
    R.WeekDay = static_cast<std::uint8_t>((Days + 6) % 7);   // 2000-01-01 was a Saturday
    R.Hour = ToBcd(T.Hour);
    R.Minute = ToBcd(T.Minute);
    R.Second = ToBcd(T.Second);
    R.ChannelState = FChannel;
    R.SongNo = ToBcd(FSong);
    const bool Finished = T.Hour * 60 + T.Minute >= FFinishHour * 60 + FFinishMinute;
    R.ScheduleState = Finished ? 5 : 3;
    R.FinishHour = ToBcd(FFinishHour);
    R.FinishMinute = ToBcd(FFinishMinute);
    R.Extra1 = 0;
    R.Extra2 = 0;
    return R;
}

} // namespace monitorlink
