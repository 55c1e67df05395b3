#include "FolderPaths.h"

#include <cctype>
#include <filesystem>

#include "rtl/Exceptions.h"
#include "win32/Drives.h"

AnsiString ResolveFolder(const AnsiString& Base, const AnsiString& Path)
{
    namespace fs = std::filesystem;
    fs::path Result = fs::path(Path).is_absolute() ? fs::path(Path) : fs::path(Base) / Path;
    AnsiString Text = Result.lexically_normal().string();
    while (Text.size() > 1 && Text.back() == '/')
        Text.pop_back();
    return Text;
}

AnsiString ExistingFolder(const AnsiString& Base, const AnsiString& Path)
{
    const AnsiString Folder = ResolveFolder(Base, Path);
    std::error_code Error;
    if (!std::filesystem::is_directory(Folder, Error))
        throw EInOutError("Directory not found: " + Path);
    return Folder;
}

AnsiString WorkingFolder()
{
    std::error_code Error;
    const auto Here = std::filesystem::current_path(Error);
    return Error ? AnsiString("/") : Here.string();
}

AnsiString FolderOfDrive(char Letter)
{
    const AnsiString Folder = DriveFolderPath(Letter);
    if (Folder.empty())
        throw EInOutError(AnsiString("Drive ") + static_cast<char>(std::toupper(static_cast<unsigned char>(Letter))) +
                          ": is not mapped");
    return ResolveFolder("/", Folder);
}
