#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>

#include "win32/LastError.h"
#include "win32/Memory.h"

TEST(VirtualMemory, BlocksAreZeroFilledAndAlignedOnTheGranularity)
{
    for (SIZE_T Size : {SIZE_T(1), SIZE_T(8192), SIZE_T(65536), SIZE_T(65537)}) {
        auto* Block = static_cast<unsigned char*>(VirtualAlloc(nullptr, Size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        ASSERT_NE(Block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Block) % ALLOCATION_GRANULARITY, 0u);
        for (SIZE_T i = 0; i < Size; ++i)
            ASSERT_EQ(Block[i], 0);
        std::memset(Block, 0xAB, Size);
        EXPECT_TRUE(VirtualFree(Block, 0, MEM_RELEASE));
    }
}

// Released blocks are handed out again: each comes back zero-filled over
// the size asked, whatever its last user wrote.
TEST(VirtualMemory, ReusedBlocksAreZeroFilledAgain)
{
    auto AllZero = [](const unsigned char* Block, SIZE_T Size) {
        for (SIZE_T i = 0; i < Size; ++i)
            if (Block[i] != 0)
                return false;
        return true;
    };
    for (SIZE_T Size : {SIZE_T(65536), SIZE_T(8192), SIZE_T(1), SIZE_T(4097), SIZE_T(65536)}) {
        auto* Block = static_cast<unsigned char*>(VirtualAlloc(nullptr, Size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        ASSERT_NE(Block, nullptr);
        EXPECT_TRUE(AllZero(Block, Size)) << Size << " bytes";
        std::memset(Block, 0xAB, Size);
        EXPECT_TRUE(VirtualFree(Block, 0, MEM_RELEASE));
    }

    // More blocks than one mapping holds, twice over.
    for (int Round = 0; Round < 2; ++Round) {
        std::set<unsigned char*> Blocks;
        for (int i = 0; i < 600; ++i) {
            auto* Block = static_cast<unsigned char*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
            ASSERT_NE(Block, nullptr);
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(Block) % ALLOCATION_GRANULARITY, 0u);
            ASSERT_TRUE(AllZero(Block, 8192)) << "round " << Round << ", block " << i;
            std::memset(Block, 0xCD, 8192);
            Blocks.insert(Block);
        }
        EXPECT_EQ(Blocks.size(), 600u) << "every block is a block of its own";
        for (unsigned char* Block : Blocks)
            ASSERT_TRUE(VirtualFree(Block, 0, MEM_RELEASE));
    }
}

TEST(VirtualMemory, ReleasingWhatIsNotABlockFails)
{
    int OnStack = 0;
    auto* Block = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(Block, nullptr);
    EXPECT_FALSE(VirtualFree(nullptr, 0, MEM_RELEASE));
    EXPECT_FALSE(VirtualFree(&OnStack, 0, MEM_RELEASE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_ADDRESS);
    EXPECT_FALSE(VirtualFree(Block + 32, 0, MEM_RELEASE)) << "an address inside a block is not the block";
    EXPECT_TRUE(VirtualFree(Block, 0, MEM_RELEASE));
    EXPECT_FALSE(VirtualFree(Block, 0, MEM_RELEASE)) << "released twice";
}

TEST(VirtualMemory, RefusedRequests)
{
    EXPECT_EQ(VirtualAlloc(nullptr, 0, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(VirtualAlloc(nullptr, SIZE_T(-1), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE), nullptr);
}
