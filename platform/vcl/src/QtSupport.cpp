#include "QtSupport.h"

#include <QFontMetrics>
#include <QRawFont>
#include <algorithm>
#include <cmath>

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

namespace {

// The em size in pixels of Font whose cell is Cell pixels high. The cell is
// the font's Windows ascent plus descent (usWinAscent + usWinDescent of its
// OS/2 table), which is what a positive height gives on the class library;
// the toolkit's own ascent and descent come from other tables and may be
// larger. A font without those metrics is scaled by the toolkit's.
int EmPixelsOfCell(const QFont& Font, int Cell)
{
    const QRawFont Raw = QRawFont::fromFont(Font);
    const QByteArray Os2 = Raw.isValid() ? Raw.fontTable("OS/2") : QByteArray();
    constexpr int WinAscentAt = 74;   // usWinAscent, then usWinDescent, big-endian
    double Units = 0;
    double UnitsPerCell = 0;
    if (Os2.size() >= WinAscentAt + 4) {
        auto Word = [&](int At) {
            return static_cast<unsigned char>(Os2[At]) << 8 | static_cast<unsigned char>(Os2[At + 1]);
        };
        Units = Raw.unitsPerEm();
        UnitsPerCell = Word(WinAscentAt) + Word(WinAscentAt + 2);
    }
    if (Units <= 0 || UnitsPerCell <= 0) {
        const QFontMetricsF Metrics(Font);
        Units = Font.pixelSize();
        UnitsPerCell = Metrics.ascent() + Metrics.descent();
    }
    if (Units <= 0 || UnitsPerCell <= 0)
        return Cell;
    return std::max(1, static_cast<int>(std::lround(Cell * Units / UnitsPerCell)));
}

} // namespace

QFont ToQFont(const TFont& Font)
{
    QFont Result(ToQt(Font.Name()));
    int Height = Font.Height();
    Result.setBold(Font.Style().Contains(fsBold));
    Result.setItalic(Font.Style().Contains(fsItalic));
    Result.setUnderline(Font.Style().Contains(fsUnderline));
    Result.setStrikeOut(Font.Style().Contains(fsStrikeOut));
    if (Height < 0) {
        Result.setPixelSize(-Height);
    } else if (Height > 0) {
        Result.setPixelSize(Height);
        Result.setPixelSize(EmPixelsOfCell(Result, Height));
    }
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
