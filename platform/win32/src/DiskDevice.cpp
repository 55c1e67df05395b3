#include "DiskDevice.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "BlockDevices.h"
#include "MountTable.h"
#include "win32/Drives.h"
#include "win32/LastError.h"

namespace win32_detail {

namespace {

// Disk images of the drives are PHYSICALDRIVE<ImageDiskBase + letter index>.
constexpr unsigned ImageDiskBase = 1000;
constexpr DWORD NoDeviceNumber = 0xFFFFFFFF;
constexpr DWORD TracksPerCylinder = 255;
constexpr DWORD SectorsPerTrack = 63;

DWORD ErrorOfErrno(int Error)
{
    switch (Error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
    case EISDIR:
    case ENOMEDIUM:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// The text after "\\.\", or null.
const char* DeviceText(LPCSTR FileName)
{
    return FileName && std::strncmp(FileName, "\\\\.\\", 4) == 0 ? FileName + 4 : nullptr;
}

char VolumeLetter(const char* Text)
{
    if (!Text || !std::isalpha(static_cast<unsigned char>(Text[0])) || Text[1] != ':' || Text[2] != '\0')
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(Text[0])));
}

// The disk number of "PHYSICALDRIVE<n>", or -1.
long long PhysicalNumber(const char* Text)
{
    static const char Prefix[] = "PHYSICALDRIVE";
    if (!Text || strncasecmp(Text, Prefix, sizeof(Prefix) - 1) != 0)
        return -1;
    const char* Digits = Text + sizeof(Prefix) - 1;
    if (!*Digits || std::strlen(Digits) > 6)
        return -1;
    long long Number = 0;
    for (const char* P = Digits; *P; ++P) {
        if (!std::isdigit(static_cast<unsigned char>(*P)))
            return -1;
        Number = Number * 10 + (*P - '0');
    }
    return Number;
}

DWORD DiskNumberOf(const AnsiString& DiskName)
{
    const std::vector<AnsiString> Disks = WholeDisks();
    auto Found = std::find(Disks.begin(), Disks.end(), DiskName);
    return Found == Disks.end() ? NoDeviceNumber : static_cast<DWORD>(Found - Disks.begin());
}

// Where the volume of a drive is, without opening it.
bool LocateVolume(char Letter, TDiskDevice::TLayout& Layout, std::optional<TBlockDevice>& Block)
{
    Layout.IsVolume = true;
    Layout.Path = DriveImagePath(Letter);
    if (!Layout.Path.empty()) {
        Layout.IsImage = true;
        Layout.DeviceNumber = ImageDiskBase + static_cast<DWORD>(Letter - 'A');
        return true;
    }
    const AnsiString Folder = DriveFolderPath(Letter);
    std::optional<TMountEntry> Mount = Folder.empty() ? std::nullopt : MountOfFolder(Folder);
    Block = Mount ? BlockDeviceOf(Mount->Major, Mount->Minor) : std::nullopt;
    struct stat Info {};
    if (!Block || stat(Block->DevicePath.c_str(), &Info) != 0 || !S_ISBLK(Info.st_mode))
        return false;
    Layout.Path = Block->DevicePath;
    Layout.DeviceNumber = DiskNumberOf(Block->DiskName);
    Layout.PartitionNumber = Block->PartitionNumber;
    Layout.Removable = Block->Removable;
    return true;
}

bool LocatePhysical(long long Number, TDiskDevice::TLayout& Layout)
{
    if (Number >= ImageDiskBase && Number < ImageDiskBase + 26) {
        Layout.Path = DriveImagePath(static_cast<char>('A' + (Number - ImageDiskBase)));
        Layout.IsImage = true;
    } else if (Number >= 0 && Number < ImageDiskBase) {
        const std::vector<AnsiString> Disks = WholeDisks();
        if (static_cast<size_t>(Number) < Disks.size())
            Layout.Path = WholeDiskPath(Disks[static_cast<size_t>(Number)]);
    }
    Layout.DeviceNumber = static_cast<DWORD>(Number);
    return !Layout.Path.empty();
}

// Size and sector size of an open image or block device.
bool MeasureDevice(int Fd, bool& Image, unsigned long long& Size, DWORD& BytesPerSector)
{
    struct stat Info {};
    if (fstat(Fd, &Info) != 0)
        return false;
    if (S_ISREG(Info.st_mode)) {
        Image = true;
        Size = static_cast<unsigned long long>(Info.st_size);
        BytesPerSector = 512;
        return true;
    }
    int SectorSize = 0;
    if (!S_ISBLK(Info.st_mode) || ioctl(Fd, BLKGETSIZE64, &Size) != 0 || ioctl(Fd, BLKSSZGET, &SectorSize) != 0 ||
        SectorSize <= 0)
        return false;
    Image = false;
    BytesPerSector = static_cast<DWORD>(SectorSize);
    return true;
}

BOOL Fail(DWORD Error)
{
    SetLastError(Error);
    return FALSE;
}

template <class T>
BOOL Answer(const T& Value, void* Out, DWORD OutSize, DWORD* Returned)
{
    if (!Out || OutSize < sizeof(T))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(Out, &Value, sizeof(T));
    if (Returned)
        *Returned = sizeof(T);
    return TRUE;
}

} // namespace

void TFileDescriptor::Reset(int Fd)
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = Fd;
}

std::shared_ptr<TDiskDevice> TDiskDevice::Open(LPCSTR Name, DWORD Access, bool WriteThrough, DWORD& Error)
{
    const char* Text = DeviceText(Name);
    TLayout Layout;
    std::optional<TBlockDevice> Block;
    bool Found = false;
    if (const char Letter = VolumeLetter(Text))
        Found = LocateVolume(Letter, Layout, Block);
    else if (const long long Number = PhysicalNumber(Text); Number >= 0)
        Found = LocatePhysical(Number, Layout);
    if (!Found) {
        Error = ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    int Flags = O_CLOEXEC | (WriteThrough ? O_SYNC : 0);
    const bool Reads = Access & GENERIC_READ;
    const bool Writes = Access & GENERIC_WRITE;
    Flags |= Reads && Writes ? O_RDWR : Writes ? O_WRONLY : O_RDONLY;
    TFileDescriptor Fd(::open(Layout.Path.c_str(), Flags));
    if (!Fd.Valid()) {
        Error = ErrorOfErrno(errno);
        return nullptr;
    }
    unsigned long long Size = 0;
    if (!MeasureDevice(Fd.Get(), Layout.IsImage, Size, Layout.BytesPerSector)) {
        Error = ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    Layout.Length = Size;
    Layout.DiskSize = Size;
    if (Block && Block->IsPartition) {
        Layout.Start = Block->Start * 512;
        Layout.DiskSize = Block->DiskSize * 512;
    }
    return std::shared_ptr<TDiskDevice>(new TDiskDevice(std::move(Fd), std::move(Layout), Access));
}

TDiskDevice::TDiskDevice(TFileDescriptor Fd, TLayout Layout, DWORD Access)
    : FFd(std::move(Fd)), FLayout(std::move(Layout)), FAccess(Access)
{
}

void TDiskDevice::OnClose()
{
    std::lock_guard<std::mutex> Guard(FLock);
    FExclusive.Reset();
    FFd.Reset();
    FLocked = false;
}

BOOL TDiskDevice::Read(void* Buffer, DWORD Count, DWORD* BytesRead)
{
    return Transfer(Buffer, Count, BytesRead, false);
}

BOOL TDiskDevice::Write(const void* Buffer, DWORD Count, DWORD* BytesWritten)
{
    return Transfer(const_cast<void*>(Buffer), Count, BytesWritten, true);
}

BOOL TDiskDevice::Transfer(void* Buffer, DWORD Count, DWORD* Moved, bool Writing)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (Moved)
        *Moved = 0;
    if (!(FAccess & (Writing ? GENERIC_WRITE : GENERIC_READ)))
        return Fail(ERROR_ACCESS_DENIED);
    if (!Buffer && Count)
        return Fail(ERROR_INVALID_PARAMETER);
    // Nothing moves past the end: a disk does not grow, so neither does an
    // image written past its size.
    const unsigned long long Left = FPosition < FLayout.Length ? FLayout.Length - FPosition : 0;
    const size_t Wanted = static_cast<size_t>(std::min<unsigned long long>(Count, Left));
    char* Bytes = static_cast<char*>(Buffer);
    size_t Done = 0;
    while (Done < Wanted) {
        const off_t At = static_cast<off_t>(FPosition + Done);
        const ssize_t Step = Writing ? ::pwrite(FFd.Get(), Bytes + Done, Wanted - Done, At)
                                     : ::pread(FFd.Get(), Bytes + Done, Wanted - Done, At);
        if (Step < 0 && errno == EINTR)
            continue;
        if (Step < 0)
            return Fail(ErrorOfErrno(errno));
        if (Step == 0)
            break;
        Done += static_cast<size_t>(Step);
    }
    FPosition += Done;
    if (Moved)
        *Moved = static_cast<DWORD>(Done);
    return TRUE;
}

BOOL TDiskDevice::Seek(long long Distance, DWORD Method, unsigned long long& Position)
{
    std::lock_guard<std::mutex> Guard(FLock);
    long long Base = 0;
    switch (Method) {
    case FILE_BEGIN: Base = 0; break;
    case FILE_CURRENT: Base = static_cast<long long>(FPosition); break;
    case FILE_END: Base = static_cast<long long>(FLayout.Length); break;
    default: return Fail(ERROR_INVALID_PARAMETER);
    }
    if (Distance < 0 && Base + Distance < 0)
        return Fail(ERROR_NEGATIVE_SEEK);
    FPosition = static_cast<unsigned long long>(Base + Distance);
    Position = FPosition;
    return TRUE;
}

BOOL TDiskDevice::Lock()
{
    if (FLocked)
        return TRUE;
    if (FLayout.IsImage) {
        if (::flock(FFd.Get(), LOCK_EX | LOCK_NB) != 0)
            return Fail(ERROR_ACCESS_DENIED);
    } else {
        // A mounted block device cannot be opened exclusively: the volume is
        // in use and cannot be locked.
        TFileDescriptor Exclusive(::open(FLayout.Path.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC));
        if (!Exclusive.Valid())
            return Fail(ERROR_ACCESS_DENIED);
        FExclusive = std::move(Exclusive);
    }
    FLocked = true;
    return TRUE;
}

BOOL TDiskDevice::Unlock()
{
    if (!FLocked)
        return Fail(ERROR_NOT_LOCKED);
    if (FLayout.IsImage)
        ::flock(FFd.Get(), LOCK_UN);
    FExclusive.Reset();
    FLocked = false;
    return TRUE;
}

BOOL TDiskDevice::Control(DWORD Code, void* Out, DWORD OutSize, DWORD* Returned)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (Returned)
        *Returned = 0;
    if (!FFd.Valid())
        return Fail(ERROR_INVALID_HANDLE);
    switch (Code) {
    case FSCTL_LOCK_VOLUME:
        return FLayout.IsVolume ? Lock() : Fail(ERROR_INVALID_FUNCTION);
    case FSCTL_UNLOCK_VOLUME:
        return FLayout.IsVolume ? Unlock() : Fail(ERROR_INVALID_FUNCTION);
    case FSCTL_DISMOUNT_VOLUME:
        return FLayout.IsVolume ? TRUE : Fail(ERROR_INVALID_FUNCTION);
    case IOCTL_DISK_UPDATE_PROPERTIES:
        return FLayout.IsVolume ? Fail(ERROR_INVALID_FUNCTION) : TRUE;
    case IOCTL_STORAGE_GET_DEVICE_NUMBER: {
        if (FLayout.DeviceNumber == NoDeviceNumber)
            return Fail(ERROR_INVALID_FUNCTION);
        STORAGE_DEVICE_NUMBER Number{FILE_DEVICE_DISK, FLayout.DeviceNumber, FLayout.PartitionNumber};
        return Answer(Number, Out, OutSize, Returned);
    }
    case IOCTL_DISK_GET_DRIVE_GEOMETRY_EX: {
        DISK_GEOMETRY_EX Geometry{};
        const unsigned long long Cylinder =
            static_cast<unsigned long long>(TracksPerCylinder) * SectorsPerTrack * FLayout.BytesPerSector;
        Geometry.Geometry.Cylinders.QuadPart = static_cast<LONGLONG>(FLayout.DiskSize / Cylinder);
        Geometry.Geometry.MediaType = FLayout.Removable ? RemovableMedia : FixedMedia;
        Geometry.Geometry.TracksPerCylinder = TracksPerCylinder;
        Geometry.Geometry.SectorsPerTrack = SectorsPerTrack;
        Geometry.Geometry.BytesPerSector = FLayout.BytesPerSector;
        Geometry.DiskSize.QuadPart = static_cast<LONGLONG>(FLayout.DiskSize);
        return Answer(Geometry, Out, OutSize, Returned);
    }
    case IOCTL_DISK_GET_PARTITION_INFO_EX: {
        PARTITION_INFORMATION_EX Partition{};
        Partition.PartitionStyle = FLayout.PartitionNumber ? PARTITION_STYLE_MBR : PARTITION_STYLE_RAW;
        Partition.StartingOffset.QuadPart = static_cast<LONGLONG>(FLayout.Start);
        Partition.PartitionLength.QuadPart = static_cast<LONGLONG>(FLayout.Length);
        Partition.PartitionNumber = FLayout.PartitionNumber;
        return Answer(Partition, Out, OutSize, Returned);
    }
    default:
        return Fail(ERROR_INVALID_FUNCTION);
    }
}

} // namespace win32_detail
