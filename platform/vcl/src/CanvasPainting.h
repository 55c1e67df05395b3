#pragma once
// Binds a control's canvas to the painter of one paint while it lives
// (private to the window layer).

#include <QPainter>

#include "vcl/ControlCanvas.h"

struct TDeviceContext {
    QPainter* Painter = nullptr;
};

class TCanvasPainting {
public:
    TCanvasPainting(TControlCanvas& Canvas, QPainter& Painter);
    ~TCanvasPainting();
    TCanvasPainting(const TCanvasPainting&) = delete;
    TCanvasPainting& operator=(const TCanvasPainting&) = delete;

    // The painter of a canvas that is painting, else null.
    static QPainter* PainterOf(const TCanvas* Canvas);

private:
    TControlCanvas& FCanvas;
    QPainter* FPrevious;
};
