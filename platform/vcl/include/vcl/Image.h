#pragma once
// An image with a canvas to draw on. The picture is the control's size and
// white until drawn on; what is drawn stays until drawn over.

#include <memory>

#include "vcl/Controls.h"

class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TCanvas* Canvas();

    void DefineProperties(TPropertyList& List) override;

private:
    class TImageWidget;
    class TImageCanvas;
    std::unique_ptr<TImageCanvas> FCanvas;
    TImageWidget* FImage;
};
