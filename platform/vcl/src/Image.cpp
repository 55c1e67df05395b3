#include "vcl/Image.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <optional>

#include "rtl/StoredProperties.h"

class TImage::TImageWidget : public QWidget {
public:
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (Picture.isNull())
            return;
        QPainter Painter(this);
        Painter.drawImage(0, 0, Picture);
    }
};

// Draws on the picture; each call opens and closes its own painter.
class TImage::TImageCanvas : public TCanvas {
public:
    explicit TImageCanvas(TImage* AImage) : Image(AImage) {}

protected:
    QPainter* BeginDraw() override
    {
        QImage& Picture = Image->FImage->Picture;
        QSize Size(std::max(1, Image->Width()), std::max(1, Image->Height()));
        if (Picture.size() != Size) {
            // The picture takes the control's size; what was drawn stays.
            QImage Grown(Size, QImage::Format_RGB32);
            Grown.fill(Qt::white);
            if (!Picture.isNull()) {
                QPainter Copy(&Grown);
                Copy.drawImage(0, 0, Picture);
            }
            Picture = std::move(Grown);
        }
        Painter.emplace(&Picture);
        return &*Painter;
    }

    void EndDraw() override
    {
        Painter.reset();
        Image->FImage->update();
    }

private:
    TImage* Image;
    std::optional<QPainter> Painter;
};

TImage::TImage(TComponent* AOwner) : TControl(AOwner, new TImageWidget)
{
    FImage = static_cast<TImageWidget*>(Widget());
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

TCanvas* TImage::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TImageCanvas>(this);
    return FCanvas.get();
}

void TImage::DefineProperties(TPropertyList& List)
{
    TControl::DefineProperties(List);
}
