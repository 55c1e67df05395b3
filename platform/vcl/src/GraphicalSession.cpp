#include "vcl/GraphicalSession.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::string> Variable(const char* Name)
{
    const char* Value = std::getenv(Name);
    return Value ? std::optional<std::string>(Value) : std::nullopt;
}

bool Set(const std::optional<std::string>& Value)
{
    return Value && !Value->empty();
}

// Where the toolkit goes without a runtime folder named: runtime-<user> in
// its temporary folder, which is TMPDIR (or /tmp) as a canonical path, so
// that a relative TMPDIR, a trailing slash, doubled slashes or a link give
// the folder's one true name. Empty where TMPDIR names no folder: the
// toolkit has no temporary folder then either.
std::string ToolkitRuntimeFolder()
{
    const std::optional<std::string> Temp = Variable("TMPDIR");
    std::error_code Error;
    const std::filesystem::path Folder = std::filesystem::canonical(Set(Temp) ? *Temp : std::string("/tmp"), Error);
    if (Error)
        return {};
    const passwd* User = getpwuid(geteuid());
    return (Folder / ("runtime-" + (User ? std::string(User->pw_name) : std::to_string(geteuid())))).string();
}

} // namespace

TSessionEnvironment TSessionEnvironment::OfProcess()
{
    return {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("QT_QPA_PLATFORM")};
}

namespace {

std::vector<std::string_view> Split(std::string_view List, char Separator)
{
    std::vector<std::string_view> Parts;
    while (!List.empty()) {
        const std::size_t End = std::min(List.find(Separator), List.size());
        Parts.push_back(List.substr(0, End));
        List.remove_prefix(std::min(End + 1, List.size()));
    }
    return Parts;
}

std::string Lower(std::string_view Text)
{
    std::string Lowered(Text);
    for (char& C : Lowered)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return Lowered;
}

// The platform one entry of QT_QPA_PLATFORM names ("xcb", "vnc:size=800x600"):
// the toolkit takes the name before the options and compares it without
// regard to case. Blanks are part of the name.
std::string PlatformName(std::string_view Entry)
{
    Entry.remove_prefix(std::min(Entry.find_first_not_of(':'), Entry.size()));
    return Lower(Entry.substr(0, Entry.find(':')));
}

// The X and Wayland platforms show windows on a display; the others need none.
bool NeedsADisplay(const std::string& Name)
{
    return Name == "xcb" || Name.rfind("wayland", 0) == 0;
}

} // namespace

bool HaveGraphicalSession(const TSessionEnvironment& Environment)
{
    if (Set(Environment.Display) || Set(Environment.WaylandDisplay))
        return true;
    // Unset or empty means the desktop's own platform. A list ("xcb;offscreen")
    // is tried in order, the toolkit going on past each platform that cannot
    // start: one entry that needs no display is enough.
    const std::string_view List = Environment.Platform ? std::string_view(*Environment.Platform) : std::string_view();
    for (std::string_view Entry : Split(List, ';')) {
        const std::string Name = PlatformName(Entry);
        if (!Name.empty() && !NeedsADisplay(Name))
            return true;
    }
    return false;
}

bool CheckGraphicalSession()
{
    if (HaveGraphicalSession(TSessionEnvironment::OfProcess()))
        return true;
    std::fprintf(stderr,
                 "%s is a desktop program: it needs a graphical session (DISPLAY or WAYLAND_DISPLAY), and there is "
                 "none here.\n"
                 "The tests need none: ./scripts/test.sh at the top of the source tree builds and runs them.\n",
                 program_invocation_short_name);
    return false;
}

namespace {

// The names in the toolkit's list of its platforms, "minimal, offscreen, xcb".
std::vector<std::string> ToolkitPlatforms(std::string_view Platforms)
{
    std::vector<std::string> Names;
    for (std::string_view Name : Split(Platforms, ',')) {
        Name.remove_prefix(std::min(Name.find_first_not_of(' '), Name.size()));
        Names.push_back(Lower(Name));
    }
    return Names;
}

// The platforms named cannot start when one needs no display or the toolkit
// has not got it; else only the display can have been what failed.
bool PlatformsAtFault(std::string_view List, const std::vector<std::string>& Has)
{
    for (std::string_view Entry : Split(List, ';')) {
        const std::string Name = PlatformName(Entry);
        const bool Missing = !Has.empty() && std::find(Has.begin(), Has.end(), Name) == Has.end();
        if (!Name.empty() && (!NeedsADisplay(Name) || Missing))
            return true;
    }
    return false;
}

} // namespace

void ReportUnopenedDisplay(const TSessionEnvironment& Environment, const std::string& Platforms)
{
    const char* Program = program_invocation_short_name;
    const std::vector<std::string> Has = ToolkitPlatforms(Platforms);
    if (Set(Environment.Platform) && PlatformsAtFault(*Environment.Platform, Has)) {
        std::fprintf(stderr, "%s could not start the window platform \"%s\" that QT_QPA_PLATFORM names.\n", Program,
                     Environment.Platform->c_str());
        std::fprintf(stderr,
                     "It needs one that the window toolkit has and that can start here%s%s%s, or QT_QPA_PLATFORM "
                     "unset for the desktop's own.\n",
                     Has.empty() ? "" : " (", Platforms.c_str(), Has.empty() ? "" : ")");
        return;
    }
    const bool X = Set(Environment.Display), Wayland = Set(Environment.WaylandDisplay);
    const bool NoWaylandPlatform = !Has.empty() && std::none_of(Has.begin(), Has.end(), [](const std::string& Name) {
        return Name.rfind("wayland", 0) == 0;
    });
    std::string Named;
    if (X)
        Named = "the X display \"" + *Environment.Display + "\" (DISPLAY)";
    if (Wayland)
        Named += (X ? " nor " : "") + ("the Wayland display \"" + *Environment.WaylandDisplay + "\" (WAYLAND_DISPLAY)");
    if (Named.empty())
        Named = "a display: neither DISPLAY nor WAYLAND_DISPLAY names one";
    std::fprintf(stderr, "%s could not open %s%s.\n", Program, Named.c_str(),
                 Wayland && NoWaylandPlatform ? ": the window toolkit here has no Wayland platform" : "");
    if (!X && Wayland && NoWaylandPlatform)
        std::fprintf(stderr, "It needs an X display named in DISPLAY (a Wayland desktop has one through XWayland), or "
                             "the window toolkit's Wayland platform installed.\n");
    else
        std::fprintf(stderr, "It needs a display server running there that lets it in; the name may be left from an "
                             "earlier session, or from an ssh login whose X forwarding has ended.\n");
}

bool MakePrivateFolder(const std::string& Folder)
{
    const bool Made = mkdir(Folder.c_str(), 0700) == 0;
    if (!Made && errno != EEXIST)
        return false;
    // Checked through one descriptor, so that a link or another folder put
    // in its place meanwhile is never the one taken. A folder found at
    // another mode may hold what others put there while it was open, so it
    // is refused, as the toolkit refuses it; only the one just made, which
    // a umask may have left narrower than 0700, is set to 0700.
    const int Descriptor = open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (Descriptor < 0)
        return false;
    struct stat Status;
    const bool Private = fstat(Descriptor, &Status) == 0 && Status.st_uid == geteuid() &&
                         ((Status.st_mode & 07777) == 0700 || (Made && fchmod(Descriptor, 0700) == 0));
    close(Descriptor);
    return Private;
}

void UsePrivateRuntimeFolder(const std::string& Folder)
{
    if (!Set(Variable("XDG_RUNTIME_DIR")) && !Folder.empty() && MakePrivateFolder(Folder))
        setenv("XDG_RUNTIME_DIR", Folder.c_str(), 1);
}

void UsePrivateRuntimeFolder()
{
    UsePrivateRuntimeFolder(ToolkitRuntimeFolder());
}
