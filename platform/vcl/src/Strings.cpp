#include "vcl/Strings.h"

void TStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index > Limit)
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TStrings::Add(const AnsiString& S)
{
    int Index = Count();
    Insert(Index, S);
    return Index;
}

int TStrings::IndexOf(const AnsiString& S) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (Strings(i) == S)
            return i;
    return -1;
}

void TStrings::Assign(const std::vector<AnsiString>& Lines)
{
    Clear();
    for (const AnsiString& Line : Lines)
        Add(Line);
}

std::vector<AnsiString> TStrings::ToVector() const
{
    std::vector<AnsiString> Result;
    for (int i = 0, n = Count(); i < n; ++i)
        Result.push_back(Strings(i));
    return Result;
}

AnsiString TStrings::Text() const
{
    AnsiString Result;
    for (int i = 0, n = Count(); i < n; ++i)
        Result += Strings(i) + "\n";
    return Result;
}

void TStrings::SetText(const AnsiString& Text)
{
    std::vector<AnsiString> Lines;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == AnsiString::npos)
            End = Text.size();
        AnsiString Line = Text.substr(Start, End - Start);
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        Lines.push_back(std::move(Line));
        Start = End + 1;
    }
    Assign(Lines);
}

AnsiString TStringList::Strings(int Index) const
{
    CheckIndex(Index, Count() - 1);
    return FItems[static_cast<size_t>(Index)];
}

void TStringList::SetStrings(int Index, const AnsiString& S)
{
    CheckIndex(Index, Count() - 1);
    FItems[static_cast<size_t>(Index)] = S;
}

void TStringList::Insert(int Index, const AnsiString& S)
{
    CheckIndex(Index, Count());
    FItems.insert(FItems.begin() + Index, S);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index, Count() - 1);
    FItems.erase(FItems.begin() + Index);
}
