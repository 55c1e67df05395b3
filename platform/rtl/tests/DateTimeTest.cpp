#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "rtl/DateTime.h"

namespace {

struct TDateCase {
    unsigned short Y, M, D;
    double Value;
    int Weekday;   // 1 = Sunday
};

const TDateCase DateCases[] = {
    {1899, 12, 30, 0, 7},
    {1899, 12, 31, 1, 1},
    {1900, 1, 1, 2, 2},
    {1900, 3, 1, 61, 5},         // 1900 is no leap year
    {2000, 2, 29, 36585, 3},
    {2026, 12, 10, 46366, 5},
    {1899, 12, 29, -1, 6},
    {1, 1, 1, -693593, 2},
    {9999, 12, 31, 2958465, 6},
};

} // namespace

TEST(DateTime, EncodeDecodeAndWeekdayAgree)
{
    for (const TDateCase& C : DateCases) {
        SCOPED_TRACE(testing::Message() << C.Y << "-" << C.M << "-" << C.D);
        EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Value);
        unsigned short Y, M, D;
        // Before 1899-12-30 the time of day counts away from zero.
        const double WithTime = C.Value < 0 ? C.Value - 0.75 : C.Value + 0.75;
        DecodeDate(WithTime, Y, M, D);
        EXPECT_EQ(Y, C.Y);
        EXPECT_EQ(M, C.M);
        EXPECT_EQ(D, C.D);
        EXPECT_EQ(DayOfWeek(WithTime), C.Weekday);
    }
}

TEST(DateTime, EncodeRefusesValuesOutOfRange)
{
    struct { unsigned short Y, M, D; } BadDates[] = {{0, 1, 1}, {10000, 1, 1}, {2025, 0, 1}, {2025, 13, 1},
                                                     {2025, 2, 29}, {2024, 4, 31}, {2024, 1, 0}};
    for (const auto& B : BadDates)
        EXPECT_THROW(EncodeDate(B.Y, B.M, B.D), EConvertError) << B.Y << "-" << B.M << "-" << B.D;
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
}

TEST(DateTime, TimeOfDayRoundTripsToTheMillisecond)
{
    unsigned short H, N, S, Z;
    DecodeTime(EncodeTime(23, 59, 59, 999), H, N, S, Z);
    EXPECT_EQ((std::array<int, 4>{H, N, S, Z}), (std::array<int, 4>{23, 59, 59, 999}));
    DecodeTime(46366.0 + EncodeTime(8, 5, 9, 7), H, N, S, Z);
    EXPECT_EQ((std::array<int, 4>{H, N, S, Z}), (std::array<int, 4>{8, 5, 9, 7}));
    DecodeTime(0.99999999999, H, N, S, Z);
    EXPECT_EQ((std::array<int, 4>{H, N, S, Z}), (std::array<int, 4>{23, 59, 59, 999})) << "never rounds into the next day";
    DecodeTime(-1.25, H, N, S, Z);
    EXPECT_EQ(H, 6) << "before 1899 the fraction's magnitude is the time";
}

TEST(DateTime, BadValuesDecodeAsZerosWithoutCrashing)
{
    const double Bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(), 1e300, -1e300, -693594.0, 2958466.0};
    for (double V : Bad) {
        unsigned short Y = 1, M = 1, D = 1;
        DecodeDate(V, Y, M, D);
        EXPECT_EQ(Y + M + D, 0) << V;
        EXPECT_GE(DayOfWeek(V), 1);
        EXPECT_LE(DayOfWeek(V), 7);
        EXPECT_FALSE(FormatDateTime("yyyy-mm-dd hh:nn:ss", V).empty());
    }
}

TEST(DateTime, FormatDateTimePatterns)
{
    const TDateTime V = EncodeDate(2026, 3, 7) + EncodeTime(8, 5, 9, 42);
    struct { const char* Format; const char* Text; } Cases[] = {
        {"yy", "26"},         {"yyyy", "2026"},   {"m", "3"},       {"mm", "03"},    {"d", "7"},
        {"dd", "07"},         {"h", "8"},         {"hh", "08"},     {"n", "5"},      {"nn", "05"},
        {"s", "9"},           {"ss", "09"},       {"zzz", "042"},   {"z", "42"},     {"YY/M/D", "26/3/7"},
        {"yyyy-mm-dd hh:nn:ss", "2026-03-07 08:05:09"},
        {"'h'h\"m\"m", "h8m3"}, {"x'unclosed", "xunclosed"}, {"", ""},  {"[ -:]", "[ -:]"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FormatDateTime(C.Format, V), C.Text) << "format \"" << C.Format << "\"";
}

TEST(DateTime, FixedTextFormsRoundTrip)
{
    const TDateTime V = EncodeDate(2026, 12, 10) + EncodeTime(8, 5, 9, 0);
    EXPECT_EQ(DateToStr(V), "2026-12-10");
    EXPECT_EQ(TimeToStr(V), "08:05:09");
    EXPECT_EQ(DateTimeToStr(V), "2026-12-10 08:05:09");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 12, 10)), "2026-12-10") << "midnight leaves the time out";

    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(V)), V);
    EXPECT_DOUBLE_EQ(StrToDate(DateToStr(V)), EncodeDate(2026, 12, 10));
    EXPECT_DOUBLE_EQ(StrToTime(TimeToStr(V)), EncodeTime(8, 5, 9, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("2026-12-10"), EncodeDate(2026, 12, 10));

    const TDateTime Old = EncodeDate(1850, 6, 1) - EncodeTime(12, 0, 0, 0);
    EXPECT_EQ(DateTimeToStr(Old), "1850-06-01 12:00:00");
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(Old)), Old);
}

TEST(DateTime, StrToRoutinesAcceptVariantsAndRefuseTheRest)
{
    EXPECT_DOUBLE_EQ(StrToDate(" 2026-1-2 "), EncodeDate(2026, 1, 2));
    EXPECT_DOUBLE_EQ(StrToTime("8:05"), EncodeTime(8, 5, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("08:05:09.250"), EncodeTime(8, 5, 9, 250));
    EXPECT_DOUBLE_EQ(StrToDateTime("2026-01-02\t 23:59"), EncodeDate(2026, 1, 2) + EncodeTime(23, 59, 0, 0));

    const char* BadDates[] = {"", "2026", "2026-13-01", "2026-02-30", "0-1-1", "12026-1-1", "2026-1-1x",
                              "2026/01/01", "2026-001-01"};
    for (const char* S : BadDates)
        EXPECT_THROW(StrToDate(S), EConvertError) << S;
    const char* BadTimes[] = {"", "8", "24:00", "12:60", "12:00:60", "12:00:00.1000", "12:00:", "1:2:3:4", "a"};
    for (const char* S : BadTimes)
        EXPECT_THROW(StrToTime(S), EConvertError) << S;
    const char* BadDateTimes[] = {"2026-01-0208:00", "2026-01-02 x", "08:00", "2026-01-02 8"};
    for (const char* S : BadDateTimes)
        EXPECT_THROW(StrToDateTime(S), EConvertError) << S;
    EXPECT_NO_THROW(StrToDateTime("2026-01-02 ")) << "trailing blanks are allowed";
    try {
        StrToDate("31.12.2026");
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, "'31.12.2026' is not a valid date");
    }
}

TEST(DateTime, NowIsTodaysDate)
{
    const TDateTime N = Now();
    EXPECT_GT(N, EncodeDate(2020, 1, 1));
    EXPECT_LT(N, EncodeDate(2200, 1, 1));
    EXPECT_GE(Time(), 0.0);
    EXPECT_LT(Time(), 1.0);
    EXPECT_EQ(Date(), std::trunc(Date()));
}
