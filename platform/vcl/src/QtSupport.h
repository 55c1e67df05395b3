#pragma once
// Conversions between the class library's values and the window toolkit's.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include "rtl/StoredProperties.h"
#include "vcl/Graphics.h"

inline QString ToQt(const AnsiString& Text)
{
    return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

inline AnsiString FromQt(const QString& Text)
{
    QByteArray Bytes = Text.toUtf8();
    return AnsiString(Bytes.constData(), static_cast<size_t>(Bytes.size()));
}

// A plain colour, or a system colour taken from Palette.
QColor ToQColor(TColor Color, const QPalette& Palette);

// The colour of a pixel of the toolkit's pictures.
inline TColor FromQRgb(QRgb Pixel)
{
    return static_cast<TColor>(qRed(Pixel) | qGreen(Pixel) << 8 | qBlue(Pixel) << 16);
}

// The toolkit font for a class-library font; the family goes through the
// substitutions that InstallFontSubstitutions sets up.
QFont ToQFont(const TFont& Font);

// Maps the font names of the stored forms to installed fonts.
void InstallFontSubstitutions();

// Alignment of text within a rectangle.
Qt::Alignment ToQtAlignment(int Alignment);
