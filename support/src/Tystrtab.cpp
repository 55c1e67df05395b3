#include "YVclUtil/Tystrtab.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Standalonefunction.h"

namespace YVclUtil {

namespace {

constexpr std::uintptr_t BlockMask = ~static_cast<std::uintptr_t>(YSTRTAB_BLOCKSIZE - 1);
// A cell reference keeps the block's slot + 1 above its 8-bit cell number.
constexpr std::uint32_t MaxSlots = (1u << 24) - 1;

_YSTRTABMEMBLOCK* AlignedBlock(const void* Address)
{
    return reinterpret_cast<_YSTRTABMEMBLOCK*>(reinterpret_cast<std::uintptr_t>(Address) & BlockMask);
}

unsigned CellNumber(const _YSTRTABMEMBLOCK* Block, const _YSTRTABCELL* Cell)
{
    return static_cast<unsigned>(Cell - Block->Cells);
}

[[noreturn]] void RefuseBlock(const char* Text)
{
    ShowErrMsgBox_Printf("TYStrTab", "%s", Text);
    throw EYGeneral("Err: TYStrTab::AllocateMemBlock() !!!");
}

} // namespace

void TYStrTab::RunConstructor()
{
    BlockCount = 0;
    BlockList = nullptr;
    ChainCount = 0;
    FreeBlockList = nullptr;
    FreeBlockTail = nullptr;
    FreeBlockCount = 0;
    FreeCellCount = 0;
}

void TYStrTab::RunDestructor()
{
    DeleteAll();
}

// ---------------------------------------------------------------------------
// References and checks

TYStrTabRef TYStrTab::CellToRef(const _YSTRTABCELL* Cell) const
{
    if (!Cell)
        return 0;
    const _YSTRTABMEMBLOCK* Block = AlignedBlock(Cell);
    return ((Block->Header.Slot + 1) << 8) | CellNumber(Block, Cell);
}

_YSTRTABCELL* TYStrTab::RefToCell(TYStrTabRef Ref) const
{
    _YSTRTABMEMBLOCK* Block = BlockAt(Ref >> 8);
    unsigned Number = Ref & 0xFF;
    return Block && Number < YSTRTAB_CELLSPERBLOCK ? &Block->Cells[Number] : nullptr;
}

_YSTRTABMEMBLOCK* TYStrTab::BlockAt(TYStrTabRef Ref) const
{
    return Ref != 0 && Ref <= Blocks.size() ? Blocks[Ref - 1] : nullptr;
}

_YSTRTABMEMBLOCK* TYStrTab::BlockOf(const void* Cell) const
{
    std::uintptr_t Offset = reinterpret_cast<std::uintptr_t>(Cell) & (YSTRTAB_BLOCKSIZE - 1);
    if (Offset < sizeof(_YSTRTABMEMBLOCKHEADER) || Offset % YSTRTAB_CELLSIZE != 0)
        return nullptr;
    _YSTRTABMEMBLOCK* Block = AlignedBlock(Cell);
    return Block->Header.Owner == this ? Block : nullptr;
}

// The checks of Get, Compare and Delete, in this order: the table holds a
// chain, the pointers are not null, the cell's block belongs to this table.
bool TYStrTab::Checked(const _YSTRTABCELL* Cell, const void* Other) const
{
    return ChainCount != 0 && Cell && Other && BlockOf(Cell);
}

// ---------------------------------------------------------------------------
// Blocks

bool TYStrTab::AllocateMemBlock()
{
    void* Memory = YAllocVirtualMem(YSTRTAB_BLOCKSIZE);
    if (!Memory)
        RefuseBlock("Err: Can not allocate memory for TYStrTab !!!");
    // Finding a cell's block by masking its address needs 8 KB alignment.
    if (reinterpret_cast<std::uintptr_t>(Memory) % YSTRTAB_BLOCKSIZE != 0) {
        YFreeVirtualMem(Memory);
        RefuseBlock("Err: The alignment of allocate memory for TYStrTab is not 4KB !!!");
    }
    std::uint32_t Slot;
    try {
        if (!FreeSlots.empty()) {
            Slot = FreeSlots.back();
            FreeSlots.pop_back();
        } else {
            if (Blocks.size() >= MaxSlots)
                throw std::bad_alloc();
            // FreeMemBlock gives slots back without allocating, so there is
            // room for every slot; it grows in doubling steps, not by one
            // slot at a time (a new allocation on every new block).
            if (FreeSlots.capacity() <= Blocks.size())
                FreeSlots.reserve(2 * Blocks.size() + 64);
            Slot = static_cast<std::uint32_t>(Blocks.size());
            Blocks.push_back(nullptr);
        }
    } catch (const std::bad_alloc&) {
        YFreeVirtualMem(Memory);
        RefuseBlock("Err: Can not allocate memory for TYStrTab !!!");
    }

    // The page memory comes zero-filled: only the header and the free-cell
    // links need values.
    auto* Block = new (Memory) _YSTRTABMEMBLOCK;
    Blocks[Slot] = Block;
    Block->Header = _YSTRTABMEMBLOCKHEADER{};
    Block->Header.Owner = this;
    Block->Header.Slot = Slot;
    Block->Header.FreeCells = YSTRTAB_CELLSPERBLOCK;
    Block->Header.FreeCellList = 1;
    for (unsigned I = 0; I + 1 < YSTRTAB_CELLSPERBLOCK; ++I)
        Block->Cells[I].NextCell = I + 2;

    // Head of the list of all blocks.
    Block->Header.NextBlock = BlockRef(BlockList);
    if (BlockList)
        BlockList->Header.PrevBlock = BlockRef(Block);
    BlockList = Block;

    // Tail of the list of blocks with free cells, kept in FreeBlockTail
    // rather than found by walking the list.
    _YSTRTABMEMBLOCK* Last = FreeBlockTail;
    Block->Header.PrevFreeBlock = BlockRef(Last);
    if (Last)
        Last->Header.NextFreeBlock = BlockRef(Block);
    else
        FreeBlockList = Block;
    FreeBlockTail = Block;

    ++BlockCount;
    ++FreeBlockCount;
    FreeCellCount += YSTRTAB_CELLSPERBLOCK;
    return true;
}

void TYStrTab::UnlinkFreeBlock(_YSTRTABMEMBLOCK* Block)
{
    _YSTRTABMEMBLOCK* Prev = BlockAt(Block->Header.PrevFreeBlock);
    _YSTRTABMEMBLOCK* Next = BlockAt(Block->Header.NextFreeBlock);
    if (Prev)
        Prev->Header.NextFreeBlock = Block->Header.NextFreeBlock;
    else
        FreeBlockList = Next;
    if (Next)
        Next->Header.PrevFreeBlock = Block->Header.PrevFreeBlock;
    else
        FreeBlockTail = Prev;
    Block->Header.PrevFreeBlock = 0;
    Block->Header.NextFreeBlock = 0;
    --FreeBlockCount;
}

bool TYStrTab::FreeMemBlock(_YSTRTABMEMBLOCK* Block)
{
    if (!Block || Block->Header.Owner != this || Block->Header.FreeCells < YSTRTAB_CELLSPERBLOCK)
        return false;
    _YSTRTABMEMBLOCK* Prev = BlockAt(Block->Header.PrevBlock);
    _YSTRTABMEMBLOCK* Next = BlockAt(Block->Header.NextBlock);
    if (Prev)
        Prev->Header.NextBlock = Block->Header.NextBlock;
    else
        BlockList = Next;
    if (Next)
        Next->Header.PrevBlock = Block->Header.PrevBlock;
    // A wholly free block is always in the free list.
    UnlinkFreeBlock(Block);
    --BlockCount;
    FreeCellCount -= YSTRTAB_CELLSPERBLOCK;
    Blocks[Block->Header.Slot] = nullptr;
    FreeSlots.push_back(Block->Header.Slot);
    YFreeVirtualMem(Block);
    return true;
}

bool TYStrTab::DeleteAll()
{
    for (_YSTRTABMEMBLOCK* Block : Blocks)
        if (Block)
            YFreeVirtualMem(Block);
    Blocks.clear();
    FreeSlots.clear();
    RunConstructor();
    return true;
}

// ---------------------------------------------------------------------------
// Strings

_YSTRTABCELL* TYStrTab::TakeCell()
{
    _YSTRTABMEMBLOCK* Block = FreeBlockList;
    _YSTRTABCELL* Cell = &Block->Cells[Block->Header.FreeCellList - 1];
    Block->Header.FreeCellList = static_cast<std::uint16_t>(Cell->NextCell);
    Cell->NextCell = 0;
    --Block->Header.FreeCells;
    --FreeCellCount;
    if (Block->Header.FreeCells == 0)
        UnlinkFreeBlock(Block);
    return Cell;
}

_YSTRTABCELL* TYStrTab::Add(const char* Bytes, unsigned int Count)
{
    if (!Bytes || Count == 0)
        return nullptr;
    const long long Needed = (static_cast<long long>(Count) + YSTRTAB_CELLDATASIZE - 1) / YSTRTAB_CELLDATASIZE;
    while (FreeCellCount < Needed)
        AllocateMemBlock();
    ++ChainCount;

    _YSTRTABCELL* First = nullptr;
    _YSTRTABCELL* Prev = nullptr;
    while (Count > 0) {
        _YSTRTABCELL* Cell = TakeCell();
        if (Prev)
            Prev->NextCell = CellToRef(Cell);
        else
            First = Cell;
        unsigned Part = Count > YSTRTAB_CELLDATASIZE ? YSTRTAB_CELLDATASIZE : Count;
        std::memcpy(Cell->Data, Bytes, Part);
        Cell->BytesUsed = static_cast<std::uint8_t>(Part);
        Bytes += Part;
        Count -= Part;
        Prev = Cell;
    }
    return First;
}

_YSTRTABCELL* TYStrTab::Add(const char* Str)
{
    if (!Str || !*Str)
        return nullptr;
    return Add(Str, static_cast<unsigned int>(std::strlen(Str)));
}

bool TYStrTab::Get(const _YSTRTABCELL* Cell, char* Buffer)
{
    return Get(Cell, Buffer, 0, nullptr);
}

bool TYStrTab::Get(const _YSTRTABCELL* Cell, char* Buffer, unsigned int BufferSize)
{
    return Get(Cell, Buffer, BufferSize, nullptr);
}

bool TYStrTab::Get(const _YSTRTABCELL* Cell, char* Buffer, unsigned int BufferSize, unsigned int* Length)
{
    if (!Checked(Cell, Buffer))
        return false;
    unsigned int Total = 0;
    for (; Cell; Cell = RefToCell(Cell->NextCell)) {
        unsigned N = Cell->BytesUsed & 0x7F;
        Total += N;
        if (BufferSize != 0 && Total >= BufferSize)
            return false;
        std::memcpy(Buffer, Cell->Data, N);
        Buffer += N;
    }
    *Buffer = '\0';
    if (Length)
        *Length = Total;
    return true;
}

bool TYStrTab::Compare(const _YSTRTABCELL* Cell, const char* Text)
{
    if (!Checked(Cell, Text))
        return false;
    for (; Cell; Cell = RefToCell(Cell->NextCell)) {
        unsigned N = Cell->BytesUsed & 0x7F;
        for (unsigned I = 0; I < N; ++I, ++Text)
            if (*Text == '\0' || *Text != Cell->Data[I])
                return false;
    }
    return *Text == '\0';
}

bool TYStrTab::Delete(_YSTRTABCELL* Cell)
{
    if (!Checked(Cell, Cell))
        return false;
    while (Cell) {
        _YSTRTABCELL* Next = RefToCell(Cell->NextCell);
        _YSTRTABMEMBLOCK* Block = AlignedBlock(Cell);
        Cell->BytesUsed = 0;
        Cell->NextCell = Block->Header.FreeCellList;
        Block->Header.FreeCellList = static_cast<std::uint16_t>(CellNumber(Block, Cell) + 1);
        ++Block->Header.FreeCells;
        ++FreeCellCount;
        if (Block->Header.FreeCells == 1) {
            // Back at the head of the list of blocks with free cells.
            Block->Header.PrevFreeBlock = 0;
            Block->Header.NextFreeBlock = BlockRef(FreeBlockList);
            if (FreeBlockList)
                FreeBlockList->Header.PrevFreeBlock = BlockRef(Block);
            else
                FreeBlockTail = Block;
            FreeBlockList = Block;
            ++FreeBlockCount;
        }
        if (Block->Header.FreeCells == YSTRTAB_CELLSPERBLOCK)
            FreeMemBlock(Block);
        Cell = Next;
    }
    --ChainCount;
    return true;
}

// ---------------------------------------------------------------------------
// Records

void* TYStrTab::malloc(unsigned int Size)
{
    if (Size == 0 || Size > YSTRTAB_RECORDSIZE)
        return nullptr;
    _YSTRTABCELL* Cell = Add("?", 1);
    return &Cell->BytesUsed;
}

bool TYStrTab::free(void* Record)
{
    if (!Record)
        return false;
    return Delete(reinterpret_cast<_YSTRTABCELL*>(static_cast<char*>(Record) - offsetof(_YSTRTABCELL, BytesUsed)));
}

} // namespace YVclUtil
