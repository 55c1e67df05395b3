#pragma once
// TYDirectoryListBox: a directory list that refuses a drive or directory
// that cannot be reached, raising EInOutError with the drive or path and the
// control's name; the drive or directory then stays as it was.

#include "vcl/DirectoryListBox.h"

namespace YVclCtrl {

class TYDirectoryListBox : public TDirectoryListBox {
public:
    explicit TYDirectoryListBox(TComponent* AOwner) : TDirectoryListBox(AOwner) { RunConstructor(AOwner); }
    ~TYDirectoryListBox() override { RunDestructor(); }

    char RdDrive() const { return Drive(); }
    void WrDrive(char Value);
    const AnsiString& RdDir() const { return Directory(); }
    void WrDir(const AnsiString& Value);

private:
    void RunConstructor(TComponent*) {}
    void RunDestructor() {}
};

} // namespace YVclCtrl
