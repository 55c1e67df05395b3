#include "win32/Memory.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <sys/mman.h>

#include "win32/LastError.h"

namespace {

// A block is carved out of a larger mapping so that it starts on the
// allocation granularity; the table remembers the mapping to unmap.
struct TMapping {
    void* Base;
    SIZE_T Length;
};

std::mutex BlocksLock;
std::map<std::uintptr_t, TMapping> Blocks;

} // namespace

LPVOID VirtualAlloc(LPVOID Address, SIZE_T Size, DWORD AllocationType, DWORD Protect)
{
    if (Address != nullptr || Size == 0 || AllocationType != (MEM_RESERVE | MEM_COMMIT) || Protect != PAGE_READWRITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SIZE_T Rounded = (Size + ALLOCATION_GRANULARITY - 1) / ALLOCATION_GRANULARITY * ALLOCATION_GRANULARITY;
    if (Rounded < Size) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    SIZE_T Length = Rounded + ALLOCATION_GRANULARITY;
    void* Base = mmap(nullptr, Length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Base == MAP_FAILED) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::uintptr_t Start = reinterpret_cast<std::uintptr_t>(Base);
    std::uintptr_t Aligned = (Start + ALLOCATION_GRANULARITY - 1) & ~static_cast<std::uintptr_t>(ALLOCATION_GRANULARITY - 1);
    try {
        std::lock_guard<std::mutex> Guard(BlocksLock);
        Blocks[Aligned] = TMapping{Base, Length};
    } catch (...) {
        munmap(Base, Length);
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
    TMapping Mapping;
    {
        std::lock_guard<std::mutex> Guard(BlocksLock);
        auto Found = Blocks.find(reinterpret_cast<std::uintptr_t>(Address));
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
