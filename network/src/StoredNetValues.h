#pragma once
// Stored values of the network components that the stored-property texts
// do not give directly: a byte, and a reference to another component of the
// same form, stored as that component's name.

#include "rtl/StoredProperties.h"

namespace OrbCtrl {

// 0 to 255, else EReadError.
unsigned char StoredByte(const TStoredValue& Value);

// The component named Name among those of Self's owner: null when there is
// none (yet: a form may create it later); EReadError when it is not a T.
template <class T>
T* FindStoredReference(const TComponent& Self, const AnsiString& Name)
{
    TComponent* Found = Self.Owner() ? Self.Owner()->FindComponent(Name) : nullptr;
    if (!Found)
        return nullptr;
    T* Typed = dynamic_cast<T*>(Found);
    if (!Typed)
        throw EReadError("Invalid property value '" + Name + "'");
    return Typed;
}

// As FindStoredReference, once the whole form exists: a name that names
// nothing raises EReadError.
template <class T>
T* ResolveStoredReference(const TComponent& Self, const AnsiString& Name)
{
    T* Typed = FindStoredReference<T>(Self, Name);
    if (!Typed)
        throw EReadError("Invalid property value '" + Name + "'");
    return Typed;
}

// A stored reference: an empty name writes null; the name of a component
// that exists is written at once; any other name waits in Pending for
// ResolvePendingReference.
template <class T, class Writer>
void ReadStoredReference(const TComponent& Self, const TStoredValue& Value, AnsiString& Pending, Writer Write)
{
    Pending.clear();
    if (Value.Text.empty())
        Write(static_cast<T*>(nullptr));
    else if (T* Found = FindStoredReference<T>(Self, Value.Text))
        Write(Found);
    else
        Pending = Value.Text;
}

// Once the form exists (Loaded): writes the component that Pending names,
// or raises EReadError when it names none.
template <class T, class Writer>
void ResolvePendingReference(const TComponent& Self, AnsiString& Pending, Writer Write)
{
    if (Pending.empty())
        return;
    const AnsiString Name = std::move(Pending);
    Pending.clear();
    Write(ResolveStoredReference<T>(Self, Name));
}

} // namespace OrbCtrl
