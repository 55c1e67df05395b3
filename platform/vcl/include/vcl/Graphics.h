#pragma once
// Colours, fonts, brushes and the canvas that controls draw on.
//
// A colour is 0x00BBGGRR, or a system colour (clSystemColor with the index
// of a colour of the desktop's palette). Font heights follow the class
// library: a negative height is the character (em) height in pixels, a
// positive one the cell height (character plus internal leading: the font's
// Windows ascent plus descent).

#include <cstdint>

#include "rtl/Classes.h"
#include "vcl/Sets.h"

class QPainter;
class TPropertyList;

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clInfoBk = clSystemColor | 24;

// No colour, and the colour that leaves the window toolkit's own.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The colour of an identifier ("clOlive") or of a number ("$008080");
// raises EReadError "Invalid property value '<text>'" for anything else.
TColor StringToColor(const AnsiString& Text);

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

// Character sets are kept for the stored forms; every text is UTF-8, so
// they change nothing in the drawing.
using TFontCharset = unsigned char;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;

// Screen resolution the class library's point sizes are converted with.
constexpr int ScreenPixelsPerInch = 96;

class TFont : public TObject {
public:
    TFont() = default;

    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    // Points: -Height * 72 / ScreenPixelsPerInch.
    int Size() const;
    void SetSize(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);

    // Copies every attribute; OnChange runs once.
    void Assign(const TFont& Source);
    bool operator==(const TFont& Other) const;

    // Runs after any attribute has changed.
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // Publishes the attributes as Prefix + "Name", "Height", "Size",
    // "Color", "Style" and "Charset" (Prefix is "Font." for a control).
    // Before, runs before each stored attribute is applied.
    void DefineProperties(TPropertyList& List, const AnsiString& Prefix, const std::function<void()>& Before = {});

private:
    void Changed();

    AnsiString FName = "MS Sans Serif";
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TNotifyEvent FOnChange;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value) { FStyle = Value; }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// A drawing surface. TextOut draws with the top-left corner of the text at
// (X, Y); with a solid brush the text's cell is filled with the brush colour
// first (an opaque background), with bsClear only the letters are drawn. Text
// is not kerned: its cell is as wide as its characters' advances together.
class TCanvas : public TObject {
public:
    TFont& Font() { return FFont; }
    TBrush& Brush() { return FBrush; }

    void TextOut(int X, int Y, const AnsiString& Text);
    void FillRect(const TRect& Rect);
    int TextWidth(const AnsiString& Text);
    int TextHeight(const AnsiString& Text);

protected:
    TCanvas() = default;
    // The surface: a painter that is open while one drawing call runs, and
    // its end (which shows the result).
    virtual QPainter* BeginDraw() = 0;
    virtual void EndDraw() = 0;

private:
    TFont FFont;
    TBrush FBrush;
};
