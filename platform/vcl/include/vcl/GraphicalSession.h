#pragma once
// Whether a program's windows have somewhere to go. The desktop programs
// check this first, so that on a machine without a display (a server, a
// container, a login without X forwarding) they say what they need instead
// of ending in the window toolkit's abort. A display named that cannot be
// opened is found only when the toolkit tries: the application then says so
// too, and ends with status 1.
//
// And the session's runtime folder, given to a login that names none before
// the window toolkit starts.

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

// For a start that the window toolkit gives up because no window platform
// could start: says on standard error what could not be opened (the display
// named, or the platform that QT_QPA_PLATFORM names) and what the program
// needs. Platforms: the toolkit's list of the platforms it has, "minimal,
// offscreen, xcb", or empty where it gave none.
void ReportUnopenedDisplay(const TSessionEnvironment& Environment, const std::string& Platforms);

// The window toolkit wants a runtime folder of the session's, named by
// XDG_RUNTIME_DIR. In a login that names none (after su, over ssh with X
// forwarding, on a plain X server) it warns at every start of a program and
// uses <TMPDIR or /tmp>/runtime-<user>, the temporary folder as a canonical
// path. UsePrivateRuntimeFolder does the same before the toolkit starts,
// without a word: where the variable is unset or empty, it makes that folder
// (or Folder), or finds it private to this user, and names it in
// XDG_RUNTIME_DIR for this process. A login that names one keeps it; a
// folder that is not private is left to the toolkit and its warning.
void UsePrivateRuntimeFolder();
void UsePrivateRuntimeFolder(const std::string& Folder);

// Makes Folder a folder of this user's with mode 0700, or finds it one (not
// a link); false otherwise. A folder found at another mode is left as it is.
bool MakePrivateFolder(const std::string& Folder);
