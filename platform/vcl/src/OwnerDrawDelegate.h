#pragma once
// Owner drawing of list and combo box items (private to the window layer):
// a delegate that hands each item's painting and height to the control, and
// the canvas set-up the class library does before DrawItem.

#include <QAbstractItemDelegate>
#include <functional>

#include "vcl/Controls.h"
#include "vcl/ControlCanvas.h"
#include "vcl/OwnerDraw.h"

class TOwnerDrawDelegate : public QAbstractItemDelegate {
public:
    using TPaint = std::function<void(QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State)>;
    using TMeasure = std::function<int(int Index)>;

    TOwnerDrawDelegate(QObject* Parent, TPaint Paint, TMeasure Measure);

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

    // The control is going: from now on nothing is drawn and every item is
    // one pixel high.
    void Detach();

private:
    TPaint FPaint;
    TMeasure FMeasure;
};

TRect ToTRect(const QRect& Rect);

// The control's font and colour on the canvas; a selected item in the
// highlight colours.
void PrepareItemCanvas(TControlCanvas& Canvas, const TControl& Control, TOwnerDrawState State);

// The plain drawing of an item: background, then the text 2 pixels in,
// centred in the height.
void DrawPlainItem(TControlCanvas& Canvas, const TRect& Rect, const AnsiString& Text);
