#pragma once
// Stored properties: the values a form resource keeps for a component,
// applied through the component's own writers.
//
// A component lists its published properties with DefineProperties, in the
// order of its type information. Loading applies the stored values in that
// order, whatever order they were stored in, each through its writer, so a
// writer that adjusts another property (a flow-control style that sets the
// line it needs) behaves as on any other write. A property without a stored
// value keeps what the constructor gave it. Events are stored as the name of
// a method of the form and bound through a TMethodTable.

#include <any>
#include <functional>
#include <map>
#include <vector>

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"

class TMethodTable;

// One stored value, as text: an integer ("14400", "-3", "$1F"), an identifier
// (an enumeration value, True or False), a string, a character ("#10" or one
// character), or a list of strings (Items). Methods is set while loading an
// event property.
class TStoredValue {
public:
    TStoredValue() = default;
    TStoredValue(AnsiString AText) : Text(std::move(AText)) {}
    TStoredValue(const char* AText) : Text(AText) {}

    AnsiString Text;
    std::vector<AnsiString> Items;
    const TMethodTable* Methods = nullptr;

    // Each raises EReadError "Invalid property value" when the text is not of
    // the kind asked for.
    long long AsInteger() const;
    int AsInt() const;
    unsigned AsUnsigned() const;
    bool AsBool() const;                    // True / False
    char AsChar() const;                    // #nn or a single character
    const AnsiString& AsString() const { return Text; }
    // The position of the text in Names, the identifiers of an enumeration.
    int AsEnum(const std::vector<const char*>& Names) const;
    template <class E>
    E AsEnumOf(const std::vector<const char*>& Names) const { return static_cast<E>(AsEnum(Names)); }
};

// The published properties of one component, in type-information order.
class TPropertyList {
public:
    using TWriter = std::function<void(const TStoredValue&)>;

    // Adds a property; a later Add of the same name replaces the writer but
    // keeps the first place (a descendant that takes over a property).
    void Add(const AnsiString& Name, TWriter Writer);

    // Adds an event stored as a method name; the method is looked up in the
    // value's method table and must hold a closure of type Closure.
    template <class Closure>
    void AddEvent(const AnsiString& Name, std::function<void(Closure)> Assign);

    bool Has(const AnsiString& Name) const;
    const std::vector<std::pair<AnsiString, TWriter>>& Entries() const { return FEntries; }

private:
    std::vector<std::pair<AnsiString, TWriter>> FEntries;
};

// Methods of a form by name, each held as the exact closure type of the
// events it may be bound to.
class TMethodTable {
public:
    template <class Closure>
    void Add(const AnsiString& Name, Closure Method) { FMethods[Name] = std::move(Method); }
    bool Has(const AnsiString& Name) const { return FMethods.count(Name) != 0; }
    // Raises EReadError when the method is missing or of another type.
    template <class Closure>
    Closure Find(const AnsiString& Name) const;

private:
    std::map<AnsiString, std::any> FMethods;
};

// One property of a stored component.
struct TStoredProperty {
    AnsiString Name;
    TStoredValue Value;
};

// Sets csLoading and applies the stored values in type-information order.
// A stored name that the component does not publish raises EReadError
// "Property <name> does not exist" before anything is applied.
void ReadStoredProperties(TComponent& Component, const std::vector<TStoredProperty>& Stored,
                          const TMethodTable* Methods = nullptr);

// ReadStoredProperties, then Loaded().
void LoadStoredProperties(TComponent& Component, const std::vector<TStoredProperty>& Stored,
                          const TMethodTable* Methods = nullptr);

template <class Closure>
void TPropertyList::AddEvent(const AnsiString& Name, std::function<void(Closure)> Assign)
{
    Add(Name, [Name, Assign = std::move(Assign)](const TStoredValue& Value) {
        if (!Value.Methods)
            throw EReadError("Event " + Name + " stored without a method table");
        Assign(Value.Methods->Find<Closure>(Value.Text));
    });
}

template <class Closure>
Closure TMethodTable::Find(const AnsiString& Name) const
{
    auto Found = FMethods.find(Name);
    if (Found == FMethods.end())
        throw EReadError("Method " + Name + " does not exist");
    const Closure* Method = std::any_cast<Closure>(&Found->second);
    if (!Method)
        throw EReadError("Method " + Name + " does not fit the event");
    return *Method;
}
