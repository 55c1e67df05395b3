#include "vcl/FileListBox.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fnmatch.h>

#include "FolderPaths.h"
#include "StoredValues.h"
#include "rtl/SysUtils.h"
#include "vcl/DirectoryListBox.h"
#include "win32/Drives.h"

namespace {

bool Matches(const AnsiString& Mask, const AnsiString& Name)
{
    size_t Start = 0;
    while (Start <= Mask.size()) {
        size_t End = Mask.find(';', Start);
        if (End == AnsiString::npos)
            End = Mask.size();
        AnsiString Pattern = Trim(Mask.substr(Start, End - Start));
        if (Pattern == "*.*")
            Pattern = "*";
        if (!Pattern.empty() && fnmatch(Pattern.c_str(), Name.c_str(), FNM_CASEFOLD) == 0)
            return true;
        Start = End + 1;
    }
    return false;
}

bool HasWildcard(const AnsiString& Text)
{
    return Text.find_first_of("*?") != AnsiString::npos;
}

} // namespace

TFileListBox::TFileListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    SetStyle(lbOwnerDrawFixed);
    FDirectory = WorkingFolder();
    ReadFileNames();
}

TFileListBox::~TFileListBox()
{
    if (FDirList)
        FDirList->FFileList = nullptr;
}

void TFileListBox::SetDirectory(const AnsiString& Value)
{
    const AnsiString Folder = ExistingFolder(FDirectory, Value);
    if (Folder == FDirectory)
        return;
    FDirectory = Folder;
    ReadFileNames();
    if (FDirList)
        FDirList->SetDirectory(FDirectory);
    if (FOnChange && !Loading())
        RunHandler([this] { FOnChange(this); });
}

char TFileListBox::Drive() const
{
    return DriveOfLinuxPath(FDirectory);
}

void TFileListBox::SetDrive(char Value)
{
    const char Letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Value)));
    if (Letter != Drive())
        SetDirectory(FolderOfDrive(Letter));
}

void TFileListBox::SetMask(const AnsiString& Value)
{
    FMask = Value.empty() ? AnsiString("*.*") : Value;
    ReadFileNames();
}

void TFileListBox::SetShowGlyphs(bool Value)
{
    FShowGlyphs = Value;
    RecreateWnd();
}

AnsiString TFileListBox::FileName() const
{
    const int Index = ItemIndex();
    return Index >= 0 ? ResolveFolder(FDirectory, Items()->Strings(Index)) : AnsiString();
}

void TFileListBox::Update()
{
    ReadFileNames();
}

void TFileListBox::ReadFileNames()
{
    namespace fs = std::filesystem;
    std::vector<AnsiString> Names;
    std::error_code Error;
    for (fs::directory_iterator It(FDirectory, Error), End; !Error && It != End; It.increment(Error)) {
        const AnsiString Name = It->path().filename().string();
        std::error_code TypeError;
        if (!Name.empty() && Name[0] != '.' && It->is_regular_file(TypeError) && Matches(FMask, Name))
            Names.push_back(Name);
    }
    std::sort(Names.begin(), Names.end(),
              [](const AnsiString& A, const AnsiString& B) { return AnsiCompareText(A, B) < 0; });
    Items()->Assign(Names);
}

void TFileListBox::ApplyFilePath(const AnsiString& EditText)
{
    namespace fs = std::filesystem;
    if (EditText.empty())
        return;
    const AnsiString Full = ResolveFolder(FDirectory, EditText);
    std::error_code Error;
    if (fs::is_directory(Full, Error)) {
        SetDirectory(Full);
        return;
    }
    const fs::path Path(Full);
    const AnsiString Folder = Path.parent_path().string();
    const AnsiString Name = Path.filename().string();
    if (EditText.find('/') != AnsiString::npos)
        SetDirectory(Folder.empty() ? AnsiString("/") : Folder);
    if (HasWildcard(Name)) {
        SetMask(Name);
    } else {
        const int Index = Items()->IndexOf(Name);
        if (Index >= 0)
            SetItemIndex(Index);
    }
}

void TFileListBox::DefineProperties(TPropertyList& List)
{
    TCustomListBox::DefineProperties(List);
    List.Add("Mask", [this](const TStoredValue& V) { SetMask(V.AsString()); });
    List.Add("ShowGlyphs", [this](const TStoredValue& V) { SetShowGlyphs(V.AsBool()); });
    List.AddEvent<TNotifyEvent>("OnChange", [this](TNotifyEvent E) { SetOnChange(std::move(E)); });
}
