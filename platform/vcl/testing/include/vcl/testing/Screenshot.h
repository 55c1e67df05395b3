#pragma once
// Pictures of windows as they are shown: a form's saved as a PNG file, a
// control's read pixel by pixel.

#include <vector>

#include "vcl/Form.h"

// Shows the form first when it is hidden; false when the file could not be
// written.
bool SaveScreenshot(TForm* Form, const AnsiString& FileName);

// What a control shows at the time it is taken, as its window paints it.
class TShownPicture {
public:
    explicit TShownPicture(TControl* Control);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The colour (0x00BBGGRR) of a pixel; clNone outside the picture.
    TColor Pixels(int X, int Y) const;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TColor> FPixels;   // row by row
};
