// The topology file: loading it, checking the table against it and
// creating the default components it declares.
#include <cctype>
#include <cstdint>
#include <cstring>

#include "OrbCtrl/ZLNet_Topologic.h"
#include "YVclUtil/Tyinifile.h"
#include "rtl/SysUtils.h"

namespace OrbCtrl {

using YVclUtil::EYGeneral;
using YVclUtil::TYIniFile;

namespace {

const char* const HeadSection = "ZlnTopologic.Head";
const char* const Vtx4i4oDevice = "VTX_4i4o";
constexpr unsigned LastTravelKey = 256;
constexpr unsigned NoNodeDeclared = 0xFF;
// The longest device name taken; a longer one is a syntax error.
constexpr std::size_t MaxDeviceName = 255;

// Reads one node declaration as the format
//     " Device( \"%[^\"]\" ) , NetNodeId( 0x%X )"
// reads it: a blank matches any run of white space (none included), every
// other character of the format must match exactly, the device name is
// everything between the double quotes (at least one character), and the
// node id is read as %X reads it (ReadNodeId). Nothing is required after the
// number. Returns how many of the two fields were converted.
class TDeclarationScanner {
public:
    explicit TDeclarationScanner(const char* Text) : P(Text) {}

    int Scan(AnsiString& Device, std::uint32_t& NodeId)
    {
        // The format around the two fields; " " stands for its blanks.
        static const char* const BeforeName[] = {" ", "Device(", " ", "\""};
        static const char* const BeforeNodeId[] = {"\"", " ", ")", " ", ",", " ", "NetNodeId(", " ", "0x"};
        if (!Match(BeforeName))
            return 0;
        const char* Begin = P;
        while (*P && *P != '"')
            ++P;
        const std::size_t Length = static_cast<std::size_t>(P - Begin);
        if (Length == 0 || Length > MaxDeviceName)
            return 0;
        Device.assign(Begin, Length);
        if (!Match(BeforeNodeId) || !ReadNodeId(NodeId))
            return 1;
        return 2;
    }

private:
    // The number as the run-time library's %X reads it into an unsigned
    // int: white space; an optional sign; a 0 and, after it, an optional x
    // or X that is passed over (so "0x" alone, or followed by no digit, reads
    // as 0); hexadecimal digits of either case. Their value, as strtoul
    // gives it in 64 bits: beyond them it is all ones, and a minus sign
    // negates it modulo 2^64; the field keeps the low 32 bits. False when
    // not even a digit (the 0 of a prefix counts) was read.
    bool ReadNodeId(std::uint32_t& NodeId)
    {
        Blanks();
        const bool Negative = *P == '-';
        if (*P == '-' || *P == '+')
            ++P;
        bool Digits = false;
        if (*P == '0') {
            Digits = true;
            ++P;
            if (*P == 'x' || *P == 'X')
                ++P;
        }
        std::uint64_t Value = 0;
        bool Overflow = false;
        for (; std::isxdigit(static_cast<unsigned char>(*P)); ++P) {
            Digits = true;
            const char C = static_cast<char>(std::toupper(static_cast<unsigned char>(*P)));
            const unsigned Digit = C <= '9' ? static_cast<unsigned>(C - '0') : static_cast<unsigned>(C - 'A' + 10);
            if (Value > (UINT64_MAX - Digit) / 16)
                Overflow = true;
            else
                Value = Value * 16 + Digit;
        }
        if (!Digits)
            return false;
        if (Overflow)
            Value = UINT64_MAX;
        else if (Negative)
            Value = 0 - Value;
        NodeId = static_cast<std::uint32_t>(Value);
        return true;
    }

    template <std::size_t N>
    bool Match(const char* const (&Tokens)[N])
    {
        for (const char* Token : Tokens) {
            if (*Token == ' ')
                Blanks();
            else if (!Literal(Token))
                return false;
        }
        return true;
    }
    void Blanks()
    {
        while (*P && std::isspace(static_cast<unsigned char>(*P)))
            ++P;
    }
    bool Literal(const char* Text)
    {
        const std::size_t Length = std::strlen(Text);
        if (std::strncmp(P, Text, Length) != 0)
            return false;
        P += Length;
        return true;
    }

    const char* P;
};

} // namespace

void TZLNet_Topologic::LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic()
{
    if (FFileName.empty())
        throw EYGeneral("\nErr: The FileName property is not defined !!!\nComponentName = %s\n", Name().c_str());
    if (!FileExists(FFileName))
        throw EYGeneral("\nErr: The topologic ini file is not exist !!!\nComponentName = %s\nFileName = %s\n",
                        Name().c_str(), FFileName.c_str());

    // Each load marks the declared entries anew.
    for (auto& Segment : ZlnTopologic)
        if (Segment)
            for (unsigned NodeId = 0; NodeId < ZlnNodesPerSegment; ++NodeId)
                Segment[NodeId].Flags &= ~ZlnEntryDeclared;

    {
        // The file is only read; it is closed before any error leaves.
        TYIniFile Ini(FFileName);
        if (Ini.StrICmp(HeadSection, "Signature", "ORB") != 0 || !Ini.SectionExists("NetSegmentId_0x80"))
            throw EYGeneral("\nErr: Invalid header in the topologic ini file !!!\nComponentName = %s\nFileName = %s\n",
                            Name().c_str(), FFileName.c_str());
        LoadDeclarations(Ini);
    }
    CheckUndeclaredComponents();
}

void TZLNet_Topologic::LoadDeclarations(TYIniFile& Ini)
{
    // Copies: a descendant's default creation may rename this component.
    const AnsiString ComponentName = Name();
    const AnsiString FileName = FFileName;
    const char* const Component = ComponentName.c_str();
    const char* const File = FileName.c_str();
    for (unsigned SegId = 0; SegId <= ZlnMaxSegId; ++SegId) {
        const AnsiString Section = Format("NetSegmentId_0x%02X", SegId);
        if (!Ini.SectionExists(Section))
            continue;
        for (unsigned KeyNumber = 0; KeyNumber <= LastTravelKey; ++KeyNumber) {
            const AnsiString Key = Format("Travel_%03u", KeyNumber);
            const AnsiString Value = Ini.ReadString(Section, Key, "");
            if (Value.empty())
                continue;

            AnsiString Device;
            std::uint32_t NodeId = 0;
            if (TDeclarationScanner(Value.c_str()).Scan(Device, NodeId) < 2)
                throw EYGeneral("\nErr: Invalid syntax in the topologic ini file !!!\nComponentName = %s\n"
                                "FileName = %s\nIniSection = %s\nIniKey = %s\n",
                                Component, File, Section.c_str(), Key.c_str());
            if (NodeId == NoNodeDeclared)
                continue;
            // A node id beyond the 128 entries of a segment has no place in
            // the table.
            if (NodeId > ZlnMaxNodeId)
                throw EYGeneral("\nThe address of node is not belong to the topologic of ZLNet !!!\n"
                                "ComponentName = %s\nFileName = %s\nIniSection = %s\nIniKey = %s\n",
                                Component, File, Section.c_str(), Key.c_str());

            TopologicEntry* Entries = NeedBlock(SegId);
            if (AnsiCompareText(Device, Vtx4i4oDevice) != 0)
                throw EYGeneral("\nErr: Unknown Device() in the topologic ini file !!!\nComponentName = %s\n"
                                "FileName = %s\nIniSection = %s\nIniKey = %s\nDevice = %s\n",
                                Component, File, Section.c_str(), Key.c_str(), Device.c_str());

            TopologicEntry& Entry = Entries[NodeId];
            if (Entry.ClsId != zci_ZLNet) {
                if (Entry.ClsId != zci_Vtx4i4o)
                    throw EYGeneral("\nErr: Current Topologic is not conform to topologic ini file !!!\n"
                                    "ComponentName = %s\nFileName = %s\nIniSection = %s\nIniKey = %s\nDevice = %s\n",
                                    Component, File, Section.c_str(), Key.c_str(), Device.c_str());
                Entry.Flags |= ZlnEntryDeclared;
                continue;
            }

            const auto Node = static_cast<unsigned char>(NodeId);
            TZLNet* Created = CreateDefaultZlnComponentAndAddToZlnTopologic(
                zci_Vtx4i4o, static_cast<unsigned char>(SegId), Node, this);
            if (!Created)
                throw EYGeneral("\nErr: 發現一個於拓墣 INI 檔內有宣告使用的元件,但卻又找不到\n"
                                "該元件存在的情形,同時也找不到該類型元件的 DefHandler !!!\n"
                                "ComponentName = %s\nFileName = %s\nZlnSegId = 0x%02X\nZlnNodeId = 0x%02X\n",
                                Component, File, SegId, static_cast<unsigned>(Node));
            // Only the component just created becomes the table's own: an
            // entry that holds another one is left as it is.
            if (Entry.Component != Created)
                throw EYGeneral("\nErr: CreateDefaultZlnComponentAndAddToZlnTopologic() !!!\n");
            Entry.Flags = (Entry.Flags & ~ZlnEntryKindMask) | zrk_Default | ZlnEntryDeclared;
        }
    }
}

void TZLNet_Topologic::CheckUndeclaredComponents() const
{
    for (unsigned SegId = 0; SegId <= ZlnMaxSegId; ++SegId) {
        const TopologicEntry* Entries = Block(SegId);
        if (!Entries)
            continue;
        for (unsigned NodeId = 0; NodeId < ZlnNodesPerSegment; ++NodeId)
            if (Entries[NodeId].ClsId != zci_ZLNet && !(Entries[NodeId].Flags & ZlnEntryDeclared))
                throw EYGeneral("\nErr: 發現一個於拓墣 INI 檔內並沒有宣告使用的元件\n"
                                "但該元件不但已經存在,而且也已掛入了拓墣結構內 !!!\n"
                                "ComponentName = %s\nFileName = %s\nZlnSegId = 0x%02X\nZlnNodeId = 0x%02X\n",
                                Name().c_str(), FFileName.c_str(), SegId, NodeId);
    }
}

} // namespace OrbCtrl
