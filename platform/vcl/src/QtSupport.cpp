#include "QtSupport.h"

#include <QFontMetrics>

#include "vcl/Controls.h"

QColor ToQColor(TColor Color, const QPalette& Palette)
{
    if ((Color & clSystemColor) == clSystemColor) {
        switch (Color & 0xFF) {
        case 2: return Palette.color(QPalette::Highlight);
        case 5: return Palette.color(QPalette::Base);
        case 8: return Palette.color(QPalette::Text);
        case 9: return Palette.color(QPalette::HighlightedText);
        case 13: return Palette.color(QPalette::Highlight);
        case 14: return Palette.color(QPalette::HighlightedText);
        case 15: return Palette.color(QPalette::Button);
        case 16: return Palette.color(QPalette::Dark);
        case 17: return Palette.color(QPalette::Disabled, QPalette::Text);
        case 18: return Palette.color(QPalette::ButtonText);
        case 20: return Palette.color(QPalette::Light);
        case 24: return Palette.color(QPalette::ToolTipBase);
        default: return Palette.color(QPalette::Window);
        }
    }
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

QFont ToQFont(const TFont& Font)
{
    QFont Result(ToQt(Font.Name()));
    int Height = Font.Height();
    if (Height < 0) {
        Result.setPixelSize(-Height);
    } else if (Height > 0) {
        // A positive height is the cell height: scale the character size so
        // that ascent plus descent come out at that height.
        Result.setPixelSize(Height);
        int Cell = QFontMetrics(Result).height();
        if (Cell > 0)
            Result.setPixelSize(std::max(1, (Height * Height + Cell / 2) / Cell));
    }
    Result.setBold(Font.Style().Contains(fsBold));
    Result.setItalic(Font.Style().Contains(fsItalic));
    Result.setUnderline(Font.Style().Contains(fsUnderline));
    Result.setStrikeOut(Font.Style().Contains(fsStrikeOut));
    return Result;
}

void InstallFontSubstitutions()
{
    const QStringList Chinese = {"WenQuanYi Micro Hei", "Noto Sans CJK TC", "Noto Sans CJK SC", "AR PL UMing TW"};
    const QStringList Sans = QStringList{"Liberation Sans", "DejaVu Sans"} + Chinese;
    QFont::insertSubstitutions("MS Sans Serif", Sans);
    QFont::insertSubstitutions("Arial", Sans);
    for (const char* Name : {"新細明體", "細明體", "PMingLiU", "MingLiU"})
        QFont::insertSubstitutions(QString::fromUtf8(Name), Chinese + QStringList{"DejaVu Sans"});
}

Qt::Alignment ToQtAlignment(int Alignment)
{
    switch (Alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
