#include "vcl/DirectoryListBox.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "FolderPaths.h"
#include "StoredValues.h"
#include "rtl/SysUtils.h"
#include "vcl/DriveComboBox.h"
#include "vcl/FileListBox.h"
#include "win32/Drives.h"

namespace {

// Pixels each level is indented by.
constexpr int LevelIndent = 8;

} // namespace

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    SetStyle(lbOwnerDrawFixed);
    FDirectory = WorkingFolder();
    BuildList();
}

TDirectoryListBox::~TDirectoryListBox()
{
    if (FDriveCombo)
        FDriveCombo->FDirList = nullptr;
    if (FFileList)
        FFileList->FDirList = nullptr;
}

char TDirectoryListBox::Drive() const
{
    return DriveOfLinuxPath(FDirectory);
}

void TDirectoryListBox::SetDrive(char Value)
{
    const char Letter = static_cast<char>(std::toupper(static_cast<unsigned char>(Value)));
    if (Letter != Drive())
        SetDirectory(FolderOfDrive(Letter));
}

void TDirectoryListBox::SetDirectory(const AnsiString& Value)
{
    const AnsiString Folder = ExistingFolder(FDirectory, Value);
    if (Folder == FDirectory)
        return;
    FDirectory = Folder;
    BuildList();
    if (FFileList)
        FFileList->SetDirectory(FDirectory);
    if (FDriveCombo && Drive() && FDriveCombo->Drive() != Drive()) {
        FDriveCombo->FDrive = Drive();
        FDriveCombo->ChooseDriveItem();
    }
    if (FOnChange && !Loading())
        RunHandler([this] { FOnChange(this); });
}

void TDirectoryListBox::SetFileList(TFileListBox* Value)
{
    if (FFileList)
        FFileList->FDirList = nullptr;
    FFileList = Value;
    if (FFileList) {
        if (FFileList->FDirList && FFileList->FDirList != this)
            FFileList->FDirList->FFileList = nullptr;
        FFileList->FDirList = this;
        FFileList->SetDirectory(FDirectory);
    }
}

void TDirectoryListBox::BuildList()
{
    namespace fs = std::filesystem;
    // The levels: from the folder of the directory's drive (or the root)
    // down to the directory itself.
    const char Letter = Drive();
    AnsiString Top = Letter ? ResolveFolder("/", DriveFolderPath(Letter)) : AnsiString("/");
    FLevels = {Top};
    const AnsiString Rest = FDirectory.size() > Top.size() ? FDirectory.substr(Top == "/" ? 1 : Top.size() + 1) : "";
    std::vector<AnsiString> Names{Letter ? AnsiString(1, static_cast<char>(std::tolower(Letter))) + ":\\" : "/"};
    for (const auto& Part : fs::path(Rest)) {
        if (Part.empty())
            continue;
        FLevels.push_back(ResolveFolder(FLevels.back(), Part.string()));
        Names.push_back(Part.string());
    }
    std::vector<AnsiString> Children;
    std::error_code Error;
    for (fs::directory_iterator It(FDirectory, Error), End; !Error && It != End; It.increment(Error)) {
        const AnsiString Name = It->path().filename().string();
        std::error_code TypeError;
        if (!Name.empty() && Name[0] != '.' && It->is_directory(TypeError))
            Children.push_back(Name);
    }
    std::sort(Children.begin(), Children.end(),
              [](const AnsiString& A, const AnsiString& B) { return AnsiCompareText(A, B) < 0; });
    Names.insert(Names.end(), Children.begin(), Children.end());
    Items()->Assign(Names);
    SetItemIndex(static_cast<int>(FLevels.size()) - 1);
}

AnsiString TDirectoryListBox::GetItemPath(int Index) const
{
    if (Index < 0 || Index >= Items()->Count())
        return AnsiString();
    if (static_cast<size_t>(Index) < FLevels.size())
        return FLevels[static_cast<size_t>(Index)];
    return ResolveFolder(FDirectory, Items()->Strings(Index));
}

void TDirectoryListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem()) {
        TCustomListBox::DrawItem(Index, Rect, State);
        return;
    }
    const int Level = std::min(Index, static_cast<int>(FLevels.size()));
    Canvas()->FillRect(Rect);
    const AnsiString Text = Items()->Strings(Index);
    Canvas()->TextOut(Rect.Left + 2 + Level * LevelIndent, Rect.Top + (Rect.Height() - Canvas()->TextHeight(Text)) / 2,
                      Text);
}

void TDirectoryListBox::DblClick()
{
    TCustomListBox::DblClick();
    const AnsiString Path = GetItemPath(ItemIndex());
    if (!Path.empty())
        SetDirectory(Path);
}

void TDirectoryListBox::DefineProperties(TPropertyList& List)
{
    TCustomListBox::DefineProperties(List);
    List.AddEvent<TNotifyEvent>("OnChange", [this](TNotifyEvent E) { SetOnChange(std::move(E)); });
}
