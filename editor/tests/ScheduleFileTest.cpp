// The schedule file: New, Load and Save from the menu and the toolbar, the
// file's exact text, its questions and dialogs, and its failures.

#include "EditorFixture.h"

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const std::string EmptyGlobal =
    "[GLOBAL]\r\nVERSION=V7430_1.0\r\nLANGUAGE=1\r\nGPS_UPDATE_H=0\r\nGPS_UPDATE_M=0\r\nGPS_TIMEZONE=20\r\n"
    "NODEID=0\r\nSPDATE1=0\r\nSPDATE2=0\r\nSPDATE3=0\r\nSPDATE4=0\r\nSPDATE5=0\r\n\r\n";

// Files written by this process may grow to Bytes only, for the life of
// the object: a save then fails at its write.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &Previous);
        PreviousSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Small = Previous;
        Small.rlim_cur = Bytes;
        ::setrlimit(RLIMIT_FSIZE, &Small);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &Previous);
        std::signal(SIGXFSZ, PreviousSignal);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit Previous{};
    void (*PreviousSignal)(int) = SIG_DFL;
};

class ScheduleFileTest : public TEditorTest {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
    }

    // Save from the menu into Path, answering the overwrite question (when
    // the file exists) with Overwrite.
    void SaveAs(const std::string& Path, int Overwrite = IDYES)
    {
        Responder.AnswerFileDialog(Path);
        if (FileExists(Path))
            Responder.AnswerMessageBox(Overwrite);
        Press(F().Save1);
    }

    // Load from the menu, answering New's question with Yes.
    void LoadFrom(const std::string& Path)
    {
        Responder.AnswerMessageBox(IDYES);
        Responder.AnswerFileDialog(Path);
        Press(F().Load1);
    }

    // Picks a day of a month in the non-action panel into the list's row.
    void PickNonActionDay(int ListRow, int Month, const std::string& Day)
    {
        ShowSystemPage();
        Press(F().SpeedButton[16]);
        F().CCalendar1->SetMonth(Month);
        F().RefreshCalendarView();
        ASSERT_TRUE(TUser::ClickCell(F().StringGrid[14], 0, ListRow));
        for (int Row = 1; Row <= 6; ++Row)
            for (int Column = 0; Column < 7; ++Column)
                if (F().StringGrid[13]->Cells(Column, Row) == Day) {
                    ASSERT_TRUE(TUser::DoubleClickCell(F().StringGrid[13], Column, Row));
                    Press(F().SpeedButton[17]);
                    return;
                }
        FAIL() << "day " << Day << " not shown";
    }

    void ExpectState(int Untitled, const std::string& File, const std::string& Panel)
    {
        EXPECT_EQ(ScheduleUntitled, Untitled);
        EXPECT_EQ(CurrentScheduleFile, File);
        EXPECT_EQ(PanelText(3), Panel);
    }

    // A schedule with something of every kind, set up through the window.
    void EnterExampleSchedule()
    {
        TypeRow(1, 5, {"08", "00", "", "30", "12", "8", ""});
        TypeRow(1, 7, {"", "10", "11", "12", "13", "14", "15"});
        TypeRow(8, 2, {"abc", " 1 ", "2", "3", "4", "5", "6"});
        PickNonActionDay(3, 3, "8");
        F().StringGrid[14]->SetCells(0, 10, "DEC");
        ShowSystemPage();
        Press(F().CheckBox[3]);
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[5], "12"));
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[6], "25"));
        Press(F().RadioButton[2]);
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[12], "+9"));
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[14], "3"));
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[15], "15"));
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[13], "5"));
    }

    const std::string ExampleText =
        "[GLOBAL]\r\nVERSION=V7430_1.0\r\nLANGUAGE=2\r\nGPS_UPDATE_H=3\r\nGPS_UPDATE_M=15\r\nGPS_TIMEZONE=21\r\n"
        "NODEID=5\r\nSPDATE1=0\r\nSPDATE2=0\r\nSPDATE3=1\r\nSPDATE3_M=11\r\nSPDATE3_D=24\r\nSPDATE4=0\r\n"
        "SPDATE5=0\r\n\r\n"
        "[UNACT]\r\nMONTH_1=3\r\nDAY_1=8\r\nMONTH_2=DEC\r\nDAY_2=\r\n\r\n"
        "[MON]\r\nSCH_SH_5=08\r\nSCH_SM_5=00\r\nSCH_EH_5=\r\nSCH_EM_5=30\r\nSCH_VC_5=12\r\nSCH_OP_5=8\r\n"
        "SCH_VV_5=\r\n\r\n"
        "[SP1]\r\nSCH_SH_2=abc\r\nSCH_SM_2=1\r\nSCH_EH_2=2\r\nSCH_EM_2=3\r\nSCH_VC_2=4\r\nSCH_OP_2=5\r\n"
        "SCH_VV_2=6\r\n\r\n";
};

TEST_F(ScheduleFileTest, EmptyScheduleSavesGlobalAlone)
{
    const std::string Path = PathOf("empty.vsh");
    SaveAs(Path);
    EXPECT_EQ(ReadText(Path), EmptyGlobal);
    ExpectState(0, Path, Path);
    ASSERT_EQ(Responder.FileDialogs().size(), 1u);
    const TShownFileDialog& Dialog = Responder.FileDialogs()[0];
    EXPECT_TRUE(Dialog.Save);
    EXPECT_EQ(Dialog.DefaultSuffix, "vsh");
    EXPECT_EQ(Dialog.NameFilters, std::vector<AnsiString>{"VTX-7430 schedule file (*.vsh)"});
    EXPECT_TRUE(Responder.MessageBoxes().empty());
}

TEST_F(ScheduleFileTest, SaveAddsTheDefaultExtension)
{
    SaveAs(PathOf("plain"));
    EXPECT_EQ(CurrentScheduleFile, PathOf("plain.vsh"));
    EXPECT_EQ(ReadText(PathOf("plain.vsh")), EmptyGlobal);
}

TEST_F(ScheduleFileTest, SavesEverySectionInItsOrder)
{
    EnterExampleSchedule();
    const std::string Path = PathOf("example.vsh");
    SaveAs(Path);
    EXPECT_EQ(ReadText(Path), ExampleText);
}

TEST_F(ScheduleFileTest, LoadPutsEverythingBackInItsPlace)
{
    const std::string Path = PathOf("example.vsh");
    WriteText(Path, ExampleText);
    LoadFrom(Path);
    ExpectState(0, Path, Path);

    for (int Row = 1; Row <= 4; ++Row)
        EXPECT_EQ(RowOf(1, Row), EmptyRow()) << Row;
    EXPECT_EQ(RowOf(1, 5), (TRowTexts{"08", "00", "", "30", "12", "8", ""}));
    EXPECT_EQ(RowOf(1, 7), EmptyRow());
    EXPECT_EQ(RowOf(8, 2), (TRowTexts{"abc", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 1), "3");
    EXPECT_EQ(F().StringGrid[14]->Cells(1, 1), "8");
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 2), "DEC");
    EXPECT_EQ(F().StringGrid[14]->Cells(1, 2), "");
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 3), "");
    EXPECT_TRUE(F().CheckBox[3]->Checked());
    EXPECT_TRUE(F().ComboBox[5]->Enabled());
    EXPECT_EQ(F().ComboBox[5]->ItemIndex(), 11);
    EXPECT_EQ(F().ComboBox[6]->ItemIndex(), 24);
    EXPECT_FALSE(F().CheckBox[1]->Checked());
    EXPECT_TRUE(F().RadioButton[2]->Checked());
    EXPECT_EQ(F().ComboBox[12]->ItemIndex(), 21);
    EXPECT_EQ(F().ComboBox[14]->ItemIndex(), 3);
    EXPECT_EQ(F().ComboBox[15]->ItemIndex(), 15);
    EXPECT_EQ(F().ComboBox[13]->ItemIndex(), 5);
    EXPECT_EQ(ReadText(Path), ExampleText);
    EXPECT_EQ(Screen->Cursor(), crArrow);

    // Saved again, the same text comes out.
    SaveAs(PathOf("again.vsh"));
    EXPECT_EQ(ReadText(PathOf("again.vsh")), ExampleText);
}

TEST_F(ScheduleFileTest, NonActionRowsMoveUpWithoutGaps)
{
    F().StringGrid[14]->SetCells(0, 3, " 4 ");
    F().StringGrid[14]->SetCells(1, 3, "1");
    F().StringGrid[14]->SetCells(1, 5, "day without month");
    F().StringGrid[14]->SetCells(0, 10, "MAR");
    F().StringGrid[14]->SetCells(1, 10, "3");
    const std::string Path = PathOf("list.vsh");
    SaveAs(Path);
    EXPECT_NE(ReadText(Path).find("[UNACT]\r\nMONTH_1=4\r\nDAY_1=1\r\nMONTH_2=MAR\r\nDAY_2=3\r\n\r\n"),
              std::string::npos);
    LoadFrom(Path);
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 2), "MAR");
    EXPECT_EQ(F().StringGrid[14]->Cells(1, 5), "");
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 10), "");
}

TEST_F(ScheduleFileTest, SaveOverAFileKeepsItsOtherSectionsOnly)
{
    const std::string Path = PathOf("old.vsh");
    WriteText(Path, "[NOTES]\r\nWHO=me\r\n\r\n[MON]\r\nSCH_SH_9=1\r\n\r\n[PRJMEMO]\r\nTEXT=old\r\n\r\n"
                    "[GLOBAL]\r\nSPDATE1=1\r\nSPDATE1_M=3\r\n\r\n[UNACT]\r\nMONTH_1=1\r\nDAY_1=1\r\n\r\n"
                    "[ZZZ]\r\nA=1\r\n\r\n");
    SaveAs(Path);
    EXPECT_EQ(ReadText(Path), "[NOTES]\r\nWHO=me\r\n\r\n[ZZZ]\r\nA=1\r\n\r\n" + EmptyGlobal);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    const TShownMessageBox& Box = Responder.MessageBoxes()[0];
    EXPECT_EQ(Box.Caption, "Overwrite file");
    EXPECT_EQ(Box.Text, "File exist!!\n\nOverwrite?\n");
    EXPECT_EQ(Box.Buttons, (std::vector<AnsiString>{"Yes", "No"}));
    EXPECT_EQ(Box.Icon, "");
}

TEST_F(ScheduleFileTest, RefusedOrCancelledSaveChangesNothing)
{
    const std::string Path = PathOf("keep.vsh");
    WriteText(Path, "[ZZZ]\r\nA=1\r\n");
    SaveAs(Path, IDNO);
    EXPECT_EQ(ReadText(Path), "[ZZZ]\r\nA=1\r\n");
    ExpectState(1, "", "無");

    Responder.CancelFileDialog();
    Press(F().Save1);
    ExpectState(1, "", "無");
    EXPECT_FALSE(FileExists(PathOf("keep.vsh.vsh")));
}

TEST_F(ScheduleFileTest, SaveOverTheCurrentFileStillAsks)
{
    const std::string Path = PathOf("current.vsh");
    SaveAs(Path);
    SaveAs(Path);
    EXPECT_EQ(Responder.FileDialogs().size(), 2u);
    EXPECT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.Pending(), 0);
}

TEST_F(ScheduleFileTest, ToolbarButtonsRunTheMenuCommands)
{
    const std::string Path = PathOf("toolbar.vsh");
    Responder.AnswerFileDialog(Path);
    Press(F().SpeedButton[8]);
    ExpectState(0, Path, Path);
    Responder.AnswerMessageBox(IDYES);
    Press(F().SpeedButton[6]);
    ExpectState(1, "", "無");
    Responder.AnswerMessageBox(IDYES);
    Responder.AnswerFileDialog(Path);
    Press(F().SpeedButton[7]);
    ExpectState(0, Path, Path);
}

TEST_F(ScheduleFileTest, NewAsksAndClearsTheSchedule)
{
    EnterExampleSchedule();
    SaveAs(PathOf("before.vsh"));
    F().StringGrid[1]->SetCells(2, 5, "separator");
    Responder.AnswerMessageBox(IDYES);
    Press(F().New1);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, "資料覆蓋警告");
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "請注意!!\n\n目前工作表格中的資料將被覆蓋!\n\n確定要執行這個動作?\n");
    EXPECT_EQ(Responder.MessageBoxes()[0].Buttons, (std::vector<AnsiString>{"Yes", "No"}));
    EXPECT_EQ(NewRefused, 0);
    ExpectState(1, "", "無");
    EXPECT_EQ(RowOf(1, 5), EmptyRow());
    EXPECT_EQ(RowOf(8, 2), EmptyRow());
    EXPECT_EQ(F().StringGrid[1]->Cells(2, 5), "separator");
    EXPECT_FALSE(F().CheckBox[3]->Checked());
    EXPECT_FALSE(F().ComboBox[5]->Enabled());
    EXPECT_EQ(F().ComboBox[5]->ItemIndex(), 11);
    // Left as they are: the non-action list, the display language and the settings.
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 3), "3");
    EXPECT_TRUE(F().RadioButton[2]->Checked());
    EXPECT_EQ(F().ComboBox[12]->ItemIndex(), 21);
}

TEST_F(ScheduleFileTest, NewRefusedChangesNothing)
{
    TypeRow(1, 1, {"8", "0", "9", "0", "1", "1", "1"});
    SaveAs(PathOf("kept.vsh"));
    Responder.AnswerMessageBox(IDNO);
    Press(F().New1);
    EXPECT_EQ(NewRefused, 1);
    ExpectState(0, PathOf("kept.vsh"), PathOf("kept.vsh"));
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "8");
}

TEST_F(ScheduleFileTest, NewInEnglishAsksInEnglish)
{
    UiLanguage = lno_English;
    Responder.AnswerMessageBox(IDYES);
    Press(F().New1);
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, "Overwrite data");
    EXPECT_EQ(Responder.MessageBoxes()[0].Text, "Attention!!\n\nData overwrite?\n");
    EXPECT_EQ(PanelText(3), "none");
}

TEST_F(ScheduleFileTest, LoadRefusedAtNewShowsNoDialog)
{
    TypeRow(1, 1, {"8", "0", "9", "0", "1", "1", "1"});
    Responder.AnswerMessageBox(IDNO);
    Press(F().Load1);
    EXPECT_TRUE(Responder.FileDialogs().empty());
    EXPECT_EQ(NewRefused, 1);
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "8");
    ExpectState(1, "", "無");
}

TEST_F(ScheduleFileTest, LoadCancelledLeavesTheScheduleClearedAndUntitled)
{
    SaveAs(PathOf("named.vsh"));
    TypeRow(1, 1, {"8", "0", "9", "0", "1", "1", "1"});
    Responder.AnswerMessageBox(IDYES);
    Responder.CancelFileDialog();
    Press(F().Load1);
    ASSERT_EQ(Responder.FileDialogs().size(), 2u);
    EXPECT_FALSE(Responder.FileDialogs()[1].Save);
    EXPECT_EQ(Responder.FileDialogs()[1].DefaultSuffix, "");
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "");
    ExpectState(1, "", "無");
}

TEST_F(ScheduleFileTest, LoadGivesDefaultsForMissingKeys)
{
    ShowSystemPage();
    Press(F().RadioButton[2]);
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[12], 3));
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[13], 7));
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[14], 7));
    Press(F().CheckBox[1]);
    const std::string Path = PathOf("noglobal.vsh");
    WriteText(Path, "[TUE]\r\nSCH_SH_3=6\r\nSCH_VV_3=2\r\n");
    LoadFrom(Path);
    EXPECT_TRUE(F().RadioButton[1]->Checked());
    EXPECT_EQ(F().ComboBox[12]->Text(), "+8");
    EXPECT_EQ(F().ComboBox[13]->ItemIndex(), 0);
    EXPECT_EQ(F().ComboBox[14]->ItemIndex(), 0);
    EXPECT_EQ(F().ComboBox[15]->ItemIndex(), 0);
    EXPECT_FALSE(F().CheckBox[1]->Checked());
    EXPECT_EQ(RowOf(2, 3), (TRowTexts{"6", "", "", "", "", "", "2"}));
    ExpectState(0, Path, Path);
}

TEST_F(ScheduleFileTest, LoadOfAMissingNameCreatesAnEmptyFile)
{
    const std::string Path = PathOf("new-name.vsh");
    LoadFrom(Path);
    EXPECT_TRUE(FileExists(Path));
    EXPECT_EQ(ReadText(Path), "");
    ExpectState(0, Path, Path);
}

TEST_F(ScheduleFileTest, IndexesOutsideTheItemsChooseNothing)
{
    const std::string Path = PathOf("range.vsh");
    WriteText(Path, "[GLOBAL]\r\nLANGUAGE=5\r\nGPS_TIMEZONE=30\r\nNODEID=-1\r\nSPDATE2=1\r\nSPDATE2_M=12\r\n"
                    "SPDATE2_D=31\r\n");
    LoadFrom(Path);
    EXPECT_TRUE(F().RadioButton[1]->Checked());
    EXPECT_EQ(F().ComboBox[12]->ItemIndex(), -1);
    EXPECT_EQ(F().ComboBox[13]->ItemIndex(), -1);
    EXPECT_TRUE(F().CheckBox[2]->Checked());
    EXPECT_EQ(F().ComboBox[3]->ItemIndex(), -1);
    EXPECT_EQ(F().ComboBox[4]->ItemIndex(), -1);
    EXPECT_EQ(Responder.MessageBoxes().size(), 1u);   // New's question only
    SaveAs(PathOf("range2.vsh"));
    const std::string Saved = ReadText(PathOf("range2.vsh"));
    EXPECT_NE(Saved.find("GPS_TIMEZONE=-1\r\nNODEID=-1\r\n"), std::string::npos);
    EXPECT_NE(Saved.find("SPDATE2=1\r\nSPDATE2_M=-1\r\nSPDATE2_D=-1\r\n"), std::string::npos);
}

TEST_F(ScheduleFileTest, BadNumberInGlobalEndsTheLoadAtThatKey)
{
    const std::string Path = PathOf("bad.vsh");
    const std::string Text = "[GLOBAL]\r\nLANGUAGE=2\r\nGPS_UPDATE_H=5\r\nGPS_UPDATE_M=x7\r\nNODEID=3\r\n\r\n"
                             "[UNACT]\r\nMONTH_1=1\r\nDAY_1=2\r\n\r\n[MON]\r\nSCH_SH_1=8\r\n\r\n";
    WriteText(Path, Text);
    LoadFrom(Path);
    ASSERT_EQ(Responder.MessageBoxes().size(), 2u);
    EXPECT_EQ(Responder.MessageBoxes()[1].Text, "'x7' is not a valid integer value");
    EXPECT_TRUE(F().RadioButton[2]->Checked());
    EXPECT_EQ(F().ComboBox[14]->ItemIndex(), 5);
    EXPECT_EQ(F().ComboBox[13]->ItemIndex(), 0);
    EXPECT_EQ(F().StringGrid[14]->Cells(0, 1), "");
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "");
    ExpectState(1, "", "無");
    EXPECT_EQ(ReadText(Path), Text);
    EXPECT_EQ(Screen->Cursor(), crArrow);
}

TEST_F(ScheduleFileTest, ReadOnlyFileCanBeNeitherLoadedNorSavedOver)
{
    const std::string Path = PathOf("locked.vsh");
    WriteText(Path, "[MON]\r\nSCH_SH_1=8\r\n\r\n");
    ASSERT_EQ(::chmod(Path.c_str(), 0444), 0);
    LoadFrom(Path);
    ASSERT_EQ(Responder.MessageBoxes().size(), 3u);
    EXPECT_EQ(Responder.MessageBoxes()[1].Caption, "TYIniFile");
    EXPECT_NE(Responder.MessageBoxes()[1].Text.find("Err: Can not open file"), std::string::npos);
    EXPECT_EQ(Responder.MessageBoxes()[2].Text, "Err: Constructor !!!");
    EXPECT_EQ(F().StringGrid[1]->Cells(0, 1), "");
    ExpectState(1, "", "無");

    Responder.Clear();
    SaveAs(Path);
    EXPECT_EQ(Responder.MessageBoxes().size(), 3u);   // overwrite question, two errors
    EXPECT_EQ(ReadText(Path), "[MON]\r\nSCH_SH_1=8\r\n\r\n");
    ExpectState(1, "", "無");
}

// A save whose file cannot be written leaves the schedule as unsaved as it
// was, under its old name: a download must not take it for saved.
TEST_F(ScheduleFileTest, FailedWriteKeepsTheScheduleUnsaved)
{
    TypeRow(1, 1, {"8", "0", "9", "0", "1", "1", "1"});
    {
        TFileSizeLimit Limit(16);
        SaveAs(PathOf("full.vsh"));
    }
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, "TYIniFile");
    EXPECT_NE(Responder.MessageBoxes()[0].Text.find("Err: Can not create file"), std::string::npos);
    ExpectState(1, "", "無");
    EXPECT_EQ(Screen->Cursor(), crArrow);

    const std::string Good = PathOf("good.vsh");
    SaveAs(Good);
    ExpectState(0, Good, Good);
    Responder.Clear();
    {
        TFileSizeLimit Limit(16);
        SaveAs(PathOf("full2.vsh"));
    }
    EXPECT_EQ(Responder.MessageBoxes().size(), 1u);
    ExpectState(0, Good, Good);
}

} // namespace
