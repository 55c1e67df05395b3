#pragma once
// TZLNet, the base of every member of the device network (node, topology,
// router, gateway), and TZLNet_Node, the base of every node component.
//
// A member holds its class id and address and turns a received packet into
// one of six events. A node belongs to one topology (BindTo), registers
// itself there under its own address and sends its packets through it.
//
// Lifetimes: a member that another member points to (a node's topology, a
// topology's registered nodes, the router's template) tells that member when
// it is destroyed, so no pointer is left dangling: a destroyed node leaves
// its topology's table, a destroyed topology leaves its nodes unbound.

#include <array>
#include <cstdint>
#include <vector>

#include "OrbCtrl/ZlnPacket.h"
#include "YVclUtil/EYGeneral.h"
#include "rtl/Classes.h"

class TPropertyList;

namespace OrbCtrl {

class TZLNet_Topologic;

class TZLNet : public TComponent {
public:
    // Class id 0, segment id 0x80, node id 0.
    explicit TZLNet(TComponent* AOwner) : TComponent(AOwner) { RunConstructor(zci_ZLNet, ZlnMaxSegId, 0); }
    // The three values as given, without a range check.
    TZLNet(TComponent* AOwner, _EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId)
        : TComponent(AOwner)
    {
        RunConstructor(AClsId, ASegId, ANodeId);
    }
    // A copy of Model, which must be of this class and class id (else
    // EYGeneral, before anything is copied), with the given class id and
    // address.
    TZLNet(TComponent* AOwner, _EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId, TZLNet* Model)
        : TComponent(AOwner)
    {
        RunConstructor(AClsId, ASegId, ANodeId, Model);
    }
    ~TZLNet() override { RunDestructor(); }

    _EZlnClsId ZlnClsId() const { return FZlnClsId; }
    unsigned char ZlnSegId() const { return FZlnSegId; }
    unsigned char ZlnNodeId() const { return FZlnNodeId; }
    // Datas[1] to Datas[3] of the last command 33.
    const std::array<std::uint8_t, 3>& UnreachableDatas() const { return FUnreachableDatas; }
    // Datas[1] of the last command 19, 20 and 21.
    unsigned char ZlnProtocolVersion() const { return FZlnProtocolVersion; }
    unsigned char ReportedZlnClsId() const { return FReportedZlnClsId; }
    unsigned char ZlnCustomerId() const { return FZlnCustomerId; }

    virtual void pw_ZlnSegId(unsigned char Value) = 0;
    virtual void pw_ZlnNodeId(unsigned char Value) = 0;
    // Turns a received packet into one of the six events, by its command
    // code alone.
    virtual void FilteringReceivedZlnPacket(const _SZLNRXDPACKET& RxdPacket);
    virtual void SendZlnPacket(const _SZLNTXDPACKET& TxdPacket) = 0;

protected:
    // Descendants act on a packet here before its event; all do nothing in
    // TZLNet.
    virtual void BeforeFireOnPacketUnreachableEvent(const _SZLNRXDPACKET&) {}
    virtual void BeforeFireOnSuccessfulResetEvent(const _SZLNRXDPACKET&) {}
    virtual void BeforeFireOnGotZlnProtocolVersionEvent(const _SZLNRXDPACKET&) {}
    virtual void BeforeFireOnGotZlnClsIdEvent(const _SZLNRXDPACKET&) {}
    virtual void BeforeFireOnGotZlnCustomerIdEvent(const _SZLNRXDPACKET&) {}
    virtual void BeforeFireOnUnfilteredRxdZlnPacketEvent(const _SZLNRXDPACKET&) {}

    // Each raises its event when a handler is assigned; true when one was.
    bool FirePacketUnreachableEvent() { return FireAddressEvent(OnPacketUnreachable); }
    bool FireSuccessfulResetEvent() { return FireAddressEvent(OnSuccessfulReset); }
    bool FireGotZlnProtocolVersionEvent() { return FireAddressEvent(OnGotZlnProtocolVersion); }
    bool FireGotZlnClsIdEvent() { return FireAddressEvent(OnGotZlnClsId); }
    bool FireGotZlnCustomerIdEvent() { return FireAddressEvent(OnGotZlnCustomerId); }
    bool FireUnfilteredRxdZlnPacketEvent(const TZlnRxdPacket& RxdPacket);
    // With this member, its own segment id and node id.
    bool FireAddressEvent(const TZlnAddressEvent& Event);

    // Model as an instance of T for a copy construction, or EYGeneral when
    // it is null, of another class id or of another class.
    template <class T>
    static T* ModelOfClass(TZLNet* Model, _EZlnClsId AClsId)
    {
        T* Typed = dynamic_cast<T*>(Model);
        if (!Typed || Model->FZlnClsId != AClsId)
            RaiseModelOfOtherClass();
        return Typed;
    }
    [[noreturn]] static void RaiseModelOfOtherClass();

    // True in the class library's design state (this component's or its
    // owner's).
    bool InDesignState() const;

    // Links this member and Other, so that each is told (Notification) when
    // the other is destroyed. Linking twice is linking once.
    void FreeNotification(TZLNet* Other);
    // Other is being destroyed: drop every pointer to it.
    virtual void Notification(TZLNet* Gone);

    _EZlnClsId FZlnClsId = zci_ZLNet;
    unsigned char FZlnSegId = 0;
    unsigned char FZlnNodeId = 0;
    TZlnAddressEvent OnPacketUnreachable;
    std::array<std::uint8_t, 3> FUnreachableDatas{};
    TZlnAddressEvent OnSuccessfulReset;
    TZlnAddressEvent OnGotZlnProtocolVersion;
    unsigned char FZlnProtocolVersion = 0;
    TZlnAddressEvent OnGotZlnClsId;
    unsigned char FReportedZlnClsId = 0;
    TZlnAddressEvent OnGotZlnCustomerId;
    unsigned char FZlnCustomerId = 0;
    TZlnRxdPacketEvent OnUnfilteredRxdZlnPacket;

private:
    void RunConstructor(_EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId);
    void RunConstructor(_EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId, TZLNet* Model);
    void RunDestructor();

    // The members linked by FreeNotification; never copied.
    std::vector<TZLNet*> FLinked;
};

// Bits of TZLNet_Node::AssignedProps: which stored properties were written.
enum TZlnAssignedProp : std::uint32_t {
    zap_BindTo = 0x01,
    zap_ZlnSegId = 0x02,
    zap_ZlnNodeId = 0x04,
    zap_All = 0x07,
};

class TZLNet_Node : public TZLNet {
public:
    // As TZLNet(Owner); unbound and unregistered (form streaming).
    explicit TZLNet_Node(TComponent* AOwner) : TZLNet(AOwner) { RunConstructor(nullptr, false); }
    // Bound to Topologic and registered there at once (kind 2).
    TZLNet_Node(TComponent* AOwner, _EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId,
                TZLNet_Topologic* Topologic)
        : TZLNet(AOwner, AClsId, ASegId, ANodeId)
    {
        RunConstructor(Topologic, true);
    }
    // A copy of Model, bound to Topologic and registered there (kind 2).
    TZLNet_Node(TComponent* AOwner, _EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId,
                TZLNet_Topologic* Topologic, TZLNet* Model)
        : TZLNet(AOwner, AClsId, ASegId, ANodeId, ModelOfClass<TZLNet_Node>(Model, AClsId))
    {
        RunConstructor(Topologic, static_cast<TZLNet_Node*>(Model));
    }
    ~TZLNet_Node() override = default;

    std::uint32_t AssignedProps() const { return FAssignedProps; }
    TZLNet_Topologic* BindTo() const { return FBindTo; }

    // 0x00 to 0x80, else EYGeneral and nothing changes.
    void pw_ZlnSegId(unsigned char Value) override;
    // 0x00 to 0x7F, else EYGeneral and nothing changes.
    void pw_ZlnNodeId(unsigned char Value) override;
    // Stores the topology; registers nothing.
    virtual void pw_BindTo(TZLNet_Topologic* Value);
    // Registers the node in BindTo (kind 1) when all three stored
    // properties were written.
    void Loaded() override;
    // Through BindTo; dropped when the node is unbound.
    void SendZlnPacket(const _SZLNTXDPACKET& TxdPacket) override;

    void RequestToReset();
    void QueryZlnProtocolVersion();
    void QueryZlnClsId();
    void QueryZlnCustomerId();

    using TZLNet::OnPacketUnreachable;
    using TZLNet::OnSuccessfulReset;
    using TZLNet::OnGotZlnProtocolVersion;
    using TZLNet::OnGotZlnClsId;
    using TZLNet::OnGotZlnCustomerId;
    using TZLNet::OnUnfilteredRxdZlnPacket;

    // ZlnSegId, ZlnNodeId, BindTo (the name of a topology of the same
    // owner) and the six events. ZlnClsId is read-only and not stored.
    void DefineProperties(TPropertyList& List) override;

protected:
    // Runs before a reset request goes out.
    virtual void BeforeRunRequestToReset() = 0;
    void Notification(TZLNet* Gone) override;
    // Sends a packet of this node's address with a command and no argument.
    void SendCommand(std::uint8_t Command);

private:
    void RunConstructor(TZLNet_Topologic* Topologic, bool Register);
    void RunConstructor(TZLNet_Topologic* Topologic, const TZLNet_Node* Model);
    // Registers in BindTo with the given kind; a failure is swallowed in
    // design state.
    void RegisterInBindTo(unsigned Kind);

    std::uint32_t FAssignedProps = 0;
    TZLNet_Topologic* FBindTo = nullptr;
    // A stored BindTo whose topology comes later in the form: resolved in
    // Loaded.
    AnsiString FPendingBindTo;
};

} // namespace OrbCtrl
