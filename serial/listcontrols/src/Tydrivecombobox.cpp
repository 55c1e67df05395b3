#include "YVclCtrl/Tydrivecombobox.h"

#include "ItemPainting.h"
#include "rtl/StoredProperties.h"
#include "rtl/SysUtils.h"
#include "win32/Drives.h"
#include "win32/MessageBox.h"

namespace YVclCtrl {

namespace {

const std::vector<const char*> DriveTypeNames = {"dtFixedDisk", "dtRamDisk", "dtRemote", "dtRemovable", "dtCdROM"};
const std::vector<const char*> ErrPostNames = {"epNone", "epThrowException", "epShowMsgDlg"};

// The member of a Windows drive type; false for the types that are always
// listed.
bool KindOf(UINT Type, EnumYDriveType& Kind)
{
    switch (Type) {
    case DRIVE_FIXED: Kind = dtFixedDisk; return true;
    case DRIVE_RAMDISK: Kind = dtRamDisk; return true;
    case DRIVE_REMOTE: Kind = dtRemote; return true;
    case DRIVE_REMOVABLE: Kind = dtRemovable; return true;
    case DRIVE_CDROM: Kind = dtCdROM; return true;
    default: return false;
    }
}

// A stored set, "[dtFixedDisk, dtCdROM]".
TYDriveTypes StoredDriveTypes(const TStoredValue& Value)
{
    if (Value.Text.empty() || Value.Text.front() != '[')
        throw EReadError("Invalid property value '" + Value.Text + "'");
    TYDriveTypes Types;
    for (const AnsiString& Item : Value.Items)
        Types << TStoredValue(Item).AsEnumOf<EnumYDriveType>(DriveTypeNames);
    return Types;
}

} // namespace

void TYDriveComboBox::RunConstructor(TComponent*)
{
    SetStyle(csOwnerDrawVariable);
    FDriveType = {dtFixedDisk, dtRamDisk, dtRemote, dtRemovable, dtCdROM};
    FItemHt = 16;
}

void TYDriveComboBox::WrItemHeight(int Value)
{
    if (Value < 8) {
        FItemHt = 8;
        return;
    }
    FItemHt = Value;
    RecreateWnd();
}

void TYDriveComboBox::WrShowBigIcon(bool Value)
{
    FShowBigIcon = Value;
    WrItemHeight(Value ? 32 : 16);
}

void TYDriveComboBox::WrDriveType(TYDriveTypes Value)
{
    FDriveType = Value;
}

void TYDriveComboBox::WrErrPostStyle(YDrvCBoxErrPost Value)
{
    FErrPostStyle = Value;
}

void TYDriveComboBox::WrDrive(char Value)
{
    const AnsiString Root = Format("%c:\\", Value);
    if (IsDriveReadyForAccess(Root.c_str()))
        SetDrive(Value);
    else
        ThrowErrDriveSelection(Root.c_str());
}

bool TYDriveComboBox::IsDriveReadyForAccess(const char* RootPath)
{
    ULARGE_INTEGER Free{}, Total{}, TotalFree{};
    return RootPath && GetDiskFreeSpaceEx(RootPath, &Free, &Total, &TotalFree);
}

void TYDriveComboBox::ThrowErrDriveSelection(const char* RootPath)
{
    const AnsiString Message = Format("Err: TYDriverComboBox \nInaccessible volume \"%s\" \nfrom component %s",
                                      RootPath ? RootPath : "", Name().c_str());
    switch (FErrPostStyle) {
    case epThrowException: throw EInOutError(Message);
    case epShowMsgDlg: MessageBox(nullptr, Message.c_str(), "ORB-YVCL", MB_ICONERROR); break;
    default: break;
    }
}

void TYDriveComboBox::BuildList()
{
    Items()->Clear();
    const DWORD Drives = GetLogicalDrives();
    int Listed = 0;
    for (int I = 0; I < 26; ++I) {
        if (!(Drives & (1u << I)))
            continue;
        const AnsiString Root = Format("%c:\\", 'A' + I);
        EnumYDriveType Kind{};
        if (KindOf(GetDriveType(Root.c_str()), Kind) && !FDriveType.Contains(Kind))
            continue;
        Items()->Add(Root);
        ++Listed;
    }
    for (; Listed < 2; ++Listed)
        Items()->Add("   ");
}

void TYDriveComboBox::MeasureItem(int, int& Height)
{
    Height = FItemHt + 2;
}

void TYDriveComboBox::Click()
{
    const int Index = ItemIndex();
    const AnsiString Chosen = Index >= 0 ? Items()->Strings(Index) : AnsiString();
    if (!DirList() || IsDriveReadyForAccess(Chosen.c_str())) {
        TDriveComboBox::Click();
        return;
    }
    SetItemIndex(Items()->IndexOf(Format("%c:\\", Drive())));
    ThrowErrDriveSelection(Chosen.c_str());
}

void TYDriveComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TControlCanvas& C = *Canvas();
    const TColor Text = FillItemBackground(*this, C, Rect, State);
    SHFILEINFO Info{};
    const UINT Flags = SHGFI_DISPLAYNAME | (FShowBigIcon ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (!DrawShellIcon(this, C, Items()->Strings(Index), Flags, Rect.Left + 2, Rect.Top, Info))
        return;
    const int PixelHeight = ItemTextHeight(C);
    const int TextY = FItemHt > PixelHeight ? Rect.Top + (FItemHt - PixelHeight) / 2 - 1 : Rect.Top;
    C.Font().SetColor(Text);
    C.Brush().SetStyle(bsClear);
    C.TextOut(Rect.Left + (FShowBigIcon ? 42 : 26), TextY, Info.szDisplayName);
}

void TYDriveComboBox::DefineProperties(TPropertyList& List)
{
    TDriveComboBox::DefineProperties(List);
    List.Add("ItemHt", [this](const TStoredValue& V) { WrItemHeight(V.AsInt()); });
    List.Add("ShowBigIcon", [this](const TStoredValue& V) { WrShowBigIcon(V.AsBool()); });
    List.Add("DriveType", [this](const TStoredValue& V) { WrDriveType(StoredDriveTypes(V)); });
    List.Add("ErrPostStyle",
             [this](const TStoredValue& V) { WrErrPostStyle(V.AsEnumOf<YDrvCBoxErrPost>(ErrPostNames)); });
}

} // namespace YVclCtrl
