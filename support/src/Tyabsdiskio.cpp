// TYAbsDiskIO: construction, the drive text, dispatch and the NT family's
// workers. The older family's workers are in TyabsdiskioWin9x.cpp.

#include "YVclUtil/Tyabsdiskio.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "AbsDiskCommon.h"
#include "YVclUtil/Standalonefunction.h"
#include "win32/Broadcast.h"
#include "win32/DiskIo.h"
#include "win32/Drives.h"
#include "win32/Handles.h"
#include "win32/Version.h"

namespace YVclUtil {

using namespace absdisk;

namespace {

// NT positions are signed 32-bit byte offsets.
constexpr unsigned long long NtPositionLimit = 0x80000000ull;

// A sector count of 64 bits kept in a 32-bit field: a disk too large for it
// is reached as far as the field goes.
unsigned Clamp32(unsigned long long Value)
{
    return Value > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<unsigned>(Value);
}

bool Fits(unsigned Count, unsigned BytesPerSector, std::size_t BufferSize)
{
    return static_cast<unsigned long long>(Count) * BytesPerSector <= BufferSize;
}

} // namespace

void TYAbsDiskIO::RunConstructor()
{
    OSVERSIONINFO Version{};
    Version.dwOSVersionInfoSize = sizeof(Version);
    if (!GetVersionEx(&Version) ||
        (Version.dwPlatformId != VER_PLATFORM_WIN32_NT && Version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS)) {
        ShowErrMsgBox_Printf("TYAbsDiskIO", "Err: Can not get the PlatformID of Windows !!!");
        return;
    }
    PlatformKnown = true;
    IsWinNT = Version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    PhyDiskHandle = LogDiskHandle = VWin32Handle = DiskDriverHandle = AuxDriverHandle = INVALID_HANDLE_VALUE;
    DiskDescriptor = nullptr;
    LockCount = 0;
    IsPhyDisk = false;
    BytesPerSector = LastSector = Cylinders = TracksPerCylinder = SectorsPerTrack = 0;
    DriveNumber = FirstSector = SectorCount = 0;
}

void TYAbsDiskIO::RunDestructor()
{
    AbsCloseDisk();
}

bool TYAbsDiskIO::IsOpen() const
{
    return Valid(PhyDiskHandle) || Valid(LogDiskHandle) || Valid(VWin32Handle) || Valid(DiskDriverHandle) ||
           Valid(AuxDriverHandle) || DiskDescriptor != nullptr;
}

int TYAbsDiskIO::AbsOpenDisk(char* Drive, bool Physical)
{
    if (!Drive)
        return ResultBadDrive;
    for (char* P = Drive; *P; ++P)
        *P = static_cast<char>(std::toupper(static_cast<unsigned char>(*P)));
    const std::size_t Length = std::strlen(Drive);
    if (Length < 1 || Length > 3 || Drive[0] < 'A' || Drive[0] > 'Z' || (Length >= 2 && Drive[1] != ':') ||
        (Length == 3 && Drive[2] != '\\'))
        return ResultBadDrive;
    // Opening over an open disk would lose its handles and locks.
    if (!PlatformKnown || IsOpen())
        return ResultFailed;
    DriveNumber = static_cast<unsigned>(Drive[0] - 'A' + 1);
    IsPhyDisk = Physical;
    if (IsWinNT)
        return Physical ? WinNT_OpenPhyDisk() : WinNT_OpenLogDisk();
    return Physical ? Win9x_OpenPhyDisk() : Win9x_OpenLogDisk();
}

int TYAbsDiskIO::AbsCloseDisk()
{
    if (!PlatformKnown)
        return ResultOk;
    if (IsWinNT)
        return IsPhyDisk ? WinNT_ClosePhyDisk() : WinNT_CloseLogDisk();
    return IsPhyDisk ? Win9x_ClosePhyDisk() : Win9x_CloseLogDisk();
}

int TYAbsDiskIO::AbsReadDisk(unsigned int First, unsigned int Count, void* Buffer)
{
    if (!PlatformKnown)
        return ResultFailed;
    if (IsWinNT)
        return IsPhyDisk ? WinNT_ReadPhyDisk(First, Count, Buffer) : WinNT_ReadLogDisk(First, Count, Buffer);
    return IsPhyDisk ? Win9x_ReadPhyDisk(First, Count, Buffer) : Win9x_ReadLogDisk(First, Count, Buffer);
}

int TYAbsDiskIO::AbsWriteDisk(unsigned int First, unsigned int Count, void* Buffer)
{
    if (!PlatformKnown)
        return ResultFailed;
    if (IsWinNT)
        return IsPhyDisk ? WinNT_WritePhyDisk(First, Count, Buffer) : WinNT_WriteLogDisk(First, Count, Buffer);
    return IsPhyDisk ? Win9x_WritePhyDisk(First, Count, Buffer) : Win9x_WriteLogDisk(First, Count, Buffer);
}

int TYAbsDiskIO::AbsReadDisk(unsigned int First, unsigned int Count, void* Buffer, std::size_t BufferSize)
{
    return Fits(Count, BytesPerSector, BufferSize) ? AbsReadDisk(First, Count, Buffer) : ResultTooLarge;
}

int TYAbsDiskIO::AbsWriteDisk(unsigned int First, unsigned int Count, void* Buffer, std::size_t BufferSize)
{
    return Fits(Count, BytesPerSector, BufferSize) ? AbsWriteDisk(First, Count, Buffer) : ResultTooLarge;
}

// ---- NT family ----------------------------------------------------------

bool TYAbsDiskIO::ReadGeometry(HANDLE Disk)
{
    DISK_GEOMETRY_EX Geometry{};
    DWORD Returned = 0;
    if (!DeviceIoControl(Disk, IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, nullptr, 0, &Geometry, sizeof(Geometry), &Returned,
                         nullptr))
        return false;
    const unsigned long long Size = static_cast<unsigned long long>(Geometry.DiskSize.QuadPart);
    // A disk without a whole sector has no last sector to bound requests by.
    if (Geometry.Geometry.BytesPerSector == 0 || Size < Geometry.Geometry.BytesPerSector)
        return false;
    Cylinders = static_cast<unsigned>(Geometry.Geometry.Cylinders.QuadPart);
    TracksPerCylinder = Geometry.Geometry.TracksPerCylinder;
    SectorsPerTrack = Geometry.Geometry.SectorsPerTrack;
    BytesPerSector = Geometry.Geometry.BytesPerSector;
    LastSector = Clamp32(Size / BytesPerSector - 1);
    return true;
}

// Steps 1 and 2 of both opens: the volume of the drive, locked.
bool TYAbsDiskIO::NtOpenLockedVolume()
{
    char Name[8];
    std::snprintf(Name, sizeof(Name), "\\\\.\\%c:", static_cast<char>('A' + DriveNumber - 1));
    LogDiskHandle = CreateFile(Name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD Returned = 0;
    if (!Valid(LogDiskHandle) ||
        !DeviceIoControl(LogDiskHandle, FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &Returned, nullptr))
        return false;
    ++LockCount;
    return true;
}

int TYAbsDiskIO::WinNT_OpenPhyDisk()
{
    DWORD Returned = 0;
    STORAGE_DEVICE_NUMBER Number{};
    bool Done = NtOpenLockedVolume() && DeviceIoControl(LogDiskHandle, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0,
                                                        &Number, sizeof(Number), &Returned, nullptr);
    if (Done) {
        char Name[32];
        std::snprintf(Name, sizeof(Name), "\\\\.\\PHYSICALDRIVE%u", Number.DeviceNumber);
        PhyDiskHandle = CreateFile(Name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL, nullptr);
        Done = Valid(PhyDiskHandle) && ReadGeometry(PhyDiskHandle);
    }
    if (Done)
        return ResultOk;
    WinNT_ClosePhyDisk();
    return ResultFailed;
}

int TYAbsDiskIO::WinNT_OpenLogDisk()
{
    Sleep(100);
    GetLogicalDrives();
    Sleep(100);
    DWORD Returned = 0;
    PARTITION_INFORMATION_EX Partition{};
    if (NtOpenLockedVolume() && ReadGeometry(LogDiskHandle) &&
        DeviceIoControl(LogDiskHandle, IOCTL_DISK_GET_PARTITION_INFO_EX, nullptr, 0, &Partition, sizeof(Partition),
                        &Returned, nullptr)) {
        FirstSector = Clamp32(static_cast<unsigned long long>(Partition.StartingOffset.QuadPart) / BytesPerSector);
        SectorCount = Clamp32(static_cast<unsigned long long>(Partition.PartitionLength.QuadPart) / BytesPerSector);
        return ResultOk;
    }
    WinNT_CloseLogDisk();
    return ResultFailed;
}

// The volume half of both closes: dismount, unlock, close.
void TYAbsDiskIO::NtCloseVolume()
{
    if (!Valid(LogDiskHandle))
        return;
    DWORD Returned = 0;
    // Only a locked volume is dismounted: dismounting one that others still
    // use would take it from under them.
    if (LockCount > 0 &&
        !DeviceIoControl(LogDiskHandle, FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &Returned, nullptr))
        SendDbgString_Printf("\nErr: Can not unmount the logical volume");
    for (; LockCount > 0; --LockCount)
        if (!DeviceIoControl(LogDiskHandle, FSCTL_UNLOCK_VOLUME, nullptr, 0, nullptr, 0, &Returned, nullptr))
            SendDbgString_Printf("\nErr: Can not unlock the logical volume");
    if (!CloseHandle(LogDiskHandle))
        SendDbgString_Printf("\nErr: Can not close the handle of logical device");
    LogDiskHandle = INVALID_HANDLE_VALUE;
}

// Lets the system see the drives again after a close.
void TYAbsDiskIO::NtDrivesChanged()
{
    Sleep(100);
    GetLogicalDrives();
    Sleep(3000);
    DWORD Recipients = BSM_ALLCOMPONENTS;
    BroadcastSystemMessage(BSF_QUERY, &Recipients, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
}

int TYAbsDiskIO::WinNT_ClosePhyDisk()
{
    NtCloseVolume();
    if (Valid(PhyDiskHandle)) {
        DWORD Returned = 0;
        if (!DeviceIoControl(PhyDiskHandle, IOCTL_DISK_UPDATE_PROPERTIES, nullptr, 0, nullptr, 0, &Returned, nullptr))
            SendDbgString_Printf("\nErr: Can not update disk property");
        if (!CloseHandle(PhyDiskHandle))
            SendDbgString_Printf("\nErr: Can not close the handle of physical device");
        PhyDiskHandle = INVALID_HANDLE_VALUE;
    }
    NtDrivesChanged();
    return ResultOk;
}

int TYAbsDiskIO::WinNT_CloseLogDisk()
{
    NtCloseVolume();
    NtDrivesChanged();
    return ResultOk;
}

int TYAbsDiskIO::NtTransfer(HANDLE Disk, unsigned First, unsigned Count, void* Buffer, bool Write)
{
    // Worked out in 64 bits: a position or size that does not fit 32 bits
    // must not wrap round to another place on the disk.
    const unsigned long long Offset = static_cast<unsigned long long>(First) * BytesPerSector;
    const unsigned long long Bytes = static_cast<unsigned long long>(Count) * BytesPerSector;
    if (Offset >= NtPositionLimit || Bytes > 0xFFFFFFFFull)
        return ResultFailed;
    if (SetFilePointer(Disk, static_cast<LONG>(Offset), nullptr, FILE_BEGIN) != Offset)
        return ResultFailed;
    DWORD Moved = 0;
    const BOOL Done = Write ? WriteFile(Disk, Buffer, static_cast<DWORD>(Bytes), &Moved, nullptr)
                            : ReadFile(Disk, Buffer, static_cast<DWORD>(Bytes), &Moved, nullptr);
    return Done && Moved == Bytes ? ResultOk : ResultFailed;
}

int TYAbsDiskIO::WinNT_ReadPhyDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Beyond(First, Count, LastSector) ? ResultOutOfBounds : NtTransfer(PhyDiskHandle, First, Count, Buffer, false);
}

int TYAbsDiskIO::WinNT_WritePhyDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Beyond(First, Count, LastSector) ? ResultOutOfBounds : NtTransfer(PhyDiskHandle, First, Count, Buffer, true);
}

int TYAbsDiskIO::WinNT_ReadLogDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Beyond(First, Count, SectorCount) ? ResultOutOfBounds : NtTransfer(LogDiskHandle, First, Count, Buffer, false);
}

int TYAbsDiskIO::WinNT_WriteLogDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Beyond(First, Count, SectorCount) ? ResultOutOfBounds : NtTransfer(LogDiskHandle, First, Count, Buffer, true);
}

} // namespace YVclUtil
