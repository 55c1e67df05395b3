#pragma once
// TYDriveComboBox: a drive combo box that lists only the chosen kinds of
// drive, draws each with the shell's icon and display name, and refuses a
// drive that is not ready (its free space cannot be asked for).
//
// The list never holds fewer than two items: one item of three spaces is
// added when a single drive is listed, two when none is. A drive whose type
// the platform cannot tell, or whose folder is missing, is always listed.

#include "vcl/DriveComboBox.h"
#include "vcl/Sets.h"

namespace YVclCtrl {

enum EnumYDriveType : unsigned char { dtFixedDisk, dtRamDisk, dtRemote, dtRemovable, dtCdROM };
using TYDriveTypes = TSet<EnumYDriveType>;

// How an inaccessible drive is reported.
enum YDrvCBoxErrPost : unsigned char { epNone, epThrowException, epShowMsgDlg };

class TYDriveComboBox : public TDriveComboBox {
public:
    explicit TYDriveComboBox(TComponent* AOwner) : TDriveComboBox(AOwner) { RunConstructor(AOwner); }
    ~TYDriveComboBox() override { RunDestructor(); }

    // The items' height less 2; at least 8.
    int ItemHt() const { return FItemHt; }
    void WrItemHeight(int Value);
    // Big icons: ItemHt 32, else 16.
    bool ShowBigIcon() const { return FShowBigIcon; }
    void WrShowBigIcon(bool Value);
    // The kinds listed from the next BuildList on.
    TYDriveTypes DriveType() const { return FDriveType; }
    void WrDriveType(TYDriveTypes Value);
    YDrvCBoxErrPost ErrPostStyle() const { return FErrPostStyle; }
    void WrErrPostStyle(YDrvCBoxErrPost Value);

    char RdDrive() const { return Drive(); }
    // Changes the drive when it is ready; otherwise reports it by
    // ErrPostStyle and keeps the drive.
    void WrDrive(char Value);

    // True when the free space of the root ("C:\") can be asked for.
    bool IsDriveReadyForAccess(const char* RootPath);
    // Reports an inaccessible drive by ErrPostStyle.
    void ThrowErrDriveSelection(const char* RootPath);

    void DefineProperties(TPropertyList& List) override;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;
    void BuildList() override;
    void Click() override;

private:
    void RunConstructor(TComponent* AOwner);
    void RunDestructor() {}

    int FItemHt = 16;
    bool FShowBigIcon = false;
    TYDriveTypes FDriveType;
    YDrvCBoxErrPost FErrPostStyle = epNone;
};

} // namespace YVclCtrl
