#include "vcl/ImgList.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "CanvasPainting.h"
#include "ImageLists.h"
#include "QtSupport.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList()
{
    Release();
}

void TImageList::Release()
{
    if (FHandle && !FShareImages)
        ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

void TImageList::SetHandle(HIMAGELIST Value)
{
    if (Value == FHandle)
        return;
    Release();
    FHandle = Value;
}

int TImageList::Count() const
{
    return ImageList_GetImageCount(FHandle);
}

int TImageList::Width() const
{
    int W = 0, H = 0;
    return ImageList_GetIconSize(FHandle, &W, &H) ? W : 0;
}

int TImageList::Height() const
{
    int W = 0, H = 0;
    return ImageList_GetIconSize(FHandle, &W, &H) ? H : 0;
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const
{
    QPainter* Painter = TCanvasPainting::PainterOf(Canvas);
    QPixmap Picture = ImageOf(FHandle, Index);
    if (!Painter || Picture.isNull())
        return;
    const int Size = Width();
    if (FBkColor != clNone)
        Painter->fillRect(QRect(X, Y, Size, Size), ToQColor(FBkColor, QPalette()));
    if (!Enabled) {
        QStyleOption Option;
        Option.palette = QApplication::palette();
        Picture = QApplication::style()->generatedIconPixmap(QIcon::Disabled, Picture, &Option);
    }
    Painter->drawPixmap(X, Y, Picture);
}
