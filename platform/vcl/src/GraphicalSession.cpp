#include "vcl/GraphicalSession.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
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

// Whether the window platform of one entry of QT_QPA_PLATFORM ("xcb",
// "vnc:size=800x600") would start without a display. The toolkit takes the
// name before the options and compares it without regard to case.
bool StartsWithoutDisplay(std::string_view Entry)
{
    Entry.remove_prefix(std::min(Entry.find_first_not_of(':'), Entry.size()));
    std::string Name(Entry.substr(0, Entry.find(':')));
    for (char& C : Name)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return !Name.empty() && Name != "xcb" && Name.rfind("wayland", 0) != 0;
}

} // namespace

bool HaveGraphicalSession(const TSessionEnvironment& Environment)
{
    if (Set(Environment.Display) || Set(Environment.WaylandDisplay))
        return true;
    // Unset or empty means the desktop's own platform. A list ("xcb;offscreen")
    // is tried in order, the toolkit going on past each platform that cannot
    // start: one entry that needs no display is enough.
    std::string_view List = Environment.Platform ? std::string_view(*Environment.Platform) : std::string_view();
    while (!List.empty()) {
        const std::size_t End = std::min(List.find(';'), List.size());
        if (StartsWithoutDisplay(List.substr(0, End)))
            return true;
        List.remove_prefix(std::min(End + 1, List.size()));
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
