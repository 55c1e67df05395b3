#include "vcl/ControlCanvas.h"

#include "CanvasPainting.h"
#include "vcl/Bitmap.h"

TControlCanvas::TControlCanvas() : FContext(std::make_unique<TDeviceContext>()) {}

TControlCanvas::~TControlCanvas() = default;

HDC TControlCanvas::Handle() const
{
    return FContext->Painter ? FContext.get() : nullptr;
}

void TControlCanvas::Draw(int X, int Y, const TBitmap* Bitmap)
{
    if (FContext->Painter && Bitmap)
        Bitmap->DrawOn(*FContext->Painter, X, Y);
}

QPainter* TControlCanvas::BeginDraw()
{
    return FContext->Painter;
}

void TControlCanvas::EndDraw() {}

TCanvasPainting::TCanvasPainting(TControlCanvas& Canvas, QPainter& Painter)
    : FCanvas(Canvas), FPrevious(Canvas.FContext->Painter)
{
    Canvas.FContext->Painter = &Painter;
}

TCanvasPainting::~TCanvasPainting()
{
    FCanvas.FContext->Painter = FPrevious;
}

QPainter* TCanvasPainting::PainterOf(const TCanvas* Canvas)
{
    auto* Control = dynamic_cast<const TControlCanvas*>(Canvas);
    return Control ? Control->FContext->Painter : nullptr;
}
