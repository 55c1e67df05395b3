#pragma once
// What sysfs says about a block device (private to win32): whether it is a
// partition, where it starts, the whole disk that holds it, whether that
// disk is removable, and the numbering of the whole disks.
//
// Every function takes the sysfs root, so that tests can give a tree of
// their own.

#include <optional>
#include <vector>

#include "rtl/System.h"

namespace win32_detail {

struct TBlockDevice {
    AnsiString DevicePath;        // "/dev/sda1"
    bool IsPartition = false;
    unsigned PartitionNumber = 0; // a partition's number on its disk, else 0
    unsigned long long Start = 0; // a partition's first sector on its disk, in 512-byte units
    unsigned long long Size = 0;  // in 512-byte units
    AnsiString DiskName;          // the whole disk that holds it, as named in <sysfs>/block: "sda"
    AnsiString DiskPath;          // "/dev/sda"
    unsigned long long DiskSize = 0;  // in 512-byte units
    bool Removable = false;       // the whole disk's "removable" is 1
};

// The block device of a device number; none when sysfs does not know it
// (a file system without a device: tmpfs, overlay, a network share).
std::optional<TBlockDevice> BlockDeviceOf(unsigned Major, unsigned Minor, const AnsiString& SysRoot = "/sys");

// The whole disks, in name order: the disk numbers of PHYSICALDRIVE<n>.
std::vector<AnsiString> WholeDisks(const AnsiString& SysRoot = "/sys");

// "/dev/<name>" of a whole disk of <sysfs>/block; empty when there is none.
AnsiString WholeDiskPath(const AnsiString& DiskName, const AnsiString& SysRoot = "/sys");

} // namespace win32_detail
