#pragma once
// A framed group with a caption; the controls it holds are placed from its
// top-left corner.

#include "vcl/Controls.h"

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);

    using TControl::Caption;
    using TControl::SetCaption;

    void DefineProperties(TPropertyList& List) override;

protected:
    void CaptionChanged() override;
};
