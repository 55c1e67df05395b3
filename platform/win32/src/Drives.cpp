#include "win32/Drives.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include "BlockDevices.h"
#include "MountTable.h"
#include "win32/LastError.h"

using namespace win32_detail;

namespace {

const char* Variable(const AnsiString& Name)
{
    const char* Value = std::getenv(Name.c_str());
    return Value && *Value ? Value : nullptr;
}

bool AnyDriveMapped()
{
    for (char L = 'A'; L <= 'Z'; ++L)
        if (Variable(AnsiString("VTX_DRIVE_") + L))
            return true;
    return false;
}

char LetterOf(char Letter)
{
    const char Upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Letter)));
    return Upper >= 'A' && Upper <= 'Z' ? Upper : 0;
}

bool IsRemote(const AnsiString& FsType)
{
    for (const char* Remote : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "glusterfs",
                               "lustre", "davfs", "fuse.sshfs", "sshfs", "fuse.glusterfs", "fuse.rclone"})
        if (FsType == Remote)
            return true;
    return false;
}

UINT TypeOfFolder(const AnsiString& Folder)
{
    struct stat Info {};
    if (stat(Folder.c_str(), &Info) != 0 || !S_ISDIR(Info.st_mode))
        return DRIVE_NO_ROOT_DIR;
    std::optional<TMountEntry> Mount = MountOfFolder(Folder);
    if (!Mount)
        return DRIVE_UNKNOWN;
    if (Mount->FsType == "tmpfs" || Mount->FsType == "ramfs")
        return DRIVE_RAMDISK;
    if (IsRemote(Mount->FsType))
        return DRIVE_REMOTE;
    if (Mount->FsType == "iso9660" || Mount->FsType == "udf")
        return DRIVE_CDROM;
    std::optional<TBlockDevice> Device = BlockDeviceOf(Mount->Major, Mount->Minor);
    return Device && Device->Removable ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

} // namespace

AnsiString DriveFolderPath(char Letter)
{
    const char L = LetterOf(Letter);
    if (!L)
        return AnsiString();
    if (const char* Folder = Variable(AnsiString("VTX_DRIVE_") + L))
        return Folder;
    return L == 'C' && !AnyDriveMapped() ? "/" : AnsiString();
}

AnsiString DriveImagePath(char Letter)
{
    const char L = LetterOf(Letter);
    const char* Image = L ? Variable(AnsiString("VTX_DRIVE_") + L + "_DEVICE") : nullptr;
    return Image ? Image : AnsiString();
}

AnsiString DrivePathToLinux(const AnsiString& Path)
{
    if (Path.size() < 2 || Path[1] != ':' || (Path.size() > 2 && Path[2] != '\\' && Path[2] != '/'))
        return AnsiString();
    AnsiString Folder = DriveFolderPath(Path[0]);
    if (Folder.empty())
        return AnsiString();
    AnsiString Rest = Path.size() > 3 ? Path.substr(3) : AnsiString();
    for (char& C : Rest)
        if (C == '\\')
            C = '/';
    if (Rest.empty())
        return Folder;
    return Folder.back() == '/' ? Folder + Rest : Folder + "/" + Rest;
}

char DriveOfLinuxPath(const AnsiString& Path)
{
    char Best = 0;
    size_t BestLength = 0;
    for (char L = 'A'; L <= 'Z'; ++L) {
        AnsiString Folder = DriveFolderPath(L);
        while (Folder.size() > 1 && Folder.back() == '/')
            Folder.pop_back();
        const bool Holds = Folder == "/" ? !Path.empty() && Path[0] == '/'
                                         : !Folder.empty() && Path.compare(0, Folder.size(), Folder) == 0 &&
                                               (Path.size() == Folder.size() || Path[Folder.size()] == '/');
        if (Holds && (!Best || Folder.size() > BestLength)) {
            Best = L;
            BestLength = Folder.size();
        }
    }
    return Best;
}

DWORD GetLogicalDrives()
{
    DWORD Mask = 0;
    for (char L = 'A'; L <= 'Z'; ++L)
        if (!DriveFolderPath(L).empty())
            Mask |= 1u << (L - 'A');
    return Mask;
}

UINT GetDriveType(LPCSTR RootPathName)
{
    if (!RootPathName)
        return TypeOfFolder(".");
    const AnsiString Root = RootPathName;
    if (Root.size() > 3)
        return DRIVE_NO_ROOT_DIR;
    const AnsiString Folder = DrivePathToLinux(Root);
    return Folder.empty() ? DRIVE_NO_ROOT_DIR : TypeOfFolder(Folder);
}

BOOL GetDiskFreeSpaceEx(LPCSTR DirectoryName, ULARGE_INTEGER* FreeBytesAvailableToCaller,
                        ULARGE_INTEGER* TotalNumberOfBytes, ULARGE_INTEGER* TotalNumberOfFreeBytes)
{
    const AnsiString Folder = DirectoryName ? DrivePathToLinux(DirectoryName) : AnsiString(".");
    struct statvfs Info {};
    if (Folder.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct stat FolderInfo {};
    if (stat(Folder.c_str(), &FolderInfo) == 0 && !S_ISDIR(FolderInfo.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (statvfs(Folder.c_str(), &Info) != 0) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                     : errno == EACCES                   ? ERROR_ACCESS_DENIED
                                                         : ERROR_NOT_READY);
        return FALSE;
    }
    const ULONGLONG Unit = Info.f_frsize ? Info.f_frsize : Info.f_bsize;
    if (FreeBytesAvailableToCaller)
        FreeBytesAvailableToCaller->QuadPart = Unit * Info.f_bavail;
    if (TotalNumberOfBytes)
        TotalNumberOfBytes->QuadPart = Unit * Info.f_blocks;
    if (TotalNumberOfFreeBytes)
        TotalNumberOfFreeBytes->QuadPart = Unit * Info.f_bfree;
    return TRUE;
}
