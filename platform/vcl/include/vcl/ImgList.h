#pragma once
// An image list component: wraps a platform image list (vcl/CommCtrl.h) and
// draws its images on a canvas.

#include "rtl/Classes.h"
#include "vcl/CommCtrl.h"
#include "vcl/Graphics.h"

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    // Destroys the list it holds unless ShareImages.
    ~TImageList() override;

    HIMAGELIST Handle() const { return FHandle; }
    // Takes the list (destroying the one held before, unless ShareImages).
    void SetHandle(HIMAGELIST Value);
    // True: the list belongs to someone else and is never destroyed here.
    bool ShareImages() const { return FShareImages; }
    void SetShareImages(bool Value) { FShareImages = Value; }
    // clNone: the images are drawn without a background.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value) { FBkColor = Value; }

    int Count() const;
    int Width() const;
    int Height() const;

    // Draws image Index at (X, Y) on a control's canvas while it paints (a
    // disabled image is drawn greyed); nothing for an index outside the list.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

private:
    void Release();

    HIMAGELIST FHandle = nullptr;
    bool FShareImages = false;
    TColor FBkColor = clNone;
};
