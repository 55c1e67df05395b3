#include "win32/Memory.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <sys/mman.h>
#include <vector>

#include <sanitizer/asan_interface.h>

#include "win32/LastError.h"

namespace {

constexpr SIZE_T PageSize = 4096;

// Blocks of one granule (the string table's 8 KB blocks) are cut from arenas
// of this many granules and handed back to them; a mapping of their own and
// its unmapping for every block cost as much as all the rest of loading a
// file. A freed granule is cleared when it is handed out again, so every
// block still comes zero-filled. An arena goes back to the system when its
// last granule is freed, unless it is the one wholly free arena kept for the
// next requests.
constexpr unsigned ArenaGranules = 256;

struct TMapping {
    void* Base;
    SIZE_T Length;
};

struct TArena {
    TMapping Mapping;
    std::uintptr_t First;                            // the first granule, aligned
    std::bitset<ArenaGranules> InUse;
    SIZE_T Dirty[ArenaGranules] = {};                // bytes written to since the last clearing
    std::vector<unsigned> Free;                      // granule numbers, the last freed on top
};

std::mutex BlocksLock;
// Blocks of more than one granule, each carved out of a mapping of its own
// so that it starts on the granularity: by block address.
std::map<std::uintptr_t, TMapping> Blocks;
// Arenas by their first granule, and those among them with a free granule.
std::map<std::uintptr_t, std::unique_ptr<TArena>> Arenas;
std::vector<TArena*> OpenArenas;
int EmptyArenas = 0;

SIZE_T RoundUp(SIZE_T Size, SIZE_T Unit)
{
    return (Size + Unit - 1) / Unit * Unit;
}

// A mapping of Length bytes and more, and the first address in it on the
// granularity.
bool MapAligned(SIZE_T Length, TMapping& Mapping, std::uintptr_t& Aligned)
{
    Mapping.Length = Length + ALLOCATION_GRANULARITY;
    Mapping.Base = mmap(nullptr, Mapping.Length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Mapping.Base == MAP_FAILED)
        return false;
    std::uintptr_t Start = reinterpret_cast<std::uintptr_t>(Mapping.Base);
    Aligned = (Start + ALLOCATION_GRANULARITY - 1) & ~static_cast<std::uintptr_t>(ALLOCATION_GRANULARITY - 1);
    return true;
}

void Unmap(const TMapping& Mapping)
{
    ASAN_UNPOISON_MEMORY_REGION(Mapping.Base, Mapping.Length);
    munmap(Mapping.Base, Mapping.Length);
}

// A granule of an open arena, or of a new one; null when no memory. Under
// the lock. Dirty receives the bytes of it the caller must clear.
void* TakeGranule(SIZE_T Size, SIZE_T& Dirty)
{
    if (OpenArenas.empty()) {
        auto Arena = std::make_unique<TArena>();
        if (!MapAligned(ArenaGranules * ALLOCATION_GRANULARITY, Arena->Mapping, Arena->First))
            return nullptr;
        std::map<std::uintptr_t, std::unique_ptr<TArena>>::iterator Entry;
        try {
            Arena->Free.reserve(ArenaGranules);
            for (unsigned I = ArenaGranules; I-- > 0;)
                Arena->Free.push_back(I);
            OpenArenas.reserve(Arenas.size() + 1);
            Entry = Arenas.emplace(Arena->First, nullptr).first;
        } catch (...) {
            Unmap(Arena->Mapping);
            return nullptr;
        }
        OpenArenas.push_back(Arena.get());
        ++EmptyArenas;
        Entry->second = std::move(Arena);
    }
    TArena* Arena = OpenArenas.back();
    if (Arena->InUse.none())
        --EmptyArenas;
    unsigned Number = Arena->Free.back();
    Arena->Free.pop_back();
    if (Arena->Free.empty())
        OpenArenas.pop_back();
    Arena->InUse.set(Number);
    Dirty = Arena->Dirty[Number];
    Arena->Dirty[Number] = RoundUp(Size, PageSize);
    return reinterpret_cast<void*>(Arena->First + Number * ALLOCATION_GRANULARITY);
}

// Gives back a granule of an arena; false when Address is none. Under the
// lock.
bool ReturnGranule(std::uintptr_t Address)
{
    auto Found = Arenas.upper_bound(Address);
    if (Found == Arenas.begin())
        return false;
    --Found;
    TArena* Arena = Found->second.get();
    const std::uintptr_t Offset = Address - Arena->First;
    if (Offset % ALLOCATION_GRANULARITY != 0 || Offset / ALLOCATION_GRANULARITY >= ArenaGranules)
        return false;
    const unsigned Number = static_cast<unsigned>(Offset / ALLOCATION_GRANULARITY);
    if (!Arena->InUse.test(Number))
        return false;
    Arena->InUse.reset(Number);
    ASAN_POISON_MEMORY_REGION(reinterpret_cast<void*>(Address), ALLOCATION_GRANULARITY);
    // Free has room for every granule and OpenArenas for every arena, so
    // giving back allocates nothing.
    if (Arena->Free.empty())
        OpenArenas.push_back(Arena);
    Arena->Free.push_back(Number);
    if (Arena->InUse.none() && ++EmptyArenas > 1) {
        --EmptyArenas;
        OpenArenas.erase(std::find(OpenArenas.begin(), OpenArenas.end(), Arena));
        Unmap(Arena->Mapping);
        Arenas.erase(Found);
    }
    return true;
}

} // namespace

LPVOID VirtualAlloc(LPVOID Address, SIZE_T Size, DWORD AllocationType, DWORD Protect)
{
    if (Address != nullptr || Size == 0 || AllocationType != (MEM_RESERVE | MEM_COMMIT) || Protect != PAGE_READWRITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SIZE_T Rounded = RoundUp(Size, ALLOCATION_GRANULARITY);
    if (Rounded < Size) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (Rounded == ALLOCATION_GRANULARITY) {
        SIZE_T Dirty = 0;
        void* Granule;
        {
            std::lock_guard<std::mutex> Guard(BlocksLock);
            Granule = TakeGranule(Size, Dirty);
        }
        if (!Granule) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        ASAN_UNPOISON_MEMORY_REGION(Granule, ALLOCATION_GRANULARITY);
        std::memset(Granule, 0, Dirty);
        return Granule;
    }
    TMapping Mapping;
    std::uintptr_t Aligned;
    if (!MapAligned(Rounded, Mapping, Aligned)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    try {
        std::lock_guard<std::mutex> Guard(BlocksLock);
        Blocks[Aligned] = Mapping;
    } catch (...) {
        munmap(Mapping.Base, Mapping.Length);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<LPVOID>(Aligned);
}

BOOL VirtualFree(LPVOID Address, SIZE_T Size, DWORD FreeType)
{
    if (Size != 0 || FreeType != MEM_RELEASE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::uintptr_t Where = reinterpret_cast<std::uintptr_t>(Address);
    TMapping Mapping;
    {
        std::lock_guard<std::mutex> Guard(BlocksLock);
        if (Address != nullptr && ReturnGranule(Where))
            return TRUE;
        auto Found = Blocks.find(Where);
        if (Address == nullptr || Found == Blocks.end()) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return FALSE;
        }
        Mapping = Found->second;
        Blocks.erase(Found);
    }
    munmap(Mapping.Base, Mapping.Length);
    return TRUE;
}
