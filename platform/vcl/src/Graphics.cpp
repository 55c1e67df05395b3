#include "vcl/Graphics.h"

#include <QFontMetrics>
#include <QPainter>
#include <utility>

#include "QtSupport.h"
#include "StoredValues.h"

namespace {

const std::pair<const char*, TColor> ColorNames[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clActiveCaption", clActiveCaption}, {"clWindow", clWindow}, {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
    {"clBtnText", clBtnText}, {"clBtnHighlight", clBtnHighlight}, {"clInfoBk", clInfoBk},
    {"clNone", clNone}, {"clDefault", clDefault},
};

const std::vector<const char*> FontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

const std::pair<const char*, TFontCharset> CharsetNames[] = {
    {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET}, {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
};

// The font a canvas draws with. Text goes out as the class library's does:
// each character at its own advance, without kerning, so a text's cell is
// the sum of its advances and a text of other digits covers the one before
// exactly.
QFont CanvasFont(const TFont& Font)
{
    QFont Result = ToQFont(Font);
    Result.setKerning(false);
    return Result;
}

} // namespace

TColor StringToColor(const AnsiString& Text)
{
    for (const auto& [Name, Color] : ColorNames)
        if (Text == Name)
            return Color;
    return static_cast<TColor>(TStoredValue(Text).AsInteger());
}

void TFont::SetName(const AnsiString& Value)
{
    if (FName == Value)
        return;
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (FHeight == Value)
        return;
    FHeight = Value;
    Changed();
}

int TFont::Size() const
{
    return -FHeight * 72 / ScreenPixelsPerInch;
}

void TFont::SetSize(int Value)
{
    SetHeight(-(Value * ScreenPixelsPerInch + 36) / 72);
}

void TFont::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value)
{
    if (FStyle == Value)
        return;
    FStyle = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (FCharset == Value)
        return;
    FCharset = Value;
    Changed();
}

void TFont::Assign(const TFont& Source)
{
    if (*this == Source)
        return;
    FName = Source.FName;
    FHeight = Source.FHeight;
    FColor = Source.FColor;
    FStyle = Source.FStyle;
    FCharset = Source.FCharset;
    Changed();
}

bool TFont::operator==(const TFont& Other) const
{
    return FName == Other.FName && FHeight == Other.FHeight && FColor == Other.FColor && FStyle == Other.FStyle &&
           FCharset == Other.FCharset;
}

void TFont::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

void TFont::DefineProperties(TPropertyList& List, const AnsiString& Prefix, const std::function<void()>& Before)
{
    auto Add = [&](const char* Name, std::function<void(const TStoredValue&)> Writer) {
        List.Add(Prefix + Name, [Before, Writer = std::move(Writer)](const TStoredValue& Value) {
            if (Before)
                Before();
            Writer(Value);
        });
    };
    Add("Charset", [this](const TStoredValue& V) {
        for (const auto& [Name, Charset] : CharsetNames)
            if (V.Text == Name) {
                SetCharset(Charset);
                return;
            }
        long long Code = V.AsInteger();
        if (Code < 0 || Code > 255)
            throw EReadError("Invalid property value '" + V.Text + "'");
        SetCharset(static_cast<TFontCharset>(Code));
    });
    Add("Color", [this](const TStoredValue& V) { SetColor(StringToColor(V.Text)); });
    Add("Height", [this](const TStoredValue& V) { SetHeight(V.AsInt()); });
    Add("Name", [this](const TStoredValue& V) { SetName(V.AsString()); });
    Add("Size", [this](const TStoredValue& V) { SetSize(V.AsInt()); });
    Add("Style", [this](const TStoredValue& V) { SetStyle(StoredSet<TFontStyle>(V, FontStyleNames)); });
}

void TCanvas::TextOut(int X, int Y, const AnsiString& Text)
{
    QPainter* Painter = BeginDraw();
    if (!Painter)
        return;
    QFont Font = CanvasFont(FFont);
    QFontMetrics Metrics(Font);
    QString String = ToQt(Text);
    QRect Cell(X, Y, Metrics.horizontalAdvance(String), Metrics.height());
    if (FBrush.Style() == bsSolid)
        Painter->fillRect(Cell, ToQColor(FBrush.Color(), QPalette()));
    Painter->setFont(Font);
    Painter->setPen(ToQColor(FFont.Color(), QPalette()));
    Painter->drawText(QPoint(X, Y + Metrics.ascent()), String);
    EndDraw();
}

void TCanvas::FillRect(const TRect& Rect)
{
    QPainter* Painter = BeginDraw();
    if (!Painter)
        return;
    if (FBrush.Style() == bsSolid)
        Painter->fillRect(QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()), ToQColor(FBrush.Color(), QPalette()));
    EndDraw();
}

int TCanvas::TextWidth(const AnsiString& Text)
{
    return QFontMetrics(CanvasFont(FFont)).horizontalAdvance(ToQt(Text));
}

int TCanvas::TextHeight(const AnsiString&)
{
    return QFontMetrics(CanvasFont(FFont)).height();
}
