// One of each control in one window, saved as a picture for a person to
// look at: vcl_controls.png in the build folder.

#include <gtest/gtest.h>

#include "vcl/testing/Screenshot.h"
#include "vcl/testing/User.h"

namespace {

const char* const AllControls = R"FORM(
TForm1 Form1 {
    Caption = "每一種控制項 — one of each control"
    Width = 560; Height = 430
    Font.Name = "MS Sans Serif"; Font.Height = -11
    Menu = MainMenu1
    TMainMenu MainMenu1 {
        TMenuItem File1 { Caption = "File"
            TMenuItem New1 { Caption = "New" }
        }
        TMenuItem Language1 { Caption = "Version"
            TMenuItem Chinese1 { Caption = "Chinese"; RadioItem = True; AutoCheck = True; Checked = True }
            TMenuItem English1 { Caption = "English"; RadioItem = True; AutoCheck = True }
        }
    }
    TSpeedButton SpeedButton6 { Left = 4; Top = 4; Width = 57; Height = 25; Caption = "新建"; Flat = True }
    TSpeedButton SpeedButton7 { Left = 64; Top = 4; Width = 57; Height = 25; Caption = "載入" }
    TPageControl PageControl1 {
        Left = 4; Top = 32; Width = 300; Height = 200
        ActivePage = TabSheet1
        TTabSheet TabSheet1 { Caption = "週一"
            TStringGrid StringGrid1 {
                Left = 0; Top = 0; Width = 292; Height = 170
                ColCount = 10; RowCount = 81; FixedCols = 0; FixedRows = 1
                DefaultRowHeight = 16
                ColWidths = [40, 40, 3, 40, 40, 3, 40, 3, 40, 40]
                Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
                Hint = "時:0~23/分:0~59"; ShowHint = True
            }
        }
        TTabSheet TabSheet2 { Caption = "系統設定" }
    }
    TGroupBox GroupBox1 {
        Left = 310; Top = 32; Width = 240; Height = 120
        Caption = "特定日設定"
        TCheckBox CheckBox1 { Left = 8; Top = 20; Width = 100; Height = 17; Caption = "啟用特定日一"; Checked = True }
        TComboBox ComboBox1 { Left = 112; Top = 18; Width = 60; Items = ["1", "2", "3"]; ItemIndex = 2 }
        TLabel Label1 { Left = 178; Top = 22; Caption = "月" }
        TRadioButton RadioButton1 { Left = 8; Top = 48; Caption = "中文"; Checked = True }
        TRadioButton RadioButton2 { Left = 8; Top = 70; Caption = "英文" }
        TComboBox ComboBox11 { Left = 112; Top = 60; Width = 110; Items = ["COM 1", "COM 2"]; Text = "COM Port select" }
    }
    TPanel Panel1 {
        Left = 310; Top = 160; Width = 240; Height = 70
        Caption = ""
        Enabled = False
        TCheckBox CheckBox2 { Left = 8; Top = 8; Caption = "CH 1 ON"; Checked = True
            Font.Name = "新細明體"; Font.Height = -13 }
        TLabel Label3 { Left = 120; Top = 10; Caption = "Song:"; Font.Color = clNavy; Font.Height = -16; Font.Name = "新細明體" }
        TEdit Edit1 { Left = 170; Top = 8; Width = 41; Height = 23; Text = "42"; Font.Name = "Arial"; Font.Height = -12 }
    }
    TBevel Bevel1 { Left = 4; Top = 238; Width = 300; Height = 80 }
    TImage Image1 { Left = 10; Top = 244; Width = 288; Height = 68 }
    TRichEdit RichEdit1 {
        Left = 310; Top = 238; Width = 240; Height = 110
        ScrollBars = ssBoth
        Lines = ["RichEdit1", "===> VTX-7430 作息表更新完成 <==="]
    }
    TLabel Label2 { Left = 10; Top = 330; Caption = "COM:"; Font.Color = clOlive; Font.Height = -16; Font.Name = "新細明體" }
    TStatusBar StatusBar1 {
        Panels = < { Text = "通訊埠"; Width = 60 } { Text = "未指定(離線)"; Width = 100 }
                   { Text = "專案檔名"; Width = 60 } { Text = "無"; Width = 200 } { Text = "ORB"; Alignment = taCenter } >
    }
    TTimer Timer1 { Interval = 10000; Enabled = False }
    TOpenDialog OpenDialog1 { }
    TSaveDialog SaveDialog1 { }
    TCCalendar CCalendar1 { Visible = False; StartOfWeek = 7 }
}
)FORM";

class TAllControlsForm : public TForm {
public:
    explicit TAllControlsForm(TComponent* AOwner) : TForm(AOwner, AllControls)
    {
        BindField("StringGrid1", StringGrid1);
        BindField("Image1", Image1);
    }
    TStringGrid* StringGrid1 = nullptr;
    TImage* Image1 = nullptr;
};

TEST(Screenshot, FormWithOneOfEachControl)
{
    auto Form = NewForm<TAllControlsForm>();
    const char* Headings[] = {"起始:時", "起始:分", "", "結束:時", "結束:分", "", "播放曲目", "", "輸出通道", "輸出音量"};
    for (int C = 0; C < 10; ++C)
        Form->StringGrid1->SetCells(C, 0, Headings[C]);
    Form->StringGrid1->SetCells(0, 1, "8");
    Form->StringGrid1->SetCells(1, 1, "30");
    TCanvas* Canvas = Form->Image1->Canvas();
    Canvas->Font().SetName("Arial");
    Canvas->Font().SetHeight(54);
    Canvas->TextOut(5, 0, "12 : 00 : 00");
    TUser::ShowForm(Form.get());
    ASSERT_TRUE(SaveScreenshot(Form.get(), "vcl_controls.png"));
}

} // namespace
