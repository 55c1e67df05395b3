#pragma once
// Drive letters and the drive queries: GetLogicalDrives, GetDriveType,
// GetDiskFreeSpaceEx.
//
// Linux has no drive letters. Drive letter L is the folder named by the
// environment variable VTX_DRIVE_<L> (for example VTX_DRIVE_E=/media/usb);
// without any such variable only C: exists, and it is "/". A path "L:\a\b"
// is the folder's a/b. The raw volume behind a letter (win32/DiskIo.h) is
// the block device that the folder's mount comes from, or the file named by
// VTX_DRIVE_<L>_DEVICE when that is set (a disk image).

#include "win32/Types.h"
#include "rtl/System.h"

struct ULARGE_INTEGER {
    ULONGLONG QuadPart;
};

constexpr UINT DRIVE_UNKNOWN = 0;       // the type cannot be determined
constexpr UINT DRIVE_NO_ROOT_DIR = 1;   // no such drive, or its folder does not exist
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

// The folder of drive Letter ('A'..'Z', either case); empty when the letter
// is not mapped.
AnsiString DriveFolderPath(char Letter);
// The disk image named by VTX_DRIVE_<L>_DEVICE; empty when not set.
AnsiString DriveImagePath(char Letter);
// The Linux path of "L:", "L:\" or "L:\a\b" (either slash); empty when the
// text is no such path or the letter is not mapped.
AnsiString DrivePathToLinux(const AnsiString& Path);

// The drive whose folder holds the absolute Linux path (the deepest such
// folder when several do); 0 when none does.
char DriveOfLinuxPath(const AnsiString& Path);

// Bit n set for each mapped letter 'A' + n.
DWORD GetLogicalDrives();

// From the mount table entry of the folder's mount: tmpfs and ramfs are RAM
// disks, network file systems remote, iso9660 and udf CD-ROMs; a mount from
// a block device whose disk's sysfs "removable" is 1 is removable; any other
// mount is fixed. DRIVE_NO_ROOT_DIR for an unmapped letter, a folder that
// does not exist or a text that is not a root ("L:\" or "L:"); DRIVE_UNKNOWN
// when the mount cannot be found. Null: the drive of the working folder.
UINT GetDriveType(LPCSTR RootPathName);

// statvfs of the folder that Directory names ("L:\..." or, for null, the
// working folder). Any of the three results may be null. FALSE with
// ERROR_PATH_NOT_FOUND for an unmapped letter or a missing folder,
// ERROR_ACCESS_DENIED, or ERROR_NOT_READY for any other failure.
BOOL GetDiskFreeSpaceEx(LPCSTR DirectoryName, ULARGE_INTEGER* FreeBytesAvailableToCaller,
                        ULARGE_INTEGER* TotalNumberOfBytes, ULARGE_INTEGER* TotalNumberOfFreeBytes);
