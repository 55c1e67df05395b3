#include "ItemPainting.h"

#include <memory>

#include "vcl/ImgList.h"

namespace YVclCtrl {

TColor FillItemBackground(TControl& Control, TControlCanvas& Canvas, const TRect& Rect, TOwnerDrawState State)
{
    TColor Back = Control.Color();
    TColor Text = Control.Font().Color();
    if (State.Contains(odSelected)) {
        Back = clActiveCaption;
        Text = clCaptionText;
    } else if (State.Contains(odDisabled)) {
        Back = clBtnFace;
        Text = clGrayText;
    }
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Back);
    Canvas.FillRect(Rect);
    return Text;
}

bool DrawShellIcon(TComponent* Owner, TControlCanvas& Canvas, const AnsiString& Path, UINT Flags, int X, int Y,
                   SHFILEINFO& Info)
{
    const auto System =
        reinterpret_cast<HIMAGELIST>(SHGetFileInfo(Path.c_str(), 0, &Info, sizeof(Info), SHGFI_SYSICONINDEX | Flags));
    HIMAGELIST Copy = System ? ImageList_Duplicate(System) : nullptr;
    if (!Copy)
        return false;
    auto Icons = std::make_unique<TImageList>(Owner);
    Icons->SetBkColor(clNone);
    Icons->SetHandle(Copy);
    Icons->Draw(&Canvas, X, Y, Info.iIcon, true);
    return true;
}

int ItemTextHeight(TControlCanvas& Canvas)
{
    return Canvas.Font().Size() * ScreenPixelsPerInch / 72;
}

} // namespace YVclCtrl
