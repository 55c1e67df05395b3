#pragma once
// Conversions and file routines of the class library that the system calls.

#include <cstdarg>
#include <cstddef>

#include "rtl/Exceptions.h"

// Decimal (and class-library style "$"/"0x" hexadecimal) text to a 32-bit
// signed integer; raises EConvertError "'<text>' is not a valid integer value".
// The exact accepted forms are documented at the definition.
int StrToInt(const AnsiString& S);
// As StrToInt, but returns Default instead of raising.
int StrToIntDef(const AnsiString& S, int Default);
AnsiString IntToStr(int Value);
AnsiString IntToStr(long long Value);

// Removes leading and trailing characters at or below the space (control
// characters included), as the class library does.
AnsiString Trim(const AnsiString& S);
AnsiString UpperCase(const AnsiString& S);   // ASCII letters only
AnsiString LowerCase(const AnsiString& S);   // ASCII letters only

// Byte-wise comparison: below 0, 0 or above 0.
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);
// As AnsiCompareStr with ASCII letters compared without case.
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2);

// printf into a string of exactly the needed length, measured by a first
// pass: no fixed buffer and no truncation. A format error gives "".
AnsiString Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));
AnsiString FormatV(const char* Fmt, va_list Args) __attribute__((format(printf, 1, 0)));

// File names. Paths are Linux paths; the folder separator is '/'.
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);
AnsiString ExtractFileExt(const AnsiString& FileName);
AnsiString ExtractFileName(const AnsiString& FileName);
AnsiString ExtractFilePath(const AnsiString& FileName);   // up to and including the last '/'

bool FileExists(const AnsiString& FileName);        // a file that is not a directory
bool DirectoryExists(const AnsiString& Name);
bool CreateDir(const AnsiString& Dir);              // one level; false when it fails
bool DeleteFile(const AnsiString& FileName);
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName);

// Low-level file handles: -1 on failure.
int FileCreate(const AnsiString& FileName);         // created or emptied, read and write
int FileOpen(const AnsiString& FileName, unsigned Mode);
int FileWrite(int Handle, const void* Buffer, unsigned Count);  // bytes written, or -1
int FileRead(int Handle, void* Buffer, unsigned Count);         // bytes read, or -1
void FileClose(int Handle);

constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
