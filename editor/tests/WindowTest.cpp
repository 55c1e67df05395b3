// Start-up, the window, the port state in the status bar, the log, closing.

#include "EditorFixture.h"

#include "YVclCtrl/PcUart.h"
#include "simdevice/PtyDevice.h"
#include "vcl/testing/Screenshot.h"

namespace {

class WindowTest : public TEditorTest {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
    }
};

TEST_F(WindowTest, StartsChineseAndIdleWithoutLanguageFile)
{
    EXPECT_EQ(F().Caption(), "VTX-7430 Software v1.3 (Build-120718) -- 8 ports");
    EXPECT_EQ(F().Width(), 704);
    EXPECT_EQ(F().Height(), 706);
    EXPECT_EQ(UiLanguage, lno_Chinese);
    EXPECT_EQ(LanguageFileFound, 0);
    EXPECT_FALSE(F().English1->Enabled());
    EXPECT_TRUE(F().Chinese1->Checked());
    EXPECT_EQ(PanelText(1), "未指定(離線)");
    EXPECT_EQ(ScheduleUntitled, 1);
    EXPECT_EQ(CurrentScheduleFile, "");
    EXPECT_EQ(F().PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(F().RichEdit1->Lines()->Count(), 0);
    EXPECT_FALSE(F().Panel1->Visible());
    EXPECT_FALSE(F().Panel2->Visible());
    EXPECT_EQ(LinkMode, lm_Idle);
    EXPECT_FALSE(F().Timer1->Enabled());
    EXPECT_EQ(F().Timer1->Interval(), 10000u);
}

TEST_F(WindowTest, LinkCommandsWaitForConnect)
{
    EXPECT_TRUE(F().SpeedButton[1]->Visible());
    EXPECT_FALSE(F().SpeedButton[10]->Visible());
    EXPECT_FALSE(F().SpeedButton[2]->Visible());
    EXPECT_FALSE(F().SpeedButton[3]->Enabled());
    EXPECT_FALSE(F().SpeedButton[9]->Enabled());
    EXPECT_FALSE(F().GroupBox[6]->Enabled());
    EXPECT_TRUE(F().RadioButton[15]->Checked());
    EXPECT_EQ(F().ComboBox[11]->ItemIndex(), -1);
    EXPECT_EQ(F().ComboBox[11]->Text(), "COM Port select");
    EXPECT_EQ(F().ComboBox[11]->Items()->Count(), 10);
}

TEST_F(WindowTest, CopySourceIsMondayAtStart)
{
    EXPECT_EQ(CopySource, 1);
    EXPECT_FALSE(F().CheckBox[9]->Checked());
    EXPECT_FALSE(F().CheckBox[9]->Enabled());
    for (int Number = 10; Number <= 20; ++Number)
        EXPECT_TRUE(F().CheckBox[Number]->Enabled()) << Number;
}

TEST_F(WindowTest, SettingsStartAtTheirStoredItems)
{
    for (int Number = 1; Number <= 5; ++Number) {
        EXPECT_FALSE(F().CheckBox[Number]->Checked());
        EXPECT_FALSE(F().ComboBox[2 * Number - 1]->Enabled());
        EXPECT_FALSE(F().ComboBox[2 * Number]->Enabled());
        EXPECT_EQ(F().ComboBox[2 * Number - 1]->ItemIndex(), 0);
        EXPECT_EQ(F().ComboBox[2 * Number]->Items()->Count(), 31);
    }
    EXPECT_EQ(F().ComboBox[12]->Items()->Count(), 25);
    EXPECT_EQ(F().ComboBox[12]->Text(), "+8");
    EXPECT_EQ(F().ComboBox[13]->Items()->Count(), 19);
    EXPECT_EQ(F().ComboBox[14]->Items()->Count(), 24);
    EXPECT_EQ(F().ComboBox[15]->Items()->Count(), 60);
    EXPECT_TRUE(F().RadioButton[1]->Checked());
    EXPECT_FALSE(F().RadioButton[2]->Checked());
}

TEST_F(WindowTest, GridsHaveTheirShape)
{
    const int Widths[10] = {72, 72, 3, 72, 72, 3, 72, 3, 72, 72};
    for (int Day = 1; Day <= DayTableCount; ++Day) {
        TStringGrid* Grid = F().StringGrid[Day];
        ASSERT_EQ(Grid->ColCount(), 10);
        ASSERT_EQ(Grid->RowCount(), 81);
        EXPECT_EQ(Grid->FixedRows(), 1);
        EXPECT_EQ(Grid->FixedCols(), 0);
        for (int Column = 0; Column < 10; ++Column)
            EXPECT_EQ(Grid->ColWidths(Column), Widths[Column]);
        EXPECT_EQ(Grid->Hint(), "時:0~23/分:0~59/曲目:0~99/通道:0~8(0:全閉,8:全開)/音量:0~14");
        EXPECT_EQ(Grid->Cells(0, 0), "起始:時");
        EXPECT_EQ(Grid->Cells(9, 0), "輸出音量");
        EXPECT_EQ(F().TabSheet[Day]->Parent(), F().PageControl1);
        EXPECT_EQ(Grid->Parent(), F().TabSheet[Day]);
    }
    EXPECT_EQ(F().StringGrid[14]->RowCount(), 367);
    EXPECT_EQ(F().StringGrid[13]->RowCount(), 7);
}

TEST_F(WindowTest, PortStatusFollowsChoiceStateAndLanguage)
{
    EXPECT_EQ(PanelText(1), "未指定(離線)");
    ShowSystemPage();
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[11], "COM 3"));
    F().ShowPortStatus();
    EXPECT_EQ(PanelText(1), "COM 3 (離線)");
    PortOnline = 1;
    F().ShowPortStatus();
    EXPECT_EQ(PanelText(1), "COM 3 (連線)");
    UiLanguage = lno_English;
    F().ShowPortStatus();
    EXPECT_EQ(PanelText(1), "COM 3 (online)");
    PortOnline = 0;
    F().ShowPortStatus();
    EXPECT_EQ(PanelText(1), "COM 3 (offline)");
    F().ComboBox[11]->SetItemIndex(-1);
    F().ShowPortStatus();
    EXPECT_EQ(PanelText(1), "None (offline)");
}

TEST_F(WindowTest, PortComponentHasItsStoredSettingsAndIsClosed)
{
    OrbCtrl::TPcUart* Port = F().PcUart1;
    EXPECT_FALSE(Port->Opened());
    EXPECT_EQ(Port->UartPortNumber(), 1u);
    EXPECT_EQ(Port->UartBaud(), 14400u);
    EXPECT_EQ(Port->UartBitsPerByte(), 8u);
    EXPECT_EQ(Port->UartParityBit, YVclCtrl::upb_None);
    EXPECT_EQ(Port->UartStopBits, YVclCtrl::usb_1bit);
    EXPECT_EQ(Port->FlowCtrlStyle(), YVclCtrl::fcs_None);
    EXPECT_EQ(Port->SysUartTxdQueueSize(), 1024u);
    EXPECT_EQ(Port->SysUartRxdQueueSize(), 1024u);
    EXPECT_EQ(Port->SysUartRxdIntervalTimeout, 3u);
    EXPECT_EQ(Port->RxdFilter_Style, YVclCtrl::rfs_None);
    EXPECT_EQ(Port->RxdFilter_DelimiterChar, '\n');
    EXPECT_EQ(Port->RxdFilter_BytesOfPacket(), 1u);
}

// The window's end closes an open port before the components go.
TEST_F(WindowTest, DestroyClosesAnOpenPort)
{
    simdevice::TPtyDevice Device(1);
    ASSERT_TRUE(F().PcUart1->Open()) << F().PcUart1->LastErrMsg();
    Form->BeforeDestruction();
    EXPECT_FALSE(F().PcUart1->Opened());
}

TEST_F(WindowTest, LogLinesAreAppended)
{
    F().AddLogLine("first");
    F().AddLogLine("=== 等待 VTX-7430 回應.... ===");
    ASSERT_EQ(F().RichEdit1->Lines()->Count(), 2);
    EXPECT_EQ(F().RichEdit1->Lines()->Strings(1), "=== 等待 VTX-7430 回應.... ===");
}

TEST_F(WindowTest, ClosesWithUnsavedEditsWithoutAsking)
{
    TypeRow(1, 1, {"8", "0", "9", "0", "1", "8", "9"});
    TUser::CloseForm(Form.get());
    EXPECT_FALSE(Form->Visible());
    EXPECT_TRUE(Responder.MessageBoxes().empty());
}

TEST_F(WindowTest, UnitEndFreesAndUnitStartRestoresTheState)
{
    CurrentScheduleFile = "a.vsh";
    CaptionTable[30] = "x";
    CheckInputTable[5].Valid = 1;
    Form.reset();
    Form1 = nullptr;
    FinalizeUnitTables();
    EXPECT_TRUE(CurrentScheduleFile.empty());
    EXPECT_TRUE(MonthNames[1].empty());
    InitializeUnitTables();
    EXPECT_TRUE(CaptionTable[30].empty());
    EXPECT_EQ(CheckInputTable[5].Valid, 0);
    EXPECT_EQ(MonthNames[0], "");
    EXPECT_EQ(MonthNames[1], "JAN");
    EXPECT_EQ(MonthNames[12], "DEC");
    EXPECT_EQ(UiLanguage, lno_Chinese);
}

// Pictures of every page and panel of the window in both languages, and of
// the system page while connected to a player, for looking at:
// editor-<zh|en>-<page>.png in the build folder.
TEST_F(WindowTest, ScreenshotsInBothLanguages)
{
    simdevice::TPtyDevice Device(1);
    WriteText(PathOf("VTX7430.INI"), ReadText(EDITOR_LANGUAGE_FILE));
    Form.reset();
    FinalizeUnitTables();
    InitializeUnitTables();
    StartEditor();
    TypeRow(1, 1, {"07", "30", "08", "15", "12", "8", "9"});
    TypeRow(1, 2, {"12", "00", "", "30", "", "", ""});
    TypeRow(8, 1, {"09", "00", "09", "05", "3", "1", "14"});
    ShowSystemPage();
    ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[11], 0));
    const char* const Pages[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun",
                                 "special1", "special2", "special3", "special4", "special5", "system"};
    auto SaveAll = [&](const std::string& Language) {
        const std::string Out = std::string(EDITOR_SCREENSHOT_DIR) + "/editor-" + Language + "-";
        for (int Page = 1; Page <= 13; ++Page) {
            ASSERT_TRUE(TUser::ChoosePage(F().PageControl1, Page - 1));
            EXPECT_TRUE(SaveScreenshot(Form.get(), Out + Pages[Page - 1] + ".png"));
        }
        Press(F().SpeedButton[1]);
        EXPECT_TRUE(F().SpeedButton[10]->Visible());
        EXPECT_TRUE(SaveScreenshot(Form.get(), Out + "connected.png"));
        Press(F().SpeedButton[10]);
        Press(F().SpeedButton[16]);
        EXPECT_TRUE(SaveScreenshot(Form.get(), Out + "calendar.png"));
        Press(F().SpeedButton[17]);
        Press(F().SpeedButton[5]);
        EXPECT_TRUE(SaveScreenshot(Form.get(), Out + "copy.png"));
        Press(F().SpeedButton[12]);
    };
    SaveAll("zh");
    Press(F().English1);
    EXPECT_EQ(UiLanguage, lno_English);
    SaveAll("en");
}

} // namespace
