#pragma once
// The mounts of this process, from /proc/self/mountinfo (private to win32):
// which mount a folder lies on, its file system type and the device it
// comes from.

#include <optional>
#include <vector>

#include "rtl/System.h"

namespace win32_detail {

struct TMountEntry {
    unsigned Major = 0;        // the device the mount comes from (st_dev of its files)
    unsigned Minor = 0;
    AnsiString MountPoint;     // where it is mounted
    AnsiString FsType;         // "ext4", "tmpfs", "nfs4", ...
    AnsiString Source;         // "/dev/sda1", "tmpfs", "server:/share", ...
};

// The entries of a mountinfo text, in order; malformed lines are skipped.
// Paths have their octal escapes (\040 for a space) undone.
std::vector<TMountEntry> ParseMountInfo(const AnsiString& Text);

// The mount that holds the absolute, resolved path Path: the one with the
// longest mount point above it, the last of those when one is mounted over
// another.
std::optional<TMountEntry> MountHolding(const std::vector<TMountEntry>& Mounts, const AnsiString& Path);

// The mount that holds Folder (resolved first); none when the folder does
// not exist or the table cannot be read.
std::optional<TMountEntry> MountOfFolder(const AnsiString& Folder,
                                         const AnsiString& MountInfoFile = "/proc/self/mountinfo");

} // namespace win32_detail
