// Forms built from resources: what is created and bound, the order of the
// steps, the errors, the form's size, and the application object's part.

#include <QMenuBar>
#include <QWidget>
#include <gtest/gtest.h>

#include "CaseName.h"
#include "rtl/Timer.h"
#include "vcl/testing/Responder.h"
#include "vcl/testing/User.h"

namespace {

// A component of another library, placeable once registered.
class TCounterPort : public TComponent {
public:
    explicit TCounterPort(TComponent* AOwner) : TComponent(AOwner) {}
    int Port = 0;
    bool WasLoaded = false;
    void Loaded() override
    {
        TComponent::Loaded();
        WasLoaded = true;
    }
    void DefineProperties(TPropertyList& List) override
    {
        TComponent::DefineProperties(List);
        List.Add("Port", [this](const TStoredValue& V) { Port = V.AsInt(); });
    }
};

const char* const ProbeResource = R"FORM(
TProbeForm Form1 {
    Caption = "探針"; Width = 300; Height = 200
    OnCreate = FormCreate; OnDestroy = FormDestroy
    Menu = MainMenu1
    TMainMenu MainMenu1 { TMenuItem File1 { Caption = "File"; TMenuItem New1 { Caption = "New"; OnClick = New1Click } } }
    TPanel Panel1 {
        Left = 8; Top = 8; Width = 200; Height = 100
        TCheckBox CheckBox1 { Left = 4; Top = 4; Caption = "啟用"; Checked = True; OnClick = CheckBox1Click }
        TCounterPort Port1 { Port = 3 }
    }
    TPageControl PageControl1 {
        Left = 8; Top = 110; ActivePage = TabSheet2
        TTabSheet TabSheet1 { Caption = "週一" }
        TTabSheet TabSheet2 { Caption = "週二" }
    }
    TTimer Timer1 { Interval = 10000; Enabled = False; OnTimer = Timer1Timer }
}
)FORM";

class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* AOwner, AnsiString Resource = ProbeResource) : TForm(AOwner, std::move(Resource))
    {
        BindField("CheckBox1", CheckBox1);
        BindField("Panel1", Panel1);
        BindMethod("FormCreate", &TProbeForm::FormCreate);
        BindMethod("FormDestroy", &TProbeForm::FormDestroy);
        BindMethod("CheckBox1Click", &TProbeForm::CheckBox1Click);
        BindMethod("New1Click", &TProbeForm::New1Click);
        BindMethod("Timer1Timer", &TProbeForm::Timer1Timer);
    }
    TCheckBox* CheckBox1 = nullptr;
    TPanel* Panel1 = nullptr;
    std::vector<AnsiString> Calls;
    std::vector<AnsiString>* DestroyLog = nullptr;

    void FormCreate(TObject*)
    {
        auto* Port = FindComponentAs<TCounterPort>("Port1");
        Calls.push_back(AnsiString("create, port loaded ") + (Port && Port->WasLoaded ? "yes" : "no"));
    }
    void FormDestroy(TObject*)
    {
        if (DestroyLog)
            DestroyLog->push_back("destroy " + CheckBox1->Caption());
    }
    void CheckBox1Click(TObject*) { Calls.push_back("click"); }
    void New1Click(TObject*) { Calls.push_back("new"); }
    void Timer1Timer(TObject*) { Calls.push_back("tick"); }
};

class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterComponentClass<TCounterPort>("TCounterPort"); }
};

TEST_F(FormTest, BuildsComponentsBindsFieldsAndHandlersThenRunsOnCreate)
{
    auto Form = NewForm<TProbeForm>();
    EXPECT_EQ(Form->Name(), "Form1");
    EXPECT_EQ(Form->Caption(), "探針");
    ASSERT_NE(Form->CheckBox1, nullptr);
    EXPECT_EQ(Form->CheckBox1->Parent(), Form->Panel1);
    EXPECT_EQ(Form->CheckBox1->Owner(), Form.get());
    EXPECT_TRUE(Form->CheckBox1->Checked());
    // No click while the resource was read; OnCreate after every Loaded.
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"create, port loaded yes"}));
    auto* Port = Form->FindComponentAs<TCounterPort>("Port1");
    ASSERT_NE(Port, nullptr);
    EXPECT_EQ(Port->Port, 3);
    EXPECT_EQ(Form->FindComponentAs<TPageControl>("PageControl1")->ActivePageIndex(), 1);
    EXPECT_NE(Form->Menu(), nullptr);
    EXPECT_FALSE(Form->FindComponentAs<TTimer>("Timer1")->Running());

    Form->CheckBox1->SetChecked(false);
    EXPECT_EQ(Form->Calls.back(), "click");
}

TEST_F(FormTest, OnDestroyRunsOnceWhileTheFormIsWhole)
{
    std::vector<AnsiString> Log;
    {
        auto Form = NewForm<TProbeForm>();
        Form->DestroyLog = &Log;
        Form->BeforeDestruction();
    }
    EXPECT_EQ(Log, (std::vector<AnsiString>{"destroy 啟用"}));
}

struct TBadForm {
    const char* Body;
    const char* Message;
};

class FormErrors : public FormTest, public ::testing::WithParamInterface<TBadForm> {};

TEST_P(FormErrors, StopTheReadingWithTheLine)
{
    AnsiString Resource = AnsiString("TProbeForm Form1 {\n") + GetParam().Body + "\n}";
    try {
        auto Form = NewForm<TProbeForm>(Resource);
        FAIL() << "accepted: " << GetParam().Body;
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Resources, FormErrors,
    ::testing::Values(
        TBadForm{"TCheckBox CheckBox1 { }\nTPanel Panel1 { }\nTFancy Fancy1 { }",
                 "Form resource line 4 (Fancy1): Class TFancy not found"},
        TBadForm{"TCheckBox CheckBox1 { }\nTPanel CheckBox1 { }",
                 "Form resource line 3 (CheckBox1): A component named CheckBox1 already exists"},
        TBadForm{"TCheckBox CheckBox1 { Colour = clRed }",
                 "Form resource line 2 (CheckBox1): Property Colour does not exist"},
        TBadForm{"TCheckBox CheckBox1 { Width = wide }",
                 "Form resource line 2 (CheckBox1): Invalid property value 'wide'"},
        TBadForm{"TCheckBox CheckBox1 { OnClick = Nothing1Click }",
                 "Form resource line 2 (CheckBox1): Method Nothing1Click does not exist"},
        TBadForm{"TStringGrid Grid1 { OnMouseDown = CheckBox1Click }",
                 "Form resource line 2 (Grid1): Method CheckBox1Click does not fit the event"},
        TBadForm{"TCheckBox CheckBox1 { }", "Field Panel1 has no component in the form resource"},
        TBadForm{"TCheckBox CheckBox1 { }\nTLabel Panel1 { }", "Field Panel1 is of another class than its component"},
        TBadForm{"TPanel Panel1 { }\nTCheckBox CheckBox1 { }\nTMainMenu M1 { TCheckBox C2 { } }",
                 "Form resource line 4 (C2): TCheckBox cannot be placed in M1"},
        TBadForm{"TPanel Panel1 { TMenuItem Item1 { } }\nTCheckBox CheckBox1 { }",
                 "Form resource line 2 (Item1): A menu item must be placed in a menu or a menu item"},
        TBadForm{"Menu = Panel1\nTPanel Panel1 { }\nTCheckBox CheckBox1 { }",
                 "Form resource line 1 (Form1): Menu Panel1 is not a main menu of the form"},
        TBadForm{"TPanel Panel1 { }\nTCheckBox CheckBox1 { }\nTStringGrid G1 { FixedRows = 2 }",
                 "Form resource line 4 (G1): Fixed row count must be 0 or 1"}),
    [](const auto& Info) { return CaseNameOfMessage(Info.param.Message); });

// The size that decides on one axis, outer (the desktop's frame and title
// and the menu bar included) or client.
struct TSide {
    bool Client;
    int Size;
};

struct TSizeCase {
    const char* Name;
    std::string Stored;
    // What the program writes before the first show (as OnCreate might).
    void (*Write)(TForm& Form);
    TSide Across;
    TSide Down;
};

void PrintTo(const TSizeCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

const std::string MenuBlock = "\nMenu = MainMenu1\nTMainMenu MainMenu1 { TMenuItem File1 { Caption = \"File\" } }";

class FormSize : public ::testing::TestWithParam<TSizeCase> {
protected:
    void SetUp() override
    {
        Form = NewForm<TForm>("TForm1 Form1 {\n" + GetParam().Stored + "\n}");
        if (GetParam().Write)
            GetParam().Write(*Form);
    }

    // Shows the form and takes the desktop's frame and the menu bar from its
    // window, against which the expected sizes count.
    void Show()
    {
        TUser::ShowForm(Form.get());
        const QWidget* Window = Form->Widget();
        FrameWidth = Window->frameGeometry().width() - Window->width();
        FrameHeight = Window->frameGeometry().height() - Window->height() +
                      (Form->Menu() ? Form->Menu()->MenuBar()->height() : 0);
    }

    static int Outer(TSide Side, int Frame) { return Side.Client ? Side.Size + Frame : Side.Size; }
    static int Client(TSide Side, int Frame) { return Side.Client ? Side.Size : Side.Size - Frame; }
    int OuterWidth() const { return Outer(GetParam().Across, FrameWidth); }
    int OuterHeight() const { return Outer(GetParam().Down, FrameHeight); }
    int ClientWidth() const { return Client(GetParam().Across, FrameWidth); }
    int ClientHeight() const { return Client(GetParam().Down, FrameHeight); }

    TFormPtr<TForm> Form;
    // Frame and title across and down; down also the menu bar.
    int FrameWidth = 0;
    int FrameHeight = 0;
};

TEST_P(FormSize, TheSizeWrittenLastDecidesTheShownWindow)
{
    Show();
    const QRect Outer = Form->Widget()->frameGeometry();
    EXPECT_EQ(Outer.width(), OuterWidth());
    EXPECT_EQ(Outer.height(), OuterHeight());
    EXPECT_EQ(Form->Width(), OuterWidth());
    EXPECT_EQ(Form->Height(), OuterHeight());
    EXPECT_EQ(Form->ClientWidth(), ClientWidth());
    EXPECT_EQ(Form->ClientHeight(), ClientHeight());
}

TEST_P(FormSize, TheSizesBeforeTheFirstShowAreThoseOfTheShownWindow)
{
    const int WidthBefore = Form->Width();
    const int HeightBefore = Form->Height();
    const int ClientWidthBefore = Form->ClientWidth();
    const int ClientHeightBefore = Form->ClientHeight();
    Show();
    EXPECT_EQ(WidthBefore, OuterWidth());
    EXPECT_EQ(HeightBefore, OuterHeight());
    EXPECT_EQ(ClientWidthBefore, ClientWidth());
    EXPECT_EQ(ClientHeightBefore, ClientHeight());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormSize,
    ::testing::Values(
        TSizeCase{"StoredClientSize", "ClientWidth = 300; ClientHeight = 200", nullptr, {true, 300}, {true, 200}},
        TSizeCase{"StoredOuterSize", "Width = 400; Height = 300", nullptr, {false, 400}, {false, 300}},
        TSizeCase{"StoredClientSizeWithAMenu", "ClientWidth = 300; ClientHeight = 200" + MenuBlock, nullptr,
                  {true, 300}, {true, 200}},
        TSizeCase{"StoredOuterSizeWithAMenu", "Width = 400; Height = 300" + MenuBlock, nullptr, {false, 400},
                  {false, 300}},
        TSizeCase{"OuterSizeWrittenAfterTheStoredClientSize", "ClientWidth = 300; ClientHeight = 200",
                  [](TForm& F) {
                      F.SetWidth(500);
                      F.SetHeight(400);
                  },
                  {false, 500}, {false, 400}},
        TSizeCase{"WidthWrittenAfterTheStoredClientSize", "ClientWidth = 300; ClientHeight = 200",
                  [](TForm& F) { F.SetWidth(500); }, {false, 500}, {true, 200}},
        TSizeCase{"ClientSizeWrittenAfterTheStoredOuterSize", "Width = 400; Height = 300",
                  [](TForm& F) {
                      F.SetClientWidth(250);
                      F.SetClientHeight(150);
                  },
                  {true, 250}, {true, 150}},
        TSizeCase{"OuterHeightWrittenAfterTheStoredClientSizeWithAMenu",
                  "ClientWidth = 300; ClientHeight = 200" + MenuBlock, [](TForm& F) { F.SetHeight(400); },
                  {true, 300}, {false, 400}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(FormTest, AFormBuiltInCodeShowsWithoutAResource)
{
    TFormPtr<TForm> Form(new TForm(nullptr));
    auto* Button = new TSpeedButton(Form.get());
    Button->SetParent(Form.get());
    Button->SetBounds(8, 8, 60, 24);
    int Clicks = 0;
    Button->SetOnClick([&](TObject*) { ++Clicks; });
    TUser::ShowForm(Form.get());
    EXPECT_TRUE(Form->Visible());
    EXPECT_TRUE(TUser::Click(Button));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(FormTest, NonVisualComponentsMayStandInsideAControl)
{
    auto Form = NewForm<TProbeForm>();
    auto* Port = Form->FindComponentAs<TCounterPort>("Port1");
    ASSERT_NE(Port, nullptr);
    EXPECT_EQ(Port->Owner(), Form.get());
}

TEST_F(FormTest, AnExceptionInOnCreateIsShownAndTheFormIsBuilt)
{
    class TFailingForm : public TForm {
    public:
        explicit TFailingForm(TComponent* AOwner) : TForm(AOwner, "TFailingForm Form1 { OnCreate = FormCreate }")
        {
            BindMethod("FormCreate", &TFailingForm::FormCreate);
        }
        void FormCreate(TObject*) { throw Exception("Err: no language file !!!"); }
    };
    TTestResponder Responder;
    auto Form = NewForm<TFailingForm>();
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "Err: no language file !!!");
    EXPECT_EQ(Responder.MessageBoxes()[0].Icon, "Error");
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, Application->Title());
}

TEST_F(FormTest, TheApplicationRunsTheMainFormUntilItClosesThenDestroysIt)
{
    std::vector<AnsiString> Log;
    TProbeForm* Form1 = nullptr;
    Application->CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(Application->MainForm(), Form1);
    Form1->DestroyLog = &Log;
    // The user closes the window once the loop runs.
    MainLoop()->Post([Form1] {
        EXPECT_TRUE(Form1->Visible());
        TUser::CloseForm(Form1);
    });
    Application->Run();
    EXPECT_EQ(Log, (std::vector<AnsiString>{"destroy 啟用"}));
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

TEST_F(FormTest, AFailedCreateFormLeavesNoForm)
{
    class TBrokenForm : public TForm {
    public:
        explicit TBrokenForm(TComponent* AOwner) : TForm(AOwner, "TBrokenForm Form1 { Nothing = 1 }") {}
    };
    TBrokenForm* Form1 = nullptr;
    EXPECT_THROW(Application->CreateForm(Form1), EReadError);
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

TEST_F(FormTest, TheFormsTimerTicksThroughTheWindowLoop)
{
    auto Form = NewForm<TProbeForm>();
    auto* Timer1 = Form->FindComponentAs<TTimer>("Timer1");
    Timer1->SetInterval(5);
    Timer1->SetEnabled(true);
    for (int i = 0; i < 400 && Form->Calls.back() != "tick"; ++i)
        TUser::Wait(5);
    EXPECT_EQ(Form->Calls.back(), "tick");
}

} // namespace

namespace {

TEST_F(FormTest, TerminateBeforeRunEndsRunAtOnceAndRunCanComeAgain)
{
    TProbeForm* Form1 = nullptr;
    Application->CreateForm(Form1);
    Application->Terminate();
    Application->Run();
    EXPECT_EQ(Application->MainForm(), nullptr);

    Application->CreateForm(Form1);
    MainLoop()->Post([] { Application->Terminate(); });
    Application->Run();
    EXPECT_EQ(Application->ComponentCount(), 0);
    // The loop has no quit left over for the next run.
    bool Ran = false;
    MainLoop()->Post([&] {
        Ran = true;
        MainLoop()->Quit(3);
    });
    EXPECT_EQ(MainLoop()->Run(), 3);
    EXPECT_TRUE(Ran);
}

} // namespace
