#pragma once
// A desktop of the tests' own, for the tests that look at windows where a
// user sees them: a virtual X server with a window manager that frames each
// window (a title bar, a border and a handle below, which are told only
// once the window is up), and a user who moves the mouse through it. The
// main of a desktop test program starts it before the toolkit and stops it
// at the end, so the tests need no display of the user's.

#include <functional>
#include <iosfwd>
#include <string>
#include <sys/types.h>

class QWidget;
class TForm;

// A place and size on the screen.
struct TScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TScreenRect&) const = default;
};
void PrintTo(const TScreenRect& Rect, std::ostream* Out);

class TDesktop {
public:
    // Starts the X server on a free display and the window manager on it,
    // and names that display for the toolkit and the tools.
    TDesktop();
    ~TDesktop();
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    // The desktop that is up, or null; and why none is.
    static const TDesktop* Running();
    static const std::string& WhyNotRunning();

    static constexpr int ScreenWidth = 1280;
    static constexpr int ScreenHeight = 1024;

private:
    pid_t FServer = -1;
    pid_t FWindowManager = -1;
};

// What the desktop shows of a form's window, and what the user does to it
// with the mouse. The frame and the window inside it are read from the X
// server and the window manager, not from the toolkit.
class TDesktopUser {
public:
    // Shows the form and waits until the window manager has framed it.
    static void Show(TForm* Form);
    static TScreenRect Frame(TForm* Form);
    static TScreenRect Window(TForm* Form);
    // The same of any top-level window, a dialog's say.
    static TScreenRect Frame(QWidget* TopLevel);
    static TScreenRect Window(QWidget* TopLevel);
    // The height of the title bar the window manager draws above it (0
    // while it has drawn none).
    static int TitleBarHeight(QWidget* TopLevel);
    // Drags the title bar, from its middle, or the frame's lower right
    // corner by DX, DY.
    static void DragTitleBar(TForm* Form, int DX, int DY);
    static void DragCorner(TForm* Form, int DX, int DY);
    static void DoubleClickTitleBar(TForm* Form);
    // Runs the window events until Done or until Ms have passed; Done's
    // last answer.
    static bool WaitUntil(const std::function<bool()>& Done, unsigned Ms = 10000);
};
