// The typed values of TYIniFile. Every write builds a text and stores it
// with WriteString; every read takes the text through the three-argument
// IsValueExisted and returns its default when that finds nothing.
//
//   integer      written "%d"; read by StrToInt (raises EConvertError)
//   unsigned     written "%d" (the same 32 bits as a signed number, so
//                4294967295 is "-1"); read as decimal, or as hexadecimal
//                after "0x"
//   hexadecimal  written "0x%X"; read as unsigned
//   floating     written "%f" (six decimals, always with a point); read
//                as strtod does in the C locale
//   date, time   DateToStr / TimeToStr / DateTimeToStr and back (raise
//                EConvertError)
//   truth value  one of four word pairs by style; read by its first
//                character
// Numbers are written and read the same way whatever locale the program
// runs in.

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdarg>
#include <cstdlib>
#include <locale.h>

#include "YVclUtil/Tyinifile.h"
#include "rtl/SysUtils.h"

namespace YVclUtil {

namespace {

// strtoul of a 32-bit system: conversion stops at the first unfit
// character; a minus sign wraps modulo 2^32; a magnitude beyond 32 bits
// gives 4294967295. Converted is false when no digit could be taken.
unsigned StrToUnsigned32(const char* Text, int Base, bool& Converted)
{
    const char* P = Text;
    while (*P == ' ' || (*P >= '\t' && *P <= '\r'))
        ++P;
    const bool Negative = *P == '-';
    char* End = nullptr;
    errno = 0;
    unsigned long long Value = std::strtoull(Text, &End, Base);
    Converted = End != Text;
    const unsigned long long Magnitude = Negative ? 0ull - Value : Value;
    if (errno == ERANGE || Magnitude > 0xFFFFFFFFull)
        return 0xFFFFFFFFu;
    return Negative ? 0u - static_cast<unsigned>(Magnitude) : static_cast<unsigned>(Magnitude);
}

double StrToDoubleC(const char* Text, bool& Converted)
{
    static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* End = nullptr;
    double Value = CLocale ? strtod_l(Text, &End, CLocale) : std::strtod(Text, &End);
    Converted = End != Text;
    return Value;
}

struct TBoolWords {
    const char* False;
    const char* True;
};

const TBoolWords BoolStyles[] = {{"0", "1"}, {"False", "True"}, {"Low", "High"}, {"Not", "Yes"}};

} // namespace

// ---------------------------------------------------------------------------
// Writes

void TYIniFile::Printf(const AnsiString Section, const AnsiString Key, const char* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    WriteString(Section, Key, Text);
}

void TYIniFile::WriteInteger(const AnsiString Section, const AnsiString Key, int Value)
{
    WriteString(Section, Key, Format("%d", Value));
}

void TYIniFile::WriteUnsigned(const AnsiString Section, const AnsiString Key, unsigned Value)
{
    WriteString(Section, Key, Format("%d", static_cast<int>(Value)));
}

void TYIniFile::WriteHexNum(const AnsiString Section, const AnsiString Key, unsigned Value)
{
    WriteString(Section, Key, Format("0x%X", Value));
}

void TYIniFile::WriteFloat(const AnsiString Section, const AnsiString Key, double Value)
{
    char Text[400];
    auto Result = std::to_chars(Text, Text + sizeof Text, Value, std::chars_format::fixed, 6);
    WriteString(Section, Key, Result.ec == std::errc() ? AnsiString(Text, Result.ptr) : AnsiString());
}

void TYIniFile::WriteTime(const AnsiString Section, const AnsiString Key, TDateTime Value)
{
    WriteString(Section, Key, TimeToStr(Value));
}

void TYIniFile::WriteDate(const AnsiString Section, const AnsiString Key, TDateTime Value)
{
    WriteString(Section, Key, DateToStr(Value));
}

void TYIniFile::WriteDateTime(const AnsiString Section, const AnsiString Key, TDateTime Value)
{
    WriteString(Section, Key, DateTimeToStr(Value));
}

void TYIniFile::WriteCurrentTime(const AnsiString Section, const AnsiString Key)
{
    WriteTime(Section, Key, Now());
}

void TYIniFile::WriteCurrentDate(const AnsiString Section, const AnsiString Key)
{
    WriteDate(Section, Key, Now());
}

void TYIniFile::WriteCurrentDateTime(const AnsiString Section, const AnsiString Key)
{
    WriteDateTime(Section, Key, Now());
}

// Styles 0 to 3 pick a word pair; any other style writes "0" or "1".
void TYIniFile::WriteBool(const AnsiString Section, const AnsiString Key, bool Value, int Style)
{
    const TBoolWords& Words = (Style >= 0 && Style <= 3) ? BoolStyles[Style] : BoolStyles[0];
    WriteString(Section, Key, Value ? Words.True : Words.False);
}

// ---------------------------------------------------------------------------
// Reads

AnsiString TYIniFile::ReadString(const AnsiString Section, const AnsiString Key, const AnsiString Default)
{
    AnsiString Text;
    return IsValueExisted(Section, Key, Text) ? Text : Default;
}

int TYIniFile::ReadInteger(const AnsiString Section, const AnsiString Key, int Default)
{
    AnsiString Text;
    return IsValueExisted(Section, Key, Text) ? StrToInt(Text) : Default;
}

// "0x" (lower-case x) and at least one more character: hexadecimal; else
// decimal. Leading white space and a sign are taken; the rest of the text
// after the number is ignored.
unsigned TYIniFile::ReadUnsigned(const AnsiString Section, const AnsiString Key, unsigned Default)
{
    AnsiString Text;
    if (!IsValueExisted(Section, Key, Text))
        return Default;
    const bool Hex = Text.size() >= 3 && Text[0] == '0' && Text[1] == 'x';
    bool Converted = false;
    unsigned Value = StrToUnsigned32(Text.c_str() + (Hex ? 2 : 0), Hex ? 16 : 10, Converted);
    return (Value != 0 || Converted) ? Value : Default;
}

unsigned TYIniFile::ReadHexNum(const AnsiString Section, const AnsiString Key, unsigned Default)
{
    return ReadUnsigned(Section, Key, Default);
}

double TYIniFile::ReadFloat(const AnsiString Section, const AnsiString Key, double Default)
{
    AnsiString Text;
    if (!IsValueExisted(Section, Key, Text))
        return Default;
    bool Converted = false;
    double Value = StrToDoubleC(Text.c_str(), Converted);
    return (Value != 0.0 || Converted) ? Value : Default;
}

TDateTime TYIniFile::ReadTime(const AnsiString Section, const AnsiString Key, TDateTime Default)
{
    AnsiString Text;
    return IsValueExisted(Section, Key, Text) ? StrToTime(Text) : Default;
}

TDateTime TYIniFile::ReadDate(const AnsiString Section, const AnsiString Key, TDateTime Default)
{
    AnsiString Text;
    return IsValueExisted(Section, Key, Text) ? StrToDate(Text) : Default;
}

TDateTime TYIniFile::ReadDateTime(const AnsiString Section, const AnsiString Key, TDateTime Default)
{
    AnsiString Text;
    return IsValueExisted(Section, Key, Text) ? StrToDateTime(Text) : Default;
}

bool TYIniFile::ReadBool(const AnsiString Section, const AnsiString Key, bool Default)
{
    AnsiString Text;
    if (!IsValueExisted(Section, Key, Text))
        return Default;
    switch (Text[0]) {
    case '0': case 'F': case 'L': case 'N': case 'f': case 'l': case 'n':
        return false;
    case '1': case 'H': case 'T': case 'Y': case 'h': case 't': case 'y':
        return true;
    default:
        return Default;
    }
}

// A missing value compares as the empty string.
int TYIniFile::StrCmp(const AnsiString Section, const AnsiString Key, const AnsiString Text)
{
    AnsiString Value;
    IsValueExisted(Section, Key, Value);
    return AnsiCompareStr(Value, Text);
}

int TYIniFile::StrICmp(const AnsiString Section, const AnsiString Key, const AnsiString Text)
{
    AnsiString Value;
    IsValueExisted(Section, Key, Value);
    return AnsiCompareText(Value, Text);
}

} // namespace YVclUtil
