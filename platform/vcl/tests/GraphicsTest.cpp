// Colours, fonts, the image canvas, the month calculator and string lists.

#include <QFontInfo>
#include <QImage>
#include <QWidget>

#include "QtSupport.h"
#include "TestForm.h"
#include "rtl/DateTime.h"

namespace {

TEST(Colors, IdentifiersAndNumbers)
{
    EXPECT_EQ(StringToColor("clOlive"), 0x008080);
    EXPECT_EQ(StringToColor("clRed"), 0x0000FF);
    EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
    EXPECT_EQ(StringToColor("$00FF8000"), 0x00FF8000);
    EXPECT_THROW(StringToColor("clPink"), EReadError);
    QColor Navy = ToQColor(clNavy, QPalette());
    EXPECT_EQ(Navy, QColor(0, 0, 0x80));
}

TEST(Fonts, HeightAndSize)
{
    TFont Font;
    Font.SetHeight(-11);
    EXPECT_EQ(Font.Size(), 8);
    Font.SetSize(10);
    EXPECT_EQ(Font.Height(), -13);
    int Changes = 0;
    Font.SetOnChange([&](TObject*) { ++Changes; });
    Font.SetName("Arial");
    Font.SetName("Arial");
    EXPECT_EQ(Changes, 1);
}

TEST(Fonts, TheStoredNamesMapToInstalledFontsThatShowChinese)
{
    for (const char* Name : {"新細明體", "MS Sans Serif", "Arial"}) {
        TFont Font;
        Font.SetName(Name);
        QFont Mapped = ToQFont(Font);
        QFontInfo Info(Mapped);
        EXPECT_FALSE(Info.family().isEmpty()) << Name;
        EXPECT_TRUE(QFontMetrics(Mapped).inFontUcs4(U'週')) << Name << " -> " << Info.family().toStdString();
    }
    TFont Chinese;
    Chinese.SetName("新細明體");
    EXPECT_TRUE(QFontInfo(ToQFont(Chinese)).family().contains("WenQuanYi") ||
                QFontInfo(ToQFont(Chinese)).family().contains("Noto"));
}

// A negative height is the em size; a positive one the cell height, the
// font's Windows ascent plus descent: for Arial (and Liberation Sans, of the
// same metrics) 1854 + 434 units of an em of 2048, so a cell of 54 pixels
// holds an em of 48.34.
TEST(Fonts, APositiveHeightIsTheCellHeight)
{
    const std::pair<int, int> Cases[] = {{54, 48}, {-54, 54}, {16, 14}, {-16, 16}, {20, 18}, {-11, 11}, {1, 1}};
    for (const auto& [Height, EmPixels] : Cases) {
        TFont Font;
        Font.SetName("Arial");
        Font.SetHeight(Height);
        EXPECT_EQ(QFontInfo(ToQFont(Font)).pixelSize(), EmPixels) << "height " << Height;
    }
}

TEST(ImageCanvas, TextOutFillsItsCellWithTheBrushUnlessClear)
{
    auto Form = ShowTestForm(R"(TImage Image1 { Left = 16; Top = 24; Width = 425; Height = 105 })");
    TCanvas* Canvas = Form->Get<TImage>("Image1")->Canvas();
    Canvas->Brush().SetColor(clBlack);
    Canvas->FillRect({0, 0, 425, 105});
    Canvas->Brush().SetColor(clWhite);
    Canvas->Font().SetName("Arial");
    Canvas->Font().SetHeight(54);
    Canvas->TextOut(5, 0, "08  THU    ");
    int CellHeight = Canvas->TextHeight("2008");
    int CellWidth = Canvas->TextWidth("08  THU    ");
    Canvas->Brush().SetStyle(bsClear);
    Canvas->TextOut(95, 70, "    ");
    QImage Shot = Form->Get<TImage>("Image1")->Widget()->grab().toImage();
    // The trailing blanks of the line: background only, drawn opaque.
    EXPECT_EQ(Shot.pixelColor(5 + CellWidth - 3, CellHeight / 2), QColor(Qt::white));
    EXPECT_EQ(Shot.pixelColor(5 + CellWidth + 3, CellHeight / 2), QColor(Qt::black));
    // Blanks with a clear brush change nothing.
    EXPECT_EQ(Shot.pixelColor(100, 80), QColor(Qt::black));
}

// Text goes out without kerning: a text is as wide as its characters'
// advances together (up to the rounding of each), whatever their neighbours.
TEST(ImageCanvas, TextIsAsWideAsItsCharacters)
{
    auto Form = ShowTestForm(R"(TImage Image1 { Left = 0; Top = 0; Width = 100; Height = 50 })");
    TCanvas* Canvas = Form->Get<TImage>("Image1")->Canvas();
    Canvas->Font().SetName("Arial");
    Canvas->Font().SetHeight(54);
    for (const char* Pair : {"11", "AV", "To", "Ty"}) {
        const AnsiString Text = Pair;
        EXPECT_NEAR(Canvas->TextWidth(Text), Canvas->TextWidth(Text.substr(0, 1)) + Canvas->TextWidth(Text.substr(1)), 1)
            << Text;
    }
}

TEST(ImageCanvas, AnUntouchedPictureIsWhiteAndDrawingStays)
{
    auto Form = ShowTestForm(R"(TImage Image1 { Left = 0; Top = 0; Width = 100; Height = 50 })");
    TCanvas* Canvas = Form->Get<TImage>("Image1")->Canvas();
    Canvas->Font().SetHeight(20);
    Canvas->TextOut(0, 0, "12");
    Canvas->TextOut(40, 0, "");
    QImage Shot = Form->Get<TImage>("Image1")->Widget()->grab().toImage();
    EXPECT_EQ(Shot.pixelColor(90, 45), QColor(Qt::white));
}

struct TMonthCase {
    int Year;
    int Month;
    int StartOfWeek;
    int FirstCol;    // the column of day 1 in row 1
    int Days;
};

class MonthCells : public ::testing::TestWithParam<TMonthCase> {};

TEST_P(MonthCells, PlaceEachDayOfTheMonth)
{
    TCCalendar Calendar(nullptr);
    Calendar.SetStartOfWeek(GetParam().StartOfWeek);
    Calendar.SetDay(1);
    Calendar.SetYear(GetParam().Year);
    Calendar.SetMonth(GetParam().Month);
    int W = GetParam().FirstCol;
    for (int Col = 0; Col < W; ++Col)
        EXPECT_EQ(Calendar.CellText(Col, 1), "");
    for (int D = 1; D <= GetParam().Days; ++D)
        EXPECT_EQ(Calendar.CellText((W + D - 1) % 7, 1 + (W + D - 1) / 7), std::to_string(D));
    int After = W + GetParam().Days;
    for (int Cell = After; Cell < 42; ++Cell)
        EXPECT_EQ(Calendar.CellText(Cell % 7, 1 + Cell / 7), "");
    EXPECT_EQ(Calendar.CellText(0, 0), "");
    EXPECT_EQ(Calendar.CellText(7, 1), "");
}

// "August2026", "August2026MondayFirst".
std::string MonthCaseName(const TMonthCase& Case)
{
    static const char* const Months[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    return Months[Case.Month - 1] + std::to_string(Case.Year) + (Case.StartOfWeek == 1 ? "MondayFirst" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Months, MonthCells,
    ::testing::Values(TMonthCase{2026, 8, 7, 6, 31},     // 1 August 2026 is a Saturday
                      TMonthCase{2026, 2, 7, 0, 28},     // 1 February 2026 is a Sunday
                      TMonthCase{2024, 2, 7, 4, 29},     // leap year, starts on a Thursday
                      TMonthCase{2026, 11, 7, 0, 30},
                      TMonthCase{2026, 8, 1, 5, 31}),    // Monday first
    [](const auto& Info) { return MonthCaseName(Info.param); });

TEST(CCalendar, MonthStepsKeepTheDayInsideTheMonth)
{
    TCCalendar Calendar(nullptr);
    Calendar.SetYear(2024);
    Calendar.SetMonth(3);
    Calendar.SetDay(31);
    Calendar.PrevMonth();
    EXPECT_EQ(Calendar.Month(), 2);
    EXPECT_EQ(Calendar.Day(), 29);
    Calendar.NextMonth();
    EXPECT_EQ(Calendar.Month(), 3);
    EXPECT_EQ(Calendar.Day(), 29);
    Calendar.SetMonth(12);
    Calendar.NextMonth();
    EXPECT_EQ(Calendar.Year(), 2025);
    EXPECT_EQ(Calendar.Month(), 1);
    EXPECT_THROW(Calendar.SetMonth(13), EConvertError);
    EXPECT_THROW(Calendar.SetStartOfWeek(0), EConvertError);
    EXPECT_EQ(Calendar.Month(), 1);
}

TEST(CCalendar, StartsAtToday)
{
    unsigned short Y, M, D;
    DecodeDate(Date(), Y, M, D);
    TCCalendar Calendar(nullptr);
    EXPECT_EQ(Calendar.Year(), Y);
    EXPECT_EQ(Calendar.Month(), M);
    EXPECT_EQ(Calendar.Day(), D);
}

TEST(StringList, IndexesAndText)
{
    TStringList List;
    EXPECT_EQ(List.Add("a"), 0);
    List.Insert(0, "b");
    EXPECT_EQ(List.IndexOf("a"), 1);
    EXPECT_EQ(List.IndexOf("c"), -1);
    EXPECT_THROW(List.Insert(5, "x"), EStringListError);
    try {
        List.Strings(2);
        FAIL();
    } catch (const EStringListError& E) {
        EXPECT_EQ(E.Message, "List index out of bounds (2)");
    }
    List.SetText("one\r\ntwo\nthree");
    EXPECT_EQ(List.ToVector(), (std::vector<AnsiString>{"one", "two", "three"}));
    EXPECT_EQ(List.Text(), "one\ntwo\nthree\n");
}

} // namespace
