#include "BlockDevices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace win32_detail {

namespace fs = std::filesystem;

namespace {

AnsiString FirstLine(const fs::path& File)
{
    std::ifstream In(File);
    AnsiString Line;
    std::getline(In, Line);
    return Line;
}

unsigned long long Number(const fs::path& File)
{
    try {
        return std::stoull(FirstLine(File));
    } catch (...) {
        return 0;
    }
}

// The node under /dev: the DEVNAME of the device's uevent, else its sysfs
// name (where '!' stands for a '/').
AnsiString DevicePathOf(const fs::path& Dir)
{
    std::ifstream In(Dir / "uevent");
    for (AnsiString Line; std::getline(In, Line);)
        if (Line.rfind("DEVNAME=", 0) == 0)
            return "/dev/" + Line.substr(8);
    AnsiString Name = Dir.filename().string();
    std::replace(Name.begin(), Name.end(), '!', '/');
    return "/dev/" + Name;
}

} // namespace

std::optional<TBlockDevice> BlockDeviceOf(unsigned Major, unsigned Minor, const AnsiString& SysRoot)
{
    std::error_code Error;
    const fs::path Link = fs::path(SysRoot) / "dev" / "block" / (std::to_string(Major) + ":" + std::to_string(Minor));
    const fs::path Dir = fs::canonical(Link, Error);
    if (Error || !fs::is_directory(Dir, Error))
        return std::nullopt;
    TBlockDevice Device;
    Device.DevicePath = DevicePathOf(Dir);
    Device.Size = Number(Dir / "size");
    Device.IsPartition = fs::exists(Dir / "partition", Error);
    const fs::path Disk = Device.IsPartition ? Dir.parent_path() : Dir;
    if (Device.IsPartition) {
        Device.PartitionNumber = static_cast<unsigned>(Number(Dir / "partition"));
        Device.Start = Number(Dir / "start");
    }
    Device.DiskName = Disk.filename().string();
    Device.DiskPath = DevicePathOf(Disk);
    Device.DiskSize = Number(Disk / "size");
    Device.Removable = FirstLine(Disk / "removable") == "1";
    return Device;
}

std::vector<AnsiString> WholeDisks(const AnsiString& SysRoot)
{
    std::vector<AnsiString> Names;
    std::error_code Error;
    for (const auto& Entry : fs::directory_iterator(fs::path(SysRoot) / "block", Error))
        Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
}

AnsiString WholeDiskPath(const AnsiString& DiskName, const AnsiString& SysRoot)
{
    std::error_code Error;
    const fs::path Dir = fs::canonical(fs::path(SysRoot) / "block" / DiskName, Error);
    if (Error || DiskName.empty())
        return AnsiString();
    return DevicePathOf(Dir);
}

} // namespace win32_detail
