// Message boxes, the exception display and the file dialogs: real dialogs,
// answered by the test responder.

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "CaseName.h"
#include "QtSupport.h"
#include "TestForm.h"
#include "rtl/Thread.h"
#include "win32/MessageBox.h"

namespace {

struct TBoxKind {
    unsigned Flags;
    std::vector<AnsiString> Buttons;
    const char* Icon;
    int Answer;      // scripted
    int Expected;    // returned
};

class MessageBoxes : public ::testing::TestWithParam<TBoxKind> {};

TEST_P(MessageBoxes, ShowTheirButtonsAndIconAndReturnTheAnswer)
{
    TTestResponder Responder;
    Responder.AnswerMessageBox(GetParam().Answer);
    int Answer = Application->MessageBox("請注意!!\n\n目前工作表格中的資料將被覆蓋!\n", "資料覆蓋警告", GetParam().Flags);
    EXPECT_EQ(Answer, GetParam().Expected);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    const TShownMessageBox& Box = Responder.MessageBoxes()[0];
    EXPECT_EQ(Box.Caption, "資料覆蓋警告");
    EXPECT_EQ(Box.Text, "請注意!!\n\n目前工作表格中的資料將被覆蓋!\n");
    EXPECT_EQ(Box.Icon, GetParam().Icon);
    auto Buttons = Box.Buttons;
    std::sort(Buttons.begin(), Buttons.end());
    auto Expected = GetParam().Buttons;
    std::sort(Expected.begin(), Expected.end());
    EXPECT_EQ(Buttons, Expected);
    EXPECT_TRUE(Box.ApplicationModal);
    EXPECT_EQ(Responder.Unscripted(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MessageBoxes,
    ::testing::Values(TBoxKind{MB_YESNO, {"Yes", "No"}, "", IDNO, IDNO},
                      TBoxKind{MB_YESNO, {"Yes", "No"}, "", IDYES, IDYES},
                      TBoxKind{MB_OK, {"OK"}, "", IDOK, IDOK},
                      TBoxKind{MB_OK | MB_ICONERROR | MB_TASKMODAL, {"OK"}, "Error", IDOK, IDOK},
                      TBoxKind{MB_OKCANCEL | MB_ICONWARNING, {"OK", "Cancel"}, "Warning", IDCANCEL, IDCANCEL},
                      TBoxKind{MB_YESNOCANCEL | MB_ICONQUESTION, {"Yes", "No", "Cancel"}, "Question", IDCANCEL, IDCANCEL},
                      TBoxKind{MB_OK | MB_ICONINFORMATION, {"OK"}, "Information", IDOK, IDOK}),
    // The buttons, the icon and the answer: "YesNoCancelWithQuestionAnsweredCancel".
    [](const auto& Info) {
        auto ButtonOf = [](int Id) {
            return std::string(Id == IDYES ? "Yes" : Id == IDNO ? "No" : Id == IDCANCEL ? "Cancel" : "OK");
        };
        std::string Name;
        for (const AnsiString& Button : Info.param.Buttons)
            Name += Button;
        if (*Info.param.Icon)
            Name += std::string("With") + Info.param.Icon;
        return Name + "Answered" + ButtonOf(Info.param.Answer);
    });

TEST(MessageBox, TheWindowsRoutineShowsTheSameDialog)
{
    TTestResponder Responder;
    Responder.AnswerMessageBox(IDOK);
    EXPECT_EQ(MessageBox(nullptr, "COM port not found !!\n", "COM port error", MB_OK), IDOK);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, "COM port error");
}

// The desktop shows the caption in the title bar beside the window's icon
// and its three buttons, each about as wide as the bar is high.
TEST(MessageBox, IsWideEnoughForItsCaption)
{
    TTestResponder Responder;
    for (const char* Caption : {"Overwrite data", "資料覆蓋警告", "Overwrite file"}) {
        Responder.AnswerMessageBox(IDNO);
        Application->MessageBox("Attention!!\n\nData overwrite?\n", Caption, MB_YESNO);
    }
    QFont TitleFont = QApplication::font("QMdiSubWindowTitleBar");
    TitleFont.setBold(true);
    const QFontMetrics Metrics(TitleFont);
    ASSERT_EQ(Responder.MessageBoxes().size(), 3u);
    for (const TShownMessageBox& Box : Responder.MessageBoxes())
        EXPECT_GE(Box.Width, Metrics.horizontalAdvance(ToQt(Box.Caption)) + 4 * (Metrics.height() + 12)) << Box.Caption;
}

TEST(MessageBox, ABoxWithoutAScriptedAnswerTakesTheDefaultAndIsCounted)
{
    TTestResponder Responder;
    EXPECT_EQ(Application->MessageBox("File exist!!\n\nOverwrite?\n", "Overwrite file", MB_YESNO), IDYES);
    EXPECT_EQ(Application->MessageBox("x", "y", MB_OK), IDOK);
    EXPECT_EQ(Responder.Unscripted(), 2);
    // An answer the box has no button for is not pressed.
    Responder.AnswerMessageBox(IDCANCEL);
    EXPECT_EQ(Application->MessageBox("x", "y", MB_YESNO), IDYES);
    EXPECT_EQ(Responder.Unscripted(), 3);
}

TEST(MessageBox, ABoxAskedForOnAnotherThreadIsShownOnTheMainThread)
{
    TTestResponder Responder;
    Responder.AnswerMessageBox(IDNO);
    std::atomic<int> Answer{0};
    std::atomic<bool> Done{false};
    std::thread Worker([&] {
        Answer = ShowMessageBox("Err: CreateFile COM3 !!!", "PcUart1", MB_YESNO | MB_ICONERROR);
        Done = true;
    });
    for (int i = 0; i < 2000 && !Done; ++i)
        TUser::Wait(5);
    Worker.join();
    EXPECT_EQ(Answer, IDNO);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "Err: CreateFile COM3 !!!");
}

TEST(MessageBox, AMainThreadWaitingForAWorkerStillShowsTheWorkersBox)
{
    class TAsking : public TThread {
    protected:
        void Execute() override { ReturnValue = ShowMessageBox("Invalid value !!!", "PcUart1", MB_OK | MB_ICONERROR); }
    };
    TTestResponder Responder;
    TAsking Thread;
    Thread.Resume();
    EXPECT_EQ(Thread.WaitFor(), IDOK);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, "PcUart1");
}

TEST(ExceptionDisplay, AnExceptionFromAHandlerIsShownAndTheLoopGoesOn)
{
    auto Form = ShowTestForm(R"(TSpeedButton SpeedButton3 { Left = 8; Top = 8; Caption = "下載"; OnClick = Click1 })");
    int Clicks = 0;
    Form->OnCall = [&](const AnsiString&) {
        if (++Clicks == 1)
            throw EConvertError("'x1' is not a valid integer value");
    };
    TTestResponder Responder;
    auto* Button = Form->Get<TSpeedButton>("SpeedButton3");
    EXPECT_TRUE(TUser::Click(Button));
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "'x1' is not a valid integer value");
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, Application->Title());
    EXPECT_EQ(Responder.MessageBoxes()[0].Icon, "Error");
    EXPECT_TRUE(TUser::Click(Button));
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(Responder.MessageBoxes().size(), 1u);
}

TEST(ExceptionDisplay, ShowExceptionUsesTheMessage)
{
    TTestResponder Responder;
    Exception Error("Err: Constructor !!!");
    Application->ShowException(&Error);
    Application->ShowException(std::runtime_error("plain"));
    ASSERT_EQ(Responder.MessageBoxes().size(), 2u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "Err: Constructor !!!");
    EXPECT_EQ(Responder.MessageBoxes()[1].Text, "plain");
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Folder = std::filesystem::temp_directory_path() /
                 ("vcl_dialogs_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(Folder);
        Open = std::make_unique<TOpenDialog>(nullptr);
        Save = std::make_unique<TSaveDialog>(nullptr);
        for (TOpenDialog* D : {Open.get(), static_cast<TOpenDialog*>(Save.get())}) {
            D->SetFilter("VTX-7430 schedule file (*.vsh)|*.vsh");
            D->SetInitialDir(Folder.string());
        }
        Save->SetDefaultExt("vsh");
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    std::filesystem::path Folder;
    std::unique_ptr<TOpenDialog> Open;
    std::unique_ptr<TSaveDialog> Save;
    TTestResponder Responder;
};

TEST_F(FileDialogTest, OpenAcceptsANameThatDoesNotExist)
{
    AnsiString Name = (Folder / "new.vsh").string();
    Responder.AnswerFileDialog(Name);
    EXPECT_TRUE(Open->Execute());
    EXPECT_EQ(Open->FileName(), Name);
    ASSERT_EQ(Responder.FileDialogs().size(), 1u);
    EXPECT_FALSE(Responder.FileDialogs()[0].Save);
    EXPECT_EQ(Responder.FileDialogs()[0].NameFilters, (std::vector<AnsiString>{"VTX-7430 schedule file (*.vsh)"}));
    EXPECT_EQ(Responder.FileDialogs()[0].Directory, Folder.string());
}

TEST_F(FileDialogTest, CancelKeepsTheName)
{
    Open->SetFileName("/tmp/before.vsh");
    Responder.CancelFileDialog();
    EXPECT_FALSE(Open->Execute());
    EXPECT_EQ(Open->FileName(), "/tmp/before.vsh");
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionAndAsksNothingOfAnExistingFile)
{
    std::ofstream(Folder / "week.vsh") << "[GLOBAL]\n";
    Responder.AnswerFileDialog("week");
    EXPECT_TRUE(Save->Execute());
    EXPECT_EQ(Save->FileName(), (Folder / "week.vsh").string());
    EXPECT_TRUE(Responder.MessageBoxes().empty());
    // The next time it offers the name last chosen.
    Responder.CancelFileDialog();
    EXPECT_FALSE(Save->Execute());
    ASSERT_EQ(Responder.FileDialogs().size(), 2u);
    EXPECT_TRUE(Responder.FileDialogs()[1].Save);
    EXPECT_EQ(Responder.FileDialogs()[1].OfferedName, "week.vsh");
    EXPECT_EQ(Responder.FileDialogs()[1].DefaultSuffix, "vsh");
}

TEST_F(FileDialogTest, AFileDialogWithoutAnAnswerIsCancelled)
{
    EXPECT_FALSE(Open->Execute());
    EXPECT_EQ(Responder.Unscripted(), 1);
}

struct TFilterCase {
    const char* Filter;
    std::vector<AnsiString> NameFilters;
};

class FileDialogFilters : public ::testing::TestWithParam<TFilterCase> {};

TEST_P(FileDialogFilters, BecomeTheToolkitsNameFilters)
{
    EXPECT_EQ(FileDialogNameFilters(GetParam().Filter), GetParam().NameFilters);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileDialogFilters,
    ::testing::Values(TFilterCase{"VTX-7430 schedule file (*.vsh)|*.vsh", {"VTX-7430 schedule file (*.vsh)"}},
                      TFilterCase{"Schedules|*.vsh|All files|*.*", {"Schedules (*.vsh)", "All files (*.*)"}},
                      TFilterCase{"Text|*.txt;*.ini|", {"Text (*.txt *.ini)"}},
                      TFilterCase{"", {}},
                      TFilterCase{"lonely", {}}),
    [](const auto& Info) { return CaseName(Info.param.Filter); });

TEST(Dialogs, WithoutADesktopOrAResponderNothingWaitsForAnAnswer)
{
    // The offscreen platform has no user: a box takes its default answer
    // and a file dialog counts as cancelled, instead of waiting for ever.
    EXPECT_EQ(Application->MessageBox("File exist!!\n\nOverwrite?\n", "Overwrite file", MB_YESNO), IDYES);
    EXPECT_EQ(Application->MessageBox("COM port not found !!\n", "COM port error", MB_OK), IDOK);
    TOpenDialog Open(nullptr);
    EXPECT_FALSE(Open.Execute());
}

TEST(Screen, TheHourglassCoversTheProgramUntilTheArrowComesBack)
{
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crHourGlass);
    Screen->SetCursor(crArrow);
    EXPECT_EQ(Screen->Cursor(), crArrow);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
