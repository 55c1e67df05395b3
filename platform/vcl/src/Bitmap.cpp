#include "vcl/Bitmap.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <mutex>

#include "QtSupport.h"
#include "rtl/SysUtils.h"

namespace {

struct TResources {
    std::mutex Lock;
    std::map<AnsiString, const char* const*> ByName;   // names upper-cased
};

TResources& Resources()
{
    static TResources Instance;
    return Instance;
}

} // namespace

void RegisterBitmapResource(const AnsiString& Name, const char* const* Xpm)
{
    TResources& R = Resources();
    std::lock_guard<std::mutex> Guard(R.Lock);
    R.ByName[UpperCase(Name)] = Xpm;
}

bool BitmapResourceRegistered(const AnsiString& Name)
{
    TResources& R = Resources();
    std::lock_guard<std::mutex> Guard(R.Lock);
    return R.ByName.count(UpperCase(Name)) != 0;
}

struct TBitmap::TData {
    QImage Image;
};

TBitmap::TBitmap() : FData(std::make_unique<TData>()) {}

TBitmap::~TBitmap() = default;

void TBitmap::LoadFromResourceName(const AnsiString& Name)
{
    const char* const* Xpm = nullptr;
    {
        TResources& R = Resources();
        std::lock_guard<std::mutex> Guard(R.Lock);
        auto Found = R.ByName.find(UpperCase(Name));
        if (Found != R.ByName.end())
            Xpm = Found->second;
    }
    QImage Image = Xpm ? QImage(Xpm) : QImage();
    if (Image.isNull())
        throw EResNotFound("Resource " + Name + " not found");
    FData->Image = Image.convertToFormat(QImage::Format_RGB32);
}

int TBitmap::Width() const
{
    return FData->Image.width();
}

int TBitmap::Height() const
{
    return FData->Image.height();
}

TColor TBitmap::TransparentColor() const
{
    return Empty() ? clNone : Pixels(0, Height() - 1);
}

TColor TBitmap::Pixels(int X, int Y) const
{
    if (!FData->Image.valid(X, Y))
        return clNone;
    return FromQRgb(FData->Image.pixel(X, Y));
}

void TBitmap::DrawOn(QPainter& Painter, int X, int Y) const
{
    if (Empty())
        return;
    QPixmap Picture = QPixmap::fromImage(FData->Image);
    if (FTransparent) {
        const QRgb Key = FData->Image.pixel(0, Height() - 1);
        Picture.setMask(QBitmap::fromImage(FData->Image.createMaskFromColor(Key, Qt::MaskInColor)));
    }
    Painter.drawPixmap(X, Y, Picture);
}
