// TYAbsDiskIO on the older Windows family: the VWIN32 device for volume
// locks, media changes and absolute volume sectors, and the maker's disk I/O
// driver ("\\.\ORB_4IOS.VxD") for physical sectors through its transfer
// buffer. That family is 32-bit: its requests carry 32-bit addresses.
//
// None of these devices exists on Linux, so every open here fails with 3
// and nothing below the opens is ever sent.

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "AbsDiskCommon.h"
#include "YVclUtil/Standalonefunction.h"
#include "YVclUtil/Tyabsdiskio.h"
#include "win32/DiskIo.h"

namespace YVclUtil {

using namespace absdisk;

namespace {

// Requests of the disk I/O driver.
constexpr DWORD DriverOpenDisk = 2;
constexpr DWORD DriverCloseDisk = 3;
constexpr DWORD DriverReadSectors = 5;
constexpr DWORD DriverWriteSectors = 6;

// Where the driver's disk descriptor keeps its values (32-bit words).
constexpr std::size_t TransferSizeAt = 8;
constexpr std::size_t TransferBufferAt = 12;
constexpr std::size_t BytesPerSectorAt = 16;
constexpr std::size_t FirstSectorAt = 20;
constexpr std::size_t LastSectorAt = 24;
constexpr std::size_t CylindersAt = 28;
constexpr std::size_t TracksAt = 32;
constexpr std::size_t SectorsPerTrackAt = 36;

constexpr DWORD Carry = 1;

DWORD Address32(const void* Address)
{
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(Address));
}

void* Pointer32(DWORD Address)
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(Address));
}

DWORD WordAt(const unsigned char* Descriptor, std::size_t Offset)
{
    DWORD Value = 0;
    std::memcpy(&Value, Descriptor + Offset, sizeof(Value));
    return Value;
}

// One VWIN32 request with the register block; false when the call fails or
// returns with the carry set.
bool Vwin32Call(HANDLE VWin32, DWORD Request, DIOC_REGISTERS& Registers)
{
    DWORD Returned = 0;
    return DeviceIoControl(VWin32, Request, &Registers, sizeof(Registers), &Registers, sizeof(Registers), &Returned,
                           nullptr) &&
           !(Registers.reg_Flags & Carry);
}

#pragma pack(push, 1)
struct TAbsDiskPacket {
    DWORD StartSector;
    WORD Count;
    DWORD Buffer;
};
#pragma pack(pop)
static_assert(sizeof(TAbsDiskPacket) == 10);

} // namespace

// VWIN32, and the disk I/O driver when asked, and the auxiliary driver.
bool TYAbsDiskIO::Win9xOpenDevices(bool WithDiskDriver)
{
    VWin32Handle = CreateFile("\\\\.\\VWIN32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (WithDiskDriver)
        DiskDriverHandle = CreateFile("\\\\.\\ORB_4IOS.VxD", 0, 0, nullptr, 0, 0, nullptr);
    AuxDriverHandle = CreateFile("\\\\.\\ORB_GVxD.VxD", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return Valid(VWin32Handle) && (!WithDiskDriver || Valid(DiskDriverHandle)) && Valid(AuxDriverHandle);
}

// The two locks of the logical volume: permissions 0, then 4.
bool TYAbsDiskIO::Win9xLockVolume()
{
    for (DWORD Permissions : {0u, 4u}) {
        DIOC_REGISTERS Registers{};
        Registers.reg_EAX = 0x440D;
        Registers.reg_ECX = 0x084A;
        Registers.reg_EBX = DriveNumber;   // lock level 0 in BH
        Registers.reg_EDX = Permissions;
        Registers.reg_Flags = Carry;
        if (!Vwin32Call(VWin32Handle, VWIN32_DIOC_DOS_IOCTL, Registers))
            return false;
        ++LockCount;
    }
    return true;
}

void TYAbsDiskIO::Win9xUnlockVolume()
{
    for (; LockCount > 0; --LockCount) {
        DIOC_REGISTERS Registers{};
        Registers.reg_EAX = 0x440D;
        Registers.reg_ECX = 0x086A;
        Registers.reg_EBX = DriveNumber;
        Registers.reg_Flags = Carry;
        if (!Vwin32Call(VWin32Handle, VWIN32_DIOC_DOS_IOCTL, Registers))
            SendDbgString_Printf("\r\nYW9xPDsk: Can not unlock Volume !!!");
    }
}

void TYAbsDiskIO::Win9xForceMediaChange(const char* FailureLine)
{
    unsigned char Block[24] = {};
    const WORD Size = sizeof(Block);
    const DWORD Change = 2;
    std::memcpy(Block, &Size, sizeof(Size));
    std::memcpy(Block + 4, &Change, sizeof(Change));
    DIOC_REGISTERS Registers{};
    Registers.reg_EAX = 0x7304;
    Registers.reg_EDX = DriveNumber;
    Registers.reg_ECX = sizeof(Block);
    Registers.reg_EDI = Address32(Block);
    Registers.reg_Flags = Carry;
    if (!Vwin32Call(VWin32Handle, VWIN32_DIOC_DOS_DRIVEINFO, Registers))
        SendDbgString_Printf("%s", FailureLine);
}

int TYAbsDiskIO::Win9x_OpenPhyDisk()
{
    if (!Win9xOpenDevices(true)) {
        Win9x_ClosePhyDisk();
        return ResultNoDevice;
    }
    // The extended free space of the root makes the system look at the
    // drive; the answer itself is not used.
    char Root[4];
    std::snprintf(Root, sizeof(Root), "%c:\\", static_cast<char>('A' + DriveNumber - 1));
    unsigned char Space[44] = {};
    DIOC_REGISTERS Registers{};
    Registers.reg_EAX = 0x7303;
    Registers.reg_EDX = Address32(Root);
    Registers.reg_EDI = Address32(Space);
    Registers.reg_ECX = sizeof(Space);
    Vwin32Call(VWin32Handle, VWIN32_DIOC_DOS_DRIVEINFO, Registers);

    DWORD In[3] = {DriveNumber, 0x8000, 0};
    DWORD Out[2] = {};
    DWORD Returned = 0;
    if (!DeviceIoControl(DiskDriverHandle, DriverOpenDisk, In, sizeof(In), Out, sizeof(Out), &Returned, nullptr) ||
        Out[0] != 0 || Out[1] == 0) {
        Win9x_ClosePhyDisk();
        return ResultFailed;
    }
    DiskDescriptor = static_cast<unsigned char*>(Pointer32(Out[1]));
    BytesPerSector = WordAt(DiskDescriptor, BytesPerSectorAt);
    FirstSector = WordAt(DiskDescriptor, FirstSectorAt);
    LastSector = WordAt(DiskDescriptor, LastSectorAt);
    Cylinders = WordAt(DiskDescriptor, CylindersAt);
    TracksPerCylinder = WordAt(DiskDescriptor, TracksAt);
    SectorsPerTrack = WordAt(DiskDescriptor, SectorsPerTrackAt);
    SectorCount = 0;
    if ((LastSector & 0x0F) == 0x0F)
        ++LastSector;
    if (!Win9xLockVolume()) {
        Win9x_ClosePhyDisk();
        return ResultFailed;
    }
    return ResultOk;
}

int TYAbsDiskIO::Win9x_ClosePhyDisk()
{
    if (DiskDescriptor) {
        DWORD In[3] = {Address32(DiskDescriptor), 0, 0};
        DWORD Status[2] = {};
        DWORD Returned = 0;
        if (!DeviceIoControl(DiskDriverHandle, DriverCloseDisk, In, sizeof(In), Status, sizeof(Status), &Returned,
                             nullptr) ||
            Status[0] != 0)
            SendDbgString_Printf("\r\nYW9xPDsk: Can not close physical disk !!!");
        DiskDescriptor = nullptr;
    }
    Win9xUnlockVolume();
    Win9xForceMediaChange("\r\nYW9xPDsk: Can not perform ForceMediaChanged !!!");
    for (HANDLE* Handle : {&AuxDriverHandle, &DiskDriverHandle, &VWin32Handle})
        if (Valid(*Handle)) {
            CloseHandle(*Handle);
            *Handle = INVALID_HANDLE_VALUE;
        }
    return ResultOk;
}

int TYAbsDiskIO::Win9xPhyTransfer(unsigned First, unsigned Count, void* Buffer, bool Write)
{
    if (Beyond(First, Count, LastSector))
        return ResultOutOfBounds;
    if (!DiskDescriptor)
        return ResultFailed;
    const unsigned long long Bytes = static_cast<unsigned long long>(Count) * BytesPerSector;
    if (Bytes > WordAt(DiskDescriptor, TransferSizeAt))
        return ResultTooLarge;
    void* Transfer = Pointer32(WordAt(DiskDescriptor, TransferBufferAt));
    if (Write)
        std::memcpy(Transfer, Buffer, static_cast<std::size_t>(Bytes));
    DWORD In[3] = {Address32(DiskDescriptor), First, Count};
    DWORD Status[2] = {};
    DWORD Returned = 0;
    if (!DeviceIoControl(DiskDriverHandle, Write ? DriverWriteSectors : DriverReadSectors, In, sizeof(In), Status,
                         sizeof(Status), &Returned, nullptr) ||
        Status[0] != 0)
        return ResultFailed;
    if (!Write)
        std::memcpy(Buffer, Transfer, static_cast<std::size_t>(Bytes));
    return ResultOk;
}

int TYAbsDiskIO::Win9x_ReadPhyDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Win9xPhyTransfer(First, Count, Buffer, false);
}

int TYAbsDiskIO::Win9x_WritePhyDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Win9xPhyTransfer(First, Count, Buffer, true);
}

int TYAbsDiskIO::Win9x_OpenLogDisk()
{
    // The physical open fills in the geometry; the volume is then reached
    // through VWIN32 alone.
    const int Result = Win9x_OpenPhyDisk();
    if (Result != ResultOk)
        return Result;
    Win9x_ClosePhyDisk();
    if (!Win9xOpenDevices(false)) {
        Win9x_CloseLogDisk();
        return ResultNoDevice;
    }
    if (!Win9xLockVolume()) {
        Win9x_CloseLogDisk();
        return ResultFailed;
    }
    return ResultOk;
}

int TYAbsDiskIO::Win9x_CloseLogDisk()
{
    Win9xUnlockVolume();
    Win9xForceMediaChange("\r\nYW9xLDsk: Can not perform ForceMediaChanged !!!");
    for (HANDLE* Handle : {&AuxDriverHandle, &VWin32Handle})
        if (Valid(*Handle)) {
            CloseHandle(*Handle);
            *Handle = INVALID_HANDLE_VALUE;
        }
    return ResultOk;
}

int TYAbsDiskIO::Win9xLogTransfer(unsigned First, unsigned Count, void* Buffer, bool Write)
{
    // The packet holds a 16-bit count: more sectors cannot be asked for in
    // one request, and a cut count would move fewer than asked.
    if (Count > 0xFFFF)
        return ResultFailed;
    TAbsDiskPacket Packet{First, static_cast<WORD>(Count), Address32(Buffer)};
    DIOC_REGISTERS Registers{};
    Registers.reg_EAX = 0x7305;
    Registers.reg_ECX = 0xFFFFFFFF;
    Registers.reg_EDX = DriveNumber;
    Registers.reg_ESI = Write ? 0x6001 : 0x6000;
    Registers.reg_EBX = Address32(&Packet);
    Registers.reg_Flags = Carry;
    return Vwin32Call(VWin32Handle, VWIN32_DIOC_DOS_DRIVEINFO, Registers) ? ResultOk : ResultFailed;
}

int TYAbsDiskIO::Win9x_ReadLogDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Win9xLogTransfer(First, Count, Buffer, false);
}

int TYAbsDiskIO::Win9x_WriteLogDisk(unsigned First, unsigned Count, void* Buffer)
{
    return Win9xLogTransfer(First, Count, Buffer, true);
}

} // namespace YVclUtil
