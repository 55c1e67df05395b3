#include "YVclCtrl/Tyfilelistbox.h"

#include "CheckedFolders.h"
#include "ItemPainting.h"
#include "rtl/StoredProperties.h"

namespace YVclCtrl {

void TYFileListBox::RunConstructor(TComponent*)
{
    SetStyle(lbOwnerDrawVariable);
    TFileListBox::SetShowGlyphs(true);
    FYShowGlyphs = true;
}

void TYFileListBox::WrDrive(char Value)
{
    CheckDriveReady("TYFileListBox", Value, Name());
    SetDrive(Value);
}

void TYFileListBox::WrDir(const AnsiString& Value)
{
    CheckDirectory("TYFileListBox", Value, Directory(), Name());
    ApplyFilePath(Value);
}

void TYFileListBox::WrShowGlyphs(bool Value)
{
    FYShowGlyphs = Value;
    RecreateWnd();
}

void TYFileListBox::MeasureItem(int, int& Height)
{
    Height = ItemHeight() + 4;
}

void TYFileListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TControlCanvas& C = *Canvas();
    const TColor Text = FillItemBackground(*this, C, Rect, State);
    const AnsiString Name = Items()->Strings(Index);
    // The shell is asked with the file's path: the list does not change the
    // program's working folder.
    const AnsiString Path = Directory() == "/" ? "/" + Name : Directory() + "/" + Name;
    SHFILEINFO Info{};
    if (FYShowGlyphs && !DrawShellIcon(this, C, Path, SHGFI_SMALLICON, Rect.Left + 2, Rect.Top, Info))
        return;
    const int PixelHeight = ItemTextHeight(C);
    const int TextY = ItemHeight() > PixelHeight ? Rect.Top + (ItemHeight() - PixelHeight) / 2 : Rect.Top;
    C.Font().SetColor(Text);
    C.Brush().SetStyle(bsClear);
    C.TextOut(Rect.Left + (FYShowGlyphs ? 26 : 4), TextY, Name);
}

void TYFileListBox::DefineProperties(TPropertyList& List)
{
    TFileListBox::DefineProperties(List);
    List.Add("ShowGlyphs", [this](const TStoredValue& V) { WrShowGlyphs(V.AsBool()); });
}

} // namespace YVclCtrl
