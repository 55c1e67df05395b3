#include "OwnerDrawDelegate.h"

#include <QPainter>

TOwnerDrawDelegate::TOwnerDrawDelegate(QObject* Parent, TPaint Paint, TMeasure Measure)
    : QAbstractItemDelegate(Parent), FPaint(std::move(Paint)), FMeasure(std::move(Measure))
{
}

void TOwnerDrawDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    if (!FPaint)
        return;
    TOwnerDrawState State;
    if (Option.state & QStyle::State_Selected)
        State << odSelected;
    if (!(Option.state & QStyle::State_Enabled))
        State << odDisabled;
    if (Option.state & QStyle::State_HasFocus)
        State << odFocused;
    Painter->save();
    Painter->setClipRect(Option.rect);
    FPaint(*Painter, Index.row(), ToTRect(Option.rect), State);
    Painter->restore();
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    return QSize(Option.rect.width(), FMeasure ? std::max(1, FMeasure(Index.row())) : 1);
}

void TOwnerDrawDelegate::Detach()
{
    FPaint = nullptr;
    FMeasure = nullptr;
}

TRect ToTRect(const QRect& Rect)
{
    return {Rect.left(), Rect.top(), Rect.left() + Rect.width(), Rect.top() + Rect.height()};
}

void PrepareItemCanvas(TControlCanvas& Canvas, const TControl& Control, TOwnerDrawState State)
{
    Canvas.Font().Assign(Control.Font());
    Canvas.Brush().SetStyle(bsSolid);
    const TColor Color = Control.Color();
    Canvas.Brush().SetColor(Color == clDefault || Color == clNone ? clWindow : Color);
    if (State.Contains(odSelected)) {
        Canvas.Brush().SetColor(clHighlight);
        Canvas.Font().SetColor(clHighlightText);
    }
}

void DrawPlainItem(TControlCanvas& Canvas, const TRect& Rect, const AnsiString& Text)
{
    Canvas.FillRect(Rect);
    const int Height = Canvas.TextHeight(Text);
    Canvas.TextOut(Rect.Left + 2, Rect.Top + (Rect.Height() - Height) / 2, Text);
}
