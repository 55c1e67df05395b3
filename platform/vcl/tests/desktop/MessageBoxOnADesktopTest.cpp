// Message boxes on a desktop whose window manager draws the caption in the
// frame's title bar, beside the window's icon and its buttons: each box is
// wide enough for the whole caption there.

#include <gtest/gtest.h>

#include <QDialog>
#include <QFont>
#include <QFontMetrics>

#include "vcl/Vcl.h"
#include "vcl/testing/DesktopTest.h"
#include "vcl/testing/User.h"

namespace {

struct TBoxCase {
    const char* Name;
    const char* Text;
    const char* Caption;
    unsigned Flags;
};

void PrintTo(const TBoxCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class MessageBoxOnADesktop : public TDesktopTest, public ::testing::WithParamInterface<TBoxCase> {};

TEST_P(MessageBoxOnADesktop, IsWideEnoughForItsWholeCaption)
{
    TScreenRect Frame;
    int TitleBar = 0;
    TApplication::TDialogResponder Previous = Application->SetDialogResponder([&](QDialog& Box) {
        (void)TDesktopUser::WaitUntil([&] { return TDesktopUser::TitleBarHeight(&Box) > 0; });
        // A box that fits itself to its text again later would show so.
        TUser::Wait(300);
        Frame = TDesktopUser::Frame(&Box);
        TitleBar = TDesktopUser::TitleBarHeight(&Box);
        Box.reject();
    });
    Application->MessageBox(GetParam().Text, GetParam().Caption, GetParam().Flags);
    Application->SetDialogResponder(std::move(Previous));

    ASSERT_GT(TitleBar, 0) << "the window manager drew no title bar";
    // The caption in the window manager's title font (8 points, bold), and
    // beside it the window's icon and its three buttons, each about as wide
    // as the bar is high, with the bar's margins: the window manager cuts a
    // caption shorter than this.
    const QFontMetrics TitleFont(QFont("Sans", 8, QFont::Bold));
    const int Needed = TitleFont.horizontalAdvance(QString::fromUtf8(GetParam().Caption)) + 6 * TitleBar;
    EXPECT_GE(Frame.Width, Needed) << "frame " << Frame.Width << " px wide";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageBoxOnADesktop,
    ::testing::Values(TBoxCase{"OverwriteFile", "File exist!!\n\nOverwrite?\n", "Overwrite file", MB_YESNO},
                      TBoxCase{"OverwriteData", "Attention!!\n\nData overwrite?\n", "Overwrite data", MB_YESNO},
                      TBoxCase{"PortNotChosen", "請指定通訊埠 !!\n", "指定通訊埠未指定", MB_OK}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
