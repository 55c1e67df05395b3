#pragma once
// SHGetFileInfo: the shell's icon and display name of a file, a folder or a
// drive, from the window toolkit's file icon provider.
//
// Paths are Linux paths, or drive paths ("C:\", "E:\docs\a.txt") that
// win32/Drives.h maps to folders. A drive's root shows as its folder's name
// and its letter, "usb (E:)"; anything else as its file name.

#include <cstdint>

#include "vcl/CommCtrl.h"
#include "win32/Types.h"

using DWORD_PTR = std::uintptr_t;

constexpr UINT SHGFI_LARGEICON = 0x0000;
constexpr UINT SHGFI_SMALLICON = 0x0001;
constexpr UINT SHGFI_DISPLAYNAME = 0x0200;
constexpr UINT SHGFI_SYSICONINDEX = 0x4000;

struct SHFILEINFO {
    void* hIcon;
    int iIcon;                  // the icon's index in the system image list
    DWORD dwAttributes;
    char szDisplayName[260];    // UTF-8, cut to fit
    char szTypeName[80];
};

// With SHGFI_SYSICONINDEX the result is the system image list (small or
// large icons) that holds the icon at Info->iIcon; without it, nonzero on
// success. 0 when the path does not exist or has no icon, or for a null
// Info or a size other than sizeof(SHFILEINFO).
DWORD_PTR SHGetFileInfo(LPCSTR Path, DWORD FileAttributes, SHFILEINFO* Info, UINT InfoSize, UINT Flags);
