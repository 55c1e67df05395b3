// Buttons, check boxes, radio buttons and combo boxes, driven as a user
// drives them and set from code.

#include <QAbstractItemView>
#include <QComboBox>

#include "TestForm.h"

namespace {

TEST(CheckBox, CheckedFromCodeClicksOnlyWhenTheValueChanges)
{
    auto Form = ShowTestForm(R"(TCheckBox CheckBox1 { Left = 8; Top = 8; Caption = "CH 1 ON"; OnClick = Click1 })");
    auto* Box = Form->Get<TCheckBox>("CheckBox1");
    Box->SetChecked(true);
    Box->SetChecked(true);
    Box->SetChecked(false);
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"Click1(CheckBox1)", "Click1(CheckBox1)"}));
}

TEST(CheckBox, AUserClickTogglesAndClicks)
{
    auto Form = ShowTestForm(R"(TCheckBox CheckBox1 { Left = 8; Top = 8; Caption = "CH 1 ON"; OnClick = Click1 })");
    auto* Box = Form->Get<TCheckBox>("CheckBox1");
    EXPECT_TRUE(TUser::Click(Box));
    EXPECT_TRUE(Box->Checked());
    EXPECT_TRUE(TUser::Click(Box));
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Form->Calls.size(), 2u);
}

struct TUnreachable {
    const char* Name;
    const char* Body;
};

class UnreachableControls : public ::testing::TestWithParam<TUnreachable> {};

// A disabled or hidden control, one in a disabled or hidden panel, and one
// covered by another control take no click.
TEST_P(UnreachableControls, TakeNoClick)
{
    auto Form = ShowTestForm(GetParam().Body);
    auto* Target = Form->Get<TControl>("Target");
    EXPECT_FALSE(TUser::Click(Target));
    EXPECT_TRUE(Form->Calls.empty()) << Form->Calls.front();
    if (auto* Box = dynamic_cast<TCheckBox*>(Target)) {
        EXPECT_FALSE(Box->Checked());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreachableControls,
    ::testing::Values(
        TUnreachable{"DisabledButton", R"(TSpeedButton Target { Left = 8; Top = 8; Caption = "下載"; Enabled = False; OnClick = Click1 })"},
        TUnreachable{"HiddenButton", R"(TSpeedButton Target { Left = 8; Top = 8; Caption = "離線"; Visible = False; OnClick = Click1 })"},
        TUnreachable{"DisabledBox", R"(TCheckBox Target { Left = 8; Top = 8; Caption = "x"; Enabled = False; OnClick = Click1 })"},
        TUnreachable{"BoxInDisabledPanel", R"(TPanel Panel1 { Left = 0; Top = 0; Width = 200; Height = 60; Enabled = False
            TCheckBox Target { Left = 8; Top = 8; Caption = "CH 1 ON"; OnClick = Click1 } })"},
        TUnreachable{"ButtonInDisabledGroup", R"(TGroupBox GroupBox6 { Left = 0; Top = 0; Width = 200; Height = 80; Enabled = False
            TRadioButton Target { Left = 8; Top = 20; Caption = "作息表 B"; OnClick = Click1 } })"},
        TUnreachable{"ButtonInHiddenPanel", R"(TPanel Panel1 { Left = 0; Top = 0; Width = 200; Height = 60; Visible = False
            TSpeedButton Target { Left = 8; Top = 8; Caption = "確定"; OnClick = Click1 } })"},
        TUnreachable{"CoveredButton", R"(TSpeedButton Target { Left = 8; Top = 8; Width = 60; Height = 24; Caption = "連線"; OnClick = Click1 }
            TPanel Cover { Left = 0; Top = 0; Width = 100; Height = 50 })"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(CheckBox, ControlsOfADisabledPanelKeepTheirOwnEnabledFlag)
{
    auto Form = ShowTestForm(R"(TPanel Panel1 { Left = 0; Top = 0; Width = 200; Height = 60; Enabled = False
        TCheckBox CheckBox1 { Left = 8; Top = 8; Caption = "CH 1 ON" } })");
    EXPECT_TRUE(Form->Get<TCheckBox>("CheckBox1")->Enabled());
    // Code still sets what the panel shows.
    Form->Get<TCheckBox>("CheckBox1")->SetChecked(true);
    EXPECT_TRUE(Form->Get<TCheckBox>("CheckBox1")->Checked());
}

TEST(SpeedButton, ClickRunsOnClickAndTheVisibleOfTwoButtonsInOnePlaceTakesIt)
{
    auto Form = ShowTestForm(R"(
        TSpeedButton SpeedButton1 { Left = 8; Top = 8; Width = 60; Height = 24; Caption = "連線"; OnClick = Click1 }
        TSpeedButton SpeedButton10 { Left = 8; Top = 8; Width = 60; Height = 24; Caption = "離線"; Visible = False; OnClick = Click2 })");
    auto* Connect = Form->Get<TSpeedButton>("SpeedButton1");
    auto* Offline = Form->Get<TSpeedButton>("SpeedButton10");
    EXPECT_TRUE(TUser::Click(Connect));
    Connect->Hide();
    Offline->Show();
    EXPECT_FALSE(TUser::Click(Connect));
    EXPECT_TRUE(TUser::Click(Offline));
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"Click1(SpeedButton1)", "Click2(SpeedButton10)"}));
}

const char* const Radios = R"(
    TGroupBox GroupBox4 { Left = 0; Top = 0; Width = 150; Height = 100
        TRadioButton RadioButton3 { Left = 8; Top = 16; Caption = "週一"; Checked = True; OnClick = Click1 }
        TRadioButton RadioButton4 { Left = 8; Top = 40; Caption = "週二"; OnClick = Click2 }
    }
    TGroupBox GroupBox6 { Left = 160; Top = 0; Width = 150; Height = 100
        TRadioButton RadioButton15 { Left = 8; Top = 16; Caption = "作息表 A"; Checked = True; OnClick = Click3 }
        TRadioButton RadioButton16 { Left = 8; Top = 40; Caption = "作息表 B" }
    })";

TEST(RadioButton, OneParentIsOneGroupAndOnlyTheNewlyCheckedOneClicks)
{
    auto Form = ShowTestForm(Radios);
    auto* R3 = Form->Get<TRadioButton>("RadioButton3");
    auto* R4 = Form->Get<TRadioButton>("RadioButton4");
    auto* R15 = Form->Get<TRadioButton>("RadioButton15");
    EXPECT_TRUE(TUser::Click(R4));
    EXPECT_TRUE(R4->Checked());
    EXPECT_FALSE(R3->Checked());
    EXPECT_TRUE(R15->Checked());    // the other group is untouched
    R3->SetChecked(true);
    EXPECT_FALSE(R4->Checked());
    // A click on the checked button changes nothing.
    EXPECT_TRUE(TUser::Click(R3));
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"Click2(RadioButton4)", "Click1(RadioButton3)"}));
}

TEST(RadioButton, CodeMayUncheckTheCheckedButton)
{
    auto Form = ShowTestForm(Radios);
    auto* R15 = Form->Get<TRadioButton>("RadioButton15");
    R15->SetChecked(false);
    EXPECT_FALSE(R15->Checked());
    EXPECT_FALSE(Form->Get<TRadioButton>("RadioButton16")->Checked());
    EXPECT_TRUE(Form->Calls.empty());
}

const char* const Combo = R"(
    TComboBox ComboBox11 { Left = 8; Top = 8; Width = 120; Items = ["COM 1", "COM 2", "COM 3"]; Text = "COM Port select"; OnChange = Change1 }
    TComboBox ComboBox1 { Left = 8; Top = 40; Width = 120; Style = csDropDownList; Items = ["1", "2", "3"]; ItemIndex = 0; OnChange = Change2 })";

TEST(ComboBox, CodeSetsWithoutOnChangeAndOutOfRangeChoosesNone)
{
    auto Form = ShowTestForm(Combo);
    auto* Box = Form->Get<TComboBox>("ComboBox11");
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Text(), "COM Port select");
    Box->SetItemIndex(2);
    EXPECT_EQ(Box->Text(), "COM 3");
    for (int Bad : {3, -2, 100}) {
        Box->SetItemIndex(Bad);
        EXPECT_EQ(Box->ItemIndex(), -1) << Bad;
    }
    Box->SetText("COM 2");
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_TRUE(Form->Calls.empty());
}

TEST(ComboBox, ChoosingAnItemChangesOnce)
{
    auto Form = ShowTestForm(Combo);
    auto* Box = Form->Get<TComboBox>("ComboBox11");
    int SeenIndex = -5;
    Form->OnCall = [&](const AnsiString&) { SeenIndex = Box->ItemIndex(); };
    EXPECT_TRUE(TUser::ChooseItem(Box, "COM 3"));
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(SeenIndex, 2);
    EXPECT_EQ(Form->Calls, (std::vector<AnsiString>{"Change1(ComboBox11)"}));

    auto* List = Form->Get<TComboBox>("ComboBox1");
    EXPECT_TRUE(TUser::ChooseItem(List, 2));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Form->Calls.back(), "Change2(ComboBox1)");
}

TEST(ComboBox, TypingChangesAtEachKeyAndChoosesTheEqualItem)
{
    auto Form = ShowTestForm(Combo);
    auto* Box = Form->Get<TComboBox>("ComboBox11");
    std::vector<int> Seen;
    Form->OnCall = [&](const AnsiString&) { Seen.push_back(Box->ItemIndex()); };
    EXPECT_TRUE(TUser::TypeText(Box, "COM 2"));
    EXPECT_EQ(Box->Text(), "COM 2");
    EXPECT_EQ(Box->ItemIndex(), 1);
    EXPECT_EQ(Seen, (std::vector<int>{-1, -1, -1, -1, 1}));
    EXPECT_TRUE(TUser::TypeText(Box, "COM 9"));
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Text(), "COM 9");
}

TEST(ComboBox, ADisabledComboTakesNoChoice)
{
    auto Form = ShowTestForm(Combo);
    auto* Box = Form->Get<TComboBox>("ComboBox11");
    Box->SetEnabled(false);
    EXPECT_FALSE(TUser::ChooseItem(Box, 1));
    EXPECT_FALSE(TUser::TypeText(Box, "COM 1"));
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_TRUE(Form->Calls.empty());
}

TEST(ComboBox, ReplacingTheItemsKeepsTheChoiceOnlyWhenSetAgain)
{
    auto Form = ShowTestForm(Combo);
    auto* Box = Form->Get<TComboBox>("ComboBox1");
    Box->SetItemIndex(2);
    int Noted = Box->ItemIndex();
    Box->Items()->Clear();
    EXPECT_EQ(Box->ItemIndex(), -1);
    for (const char* Month : {"JAN", "FEB", "MAR"})
        Box->Items()->Add(Month);
    EXPECT_EQ(Box->ItemIndex(), -1);
    Box->SetItemIndex(Noted);
    EXPECT_EQ(Box->Text(), "MAR");
    EXPECT_THROW(Box->Items()->Strings(3), EStringListError);
    EXPECT_TRUE(Form->Calls.empty());
}

struct TDropDown {
    const char* Name;
    const char* Body;
    int Rows;
};

void PrintTo(const TDropDown& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class DropDownCount : public ::testing::TestWithParam<TDropDown> {};

// The open list of a combo box of twenty items shows DropDownCount rows:
// 8 unless the form stores another number.
TEST_P(DropDownCount, TheOpenListShowsThatManyRows)
{
    auto Form = ShowTestForm(GetParam().Body);
    auto* Box = Form->Get<TComboBox>("Box");
    EXPECT_EQ(Box->DropDownCount(), GetParam().Rows);
    while (Box->Items()->Count() < 20)
        Box->Items()->Add("CH " + std::to_string(Box->Items()->Count() + 1));
    auto* Combo = static_cast<QComboBox*>(Box->Widget());
    Combo->showPopup();
    TUser::ProcessEvents();
    QAbstractItemView* List = Combo->view();
    ASSERT_TRUE(List->isVisible());
    // A row shows when all of its height is inside the list (a row may be
    // wider than the list).
    int Shown = 0;
    for (int I = 0; I < Combo->count(); ++I) {
        const QRect Row = List->visualRect(Combo->model()->index(I, 0));
        if (Row.top() >= 0 && Row.bottom() < List->viewport()->height())
            ++Shown;
    }
    Combo->hidePopup();
    EXPECT_EQ(Shown, GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DropDownCount,
    ::testing::Values(
        TDropDown{"ComboBox", R"(TComboBox Box { Left = 8; Top = 8 })", 8},
        TDropDown{"DropDownList", R"(TComboBox Box { Left = 8; Top = 8; Style = csDropDownList })", 8},
        TDropDown{"StoredCount", R"(TComboBox Box { Left = 8; Top = 8; Style = csDropDownList; DropDownCount = 12 })", 12},
        TDropDown{"DriveComboBox", R"(TDriveComboBox Box { Left = 8; Top = 8 })", 8},
        TDropDown{"DriveComboBoxStoredCount", R"(TDriveComboBox Box { Left = 8; Top = 8; DropDownCount = 5 })", 5}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Edit, TypingChangesAndCodeDoesNot)
{
    auto Form = ShowTestForm(R"(TEdit Edit1 { Left = 8; Top = 8; Text = "0"; OnChange = Change1 })");
    auto* Edit = Form->Get<TEdit>("Edit1");
    Edit->SetText("42");
    EXPECT_TRUE(Form->Calls.empty());
    EXPECT_TRUE(TUser::TypeText(Edit, "7"));
    EXPECT_EQ(Edit->Text(), "7");
    EXPECT_EQ(Form->Calls.size(), 1u);
    Edit->SetReadOnly(true);
    TUser::TypeText(Edit, "9");
    EXPECT_EQ(Edit->Text(), "7");
}

} // namespace
