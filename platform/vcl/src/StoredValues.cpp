#include "StoredValues.h"

const std::vector<const char*> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<const char*> AlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};

void CheckStoredList(const TStoredValue& Value)
{
    if (Value.Text.empty() || Value.Text.front() != '[')
        throw EReadError("Invalid property value '" + Value.Text + "'");
}

const std::vector<AnsiString>& StoredStrings(const TStoredValue& Value)
{
    CheckStoredList(Value);
    return Value.Items;
}

std::vector<int> StoredIntegers(const TStoredValue& Value)
{
    std::vector<int> Result;
    for (const AnsiString& Item : StoredStrings(Value))
        Result.push_back(TStoredValue(Item).AsInt());
    return Result;
}
