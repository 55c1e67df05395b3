// TCustomUart: sending blocks and text files.
#include <climits>
#include <cstdarg>
#include <cstring>
#include <new>

#include "YVclCtrl/CommMonitorThread.h"
#include "YVclCtrl/CustomUart.h"
#include "Overlapped.h"
#include "rtl/SysUtils.h"
#include "win32/LastError.h"
#include "win32/Synch.h"
#include "win32/SysTime.h"

namespace YVclCtrl {

namespace {

enum : int { SendOk = 0, SendFailed = 1, SendNotOpen = 2, SendBusy = 3, SendTimeout = 4, SendNoFile = 5 };

// Writes and waits until the driver has taken the bytes or the write
// time-out has passed; false when the write failed.
bool WriteAndWait(HANDLE Comm, const void* Bytes, DWORD Count, DWORD& Written, OVERLAPPED& Ov)
{
    ClearStatus(Ov);
    Written = 0;
    if (WriteFile(Comm, Bytes, Count, &Written, &Ov))
        return true;
    return GetLastError() == ERROR_IO_PENDING && GetOverlappedResult(Comm, &Ov, &Written, TRUE);
}

} // namespace

int TCustomUart::SendData(unsigned Bytes, const void* Datas)
{
    FLastErrMsg.clear();
    if (hComm == INVALID_HANDLE_VALUE)
        return SendNotOpen;
    if (FSendingTxtFile)
        return SendBusy;
    const bool Done = WriteAndWait(hComm, Datas, Bytes, WrFileBytes, OlapWrFile);
    ResetIfCreated(OlapWrFile.hEvent);
    if (!Done) {
        FLastErrMsg = "Can not send to comm";
        return SendFailed;
    }
    if (WrFileBytes != Bytes) {
        FLastErrMsg = "Timeout when send to comm";
        return SendTimeout;
    }
    return SendOk;
}

int TCustomUart::SendData_printf(const char* Fmt, ...)
{
    // Formatted into a string of the text's own length: a text of any
    // length goes out whole.
    va_list Args;
    va_start(Args, Fmt);
    const AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    return SendData(static_cast<unsigned>(Text.size()), Text.data());
}

// ---- Text files ----

bool TCustomUart::WriteTxtLine(DWORD& Written)
{
    TxtLineLength = static_cast<DWORD>(std::strlen(TxtLineBuff.get()));
    return WriteAndWait(hComm, TxtLineBuff.get(), TxtLineLength, Written, OlapWrTxtFile);
}

void TCustomUart::EndTxtFile()
{
    TxtFile.reset();
    TxtLineBuff.reset();
    TxtLineSize = 0;
    TxtLineLength = 0;
    TxtLineWritten = 0;
    FSendingTxtFile = false;
}

namespace {

// The line size of fgets: the transmit queue, at most what an int holds.
int LineBufferSize(unsigned QueueSize)
{
    return QueueSize > static_cast<unsigned>(INT_MAX) ? INT_MAX : static_cast<int>(QueueSize);
}

} // namespace

int TCustomUart::SendTxtFile(const char* Path, unsigned LineDelay)
{
    FLastErrMsg.clear();
    if (hComm == INVALID_HANDLE_VALUE)
        return SendNotOpen;
    if (FSendingTxtFile)
        return SendBusy;

    // Read and update, no translation: the file must exist and be writable.
    std::unique_ptr<std::FILE, TFileCloser> File(Path ? std::fopen(Path, "r+b") : nullptr);
    if (!File) {
        FLastErrMsg = "Can not open file";
        return SendNoFile;
    }
    const int LineSize = LineBufferSize(FSysUartTxdQueueSize);
    std::unique_ptr<char[]> Line(new (std::nothrow) char[static_cast<std::size_t>(LineSize)]);
    if (!Line) {
        FLastErrMsg = "Can not alloc mem";
        return SendFailed;
    }
    if (!std::fgets(Line.get(), LineSize, File.get())) {
        FLastErrMsg = "Can not read file";
        return SendNoFile;
    }

    std::lock_guard<std::mutex> Guard(FTxtLock);
    MonitorThread->Suspend();
    TxtFile = std::move(File);
    TxtLineBuff = std::move(Line);
    TxtLineSize = LineSize;
    TxtLineDelay = LineDelay;
    FSendingTxtFile = true;

    const bool Done = WriteTxtLine(TxtLineWritten);
    ResetIfCreated(OlapWrTxtFile.hEvent);
    int Result = SendOk;
    if (!Done) {
        FLastErrMsg = "Can not send txt file to comm";
        Result = SendFailed;
    } else if (TxtLineWritten != TxtLineLength) {
        FLastErrMsg = "Timeout when send txt file to comm";
        Result = SendTimeout;
    }
    if (Result != SendOk)
        EndTxtFile();
    MonitorThread->Resume();
    return Result;
}

bool TCustomUart::PrrallelProcessingWhenDetectedTxdEmpty()
{
    const bool RaiseTxdEmpty = static_cast<bool>(OnTxdEmpty);
    if (!FSendingTxtFile)
        return RaiseTxdEmpty;
    std::lock_guard<std::mutex> Guard(FTxtLock);
    if (!FSendingTxtFile)
        return RaiseTxdEmpty;

    if (TxtLineDelay > 0) {
        // The next line goes when the line timer fires.
        MonitorThread->LineTimerArmed = true;
        SYSTEMTIME Now;
        GetSystemTime(&Now);
        FILETIME NowFile{};
        SystemTimeToFileTime(&Now, &NowFile);
        LARGE_INTEGER Due;
        Due.QuadPart = ((static_cast<LONGLONG>(NowFile.dwHighDateTime) << 32) | NowFile.dwLowDateTime) +
                       static_cast<LONGLONG>(TxtLineDelay) * 10000;
        if (SetWaitableTimer(MonitorThread->LineTimer, &Due, 0, nullptr, nullptr, FALSE))
            return false;
        MonitorThread->LineTimerArmed = false;
        EndTxtFile();
        return RaiseTxdEmpty;
    }
    return SendNextTxtLine() ? false : RaiseTxdEmpty;
}

bool TCustomUart::PrrallelProcessingTrySendNextLineOfTxtFile()
{
    std::lock_guard<std::mutex> Guard(FTxtLock);
    if (!FSendingTxtFile)
        return false;
    return SendNextTxtLine();
}

bool TCustomUart::SendNextTxtLine()
{
    if (std::fgets(TxtLineBuff.get(), TxtLineSize, TxtFile.get())) {
        ResetIfCreated(OlapWrTxtFile.hEvent);
        const bool Done = WriteTxtLine(TxtLineWritten);
        ResetIfCreated(OlapWrTxtFile.hEvent);
        if (Done && TxtLineWritten == TxtLineLength)
            return true;
    }
    // The end of the file, or a short or failed write: the transfer ends
    // without a word, and OnTxdEmpty marks it.
    EndTxtFile();
    return false;
}

} // namespace YVclCtrl
