// TCustomUart: settings, construction, Open and Close, the modem-line
// readers and the event raisers.
#include "YVclCtrl/CustomUart.h"

#include <cstdio>
#include <new>

#include "YVclCtrl/CommMonitorThread.h"
#include "YVclUtil/Standalonefunction.h"
#include "rtl/Exceptions.h"
#include "win32/LastError.h"
#include "win32/Synch.h"

namespace YVclCtrl {

using YVclUtil::ShowErrMsgBox_Printf;

namespace {

constexpr unsigned SmallestQueue = 1024;
constexpr const char* NotFcsHardware = "Invalid selection !!!\n Because FlowCtrlStyle != fcs_Hardware";

// A buffer of Size + 8 bytes, or null when there is no memory for it.
std::unique_ptr<char[]> NewRxdBuffer(unsigned Size)
{
    return std::unique_ptr<char[]>(new (std::nothrow) char[static_cast<std::size_t>(Size) + 8]);
}

} // namespace

TCustomUart::TCustomUart(TComponent* AOwner) : TComponent(AOwner)
{
    RunConstructor(AOwner);
}

TCustomUart::~TCustomUart()
{
    RunDestructor();
}

void TCustomUart::RunConstructor(TComponent*)
{
    FWrFileEvent.Reset(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    if (!FWrFileEvent)
        ShowErrMsgBox_Printf("TCustomUart::RunConstructor()", "Err: Can not create OlapWrFile.hEvent");
    OlapWrFile = OVERLAPPED{};
    OlapWrFile.hEvent = FWrFileEvent.Get();

    FWrTxtFileEvent.Reset(CreateEvent(nullptr, TRUE, FALSE, nullptr));
    if (!FWrTxtFileEvent)
        ShowErrMsgBox_Printf("TCustomUart::RunConstructor()", "Err: Can not create OlapWrTxtFile.hEvent");
    OlapWrTxtFile = OVERLAPPED{};
    OlapWrTxtFile.hEvent = FWrTxtFileEvent.Get();

    pw_SysUartTxdQueueSize(SmallestQueue);
    pw_SysUartRxdQueueSize(SmallestQueue);
}

void TCustomUart::RunDestructor()
{
    Close();
    RawRxdBuff.reset();
    FilteredRxdBuff.reset();
    RxdBuff.reset();
    FWrTxtFileEvent.Reset();
    FWrFileEvent.Reset();
}

// ---- Settings ----

void TCustomUart::pw_UartPortNumber(unsigned Value)
{
    if (Value >= 1 && Value <= 16)
        FUartPortNumber = Value;
    else
        ShowErrMsgBox_Printf(this, "Invalid value !!!");
}

void TCustomUart::pw_UartBaud(unsigned Value)
{
    if (Value >= 300 && Value <= 921600) {
        FUartBaud = Value;
    } else {
        FUartBaud = 9600;
        ShowErrMsgBox_Printf(this, "Invalid or unsupported value !!!");
    }
}

void TCustomUart::pw_UartBitsPerByte(unsigned Value)
{
    if (Value == 7 || Value == 8)
        FUartBitsPerByte = Value;
    else
        ShowErrMsgBox_Printf(this, "Invalid value !!!");
}

void TCustomUart::pw_FlowCtrlStyle(TFlowCtrlStyle Value)
{
    FFlowCtrlStyle = Value;
    if (Value == fcs_None) {
        if (FFlowCtrlHwRxd != fchr_None)
            pw_FlowCtrlHwRxd(fchr_None);
        if (FFlowCtrlHwTxd != fcht_None)
            pw_FlowCtrlHwTxd(fcht_None);
    } else if (Value == fcs_Hardware) {
        pw_FlowCtrlHwRxd(fchr_None);
        pw_FlowCtrlHwTxd(fcht_CTS);
    }
}

void TCustomUart::pw_FlowCtrlHwRxd(TFlowCtrlHwRxd Value)
{
    if (Value != fchr_None && FFlowCtrlStyle != fcs_Hardware) {
        FFlowCtrlHwRxd = fchr_None;
        ShowErrMsgBox_Printf(this, "%s", NotFcsHardware);
    } else {
        FFlowCtrlHwRxd = Value;
    }
}

void TCustomUart::pw_FlowCtrlHwTxd(TFlowCtrlHwTxd Value)
{
    if (Value != fcht_None && FFlowCtrlStyle != fcs_Hardware) {
        FFlowCtrlHwTxd = fcht_None;
        ShowErrMsgBox_Printf(this, "%s", NotFcsHardware);
    } else {
        FFlowCtrlHwTxd = Value;
    }
}

void TCustomUart::pw_SysUartTxdQueueSize(unsigned Value)
{
    if (Value >= SmallestQueue) {
        FSysUartTxdQueueSize = Value;
    } else {
        FSysUartTxdQueueSize = SmallestQueue;
        ShowErrMsgBox_Printf(this, "Invalid value !!!\n Because SysUartTxdQueueSize must >= 1024");
    }
}

bool TCustomUart::RefuseWhileOpen()
{
    if (hComm == INVALID_HANDLE_VALUE)
        return false;
    ShowErrMsgBox_Printf(this, "Invalid value !!!\n Because SysUartRxdQueueSize can not change while opened");
    return true;
}

void TCustomUart::pw_SysUartRxdQueueSize(unsigned Value)
{
    if (Value < SmallestQueue) {
        FSysUartRxdQueueSize = SmallestQueue;
        ShowErrMsgBox_Printf(this, "Invalid value !!!\n Because SysUartRxdQueueSize must >= 1024");
        return;
    }
    if (RefuseWhileOpen())
        return;
    // The new buffers first: when there is no memory for them, the old
    // size and buffers stay.
    std::unique_ptr<char[]> Rxd = NewRxdBuffer(Value);
    std::unique_ptr<char[]> Filtered = NewRxdBuffer(Value);
    std::unique_ptr<char[]> Raw = NewRxdBuffer(Value);
    if (!Rxd || !Filtered || !Raw) {
        ShowErrMsgBox_Printf(this, "Invalid value !!!\n Because can not alloc mem");
        return;
    }
    RxdBuff = std::move(Rxd);
    FilteredRxdBuff = std::move(Filtered);
    RawRxdBuff = std::move(Raw);
    FSysUartRxdQueueSize = Value;
}

void TCustomUart::pw_BytesOfRxdPacket(unsigned Value)
{
    if (Value == 0) {
        FRxdFilterBytesOfPacket = 1;
        ShowErrMsgBox_Printf(this, "Invalid value !!!\n Because this value must >= 1");
    } else if (Value > FSysUartRxdQueueSize) {
        ShowErrMsgBox_Printf(this, "Invalid value \nBecause great then SysUartRxdQueueSize");
    } else {
        FRxdFilterBytesOfPacket = Value;
    }
}

// ---- Open and Close ----

void TCustomUart::FillDcb()
{
    DCB& D = UartDcb;
    D = DCB{};
    D.DCBlength = sizeof(DCB);
    D.fBinary = 1;
    D.BaudRate = FUartBaud;
    D.ByteSize = static_cast<BYTE>(FUartBitsPerByte);
    if (UartParityBit == upb_Odd || UartParityBit == upb_Even) {
        D.fParity = 1;
        D.Parity = UartParityBit == upb_Odd ? ODDPARITY : EVENPARITY;
        // A byte received with a parity error becomes a line feed.
        D.fErrorChar = 1;
        D.ErrorChar = 0x0A;
    } else {
        D.fParity = 0;
        D.Parity = NOPARITY;
    }
    D.StopBits = UartStopBits == usb_2bits ? TWOSTOPBITS : ONESTOPBIT;

    const bool Hardware = FFlowCtrlStyle == fcs_Hardware;
    if (Hardware && FFlowCtrlHwTxd != fcht_None) {
        D.fOutxCtsFlow = FFlowCtrlHwTxd == fcht_CTS || FFlowCtrlHwTxd == fcht_DSR_CTS;
        D.fOutxDsrFlow = FFlowCtrlHwTxd == fcht_DSR || FFlowCtrlHwTxd == fcht_DSR_CTS;
    }
    if (Hardware && FFlowCtrlHwRxd == fchr_RTS) {
        D.fRtsControl = RTS_CONTROL_HANDSHAKE;
        D.fDtrControl = DTR_CONTROL_ENABLE;
    } else if (Hardware && FFlowCtrlHwRxd == fchr_DTR) {
        D.fRtsControl = RTS_CONTROL_ENABLE;
        D.fDtrControl = DTR_CONTROL_HANDSHAKE;
    } else {
        D.fRtsControl = RTS_CONTROL_ENABLE;
        D.fDtrControl = DTR_CONTROL_ENABLE;
    }
    D.fDsrSensitivity = 0;
}

void TCustomUart::FillTimeouts()
{
    const DCB& D = UartDcb;
    const unsigned BitsPerChar = 1 + D.ByteSize + (D.fParity ? 1 : 0) + (D.StopBits == TWOSTOPBITS ? 2 : 1);
    // The seconds a full queue takes on the line, added to 5000 ms as they are.
    auto QueueTime = [&](unsigned QueueSize) {
        return static_cast<DWORD>((1.0 / FUartBaud) * BitsPerChar * QueueSize);
    };
    UartTimeouts = COMMTIMEOUTS{};
    UartTimeouts.ReadIntervalTimeout = SysUartRxdIntervalTimeout;
    UartTimeouts.ReadTotalTimeoutMultiplier = 0;
    UartTimeouts.ReadTotalTimeoutConstant = 5000 + QueueTime(FSysUartRxdQueueSize);
    UartTimeouts.WriteTotalTimeoutMultiplier = 0;
    UartTimeouts.WriteTotalTimeoutConstant = 5000 + QueueTime(FSysUartTxdQueueSize);
}

DWORD TCustomUart::CommEventMask() const
{
    DWORD Mask = EV_RXCHAR | EV_TXEMPTY;
    if (OnFrameErr || OnParityErr || OnBreakLevelErr || OnRxOverrunErr || OnTxOverrunErr)
        Mask |= EV_ERR;
    if (OnRiChanged)
        Mask |= EV_RING;
    if (OnCdChanged)
        Mask |= EV_RLSD;
    // A line that paces the output is not reported as a change.
    if (OnCtsChanged && FFlowCtrlHwTxd != fcht_CTS && FFlowCtrlHwTxd != fcht_DSR_CTS)
        Mask |= EV_CTS;
    if (OnDsrChanged && FFlowCtrlHwTxd != fcht_DSR && FFlowCtrlHwTxd != fcht_DSR_CTS)
        Mask |= EV_DSR;
    return Mask;
}

bool TCustomUart::OpenFailed(const char* Message)
{
    Close();
    FLastErrMsg = Message;
    return false;
}

bool TCustomUart::Open()
{
    if (hComm != INVALID_HANDLE_VALUE)
        return true;

    char DeviceName[32];
    std::snprintf(DeviceName, sizeof DeviceName, "\\\\.\\COM%u", FUartPortNumber);
    DWORD Flags = FILE_FLAG_OVERLAPPED;
    if (SysUartWriteStyle == suws_WriteThrough)
        Flags |= FILE_FLAG_WRITE_THROUGH;
    hComm = CreateFile(DeviceName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, Flags, nullptr);
    if (hComm == INVALID_HANDLE_VALUE) {
        switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND: FLastErrMsg = "The comm device not exist"; break;
        case ERROR_ACCESS_DENIED: FLastErrMsg = "The comm device can not access (may be opened by another)"; break;
        default: FLastErrMsg = "Can not open comm device file"; break;
        }
        return false;
    }

    if (!SetupComm(hComm, FSysUartRxdQueueSize, FSysUartTxdQueueSize))
        return OpenFailed("Can not set comm buffer");

    FillDcb();
    COMMCONFIG Config{};
    Config.dwSize = sizeof(COMMCONFIG);
    Config.wVersion = 1;
    Config.dcb = UartDcb;
    Config.dwProviderSubType = PST_RS232;
    Config.dwProviderOffset = 0;
    Config.dwProviderSize = 0;
    if (!SetCommConfig(hComm, &Config, sizeof(COMMCONFIG)))
        return OpenFailed("Can not set comm config");

    FillTimeouts();
    if (!SetCommTimeouts(hComm, &UartTimeouts))
        return OpenFailed("Can not set timeout");

    if (!SetCommMask(hComm, CommEventMask()))
        return OpenFailed("Can not turn-on comm event mask");

    EscapeCommFunction(hComm, SETDTR);
    EscapeCommFunction(hComm, SETRTS);

    try {
        MonitorThread = std::make_unique<TCommMonitorThread>(this, hComm, RxdBuff.get(), FilteredRxdBuff.get(),
                                                             RawRxdBuff.get());
        MonitorThread->SetPriority(tpNormal);
        MonitorThread->Resume();
    } catch (const std::exception&) {
        return OpenFailed("Can not create TCommEventMonitorThread");
    }
    FOpened = true;
    FLastErrMsg.clear();
    return true;
}

bool TCustomUart::Close()
{
    if (hComm == INVALID_HANDLE_VALUE)
        return true;

    CancelIo(hComm);
    if (MonitorThread) {
        MonitorThread->Terminate();
        if (MonitorThread->hEventForTerminateThread)
            SetEvent(MonitorThread->hEventForTerminateThread);
        // Completes the worker's outstanding WaitCommEvent.
        SetCommMask(hComm, 0);
        Sleep(10);
        // Runs the worker's pending hand-overs while it waits.
        MonitorThread->WaitFor();
        MonitorThread.reset();
    } else {
        SetCommMask(hComm, 0);
    }
    if (OlapWrFile.hEvent)
        ResetEvent(OlapWrFile.hEvent);
    {
        // A text-file transfer under way ends with the port, so that the
        // next Open starts clean.
        std::lock_guard<std::mutex> Guard(FTxtLock);
        EndTxtFile();
    }

    EscapeCommFunction(hComm, CLRRTS);
    EscapeCommFunction(hComm, CLRDTR);
    PurgeComm(hComm, PURGE_TXABORT | PURGE_RXABORT);
    const BOOL Closed = CloseHandle(hComm);
    hComm = INVALID_HANDLE_VALUE;

    FOpened = false;
    if (Closed)
        FLastErrMsg.clear();
    else
        FLastErrMsg = "Can not close comm";
    return true;
}

// ---- Modem lines ----

namespace {

bool ModemLine(bool Opened, HANDLE Comm, DWORD Bit)
{
    if (!Opened)
        throw Exception("Illegal property access, because TCustomUart not in opened state !!!");
    DWORD Status = 0;
    GetCommModemStatus(Comm, &Status);
    return (Status & Bit) != 0;
}

} // namespace

bool TCustomUart::pr_RiState()
{
    return ModemLine(FOpened, hComm, MS_RING_ON);
}

bool TCustomUart::pr_CdState()
{
    return ModemLine(FOpened, hComm, MS_RLSD_ON);
}

bool TCustomUart::pr_DsrState()
{
    return ModemLine(FOpened, hComm, MS_DSR_ON);
}

bool TCustomUart::pr_CtsState()
{
    return ModemLine(FOpened, hComm, MS_CTS_ON);
}

// ---- Raisers ----

void TCustomUart::FireUartErrEvent(unsigned long Errors)
{
    if ((Errors & CE_FRAME) && OnFrameErr)
        OnFrameErr(this);
    if ((Errors & CE_RXPARITY) && OnParityErr)
        OnParityErr(this);
    if ((Errors & CE_BREAK) && OnBreakLevelErr)
        OnBreakLevelErr(this);
    if ((Errors & CE_RXOVER) && OnRxOverrunErr)
        OnRxOverrunErr(this);
    if ((Errors & CE_TXFULL) && OnTxOverrunErr)
        OnTxOverrunErr(this);
}

void TCustomUart::FireModemSignalEvent(unsigned long Events)
{
    if ((Events & EV_RING) && OnRiChanged)
        OnRiChanged(this);
    if ((Events & EV_RLSD) && OnCdChanged)
        OnCdChanged(this);
    if ((Events & EV_DSR) && OnDsrChanged)
        OnDsrChanged(this);
    if ((Events & EV_CTS) && OnCtsChanged)
        OnCtsChanged(this);
}

void TCustomUart::FireTxdEmptyEvent()
{
    if (OnTxdEmpty)
        OnTxdEmpty(this);
}

void TCustomUart::FireRxdDatasEvent(unsigned Bytes)
{
    if (OnRxdDatas)
        OnRxdDatas(this, static_cast<int>(Bytes), RxdBuff.get());
}

} // namespace YVclCtrl
