// The editor's window on a desktop whose window manager draws a frame and
// tells it only once the window is up: centred at its stored size, then
// following the user's drag, resize, maximise and restore.

#include <gtest/gtest.h>

#include "V7430_p8_src.h"
#include "vcl/testing/DesktopTest.h"
#include "vcl/testing/Responder.h"

class EditorOnADesktop : public TDesktopTest {};

TEST_F(EditorOnADesktop, TheWindowIsCentredAtItsSizeAndFollowsTheUser)
{
    TTestResponder Responder;
    FinalizeUnitTables();
    InitializeUnitTables();
    TFormPtr<TForm1> Form = NewForm<TForm1>();
    Form1 = Form.get();
    TDesktopUser::Show(Form.get());
    ExpectFrame(Form.get(), {(TDesktop::ScreenWidth - 704) / 2, (TDesktop::ScreenHeight - 706) / 2, 704, 706});
    ExpectFollowsTheUser(Form.get());
    Form.reset();
    Form1 = nullptr;
}
