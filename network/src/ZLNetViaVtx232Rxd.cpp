// TZLNetViaVtx232: the gateway's lines, one a delivery of the port:
// register replies ("*R7=10") and received packets ("@0100021302").
#include <cstring>

#include "OrbCtrl/ZLNetViaVtx232.h"
#include "rtl/Application.h"

namespace OrbCtrl {

namespace {

// The replies that complete a connect: R0, R1 and R3 to R9.
constexpr std::uint32_t ConnectReplies = 0x3FB;
constexpr unsigned RegisterRE = 14;
constexpr unsigned RegisterRF = 15;

// The value of a hexadecimal digit, or -1; lower case only when allowed.
int HexDigit(char C, bool LowerCaseToo)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    if (LowerCaseToo && C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    return -1;
}

// The register that a reply names by its third character, or -1: 0, 1,
// 3 to 9, E, F.
int RegisterOf(char C)
{
    if (C >= '0' && C <= '9' && C != '2')
        return C - '0';
    if (C == 'E')
        return static_cast<int>(RegisterRE);
    if (C == 'F')
        return static_cast<int>(RegisterRF);
    return -1;
}

// Counts a delivery under way for as long as it runs.
class TDeliveryScope {
public:
    explicit TDeliveryScope(int& Count) : FCount(Count) { ++FCount; }
    ~TDeliveryScope() { --FCount; }
    TDeliveryScope(const TDeliveryScope&) = delete;
    TDeliveryScope& operator=(const TDeliveryScope&) = delete;

private:
    int& FCount;
};

} // namespace

void TZLNetViaVtx232::OnPcUartRxdDatas(TObject*, int Bytes, char* Datas)
{
    if (Bytes <= 0 || !Datas || FClosePending || FDestroying)
        return;
    {
        TDeliveryScope Scope(FInDelivery);
        try {
            ReceivedLine(Datas, static_cast<std::size_t>(Bytes));
        } catch (...) {
            // An exception that left a delivery would end the port's worker
            // and with it every further line; it is shown as any handler's
            // is.
            HandleException(this);
        }
    }
    // A Disconnect (or a Connect that needs the port closed first) inside
    // the delivery: the port closes once the delivery has returned to the
    // port's worker.
    if (FInDelivery == 0 && FClosePending)
        PostCloseAfterDelivery();
}

void TZLNetViaVtx232::ReceivedLine(const char* Line, std::size_t Length)
{
    // The delivery holds exactly Length bytes and no terminator.
    if (Line[0] == '*')
        ReceivedRegisterReply(Line, Length);
    else if (Line[0] == '@')
        ReceivedPacketLine(Line, Length);
}

void TZLNetViaVtx232::ReceivedRegisterReply(const char* Line, std::size_t Length)
{
    // "*R" register "=" and exactly two hexadecimal digits.
    if (Length < 6 || Line[1] != 'R' || Line[3] != '=')
        return;
    const int High = HexDigit(Line[4], true);
    const int Low = HexDigit(Line[5], true);
    if (High < 0 || Low < 0 || (Length > 6 && HexDigit(Line[6], true) >= 0))
        return;
    const int Number = RegisterOf(Line[2]);
    if (Number < 0)
        return;

    const auto Value = static_cast<unsigned char>(High * 16 + Low);
    if (Number == 1)
        FOld_Xin = FRegisters[1];
    if (Number != static_cast<int>(RegisterRF))
        FRegisters[static_cast<unsigned>(Number)] = Value;

    if (FConnectPending) {
        FReplyMask |= 1u << Number;
        if (FReplyMask == ConnectReplies) {
            FTimeoutTimer->SetEnabled(false);
            FConnected = true;
            FConnectPending = false;
            FireConnectOKEvent();
        }
        return;
    }
    switch (Number) {
    case 0:
        FireReplyYoutEvent();
        break;
    case 1:
        FireReplyXinEvent();
        break;
    case static_cast<int>(RegisterRE):
        FireReplyZlnFlagsEvent();
        break;
    case static_cast<int>(RegisterRF):
        if (FResetPending) {
            FResetPending = false;
            FireResetRnsm_OKEvent();
        } else {
            // The gateway has reset by itself (its watchdog): its outputs
            // are put back first.
            pw_Yout(FRegisters[0]);
            FireResetRnsm_WDTEvent();
        }
        break;
    default:
        break;
    }
}

void TZLNetViaVtx232::ReceivedPacketLine(const char* Line, std::size_t Length)
{
    // Upper-case hexadecimal pairs up to a carriage return or line feed,
    // into a record of 20 bytes; a line of more pairs does not fit and is
    // dropped.
    std::uint8_t Bytes[sizeof(_SZLNRXDPACKET)] = {};
    std::size_t Count = 0;
    for (std::size_t i = 1; i < Length; i += 2) {
        const int High = HexDigit(Line[i], false);
        if (High < 0) {
            if (Line[i] == '\r' || Line[i] == '\n')
                break;
            return;
        }
        const int Low = i + 1 < Length ? HexDigit(Line[i + 1], false) : -1;
        if (Low < 0 || Count == sizeof Bytes)
            return;
        Bytes[Count++] = static_cast<std::uint8_t>(High * 16 + Low);
    }
    if (Count < 4 || Count != Bytes[2] + 3u)
        return;

    _SZLNRXDPACKET Packet{};
    Packet.ZlnSegId = Bytes[0];
    Packet.ZlnNodeId = Bytes[1];
    Packet.BytesOfDatas = Bytes[2];
    std::memcpy(Packet.Datas, Bytes + 3, Count - 3);
    TZLNet_Rnsm::FilteringReceivedZlnPacket(Packet);
}

} // namespace OrbCtrl
