#pragma once
// Raw sector access to volumes and whole disks: CreateFile on "\\.\L:" and
// "\\.\PHYSICALDRIVE<n>", ReadFile, WriteFile, SetFilePointer and the
// DeviceIoControl requests of volume locking and disk geometry.
//
// Linux has no drive letters (win32/Drives.h gives the mapping):
//   - "\\.\L:" is the volume of drive L: the disk image named by
//     VTX_DRIVE_<L>_DEVICE when that is set, else the block device that the
//     mount of the drive's folder comes from (/proc/self/mountinfo). A mount
//     without a block device (tmpfs, overlay, a network share) has no volume.
//   - "\\.\PHYSICALDRIVE<n>" for n below 1000 is the n-th whole disk of
//     /sys/block in name order; PHYSICALDRIVE<1000 + i> is the disk image of
//     drive 'A' + i, taken as a whole disk of 512-byte sectors.
//   - IOCTL_STORAGE_GET_DEVICE_NUMBER on a volume names the disk that holds
//     it (the partition's parent in sysfs), in that numbering.
//   - FSCTL_LOCK_VOLUME opens a block device once more with O_EXCL, which
//     fails while it is mounted or locked elsewhere, and takes flock() on a
//     disk image, which fails while another handle has it locked; both fail
//     with ERROR_ACCESS_DENIED. FSCTL_DISMOUNT_VOLUME and
//     IOCTL_DISK_UPDATE_PROPERTIES have no Linux counterpart: they do
//     nothing and succeed.
//   - Geometry: the bytes per sector of the device (BLKSSZGET; 512 for an
//     image), its size, and 255 tracks of 63 sectors per cylinder.
// Transfers are synchronous: FILE_FLAG_OVERLAPPED is refused. The sharing
// mode is accepted and not enforced. Nothing is ever written past the end of
// a disk or image: such a write stops there and reports the bytes written.
//
// The older Windows family's devices ("\\.\VWIN32" and drivers of their own)
// do not exist here; opening them fails.

#include <cstddef>

#include "win32/FileIo.h"
#include "win32/Synch.h"
#include "win32/Types.h"

using WCHAR = char16_t;

constexpr DWORD FILE_SHARE_READ = 0x00000001;
constexpr DWORD FILE_SHARE_WRITE = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;

// True for "\\.\L:" (any letter, either case) and "\\.\PHYSICALDRIVE<n>".
bool IsDiskDeviceName(LPCSTR FileName);
// CreateFile of those names (FileIo.h's CreateFile hands them here). Fails
// with ERROR_FILE_NOT_FOUND when there is no such volume or disk,
// ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER for a disposition other than
// OPEN_EXISTING or FILE_FLAG_OVERLAPPED.
HANDLE CreateDiskFile(LPCSTR FileName, DWORD DesiredAccess, DWORD ShareMode, DWORD CreationDisposition,
                      DWORD FlagsAndAttributes);

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

// Moves the position of a disk handle and returns its low 32 bits. Without
// DistanceToMoveHigh the distance is a signed 32-bit value; with it the two
// halves make one 64-bit distance and the high half of the result is stored
// back. INVALID_SET_FILE_POINTER with ERROR_NEGATIVE_SEEK for a position
// before the start.
DWORD SetFilePointer(HANDLE File, LONG DistanceToMove, LONG* DistanceToMoveHigh, DWORD MoveMethod);

constexpr DWORD FSCTL_LOCK_VOLUME = 0x00090018;
constexpr DWORD FSCTL_UNLOCK_VOLUME = 0x0009001C;
constexpr DWORD FSCTL_DISMOUNT_VOLUME = 0x00090020;
constexpr DWORD IOCTL_STORAGE_GET_DEVICE_NUMBER = 0x002D1080;
constexpr DWORD IOCTL_DISK_GET_DRIVE_GEOMETRY_EX = 0x000700A0;
constexpr DWORD IOCTL_DISK_GET_PARTITION_INFO_EX = 0x00070048;
constexpr DWORD IOCTL_DISK_UPDATE_PROPERTIES = 0x00070140;

constexpr DWORD FILE_DEVICE_DISK = 0x00000007;

struct STORAGE_DEVICE_NUMBER {
    DWORD DeviceType;
    DWORD DeviceNumber;
    DWORD PartitionNumber;   // 0 for a whole disk
};
static_assert(sizeof(STORAGE_DEVICE_NUMBER) == 12);

constexpr DWORD RemovableMedia = 11;
constexpr DWORD FixedMedia = 12;

struct DISK_GEOMETRY {
    LARGE_INTEGER Cylinders;
    DWORD MediaType;
    DWORD TracksPerCylinder;
    DWORD SectorsPerTrack;
    DWORD BytesPerSector;
};

struct DISK_GEOMETRY_EX {
    DISK_GEOMETRY Geometry;
    LARGE_INTEGER DiskSize;   // bytes
    BYTE Data[1];
};
static_assert(sizeof(DISK_GEOMETRY_EX) == 40);

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};

constexpr DWORD PARTITION_STYLE_MBR = 0;
constexpr DWORD PARTITION_STYLE_GPT = 1;
constexpr DWORD PARTITION_STYLE_RAW = 2;

struct PARTITION_INFORMATION_MBR {
    BYTE PartitionType;
    BYTE BootIndicator;
    BYTE RecognizedPartition;
    DWORD HiddenSectors;
    GUID PartitionId;
};

struct PARTITION_INFORMATION_GPT {
    GUID PartitionType;
    GUID PartitionId;
    ULONGLONG Attributes;
    WCHAR Name[36];
};

struct PARTITION_INFORMATION_EX {
    DWORD PartitionStyle;
    LARGE_INTEGER StartingOffset;    // bytes from the start of the disk
    LARGE_INTEGER PartitionLength;   // bytes
    DWORD PartitionNumber;
    BYTE RewritePartition;
    BYTE IsServicePartition;
    union {
        PARTITION_INFORMATION_MBR Mbr;
        PARTITION_INFORMATION_GPT Gpt;
    };
};
static_assert(sizeof(PARTITION_INFORMATION_EX) == 144);
static_assert(offsetof(PARTITION_INFORMATION_EX, StartingOffset) == 8);
static_assert(offsetof(PARTITION_INFORMATION_EX, PartitionLength) == 16);

// The older family's VWIN32 requests and their register block (EBX, EDX,
// ECX, EAX, EDI, ESI, flags; bit 0 of the flags is the carry).
constexpr DWORD VWIN32_DIOC_DOS_IOCTL = 1;
constexpr DWORD VWIN32_DIOC_DOS_DRIVEINFO = 6;

struct DIOC_REGISTERS {
    DWORD reg_EBX;
    DWORD reg_EDX;
    DWORD reg_ECX;
    DWORD reg_EAX;
    DWORD reg_EDI;
    DWORD reg_ESI;
    DWORD reg_Flags;
};
static_assert(sizeof(DIOC_REGISTERS) == 28);

// The requests above on a disk handle. FALSE with ERROR_INVALID_HANDLE for a
// handle that is not a disk, ERROR_INVALID_FUNCTION for any other request
// (or one the handle's kind does not have), ERROR_INSUFFICIENT_BUFFER when
// the answer does not fit OutBufferSize, ERROR_NOT_LOCKED for an unlock
// without a lock, ERROR_INVALID_PARAMETER for an overlapped request.
BOOL DeviceIoControl(HANDLE Device, DWORD IoControlCode, LPVOID InBuffer, DWORD InBufferSize, LPVOID OutBuffer,
                     DWORD OutBufferSize, LPDWORD BytesReturned, LPOVERLAPPED Overlapped);
