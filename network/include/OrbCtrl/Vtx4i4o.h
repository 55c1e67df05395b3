#pragma once
// TVtx4i4o: the node of a network module with four digital inputs and four
// digital outputs (class id 128; device "VTX_4i4o" in the topology file).
// It keeps the last reported input byte and the one before, keeps and sends
// the output byte, raises OnInputChanged when the module reports new
// inputs, and puts the outputs back after the module has reset by itself.

#include "OrbCtrl/ZLNet.h"

namespace OrbCtrl {

class TVtx4i4o : public TZLNet_Node {
public:
    // Class id 128, segment id 0x80, node id 0; unbound and unregistered.
    explicit TVtx4i4o(TComponent* AOwner) : TZLNet_Node(AOwner) { RunConstructor(); }
    TVtx4i4o(TComponent* AOwner, _EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId,
             TZLNet_Topologic* Topologic)
        : TZLNet_Node(AOwner, AClsId, ASegId, ANodeId, Topologic)
    {
        RunConstructor(nullptr);
    }
    // A copy of Model (a TVtx4i4o of the same class id), its input and
    // output bytes and OnInputChanged included.
    TVtx4i4o(TComponent* AOwner, _EZlnClsId AClsId, unsigned char ASegId, unsigned char ANodeId,
             TZLNet_Topologic* Topologic, TZLNet* Model)
        : TZLNet_Node(AOwner, AClsId, ASegId, ANodeId, Topologic, ModelOfClass<TVtx4i4o>(Model, AClsId))
    {
        RunConstructor(static_cast<TVtx4i4o*>(Model));
    }
    ~TVtx4i4o() override = default;

    // Output byte; bits 0 to 3 are outputs 0 to 3. Writing sends it, also
    // when it is unchanged.
    unsigned char Yout() const { return FYout; }
    void pw_Yout(unsigned char Value);
    // Input byte of the last input-changed packet, and the one before it.
    unsigned char Xin() const { return FXin; }
    unsigned char Old_Xin() const { return FOld_Xin; }

    // Bit Index (0 to 3) of Xin, Old_Xin and Yout; any other Index: false.
    bool pr_BitOfX(int Index) const { return BitOf(FXin, Index); }
    bool pr_Old_BitOfX(int Index) const { return BitOf(FOld_Xin, Index); }
    bool pr_BitOfY(int Index) const { return BitOf(FYout, Index); }
    bool BitOfX(int Index) const { return pr_BitOfX(Index); }
    bool Old_BitOfX(int Index) const { return pr_Old_BitOfX(Index); }
    bool BitOfY(int Index) const { return pr_BitOfY(Index); }
    // Sets or clears output Index (0 to 3) and sends the new byte; any other
    // Index changes and sends nothing.
    void pw_BitOfY(int Index, bool On);

    // Raised for each input-changed packet.
    TZlnAddressEvent OnInputChanged;

    void FilteringReceivedZlnPacket(const _SZLNRXDPACKET& RxdPacket) override;

    // The properties and events of TZLNet_Node, then OnInputChanged.
    void DefineProperties(TPropertyList& List) override;

protected:
    // A module that reset by itself gets its outputs back before the
    // application hears of the reset.
    void BeforeFireOnSuccessfulResetEvent(const _SZLNRXDPACKET& RxdPacket) override;
    // A requested reset clears the outputs.
    void BeforeRunRequestToReset() override;
    bool FireInputChangedEvent() { return FireAddressEvent(OnInputChanged); }

private:
    void RunConstructor();
    void RunConstructor(const TVtx4i4o* Model);
    static bool BitOf(unsigned char Byte, int Index) { return Index >= 0 && Index <= 3 && (Byte >> Index) & 1; }

    unsigned char FYout = 0;
    unsigned char FXin = 0;
    unsigned char FOld_Xin = 0;
};

} // namespace OrbCtrl
