#pragma once
// Reading form resources: the text format is described in FORMS.md.
//
// A resource is parsed into a tree of component descriptions; TForm builds
// its components from that tree. Every syntax error raises EReadError with
// "Form resource line <n>: ..." and nothing is built.

#include <vector>

#include "rtl/StoredProperties.h"

struct TResourceProperty {
    TStoredProperty Property;
    int Line = 0;
};

struct TResourceComponent {
    AnsiString ClassName;
    AnsiString Name;
    int Line = 0;
    std::vector<TResourceProperty> Properties;
    std::vector<TResourceComponent> Children;

    // The stored properties alone, in the order written.
    std::vector<TStoredProperty> StoredProperties() const;
};

// Parses a resource that holds exactly one top-level component (the form).
TResourceComponent ParseFormResource(const AnsiString& Text);

// Parses the items of a collection value (Panels = < ... >): each item is
// the list of its stored properties.
std::vector<std::vector<TStoredProperty>> ParseCollectionItems(const TStoredValue& Value);
