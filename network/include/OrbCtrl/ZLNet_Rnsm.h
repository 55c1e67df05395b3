#pragma once
// TZLNet_Rnsm: the router of the device network as the PC sees it, a
// topology at the fixed address segment 0x80, node 0x80 (outside the node
// range), class id 160. It routes every received packet to the component
// registered at the packet's address, or handles it itself and raises its
// OnUnhandled... events. It creates the default four-in four-out nodes that
// the topology loader asks for, as copies of its template; they belong to
// the router. The connection and the sending are its descendant's (the
// gateway on a serial port).

#include "OrbCtrl/Vtx4i4o.h"
#include "OrbCtrl/ZLNet_Topologic.h"

namespace OrbCtrl {

class TZLNet_Rnsm : public TZLNet_Topologic {
public:
    // Class id 160, segment id 0x80, node id 0x80; not connected, no
    // template.
    explicit TZLNet_Rnsm(TComponent* AOwner) : TZLNet_Topologic(AOwner) { RunConstructor(); }
    ~TZLNet_Rnsm() override { RunDestructor(); }

    bool Connected() const { return FConnected; }
    virtual void Connect() = 0;
    // Takes the connection down; Connected is false afterwards.
    virtual void Disconnect() = 0;

    // The router's address is fixed: both writers do nothing.
    void pw_ZlnSegId(unsigned char) override {}
    void pw_ZlnNodeId(unsigned char) override {}

    // The template of the default four-in four-out nodes; the router only
    // points to it, and forgets it when it is destroyed.
    TVtx4i4o* pr_DefHandler_Vtx4i4o() const { return FDefHandler_Vtx4i4o; }
    TVtx4i4o* pw_DefHandler_Vtx4i4o(TVtx4i4o* Value);
    TVtx4i4o* DefHandler_Vtx4i4o() const { return pr_DefHandler_Vtx4i4o(); }

    // The four-in four-out node registered at an address, else EYGeneral.
    TVtx4i4o* pr_Vtx4i4o(unsigned char SegId, unsigned char NodeId) const;
    TVtx4i4o* Vtx4i4o(unsigned char SegId, unsigned char NodeId) const { return pr_Vtx4i4o(SegId, NodeId); }

    // A copy of the template for class id 128, owned by the router and
    // registered in Topologic; null for any other class id or without a
    // template.
    TZLNet* CreateDefaultZlnComponentAndAddToZlnTopologic(_EZlnClsId ClsId, unsigned char SegId,
                                                           unsigned char NodeId,
                                                           TZLNet_Topologic* Topologic) override;

    // To the component registered at the packet's address, else the
    // router's own events; an address outside the table is dropped.
    void FilteringReceivedZlnPacket(const _SZLNRXDPACKET& RxdPacket) override;

    // The router's own events, raised for packets that no registered
    // component handles, with the router's address (0x80, 0x80).
    TZlnAddressEvent& OnUnhandledPacketUnreachable{OnPacketUnreachable};
    TZlnAddressEvent& OnUnhandledSuccessfulReset{OnSuccessfulReset};
    TZlnAddressEvent& OnUnhandledGotZlnProtocolVersion{OnGotZlnProtocolVersion};
    TZlnAddressEvent& OnUnhandledGotZlnClsId{OnGotZlnClsId};
    TZlnAddressEvent& OnUnhandledGotZlnCustomerId{OnGotZlnCustomerId};
    TZlnRxdPacketEvent& OnUnhandledRxdZlnPacket{OnUnfilteredRxdZlnPacket};

    // FileName, ZlnSegId and ZlnNodeId (their writers do nothing),
    // DefHandler_Vtx4i4o (the name of a TVtx4i4o of the same owner) and the
    // six OnUnhandled... events.
    void DefineProperties(TPropertyList& List) override;
    void Loaded() override;

protected:
    void Notification(TZLNet* Gone) override;

    bool FConnected = false;

private:
    void RunConstructor();
    void RunDestructor();

    TVtx4i4o* FDefHandler_Vtx4i4o = nullptr;
    // A stored template that comes later in the form: resolved in Loaded.
    AnsiString FPendingDefHandler;
};

} // namespace OrbCtrl
