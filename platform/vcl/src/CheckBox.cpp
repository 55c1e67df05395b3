#include "vcl/CheckBox.h"

#include <QCheckBox>
#include <QRadioButton>

#include "QtSupport.h"

TButtonControl::TButtonControl(TComponent* AOwner, QWidget* AWidget) : TWinControl(AOwner, AWidget)
{
    auto* Button = static_cast<QAbstractButton*>(Widget());
    // toggled comes from code and from the user alike, once a change.
    QObject::connect(Button, &QAbstractButton::toggled, Button, [this](bool NowChecked) { StateChanged(NowChecked); });
}

bool TButtonControl::Checked() const
{
    return static_cast<QAbstractButton*>(Widget())->isChecked();
}

void TButtonControl::SetChecked(bool Value)
{
    static_cast<QAbstractButton*>(Widget())->setChecked(Value);
}

void TButtonControl::StateChanged(bool NowChecked)
{
    if (!ClickOn(NowChecked) || Loading() || !FOnClick)
        return;
    RunHandler([this] { FOnClick(this); });
}

void TButtonControl::CaptionChanged()
{
    static_cast<QAbstractButton*>(Widget())->setText(ToQt(Caption()));
}

void TButtonControl::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    DefineCaption(List);
    List.Add("Checked", [this](const TStoredValue& V) { SetChecked(V.AsBool()); });
    List.AddEvent<TNotifyEvent>("OnClick", [this](TNotifyEvent E) { SetOnClick(std::move(E)); });
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner, new QCheckBox)
{
    SetBounds(0, 0, 97, 17);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, new QRadioButton)
{
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool Value)
{
    auto* Button = static_cast<QRadioButton*>(Widget());
    if (Value || !Button->isChecked()) {
        Button->setChecked(Value);
        return;
    }
    // The toolkit keeps the checked button of a group checked; code may
    // uncheck it, leaving the group with none.
    Button->setAutoExclusive(false);
    Button->setChecked(false);
    Button->setAutoExclusive(true);
}
