// TZLNet_Topologic: the table of registered components, its readers and
// its emptying. The topology file's loader is in ZLNet_TopologicIni.cpp.
#include "OrbCtrl/ZLNet_Topologic.h"

#include <new>

#include "rtl/StoredProperties.h"

namespace OrbCtrl {

using YVclUtil::EYGeneral;

namespace {

[[noreturn]] void RaiseNotBelong()
{
    throw EYGeneral("\nThe address of node is not belong to the topologic of ZLNet !!!\n");
}

} // namespace

void TZLNet_Topologic::RunConstructor()
{
    FFileName.clear();
    for (auto& Segment : ZlnTopologic)
        Segment.reset();
}

void TZLNet_Topologic::RunDestructor()
{
    FreeZlnTopologic();
}

const TopologicEntry* TZLNet_Topologic::EntryAt(unsigned char SegId, unsigned char NodeId) const
{
    if (SegId > ZlnMaxSegId || NodeId > ZlnMaxNodeId)
        RaiseNotBelong();
    const TopologicEntry* Entries = Block(SegId);
    return Entries ? &Entries[NodeId] : nullptr;
}

_EZlnClsId TZLNet_Topologic::pr_TopologicClsId(unsigned char SegId, unsigned char NodeId) const
{
    const TopologicEntry* Entry = EntryAt(SegId, NodeId);
    return Entry ? Entry->ClsId : zci_ZLNet;
}

TZLNet* TZLNet_Topologic::pr_TopologicZlnComponent(unsigned char SegId, unsigned char NodeId) const
{
    const TopologicEntry* Entry = EntryAt(SegId, NodeId);
    return Entry ? Entry->Component : nullptr;
}

TopologicEntry* TZLNet_Topologic::NeedBlock(unsigned SegId)
{
    if (!ZlnTopologic[SegId]) {
        ZlnTopologic[SegId].reset(new (std::nothrow) TopologicEntry[ZlnNodesPerSegment]());
        if (!ZlnTopologic[SegId])
            throw EYGeneral("\nErr: Can not allocate memory !!!\n");
    }
    return ZlnTopologic[SegId].get();
}

void TZLNet_Topologic::AddZlnComponentToZlnTopologic(TZLNet* Component, unsigned Kind)
{
    if (!Component)
        RaiseNotBelong();
    const unsigned SegId = Component->ZlnSegId();
    const unsigned NodeId = Component->ZlnNodeId();
    if (SegId > ZlnMaxSegId || NodeId > ZlnMaxNodeId)
        RaiseNotBelong();
    TopologicEntry& Entry = NeedBlock(SegId)[NodeId];
    if (Entry.ClsId != zci_ZLNet && Entry.Component != Component)
        throw EYGeneral("\nErr: Duplicated ZLNet Address !!!\nZlnSegId  = 0x%02X\nZlnNodeId = 0x%02X\n", SegId,
                        NodeId);
    Entry.ClsId = Component->ZlnClsId();
    Entry.Component = Component;
    Entry.Flags = (Entry.Flags & ~ZlnEntryKindMask) | (Kind & ZlnEntryKindMask);
    FreeNotification(Component);
}

void TZLNet_Topologic::FreeZlnTopologic()
{
    for (auto& Segment : ZlnTopologic) {
        if (!Segment)
            continue;
        for (unsigned NodeId = 0; NodeId < ZlnNodesPerSegment; ++NodeId) {
            TopologicEntry& Entry = Segment[NodeId];
            if (Entry.ClsId == zci_ZLNet || !(Entry.Flags & zrk_Default))
                continue;
            TZLNet* Component = Entry.Component;
            // The entry goes first: the component's destruction tells this
            // table, which then finds nothing more of it.
            Entry = TopologicEntry{};
            delete Component;
        }
        Segment.reset();
    }
}

void TZLNet_Topologic::Notification(TZLNet* Gone)
{
    for (auto& Segment : ZlnTopologic) {
        if (!Segment)
            continue;
        for (unsigned NodeId = 0; NodeId < ZlnNodesPerSegment; ++NodeId)
            if (Segment[NodeId].Component == Gone)
                Segment[NodeId] = TopologicEntry{};
    }
    TZLNet::Notification(Gone);
}

void TZLNet_Topologic::DefineProperties(TPropertyList& List)
{
    TZLNet::DefineProperties(List);
    List.Add("FileName", [this](const TStoredValue& Value) { pw_FileName(Value.AsString()); });
}

} // namespace OrbCtrl
