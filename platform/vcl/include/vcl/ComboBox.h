#pragma once
// A combo box: a list of items, one of which may be chosen, and (in the
// default csDropDown style) a text that can also be typed.
//
// OnChange comes from the user choosing an item or typing, never from code
// setting ItemIndex or Text. An ItemIndex outside the items chooses none
// (-1). A typed text chooses the item it equals, else none.

#include <memory>

#include "vcl/Controls.h"
#include "vcl/Strings.h"

// The owner-drawn styles are lists that a descendant draws (TDriveComboBox);
// a plain combo box shows them as csDropDownList.
enum TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStrings* Items() const;

    int ItemIndex() const;
    void SetItemIndex(int Value);

    // The text of the box: the chosen item's, or what was typed or set.
    AnsiString Text() const;
    void SetText(const AnsiString& Value);

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int DropDownCount() const;
    void SetDropDownCount(int Value);

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

protected:
    // The user chose an item; runs before OnChange.
    virtual void Click() {}

private:
    class TItems;
    void UserTyped(const AnsiString& Text);
    void UserChose(int Index);

    std::unique_ptr<TItems> FItems;
    TComboBoxStyle FStyle = csDropDown;
    TNotifyEvent FOnChange;
};
