#pragma once
// Component classes by name, for the form resources.
//
// The window layer registers its own classes (TLabel ... TCCalendar, and
// TTimer). Another library's components become placeable in a form resource
// once the program registers them, before the first form is created:
//
//     RegisterComponentClass<TPcUart>("TPcUart");
//
// Register from code that runs (main, or a function of the library that
// main calls), not from a static object in a static library: the linker may
// leave such an object out.

#include <functional>

#include "rtl/Classes.h"

using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;

// A later registration of the same name replaces the earlier one.
void RegisterComponentClassFactory(const AnsiString& ClassName, TComponentFactory Factory);

template <class T>
void RegisterComponentClass(const AnsiString& ClassName)
{
    RegisterComponentClassFactory(ClassName, [](TComponent* Owner) -> TComponent* { return new T(Owner); });
}

bool ComponentClassRegistered(const AnsiString& ClassName);

// A new component of the class, owned by Owner; raises EReadError
// "Class <name> not found" for a name that is not registered.
TComponent* CreateComponentOfClass(const AnsiString& ClassName, TComponent* Owner);
