#pragma once
// A list of the files of a directory that match a mask: plain files only,
// hidden ones (names starting with a dot) left out, in name order.
//
// The mask is one or more patterns separated by ';' with '*' and '?',
// matched without regard to case; "*.*" matches every name, as on the
// platform this library comes from. Directories are Linux paths; the drive
// is the letter whose folder holds the directory (win32/Drives.h).

#include "rtl/Exceptions.h"
#include "vcl/ListBox.h"

class TDirectoryListBox;

class TFileListBox : public TCustomListBox {
public:
    explicit TFileListBox(TComponent* AOwner);
    ~TFileListBox() override;

    const AnsiString& Directory() const { return FDirectory; }
    // Raises EInOutError "Directory not found: <path>" for a missing one.
    void SetDirectory(const AnsiString& Value);
    // The drive of the directory; 0 when no drive holds it.
    char Drive() const;
    // Goes to the drive's folder; EInOutError for a letter without one.
    void SetDrive(char Value);

    const AnsiString& Mask() const { return FMask; }
    void SetMask(const AnsiString& Value);

    // Whether each name is drawn after a glyph: kept for descendants that
    // draw one; the plain drawing shows the names only.
    bool ShowGlyphs() const { return FShowGlyphs; }
    void SetShowGlyphs(bool Value);

    // The chosen file's path; empty when none is chosen.
    AnsiString FileName() const;

    // Takes a text as typed into a file name box: a directory becomes the
    // directory (of the attached directory list too), a name with '*' or
    // '?' the mask, and an existing file's name chooses it; a path is taken
    // from the current directory.
    void ApplyFilePath(const AnsiString& EditText);

    // Reads the directory again.
    void Update();

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

private:
    friend class TDirectoryListBox;
    void ReadFileNames();

    AnsiString FDirectory;
    AnsiString FMask = "*.*";
    bool FShowGlyphs = false;
    TDirectoryListBox* FDirList = nullptr;
    TNotifyEvent FOnChange;
};
