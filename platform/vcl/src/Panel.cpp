#include "vcl/Panel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "Bevels.h"
#include "QtSupport.h"

class TPanel::TPanelWidget : public QWidget {
public:
    explicit TPanelWidget(TPanel* APanel) : Panel(APanel) { setAutoFillBackground(true); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter Painter(this);
        QRect Rect = rect();
        if (Panel->FBevelOuter != bvNone)
            DrawEdge(Painter, Rect, Panel->FBevelOuter == bvRaised, palette());
        if (Panel->FBevelInner != bvNone)
            DrawEdge(Painter, Rect, Panel->FBevelInner == bvRaised, palette());
        if (!Panel->Caption().empty()) {
            Painter.setPen(palette().color(QPalette::Active, QPalette::WindowText));
            Painter.drawText(Rect, Qt::AlignCenter, ToQt(Panel->Caption()));
        }
    }

private:
    TPanel* Panel;
};

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner, new TPanelWidget(this))
{
    FPanel = static_cast<TPanelWidget*>(Widget());
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel Value)
{
    FBevelOuter = Value;
    FPanel->update();
}

void TPanel::SetBevelInner(TPanelBevel Value)
{
    FBevelInner = Value;
    FPanel->update();
}

void TPanel::SetEnabled(bool Value)
{
    TWinControl::SetEnabled(Value);
    // The controls of a disabled panel take no input but keep their look:
    // the disabled colours are those of the enabled state.
    QPalette Palette = FPanel->palette();
    QPalette Normal = FPanel->parentWidget() ? FPanel->parentWidget()->palette() : QPalette();
    for (int Role = 0; Role < QPalette::NColorRoles; ++Role) {
        auto R = static_cast<QPalette::ColorRole>(Role);
        Palette.setColor(QPalette::Disabled, R,
                         Value ? Normal.color(QPalette::Disabled, R) : Palette.color(QPalette::Active, R));
    }
    FPanel->setPalette(Palette);
}

void TPanel::CaptionChanged()
{
    FPanel->update();
}

void TPanel::ColorChanged()
{
    TWinControl::ColorChanged();
    FPanel->update();
}

void TPanel::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    const std::vector<const char*> BevelNames = {"bvNone", "bvLowered", "bvRaised"};
    List.Add("BevelInner", [this, BevelNames](const TStoredValue& V) { SetBevelInner(V.AsEnumOf<TPanelBevel>(BevelNames)); });
    List.Add("BevelOuter", [this, BevelNames](const TStoredValue& V) { SetBevelOuter(V.AsEnumOf<TPanelBevel>(BevelNames)); });
    DefineCaption(List);
}
