// TVtx4i4o: inputs reported by the module, outputs sent to it.
#include "OrbCtrl/Vtx4i4o.h"

#include "rtl/StoredProperties.h"

namespace OrbCtrl {

void TVtx4i4o::RunConstructor()
{
    FZlnClsId = zci_Vtx4i4o;
    RunConstructor(nullptr);
}

void TVtx4i4o::RunConstructor(const TVtx4i4o* Model)
{
    if (Model) {
        FYout = Model->FYout;
        FXin = Model->FXin;
        FOld_Xin = Model->FOld_Xin;
        OnInputChanged = Model->OnInputChanged;
    } else {
        FYout = 0;
        FXin = 0;
        FOld_Xin = 0;
    }
}

void TVtx4i4o::pw_Yout(unsigned char Value)
{
    FYout = Value;
    _SZLNTXDPACKET Packet{};
    Packet.ZlnSegId = ZlnSegId();
    Packet.ZlnNodeId = ZlnNodeId();
    Packet.BytesOfDatas = 2;
    Packet.Datas[0] = zcmd_SetOutputs;
    Packet.Datas[1] = Value;
    SendZlnPacket(Packet);
}

void TVtx4i4o::pw_BitOfY(int Index, bool On)
{
    if (Index < 0 || Index > 3)
        return;
    const auto Bit = static_cast<unsigned char>(1u << Index);
    pw_Yout(On ? static_cast<unsigned char>(FYout | Bit) : static_cast<unsigned char>(FYout & ~Bit));
}

void TVtx4i4o::FilteringReceivedZlnPacket(const _SZLNRXDPACKET& RxdPacket)
{
    if (RxdPacket.Datas[0] != zcmd_InputChanged) {
        TZLNet_Node::FilteringReceivedZlnPacket(RxdPacket);
        return;
    }
    // An input change goes no further than this event.
    FOld_Xin = FXin;
    FXin = RxdPacket.Datas[1];
    FireInputChangedEvent();
}

void TVtx4i4o::BeforeFireOnSuccessfulResetEvent(const _SZLNRXDPACKET& RxdPacket)
{
    TZLNet_Node::BeforeFireOnSuccessfulResetEvent(RxdPacket);
    if (FYout != 0)
        pw_Yout(FYout);
}

void TVtx4i4o::BeforeRunRequestToReset()
{
    FYout = 0;
}

void TVtx4i4o::DefineProperties(TPropertyList& List)
{
    TZLNet_Node::DefineProperties(List);
    List.AddEvent<TZlnAddressEvent>("OnInputChanged", [this](TZlnAddressEvent E) { OnInputChanged = std::move(E); });
}

} // namespace OrbCtrl
