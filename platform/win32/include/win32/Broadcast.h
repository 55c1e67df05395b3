#pragma once
// BroadcastSystemMessage: tells the desktop's components of a change.
//
// Linux desktops learn of device changes by themselves; the stand-in sends
// nothing and reports success.

#include <cstdint>

#include "win32/Types.h"

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

constexpr DWORD BSF_QUERY = 0x00000001;
constexpr DWORD BSM_ALLCOMPONENTS = 0x00000000;
constexpr UINT WM_DEVICECHANGE = 0x0219;
constexpr WPARAM DBT_DEVNODES_CHANGED = 0x0007;

// Returns a positive value: the message was taken.
long BroadcastSystemMessage(DWORD Flags, LPDWORD Recipients, UINT Message, WPARAM WParam, LPARAM LParam);
