#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "ParityMarks.h"

using win32_detail::TParityMarkReader;

namespace {

struct TMarkCase {
    const char* Name;
    std::vector<std::string> Reads;   // the marked bytes, as the reads brought them
    bool Replace;
    std::string Expected;
};

// Test listings name a case instead of dumping its bytes.
void PrintTo(const TMarkCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}


std::string Unmark(TParityMarkReader& Reader, const std::vector<std::string>& Reads)
{
    std::string All;
    for (const std::string& Read : Reads) {
        std::string Out(Read.size() + 1, '?');
        const auto* In = reinterpret_cast<const unsigned char*>(Read.data());
        std::size_t Count = Reader.Unmark(In, Read.size(), reinterpret_cast<unsigned char*>(Out.data()));
        All += Out.substr(0, Count);
    }
    return All;
}

const std::string FF = "\xFF";
const std::string Mark = std::string("\xFF\x00", 2);

} // namespace

class ParityMarks : public ::testing::TestWithParam<TMarkCase> {};

TEST_P(ParityMarks, UndoesTheMarking)
{
    TParityMarkReader Reader;
    Reader.SetErrorChar(GetParam().Replace, '\n');
    EXPECT_EQ(Unmark(Reader, GetParam().Reads), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParityMarks,
    ::testing::Values(
        TMarkCase{"PlainBytes", {"abc"}, true, "abc"},
        TMarkCase{"DoubledFFIsOneFF", {FF + FF + "A" + FF + FF}, true, FF + "A" + FF},
        TMarkCase{"BadByteBecomesTheErrorChar", {"A" + Mark + "x" + "B"}, true, "A\nB"},
        TMarkCase{"BadByteKeptWithoutErrorChar", {"A" + Mark + "x" + "B"}, false, "AxB"},
        TMarkCase{"MarkSplitAfterFF", {"A" + FF, std::string("\x00", 1) + "xB"}, true, "A\nB"},
        TMarkCase{"MarkSplitAfterFF00", {"A" + Mark, "xB"}, true, "A\nB"},
        TMarkCase{"DoubledFFSplit", {"A" + FF, FF + "B"}, true, "A" + FF + "B"},
        TMarkCase{"BreakIsABadZero", {Mark + std::string("\x00", 1)}, false, std::string("\x00", 1)}),
    [](const ::testing::TestParamInfo<TMarkCase>& Info) { return Info.param.Name; });
