#pragma once
// TZLNetViaVtx232: the ZLNet device network through a serial gateway, the
// concrete router. It owns its port component and a connect time-out
// timer, speaks the gateway's ASCII line protocol, frames outgoing packets
// as hexadecimal lines, parses the gateway's register replies and packet
// lines, keeps the last register values and raises events for the
// connection, the replies, resets and send failures.
//
// The line protocol, PC to gateway (\r\n ends each line):
//     " ?R<r>"         query register r (0, 1, 3 to 9, E)
//     " +R<r>=XX"      write register r, two upper-case hexadecimal digits
//     " +RF=00"        reset the gateway
//     ">XXXX..."       one ZLNet packet, BytesOfDatas + 3 bytes as hex pairs
// gateway to PC:
//     "*R<r>=XX"       a register's value
//     "@XXXX..."       a received ZLNet packet, upper-case hex pairs
//
// OnConnectOK, OnConnectFail and OnUartTxdFail must be assigned before
// Connect. Everything runs on the main thread; packets and replies arrive
// through the port's receive event.

#include <array>
#include <cstdint>
#include <memory>

#include "OrbCtrl/ZLNet_Rnsm.h"
#include "YVclCtrl/PcUart.h"
#include "rtl/Timer.h"

namespace OrbCtrl {

class TZLNetViaVtx232 : public TZLNet_Rnsm {
public:
    explicit TZLNetViaVtx232(TComponent* AOwner) : TZLNet_Rnsm(AOwner) { RunConstructor(); }
    ~TZLNetViaVtx232() override { RunDestructor(); }

    // COM port number for Connect; default 1. Refused (Exception) while
    // connected.
    int UartPortNumber() const { return FUartPortNumber; }
    void pw_UartPortNumber(int Value);

    // Checks the mandatory events, loads the topology file, opens the port
    // and sends the register burst; the connection completes when the
    // gateway has answered it, or fails after 2000 ms. Raises Exception for
    // a missing event or a port that does not open; the loader's EYGeneral
    // passes through. A port still open from before is closed first when a
    // Disconnect asked for it or when it is open on another number; inside
    // one of the port's own deliveries that close waits for the delivery to
    // return, and the port is opened and the burst sent right after it (a
    // port that does not open is then shown as a handler's exception is).
    void Connect() override;
    // Closes the port; Connected is false afterwards. Inside one of the
    // port's own deliveries (an event raised from a received line) the port
    // closes once that delivery has returned, and the lines still in it are
    // not handled.
    void Disconnect() override;

    // ---- Registers, as last reported (R0, R8, R9: or last written). Each
    // needs the connected state, else Exception.
    unsigned char pr_Yout() const;
    void pw_Yout(unsigned char Value);
    bool pr_Y(int Index) const;
    void pw_Y(int Index, bool On);
    unsigned char pr_Xin() const;
    bool pr_X(int Index) const;
    bool pr_Old_X(int Index) const;
    unsigned char pr_R3() const { return Register(3); }
    unsigned char pr_R4() const { return Register(4); }
    unsigned char pr_R5() const { return Register(5); }
    unsigned char pr_R6() const { return Register(6); }
    unsigned char pr_R7() const { return Register(7); }
    unsigned char pr_R8() const { return Register(8); }
    unsigned char pr_R9() const { return Register(9); }
    void pw_R8(unsigned char Value) { WriteAndQuery(8, Value); }
    void pw_R9(unsigned char Value) { WriteAndQuery(9, Value); }
    unsigned char pr_RE() const { return Register(14); }

    unsigned char Yout() const { return pr_Yout(); }
    bool Y(int Index) const { return pr_Y(Index); }
    unsigned char Xin() const { return pr_Xin(); }
    bool X(int Index) const { return pr_X(Index); }
    bool Old_X(int Index) const { return pr_Old_X(Index); }
    unsigned char R3() const { return pr_R3(); }
    unsigned char R4() const { return pr_R4(); }
    unsigned char R5() const { return pr_R5(); }
    unsigned char R6() const { return pr_R6(); }
    unsigned char R7() const { return pr_R7(); }
    unsigned char R8() const { return pr_R8(); }
    unsigned char R9() const { return pr_R9(); }
    unsigned char RE() const { return pr_RE(); }

    // Queries; the reply raises its event later.
    void QueryYout();
    void QueryXin();
    void QueryZlnFlags();
    // Clears the output byte, then resets the gateway.
    void ResetRnsm();
    // One packet as a hexadecimal line: BytesOfDatas 1 up to R7 (and at
    // most 17), else EYGeneral.
    void SendZlnPacket(const _SZLNTXDPACKET& TxdPacket) override;
    // Sends a text file line by line through the port; the result is not
    // looked at.
    void SendTxtFileToRS232(const AnsiString& Path, unsigned LineDelay);

    // The handlers of the port's OnRxdDatas and the timer's OnTimer.
    void OnPcUartRxdDatas(TObject* Sender, int Bytes, char* Datas);
    void OnTimeoutTimerReach(TObject* Sender);

    // ---- State.
    OrbCtrl::TPcUart* PcUart() const { return FPcUart; }
    TTimer* TimeoutTimer() const { return FTimeoutTimer; }
    bool ConnectPending() const { return FConnectPending; }
    bool ResetPending() const { return FResetPending; }
    std::uint32_t ReplyMask() const { return FReplyMask; }

    TNotifyEvent OnConnectOK;
    TNotifyEvent OnConnectFail;
    TNotifyEvent OnUartTxdFail;
    TNotifyEvent OnReplyYout;
    TNotifyEvent OnReplyXin;
    TNotifyEvent OnReplyZlnFlags;
    TNotifyEvent OnResetRnsm_OK;
    TNotifyEvent OnResetRnsm_WDT;

    // The router's properties, then UartPortNumber and the eight events.
    void DefineProperties(TPropertyList& List) override;

protected:
    void FireConnectOKEvent() { FireNotify(OnConnectOK); }
    void FireConnectFailEvent() { FireNotify(OnConnectFail); }
    void FireUartTxdFailEvent() { FireNotify(OnUartTxdFail); }
    void FireReplyYoutEvent() { FireNotify(OnReplyYout); }
    void FireReplyXinEvent() { FireNotify(OnReplyXin); }
    void FireReplyZlnFlagsEvent() { FireNotify(OnReplyZlnFlags); }
    void FireResetRnsm_OKEvent() { FireNotify(OnResetRnsm_OK); }
    void FireResetRnsm_WDTEvent() { FireNotify(OnResetRnsm_WDT); }

private:
    void RunConstructor();
    void RunDestructor();

    void FireNotify(const TNotifyEvent& Event);
    // Exception "not in connected state" unless connected.
    void NeedConnected() const;
    unsigned char Register(unsigned Number) const;
    void WriteAndQuery(unsigned Number, unsigned char Value);
    // Sends; the port's result code.
    int SendRaw(const AnsiString& Text);
    // Sends; a failure raises OnUartTxdFail. True when sent.
    bool SendText(const AnsiString& Text);

    void ReceivedLine(const char* Line, std::size_t Length);
    void ReceivedRegisterReply(const char* Line, std::size_t Length);
    void ReceivedPacketLine(const char* Line, std::size_t Length);
    // Closes the port, outside a delivery.
    void ClosePort();
    // Connect from the opening of the port on.
    void OpenAndSendBurst();
    // Closes the port that a Disconnect inside a delivery left open, and
    // goes on with a Connect that waited for it.
    void PostCloseAfterDelivery();
    void CloseAfterDelivery();

    OrbCtrl::TPcUart* FPcUart = nullptr;
    int FUartPortNumber = 1;
    TTimer* FTimeoutTimer = nullptr;
    // By register number: R0 (Yout), R1 (Xin), R3 to R9, RE (14). R2, RA to
    // RD and RF are never stored.
    std::array<unsigned char, 16> FRegisters{};
    bool FConnectPending = false;
    bool FResetPending = false;
    std::uint32_t FReplyMask = 0;
    unsigned char FOld_Xin = 0;

    // Deliveries of the port under way (a handler of ours is running).
    int FInDelivery = 0;
    // A Disconnect inside a delivery: the port closes after it, and lines
    // until then are not handled.
    bool FClosePending = false;
    // A Connect inside a delivery that waits for that close.
    bool FConnectAfterClose = false;
    // Set by the destructor: lines that arrive while the port closes are
    // not handled.
    bool FDestroying = false;
    // Lives as long as this component, for the deferred close.
    std::shared_ptr<bool> FAlive;
};

} // namespace OrbCtrl
