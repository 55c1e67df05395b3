#include "rtl/Classes.h"

#include <algorithm>

#include "rtl/StoredProperties.h"

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState << csDestroying;
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::SetName(const AnsiString& NewName)
{
    FName = NewName;
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        return nullptr;
    return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* Child : FComponents)
        if (Child->Name() == AName)
            return Child;
    return nullptr;
}

void TComponent::Loaded()
{
    FComponentState >> csLoading;
}

void TComponent::DefineProperties(TPropertyList& List)
{
    List.Add("Name", [this](const TStoredValue& Value) { SetName(Value.AsString()); });
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* Last = FComponents.back();
        // The child's destructor removes it from this list.
        delete Last;
    }
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    auto Found = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (Found == FComponents.end())
        return;
    FComponents.erase(Found);
    AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner == this)
        return;
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}
