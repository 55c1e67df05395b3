#include "vcl/SpeedButton.h"

#include <QToolButton>

#include "QtSupport.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TControl(AOwner, new QToolButton)
{
    auto* Button = static_cast<QToolButton*>(Widget());
    Button->setFocusPolicy(Qt::NoFocus);
    Button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QObject::connect(Button, &QToolButton::clicked, Button, [this] { RunHandler([this] { Click(); }); });
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    static_cast<QToolButton*>(Widget())->setAutoRaise(Value);
}

void TSpeedButton::Click()
{
    if (FOnClick)
        FOnClick(this);
}

void TSpeedButton::CaptionChanged()
{
    static_cast<QToolButton*>(Widget())->setText(ToQt(Caption()));
}

void TSpeedButton::DefineProperties(TPropertyList& List)
{
    TControl::DefineProperties(List);
    DefineCaption(List);
    List.Add("Flat", [this](const TStoredValue& V) { SetFlat(V.AsBool()); });
    List.AddEvent<TNotifyEvent>("OnClick", [this](TNotifyEvent E) { SetOnClick(std::move(E)); });
}
