// TZLNet_Rnsm: routing of received packets and the default nodes.
#include "OrbCtrl/ZLNet_Rnsm.h"

#include "StoredNetValues.h"

namespace OrbCtrl {

using YVclUtil::EYGeneral;

void TZLNet_Rnsm::RunConstructor()
{
    FZlnClsId = zci_Rnsm;
    FZlnSegId = 0x80;
    FZlnNodeId = 0x80;
    FConnected = false;
    FDefHandler_Vtx4i4o = nullptr;
}

void TZLNet_Rnsm::RunDestructor()
{
    // The descendant disconnects in its own destructor; its Disconnect is
    // gone by now, so all that is left to do here is the flag.
    FConnected = false;
}

TVtx4i4o* TZLNet_Rnsm::pw_DefHandler_Vtx4i4o(TVtx4i4o* Value)
{
    FDefHandler_Vtx4i4o = Value;
    FreeNotification(Value);
    return FDefHandler_Vtx4i4o;
}

TVtx4i4o* TZLNet_Rnsm::pr_Vtx4i4o(unsigned char SegId, unsigned char NodeId) const
{
    if (SegId > ZlnMaxSegId || NodeId > ZlnMaxNodeId || !Block(SegId))
        throw EYGeneral("\nThe address of node is not belong to the topologic of ZLNet !!!\n");
    const TopologicEntry& Entry = Block(SegId)[NodeId];
    // A component registered with class id 128 that is of another class is
    // not taken for a four-in four-out node either.
    auto* Node = Entry.ClsId == zci_Vtx4i4o ? dynamic_cast<TVtx4i4o*>(Entry.Component) : nullptr;
    if (!Node)
        throw EYGeneral("\nThe address of node is not a TVtx4i4o component !!!\n");
    return Node;
}

TZLNet* TZLNet_Rnsm::CreateDefaultZlnComponentAndAddToZlnTopologic(_EZlnClsId ClsId, unsigned char SegId,
                                                                    unsigned char NodeId,
                                                                    TZLNet_Topologic* Topologic)
{
    if (ClsId != zci_Vtx4i4o || !FDefHandler_Vtx4i4o)
        return nullptr;
    // Owned by the router; the loader marks its entry as the table's own.
    return new TVtx4i4o(this, ClsId, SegId, NodeId, Topologic, FDefHandler_Vtx4i4o);
}

void TZLNet_Rnsm::FilteringReceivedZlnPacket(const _SZLNRXDPACKET& RxdPacket)
{
    const unsigned SegId = RxdPacket.ZlnSegId;
    const unsigned NodeId = RxdPacket.ZlnNodeId;
    if (SegId > ZlnMaxSegId || NodeId > ZlnMaxNodeId)
        return;
    const TopologicEntry* Entries = Block(SegId);
    if (Entries && Entries[NodeId].ClsId != zci_ZLNet && Entries[NodeId].Component) {
        Entries[NodeId].Component->FilteringReceivedZlnPacket(RxdPacket);
        return;
    }
    TZLNet_Topologic::FilteringReceivedZlnPacket(RxdPacket);
}

void TZLNet_Rnsm::Notification(TZLNet* Gone)
{
    if (Gone == FDefHandler_Vtx4i4o)
        FDefHandler_Vtx4i4o = nullptr;
    TZLNet_Topologic::Notification(Gone);
}

void TZLNet_Rnsm::DefineProperties(TPropertyList& List)
{
    using V = const TStoredValue&;
    TZLNet_Topologic::DefineProperties(List);
    List.Add("ZlnSegId", [this](V Value) { pw_ZlnSegId(StoredByte(Value)); });
    List.Add("ZlnNodeId", [this](V Value) { pw_ZlnNodeId(StoredByte(Value)); });
    List.Add("DefHandler_Vtx4i4o", [this](V Value) {
        ReadStoredReference<TVtx4i4o>(*this, Value, FPendingDefHandler,
                                      [this](TVtx4i4o* Template) { pw_DefHandler_Vtx4i4o(Template); });
    });
    List.AddEvent<TZlnAddressEvent>("OnUnhandledPacketUnreachable",
                                    [this](TZlnAddressEvent E) { OnUnhandledPacketUnreachable = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnUnhandledSuccessfulReset",
                                    [this](TZlnAddressEvent E) { OnUnhandledSuccessfulReset = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnUnhandledGotZlnProtocolVersion",
                                    [this](TZlnAddressEvent E) { OnUnhandledGotZlnProtocolVersion = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnUnhandledGotZlnClsId",
                                    [this](TZlnAddressEvent E) { OnUnhandledGotZlnClsId = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnUnhandledGotZlnCustomerId",
                                    [this](TZlnAddressEvent E) { OnUnhandledGotZlnCustomerId = std::move(E); });
    List.AddEvent<TZlnRxdPacketEvent>("OnUnhandledRxdZlnPacket",
                                      [this](TZlnRxdPacketEvent E) { OnUnhandledRxdZlnPacket = std::move(E); });
}

void TZLNet_Rnsm::Loaded()
{
    TZLNet_Topologic::Loaded();
    ResolvePendingReference<TVtx4i4o>(*this, FPendingDefHandler,
                                      [this](TVtx4i4o* Template) { pw_DefHandler_Vtx4i4o(Template); });
}

} // namespace OrbCtrl
