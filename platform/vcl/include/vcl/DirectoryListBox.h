#pragma once
// A list of folders: the levels from the drive's folder down to the current
// directory, then the folders in it (hidden ones, whose names start with a
// dot, left out), each indented by its level. A double click on an item
// makes it the current directory.
//
// Directories are Linux paths; the drive is the letter whose folder holds
// the directory (win32/Drives.h), and the first level shows as "c:\". An
// attached file list (FileList) follows every change of directory.

#include "rtl/Exceptions.h"
#include "vcl/ListBox.h"

class TDriveComboBox;
class TFileListBox;

class TDirectoryListBox : public TCustomListBox {
public:
    explicit TDirectoryListBox(TComponent* AOwner);
    ~TDirectoryListBox() override;

    // The drive of the directory; 0 when no drive holds it.
    char Drive() const;
    // Goes to the drive's folder. Raises EInOutError "Drive <L>: is not
    // mapped" for a letter without one.
    void SetDrive(char Value);

    const AnsiString& Directory() const { return FDirectory; }
    // A path relative to the current directory is taken from there. Raises
    // EInOutError "Directory not found: <path>" for a missing directory; the
    // directory stays as it was.
    void SetDirectory(const AnsiString& Value);

    TFileListBox* FileList() const { return FFileList; }
    void SetFileList(TFileListBox* Value);

    // The folder an item stands for.
    AnsiString GetItemPath(int Index) const;

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void DblClick() override;

private:
    friend class TDriveComboBox;
    friend class TFileListBox;
    void BuildList();

    AnsiString FDirectory;
    std::vector<AnsiString> FLevels;   // the folder of each level, drive folder first
    TFileListBox* FFileList = nullptr;
    TDriveComboBox* FDriveCombo = nullptr;
    TNotifyEvent FOnChange;
};
