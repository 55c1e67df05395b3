#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "rtl/SysUtils.h"

namespace {

struct TIntCase {
    const char* Text;
    bool Valid;
    int Value;
};

const TIntCase IntCases[] = {
    {"0", true, 0},
    {"42", true, 42},
    {"-42", true, -42},
    {"+7", true, 7},
    {"  12\t", true, 12},
    {"2147483647", true, 2147483647},
    {"-2147483648", true, -2147483647 - 1},
    {"$FF", true, 255},
    {"0x1f", true, 31},
    {"0X1F", true, 31},
    {"-$10", true, -16},
    {"$FFFFFFFF", true, -1},
    {"$80000000", true, -2147483647 - 1},
    {"007", true, 7},
    {"2147483648", false, 0},
    {"-2147483649", false, 0},
    {"99999999999999999999", false, 0},
    {"$100000000", false, 0},
    {"", false, 0},
    {"   ", false, 0},
    {"-", false, 0},
    {"$", false, 0},
    {"0x", false, 0},
    {"12abc", false, 0},
    {"1 2", false, 0},
    {"3.5", false, 0},
    {"--1", false, 0},
    {"FF", false, 0},
    {"\n12", false, 0},
};

} // namespace

TEST(SysUtils, StrToIntAcceptsExactlyTheDocumentedForms)
{
    for (const TIntCase& C : IntCases) {
        SCOPED_TRACE(std::string("text \"") + C.Text + "\"");
        if (C.Valid) {
            EXPECT_EQ(StrToInt(C.Text), C.Value);
            EXPECT_EQ(StrToIntDef(C.Text, 99), C.Value);
        } else {
            EXPECT_THROW(StrToInt(C.Text), EConvertError);
            EXPECT_EQ(StrToIntDef(C.Text, 99), 99);
        }
    }
}

TEST(SysUtils, StrToIntMessageNamesTheText)
{
    try {
        StrToInt("12x");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message, "'12x' is not a valid integer value");
    }
}

TEST(SysUtils, IntToStrAndTrim)
{
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(9000000000LL), "9000000000");
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xE4\xB8\xAD"), "\xE4\xB8\xAD") << "bytes above 0x7F are not blanks";
}

TEST(SysUtils, ComparisonsAreByteWiseWithAsciiCaseFolding)
{
    EXPECT_EQ(AnsiCompareStr("abc", "abc"), 0);
    EXPECT_LT(AnsiCompareStr("ABC", "abc"), 0);
    EXPECT_LT(AnsiCompareStr("ab", "abc"), 0);
    EXPECT_GT(AnsiCompareStr("b", "abc"), 0);
    EXPECT_GT(AnsiCompareStr("\xE9", "z"), 0) << "bytes compare as unsigned";
    EXPECT_EQ(AnsiCompareText("Hello", "hELLO"), 0);
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_GT(AnsiCompareText("abcd", "ABC"), 0);
    EXPECT_EQ(UpperCase("abz\xE9"), "ABZ\xE9");
    EXPECT_EQ(LowerCase("ABZ\xC9"), "abz\xC9");
}

TEST(SysUtils, FormatHasNoLengthLimit)
{
    AnsiString Long(20000, 'x');
    EXPECT_EQ(Format("<%s>", Long.c_str()).size(), 20002u);
    EXPECT_EQ(Format("%d-%s", 5, "a"), "5-a");
    EXPECT_EQ(Format(nullptr), "");
}

TEST(SysUtils, FileNameParts)
{
    struct {
        const char* Name;
        const char* Ext;
        const char* File;
        const char* Path;
        const char* Changed;   // ChangeFileExt(Name, ".CFB")
    } Cases[] = {
        {"/home/u/week.vsh", ".vsh", "week.vsh", "/home/u/", "/home/u/week.CFB"},
        {"week", "", "week", "", "week.CFB"},
        {"dir.d/week", "", "week", "dir.d/", "dir.d/week.CFB"},
        {"a.b.c", ".c", "a.b.c", "", "a.b.CFB"},
        {"/tmp/", "", "", "/tmp/", "/tmp/.CFB"},
        {"", "", "", "", ".CFB"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(ExtractFileExt(C.Name), C.Ext);
        EXPECT_EQ(ExtractFileName(C.Name), C.File);
        EXPECT_EQ(ExtractFilePath(C.Name), C.Path);
        EXPECT_EQ(ChangeFileExt(C.Name, ".CFB"), C.Changed);
    }
}

class FileRoutines : public ::testing::Test {
protected:
    void SetUp() override
    {
        char Template[] = "/tmp/rtl-sysutils-XXXXXX";
        ASSERT_NE(mkdtemp(Template), nullptr);
        Dir = Template;
    }
    void TearDown() override { std::system(("rm -rf '" + Dir + "'").c_str()); }

    AnsiString Dir;
};

TEST_F(FileRoutines, CreateWriteReadAndQuery)
{
    const AnsiString Name = Dir + "/a.bin";
    EXPECT_FALSE(FileExists(Name));
    int H = FileCreate(Name);
    ASSERT_GE(H, 0);
    EXPECT_EQ(FileWrite(H, "hello", 5), 5);
    FileClose(H);
    EXPECT_TRUE(FileExists(Name));
    EXPECT_FALSE(DirectoryExists(Name));

    H = FileOpen(Name, fmOpenRead);
    ASSERT_GE(H, 0);
    char Buf[8] = {};
    EXPECT_EQ(FileRead(H, Buf, sizeof Buf), 5);
    EXPECT_EQ(FileWrite(H, "x", 1), -1) << "opened for reading only";
    FileClose(H);
    EXPECT_EQ(std::string(Buf), "hello");

    EXPECT_TRUE(RenameFile(Name, Dir + "/b.bin"));
    EXPECT_FALSE(FileExists(Name));
    EXPECT_TRUE(DeleteFile(Dir + "/b.bin"));
    EXPECT_FALSE(DeleteFile(Dir + "/b.bin"));
}

TEST_F(FileRoutines, DirectoriesAndFailures)
{
    EXPECT_TRUE(DirectoryExists(Dir));
    EXPECT_FALSE(FileExists(Dir)) << "a directory is no file";
    EXPECT_TRUE(CreateDir(Dir + "/sub"));
    EXPECT_FALSE(CreateDir(Dir + "/sub")) << "exists already";
    EXPECT_FALSE(CreateDir(Dir + "/x/y")) << "one level only";
    EXPECT_EQ(FileCreate(Dir + "/sub"), -1) << "a directory cannot be created as a file";
    EXPECT_EQ(FileCreate(Dir + "/missing/a"), -1);
    EXPECT_EQ(FileOpen(Dir + "/none", fmOpenRead), -1);
    EXPECT_EQ(FileOpen(Dir + "/sub", 3), -1) << "no such open mode";
    EXPECT_EQ(FileWrite(-1, "x", 1), -1);
    EXPECT_EQ(FileRead(-1, nullptr, 0), -1);
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirectoryExists(""));
    FileClose(-1);
}
