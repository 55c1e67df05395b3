#pragma once
// Components: named objects in an ownership tree, with the state flags that
// loading and design time set.

#include <functional>
#include <vector>

#include "rtl/System.h"

// The closure type of the plain events (OnClick, OnTimer, OnTxdEmpty, ...).
// An event counts as assigned when the closure is not empty.
using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TComponentStateFlag : unsigned {
    csLoading = 0,    // stored properties are being applied; Loaded() has not run yet
    csReading,
    csWriting,
    csDestroying,
    csDesigning,      // the component is in a form designer (never in this system's programs)
};

// A small set of TComponentStateFlag values.
class TComponentState {
public:
    bool Contains(TComponentStateFlag Flag) const { return (Bits & Bit(Flag)) != 0; }
    TComponentState& operator<<(TComponentStateFlag Flag) { Bits |= Bit(Flag); return *this; }
    TComponentState& operator>>(TComponentStateFlag Flag) { Bits &= ~Bit(Flag); return *this; }
    bool Empty() const { return Bits == 0; }

private:
    static unsigned Bit(TComponentStateFlag Flag) { return 1u << static_cast<unsigned>(Flag); }
    unsigned Bits = 0;
};

class TPropertyList;

class TComponent : public TObject {
public:
    // A component with an owner is destroyed by that owner; one without an
    // owner belongs to whoever created it.
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    const AnsiString& Name() const { return FName; }
    virtual void SetName(const AnsiString& NewName);

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    // The owned component of this name, or null.
    TComponent* FindComponent(const AnsiString& AName) const;

    const TComponentState& ComponentState() const { return FComponentState; }
    // For loaders and tests: sets or clears a state flag.
    void IncludeState(TComponentStateFlag Flag) { FComponentState << Flag; }
    void ExcludeState(TComponentStateFlag Flag) { FComponentState >> Flag; }

    // Runs once the stored properties of the component (and of its form)
    // have been applied; the base clears csLoading.
    virtual void Loaded();

    // Lists the published properties in the order of the type information,
    // which is also the order in which stored values are applied. The base
    // publishes Name.
    virtual void DefineProperties(TPropertyList& List);

    // Destroys every owned component, last first.
    void DestroyComponents();

    // Moves an owned component to another owner (or to none).
    void RemoveComponent(TComponent* AComponent);
    void InsertComponent(TComponent* AComponent);

private:
    AnsiString FName;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    TComponentState FComponentState;
};
