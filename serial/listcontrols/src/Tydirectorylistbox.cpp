#include "YVclCtrl/Tydirectorylistbox.h"

#include "CheckedFolders.h"

namespace YVclCtrl {

void TYDirectoryListBox::WrDrive(char Value)
{
    CheckDriveReady("TYDirectoryListBox", Value, Name());
    SetDrive(Value);
}

void TYDirectoryListBox::WrDir(const AnsiString& Value)
{
    CheckDirectory("TYDirectoryListBox", Value, Directory(), Name());
    SetDirectory(Value);
}

} // namespace YVclCtrl
