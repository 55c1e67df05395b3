#include "gateway/GatewayDevice.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace gateway {

namespace {

using TClock = std::chrono::steady_clock;

// How often the answering thread looks for its end while the line is quiet.
constexpr unsigned PollMs = 20;

unsigned AddressKey(unsigned char SegId, unsigned char NodeId)
{
    return (static_cast<unsigned>(SegId) << 8) | NodeId;
}

int HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

const char HexDigits[] = "0123456789ABCDEF";

std::string Hex2(unsigned char Byte)
{
    return {HexDigits[Byte >> 4], HexDigits[Byte & 15]};
}

// The bytes of the hexadecimal pairs of Text; empty when they do not decode.
TBytes DecodePairs(std::string_view Text)
{
    TBytes Bytes;
    if (Text.size() % 2 != 0)
        return {};
    for (std::size_t i = 0; i < Text.size(); i += 2) {
        const int High = HexValue(Text[i]);
        const int Low = HexValue(Text[i + 1]);
        if (High < 0 || Low < 0)
            return {};
        Bytes.push_back(static_cast<unsigned char>(High * 16 + Low));
    }
    return Bytes;
}

// A line of the PC without its leading blanks and its line end.
std::string_view Stripped(std::string_view Line)
{
    while (!Line.empty() && Line.front() == ' ')
        Line.remove_prefix(1);
    while (!Line.empty() && (Line.back() == '\r' || Line.back() == '\n'))
        Line.remove_suffix(1);
    return Line;
}

std::vector<std::string> CompleteLines(const std::string& Text)
{
    std::vector<std::string> Lines;
    std::size_t Pos = 0;
    for (;;) {
        const std::size_t End = Text.find('\n', Pos);
        if (End == std::string::npos)
            return Lines;
        Lines.push_back(Text.substr(Pos, End - Pos));
        Pos = End + 1;
    }
}

} // namespace

TGatewayDevice::TGatewayDevice(unsigned ComNumber) : FLine(ComNumber)
{
    FRegisters[7] = 17;
    FAnswerer = std::thread([this] { AnswerLoop(); });
}

TGatewayDevice::~TGatewayDevice()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FStopping = true;
    }
    FAnswerer.join();
}

void TGatewayDevice::SetAnswering(bool On)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FAnswering = On;
}

void TGatewayDevice::SetRegister(unsigned Number, unsigned char Value)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FRegisters[Number & 15] = Value;
}

unsigned char TGatewayDevice::Register(unsigned Number) const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FRegisters[Number & 15];
}

void TGatewayDevice::AddNode(unsigned char SegId, unsigned char NodeId, const TSimNode& Node)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FNodes[AddressKey(SegId, NodeId)] = Node;
}

TSimNode TGatewayDevice::Node(unsigned char SegId, unsigned char NodeId) const
{
    std::lock_guard<std::mutex> Guard(FLock);
    auto Found = FNodes.find(AddressKey(SegId, NodeId));
    return Found == FNodes.end() ? TSimNode() : Found->second;
}

void TGatewayDevice::Send(std::string_view Raw)
{
    std::lock_guard<std::mutex> Guard(FWriteLock);
    FLine.Write(Raw);
}

void TGatewayDevice::SendReply(char Register, unsigned char Value)
{
    Send(std::string("*R") + Register + "=" + Hex2(Value) + "\r\n");
}

std::string TGatewayDevice::PacketLine(const TBytes& Bytes)
{
    std::string Line = "@";
    for (unsigned char Byte : Bytes)
        Line += Hex2(Byte);
    return Line + "\r\n";
}

void TGatewayDevice::SendPacket(const TBytes& Bytes)
{
    Send(PacketLine(Bytes));
}

void TGatewayDevice::ChangeInputs(unsigned char SegId, unsigned char NodeId, unsigned char Xin)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FNodes[AddressKey(SegId, NodeId)].Xin = Xin;
    }
    SendPacket({SegId, NodeId, 2, 0x81, Xin});
}

void TGatewayDevice::ResetNodeByItself(unsigned char SegId, unsigned char NodeId)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FNodes[AddressKey(SegId, NodeId)].Yout = 0;
    }
    SendPacket({SegId, NodeId, 1, 31});
}

void TGatewayDevice::ResetByWatchdog()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FRegisters[0] = 0;
    }
    SendReply('F', 0);
}

void TGatewayDevice::Mark()
{
    std::lock_guard<std::mutex> Guard(FLock);
    FMark = FLine.Received().size();
}

std::string TGatewayDevice::SentLocked() const
{
    const std::string All = FLine.Received();
    return FMark < All.size() ? All.substr(FMark) : std::string();
}

std::string TGatewayDevice::Sent() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return SentLocked();
}

bool TGatewayDevice::WaitSent(std::size_t Count, unsigned TimeoutMs) const
{
    std::size_t Mark;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        Mark = FMark;
    }
    return FLine.WaitReceived(Mark + Count, TimeoutMs);
}

bool TGatewayDevice::WaitSentText(const std::string& Text, unsigned TimeoutMs) const
{
    const auto Deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
    for (;;) {
        const std::string Now = Sent();
        if (Now == Text)
            return true;
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
        if (Left <= 0)
            return false;
        WaitSent(Now.size() + 1, static_cast<unsigned>(std::min<long long>(Left, PollMs)));
    }
}

std::vector<TBytes> TGatewayDevice::SentPackets() const
{
    std::vector<TBytes> Packets;
    for (const std::string& Line : CompleteLines(Sent())) {
        const std::string_view Text = Stripped(Line);
        if (!Text.empty() && Text.front() == '>')
            Packets.push_back(DecodePairs(Text.substr(1)));
    }
    return Packets;
}

bool TGatewayDevice::WaitSentPackets(std::size_t Count, unsigned TimeoutMs) const
{
    const auto Deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
    while (SentPackets().size() < Count) {
        if (TClock::now() >= Deadline)
            return false;
        WaitSent(Sent().size() + 1, PollMs);
    }
    return true;
}

void TGatewayDevice::AnswerLoop()
{
    std::size_t Seen = 0;
    for (;;) {
        {
            std::lock_guard<std::mutex> Guard(FLock);
            if (FStopping)
                return;
        }
        FLine.WaitReceived(Seen + 1, PollMs);
        const std::string All = FLine.Received();
        Seen = All.size();
        std::vector<std::string> Lines;
        {
            std::lock_guard<std::mutex> Guard(FLock);
            const std::size_t End = All.rfind('\n');
            if (End == std::string::npos || End < FHandled)
                continue;
            Lines = CompleteLines(All.substr(FHandled, End + 1 - FHandled));
            FHandled = End + 1;
        }
        for (const std::string& Line : Lines)
            Answer(Line);
    }
}

void TGatewayDevice::Answer(const std::string& Raw)
{
    const std::string_view Line = Stripped(Raw);
    std::string Reply;
    TBytes Packet;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        if (!FAnswering || Line.size() < 2)
            return;
        const int Number = Line.size() >= 3 && Line[1] == 'R' ? HexValue(Line[2]) : -1;
        if (Line[0] == '?' && Number >= 0 && Line.size() == 3) {
            Reply = std::string("*R") + Line[2] + "=" + Hex2(FRegisters[Number]) + "\r\n";
        } else if (Line[0] == '+' && Number >= 0 && Line.size() == 6 && Line[3] == '=') {
            const TBytes Value = DecodePairs(Line.substr(4));
            if (Value.size() != 1)
                return;
            if (Number == 15) {
                FRegisters[0] = 0;
                Reply = "*RF=00\r\n";
            } else {
                FRegisters[Number] = Value[0];
            }
        } else if (Line[0] == '>') {
            Packet = DecodePairs(Line.substr(1));
        }
    }
    // A line that has hung up takes no answer; the gateway stays quiet.
    try {
        if (!Reply.empty())
            Send(Reply);
        if (Packet.size() >= 4)
            AnswerPacket(Packet);
    } catch (const std::runtime_error&) {
    }
}

void TGatewayDevice::AnswerPacket(const TBytes& Packet)
{
    const unsigned char SegId = Packet[0];
    const unsigned char NodeId = Packet[1];
    const unsigned char Command = Packet[3];
    TBytes Answer;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        auto Found = FNodes.find(AddressKey(SegId, NodeId));
        if (Found == FNodes.end()) {
            Answer = {SegId, NodeId, 4, 33, Command, 0, 0};
        } else {
            TSimNode& Node = Found->second;
            switch (Command) {
            case 3: Answer = {SegId, NodeId, 2, 19, Node.ProtocolVersion}; break;
            case 4: Answer = {SegId, NodeId, 2, 20, Node.ClsId}; break;
            case 5: Answer = {SegId, NodeId, 2, 21, Node.CustomerId}; break;
            case 15:
                Node.Yout = 0;
                Answer = {SegId, NodeId, 1, 31};
                break;
            case 0x84:
                if (Packet.size() >= 5)
                    Node.Yout = Packet[4];
                break;
            default: break;
            }
        }
    }
    if (!Answer.empty())
        SendPacket(Answer);
}

} // namespace gateway
