#pragma once
// Page memory: VirtualAlloc and VirtualFree over mmap.
//
// Blocks are committed, zero-filled, readable and writable, and start on a
// 64 KB boundary, as on Windows. Only whole blocks are reserved and released
// (MEM_RESERVE | MEM_COMMIT, then MEM_RELEASE with size 0); the stand-in
// keeps a table of its blocks, so releasing anything else fails. Blocks of
// up to one granule are cut from larger mappings and reused after release
// (cleared again), since the string table takes and gives back many of them.

#include "win32/Types.h"

constexpr DWORD MEM_COMMIT = 0x00001000;
constexpr DWORD MEM_RESERVE = 0x00002000;
constexpr DWORD MEM_RELEASE = 0x00008000;
constexpr DWORD PAGE_READWRITE = 0x04;

constexpr SIZE_T ALLOCATION_GRANULARITY = 64 * 1024;

// Null (with the last error set) when refused: an address was asked for, a
// size of 0, other flags, or no memory.
LPVOID VirtualAlloc(LPVOID Address, SIZE_T Size, DWORD AllocationType, DWORD Protect);
// FALSE (ERROR_INVALID_ADDRESS) for an address that is not one of our blocks.
BOOL VirtualFree(LPVOID Address, SIZE_T Size, DWORD FreeType);
