#include "win32/FileIo.h"

#include <cctype>
#include <cstring>

#include "CommDevice.h"
#include "DiskDevice.h"
#include "win32/Comm.h"
#include "win32/Debug.h"
#include "win32/LastError.h"

using namespace win32_detail;

namespace {

// The number of "\\.\COM<n>" or "COM<n>" (any case), or 0.
unsigned ComNumberOf(LPCSTR FileName)
{
    const char* Name = FileName;
    if (std::strncmp(Name, "\\\\.\\", 4) == 0)
        Name += 4;
    if (std::strlen(Name) < 4 || std::toupper(static_cast<unsigned char>(Name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(Name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(Name[2])) != 'M')
        return 0;
    unsigned Number = 0;
    const char* Digits = Name + 3;
    for (const char* P = Digits; *P; ++P) {
        if (!std::isdigit(static_cast<unsigned char>(*P)) || P - Digits >= 6)
            return 0;
        Number = Number * 10 + static_cast<unsigned>(*P - '0');
    }
    return Number;
}

// The debug line for a COM device that could not be opened: which Linux
// device it was, where that name came from, and the system's reason.
void DebugRefusedCom(unsigned Number, const TComDeviceName& Name, int Reason)
{
    const AnsiString Source = Name.FromVariable
                                  ? "from " + Name.Variable
                                  : "the default /dev/ttyS<n-1>; " + Name.Variable + " is not set";
    const AnsiString Line = "COM" + std::to_string(Number) + " open failed: " + Name.Path + " (" + Source +
                            "): " + std::strerror(Reason) + "\n";
    OutputDebugString(Line.c_str());
}

// Disk handles are synchronous only.
BOOL InvalidOverlapped()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

} // namespace

HANDLE CreateFile(LPCSTR FileName, DWORD DesiredAccess, DWORD ShareMode, LPSECURITY_ATTRIBUTES,
                  DWORD CreationDisposition, DWORD FlagsAndAttributes, HANDLE)
{
    if (IsDiskDeviceName(FileName))
        return CreateDiskFile(FileName, DesiredAccess, ShareMode, CreationDisposition, FlagsAndAttributes);
    if (!FileName || ShareMode != 0 || CreationDisposition != OPEN_EXISTING ||
        !(FlagsAndAttributes & FILE_FLAG_OVERLAPPED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const unsigned Number = ComNumberOf(FileName);
    if (Number == 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const TComDeviceName Name = ComDeviceName(Number);
    DWORD Error = ERROR_SUCCESS;
    int Reason = 0;
    std::shared_ptr<TCommDevice> Device = TCommDevice::Open(Name.Path, Error, Reason);
    if (!Device) {
        DebugRefusedCom(Number, Name, Reason);
        SetLastError(Error);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE Handle = RegisterHandle(Device);
    if (!Handle) {
        Device->OnClose();
        return INVALID_HANDLE_VALUE;
    }
    return Handle;
}

BOOL ReadFile(HANDLE File, LPVOID Buffer, DWORD BytesToRead, LPDWORD BytesRead, LPOVERLAPPED Overlapped)
{
    if (auto Disk = std::dynamic_pointer_cast<TDiskDevice>(LookupHandle(File)))
        return Overlapped ? InvalidOverlapped() : Disk->Read(Buffer, BytesToRead, BytesRead);
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->Read(Buffer, BytesToRead, BytesRead, Overlapped) : FALSE;
}

BOOL WriteFile(HANDLE File, LPCVOID Buffer, DWORD BytesToWrite, LPDWORD BytesWritten, LPOVERLAPPED Overlapped)
{
    if (auto Disk = std::dynamic_pointer_cast<TDiskDevice>(LookupHandle(File)))
        return Overlapped ? InvalidOverlapped() : Disk->Write(Buffer, BytesToWrite, BytesWritten);
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->Write(Buffer, BytesToWrite, BytesWritten, Overlapped) : FALSE;
}

BOOL GetOverlappedResult(HANDLE File, LPOVERLAPPED Overlapped, LPDWORD BytesTransferred, BOOL Wait)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->OverlappedResult(Overlapped, BytesTransferred, Wait != FALSE) : FALSE;
}

BOOL CancelIo(HANDLE File)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->CancelThreadIo(std::this_thread::get_id()) : FALSE;
}
