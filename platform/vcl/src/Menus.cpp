#include "vcl/Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "QtSupport.h"
#include "rtl/Application.h"
#include "rtl/StoredProperties.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FAction(new QAction)
{
    QObject::connect(FAction, &QAction::triggered, FAction, [this] {
        try {
            Click();
        } catch (...) {
            HandleException(this);
        }
    });
}

TMenuItem::~TMenuItem()
{
    if (FParentItem)
        FParentItem->Remove(this);
    for (TMenuItem* Item : FItems)
        Item->FParentItem = nullptr;
    FItems.clear();
    delete FSubMenu;
    delete FAction;
}

void TMenuItem::SetCaption(const AnsiString& Value)
{
    FCaption = Value;
    FAction->setText(ToQt(Value));
}

void TMenuItem::SetEnabled(bool Value)
{
    FEnabled = Value;
    FAction->setEnabled(Value);
}

void TMenuItem::SetVisible(bool Value)
{
    FVisible = Value;
    FAction->setVisible(Value);
}

void TMenuItem::SetChecked(bool Value)
{
    FChecked = Value;
    // A checked radio item unchecks the other radio items of its group.
    if (Value && FRadioItem && FParentItem)
        for (TMenuItem* Sibling : FParentItem->FItems)
            if (Sibling != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex && Sibling->FChecked) {
                Sibling->FChecked = false;
                Sibling->SyncAction();
            }
    SyncAction();
}

void TMenuItem::SetRadioItem(bool Value)
{
    FRadioItem = Value;
    SetChecked(FChecked);
}

void TMenuItem::SetAutoCheck(bool Value)
{
    FAutoCheck = Value;
    SyncAction();
}

void TMenuItem::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    SetChecked(FChecked);
}

void TMenuItem::SyncAction()
{
    FAction->setCheckable(FChecked || FAutoCheck || FRadioItem);
    FAction->setChecked(FChecked);
}

void TMenuItem::Click()
{
    if (FAutoCheck)
        SetChecked(FRadioItem ? true : !FChecked);
    else
        SyncAction();    // the toolkit toggles a checkable action by itself
    if (FOnClick)
        FOnClick(this);
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FItems[static_cast<size_t>(Index)];
}

TMainMenu* TMenuItem::Menu() const
{
    const TMenuItem* Top = this;
    while (Top->FParentItem)
        Top = Top->FParentItem;
    return Top->FMenu;
}

QMenu* TMenuItem::SubMenu()
{
    if (!FSubMenu) {
        FSubMenu = new QMenu;
        FAction->setMenu(FSubMenu);
    }
    return FSubMenu;
}

void TMenuItem::Add(TMenuItem* Item)
{
    if (!Item || Item == this)
        return;
    if (Item->FParentItem)
        Item->FParentItem->Remove(Item);
    Item->FParentItem = this;
    FItems.push_back(Item);
    if (FMenu)
        FMenu->FMenuBar->addAction(Item->FAction);
    else
        SubMenu()->addAction(Item->FAction);
    Item->SetChecked(Item->FChecked);
}

void TMenuItem::Remove(TMenuItem* Item)
{
    auto Found = std::find(FItems.begin(), FItems.end(), Item);
    if (Found == FItems.end())
        return;
    FItems.erase(Found);
    Item->FParentItem = nullptr;
    if (FMenu)
        FMenu->FMenuBar->removeAction(Item->FAction);
    else if (FSubMenu)
        FSubMenu->removeAction(Item->FAction);
}

void TMenuItem::DefineProperties(TPropertyList& List)
{
    TComponent::DefineProperties(List);
    List.Add("AutoCheck", [this](const TStoredValue& V) { SetAutoCheck(V.AsBool()); });
    List.Add("Caption", [this](const TStoredValue& V) { SetCaption(V.AsString()); });
    List.Add("Checked", [this](const TStoredValue& V) { SetChecked(V.AsBool()); });
    List.Add("Enabled", [this](const TStoredValue& V) { SetEnabled(V.AsBool()); });
    List.Add("GroupIndex", [this](const TStoredValue& V) { SetGroupIndex(V.AsInt()); });
    List.Add("RadioItem", [this](const TStoredValue& V) { SetRadioItem(V.AsBool()); });
    List.Add("Visible", [this](const TStoredValue& V) { SetVisible(V.AsBool()); });
    List.AddEvent<TNotifyEvent>("OnClick", [this](TNotifyEvent E) { SetOnClick(std::move(E)); });
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)), FMenuBar(new QMenuBar)
{
    FItems->FMenu = this;
    FMenuBar->hide();
}

TMainMenu::~TMainMenu()
{
    delete FItems;
    FItems = nullptr;
    delete FMenuBar;
}
