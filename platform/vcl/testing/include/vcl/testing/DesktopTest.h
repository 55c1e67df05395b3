#pragma once
// The fixture of the desktop tests (skipped, with the reason, where the
// desktop could not be started), and the checks that a form's window stands
// and moves on the desktop as the user expects.

#include <gtest/gtest.h>

#include "vcl/testing/Desktop.h"

class TDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TDesktop::Running())
            GTEST_SKIP() << TDesktop::WhyNotRunning();
    }

public:
    // The form's Left, Top, Width and Height.
    static TScreenRect Bounds(TForm* Form);

    // The frame stands at Expected, and the form's bounds are the frame's,
    // its client area the window's below the menu bar.
    static void ExpectFrame(TForm* Form, const TScreenRect& Expected);
    // The user drags the title bar by DX, DY: the frame follows, keeps its
    // size and stays where it was put.
    static void ExpectFollowsADrag(TForm* Form, int DX, int DY);
    // The user drags the frame's lower right corner: the frame grows by
    // DX, DY and stays so.
    static void ExpectFollowsAResize(TForm* Form, int DX, int DY);
    // A double click on the title bar fills the screen; a second one gives
    // the frame back its place and size.
    static void ExpectMaximisesAndRestores(TForm* Form);
    // All of these in turn: a drag by (-200, -150), a resize by (60, 40), a
    // maximise and a restore.
    static void ExpectFollowsTheUser(TForm* Form);
};
