#pragma once
// Bitmaps, and the program's bitmap resources they load from.
//
// A resource is registered by name with its picture in XPM form; names are
// looked up regardless of case. A transparent bitmap takes the colour of
// its bottom-left pixel as its transparent colour, as the class library
// does.

#include <memory>

#include "rtl/Exceptions.h"
#include "vcl/Graphics.h"

class QPainter;

// A resource that is not there: "Resource <name> not found".
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// Xpm: the lines of an XPM picture (values, colours, pixel rows), as the
// XPM format's C array has them; they must outlive the program's use of the
// resource. A later registration of the same name replaces the earlier.
void RegisterBitmapResource(const AnsiString& Name, const char* const* Xpm);
bool BitmapResourceRegistered(const AnsiString& Name);

class TBitmap : public TObject {
public:
    TBitmap();
    ~TBitmap() override;

    // Raises EResNotFound for a name that is not registered.
    void LoadFromResourceName(const AnsiString& Name);

    int Width() const;
    int Height() const;
    bool Empty() const { return Width() == 0; }

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    // The bottom-left pixel; clNone for an empty bitmap.
    TColor TransparentColor() const;

    // The colour of a pixel; clNone outside the bitmap.
    TColor Pixels(int X, int Y) const;

    // For the window layer: draws the bitmap on a painter.
    void DrawOn(QPainter& Painter, int X, int Y) const;

private:
    struct TData;
    std::unique_ptr<TData> FData;
    bool FTransparent = false;
};
