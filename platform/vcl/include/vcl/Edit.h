#pragma once
// A one-line text box.

#include "vcl/Controls.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);

    AnsiString Text() const;
    void SetText(const AnsiString& Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);

    // Runs when the user changes the text (typing), not when code sets it.
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

private:
    TNotifyEvent FOnChange;
};
