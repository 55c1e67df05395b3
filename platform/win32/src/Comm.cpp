#include "win32/Comm.h"

#include <cstddef>
#include <cstdlib>

#include "CommDevice.h"
#include "win32/LastError.h"

using namespace win32_detail;

TComDeviceName win32_detail::ComDeviceName(unsigned Number)
{
    TComDeviceName Name;
    if (Number == 0)
        return Name;
    Name.Variable = "VTX_COM" + std::to_string(Number);
    if (const char* Path = std::getenv(Name.Variable.c_str()); Path && *Path) {
        Name.Path = Path;
        Name.FromVariable = true;
    } else {
        Name.Path = "/dev/ttyS" + std::to_string(Number - 1);
    }
    return Name;
}

AnsiString ComDevicePath(unsigned Number)
{
    return ComDeviceName(Number).Path;
}

namespace {

BOOL InvalidParameter()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

} // namespace

BOOL SetupComm(HANDLE File, DWORD InQueue, DWORD OutQueue)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->Setup(InQueue, OutQueue) : FALSE;
}

BOOL SetCommConfig(HANDLE File, const COMMCONFIG* Config, DWORD Size)
{
    auto Device = LookupAs<TCommDevice>(File);
    if (!Device)
        return FALSE;
    if (!Config || Size < offsetof(COMMCONFIG, dcb) + sizeof(DCB))
        return InvalidParameter();
    return Device->Configure(Config->dcb);
}

BOOL SetCommTimeouts(HANDLE File, const COMMTIMEOUTS* Timeouts)
{
    auto Device = LookupAs<TCommDevice>(File);
    if (!Device)
        return FALSE;
    if (!Timeouts)
        return InvalidParameter();
    return Device->SetTimeouts(*Timeouts);
}

BOOL SetCommMask(HANDLE File, DWORD EvtMask)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->SetMask(EvtMask) : FALSE;
}

BOOL WaitCommEvent(HANDLE File, LPDWORD EvtMask, LPOVERLAPPED Overlapped)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->WaitEvent(EvtMask, Overlapped) : FALSE;
}

BOOL ClearCommError(HANDLE File, LPDWORD Errors, COMSTAT* Stat)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->ClearError(Errors, Stat) : FALSE;
}

BOOL GetCommModemStatus(HANDLE File, LPDWORD ModemStat)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->ModemStatus(ModemStat) : FALSE;
}

BOOL EscapeCommFunction(HANDLE File, DWORD Function)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->Escape(Function) : FALSE;
}

BOOL PurgeComm(HANDLE File, DWORD Flags)
{
    auto Device = LookupAs<TCommDevice>(File);
    return Device ? Device->Purge(Flags) : FALSE;
}
