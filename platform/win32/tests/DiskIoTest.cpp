#include <gtest/gtest.h>

#include <vector>

#include "win32/DiskIo.h"
#include "win32/LastError.h"
#include "win32/OwnedHandle.h"
#include "win32/Synch.h"
#include "win32/testing/ScopedDrives.h"

namespace {

constexpr unsigned Sectors = 64;

HANDLE OpenDisk(const char* Name, DWORD Access = GENERIC_READ | GENERIC_WRITE, DWORD Flags = FILE_ATTRIBUTE_NORMAL)
{
    return CreateFile(Name, Access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, Flags, nullptr);
}

BOOL Request(HANDLE Disk, DWORD Code, void* Out = nullptr, DWORD OutSize = 0)
{
    DWORD Returned = 0;
    return DeviceIoControl(Disk, Code, nullptr, 0, Out, OutSize, &Returned, nullptr);
}

// Drive E: is a disk image of 64 sectors.
class DiskImage : public ::testing::Test {
protected:
    void SetUp() override { Image = Drives.MapImage('E', Sectors); }

    TScopedDrives Drives;
    std::string Image;
};

} // namespace

TEST_F(DiskImage, TheVolumeIsTheWholeImageOnItsOwnDisk)
{
    TOwnedHandle Volume(OpenDisk("\\\\.\\e:"));
    ASSERT_TRUE(Volume);
    DISK_GEOMETRY_EX Geometry{};
    ASSERT_TRUE(Request(Volume.Get(), IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, &Geometry, sizeof(Geometry)));
    EXPECT_EQ(Geometry.Geometry.BytesPerSector, 512u);
    EXPECT_EQ(Geometry.DiskSize.QuadPart, Sectors * 512);
    EXPECT_EQ(Geometry.Geometry.TracksPerCylinder, 255u);
    EXPECT_EQ(Geometry.Geometry.SectorsPerTrack, 63u);
    PARTITION_INFORMATION_EX Partition{};
    ASSERT_TRUE(Request(Volume.Get(), IOCTL_DISK_GET_PARTITION_INFO_EX, &Partition, sizeof(Partition)));
    EXPECT_EQ(Partition.StartingOffset.QuadPart, 0);
    EXPECT_EQ(Partition.PartitionLength.QuadPart, Sectors * 512);
    STORAGE_DEVICE_NUMBER Number{};
    ASSERT_TRUE(Request(Volume.Get(), IOCTL_STORAGE_GET_DEVICE_NUMBER, &Number, sizeof(Number)));
    EXPECT_EQ(Number.DeviceType, FILE_DEVICE_DISK);
    EXPECT_EQ(Number.DeviceNumber, 1004u) << "the image of drive E";

    TOwnedHandle Disk(OpenDisk("\\\\.\\PHYSICALDRIVE1004"));
    ASSERT_TRUE(Disk);
    std::vector<unsigned char> Sector(512);
    DWORD Read = 0;
    ASSERT_EQ(SetFilePointer(Disk.Get(), 5 * 512, nullptr, FILE_BEGIN), 5u * 512);
    ASSERT_TRUE(ReadFile(Disk.Get(), Sector.data(), 512, &Read, nullptr));
    ASSERT_EQ(Read, 512u);
    for (unsigned I = 0; I < 512; ++I)
        ASSERT_EQ(Sector[I], TScopedDrives::PatternByte(5 * 512 + I)) << I;
    EXPECT_TRUE(Request(Disk.Get(), IOCTL_DISK_UPDATE_PROPERTIES));
    EXPECT_FALSE(Request(Disk.Get(), FSCTL_LOCK_VOLUME)) << "a disk is no volume";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FUNCTION);
}

TEST_F(DiskImage, OneHandleAtATimeHoldsTheVolumeLock)
{
    TOwnedHandle First(OpenDisk("\\\\.\\E:"));
    TOwnedHandle Second(OpenDisk("\\\\.\\E:"));
    ASSERT_TRUE(First && Second);
    EXPECT_FALSE(Request(First.Get(), FSCTL_UNLOCK_VOLUME));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    EXPECT_TRUE(Request(First.Get(), FSCTL_LOCK_VOLUME));
    EXPECT_FALSE(Request(Second.Get(), FSCTL_LOCK_VOLUME));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(Request(First.Get(), FSCTL_DISMOUNT_VOLUME));
    EXPECT_TRUE(Request(First.Get(), FSCTL_UNLOCK_VOLUME));
    EXPECT_TRUE(Request(Second.Get(), FSCTL_LOCK_VOLUME));
    First.Reset();
    Second.Reset();
    TOwnedHandle Third(OpenDisk("\\\\.\\E:"));
    EXPECT_TRUE(Request(Third.Get(), FSCTL_LOCK_VOLUME)) << "closing a handle gives up its lock";
}

TEST_F(DiskImage, RefusedRequests)
{
    TOwnedHandle Volume(OpenDisk("\\\\.\\E:"));
    ASSERT_TRUE(Volume);
    DISK_GEOMETRY_EX Geometry{};
    EXPECT_FALSE(Request(Volume.Get(), IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, &Geometry, 20));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_FALSE(Request(Volume.Get(), IOCTL_DISK_UPDATE_PROPERTIES)) << "a volume is no disk";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FUNCTION);
    EXPECT_FALSE(Request(Volume.Get(), 0x12345678));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FUNCTION);
    OVERLAPPED Overlapped{};
    char Byte = 0;
    DWORD Moved = 0;
    EXPECT_FALSE(ReadFile(Volume.Get(), &Byte, 1, &Moved, &Overlapped));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(ReadFile(Volume.Get(), nullptr, 1, &Moved, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(OpenDisk("\\\\.\\E:", GENERIC_READ, FILE_FLAG_OVERLAPPED), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    TOwnedHandle ReadOnly(OpenDisk("\\\\.\\E:", GENERIC_READ));
    ASSERT_TRUE(ReadOnly);
    EXPECT_FALSE(WriteFile(ReadOnly.Get(), &Byte, 1, &Moved, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    TOwnedHandle Event(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    EXPECT_FALSE(Request(Event.Get(), FSCTL_LOCK_VOLUME));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(DiskImage, PositionsWritesAndTheEndOfTheDisk)
{
    TOwnedHandle Volume(OpenDisk("\\\\.\\E:"));
    ASSERT_TRUE(Volume);
    EXPECT_EQ(SetFilePointer(Volume.Get(), 512, nullptr, FILE_BEGIN), 512u);
    EXPECT_EQ(SetFilePointer(Volume.Get(), 512, nullptr, FILE_CURRENT), 1024u);
    EXPECT_EQ(SetFilePointer(Volume.Get(), -512, nullptr, FILE_END), Sectors * 512 - 512);
    EXPECT_EQ(SetFilePointer(Volume.Get(), -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    LONG High = 1;
    EXPECT_EQ(SetFilePointer(Volume.Get(), 512, &High, FILE_BEGIN), 512u) << "4 GB + 512, low half";
    EXPECT_EQ(High, 1);

    // The last sector and half of one more: only what the disk holds is
    // written, and the image does not grow.
    std::vector<unsigned char> Data(1024, 0xE5);
    DWORD Written = 0;
    ASSERT_EQ(SetFilePointer(Volume.Get(), (Sectors - 1) * 512, nullptr, FILE_BEGIN), (Sectors - 1) * 512);
    ASSERT_TRUE(WriteFile(Volume.Get(), Data.data(), 1024, &Written, nullptr));
    EXPECT_EQ(Written, 512u);
    DWORD Read = 0;
    EXPECT_TRUE(ReadFile(Volume.Get(), Data.data(), 512, &Read, nullptr));
    EXPECT_EQ(Read, 0u) << "at the end";
    Volume.Reset();
    const std::vector<unsigned char> Bytes = TScopedDrives::Contents(Image);
    ASSERT_EQ(Bytes.size(), Sectors * 512u);
    EXPECT_EQ(Bytes[(Sectors - 1) * 512], 0xE5);
    EXPECT_EQ(Bytes.back(), 0xE5);
    EXPECT_EQ(Bytes[(Sectors - 1) * 512 - 1], TScopedDrives::PatternByte((Sectors - 1) * 512 - 1));
}

TEST(DiskNames, VolumesAndDisksThatAreNotThere)
{
    TScopedDrives Drives;
    Drives.MapFolder('S', "/dev/shm", false);
    const struct { const char* Name; } Cases[] = {
        {"\\\\.\\Q:"},                  // not mapped
        {"\\\\.\\S:"},                  // a tmpfs has no block device
        {"\\\\.\\PHYSICALDRIVE1010"},   // drive K has no image
        {"\\\\.\\PHYSICALDRIVE999"},    // no such disk
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(OpenDisk(C.Name), INVALID_HANDLE_VALUE) << C.Name;
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << C.Name;
    }
    EXPECT_TRUE(IsDiskDeviceName("\\\\.\\c:"));
    EXPECT_TRUE(IsDiskDeviceName("\\\\.\\PhysicalDrive0"));
    for (const char* Other : {"\\\\.\\COM1", "C:", "\\\\.\\C:\\", "\\\\.\\PHYSICALDRIVE", "\\\\.\\VWIN32"})
        EXPECT_FALSE(IsDiskDeviceName(Other)) << Other;
    // The older family's devices do not exist here.
    for (const char* Device : {"\\\\.\\VWIN32", "\\\\.\\ORB_4IOS.VxD", "\\\\.\\ORB_GVxD.VxD"})
        EXPECT_EQ(CreateFile(Device, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr), INVALID_HANDLE_VALUE)
            << Device;
}
