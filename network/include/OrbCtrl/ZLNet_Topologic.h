#pragma once
// TZLNet_Topologic: the table that maps each node address (segment id,
// node id) to the component that handles it, and the topology file that
// declares which devices the network holds.
//
// Node components enter the table themselves. Loading the topology file
// checks the table against the file, creates a default component for each
// declared device that has none (through the descendant), and refuses a
// table that holds a component the file does not declare.
//
// The topology file is INI text in the dialect of TYIniFile:
//
//     [ZlnTopologic.Head]
//     Signature=ORB
//     [NetSegmentId_0x80]
//     Travel_000=Device( "VTX_4i4o" ) , NetNodeId( 0x05 )
//
// Section "NetSegmentId_0x%02X" for segment ids 0x00 to 0x80 (section
// NetSegmentId_0x80 must exist), keys Travel_000 to Travel_256, each one
// node declaration; node id 0xFF declares nothing.

#include <array>
#include <cstdint>
#include <memory>

#include "OrbCtrl/ZLNet.h"

namespace YVclUtil {
class TYIniFile;
}

namespace OrbCtrl {

// How a component entered the table (the low three bits of the flags).
enum TZlnRegistrationKind : unsigned {
    zrk_Loaded = 1,          // by Loaded of a node read from a form
    zrk_Constructed = 2,     // by a node constructor given the topology
    zrk_Default = 4,         // created by the topology loader; the table owns it
};

// Flags of a table entry.
constexpr std::uint32_t ZlnEntryKindMask = 0x00000007;
constexpr std::uint32_t ZlnEntryDeclared = 0x80000000;   // declared by the file during the current load

struct TopologicEntry {
    _EZlnClsId ClsId;         // 0: free
    TZLNet* Component;
    std::uint32_t Flags;
};

class TZLNet_Topologic : public TZLNet {
public:
    // As TZLNet(Owner); FileName empty, the table empty.
    explicit TZLNet_Topologic(TComponent* AOwner) : TZLNet(AOwner) { RunConstructor(); }
    ~TZLNet_Topologic() override { RunDestructor(); }

    const AnsiString& FileName() const { return FFileName; }
    // Stores the name; loads nothing.
    void pw_FileName(const AnsiString& Value) { FFileName = Value; }

    // The entry at an address: an address outside the table raises
    // EYGeneral; a segment without a block gives 0 and null.
    _EZlnClsId pr_TopologicClsId(unsigned char SegId, unsigned char NodeId) const;
    TZLNet* pr_TopologicZlnComponent(unsigned char SegId, unsigned char NodeId) const;
    _EZlnClsId TopologicClsId(unsigned char SegId, unsigned char NodeId) const { return pr_TopologicClsId(SegId, NodeId); }
    TZLNet* TopologicZlnComponent(unsigned char SegId, unsigned char NodeId) const
    {
        return pr_TopologicZlnComponent(SegId, NodeId);
    }

    // Enters Component at its own address with the given kind, or raises
    // EYGeneral (address outside the table, address held by another
    // component, no memory). The same component may enter again.
    void AddZlnComponentToZlnTopologic(TZLNet* Component, unsigned Kind);
    // Loads and checks the topology file; every failure is an EYGeneral.
    void LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic();
    // Destroys the components the loader created and empties the table.
    void FreeZlnTopologic();

    // Creates a default component of ClsId at the address, registered in
    // Topologic, and returns it; null when it cannot.
    virtual TZLNet* CreateDefaultZlnComponentAndAddToZlnTopologic(_EZlnClsId ClsId, unsigned char SegId,
                                                                   unsigned char NodeId,
                                                                   TZLNet_Topologic* Topologic) = 0;

    // Name, then FileName.
    void DefineProperties(TPropertyList& List) override;

protected:
    // A destroyed component leaves every entry it held.
    void Notification(TZLNet* Gone) override;
    // The block of a segment id (at most 0x80), or null.
    TopologicEntry* Block(unsigned SegId) const { return ZlnTopologic[SegId].get(); }

private:
    void RunConstructor();
    void RunDestructor();
    // The entry at an address, after the range check; null when its segment
    // has no block.
    const TopologicEntry* EntryAt(unsigned char SegId, unsigned char NodeId) const;
    // The block of a segment, allocated zero-filled when it has none.
    TopologicEntry* NeedBlock(unsigned SegId);
    // The loader's steps.
    void LoadDeclarations(YVclUtil::TYIniFile& Ini);
    void CheckUndeclaredComponents() const;

    AnsiString FFileName;
    std::array<std::unique_ptr<TopologicEntry[]>, ZlnSegments> ZlnTopologic;
};

} // namespace OrbCtrl
