#pragma once
// Opening COM devices and overlapped reads and writes on them. Volumes and
// disks ("\\.\C:", "\\.\PHYSICALDRIVE0") open here too, for synchronous
// sector access: see win32/DiskIo.h.
//
// Only COM devices are offered: "\\.\COM<n>" (or "COM<n>"), which opens the
// Linux device that ComDevicePath (win32/Comm.h) names. Every transfer is
// overlapped: it completes at once (TRUE) or is left pending (FALSE with
// ERROR_IO_PENDING) and completes later, setting the OVERLAPPED's event.
// Starting a transfer resets that event. The buffer of a pending read must
// stay valid until the read completes; a write keeps its own copy.
//
// CancelIo ends the calling thread's pending transfers on a handle with
// ERROR_OPERATION_ABORTED; a thread that ends has its pending transfers
// cancelled in the same way, and closing the handle cancels them all.

#include <cstdint>

#include "win32/Handles.h"
#include "win32/Types.h"

using ULONG_PTR = std::uintptr_t;

struct OVERLAPPED {
    ULONG_PTR Internal;       // completion status: STATUS_PENDING while pending, else an error code (0 done)
    ULONG_PTR InternalHigh;   // bytes transferred
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

constexpr ULONG_PTR STATUS_PENDING = 0x00000103;

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

// Opens a COM device for exclusive use. INVALID_HANDLE_VALUE on failure:
// ERROR_FILE_NOT_FOUND (no such device, or not a serial device),
// ERROR_ACCESS_DENIED (open elsewhere, in this process or another, or no
// permission), ERROR_INVALID_PARAMETER (sharing asked for, a disposition
// other than OPEN_EXISTING, no FILE_FLAG_OVERLAPPED), ERROR_GEN_FAILURE.
// FILE_FLAG_WRITE_THROUGH is accepted; a serial line has nothing to flush.
HANDLE CreateFile(LPCSTR FileName, DWORD DesiredAccess, DWORD ShareMode, LPSECURITY_ATTRIBUTES Security,
                  DWORD CreationDisposition, DWORD FlagsAndAttributes, HANDLE TemplateFile);

// A read completes when all bytes have arrived or a COMMTIMEOUTS time-out
// has passed (then with fewer bytes); a write when the driver has taken all
// bytes or the write time-out has passed (then with fewer). After a hang-up
// (the device unplugged, the far end of a pseudo-terminal closed) reads fail
// once the bytes already received are read, and writes fail, with
// ERROR_DEVICE_NOT_CONNECTED.
BOOL ReadFile(HANDLE File, LPVOID Buffer, DWORD BytesToRead, LPDWORD BytesRead, LPOVERLAPPED Overlapped);
BOOL WriteFile(HANDLE File, LPCVOID Buffer, DWORD BytesToWrite, LPDWORD BytesWritten, LPOVERLAPPED Overlapped);

// The outcome of a transfer or of WaitCommEvent. Not complete: with Wait it
// blocks until it is; without, FALSE with ERROR_IO_INCOMPLETE. Complete with
// an error: FALSE with that error.
BOOL GetOverlappedResult(HANDLE File, LPOVERLAPPED Overlapped, LPDWORD BytesTransferred, BOOL Wait);

BOOL CancelIo(HANDLE File);
