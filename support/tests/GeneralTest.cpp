#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "MessageBoxRecorder.h"
#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Standalonefunction.h"
#include "win32/Debug.h"

using namespace YVclUtil;

TEST(EYGeneral, MessageIsTheFormattedTextAndCodeDefaultsToMinusOne)
{
    try {
        throw EYGeneral("Err: value %d of %s", 5, "x");
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Err: value 5 of x");
        EXPECT_STREQ(E.what(), "Err: value 5 of x");
        ASSERT_NE(dynamic_cast<const EYGeneral*>(&E), nullptr);
        EXPECT_EQ(dynamic_cast<const EYGeneral&>(E).ErrorCode, -1);
    }
    EYGeneral WithCode(7, "code %s", "seven");
    EXPECT_EQ(WithCode.ErrorCode, 7);
    EXPECT_EQ(WithCode.Message, "code seven");
    const std::string Long(20000, 'y');
    EXPECT_EQ(EYGeneral("%s", Long.c_str()).Message, Long) << "no truncation";
}

TEST(ShowErrMsgBox, ShowsTaskModalErrorBoxAndReturnsTextLength)
{
    TMessageBoxRecorder Recorder;
    TComponent Unnamed(nullptr);
    TComponent Named(nullptr);
    Named.SetName("PcUart1");
    const std::string Long(20000, 'z');

    EXPECT_EQ(ShowErrMsgBox_Printf("TYStrTab", "Err: %d !!!", 42), 11);
    EXPECT_EQ(ShowErrMsgBox_Printf(&Named, "Invalid value %s", "x"), 15);
    EXPECT_EQ(ShowErrMsgBox_Printf(&Unnamed, "%s", ""), 0);
    EXPECT_EQ(ShowErrMsgBox_Printf("Long", "%s", Long.c_str()), 20000);

    ASSERT_EQ(Recorder.Boxes.size(), 4u);
    const struct { const char* Caption; std::string Text; } Expected[] = {
        {"TYStrTab", "Err: 42 !!!"}, {"PcUart1", "Invalid value x"}, {"", ""}, {"Long", Long}};
    for (size_t I = 0; I < 4; ++I) {
        EXPECT_EQ(Recorder.Boxes[I].Caption, Expected[I].Caption);
        EXPECT_EQ(Recorder.Boxes[I].Text, Expected[I].Text);
        EXPECT_EQ(Recorder.Boxes[I].Flags, 0x2010u) << "MB_TASKMODAL | MB_ICONERROR";
    }
}

TEST(SendDbgString, PassesTheTextAsItIs)
{
    std::vector<std::string> Lines;
    SetDebugSink([&](const char* Text) { Lines.push_back(Text); });
    const std::string Long(20000, 'd');
    EXPECT_EQ(SendDbgString_Printf("open COM%d\n", 3), 10);
    EXPECT_EQ(SendDbgString_Printf("%s", ""), 0);
    EXPECT_EQ(SendDbgString_Printf("%s", Long.c_str()), 20000);
    SetDebugSink(nullptr);
    EXPECT_EQ(Lines, (std::vector<std::string>{"open COM3\n", "", Long}));
}

TEST(BinToHexAscii, WritesTwoUpperCaseDigitsAndNothingMore)
{
    const struct { unsigned char Byte; const char* Digits; } Cases[] = {
        {0x00, "00"}, {0x09, "09"}, {0x9F, "9F"}, {0xA5, "A5"}, {0x3C, "3C"}, {0xFF, "FF"}};
    for (const auto& C : Cases) {
        char Out[3] = {'#', '#', '#'};
        BinToHexAscii(C.Byte, Out);
        EXPECT_EQ(std::string(Out, 2), C.Digits);
        EXPECT_EQ(Out[2], '#') << "the byte after the two digits is left alone";
    }
}

TEST(VirtualMem, BlocksAreZeroFilledAlignedAndOnlyOursAreFreed)
{
    void* Block = YAllocVirtualMem(8192);
    ASSERT_NE(Block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Block) % 8192, 0u);
    const unsigned char* Bytes = static_cast<const unsigned char*>(Block);
    bool AllZero = true;
    for (unsigned I = 0; I < 8192; ++I)
        AllZero = AllZero && Bytes[I] == 0;
    EXPECT_TRUE(AllZero);
    std::memset(Block, 0xAB, 8192);

    int NotOurs = 0;
    EXPECT_FALSE(YFreeVirtualMem(nullptr));
    EXPECT_FALSE(YFreeVirtualMem(&NotOurs));
    EXPECT_FALSE(YFreeVirtualMem(static_cast<char*>(Block) + 4096)) << "inside a block is no block";
    EXPECT_TRUE(YFreeVirtualMem(Block));
    EXPECT_FALSE(YFreeVirtualMem(Block)) << "released already";
    EXPECT_EQ(YAllocVirtualMem(0), nullptr);
}
