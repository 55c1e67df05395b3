// When a program can show its windows, from the variables that name a
// display or a window platform; and the run scripts' check, which must give
// the same answer before they build anything.

#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "vcl/GraphicalSession.h"

namespace {

using std::nullopt;

const struct TSessionCase {
    const char* Name;
    TSessionEnvironment Environment;
    bool Have;
} SessionCases[] = {
    {"nothing set", {nullopt, nullopt, nullopt}, false},
    {"an X display", {":0", nullopt, nullopt}, true},
    {"a Wayland display", {nullopt, "wayland-0", nullopt}, true},
    {"empty variables", {"", "", ""}, false},
    {"X named, no display", {nullopt, nullopt, "xcb"}, false},
    {"Wayland named, no display", {nullopt, nullopt, "wayland-egl"}, false},
    {"a list of desktop platforms", {nullopt, nullopt, "wayland;xcb"}, false},
    {"X named with its display", {":1", nullopt, "xcb"}, true},
    {"offscreen", {nullopt, nullopt, "offscreen"}, true},
    {"a platform with options", {nullopt, nullopt, "vnc:size=800x600"}, true},
    // The toolkit compares names without regard to case...
    {"X in capitals", {nullopt, nullopt, "XCB"}, false},
    {"X capitalised", {nullopt, nullopt, "Xcb"}, false},
    {"Wayland capitalised", {nullopt, nullopt, "Wayland"}, false},
    {"offscreen capitalised", {nullopt, nullopt, "Offscreen"}, true},
    // ...and tries a list in order, going on past a platform that fails.
    {"X, then offscreen", {nullopt, nullopt, "xcb;offscreen"}, true},
    {"offscreen, then X", {nullopt, nullopt, "offscreen;xcb"}, true},
    {"empty entries", {nullopt, nullopt, ";;xcb;"}, false},
    {"X with options, then vnc", {nullopt, nullopt, "XCB:foo;vnc:size=800x600"}, true},
};

// " NAME='value'" for env, or "" when unset (no value holds a quote).
std::string Assignment(const char* Name, const std::optional<std::string>& Value)
{
    return Value ? std::string(" ") + Name + "='" + *Value + "'" : std::string();
}

} // namespace

TEST(GraphicalSession, ADisplayOrAPlatformThatNeedsNone)
{
    for (const auto& Case : SessionCases)
        EXPECT_EQ(HaveGraphicalSession(Case.Environment), Case.Have) << Case.Name;
}

TEST(GraphicalSession, TheRunScriptsCheckAgrees)
{
    for (const auto& Case : SessionCases) {
        const TSessionEnvironment& E = Case.Environment;
        const std::string Command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" +
                                    Assignment("DISPLAY", E.Display) + Assignment("WAYLAND_DISPLAY", E.WaylandDisplay) +
                                    Assignment("QT_QPA_PLATFORM", E.Platform) + " bash " VTX_NEED_DISPLAY_SCRIPT
                                    " PROGRAM >/dev/null 2>&1";
        const int Status = std::system(Command.c_str());
        ASSERT_TRUE(WIFEXITED(Status)) << Case.Name;
        EXPECT_EQ(WEXITSTATUS(Status) == 0, Case.Have) << Case.Name;
    }
}
