#pragma once
// The ZLNet packet records, the class ids of the network members, the
// command codes that the library sends and understands, and the two forms
// of the network events.

#include <cstdint>
#include <functional>

#include "rtl/System.h"

namespace OrbCtrl {

// Class id of a network member; 0 also marks a free topology entry. The
// type holds 0 to 168; these are the values in use.
enum _EZlnClsId : std::uint32_t {
    zci_ZLNet = 0,        // a plain member, a topology, a node built without a class id
    zci_Vtx4i4o = 128,    // the four-in four-out node
    zci_Rnsm = 160,       // the router and the gateway
};

// Address ranges: segment ids 0x00 to 0x80, node ids 0x00 to 0x7F.
constexpr unsigned ZlnMaxSegId = 0x80;
constexpr unsigned ZlnMaxNodeId = 0x7F;
constexpr unsigned ZlnSegments = ZlnMaxSegId + 1;
constexpr unsigned ZlnNodesPerSegment = ZlnMaxNodeId + 1;

// The Datas bytes of a record; Datas[0] is the command code.
constexpr unsigned ZlnMaxBytesOfDatas = 17;

// A packet to send. Only the first BytesOfDatas + 3 bytes go on the wire.
struct _SZLNTXDPACKET {
    std::uint8_t ZlnSegId;
    std::uint8_t ZlnNodeId;
    std::uint8_t BytesOfDatas;
    std::uint8_t Datas[ZlnMaxBytesOfDatas];
};

// A received packet, in the same layout; the address is the sender's.
struct _SZLNRXDPACKET {
    std::uint8_t ZlnSegId;
    std::uint8_t ZlnNodeId;
    std::uint8_t BytesOfDatas;
    std::uint8_t Datas[ZlnMaxBytesOfDatas];
};
using TZlnRxdPacket = _SZLNRXDPACKET;

static_assert(sizeof(_SZLNTXDPACKET) == 20 && sizeof(_SZLNRXDPACKET) == 20, "a ZLNet record is 20 bytes");

// Command codes, the value of Datas[0].
enum _EZlnCommand : std::uint8_t {
    zcmd_QueryZlnProtocolVersion = 3,
    zcmd_QueryZlnClsId = 4,
    zcmd_QueryZlnCustomerId = 5,
    zcmd_RequestToReset = 15,
    zcmd_GotZlnProtocolVersion = 19,
    zcmd_GotZlnClsId = 20,
    zcmd_GotZlnCustomerId = 21,
    zcmd_SuccessfulReset = 31,
    zcmd_PacketUnreachable = 33,
    zcmd_InputChanged = 0x81,     // four-in four-out node: Datas[1] is the input byte
    zcmd_SetOutputs = 0x84,       // four-in four-out node: Datas[1] is the output byte
};

// The address form of the events: the member that raises it and that
// member's own address.
using TZlnAddressEvent =
    std::function<void(TObject* Sender, const unsigned char AZlnSegId, const unsigned char AZlnNodeId)>;
// The packet form: the member and the packet as received.
using TZlnRxdPacketEvent = std::function<void(TObject* Sender, const TZlnRxdPacket& RxdPacket)>;

} // namespace OrbCtrl
