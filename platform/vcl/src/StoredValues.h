#pragma once
// Reading the kinds of stored value that the controls' writers need beyond
// TStoredValue's own: sets, lists of integers.

#include <vector>

#include "rtl/StoredProperties.h"
#include "vcl/Sets.h"

// Raises EReadError "Invalid property value '<text>'" unless the value was
// written as a list ([...]).
void CheckStoredList(const TStoredValue& Value);
const std::vector<AnsiString>& StoredStrings(const TStoredValue& Value);

// The elements of a set value ("[goEditing, goRangeSelect]", or "[]") by the
// names of its enumeration; raises EReadError for an unknown name.
template <class E>
TSet<E> StoredSet(const TStoredValue& Value, const std::vector<const char*>& Names)
{
    CheckStoredList(Value);
    TSet<E> Result;
    for (const AnsiString& Item : Value.Items) {
        TStoredValue Element(Item);
        Result << Element.AsEnumOf<E>(Names);
    }
    return Result;
}

std::vector<int> StoredIntegers(const TStoredValue& Value);

extern const std::vector<const char*> AlignmentNames;
extern const std::vector<const char*> AlignNames;
