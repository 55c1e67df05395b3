#pragma once
// The canvas a control draws its owner-drawn items on. It can be drawn on
// only while the control paints (inside DrawItem); at any other time the
// drawing calls do nothing. Handle is the device context that the drawing
// routines of the platform take (DrawFrameControl), valid as long.

#include <memory>

#include "vcl/Graphics.h"

class QPainter;
class TBitmap;

struct TDeviceContext;
using HDC = TDeviceContext*;

class TControlCanvas : public TCanvas {
public:
    TControlCanvas();
    ~TControlCanvas() override;

    // Null while the control is not painting.
    HDC Handle() const;

    // Draws the bitmap with its top-left corner at (X, Y); a transparent
    // bitmap leaves the pixels of its transparent colour undrawn.
    void Draw(int X, int Y, const TBitmap* Bitmap);

protected:
    QPainter* BeginDraw() override;
    void EndDraw() override;

private:
    friend class TCanvasPainting;
    std::unique_ptr<TDeviceContext> FContext;
};
