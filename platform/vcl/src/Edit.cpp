#include "vcl/Edit.h"

#include <QLineEdit>

#include "QtSupport.h"

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, new QLineEdit)
{
    auto* Line = static_cast<QLineEdit*>(Widget());
    // textEdited comes from the user only, not from setText.
    QObject::connect(Line, &QLineEdit::textEdited, Line, [this](const QString&) {
        if (FOnChange && !Loading())
            RunHandler([this] { FOnChange(this); });
    });
    ShowColorInTextArea();
    SetBounds(0, 0, 121, 21);
}

AnsiString TEdit::Text() const
{
    return FromQt(static_cast<QLineEdit*>(Widget())->text());
}

void TEdit::SetText(const AnsiString& Value)
{
    static_cast<QLineEdit*>(Widget())->setText(ToQt(Value));
}

bool TEdit::ReadOnly() const
{
    return static_cast<QLineEdit*>(Widget())->isReadOnly();
}

void TEdit::SetReadOnly(bool Value)
{
    static_cast<QLineEdit*>(Widget())->setReadOnly(Value);
}

void TEdit::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    List.Add("ReadOnly", [this](const TStoredValue& V) { SetReadOnly(V.AsBool()); });
    List.Add("Text", [this](const TStoredValue& V) { SetText(V.AsString()); });
    List.AddEvent<TNotifyEvent>("OnChange", [this](TNotifyEvent E) { SetOnChange(std::move(E)); });
}
