#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "MessageBoxRecorder.h"
#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Tystrtab.h"

using namespace YVclUtil;

namespace {

_YSTRTABMEMBLOCK* BlockOfCell(const void* Cell)
{
    return reinterpret_cast<_YSTRTABMEMBLOCK*>(reinterpret_cast<std::uintptr_t>(Cell) & ~std::uintptr_t(8191));
}

// The block behind a block reference of a header link.
_YSTRTABMEMBLOCK* LinkedBlock(const TYStrTab& Tab, TYStrTabRef Ref)
{
    return Ref ? BlockOfCell(Tab.RefToCell(Ref << 8)) : nullptr;
}

// The cells of a chain, as (BytesUsed) values.
std::vector<int> ChainCells(const TYStrTab& Tab, const _YSTRTABCELL* Cell)
{
    std::vector<int> Used;
    for (; Cell; Cell = Tab.RefToCell(Cell->NextCell))
        Used.push_back(Cell->BytesUsed);
    return Used;
}

std::string Stored(TYStrTab& Tab, const _YSTRTABCELL* Cell)
{
    std::vector<char> Buffer(20000);
    unsigned int Length = 0;
    if (!Tab.Get(Cell, Buffer.data(), static_cast<unsigned>(Buffer.size()), &Length))
        return "<refused>";
    return std::string(Buffer.data(), Length);
}

// Both block lists agree with the counters of the table.
void ExpectConsistent(const TYStrTab& Tab)
{
    int Blocks = 0, FreeBlocks = 0, FreeCells = 0;
    const _YSTRTABMEMBLOCK* Prev = nullptr;
    for (const _YSTRTABMEMBLOCK* B = Tab.BlockList; B; B = LinkedBlock(Tab, B->Header.NextBlock)) {
        ++Blocks;
        EXPECT_EQ(B->Header.Owner, &Tab);
        EXPECT_EQ(LinkedBlock(Tab, B->Header.PrevBlock), Prev);
        FreeCells += B->Header.FreeCells;
        Prev = B;
    }
    Prev = nullptr;
    for (const _YSTRTABMEMBLOCK* B = Tab.FreeBlockList; B; B = LinkedBlock(Tab, B->Header.NextFreeBlock)) {
        ++FreeBlocks;
        EXPECT_GE(B->Header.FreeCells, 1);
        EXPECT_LE(B->Header.FreeCells, 255);
        EXPECT_EQ(LinkedBlock(Tab, B->Header.PrevFreeBlock), Prev);
        Prev = B;
    }
    EXPECT_EQ(Blocks, Tab.BlockCount);
    EXPECT_EQ(FreeBlocks, Tab.FreeBlockCount);
    EXPECT_EQ(FreeCells, Tab.FreeCellCount);
}

} // namespace

TEST(StrTab, StringOfNBytesTakesCeilNOver27Cells)
{
    const struct { unsigned Length; std::vector<int> Cells; } Cases[] = {
        {1, {1}}, {26, {26}}, {27, {27}}, {28, {27, 1}}, {54, {27, 27}}, {55, {27, 27, 1}}};
    for (const auto& C : Cases) {
        TYStrTab Tab;
        const std::string Text(C.Length, 'q');
        _YSTRTABCELL* Cell = Tab.Add(Text.c_str());
        ASSERT_NE(Cell, nullptr);
        EXPECT_EQ(ChainCells(Tab, Cell), C.Cells) << C.Length << " bytes";
        EXPECT_EQ(Tab.FreeCellCount, 255 - static_cast<int>(C.Cells.size()));
        EXPECT_EQ(Stored(Tab, Cell), Text);
    }
}

TEST(StrTab, BlocksComeAndGoWithTheStrings)
{
    TYStrTab Tab;
    EXPECT_EQ(Tab.BlockCount, 0);
    _YSTRTABCELL* Cell = Tab.Add("0123456789");
    EXPECT_EQ(Tab.BlockCount, 1);
    EXPECT_EQ(Tab.ChainCount, 1);
    EXPECT_EQ(Tab.FreeCellCount, 254);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Tab.BlockList) % 8192, 0u);
    EXPECT_EQ(BlockOfCell(Cell), Tab.BlockList);
    EXPECT_TRUE(Tab.Delete(Cell));
    EXPECT_EQ(Tab.BlockCount, 0);
    EXPECT_EQ(Tab.FreeCellCount, 0);
    EXPECT_EQ(Tab.BlockList, nullptr);
    EXPECT_EQ(Tab.FreeBlockList, nullptr);

    const std::string Big(7000, 'b');   // 260 cells
    Cell = Tab.Add(Big.c_str());
    EXPECT_EQ(Tab.BlockCount, 2);
    EXPECT_EQ(ChainCells(Tab, Cell).size(), 260u);
    EXPECT_EQ(Tab.FreeCellCount, 510 - 260);
    EXPECT_EQ(Stored(Tab, Cell), Big);
    ExpectConsistent(Tab);
}

TEST(StrTab, FreeingTheLastUsedCellOfABlockReleasesIt)
{
    TYStrTab Tab;
    std::vector<_YSTRTABCELL*> First;
    for (int I = 0; I < 255; ++I)
        First.push_back(Tab.Add("a"));
    _YSTRTABCELL* Second = Tab.Add("b");
    ASSERT_EQ(Tab.BlockCount, 2);
    ASSERT_NE(BlockOfCell(Second), BlockOfCell(First[0]));
    for (int I = 0; I < 254; ++I)
        EXPECT_TRUE(Tab.Delete(First[I]));
    const int Before = Tab.FreeCellCount;
    EXPECT_TRUE(Tab.Delete(First[254]));
    EXPECT_EQ(Tab.BlockCount, 1);
    EXPECT_EQ(Tab.FreeBlockCount, 1);
    EXPECT_EQ(Tab.FreeCellCount, Before - 254);
    EXPECT_EQ(Tab.BlockList, BlockOfCell(Second));
    EXPECT_EQ(Tab.FreeBlockList, BlockOfCell(Second));
    EXPECT_EQ(Stored(Tab, Second), "b");
    ExpectConsistent(Tab);
}

// A block made for a string joins the list of blocks with free cells at its
// tail, also after the tail block has filled up or has been released.
TEST(StrTab, ANewBlockJoinsTheFreeBlockListAtItsTail)
{
    TYStrTab Tab;
    std::vector<_YSTRTABCELL*> A, B;
    for (int I = 0; I < 255; ++I)
        A.push_back(Tab.Add("a"));
    for (int I = 0; I < 255; ++I)
        B.push_back(Tab.Add("b"));
    ASSERT_EQ(Tab.FreeBlockList, nullptr);
    Tab.Delete(A[0]);
    Tab.Delete(B[0]);   // free blocks: B, A

    const std::string Three(81, '3'), Four(100, '4');
    _YSTRTABCELL* First = Tab.Add(Three.c_str());   // a new block C after A; B and A fill up
    ASSERT_EQ(Tab.BlockCount, 3);
    EXPECT_EQ(Tab.FreeBlockList, Tab.BlockList);
    ExpectConsistent(Tab);

    Tab.Delete(B[1]);        // free blocks: B, C
    Tab.Delete(First);       // A, B, C; then C is empty and goes
    ASSERT_EQ(Tab.BlockCount, 2);
    ASSERT_EQ(Tab.FreeCellCount, 3);
    ExpectConsistent(Tab);
    _YSTRTABCELL* Second = Tab.Add(Four.c_str());   // a new block D after B
    EXPECT_EQ(Tab.BlockCount, 3);
    EXPECT_EQ(Tab.FreeBlockList, Tab.BlockList);
    ExpectConsistent(Tab);
    EXPECT_EQ(Stored(Tab, Second), Four);
    EXPECT_EQ(Stored(Tab, A[254]), "a");
    EXPECT_EQ(Stored(Tab, B[254]), "b");
}

TEST(StrTab, GetHonoursTheBufferSize)
{
    TYStrTab Tab;
    _YSTRTABCELL* Cell = Tab.Add("hello world, this is thirty-five!!");
    const unsigned Length = 34;
    char Buffer[64];
    unsigned int Got = 0;
    EXPECT_FALSE(Tab.Get(Cell, Buffer, Length)) << "no room for the NUL";
    std::memset(Buffer, '#', sizeof Buffer);
    EXPECT_TRUE(Tab.Get(Cell, Buffer, Length + 1, &Got));
    EXPECT_EQ(Got, Length);
    EXPECT_STREQ(Buffer, "hello world, this is thirty-five!!");
    EXPECT_EQ(Buffer[Length + 1], '#') << "nothing written after the NUL";
    EXPECT_TRUE(Tab.Get(Cell, Buffer, 0, nullptr)) << "0 means no limit";
    EXPECT_TRUE(Tab.Get(Cell, Buffer));

    const char Binary[] = {'a', '\0', '\xFF', '\n', 'z'};
    _YSTRTABCELL* Bytes = Tab.Add(Binary, 5);
    EXPECT_EQ(Stored(Tab, Bytes), std::string(Binary, 5));
    EXPECT_EQ(Tab.Add(Binary, 0), nullptr);
    EXPECT_EQ(Tab.Add(nullptr, 3), nullptr);
    EXPECT_EQ(Tab.Add(""), nullptr);
    EXPECT_EQ(Tab.Add(static_cast<const char*>(nullptr)), nullptr);
}

TEST(StrTab, CompareNeedsTheWholeText)
{
    TYStrTab Tab;
    const std::string Long(60, 'x');
    _YSTRTABCELL* Short = Tab.Add("abc");
    _YSTRTABCELL* Multi = Tab.Add(Long.c_str());
    const char WithNul[] = {'a', 'b', '\0', 'c'};
    _YSTRTABCELL* Nul = Tab.Add(WithNul, 4);
    const struct { _YSTRTABCELL* Cell; std::string Text; bool Equal; } Cases[] = {
        {Short, "abc", true}, {Short, "ab", false}, {Short, "abcd", false}, {Short, "", false},
        {Short, "abd", false}, {Multi, Long, true}, {Multi, Long + "x", false}, {Multi, Long.substr(0, 54), false},
        {Multi, Long.substr(0, 59), false}, {Nul, "ab", false}};
    for (const auto& C : Cases)
        EXPECT_EQ(Tab.Compare(C.Cell, C.Text.c_str()), C.Equal) << "\"" << C.Text << "\"";
}

TEST(StrTab, ForeignCellsAndEmptyTablesAreRefused)
{
    TYStrTab Mine, Other;
    _YSTRTABCELL* Own = Mine.Add("mine");
    _YSTRTABCELL* Foreign = Other.Add("other");
    char Buffer[16];
    EXPECT_FALSE(Mine.Get(Foreign, Buffer, sizeof Buffer));
    EXPECT_FALSE(Mine.Compare(Foreign, "other"));
    EXPECT_FALSE(Mine.Delete(Foreign));
    EXPECT_EQ(Other.ChainCount, 1);
    EXPECT_FALSE(Mine.Get(nullptr, Buffer));
    EXPECT_FALSE(Mine.Get(Own, nullptr));
    EXPECT_FALSE(Mine.Compare(Own, nullptr));
    EXPECT_FALSE(Mine.Delete(nullptr));
    EXPECT_FALSE(Mine.Get(reinterpret_cast<_YSTRTABCELL*>(reinterpret_cast<char*>(Own) + 1), Buffer)) << "not a cell";

    TYStrTab Empty;
    EXPECT_FALSE(Empty.Get(Foreign, Buffer));
    EXPECT_FALSE(Empty.Compare(Foreign, "other"));
    EXPECT_FALSE(Empty.Delete(Foreign));
    EXPECT_FALSE(Empty.FreeMemBlock(nullptr));
    EXPECT_FALSE(Mine.FreeMemBlock(Mine.BlockList)) << "a block in use is not released";
}

TEST(StrTab, RecordsAreOneCellEach)
{
    TYStrTab Tab;
    EXPECT_EQ(Tab.malloc(0), nullptr);
    EXPECT_EQ(Tab.malloc(29), nullptr);
    EXPECT_EQ(Tab.ChainCount, 0);
    void* Record = Tab.malloc(28);
    ASSERT_NE(Record, nullptr);
    EXPECT_EQ(Tab.ChainCount, 1);
    EXPECT_EQ(Tab.FreeCellCount, 254);
    EXPECT_EQ((reinterpret_cast<std::uintptr_t>(Record) - 32) % 32, 4u) << "the cell's last 28 bytes";
    std::memset(Record, 0xEE, 28);
    _YSTRTABCELL* Neighbour = Tab.Add("next door");
    EXPECT_EQ(Stored(Tab, Neighbour), "next door");
    EXPECT_TRUE(Tab.free(Record));
    EXPECT_EQ(Tab.ChainCount, 1);
    EXPECT_FALSE(Tab.free(nullptr));
}

TEST(StrTab, RandomAddsAndDeletesKeepEveryStringAndTheLists)
{
    TYStrTab Tab;
    std::mt19937 Random(7430);
    std::map<_YSTRTABCELL*, std::string> Live;
    for (int Step = 0; Step < 6000; ++Step) {
        if (Live.empty() || Random() % 3 != 0) {
            std::string Text(1 + Random() % 120, '\0');
            for (char& C : Text)
                C = static_cast<char>('a' + Random() % 26);
            _YSTRTABCELL* Cell = Tab.Add(Text.c_str());
            ASSERT_EQ(Live.count(Cell), 0u);
            Live[Cell] = Text;
        } else {
            auto It = Live.begin();
            std::advance(It, Random() % Live.size());
            ASSERT_TRUE(Tab.Delete(It->first));
            Live.erase(It);
        }
        if (Step % 500 == 0)
            ExpectConsistent(Tab);
    }
    EXPECT_EQ(Tab.ChainCount, static_cast<int>(Live.size()));
    for (const auto& [Cell, Text] : Live)
        ASSERT_EQ(Stored(Tab, Cell), Text);
    ExpectConsistent(Tab);
    EXPECT_TRUE(Tab.DeleteAll());
    EXPECT_EQ(Tab.BlockCount + Tab.ChainCount + Tab.FreeCellCount + Tab.FreeBlockCount, 0);
    EXPECT_EQ(Tab.Add("again") != nullptr, true) << "usable after DeleteAll";
}

// A block the system refuses: the table shows its box and raises, and keeps
// what it held. The refusal is provoked by a limit on the address space,
// a little above what the process uses, in a child process so that the
// limit stays there; the child reports what it saw through a pipe.
namespace {

std::uint64_t AddressSpaceInUse()
{
    std::uint64_t Pages = 0;
    if (std::FILE* F = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(F, "%" SCNu64, &Pages) != 1)
            Pages = 0;
        std::fclose(F);
    }
    return Pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

std::string FillUntilRefused()
{
    TMessageBoxRecorder Recorder;
    TYStrTab Tab;
    std::vector<std::pair<_YSTRTABCELL*, std::string>> Earlier;
    for (int I = 1; I <= 100; ++I) {
        std::string Text(static_cast<size_t>(I), static_cast<char>('A' + I % 26));
        Earlier.emplace_back(Tab.Add(Text.c_str()), Text);
    }

    rlimit Old{};
    ::getrlimit(RLIMIT_AS, &Old);
    rlimit Low = Old;
    Low.rlim_cur = AddressSpaceInUse() + 8 * 1024 * 1024;
    if (Old.rlim_cur != RLIM_INFINITY && Old.rlim_cur < Low.rlim_cur)
        Low.rlim_cur = Old.rlim_cur;
    if (::setrlimit(RLIMIT_AS, &Low) != 0)
        return "setrlimit failed";

    const std::string OneBlock(YSTRTAB_CELLSPERBLOCK * YSTRTAB_CELLDATASIZE, 'f');
    std::string Raised = "<nothing raised>";
    bool Unchanged = false;
    for (int I = 0; I < 1000000; ++I) {
        const int Chains = Tab.ChainCount, Blocks = Tab.BlockCount, FreeCells = Tab.FreeCellCount;
        try {
            Tab.Add(OneBlock.c_str());
        } catch (const EYGeneral& E) {
            Raised = E.Message;
            Unchanged = Tab.ChainCount == Chains && Tab.BlockCount == Blocks && Tab.FreeCellCount == FreeCells;
            break;
        }
    }
    ::setrlimit(RLIMIT_AS, &Old);

    bool Intact = true;
    for (const auto& [Cell, Text] : Earlier)
        Intact = Intact && Stored(Tab, Cell) == Text;
    std::string Report = "raised: " + Raised + "\n";
    for (const TMessageBoxRequest& Box : Recorder.Boxes)
        Report += "box: " + Box.Caption + " / " + Box.Text + "\n";
    Report += std::string("table unchanged by the refused string: ") + (Unchanged ? "yes" : "no") + "\n";
    Report += std::string("earlier strings intact: ") + (Intact ? "yes" : "no") + "\n";
    return Report;
}

} // namespace

TEST(StrTab, ARefusedBlockShowsItsBoxRaisesAndKeepsTheEarlierStrings)
{
    int Pipe[2];
    ASSERT_EQ(::pipe(Pipe), 0);
    const pid_t Child = ::fork();
    ASSERT_NE(Child, -1);
    if (Child == 0) {
        ::close(Pipe[0]);
        const std::string Report = FillUntilRefused();
        const bool Written = ::write(Pipe[1], Report.data(), Report.size()) == static_cast<ssize_t>(Report.size());
        ::_exit(Written ? 0 : 1);
    }
    ::close(Pipe[1]);
    std::string Report;
    char Buffer[512];
    for (ssize_t N; (N = ::read(Pipe[0], Buffer, sizeof Buffer)) > 0;)
        Report.append(Buffer, static_cast<size_t>(N));
    ::close(Pipe[0]);
    int Status = 0;
    ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0) << "child status " << Status;
    EXPECT_EQ(Report,
              "raised: Err: TYStrTab::AllocateMemBlock() !!!\n"
              "box: TYStrTab / Err: Can not allocate memory for TYStrTab !!!\n"
              "table unchanged by the refused string: yes\n"
              "earlier strings intact: yes\n");
}
