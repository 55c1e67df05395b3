#pragma once
// TYStrTab: many short byte strings in chains of 32-byte cells inside
// 8192-byte blocks, with no heap allocation per string.
//
// A block is a 32-byte header and 255 cells and starts on an 8192-byte
// boundary, so the block of a cell (and the table that owns it) is found by
// clearing the low 13 bits of the cell's address. A cell holds 27 data bytes,
// so a string of n bytes takes ceil(n / 27) cells.
//
// Links inside blocks are 32-bit references, not pointers, so that the
// 32-byte cell and header hold on a 64-bit build: a cell reference is
// (block slot + 1) << 8 | cell number, resolved through the table's own
// directory of blocks (Blocks), and 0 means none. Users see only real
// addresses: a stored string is known by the address of its first cell.
//
// The same cells serve as a small record allocator (malloc / free) for
// records of up to 28 bytes, which the hashed string list uses.

#include <cstdint>
#include <vector>

#include "rtl/System.h"

namespace YVclUtil {

class TYStrTab;

constexpr unsigned YSTRTAB_BLOCKSIZE = 8192;
constexpr unsigned YSTRTAB_CELLSIZE = 32;
constexpr unsigned YSTRTAB_CELLSPERBLOCK = 255;
constexpr unsigned YSTRTAB_CELLDATASIZE = 27;
constexpr unsigned YSTRTAB_RECORDSIZE = 28;   // the largest record malloc gives

using TYStrTabRef = std::uint32_t;

struct _YSTRTABCELL {
    TYStrTabRef NextCell;          // next cell of the chain (0 in the last); in a free cell,
                                   // the number + 1 of the next free cell of its block
    std::uint8_t BytesUsed;        // data bytes in use; 0 in a free cell
    char Data[YSTRTAB_CELLDATASIZE];
};
static_assert(sizeof(_YSTRTABCELL) == YSTRTAB_CELLSIZE);

struct _YSTRTABMEMBLOCKHEADER {
    TYStrTab* Owner;
    TYStrTabRef PrevBlock;         // list of all blocks (block references: slot + 1)
    TYStrTabRef NextBlock;
    TYStrTabRef PrevFreeBlock;     // list of blocks with free cells
    TYStrTabRef NextFreeBlock;
    std::uint16_t FreeCells;       // 0 to 255
    std::uint16_t FreeCellList;    // cell number + 1 of the first free cell; 0: none
    std::uint32_t Slot;            // this block's place in the table's directory
};
static_assert(sizeof(_YSTRTABMEMBLOCKHEADER) == 32);

struct _YSTRTABMEMBLOCK {
    _YSTRTABMEMBLOCKHEADER Header;
    _YSTRTABCELL Cells[YSTRTAB_CELLSPERBLOCK];
};
static_assert(sizeof(_YSTRTABMEMBLOCK) == YSTRTAB_BLOCKSIZE);

class TYStrTab : public TObject {
public:
    TYStrTab() { RunConstructor(); }
    ~TYStrTab() override { RunDestructor(); }

    // Stores the string without its NUL; null for a null or empty string.
    _YSTRTABCELL* Add(const char* Str);
    // Stores Count bytes of any value; null for a null pointer or a count of 0.
    // Raises EYGeneral when no block can be had; nothing is stored then.
    _YSTRTABCELL* Add(const char* Bytes, unsigned int Count);

    // Copies the string and a NUL into Buffer. A BufferSize of 0 means no
    // limit; otherwise false when the string and its NUL do not fit (the
    // buffer may then hold the first cells' bytes without a NUL). Length,
    // when not null, receives the string's length.
    bool Get(const _YSTRTABCELL* Cell, char* Buffer);
    bool Get(const _YSTRTABCELL* Cell, char* Buffer, unsigned int BufferSize);
    bool Get(const _YSTRTABCELL* Cell, char* Buffer, unsigned int BufferSize, unsigned int* Length);

    // True when the stored string equals the NUL-terminated Text.
    bool Compare(const _YSTRTABCELL* Cell, const char* Text);
    // Returns the chain's cells; a block whose last cell returns is released.
    bool Delete(_YSTRTABCELL* Cell);
    // Releases every block; every cell handed out before becomes invalid.
    bool DeleteAll();

    // A record of 1 to 28 bytes inside one cell (the cell's last 28 bytes),
    // or null for other sizes. free returns it.
    void* malloc(unsigned int Size);
    bool free(void* Record);

    bool AllocateMemBlock();
    bool FreeMemBlock(_YSTRTABMEMBLOCK* Block);

    // The 32-bit reference of a cell of this table and back (0 and null for
    // none). For records that keep links to cells in 32 bits.
    TYStrTabRef CellToRef(const _YSTRTABCELL* Cell) const;
    _YSTRTABCELL* RefToCell(TYStrTabRef Ref) const;

    int BlockCount;
    _YSTRTABMEMBLOCK* BlockList;       // all blocks, newest first
    int ChainCount;                    // strings from Add plus records from malloc
    _YSTRTABMEMBLOCK* FreeBlockList;   // blocks with at least one free cell
    int FreeBlockCount;
    int FreeCellCount;

private:
    void RunConstructor();
    void RunDestructor();

    // The block of a cell address, when it is a cell of this table.
    _YSTRTABMEMBLOCK* BlockOf(const void* Cell) const;
    bool Checked(const _YSTRTABCELL* Cell, const void* Other) const;
    _YSTRTABMEMBLOCK* BlockAt(TYStrTabRef BlockRef) const;
    static TYStrTabRef BlockRef(const _YSTRTABMEMBLOCK* Block) { return Block ? Block->Header.Slot + 1 : 0; }
    _YSTRTABCELL* TakeCell();
    void UnlinkFreeBlock(_YSTRTABMEMBLOCK* Block);

    // The last block of FreeBlockList, so that a new block is appended
    // there without a walk of the list.
    _YSTRTABMEMBLOCK* FreeBlockTail;

    // Directory of blocks by slot (null: a free slot) and the free slots.
    std::vector<_YSTRTABMEMBLOCK*> Blocks;
    std::vector<std::uint32_t> FreeSlots;
};

} // namespace YVclUtil
