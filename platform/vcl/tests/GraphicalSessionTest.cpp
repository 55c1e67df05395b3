// When a program can show its windows, from the variables that name a
// display or a window platform.

#include <gtest/gtest.h>

#include "vcl/GraphicalSession.h"

TEST(GraphicalSession, ADisplayOrAPlatformThatNeedsNone)
{
    using std::nullopt;
    const struct {
        const char* Name;
        TSessionEnvironment Environment;
        bool Have;
    } Cases[] = {
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
    for (const auto& Case : Cases)
        EXPECT_EQ(HaveGraphicalSession(Case.Environment), Case.Have) << Case.Name;
}
