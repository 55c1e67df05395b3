#include "rtl/SysUtils.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---------------------------------------------------------------------------
// Numbers

namespace {

bool IsBlank(char C)
{
    return C == ' ' || C == '\t';
}

int HexDigit(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

// The text StrToInt accepts, in this order:
//   - any number of blanks (spaces and tabs);
//   - an optional sign, '+' or '-';
//   - either decimal digits, or a hexadecimal prefix ("$", "0x" or "0X")
//     followed by hexadecimal digits of either case;
//   - any number of blanks.
// Nothing else may stand in the text; at least one digit is needed.
// A decimal number must lie in -2147483648 .. 2147483647. A hexadecimal
// number may use all 32 bits (up to 8 significant digits) and gives that bit
// pattern, so "$FFFFFFFF" is -1; a sign in front negates the result.
bool ParseInt(const AnsiString& S, int& Value)
{
    size_t I = 0;
    const size_t N = S.size();
    while (I < N && IsBlank(S[I]))
        ++I;
    bool Negative = false;
    if (I < N && (S[I] == '+' || S[I] == '-')) {
        Negative = S[I] == '-';
        ++I;
    }
    bool Hex = false;
    if (I < N && S[I] == '$') {
        Hex = true;
        ++I;
    } else if (I + 1 < N && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
        Hex = true;
        I += 2;
    }
    std::uint64_t Magnitude = 0;
    size_t Digits = 0;
    for (; I < N; ++I, ++Digits) {
        int D = Hex ? HexDigit(S[I]) : (S[I] >= '0' && S[I] <= '9' ? S[I] - '0' : -1);
        if (D < 0)
            break;
        Magnitude = Magnitude * (Hex ? 16 : 10) + static_cast<unsigned>(D);
        if (Magnitude > 0xFFFFFFFFull)
            return false;
    }
    while (I < N && IsBlank(S[I]))
        ++I;
    if (Digits == 0 || I != N)
        return false;
    if (Hex) {
        std::uint32_t Bits = static_cast<std::uint32_t>(Magnitude);
        if (Negative)
            Bits = 0u - Bits;
        Value = static_cast<int>(Bits);
        return true;
    }
    if (Magnitude > (Negative ? 2147483648ull : 2147483647ull))
        return false;
    std::int64_t Signed = Negative ? -static_cast<std::int64_t>(Magnitude) : static_cast<std::int64_t>(Magnitude);
    Value = static_cast<int>(Signed);
    return true;
}

} // namespace

int StrToInt(const AnsiString& S)
{
    int Value = 0;
    if (!ParseInt(S, Value))
        throw EConvertError(Format("'%s' is not a valid integer value", S.c_str()));
    return Value;
}

int StrToIntDef(const AnsiString& S, int Default)
{
    int Value = 0;
    return ParseInt(S, Value) ? Value : Default;
}

AnsiString IntToStr(int Value)
{
    return Format("%d", Value);
}

AnsiString IntToStr(long long Value)
{
    return Format("%lld", Value);
}

// ---------------------------------------------------------------------------
// Texts

AnsiString Trim(const AnsiString& S)
{
    size_t First = 0;
    size_t Last = S.size();
    while (First < Last && static_cast<unsigned char>(S[First]) <= ' ')
        ++First;
    while (Last > First && static_cast<unsigned char>(S[Last - 1]) <= ' ')
        --Last;
    return S.substr(First, Last - First);
}

namespace {

char AsciiUpper(char C)
{
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C;
}

char AsciiLower(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

// Byte-wise comparison after mapping each byte through Map.
template <typename TMap>
int CompareBytes(const AnsiString& S1, const AnsiString& S2, TMap Map)
{
    const size_t N = S1.size() < S2.size() ? S1.size() : S2.size();
    for (size_t I = 0; I < N; ++I) {
        unsigned char A = static_cast<unsigned char>(Map(S1[I]));
        unsigned char B = static_cast<unsigned char>(Map(S2[I]));
        if (A != B)
            return A < B ? -1 : 1;
    }
    if (S1.size() == S2.size())
        return 0;
    return S1.size() < S2.size() ? -1 : 1;
}

} // namespace

AnsiString UpperCase(const AnsiString& S)
{
    AnsiString R(S);
    for (char& C : R)
        C = AsciiUpper(C);
    return R;
}

AnsiString LowerCase(const AnsiString& S)
{
    AnsiString R(S);
    for (char& C : R)
        C = AsciiLower(C);
    return R;
}

int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2)
{
    return CompareBytes(S1, S2, [](char C) { return C; });
}

int AnsiCompareText(const AnsiString& S1, const AnsiString& S2)
{
    return CompareBytes(S1, S2, AsciiLower);
}

AnsiString FormatV(const char* Fmt, va_list Args)
{
    if (!Fmt)
        return AnsiString();
    va_list Measure;
    va_copy(Measure, Args);
    int Length = std::vsnprintf(nullptr, 0, Fmt, Measure);
    va_end(Measure);
    if (Length <= 0)
        return AnsiString();
    AnsiString Text(static_cast<size_t>(Length), '\0');
    std::vsnprintf(Text.data(), Text.size() + 1, Fmt, Args);
    return Text;
}

AnsiString Format(const char* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    return Text;
}

// ---------------------------------------------------------------------------
// File names

namespace {

// Position of the extension's dot in the last path element, or npos.
size_t ExtensionDot(const AnsiString& FileName)
{
    size_t Dot = FileName.find_last_of("./");
    if (Dot == AnsiString::npos || FileName[Dot] != '.')
        return AnsiString::npos;
    return Dot;
}

} // namespace

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension)
{
    size_t Dot = ExtensionDot(FileName);
    return (Dot == AnsiString::npos ? FileName : FileName.substr(0, Dot)) + Extension;
}

AnsiString ExtractFileExt(const AnsiString& FileName)
{
    size_t Dot = ExtensionDot(FileName);
    return Dot == AnsiString::npos ? AnsiString() : FileName.substr(Dot);
}

AnsiString ExtractFileName(const AnsiString& FileName)
{
    size_t Slash = FileName.rfind('/');
    return Slash == AnsiString::npos ? FileName : FileName.substr(Slash + 1);
}

AnsiString ExtractFilePath(const AnsiString& FileName)
{
    size_t Slash = FileName.rfind('/');
    return Slash == AnsiString::npos ? AnsiString() : FileName.substr(0, Slash + 1);
}

// ---------------------------------------------------------------------------
// Files

bool FileExists(const AnsiString& FileName)
{
    struct stat St;
    return !FileName.empty() && ::stat(FileName.c_str(), &St) == 0 && !S_ISDIR(St.st_mode);
}

bool DirectoryExists(const AnsiString& Name)
{
    struct stat St;
    return !Name.empty() && ::stat(Name.c_str(), &St) == 0 && S_ISDIR(St.st_mode);
}

bool CreateDir(const AnsiString& Dir)
{
    return !Dir.empty() && ::mkdir(Dir.c_str(), 0777) == 0;
}

bool DeleteFile(const AnsiString& FileName)
{
    return !FileName.empty() && ::unlink(FileName.c_str()) == 0;
}

// Replaces NewName when it exists, as rename(2) does.
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName)
{
    return !OldName.empty() && !NewName.empty() && ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

int FileCreate(const AnsiString& FileName)
{
    if (FileName.empty())
        return -1;
    return ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

// Mode: fmOpenRead, fmOpenWrite or fmOpenReadWrite. The file must exist.
int FileOpen(const AnsiString& FileName, unsigned Mode)
{
    if (FileName.empty())
        return -1;
    int Flags;
    switch (Mode & 0x3) {
    case fmOpenRead:
        Flags = O_RDONLY;
        break;
    case fmOpenWrite:
        Flags = O_WRONLY;
        break;
    case fmOpenReadWrite:
        Flags = O_RDWR;
        break;
    default:
        return -1;
    }
    return ::open(FileName.c_str(), Flags | O_CLOEXEC);
}

// One write of up to Count bytes (repeated only when a signal interrupts it).
int FileWrite(int Handle, const void* Buffer, unsigned Count)
{
    if (Handle < 0 || (!Buffer && Count))
        return -1;
    ssize_t Written;
    do
        Written = ::write(Handle, Buffer, Count);
    while (Written < 0 && errno == EINTR);
    return Written < 0 ? -1 : static_cast<int>(Written);
}

int FileRead(int Handle, void* Buffer, unsigned Count)
{
    if (Handle < 0 || (!Buffer && Count))
        return -1;
    ssize_t Read;
    do
        Read = ::read(Handle, Buffer, Count);
    while (Read < 0 && errno == EINTR);
    return Read < 0 ? -1 : static_cast<int>(Read);
}

void FileClose(int Handle)
{
    if (Handle >= 0)
        ::close(Handle);
}
