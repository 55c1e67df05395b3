#pragma once
// The serial port component: the settings of one COM port, Open and Close,
// sending, and the events that its worker thread raises on the main thread.
//
// Use it in this order: set the properties, assign the events (Open derives
// the port's event mask from them; the worker reads them without a lock, so
// they are not changed while the port is open), Open, send and receive,
// Close. Open, Close, the senders and the modem-line readers belong to the
// main thread; every event runs there. Close is never called from one of the
// component's own event handlers: it waits for the worker, which waits for
// that handler.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>

#include "rtl/Classes.h"
#include "win32/Comm.h"
#include "win32/FileIo.h"
#include "win32/OwnedHandle.h"

namespace YVclCtrl {

enum TUartParityBit : std::uint32_t { upb_None, upb_Odd, upb_Even };
enum TUartStopBits : std::uint32_t { usb_1bit, usb_2bits };
enum TFlowCtrlStyle : std::uint32_t { fcs_None, fcs_Hardware };
enum TFlowCtrlHwRxd : std::uint32_t { fchr_None, fchr_RTS, fchr_DTR };
enum TFlowCtrlHwTxd : std::uint32_t { fcht_None, fcht_CTS, fcht_DSR, fcht_DSR_CTS };
enum TSysUartWriteStyle : std::uint32_t { suws_WriteViaQueue, suws_WriteThrough };
enum TRxdFilter : std::uint32_t { rfs_None, rfs_ByDelimiterChar, rfs_ByBytesOfPacket };

// One delivery of received bytes: Datas holds exactly Bytes bytes, no
// terminator, and stays valid only during the call.
using TRxdDatasEvent = std::function<void(TObject* Sender, int Bytes, char* Datas)>;

class TCommMonitorThread;

class TCustomUart : public TComponent {
public:
    explicit TCustomUart(TComponent* AOwner);
    ~TCustomUart() override;

    // ---- Settings. A bad value is reported in an error box captioned with
    // the component's Name, and the old or a default value is kept. A change
    // takes effect at the next Open.
    unsigned UartPortNumber() const { return FUartPortNumber; }
    void pw_UartPortNumber(unsigned Value);          // 1..16
    unsigned UartBaud() const { return FUartBaud; }
    void pw_UartBaud(unsigned Value);                // 300..921600, else 9600
    unsigned UartBitsPerByte() const { return FUartBitsPerByte; }
    void pw_UartBitsPerByte(unsigned Value);         // 7 or 8
    TUartParityBit UartParityBit = upb_None;
    TUartStopBits UartStopBits = usb_1bit;
    TFlowCtrlStyle FlowCtrlStyle() const { return FFlowCtrlStyle; }
    void pw_FlowCtrlStyle(TFlowCtrlStyle Value);     // also sets the two lines below
    TFlowCtrlHwRxd FlowCtrlHwRxd() const { return FFlowCtrlHwRxd; }
    void pw_FlowCtrlHwRxd(TFlowCtrlHwRxd Value);     // only with fcs_Hardware
    TFlowCtrlHwTxd FlowCtrlHwTxd() const { return FFlowCtrlHwTxd; }
    void pw_FlowCtrlHwTxd(TFlowCtrlHwTxd Value);     // only with fcs_Hardware
    TSysUartWriteStyle SysUartWriteStyle = suws_WriteViaQueue;
    unsigned SysUartTxdQueueSize() const { return FSysUartTxdQueueSize; }
    void pw_SysUartTxdQueueSize(unsigned Value);     // >= 1024, else 1024
    unsigned SysUartRxdQueueSize() const { return FSysUartRxdQueueSize; }
    // >= 1024, else 1024; sizes the receive buffers. Refused while open: the
    // worker holds the buffers.
    void pw_SysUartRxdQueueSize(unsigned Value);
    unsigned SysUartRxdIntervalTimeout = 3;          // ms between two bytes of a read
    // The receive filter, read by the worker at every completed read.
    TRxdFilter RxdFilter_Style = rfs_None;
    char RxdFilter_DelimiterChar = '\n';
    unsigned RxdFilter_BytesOfPacket() const { return FRxdFilterBytesOfPacket; }
    void pw_BytesOfRxdPacket(unsigned Value);        // 1..SysUartRxdQueueSize

    // ---- Events, all raised on the main thread.
    TNotifyEvent OnRiChanged;
    TNotifyEvent OnCdChanged;
    TNotifyEvent OnDsrChanged;
    TNotifyEvent OnCtsChanged;
    TNotifyEvent OnTxdEmpty;       // transmit queue empty, and the end of a text-file transfer
    TRxdDatasEvent OnRxdDatas;
    TNotifyEvent OnFrameErr;
    TNotifyEvent OnParityErr;
    TNotifyEvent OnBreakLevelErr;
    TNotifyEvent OnRxOverrunErr;
    TNotifyEvent OnTxOverrunErr;

    // ---- State.
    bool Opened() const { return FOpened; }
    bool SendingTxtFile() const { return FSendingTxtFile; }
    // Empty after a successful Open, Close or send; else the last failure.
    const AnsiString& LastErrMsg() const { return FLastErrMsg; }

    // The modem input lines; raise Exception while the port is not open.
    bool RiState() { return pr_RiState(); }
    bool CdState() { return pr_CdState(); }
    bool DsrState() { return pr_DsrState(); }
    bool CtsState() { return pr_CtsState(); }
    bool pr_RiState();
    bool pr_CdState();
    bool pr_DsrState();
    bool pr_CtsState();

    // ---- Operations.
    // Opens and sets up the port and starts the worker; true when the port
    // is open afterwards. A failure leaves the port closed and its text in
    // LastErrMsg.
    bool Open();
    // Stops the worker (a delivery under way is still made), ends a
    // text-file transfer and closes the port. Always true.
    bool Close();

    // Send results: 0 sent, 1 write failed, 2 port not open, 3 text-file
    // transfer under way, 4 fewer bytes written than asked (time-out);
    // SendTxtFile adds 5 (file not opened or empty).
    int SendData(unsigned Bytes, const void* Datas);
    int SendData_printf(const char* Fmt, ...) __attribute__((format(printf, 2, 3)));
    // Sends the first line now and each further line after the previous
    // one's transmit-empty, LineDelay ms later; OnTxdEmpty marks the end.
    int SendTxtFile(const char* Path, unsigned LineDelay);

    // ---- Raisers, main thread.
    void FireUartErrEvent(unsigned long Errors);
    void FireModemSignalEvent(unsigned long Events);
    void FireTxdEmptyEvent();
    void FireRxdDatasEvent(unsigned Bytes);

    // ---- The worker's steps of a text-file transfer (worker thread only).
    // True when the worker is to raise OnTxdEmpty now.
    bool PrrallelProcessingWhenDetectedTxdEmpty();
    // True when a next line has been written; false when the transfer ended.
    bool PrrallelProcessingTrySendNextLineOfTxtFile();

protected:
    void RunConstructor(TComponent* AOwner);
    void RunDestructor();

    // The port's event mask for the events assigned now.
    DWORD CommEventMask() const;

    // As the last Open filled them.
    DCB UartDcb{};
    COMMTIMEOUTS UartTimeouts{};
    // The worker, while the port is open.
    std::unique_ptr<TCommMonitorThread> MonitorThread;

private:
    struct TFileCloser {
        void operator()(std::FILE* File) const { std::fclose(File); }
    };

    bool OpenFailed(const char* Message);
    void FillDcb();
    void FillTimeouts();
    bool RefuseWhileOpen();
    // Text-file transfer; the callers hold FTxtLock.
    bool SendNextTxtLine();
    void EndTxtFile();
    bool WriteTxtLine(DWORD& Written);

    unsigned FUartPortNumber = 1;
    unsigned FUartBaud = 9600;
    unsigned FUartBitsPerByte = 8;
    TFlowCtrlStyle FFlowCtrlStyle = fcs_None;
    TFlowCtrlHwRxd FFlowCtrlHwRxd = fchr_None;
    TFlowCtrlHwTxd FFlowCtrlHwTxd = fcht_None;
    unsigned FSysUartTxdQueueSize = 0;
    unsigned FSysUartRxdQueueSize = 0;
    unsigned FRxdFilterBytesOfPacket = 1;

    // The receive buffers, SysUartRxdQueueSize + 8 bytes each, lent to the
    // worker while the port is open.
    std::unique_ptr<char[]> RxdBuff;
    std::unique_ptr<char[]> FilteredRxdBuff;
    std::unique_ptr<char[]> RawRxdBuff;

    TOwnedHandle FWrFileEvent;
    OVERLAPPED OlapWrFile{};
    DWORD WrFileBytes = 0;
    TOwnedHandle FWrTxtFileEvent;
    OVERLAPPED OlapWrTxtFile{};

    // The text-file transfer. SendTxtFile, the worker's steps and Close take
    // FTxtLock around it: suspending the worker parks it only at its next
    // check, not at once, so it could otherwise act on a transmit-empty
    // while the first line is being written.
    std::mutex FTxtLock;
    std::unique_ptr<std::FILE, TFileCloser> TxtFile;
    std::unique_ptr<char[]> TxtLineBuff;
    // The size TxtLineBuff was allocated with: the transmit queue size when
    // the transfer started. A transfer keeps it to its end, whatever is
    // written to SysUartTxdQueueSize meanwhile (that takes effect at the
    // next Open), and the worker never reads the setting itself.
    int TxtLineSize = 0;
    DWORD TxtLineLength = 0;
    DWORD TxtLineWritten = 0;
    unsigned TxtLineDelay = 0;

    bool FOpened = false;
    std::atomic<bool> FSendingTxtFile{false};
    HANDLE hComm = INVALID_HANDLE_VALUE;
    AnsiString FLastErrMsg;
};

} // namespace YVclCtrl
