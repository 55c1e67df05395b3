#include "vcl/ShellApi.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <cstring>

#include "ImageLists.h"
#include "QtSupport.h"
#include "win32/Drives.h"

namespace {

// "C:" or "C:\": a drive's root.
bool IsDriveRoot(const AnsiString& Path)
{
    return (Path.size() == 2 || (Path.size() == 3 && (Path[2] == '\\' || Path[2] == '/'))) && Path[1] == ':';
}

void CopyText(char* Out, size_t Size, const AnsiString& Text)
{
    size_t Length = std::min(Text.size(), Size - 1);
    // Cut at the start of a character, not inside one.
    while (Length > 0 && Length < Text.size() && (static_cast<unsigned char>(Text[Length]) & 0xC0) == 0x80)
        --Length;
    std::memcpy(Out, Text.data(), Length);
    Out[Length] = '\0';
}

} // namespace

DWORD_PTR SHGetFileInfo(LPCSTR Path, DWORD, SHFILEINFO* Info, UINT InfoSize, UINT Flags)
{
    if (!Path || !Info || InfoSize != sizeof(SHFILEINFO))
        return 0;
    const AnsiString Text = Path;
    AnsiString Linux = DrivePathToLinux(Text);
    if (Linux.empty() && !Text.empty() && Text[0] == '/')
        Linux = Text;
    const QFileInfo File(ToQt(Linux));
    if (Linux.empty() || !File.exists())
        return 0;
    std::memset(Info, 0, sizeof(*Info));
    if (Flags & SHGFI_DISPLAYNAME) {
        AnsiString Name = FromQt(File.fileName());
        if (IsDriveRoot(Text)) {
            const AnsiString Folder = FromQt(QFileInfo(File.canonicalFilePath()).fileName());
            Name = (Folder.empty() ? AnsiString("/") : Folder) + " (" +
                   static_cast<char>(std::toupper(static_cast<unsigned char>(Text[0]))) + ":)";
        }
        CopyText(Info->szDisplayName, sizeof(Info->szDisplayName), Name);
    }
    if (!(Flags & SHGFI_SYSICONINDEX))
        return 1;
    const bool Small = Flags & SHGFI_SMALLICON;
    const int Size = Small ? 16 : 32;
    const QFileIconProvider Provider;
    const QIcon Icon = IsDriveRoot(Text) ? Provider.icon(QAbstractFileIconProvider::Drive) : Provider.icon(File);
    const QPixmap Picture = Icon.pixmap(Size, Size);
    if (Picture.isNull())
        return 0;
    // The same picture is one image of the list, however often it is asked for.
    const QImage Image = Picture.toImage();
    Info->iIcon = AddSystemIcon(Small, static_cast<qint64>(qHashBits(Image.constBits(), static_cast<size_t>(Image.sizeInBytes()))), Picture);
    return reinterpret_cast<DWORD_PTR>(SystemImageList(Small));
}
