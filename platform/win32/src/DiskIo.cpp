#include "win32/DiskIo.h"

#include <cctype>
#include <cstring>
#include <strings.h>

#include "DiskDevice.h"
#include "win32/LastError.h"

using namespace win32_detail;

bool IsDiskDeviceName(LPCSTR FileName)
{
    if (!FileName || std::strncmp(FileName, "\\\\.\\", 4) != 0)
        return false;
    const char* Text = FileName + 4;
    if (std::isalpha(static_cast<unsigned char>(Text[0])) && Text[1] == ':' && Text[2] == '\0')
        return true;
    return strncasecmp(Text, "PHYSICALDRIVE", 13) == 0 && std::isdigit(static_cast<unsigned char>(Text[13]));
}

HANDLE CreateDiskFile(LPCSTR FileName, DWORD DesiredAccess, DWORD, DWORD CreationDisposition,
                      DWORD FlagsAndAttributes)
{
    if (!IsDiskDeviceName(FileName) || CreationDisposition != OPEN_EXISTING ||
        (FlagsAndAttributes & FILE_FLAG_OVERLAPPED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    DWORD Error = ERROR_SUCCESS;
    std::shared_ptr<TDiskDevice> Disk =
        TDiskDevice::Open(FileName, DesiredAccess, (FlagsAndAttributes & FILE_FLAG_WRITE_THROUGH) != 0, Error);
    if (!Disk) {
        SetLastError(Error);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE Handle = RegisterHandle(Disk);
    if (!Handle) {
        Disk->OnClose();
        return INVALID_HANDLE_VALUE;
    }
    return Handle;
}

DWORD SetFilePointer(HANDLE File, LONG DistanceToMove, LONG* DistanceToMoveHigh, DWORD MoveMethod)
{
    auto Disk = LookupAs<TDiskDevice>(File);
    if (!Disk)
        return INVALID_SET_FILE_POINTER;
    const long long Distance =
        DistanceToMoveHigh ? static_cast<long long>((static_cast<unsigned long long>(static_cast<DWORD>(*DistanceToMoveHigh)) << 32) |
                                                    static_cast<DWORD>(DistanceToMove))
                           : static_cast<long long>(DistanceToMove);
    unsigned long long Position = 0;
    if (!Disk->Seek(Distance, MoveMethod, Position))
        return INVALID_SET_FILE_POINTER;
    if (DistanceToMoveHigh)
        *DistanceToMoveHigh = static_cast<LONG>(Position >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(Position);
}

BOOL DeviceIoControl(HANDLE Device, DWORD IoControlCode, LPVOID, DWORD, LPVOID OutBuffer, DWORD OutBufferSize,
                     LPDWORD BytesReturned, LPOVERLAPPED Overlapped)
{
    auto Disk = LookupAs<TDiskDevice>(Device);
    if (!Disk)
        return FALSE;
    if (Overlapped) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Disk->Control(IoControlCode, OutBuffer, OutBufferSize, BytesReturned);
}
