#include "YVclUtil/Tyhashedstringlist.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Standalonefunction.h"

namespace YVclUtil {

namespace {

std::uint32_t RotateRight(std::uint32_t V, unsigned N)
{
    return (V >> N) | (V << (32 - N));
}

std::uint32_t RotateLeft(std::uint32_t V, unsigned N)
{
    return (V << N) | (V >> (32 - N));
}

// The record of an entry starts 4 bytes into its cell.
_YSTRTABCELL* CellOfEntry(_YHASHEDSTRINGLISTCELL* Entry)
{
    return reinterpret_cast<_YSTRTABCELL*>(reinterpret_cast<char*>(Entry) - offsetof(_YSTRTABCELL, BytesUsed));
}

} // namespace

TObject* _YHASHEDSTRINGLISTCELL::Object() const
{
    TObject* O;
    std::memcpy(&O, ObjectBits, sizeof O);
    return O;
}

void _YHASHEDSTRINGLISTCELL::SetObject(TObject* O)
{
    std::memcpy(ObjectBits, &O, sizeof O);
}

void TYHashedStringList::RunConstructor(TYStrTab* AStrTab)
{
    StrTab = AStrTab;
    HashTab = nullptr;
    HashTabSize = 0;
    ListTab = nullptr;
    ListTabSize = 0;
    Count = 0;
    std::memset(NameBuffer, 0, sizeof NameBuffer);
    if (!StrTab) {
        ShowErrMsgBox_Printf("TYHashedStringList", "Err: The user specified TYStrTab* is NULL !!!");
        return;
    }
    HashTab = static_cast<_YHASHEDSTRINGLISTCELL**>(std::calloc(YHASHEDSTRINGLIST_BUCKETS, sizeof *HashTab));
    if (!HashTab) {
        ShowErrMsgBox_Printf("TYHashedStringList", "Err: Can not allocate memory for HashTab[ ]");
        return;
    }
    HashTabSize = YHASHEDSTRINGLIST_BUCKETS;
}

void TYHashedStringList::RunDestructor()
{
    DeleteAll();
    std::free(HashTab);
    HashTab = nullptr;
    HashTabSize = 0;
}

// ---------------------------------------------------------------------------
// Keys and lookup

std::uint64_t TYHashedStringList::StrToHashKey(const char* Name, unsigned int* Length)
{
    std::uint32_t A = 0, B = 0, N = 0;
    if (Name) {
        for (const char* P = Name; *P; ++P) {
            // Bytes count as signed: 0x80 to 0xFF are -128 to -1.
            const std::uint32_t C = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(*P)));
            N = N + 1;
            A = A + ((N ^ B) + C);
            A = RotateRight(A, 5);
            B = B - (A + C);
            B = RotateLeft(B, 3);
        }
    }
    if (Length)
        *Length = N;
    if (N == 0)
        return 0;
    return (static_cast<std::uint64_t>(A | 1) << 32) | B;
}

_YHASHEDSTRINGLISTCELL* TYHashedStringList::Entry(TYStrTabRef Ref) const
{
    _YSTRTABCELL* Cell = StrTab->RefToCell(Ref);
    return Cell ? reinterpret_cast<_YHASHEDSTRINGLISTCELL*>(&Cell->BytesUsed) : nullptr;
}

// The head of the key's bucket chain.
_YHASHEDSTRINGLISTCELL*& TYHashedStringList::Bucket(std::uint64_t Key) const
{
    return HashTab[static_cast<std::uint32_t>(Key) & static_cast<std::uint32_t>(HashTabSize - 1)];
}

// Walks the key's bucket chain; Last receives the chain's last entry when
// the key is not found.
_YHASHEDSTRINGLISTCELL* TYHashedStringList::Find(std::uint64_t Key, _YHASHEDSTRINGLISTCELL** Last) const
{
    _YHASHEDSTRINGLISTCELL* Prev = nullptr;
    for (_YHASHEDSTRINGLISTCELL* E = Bucket(Key); E; E = Entry(E->NextItem)) {
        if (E->HashKey() == Key)
            return E;
        Prev = E;
    }
    if (Last)
        *Last = Prev;
    return nullptr;
}

int TYHashedStringList::IndexOf(const char* Name) const
{
    if (!HashTab)
        return -1;
    std::uint64_t Key = StrToHashKey(Name, nullptr);
    if (Key == 0)
        return -1;
    _YHASHEDSTRINGLISTCELL* E = Find(Key, nullptr);
    return E ? E->Index : -1;
}

// ---------------------------------------------------------------------------
// Adding and deleting

int TYHashedStringList::Add(const char* Name)
{
    return Add(Name, nullptr);
}

int TYHashedStringList::Add(const char* Name, TObject* Object)
{
    if (!HashTab)
        return -1;
    unsigned int Length = 0;
    std::uint64_t Key = StrToHashKey(Name, &Length);
    if (Key == 0 || Length > YHASHEDSTRINGLIST_MAXNAME)
        return -1;

    _YHASHEDSTRINGLISTCELL* Last = nullptr;
    if (_YHASHEDSTRINGLISTCELL* E = Find(Key, &Last)) {
        if (OnReplace)
            OnReplace(this, E->Index);
        E->SetObject(Object);
        return E->Index;
    }

    if (!GrowupListTab())
        return -1;
    _YSTRTABCELL* NameCell = StrTab->Add(Name, Length);
    if (!NameCell)
        return -1;
    _YHASHEDSTRINGLISTCELL* E;
    try {
        E = AllocateCell();
    } catch (...) {
        StrTab->Delete(NameCell);
        throw;
    }
    if (!E) {
        StrTab->Delete(NameCell);
        return -1;
    }
    E->HashKeyLow = static_cast<std::uint32_t>(Key);
    E->HashKeyHigh = static_cast<std::uint32_t>(Key >> 32);
    E->Name = StrTab->CellToRef(NameCell);
    E->SetObject(Object);
    E->Index = Count;
    if (Last)
        Last->NextItem = StrTab->CellToRef(CellOfEntry(E));
    else
        Bucket(Key) = E;
    ListTab[Count] = E;
    const int Index = Count++;
    GrowupHashTab();
    return Index;
}

bool TYHashedStringList::Delete(int Index)
{
    if (Index < 0 || Index >= Count)
        return false;
    if (OnDelete)
        OnDelete(this, Index);

    _YHASHEDSTRINGLISTCELL* E = ListTab[Index];
    _YHASHEDSTRINGLISTCELL*& Head = Bucket(E->HashKey());
    if (Head == E) {
        Head = Entry(E->NextItem);
    } else {
        _YHASHEDSTRINGLISTCELL* Prev = Head;
        while (Prev && Entry(Prev->NextItem) != E)
            Prev = Entry(Prev->NextItem);
        if (Prev)
            Prev->NextItem = E->NextItem;
    }
    StrTab->Delete(StrTab->RefToCell(E->Name));
    ReleaseCell(E);

    std::memmove(&ListTab[Index], &ListTab[Index + 1], sizeof *ListTab * static_cast<size_t>(Count - Index - 1));
    --Count;
    for (int I = Index; I < Count; ++I)
        ListTab[I]->Index = I;
    ShrinkListTab();
    return true;
}

bool TYHashedStringList::DeleteAll()
{
    // Count and ListTab stay as they are while this runs, so OnDelete may
    // read Strings and Objects of the item it is told about.
    for (int I = 0; I < Count; ++I) {
        if (OnDelete)
            OnDelete(this, I);
        _YHASHEDSTRINGLISTCELL* E = ListTab[I];
        StrTab->Delete(StrTab->RefToCell(E->Name));
        ReleaseCell(E);
    }
    Count = 0;
    std::free(ListTab);
    ListTab = nullptr;
    ListTabSize = 0;
    if (HashTab) {
        if (HashTabSize > YHASHEDSTRINGLIST_BUCKETS) {
            if (void* Smaller = std::realloc(HashTab, sizeof *HashTab * YHASHEDSTRINGLIST_BUCKETS)) {
                HashTab = static_cast<_YHASHEDSTRINGLISTCELL**>(Smaller);
                HashTabSize = YHASHEDSTRINGLIST_BUCKETS;
            }
        }
        std::memset(HashTab, 0, sizeof *HashTab * static_cast<size_t>(HashTabSize));
    }
    return true;
}

// ---------------------------------------------------------------------------
// Tables and cells

bool TYHashedStringList::GrowupListTab()
{
    if (Count < ListTabSize)
        return true;
    const size_t NewSize = static_cast<size_t>(ListTabSize) + YHASHEDSTRINGLIST_LISTTABSTEP;
    void* Grown = std::realloc(ListTab, NewSize * sizeof *ListTab);
    if (!Grown)
        return false;
    ListTab = static_cast<_YHASHEDSTRINGLISTCELL**>(Grown);
    ListTabSize = static_cast<int>(NewSize);
    return true;
}

// Doubles the bucket table once Count reaches twice its number of buckets,
// so that a chain holds two entries on average (see the header). The chains
// are rebuilt from ListTab backwards, each entry put at the head of its new
// chain, which leaves every chain in ascending index order.
void TYHashedStringList::GrowupHashTab()
{
    if (HashTabSize >= (1 << 29) || Count / 2 < HashTabSize)
        return;
    const size_t NewSize = static_cast<size_t>(HashTabSize) * 2;
    auto* Grown = static_cast<_YHASHEDSTRINGLISTCELL**>(std::calloc(NewSize, sizeof *HashTab));
    if (!Grown)
        return;
    std::free(HashTab);
    HashTab = Grown;
    HashTabSize = static_cast<int>(NewSize);
    for (int I = Count - 1; I >= 0; --I) {
        _YHASHEDSTRINGLISTCELL* E = ListTab[I];
        _YHASHEDSTRINGLISTCELL*& Head = Bucket(E->HashKey());
        E->NextItem = Head ? StrTab->CellToRef(CellOfEntry(Head)) : 0;
        Head = E;
    }
}

bool TYHashedStringList::ShrinkListTab()
{
    if (ListTabSize <= YHASHEDSTRINGLIST_LISTTABSTEP || ListTabSize - YHASHEDSTRINGLIST_LISTTABSTEP < Count)
        return true;
    const size_t NewSize = static_cast<size_t>(ListTabSize) - YHASHEDSTRINGLIST_LISTTABSTEP;
    void* Shrunk = std::realloc(ListTab, NewSize * sizeof *ListTab);
    if (!Shrunk)
        return false;
    ListTab = static_cast<_YHASHEDSTRINGLISTCELL**>(Shrunk);
    ListTabSize = static_cast<int>(NewSize);
    return true;
}

_YHASHEDSTRINGLISTCELL* TYHashedStringList::AllocateCell()
{
    void* Record = StrTab->malloc(sizeof(_YHASHEDSTRINGLISTCELL));
    return Record ? new (Record) _YHASHEDSTRINGLISTCELL{} : nullptr;
}

bool TYHashedStringList::ReleaseCell(_YHASHEDSTRINGLISTCELL* Cell)
{
    return Cell && StrTab->free(Cell);
}

// ---------------------------------------------------------------------------
// Properties

AnsiString TYHashedStringList::Strings(int Index)
{
    if (Index < 0 || Index >= Count)
        throw EYGeneral("TYHashedStringList: Invalid Index for Strings[%d]", Index);
    unsigned int Length = 0;
    if (!StrTab->Get(StrTab->RefToCell(ListTab[Index]->Name), NameBuffer, sizeof NameBuffer, &Length))
        return AnsiString();
    return AnsiString(NameBuffer, Length);
}

void TYHashedStringList::pw_Strings(int /*Index*/, const AnsiString& /*Value*/)
{
    throw EYGeneral("TYHashedStringList: Strings[ ] is read only");
}

TObject* TYHashedStringList::Objects(int Index) const
{
    if (Index < 0 || Index >= Count)
        throw EYGeneral("TYHashedStringList: Invalid Index for Objects[%d]", Index);
    return ListTab[Index]->Object();
}

void TYHashedStringList::pw_Objects(int Index, TObject* Object)
{
    if (Index < 0 || Index >= Count)
        throw EYGeneral("TYHashedStringList: Invalid Index for Objects[%d]", Index);
    ListTab[Index]->SetObject(Object);
}

} // namespace YVclUtil
