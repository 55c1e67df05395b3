#pragma once
// TYFileListBox: a file list that refuses a drive or directory that cannot
// be reached (EInOutError with the drive or path and the control's name)
// and draws the shell's small icon before each file name.
//
// Items are 4 pixels higher than ItemHeight. With ShowGlyphs the icon is
// drawn 2 pixels in and the name 26 pixels in, without it the name 4 pixels
// in. Sorted is the list box's sorting.

#include "vcl/FileListBox.h"

namespace YVclCtrl {

class TYFileListBox : public TFileListBox {
public:
    explicit TYFileListBox(TComponent* AOwner) : TFileListBox(AOwner) { RunConstructor(AOwner); }
    ~TYFileListBox() override { RunDestructor(); }

    char RdDrive() const { return Drive(); }
    void WrDrive(char Value);
    const AnsiString& RdDir() const { return Directory(); }
    // A missing directory is refused; an existing path goes to ApplyFilePath.
    void WrDir(const AnsiString& Value);
    bool RdShowGlyphs() const { return FYShowGlyphs; }
    void WrShowGlyphs(bool Value);

    void DefineProperties(TPropertyList& List) override;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;

private:
    void RunConstructor(TComponent* AOwner);
    void RunDestructor() {}

    bool FYShowGlyphs = true;
};

} // namespace YVclCtrl
