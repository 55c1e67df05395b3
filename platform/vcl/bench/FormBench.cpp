// Building a window like the schedule editor's from its resource and
// showing it, up to its first painted frame, on the offscreen platform.
//
// The resource holds about 300 components: twelve pages with a 10 x 81
// string grid each, a system page with group boxes full of check boxes,
// combo boxes, labels and radio buttons, a copy panel, a calendar panel, a
// log box, a status bar, a menu, dialogs and a timer.

#include <QApplication>
#include <benchmark/benchmark.h>

#include "vcl/FormResource.h"
#include "vcl/Vcl.h"
#include "vcl/testing/User.h"

namespace {

// Labels and buttons beside a page's grid, to bring the window to about
// 300 components.
AnsiString PageExtras(int Page)
{
    AnsiString R;
    for (int i = 0; i < 12; ++i)
        R += "   TLabel PageLabel" + std::to_string(Page) + "_" + std::to_string(i) + " { Left = 560; Top = " +
             std::to_string(8 + 22 * i) + "; Caption = \"輸出通道\" }\n";
    for (int i = 0; i < 3; ++i)
        R += "   TSpeedButton PageButton" + std::to_string(Page) + "_" + std::to_string(i) + " { Left = 560; Top = " +
             std::to_string(280 + 30 * i) + "; Width = 80; Height = 26; Caption = \"清除\" }\n";
    return R;
}

AnsiString EditorLikeResource()
{
    AnsiString R = "TForm1 Form1 {\n Caption = \"VTX-7430 Software v1.3 (Build-120718) -- 8 ports\"\n"
                   " Width = 704; Height = 706; Position = poScreenCenter; Menu = MainMenu1\n"
                   " Font.Name = \"新細明體\"; Font.Height = -12\n";
    R += " TMainMenu MainMenu1 { TMenuItem File1 { Caption = \"File\" TMenuItem New1 { Caption = \"New\" }"
         " TMenuItem Load1 { Caption = \"Load\" } TMenuItem Save1 { Caption = \"Save\" } }"
         " TMenuItem Language1 { Caption = \"Version\" TMenuItem Chinese1 { Caption = \"Chinese\"; RadioItem = True;"
         " AutoCheck = True; Checked = True } TMenuItem English1 { Caption = \"English\"; RadioItem = True; AutoCheck = True } } }\n";
    for (int i = 0; i < 6; ++i)
        R += " TSpeedButton Tool" + std::to_string(i) + " { Left = " + std::to_string(4 + 58 * i) +
             "; Top = 2; Width = 56; Height = 26; Flat = True; Caption = \"新建\" }\n";
    R += " TPageControl PageControl1 { Left = 0; Top = 30; Width = 696; Height = 600; ActivePage = TabSheet1\n";
    const char* Days[] = {"週一", "週二", "週三", "週四", "週五", "週六", "週日",
                          "特定日一", "特定日二", "特定日三", "特定日四", "特定日五"};
    for (int k = 1; k <= 12; ++k)
        R += "  TTabSheet TabSheet" + std::to_string(k) + " { Caption = \"" + Days[k - 1] + "\"\n"
             "   TStringGrid StringGrid" + std::to_string(k) + " { Left = 4; Top = 4; Width = 548; Height = 560\n"
             "    ColCount = 10; RowCount = 81; FixedCols = 0; DefaultRowHeight = 16\n"
             "    ColWidths = [72, 72, 3, 72, 72, 3, 72, 3, 72, 72]\n"
             "    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]\n"
             "    Hint = \"時:0~23/分:0~59\"; ShowHint = True }\n" + PageExtras(k) + "  }\n";
    R += "  TTabSheet TabSheet13 { Caption = \"系統設定\"\n";
    R += "   TGroupBox GroupBox1 { Left = 4; Top = 4; Width = 300; Height = 160; Caption = \"特定日設定\"\n";
    for (int n = 1; n <= 5; ++n) {
        std::string Top = std::to_string(16 + 26 * (n - 1));
        R += "    TCheckBox CheckBox" + std::to_string(n) + " { Left = 8; Top = " + Top + "; Caption = \"啟用特定日\" }\n";
        R += "    TComboBox ComboBox" + std::to_string(2 * n - 1) + " { Left = 120; Top = " + Top +
             "; Width = 50; Items = [\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"11\",\"12\"] }\n";
        R += "    TLabel Label" + std::to_string(n) + " { Left = 174; Top = " + Top + "; Caption = \"月\" }\n";
        R += "    TComboBox ComboBox" + std::to_string(2 * n) + " { Left = 190; Top = " + Top + "; Width = 50; Items = [";
        for (int d = 1; d <= 31; ++d)
            R += (d > 1 ? ",\"" : "\"") + std::to_string(d) + "\"";
        R += "] }\n    TLabel Label" + std::to_string(5 + n) + " { Left = 244; Top = " + Top + "; Caption = \"日\" }\n";
    }
    R += "   }\n   TGroupBox GroupBox2 { Left = 310; Top = 4; Width = 180; Height = 60; Caption = \"顯示語言\"\n"
         "    TRadioButton RadioButton1 { Left = 8; Top = 16; Caption = \"中文\"; Checked = True }\n"
         "    TRadioButton RadioButton2 { Left = 90; Top = 16; Caption = \"英文\" } }\n";
    R += "   TRichEdit RichEdit1 { Left = 4; Top = 300; Width = 500; Height = 200; ScrollBars = ssBoth; Lines = [\"RichEdit1\"] }\n";
    R += "   TComboBox ComboBox11 { Left = 310; Top = 80; Items = [\"COM 1\",\"COM 2\",\"COM 3\"]; Text = \"COM Port select\" }\n";
    for (int i = 1; i <= 6; ++i)
        R += "   TSpeedButton SysButton" + std::to_string(i) + " { Left = " + std::to_string(310 + 60 * (i % 3)) +
             "; Top = " + std::to_string(110 + 30 * (i / 3)) + "; Width = 56; Height = 26; Caption = \"連線\" }\n";
    R += "  }\n }\n";
    R += " TPanel Panel1 { Left = 168; Top = 144; Width = 400; Height = 300; Visible = False\n"
         "  TGroupBox GroupBox4 { Left = 8; Top = 8; Width = 180; Height = 250; Caption = \"複製來源\"\n";
    for (int k = 3; k <= 14; ++k)
        R += "   TRadioButton RadioButton" + std::to_string(k) + " { Left = 8; Top = " + std::to_string(16 + 19 * (k - 3)) +
             "; Caption = \"週一\" }\n";
    R += "  }\n  TGroupBox GroupBox5 { Left = 200; Top = 8; Width = 180; Height = 250; Caption = \"複製目的\"\n";
    for (int k = 9; k <= 20; ++k)
        R += "   TCheckBox CheckBox" + std::to_string(k) + " { Left = 8; Top = " + std::to_string(16 + 19 * (k - 9)) +
             "; Caption = \"週一\" }\n";
    R += "  }\n  TSpeedButton SpeedButton11 { Left = 8; Top = 264; Caption = \"確定\" }\n"
         "  TSpeedButton SpeedButton12 { Left = 80; Top = 264; Caption = \"取消\" }\n }\n";
    R += " TPanel Panel2 { Left = 88; Top = 160; Width = 500; Height = 400; Visible = False\n"
         "  TCCalendar CCalendar1 { Visible = False; StartOfWeek = 7 }\n"
         "  TStringGrid StringGrid13 { Left = 8; Top = 40; Width = 290; Height = 130; ColCount = 7; RowCount = 7; FixedCols = 0;"
         " DefaultColWidth = 40; DefaultRowHeight = 16 }\n"
         "  TStringGrid StringGrid14 { Left = 310; Top = 40; Width = 150; Height = 300; ColCount = 2; RowCount = 367; FixedCols = 0;"
         " DefaultRowHeight = 18 }\n";
    for (int i = 15; i <= 17; ++i)
        R += "  TLabel Label" + std::to_string(i) + " { Left = " + std::to_string(8 + 60 * (i - 15)) + "; Top = 8; Caption = \"不動作日:\" }\n";
    for (int i = 14; i <= 18; ++i)
        if (i != 16)
            R += "  TSpeedButton SpeedButton" + std::to_string(i) + " { Left = " + std::to_string(8 + 70 * (i - 14)) +
                 "; Top = 350; Caption = \"上一月\" }\n";
    R += " }\n";
    R += " TStatusBar StatusBar1 { Panels = < { Width = 60 } { Width = 100; Text = \"未指定(離線)\" } { Width = 55 } { Width = 350 } { Width = 50 } > }\n";
    R += " TOpenDialog OpenDialog1 { }\n TSaveDialog SaveDialog1 { }\n TTimer Timer1 { Interval = 10000; Enabled = False }\n}\n";
    return R;
}

void BM_BuildAndShowEditorLikeForm(benchmark::State& State)
{
    const AnsiString Resource = EditorLikeResource();
    int Components = 0;
    for (auto _ : State) {
        auto Form = NewForm<TForm>(Resource);
        TUser::ShowUntilPainted(Form.get());
        State.PauseTiming();
        Components = Form->ComponentCount();
        Form.reset();
        QCoreApplication::processEvents();
        State.ResumeTiming();
    }
    State.counters["components"] = Components;
}
BENCHMARK(BM_BuildAndShowEditorLikeForm)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ParseEditorLikeResource(benchmark::State& State)
{
    const AnsiString Resource = EditorLikeResource();
    for (auto _ : State)
        benchmark::DoNotOptimize(ParseFormResource(Resource));
}
BENCHMARK(BM_ParseEditorLikeResource)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application->Initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Application->Finalize();
    return 0;
}
