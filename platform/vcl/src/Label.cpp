#include "vcl/Label.h"

#include <QLabel>

#include "QtSupport.h"
#include "StoredValues.h"

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner, new QLabel)
{
    auto* Label = static_cast<QLabel*>(Widget());
    Label->setTextFormat(Qt::PlainText);
    SetAlignment(FAlignment);
    SetBounds(0, 0, 65, 13);
}

void TLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustSize();
}

void TLabel::SetTransparent(bool Value)
{
    FTransparent = Value;
    ColorChanged();
}

void TLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    static_cast<QLabel*>(Widget())->setAlignment((ToQtAlignment(Value) & ~Qt::AlignVCenter) | Qt::AlignTop);
}

void TLabel::CaptionChanged()
{
    static_cast<QLabel*>(Widget())->setText(ToQt(Caption()));
    AdjustSize();
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    AdjustSize();
}

void TLabel::ColorChanged()
{
    if (FTransparent) {
        Widget()->setAutoFillBackground(false);
        return;
    }
    TControl::ColorChanged();
}

void TLabel::AdjustSize()
{
    if (!FAutoSize)
        return;
    QSize Size = Widget()->sizeHint();
    SetBounds(Left(), Top(), Size.width(), Size.height());
}

void TLabel::DefineProperties(TPropertyList& List)
{
    TControl::DefineProperties(List);
    List.Add("Alignment", [this](const TStoredValue& V) { SetAlignment(V.AsEnumOf<TAlignment>(AlignmentNames)); });
    List.Add("AutoSize", [this](const TStoredValue& V) { SetAutoSize(V.AsBool()); });
    DefineCaption(List);
    List.Add("Transparent", [this](const TStoredValue& V) { SetTransparent(V.AsBool()); });
}
