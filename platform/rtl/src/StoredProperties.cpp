#include "rtl/StoredProperties.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

[[noreturn]] void Invalid(const AnsiString& Text)
{
    throw EReadError("Invalid property value '" + Text + "'");
}

} // namespace

long long TStoredValue::AsInteger() const
{
    if (Text.empty())
        Invalid(Text);
    const char* Begin = Text.c_str();
    int Base = 10;
    bool Negative = false;
    if (*Begin == '-' || *Begin == '+') {
        Negative = *Begin == '-';
        ++Begin;
    }
    if (*Begin == '$') {
        Base = 16;
        ++Begin;
    } else if (Begin[0] == '0' && (Begin[1] == 'x' || Begin[1] == 'X')) {
        Base = 16;
        Begin += 2;
    }
    if (*Begin == '\0' || *Begin == '+' || *Begin == '-' || *Begin == ' ')
        Invalid(Text);
    char* End = nullptr;
    errno = 0;
    unsigned long long Magnitude = std::strtoull(Begin, &End, Base);
    if (errno != 0 || *End != '\0' || Magnitude > static_cast<unsigned long long>(LLONG_MAX))
        Invalid(Text);
    long long Value = static_cast<long long>(Magnitude);
    return Negative ? -Value : Value;
}

int TStoredValue::AsInt() const
{
    long long Value = AsInteger();
    if (Value < INT_MIN || Value > INT_MAX)
        Invalid(Text);
    return static_cast<int>(Value);
}

unsigned TStoredValue::AsUnsigned() const
{
    long long Value = AsInteger();
    if (Value < 0 || Value > static_cast<long long>(UINT_MAX))
        Invalid(Text);
    return static_cast<unsigned>(Value);
}

bool TStoredValue::AsBool() const
{
    if (Text == "True")
        return true;
    if (Text == "False")
        return false;
    Invalid(Text);
}

char TStoredValue::AsChar() const
{
    if (Text.size() == 1)
        return Text[0];
    if (Text.size() >= 2 && Text[0] == '#') {
        TStoredValue Code;
        Code.Text = Text.substr(1);
        long long Value = Code.AsInteger();
        if (Value < 0 || Value > 255)
            Invalid(Text);
        return static_cast<char>(static_cast<unsigned char>(Value));
    }
    Invalid(Text);
}

int TStoredValue::AsEnum(const std::vector<const char*>& Names) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (Text == Names[i])
            return static_cast<int>(i);
    Invalid(Text);
}

void TPropertyList::Add(const AnsiString& Name, TWriter Writer)
{
    for (auto& Entry : FEntries) {
        if (Entry.first == Name) {
            Entry.second = std::move(Writer);
            return;
        }
    }
    FEntries.emplace_back(Name, std::move(Writer));
}

bool TPropertyList::Has(const AnsiString& Name) const
{
    for (const auto& Entry : FEntries)
        if (Entry.first == Name)
            return true;
    return false;
}

namespace {

void ApplyInOrder(const TPropertyList& List, const std::vector<TStoredProperty>& Stored, const TMethodTable* Methods)
{
    for (const auto& [Name, Writer] : List.Entries()) {
        // The last stored value of a name counts, as when a stream repeats it.
        const TStoredProperty* Last = nullptr;
        for (const TStoredProperty& Property : Stored)
            if (Property.Name == Name)
                Last = &Property;
        if (!Last)
            continue;
        TStoredValue Value = Last->Value;
        Value.Methods = Methods;
        Writer(Value);
    }
}

} // namespace

void ReadStoredProperties(TComponent& Component, const std::vector<TStoredProperty>& Stored,
                          const TMethodTable* Methods)
{
    TPropertyList List;
    Component.DefineProperties(List);
    for (const TStoredProperty& Property : Stored)
        if (!List.Has(Property.Name))
            throw EReadError("Property " + Property.Name + " does not exist");

    Component.IncludeState(csLoading);
    try {
        ApplyInOrder(List, Stored, Methods);
    } catch (...) {
        // A component whose loading failed is not left in the loading state.
        Component.ExcludeState(csLoading);
        throw;
    }
}

void LoadStoredProperties(TComponent& Component, const std::vector<TStoredProperty>& Stored,
                          const TMethodTable* Methods)
{
    ReadStoredProperties(Component, Stored, Methods);
    Component.Loaded();
}
