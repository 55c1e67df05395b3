#pragma once
// The main menu of a form and its items.
//
// An item with AutoCheck checks itself when clicked: a radio item (RadioItem)
// becomes checked and unchecks the other radio items of its GroupIndex in
// the same menu; any other item toggles. OnClick runs after that. A disabled
// item, or one in a disabled menu, cannot be clicked.
//
// In a form resource the items are nested in the menu and in each other,
// and the form names its menu: Menu = MainMenu1.

#include <vector>

#include "rtl/Classes.h"

class QAction;
class QMenu;
class QMenuBar;
class TMainMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);

    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    // What a click does: AutoCheck, then OnClick.
    void Click();

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    // The item or menu that holds this one.
    TMenuItem* ParentItem() const { return FParentItem; }
    TMainMenu* Menu() const;
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);

    // The action that stands for the item (for the test helpers).
    QAction* Action() const { return FAction; }

    void DefineProperties(TPropertyList& List) override;

private:
    friend class TMainMenu;
    QMenu* SubMenu();
    void SyncAction();

    AnsiString FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    TNotifyEvent FOnClick;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParentItem = nullptr;
    TMainMenu* FMenu = nullptr;
    QAction* FAction;
    QMenu* FSubMenu = nullptr;
};

class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    // The top-level items.
    TMenuItem* Items() const { return FItems; }

    // The menu bar shown by the form whose menu this is.
    QMenuBar* MenuBar() const { return FMenuBar; }

private:
    friend class TMenuItem;
    TMenuItem* FItems;
    QMenuBar* FMenuBar;
};
