// TCommMonitorThread: the worker loop, the receive filter and the
// hand-overs to the main thread.
#include "YVclCtrl/CommMonitorThread.h"

#include <algorithm>
#include <cstring>

#include "Overlapped.h"
#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Standalonefunction.h"
#include "win32/LastError.h"
#include "win32/Synch.h"

namespace YVclCtrl {

using YVclUtil::ShowErrMsgBox_Printf;

namespace {

// Passes a newly created handle on; an error box when there is none.
HANDLE Created(HANDLE Handle, const char* Message)
{
    if (!Handle)
        ShowErrMsgBox_Printf("TCommEventMonitorThread", "%s", Message);
    return Handle;
}

} // namespace

TCommMonitorThread::TCommMonitorThread(TCustomUart* Uart, HANDLE hComm, char* RxdBuff, char* FilteredRxdBuff,
                                       char* RawRxdBuff)
{
    RunConstructor(Uart, hComm, RxdBuff, FilteredRxdBuff, RawRxdBuff);
}

TCommMonitorThread::~TCommMonitorThread()
{
    RunDestructor();
}

void TCommMonitorThread::RunConstructor(TCustomUart* AUart, HANDLE AComm, char* ARxdBuff, char* AFilteredRxdBuff,
                                        char* ARawRxdBuff)
{
    Uart = AUart;
    hComm = AComm;
    RxdBuff = ARxdBuff;
    FilteredRxdBuff = AFilteredRxdBuff;
    RawRxdBuff = ARawRxdBuff;

    FTerminateEvent.Reset(Created(CreateEvent(nullptr, TRUE, FALSE, nullptr), "Err: Can not create hEventForTerminateThread"));
    FUartEvtEvent.Reset(Created(CreateEvent(nullptr, TRUE, FALSE, nullptr), "Err: Can not create OlapUartEvt.hEvent"));
    FRdFileEvent.Reset(Created(CreateEvent(nullptr, TRUE, FALSE, nullptr), "Err: Can not create OlapRdFile.hEvent"));
    FLineTimer.Reset(Created(CreateWaitableTimer(nullptr, TRUE, nullptr), "Err: Can not create WaitableTimer"));

    hEventForTerminateThread = FTerminateEvent.Get();
    LineTimer = FLineTimer.Get();
    OlapUartEvt.hEvent = FUartEvtEvent.Get();
    OlapRdFile.hEvent = FRdFileEvent.Get();
    WaitHandles[0] = hEventForTerminateThread;
    WaitHandles[1] = OlapUartEvt.hEvent;
    WaitHandles[2] = OlapRdFile.hEvent;
    WaitHandles[3] = LineTimer;
}

void TCommMonitorThread::RunDestructor()
{
    if (LineTimer)
        CancelWaitableTimer(LineTimer);
    if (hComm != INVALID_HANDLE_VALUE)
        CancelIo(hComm);
    FLineTimer.Reset();
    FRdFileEvent.Reset();
    FUartEvtEvent.Reset();
    FTerminateEvent.Reset();
}

// ---- The loop ----

void TCommMonitorThread::Execute()
{
    ResetIfCreated(hEventForTerminateThread);
    ResetIfCreated(OlapUartEvt.hEvent);
    ResetIfCreated(OlapRdFile.hEvent);
    CollectCount = 0;
    NeedWaitCommEvent = true;
    WaitCommEventPending = false;
    ReadPending = false;
    LineTimerArmed = false;

    while (!Terminated()) {
        if (NeedWaitCommEvent && !Terminated()) {
            ClearStatus(OlapUartEvt);
            EvtMask = 0;
            if (WaitCommEvent(hComm, &EvtMask, &OlapUartEvt)) {
                HandleCommEvent();
            } else if (GetLastError() == ERROR_IO_PENDING) {
                NeedWaitCommEvent = false;
                WaitCommEventPending = true;
            } else {
                RecoverCommEventWait();
            }
        }

        if (!Terminated() && (WaitCommEventPending || ReadPending || LineTimerArmed)) {
            // Each operation is looked at below; the result only guards
            // against handles that could not be created.
            if (WaitForMultipleObjects(4, WaitHandles, FALSE, INFINITE) == WAIT_FAILED)
                Sleep(10);
        }

        if (WaitCommEventPending && !Terminated()) {
            DWORD Unused = 0;
            if (GetOverlappedResult(hComm, &OlapUartEvt, &Unused, FALSE))
                HandleCommEvent();
            else if (GetLastError() != ERROR_IO_INCOMPLETE)
                RecoverCommEventWait();
        }

        if (ReadPending && !Terminated()) {
            if (GetOverlappedResult(hComm, &OlapRdFile, &RxdBytes, FALSE))
                HandleReadDone();
            else if (GetLastError() != ERROR_IO_INCOMPLETE)
                RecoverRead();
        }

        if (LineTimerArmed && !Terminated() && WaitForSingleObject(LineTimer, 0) == WAIT_OBJECT_0) {
            DisarmLineTimer();
            LineTimerArmed = false;
            if (!Uart->PrrallelProcessingTrySendNextLineOfTxtFile() && Uart->OnTxdEmpty)
                Synchronize([this] { SyncFireTxdEmpty(); });
        }
    }

    if (hComm != INVALID_HANDLE_VALUE)
        CancelIo(hComm);
    ResetIfCreated(hEventForTerminateThread);
    ResetIfCreated(OlapUartEvt.hEvent);
    ResetIfCreated(OlapRdFile.hEvent);
}

void TCommMonitorThread::DisarmLineTimer()
{
    // A manual-reset timer stays signalled until it is set again: set it
    // far away and cancel it, so that it satisfies no wait until it is armed.
    LARGE_INTEGER Far;
    Far.QuadPart = -24LL * 3600 * 10'000'000;
    SetWaitableTimer(LineTimer, &Far, 0, nullptr, nullptr, FALSE);
    CancelWaitableTimer(LineTimer);
}

void TCommMonitorThread::HandleCommEvent()
{
    ResetIfCreated(OlapUartEvt.hEvent);
    NeedWaitCommEvent = true;
    WaitCommEventPending = false;

    COMSTAT Stat{};
    ClearCommError(hComm, &CommErrors, &Stat);

    if (EvtMask & EV_ERR)
        Synchronize([this] { SyncFireUartErr(); });
    if (EvtMask & (EV_CTS | EV_DSR | EV_RLSD | EV_RING))
        Synchronize([this] { SyncFireModemSignal(); });
    if ((EvtMask & EV_TXEMPTY) && Uart->PrrallelProcessingWhenDetectedTxdEmpty())
        Synchronize([this] { SyncFireTxdEmpty(); });

    if ((EvtMask & EV_RXCHAR) && !ReadPending && Stat.cbInQue >= 1) {
        ClearStatus(OlapRdFile);
        const DWORD Count = std::min<DWORD>(Stat.cbInQue, Uart->SysUartRxdQueueSize());
        if (ReadFile(hComm, RawRxdBuff, Count, &RxdBytes, &OlapRdFile))
            HandleReadDone();
        else if (GetLastError() == ERROR_IO_PENDING)
            ReadPending = true;
        else
            RecoverRead();
    }
}

void TCommMonitorThread::RecoverCommEventWait()
{
    ClearStatus(OlapUartEvt);
    ResetIfCreated(OlapUartEvt.hEvent);
    NeedWaitCommEvent = true;
    WaitCommEventPending = false;
    ClearCommError(hComm, &CommErrors, nullptr);
    Sleep(10);
}

void TCommMonitorThread::RecoverRead()
{
    ClearStatus(OlapRdFile);
    ResetIfCreated(OlapRdFile.hEvent);
    ReadPending = false;
    Sleep(10);
}

// ---- The receive filter ----

void TCommMonitorThread::Deliver()
{
    Synchronize([this] { SyncDeliverRxdDatas(); });
    CollectCount = 0;
}

void TCommMonitorThread::HandleReadDone()
{
    ResetIfCreated(OlapRdFile.hEvent);
    ReadPending = false;
    if (RxdBytes == 0 || !Uart->OnRxdDatas)
        return;

    const unsigned Limit = Uart->SysUartRxdQueueSize();
    switch (Uart->RxdFilter_Style) {
    case rfs_ByDelimiterChar: {
        const char Delimiter = Uart->RxdFilter_DelimiterChar;
        for (DWORD i = 0; i < RxdBytes; ++i) {
            FilteredRxdBuff[CollectCount++] = RawRxdBuff[i];
            if (RawRxdBuff[i] == Delimiter) {
                Deliver();
            } else if (CollectCount >= Limit) {
                CollectCount = 0;
                throw YVclUtil::EYGeneral("TCustomUart FilteredRxdBuff overflow, when delimiting the received datas !!!");
            }
        }
        break;
    }
    case rfs_ByBytesOfPacket: {
        const unsigned PacketSize = Uart->RxdFilter_BytesOfPacket();
        for (DWORD i = 0; i < RxdBytes; ++i) {
            FilteredRxdBuff[CollectCount++] = RawRxdBuff[i];
            if (CollectCount == PacketSize) {
                Deliver();
            } else if (CollectCount >= Limit) {
                CollectCount = 0;
                throw YVclUtil::EYGeneral(
                    "TCustomUart FilteredRxdBuff overflow, when collection bytes of the received datas !!!");
            }
        }
        break;
    }
    case rfs_None:
    default:
        // Each completed read is one delivery.
        std::memcpy(FilteredRxdBuff, RawRxdBuff, RxdBytes);
        CollectCount = RxdBytes;
        Deliver();
        break;
    }
}

// ---- On the main thread ----

void TCommMonitorThread::SyncFireUartErr()
{
    Uart->FireUartErrEvent(CommErrors);
}

void TCommMonitorThread::SyncFireModemSignal()
{
    Uart->FireModemSignalEvent(EvtMask);
}

void TCommMonitorThread::SyncFireTxdEmpty()
{
    Uart->FireTxdEmptyEvent();
}

void TCommMonitorThread::SyncDeliverRxdDatas()
{
    std::memcpy(RxdBuff, FilteredRxdBuff, CollectCount);
    Uart->FireRxdDatasEvent(CollectCount);
}

} // namespace YVclCtrl
