// The colours of the controls' client areas, read from the pixels of the
// shown window: the class library's defaults (the window colour for text and
// cell areas, the button face for forms, panels and a grid's fixed cells)
// and the stored Color and FixedColor.

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <ostream>

#include "QtSupport.h"
#include "TestForm.h"
#include "vcl/testing/Screenshot.h"

namespace {

// The colour the desktop shows for a colour of the class library.
TColor Shown(TColor Color)
{
    return FromQRgb(ToQColor(Color, QApplication::palette()).rgb());
}

TColor WindowColour()
{
    return Shown(clWindow);
}

TColor FaceColour()
{
    return Shown(clBtnFace);
}

// What the control shows at one of its points.
TColor PixelOf(TControl* Control, int X, int Y)
{
    return TShownPicture(Control).Pixels(X, Y);
}

// Within a few steps a channel: the fixed cells are drawn as buttons, with a
// slight gradient over their face.
bool Near(TColor A, TColor B)
{
    for (int Shift : {0, 8, 16})
        if (std::abs(((A >> Shift) & 0xFF) - ((B >> Shift) & 0xFF)) > 12)
            return false;
    return true;
}

struct TGridColours {
    const char* Name;
    const char* Stored;   // assignments added to the grid's resource
    TColor Cells;         // an ordinary cell
    TColor Fixed;         // a heading cell, nearly
};

void PrintTo(const TGridColours& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class GridColours : public ::testing::TestWithParam<TGridColours> {};

TEST_P(GridColours, CellsInColorUnderHeadingsInFixedColor)
{
    const TGridColours& Case = GetParam();
    auto Form = ShowTestForm(AnsiString(R"(
        TStringGrid StringGrid1 {
            Left = 8; Top = 8; Width = 380; Height = 200
            ColCount = 4; RowCount = 9; FixedCols = 0; DefaultRowHeight = 16; DefaultColWidth = 72
            Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing]
            )") + Case.Stored + "\n}");
    auto* Grid = Form->Get<TStringGrid>("StringGrid1");
    Grid->SetCells(1, 0, "Start");
    const TRect Cell = Grid->CellRect(2, 3);
    const TRect Heading = Grid->CellRect(2, 0);
    ASSERT_GT(Cell.Width(), 0);
    ASSERT_GT(Heading.Width(), 0);
    const TColor Data = PixelOf(Grid, Cell.Left + Cell.Width() / 2, Cell.Top + Cell.Height() / 2);
    const TColor Fixed = PixelOf(Grid, Heading.Right - 4, Heading.Top + Heading.Height() / 2);
    EXPECT_EQ(Data, Shown(Case.Cells));
    EXPECT_TRUE(Near(Fixed, Shown(Case.Fixed))) << std::hex << Fixed << " for " << Shown(Case.Fixed);
    EXPECT_NE(Fixed, Data);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridColours,
    ::testing::Values(TGridColours{"Defaults", "", clWindow, clBtnFace},
                      TGridColours{"Stored", "Color = clYellow; FixedColor = clSilver", clYellow, clSilver}),
    [](const ::testing::TestParamInfo<TGridColours>& Info) { return std::string(Info.param.Name); });

// A point well inside a control, clear of its frame and text.
TColor InsideOf(TControl* Control)
{
    return PixelOf(Control, Control->Width() - 30, Control->Height() / 2);
}

TEST(Colours, EditsAndLogsKeepTheWindowColourOnAFaceColouredForm)
{
    auto Form = ShowTestForm(R"(
        TRichEdit RichEdit1 { Left = 8; Top = 8; Width = 297; Height = 129; ReadOnly = True; ScrollBars = ssVertical }
        TRichEdit RichEdit2 { Left = 8; Top = 140; Width = 200; Height = 60; Color = clAqua }
        TPanel Panel1 {
            Left = 210; Top = 140; Width = 180; Height = 57; Enabled = False
            TEdit Edit1 { Left = 8; Top = 8; Width = 100; Height = 23 }
        }
        TComboBox ComboBox1 { Left = 310; Top = 8; Width = 80 })");
    EXPECT_EQ(Form->Color(), clBtnFace);
    auto* Log = Form->Get<TRichEdit>("RichEdit1");
    EXPECT_EQ(Log->Color(), clWindow);
    EXPECT_EQ(InsideOf(Log), WindowColour());
    EXPECT_EQ(InsideOf(Form->Get<TRichEdit>("RichEdit2")), Shown(clAqua));
    auto* Panel = Form->Get<TPanel>("Panel1");
    EXPECT_EQ(Panel->Color(), clBtnFace);
    EXPECT_EQ(PixelOf(Panel, 150, 40), FaceColour());
    auto* Edit = Form->Get<TEdit>("Edit1");
    EXPECT_EQ(PixelOf(Edit, Edit->Width() - 8, Edit->Height() / 2), WindowColour());
    auto* Combo = Form->Get<TComboBox>("ComboBox1");
    EXPECT_EQ(Combo->Color(), clWindow);
    EXPECT_EQ(PixelOf(Combo, 30, Combo->Height() / 2), WindowColour());
}

TEST(Colours, AStoredFormColourIsTheFaceOfTheFormOnly)
{
    auto Form = ShowTestForm(R"(
        Color = clTeal
        TRichEdit RichEdit1 { Left = 8; Top = 8; Width = 200; Height = 100 })");
    EXPECT_EQ(PixelOf(Form.get(), 300, 200), Shown(clTeal));
    EXPECT_EQ(InsideOf(Form->Get<TRichEdit>("RichEdit1")), WindowColour());
}

} // namespace
