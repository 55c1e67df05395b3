// TZLNet: class id, address, the filtering of received packets into events
// and the lifetime links between members. TZLNet_Node: ids, binding to a
// topology, registration and the node requests.
#include "OrbCtrl/ZLNet.h"

#include <algorithm>

#include "OrbCtrl/ZLNet_Topologic.h"
#include "StoredNetValues.h"

namespace OrbCtrl {

using YVclUtil::EYGeneral;

// ---- TZLNet

void TZLNet::RunConstructor(_EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId)
{
    FZlnClsId = AClsId;
    FZlnSegId = ASegId;
    FZlnNodeId = ANodeId;
}

void TZLNet::RunConstructor(_EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId, TZLNet* Model)
{
    if (!Model || Model->FZlnClsId != AClsId)
        RaiseModelOfOtherClass();
    OnPacketUnreachable = Model->OnPacketUnreachable;
    FUnreachableDatas = Model->FUnreachableDatas;
    OnSuccessfulReset = Model->OnSuccessfulReset;
    OnGotZlnProtocolVersion = Model->OnGotZlnProtocolVersion;
    FZlnProtocolVersion = Model->FZlnProtocolVersion;
    OnGotZlnClsId = Model->OnGotZlnClsId;
    FReportedZlnClsId = Model->FReportedZlnClsId;
    OnGotZlnCustomerId = Model->OnGotZlnCustomerId;
    FZlnCustomerId = Model->FZlnCustomerId;
    OnUnfilteredRxdZlnPacket = Model->OnUnfilteredRxdZlnPacket;
    RunConstructor(AClsId, ASegId, ANodeId);
}

void TZLNet::RunDestructor()
{
    // Each linked member drops its pointers to this one.
    std::vector<TZLNet*> Linked;
    Linked.swap(FLinked);
    for (TZLNet* Other : Linked) {
        auto& Back = Other->FLinked;
        Back.erase(std::remove(Back.begin(), Back.end(), this), Back.end());
        Other->Notification(this);
    }
}

void TZLNet::RaiseModelOfOtherClass()
{
    throw EYGeneral("\nErr: ZLNet 元件的類別不同,故無法進行拷貝式的建構 !!!\n");
}

bool TZLNet::InDesignState() const
{
    return ComponentState().Contains(csDesigning) || (Owner() && Owner()->ComponentState().Contains(csDesigning));
}

void TZLNet::FreeNotification(TZLNet* Other)
{
    if (!Other || Other == this)
        return;
    if (std::find(FLinked.begin(), FLinked.end(), Other) == FLinked.end())
        FLinked.push_back(Other);
    if (std::find(Other->FLinked.begin(), Other->FLinked.end(), this) == Other->FLinked.end())
        Other->FLinked.push_back(this);
}

void TZLNet::Notification(TZLNet*) {}

bool TZLNet::FireAddressEvent(const TZlnAddressEvent& Event)
{
    if (!Event)
        return false;
    // A copy: the handler may assign the event anew while it runs.
    const TZlnAddressEvent Handler = Event;
    Handler(this, FZlnSegId, FZlnNodeId);
    return true;
}

bool TZLNet::FireUnfilteredRxdZlnPacketEvent(const TZlnRxdPacket& RxdPacket)
{
    if (!OnUnfilteredRxdZlnPacket)
        return false;
    const TZlnRxdPacketEvent Handler = OnUnfilteredRxdZlnPacket;
    Handler(this, RxdPacket);
    return true;
}

void TZLNet::FilteringReceivedZlnPacket(const _SZLNRXDPACKET& RxdPacket)
{
    // Only the command code and the arguments named for it are read; the
    // address bytes and BytesOfDatas are not looked at.
    switch (RxdPacket.Datas[0]) {
    case zcmd_PacketUnreachable:
        BeforeFireOnPacketUnreachableEvent(RxdPacket);
        std::copy(RxdPacket.Datas + 1, RxdPacket.Datas + 4, FUnreachableDatas.begin());
        if (FirePacketUnreachableEvent())
            return;
        break;
    case zcmd_SuccessfulReset:
        BeforeFireOnSuccessfulResetEvent(RxdPacket);
        if (FireSuccessfulResetEvent())
            return;
        break;
    case zcmd_GotZlnProtocolVersion:
        BeforeFireOnGotZlnProtocolVersionEvent(RxdPacket);
        FZlnProtocolVersion = RxdPacket.Datas[1];
        if (FireGotZlnProtocolVersionEvent())
            return;
        break;
    case zcmd_GotZlnClsId:
        BeforeFireOnGotZlnClsIdEvent(RxdPacket);
        FReportedZlnClsId = RxdPacket.Datas[1];
        if (FireGotZlnClsIdEvent())
            return;
        break;
    case zcmd_GotZlnCustomerId:
        BeforeFireOnGotZlnCustomerIdEvent(RxdPacket);
        FZlnCustomerId = RxdPacket.Datas[1];
        if (FireGotZlnCustomerIdEvent())
            return;
        break;
    default:
        break;
    }
    BeforeFireOnUnfilteredRxdZlnPacketEvent(RxdPacket);
    FireUnfilteredRxdZlnPacketEvent(RxdPacket);
}

// ---- TZLNet_Node

void TZLNet_Node::RunConstructor(TZLNet_Topologic* Topologic, bool Register)
{
    FAssignedProps = 0;
    FBindTo = nullptr;
    if (!Register)
        return;
    FBindTo = Topologic;
    FreeNotification(Topologic);
    RegisterInBindTo(zrk_Constructed);
}

void TZLNet_Node::RunConstructor(TZLNet_Topologic* Topologic, const TZLNet_Node* Model)
{
    FAssignedProps = Model->FAssignedProps;
    FBindTo = Topologic;
    FreeNotification(Topologic);
    RegisterInBindTo(zrk_Constructed);
}

void TZLNet_Node::RegisterInBindTo(unsigned Kind)
{
    // A node without a topology stays unregistered: it receives nothing and
    // its packets go nowhere.
    if (!FBindTo)
        return;
    try {
        FBindTo->AddZlnComponentToZlnTopologic(this, Kind);
    } catch (...) {
        if (!InDesignState())
            throw;
    }
}

void TZLNet_Node::pw_ZlnSegId(unsigned char Value)
{
    if (Value > ZlnMaxSegId)
        throw EYGeneral("Invalid value, the range must be 0x00~0x80 !!!");
    FZlnSegId = Value;
    FAssignedProps |= zap_ZlnSegId;
}

void TZLNet_Node::pw_ZlnNodeId(unsigned char Value)
{
    if (Value > ZlnMaxNodeId)
        throw EYGeneral("Invalid value, the range must be 0x00~0x7F !!!");
    FZlnNodeId = Value;
    FAssignedProps |= zap_ZlnNodeId;
}

void TZLNet_Node::pw_BindTo(TZLNet_Topologic* Value)
{
    FBindTo = Value;
    FreeNotification(Value);
    FAssignedProps |= zap_BindTo;
}

void TZLNet_Node::Loaded()
{
    TZLNet::Loaded();
    ResolvePendingReference<TZLNet_Topologic>(*this, FPendingBindTo,
                                              [this](TZLNet_Topologic* Topologic) { pw_BindTo(Topologic); });
    if (FAssignedProps == zap_All)
        RegisterInBindTo(zrk_Loaded);
}

void TZLNet_Node::Notification(TZLNet* Gone)
{
    if (Gone == FBindTo)
        FBindTo = nullptr;
    TZLNet::Notification(Gone);
}

void TZLNet_Node::SendZlnPacket(const _SZLNTXDPACKET& TxdPacket)
{
    if (FBindTo)
        FBindTo->SendZlnPacket(TxdPacket);
}

void TZLNet_Node::SendCommand(std::uint8_t Command)
{
    _SZLNTXDPACKET Packet{};
    Packet.ZlnSegId = FZlnSegId;
    Packet.ZlnNodeId = FZlnNodeId;
    Packet.BytesOfDatas = 1;
    Packet.Datas[0] = Command;
    SendZlnPacket(Packet);
}

void TZLNet_Node::RequestToReset()
{
    BeforeRunRequestToReset();
    SendCommand(zcmd_RequestToReset);
}

void TZLNet_Node::QueryZlnProtocolVersion()
{
    SendCommand(zcmd_QueryZlnProtocolVersion);
}

void TZLNet_Node::QueryZlnClsId()
{
    SendCommand(zcmd_QueryZlnClsId);
}

void TZLNet_Node::QueryZlnCustomerId()
{
    SendCommand(zcmd_QueryZlnCustomerId);
}

void TZLNet_Node::DefineProperties(TPropertyList& List)
{
    using V = const TStoredValue&;
    TZLNet::DefineProperties(List);
    List.Add("ZlnSegId", [this](V Value) { pw_ZlnSegId(StoredByte(Value)); });
    List.Add("ZlnNodeId", [this](V Value) { pw_ZlnNodeId(StoredByte(Value)); });
    List.Add("BindTo", [this](V Value) {
        ReadStoredReference<TZLNet_Topologic>(*this, Value, FPendingBindTo,
                                              [this](TZLNet_Topologic* Topologic) { pw_BindTo(Topologic); });
    });
    List.AddEvent<TZlnAddressEvent>("OnPacketUnreachable",
                                    [this](TZlnAddressEvent E) { OnPacketUnreachable = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnSuccessfulReset",
                                    [this](TZlnAddressEvent E) { OnSuccessfulReset = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnGotZlnProtocolVersion",
                                    [this](TZlnAddressEvent E) { OnGotZlnProtocolVersion = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnGotZlnClsId", [this](TZlnAddressEvent E) { OnGotZlnClsId = std::move(E); });
    List.AddEvent<TZlnAddressEvent>("OnGotZlnCustomerId",
                                    [this](TZlnAddressEvent E) { OnGotZlnCustomerId = std::move(E); });
    List.AddEvent<TZlnRxdPacketEvent>("OnUnfilteredRxdZlnPacket",
                                      [this](TZlnRxdPacketEvent E) { OnUnfilteredRxdZlnPacket = std::move(E); });
}

} // namespace OrbCtrl
