#pragma once
// Serial communications on COM devices opened with CreateFile.
//
// On Linux, COM<n> is the device named by the environment variable
// VTX_COM<n> (for example VTX_COM3=/dev/ttyUSB0), else /dev/ttyS<n-1>.
// Devices without modem lines or error counters (pseudo-terminals) work
// without them: their lines read as off and they report no line errors.

#include "rtl/System.h"
#include "win32/FileIo.h"
#include "win32/Types.h"

// The path that COM<Number> opens; empty for 0.
AnsiString ComDevicePath(unsigned Number);

// Device control block.
struct DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;            // check parity; a bad byte becomes ErrorChar when fErrorChar
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;       // accepted; Linux has no DSR output flow control
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
static_assert(sizeof(DCB) == 28);

using WCHAR = char16_t;

struct COMMCONFIG {
    DWORD dwSize;
    WORD wVersion;
    WORD wReserved;
    DCB dcb;
    DWORD dwProviderSubType;
    DWORD dwProviderOffset;
    DWORD dwProviderSize;
    WCHAR wcProviderData[1];
};
static_assert(sizeof(COMMCONFIG) == 52);

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};

struct COMSTAT {
    DWORD fCtsHold : 1;
    DWORD fDsrHold : 1;
    DWORD fRlsdHold : 1;
    DWORD fXoffHold : 1;
    DWORD fXoffSent : 1;
    DWORD fEof : 1;
    DWORD fTxim : 1;
    DWORD fReserved : 25;
    DWORD cbInQue;
    DWORD cbOutQue;
};

constexpr DWORD MAXDWORD = 0xFFFFFFFF;

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE TWOSTOPBITS = 2;

constexpr DWORD DTR_CONTROL_DISABLE = 0;
constexpr DWORD DTR_CONTROL_ENABLE = 1;
constexpr DWORD DTR_CONTROL_HANDSHAKE = 2;   // accepted; Linux has no DTR input flow control
constexpr DWORD RTS_CONTROL_DISABLE = 0;
constexpr DWORD RTS_CONTROL_ENABLE = 1;
constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;

constexpr DWORD PST_RS232 = 1;

// Events (SetCommMask, WaitCommEvent).
constexpr DWORD EV_RXCHAR = 0x0001;    // bytes were received
constexpr DWORD EV_TXEMPTY = 0x0004;   // the output queue has drained after a write
constexpr DWORD EV_CTS = 0x0008;
constexpr DWORD EV_DSR = 0x0010;
constexpr DWORD EV_RLSD = 0x0020;
constexpr DWORD EV_BREAK = 0x0040;
constexpr DWORD EV_ERR = 0x0080;       // a line error: any CE_ bit below
constexpr DWORD EV_RING = 0x0100;

// Line errors (ClearCommError).
constexpr DWORD CE_RXOVER = 0x0001;
constexpr DWORD CE_OVERRUN = 0x0002;
constexpr DWORD CE_RXPARITY = 0x0004;
constexpr DWORD CE_FRAME = 0x0008;
constexpr DWORD CE_BREAK = 0x0010;
constexpr DWORD CE_TXFULL = 0x0100;

// Modem lines (GetCommModemStatus).
constexpr DWORD MS_CTS_ON = 0x0010;
constexpr DWORD MS_DSR_ON = 0x0020;
constexpr DWORD MS_RING_ON = 0x0040;
constexpr DWORD MS_RLSD_ON = 0x0080;

// EscapeCommFunction.
constexpr DWORD SETRTS = 3;
constexpr DWORD CLRRTS = 4;
constexpr DWORD SETDTR = 5;
constexpr DWORD CLRDTR = 6;

// PurgeComm: the aborts end pending transfers, the clears empty the queues.
constexpr DWORD PURGE_TXABORT = 0x0001;
constexpr DWORD PURGE_RXABORT = 0x0002;
constexpr DWORD PURGE_TXCLEAR = 0x0004;
constexpr DWORD PURGE_RXCLEAR = 0x0008;

// The size of the input queue (received bytes not yet read; when it is full
// the device is not read until there is room) and of the output queue.
BOOL SetupComm(HANDLE File, DWORD InQueue, DWORD OutQueue);

// Applies the line settings of Config->dcb: any rate the driver accepts (read
// back; more than 3 % off fails), 5 to 8 data bits, no, odd or even parity,
// one or two stop bits, RTS/CTS flow control, always raw (no echo, no line
// editing, no translation). FALSE with ERROR_INVALID_PARAMETER for settings
// Linux cannot give: mark or space parity, 1.5 stop bits, XON/XOFF, null
// stripping, abort on error, DSR sensitivity.
BOOL SetCommConfig(HANDLE File, const COMMCONFIG* Config, DWORD Size);
BOOL SetCommTimeouts(HANDLE File, const COMMTIMEOUTS* Timeouts);

// Sets the events to wait for; a pending WaitCommEvent completes at once
// with no events.
BOOL SetCommMask(HANDLE File, DWORD EvtMask);
// Completes with the events that have happened since the mask was set or
// the last WaitCommEvent completed; one wait may be pending at a time
// (another gives ERROR_INVALID_PARAMETER). After a hang-up it fails with
// ERROR_DEVICE_NOT_CONNECTED.
BOOL WaitCommEvent(HANDLE File, LPDWORD EvtMask, LPOVERLAPPED Overlapped);

// The line errors since the last call (then cleared) and the queue counts.
BOOL ClearCommError(HANDLE File, LPDWORD Errors, COMSTAT* Stat);
BOOL GetCommModemStatus(HANDLE File, LPDWORD ModemStat);
BOOL EscapeCommFunction(HANDLE File, DWORD Function);
BOOL PurgeComm(HANDLE File, DWORD Flags);
