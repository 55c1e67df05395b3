#pragma once
// The object base and the string type of our class-library core.

#include <string>

// The class library's string: bytes, no encoding of its own. Texts in this
// system are UTF-8.
using AnsiString = std::string;

// Base of every class-library object. Objects are not copied: they are owned
// and passed by pointer, as the class library does it.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};
