#pragma once
// What the two halves of TYAbsDiskIO share (private to the support library):
// the result codes and small checks.

#include "win32/Handles.h"

namespace YVclUtil::absdisk {

constexpr int ResultOk = 0;
constexpr int ResultFailed = 1;
constexpr int ResultBadDrive = 2;
constexpr int ResultNoDevice = 3;
constexpr int ResultTooLarge = 4;
constexpr int ResultOutOfBounds = 5;

inline bool Valid(HANDLE Handle)
{
    return Handle != nullptr && Handle != INVALID_HANDLE_VALUE;
}

// First + Count beyond Bound, worked out without wrapping round.
inline bool Beyond(unsigned First, unsigned Count, unsigned Bound)
{
    return static_cast<unsigned long long>(First) + Count > Bound;
}

} // namespace YVclUtil::absdisk
