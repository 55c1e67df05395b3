#pragma once
// Drawing of the class library's raised and lowered edges.

#include <QPainter>
#include <QPalette>

// Draws a one-pixel edge around Rect: light top-left and dark bottom-right
// when raised, the other way round when lowered; Rect shrinks by one pixel.
inline void DrawEdge(QPainter& Painter, QRect& Rect, bool Raised, const QPalette& Palette)
{
    QColor TopLeft = Palette.color(Raised ? QPalette::Light : QPalette::Dark);
    QColor BottomRight = Palette.color(Raised ? QPalette::Dark : QPalette::Light);
    Painter.setPen(TopLeft);
    Painter.drawLine(Rect.topLeft(), Rect.topRight());
    Painter.drawLine(Rect.topLeft(), Rect.bottomLeft());
    Painter.setPen(BottomRight);
    Painter.drawLine(Rect.bottomLeft(), Rect.bottomRight());
    Painter.drawLine(Rect.topRight(), Rect.bottomRight());
    Rect.adjust(1, 1, -1, -1);
}
