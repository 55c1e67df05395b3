#include "vcl/GroupBox.h"

#include <QGroupBox>

#include "QtSupport.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, new QGroupBox)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::CaptionChanged()
{
    static_cast<QGroupBox*>(Widget())->setTitle(ToQt(Caption()));
}

void TGroupBox::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    DefineCaption(List);
}
