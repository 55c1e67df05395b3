#pragma once
// The worker thread of an open TCustomUart.
//
// It waits for the port's events, reads what has arrived, cuts the bytes
// into deliveries by the component's receive filter and hands each delivery,
// line error, modem-line change and transmit-empty to the main thread
// through Synchronize; it also paces the lines of a text-file transfer with
// its line timer. It sleeps in one wait for its four handles; nothing polls.
// An exception (a filter overflow, or one raised by an event handler and
// passed back by Synchronize) ends it; the port stays open but silent until
// Close and Open.

#include "YVclCtrl/CustomUart.h"
#include "rtl/Thread.h"
#include "win32/OwnedHandle.h"

namespace YVclCtrl {

class TCommMonitorThread : public TThread {
public:
    // Created suspended; the buffers belong to Uart.
    TCommMonitorThread(TCustomUart* Uart, HANDLE hComm, char* RxdBuff, char* FilteredRxdBuff, char* RawRxdBuff);
    // Only once the thread has ended (Terminate, then WaitFor).
    ~TCommMonitorThread() override;

    // Set by Close to end the worker; null when it could not be created.
    HANDLE hEventForTerminateThread = nullptr;
    // The manual-reset timer that paces the lines of a text file, armed by
    // the component on the worker thread.
    HANDLE LineTimer = nullptr;
    bool LineTimerArmed = false;

protected:
    void Execute() override;

private:
    void RunConstructor(TCustomUart* AUart, HANDLE AComm, char* ARxdBuff, char* AFilteredRxdBuff, char* ARawRxdBuff);
    void RunDestructor();

    void HandleCommEvent();
    void RecoverCommEventWait();
    void HandleReadDone();
    void RecoverRead();
    void Deliver();
    void DisarmLineTimer();

    // Run on the main thread.
    void SyncFireUartErr();
    void SyncFireModemSignal();
    void SyncFireTxdEmpty();
    void SyncDeliverRxdDatas();

    // Terminate event, OlapUartEvt's event, OlapRdFile's event, LineTimer.
    HANDLE WaitHandles[4] = {};
    OVERLAPPED OlapUartEvt{};
    OVERLAPPED OlapRdFile{};
    DWORD EvtMask = 0;
    DWORD CommErrors = 0;
    bool NeedWaitCommEvent = false;
    bool WaitCommEventPending = false;
    bool ReadPending = false;
    DWORD RxdBytes = 0;
    TCustomUart* Uart = nullptr;
    HANDLE hComm = INVALID_HANDLE_VALUE;
    char* RxdBuff = nullptr;
    char* FilteredRxdBuff = nullptr;
    unsigned CollectCount = 0;
    char* RawRxdBuff = nullptr;

    TOwnedHandle FTerminateEvent;
    TOwnedHandle FUartEvtEvent;
    TOwnedHandle FRdFileEvent;
    TOwnedHandle FLineTimer;
};

} // namespace YVclCtrl
