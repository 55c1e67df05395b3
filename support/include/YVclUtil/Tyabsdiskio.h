#pragma once
// TYAbsDiskIO: reads and writes whole sectors of a drive, either of the
// volume behind the drive letter or of the whole physical disk that holds
// it. On the NT family it goes through the system's volume and disk devices;
// on the older family through the VWIN32 device and two kernel drivers of
// the maker's own ("\\.\ORB_4IOS.VxD", "\\.\ORB_GVxD.VxD").
//
// On Linux the stand-in reports the NT family, and drive letters map to
// folders and their volumes as win32/Drives.h and win32/DiskIo.h describe
// (VTX_DRIVE_<L>, VTX_DRIVE_<L>_DEVICE). The older family's devices do not
// exist there: an object of that family fails every open with 3.
//
// Results of the operations:
//   0 success
//   1 a system or driver request failed (also: the object is already open,
//     its platform is unknown, or a request cannot be done in one transfer)
//   2 the drive argument is not a drive letter ("C", "C:" or "C:\")
//   3 a device of the older family failed to open
//   4 the request is larger than the transfer buffer: the disk I/O driver's
//     or, for the forms that are given it, the caller's
//   5 the request goes beyond the bound of the disk or volume
//
// Positions on the NT family are 32-bit byte offsets: a request that starts
// at or beyond 2 GB fails with 1. Every close on the NT family waits about
// 3.1 s for the system to settle, the destructor's included.

#include <cstddef>

#include "rtl/System.h"
#include "win32/Types.h"

namespace YVclUtil {

class TYAbsDiskIO : public TObject {
public:
    TYAbsDiskIO() { RunConstructor(); }
    ~TYAbsDiskIO() override { RunDestructor(); }

    // Checks the drive text (upper-casing it in place) and opens the volume,
    // or with Physical the disk that holds it. An open object is left as it
    // is (1): close it first.
    int AbsOpenDisk(char* Drive, bool Physical);
    int AbsCloseDisk();
    // Count sectors of BytesPerSector bytes from FirstSector (volume sectors
    // count from the volume's start).
    int AbsReadDisk(unsigned int FirstSector, unsigned int Count, void* Buffer);
    int AbsWriteDisk(unsigned int FirstSector, unsigned int Count, void* Buffer);
    // The same with the size of the caller's buffer: 4, before anything is
    // sent, when Count sectors do not fit in it.
    int AbsReadDisk(unsigned int FirstSector, unsigned int Count, void* Buffer, std::size_t BufferSize);
    int AbsWriteDisk(unsigned int FirstSector, unsigned int Count, void* Buffer, std::size_t BufferSize);

    bool pr_IsWinNT() const { return IsWinNT; }
    bool pr_IsPhyDisk() const { return IsPhyDisk; }
    int pr_LockCount() const { return LockCount; }
    unsigned pr_BytesPerSector() const { return BytesPerSector; }
    unsigned pr_LastSector() const { return LastSector; }
    unsigned pr_Cylinders() const { return Cylinders; }
    unsigned pr_TracksPerCylinder() const { return TracksPerCylinder; }
    unsigned pr_SectorsPerTrack() const { return SectorsPerTrack; }
    unsigned pr_DriveNumber() const { return DriveNumber; }
    unsigned pr_FirstSector() const { return FirstSector; }
    unsigned pr_SectorCount() const { return SectorCount; }

private:
    void RunConstructor();
    void RunDestructor();

    bool IsOpen() const;
    bool ReadGeometry(HANDLE Disk);
    bool NtOpenLockedVolume();
    int NtTransfer(HANDLE Disk, unsigned FirstSector, unsigned Count, void* Buffer, bool Write);
    void NtCloseVolume();
    void NtDrivesChanged();
    bool Win9xOpenDevices(bool WithDiskDriver);
    bool Win9xLockVolume();
    void Win9xUnlockVolume();
    void Win9xForceMediaChange(const char* FailureLine);
    int Win9xPhyTransfer(unsigned FirstSector, unsigned Count, void* Buffer, bool Write);
    int Win9xLogTransfer(unsigned FirstSector, unsigned Count, void* Buffer, bool Write);

    int WinNT_OpenPhyDisk();
    int WinNT_ClosePhyDisk();
    int WinNT_ReadPhyDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int WinNT_WritePhyDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int WinNT_OpenLogDisk();
    int WinNT_CloseLogDisk();
    int WinNT_ReadLogDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int WinNT_WriteLogDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int Win9x_OpenPhyDisk();
    int Win9x_ClosePhyDisk();
    int Win9x_ReadPhyDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int Win9x_WritePhyDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int Win9x_OpenLogDisk();
    int Win9x_CloseLogDisk();
    int Win9x_ReadLogDisk(unsigned FirstSector, unsigned Count, void* Buffer);
    int Win9x_WriteLogDisk(unsigned FirstSector, unsigned Count, void* Buffer);

    bool IsWinNT = false;
    HANDLE PhyDiskHandle = nullptr;
    HANDLE LogDiskHandle = nullptr;
    HANDLE VWin32Handle = nullptr;
    HANDLE DiskDriverHandle = nullptr;
    HANDLE AuxDriverHandle = nullptr;
    unsigned char* DiskDescriptor = nullptr;
    int LockCount = 0;
    bool IsPhyDisk = false;
    unsigned BytesPerSector = 0;
    unsigned LastSector = 0;
    unsigned Cylinders = 0;
    unsigned TracksPerCylinder = 0;
    unsigned SectorsPerTrack = 0;
    unsigned DriveNumber = 0;
    unsigned FirstSector = 0;
    unsigned SectorCount = 0;
    // False when the constructor found neither family: every open fails.
    bool PlatformKnown = false;
};

} // namespace YVclUtil
