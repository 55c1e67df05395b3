#include "CommDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "TtyLine.h"
#include "win32/Synch.h"

namespace win32_detail {

namespace {

constexpr DWORD ModemEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;
// The longest pause between two looks at an output queue that does not
// drain (a line held by flow control).
constexpr unsigned LongestTxCheckMs = 1000;

DWORD OpenError(int Error)
{
    switch (Error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EBUSY:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// ENOTTY and EINVAL: the driver does not have the request.
bool Unsupported(int Error)
{
    return Error == ENOTTY || Error == EINVAL;
}

std::optional<TTimePoint> TotalDeadline(TTimePoint Now, DWORD Multiplier, DWORD Constant, DWORD Count)
{
    if (Multiplier == 0 && Constant == 0)
        return std::nullopt;
    const unsigned long long Ms = static_cast<unsigned long long>(Multiplier) * Count + Constant;
    return Now + std::chrono::milliseconds(Ms);
}

// Keeps a thread's pending transfers from outliving it: at thread exit they
// are cancelled on every device, as the platform does for an ending thread.
struct TThreadIoExit {
    ~TThreadIoExit()
    {
        const std::thread::id Self = std::this_thread::get_id();
        for (const auto& Object : AllObjects())
            if (auto* Device = dynamic_cast<TCommDevice*>(Object.get()))
                Device->CancelThreadIo(Self);
    }
};

void NoteThreadIo()
{
    thread_local TThreadIoExit Exit;
    (void)Exit;
}

} // namespace

std::shared_ptr<TCommDevice> TCommDevice::Open(const AnsiString& Path, DWORD& Error, int& Reason)
{
    if (Path.empty()) {
        Error = ERROR_FILE_NOT_FOUND;
        Reason = ENOENT;
        return nullptr;
    }
    const int Fd = open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0) {
        Reason = errno;
        Error = OpenError(Reason);
        return nullptr;
    }
    auto CloseFailed = [Fd, &Error, &Reason](DWORD Code, int Why) {
        close(Fd);
        Error = Code;
        Reason = Why;
        return nullptr;
    };
    // The lock keeps out every other open, root's included; TIOCEXCL keeps
    // out other users' opens of the tty itself.
    if (flock(Fd, LOCK_EX | LOCK_NB) != 0) {
        const int Why = errno;
        return Why == EWOULDBLOCK ? CloseFailed(ERROR_ACCESS_DENIED, EBUSY) : CloseFailed(ERROR_GEN_FAILURE, Why);
    }
    (void)ioctl(Fd, TIOCEXCL);
    unsigned Baud = 0;
    if (int RawError = MakeTtyRaw(Fd, Baud))
        return CloseFailed(Unsupported(RawError) ? ERROR_FILE_NOT_FOUND : ERROR_GEN_FAILURE, RawError);
    const int WakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (WakeFd < 0)
        return CloseFailed(ERROR_GEN_FAILURE, errno);

    std::shared_ptr<TCommDevice> Device(new TCommDevice(Fd, WakeFd, Baud ? Baud : 9600));
    Device->FHaveCounts = ioctl(Fd, TIOCGICOUNT, &Device->FCounts) == 0;
    Device->FHaveModemLines = ioctl(Fd, TIOCMGET, &Device->FLines) == 0;
    try {
        Device->FEngine = std::thread([Raw = Device.get()] { Raw->RunEngine(); });
    } catch (const std::system_error& E) {
        Error = ERROR_NOT_ENOUGH_MEMORY;
        Reason = E.code().value();
        return nullptr;   // the destructor closes the descriptors
    }
    return Device;
}

TCommDevice::TCommDevice(int Fd, int WakeFd, unsigned Baud) : FFd(Fd), FWakeFd(WakeFd), FBaud(Baud) {}

TCommDevice::~TCommDevice()
{
    OnClose();
}

void TCommDevice::OnClose()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        if (FClosed)
            return;
        FClosed = true;
        if (FWait) {
            Complete(*FWait, ERROR_OPERATION_ABORTED);
            FWait.reset();
        }
        while (!FReads.empty())
            CompleteAt(FReads, 0, ERROR_OPERATION_ABORTED);
        while (!FWrites.empty())
            CompleteAt(FWrites, 0, ERROR_OPERATION_ABORTED);
    }
    WakeEngine();
    if (FEngine.joinable())
        FEngine.join();
    WatchModemLines(false);
    (void)ioctl(FFd, TIOCNXCL);
    (void)flock(FFd, LOCK_UN);
    close(FFd);
    close(FWakeFd);
}

bool TCommDevice::CheckOpen()
{
    if (FClosed) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

BOOL TCommDevice::Fail(DWORD Error)
{
    SetLastError(Error);
    return FALSE;
}

void TCommDevice::WakeEngine()
{
    const std::uint64_t One = 1;
    (void)!write(FWakeFd, &One, sizeof One);
}

// ---- Transfers and their completion ----

void TCommDevice::Begin(TOperation& Op)
{
    Op.Owner = std::this_thread::get_id();
    Op.Overlapped->Internal = STATUS_PENDING;
    Op.Overlapped->InternalHigh = 0;
    if (Op.Overlapped->hEvent)
        ResetEvent(Op.Overlapped->hEvent);
    NoteThreadIo();
}

void TCommDevice::Complete(TOperation& Op, DWORD Error)
{
    Op.Overlapped->InternalHigh = Op.Done;
    Op.Overlapped->Internal = Error;
    if (Op.Overlapped->hEvent)
        SetEvent(Op.Overlapped->hEvent);
    FCompleted.notify_all();
}

void TCommDevice::CompleteAt(std::deque<TOperation>& Queue, std::size_t Index, DWORD Error)
{
    Complete(Queue[Index], Error);
    Queue.erase(Queue.begin() + static_cast<std::ptrdiff_t>(Index));
}

BOOL TCommDevice::OverlappedResult(OVERLAPPED* Overlapped, DWORD* Transferred, bool Wait)
{
    if (!Overlapped)
        return Fail(ERROR_INVALID_PARAMETER);
    std::unique_lock<std::mutex> Guard(FLock);
    while (Overlapped->Internal == STATUS_PENDING) {
        if (!Wait)
            return Fail(ERROR_IO_INCOMPLETE);
        FCompleted.wait(Guard);
    }
    if (Transferred)
        *Transferred = static_cast<DWORD>(Overlapped->InternalHigh);
    if (Overlapped->Internal != ERROR_SUCCESS)
        return Fail(static_cast<DWORD>(Overlapped->Internal));
    return TRUE;
}

BOOL TCommDevice::CancelThreadIo(std::thread::id Thread)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (FWait && FWait->Owner == Thread) {
        Complete(*FWait, ERROR_OPERATION_ABORTED);
        FWait.reset();
    }
    for (auto* Queue : {&FReads, &FWrites})
        for (std::size_t i = Queue->size(); i-- > 0;)
            if ((*Queue)[i].Owner == Thread)
                CompleteAt(*Queue, i, ERROR_OPERATION_ABORTED);
    return TRUE;
}

// ---- Events ----

void TCommDevice::Record(DWORD Events)
{
    FHistory |= Events & FMask;
    ServeWait();
}

void TCommDevice::ServeWait()
{
    if (!FWait || !(FHistory & FMask))
        return;
    *FWait->EvtMask = FHistory & FMask;
    FHistory = 0;
    Complete(*FWait, ERROR_SUCCESS);
    FWait.reset();
}

BOOL TCommDevice::SetMask(DWORD Mask)
{
    bool Watch;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        if (!CheckOpen())
            return FALSE;
        FMask = Mask;
        FHistory = 0;
        if (FWait) {
            *FWait->EvtMask = 0;
            Complete(*FWait, ERROR_SUCCESS);
            FWait.reset();
        }
        Watch = FHaveModemLines && !FHungUp && (Mask & ModemEvents);
    }
    WatchModemLines(Watch);
    return TRUE;
}

BOOL TCommDevice::WaitEvent(DWORD* EvtMask, OVERLAPPED* Overlapped)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    if (!EvtMask || !Overlapped || FWait || FMask == 0)
        return Fail(ERROR_INVALID_PARAMETER);
    TOperation Op;
    Op.Overlapped = Overlapped;
    Op.EvtMask = EvtMask;
    if (FHistory & FMask) {
        *EvtMask = FHistory & FMask;
        FHistory = 0;
        Complete(Op, ERROR_SUCCESS);
        return TRUE;
    }
    if (FHungUp)
        return Fail(ERROR_DEVICE_NOT_CONNECTED);
    Begin(Op);
    FWait = std::move(Op);
    return Fail(ERROR_IO_PENDING);
}

void TCommDevice::WatchModemLines(bool Watch)
{
    std::lock_guard<std::mutex> Guard(FWatchLock);
    if (!Watch) {
        FModemWatch.reset();
        return;
    }
    if (FModemWatch)
        return;
    {
        std::lock_guard<std::mutex> Lines(FLock);
        (void)ioctl(FFd, TIOCMGET, &FLines);
    }
    try {
        FModemWatch = std::make_unique<TModemWatch>(FFd, [this](int Lines) { ModemLinesChanged(Lines); });
    } catch (const std::system_error&) {
        // No thread to spare: the lines are read, but their changes not seen.
    }
}

void TCommDevice::ModemLinesChanged(int Lines)
{
    std::lock_guard<std::mutex> Guard(FLock);
    const int Changed = Lines ^ FLines;
    FLines = Lines;
    DWORD Events = 0;
    if (Changed & TIOCM_CTS)
        Events |= EV_CTS;
    if (Changed & TIOCM_DSR)
        Events |= EV_DSR;
    if (Changed & TIOCM_CD)
        Events |= EV_RLSD;
    if (Changed & TIOCM_RNG)
        Events |= EV_RING;
    Record(Events);
}

void TCommDevice::RefreshErrorCounters()
{
    if (!FHaveCounts)
        return;
    serial_icounter_struct Now{};
    if (ioctl(FFd, TIOCGICOUNT, &Now) != 0)
        return;
    DWORD Errors = 0;
    if (Now.frame != FCounts.frame)
        Errors |= CE_FRAME;
    if (Now.parity != FCounts.parity)
        Errors |= CE_RXPARITY;
    if (Now.overrun != FCounts.overrun)
        Errors |= CE_OVERRUN;
    if (Now.buf_overrun != FCounts.buf_overrun)
        Errors |= CE_RXOVER;
    if (Now.brk != FCounts.brk)
        Errors |= CE_BREAK;
    FCounts = Now;
    if (!Errors)
        return;
    FErrors |= Errors;
    Record(EV_ERR | (Errors & CE_BREAK ? EV_BREAK : 0));
}

// ---- Receiving ----

bool TCommDevice::AllWanted(const TOperation& Read) const
{
    if (Read.Done == Read.Count)
        return true;
    // An interval of MAXDWORD: return with whatever has arrived.
    return FTimeouts.ReadIntervalTimeout == MAXDWORD && Read.Done > 0;
}

void TCommDevice::TakeInput(TOperation& Read, TTimePoint Now)
{
    const std::size_t Take = std::min<std::size_t>(FInQueue.size(), Read.Count - Read.Done);
    if (Take == 0)
        return;
    const bool WasFull = FInQueue.size() >= FInQueueSize;
    std::copy_n(FInQueue.begin(), Take, Read.ReadBuffer + Read.Done);
    FInQueue.erase(FInQueue.begin(), FInQueue.begin() + static_cast<std::ptrdiff_t>(Take));
    Read.Done += static_cast<DWORD>(Take);
    Read.LastByte = Now;
    // A full queue is not read from the device: there is room again.
    if (WasFull)
        WakeEngine();
}

void TCommDevice::ServeReads(TTimePoint Now)
{
    while (!FReads.empty()) {
        TOperation& Front = FReads.front();
        TakeInput(Front, Now);
        if (!AllWanted(Front))
            return;
        CompleteAt(FReads, 0, ERROR_SUCCESS);
    }
}

BOOL TCommDevice::Read(void* Buffer, DWORD Count, DWORD* BytesRead, OVERLAPPED* Overlapped)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    if (!Overlapped || (!Buffer && Count > 0))
        return Fail(ERROR_INVALID_PARAMETER);
    const TTimePoint Now = TClock::now();
    TOperation Op;
    Op.Overlapped = Overlapped;
    Op.ReadBuffer = static_cast<unsigned char*>(Buffer);
    Op.Count = Count;
    if (FReads.empty())
        TakeInput(Op, Now);
    const bool Immediate = FTimeouts.ReadIntervalTimeout == MAXDWORD && FTimeouts.ReadTotalTimeoutMultiplier == 0 &&
                           FTimeouts.ReadTotalTimeoutConstant == 0;
    if (AllWanted(Op) || Immediate || (FHungUp && FInQueue.empty() && Op.Done > 0)) {
        if (BytesRead)
            *BytesRead = Op.Done;
        Complete(Op, ERROR_SUCCESS);
        return TRUE;
    }
    if (FHungUp && FInQueue.empty())
        return Fail(ERROR_DEVICE_NOT_CONNECTED);
    Op.Deadline = TotalDeadline(Now, FTimeouts.ReadTotalTimeoutMultiplier, FTimeouts.ReadTotalTimeoutConstant, Count);
    Op.IntervalMs = FTimeouts.ReadIntervalTimeout == MAXDWORD ? 0 : FTimeouts.ReadIntervalTimeout;
    Begin(Op);
    FReads.push_back(std::move(Op));
    WakeEngine();
    return Fail(ERROR_IO_PENDING);
}

void TCommDevice::ReadInput()
{
    unsigned char Raw[4096];
    const std::size_t Room = FInQueueSize > FInQueue.size() ? FInQueueSize - FInQueue.size() : 0;
    if (Room == 0)
        return;
    const ssize_t Got = read(FFd, Raw, std::min(Room, sizeof Raw));
    if (Got < 0) {
        if (errno != EAGAIN && errno != EINTR)
            HangUp();
        return;
    }
    if (Got == 0) {
        // Raw mode with VMIN 1: an empty queue gives EAGAIN, so 0 is the end.
        HangUp();
        return;
    }
    unsigned char Data[sizeof Raw + 1];
    std::size_t Count = static_cast<std::size_t>(Got);
    if (FCheckParity)
        Count = FMarks.Unmark(Raw, Count, Data);
    else
        std::memcpy(Data, Raw, Count);
    FInQueue.insert(FInQueue.end(), Data, Data + Count);
    RefreshErrorCounters();
    if (Count > 0) {
        ServeReads(TClock::now());
        Record(EV_RXCHAR);
    }
}

// ---- Sending ----

bool TCommDevice::WriteSome(TOperation& Op)
{
    while (Op.Done < Op.Count) {
        const ssize_t Put = write(FFd, Op.WriteData.data() + Op.Done, Op.Count - Op.Done);
        if (Put > 0) {
            Op.Done += static_cast<DWORD>(Put);
            continue;
        }
        if (Put < 0 && (errno == EAGAIN || errno == EINTR))
            return true;
        return false;
    }
    return true;
}

BOOL TCommDevice::Write(const void* Buffer, DWORD Count, DWORD* BytesWritten, OVERLAPPED* Overlapped)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    if (!Overlapped || (!Buffer && Count > 0))
        return Fail(ERROR_INVALID_PARAMETER);
    if (FHungUp)
        return Fail(ERROR_DEVICE_NOT_CONNECTED);
    TOperation Op;
    Op.Overlapped = Overlapped;
    Op.Count = Count;
    try {
        const auto* Bytes = static_cast<const unsigned char*>(Buffer);
        Op.WriteData.assign(Bytes, Bytes + Count);
    } catch (const std::bad_alloc&) {
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
    // Behind writes already pending, the bytes wait their turn.
    if (FWrites.empty() && !WriteSome(Op)) {
        HangUp();
        return Fail(ERROR_DEVICE_NOT_CONNECTED);
    }
    const TTimePoint Now = TClock::now();
    if (Op.Done == Count) {
        if (BytesWritten)
            *BytesWritten = Count;
        Complete(Op, ERROR_SUCCESS);
        FTxWatch = true;
        FTxCheckAt = Now;
        CheckTxEmpty(Now);
        if (FTxWatch)
            WakeEngine();
        return TRUE;
    }
    Op.Deadline = TotalDeadline(Now, FTimeouts.WriteTotalTimeoutMultiplier, FTimeouts.WriteTotalTimeoutConstant, Count);
    Begin(Op);
    FWrites.push_back(std::move(Op));
    WakeEngine();
    return Fail(ERROR_IO_PENDING);
}

void TCommDevice::PushWrites()
{
    while (!FWrites.empty()) {
        TOperation& Front = FWrites.front();
        if (!WriteSome(Front)) {
            HangUp();
            return;
        }
        if (Front.Done < Front.Count)
            return;
        CompleteAt(FWrites, 0, ERROR_SUCCESS);
        FTxWatch = true;
        FTxCheckAt = TClock::now();
    }
}

void TCommDevice::CheckTxEmpty(TTimePoint Now)
{
    if (!FTxWatch || !FWrites.empty() || Now < FTxCheckAt)
        return;
    int Queued = 0;
    if (ioctl(FFd, TIOCOUTQ, &Queued) != 0) {
        if (!Unsupported(errno)) {
            HangUp();
            return;
        }
        Queued = 0;
    }
    if (Queued <= 0) {
        FTxWatch = false;
        FTxCheckMs = 0;
        FTxLastQueued = 0;
        Record(EV_TXEMPTY);
        return;
    }
    // Look again when the bytes should have left the line; while the queue
    // does not shrink (flow control), look less and less often.
    const unsigned long long LineMs = static_cast<unsigned long long>(Queued) * FBitsPerChar * 1000 / FBaud + 1;
    unsigned Next = static_cast<unsigned>(std::min<unsigned long long>(LineMs, LongestTxCheckMs));
    if (FTxLastQueued != 0 && Queued >= FTxLastQueued)
        Next = std::min(LongestTxCheckMs, std::max(Next, FTxCheckMs * 2));
    FTxCheckMs = Next;
    FTxLastQueued = Queued;
    FTxCheckAt = Now + std::chrono::milliseconds(Next);
}

// ---- Time-outs, hang-up and the engine ----

void TCommDevice::ExpireOperations(TTimePoint Now)
{
    for (std::size_t i = FReads.size(); i-- > 0;) {
        const TOperation& Read = FReads[i];
        const bool Total = Read.Deadline && Now >= *Read.Deadline;
        const bool Interval = i == 0 && Read.IntervalMs && Read.Done > 0 &&
                              Now >= Read.LastByte + std::chrono::milliseconds(Read.IntervalMs);
        if (Total || Interval)
            CompleteAt(FReads, i, ERROR_SUCCESS);
    }
    for (std::size_t i = FWrites.size(); i-- > 0;) {
        if (FWrites[i].Deadline && Now >= *FWrites[i].Deadline) {
            // A write that times out completes with the bytes it got out.
            CompleteAt(FWrites, i, ERROR_SUCCESS);
            FTxWatch = true;
            FTxCheckAt = Now;
        }
    }
}

void TCommDevice::HangUp()
{
    if (FHungUp)
        return;
    FHungUp = true;
    FTxWatch = false;
    ServeReads(TClock::now());
    while (!FReads.empty())
        CompleteAt(FReads, 0, FReads.front().Done > 0 ? ERROR_SUCCESS : ERROR_DEVICE_NOT_CONNECTED);
    while (!FWrites.empty())
        CompleteAt(FWrites, 0, ERROR_DEVICE_NOT_CONNECTED);
    ServeWait();
    if (FWait) {
        Complete(*FWait, ERROR_DEVICE_NOT_CONNECTED);
        FWait.reset();
    }
}

int TCommDevice::PollTimeout(TTimePoint Now) const
{
    std::optional<TTimePoint> Next;
    auto Consider = [&](TTimePoint At) { Next = Next ? std::min(*Next, At) : At; };
    for (const TOperation& Read : FReads)
        if (Read.Deadline)
            Consider(*Read.Deadline);
    if (!FReads.empty() && FReads.front().IntervalMs && FReads.front().Done > 0)
        Consider(FReads.front().LastByte + std::chrono::milliseconds(FReads.front().IntervalMs));
    for (const TOperation& Write : FWrites)
        if (Write.Deadline)
            Consider(*Write.Deadline);
    if (FTxWatch && FWrites.empty())
        Consider(FTxCheckAt);
    if (!Next)
        return -1;
    if (*Next <= Now)
        return 0;
    // Rounded up, so that the engine never wakes just before the time.
    const auto Left = std::chrono::ceil<std::chrono::milliseconds>(*Next - Now).count();
    return static_cast<int>(std::min<long long>(Left, 24LL * 3600 * 1000));
}

void TCommDevice::RunEngine()
{
    std::unique_lock<std::mutex> Guard(FLock);
    while (!FClosed) {
        pollfd Fds[2] = {{FWakeFd, POLLIN, 0}, {-1, 0, 0}};
        if (!FHungUp) {
            Fds[1].fd = FFd;
            if (FInQueue.size() < FInQueueSize)
                Fds[1].events |= POLLIN;
            if (!FWrites.empty())
                Fds[1].events |= POLLOUT;
        }
        const int Timeout = PollTimeout(TClock::now());
        Guard.unlock();
        (void)poll(Fds, 2, Timeout);
        Guard.lock();
        if (FClosed)
            break;
        if (Fds[0].revents & POLLIN) {
            std::uint64_t Count;
            (void)!read(FWakeFd, &Count, sizeof Count);
        }
        const short Events = Fds[1].revents;
        if (Events & POLLIN)
            ReadInput();
        else if (Events & (POLLHUP | POLLERR | POLLNVAL))
            HangUp();
        if ((Events & POLLOUT) && !FHungUp)
            PushWrites();
        const TTimePoint Now = TClock::now();
        ExpireOperations(Now);
        CheckTxEmpty(Now);
    }
}

// ---- Settings and line control ----

BOOL TCommDevice::Setup(DWORD InQueue, DWORD OutQueue)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    // The output goes straight to the driver's own buffer: its size is
    // only checked.
    if (InQueue == 0 || OutQueue == 0)
        return Fail(ERROR_INVALID_PARAMETER);
    FInQueueSize = InQueue;
    WakeEngine();
    return TRUE;
}

BOOL TCommDevice::Configure(const DCB& Dcb)
{
    if (Dcb.BaudRate == 0 || Dcb.ByteSize < 5 || Dcb.ByteSize > 8 || Dcb.Parity > EVENPARITY ||
        (Dcb.StopBits != ONESTOPBIT && Dcb.StopBits != TWOSTOPBITS) || Dcb.fOutX || Dcb.fInX || Dcb.fNull ||
        Dcb.fAbortOnError || Dcb.fDsrSensitivity || Dcb.fDtrControl > DTR_CONTROL_HANDSHAKE ||
        Dcb.fRtsControl > RTS_CONTROL_HANDSHAKE)
        return Fail(ERROR_INVALID_PARAMETER);

    TTtyLineSettings Line;
    Line.Baud = Dcb.BaudRate;
    Line.DataBits = Dcb.ByteSize;
    Line.Parity = Dcb.Parity == ODDPARITY ? TTtyParity::Odd : Dcb.Parity == EVENPARITY ? TTtyParity::Even : TTtyParity::None;
    Line.TwoStopBits = Dcb.StopBits == TWOSTOPBITS;
    // Linux drives RTS and CTS as one pair; DSR/DTR flow control it has not.
    Line.RtsCts = Dcb.fOutxCtsFlow || Dcb.fRtsControl == RTS_CONTROL_HANDSHAKE;
    Line.CheckParity = Dcb.fParity && Dcb.Parity != NOPARITY;

    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    unsigned Actual = 0;
    if (int Error = ApplyTtyLine(FFd, Line, Actual))
        return Fail(Error == EIO ? ERROR_DEVICE_NOT_CONNECTED : ERROR_INVALID_PARAMETER);
    const unsigned long long Off = Actual > Line.Baud ? Actual - Line.Baud : Line.Baud - Actual;
    if (Off * 100 > static_cast<unsigned long long>(Line.Baud) * 3)
        return Fail(ERROR_INVALID_PARAMETER);
    FBaud = Actual;
    FBitsPerChar = 1 + Line.DataBits + (Line.Parity != TTtyParity::None ? 1 : 0) + (Line.TwoStopBits ? 2 : 1);
    FCheckParity = Line.CheckParity;
    FMarks.SetErrorChar(Dcb.fErrorChar, Dcb.ErrorChar);
    FMarks.Reset();
    if (FHaveModemLines) {
        int Dtr = TIOCM_DTR;
        int Rts = TIOCM_RTS;
        (void)ioctl(FFd, Dcb.fDtrControl == DTR_CONTROL_DISABLE ? TIOCMBIC : TIOCMBIS, &Dtr);
        if (Dcb.fRtsControl != RTS_CONTROL_HANDSHAKE)
            (void)ioctl(FFd, Dcb.fRtsControl == RTS_CONTROL_DISABLE ? TIOCMBIC : TIOCMBIS, &Rts);
    }
    return TRUE;
}

BOOL TCommDevice::SetTimeouts(const COMMTIMEOUTS& Timeouts)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    FTimeouts = Timeouts;
    return TRUE;
}

BOOL TCommDevice::ClearError(DWORD* Errors, COMSTAT* Stat)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    RefreshErrorCounters();
    if (Errors)
        *Errors = FErrors;
    FErrors = 0;
    if (Stat) {
        *Stat = COMSTAT{};
        Stat->cbInQue = static_cast<DWORD>(FInQueue.size());
        unsigned long long Out = 0;
        for (const TOperation& Write : FWrites)
            Out += Write.Count - Write.Done;
        int Queued = 0;
        if (!FHungUp && ioctl(FFd, TIOCOUTQ, &Queued) == 0 && Queued > 0)
            Out += static_cast<unsigned>(Queued);
        Stat->cbOutQue = static_cast<DWORD>(std::min<unsigned long long>(Out, MAXDWORD));
    }
    return TRUE;
}

BOOL TCommDevice::ModemStatus(DWORD* Status)
{
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    if (!Status)
        return Fail(ERROR_INVALID_PARAMETER);
    *Status = 0;
    if (!FHaveModemLines)
        return TRUE;
    int Lines = 0;
    if (ioctl(FFd, TIOCMGET, &Lines) != 0)
        return Fail(Unsupported(errno) ? ERROR_INVALID_PARAMETER : ERROR_DEVICE_NOT_CONNECTED);
    if (Lines & TIOCM_CTS)
        *Status |= MS_CTS_ON;
    if (Lines & TIOCM_DSR)
        *Status |= MS_DSR_ON;
    if (Lines & TIOCM_RNG)
        *Status |= MS_RING_ON;
    if (Lines & TIOCM_CD)
        *Status |= MS_RLSD_ON;
    return TRUE;
}

BOOL TCommDevice::Escape(DWORD Function)
{
    int Line;
    unsigned long Request;
    switch (Function) {
    case SETDTR: Line = TIOCM_DTR; Request = TIOCMBIS; break;
    case CLRDTR: Line = TIOCM_DTR; Request = TIOCMBIC; break;
    case SETRTS: Line = TIOCM_RTS; Request = TIOCMBIS; break;
    case CLRRTS: Line = TIOCM_RTS; Request = TIOCMBIC; break;
    default: return Fail(ERROR_INVALID_PARAMETER);
    }
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    if (!FHaveModemLines)
        return TRUE;   // nothing to drive
    if (ioctl(FFd, Request, &Line) != 0 && !Unsupported(errno))
        return Fail(ERROR_DEVICE_NOT_CONNECTED);
    return TRUE;
}

BOOL TCommDevice::Purge(DWORD Flags)
{
    if (Flags & ~(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
        return Fail(ERROR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> Guard(FLock);
    if (!CheckOpen())
        return FALSE;
    if (Flags & PURGE_TXABORT)
        while (!FWrites.empty())
            CompleteAt(FWrites, 0, ERROR_OPERATION_ABORTED);
    if (Flags & PURGE_RXABORT)
        while (!FReads.empty())
            CompleteAt(FReads, 0, ERROR_OPERATION_ABORTED);
    if (Flags & PURGE_RXCLEAR) {
        FInQueue.clear();
        FMarks.Reset();
        WakeEngine();
    }
    if ((Flags & (PURGE_TXCLEAR | PURGE_RXCLEAR)) && !FHungUp)
        (void)FlushTty(FFd, Flags & PURGE_RXCLEAR, Flags & PURGE_TXCLEAR);
    return TRUE;
}

} // namespace win32_detail
