#pragma once
// A speed button: a button that never takes the keyboard focus (so a cell
// being edited stays open while it is pressed); Flat shows its face only
// under the mouse.

#include "vcl/Controls.h"

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* AOwner);

    using TControl::Caption;
    using TControl::SetCaption;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    // Runs OnClick, as a press of the button does.
    void Click();

    void DefineProperties(TPropertyList& List) override;

protected:
    void CaptionChanged() override;

private:
    bool FFlat = false;
    TNotifyEvent FOnClick;
};
