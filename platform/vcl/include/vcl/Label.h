#pragma once
// A text on the form. With AutoSize (the default) it takes the size of its
// caption; Color fills its background unless Transparent.

#include "vcl/Controls.h"

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner);

    using TControl::Caption;
    using TControl::SetCaption;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    void DefineProperties(TPropertyList& List) override;

protected:
    void CaptionChanged() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    void AdjustSize();

    bool FAutoSize = true;
    bool FTransparent = false;
    TAlignment FAlignment = taLeftJustify;
};
