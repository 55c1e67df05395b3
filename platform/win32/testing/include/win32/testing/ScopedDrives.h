#pragma once
// Drive letters for a test: while an object lives, the drive variables
// (VTX_DRIVE_<L> and VTX_DRIVE_<L>_DEVICE) are those it sets, its letters
// map to folders in a temporary folder of its own, and disk images are
// files there. Everything is put back and removed when it goes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mntent.h>
#include <optional>
#include <string>
#include <vector>

class TScopedDrives {
public:
    TScopedDrives()
    {
        for (char L = 'A'; L <= 'Z'; ++L)
            for (const std::string& Name : {Variable(L), Variable(L) + "_DEVICE"}) {
                const char* Value = std::getenv(Name.c_str());
                FSaved[Name] = Value ? std::optional<std::string>(Value) : std::nullopt;
                unsetenv(Name.c_str());
            }
        std::string Pattern = (std::filesystem::temp_directory_path() / "vtx-drives-XXXXXX").string();
        std::vector<char> Buffer(Pattern.begin(), Pattern.end());
        Buffer.push_back('\0');
        if (mkdtemp(Buffer.data()))
            FRoot = Buffer.data();
    }
    ~TScopedDrives()
    {
        for (const auto& [Name, Value] : FSaved)
            if (Value)
                setenv(Name.c_str(), Value->c_str(), 1);
            else
                unsetenv(Name.c_str());
        std::error_code Error;
        if (!FRoot.empty())
            std::filesystem::remove_all(FRoot, Error);
        for (const std::string& Folder : FRamDiskFolders)
            std::filesystem::remove_all(Folder, Error);
    }
    TScopedDrives(const TScopedDrives&) = delete;
    TScopedDrives& operator=(const TScopedDrives&) = delete;

    const std::string& Root() const { return FRoot; }

    // Maps the letter to the folder (made when missing; a relative name is
    // taken in the temporary folder). Returns the folder.
    std::string MapFolder(char Letter, const std::string& Folder = "", bool Make = true)
    {
        std::string Path = Folder.empty() ? FRoot + "/drive-" + Letter
                           : Folder[0] == '/' ? Folder
                                              : FRoot + "/" + Folder;
        if (Make)
            std::filesystem::create_directories(Path);
        setenv(Variable(Letter).c_str(), Path.c_str(), 1);
        return Path;
    }

    // Maps the letter to a new folder on a RAM disk: on the first tmpfs or
    // ramfs of the mount table that this process can write into (those
    // under /proc and /sys left aside). Returns the folder, removed with the
    // rest; empty, with the reason in Why, when there is none (as in a chroot
    // whose /dev/shm is no mount of its own).
    std::string MapRamDiskFolder(char Letter, std::string& Why, const char* MountTable = "/proc/self/mounts")
    {
        std::FILE* Table = setmntent(MountTable, "r");
        if (!Table) {
            Why = std::string("the mount table ") + MountTable + " cannot be read";
            return "";
        }
        std::string Folder;
        while (const mntent* Mount = getmntent(Table)) {
            const std::string Type = Mount->mnt_type, Point = Mount->mnt_dir;
            if ((Type != "tmpfs" && Type != "ramfs") || Point.rfind("/proc", 0) == 0 || Point.rfind("/sys", 0) == 0)
                continue;
            std::string Pattern = (Point == "/" ? "" : Point) + "/vtx-ramdisk-XXXXXX";
            if (mkdtemp(Pattern.data())) {
                Folder = Pattern;
                break;
            }
        }
        endmntent(Table);
        if (Folder.empty()) {
            Why = std::string("no tmpfs or ramfs in ") + MountTable + " that this process can write into";
            return "";
        }
        FRamDiskFolders.push_back(Folder);
        return MapFolder(Letter, Folder, false);
    }

    // Maps the letter to a folder and gives it a disk image of Sectors
    // sectors of 512 bytes, each byte PatternByte of its offset. Returns the
    // image's path.
    std::string MapImage(char Letter, unsigned Sectors)
    {
        MapFolder(Letter);
        const std::string Image = FRoot + "/disk-" + Letter + ".img";
        std::ofstream Out(Image, std::ios::binary);
        for (unsigned long long Offset = 0; Offset < Sectors * 512ull; ++Offset)
            Out.put(static_cast<char>(PatternByte(Offset)));
        Out.close();
        setenv((Variable(Letter) + "_DEVICE").c_str(), Image.c_str(), 1);
        return Image;
    }

    // As MapImage, but the image is Bytes long and only its first Sectors
    // sectors are written: the rest is a hole that takes no room on disk.
    std::string MapSparseImage(char Letter, unsigned Sectors, unsigned long long Bytes)
    {
        const std::string Image = MapImage(Letter, Sectors);
        std::filesystem::resize_file(Image, Bytes);
        return Image;
    }

    static unsigned char PatternByte(unsigned long long Offset)
    {
        return static_cast<unsigned char>((Offset / 512) * 31 + Offset % 512 * 7 + 1);
    }

    // The bytes of a file, or its first Limit bytes.
    static std::vector<unsigned char> Contents(const std::string& Path, size_t Limit = SIZE_MAX)
    {
        std::ifstream In(Path, std::ios::binary);
        std::vector<unsigned char> Bytes;
        for (int C; Bytes.size() < Limit && (C = In.get()) != EOF;)
            Bytes.push_back(static_cast<unsigned char>(C));
        return Bytes;
    }

private:
    static std::string Variable(char Letter) { return std::string("VTX_DRIVE_") + Letter; }

    std::string FRoot;
    std::vector<std::string> FRamDiskFolders;
    std::map<std::string, std::optional<std::string>> FSaved;
};
