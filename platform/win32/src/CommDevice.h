#pragma once
// An open COM device: a Linux tty driven like the Windows serial driver
// (private to win32).
//
// One engine thread a device sleeps in poll() on the tty and on a wake-up
// descriptor. It reads what arrives into the device's input queue (undoing
// parity marks), records the events of the mask, moves pending writes on,
// ends transfers whose time-out has passed and watches the output queue
// drain after a write. Callers' threads start transfers and take bytes from
// the input queue; everything is done under the device's lock, and a
// completed transfer sets its OVERLAPPED's event. Modem-line changes come
// from a TModemWatch where the driver has modem lines.

#include <condition_variable>
#include <deque>
#include <linux/serial.h>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "KernelObject.h"
#include "ModemWatch.h"
#include "ParityMarks.h"
#include "win32/Comm.h"

namespace win32_detail {

// The device COM<n> leads to, and the variable that may name it.
struct TComDeviceName {
    AnsiString Path;       // VTX_COM<n>'s value, else /dev/ttyS<n-1>
    AnsiString Variable;   // "VTX_COM<n>"
    bool FromVariable = false;
};
TComDeviceName ComDeviceName(unsigned Number);

class TCommDevice : public TKernelObject {
public:
    // Opens the tty at Path for exclusive use and starts its engine; null,
    // with Error set and the system's error number in Reason (EBUSY for a
    // device another open holds), when it cannot.
    static std::shared_ptr<TCommDevice> Open(const AnsiString& Path, DWORD& Error, int& Reason);
    ~TCommDevice() override;
    void OnClose() override;

    // The Windows routines of the same names, on this device.
    BOOL Setup(DWORD InQueue, DWORD OutQueue);
    BOOL Configure(const DCB& Dcb);
    BOOL SetTimeouts(const COMMTIMEOUTS& Timeouts);
    BOOL SetMask(DWORD Mask);
    BOOL WaitEvent(DWORD* EvtMask, OVERLAPPED* Overlapped);
    BOOL Read(void* Buffer, DWORD Count, DWORD* BytesRead, OVERLAPPED* Overlapped);
    BOOL Write(const void* Buffer, DWORD Count, DWORD* BytesWritten, OVERLAPPED* Overlapped);
    BOOL OverlappedResult(OVERLAPPED* Overlapped, DWORD* Transferred, bool Wait);
    BOOL CancelThreadIo(std::thread::id Thread);
    BOOL ClearError(DWORD* Errors, COMSTAT* Stat);
    BOOL ModemStatus(DWORD* Status);
    BOOL Escape(DWORD Function);
    BOOL Purge(DWORD Flags);

private:
    struct TOperation {
        OVERLAPPED* Overlapped = nullptr;
        std::thread::id Owner;
        DWORD* EvtMask = nullptr;                 // WaitCommEvent
        unsigned char* ReadBuffer = nullptr;      // ReadFile
        std::vector<unsigned char> WriteData;     // WriteFile: its own copy
        DWORD Count = 0;
        DWORD Done = 0;
        std::optional<TTimePoint> Deadline;       // total time-out
        DWORD IntervalMs = 0;                     // read: most time between two bytes
        TTimePoint LastByte{};
    };

    TCommDevice(int Fd, int WakeFd, unsigned Baud);

    // All below run under FLock.
    bool CheckOpen();
    void Begin(TOperation& Op);
    void Complete(TOperation& Op, DWORD Error);
    void CompleteAt(std::deque<TOperation>& Queue, std::size_t Index, DWORD Error);
    bool AllWanted(const TOperation& Read) const;
    void TakeInput(TOperation& Read, TTimePoint Now);
    void Record(DWORD Events);
    void ServeWait();
    void ServeReads(TTimePoint Now);
    void ReadInput();
    void PushWrites();
    bool WriteSome(TOperation& Op);
    void ExpireOperations(TTimePoint Now);
    void CheckTxEmpty(TTimePoint Now);
    void RefreshErrorCounters();
    void HangUp();
    int PollTimeout(TTimePoint Now) const;
    void WakeEngine();
    void RunEngine();
    BOOL Fail(DWORD Error);
    void WatchModemLines(bool Watch);
    void ModemLinesChanged(int Lines);

    const int FFd;
    const int FWakeFd;

    std::mutex FLock;
    std::condition_variable FCompleted;
    bool FClosed = false;
    bool FHungUp = false;
    std::thread FEngine;

    unsigned FBaud;
    unsigned FBitsPerChar = 10;
    DWORD FInQueueSize = 4096;
    COMMTIMEOUTS FTimeouts{};
    DWORD FMask = 0;
    DWORD FHistory = 0;
    DWORD FErrors = 0;

    std::deque<unsigned char> FInQueue;
    bool FCheckParity = false;
    TParityMarkReader FMarks;

    bool FHaveCounts = false;
    serial_icounter_struct FCounts{};
    bool FHaveModemLines = false;
    int FLines = 0;

    // Watching the output queue drain after a write.
    bool FTxWatch = false;
    TTimePoint FTxCheckAt{};
    int FTxLastQueued = 0;
    unsigned FTxCheckMs = 0;

    std::optional<TOperation> FWait;
    std::deque<TOperation> FReads;
    std::deque<TOperation> FWrites;

    // Taken without FLock: stopping the watch waits for its thread, which
    // takes FLock to report a change.
    std::mutex FWatchLock;
    std::unique_ptr<TModemWatch> FModemWatch;
};

} // namespace win32_detail
