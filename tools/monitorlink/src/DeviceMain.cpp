// monitorlink-device: plays a VTX-7430 for someone trying the PC monitor.
// It opens a pseudo-terminal, says which VTX_COM<n> to give the monitor,
// sends a status packet every second and carries out the monitor's command
// frames (channel, song, time, date), printing each one.
//
//   monitorlink-device [--com N] [--long] [--finish HH:MM]

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <string>

#include "monitorlink/MonitorDevice.h"
#include "monitorlink/SimulatedPlayer.h"

namespace {

volatile std::sig_atomic_t Stopping = 0;

void OnSignal(int)
{
    Stopping = 1;
}

struct TOptions {
    unsigned Com = 3;
    monitorlink::TBodyLayout Layout = monitorlink::bl_Short;
    int FinishHour = -1;
    int FinishMinute = -1;
};

void Usage(std::FILE* To)
{
    std::fputs("usage: monitorlink-device [--com N] [--long] [--finish HH:MM]\n"
               "  --com N          the COM number the monitor is to choose (1 to 12, default 3)\n"
               "  --long           send the 14-byte body layout instead of the 12-byte one\n"
               "  --finish HH:MM   when the day's schedule finishes on the device's clock\n"
               "                   (default: the first whole minute at least 30 s from now)\n",
               To);
}

bool ParseOptions(int argc, char** argv, TOptions& Options)
{
    for (int I = 1; I < argc; ++I) {
        const std::string Arg = argv[I];
        if (Arg == "--com" && I + 1 < argc) {
            char* End = nullptr;
            const long Com = std::strtol(argv[++I], &End, 10);
            if (*End != '\0' || Com < 1 || Com > 12)
                return false;
            Options.Com = static_cast<unsigned>(Com);
        } else if (Arg == "--long") {
            Options.Layout = monitorlink::bl_Long;
        } else if (Arg == "--finish" && I + 1 < argc) {
            int Hour = 0, Minute = 0;
            char Rest = 0;
            if (std::sscanf(argv[++I], "%d:%d%c", &Hour, &Minute, &Rest) != 2 || Hour < 0 || Hour > 23 ||
                Minute < 0 || Minute > 59)
                return false;
            Options.FinishHour = Hour;
            Options.FinishMinute = Minute;
        } else {
            return false;
        }
    }
    return true;
}

monitorlink::TCalendarTime LocalNow()
{
    const std::time_t Now = std::time(nullptr);
    std::tm Local{};
    localtime_r(&Now, &Local);
    monitorlink::TCalendarTime T;
    T.Year = Local.tm_year + 1900;
    T.Month = Local.tm_mon + 1;
    T.Day = Local.tm_mday;
    T.Hour = Local.tm_hour;
    T.Minute = Local.tm_min;
    T.Second = Local.tm_sec;
    return T;
}

void PrintStamp(const monitorlink::TCalendarTime& T)
{
    std::printf("%02d:%02d:%02d  ", T.Hour, T.Minute, T.Second);
}

// Waits at most TimeoutMs for a line on the standard input; true when Enter
// was pressed. Once the input has ended (InputOpen false) it is only a wait.
bool EnterPressed(int TimeoutMs, bool& InputOpen)
{
    pollfd In{InputOpen ? STDIN_FILENO : -1, POLLIN, 0};
    if (poll(&In, 1, TimeoutMs) <= 0 || !(In.revents & (POLLIN | POLLHUP)))
        return false;
    char Buffer[256];
    const ssize_t Got = read(STDIN_FILENO, Buffer, sizeof Buffer);
    if (Got <= 0) {
        InputOpen = false;
        return false;
    }
    return std::memchr(Buffer, '\n', static_cast<std::size_t>(Got)) != nullptr;
}

int Run(const TOptions& Options)
{
    using TClock = monitorlink::TSimulatedPlayer::TClock;
    monitorlink::TMonitorDevice Device(Options.Com);
    const monitorlink::TCalendarTime Start = LocalNow();
    monitorlink::TSimulatedPlayer Player(Start, TClock::now());
    int FinishHour = Options.FinishHour, FinishMinute = Options.FinishMinute;
    if (FinishHour < 0) {
        const int Minutes = (Start.Hour * 3600 + Start.Minute * 60 + Start.Second + 30 + 59) / 60 % (24 * 60);
        FinishHour = Minutes / 60;
        FinishMinute = Minutes % 60;
    }
    Player.SetFinishTime(FinishHour, FinishMinute);

    std::printf("A simulated VTX-7430 is on COM%u. Start the monitor with\n\n"
                "    VTX_COM%u=%s ./scripts/run-monitor.sh\n\n"
                "and choose \"COM %u\" in its COM box. A status packet goes out every second\n"
                "(%s body); the day's schedule finishes at %02d:%02d on the device's clock.\n"
                "Enter stops or resumes the packets (the monitor then shows the device\n"
                "offline after about 11 s); Ctrl-C ends.\n\n",
                Options.Com, Options.Com, Device.Line().SlavePath().c_str(), Options.Com,
                Options.Layout == monitorlink::bl_Long ? "14-byte" : "12-byte", FinishHour, FinishMinute);
    std::fflush(stdout);

    std::size_t FramesSeen = 0;
    bool Sending = true;
    bool InputOpen = true;
    int LastState = -1;
    auto NextPacket = TClock::now();
    while (!Stopping) {
        const auto Now = TClock::now();
        const std::vector<monitorlink::TCommandFrame> Frames = Device.Frames();
        for (; FramesSeen < Frames.size(); ++FramesSeen) {
            const monitorlink::TCommandFrame& Frame = Frames[FramesSeen];
            const bool Done = Player.Apply(Frame, Now);
            PrintStamp(Player.Clock(Now));
            std::printf("<< %s  %s%s\n", Frame.Bytes.c_str(), monitorlink::DescribeCommand(Frame).c_str(),
                        Done ? "" : " (refused)");
        }
        if (Now >= NextPacket) {
            const monitorlink::TDeviceReport Report = Player.Report(Now);
            if (Report.ScheduleState != LastState) {
                PrintStamp(Player.Clock(Now));
                std::printf(Report.ScheduleState == 5 ? "schedule state 5: the day's schedule has finished\n"
                                                      : "schedule state 3: the day's schedule runs\n");
                LastState = Report.ScheduleState;
            }
            if (Sending)
                Device.SendStatus(Report, Options.Layout);
            NextPacket += std::chrono::seconds(1);
        }
        std::fflush(stdout);
        const auto Wait = std::chrono::duration_cast<std::chrono::milliseconds>(NextPacket - TClock::now()).count();
        if (EnterPressed(static_cast<int>(Wait < 0 ? 0 : Wait > 100 ? 100 : Wait), InputOpen)) {
            Sending = !Sending;
            PrintStamp(Player.Clock(TClock::now()));
            std::printf(Sending ? "status packets resumed\n" : "status packets stopped\n");
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TOptions Options;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        Usage(stdout);
        return 0;
    }
    if (!ParseOptions(argc, argv, Options)) {
        Usage(stderr);
        return 2;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    try {
        return Run(Options);
    } catch (const std::exception& E) {
        std::fprintf(stderr, "monitorlink-device: %s\n", E.what());
        return 1;
    }
}
