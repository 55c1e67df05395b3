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
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(HaveGraphicalSession(Case.Environment), Case.Have) << Case.Name;
}
