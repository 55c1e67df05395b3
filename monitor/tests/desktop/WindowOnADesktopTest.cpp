// The monitor's window on a desktop whose window manager draws a frame and
// tells it only once the window is up: at its stored place and size, then
// following the user's drag, resize, maximise and restore.

#include <gtest/gtest.h>

#include "V7430mon_en_src.h"
#include "vcl/testing/DesktopTest.h"
#include "vcl/testing/Responder.h"

class MonitorOnADesktop : public TDesktopTest {};

TEST_F(MonitorOnADesktop, TheWindowStandsAtItsStoredFrameAndFollowsTheUser)
{
    TTestResponder Responder;
    FinalizeUnitTables();
    InitializeUnitTables();
    TFormPtr<TForm1> Form = NewForm<TForm1>();
    Form1 = Form.get();
    TDesktopUser::Show(Form.get());
    ExpectFrame(Form.get(), {452, 354, 464, 398});
    ExpectFollowsTheUser(Form.get());
    Form.reset();
    Form1 = nullptr;
}
