#pragma once
// A bevel: a lowered or raised frame or line, drawn only.

#include "vcl/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

    void DefineProperties(TPropertyList& List) override;

private:
    class TBevelWidget;
    friend class TBevelWidget;
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
