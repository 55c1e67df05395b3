// Menus, pages, the status bar, the log box, labels and the layout of
// aligned controls.

#include <QMenuBar>
#include <QWidget>

#include "TestForm.h"

namespace {

const char* const MenuForm = R"(
    Menu = MainMenu1
    TMainMenu MainMenu1 {
        TMenuItem File1 { Caption = "File"
            TMenuItem New1 { Caption = "New"; OnClick = Click1 }
            TMenuItem Load1 { Caption = "Load"; Enabled = False; OnClick = Click2 }
        }
        TMenuItem Language1 { Caption = "Version"
            TMenuItem Chinese1 { Caption = "Chinese"; RadioItem = True; AutoCheck = True; Checked = True; OnClick = Click3 }
            TMenuItem English1 { Caption = "English"; RadioItem = True; AutoCheck = True; OnClick = Click3 }
        }
    })";

TEST(Menu, AClickOpensTheMenuAndRunsTheItem)
{
    auto Form = ShowTestForm(MenuForm);
    EXPECT_TRUE(TUser::Click(Form->Get<TMenuItem>("New1")));
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"Click1(New1)"}));
}

TEST(Menu, RadioItemsCheckThemselvesWhenClicked)
{
    auto Form = ShowTestForm(MenuForm);
    auto* Chinese = Form->Get<TMenuItem>("Chinese1");
    auto* English = Form->Get<TMenuItem>("English1");
    bool CheckedInHandler = false;
    Form->OnCall = [&](const AnsiString&) { CheckedInHandler = English->Checked(); };
    EXPECT_TRUE(TUser::Click(English));
    EXPECT_TRUE(CheckedInHandler);
    EXPECT_TRUE(English->Checked());
    EXPECT_FALSE(Chinese->Checked());
    EXPECT_TRUE(TUser::Click(English));
    EXPECT_TRUE(English->Checked());
    Chinese->SetChecked(true);
    EXPECT_FALSE(English->Checked());
}

TEST(Menu, DisabledItemsAndItemsOfADisabledMenuCannotBeClicked)
{
    auto Form = ShowTestForm(MenuForm);
    EXPECT_FALSE(TUser::Click(Form->Get<TMenuItem>("Load1")));
    Form->Get<TMenuItem>("Language1")->SetEnabled(false);
    EXPECT_FALSE(TUser::Click(Form->Get<TMenuItem>("English1")));
    EXPECT_TRUE(Form->Calls.empty());
    EXPECT_TRUE(Form->Get<TMenuItem>("Chinese1")->Checked());
}

TEST(Menu, ItemsFollowTheirMenuTree)
{
    auto Form = ShowTestForm(MenuForm);
    auto* File = Form->Get<TMenuItem>("File1");
    ASSERT_EQ(File->Count(), 2);
    EXPECT_EQ(File->Items(1)->Name(), "Load1");
    EXPECT_EQ(File->Items(1)->ParentItem(), File);
    EXPECT_EQ(File->Menu(), Form->Menu());
    delete File->Items(1);
    EXPECT_EQ(File->Count(), 1);
}

const char* const PagesForm = R"(
    TPageControl PageControl1 { Left = 0; Top = 0; Width = 380; Height = 200; ActivePage = TabSheet1; OnChange = Change1
        TTabSheet TabSheet1 { Caption = "週一"
            TSpeedButton SpeedButton1 { Left = 4; Top = 4; Caption = "A"; OnClick = Click1 } }
        TTabSheet TabSheet2 { Caption = "週二" }
        TTabSheet TabSheet13 { Caption = "系統設定"
            TSpeedButton SpeedButton2 { Left = 4; Top = 4; Caption = "B"; OnClick = Click2 } }
    })";

TEST(PageControl, TheUserPicksAPageAndOnlyItsControlsTakeClicks)
{
    auto Form = ShowTestForm(PagesForm);
    auto* Pages = Form->Get<TPageControl>("PageControl1");
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Form->Get<TTabSheet>("TabSheet1"));
    EXPECT_EQ(Form->Get<TTabSheet>("TabSheet13")->PageIndex(), 2);
    EXPECT_FALSE(TUser::Click(Form->Get<TSpeedButton>("SpeedButton2")));
    EXPECT_TRUE(TUser::ChoosePage(Pages, 2));
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_TRUE(TUser::Click(Form->Get<TSpeedButton>("SpeedButton2")));
    EXPECT_FALSE(TUser::Click(Form->Get<TSpeedButton>("SpeedButton1")));
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"Change1(PageControl1)", "Click2(SpeedButton2)"}));
}

TEST(PageControl, CodeChangesThePageWithoutOnChange)
{
    auto Form = ShowTestForm(PagesForm);
    auto* Pages = Form->Get<TPageControl>("PageControl1");
    Pages->SetActivePageIndex(1);
    EXPECT_EQ(Pages->ActivePageIndex(), 1);
    Pages->SetActivePageIndex(7);
    EXPECT_EQ(Pages->ActivePageIndex(), 1);
    EXPECT_EQ(Pages->Pages(7), nullptr);
    Form->Get<TTabSheet>("TabSheet2")->SetCaption("Tuesday");
    EXPECT_EQ(Pages->Pages(1)->Caption(), "Tuesday");
    EXPECT_TRUE(Form->Calls.empty());
}

// The keyboard reaches the controls of the shown page only: what is typed
// after Tab never lands in an edit on a page out of sight.
TEST(PageControl, TabSkipsTheControlsOfPagesOutOfSight)
{
    auto Form = ShowTestForm(R"(
        TPageControl PageControl1 { Left = 0; Top = 0; Width = 380; Height = 200
            TTabSheet TabSheet1 { Caption = "週一"; TEdit Edit1 { Left = 4; Top = 4 } }
            TTabSheet TabSheet2 { Caption = "週二"; TEdit Edit2 { Left = 4; Top = 4 } }
        })");
    auto* Monday = Form->Get<TEdit>("Edit1");
    auto* Tuesday = Form->Get<TEdit>("Edit2");
    ASSERT_TRUE(TUser::TypeText(Monday, "1"));
    TUser::PressTab(Form.get());
    TUser::TypeKeys(Form.get(), "5");
    EXPECT_EQ(Tuesday->Text(), "");
    ASSERT_TRUE(TUser::ChoosePage(Form->Get<TPageControl>("PageControl1"), 1));
    ASSERT_TRUE(TUser::TypeText(Tuesday, "2"));
    TUser::PressTab(Form.get(), true);
    TUser::TypeKeys(Form.get(), "5");
    EXPECT_EQ(Monday->Text(), "1");
}

TEST(StatusBar, PanelsFromTheResourceAndFromCode)
{
    auto Form = ShowTestForm(R"(TStatusBar StatusBar1 {
        Panels = < { Text = "COM"; Width = 55 } { Text = "COM 1"; Width = 50 } { Width = 70; Text = "State" }
                   { Width = 170 } { Text = "ORB"; Width = 50; Alignment = taCenter } > })");
    auto* Bar = Form->Get<TStatusBar>("StatusBar1");
    ASSERT_EQ(Bar->Panels()->Count(), 5);
    EXPECT_EQ(Bar->Panels()->Items(0)->Text(), "COM");
    EXPECT_EQ(Bar->Panels()->Items(3)->Width(), 170);
    EXPECT_EQ(Bar->Panels()->Items(4)->Alignment(), taCenter);
    EXPECT_EQ(Bar->Panels()->Items(5), nullptr);
    Bar->Panels()->Items(1)->SetText("None");
    EXPECT_EQ(Bar->Panels()->Items(1)->Text(), "None");
    // The bar lies along the bottom of the window, its whole width.
    EXPECT_EQ(Bar->Top() + Bar->Height(), Form->ClientHeight());
    EXPECT_EQ(Bar->Width(), Form->ClientWidth());
}

// The stored Width and Height are the window's outer size, the desktop's
// frame included, with the menu bar inside: the controls lie at their stored
// places below the menu, and the bar along the bottom is whole in the window.
TEST(StatusBar, LiesWholeInTheWindowOfTheStoredOuterSize)
{
    auto Form = ShowTestForm(AnsiString(MenuForm) + R"(
        TPanel Panel1 { Left = 8; Top = 30; Width = 200; Height = 100 }
        TStatusBar StatusBar1 { Panels = < { Text = "COM"; Width = 55 } { Text = "ORB" } > })",
                             464, 398);
    QWidget* Window = Form->Widget();
    EXPECT_EQ(Form->Width(), 464);
    EXPECT_EQ(Form->Height(), 398);
    EXPECT_EQ(Window->frameGeometry().width(), 464);
    EXPECT_EQ(Window->frameGeometry().height(), 398);
    EXPECT_EQ(Form->ClientWidth(), Window->width());
    EXPECT_EQ(Form->ClientHeight(), Window->height() - Form->Menu()->MenuBar()->height());
    auto* Panel = Form->Get<TPanel>("Panel1");
    const QPoint PanelInClient = Panel->Widget()->mapTo(Form->ClientWidget(), QPoint(0, 0));
    EXPECT_EQ(PanelInClient.x(), 8);
    EXPECT_EQ(PanelInClient.y(), 30);
    QWidget* Bar = Form->Get<TStatusBar>("StatusBar1")->Widget();
    const QRect BarInWindow(Bar->mapTo(Window, QPoint(0, 0)), Bar->size());
    EXPECT_TRUE(Window->rect().contains(BarInWindow));
    EXPECT_EQ(BarInWindow.bottom(), Window->rect().bottom());
}

TEST(RichEdit, LinesAddClearAndTheDesignText)
{
    auto Form = ShowTestForm(R"(TRichEdit RichEdit1 { Left = 8; Top = 8; Width = 297; Height = 129; ReadOnly = True; ScrollBars = ssVertical
        Lines = ["RichEdit1"] })");
    auto* Log = Form->Get<TRichEdit>("RichEdit1");
    ASSERT_EQ(Log->Lines()->Count(), 1);
    EXPECT_EQ(Log->Lines()->Strings(0), "RichEdit1");
    Log->Clear();
    EXPECT_EQ(Log->Lines()->Count(), 0);
    Log->Lines()->Add(">> Schedule finish time: 17 : 30");
    Log->Lines()->Add("");
    Log->Lines()->Add("===> 連線終止!! <===");
    EXPECT_EQ(Log->Lines()->Count(), 3);
    EXPECT_EQ(Log->Lines()->Strings(1), "");
    EXPECT_EQ(Log->Lines()->Strings(2), "===> 連線終止!! <===");
    Log->Lines()->Delete(0);
    EXPECT_EQ(Log->Lines()->Text(), "\n===> 連線終止!! <===\n");
    EXPECT_THROW(Log->Lines()->Strings(2), EStringListError);
    EXPECT_TRUE(Log->ReadOnly());
}

TEST(Label, SizesItselfToItsCaption)
{
    auto Form = ShowTestForm(R"(TLabel Label1 { Left = 8; Top = 8; Caption = "月" })");
    auto* Label = Form->Get<TLabel>("Label1");
    int Short = Label->Width();
    Label->SetCaption("GPS同步: 00:00");
    EXPECT_GT(Label->Width(), Short);
    Label->SetAutoSize(false);
    Label->SetWidth(10);
    Label->SetCaption("系統時區: +8");
    EXPECT_EQ(Label->Width(), 10);
}

TEST(Controls, ParentFontFollowsTheFormUntilTheControlSetsItsOwn)
{
    auto Form = NewForm<TTestForm>(R"(TTestForm Form1 { Font.Name = "新細明體"; Font.Height = -12
        TLabel Label1 { Caption = "a" }
        TLabel Label2 { Caption = "b"; Font.Height = -16; Font.Color = clNavy; Font.Style = [fsBold, fsItalic]
                        Font.Charset = CHINESEBIG5_CHARSET } })");
    auto* Plain = Form->Get<TLabel>("Label1");
    auto* Own = Form->Get<TLabel>("Label2");
    EXPECT_TRUE(Plain->ParentFont());
    EXPECT_EQ(Plain->Font().Name(), "新細明體");
    EXPECT_FALSE(Own->ParentFont());
    EXPECT_EQ(Own->Font().Name(), "新細明體");
    EXPECT_EQ(Own->Font().Height(), -16);
    EXPECT_EQ(Own->Font().Color(), clNavy);
    EXPECT_EQ(Own->Font().Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(Own->Font().Charset(), CHINESEBIG5_CHARSET);
    Form->Font().SetHeight(-20);
    EXPECT_EQ(Plain->Font().Height(), -20);
    EXPECT_EQ(Own->Font().Height(), -16);
}

TEST(Controls, DestroyingAContainerDestroysItsControls)
{
    auto Form = NewForm<TTestForm>(R"(TTestForm Form1 {
        TPanel Panel1 { TGroupBox GroupBox1 { TCheckBox CheckBox1 { } } TLabel Label1 { } } })");
    EXPECT_EQ(Form->ComponentCount(), 4);
    delete Form->Get<TPanel>("Panel1");
    EXPECT_EQ(Form->ComponentCount(), 0);
    EXPECT_EQ(Form->FindComponent("CheckBox1"), nullptr);
}

TEST(Controls, AControlCannotHoldItself)
{
    auto Form = NewForm<TTestForm>(R"(TTestForm Form1 { TPanel Panel1 { TPanel Panel2 { } } })");
    auto* Outer = Form->Get<TPanel>("Panel1");
    EXPECT_THROW(Outer->SetParent(Form->Get<TPanel>("Panel2")), Exception);
    EXPECT_EQ(Outer->Parent(), Form.get());
}

} // namespace

namespace {

TEST(PageControl, ATabOutOfViewIsScrolledToLikeAUserWould)
{
    AnsiString Body = "TPageControl PageControl1 { Left = 0; Top = 0; Width = 200; Height = 100\n";
    for (int k = 1; k <= 13; ++k)
        Body += " TTabSheet TabSheet" + std::to_string(k) + " { Caption = \"特定日" + std::to_string(k) + "\" }\n";
    Body += "}";
    auto Form = ShowTestForm(Body, 220, 120);
    auto* Pages = Form->Get<TPageControl>("PageControl1");
    EXPECT_TRUE(TUser::ChoosePage(Pages, 12));
    EXPECT_EQ(Pages->ActivePageIndex(), 12);
    EXPECT_TRUE(TUser::ChoosePage(Pages, 0));
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
}

} // namespace
