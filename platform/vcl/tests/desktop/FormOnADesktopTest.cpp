// Forms on a desktop whose window manager draws a frame and tells it only
// once the window is up: the frame stands at the stored place and size (or
// the window has the stored client size), centred where asked, and follows
// the user's drag, resize, maximise and restore.

#include <gtest/gtest.h>

#include "vcl/Vcl.h"
#include "vcl/testing/DesktopTest.h"

namespace {

struct TPlaceCase {
    const char* Name;
    std::string Stored;
    // The frame that the stored values ask for; a stored client size asks
    // for the window inside it instead.
    TScreenRect Wanted;
    bool ClientSize;
};

void PrintTo(const TPlaceCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

const std::string MenuBlock = "\nMenu = MainMenu1\nTMainMenu MainMenu1 { TMenuItem File1 { Caption = \"File\" } }";

class FormOnADesktop : public TDesktopTest, public ::testing::WithParamInterface<TPlaceCase> {
protected:
    void SetUp() override
    {
        TDesktopTest::SetUp();
        if (IsSkipped())
            return;
        Form = NewForm<TForm>("TForm1 Form1 {\nCaption = \"Form1\"\n" + GetParam().Stored + "\n}");
        TDesktopUser::Show(Form.get());
    }

    // The frame asked for; for a stored client size, the frame around a
    // window of that size, at the stored place.
    TScreenRect WantedFrame()
    {
        TScreenRect Wanted = GetParam().Wanted;
        if (GetParam().ClientSize) {
            const TScreenRect Outer = TDesktopUser::Frame(Form.get());
            const TScreenRect Inside = TDesktopUser::Window(Form.get());
            Wanted.Width += Outer.Width - Inside.Width;
            Wanted.Height += Outer.Height - Inside.Height;
        }
        return Wanted;
    }

    TFormPtr<TForm> Form;
};

TEST_P(FormOnADesktop, TheFrameStandsWhereItIsAsked)
{
    ExpectFrame(Form.get(), WantedFrame());
}

TEST_P(FormOnADesktop, TheFrameFollowsTheUser)
{
    ExpectFrame(Form.get(), WantedFrame());
    ExpectFollowsTheUser(Form.get());
    // Restored, it still follows.
    ExpectFollowsADrag(Form.get(), 150, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormOnADesktop,
    ::testing::Values(
        TPlaceCase{"StoredPlaceAndSize", "Left = 452; Top = 354; Width = 464; Height = 398", {452, 354, 464, 398},
                   false},
        TPlaceCase{"CentredWithAMenu", "Width = 704; Height = 706; Position = poScreenCenter" + MenuBlock,
                   {(TDesktop::ScreenWidth - 704) / 2, (TDesktop::ScreenHeight - 706) / 2, 704, 706}, false},
        TPlaceCase{"StoredClientSize", "Left = 300; Top = 250; ClientWidth = 300; ClientHeight = 200",
                   {300, 250, 300, 200}, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
