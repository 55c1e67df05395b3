#include "vcl/GraphicalSession.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

} // namespace

TSessionEnvironment TSessionEnvironment::OfProcess()
{
    return {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("QT_QPA_PLATFORM")};
}

bool HaveGraphicalSession(const TSessionEnvironment& Environment)
{
    if (Set(Environment.Display) || Set(Environment.WaylandDisplay))
        return true;
    // The first platform named ("wayland;xcb" is a list to try, "vnc:size=..."
    // carries options); unset means the desktop's own.
    const std::string Platform =
        Environment.Platform ? Environment.Platform->substr(0, Environment.Platform->find_first_of(";:")) : "";
    return !Platform.empty() && Platform != "xcb" && Platform.rfind("wayland", 0) != 0;
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
