#include "vcl/Bevel.h"

#include <QPainter>
#include <QWidget>

#include "Bevels.h"
#include "rtl/StoredProperties.h"

class TBevel::TBevelWidget : public QWidget {
public:
    explicit TBevelWidget(TBevel* ABevel) : Bevel(ABevel) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter Painter(this);
        bool Raised = Bevel->FStyle == bsRaised;
        QColor First = palette().color(Raised ? QPalette::Light : QPalette::Dark);
        QColor Second = palette().color(Raised ? QPalette::Dark : QPalette::Light);
        QRect R = rect();
        auto Line = [&](QPoint A, QPoint B, QPoint Offset) {
            Painter.setPen(First);
            Painter.drawLine(A, B);
            Painter.setPen(Second);
            Painter.drawLine(A + Offset, B + Offset);
        };
        switch (Bevel->FShape) {
        case bsBox:
            DrawEdge(Painter, R, Raised, palette());
            break;
        case bsFrame: {
            // Two edges, one inside the other: an engraved (or embossed) frame.
            QRect Outer = R.adjusted(0, 0, -1, -1);
            QRect Inner = R.adjusted(1, 1, 0, 0);
            Painter.setPen(First);
            Painter.drawRect(Outer);
            Painter.setPen(Second);
            Painter.drawRect(Inner);
            break;
        }
        case bsTopLine: Line(R.topLeft(), R.topRight(), {0, 1}); break;
        case bsBottomLine: Line(R.bottomLeft() - QPoint(0, 1), R.bottomRight() - QPoint(0, 1), {0, 1}); break;
        case bsLeftLine: Line(R.topLeft(), R.bottomLeft(), {1, 0}); break;
        case bsRightLine: Line(R.topRight() - QPoint(1, 0), R.bottomRight() - QPoint(1, 0), {1, 0}); break;
        case bsSpacer: break;
        }
    }

private:
    TBevel* Bevel;
};

TBevel::TBevel(TComponent* AOwner) : TControl(AOwner, new TBevelWidget(this))
{
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    FShape = Value;
    Widget()->update();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    FStyle = Value;
    Widget()->update();
}

void TBevel::DefineProperties(TPropertyList& List)
{
    TControl::DefineProperties(List);
    const std::vector<const char*> ShapeNames = {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine",
                                                 "bsLeftLine", "bsRightLine", "bsSpacer"};
    const std::vector<const char*> StyleNames = {"bsLowered", "bsRaised"};
    List.Add("Shape", [this, ShapeNames](const TStoredValue& V) { SetShape(V.AsEnumOf<TBevelShape>(ShapeNames)); });
    List.Add("Style", [this, StyleNames](const TStoredValue& V) { SetStyle(V.AsEnumOf<TBevelStyle>(StyleNames)); });
}
