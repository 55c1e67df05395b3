#include "vcl/testing/Screenshot.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "QtSupport.h"
#include "vcl/testing/User.h"

bool SaveScreenshot(TForm* Form, const AnsiString& FileName)
{
    if (!Form->Visible())
        TUser::ShowForm(Form);
    TUser::ProcessEvents();
    QPixmap Picture = Form->Widget()->grab();
    return !Picture.isNull() && Picture.save(ToQt(FileName), "PNG");
}

TShownPicture::TShownPicture(TControl* Control)
{
    TUser::ProcessEvents();
    const QImage Picture = Control->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    FWidth = Picture.width();
    FHeight = Picture.height();
    FPixels.reserve(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight));
    for (int Y = 0; Y < FHeight; ++Y)
        for (int X = 0; X < FWidth; ++X)
            FPixels.push_back(FromQRgb(Picture.pixel(X, Y)));
}

TColor TShownPicture::Pixels(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return clNone;
    return FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)];
}
