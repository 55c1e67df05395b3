// The interface language: the language file, the captions of both
// languages, the texts the program holds, and the menu's switch.

#include "EditorFixture.h"

#include <QFontMetrics>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <sstream>

#include <sys/stat.h>

namespace {

// The 77 caption keys of a language section, in their order.
std::vector<std::string> CaptionKeyNames()
{
    std::vector<std::string> Keys;
    auto Run = [&Keys](const char* Prefix, int First, int Last) {
        for (int N = First; N <= Last; ++N)
            Keys.push_back(Prefix + std::to_string(N) + ".Caption");
    };
    Run("SBT", 1, 18);
    Run("TAB", 1, 13);
    Keys.push_back("SGD.Hint");
    Run("GBX", 1, 6);
    Keys.push_back("LBL1-5.Caption");
    Keys.push_back("LBL6-10.Caption");
    for (int N : {11, 12, 13, 17})
        Keys.push_back("LBL" + std::to_string(N) + ".Caption");
    Run("CBX", 1, 5);
    Run("CBX", 9, 20);
    Run("RBT", 1, 16);
    return Keys;
}

// The key names of one section of an INI text, in order.
std::vector<std::string> SectionKeys(const std::string& Text, const std::string& Section)
{
    std::vector<std::string> Keys;
    std::istringstream In(Text);
    std::string Line;
    bool Inside = false;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        if (!Line.empty() && Line[0] == '[') {
            Inside = Line == "[" + Section + "]";
            continue;
        }
        const size_t Equals = Line.find('=');
        if (Inside && Equals != std::string::npos && Line[0] != '#')
            Keys.push_back(Line.substr(0, Equals));
    }
    return Keys;
}

class LanguageTest : public TEditorTest {
protected:
    std::string ShippedFile() { return ReadText(EDITOR_LANGUAGE_FILE); }

    void ExpectChineseTexts()
    {
        EXPECT_EQ(F().StringGrid[5]->Cells(0, 0), "起始:時");
        EXPECT_EQ(F().StringGrid[5]->Cells(6, 0), "播放曲目");
        EXPECT_EQ(F().StringGrid[5]->Cells(2, 0), "");
        EXPECT_EQ(F().StringGrid[14]->Cells(0, 0), "月");
        EXPECT_EQ(F().StringGrid[14]->Cells(1, 0), "日");
        EXPECT_EQ(F().StringGrid[13]->Cells(0, 0), "星期日");
        EXPECT_EQ(PanelText(0), "通訊埠");
        EXPECT_EQ(PanelText(1), "未指定(離線)");
        EXPECT_EQ(PanelText(2), "專案檔名");
        EXPECT_EQ(PanelText(3), "無");
        EXPECT_EQ(F().ComboBox[9]->Items()->Strings(0), "1");
        EXPECT_EQ(F().ComboBox[9]->Items()->Strings(11), "12");
    }

    void ExpectEnglishTexts()
    {
        EXPECT_EQ(F().StringGrid[5]->Cells(0, 0), "Start:Hour");
        EXPECT_EQ(F().StringGrid[5]->Cells(9, 0), "Volume");
        EXPECT_EQ(F().StringGrid[14]->Cells(0, 0), "Month");
        EXPECT_EQ(F().StringGrid[13]->Cells(6, 0), "SAT");
        EXPECT_EQ(PanelText(0), "COM port");
        EXPECT_EQ(PanelText(1), "None (offline)");
        EXPECT_EQ(PanelText(2), "Project");
        EXPECT_EQ(PanelText(3), "none");
        EXPECT_EQ(F().ComboBox[9]->Items()->Strings(0), "JAN");
        EXPECT_EQ(F().ComboBox[9]->Items()->Strings(11), "DEC");
        EXPECT_EQ(F().ComboBox[2]->Items()->Strings(30), "31");
    }

    void ExpectDesignCaptions()
    {
        EXPECT_EQ(F().SpeedButton[6]->Caption(), "新建");
        EXPECT_EQ(F().SpeedButton[16]->Caption(), "不動作日設定");
        EXPECT_EQ(F().TabSheet[13]->Caption(), "系統設定");
        EXPECT_EQ(F().GroupBox[6]->Caption(), "下載作息表");
        EXPECT_EQ(F().Label[17]->Caption(), "不動作日:");
        EXPECT_EQ(F().CheckBox[20]->Caption(), "特定日五");
        EXPECT_EQ(F().RadioButton[16]->Caption(), "作息表 B");
    }
};

TEST_F(LanguageTest, WithoutLanguageFileTheWindowStaysChinese)
{
    StartEditor();
    ExpectChineseTexts();
    ExpectDesignCaptions();
    EXPECT_EQ(F().Label[1]->Caption(), "月");
    EXPECT_EQ(F().Label[10]->Caption(), "日");
    EXPECT_FALSE(F().English1->Enabled());
    EXPECT_FALSE(TUser::Click(F().English1));
    EXPECT_EQ(UiLanguage, lno_Chinese);
    Press(F().Chinese1);
    ExpectChineseTexts();
    ExpectDesignCaptions();
}

TEST_F(LanguageTest, ShippedFileHoldsEveryKeyInBothLanguages)
{
    const std::string Text = ShippedFile();
    EXPECT_EQ(SectionKeys(Text, "GLOBAL"), std::vector<std::string>{"LANGUAGE"});
    EXPECT_EQ(SectionKeys(Text, "LANG1"), CaptionKeyNames());
    EXPECT_EQ(SectionKeys(Text, "LANG2"), CaptionKeyNames());
}

TEST_F(LanguageTest, ShippedFileGivesTheDesignCaptionsAndEnglish)
{
    WriteText(PathOf("VTX7430.INI"), ShippedFile());
    StartEditor();
    EXPECT_EQ(LanguageFileFound, 1);
    EXPECT_EQ(LanguageFileName, "VTX7430.INI");
    EXPECT_TRUE(F().English1->Enabled());
    ExpectChineseTexts();
    ExpectDesignCaptions();
    EXPECT_EQ(F().Label[3]->Caption(), "月");
    EXPECT_EQ(F().StringGrid[12]->Hint(), "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14");

    Press(F().English1);
    EXPECT_EQ(UiLanguage, lno_English);
    EXPECT_TRUE(F().English1->Checked());
    EXPECT_FALSE(F().Chinese1->Checked());
    ExpectEnglishTexts();
    EXPECT_EQ(F().SpeedButton[6]->Caption(), "New");
    EXPECT_EQ(F().TabSheet[13]->Caption(), "System");
    EXPECT_EQ(F().CheckBox[1]->Caption(), "Enable Special 1");
    EXPECT_EQ(F().RadioButton[15]->Caption(), "Table A");
    EXPECT_EQ(F().Label[12]->Caption(), "Node address:");
    EXPECT_NE(F().StringGrid[1]->Hint().find("VoiceNo"), std::string::npos);

    Press(F().Chinese1);
    EXPECT_TRUE(F().Chinese1->Checked());
    ExpectChineseTexts();
    ExpectDesignCaptions();
}

// Every caption of the shipped file shows whole in its control, in both
// languages: buttons and box titles hold their text, check boxes and radio
// buttons their mark and text, a label runs into no control beside it, and
// the thirteen tabs fit the page control.
TEST_F(LanguageTest, ShippedCaptionsFitTheirControls)
{
    WriteText(PathOf("VTX7430.INI"), ShippedFile());
    StartEditor();
    auto TextWidth = [](TControl* Control, const AnsiString& Text) {
        return Control->Widget()->fontMetrics().horizontalAdvance(QString::fromUtf8(Text.c_str()));
    };
    auto Overlaps = [](const TRect& A, const TRect& B) {
        return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
    };
    for (TMenuItem* Language : {F().Chinese1, F().English1}) {
        Press(Language);
        for (int N = 1; N <= 18; ++N) {
            TSpeedButton* Button = F().SpeedButton[N];
            EXPECT_LE(TextWidth(Button, Button->Caption()) + 6, Button->Width()) << Button->Caption();
        }
        for (int N = 1; N <= 6; ++N) {
            TGroupBox* Box = F().GroupBox[N];
            EXPECT_LE(TextWidth(Box, Box->Caption()) + 16, Box->Width()) << Box->Caption();
        }
        std::vector<TControl*> Marked;
        for (int N : {1, 2, 3, 4, 5, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})
            Marked.push_back(F().CheckBox[N]);
        for (int N = 1; N <= 16; ++N)
            Marked.push_back(F().RadioButton[N]);
        for (TControl* Control : Marked)
            EXPECT_LE(Control->Widget()->sizeHint().width(), Control->Width()) << Control->Name();
        for (int N : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17}) {
            TLabel* Label = F().Label[N];
            for (int I = 0; I < Label->Parent()->ControlCount(); ++I) {
                TControl* Other = Label->Parent()->Controls(I);
                if (Other != Label && Other->Visible()) {
                    EXPECT_FALSE(Overlaps(Label->BoundsRect(), Other->BoundsRect()))
                        << Label->Caption() << " / " << Other->Name();
                }
            }
        }
        QTabBar* Tabs = static_cast<QTabWidget*>(F().PageControl1->Widget())->tabBar();
        ASSERT_EQ(Tabs->count(), 13);
        EXPECT_LT(Tabs->tabRect(12).right(), Tabs->width());
        for (int N = 1; N <= 13; ++N)
            EXPECT_GT(Tabs->tabRect(N - 1).width(), TextWidth(F().PageControl1, F().TabSheet[N]->Caption()))
                << F().TabSheet[N]->Caption();
    }
}

TEST_F(LanguageTest, OnlyTheFirstFileIsRead)
{
    WriteText(PathOf("VTX7430.INI"), "[GLOBAL]\nLANGUAGE=2\n[LANG2]\nSBT6.Caption=Main\n");
    WriteText(PathOf("VTX7430OEM.INI"), "[GLOBAL]\nLANGUAGE=1\n[LANG2]\nSBT6.Caption=Oem\n");
    StartEditor();
    EXPECT_EQ(LanguageFileName, "VTX7430.INI");
    EXPECT_EQ(UiLanguage, lno_English);
    EXPECT_EQ(F().SpeedButton[6]->Caption(), "Main");
}

TEST_F(LanguageTest, OemFileWhenTheFirstIsMissing)
{
    WriteText(PathOf("VTX7430OEM.INI"), "[GLOBAL]\nLANGUAGE=1\n[LANG1]\nSBT6.Caption=Oem\n");
    StartEditor();
    EXPECT_EQ(LanguageFileName, "VTX7430OEM.INI");
    EXPECT_EQ(UiLanguage, lno_Chinese);
    EXPECT_EQ(F().SpeedButton[6]->Caption(), "Oem");
    EXPECT_EQ(F().SpeedButton[7]->Caption(), "載入");
}

TEST_F(LanguageTest, MissingSectionGivesDefaults)
{
    WriteText(PathOf("VTX7430.INI"), "[GLOBAL]\nLANGUAGE=2\n");
    StartEditor();
    EXPECT_EQ(UiLanguage, lno_English);
    EXPECT_TRUE(F().English1->Checked());
    ExpectEnglishTexts();
    ExpectDesignCaptions();
    for (int Day = 1; Day <= DayTableCount; ++Day)
        EXPECT_EQ(F().StringGrid[Day]->Hint(), "") << Day;
    for (int Number = 1; Number <= 10; ++Number)
        EXPECT_EQ(F().Label[Number]->Caption(), "") << Number;
}

TEST_F(LanguageTest, ShareKeysSetAllTheirControls)
{
    WriteText(PathOf("VTX7430.INI"), "[GLOBAL]\nLANGUAGE=1\n[LANG1]\nLBL1-5.Caption=mm\nLBL6-10.Caption=dd\n"
                                     "SGD.Hint=one hint\n");
    StartEditor();
    for (int Number = 1; Number <= 5; ++Number) {
        EXPECT_EQ(F().Label[Number]->Caption(), "mm");
        EXPECT_EQ(F().Label[Number + 5]->Caption(), "dd");
    }
    for (int Day = 1; Day <= DayTableCount; ++Day)
        EXPECT_EQ(F().StringGrid[Day]->Hint(), "one hint");
}

TEST_F(LanguageTest, OtherLanguageNumberUsesItsSectionAndEnglishTexts)
{
    WriteText(PathOf("VTX7430.INI"), "[GLOBAL]\nLANGUAGE=3\n[LANG3]\nSBT6.Caption=Neu\n");
    StartEditor();
    EXPECT_EQ(UiLanguage, 3);
    EXPECT_EQ(F().SpeedButton[6]->Caption(), "Neu");
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 0), "");
    EXPECT_EQ(F().StringGrid[13]->Cells(0, 0), "");
    EXPECT_EQ(PanelText(0), "COM port");
    EXPECT_EQ(PanelText(3), "none");
    EXPECT_EQ(F().ComboBox[1]->Items()->Strings(0), "JAN");
}

TEST_F(LanguageTest, SwitchKeepsTheChosenMonth)
{
    WriteText(PathOf("VTX7430.INI"), ShippedFile());
    StartEditor();
    ShowSystemPage();
    Press(F().CheckBox[1]);
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[1], "3"));
    Press(F().English1);
    EXPECT_EQ(F().ComboBox[1]->ItemIndex(), 2);
    EXPECT_EQ(F().ComboBox[1]->Text(), "MAR");
    EXPECT_EQ(F().ComboBox[3]->Text(), "JAN");
    Press(F().Chinese1);
    EXPECT_EQ(F().ComboBox[1]->Text(), "3");
}

TEST_F(LanguageTest, ScheduleFileNameShowsInBothLanguages)
{
    WriteText(PathOf("VTX7430.INI"), ShippedFile());
    StartEditor();
    const std::string Path = PathOf("named.vsh");
    Responder.AnswerFileDialog(Path);
    Press(F().Save1);
    Press(F().English1);
    EXPECT_EQ(PanelText(3), Path);
    Press(F().Chinese1);
    EXPECT_EQ(PanelText(3), Path);
}

TEST_F(LanguageTest, CaptionsAreReadAgainAtEverySwitch)
{
    WriteText(PathOf("VTX7430.INI"), ShippedFile());
    StartEditor();
    WriteText(PathOf("VTX7430.INI"), "[GLOBAL]\nLANGUAGE=1\n[LANG2]\nSBT6.Caption=Fresh\n");
    Press(F().English1);
    EXPECT_EQ(F().SpeedButton[6]->Caption(), "Fresh");
    EXPECT_EQ(F().SpeedButton[7]->Caption(), "載入");

    // Gone: the captions stay as read last, the program's texts still switch.
    std::filesystem::remove(PathOf("VTX7430.INI"));
    Press(F().Chinese1);
    ExpectChineseTexts();
    EXPECT_EQ(F().SpeedButton[6]->Caption(), "Fresh");
}

// A language file that cannot be read shows its error; the window then
// comes up whole, as without a language file.
TEST_F(LanguageTest, UnreadableLanguageFileCountsAsMissing)
{
    struct TCase {
        const char* Name;
        std::string Text;
        mode_t Mode;
        std::vector<AnsiString> Errors;
    };
    const TCase Cases[] = {
        {"no number", "[GLOBAL]\nLANGUAGE=two\n[LANG1]\nSBT6.Caption=x\n", 0644, {"'two' is not a valid integer value"}},
        {"read-only", "[GLOBAL]\nLANGUAGE=2\n[LANG1]\nSBT6.Caption=x\n", 0444,
         {"Err: Can not open file \n \"VTX7430.INI\" ", "Err: Constructor !!!"}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Form.reset();
        FinalizeUnitTables();
        InitializeUnitTables();
        Responder.Clear();
        std::filesystem::remove(PathOf("VTX7430.INI"));
        WriteText(PathOf("VTX7430.INI"), Case.Text);
        ASSERT_EQ(::chmod(PathOf("VTX7430.INI").c_str(), Case.Mode), 0);
        StartEditor();
        std::vector<AnsiString> Shown;
        for (const TShownMessageBox& Box : Responder.MessageBoxes())
            Shown.push_back(Box.Text);
        EXPECT_EQ(Shown, Case.Errors);
        EXPECT_EQ(LanguageFileFound, 0);
        EXPECT_EQ(LanguageFileName, "");
        EXPECT_EQ(UiLanguage, lno_Chinese);
        EXPECT_FALSE(F().English1->Enabled());
        ExpectChineseTexts();
        ExpectDesignCaptions();
        EXPECT_FALSE(F().SpeedButton[3]->Enabled());
        EXPECT_EQ(F().RichEdit1->Lines()->Count(), 0);
        // Switching reads nothing and shows nothing more.
        Press(F().Chinese1);
        EXPECT_EQ(Responder.MessageBoxes().size(), Case.Errors.size());
    }
}

} // namespace
