#include "vcl/testing/DesktopTest.h"

#include <QMenuBar>
#include <string>

#include "vcl/Vcl.h"
#include "vcl/testing/User.h"

namespace {

// How long a window that has reached its frame is watched for a move or a
// resize of its own that would take the user's back.
constexpr unsigned SettleMs = 400;

// The frame as the desktop has it equals Wanted, and the form's bounds too;
// then, after a while, still.
void ExpectSettledAt(TForm* Form, const TScreenRect& Wanted)
{
    (void)TDesktopUser::WaitUntil(
        [&] { return TDesktopUser::Frame(Form) == Wanted && TDesktopTest::Bounds(Form) == Wanted; });
    TUser::Wait(SettleMs);
    EXPECT_EQ(TDesktopUser::Frame(Form), Wanted);
    EXPECT_EQ(TDesktopTest::Bounds(Form), Wanted);
}

} // namespace

TScreenRect TDesktopTest::Bounds(TForm* Form)
{
    return {Form->Left(), Form->Top(), Form->Width(), Form->Height()};
}

void TDesktopTest::ExpectFrame(TForm* Form, const TScreenRect& Expected)
{
    SCOPED_TRACE("shown");
    ExpectSettledAt(Form, Expected);
    const TScreenRect Inside = TDesktopUser::Window(Form);
    const int MenuHeight = Form->Menu() ? Form->Menu()->MenuBar()->height() : 0;
    EXPECT_EQ(Form->ClientWidth(), Inside.Width);
    EXPECT_EQ(Form->ClientHeight(), Inside.Height - MenuHeight);
}

void TDesktopTest::ExpectFollowsADrag(TForm* Form, int DX, int DY)
{
    TScreenRect Wanted = TDesktopUser::Frame(Form);
    Wanted.Left += DX;
    Wanted.Top += DY;
    SCOPED_TRACE("after the title bar was dragged by (" + std::to_string(DX) + ", " + std::to_string(DY) + ")");
    TDesktopUser::DragTitleBar(Form, DX, DY);
    ExpectSettledAt(Form, Wanted);
}

void TDesktopTest::ExpectFollowsAResize(TForm* Form, int DX, int DY)
{
    TScreenRect Wanted = TDesktopUser::Frame(Form);
    Wanted.Width += DX;
    Wanted.Height += DY;
    SCOPED_TRACE("after the corner was dragged by (" + std::to_string(DX) + ", " + std::to_string(DY) + ")");
    TDesktopUser::DragCorner(Form, DX, DY);
    ExpectSettledAt(Form, Wanted);
}

void TDesktopTest::ExpectMaximisesAndRestores(TForm* Form)
{
    const TScreenRect Before = TDesktopUser::Frame(Form);
    {
        SCOPED_TRACE("maximised by a double click on the title bar");
        TDesktopUser::DoubleClickTitleBar(Form);
        ExpectSettledAt(Form, TScreenRect{0, 0, TDesktop::ScreenWidth, TDesktop::ScreenHeight});
    }
    SCOPED_TRACE("restored by a second double click");
    TDesktopUser::DoubleClickTitleBar(Form);
    ExpectSettledAt(Form, Before);
}

void TDesktopTest::ExpectFollowsTheUser(TForm* Form)
{
    ExpectFollowsADrag(Form, -200, -150);
    ExpectFollowsAResize(Form, 60, 40);
    ExpectMaximisesAndRestores(Form);
}
