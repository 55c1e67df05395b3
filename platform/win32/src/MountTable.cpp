#include "MountTable.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace win32_detail {

namespace {

AnsiString Unescape(const AnsiString& Text)
{
    AnsiString Result;
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\\' && I + 3 < Text.size()) {
            const char* Digits = Text.c_str() + I + 1;
            bool Octal = true;
            for (int K = 0; K < 3; ++K)
                Octal = Octal && Digits[K] >= '0' && Digits[K] <= '7';
            if (Octal) {
                Result += static_cast<char>((Digits[0] - '0') * 64 + (Digits[1] - '0') * 8 + (Digits[2] - '0'));
                I += 3;
                continue;
            }
        }
        Result += Text[I];
    }
    return Result;
}

// True when Path is MountPoint or lies below it.
bool Below(const AnsiString& Path, const AnsiString& MountPoint)
{
    if (MountPoint == "/")
        return !Path.empty() && Path[0] == '/';
    return Path.compare(0, MountPoint.size(), MountPoint) == 0 &&
           (Path.size() == MountPoint.size() || Path[MountPoint.size()] == '/');
}

} // namespace

std::vector<TMountEntry> ParseMountInfo(const AnsiString& Text)
{
    std::vector<TMountEntry> Mounts;
    std::istringstream Lines(Text);
    AnsiString Line;
    while (std::getline(Lines, Line)) {
        std::istringstream Fields(Line);
        AnsiString Id, Parent, Device, Root, MountPoint, Options;
        if (!(Fields >> Id >> Parent >> Device >> Root >> MountPoint >> Options))
            continue;
        AnsiString Field;
        bool Separator = false;
        while (Fields >> Field)
            if (Field == "-") {
                Separator = true;
                break;
            }
        TMountEntry Entry;
        if (!Separator || !(Fields >> Entry.FsType >> Entry.Source))
            continue;
        if (std::sscanf(Device.c_str(), "%u:%u", &Entry.Major, &Entry.Minor) != 2)
            continue;
        Entry.MountPoint = Unescape(MountPoint);
        Entry.Source = Unescape(Entry.Source);
        Mounts.push_back(std::move(Entry));
    }
    return Mounts;
}

std::optional<TMountEntry> MountHolding(const std::vector<TMountEntry>& Mounts, const AnsiString& Path)
{
    std::optional<TMountEntry> Best;
    for (const TMountEntry& Entry : Mounts)
        if (Below(Path, Entry.MountPoint) && (!Best || Entry.MountPoint.size() >= Best->MountPoint.size()))
            Best = Entry;
    return Best;
}

std::optional<TMountEntry> MountOfFolder(const AnsiString& Folder, const AnsiString& MountInfoFile)
{
    char Resolved[PATH_MAX];
    if (Folder.empty() || !realpath(Folder.c_str(), Resolved))
        return std::nullopt;
    std::ifstream File(MountInfoFile);
    if (!File)
        return std::nullopt;
    std::ostringstream Text;
    Text << File.rdbuf();
    return MountHolding(ParseMountInfo(Text.str()), Resolved);
}

} // namespace win32_detail
