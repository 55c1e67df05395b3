#pragma once
// Check boxes and radio buttons.
//
// Setting Checked raises OnClick when the value changes, from code as from
// the user's click; a radio button raises it when it becomes checked. Radio
// buttons with one parent form one group: checking one unchecks the others
// (without their OnClick). Events stay silent while the form resource is
// read.

#include "vcl/Controls.h"

class TButtonControl : public TWinControl {
public:
    using TControl::Caption;
    using TControl::SetCaption;

    bool Checked() const;
    virtual void SetChecked(bool Value);

    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

protected:
    TButtonControl(TComponent* AOwner, QWidget* AWidget);
    void CaptionChanged() override;
    // The toolkit's check state changed (by code or by the user).
    void StateChanged(bool NowChecked);
    virtual bool ClickOn(bool NowChecked) const = 0;

private:
    TNotifyEvent FOnClick;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);

protected:
    bool ClickOn(bool) const override { return true; }
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    void SetChecked(bool Value) override;

protected:
    bool ClickOn(bool NowChecked) const override { return NowChecked; }
};
