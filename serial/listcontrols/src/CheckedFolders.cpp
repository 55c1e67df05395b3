#include "CheckedFolders.h"

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"
#include "win32/Drives.h"

namespace YVclCtrl {

void CheckDriveReady(const char* ClassName, char Letter, const AnsiString& Name)
{
    const AnsiString Root = Format("%c:\\", Letter);
    ULARGE_INTEGER Free{}, Total{}, TotalFree{};
    if (!GetDiskFreeSpaceEx(Root.c_str(), &Free, &Total, &TotalFree))
        throw EInOutError(
            Format("Err: %s \nInaccessible Drive \"%c\" \nfrom component %s", ClassName, Letter, Name.c_str()));
}

void CheckDirectory(const char* ClassName, const AnsiString& Path, const AnsiString& Base, const AnsiString& Name)
{
    const AnsiString Full = !Path.empty() && Path[0] != '/' ? Base + "/" + Path : Path;
    if (Path.empty() || !DirectoryExists(Full))
        throw EInOutError(Format("Err: %s \nInaccessible Directory \"%s\" \nfrom component %s", ClassName,
                                 Path.c_str(), Name.c_str()));
}

} // namespace YVclCtrl
