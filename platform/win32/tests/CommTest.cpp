#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "simdevice/PtyDevice.h"
#include "win32/Comm.h"
#include "win32/FileIo.h"
#include "win32/LastError.h"
#include "win32/Synch.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr unsigned Com = 3;
// Generous real-time limits: the tests run in parallel and under sanitizers.
constexpr DWORD LongWaitMs = 10000;

HANDLE OpenCom(unsigned Number)
{
    const std::string Name = "\\\\.\\COM" + std::to_string(Number);
    return CreateFile(Name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                      nullptr);
}

DCB LineDcb(DWORD Baud, BYTE Bits, BYTE Parity, BYTE StopBits)
{
    DCB Dcb{};
    Dcb.DCBlength = sizeof Dcb;
    Dcb.fBinary = 1;
    Dcb.BaudRate = Baud;
    Dcb.ByteSize = Bits;
    Dcb.Parity = Parity;
    Dcb.StopBits = StopBits;
    Dcb.fDtrControl = DTR_CONTROL_ENABLE;
    Dcb.fRtsControl = RTS_CONTROL_ENABLE;
    return Dcb;
}

BOOL Configure(HANDLE Port, const DCB& Dcb)
{
    COMMCONFIG Config{};
    Config.dwSize = sizeof Config;
    Config.wVersion = 1;
    Config.dcb = Dcb;
    Config.dwProviderSubType = PST_RS232;
    return SetCommConfig(Port, &Config, sizeof Config);
}

// An overlapped record with its own manual-reset event.
struct TOverlapped : OVERLAPPED {
    TOverlapped() : OVERLAPPED{} { hEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr); }
    ~TOverlapped() { CloseHandle(hEvent); }
    TOverlapped(const TOverlapped&) = delete;
    TOverlapped& operator=(const TOverlapped&) = delete;
};

long long MsSince(TClock::time_point Start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - Start).count();
}

} // namespace

TEST(ComDevicePath, EnvironmentVariableElseTtyS)
{
    unsetenv("VTX_COM4");
    EXPECT_EQ(ComDevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(ComDevicePath(1), "/dev/ttyS0");
    setenv("VTX_COM4", "/dev/ttyUSB0", 1);
    EXPECT_EQ(ComDevicePath(4), "/dev/ttyUSB0");
    setenv("VTX_COM4", "", 1);
    EXPECT_EQ(ComDevicePath(4), "/dev/ttyS3") << "an empty variable maps nothing";
    unsetenv("VTX_COM4");
    EXPECT_EQ(ComDevicePath(0), "");
}

TEST(ComOpen, MissingOrUnusableDevices)
{
    char File[] = "/tmp/vtx-not-a-tty-XXXXXX";
    const int Fd = mkstemp(File);
    ASSERT_GE(Fd, 0);
    close(Fd);
    struct TCase {
        const char* Name;
        const char* Path;     // VTX_COM9, or null for unset
        const char* FileName;
        DWORD Share;
        DWORD Error;
    };
    const TCase Cases[] = {
        {"no such device", "/dev/vtx-no-such-tty", "\\\\.\\COM9", 0, ERROR_FILE_NOT_FOUND},
        {"not a serial device", File, "\\\\.\\COM9", 0, ERROR_FILE_NOT_FOUND},
        {"not a COM name", nullptr, "\\\\.\\LPT1", 0, ERROR_FILE_NOT_FOUND},
        {"COM0", nullptr, "\\\\.\\COM0", 0, ERROR_FILE_NOT_FOUND},
        {"sharing asked for", "/dev/vtx-no-such-tty", "\\\\.\\COM9", 1, ERROR_INVALID_PARAMETER},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        if (Case.Path)
            setenv("VTX_COM9", Case.Path, 1);
        else
            unsetenv("VTX_COM9");
        SetLastError(0);
        EXPECT_EQ(CreateFile(Case.FileName, GENERIC_READ | GENERIC_WRITE, Case.Share, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), Case.Error);
    }
    unsetenv("VTX_COM9");
    unlink(File);
}

// The open that a program's log reports only as refused or missing says on
// the debug channel (VTX_DEBUG) which device it tried, where that name came
// from, and the system's reason.
class ComOpenDebugLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int Fd = mkstemp(Log);
        ASSERT_GE(Fd, 0);
        close(Fd);
        setenv("VTX_DEBUG", Log, 1);
    }
    void TearDown() override
    {
        unsetenv("VTX_DEBUG");
        unlink(Log);
    }

    // The debug text of one open of COM<Number> that must fail.
    std::string RefusedOpen(unsigned Number)
    {
        truncate(Log, 0);
        EXPECT_EQ(OpenCom(Number), INVALID_HANDLE_VALUE);
        std::string Text;
        if (std::FILE* File = std::fopen(Log, "rb")) {
            for (int C; (C = std::fgetc(File)) != EOF;)
                Text += static_cast<char>(C);
            std::fclose(File);
        }
        return Text;
    }

    char Log[32] = "/tmp/vtx-debug-XXXXXX";
};

TEST_F(ComOpenDebugLine, NamesTheDeviceWhereItsNameCameFromAndTheReason)
{
    char File[] = "/tmp/vtx-not-a-tty-XXXXXX";
    const int Fd = mkstemp(File);
    ASSERT_GE(Fd, 0);
    close(Fd);
    simdevice::TPtyDevice Device{8};
    const HANDLE Held = OpenCom(8);
    ASSERT_NE(Held, INVALID_HANDLE_VALUE);
    struct TCase {
        unsigned Com;
        const char* Path;   // VTX_COM<Com>, or null for unset
        std::string Line;
    };
    const TCase Cases[] = {
        {9, "/dev/vtx-no-such-tty", "COM9 open failed: /dev/vtx-no-such-tty (from VTX_COM9): No such file or directory\n"},
        {250, nullptr,
         "COM250 open failed: /dev/ttyS249 (the default /dev/ttyS<n-1>; VTX_COM250 is not set): No such file or "
         "directory\n"},
        {8, Device.SlavePath().c_str(),
         "COM8 open failed: " + Device.SlavePath() + " (from VTX_COM8): Device or resource busy\n"},
        {9, File, "COM9 open failed: " + std::string(File) + " (from VTX_COM9): Inappropriate ioctl for device\n"},
    };
    for (const TCase& Case : Cases) {
        const std::string Variable = "VTX_COM" + std::to_string(Case.Com);
        if (Case.Path)
            setenv(Variable.c_str(), Case.Path, 1);
        else
            unsetenv(Variable.c_str());
        EXPECT_EQ(RefusedOpen(Case.Com), Case.Line);
    }
    unsetenv("VTX_COM9");
    CloseHandle(Held);
    unlink(File);
}

TEST_F(ComOpenDebugLine, SaysPermissionDeniedForADeviceOfOthers)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root opens a device whatever its permission bits";
    char File[] = "/tmp/vtx-no-access-XXXXXX";
    const int Fd = mkstemp(File);
    ASSERT_GE(Fd, 0);
    fchmod(Fd, 0);
    close(Fd);
    setenv("VTX_COM9", File, 1);
    EXPECT_EQ(RefusedOpen(9), "COM9 open failed: " + std::string(File) + " (from VTX_COM9): Permission denied\n");
    unsetenv("VTX_COM9");
    unlink(File);
}

class ComPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        Port = OpenCom(Com);
        ASSERT_NE(Port, INVALID_HANDLE_VALUE) << GetLastError();
        ASSERT_TRUE(Configure(Port, LineDcb(9600, 8, NOPARITY, ONESTOPBIT)));
    }
    void TearDown() override
    {
        if (Port != INVALID_HANDLE_VALUE)
            CloseHandle(Port);
    }

    // Waits for the next port event of the mask set; 0 when none came.
    DWORD NextEvent()
    {
        TOverlapped Ov;
        DWORD Events = 0;
        if (!WaitCommEvent(Port, &Events, &Ov)) {
            EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
            if (WaitForSingleObject(Ov.hEvent, LongWaitMs) != WAIT_OBJECT_0) {
                SetCommMask(Port, 0);
                return 0;
            }
            DWORD Unused;
            EXPECT_TRUE(GetOverlappedResult(Port, &Ov, &Unused, FALSE));
        }
        return Events;
    }

    // Reads what the input queue holds, after an EV_RXCHAR.
    std::string ReadQueued()
    {
        DWORD Errors = 0;
        COMSTAT Stat{};
        EXPECT_TRUE(ClearCommError(Port, &Errors, &Stat));
        std::string Bytes(Stat.cbInQue, '\0');
        TOverlapped Ov;
        DWORD Got = 0;
        EXPECT_TRUE(ReadFile(Port, Bytes.data(), Stat.cbInQue, &Got, &Ov)) << "bytes that wait are read at once";
        Bytes.resize(Got);
        return Bytes;
    }

    // Reads until Count bytes have come.
    std::string Receive(std::size_t Count)
    {
        std::string All;
        while (All.size() < Count) {
            const DWORD Events = NextEvent();
            if (!(Events & EV_RXCHAR))
                break;
            All += ReadQueued();
        }
        return All;
    }

    simdevice::TPtyDevice Device{Com};
    HANDLE Port = INVALID_HANDLE_VALUE;
};

TEST_F(ComPort, IsOpenedExclusively)
{
    EXPECT_EQ(OpenCom(Com), INVALID_HANDLE_VALUE) << "a second open in this process";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(CloseHandle(Port));
    Port = INVALID_HANDLE_VALUE;

    // Another program holding the device: its lock keeps us out, root or not.
    const int Other = open(Device.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(Other, 0);
    ASSERT_EQ(flock(Other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(OpenCom(Com), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    close(Other);

    Port = OpenCom(Com);
    EXPECT_NE(Port, INVALID_HANDLE_VALUE) << "free again once the other has closed it";
}

// A pseudo-terminal keeps its own data bits and parity (TtyLineTest checks
// those flags); the rest reaches it.
TEST_F(ComPort, LineSettingsReachTheTty)
{
    struct TCase {
        DCB Dcb;
        simdevice::TPtyLine Line;
    };
    DCB Cts = LineDcb(921600, 8, ODDPARITY, ONESTOPBIT);
    Cts.fOutxCtsFlow = 1;
    DCB Checked = LineDcb(4800, 8, EVENPARITY, ONESTOPBIT);
    Checked.fParity = 1;
    Checked.fErrorChar = 1;
    Checked.ErrorChar = '\n';
    DCB DsrFlow = LineDcb(9600, 8, NOPARITY, ONESTOPBIT);
    DsrFlow.fOutxDsrFlow = 1;
    DsrFlow.fDtrControl = DTR_CONTROL_HANDSHAKE;
    const TCase Cases[] = {
        {LineDcb(14400, 8, NOPARITY, ONESTOPBIT), {14400, 1, false, true, false}},
        {LineDcb(300, 7, EVENPARITY, TWOSTOPBITS), {300, 2, false, true, false}},
        {LineDcb(600, 8, NOPARITY, ONESTOPBIT), {600, 1, false, true, false}},
        {Cts, {921600, 1, true, true, false}},
        {Checked, {4800, 1, false, true, true}},
        {DsrFlow, {9600, 1, false, true, false}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Dcb.BaudRate);
        ASSERT_TRUE(Configure(Port, Case.Dcb)) << GetLastError();
        const simdevice::TPtyLine Line = Device.Line();
        EXPECT_EQ(Line.Baud, Case.Line.Baud);
        EXPECT_EQ(Line.StopBits, Case.Line.StopBits);
        EXPECT_EQ(Line.RtsCts, Case.Line.RtsCts);
        EXPECT_TRUE(Line.Raw);
        EXPECT_EQ(Line.ParityMarks, Case.Line.ParityMarks);
    }
}

TEST_F(ComPort, SettingsLinuxCannotGiveAreRefused)
{
    struct TCase {
        const char* Name;
        void (*Change)(DCB&);
    };
    const TCase Cases[] = {
        {"9 data bits", [](DCB& D) { D.ByteSize = 9; }},
        {"mark parity", [](DCB& D) { D.Parity = 3; }},
        {"1.5 stop bits", [](DCB& D) { D.StopBits = 1; }},
        {"XON/XOFF out", [](DCB& D) { D.fOutX = 1; }},
        {"XON/XOFF in", [](DCB& D) { D.fInX = 1; }},
        {"rate 0", [](DCB& D) { D.BaudRate = 0; }},
        {"RTS toggle", [](DCB& D) { D.fRtsControl = 3; }},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        DCB Dcb = LineDcb(9600, 8, NOPARITY, ONESTOPBIT);
        Case.Change(Dcb);
        SetLastError(0);
        EXPECT_FALSE(Configure(Port, Dcb));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_EQ(Device.Line().Baud, 9600u) << "the line keeps its settings";
}

TEST_F(ComPort, ReceivedBytesRaiseRxcharAndAreRead)
{
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR));
    Device.Write("hello\r\n");
    EXPECT_EQ(Receive(7), "hello\r\n") << "raw: nothing translated";
    Device.Write(std::string("\x00\xFF\x7F", 3));
    EXPECT_EQ(Receive(3), std::string("\x00\xFF\x7F", 3));
}

TEST_F(ComPort, ParityMarksAreUndone)
{
    DCB Dcb = LineDcb(9600, 8, EVENPARITY, ONESTOPBIT);
    Dcb.fParity = 1;
    Dcb.fErrorChar = 1;
    Dcb.ErrorChar = '\n';
    ASSERT_TRUE(Configure(Port, Dcb));
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR));
    // The tty doubles each real 0xFF; the port gives it once.
    Device.Write("\xFF" "A\xFF");
    EXPECT_EQ(Receive(3), "\xFF" "A\xFF");
}

TEST_F(ComPort, PendingReadEndsAtTheIntervalOrTotalTimeOut)
{
    COMMTIMEOUTS Timeouts{20, 0, 300, 0, 0};
    ASSERT_TRUE(SetCommTimeouts(Port, &Timeouts));
    char Buffer[16] = {};
    {
        TOverlapped Ov;
        DWORD Got = 0;
        EXPECT_FALSE(ReadFile(Port, Buffer, sizeof Buffer, &Got, &Ov));
        EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
        EXPECT_FALSE(GetOverlappedResult(Port, &Ov, &Got, FALSE));
        EXPECT_EQ(GetLastError(), ERROR_IO_INCOMPLETE);
        Device.Write("abcd");
        ASSERT_TRUE(GetOverlappedResult(Port, &Ov, &Got, TRUE));
        EXPECT_EQ(Got, 4u) << "ends 20 ms after the last byte, with what came";
        EXPECT_EQ(std::string(Buffer, Got), "abcd");
    }
    {
        TOverlapped Ov;
        DWORD Got = 99;
        const auto Start = TClock::now();
        EXPECT_FALSE(ReadFile(Port, Buffer, sizeof Buffer, &Got, &Ov));
        ASSERT_TRUE(GetOverlappedResult(Port, &Ov, &Got, TRUE));
        EXPECT_EQ(Got, 0u) << "nothing came in the total time";
        EXPECT_GE(MsSince(Start), 300);
    }
}

TEST_F(ComPort, WriteRaisesTxEmptyOnceTheBytesHaveLeft)
{
    ASSERT_TRUE(SetCommMask(Port, EV_TXEMPTY));
    TOverlapped Ov;
    DWORD Put = 0;
    ASSERT_TRUE(WriteFile(Port, "ping", 4, &Put, &Ov)) << "a short write completes at once";
    EXPECT_EQ(Put, 4u);
    EXPECT_EQ(WaitForSingleObject(Ov.hEvent, 0), WAIT_OBJECT_0) << "and still sets its event";
    EXPECT_EQ(NextEvent(), EV_TXEMPTY);
    ASSERT_TRUE(Device.WaitReceived(4, LongWaitMs));
    EXPECT_EQ(Device.Received(), "ping");
}

TEST_F(ComPort, WriteThatCannotLeaveCompletesShortAtItsTimeOut)
{
    COMMTIMEOUTS Timeouts{0, 0, 0, 0, 300};
    ASSERT_TRUE(SetCommTimeouts(Port, &Timeouts));
    Device.PauseReading();
    const std::string Big(1 << 20, 'x');
    TOverlapped Ov;
    DWORD Put = 0;
    const auto Start = TClock::now();
    ASSERT_FALSE(WriteFile(Port, Big.data(), static_cast<DWORD>(Big.size()), &Put, &Ov));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    ASSERT_TRUE(GetOverlappedResult(Port, &Ov, &Put, TRUE)) << "a time-out is not a failure";
    EXPECT_GE(MsSince(Start), 300);
    EXPECT_GT(Put, 0u);
    EXPECT_LT(Put, Big.size());
    Device.ResumeReading();
    EXPECT_TRUE(Device.WaitReceived(Put, LongWaitMs));
}

TEST_F(ComPort, LargeWriteCompletesWhenTheDeviceHasTakenIt)
{
    std::string Big(300000, '\0');
    for (std::size_t i = 0; i < Big.size(); ++i)
        Big[i] = static_cast<char>(i * 7);
    TOverlapped Ov;
    DWORD Put = 0;
    if (!WriteFile(Port, Big.data(), static_cast<DWORD>(Big.size()), &Put, &Ov)) {
        ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
        ASSERT_TRUE(GetOverlappedResult(Port, &Ov, &Put, TRUE));
    }
    EXPECT_EQ(Put, Big.size());
    ASSERT_TRUE(Device.WaitReceived(Big.size(), LongWaitMs));
    EXPECT_EQ(Device.Received(), Big);
}

TEST_F(ComPort, ClearingTheMaskCompletesAPendingWait)
{
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR));
    TOverlapped Ov;
    DWORD Events = 99;
    ASSERT_FALSE(WaitCommEvent(Port, &Events, &Ov));
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    DWORD Second = 0;
    TOverlapped Ov2;
    EXPECT_FALSE(WaitCommEvent(Port, &Second, &Ov2)) << "one wait at a time";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    ASSERT_TRUE(SetCommMask(Port, 0));
    EXPECT_EQ(WaitForSingleObject(Ov.hEvent, 0), WAIT_OBJECT_0);
    DWORD Unused;
    EXPECT_TRUE(GetOverlappedResult(Port, &Ov, &Unused, FALSE));
    EXPECT_EQ(Events, 0u);
}

TEST_F(ComPort, HangUpFailsWaitsReadsAndWritesInsteadOfSpinning)
{
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR | EV_TXEMPTY));
    TOverlapped Wait;
    DWORD Events = 0;
    ASSERT_FALSE(WaitCommEvent(Port, &Events, &Wait));
    Device.HangUp();
    ASSERT_EQ(WaitForSingleObject(Wait.hEvent, LongWaitMs), WAIT_OBJECT_0);
    DWORD Unused;
    EXPECT_FALSE(GetOverlappedResult(Port, &Wait, &Unused, FALSE));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);

    TOverlapped Ov;
    EXPECT_FALSE(WaitCommEvent(Port, &Events, &Ov)) << "fails at once, not pending";
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    char Buffer[4];
    DWORD Count = 0;
    EXPECT_FALSE(ReadFile(Port, Buffer, sizeof Buffer, &Count, &Ov));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(WriteFile(Port, "x", 1, &Count, &Ov));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
}

TEST_F(ComPort, CancelIoEndsOnlyTheCallingThreadsTransfers)
{
    char Mine[4];
    char Theirs[4];
    TOverlapped MyRead;
    TOverlapped TheirRead;
    DWORD Got;
    ASSERT_FALSE(ReadFile(Port, Mine, sizeof Mine, &Got, &MyRead));
    std::thread Other([&] {
        DWORD OtherGot;
        EXPECT_FALSE(ReadFile(Port, Theirs, sizeof Theirs, &OtherGot, &TheirRead));
        // The thread ends: its pending read is cancelled with it.
    });
    Other.join();
    ASSERT_EQ(WaitForSingleObject(TheirRead.hEvent, LongWaitMs), WAIT_OBJECT_0);
    EXPECT_FALSE(GetOverlappedResult(Port, &TheirRead, &Got, FALSE));
    EXPECT_EQ(GetLastError(), ERROR_OPERATION_ABORTED);

    EXPECT_FALSE(GetOverlappedResult(Port, &MyRead, &Got, FALSE)) << "still pending";
    EXPECT_EQ(GetLastError(), ERROR_IO_INCOMPLETE);
    ASSERT_TRUE(CancelIo(Port));
    EXPECT_FALSE(GetOverlappedResult(Port, &MyRead, &Got, FALSE));
    EXPECT_EQ(GetLastError(), ERROR_OPERATION_ABORTED);
}

TEST_F(ComPort, ClosingAbortsPendingTransfers)
{
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR));
    TOverlapped Wait;
    DWORD Events;
    ASSERT_FALSE(WaitCommEvent(Port, &Events, &Wait));
    char Buffer[4];
    TOverlapped Read;
    DWORD Got;
    ASSERT_FALSE(ReadFile(Port, Buffer, sizeof Buffer, &Got, &Read));
    ASSERT_TRUE(CloseHandle(Port));
    EXPECT_EQ(WaitForSingleObject(Wait.hEvent, 0), WAIT_OBJECT_0);
    EXPECT_EQ(Wait.Internal, ERROR_OPERATION_ABORTED);
    EXPECT_EQ(Read.Internal, ERROR_OPERATION_ABORTED);
    EXPECT_FALSE(ReadFile(Port, Buffer, sizeof Buffer, &Got, &Read));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    Port = OpenCom(Com);
    EXPECT_NE(Port, INVALID_HANDLE_VALUE) << "the device is free again";
}

TEST_F(ComPort, PurgeRxClearDropsWhatWaits)
{
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR));
    Device.Write("old");
    ASSERT_EQ(NextEvent(), EV_RXCHAR);
    ASSERT_TRUE(PurgeComm(Port, PURGE_RXABORT | PURGE_RXCLEAR));
    COMSTAT Stat{};
    DWORD Errors = 0;
    ASSERT_TRUE(ClearCommError(Port, &Errors, &Stat));
    EXPECT_EQ(Stat.cbInQue, 0u);
    EXPECT_EQ(Errors, 0u);
    Device.Write("new");
    EXPECT_EQ(Receive(3), "new");
    EXPECT_FALSE(PurgeComm(Port, 0x10));
}

TEST_F(ComPort, APseudoTerminalHasNoModemLinesAndCarriesOn)
{
    DWORD Status = 99;
    EXPECT_TRUE(GetCommModemStatus(Port, &Status));
    EXPECT_EQ(Status, 0u);
    for (DWORD Function : {SETDTR, SETRTS, CLRRTS, CLRDTR})
        EXPECT_TRUE(EscapeCommFunction(Port, Function));
    EXPECT_FALSE(EscapeCommFunction(Port, 99));
    ASSERT_TRUE(SetCommMask(Port, EV_RXCHAR | EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_ERR));
    Device.Write("z");
    EXPECT_EQ(NextEvent(), EV_RXCHAR);
}
