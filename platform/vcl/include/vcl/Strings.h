#pragma once
// Lists of strings: the items of a combo box, the lines of a rich edit, or a
// plain list of our own.

#include <vector>

#include "rtl/Exceptions.h"

// An index outside a list: "List index out of bounds (<index>)".
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStrings : public TObject {
public:
    virtual int Count() const = 0;
    // Raise EStringListError for an index outside 0 .. Count() - 1.
    virtual AnsiString Strings(int Index) const = 0;
    virtual void SetStrings(int Index, const AnsiString& S) = 0;
    // Index may also be Count() (appends).
    virtual void Insert(int Index, const AnsiString& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // Appends a string and returns its index.
    int Add(const AnsiString& S);
    // The first index whose string equals S exactly, or -1.
    int IndexOf(const AnsiString& S) const;
    // Replaces the whole list.
    virtual void Assign(const std::vector<AnsiString>& Lines);
    std::vector<AnsiString> ToVector() const;
    // The strings, each followed by a line feed.
    AnsiString Text() const;
    // Splits at line feeds (a carriage return before one is dropped).
    void SetText(const AnsiString& Text);

protected:
    void CheckIndex(int Index, int Limit) const;
};

// A list of strings kept in memory.
class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    AnsiString Strings(int Index) const override;
    void SetStrings(int Index, const AnsiString& S) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override { FItems.clear(); }

private:
    std::vector<AnsiString> FItems;
};
