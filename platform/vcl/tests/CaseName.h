#pragma once
// The name of a parameterised case made from a text of the case (an error
// message, a filter): its words run together, each begun with a capital,
// letters and digits only; "Empty" for a text without any.

#include <cctype>
#include <string>

inline std::string CaseName(const std::string& Text)
{
    std::string Name;
    bool WordStart = true;
    for (unsigned char C : Text) {
        if (C < 0x80 && std::isalnum(C)) {
            Name += static_cast<char>(WordStart ? std::toupper(C) : C);
            WordStart = false;
        } else {
            WordStart = true;
        }
    }
    return Name.empty() ? "Empty" : Name;
}

// The case name of an error message, without its "Form resource line n"
// lead-in.
inline std::string CaseNameOfMessage(const std::string& Message)
{
    const size_t Colon = Message.find(": ");
    return CaseName(Colon == std::string::npos ? Message : Message.substr(Colon + 2));
}
