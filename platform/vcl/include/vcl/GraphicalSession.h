#pragma once
// Whether a program's windows have somewhere to go. The desktop programs
// check this first, so that on a machine without a display (a server, a
// container, a login without X forwarding) they say what they need instead
// of ending in the window toolkit's abort.

#include <optional>
#include <string>

struct TSessionEnvironment {
    std::optional<std::string> Display;          // DISPLAY
    std::optional<std::string> WaylandDisplay;   // WAYLAND_DISPLAY
    std::optional<std::string> Platform;         // QT_QPA_PLATFORM
    // The variables of this process.
    static TSessionEnvironment OfProcess();
};

// True when there is a display (DISPLAY or WAYLAND_DISPLAY set) or
// QT_QPA_PLATFORM names a window platform that needs none (offscreen, vnc,
// linuxfb, ...). xcb and wayland need their display.
bool HaveGraphicalSession(const TSessionEnvironment& Environment);

// For the start of a program: true when it can show its windows; else says
// so on standard error, with what to do instead, and returns false.
bool CheckGraphicalSession();
