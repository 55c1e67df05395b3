#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "BlockDevices.h"
#include "MountTable.h"
#include "win32/Drives.h"
#include "win32/LastError.h"
#include "win32/testing/ScopedDrives.h"

using namespace win32_detail;

TEST(DriveMapping, WithoutVariablesOnlyCIsThereAndItIsTheRoot)
{
    TScopedDrives Drives;
    EXPECT_EQ(GetLogicalDrives(), 1u << 2);
    EXPECT_EQ(DriveFolderPath('C'), "/");
    EXPECT_EQ(DriveFolderPath('c'), "/");
    EXPECT_EQ(DriveFolderPath('D'), "");
    EXPECT_EQ(DrivePathToLinux("C:\\"), "/");
    EXPECT_EQ(DrivePathToLinux("C:\\etc\\hosts"), "/etc/hosts");
}

TEST(DriveMapping, MappedLettersAreTheOnlyDrives)
{
    TScopedDrives Drives;
    const std::string E = Drives.MapFolder('E');
    const std::string Z = Drives.MapFolder('Z', "elsewhere", false);
    EXPECT_EQ(GetLogicalDrives(), (1u << 4) | (1u << 25)) << "C: is no longer there";
    EXPECT_EQ(DriveFolderPath('e'), E);
    EXPECT_EQ(DriveFolderPath('C'), "");
    const struct { const char* Path; std::string Linux; } Cases[] = {
        {"E:", E}, {"E:\\", E}, {"E:/", E}, {"e:\\a\\b", E + "/a/b"}, {"E:\\a/b", E + "/a/b"},
        {"C:\\", ""}, {"E", ""}, {"E\\", ""}, {"EE:\\", ""}, {"1:\\", ""}, {"", ""}};
    for (const auto& C : Cases)
        EXPECT_EQ(DrivePathToLinux(C.Path), C.Linux) << C.Path;
    (void)Z;
}

TEST(GetDriveType, ByTheMountOfTheFolder)
{
    TScopedDrives Drives;
    Drives.MapFolder('M', "missing", false);
    Drives.MapFolder('T');
    EXPECT_EQ(GetDriveType("M:\\"), DRIVE_NO_ROOT_DIR) << "the folder does not exist";
    EXPECT_EQ(GetDriveType("Q:\\"), DRIVE_NO_ROOT_DIR) << "not mapped";
    EXPECT_EQ(GetDriveType("T:\\sub"), DRIVE_NO_ROOT_DIR) << "not a root";
    // A real folder has a type; where its mount is out of sight (a chroot
    // whose root is not a mount point) the type is unknown.
    const UINT Temp = GetDriveType("T:\\");
    EXPECT_TRUE(Temp == DRIVE_FIXED || Temp == DRIVE_RAMDISK || Temp == DRIVE_REMOVABLE || Temp == DRIVE_REMOTE ||
                Temp == DRIVE_UNKNOWN)
        << Temp;
    EXPECT_EQ(GetDriveType("T:"), Temp);
}

TEST(GetDriveType, AFolderOnATmpfsIsARamDisk)
{
    TScopedDrives Drives;
    std::string Why;
    if (Drives.MapRamDiskFolder('R', Why).empty())
        GTEST_SKIP() << Why;
    EXPECT_EQ(GetDriveType("R:\\"), DRIVE_RAMDISK);
}

TEST(ScopedDrives, WithoutAWritableTmpfsNoRamDiskIsMapped)
{
    TScopedDrives Drives;
    const std::string Table = Drives.Root() + "/mounts";
    std::ofstream(Table) << "/dev/vda / ext4 rw 0 0\n"
                            "tmpfs /sys/fs/cgroup tmpfs rw 0 0\n"
                            "tmpfs /vtx-no-such-mount tmpfs rw 0 0\n";
    std::string Why;
    EXPECT_EQ(Drives.MapRamDiskFolder('R', Why, Table.c_str()), "");
    EXPECT_EQ(Why, "no tmpfs or ramfs in " + Table + " that this process can write into");
    EXPECT_EQ(GetLogicalDrives(), 1u << 2) << "only C:";
}

TEST(GetDiskFreeSpaceEx, IsTheFolderFileSystemsSpace)
{
    TScopedDrives Drives;
    Drives.MapFolder('T');
    Drives.MapFolder('M', "missing", false);
    ULARGE_INTEGER Free{}, Total{}, TotalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceEx("T:\\", &Free, &Total, &TotalFree));
    EXPECT_GT(Total.QuadPart, 0u);
    EXPECT_LE(Free.QuadPart, TotalFree.QuadPart);
    EXPECT_LE(TotalFree.QuadPart, Total.QuadPart);
    EXPECT_TRUE(GetDiskFreeSpaceEx("T:\\", nullptr, nullptr, nullptr)) << "every result may be left out";
    for (const char* Path : {"M:\\", "Q:\\", "T:\\nothing", "no drive"}) {
        EXPECT_FALSE(GetDiskFreeSpaceEx(Path, &Free, &Total, &TotalFree)) << Path;
        EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND) << Path;
    }
}

TEST(MountInfo, ParsesTheTableAndFindsTheMountOfAPath)
{
    const char* Text =
        "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
        "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "30 28 8:17 / /media/my\\040usb rw,nosuid master:7 - vfat /dev/sdb1 rw\n"
        "31 28 0:40 / /mnt/net rw - nfs4 server:/share rw\n"
        "32 28 0:41 / /mnt/net rw - tmpfs tmpfs rw\n"
        "garbage line\n";
    const std::vector<TMountEntry> Mounts = ParseMountInfo(Text);
    ASSERT_EQ(Mounts.size(), 5u);
    EXPECT_EQ(Mounts[2].MountPoint, "/media/my usb");
    EXPECT_EQ(Mounts[2].Major, 8u);
    EXPECT_EQ(Mounts[2].Minor, 17u);
    EXPECT_EQ(Mounts[2].FsType, "vfat");
    EXPECT_EQ(Mounts[2].Source, "/dev/sdb1");

    const struct { const char* Path; const char* FsType; } Cases[] = {
        {"/", "ext4"}, {"/home/user", "ext4"}, {"/media/my usb", "vfat"}, {"/media/my usb/docs", "vfat"},
        {"/media/my usbx", "ext4"}, {"/proc/self", "proc"}, {"/mnt/net/a", "tmpfs"}};
    for (const auto& C : Cases) {
        auto Mount = MountHolding(Mounts, C.Path);
        ASSERT_TRUE(Mount) << C.Path;
        EXPECT_EQ(Mount->FsType, C.FsType) << C.Path << ": the last mount over another wins";
    }
    EXPECT_FALSE(MountOfFolder("/no/such/folder/at/all"));
}

// A sysfs tree of one removable disk with a partition, and a fixed disk.
TEST(BlockDevices, PartitionsLeadToTheirDisk)
{
    TScopedDrives Drives;
    namespace fs = std::filesystem;
    const fs::path Sys = Drives.Root() + "/sys";
    auto Write = [](const fs::path& File, const std::string& Text) {
        fs::create_directories(File.parent_path());
        std::ofstream(File) << Text << "\n";
    };
    const fs::path Sdb = Sys / "devices/pci0/usb1/block/sdb";
    Write(Sdb / "removable", "1");
    Write(Sdb / "size", "4096");
    Write(Sdb / "uevent", "MAJOR=8\nMINOR=16\nDEVNAME=sdb\nDEVTYPE=disk");
    Write(Sdb / "sdb1/partition", "1");
    Write(Sdb / "sdb1/start", "2048");
    Write(Sdb / "sdb1/size", "2048");
    Write(Sdb / "sdb1/uevent", "MAJOR=8\nMINOR=17\nDEVNAME=sdb1\nDEVTYPE=partition");
    const fs::path Vda = Sys / "devices/virtio/block/vda";
    Write(Vda / "removable", "0");
    Write(Vda / "size", "100");
    fs::create_directories(Sys / "dev/block");
    fs::create_directories(Sys / "block");
    fs::create_directory_symlink(Sdb / "sdb1", Sys / "dev/block/8:17");
    fs::create_directory_symlink(Vda, Sys / "dev/block/254:0");
    fs::create_directory_symlink(Sdb, Sys / "block/sdb");
    fs::create_directory_symlink(Vda, Sys / "block/vda");

    auto Part = BlockDeviceOf(8, 17, Sys.string());
    ASSERT_TRUE(Part);
    EXPECT_EQ(Part->DevicePath, "/dev/sdb1");
    EXPECT_TRUE(Part->IsPartition);
    EXPECT_EQ(Part->PartitionNumber, 1u);
    EXPECT_EQ(Part->Start, 2048u);
    EXPECT_EQ(Part->Size, 2048u);
    EXPECT_EQ(Part->DiskName, "sdb");
    EXPECT_EQ(Part->DiskPath, "/dev/sdb");
    EXPECT_EQ(Part->DiskSize, 4096u);
    EXPECT_TRUE(Part->Removable);

    auto Whole = BlockDeviceOf(254, 0, Sys.string());
    ASSERT_TRUE(Whole);
    EXPECT_FALSE(Whole->IsPartition);
    EXPECT_EQ(Whole->DevicePath, "/dev/vda") << "no uevent: the sysfs name";
    EXPECT_EQ(Whole->DiskName, "vda");
    EXPECT_FALSE(Whole->Removable);

    EXPECT_FALSE(BlockDeviceOf(0, 40, Sys.string())) << "a mount without a device";
    EXPECT_EQ(WholeDisks(Sys.string()), (std::vector<AnsiString>{"sdb", "vda"}));
    EXPECT_EQ(WholeDiskPath("vda", Sys.string()), "/dev/vda");
    EXPECT_EQ(WholeDiskPath("nvme9", Sys.string()), "");
}
