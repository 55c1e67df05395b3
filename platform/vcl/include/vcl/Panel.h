#pragma once
// A panel: a raised or lowered area that holds controls, with a centred
// caption. A disabled panel keeps the look of its controls but passes no
// input to them.

#include "vcl/Controls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner);

    using TControl::Caption;
    using TControl::SetCaption;

    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    void SetEnabled(bool Value) override;

    void DefineProperties(TPropertyList& List) override;

protected:
    void CaptionChanged() override;
    void ColorChanged() override;

private:
    class TPanelWidget;
    TPanelWidget* FPanel;
    TPanelBevel FBevelOuter = bvRaised;
    TPanelBevel FBevelInner = bvNone;
};
