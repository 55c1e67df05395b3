#pragma once
// A ZLNet serial gateway with its nodes, on a pseudo-terminal mapped as
// COM<n> of this process.
//
// The gateway answers the PC's lines on a thread of its own:
//   " ?R<r>"       -> "*R<r>=XX\r\n" with register r (0 to F)
//   " +R<r>=XX"    -> stores register r; " +RF=.." resets the gateway:
//                     R0 cleared, "*RF=00\r\n"
//   ">XXXX..."     -> the packet goes to the node at its address, which
//                     answers as a four-in four-out module does:
//                       3, 4, 5   -> 19, 20, 21 with its version, class
//                                    id, customer id
//                       15        -> outputs cleared, 31
//                       0x84 v    -> outputs := v, no answer
//                     a packet to an address without a node is answered
//                     by command 33 (unreachable) from that address, with
//                     the packet's command and two zero bytes as detail.
// Answers go out as "@" and upper-case hexadecimal pairs, "\r\n". A silent
// gateway (SetAnswering(false)) only records what it receives; the test
// then writes the lines itself.

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "simdevice/PtyDevice.h"

namespace gateway {

// A four-in four-out module behind the gateway.
struct TSimNode {
    unsigned char ClsId = 128;
    unsigned char ProtocolVersion = 1;
    unsigned char CustomerId = 0;
    unsigned char Yout = 0;
    unsigned char Xin = 0;
};

using TBytes = std::vector<unsigned char>;

class TGatewayDevice {
public:
    // Registers start at 0, but R7 (the largest BytesOfDatas the gateway
    // takes) at 17. Raises std::runtime_error without a pseudo-terminal.
    explicit TGatewayDevice(unsigned ComNumber);
    ~TGatewayDevice();
    TGatewayDevice(const TGatewayDevice&) = delete;
    TGatewayDevice& operator=(const TGatewayDevice&) = delete;

    simdevice::TPtyDevice& Line() { return FLine; }

    void SetAnswering(bool On);
    void SetRegister(unsigned Number, unsigned char Value);
    unsigned char Register(unsigned Number) const;

    void AddNode(unsigned char SegId, unsigned char NodeId, const TSimNode& Node = TSimNode());
    TSimNode Node(unsigned char SegId, unsigned char NodeId) const;

    // Lines of the gateway's own.
    void Send(std::string_view Raw);
    void SendReply(char Register, unsigned char Value);
    void SendPacket(const TBytes& Bytes);
    // A node's inputs change: it keeps them and reports command 0x81.
    void ChangeInputs(unsigned char SegId, unsigned char NodeId, unsigned char Xin);
    // A node resets by itself: outputs cleared, command 31.
    void ResetNodeByItself(unsigned char SegId, unsigned char NodeId);
    // The gateway's watchdog resets it: R0 cleared, "*RF=00\r\n".
    void ResetByWatchdog();

    // What the PC has sent since the last Mark (or since the start).
    void Mark();
    std::string Sent() const;
    // Waits until Count bytes have come since the mark; false after
    // TimeoutMs.
    bool WaitSent(std::size_t Count, unsigned TimeoutMs) const;
    // Waits until Text has come since the mark, as the whole of it.
    bool WaitSentText(const std::string& Text, unsigned TimeoutMs) const;
    // The packet lines since the mark, decoded (a line that does not
    // decode gives an empty packet).
    std::vector<TBytes> SentPackets() const;
    bool WaitSentPackets(std::size_t Count, unsigned TimeoutMs) const;

    // "@" and the bytes as upper-case hexadecimal pairs, "\r\n".
    static std::string PacketLine(const TBytes& Bytes);

private:
    void AnswerLoop();
    void Answer(const std::string& Line);
    void AnswerPacket(const TBytes& Packet);
    // The text since the mark; FLock held.
    std::string SentLocked() const;

    simdevice::TPtyDevice FLine;
    mutable std::mutex FLock;
    std::mutex FWriteLock;
    bool FAnswering = true;
    unsigned char FRegisters[16] = {};
    std::map<unsigned, TSimNode> FNodes;
    std::size_t FMark = 0;
    std::size_t FHandled = 0;
    bool FStopping = false;
    std::thread FAnswerer;
};

} // namespace gateway
