// TZLNetViaVtx232: the port and its settings, connecting, the register
// commands and the framing of outgoing packets. The gateway's lines are
// parsed in ZLNetViaVtx232Rxd.cpp.
#include "OrbCtrl/ZLNetViaVtx232.h"

#include "YVclUtil/Standalonefunction.h"
#include "rtl/Application.h"
#include "rtl/Exceptions.h"
#include "rtl/MainLoop.h"
#include "rtl/StoredProperties.h"
#include "rtl/SysUtils.h"

namespace OrbCtrl {

using namespace YVclCtrl;
using YVclUtil::EYGeneral;

namespace {

constexpr unsigned ConnectTimeoutMs = 2000;
// A space and a line feed, then the queries of R3 to R9, R0 and R1.
const char* const ConnectBurst = " \n ?R3\r\n ?R4\r\n ?R5\r\n ?R6\r\n ?R7\r\n ?R8\r\n ?R9\r\n ?R0\r\n ?R1\r\n";

} // namespace

void TZLNetViaVtx232::RunConstructor()
{
    FUartPortNumber = 1;
    FConnected = false;
    FOld_Xin = 0;
    FAlive = std::make_shared<bool>(true);

    FPcUart = new OrbCtrl::TPcUart(this);
    FPcUart->pw_UartBaud(38400);
    FPcUart->pw_UartBitsPerByte(8);
    FPcUart->UartParityBit = upb_None;
    FPcUart->UartStopBits = usb_1bit;
    // Output paced by CTS; RTS and DTR simply on.
    FPcUart->pw_FlowCtrlStyle(fcs_Hardware);
    FPcUart->pw_FlowCtrlHwRxd(fchr_None);
    FPcUart->pw_FlowCtrlHwTxd(fcht_CTS);
    FPcUart->SysUartWriteStyle = suws_WriteViaQueue;
    FPcUart->pw_SysUartTxdQueueSize(8192);
    FPcUart->pw_SysUartRxdQueueSize(8192);
    FPcUart->SysUartRxdIntervalTimeout = 3;
    // One delivery a line, up to and including its line feed.
    FPcUart->RxdFilter_Style = rfs_ByDelimiterChar;
    FPcUart->RxdFilter_DelimiterChar = '\n';
    FPcUart->OnRxdDatas = [this](TObject* Sender, int Bytes, char* Datas) { OnPcUartRxdDatas(Sender, Bytes, Datas); };

    FTimeoutTimer = new TTimer(this);
    FTimeoutTimer->SetEnabled(false);
    FTimeoutTimer->SetOnTimer([this](TObject* Sender) { OnTimeoutTimerReach(Sender); });
}

void TZLNetViaVtx232::RunDestructor()
{
    FDestroying = true;
    FAlive.reset();
    Disconnect();
    delete FPcUart;
    FPcUart = nullptr;
    delete FTimeoutTimer;
    FTimeoutTimer = nullptr;
}

void TZLNetViaVtx232::FireNotify(const TNotifyEvent& Event)
{
    if (!Event)
        return;
    const TNotifyEvent Handler = Event;
    Handler(this);
}

void TZLNetViaVtx232::NeedConnected() const
{
    if (!FConnected)
        throw Exception("Illegal property access, because TZLNetViaVtx232 not in connected state !!!");
}

void TZLNetViaVtx232::pw_UartPortNumber(int Value)
{
    if (FConnected)
        throw Exception("Illegal property access, because TZLNetViaVtx232 now in connected state !!!");
    FUartPortNumber = Value;
}

int TZLNetViaVtx232::SendRaw(const AnsiString& Text)
{
    return FPcUart->SendData(static_cast<unsigned>(Text.size()), Text.data());
}

bool TZLNetViaVtx232::SendText(const AnsiString& Text)
{
    if (SendRaw(Text) == 0)
        return true;
    FireUartTxdFailEvent();
    return false;
}

void TZLNetViaVtx232::Connect()
{
    static const std::pair<const char*, const TNotifyEvent TZLNetViaVtx232::*> Mandatory[] = {
        {"OnConnectOK", &TZLNetViaVtx232::OnConnectOK},
        {"OnConnectFail", &TZLNetViaVtx232::OnConnectFail},
        {"OnUartTxdFail", &TZLNetViaVtx232::OnUartTxdFail},
    };
    for (const auto& [EventName, Event] : Mandatory)
        if (!(this->*Event))
            throw Exception(Format("The event \"%s\" of TZLNetViaVtx232, which handler is not specified !!!",
                                   EventName));

    LoadAndChkTopologicIniAndAssignDefaultZlnComponentToZlnTopologic();

    // A port that a Disconnect inside a delivery left open, or one open on
    // another number, closes first: Open on an open port would keep it.
    if (FPcUart->Opened() &&
        (FClosePending || FPcUart->UartPortNumber() != static_cast<unsigned>(FUartPortNumber))) {
        if (FInDelivery > 0) {
            // Close waits for the port's worker, and the worker waits for
            // the delivery that runs this: the connect goes on once the
            // port has closed after it. An earlier attempt still waiting
            // for its replies is over: its time-out must not fail this one.
            FTimeoutTimer->SetEnabled(false);
            FConnectPending = false;
            FClosePending = true;
            FConnectAfterClose = true;
            return;
        }
        ClosePort();
    }
    FClosePending = false;
    OpenAndSendBurst();
}

void TZLNetViaVtx232::OpenAndSendBurst()
{
    // A number that the port refuses (it has shown its box) would leave it
    // on another port: that is no port to open.
    FPcUart->pw_UartPortNumber(static_cast<unsigned>(FUartPortNumber));
    if (FPcUart->UartPortNumber() != static_cast<unsigned>(FUartPortNumber) || !FPcUart->Open())
        throw Exception("Open UART fail, when peform TZLNetViaVtx232::Connect() !!!");

    FReplyMask = 0;
    if (SendRaw(ConnectBurst) != 0) {
        Disconnect();
        FireUartTxdFailEvent();
        FireConnectFailEvent();
        return;
    }
    FConnectPending = true;
    FTimeoutTimer->SetInterval(ConnectTimeoutMs);
    FTimeoutTimer->SetEnabled(true);
}

void TZLNetViaVtx232::Disconnect()
{
    FConnectAfterClose = false;
    if (FPcUart && FPcUart->Opened()) {
        if (FInDelivery > 0) {
            // Close waits for the port's worker, and the worker waits for
            // the delivery that runs this: the port closes after it.
            FClosePending = true;
        } else {
            ClosePort();
        }
    }
    FConnected = false;
}

void TZLNetViaVtx232::ClosePort()
{
    // Close hands over what the worker still holds; those lines come from
    // a port on its way out and are not handled.
    FClosePending = true;
    FPcUart->Close();
    FClosePending = false;
}

void TZLNetViaVtx232::PostCloseAfterDelivery()
{
    if (TMainLoop* Loop = MainLoop()) {
        std::weak_ptr<bool> Alive = FAlive;
        Loop->Post([this, Alive] {
            if (Alive.lock())
                CloseAfterDelivery();
        });
    }
}

void TZLNetViaVtx232::CloseAfterDelivery()
{
    // Inside a further delivery (a handler that runs the loop itself), the
    // end of that delivery posts this again.
    if (!FClosePending || FInDelivery > 0)
        return;
    ClosePort();
    if (!FConnectAfterClose)
        return;
    FConnectAfterClose = false;
    try {
        OpenAndSendBurst();
    } catch (...) {
        // The Connect that asked for it has long returned: its failure is
        // shown as a handler's exception is.
        HandleException(this);
    }
}

void TZLNetViaVtx232::OnTimeoutTimerReach(TObject*)
{
    FTimeoutTimer->SetEnabled(false);
    if (FConnectPending && !FConnected) {
        FConnectPending = false;
        Disconnect();
        FireConnectFailEvent();
    }
}

unsigned char TZLNetViaVtx232::Register(unsigned Number) const
{
    NeedConnected();
    return FRegisters[Number];
}

unsigned char TZLNetViaVtx232::pr_Yout() const
{
    return Register(0);
}

unsigned char TZLNetViaVtx232::pr_Xin() const
{
    return Register(1);
}

namespace {

bool BitOf(unsigned char Byte, int Index)
{
    return Index >= 0 && Index <= 3 && ((Byte >> Index) & 1) != 0;
}

} // namespace

bool TZLNetViaVtx232::pr_Y(int Index) const
{
    return BitOf(pr_Yout(), Index);
}

bool TZLNetViaVtx232::pr_X(int Index) const
{
    return BitOf(pr_Xin(), Index);
}

bool TZLNetViaVtx232::pr_Old_X(int Index) const
{
    NeedConnected();
    return BitOf(FOld_Xin, Index);
}

void TZLNetViaVtx232::pw_Yout(unsigned char Value)
{
    NeedConnected();
    FRegisters[0] = Value;
    SendText(Format(" +R0=%02X\r\n", static_cast<unsigned>(Value)));
}

void TZLNetViaVtx232::pw_Y(int Index, bool On)
{
    if (Index < 0 || Index > 3)
        return;
    const auto Bit = static_cast<unsigned char>(1u << Index);
    const unsigned char Yout = pr_Yout();
    pw_Yout(On ? static_cast<unsigned char>(Yout | Bit) : static_cast<unsigned char>(Yout & ~Bit));
}

void TZLNetViaVtx232::WriteAndQuery(unsigned Number, unsigned char Value)
{
    NeedConnected();
    FRegisters[Number] = Value;
    SendText(Format(" +R%u=%02X\r\n ?R%u\r\n", Number, static_cast<unsigned>(Value), Number));
}

void TZLNetViaVtx232::QueryYout()
{
    NeedConnected();
    SendText(" ?R0\r\n");
}

void TZLNetViaVtx232::QueryXin()
{
    NeedConnected();
    SendText(" ?R1\r\n");
}

void TZLNetViaVtx232::QueryZlnFlags()
{
    NeedConnected();
    SendText(" ?RE\r\n");
}

void TZLNetViaVtx232::ResetRnsm()
{
    pw_Yout(0);
    SendText(" +RF=00\r\n");
    FResetPending = true;
}

void TZLNetViaVtx232::SendTxtFileToRS232(const AnsiString& Path, unsigned LineDelay)
{
    NeedConnected();
    FPcUart->SendTxtFile(Path.c_str(), LineDelay);
}

void TZLNetViaVtx232::SendZlnPacket(const _SZLNTXDPACKET& TxdPacket)
{
    NeedConnected();
    if (TxdPacket.BytesOfDatas == 0)
        throw EYGeneral("The argument of .BytesOfDatas too small, when perform TZLNetViaVtx232::SendZlnPacket(...) !!!");
    // R7 is the gateway's limit; the record holds no more than 17 either.
    if (TxdPacket.BytesOfDatas > FRegisters[7] || TxdPacket.BytesOfDatas > ZlnMaxBytesOfDatas)
        throw EYGeneral("The argument of .BytesOfDatas too large, when perform TZLNetViaVtx232::SendZlnPacket(...) !!!");

    const unsigned Count = TxdPacket.BytesOfDatas + 3u;
    unsigned char Bytes[3 + ZlnMaxBytesOfDatas];
    Bytes[0] = TxdPacket.ZlnSegId;
    Bytes[1] = TxdPacket.ZlnNodeId;
    Bytes[2] = TxdPacket.BytesOfDatas;
    for (unsigned i = 0; i < TxdPacket.BytesOfDatas; ++i)
        Bytes[3 + i] = TxdPacket.Datas[i];

    char Line[256];
    unsigned Length = 0;
    Line[Length++] = '>';
    for (unsigned i = 0; i < Count; ++i, Length += 2)
        YVclUtil::BinToHexAscii(Bytes[i], Line + Length);
    Line[Length++] = '\r';
    Line[Length++] = '\n';
    SendText(AnsiString(Line, Length));
}

void TZLNetViaVtx232::DefineProperties(TPropertyList& List)
{
    TZLNet_Rnsm::DefineProperties(List);
    List.Add("UartPortNumber", [this](const TStoredValue& Value) { pw_UartPortNumber(Value.AsInt()); });
    List.AddEvent<TNotifyEvent>("OnConnectOK", [this](TNotifyEvent E) { OnConnectOK = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnConnectFail", [this](TNotifyEvent E) { OnConnectFail = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnUartTxdFail", [this](TNotifyEvent E) { OnUartTxdFail = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnReplyYout", [this](TNotifyEvent E) { OnReplyYout = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnReplyXin", [this](TNotifyEvent E) { OnReplyXin = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnReplyZlnFlags", [this](TNotifyEvent E) { OnReplyZlnFlags = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnResetRnsm_OK", [this](TNotifyEvent E) { OnResetRnsm_OK = std::move(E); });
    List.AddEvent<TNotifyEvent>("OnResetRnsm_WDT", [this](TNotifyEvent E) { OnResetRnsm_WDT = std::move(E); });
}

} // namespace OrbCtrl
