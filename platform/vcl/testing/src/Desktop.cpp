#include "vcl/testing/Desktop.h"

#include <QWidget>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <ostream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

#include "vcl/Vcl.h"
#include "vcl/testing/User.h"

void PrintTo(const TScreenRect& Rect, std::ostream* Out)
{
    *Out << Rect.Width << " x " << Rect.Height << " at (" << Rect.Left << ", " << Rect.Top << ")";
}

namespace {

const TDesktop* RunningDesktop = nullptr;
std::string NotRunning = "no desktop was started for this test";

// Starts Program with Args; its standard output goes into the pipe Output
// (when not -1), its standard error nowhere, and it ends with this process.
pid_t Start(const std::vector<std::string>& Args, int Output = -1, int KeepOpen = -1)
{
    std::vector<char*> Argv;
    for (const std::string& Arg : Args)
        Argv.push_back(const_cast<char*>(Arg.c_str()));
    Argv.push_back(nullptr);
    const pid_t Child = fork();
    if (Child != 0)
        return Child;
    // In the child only calls that are safe after fork, then the program.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int Null = open("/dev/null", O_RDWR);
    dup2(Null, STDIN_FILENO);
    dup2(Output >= 0 ? Output : Null, STDOUT_FILENO);
    dup2(Null, STDERR_FILENO);
    for (int Descriptor = 3; Descriptor < 1024; ++Descriptor)
        if (Descriptor != KeepOpen)
            close(Descriptor);
    execvp(Argv[0], Argv.data());
    _exit(127);
}

// Runs a tool to its end; its standard output when it ends well.
std::optional<std::string> Run(const std::vector<std::string>& Args)
{
    int Pipe[2];
    if (pipe2(Pipe, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t Child = Start(Args, Pipe[1]);
    close(Pipe[1]);
    std::string Output;
    std::array<char, 4096> Buffer;
    for (ssize_t Read; (Read = read(Pipe[0], Buffer.data(), Buffer.size())) != 0;) {
        if (Read < 0 && errno == EINTR)
            continue;
        if (Read < 0)
            break;
        Output.append(Buffer.data(), static_cast<size_t>(Read));
    }
    close(Pipe[0]);
    int Status = 0;
    if (Child < 0 || waitpid(Child, &Status, 0) != Child || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
        return std::nullopt;
    return Output;
}

bool Available(const char* Tool)
{
    return Run({"sh", "-c", std::string("command -v ") + Tool}).has_value();
}


void Stop(pid_t& Child)
{
    if (Child <= 0)
        return;
    kill(Child, SIGTERM);
    waitpid(Child, nullptr, 0);
    Child = -1;
}

// The display number that the X server writes into the pipe once it
// takes connections.
std::optional<std::string> ReadDisplay(int Descriptor)
{
    std::string Number;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < Deadline) {
        pollfd Poll{Descriptor, POLLIN, 0};
        if (poll(&Poll, 1, 100) <= 0)
            continue;
        char C;
        const ssize_t Read = read(Descriptor, &C, 1);
        if (Read <= 0)
            return std::nullopt;
        if (C == '\n')
            return Number.empty() ? std::nullopt : std::optional<std::string>(":" + Number);
        Number += C;
    }
    return std::nullopt;
}

bool WindowManagerUp()
{
    const std::optional<std::string> Root = Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"});
    return Root && Root->find("window id") != std::string::npos;
}

// Whether the window manager manages a window of another program.
bool ManagesAWindow()
{
    const std::optional<std::string> Clients = Run({"xprop", "-root", "_NET_CLIENT_LIST"});
    return Clients && Clients->find("0x") != std::string::npos;
}

// The window manager announces itself before it has finished starting, and
// a window shown in between may never be framed. It is ready once it frames
// a window of a probe, shown again until it does.
bool WindowManagerReady(std::chrono::steady_clock::time_point Deadline)
{
    while (std::chrono::steady_clock::now() < Deadline) {
        pid_t Probe = Start({"xmessage", "-name", "vtx-desktop-probe", "ready?"});
        const auto ProbeDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        bool Managed = false;
        while (!(Managed = ManagesAWindow()) && std::chrono::steady_clock::now() < ProbeDeadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Stop(Probe);
        if (Managed) {
            while (ManagesAWindow() && std::chrono::steady_clock::now() < Deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return true;
        }
    }
    return false;
}

unsigned long WindowId(QWidget* TopLevel)
{
    return static_cast<unsigned long>(TopLevel->winId());
}

// The window's place on the screen and size, as the X server has them.
std::optional<TScreenRect> ServerWindow(unsigned long Id)
{
    const std::optional<std::string> Info = Run({"xwininfo", "-id", std::to_string(Id)});
    if (!Info)
        return std::nullopt;
    TScreenRect Rect;
    int Found = 0;
    std::istringstream Lines(*Info);
    for (std::string Line; std::getline(Lines, Line);) {
        const auto Take = [&](const char* Label, int& Value) {
            const std::string::size_type At = Line.find(Label);
            if (At != std::string::npos) {
                Value = std::atoi(Line.c_str() + At + std::char_traits<char>::length(Label));
                ++Found;
            }
        };
        Take("Absolute upper-left X:", Rect.Left);
        Take("Absolute upper-left Y:", Rect.Top);
        Take("  Width:", Rect.Width);
        Take("  Height:", Rect.Height);
    }
    return Found == 4 ? std::optional<TScreenRect>(Rect) : std::nullopt;
}

// The frame the window manager draws around the window: left, right, top,
// bottom, as it announces them.
struct TExtents {
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
};

std::optional<TExtents> FrameExtents(unsigned long Id)
{
    const std::optional<std::string> Property = Run({"xprop", "-id", std::to_string(Id), "_NET_FRAME_EXTENTS"});
    if (!Property)
        return std::nullopt;
    TExtents Extents;
    if (std::sscanf(Property->c_str(), "_NET_FRAME_EXTENTS(CARDINAL) = %d, %d, %d, %d", &Extents.Left,
                    &Extents.Right, &Extents.Top, &Extents.Bottom) != 4)
        return std::nullopt;
    return Extents;
}

void Xdotool(std::vector<std::string> Args)
{
    Args.insert(Args.begin(), "xdotool");
    (void)Run(Args);
}

// Presses the left button at X, Y, moves by DX, DY in steps, as a hand
// does, and lets go.
void Drag(int X, int Y, int DX, int DY)
{
    std::vector<std::string> Args = {"mousemove", std::to_string(X), std::to_string(Y), "sleep", "0.1",
                                     "mousedown", "1"};
    for (int Step = 1; Step <= 4; ++Step) {
        Args.insert(Args.end(), {"sleep", "0.05", "mousemove", std::to_string(X + DX * Step / 4),
                                 std::to_string(Y + DY * Step / 4)});
    }
    Args.insert(Args.end(), {"sleep", "0.1", "mouseup", "1"});
    Xdotool(Args);
}

} // namespace

TDesktop::TDesktop()
{
    for (const char* Tool : {"Xvfb", "openbox", "xprop", "xwininfo", "xmessage", "xdotool"})
        if (!Available(Tool)) {
            NotRunning = std::string("this test needs a virtual X server with a window manager; ") + Tool +
                       " is missing (./scripts/install-deps.sh installs it)";
            return;
        }
    int Pipe[2];
    if (pipe(Pipe) != 0) {
        NotRunning = "no pipe for the X server's display number";
        return;
    }
    FServer = Start({"Xvfb", "-displayfd", std::to_string(Pipe[1]), "-screen", "0",
                     std::to_string(ScreenWidth) + "x" + std::to_string(ScreenHeight) + "x24", "-nolisten", "tcp"},
                    -1, Pipe[1]);
    close(Pipe[1]);
    const std::optional<std::string> Display = ReadDisplay(Pipe[0]);
    close(Pipe[0]);
    if (!Display) {
        NotRunning = "the virtual X server (Xvfb) did not start";
        return;
    }
    setenv("DISPLAY", Display->c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // The desktop has no session bus: the toolkit's search for one would
    // start from the X server and leave its buffers behind.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    FWindowManager = Start({"openbox", "--sm-disable", "--config-file", VTX_DESKTOP_CONFIG});
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!WindowManagerUp() && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!WindowManagerReady(Deadline)) {
        NotRunning = "the window manager (openbox) did not start on " + *Display;
        return;
    }
    RunningDesktop = this;
}

TDesktop::~TDesktop()
{
    if (RunningDesktop == this)
        RunningDesktop = nullptr;
    Stop(FWindowManager);
    Stop(FServer);
}

const TDesktop* TDesktop::Running()
{
    return RunningDesktop;
}

const std::string& TDesktop::WhyNotRunning()
{
    return NotRunning;
}

void TDesktopUser::Show(TForm* Form)
{
    Form->Show();
    const unsigned long Id = WindowId(Form->Widget());
    // Framed: the window manager has announced the frame and the form has
    // taken it in.
    (void)WaitUntil([&] {
        const std::optional<TExtents> Extents = FrameExtents(Id);
        if (!Extents || Extents->Top == 0)
            return false;
        const TScreenRect Outer = Frame(Form);
        return Form->Width() == Outer.Width && Form->Height() == Outer.Height;
    });
}

TScreenRect TDesktopUser::Window(TForm* Form)
{
    return Window(Form->Widget());
}

TScreenRect TDesktopUser::Frame(TForm* Form)
{
    return Frame(Form->Widget());
}

TScreenRect TDesktopUser::Window(QWidget* TopLevel)
{
    return ServerWindow(WindowId(TopLevel)).value_or(TScreenRect{});
}

TScreenRect TDesktopUser::Frame(QWidget* TopLevel)
{
    const unsigned long Id = WindowId(TopLevel);
    const std::optional<TScreenRect> Inside = ServerWindow(Id);
    if (!Inside)
        return {};
    const TExtents Extents = FrameExtents(Id).value_or(TExtents{});
    return {Inside->Left - Extents.Left, Inside->Top - Extents.Top, Inside->Width + Extents.Left + Extents.Right,
            Inside->Height + Extents.Top + Extents.Bottom};
}

int TDesktopUser::TitleBarHeight(QWidget* TopLevel)
{
    return FrameExtents(WindowId(TopLevel)).value_or(TExtents{}).Top;
}

namespace {

// The middle of the title bar: across the frame, between its top and the
// window's.
std::pair<int, int> TitleBarMiddle(TForm* Form)
{
    const TScreenRect Outer = TDesktopUser::Frame(Form);
    const TScreenRect Inside = TDesktopUser::Window(Form);
    return {Outer.Left + Outer.Width / 2, (Outer.Top + Inside.Top) / 2};
}

} // namespace

void TDesktopUser::DragTitleBar(TForm* Form, int DX, int DY)
{
    const auto [X, Y] = TitleBarMiddle(Form);
    Drag(X, Y, DX, DY);
}

void TDesktopUser::DragCorner(TForm* Form, int DX, int DY)
{
    const TScreenRect Outer = Frame(Form);
    Drag(Outer.Left + Outer.Width - 2, Outer.Top + Outer.Height - 2, DX, DY);
}

void TDesktopUser::DoubleClickTitleBar(TForm* Form)
{
    const auto [X, Y] = TitleBarMiddle(Form);
    Xdotool({"mousemove", std::to_string(X), std::to_string(Y), "sleep", "0.1", "click", "--repeat", "2", "--delay",
             "80", "1"});
}

bool TDesktopUser::WaitUntil(const std::function<bool()>& Done, unsigned Ms)
{
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > Deadline)
            return Done();
        TUser::Wait(20);
    }
    return true;
}
