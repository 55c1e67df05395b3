#pragma once
// The basic types and constants of the Windows routines that the system
// calls, declared for our own stand-in on Linux.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using SIZE_T = std::size_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPDWORD = DWORD*;

// A handle is an opaque pointer-sized value; the stand-in keeps its own
// table of what each one is.
using HANDLE = void*;
using HWND = void*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
