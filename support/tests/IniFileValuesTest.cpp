#include "IniFileTestSupport.h"

#include <cmath>
#include <limits>

#include "rtl/DateTime.h"
#include "rtl/SysUtils.h"

using namespace YVclUtil;

namespace {

struct IniValues : IniFileFixture {
    std::unique_ptr<TYIniFile> Ini;
    void SetUp() override
    {
        IniFileFixture::SetUp();
        Ini = std::make_unique<TYIniFile>(Path("values.ini"));
    }
    void TearDown() override
    {
        Ini.reset();
        IniFileFixture::TearDown();
    }
    std::string Text(const char* Key) { return Ini->ReadString("V", Key, "<none>"); }
};

} // namespace

TEST_F(IniValues, WrittenTexts)
{
    Ini->WriteInteger("V", "int", -2147483647 - 1);
    Ini->WriteUnsigned("V", "max", 4294967295u);
    Ini->WriteUnsigned("V", "big", 2147483648u);
    Ini->WriteHexNum("V", "hex", 255);
    Ini->WriteHexNum("V", "hex0", 0);
    Ini->WriteHexNum("V", "hexmax", 0xDEADBEEF);
    Ini->WriteFloat("V", "half", 0.5);
    Ini->WriteFloat("V", "neg", -1.25);
    Ini->WriteFloat("V", "big", 1e20);
    Ini->Printf("V", "printf", "%s-%03d", "track", 7);
    const struct { const char* Key; const char* Text; } Cases[] = {
        {"int", "-2147483648"}, {"max", "-1"}, {"big", "100000000000000000000.000000"}, {"hex", "0xFF"},
        {"hex0", "0x0"}, {"hexmax", "0xDEADBEEF"}, {"half", "0.500000"}, {"neg", "-1.250000"},
        {"printf", "track-007"}};
    for (const auto& C : Cases)
        EXPECT_EQ(Text(C.Key), C.Text) << C.Key;
    Ini->Printf("V", "long", "%s", std::string(16000, 'p').c_str());
    EXPECT_EQ(Text("long").size(), 16000u);

    // Floating values are written exactly as printf's "%f" in the C locale.
    for (double V : {2.0000005, 1.0 / 3, -0.0, 123456789.987654321, 1e-7, 5e-7})  {
        Ini->WriteFloat("V", "f", V);
        EXPECT_EQ(Text("f"), Format("%f", V)) << V;
    }
}

TEST_F(IniValues, BoolStylesAndFirstCharacters)
{
    const struct { int Style; const char* False; const char* True; } Styles[] = {
        {0, "0", "1"}, {1, "False", "True"}, {2, "Low", "High"}, {3, "Not", "Yes"}, {7, "0", "1"}, {-1, "0", "1"}};
    for (const auto& S : Styles) {
        Ini->WriteBool("V", "f", false, S.Style);
        Ini->WriteBool("V", "t", true, S.Style);
        EXPECT_EQ(Text("f"), S.False) << S.Style;
        EXPECT_EQ(Text("t"), S.True) << S.Style;
        EXPECT_FALSE(Ini->ReadBool("V", "f", true));
        EXPECT_TRUE(Ini->ReadBool("V", "t", false));
    }
    for (char C : std::string("0FLNfln")) {
        Ini->WriteString("V", "b", std::string(1, C) + "whatever");
        EXPECT_FALSE(Ini->ReadBool("V", "b", true)) << C;
    }
    for (char C : std::string("1HTYhty")) {
        Ini->WriteString("V", "b", std::string(1, C) + "whatever");
        EXPECT_TRUE(Ini->ReadBool("V", "b", false)) << C;
    }
    for (const char* Other : {"on", "2", "Off", " yes"}) {
        Ini->WriteString("V", "b", Other);
        EXPECT_TRUE(Ini->ReadBool("V", "b", true)) << Other;
        EXPECT_FALSE(Ini->ReadBool("V", "b", false)) << Other;
    }
    EXPECT_TRUE(Ini->ReadBool("V", "missing", true));
}

TEST_F(IniValues, UnsignedAndHexReads)
{
    const unsigned Default = 777;
    const struct { const char* Text; unsigned Value; } Cases[] = {
        {"-1", 4294967295u},      {"0x0", 0},          {"0xFF", 255},       {"0xff", 255},
        {"FF", Default},          {"0XFF", 0},         {"10", 10},          {"12abc", 12},
        {"abc", Default},         {"0", 0},            {"  7", 7},          {"+5", 5},
        {"99999999999", 4294967295u}, {"4294967295", 4294967295u}, {"-4294967296", 4294967295u},
        {"-2147483648", 2147483648u}, {"0x", 0},       {"0x1g", 1},         {"0xg", Default},
        {"0x-1", 4294967295u},   {"0x100000000", 4294967295u}, {" 0x10", 0}};
    for (const auto& C : Cases) {
        Ini->WriteString("V", "u", C.Text);
        EXPECT_EQ(Ini->ReadUnsigned("V", "u", Default), C.Value) << C.Text;
        EXPECT_EQ(Ini->ReadHexNum("V", "u", Default), C.Value) << C.Text;
    }
    Ini->WriteUnsigned("V", "max", 4294967295u);
    EXPECT_EQ(Ini->ReadUnsigned("V", "max", 0), 4294967295u);
    Ini->WriteHexNum("V", "hex0", 0);
    EXPECT_EQ(Ini->ReadHexNum("V", "hex0", Default), 0u);
    EXPECT_EQ(Ini->ReadUnsigned("V", "missing", Default), Default);
}

TEST_F(IniValues, FloatReads)
{
    const double Default = -99.5;
    const struct { const char* Text; double Value; } Cases[] = {
        {"3,5", 3.0}, {"abc", Default}, {"0", 0.0}, {"0.0", 0.0}, {" 2.5e3x", 2500.0}, {"-0.125", -0.125}};
    for (const auto& C : Cases) {
        Ini->WriteString("V", "f", C.Text);
        EXPECT_EQ(Ini->ReadFloat("V", "f", Default), C.Value) << C.Text;
    }
    Ini->WriteFloat("V", "f", 1234.5);
    EXPECT_EQ(Ini->ReadFloat("V", "f", 0), 1234.5);
    Ini->WriteString("V", "f", "nan");
    EXPECT_TRUE(std::isnan(Ini->ReadFloat("V", "f", 0)));
    EXPECT_EQ(Ini->ReadFloat("V", "missing", Default), Default);
}

TEST_F(IniValues, IntegerReadsRaiseOnBadText)
{
    Ini->WriteString("V", "i", " 12 ");
    EXPECT_EQ(Ini->ReadInteger("V", "i", 0), 12);
    Ini->WriteString("V", "i", "$10");
    EXPECT_EQ(Ini->ReadInteger("V", "i", 0), 16);
    Ini->WriteString("V", "i", "twelve");
    EXPECT_THROW(Ini->ReadInteger("V", "i", 0), EConvertError);
    EXPECT_EQ(Ini->ReadInteger("V", "missing", 42), 42);
    Ini->WriteString("V", "novalue", "");
    EXPECT_EQ(Ini->ReadInteger("V", "novalue", 43), 43);
}

TEST_F(IniValues, DatesAndTimesRoundTrip)
{
    const TDateTime When = EncodeDate(2026, 12, 10) + EncodeTime(8, 5, 9, 0);
    Ini->WriteDate("V", "d", When);
    Ini->WriteTime("V", "t", When);
    Ini->WriteDateTime("V", "dt", When);
    EXPECT_EQ(Text("d"), "2026-12-10");
    EXPECT_EQ(Text("t"), "08:05:09");
    EXPECT_EQ(Text("dt"), "2026-12-10 08:05:09");
    EXPECT_DOUBLE_EQ(Ini->ReadDate("V", "d", 0), EncodeDate(2026, 12, 10));
    EXPECT_DOUBLE_EQ(Ini->ReadTime("V", "t", 0), EncodeTime(8, 5, 9, 0));
    EXPECT_DOUBLE_EQ(Ini->ReadDateTime("V", "dt", 0), When);
    EXPECT_DOUBLE_EQ(Ini->ReadDateTime("V", "missing", 1.5), 1.5);

    Ini->WriteString("V", "bad", "tomorrow");
    EXPECT_THROW(Ini->ReadDate("V", "bad", 0), EConvertError);
    EXPECT_THROW(Ini->ReadTime("V", "bad", 0), EConvertError);
    EXPECT_THROW(Ini->ReadDateTime("V", "bad", 0), EConvertError);

    const TDateTime Before = Date();
    Ini->WriteCurrentDate("V", "today");
    Ini->WriteCurrentTime("V", "now");
    Ini->WriteCurrentDateTime("V", "stamp");
    const TDateTime Today = Ini->ReadDate("V", "today", 0);
    EXPECT_TRUE(Today == Before || Today == Before + 1);
    EXPECT_NO_THROW(Ini->ReadTime("V", "now", 0));
    EXPECT_GE(Ini->ReadDateTime("V", "stamp", 0), Before);
}

TEST_F(IniValues, Comparisons)
{
    Ini->WriteString("V", "name", "Segment1");
    EXPECT_EQ(Ini->StrCmp("V", "name", "Segment1"), 0);
    EXPECT_NE(Ini->StrCmp("V", "name", "SEGMENT1"), 0);
    EXPECT_EQ(Ini->StrICmp("V", "name", "SEGMENT1"), 0);
    EXPECT_GT(Ini->StrCmp("V", "name", "Seg"), 0);
    EXPECT_LT(Ini->StrICmp("V", "name", "segment2"), 0);
    EXPECT_EQ(Ini->StrCmp("V", "missing", ""), 0) << "a missing value is the empty string";
    EXPECT_LT(Ini->StrICmp("V", "missing", "a"), 0);
}

TEST_F(IniValues, TypedWritesWithEmptyNamesChangeNothing)
{
    const TDateTime When = EncodeDate(2026, 1, 1);
    for (const auto& [S, K] : {std::pair<const char*, const char*>{"", "k"}, {"V", ""}}) {
        Ini->WriteInteger(S, K, 1);
        Ini->WriteUnsigned(S, K, 1);
        Ini->WriteHexNum(S, K, 1);
        Ini->WriteFloat(S, K, 1);
        Ini->WriteBool(S, K, true, 1);
        Ini->WriteDate(S, K, When);
        Ini->WriteTime(S, K, When);
        Ini->WriteDateTime(S, K, When);
        Ini->WriteCurrentDate(S, K);
        Ini->WriteCurrentTime(S, K);
        Ini->WriteCurrentDateTime(S, K);
        Ini->Printf(S, K, "%d", 1);
    }
    EXPECT_EQ(Ini->Modified, 0);
    EXPECT_EQ(Ini->Sections->Count, 0);
}
