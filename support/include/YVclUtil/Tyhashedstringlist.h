#pragma once
// TYHashedStringList: an indexed list of names, each with an attached object
// pointer, found through a 64-bit hash key in a bucket table that grows with
// the list (see below). A name whose key equals a stored name's key counts
// as that name; names are never compared as text.
//
// Names and entries live in a TYStrTab that the caller supplies and that
// several lists may share. Each entry is one 28-byte record of that table
// (TYStrTab::malloc): the table already gives constant-time records without
// a heap allocation of their own, and the memory of a whole INI file stays
// in one place. To fit 28 bytes on a 64-bit build, an entry refers to the
// next entry of its bucket and to its name by the table's 32-bit cell
// references, and a bucket chain is linked one way only: unlinking walks the
// chain from its head, which costs little next to the move of the later
// items that every Delete makes anyway.
//
// The bucket table starts with 128 buckets, the bucket of a key being its
// low 32 bits AND 127. With a fixed 128 buckets every Add walked a chain of
// Count / 128 entries, so loading a section of n keys took time in n * n:
// a file of 80,000 keys in one section took a second, one of 800,000 keys
// minutes. The table therefore doubles whenever Count reaches twice its
// number of buckets, and a key's bucket is its low 32 bits AND (buckets - 1).
// Each chain of a larger table is a part of one of the 128 chains, in the
// same order (ascending index), and the lookup still compares keys only, so
// no result changes. A table that cannot grow keeps its size and stays
// correct, only slower; DeleteAll goes back to 128 buckets.

#include <cstdint>
#include <functional>

#include "YVclUtil/Tystrtab.h"
#include "rtl/System.h"

namespace YVclUtil {

// (the notifying list, the item's index)
using TYHashedStringListNotify = std::function<void(TObject* Sender, int Index)>;

// One entry: a record of TYStrTab::malloc, 4-byte aligned.
struct _YHASHEDSTRINGLISTCELL {
    TYStrTabRef NextItem;          // next entry of the bucket chain; 0 in the last
    TYStrTabRef Name;              // the name's first cell
    std::uint32_t HashKeyLow;      // the 64-bit key, low half first
    std::uint32_t HashKeyHigh;
    std::uint32_t ObjectBits[2];   // the attached object (a pointer, kept unaligned)
    std::int32_t Index;            // the item's place in ListTab

    std::uint64_t HashKey() const { return (static_cast<std::uint64_t>(HashKeyHigh) << 32) | HashKeyLow; }
    TObject* Object() const;
    void SetObject(TObject* Object);
};
static_assert(sizeof(_YHASHEDSTRINGLISTCELL) <= YSTRTAB_RECORDSIZE);

constexpr int YHASHEDSTRINGLIST_BUCKETS = 128;       // buckets of a new or emptied list
constexpr int YHASHEDSTRINGLIST_LISTTABSTEP = 1024;
constexpr unsigned YHASHEDSTRINGLIST_MAXNAME = 256;

class TYHashedStringList : public TObject {
public:
    explicit TYHashedStringList(TYStrTab* AStrTab) { RunConstructor(AStrTab); }
    ~TYHashedStringList() override { RunDestructor(); }

    int Add(const char* Name);
    // Appends the name and returns its index; when an item has the name's
    // key, calls OnReplace and sets that item's object instead. -1 for a
    // null or empty name, a name over 256 bytes, or no memory.
    int Add(const char* Name, TObject* Object);
    int IndexOf(const char* Name) const;
    bool Delete(int Index);
    bool DeleteAll();

    // Strings: read only (pw_Strings always raises). Objects: read and write;
    // writing calls no notification. A bad index raises EYGeneral.
    AnsiString Strings(int Index);
    void pw_Strings(int Index, const AnsiString& Value);
    TObject* Objects(int Index) const;
    void pw_Objects(int Index, TObject* Object);

    static std::uint64_t StrToHashKey(const char* Name, unsigned int* Length);

    bool GrowupListTab();
    bool ShrinkListTab();
    _YHASHEDSTRINGLISTCELL* AllocateCell();
    bool ReleaseCell(_YHASHEDSTRINGLISTCELL* Cell);

    TYStrTab* StrTab;                    // not owned
    _YHASHEDSTRINGLISTCELL** HashTab;    // HashTabSize bucket heads (128 at first)
    int HashTabSize;                     // a power of two, 128 or more
    _YHASHEDSTRINGLISTCELL** ListTab;    // entries by index; null while empty
    int ListTabSize;                     // 0 or a multiple of 1024
    int Count;
    char NameBuffer[264];
    TYHashedStringListNotify OnReplace;
    TYHashedStringListNotify OnDelete;

private:
    void RunConstructor(TYStrTab* AStrTab);
    void RunDestructor();

    _YHASHEDSTRINGLISTCELL*& Bucket(std::uint64_t Key) const;
    _YHASHEDSTRINGLISTCELL* Find(std::uint64_t Key, _YHASHEDSTRINGLISTCELL** Last) const;
    void GrowupHashTab();
    _YHASHEDSTRINGLISTCELL* Entry(TYStrTabRef Ref) const;
};

} // namespace YVclUtil
